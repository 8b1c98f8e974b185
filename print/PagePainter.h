#pragma once

#include "ExportSettings.h"

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QRectF>

class QPainter;
struct MazeOutline;
struct PageLayout;

// How millimetres on the page become the painter's coordinates: `originMm`
// (a point of the page) lands on the painter's origin, and each millimetre
// spans `dotsPerMm` of the painter's units.
struct DeviceMapping {
    double dotsPerMm = 1;
    QPointF originMm;

    QPointF map(const QPointF& mm) const { return (mm - originMm) * dotsPerMm; }
    QRectF map(const QRectF& mm) const { return {map(mm.topLeft()), mm.size() * dotsPerMm}; }
    QLineF map(const QLineF& mm) const { return {map(mm.p1()), map(mm.p2())}; }
};

// The answer line's colour on the answer page.
const QColor AnswerLineColor(0xE6, 0x00, 0x12);

// Paints one page of a maze as laid out: the title and name line when the
// layout has them, the answer line (answer page only) under the walls, the
// walls as one path of wall runs in cell units, and the labels with their
// arrows. The background is left as it is.
void paintPage(QPainter& painter, const PageLayout& layout, const MazeOutline& maze, PageKind kind,
               const DeviceMapping& mapping);
