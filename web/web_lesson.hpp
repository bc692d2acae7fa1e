// A lesson played on the page: the lesson player over the page's session,
// its state as JSON text for the page to show as text.
#pragma once

#include <memory>
#include <string>

#include "explore/lesson_player.hpp"
#include "web_session.hpp"

namespace tour {

class WebLesson {
  public:
    // The session must outlive the lesson. An invalid text leaves the
    // lesson empty: problems() says what is wrong, one problem a line.
    WebLesson(WebSession& session, const std::string& text);

    std::string problems() const { return problems_; }
    bool ok() const { return player_ != nullptr; }

    // {"title", "step", "steps", "atEnd", "label", "paragraphs": [...],
    //  "question": {"ask", "choices", "answer" (once given), "given",
    //  "right", "explain" (once given)} | null, "edit", "rightAnswers",
    //  "questions"}; the numbers with the given decimal separator.
    std::string view(const std::string& decimal_separator) const;
    void next();
    void back();
    void reset_step();
    bool answer(int choice);

  private:
    std::unique_ptr<explore::LessonPlayer> player_;
    std::string problems_;
};

// The lessons that come with the program: [{"name", "title", "text"}].
std::string builtin_lessons_json();

// What is wrong with a lesson's text, one problem a line with its place; ""
// when it can be played. Nothing is opened: the page checks a lesson before
// it drops the one playing.
std::string lesson_problems(const std::string& text);

}  // namespace tour
