#include "LabelMarks.h"

#include "PagePainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace LabelMarks {

namespace {

// The largest square centred in `box`.
QRectF square(const QRectF& box)
{
    const double side = std::min(box.width(), box.height());
    return {box.center() - QPointF(side / 2, side / 2), QSizeF(side, side)};
}

} // namespace

void paintHouse(QPainter& painter, const QRectF& box)
{
    const QRectF r = square(box);
    const double u = r.width() / 20;
    const auto at = [&](double x, double y) { return r.topLeft() + QPointF(x * u, y * u); };
    painter.save();
    // The roof over the walls as one outline, the door and a window in it.
    const QPolygonF outline{at(10, 1.5), at(19, 9.5), at(16.5, 9.5), at(16.5, 18.5),
                            at(3.5, 18.5), at(3.5, 9.5), at(1, 9.5)};
    painter.setPen(QPen(Qt::black, 1.4 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(outline);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(at(8, 12), at(12, 18.5)));
    painter.drawRect(QRectF(at(12.8, 10.5), at(15, 12.7)));
    painter.restore();
}

void paintFlag(QPainter& painter, const QRectF& box)
{
    const QRectF r = square(box);
    const double u = r.width() / 20;
    const auto at = [&](double x, double y) { return r.topLeft() + QPointF(x * u, y * u); };
    painter.save();
    painter.setPen(QPen(Qt::black, 1.4 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(AnswerLineColor);
    painter.drawPolygon(QPolygonF{at(5.5, 2), at(17.5, 6.5), at(5.5, 11)});
    painter.drawLine(at(5.5, 2), at(5.5, 18.5));
    // The ground the flag stands on.
    painter.drawLine(at(2.5, 18.5), at(9, 18.5));
    painter.restore();
}

} // namespace LabelMarks
