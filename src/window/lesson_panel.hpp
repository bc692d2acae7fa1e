// The lesson beside the explorer, a view of the lesson player: the title,
// "Step 2 of 7", the step's text with its live numbers, the question with
// its choices, and Back, Reset Step and Continue; after the last step the
// end, with how many questions were answered right. Everything a lesson
// holds is shown as plain text.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <vector>

#include "explore/lesson_player.hpp"

namespace tour {

class LessonPanel : public QWidget {
    Q_OBJECT
  public:
    explicit LessonPanel(QWidget* parent = nullptr);

    // The player to show; nullptr shows nothing. The player must outlive
    // the panel's use of it (show(nullptr) first).
    void show_player(explore::LessonPlayer* player);
    // The player's state again: after a step changed or the table did.
    void refresh();

    QLabel* step_label() const { return step_; }
    QLabel* text_label() const { return text_; }
    QLabel* feedback_label() const { return feedback_; }
    QPushButton* back_button() const { return back_; }
    QPushButton* continue_button() const { return continue_; }
    QPushButton* reset_button() const { return reset_; }
    const std::vector<QPushButton*>& choice_buttons() const { return choices_; }

  private:
    void show_question();
    void answer(int choice);

    explore::LessonPlayer* player_ = nullptr;
    int shown_step_ = -1;
    QLabel* title_;
    QLabel* step_;
    QLabel* text_;
    QLabel* ask_;
    QVBoxLayout* choice_box_;
    std::vector<QPushButton*> choices_;
    QLabel* feedback_;
    QPushButton* back_;
    QPushButton* reset_;
    QPushButton* continue_;
};

}  // namespace tour
