#include "window/explorer_plot.hpp"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "window/scene_painter.hpp"

namespace tour {

namespace {
// How near a station a press must be to take it, in pixels.
constexpr double kPickPixels = 6.0;
// How far a press may move and still count as a click.
constexpr double kClickSlack = 4.0;
}  // namespace

ExplorerPlot::ExplorerPlot(explore::Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(420, 260);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Plot of the stations, the true field and the estimates"));
    setAccessibleDescription(QStringLiteral(
        "Click to add a station, drag a station to move it, Delete removes the selected "
        "station, the arrow keys move it"));
}

void ExplorerPlot::show_scene(explore::Scene scene) {
    scene_ = std::move(scene);
    update();
}

double ExplorerPlot::world_x(QPointF point) const {
    return PlotFrame(scene_, rect()).to_world_x(point.x());
}

QPointF ExplorerPlot::world_point(double x, double y) const {
    return PlotFrame(scene_, rect()).to_device(x, y);
}

QPointF ExplorerPlot::station_point(int position) const {
    return PlotFrame(scene_, rect())
        .to_device(position, explore::observed(session_.layout().field, position));
}

bool ExplorerPlot::in_plot(QPointF point) const {
    return PlotFrame(scene_, rect())
        .area()
        .adjusted(-kPickPixels, 0, kPickPixels, 0)
        .contains(point);
}

std::optional<int> ExplorerPlot::station_under(QPointF point) const {
    if (!in_plot(point)) {
        return std::nullopt;
    }
    const PlotFrame frame(scene_, rect());
    return explore::station_near(session_.layout(), frame.to_world_x(point.x()),
                                 kPickPixels * frame.world_per_pixel());
}

void ExplorerPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_scene(painter, scene_, rect(), locale(), Notes::elsewhere);
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight().color(), 1.0, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ExplorerPlot::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPointF point = event->position();
    if (const auto index = station_under(point)) {
        session_.select(session_.layout().stations[static_cast<std::size_t>(*index)]);
        dragging_ = index;
        gesture_ = session_.new_gesture();
        pressed_empty_.reset();
    } else if (in_plot(point)) {
        pressed_empty_ = point;
    }
}

void ExplorerPlot::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = event->position();
    emit hovered(in_plot(point) ? std::optional<double>(world_x(point)) : std::nullopt);
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        session_.drag_station(*dragging_, world_x(point), gesture_);
        return;
    }
    if (pressed_empty_ && QLineF(*pressed_empty_, point).length() > kClickSlack) {
        pressed_empty_.reset();
    }
    const auto under = station_under(point);
    const int count = static_cast<int>(session_.layout().stations.size());
    const bool movable = under && *under > 0 && *under + 1 < count;
    setCursor(movable ? Qt::SizeHorCursor : Qt::CrossCursor);
}

void ExplorerPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (pressed_empty_) {
        session_.add_station(world_x(*pressed_empty_));
    }
    pressed_empty_.reset();
    dragging_.reset();
}

void ExplorerPlot::keyPressEvent(QKeyEvent* event) {
    const auto index = session_.selected_index();
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (index) {
                const int sign = event->key() == Qt::Key_Left ? -1 : 1;
                session_.move_station(*index, *session_.selected() + sign * step);
                return;
            }
            break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (index) {
                session_.remove_station(*index);
                return;
            }
            break;
        case Qt::Key_Escape:
            session_.select(std::nullopt);
            return;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

void ExplorerPlot::contextMenuEvent(QContextMenuEvent* event) {
    const QPointF point = event->pos();
    QMenu menu(this);
    if (const auto index = station_under(point)) {
        const int position = session_.layout().stations[static_cast<std::size_t>(*index)];
        session_.select(position);
        menu.addAction(tr("Remove the station at %1").arg(position), this,
                       [this, i = *index] { session_.remove_station(i); });
    } else if (in_plot(point)) {
        const double x = world_x(point);
        menu.addAction(tr("Add a station at %1").arg(std::lround(x)), this,
                       [this, x] { session_.add_station(x); });
    } else {
        return;
    }
    menu.exec(event->globalPos());
}

void ExplorerPlot::leaveEvent(QEvent*) {
    emit hovered(std::nullopt);
}

}  // namespace tour
