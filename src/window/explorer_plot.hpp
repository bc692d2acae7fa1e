// The explorer's plot: paints the scene it is given and turns the mouse and
// the keys into requests for edits, which the window passes to the core.
// A click on an empty place asks to add a station there, a press on a station
// selects it and a drag moves it; Delete removes the selected station and the
// arrow keys move it by 1 (with Shift by 10).
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "explore/scene.hpp"

namespace tour {

class ExplorerPlot : public QWidget {
    Q_OBJECT
  public:
    explicit ExplorerPlot(QWidget* parent = nullptr);

    // What to paint, and the layout its stations come from.
    void show_scene(explore::Scene scene, explore::Layout layout);
    // The selected station's position, if any.
    std::optional<int> selected() const { return selected_; }
    // Its index among the stations.
    std::optional<int> selected_index() const;
    void select(std::optional<int> position);

    // The world position at a point of the widget.
    double world_x(QPointF point) const;
    // Where a point of the world is drawn, and a station's dot.
    QPointF world_point(double x, double y) const;
    QPointF station_point(int position) const;

  signals:
    void add_requested(double x);
    // A drag of station index to world position x; one gesture, one number.
    void drag_requested(int index, double x, std::uint64_t gesture);
    void move_requested(int index, int to);
    void remove_requested(int index);
    void selection_changed();
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

    explore::Scene scene_;
    explore::Layout layout_;
    std::optional<int> selected_;  // position of the selected station
    // A press on an empty place adds a station unless the mouse moves away.
    std::optional<QPointF> pressed_empty_;
    std::optional<int> dragging_;  // index of the station being dragged
    std::uint64_t gesture_ = 0;
};

}  // namespace tour
