#include "PagePainter.h"

#include "LabelMarks.h"
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

void paintArrow(QPainter& painter, const QPolygonF& arrow, double widthMm, const DeviceMapping& mapping)
{
    const QPolygonF head = arrowHead(arrow, widthMm);
    if (head.isEmpty())
        return;
    // The line stops inside the head, which keeps its point sharp.
    QPolygonF line;
    for (const QPointF& p : arrow)
        line << mapping.map(p);
    const QPointF base = (head[1] + head[2]) / 2;
    line.back() = mapping.map(base + (arrow.back() - base) * 0.2);
    painter.setPen(QPen(Qt::black, widthMm * mapping.dotsPerMm, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF{mapping.map(head[0]), mapping.map(head[1]), mapping.map(head[2])});
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
    if (!L.nameTextRect.isEmpty() && (!answer || L.nameOnAnswer)) {
        painter.setPen(Qt::black);
        painter.setFont(printFont(L.namePt));
        painter.drawText(mapping.map(L.nameTextRect), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         PrintTexts::nameLine());
        painter.setPen(QPen(Qt::black, 0.3 * mapping.dotsPerMm, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(mapping.map(L.nameRule));
    }
    if (!L.pageNumberRect.isEmpty() && !L.pageNumber.isEmpty()) {
        painter.setPen(Qt::black);
        painter.setFont(printFont(L.pageNumberPt));
        painter.drawText(mapping.map(L.pageNumberRect), Qt::AlignCenter | Qt::TextSingleLine, L.pageNumber);
    }
    if (!L.captionRect.isEmpty() && !L.caption.isEmpty()) {
        painter.setPen(Qt::black);
        painter.setFont(printFont(L.captionPt));
        painter.drawText(mapping.map(L.captionRect), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, L.caption);
    }
    if (L.columns <= 0) {
        painter.restore();
        return;
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
        if (L.labelPt > 0)
            painter.setFont(printFont(L.labelPt));
        for (const PageLayout::Label& label : L.labels) {
            paintArrow(painter, label.arrow, L.arrowWidthMm, mapping);
            if (label.mark == PageLayout::Mark::House) {
                LabelMarks::paintHouse(painter, mapping.map(label.textRect));
            } else if (label.mark == PageLayout::Mark::Flag) {
                LabelMarks::paintFlag(painter, mapping.map(label.textRect));
            } else {
                painter.setPen(Qt::black);
                painter.drawText(mapping.map(label.textRect), Qt::AlignCenter | Qt::TextSingleLine, label.text);
            }
        }
    }
    painter.restore();
}
