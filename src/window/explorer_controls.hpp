// The explorer's side panel, a view of the session: the tour's layouts, the
// true field, the stations' count and the selected station, the method list
// with the chosen method's parameters, and the method to compare with. What
// the student does goes to the session, which takes or refuses it; the panel
// then shows the session's state again.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "explore/session.hpp"
#include "window/parameter_panel.hpp"

namespace tour {

class ExplorerControls : public QWidget {
    Q_OBJECT
  public:
    explicit ExplorerControls(explore::Session& session, QWidget* parent = nullptr);

    // Shows the session's setup, selection and history in every control.
    void show_session();

    QListWidget* method_list() const { return methods_; }
    QComboBox* compare_box() const { return compare_; }
    QComboBox* field_box() const { return field_; }
    ParameterPanel* parameters() const { return parameters_; }

  private:
    QWidget* build_layout_box();
    QWidget* build_method_box();
    QWidget* build_compare_box();
    void show_compare();
    void show_stations();

    explore::Session& session_;
    QComboBox* field_ = nullptr;
    QLabel* station_count_ = nullptr;
    QPushButton* remove_ = nullptr;
    QListWidget* methods_ = nullptr;
    ParameterPanel* parameters_ = nullptr;
    QComboBox* compare_ = nullptr;
};

// Whether the selected station may be removed: not an end, and more than 3.
bool can_remove_selected(const explore::Session& session);

}  // namespace tour
