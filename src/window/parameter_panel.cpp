#include "window/parameter_panel.hpp"

#include <QLocale>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "explore/parameters.hpp"

namespace tour {

ParameterPanel::ParameterPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    form_ = new QFormLayout;
    none_ = new QLabel(tr("This method has no parameters."), this);
    none_->setWordWrap(true);
    reset_ = new QPushButton(tr("Tour's values"), this);
    reset_->setToolTip(tr("Set the parameters back to the values the tour uses for this method"));
    layout->addLayout(form_);
    layout->addWidget(none_);
    layout->addWidget(reset_, 0, Qt::AlignLeft);
    connect(reset_, &QPushButton::clicked, this, &ParameterPanel::reset_requested);
}

QWidget* ParameterPanel::field(int index) const {
    return index >= 0 && index < static_cast<int>(fields_.size())
               ? fields_[static_cast<std::size_t>(index)]
               : nullptr;
}

void ParameterPanel::rebuild(const ProcedureSpec& spec) {
    while (form_->rowCount() > 0) {
        form_->removeRow(0);
    }
    fields_.clear();
    for (int i = 0; i < spec.parameter_count; ++i) {
        const ParameterSpec& parameter = spec.parameters[static_cast<std::size_t>(i)];
        const QString label = QString::fromUtf8(parameter.label);
        QWidget* field = nullptr;
        if (parameter.kind == ParameterSpec::Kind::choice) {
            auto* box = new QComboBox(this);
            for (const char* choice : parameter.choice_labels) {
                box->addItem(QString::fromUtf8(choice));
            }
            connect(box, &QComboBox::activated, this,
                    [this, i, box] { emit parameter_entered(i, box->currentText()); });
            field = box;
        } else {
            auto* edit = new QLineEdit(this);
            edit->setPlaceholderText(QString::fromStdString(explore::range_text(parameter)));
            connect(edit, &QLineEdit::editingFinished, this, [this, i, edit] {
                if (edit->isModified()) {
                    edit->setModified(false);
                    emit parameter_entered(i, edit->text());
                }
            });
            field = edit;
        }
        const QString range = QString::fromStdString(explore::range_text(parameter));
        field->setToolTip(tr("%1: %2").arg(label, range));
        field->setAccessibleName(label);
        form_->addRow(label + QStringLiteral(":"), field);
        fields_.push_back(field);
    }
}

void ParameterPanel::show_method(const explore::MethodChoice& method) {
    const ProcedureSpec& spec = explore::procedure_of(method);
    if (shown_procedure_ != static_cast<int>(spec.id)) {
        rebuild(spec);
        shown_procedure_ = static_cast<int>(spec.id);
    }
    none_->setVisible(spec.parameter_count == 0);
    reset_->setVisible(spec.parameter_count > 0);
    reset_->setEnabled(!(method.values == explore::entry_of(method).values));
    for (int i = 0; i < spec.parameter_count; ++i) {
        const float value = method.values[static_cast<std::size_t>(i)];
        QWidget* field = fields_[static_cast<std::size_t>(i)];
        field->setEnabled(parameter_applies(spec, i, method.values));
        if (auto* box = qobject_cast<QComboBox*>(field)) {
            const QSignalBlocker quiet(box);
            box->setCurrentIndex(static_cast<int>(value));
        } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            QString text = QString::fromStdString(explore::format_value(value));
            text.replace(QLatin1Char('.'), QLocale().decimalPoint());
            edit->setText(text);
            edit->setModified(false);
        }
    }
}

}  // namespace tour
