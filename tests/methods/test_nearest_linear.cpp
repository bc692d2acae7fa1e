// Nearest neighbour and linear interpolation.
#include <gtest/gtest.h>

#include "support/worlds.hpp"

#include "methods/nearest_linear.hpp"

namespace tour {
namespace {

using testing::scenario_world;

TEST(Nearneighb, StepsChangeAtTheMidpointsTakingTheWesternStationOnATie) {
    World one = scenario_world(1);
    nearneighb(one);
    EXPECT_EQ(one.est(25), one.statv(1));
    EXPECT_EQ(one.est(26), one.statv(2));
    EXPECT_EQ(one.est(275), one.statv(6));
    EXPECT_EQ(one.est(276), one.statv(7));
    EXPECT_NEAR(one.est(276), 0.048186, 5e-7);

    World two = scenario_world(2);
    nearneighb(two);
    EXPECT_EQ(two.est(250), 0.0f);
    EXPECT_EQ(two.est(251), 1.0f);
    EXPECT_EQ(two.est(525), 1.0f);
    EXPECT_EQ(two.est(526), two.statv(3));
}

TEST(Linint, JoinsNeighbouringStationsByStraightLines) {
    World one = scenario_world(1);
    linint(one);
    EXPECT_NEAR(one.est(325), (0.048186 + 0.221453) / 2, 5e-6);
    EXPECT_EQ(one.est(500), 1.0f);

    World two = scenario_world(2);
    linint(two);
    EXPECT_EQ(two.est(250), 0.5f);
    EXPECT_EQ(two.est(100), 0.2f);
}

TEST(Linint, LeavesPositionZeroAsThePreviousMethodLeftIt) {
    World world = scenario_world(1);
    world.est(0) = 0.625f;
    linint(world);
    EXPECT_EQ(world.est(0), 0.625f);
    EXPECT_EQ(world.est(1), 0.0f);
}

class ExactMethods : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(ExactMethods, ReproduceEveryStationValue) {
    World world = scenario_world(GetParam());
    for (void (*method)(World&) : {nearneighb, linint}) {
        method(world);
        for (int k = 1; k <= world.nstat; ++k) {
            const auto x = static_cast<int>(world.statx(k));
            if (x > 0 || method == nearneighb) {
                EXPECT_EQ(world.est(x), world.statv(k)) << "station " << k;
            }
        }
    }
}

TEST_P(ExactMethods, LinearEstimateLiesBetweenItsTwoStations) {
    World world = scenario_world(GetParam());
    linint(world);
    for (int k = 1; k < world.nstat; ++k) {
        const float lo = std::min(world.statv(k), world.statv(k + 1));
        const float hi = std::max(world.statv(k), world.statv(k + 1));
        for (auto x = static_cast<int>(world.statx(k)) + 1; x < world.statx(k + 1); ++x) {
            EXPECT_GE(world.est(x), lo) << x;
            EXPECT_LE(world.est(x), hi) << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllScenarios, ExactMethods, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tour
