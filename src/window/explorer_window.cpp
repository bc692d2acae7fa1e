#include "window/explorer_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QSplitter>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "explore/edits.hpp"
#include "explore/score_csv.hpp"
#include "explore/setup_file.hpp"
#include "window/form1.hpp"
#include "window/scene_painter.hpp"

namespace tour {

namespace {

constexpr int kRefusalMillis = 8000;

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

QString number(double value, int decimals = 6) {
    return QLocale().toString(value, 'f', decimals);
}

// Writes the whole file or nothing: the old file stays until the new one
// is complete.
QString write_file(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace

ExplorerWindow::ExplorerWindow(explore::Setup setup, QString path, QWidget* parent)
    : QMainWindow(parent), history_(std::move(setup)), path_(std::move(path)) {
    setObjectName(QStringLiteral("ExplorerWindow"));
    resize(1280, 820);

    plot_ = new ExplorerPlot;
    plot_->setObjectName(QStringLiteral("ExplorerPlot"));
    fit_ = new QCheckBox(tr("&Fit the estimate"));
    fit_->setToolTip(tr("Widen the value axis to show estimates outside -0.1 to 1.2"));
    readout_ = new QLabel;
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* plot_box = new QWidget;
    auto* plot_layout = new QVBoxLayout(plot_box);
    plot_layout->setContentsMargins(0, 0, 0, 0);
    plot_layout->addWidget(plot_, 1);
    auto* under_plot = new QHBoxLayout;
    under_plot->addWidget(readout_, 1);
    under_plot->addWidget(fit_);
    plot_layout->addLayout(under_plot);

    model_ = new ScoreModel(this);
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

    auto* left = new QSplitter(Qt::Vertical);
    left->addWidget(plot_box);
    left->addWidget(table_view_);
    left->setStretchFactor(0, 3);
    left->setStretchFactor(1, 2);
    auto* whole = new QSplitter(Qt::Horizontal);
    whole->addWidget(left);
    whole->addWidget(build_side_panel());
    whole->setStretchFactor(0, 1);
    whole->setStretchFactor(1, 0);
    setCentralWidget(whole);

    loo_state_ = new QLabel;
    statusBar()->addPermanentWidget(loo_state_);
    build_menus();
    connect_plot();

    connect(fit_, &QCheckBox::toggled, this, [this](bool on) {
        fit_action_->setChecked(on);
        refresh_scene();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &ExplorerWindow::refresh_spans);
    connect(sorted_, &QAbstractItemModel::layoutChanged, this, &ExplorerWindow::refresh_spans);
    connect(table_view_, &QTableView::activated, this, [this](const QModelIndex& index) {
        const int row = sorted_->mapToSource(index).row();
        const explore::TableMethod& method = scores().methods[static_cast<std::size_t>(row)];
        if (method.tour_values) {
            apply(explore::choose_method(history_.setup(), method.method.entry));
        }
    });

    worker_ = std::make_unique<explore::LooWorker>(
        [this](std::uint64_t ticket, std::vector<explore::LooCell> cells) {
            // On the worker's thread: hand the cells over to the window's.
            QMetaObject::invokeMethod(
                this,
                [this, ticket, cells = std::move(cells)]() mutable {
                    leave_one_out_done(ticket, std::move(cells));
                },
                Qt::QueuedConnection);
        });
    refresh();
}

ExplorerWindow::~ExplorerWindow() {
    worker_.reset();
}

QWidget* ExplorerWindow::build_side_panel() {
    auto* panel = new QWidget;
    panel->setMinimumWidth(280);
    panel->setMaximumWidth(380);
    auto* layout = new QVBoxLayout(panel);

    auto* layout_box = new QGroupBox(tr("Stations and field"));
    auto* layout_form = new QVBoxLayout(layout_box);
    auto* presets = new QHBoxLayout;
    const char* const preset_tips[] = {
        "21 stations 50 apart over the bump",
        "12 stations: one at 0, eleven from 500 to 1000, over the bump",
        "21 stations 50 apart over the jump, plateau and kink",
    };
    for (int scenario = 1; scenario <= 3; ++scenario) {
        auto* button = new QPushButton(tr("Scenario %1").arg(scenario));
        button->setToolTip(tr("The tour's layout: %1").arg(tr(preset_tips[scenario - 1])));
        connect(button, &QPushButton::clicked, this,
                [this, scenario] { apply(explore::load_preset(history_.setup(), scenario)); });
        presets->addWidget(button);
    }
    layout_form->addLayout(presets);
    field_ = new QComboBox;
    field_->setAccessibleName(tr("True field"));
    for (const explore::Field field : {explore::Field::bump, explore::Field::plateau}) {
        field_->addItem(QString::fromUtf8(explore::field_label(field)));
    }
    connect(field_, &QComboBox::activated, this, [this](int index) {
        apply(explore::set_field(history_.setup(),
                                 index == 0 ? explore::Field::bump : explore::Field::plateau));
    });
    auto* field_row = new QHBoxLayout;
    field_row->addWidget(new QLabel(tr("True field:")));
    field_row->addWidget(field_, 1);
    layout_form->addLayout(field_row);
    station_count_ = new QLabel;
    station_count_->setWordWrap(true);
    layout_form->addWidget(station_count_);
    remove_ = new QPushButton(tr("Remove the selected station"));
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (const auto index = plot_->selected_index()) {
            apply(explore::remove_station(history_.setup(), *index));
        }
    });
    layout_form->addWidget(remove_);
    layout->addWidget(layout_box);

    auto* method_box = new QGroupBox(tr("Method"));
    auto* method_layout = new QVBoxLayout(method_box);
    methods_ = new QListWidget;
    methods_->setObjectName(QStringLiteral("MethodList"));
    methods_->setAccessibleName(tr("Method"));
    for (const CatalogueEntry& entry : catalogue()) {
        methods_->addItem(QString::fromUtf8(entry.label));
    }
    connect(methods_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != history_.setup().method.entry) {
            apply(explore::choose_method(history_.setup(), row));
        }
    });
    method_layout->addWidget(methods_, 1);
    parameters_ = new ParameterPanel;
    connect(parameters_, &ParameterPanel::parameter_entered, this,
            [this](int index, const QString& text) {
                apply(explore::set_parameter(history_.setup(), index, text.toStdString()));
            });
    connect(parameters_, &ParameterPanel::reset_requested, this,
            [this] { apply(explore::use_tour_values(history_.setup())); });
    method_layout->addWidget(parameters_);
    layout->addWidget(method_box, 1);

    auto* compare_box = new QGroupBox(tr("Compare with"));
    auto* compare_layout = new QVBoxLayout(compare_box);
    compare_ = new QComboBox;
    compare_->setAccessibleName(tr("Compare with"));
    compare_->addItem(tr("(nothing)"));
    for (const CatalogueEntry& entry : catalogue()) {
        compare_->addItem(QString::fromUtf8(entry.label));
    }
    connect(compare_, &QComboBox::activated, this, [this](int index) {
        if (index > static_cast<int>(catalogue().size())) {
            return;  // the compared method's own values, already shown
        }
        apply(explore::choose_compare(history_.setup(),
                                      index == 0 ? std::nullopt : std::optional<int>(index - 1)));
    });
    compare_layout->addWidget(compare_);
    layout->addWidget(compare_box);
    return panel;
}

void ExplorerWindow::build_menus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open Setup..."), QKeySequence::Open, this, &ExplorerWindow::open_dialog);
    file->addAction(tr("&Save Setup"), QKeySequence::Save, this, [this] { save_dialog(false); });
    file->addAction(tr("Save Setup &As..."), QKeySequence::SaveAs, this,
                    [this] { save_dialog(true); });
    file->addSeparator();
    file->addAction(tr("Export &Plot..."), this, &ExplorerWindow::export_plot_dialog);
    file->addAction(tr("Export &Table..."), this, &ExplorerWindow::export_table_dialog);
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    undo_ = edit->addAction(tr("&Undo"), this, [this] {
        history_.undo();
        refresh();
    });
    undo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    redo_ = edit->addAction(tr("&Redo"), this, [this] {
        history_.redo();
        refresh();
    });
    redo_->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    edit->addSeparator();
    remove_action_ =
        edit->addAction(tr("Remove the Selected &Station"), remove_, &QPushButton::click);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    fit_action_ = view->addAction(tr("&Fit the Estimate"));
    fit_action_->setCheckable(true);
    fit_action_->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    connect(fit_action_, &QAction::toggled, fit_, &QCheckBox::setChecked);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Open the &Tour"), this, &ExplorerWindow::open_tour);
    help->addAction(tr("&About"), this, &ExplorerWindow::about);
}

void ExplorerWindow::connect_plot() {
    connect(plot_, &ExplorerPlot::add_requested, this,
            [this](double x) { apply(explore::add_station(history_.setup(), x)); });
    connect(plot_, &ExplorerPlot::drag_requested, this,
            [this](int index, double x, std::uint64_t gesture) {
                apply(explore::drag_station(history_.setup(), index, x), gesture);
            });
    connect(plot_, &ExplorerPlot::move_requested, this, [this](int index, int to) {
        apply(explore::move_station(history_.setup(), index, to));
    });
    connect(plot_, &ExplorerPlot::remove_requested, this,
            [this](int index) { apply(explore::remove_station(history_.setup(), index)); });
    connect(plot_, &ExplorerPlot::selection_changed, this, [this] {
        refresh_controls();
        refresh_scene();
    });
    connect(plot_, &ExplorerPlot::hovered, this, &ExplorerWindow::show_readout);
}

void ExplorerWindow::apply(const explore::Edit& edit, std::uint64_t merge_key) {
    if (!edit.accepted()) {
        statusBar()->showMessage(text_of(edit.refusal), kRefusalMillis);
        refresh_controls();  // a refused value is typed over by the setup's
        return;
    }
    statusBar()->clearMessage();
    const bool changed = history_.apply(edit, merge_key);
    if (edit.station) {
        plot_->select(*edit.station);
    }
    if (changed) {
        refresh();
    }
}

void ExplorerWindow::refresh() {
    const auto& stations = history_.setup().layout.stations;
    if (plot_->selected() &&
        std::find(stations.begin(), stations.end(), *plot_->selected()) == stations.end()) {
        plot_->select(std::nullopt);
    }
    explore::ScoreTable table = explore::score_table(history_.setup(), &scores());
    explore::LooJob job = explore::loo_job(table);
    // The same rows on the same layout keep their cells.
    const auto kept = job_ && *job_ == job ? model_->leave_one_out() : std::nullopt;
    model_->show_table(std::move(table));
    if (kept) {
        model_->show_leave_one_out(*kept);
    } else {
        job_ = job;
        ticket_ = worker_->start(std::move(job));
        loo_state_->setText(tr("Leave-one-out: computing\u2026"));
    }
    refresh_spans();
    refresh_controls();
    refresh_scene();
    refresh_title();
    show_readout(hover_x_);
}

void ExplorerWindow::leave_one_out_done(std::uint64_t ticket, std::vector<explore::LooCell> cells) {
    if (ticket != ticket_) {
        return;  // an older layout's
    }
    model_->show_leave_one_out(std::move(cells));
    loo_state_->setText(tr("Leave-one-out: ready"));
}

void ExplorerWindow::refresh_spans() {
    table_view_->clearSpans();
    for (int row = 0; row < sorted_->rowCount(); ++row) {
        const int source = sorted_->mapToSource(sorted_->index(row, 0)).row();
        if (source >= 0 && !scores().rows[static_cast<std::size_t>(source)].ran()) {
            table_view_->setSpan(row, ScoreModel::rms_column, 1,
                                 ScoreModel::column_count - ScoreModel::rms_column);
        }
    }
}

void ExplorerWindow::refresh_controls() {
    const explore::Setup& setup = history_.setup();
    {
        const QSignalBlocker quiet(methods_);
        methods_->setCurrentRow(setup.method.entry);
        methods_->scrollToItem(methods_->currentItem());
    }
    // A compared method with values of its own (from a setup file) is shown
    // under its label after the tour's methods.
    const int tour_items = static_cast<int>(catalogue().size()) + 1;
    const bool own_values = setup.compare && !explore::matching_entry(*setup.compare);
    if (own_values) {
        const QString label = text_of(explore::method_label(*setup.compare));
        if (compare_->count() == tour_items) {
            compare_->addItem(label);
        }
        compare_->setItemText(tour_items, label);
        compare_->setCurrentIndex(tour_items);
    } else {
        if (compare_->count() > tour_items) {
            compare_->removeItem(tour_items);
        }
        compare_->setCurrentIndex(setup.compare ? setup.compare->entry + 1 : 0);
    }
    field_->setCurrentIndex(setup.layout.field == explore::Field::bump ? 0 : 1);
    parameters_->show_method(setup.method);

    const auto& stations = setup.layout.stations;
    QString count = tr("%1 stations (3 to 21).").arg(stations.size());
    bool removable = false;
    if (const auto selected = plot_->selected()) {
        count +=
            QLatin1Char(' ') + tr("Selected: the station at %1, observing %2.")
                                   .arg(*selected)
                                   .arg(number(explore::observed(setup.layout.field, *selected)));
        removable = *selected != explore::kWestEnd && *selected != explore::kEastEnd &&
                    static_cast<int>(stations.size()) > explore::kLeastStations;
    } else {
        count += QLatin1Char(' ') + tr("Click the plot to add a station, drag one to move it.");
    }
    station_count_->setText(count);
    remove_->setEnabled(removable);
    remove_action_->setEnabled(removable);

    undo_->setEnabled(history_.can_undo());
    undo_->setText(history_.can_undo() ? tr("&Undo %1").arg(text_of(history_.undo_name()))
                                       : tr("&Undo"));
    redo_->setEnabled(history_.can_redo());
    redo_->setText(history_.can_redo() ? tr("&Redo %1").arg(text_of(history_.redo_name()))
                                       : tr("&Redo"));
}

explore::SceneOptions ExplorerWindow::scene_options() const {
    explore::SceneOptions options;
    options.fit_estimate = fit_->isChecked();
    options.selected_station = plot_->selected();
    return options;
}

void ExplorerWindow::refresh_scene() {
    plot_->show_scene(explore::build_scene(history_.setup(), scores(), scene_options()),
                      history_.setup().layout);
}

void ExplorerWindow::refresh_title() {
    const QString name = path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
    setWindowTitle(tr("%1[*] - Interpolation Explorer").arg(name));
    setWindowModified(history_.modified());
}

void ExplorerWindow::show_readout(std::optional<double> x) {
    hover_x_ = x;
    const auto readout =
        x ? explore::readout_at(history_.setup(), scores(), *x) : std::optional<explore::Readout>();
    if (!readout) {
        readout_->setText(tr("Point at the plot to read the values there."));
        return;
    }
    const explore::ScoreTable& table = scores();
    QString text = tr("x = %1    true field %2").arg(readout->x).arg(number(readout->truth));
    const auto add = [&](std::optional<int> row, std::optional<float> value) {
        if (row && value) {
            text += tr("    %1: %2")
                        .arg(text_of(table.methods[static_cast<std::size_t>(*row)].label))
                        .arg(number(*value));
        }
    };
    add(table.chosen_row, readout->chosen);
    if (readout->sigma) {
        text += tr(" \u00b1 %1").arg(number(2.0 * *readout->sigma));
    }
    if (table.compared_row != table.chosen_row) {
        add(table.compared_row, readout->compared);
    }
    readout_->setText(text);
}

bool ExplorerWindow::open_setup(const QString& path) {
    const explore::LoadedSetup loaded = explore::load_setup(path.toStdString());
    if (loaded.status != explore::LoadedSetup::Status::ok) {
        tell(tr("Cannot open the setup"), text_of(loaded.message));
        return false;
    }
    history_.reset(loaded.setup);
    path_ = path;
    plot_->select(std::nullopt);
    refresh();
    return true;
}

bool ExplorerWindow::save_setup(const QString& path) {
    const std::string text = explore::setup_text(history_.setup());
    const QString error = write_file(path, QByteArray::fromStdString(text));
    if (!error.isEmpty()) {
        tell(tr("Cannot save the setup"), tr("%1: %2").arg(path, error));
        return false;
    }
    path_ = path;
    history_.mark_saved();
    refresh_title();
    statusBar()->showMessage(tr("Saved %1").arg(path), kRefusalMillis);
    return true;
}

bool ExplorerWindow::export_plot(const QString& path) {
    explore::SceneOptions options = scene_options();
    options.selected_station.reset();  // the selection is the window's, not the plot's
    const explore::Scene scene = explore::build_scene(history_.setup(), scores(), options);
    const QSize size = plot_->size().expandedTo(QSize(900, 560));
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
    } else if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(tr("Interpolation Explorer plot"));
        QPainter painter(&svg);
        paint_scene(painter, scene, QRectF(QPointF(0, 0), size), locale());
        painter.end();
    } else {
        QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2.0);
        image.fill(Qt::white);
        QPainter painter(&image);
        paint_scene(painter, scene, QRectF(QPointF(0, 0), size), locale());
        painter.end();
        if (!image.save(&file, "PNG")) {
            error = tr("the image could not be written");
        }
    }
    if (error.isEmpty() && !file.commit()) {
        error = file.errorString();
    }
    if (!error.isEmpty()) {
        file.cancelWriting();
        tell(tr("Cannot export the plot"), tr("%1: %2").arg(path, error));
        return false;
    }
    statusBar()->showMessage(tr("Exported the plot to %1").arg(path), kRefusalMillis);
    return true;
}

bool ExplorerWindow::export_table(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto& cells = model_->leave_one_out();
    const std::string csv =
        cells ? explore::score_csv(scores(), *cells) : explore::score_csv(history_.setup());
    QApplication::restoreOverrideCursor();
    const QString error = write_file(path, QByteArray::fromStdString(csv));
    if (!error.isEmpty()) {
        tell(tr("Cannot export the table"), tr("%1: %2").arg(path, error));
        return false;
    }
    statusBar()->showMessage(tr("Exported the table to %1").arg(path), kRefusalMillis);
    return true;
}

void ExplorerWindow::open_dialog() {
    if (!may_drop_changes()) {
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Setup"), QFileInfo(path_).path(),
                                     tr("Explorer setups (*.json);;All files (*)"));
    if (!path.isEmpty()) {
        open_setup(path);
    }
}

bool ExplorerWindow::save_dialog(bool choose_path) {
    QString path = path_;
    if (choose_path || path.isEmpty()) {
        path = QFileDialog::getSaveFileName(this, tr("Save Setup"),
                                            path.isEmpty() ? tr("setup.json") : path,
                                            tr("Explorer setups (*.json)"));
        if (path.isEmpty()) {
            return false;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".json");
        }
    }
    return save_setup(path);
}

void ExplorerWindow::export_plot_dialog() {
    QString filter;
    QString path =
        QFileDialog::getSaveFileName(this, tr("Export Plot"), tr("plot.png"),
                                     tr("PNG image (*.png);;SVG drawing (*.svg)"), &filter);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += filter.contains(QStringLiteral("svg")) ? QStringLiteral(".svg")
                                                       : QStringLiteral(".png");
    }
    export_plot(path);
}

void ExplorerWindow::export_table_dialog() {
    QString path = QFileDialog::getSaveFileName(this, tr("Export Table"), tr("scores.csv"),
                                                tr("CSV table (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
    }
    export_table(path);
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

bool ExplorerWindow::may_drop_changes() {
    if (!history_.modified() || quiet_) {
        return true;
    }
    const auto answer = QMessageBox::question(
        this, tr("Unsaved changes"), tr("Save the changes to this setup first?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) {
        return save_dialog(false);
    }
    return answer == QMessageBox::Discard;
}

void ExplorerWindow::tell(const QString& title, const QString& text) {
    statusBar()->showMessage(text, kRefusalMillis);
    if (!quiet_) {
        QMessageBox::warning(this, title, text);
    }
}

void ExplorerWindow::closeEvent(QCloseEvent* event) {
    if (may_drop_changes()) {
        worker_->stop();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tour
