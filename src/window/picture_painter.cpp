#include "window/picture_painter.hpp"

#include <QColor>
#include <QPen>
#include <QPointF>

namespace tour {

namespace {

QPointF to_device(const Scale& scale, QSizeF size, float x, float y) {
    const DevicePoint point = tour::to_device(scale, size.width(), size.height(), x, y);
    return {point.x, point.y};
}

}  // namespace

void paint_picture(QPainter& painter, const Picture& picture, QSizeF size) {
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(QRectF(QPointF(0, 0), size));
    const Scale& scale = picture.scale();
    for (const Primitive& item : picture.items()) {
        const QColor colour(item.colour.r, item.colour.g, item.colour.b);
        painter.setPen(QPen(colour, item.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF from = to_device(scale, size, item.x1, item.y1);
        if (item.kind == Primitive::Kind::dot) {
            painter.drawPoint(from);
        } else {
            painter.drawLine(from, to_device(scale, size, item.x2, item.y2));
        }
    }
}

}  // namespace tour
