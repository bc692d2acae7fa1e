#include "window/explorer_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "explore/builtin_lessons.hpp"
#include "window/explorer_readout.hpp"
#include "window/form1.hpp"

namespace tour {

namespace {

constexpr int kMessageMillis = 8000;

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ExplorerWindow::ExplorerWindow(explore::Setup setup, QString path, QWidget* parent)
    : QMainWindow(parent), session_(std::move(setup)), path_(std::move(path)) {
    setObjectName(QStringLiteral("ExplorerWindow"));
    resize(1280, 820);

    auto* left = new QSplitter(Qt::Vertical);
    left->addWidget(build_plot_box());
    left->addWidget(build_table());
    left->setStretchFactor(0, 3);
    left->setStretchFactor(1, 2);
    controls_ = new ExplorerControls(session_);
    auto* whole = new QSplitter(Qt::Horizontal);
    whole->addWidget(left);
    whole->addWidget(controls_);
    whole->setStretchFactor(0, 1);
    whole->setStretchFactor(1, 0);
    setCentralWidget(whole);

    loo_state_ = new QLabel;
    statusBar()->addPermanentWidget(loo_state_);
    build_menus();

    lesson_panel_ = new LessonPanel;
    lesson_dock_ = new QDockWidget(tr("Lesson"), this);
    lesson_dock_->setObjectName(QStringLiteral("LessonDock"));
    lesson_dock_->setWidget(lesson_panel_);
    lesson_dock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, lesson_dock_);
    lesson_dock_->hide();
    connect(lesson_dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible && lesson_ && !lesson_dock_->isVisible() && isVisible()) {
            stop_lesson();  // closed by the student
        }
    });

    watch_ = session_.watch([this](unsigned changes) { session_changed(changes); });
    loo_ = std::make_unique<LooThread>(session_);
    session_changed(~0u);
}

ExplorerWindow::~ExplorerWindow() {
    session_.unwatch(watch_);
    lesson_panel_->show_player(nullptr);
    lesson_.reset();
    loo_.reset();
    // The parts view the session, which goes first among the members.
    delete takeCentralWidget();
    delete sorted_;
    delete model_;
}

QWidget* ExplorerWindow::build_plot_box() {
    plot_ = new ExplorerPlot(session_);
    plot_->setObjectName(QStringLiteral("ExplorerPlot"));
    connect(plot_, &ExplorerPlot::hovered, this, &ExplorerWindow::show_readout);
    fit_ = new QCheckBox(tr("&Fit the estimate"));
    fit_->setToolTip(tr("Widen the value axis to show estimates outside -0.1 to 1.2"));
    connect(fit_, &QCheckBox::toggled, this, [this](bool on) {
        fit_action_->setChecked(on);
        show_scene();
    });
    readout_ = new QLabel;
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notes_ = new QLabel;
    notes_->setObjectName(QStringLiteral("PlotNotes"));
    notes_->setWordWrap(true);
    notes_->setTextFormat(Qt::PlainText);
    notes_->setStyleSheet(QStringLiteral("color: rgb(150, 0, 0)"));

    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_, 1);
    auto* under_plot = new QHBoxLayout;
    under_plot->addWidget(readout_, 1);
    under_plot->addWidget(fit_);
    layout->addLayout(under_plot);
    layout->addWidget(notes_);
    return box;
}

QTableView* ExplorerWindow::build_table() {
    model_ = new ScoreModel(session_, this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(ScoreModel::kSortRole);
    table_view_ = new QTableView;
    table_view_->setObjectName(QStringLiteral("ScoreTable"));
    table_view_->setModel(sorted_);
    table_view_->setSortingEnabled(true);
    table_view_->sortByColumn(ScoreModel::method_column, Qt::AscendingOrder);
    table_view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_view_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_view_->verticalHeader()->hide();
    table_view_->verticalHeader()->setDefaultSectionSize(table_view_->fontMetrics().height() + 6);
    QHeaderView* header = table_view_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(ScoreModel::method_column, QHeaderView::Stretch);
    for (const int column :
         {ScoreModel::rms_column, ScoreModel::max_column, ScoreModel::loo_column}) {
        table_view_->setColumnWidth(column, 130);
    }
    table_view_->setAccessibleName(tr("Score table"));
    connect(model_, &QAbstractItemModel::modelReset, this, &ExplorerWindow::show_spans);
    connect(sorted_, &QAbstractItemModel::layoutChanged, this, &ExplorerWindow::show_spans);
    connect(table_view_, &QTableView::activated, this, [this](const QModelIndex& index) {
        const int row = sorted_->mapToSource(index).row();
        const explore::TableMethod& method = scores().methods[static_cast<std::size_t>(row)];
        if (method.tour_values) {
            session_.choose_method(method.method.entry);
        }
    });
    return table_view_;
}

void ExplorerWindow::build_menus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open Setup..."), QKeySequence::Open, this, &ExplorerWindow::open_dialog);
    file->addAction(tr("Open &Lesson..."), this, &ExplorerWindow::open_lesson_dialog);
    file->addAction(tr("&Save Setup"), QKeySequence::Save, this, [this] { save_dialog(false); });
    file->addAction(tr("Save Setup &As..."), QKeySequence::SaveAs, this,
                    [this] { save_dialog(true); });
    file->addSeparator();
    file->addAction(tr("Export &Plot..."), this, &ExplorerWindow::export_plot_dialog);
    file->addAction(tr("Export &Table..."), this, &ExplorerWindow::export_table_dialog);
    file->addAction(tr("Export &Curves (CSV)..."), this, &ExplorerWindow::export_curves_dialog);
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    undo_ = edit->addAction(tr("&Undo"), this, [this] { session_.undo(); });
    undo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    redo_ = edit->addAction(tr("&Redo"), this, [this] { session_.redo(); });
    redo_->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    edit->addSeparator();
    remove_action_ = edit->addAction(tr("Remove the Selected &Station"), this,
                                     [this] { session_.remove_selected(); });

    QMenu* view = menuBar()->addMenu(tr("&View"));
    fit_action_ = view->addAction(tr("&Fit the Estimate"));
    fit_action_->setCheckable(true);
    fit_action_->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    connect(fit_action_, &QAction::toggled, fit_, &QCheckBox::setChecked);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Open the &Tour"), this, &ExplorerWindow::open_tour);
    QMenu* lessons = help->addMenu(tr("&Lessons"));
    for (const explore::BuiltinLesson& builtin : explore::builtin_lessons()) {
        const explore::ParsedLesson parsed = explore::parse_lesson(builtin.text);
        if (!parsed.ok()) {
            continue;  // the tests see to it that none is wrong
        }
        lessons->addAction(QString::fromStdString(parsed.lesson.title), this,
                           [this, lesson = parsed.lesson] {
                               if (may_drop_changes()) {
                                   play_lesson(lesson);
                               }
                           });
    }
    help->addAction(tr("&About"), this, &ExplorerWindow::about);
}

void ExplorerWindow::session_changed(unsigned changes) {
    using S = explore::Session;
    model_->session_changed(changes);
    if (changes & (S::table_changed | S::loo_changed)) {
        show_spans();
        loo_state_->setText(session_.loo_ready() ? tr("Leave-one-out: ready")
                                                 : tr("Leave-one-out: computing\u2026"));
    }
    if (changes & (S::setup_changed | S::table_changed | S::selection_changed)) {
        show_scene();
        show_readout(hover_x_);
    }
    if (changes & (S::setup_changed | S::selection_changed | S::history_changed)) {
        controls_->show_session();
        show_actions();
    }
    if (changes & S::history_changed) {
        show_title();
    }
    if (lesson_ && (changes & (S::table_changed | S::loo_changed))) {
        lesson_panel_->refresh();  // its numbers follow the table
    }
    if (changes & S::refusal_changed) {
        if (session_.refusal().empty()) {
            statusBar()->clearMessage();
        } else {
            statusBar()->showMessage(text_of(session_.refusal()), kMessageMillis);
            controls_->show_session();  // a refused value is typed over by the setup's
        }
    }
}

void ExplorerWindow::show_scene() {
    const explore::Scene scene = session_.scene(fit_->isChecked());
    QStringList notes;
    for (const std::string& note : scene.notes) {
        notes << text_of(note);
    }
    notes_->setText(notes.join(QLatin1Char('\n')));
    notes_->setVisible(!notes.isEmpty());
    plot_->show_scene(scene);
}

void ExplorerWindow::show_spans() {
    table_view_->clearSpans();
    for (int row = 0; row < sorted_->rowCount(); ++row) {
        const int source = sorted_->mapToSource(sorted_->index(row, 0)).row();
        if (source >= 0 && !scores().rows[static_cast<std::size_t>(source)].ran()) {
            table_view_->setSpan(row, ScoreModel::rms_column, 1,
                                 ScoreModel::column_count - ScoreModel::rms_column);
        }
    }
}

void ExplorerWindow::show_actions() {
    const explore::History& history = session_.history();
    undo_->setEnabled(history.can_undo());
    undo_->setText(history.can_undo() ? tr("&Undo %1").arg(text_of(history.undo_name()))
                                      : tr("&Undo"));
    redo_->setEnabled(history.can_redo());
    redo_->setText(history.can_redo() ? tr("&Redo %1").arg(text_of(history.redo_name()))
                                      : tr("&Redo"));
    remove_action_->setEnabled(can_remove_selected(session_));
}

void ExplorerWindow::show_title() {
    const QString name = path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
    setWindowTitle(tr("%1[*] - Interpolation Explorer").arg(name));
    setWindowModified(session_.history().modified());
}

void ExplorerWindow::show_readout(std::optional<double> x) {
    hover_x_ = x;
    readout_->setText(readout_text(session_, x, locale()));
}

void ExplorerWindow::play_lesson(explore::Lesson lesson) {
    lesson_panel_->show_player(nullptr);
    lesson_.reset();
    path_.clear();
    lesson_ = std::make_unique<explore::LessonPlayer>(session_, std::move(lesson));
    lesson_panel_->show_player(lesson_.get());
    lesson_dock_->setWindowTitle(
        tr("Lesson: %1").arg(QString::fromStdString(lesson_->lesson().title)));
    lesson_dock_->show();
    show_title();
}

void ExplorerWindow::stop_lesson() {
    lesson_panel_->show_player(nullptr);
    lesson_.reset();
}

void ExplorerWindow::open_tour() {
    if (!tour_window_) {
        tour_window_ = new Form1(nullptr, Form1::Presentation::interactive, Form1::Ending::window);
        tour_window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    tour_window_->show();
    tour_window_->raise();
    tour_window_->activateWindow();
}

void ExplorerWindow::about() {
    if (quiet_) {
        return;
    }
    QMessageBox::about(
        this, tr("About the Interpolation Explorer"),
        tr("<p><b>Interpolation Explorer</b>, part of interp1d-tour %1.</p>"
           "<p>Move, add and remove stations, change a method's parameters, and see what every "
           "method of the tour makes of it: its error against the true field, and its "
           "leave-one-out error, which needs no true field.</p>"
           "<p>The numbers come from the tour's own procedures.</p>")
            .arg(QApplication::applicationVersion()));
}

void ExplorerWindow::closeEvent(QCloseEvent* event) {
    if (may_drop_changes()) {
        loo_.reset();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tour
