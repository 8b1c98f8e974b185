#include "PagePainter.h"

#include "PageLayout.h"
#include "PrintTexts.h"
#include "maze_outline.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

void paintArrow(QPainter& painter, const QLineF& arrow, double widthMm, const DeviceMapping& mapping)
{
    const QLineF line = mapping.map(arrow);
    const double length = line.length();
    if (length <= 0)
        return;
    const double width = widthMm * mapping.dotsPerMm;
    const QPointF along = (line.p2() - line.p1()) / length;
    const QPointF across(-along.y(), along.x());
    const double head = std::min(length * 0.5, std::max(1.6 * mapping.dotsPerMm, 4 * width));
    const QPointF base = line.p2() - along * head;

    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(line.p1(), base + along * (head * 0.2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF{line.p2(), base + across * (head * 0.5), base - across * (head * 0.5)});
    painter.setBrush(Qt::NoBrush);
}

} // namespace

void paintPage(QPainter& painter, const PageLayout& L, const MazeOutline& maze, PageKind kind,
               const DeviceMapping& mapping)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QTransform base = painter.transform();
    painter.setBrush(Qt::NoBrush);

    // Title and name line.
    const bool answer = kind == PageKind::Answer;
    const QString title = answer ? L.answerTitle : L.puzzleTitle;
    if (!L.titleRect.isEmpty() && !title.isEmpty()) {
        painter.setPen(Qt::black);
        painter.setFont(printFont(answer ? L.answerTitlePt : L.puzzleTitlePt));
        painter.drawText(mapping.map(L.titleRect), Qt::AlignCenter | Qt::TextSingleLine, title);
    }
    if (answer && !L.difficultyRect.isEmpty()) {
        painter.setPen(Qt::black);
        painter.setFont(printFont(L.difficultyPt));
        painter.drawText(mapping.map(L.difficultyRect), Qt::AlignCenter | Qt::TextSingleLine, L.difficultyText);
    }
    if (!L.nameTextRect.isEmpty()) {
        painter.setPen(Qt::black);
        painter.setFont(printFont(L.namePt));
        painter.drawText(mapping.map(L.nameTextRect), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         PrintTexts::nameLine());
        painter.setPen(QPen(Qt::black, 0.3 * mapping.dotsPerMm, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(mapping.map(L.nameRule));
    }

    // The maze in cell units: whole numbers on the grid lines, which keeps
    // the files small and the lines exact.
    const double cell = L.cellMm * mapping.dotsPerMm;
    const QPointF origin = mapping.map(L.gridOrigin);
    painter.setTransform(QTransform(cell, 0, 0, cell, origin.x(), origin.y()) * base);
    if (answer && !maze.answer.empty()) {
        QPainterPath line;
        for (const auto& piece : maze.answer) {
            std::vector<QPointF> points;
            for (const MazeOutline::Point& p : piece)
                points.emplace_back(p.x, p.y);
            // Ends outside the grid stop at the gap, where the arrows begin.
            const QRectF grid(0, 0, maze.width, maze.height);
            for (const auto& [end, next] : {std::pair{points.begin(), points.begin() + 1},
                                             std::pair{points.end() - 1, points.end() - 2}}) {
                if (!grid.contains(*end)) {
                    const QPointF towards = *next - *end;
                    *end += towards / std::max(std::abs(towards.x()) + std::abs(towards.y()), 1.0) * 0.5;
                }
            }
            line.moveTo(points.front());
            for (std::size_t i = 1; i < points.size(); ++i)
                line.lineTo(points[i]);
        }
        painter.setPen(QPen(AnswerLineColor, L.answerMm / L.cellMm, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(line);
    }
    QPainterPath walls;
    for (const MazeOutline::WallRun& r : maze.walls) {
        if (r.vertical) {
            walls.moveTo(r.line, r.from);
            walls.lineTo(r.line, r.to);
        } else {
            walls.moveTo(r.from, r.line);
            walls.lineTo(r.to, r.line);
        }
    }
    painter.setPen(QPen(Qt::black, L.wallMm / L.cellMm, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(walls);
    painter.setTransform(base);

    if (!L.labels.empty()) {
        painter.setFont(printFont(L.labelPt));
        for (const PageLayout::Label& label : L.labels) {
            paintArrow(painter, label.arrow, L.arrowWidthMm, mapping);
            painter.setPen(Qt::black);
            painter.drawText(mapping.map(label.textRect), Qt::AlignCenter | Qt::TextSingleLine, label.text);
        }
    }
    painter.restore();
}
