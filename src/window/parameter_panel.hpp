// The chosen method's parameters: a field for each, with its range, showing
// the values of the setup. What is typed goes to the core, which takes or
// refuses it; the panel then shows the setup's values again.
#pragma once

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "explore/setup.hpp"

namespace tour {

class ParameterPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ParameterPanel(QWidget* parent = nullptr);

    void show_method(const explore::MethodChoice& method);
    // The field of parameter index, for tests.
    QWidget* field(int index) const;

  signals:
    void parameter_entered(int index, const QString& text);
    void reset_requested();

  private:
    void rebuild(const ProcedureSpec& spec);

    QFormLayout* form_;
    QLabel* none_;
    QPushButton* reset_;
    std::vector<QWidget*> fields_;
    int shown_procedure_ = -1;
};

}  // namespace tour
