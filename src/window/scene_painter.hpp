// Paints the explorer's scene: the plot area with its ticks and numbers, the
// band, the curves, the stations and the legend, onto any paint device (the
// plot widget, a PNG image, an SVG file).
#pragma once

#include <QLocale>
#include <QPainter>
#include <QRectF>

#include "explore/scene.hpp"

namespace tour {

// The plot area inside a rectangle, and the mapping between world
// coordinates and the device.
class PlotFrame {
  public:
    PlotFrame(const explore::Scene& scene, QRectF bounds);
    QRectF area() const { return area_; }
    QPointF to_device(double x, double y) const;
    double to_world_x(double device_x) const;
    // World units across one device pixel.
    double world_per_pixel() const;

  private:
    double left_;
    double right_;
    double bottom_;
    double top_;
    QRectF area_;
};

// The scene's notes are painted on the plot, or left to the caller, who
// shows them beside it.
enum class Notes { painted, elsewhere };
void paint_scene(QPainter& painter, const explore::Scene& scene, QRectF bounds,
                 const QLocale& locale, Notes notes = Notes::painted);

}  // namespace tour
