// A lesson played in the explorer: one more view of the session. Each step
// opens its setup in the session (a student's edits then change it, and
// Reset Step brings the step's own back); its text is filled from the
// session's live table; its question is answered once and marked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "explore/lesson.hpp"
#include "explore/session.hpp"

namespace tour::explore {

class LessonPlayer {
  public:
    // Opens the first step. The session must outlive the player.
    LessonPlayer(Session& session, Lesson lesson);
    ~LessonPlayer();
    LessonPlayer(const LessonPlayer&) = delete;
    LessonPlayer& operator=(const LessonPlayer&) = delete;

    const Lesson& lesson() const { return lesson_; }
    // The step shown (from 0), or the number of steps at the end.
    int step() const { return step_; }
    bool at_end() const { return step_ == static_cast<int>(lesson_.steps.size()); }
    const LessonStep& current() const;

    // Continue: the next step, or after the last the end. Back: the step
    // before. Each opens the step's own setup.
    void next();
    void back();
    void go_to(int step);
    // The step's own setup again, as an edit Undo takes back.
    void reset_step();

    // "Step 2 of 7".
    std::string step_label() const;
    // The step's text filled from the session's table as it is now.
    std::string text(const std::string& decimal_separator) const;

    // The first answer counts: whether it was right; later ones change nothing.
    bool answer(int choice);
    std::optional<int> answer_given() const;
    int questions() const;
    int right_answers() const;

  private:
    void open_step();

    Session& session_;
    Lesson lesson_;
    int step_ = 0;
    std::vector<std::optional<int>> answers_;
};

}  // namespace tour::explore
