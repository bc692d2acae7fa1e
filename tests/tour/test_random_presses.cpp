// Random presses of Continue and Back, checked after every step against a
// small model of the tour's rules. Seeded, so a failure repeats.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "tour/tour_driver.hpp"

namespace tour {
namespace {

using testing::lines;
using testing::RecordingHost;

// The rules of the tour, written down once more, independently.
class TourModel {
  public:
    int scenario = 1;
    int stage = -1;
    int rows = 0;  // text lines in each value column
    bool transition = false;

    bool ends_on_continue() const { return scenario == 4; }

    void press_continue() {
        transition = false;
        ++stage;
        if (stage > 36) {
            ++scenario;
            stage = 1;
            transition = scenario <= 3;
            return;
        }
        if (stage == 3) {
            rows = 1;
        } else if (lists_a_row(stage)) {
            // Appending to an empty column (after Back into the previous
            // scenario) leaves an empty first line before the new one.
            rows = rows == 0 ? 2 : rows + 1;
        }
    }

    void press_back() {
        if (stage <= 0 && scenario == 1) {
            return;  // the start of the tour
        }
        transition = false;
        if (stage == 36) {
            stage = 34;
        } else if (stage == 34) {
            stage = 31;
        } else if (stage == 1 && scenario > 1) {
            stage = 36;
            --scenario;
            rows = 0;
        } else {
            --stage;
        }
    }

    int stations() const { return scenario == 2 ? 12 : 21; }

    std::string text(const Narrative& narrative) const {
        if (stage == -1) {
            return kWelcomeText;
        }
        if (scenario == 4) {
            return kClosingText;
        }
        if (transition) {
            return scenario == 2 ? kEnteringScenario2Text : kEnteringScenario3Text;
        }
        if (stage <= 24 || (stage <= 30 && scenario == 3)) {
            return narrative.stagetext(stage, scenario);
        }
        return laterstagetext(static_cast<std::int16_t>(stage));
    }

  private:
    static bool lists_a_row(int stage) {
        return (stage >= 3 && stage <= 30) || stage == 33 || stage == 35 || stage == 36;
    }
};

void expect_matches(const Tour& tour, const TourModel& model, int step) {
    ASSERT_EQ(tour.scenario(), model.scenario) << "step " << step;
    ASSERT_EQ(tour.stage(), model.stage) << "step " << step;
    ASSERT_GE(tour.stage(), -1);
    ASSERT_LE(tour.stage(), 36);
    ASSERT_EQ(tour.world().nstat, model.stations()) << "step " << step;
    ASSERT_EQ(tour.form().label1, model.text(tour.narrative())) << "step " << step;
    const ValueColumns& columns = tour.form().columns;
    const auto rows = static_cast<std::size_t>(model.rows);
    ASSERT_EQ(lines(columns.method).size(), rows) << "step " << step;
    ASSERT_EQ(lines(columns.rms).size(), rows) << "step " << step;
    ASSERT_EQ(lines(columns.max).size(), rows) << "step " << step;
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        ASSERT_TRUE(std::isfinite(tour.world().est(x))) << "step " << step << " x " << x;
    }
}

TEST(RandomPresses, FollowTheRulesOfTheTour) {
    std::mt19937 random(20261208);
    // Continue twice as often as Back, so the walk gets through the scenarios.
    std::discrete_distribution<int> press{2, 1};
    RecordingHost host;
    auto tour = std::make_unique<Tour>(host);
    TourModel model;
    int restarts = 0;
    for (int step = 1; step <= 6000; ++step) {
        if (press(random) == 0) {
            if (model.ends_on_continue()) {
                // The program would end here: start a new run instead.
                tour->Command1_Click();
                ASSERT_TRUE(tour->ended());
                tour = std::make_unique<Tour>(host);
                model = TourModel{};
                ++restarts;
            } else {
                tour->Command1_Click();
                model.press_continue();
            }
        } else {
            tour->Command2_Click();
            model.press_back();
        }
        expect_matches(*tour, model, step);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_GE(restarts, 1);  // the walk reached the end of the tour
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace tour
