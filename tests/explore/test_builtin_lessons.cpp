// The lessons that come with the program: each reads without a problem and
// has 4 to 8 steps, and every claim its texts and answers make about the
// numbers is checked here against the table computed at the step's setup.
// If the numbers change, these fail before a lesson says something untrue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "explore/builtin_lessons.hpp"
#include "explore/evaluate.hpp"
#include "explore/lesson.hpp"
#include "explore/session.hpp"
#include "support/traps_off.hpp"

namespace tour::explore {
namespace {

// One step's table, with its leave-one-out column, read by label.
class StepTable {
  public:
    explicit StepTable(const LessonStep& step) : session_(std::make_unique<Session>(step.setup)) {
        session_->compute_loo();
    }
    const Evaluation& row(const std::string& label) const {
        return session_->table().rows[index(label)];
    }
    double rms(const std::string& label) const { return row(label).rms; }
    double max(const std::string& label) const { return row(label).max; }
    double loo(const std::string& label) const {
        const LooCell& cell = session_->loo_cells()[index(label)];
        EXPECT_EQ(cell.kind, LooCell::Kind::value) << label;
        return cell.rms;
    }
    // The label with the lowest RMS or LOO error of all rows.
    std::string best(bool by_loo) const {
        const ScoreTable& table = session_->table();
        std::string best;
        double lowest = 1e300;
        for (std::size_t row = 0; row < table.rows.size(); ++row) {
            const LooCell& cell = session_->loo_cells()[row];
            const bool has = by_loo ? cell.kind == LooCell::Kind::value : table.rows[row].ran();
            const double value = by_loo ? cell.rms : table.rows[row].rms;
            if (has && value < lowest) {
                lowest = value;
                best = table.methods[row].label;
            }
        }
        return best;
    }
    const Layout& layout() const { return session_->layout(); }

  private:
    std::size_t index(const std::string& label) const {
        const auto& methods = session_->table().methods;
        for (std::size_t i = 0; i < methods.size(); ++i) {
            if (methods[i].label == label) {
                return i;
            }
        }
        ADD_FAILURE() << "no row " << label;
        return 0;
    }
    std::unique_ptr<Session> session_;
};

const Lesson& lesson(const std::string& name) {
    static std::map<std::string, Lesson> lessons;
    if (lessons.empty()) {
        for (const BuiltinLesson& builtin : builtin_lessons()) {
            ParsedLesson parsed = parse_lesson(builtin.text);
            EXPECT_TRUE(parsed.ok()) << builtin.name << ": " << parsed.problems.front();
            lessons[builtin.name] = std::move(parsed.lesson);
        }
    }
    return lessons.at(name);
}

std::vector<StepTable> tables_of(const std::string& name) {
    std::vector<StepTable> tables;
    for (const LessonStep& step : lesson(name).steps) {
        tables.emplace_back(step);
    }
    return tables;
}

int answer_of(const std::string& name, std::size_t step) {
    return lesson(name).steps[step].question->answer;
}

const std::string& choice_of(const std::string& name, std::size_t step) {
    const Question& q = *lesson(name).steps[step].question;
    return q.choices[static_cast<std::size_t>(q.answer)];
}

TEST(BuiltinLessons, ReadWithoutAProblemAndHaveFourToEightSteps) {
    ASSERT_GE(builtin_lessons().size(), 3u);
    for (const BuiltinLesson& builtin : builtin_lessons()) {
        const ParsedLesson parsed = parse_lesson(builtin.text);
        ASSERT_TRUE(parsed.ok()) << builtin.name << ": " << parsed.problems.front();
        EXPECT_GE(parsed.lesson.steps.size(), 4u) << builtin.name;
        EXPECT_LE(parsed.lesson.steps.size(), 8u) << builtin.name;
    }
}

TEST(BuiltinLessons, WhyCrossValidateSaysWhatTheNumbersSay) {
    const testing::TrapsOff traps;  // some folds cannot run on the sparse layouts
    const std::string name = "1-why-cross-validate";
    const auto t = tables_of(name);
    // Step 2: the fitted model is a little closer to the truth and far worse
    // by cross-validation, so cross-validation chooses the linear one.
    EXPECT_LT(t[1].rms("Kriging (Best Fit)"), t[1].rms("Kriging (Linear)"));
    EXPECT_GT(t[1].loo("Kriging (Best Fit)"), 5 * t[1].loo("Kriging (Linear)"));
    EXPECT_EQ(choice_of(name, 1), "The linear one");
    // Step 3: power 3 is the best power of inverse distance against the
    // truth, and by leave-one-out power 5 beats it.
    for (const char* other : {"Inv. Dist. (1)", "Inv. Dist. (2)", "Inv. Dist. (5)",
                              "Inv. Dist. (.5)", "Inv. Dist. (.01)"}) {
        EXPECT_LT(t[2].rms("Inv. Dist. (3)"), t[2].rms(other)) << other;
    }
    EXPECT_GT(t[2].loo("Inv. Dist. (3)"), t[2].loo("Inv. Dist. (5)"));
    // Step 4: the polynomial is far off the truth yet small by leave-one-out;
    // every inner station lies in the eastern half, so the gap is untested.
    EXPECT_GT(t[3].rms("Polynom"), 100.0);
    EXPECT_LT(t[3].loo("Polynom"), 0.2);
    const auto& stations = t[3].layout().stations;
    EXPECT_TRUE(
        std::all_of(stations.begin() + 1, stations.end() - 1, [](int x) { return x >= 500; }));
    EXPECT_EQ(choice_of(name, 3), "Between 0 and 500");
    // ... and it swings out in that gap.
    const Evaluation polynom = evaluate(t[3].layout(), tour_method(2), Wanted{true, false});
    const auto widest =
        std::max_element(polynom.estimate.begin(), polynom.estimate.end(),
                         [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    EXPECT_LT(widest - polynom.estimate.begin(), 500);
}

TEST(BuiltinLessons, ThePowerInInverseDistanceSaysWhatTheNumbersSay) {
    const testing::TrapsOff traps;  // some folds cannot run on the sparse layouts
    const std::string name = "2-power-in-inverse-distance";
    const auto t = tables_of(name);
    // Step 1: a tiny power stays near the mean between the stations and
    // meets each station's value at it, and is worse than power 2.
    const Evaluation tiny = evaluate(t[0].layout(), tour_method(9), Wanted{true, false});
    double mean = 0.0;
    for (const int x : t[0].layout().stations) {
        mean +=
            observed(t[0].layout().field, x) / static_cast<double>(t[0].layout().stations.size());
    }
    for (const int x : {225, 475, 525}) {
        EXPECT_NEAR(tiny.estimate[static_cast<std::size_t>(x)], mean, 0.1) << x;
    }
    EXPECT_EQ(tiny.estimate[500], observed(Field::bump, 500));
    EXPECT_GT(t[0].rms("Inv. Dist. (.01)"), t[0].rms("Inv. Dist. (2)"));
    // Step 2: power 5 makes flat spots: near a station the estimate keeps
    // the station's value; and it beats nearest neighbour.
    const Evaluation steep = evaluate(t[1].layout(), tour_method(7), Wanted{true, false});
    for (const int station : {450, 500, 550}) {
        for (const int off : {-8, 8}) {
            EXPECT_NEAR(steep.estimate[static_cast<std::size_t>(station + off)],
                        observed(Field::bump, station), 0.02)
                << station + off;
        }
    }
    EXPECT_LT(t[1].rms("Inv. Dist. (5)"), t[1].rms("Near. Neighb."));
    // Step 3: power 3 is best, a little ahead of 2 and 5.
    EXPECT_EQ(choice_of(name, 2), "3");
    for (const char* other : {"Inv. Dist. (1)", "Inv. Dist. (2)", "Inv. Dist. (5)",
                              "Inv. Dist. (.5)", "Inv. Dist. (.01)"}) {
        EXPECT_LT(t[2].rms("Inv. Dist. (3)"), t[2].rms(other)) << other;
    }
    EXPECT_LT(t[2].rms("Inv. Dist. (2)") - t[2].rms("Inv. Dist. (3)"), 0.01);
    // Step 4: over the plateau power 5 is best of 2, 3 and 5, by a hair.
    EXPECT_EQ(choice_of(name, 3), "5");
    EXPECT_LT(t[3].rms("Inv. Dist. (5)"), t[3].rms("Inv. Dist. (3)"));
    EXPECT_LT(t[3].rms("Inv. Dist. (3)"), t[3].rms("Inv. Dist. (2)"));
    EXPECT_LT(t[3].rms("Inv. Dist. (3)") - t[3].rms("Inv. Dist. (5)"), 0.005);
}

TEST(BuiltinLessons, WhereTheStationsAreSaysWhatTheNumbersSay) {
    const testing::TrapsOff traps;  // the fitted kriging cannot run on the cluster, nor some folds
    const std::string name = "3-where-the-stations-are";
    const auto t = tables_of(name);
    // Step 2: the gap from 250 to 500 holds part of the bump and no station;
    // linear interpolation gets worse, and the polynomial is the worst row.
    EXPECT_GT(observed(Field::bump, 400), 0.5f);
    const auto& sparse = t[1].layout().stations;
    EXPECT_TRUE(std::none_of(sparse.begin(), sparse.end(), [](int x) { return x > 0 && x < 500; }));
    EXPECT_GT(t[1].rms("Lin. Int."), 10 * t[0].rms("Lin. Int."));
    EXPECT_EQ(choice_of(name, 1), "Polynom");
    for (const char* other : {"Lin. Int.", "Near. Neighb.", "Exact Splines", "Bezier Polynom"}) {
        EXPECT_GT(t[1].rms("Polynom"), t[1].rms(other)) << other;
    }
    // Step 3: the Bezier curve has the lowest RMS error, below the splines,
    // which swing above the top of the bump in the gap.
    EXPECT_EQ(t[2].best(false), "Bezier Polynom");
    EXPECT_EQ(answer_of(name, 2), 0);
    EXPECT_LT(t[2].rms("Bezier Polynom"), t[2].rms("Exact Splines"));
    const Evaluation splines = evaluate(t[2].layout(), tour_method(30), Wanted{true, false});
    EXPECT_GT(*std::max_element(splines.estimate.begin(), splines.estimate.begin() + 500), 1.0f);
    // Step 4: the cluster's inner stations lie within 400..600; the
    // polynomial is far off the truth but the best by leave-one-out.
    const auto& cluster = t[3].layout().stations;
    EXPECT_TRUE(std::all_of(cluster.begin() + 1, cluster.end() - 1,
                            [](int x) { return x >= 400 && x <= 600; }));
    EXPECT_FALSE(lesson(name).steps[3].edit);
    EXPECT_GT(t[3].rms("Polynom"), 100.0);
    EXPECT_EQ(t[3].best(true), "Polynom");
    EXPECT_EQ(choice_of(name, 3), "Polynom");
    // Step 5: the fitted kriging cannot run, for want of pairs near a lag.
    const Evaluation& fitted = t[4].row("Kriging (Best Fit)");
    EXPECT_FALSE(fitted.ran());
    EXPECT_NE(fitted.fault.find("no pair of stations lies closer than the variogram radius"),
              std::string::npos)
        << fitted.fault;
}

}  // namespace
}  // namespace tour::explore
