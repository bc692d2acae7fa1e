#include "window/explorer_controls.hpp"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tour {

namespace {

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

bool can_remove_selected(const explore::Session& session) {
    const auto index = session.selected_index();
    const int count = static_cast<int>(session.layout().stations.size());
    return index && *index > 0 && *index + 1 < count && count > explore::kLeastStations;
}

ExplorerControls::ExplorerControls(explore::Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setMinimumWidth(280);
    setMaximumWidth(380);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(build_layout_box());
    layout->addWidget(build_method_box(), 1);
    layout->addWidget(build_compare_box());
}

QWidget* ExplorerControls::build_layout_box() {
    auto* box = new QGroupBox(tr("Stations and field"));
    auto* form = new QVBoxLayout(box);
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
                [this, scenario] { session_.load_preset(scenario); });
        presets->addWidget(button);
    }
    form->addLayout(presets);
    field_ = new QComboBox;
    field_->setAccessibleName(tr("True field"));
    for (const explore::Field field : {explore::Field::bump, explore::Field::plateau}) {
        field_->addItem(QString::fromUtf8(explore::field_label(field)));
    }
    connect(field_, &QComboBox::activated, this, [this](int index) {
        session_.set_field(index == 0 ? explore::Field::bump : explore::Field::plateau);
    });
    auto* field_row = new QHBoxLayout;
    field_row->addWidget(new QLabel(tr("True field:")));
    field_row->addWidget(field_, 1);
    form->addLayout(field_row);
    station_count_ = new QLabel;
    station_count_->setWordWrap(true);
    form->addWidget(station_count_);
    remove_ = new QPushButton(tr("Remove the selected station"));
    connect(remove_, &QPushButton::clicked, this, [this] { session_.remove_selected(); });
    form->addWidget(remove_);
    return box;
}

QWidget* ExplorerControls::build_method_box() {
    auto* box = new QGroupBox(tr("Method"));
    auto* layout = new QVBoxLayout(box);
    methods_ = new QListWidget;
    methods_->setObjectName(QStringLiteral("MethodList"));
    methods_->setAccessibleName(tr("Method"));
    for (const CatalogueEntry& entry : catalogue()) {
        methods_->addItem(QString::fromUtf8(entry.label));
    }
    connect(methods_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != session_.setup().method.entry) {
            session_.choose_method(row);
        }
    });
    layout->addWidget(methods_, 1);
    parameters_ = new ParameterPanel;
    connect(parameters_, &ParameterPanel::parameter_entered, this,
            [this](int index, const QString& text) {
                if (!session_.set_parameter(index, text.toStdString())) {
                    show_session();  // a refused value is typed over by the setup's
                }
            });
    connect(parameters_, &ParameterPanel::reset_requested, this,
            [this] { session_.use_tour_values(); });
    layout->addWidget(parameters_);
    return box;
}

QWidget* ExplorerControls::build_compare_box() {
    auto* box = new QGroupBox(tr("Compare with"));
    auto* layout = new QVBoxLayout(box);
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
        session_.choose_compare(index == 0 ? std::nullopt : std::optional<int>(index - 1));
    });
    layout->addWidget(compare_);
    return box;
}

void ExplorerControls::show_session() {
    const explore::Setup& setup = session_.setup();
    {
        const QSignalBlocker quiet(methods_);
        methods_->setCurrentRow(setup.method.entry);
        methods_->scrollToItem(methods_->currentItem());
    }
    field_->setCurrentIndex(setup.layout.field == explore::Field::bump ? 0 : 1);
    parameters_->show_method(setup.method);
    show_compare();
    show_stations();
}

void ExplorerControls::show_compare() {
    // A compared method with values of its own (from a setup file) is shown
    // under its label after the tour's methods.
    const explore::Setup& setup = session_.setup();
    const int tour_items = static_cast<int>(catalogue().size()) + 1;
    const bool own_values = setup.compare && !explore::matching_entry(*setup.compare);
    if (own_values) {
        const QString label = text_of(explore::method_label(*setup.compare));
        if (compare_->count() == tour_items) {
            compare_->addItem(label);
        }
        compare_->setItemText(tour_items, label);
        compare_->setCurrentIndex(tour_items);
        return;
    }
    if (compare_->count() > tour_items) {
        compare_->removeItem(tour_items);
    }
    compare_->setCurrentIndex(setup.compare ? setup.compare->entry + 1 : 0);
}

void ExplorerControls::show_stations() {
    const auto& stations = session_.layout().stations;
    QString count = tr("%1 stations (3 to 21).").arg(stations.size());
    if (const auto selected = session_.selected()) {
        const float value = explore::observed(session_.layout().field, *selected);
        count += QLatin1Char(' ') + tr("Selected: the station at %1, observing %2.")
                                        .arg(*selected)
                                        .arg(QLocale().toString(value, 'f', 6));
    } else {
        count += QLatin1Char(' ') + tr("Click the plot to add a station, drag one to move it.");
    }
    station_count_->setText(count);
    remove_->setEnabled(can_remove_selected(session_));
}

}  // namespace tour
