// Picture1: replays the recorded picture on every paint.
#pragma once

#include <QWidget>

#include "display/picture.hpp"

namespace tour {

class PlotWidget : public QWidget {
    Q_OBJECT
  public:
    PlotWidget(const Picture& picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Picture& picture_;
};

}  // namespace tour
