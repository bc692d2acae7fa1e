// The tour window: places the controls of the design, forwards the two
// clicks to the tour and shows the tour's state after each.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "tour/tour.hpp"
#include "window/plot_widget.hpp"

namespace tour {

inline constexpr const char* kWindowCaption =
    "One-dimensional Interpolation; An overview by Orvel Tamberlin (interp1d-tour@example.org)";

class Form1 : public QWidget, public FormHost {
    Q_OBJECT
  public:
    // Interactive: message boxes, and a fatal run-time error ends the program.
    // Headless: messages go to standard error and a fatal run-time error is
    // thrown to the caller.
    enum class Presentation { interactive, headless };
    // What ends when the tour ends (Continue after the closing text, or a
    // fatal run-time error): the program, or, for a tour opened beside the
    // explorer, only this window.
    enum class Ending { program, window };

    explicit Form1(QWidget* parent = nullptr, Presentation presentation = Presentation::interactive,
                   Ending ending = Ending::program);

    const Tour& tour() const { return tour_; }

    QLabel* Label0;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label1000;
    QPushButton* Command1;
    QPushButton* Command2;
    PlotWidget* Picture1;

    // What the two buttons do.
    void press_continue();
    void press_back();

    // Runs one click of the tour, then shows the tour's state. A fatal
    // run-time error is shown in a message box and ends the program with exit
    // status 1 (headless: it is thrown on).
    void run_guarded(const std::function<void()>& click);

  private:
    void mouse_pointer_changed(MousePointer pointer) override;
    void end_program() override;
    void message_box(const std::string& text) override;

    void place(QWidget* control, int left, int top, int width, int height);
    QLabel* make_label(const char* name, const char* caption, int left, int top, int width,
                       int height);
    void show_state();
    void describe_controls();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Presentation presentation_;
    Ending ending_;
    Tour tour_;
    double dpi_;
};

}  // namespace tour
