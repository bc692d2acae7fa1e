#include "window/plot_widget.hpp"

#include <QPainter>

#include "window/picture_painter.hpp"

namespace tour {

PlotWidget::PlotWidget(const Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_picture(painter, picture_, QSizeF(size()));
}

}  // namespace tour
