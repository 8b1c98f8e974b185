#pragma once

#include <QRectF>

class QPainter;

// The pictures that can stand for the start and goal labels on a children's
// page: a house where the way begins and a flag where it ends. Drawn as
// outlines and fills, never as images, so they stay sharp at any size in a
// PDF or an SVG.
namespace LabelMarks {

// Each fills the square `box` (in the painter's units), centred in it.
void paintHouse(QPainter& painter, const QRectF& box);
void paintFlag(QPainter& painter, const QRectF& box);

} // namespace LabelMarks
