// Paints a recorded picture onto any Qt paint device: the plot widget, and
// images for export.
#pragma once

#include <QPainter>
#include <QSizeF>

#include "display/picture.hpp"

namespace tour {

// The white background and every primitive, mapped from world coordinates
// onto an area of the given size at the painter's origin.
void paint_picture(QPainter& painter, const Picture& picture, QSizeF size);

}  // namespace tour
