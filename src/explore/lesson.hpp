// A lesson: steps of plain text, each with a setup of the explorer and an
// optional question, written by a teacher as a JSON file:
//
//   {
//     "format": "interp1d-tour lesson",
//     "version": 1,
//     "title": "Why cross-validate?",
//     "steps": [
//       {"text": "Kriging misses the truth by {rms:Kriging (Best Fit)} (RMS).",
//        "setup": {"field": "bump", "stations": [0, 500, 1000],
//                  "method": {"name": "kriging", "model": "bestfit"}},
//        "question": {"ask": "...", "choices": ["...", "..."], "answer": 1,
//                     "explain": "..."},
//        "edit": false}
//     ]
//   }
//
// A step's setup names any of field, stations, method and compare, as a
// setup file does; what it leaves out carries over from the step before (the
// first starts from the explorer's default), and "compare": null clears the
// compared method. The numbers of the text are placeholders filled from the
// live score table: {rms:LABEL}, {max:LABEL}, {loo:LABEL} for the row with
// that label, {best:rms} and {best:loo} for the label of the row with the
// lowest value. A blank line starts a new paragraph. A lesson is text, never
// markup.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explore/scores.hpp"
#include "explore/setup.hpp"

namespace tour::explore {

inline constexpr std::size_t kLargestLesson = 1 << 20;  // bytes
inline constexpr int kMostSteps = 100;

struct Placeholder {
    enum class Kind { rms, max, loo, best_rms, best_loo };
    Kind kind = Kind::rms;
    std::string label;  // the row's label; empty for best
    friend bool operator==(const Placeholder&, const Placeholder&) = default;
};

// A run of text, or a placeholder.
struct TextPiece {
    std::string text;
    std::optional<Placeholder> placeholder;
    friend bool operator==(const TextPiece&, const TextPiece&) = default;
};

struct Question {
    std::string ask;
    std::vector<std::string> choices;
    int answer = 0;  // index into choices
    std::string explain;
};

struct LessonStep {
    std::vector<TextPiece> text;
    Setup setup;  // the step's own: its keys over those of the step before
    std::optional<Question> question;
    bool edit = true;  // false: the stations stay where they are
};

struct Lesson {
    std::string title;
    std::vector<LessonStep> steps;
};

struct ParsedLesson {
    Lesson lesson;
    // What is wrong, each with where: "step 3, setup.stations[4]: 1200 is
    // outside 0..1000". Empty: lesson holds the file's lesson.
    std::vector<std::string> problems;
    bool ok() const { return problems.empty(); }
};

ParsedLesson parse_lesson(std::string_view text);

// The text's pieces: literal text and placeholders, or what is wrong with a
// placeholder (an unknown kind, a best of something else than rms or loo, an
// opening brace without its closing one).
struct ParsedText {
    std::vector<TextPiece> pieces;
    std::string problem;
};
ParsedText parse_text(std::string_view text);

// The text with its placeholders filled from the table and its leave-one-out
// cells: numbers with 3 decimals and the separator given, a dash where the
// row cannot run or its cell has no value (yet); a placeholder whose label
// is no row of the table shows its own text.
std::string filled_text(const std::vector<TextPiece>& text, const ScoreTable& table,
                        const std::vector<LooCell>& cells, const std::string& decimal_separator);

// The text as the teacher wrote it, placeholders included.
std::string source_text(const std::vector<TextPiece>& text);

// The paragraphs of a text: the parts between blank lines.
std::vector<std::string> paragraphs(const std::string& text);

}  // namespace tour::explore
