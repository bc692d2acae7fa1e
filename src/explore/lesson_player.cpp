#include "explore/lesson_player.hpp"

#include "world/runtime_error.hpp"

namespace tour::explore {

LessonPlayer::LessonPlayer(Session& session, Lesson lesson)
    : session_(session), lesson_(std::move(lesson)), answers_(lesson_.steps.size()) {
    if (lesson_.steps.empty()) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    open_step();
}

LessonPlayer::~LessonPlayer() {
    session_.set_stations_fixed(false);
}

const LessonStep& LessonPlayer::current() const {
    return lesson_.steps[static_cast<std::size_t>(at_end() ? step_ - 1 : step_)];
}

void LessonPlayer::next() {
    if (!at_end()) {
        ++step_;
        open_step();
    }
}

void LessonPlayer::back() {
    if (step_ > 0) {
        --step_;
        open_step();
    }
}

void LessonPlayer::go_to(int step) {
    if (step >= 0 && step <= static_cast<int>(lesson_.steps.size())) {
        step_ = step;
        open_step();
    }
}

void LessonPlayer::open_step() {
    if (at_end()) {
        session_.set_stations_fixed(false);
        return;
    }
    session_.set_stations_fixed(false);
    session_.open(current().setup);
    session_.set_stations_fixed(!current().edit);
}

void LessonPlayer::reset_step() {
    if (!at_end()) {
        session_.apply(Edit{current().setup, {}, "Reset step", std::nullopt});
    }
}

std::string LessonPlayer::step_label() const {
    return "Step " + std::to_string(step_ + 1) + " of " + std::to_string(lesson_.steps.size());
}

std::string LessonPlayer::text(const std::string& decimal_separator) const {
    return filled_text(current().text, session_.table(), session_.loo_cells(), decimal_separator);
}

bool LessonPlayer::answer(int choice) {
    if (at_end() || !current().question) {
        return false;
    }
    const Question& question = *current().question;
    if (choice < 0 || choice >= static_cast<int>(question.choices.size())) {
        return false;
    }
    auto& given = answers_[static_cast<std::size_t>(step_)];
    if (!given) {
        given = choice;
    }
    return *given == question.answer;
}

std::optional<int> LessonPlayer::answer_given() const {
    return at_end() ? std::nullopt : answers_[static_cast<std::size_t>(step_)];
}

int LessonPlayer::questions() const {
    int count = 0;
    for (const LessonStep& step : lesson_.steps) {
        count += step.question.has_value();
    }
    return count;
}

int LessonPlayer::right_answers() const {
    int right = 0;
    for (std::size_t i = 0; i < lesson_.steps.size(); ++i) {
        const auto& question = lesson_.steps[i].question;
        right += question && answers_[i] && *answers_[i] == question->answer;
    }
    return right;
}

}  // namespace tour::explore
