// What the page may call for lessons: a lesson played over the page's
// session, a lesson's text checked, and the lessons that come with the
// program.
#include <emscripten/bind.h>

#include "web_lesson.hpp"

EMSCRIPTEN_BINDINGS(interp1d_lessons) {
    using namespace emscripten;
    using tour::WebLesson;
    class_<WebLesson>("Lesson")
        .constructor<tour::WebSession&, std::string>()
        .property("ok", &WebLesson::ok)
        .property("problems", &WebLesson::problems)
        .function("view", &WebLesson::view)
        .function("next", &WebLesson::next)
        .function("back", &WebLesson::back)
        .function("resetStep", &WebLesson::reset_step)
        .function("answer", &WebLesson::answer);
    function("builtinLessonsJson", &tour::builtin_lessons_json);
    function("lessonProblems", &tour::lesson_problems);
}
