#include "web_lesson.hpp"

#include <nlohmann/json.hpp>

#include "explore/builtin_lessons.hpp"

namespace tour {

using Json = nlohmann::json;

namespace {

std::string problem_lines(const explore::ParsedLesson& parsed) {
    std::string lines;
    for (const std::string& problem : parsed.problems) {
        lines += problem + "\n";
    }
    return lines;
}

}  // namespace

WebLesson::WebLesson(WebSession& session, const std::string& text) {
    explore::ParsedLesson parsed = explore::parse_lesson(text);
    problems_ = problem_lines(parsed);
    if (parsed.ok()) {
        player_ =
            std::make_unique<explore::LessonPlayer>(session.session(), std::move(parsed.lesson));
    }
}

std::string WebLesson::view(const std::string& decimal_separator) const {
    if (!player_) {
        return "null";
    }
    const explore::LessonPlayer& p = *player_;
    Json json{{"title", p.lesson().title},        {"step", p.step()},
              {"steps", p.lesson().steps.size()}, {"atEnd", p.at_end()},
              {"label", p.step_label()},          {"rightAnswers", p.right_answers()},
              {"questions", p.questions()},       {"edit", p.at_end() || p.current().edit},
              {"paragraphs", Json::array()},      {"question", nullptr}};
    if (p.at_end()) {
        return json.dump();
    }
    json["paragraphs"] = explore::paragraphs(p.text(decimal_separator));
    if (const auto& question = p.current().question) {
        Json q{{"ask", question->ask}, {"choices", question->choices}, {"given", nullptr}};
        if (const auto given = p.answer_given()) {
            q["given"] = *given;
            q["answer"] = question->answer;
            q["right"] = *given == question->answer;
            q["explain"] = question->explain;
        }
        json["question"] = q;
    }
    return json.dump();
}

void WebLesson::next() {
    if (player_) {
        player_->next();
    }
}

void WebLesson::back() {
    if (player_) {
        player_->back();
    }
}

void WebLesson::reset_step() {
    if (player_) {
        player_->reset_step();
    }
}

bool WebLesson::answer(int choice) {
    return player_ && player_->answer(choice);
}

std::string builtin_lessons_json() {
    Json lessons = Json::array();
    for (const explore::BuiltinLesson& builtin : explore::builtin_lessons()) {
        const explore::ParsedLesson parsed = explore::parse_lesson(builtin.text);
        lessons.push_back({{"name", builtin.name},
                           {"title", parsed.ok() ? parsed.lesson.title : builtin.name},
                           {"text", builtin.text}});
    }
    return lessons.dump();
}

std::string lesson_problems(const std::string& text) {
    return problem_lines(explore::parse_lesson(text));
}

}  // namespace tour
