#include "explore/lesson.hpp"

#include <limits>

#include "explore/setup_reading.hpp"
#include "world/numerals.hpp"

namespace tour::explore {

namespace {

constexpr const char* kFormat = "interp1d-tour lesson";
constexpr int kVersion = 1;
// The lesson, its steps, a step, its setup or question, and the method,
// the stations or the choices in those.
constexpr int kDeepest = 5;
constexpr const char* kDash = "\u2013";

// Characters, not bytes: the code points of the UTF-8 text.
std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

// A text of 1 to most characters, at place.
std::string read_text(const Json& value, const std::string& place, std::size_t most) {
    if (!value.is_string()) {
        throw Invalid(place, shown(value) + " is not a text");
    }
    const std::string text = value.get<std::string>();
    const std::size_t count = characters(text);
    if (count < 1 || count > most) {
        throw Invalid(place, "a text of 1 to " + std::to_string(most) +
                                 " characters is expected, not " + std::to_string(count));
    }
    return text;
}

// The step's setup: its keys over the setup of the step before.
Setup changed_setup(const Json& value, const std::string& where, Setup setup) {
    if (!value.is_object()) {
        throw Invalid(where, "a setup {\"field\": ..., \"stations\": [...], ...} is expected");
    }
    check_keys(value, where, {"field", "stations", "method", "compare"}, "a step's setup has");
    if (const auto field = value.find("field"); field != value.end()) {
        setup.layout.field = read_field(*field, child(where, "field"));
    }
    if (const auto stations = value.find("stations"); stations != value.end()) {
        setup.layout.stations = read_stations(*stations, child(where, "stations"));
    }
    if (const auto method = value.find("method"); method != value.end()) {
        setup.method = read_method(*method, child(where, "method"));
    }
    if (const auto compare = value.find("compare"); compare != value.end()) {
        if (compare->is_null()) {
            setup.compare.reset();
        } else {
            setup.compare = read_method(*compare, child(where, "compare"));
        }
    }
    return setup;
}

Question read_question(const Json& value, const std::string& where) {
    if (!value.is_object()) {
        throw Invalid(where, "a question {\"ask\": ..., \"choices\": [...], ...} is expected");
    }
    check_keys(value, where, {"ask", "choices", "answer", "explain"}, "a question has");
    Question question;
    question.ask = read_text(required(value, where, "ask"), child(where, "ask"), 1000);
    const Json& choices = required(value, where, "choices");
    const std::string choices_where = child(where, "choices");
    if (!choices.is_array() || choices.size() < 2 || choices.size() > 6) {
        throw Invalid(choices_where, "a list of 2 to 6 choices is expected");
    }
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string place = element(choices_where, i);
        question.choices.push_back(read_text(choices[i], place, 200));
    }
    const Json& answer = required(value, where, "answer");
    double number = 0.0;
    if (!whole_number(answer, number) || number < 0 ||
        number >= static_cast<double>(question.choices.size())) {
        throw Invalid(child(where, "answer"),
                      shown(answer) + " is not one of the choices; they are numbered 0 to " +
                          std::to_string(question.choices.size() - 1));
    }
    question.answer = static_cast<int>(number);
    question.explain = read_text(required(value, where, "explain"), child(where, "explain"), 2000);
    return question;
}

// Every label a placeholder names is a row of the step's table.
void check_labels(const LessonStep& step, const std::string& where) {
    const std::vector<TableMethod> rows = table_methods(step.setup);
    for (const TextPiece& piece : step.text) {
        if (!piece.placeholder || piece.placeholder->label.empty()) {
            continue;
        }
        bool found = false;
        for (const TableMethod& row : rows) {
            found = found || row.label == piece.placeholder->label;
        }
        if (!found) {
            throw Invalid(where + ", text", piece.text + ": \"" + piece.placeholder->label +
                                                "\" is not a row of this step's table");
        }
    }
}

LessonStep read_step(const Json& value, const std::string& where, const Setup& before) {
    if (!value.is_object()) {
        throw Invalid(where, "a step {\"text\": ..., ...} is expected");
    }
    check_keys(value, where, {"text", "setup", "question", "edit"}, "a step has");
    LessonStep step;
    ParsedText text = parse_text(read_text(required(value, where, "text"), where + ", text", 4000));
    if (!text.problem.empty()) {
        throw Invalid(where + ", text", text.problem);
    }
    step.text = std::move(text.pieces);
    step.setup = before;
    if (const auto setup = value.find("setup"); setup != value.end()) {
        step.setup = changed_setup(*setup, where + ", setup", before);
    }
    if (const auto question = value.find("question"); question != value.end()) {
        step.question = read_question(*question, where + ", question");
    }
    if (const auto edit = value.find("edit"); edit != value.end()) {
        if (!edit->is_boolean()) {
            throw Invalid(where + ", edit", shown(*edit) + " is not true or false");
        }
        step.edit = edit->get<bool>();
    }
    check_labels(step, where);
    return step;
}

void read_lesson(const Json& json, ParsedLesson& parsed) {
    if (!json.is_object()) {
        throw Invalid("", "a lesson is a JSON object {\"format\": \"interp1d-tour lesson\", ...}");
    }
    check_keys(json, "", {"format", "version", "title", "steps"}, "a lesson has");
    const Json& format = required(json, "", "format");
    if (!format.is_string() || format.get<std::string>() != kFormat) {
        throw Invalid("format", shown(format) + " is not \"interp1d-tour lesson\"");
    }
    const Json& version = required(json, "", "version");
    double number = 0.0;
    if (!whole_number(version, number) || number != kVersion) {
        throw Invalid("version", shown(version) + " is not a version this program reads (1)");
    }
    parsed.lesson.title = read_text(required(json, "", "title"), "title", 100);
    const Json& steps = required(json, "", "steps");
    if (!steps.is_array() || steps.empty() || steps.size() > kMostSteps) {
        throw Invalid("steps", steps.is_array()
                                   ? std::to_string(steps.size()) + " steps; a lesson has 1 to 100"
                                   : "a list of 1 to 100 steps is expected");
    }
    Setup before = default_setup();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string where = "step " + std::to_string(i + 1);
        try {
            parsed.lesson.steps.push_back(read_step(steps[i], where, before));
            before = parsed.lesson.steps.back().setup;
        } catch (const Invalid& invalid) {
            parsed.problems.push_back(invalid.what());
        }
    }
}

std::string number_text(double value, const std::string& separator) {
    std::string text = fixed_text(value, 3);
    if (const auto point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, separator);
    }
    return text;
}

int row_labelled(const ScoreTable& table, const std::string& label) {
    for (std::size_t row = 0; row < table.methods.size(); ++row) {
        if (table.methods[row].label == label) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

// The label of the row with the lowest value, or nothing while a value is
// still wanting.
std::string best_label(const ScoreTable& table, const std::vector<LooCell>& cells, bool loo) {
    int best = -1;
    double lowest = std::numeric_limits<double>::infinity();
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const Evaluation& e = table.rows[row];
        if (e.pending) {
            return {};
        }
        double value = e.rms;
        if (loo) {
            const LooCell& cell =
                row < cells.size() ? cells[row] : LooCell{LooCell::Kind::pending, 0.0, {}};
            if (cell.kind == LooCell::Kind::pending) {
                return {};
            }
            if (cell.kind != LooCell::Kind::value) {
                continue;
            }
            value = cell.rms;
        } else if (!e.ran()) {
            continue;
        }
        if (value < lowest) {
            lowest = value;
            best = static_cast<int>(row);
        }
    }
    return best < 0 ? std::string() : table.methods[static_cast<std::size_t>(best)].label;
}

std::string placeholder_text(const TextPiece& piece, const ScoreTable& table,
                             const std::vector<LooCell>& cells, const std::string& separator) {
    const Placeholder& p = *piece.placeholder;
    if (p.kind == Placeholder::Kind::best_rms || p.kind == Placeholder::Kind::best_loo) {
        const std::string label = best_label(table, cells, p.kind == Placeholder::Kind::best_loo);
        return label.empty() ? kDash : label;
    }
    const int row = row_labelled(table, p.label);
    if (row < 0) {
        return piece.text;
    }
    const Evaluation& e = table.rows[static_cast<std::size_t>(row)];
    if (!e.ran()) {
        return kDash;
    }
    if (p.kind == Placeholder::Kind::loo) {
        const auto slot = static_cast<std::size_t>(row);
        if (slot >= cells.size() || cells[slot].kind != LooCell::Kind::value) {
            return kDash;
        }
        return number_text(cells[slot].rms, separator);
    }
    return number_text(p.kind == Placeholder::Kind::rms ? e.rms : e.max, separator);
}

}  // namespace

ParsedLesson parse_lesson(std::string_view text) {
    ParsedLesson parsed;
    if (text.size() > kLargestLesson) {
        parsed.problems.push_back("the lesson is larger than 1 MB");
        return parsed;
    }
    const JsonDocument document = parse_json(text, "a lesson", kDeepest);
    if (!document.error.empty()) {
        parsed.problems.push_back(document.error);
        return parsed;
    }
    try {
        read_lesson(document.json, parsed);
    } catch (const Invalid& invalid) {
        parsed.problems.push_back(invalid.what());
    }
    return parsed;
}

ParsedText parse_text(std::string_view text) {
    ParsedText parsed;
    std::string literal;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t letters = i + 1;
        while (letters < text.size() && text[letters] >= 'a' && text[letters] <= 'z') {
            ++letters;
        }
        const bool opens =
            text[i] == '{' && letters > i + 1 && letters < text.size() && text[letters] == ':';
        if (!opens) {
            literal += text[i++];
            continue;
        }
        const std::size_t close = text.find('}', letters);
        if (close == std::string_view::npos) {
            parsed.problem = "the placeholder " + std::string(text.substr(i, letters + 1 - i)) +
                             "... has no closing brace";
            return parsed;
        }
        const std::string whole(text.substr(i, close + 1 - i));
        const std::string kind(text.substr(i + 1, letters - i - 1));
        const std::string label(text.substr(letters + 1, close - letters - 1));
        Placeholder placeholder;
        if (kind == "rms" || kind == "max" || kind == "loo") {
            placeholder.kind = kind == "rms"   ? Placeholder::Kind::rms
                               : kind == "max" ? Placeholder::Kind::max
                                               : Placeholder::Kind::loo;
            placeholder.label = label;
            if (label.empty()) {
                parsed.problem = whole + ": the label of a row of the table is missing";
                return parsed;
            }
        } else if (kind == "best") {
            if (label != "rms" && label != "loo") {
                parsed.problem = whole + ": best is of rms or loo";
                return parsed;
            }
            placeholder.kind =
                label == "rms" ? Placeholder::Kind::best_rms : Placeholder::Kind::best_loo;
        } else {
            parsed.problem = whole + ": \"" + kind +
                             "\" is no kind of placeholder; they are rms, max, loo and best";
            return parsed;
        }
        if (!literal.empty()) {
            parsed.pieces.push_back({std::exchange(literal, {}), std::nullopt});
        }
        parsed.pieces.push_back({whole, placeholder});
        i = close + 1;
    }
    if (!literal.empty()) {
        parsed.pieces.push_back({literal, std::nullopt});
    }
    return parsed;
}

std::string filled_text(const std::vector<TextPiece>& text, const ScoreTable& table,
                        const std::vector<LooCell>& cells, const std::string& decimal_separator) {
    std::string filled;
    for (const TextPiece& piece : text) {
        filled += piece.placeholder ? placeholder_text(piece, table, cells, decimal_separator)
                                    : piece.text;
    }
    return filled;
}

std::string source_text(const std::vector<TextPiece>& text) {
    std::string source;
    for (const TextPiece& piece : text) {
        source += piece.text;
    }
    return source;
}

std::vector<std::string> paragraphs(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = text.find("\n\n", start);
        std::string part = text.substr(start, blank == std::string::npos ? blank : blank - start);
        while (!part.empty() && part.front() == '\n') {
            part.erase(0, 1);
        }
        if (!part.empty()) {
            parts.push_back(std::move(part));
        }
        if (blank == std::string::npos) {
            return parts;
        }
        start = blank + 2;
    }
}

}  // namespace tour::explore
