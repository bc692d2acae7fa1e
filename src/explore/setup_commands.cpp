#include "explore/setup_commands.hpp"

#include "explore/curves_csv.hpp"
#include "explore/lesson_file.hpp"
#include "explore/score_csv.hpp"
#include "explore/session.hpp"
#include "explore/setup_file.hpp"

namespace tour::explore {

namespace {

// The setup in the file at path, or the exit status after the message that
// says what is wrong went to err: 1 when it cannot be read, 2 when it is no
// valid setup.
int read_setup(const std::string& path, std::ostream& err, Setup& setup) {
    LoadedSetup loaded = load_setup(path);
    switch (loaded.status) {
        case LoadedSetup::Status::unreadable:
            err << loaded.message << "\n";
            return 1;
        case LoadedSetup::Status::invalid:
            err << loaded.message << "\n";
            return 2;
        case LoadedSetup::Status::ok:
            break;
    }
    setup = std::move(loaded.setup);
    return 0;
}

// A step as the teacher proofreads it: the text with its numbers, then the
// question with its choices, the answer marked, and the explanation.
void write_step(std::ostream& out, const LessonStep& step, int number, std::size_t count) {
    Session session(step.setup);
    session.compute_loo();
    out << "Step " << number << " of " << count << "\n"
        << filled_text(step.text, session.table(), session.loo_cells(), ".") << "\n";
    if (step.question) {
        const Question& q = *step.question;
        out << "\nQuestion: " << q.ask << "\n";
        for (std::size_t i = 0; i < q.choices.size(); ++i) {
            out << "  " << i + 1 << ". " << q.choices[i]
                << (static_cast<int>(i) == q.answer ? "  (the answer)" : "") << "\n";
        }
        out << "Explanation: " << q.explain << "\n";
    }
    if (!step.edit) {
        out << "(The stations stay where they are.)\n";
    }
}

}  // namespace

int check_lesson_file(const std::string& path, std::ostream& out, std::ostream& err) {
    const LoadedLesson loaded = load_lesson(path);
    for (const std::string& problem : loaded.problems) {
        err << problem << "\n";
    }
    switch (loaded.status) {
        case LoadedLesson::Status::unreadable:
            return 1;
        case LoadedLesson::Status::invalid:
            return 2;
        case LoadedLesson::Status::ok:
            break;
    }
    const Lesson& lesson = loaded.lesson;
    out << lesson.title << "\n";
    for (std::size_t i = 0; i < lesson.steps.size(); ++i) {
        out << "\n";
        write_step(out, lesson.steps[i], static_cast<int>(i) + 1, lesson.steps.size());
    }
    out.flush();
    return out ? 0 : 1;
}

int score_setup_file(const std::string& path, std::ostream& out, std::ostream& err) {
    Setup setup;
    if (const int status = read_setup(path, err, setup)) {
        return status;
    }
    out << score_csv(setup);
    out.flush();
    return out ? 0 : 1;
}

int curves_setup_file(const std::string& path, std::ostream& out, std::ostream& err) {
    Setup setup;
    if (const int status = read_setup(path, err, setup)) {
        return status;
    }
    const CurvesCsv csv = curves_csv(setup);
    out << csv.text;
    out.flush();
    for (const std::string& fault : csv.faults) {
        err << fault << "\n";
    }
    if (!out) {
        return 1;
    }
    return csv.faults.empty() ? 0 : 3;
}

}  // namespace tour::explore
