#include "window/scene_painter.hpp"

#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>

namespace tour {

namespace {

// Room for the numbers of the value axis on the left and of the world axis below.
constexpr double kLeftMargin = 56.0;
constexpr double kBottomMargin = 30.0;
constexpr double kTopMargin = 10.0;
constexpr double kRightMargin = 24.0;

QColor colour_of(Rgb rgb, int alpha = 255) {
    return QColor(rgb.r, rgb.g, rgb.b, alpha);
}

QString tick_text(double value, double step, const QLocale& locale) {
    int decimals = 0;
    while (decimals < 6 && std::fabs(step * std::pow(10.0, decimals) -
                                     std::round(step * std::pow(10.0, decimals))) > 1e-6) {
        ++decimals;
    }
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', decimals);
}

double step_of(const std::vector<double>& ticks) {
    return ticks.size() > 1 ? ticks[1] - ticks[0] : 1.0;
}

void paint_axes(QPainter& painter, const explore::Scene& scene, const PlotFrame& frame,
                const QLocale& locale) {
    const QRectF area = frame.area();
    const QFontMetricsF metrics(painter.font());
    painter.setPen(QPen(QColor(225, 225, 225), 1.0));
    for (const double x : scene.x_ticks) {
        const double px = frame.to_device(x, 0.0).x();
        painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    }
    for (const double y : scene.y_ticks) {
        const double py = frame.to_device(0.0, y).y();
        painter.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    }
    // The zero line, as in the tour.
    if (scene.bottom < 0.0 && scene.top > 0.0) {
        painter.setPen(QPen(Qt::black, 1.0));
        const double py = frame.to_device(0.0, 0.0).y();
        painter.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    }
    painter.setPen(QPen(QColor(60, 60, 60), 1.0));
    painter.drawRect(area);
    const double x_step = step_of(scene.x_ticks);
    for (const double x : scene.x_ticks) {
        const double px = frame.to_device(x, 0.0).x();
        painter.drawLine(QPointF(px, area.bottom()), QPointF(px, area.bottom() + 4.0));
        const QString text = tick_text(x, x_step, locale);
        const double w = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(px - w / 2.0, area.bottom() + 6.0 + metrics.ascent()), text);
    }
    const double y_step = step_of(scene.y_ticks);
    for (const double y : scene.y_ticks) {
        const double py = frame.to_device(0.0, y).y();
        painter.drawLine(QPointF(area.left() - 4.0, py), QPointF(area.left(), py));
        const QString text = tick_text(y, y_step, locale);
        const double w = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(area.left() - 7.0 - w, py + metrics.ascent() / 2.0 - 1.0), text);
    }
}

QPainterPath path_of(const std::vector<explore::ScenePoint>& points, const PlotFrame& frame) {
    QPainterPath path;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF p = frame.to_device(points[i].x, points[i].y);
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    return path;
}

void paint_band(QPainter& painter, const explore::Band& band, const PlotFrame& frame) {
    QPainterPath path = path_of(band.upper, frame);
    for (auto p = band.lower.rbegin(); p != band.lower.rend(); ++p) {
        path.lineTo(frame.to_device(p->x, p->y));
    }
    path.closeSubpath();
    painter.fillPath(path, colour_of(band.colour, 45));
}

void paint_curve(QPainter& painter, const explore::Curve& curve, const PlotFrame& frame) {
    painter.setPen(
        QPen(colour_of(curve.colour), curve.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path_of(curve.points, frame));
}

void paint_stations(QPainter& painter, const explore::Scene& scene, const PlotFrame& frame) {
    const QRectF area = frame.area();
    for (const explore::StationMark& station : scene.stations) {
        const QPointF top = frame.to_device(station.x, station.value);
        if (station.selected) {
            painter.setPen(
                QPen(colour_of(explore::kSelectedColour, 110), 9.0, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(top.x(), area.bottom()), top);
        }
        painter.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(top.x(), area.bottom()), top);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour_of(explore::kChosenColour));
        painter.drawEllipse(top, 3.5, 3.5);
    }
}

void paint_legend(QPainter& painter, const explore::Scene& scene, const PlotFrame& frame) {
    const QFontMetricsF metrics(painter.font());
    double width = 0.0;
    for (const explore::LegendEntry& entry : scene.legend) {
        width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(entry.text)));
    }
    const double line = metrics.height() + 2.0;
    const QRectF box(frame.area().right() - width - 44.0, frame.area().top() + 6.0, width + 38.0,
                     line * static_cast<double>(scene.legend.size()) + 8.0);
    painter.setPen(QPen(QColor(160, 160, 160), 1.0));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box);
    double y = box.top() + 4.0 + line / 2.0;
    for (const explore::LegendEntry& entry : scene.legend) {
        const QPointF mark(box.left() + 16.0, y);
        switch (entry.mark) {
            case explore::LegendEntry::Mark::line:
                painter.setPen(QPen(colour_of(entry.colour), 2.5));
                painter.drawLine(mark - QPointF(10.0, 0.0), mark + QPointF(10.0, 0.0));
                break;
            case explore::LegendEntry::Mark::dot:
                painter.setPen(QPen(Qt::black, 2.0));
                painter.drawLine(mark + QPointF(0.0, line / 2.0 - 1.0), mark);
                painter.setPen(Qt::NoPen);
                painter.setBrush(colour_of(entry.colour));
                painter.drawEllipse(mark, 3.5, 3.5);
                break;
            case explore::LegendEntry::Mark::band:
                painter.fillRect(QRectF(mark.x() - 10.0, mark.y() - 5.0, 20.0, 10.0),
                                 colour_of(entry.colour, 45));
                break;
        }
        painter.setPen(Qt::black);
        painter.drawText(QPointF(box.left() + 32.0, y + metrics.ascent() / 2.0 - 1.0),
                         QString::fromStdString(entry.text));
        y += line;
    }
}

void paint_notes(QPainter& painter, const explore::Scene& scene, const PlotFrame& frame) {
    const QFontMetricsF metrics(painter.font());
    double y = frame.area().top() + 8.0 + metrics.ascent();
    painter.setPen(QColor(160, 0, 0));
    for (const std::string& note : scene.notes) {
        const QRectF room(frame.area().left() + 8.0, y - metrics.ascent(),
                          frame.area().width() * 0.6, metrics.height() * 3.0);
        QRectF used;
        painter.drawText(room, Qt::TextWordWrap, QString::fromStdString(note), &used);
        y += used.height() + 4.0;
    }
}

}  // namespace

PlotFrame::PlotFrame(const explore::Scene& scene, QRectF bounds)
    : left_(scene.left),
      right_(scene.right),
      bottom_(scene.bottom),
      top_(scene.top),
      area_(bounds.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin)) {}

QPointF PlotFrame::to_device(double x, double y) const {
    return {area_.left() + (x - left_) / (right_ - left_) * area_.width(),
            area_.top() + (top_ - y) / (top_ - bottom_) * area_.height()};
}

double PlotFrame::to_world_x(double device_x) const {
    return left_ + (device_x - area_.left()) / area_.width() * (right_ - left_);
}

double PlotFrame::world_per_pixel() const {
    return (right_ - left_) / std::max(1.0, area_.width());
}

void paint_scene(QPainter& painter, const explore::Scene& scene, QRectF bounds,
                 const QLocale& locale, Notes notes) {
    const PlotFrame frame(scene, bounds);
    painter.save();
    painter.fillRect(bounds, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paint_axes(painter, scene, frame, locale);
    painter.setClipRect(frame.area());
    for (const explore::Band& band : scene.bands) {
        paint_band(painter, band, frame);
    }
    paint_curve(painter, scene.truth, frame);
    for (const explore::Curve& curve : scene.estimates) {
        paint_curve(painter, curve, frame);
    }
    paint_stations(painter, scene, frame);
    if (notes == Notes::painted) {
        paint_notes(painter, scene, frame);
    }
    painter.setClipping(false);
    paint_legend(painter, scene, frame);
    painter.restore();
}

}  // namespace tour
