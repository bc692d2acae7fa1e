// Lessons: the reader refuses what is wrong and says where, setup keys carry
// over from step to step, placeholders fill from the live table (a dash
// where a row cannot run), and the player steps, resets, keeps stations
// fixed and counts the answers.
#include <gtest/gtest.h>

#include "display/readout.hpp"
#include "explore/lesson_player.hpp"
#include "support/traps_off.hpp"

namespace tour::explore {
namespace {

std::string lesson_with(const std::string& steps, const std::string& title = "\"T\"") {
    return R"({"format": "interp1d-tour lesson", "version": 1, "title": )" + title +
           R"(, "steps": [)" + steps + "]}";
}

std::string first_problem(const std::string& text) {
    const ParsedLesson parsed = parse_lesson(text);
    return parsed.problems.empty() ? std::string() : parsed.problems.front();
}

TEST(LessonReader, RefusesEachBadCaseSayingWhere) {
    const std::string many(101 * 14, 'x');
    std::string hundred_and_one;
    for (int i = 0; i < 101; ++i) {
        hundred_and_one += std::string(i ? "," : "") + R"({"text": "x"})";
    }
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {lesson_with(R"({"text": "a", "setup": {"stations": [0, 500, 1200]}})"),
         "step 1, setup.stations[2]: 1200 is outside 0..1000"},
        {lesson_with(
             R"({"text": "a"}, {"text": "b"}, {"text": "c", "setup": {"method": {"name": "invdist", "power": 0}}})"),
         "step 3, setup.method.power: Power must be greater than 0 and at most 20; 0 is outside."},
        {lesson_with(hundred_and_one), "steps: 101 steps; a lesson has 1 to 100"},
        {lesson_with(""), "steps: 0 steps; a lesson has 1 to 100"},
        {lesson_with(R"({"text": "a", "colour": "red"})"),
         "step 1: unknown key \"colour\"; a step has text, setup, question and edit"},
        {lesson_with(R"({"text": "a"})", "\"T\", \"author\": \"me\""),
         "unknown key \"author\"; a lesson has format, version, title and steps"},
        {lesson_with(R"({"text": "a", "setup": {"methods": []}})"),
         "step 1, setup: unknown key \"methods\"; a step's setup has field, stations, method and "
         "compare"},
        {lesson_with(R"({"text": "{size:Lin. Int.}"})"),
         "step 1, text: {size:Lin. Int.}: \"size\" is no kind of placeholder; they are rms, max, "
         "loo and best"},
        {lesson_with(R"({"text": "{best:max}"})"),
         "step 1, text: {best:max}: best is of rms or loo"},
        {lesson_with(R"({"text": "{rms:Lin. Int."})"),
         "step 1, text: the placeholder {rms:... has no closing brace"},
        {lesson_with(R"({"text": "{rms:Inv. Dist. (2.5)}"})"),
         "step 1, text: {rms:Inv. Dist. (2.5)}: \"Inv. Dist. (2.5)\" is not a row of this step's "
         "table"},
        {lesson_with(
             R"({"text": "a", "question": {"ask": "?", "choices": ["x", "y"], "answer": 2, "explain": "e"}})"),
         "step 1, question.answer: 2 is not one of the choices; they are numbered 0 to 1"},
        {lesson_with(
             R"({"text": "a", "question": {"ask": "?", "choices": ["x"], "answer": 0, "explain": "e"}})"),
         "step 1, question.choices: a list of 2 to 6 choices is expected"},
        {lesson_with(
             R"({"text": "a", "question": {"ask": "?", "choices": ["x", "y"], "answer": 0}})"),
         "step 1, question: \"explain\" is missing"},
        {lesson_with(R"({"text": ""})"),
         "step 1, text: a text of 1 to 4000 characters is expected, not 0"},
        {lesson_with(R"({"text": "a", "edit": "no"})"),
         "step 1, edit: \"no\" is not true or false"},
        {lesson_with(R"({"text": "a"})", "\"" + many + "\""),
         "title: a text of 1 to 100 characters is expected, not 1414"},
        {lesson_with(R"({"text": "a", "setup": {"stations": [[0], [500], [1000]]}})"),
         "the lists and objects are nested deeper than a lesson has them"},
        {R"({"format": "interp1d-tour setup", "version": 1})",
         "format: \"interp1d-tour setup\" is not \"interp1d-tour lesson\""},
        {"{\"title\": ",
         "line 1, column 11: not valid JSON (syntax error while parsing value - "
         "unexpected end of input; expected '[', '{', or a literal)"},
        {std::string(kLargestLesson + 1, ' '), "the lesson is larger than 1 MB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(first_problem(c.text), c.problem) << c.text.substr(0, 200);
    }
}

TEST(LessonReader, ReportsEveryBadStepAndCountsCharactersNotBytes) {
    const ParsedLesson parsed = parse_lesson(lesson_with(
        R"({"text": "a", "setup": {"field": "hill"}}, {"text": "b"}, {"text": "c", "edit": 1})"));
    ASSERT_EQ(parsed.problems.size(), 2u);
    EXPECT_EQ(parsed.problems[0],
              "step 1, setup.field: \"hill\" is not a field; it is \"bump\" or \"plateau\"");
    EXPECT_EQ(parsed.problems[1], "step 3, edit: 1 is not true or false");
    // 100 characters of two bytes each make a title of 100 characters.
    std::string umlauts;
    for (int i = 0; i < 100; ++i) {
        umlauts += "\u00e4";
    }
    EXPECT_TRUE(parse_lesson(lesson_with(R"({"text": "a"})", "\"" + umlauts + "\"")).ok());
}

TEST(LessonReader, CarriesSetupKeysOverFromStepToStep) {
    const ParsedLesson parsed = parse_lesson(lesson_with(R"(
        {"text": "a"},
        {"text": "b", "setup": {"field": "plateau", "stations": [0, 300, 1000],
                                "compare": {"name": "linint"}}},
        {"text": "c", "setup": {"method": {"name": "invdist", "power": 2.5}}},
        {"text": "d", "setup": {"compare": null}, "edit": false})"));
    ASSERT_TRUE(parsed.ok()) << parsed.problems.front();
    const auto& steps = parsed.lesson.steps;
    EXPECT_EQ(steps[0].setup, default_setup());
    EXPECT_EQ(steps[1].setup.layout, (Layout{Field::plateau, {0, 300, 1000}}));
    EXPECT_EQ(steps[1].setup.method, default_setup().method);
    EXPECT_EQ(steps[2].setup.layout, steps[1].setup.layout);
    EXPECT_EQ(method_label(steps[2].setup.method), "Inv. Dist. (2.5)");
    EXPECT_EQ(method_label(*steps[2].setup.compare), "Lin. Int.");
    EXPECT_FALSE(steps[3].setup.compare);
    EXPECT_EQ(steps[3].setup.method, steps[2].setup.method);
    EXPECT_TRUE(steps[2].edit);
    EXPECT_FALSE(steps[3].edit);
}

TEST(LessonText, KeepsBracesThatAreNoPlaceholdersAndMarkupAsText) {
    const ParsedText text = parse_text("{ x } {not} <img src=x onerror=alert(1)> {rms:Lin. Int.}.");
    ASSERT_TRUE(text.problem.empty()) << text.problem;
    ASSERT_EQ(text.pieces.size(), 3u);
    EXPECT_EQ(text.pieces[0].text, "{ x } {not} <img src=x onerror=alert(1)> ");
    EXPECT_EQ(text.pieces[1].placeholder, (Placeholder{Placeholder::Kind::rms, "Lin. Int."}));
    EXPECT_EQ(source_text(text.pieces),
              "{ x } {not} <img src=x onerror=alert(1)> {rms:Lin. Int.}.");
    EXPECT_EQ(paragraphs("One.\n\nTwo\nlines.\n\n\nThree."),
              (std::vector<std::string>{"One.", "Two\nlines.", "Three."}));
}

TEST(LessonText, FillsFromTheTableAndDashesWhatHasNoValue) {
    const testing::TrapsOff traps;
    Session session(
        explore::Setup{Layout{Field::bump, {0, 600, 1000}}, tour_method(22), std::nullopt});
    const auto text =
        parse_text(
            "{rms:Lin. Int.}|{max:Lin. Int.}|{loo:Lin. Int.}|{rms:Gauss-Ave (10)}|{best:loo}")
            .pieces;
    const Evaluation& linear = session.table().rows[1];
    // The tour's own formatter of its columns gives the same three decimals.
    const std::string errors = format_error(linear.rms, ",") + "|" + format_error(linear.max, ",");
    // Before the cross-validation: dashes for it; Gauss-Ave (10) cannot run.
    EXPECT_EQ(filled_text(text, session.table(), session.loo_cells(), ","),
              errors + "|\u2013|\u2013|\u2013");
    session.compute_loo();
    // Without the station at 600 the line from 0 to 1000 gives 0 there,
    // where the truth is 0.524.
    std::size_t lowest = 0;
    for (std::size_t row = 0; row < session.loo_cells().size(); ++row) {
        const LooCell& cell = session.loo_cells()[row];
        if (cell.kind == LooCell::Kind::value && cell.rms < session.loo_cells()[lowest].rms) {
            lowest = row;
        }
    }
    EXPECT_EQ(filled_text(text, session.table(), session.loo_cells(), ","),
              errors + "|0,524|\u2013|" + session.table().methods[lowest].label);
}

TEST(LessonPlayer, StepsResetsKeepsStationsAndCountsRightAnswers) {
    const testing::TrapsOff traps;  // some methods cannot run on three stations
    const ParsedLesson parsed = parse_lesson(lesson_with(R"(
        {"text": "Linear: {rms:Lin. Int.}", "setup": {"method": {"name": "linint"}},
         "question": {"ask": "?", "choices": ["a", "b"], "answer": 1, "explain": "e"}},
        {"text": "Fixed", "setup": {"stations": [0, 300, 1000]}, "edit": false,
         "question": {"ask": "?", "choices": ["a", "b", "c"], "answer": 0, "explain": "e"}})"));
    ASSERT_TRUE(parsed.ok()) << parsed.problems.front();
    Session session;
    LessonPlayer player(session, parsed.lesson);
    EXPECT_EQ(player.step_label(), "Step 1 of 2");
    EXPECT_EQ(player.text("."), "Linear: 0.010");
    // The numbers follow the student's edits, and Reset Step brings the step back.
    ASSERT_TRUE(session.remove_station(10));
    EXPECT_NE(player.text("."), "Linear: 0.010");
    player.reset_step();
    EXPECT_EQ(player.text("."), "Linear: 0.010");
    EXPECT_EQ(session.history().undo_name(), "Reset step");

    EXPECT_FALSE(player.answer(0));
    EXPECT_FALSE(player.answer(1));  // the first answer counts
    player.next();
    EXPECT_EQ(session.layout().stations, (std::vector<int>{0, 300, 1000}));
    EXPECT_FALSE(session.add_station(600));
    EXPECT_EQ(session.refusal(), "In this step the stations stay where they are.");
    EXPECT_TRUE(session.choose_method(4));  // methods may still change
    EXPECT_TRUE(player.answer(0));
    player.next();
    EXPECT_TRUE(player.at_end());
    EXPECT_EQ(player.right_answers(), 1);
    EXPECT_EQ(player.questions(), 2);
    EXPECT_TRUE(session.add_station(600));  // the end frees the stations
    player.back();
    EXPECT_EQ(player.step(), 1);
    EXPECT_EQ(player.answer_given(), 0);
}

}  // namespace
}  // namespace tour::explore
