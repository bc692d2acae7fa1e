// The explorer: a window beside the tour in which students move stations,
// change a method's parameters and compare every method's error against the
// true field and by leave-one-out cross-validation. It shows the core's
// state and hands every edit to the core, which takes or refuses it.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <cstdint>
#include <memory>
#include <optional>

#include "explore/history.hpp"
#include "explore/loo_worker.hpp"
#include "explore/scene.hpp"
#include "window/explorer_plot.hpp"
#include "window/parameter_panel.hpp"
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
    bool export_table(const QString& path);

    const explore::History& history() const { return history_; }
    const explore::ScoreTable& scores() const { return model_->table(); }
    const QString& path() const { return path_; }
    ExplorerPlot* plot() const { return plot_; }
    QTableView* table_view() const { return table_view_; }
    ScoreModel* score_model() const { return model_; }
    ParameterPanel* parameters() const { return parameters_; }
    QListWidget* method_list() const { return methods_; }
    QComboBox* compare_box() const { return compare_; }
    QComboBox* field_box() const { return field_; }
    QLabel* readout() const { return readout_; }
    QAction* undo_action() const { return undo_; }
    QAction* redo_action() const { return redo_; }
    // Message boxes ask and tell nothing: for tests and headless runs.
    void set_quiet(bool quiet) { quiet_ = quiet; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_menus();
    QWidget* build_side_panel();
    void connect_plot();

    // The one way an edit reaches the setup.
    void apply(const explore::Edit& edit, std::uint64_t merge_key = 0);
    // The setup changed: scores, plot, controls and the cross-validation.
    void refresh();
    void refresh_controls();
    void refresh_scene();
    void refresh_title();
    void refresh_spans();
    explore::SceneOptions scene_options() const;
    void show_readout(std::optional<double> x);
    void leave_one_out_done(std::uint64_t ticket, std::vector<explore::LooCell> cells);

    void open_dialog();
    bool save_dialog(bool choose_path);
    void export_plot_dialog();
    void export_table_dialog();
    void open_tour();
    void about();
    // Unsaved changes: saves, drops them, or says to stop (false).
    bool may_drop_changes();
    void tell(const QString& title, const QString& text);

    explore::History history_;
    std::optional<explore::LooJob> job_;  // what the leave-one-out column belongs to
    std::uint64_t ticket_ = 0;
    QString path_;
    bool quiet_ = false;
    std::optional<double> hover_x_;

    ExplorerPlot* plot_ = nullptr;
    QCheckBox* fit_ = nullptr;
    QLabel* readout_ = nullptr;
    QTableView* table_view_ = nullptr;
    ScoreModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QListWidget* methods_ = nullptr;
    QComboBox* compare_ = nullptr;
    QComboBox* field_ = nullptr;
    QLabel* station_count_ = nullptr;
    QPushButton* remove_ = nullptr;
    ParameterPanel* parameters_ = nullptr;
    QLabel* loo_state_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* remove_action_ = nullptr;
    QAction* fit_action_ = nullptr;
    QPointer<Form1> tour_window_;

    // Last, so that it stops before anything it reports to is gone.
    std::unique_ptr<explore::LooWorker> worker_;
};

}  // namespace tour
