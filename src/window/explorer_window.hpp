// The explorer: a window beside the tour in which students move stations,
// change a method's parameters and compare every method's error against the
// true field and by leave-one-out cross-validation. It is a view of the
// explorer session: its parts show the session's state and hand every
// gesture to the session, which takes or refuses it.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <memory>
#include <optional>

#include "explore/lesson_player.hpp"
#include "explore/session.hpp"
#include "window/explorer_controls.hpp"
#include "window/explorer_plot.hpp"
#include "window/lesson_panel.hpp"
#include "window/loo_thread.hpp"
#include "window/score_model.hpp"

namespace tour {

class Form1;

class ExplorerWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Opens on the setup; path names the file it came from, if any.
    explicit ExplorerWindow(explore::Setup setup = explore::default_setup(), QString path = {},
                            QWidget* parent = nullptr);
    ~ExplorerWindow() override;

    // The file menu's work, without its dialogs. Each returns whether it
    // succeeded; a failure is shown in a message box and changes nothing.
    bool open_setup(const QString& path);
    bool save_setup(const QString& path);
    bool export_plot(const QString& path);
    // Waits for the leave-one-out column first, showing how far it is.
    bool export_table(const QString& path);
    bool export_curves(const QString& path);

    // A lesson beside the explorer, in place of one playing; its first step
    // opens. open_lesson reads it from a file.
    void play_lesson(explore::Lesson lesson);
    bool open_lesson(const QString& path);
    explore::LessonPlayer* lesson() const { return lesson_.get(); }
    LessonPanel* lesson_panel() const { return lesson_panel_; }

    explore::Session& session() { return session_; }
    const explore::History& history() const { return session_.history(); }
    const explore::ScoreTable& scores() const { return session_.table(); }
    const QString& path() const { return path_; }
    ExplorerPlot* plot() const { return plot_; }
    QTableView* table_view() const { return table_view_; }
    ScoreModel* score_model() const { return model_; }
    ParameterPanel* parameters() const { return controls_->parameters(); }
    QListWidget* method_list() const { return controls_->method_list(); }
    QComboBox* compare_box() const { return controls_->compare_box(); }
    QComboBox* field_box() const { return controls_->field_box(); }
    QLabel* readout() const { return readout_; }
    QLabel* notes() const { return notes_; }
    QAction* undo_action() const { return undo_; }
    QAction* redo_action() const { return redo_; }
    // Message boxes ask and tell nothing: for tests and headless runs.
    void set_quiet(bool quiet) { quiet_ = quiet; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* build_plot_box();
    QTableView* build_table();
    void build_menus();

    // What the session tells: the parts that show what changed.
    void session_changed(unsigned changes);
    void show_scene();
    void show_spans();
    void show_actions();
    void show_title();
    void show_readout(std::optional<double> x);

    // The files (explorer_files.cpp).
    void open_dialog();
    bool save_dialog(bool choose_path);
    void export_plot_dialog();
    void export_table_dialog();
    void export_curves_dialog();
    // A path for a new file from the save dialog, with the suffix added.
    QString ask_save_path(const QString& title, const QString& name, const QString& filter);
    bool wait_for_leave_one_out();
    bool may_drop_changes();
    void tell(const QString& title, const QString& text);

    void open_tour();
    void about();
    void open_lesson_dialog();
    void stop_lesson();

    // First: every part below views it.
    explore::Session session_;
    int watch_ = 0;
    QString path_;
    bool quiet_ = false;
    std::optional<double> hover_x_;

    ExplorerPlot* plot_ = nullptr;
    QCheckBox* fit_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* notes_ = nullptr;
    QTableView* table_view_ = nullptr;
    ScoreModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    ExplorerControls* controls_ = nullptr;
    QLabel* loo_state_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* remove_action_ = nullptr;
    QAction* fit_action_ = nullptr;
    QPointer<Form1> tour_window_;
    QDockWidget* lesson_dock_ = nullptr;
    LessonPanel* lesson_panel_ = nullptr;
    std::unique_ptr<explore::LessonPlayer> lesson_;
    std::unique_ptr<LooThread> loo_;
};

}  // namespace tour
