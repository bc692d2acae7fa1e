// The explorer's plot: a view of the session's scene that turns the mouse
// and the keys into the session's gestures. A click on an empty place adds a
// station there, a press on a station selects it and a drag moves it;
// Delete removes the selected station and the arrow keys move it by 1 (with
// Shift by 10).
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "explore/session.hpp"

namespace tour {

class ExplorerPlot : public QWidget {
    Q_OBJECT
  public:
    explicit ExplorerPlot(explore::Session& session, QWidget* parent = nullptr);

    // The session's picture to paint, built afresh after each change.
    void show_scene(explore::Scene scene);
    const explore::Scene& scene() const { return scene_; }
    std::optional<int> selected() const { return session_.selected(); }

    // The world position at a point of the widget.
    double world_x(QPointF point) const;
    // Where a point of the world is drawn, and a station's dot.
    QPointF world_point(double x, double y) const;
    QPointF station_point(int position) const;

  signals:
    // The world position under the mouse, or nothing once it has left.
    void hovered(std::optional<double> x);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    std::optional<int> station_under(QPointF point) const;
    bool in_plot(QPointF point) const;

    explore::Session& session_;
    explore::Scene scene_;
    // A press on an empty place adds a station unless the mouse moves away.
    std::optional<QPointF> pressed_empty_;
    std::optional<int> dragging_;  // index of the station being dragged
    std::uint64_t gesture_ = 0;
};

}  // namespace tour
