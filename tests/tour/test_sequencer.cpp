// The tour's state machine: start-up, the forward tour of all three
// scenarios, every Back rule, the columns, the transitions and the end.
#include <gtest/gtest.h>

#include "tour/tour_driver.hpp"

namespace tour {
namespace {

using testing::count_colour;
using testing::lines;
using testing::press_back;
using testing::press_continue;
using testing::RecordingHost;

// Presses Continue from the welcome screen until (scenario, stage).
void go_to(Tour& tour, int scenario, int stage) {
    while (tour.scenario() != scenario || tour.stage() != stage) {
        ASSERT_LT(tour.scenario(), 4) << "never reached " << scenario << "/" << stage;
        press_continue(tour);
    }
}

class Sequencer : public ::testing::Test {
  protected:
    RecordingHost host;
    Tour tour{host};
    const FormState& form() const { return tour.form(); }
    std::string stagetext(int stage, int scenario) const {
        return tour.narrative().stagetext(stage, scenario);
    }
};

TEST_F(Sequencer, StartUpShowsTheWelcomeAndNothingElse) {
    EXPECT_EQ(tour.stage(), -1);
    EXPECT_EQ(tour.scenario(), 1);
    EXPECT_EQ(tour.world().nstat, 21);
    EXPECT_EQ(tour.world().statx(21), 1000.0f);
    EXPECT_EQ(tour.world().statv(11), 1.0f);
    EXPECT_EQ(form().label1, kWelcomeText);
    EXPECT_EQ(form().columns, ValueColumns{});
    EXPECT_FALSE(form().headers_visible);
    EXPECT_FALSE(form().axis_labels_visible);
    EXPECT_TRUE(form().picture.items().empty());
    EXPECT_EQ(form().pointer, MousePointer::system_default);
    EXPECT_EQ(form().picture.scale().top, 1.2f);
    EXPECT_EQ(form().picture.scale().bottom, -0.1f);
    EXPECT_EQ(form().picture.scale().right, 1000.0f);
}

TEST_F(Sequencer, FirstStagesBuildThePlotUp) {
    press_continue(tour);  // stage 0: the zero line
    EXPECT_EQ(tour.stage(), 0);
    EXPECT_EQ(form().label1, "Imagine a one-dimensional world of 1000 units length.");
    EXPECT_TRUE(form().axis_labels_visible);
    EXPECT_FALSE(form().headers_visible);
    EXPECT_EQ(form().picture.items().size(), 1u);

    press_continue(tour);  // stage 1: and the truth
    EXPECT_EQ(form().label1, stagetext(1, 1));
    EXPECT_EQ(form().picture.items().size(), 1001u);
    EXPECT_EQ(count_colour(form().picture, kGreen), 1000u);

    press_continue(tour);  // stage 2: and the stations
    EXPECT_EQ(form().picture.items().size(), 1001u + 42u);
    EXPECT_EQ(count_colour(form().picture, kRed), 21u);
    EXPECT_FALSE(form().headers_visible);
    EXPECT_TRUE(form().columns.method.empty());

    press_continue(tour);  // stage 3: nearest neighbour, drawn and listed
    EXPECT_TRUE(form().headers_visible);
    EXPECT_EQ(form().picture.items().size(), 1001u + 42u + 1001u);
    EXPECT_EQ(count_colour(form().picture, kRed), 21u + 1001u);
    EXPECT_EQ(form().columns.method, "Near. Neighb.");
    EXPECT_EQ(lines(form().columns.rms).size(), 1u);
}

TEST_F(Sequencer, EveryStageShowsTheHourglassThenTheArrow) {
    press_continue(tour, 5);
    ASSERT_EQ(host.pointers.size(), 10u);
    for (std::size_t i = 0; i < host.pointers.size(); ++i) {
        EXPECT_EQ(host.pointers[i], i % 2 == 0 ? MousePointer::hourglass : MousePointer::arrow);
    }
    EXPECT_EQ(form().pointer, MousePointer::arrow);
}

TEST_F(Sequencer, ForwardTourShowsEachStagesTextInEveryScenario) {
    for (int scenario = 1; scenario <= 3; ++scenario) {
        const int first = scenario == 1 ? 0 : 2;
        go_to(tour, scenario, first);
        for (int stage = first; stage <= 36; ++stage) {
            ASSERT_EQ(tour.stage(), stage);
            std::string expected;
            if (stage <= 24 || (stage <= 30 && scenario == 3)) {
                expected = stagetext(stage, scenario);
            } else {
                expected = laterstagetext(static_cast<std::int16_t>(stage));
            }
            EXPECT_EQ(form().label1, expected) << scenario << "/" << stage;
            EXPECT_EQ(tour.world().nstat, scenario == 2 ? 12 : 21);
            press_continue(tour);
        }
    }
}

TEST_F(Sequencer, ScenarioThreeShowsNoNarrativeUpToStageThirty) {
    go_to(tour, 3, 1);
    EXPECT_EQ(form().label1, kEnteringScenario3Text);
    for (int stage = 2; stage <= 30; ++stage) {
        press_continue(tour);
        EXPECT_EQ(form().label1, "") << stage;
    }
    press_continue(tour);
    EXPECT_EQ(form().label1, laterstagetext(31));
    press_back(tour);  // back to 30: not the semivariogram text above an average
    EXPECT_EQ(tour.stage(), 30);
    EXPECT_EQ(form().label1, "");
}

TEST_F(Sequencer, ValueColumnsListTheScoredStagesInTourOrder) {
    go_to(tour, 1, 16);
    const auto methods = lines(form().columns.method);
    const auto rms = lines(form().columns.rms);
    const auto max = lines(form().columns.max);
    ASSERT_EQ(methods.size(), 14u);
    ASSERT_EQ(rms.size(), 14u);
    ASSERT_EQ(max.size(), 14u);
    for (int stage = 3; stage <= 16; ++stage) {
        const auto row = static_cast<std::size_t>(stage - 3);
        EXPECT_EQ(methods[row], tour.narrative().methodname(stage));
        EXPECT_EQ(rms[row], format_error(tour.world().rmserr(stage), "."));
        EXPECT_EQ(max[row], format_error(tour.world().maxerr(stage), "."));
    }
}

TEST_F(Sequencer, TransitionShowsTheNewTruthWithoutStationsAndKeepsTheColumns) {
    go_to(tour, 1, 36);
    const ValueColumns scenario1_rows = form().columns;
    const std::size_t pointer_changes = host.pointers.size();
    press_continue(tour);
    EXPECT_EQ(tour.scenario(), 2);
    EXPECT_EQ(tour.stage(), 1);
    EXPECT_EQ(tour.world().nstat, 12);
    EXPECT_EQ(tour.world().statx(2), 500.0f);
    EXPECT_EQ(form().label1, kEnteringScenario2Text);
    EXPECT_EQ(form().picture.items().size(), 1001u);  // zero line and truth only
    EXPECT_EQ(form().columns, scenario1_rows);
    EXPECT_EQ(host.pointers.size(), pointer_changes);  // no busy pointer

    press_continue(tour);  // stage 2 of scenario 2, stage 3 restarts the columns
    EXPECT_EQ(form().label1, stagetext(2, 2));
    EXPECT_EQ(form().picture.items().size(), 1001u + 24u);
    press_continue(tour);
    EXPECT_EQ(form().columns.method, "Near. Neighb.");
}

TEST_F(Sequencer, ClosingTextThenContinueEndsTheProgram) {
    go_to(tour, 3, 36);
    press_continue(tour);
    EXPECT_EQ(tour.scenario(), 4);
    EXPECT_EQ(tour.stage(), 1);
    EXPECT_EQ(form().label1, kClosingText);
    EXPECT_TRUE(form().picture.items().empty());
    EXPECT_EQ(host.ends, 0);

    press_continue(tour);
    EXPECT_EQ(host.ends, 1);
    EXPECT_TRUE(tour.ended());
    press_continue(tour);
    press_back(tour);
    EXPECT_EQ(host.ends, 1);
}

TEST_F(Sequencer, BackSkipsFromThirtySixToThirtyFourToThirtyOne) {
    go_to(tour, 1, 36);
    press_back(tour);
    EXPECT_EQ(tour.stage(), 34);
    EXPECT_EQ(form().label1, laterstagetext(34));
    press_back(tour);
    EXPECT_EQ(tour.stage(), 31);
    press_continue(tour, 4);
    EXPECT_EQ(tour.stage(), 35);
    press_back(tour);
    EXPECT_EQ(tour.stage(), 34);
}

TEST_F(Sequencer, BackStepsOneDownWithinAScenario) {
    go_to(tour, 1, 33);
    for (int stage = 32; stage >= 0; --stage) {
        press_back(tour);
        EXPECT_EQ(tour.stage(), stage);
        EXPECT_EQ(tour.scenario(), 1);
    }
    // The headers and axis labels stay once shown.
    EXPECT_TRUE(form().headers_visible);
    EXPECT_TRUE(form().axis_labels_visible);
    EXPECT_EQ(form().label1, stagetext(0, 1));
}

TEST_F(Sequencer, BackDoesNothingAtTheStartOfTheTour) {
    press_back(tour);  // welcome screen
    EXPECT_EQ(tour.stage(), -1);
    EXPECT_EQ(tour.scenario(), 1);
    EXPECT_EQ(form().label1, kWelcomeText);
    EXPECT_TRUE(form().picture.items().empty());
    EXPECT_TRUE(host.pointers.empty());

    press_continue(tour);  // stage 0
    press_back(tour);
    EXPECT_EQ(tour.stage(), 0);
    EXPECT_EQ(tour.scenario(), 1);
    EXPECT_EQ(tour.world().nstat, 21);
    press_continue(tour);
    EXPECT_EQ(tour.stage(), 1);
    press_back(tour);
    EXPECT_EQ(tour.stage(), 0);
}

TEST_F(Sequencer, BackFromATransitionScreenReturnsToTheLastStageOfThePreviousScenario) {
    go_to(tour, 2, 1);
    press_back(tour);
    EXPECT_EQ(tour.scenario(), 1);
    EXPECT_EQ(tour.stage(), 36);
    EXPECT_EQ(tour.world().nstat, 21);
    EXPECT_EQ(tour.world().statx(2), 50.0f);
    EXPECT_EQ(form().columns, ValueColumns{});
    EXPECT_EQ(form().label1, laterstagetext(36));
    EXPECT_EQ(form().picture.items().size(), 1001u + 42u + 1001u);  // the spline

    press_continue(tour);  // straight to the transition screen again
    EXPECT_EQ(tour.scenario(), 2);
    EXPECT_EQ(tour.stage(), 1);
    press_continue(tour);
    press_back(tour);  // Back from stage 2 of scenario 2 shows its stage 1 text
    EXPECT_EQ(tour.stage(), 1);
    EXPECT_EQ(form().label1, stagetext(1, 2));
    press_back(tour);
    EXPECT_EQ(tour.scenario(), 1);

    go_to(tour, 3, 1);
    press_back(tour);
    EXPECT_EQ(tour.scenario(), 2);
    EXPECT_EQ(tour.world().nstat, 12);
    EXPECT_EQ(tour.world().statx(2), 500.0f);
}

TEST_F(Sequencer, ARowAppendedToEmptiedColumnsFollowsAnEmptyLine) {
    go_to(tour, 2, 1);
    press_back(tour, 3);  // (1, 36), columns emptied, then 34 and 31
    press_continue(tour, 2);
    EXPECT_EQ(tour.stage(), 33);
    EXPECT_EQ(form().columns.method, "\nKriging (Best Fit)");
    EXPECT_EQ(lines(form().columns.rms).size(), 2u);
    EXPECT_EQ(lines(form().columns.max).size(), 2u);
}

TEST_F(Sequencer, BackFromTheClosingTextShowsTheLastStageOfScenarioThree) {
    go_to(tour, 3, 36);
    press_continue(tour);
    press_back(tour);
    EXPECT_EQ(tour.scenario(), 3);
    EXPECT_EQ(tour.stage(), 36);
    EXPECT_EQ(tour.world().nstat, 21);
    EXPECT_EQ(tour.world().statv(6), 0.7f);
    EXPECT_EQ(form().label1, laterstagetext(36));
}

TEST_F(Sequencer, BackThenContinueListsARepeatedStageOnceMore) {
    go_to(tour, 1, 5);
    press_back(tour, 2);  // stage 3 is shown again, the columns stay
    EXPECT_EQ(tour.stage(), 3);
    EXPECT_EQ(form().columns.method, "Near. Neighb.\nLin. Int.\nPolynom");
    press_continue(tour);  // stage 4 appends its row again
    EXPECT_EQ(form().columns.method, "Near. Neighb.\nLin. Int.\nPolynom\nLin. Int.");
    EXPECT_EQ(lines(form().columns.rms).size(), 4u);
    EXPECT_EQ(lines(form().columns.max).size(), 4u);

    press_back(tour, 2);  // to stage 2; Continue runs stage 3, which starts afresh
    press_continue(tour);
    EXPECT_EQ(form().columns.method, "Near. Neighb.");
}

TEST_F(Sequencer, BackRecomputesTheStageItLandsOn) {
    go_to(tour, 1, 4);
    const float linear_rms = tour.world().rmserr(4);
    press_back(tour);
    EXPECT_EQ(tour.stage(), 3);
    EXPECT_EQ(count_colour(form().picture, kRed), 21u + 1001u);
    EXPECT_EQ(tour.world().est(26), tour.world().statv(2));  // nearest neighbour again
    EXPECT_EQ(tour.world().rmserr(4), linear_rms);
}

TEST(Locale, ColumnsUseTheGivenDecimalSeparator) {
    RecordingHost host;
    Tour tour(host, ",");
    press_continue(tour, 5);
    for (const auto& line : lines(tour.form().columns.rms)) {
        EXPECT_EQ(line.find('.'), std::string::npos);
        EXPECT_EQ(line.size() - line.find(','), 4u);
    }
}

}  // namespace
}  // namespace tour
