// The natural cubic spline through the stations.
#include <gtest/gtest.h>

#include <cstdlib>

#include "geostat/cubicspline.hpp"
#include "geostat/solvelin.hpp"
#include "geostat_support.hpp"

namespace tour {
namespace {

using testing::MessageLog;
using testing::scenario_world;

World splined(World world) {
    MessageLog log;
    cubicspline(world, log);
    EXPECT_TRUE(log.messages.empty());
    return world;
}

TEST(Cubicspline, ReferenceValues) {
    const World one = splined(scenario_world(1));
    EXPECT_NEAR(one.est(375), 0.3607, 5e-5);
    EXPECT_NEAR(one.est(275), 0.0128, 5e-5);
    const World two = splined(scenario_world(2));
    EXPECT_NEAR(two.est(25), 0.0959, 5e-5);
    EXPECT_NEAR(two.est(250), 0.8449, 5e-5);
    EXPECT_NEAR(two.est(375), 1.0518, 5e-5);  // overshoot on the wide interval
    EXPECT_NEAR(splined(scenario_world(3)).est(275), 0.7704, 5e-5);
}

class SplineScenario : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(SplineScenario, PassesThroughEveryStationAndLeavesTheSolutionInStatw) {
    World world = scenario_world(GetParam());
    const int n = world.nstat;
    world.statw(n - 2) = -1.0f;
    world = splined(world);
    EXPECT_EQ(world.est(0), world.statv(1));
    for (int k = 1; k <= n; ++k) {
        EXPECT_NEAR(world.est(static_cast<int>(world.statx(k))), world.statv(k), 1e-6) << k;
    }

    World scratch = world;
    MessageLog log;
    Array1<double> x(1, n - 2);
    solvelin(scratch, log, static_cast<std::int16_t>(n - 2), splinesystem(world), x, x);
    for (int k = 1; k <= n - 3; ++k) {
        EXPECT_EQ(world.statw(k), static_cast<float>(x(k))) << k;
    }
    EXPECT_EQ(world.statw(n - 2), -1.0f);
}

INSTANTIATE_TEST_SUITE_P(AllScenarios, SplineScenario, ::testing::Values(1, 2, 3));

TEST(Splinesystem, TwelveStationRowsFollowTheIntervalWidths) {
    const World world = scenario_world(2);
    const Array2<double> m = splinesystem(world);
    ASSERT_EQ(m.ubound1(), 10);
    ASSERT_EQ(m.ubound2(), 11);
    EXPECT_EQ(m(1, 1), 2.0 * (500 + 50));
    EXPECT_EQ(m(1, 2), 50.0);
    EXPECT_EQ(m(2, 1), 50.0);
    EXPECT_EQ(m(2, 2), 2.0 * (50 + 50));
    EXPECT_EQ(m(2, 3), 50.0);
    for (int row = 1; row <= 10; ++row) {
        for (int col = 1; col <= 10; ++col) {
            if (std::abs(row - col) > 1) {
                EXPECT_EQ(m(row, col), 0.0) << row << "," << col;
            }
        }
    }
    const double a1 = world.statv(1), a2 = world.statv(2), a3 = world.statv(3);
    EXPECT_EQ(m(1, 11), (a3 - a2) * (3.0 / 50.0) - (a2 - a1) * (3.0 / 500.0));
}

TEST(Cubicspline, LeftOfTheFirstStationTheFirstCubicGoesOn) {
    World world;
    world.nstat = 4;
    const float xs[] = {200.0f, 400.0f, 600.0f, 1000.0f};
    const float vs[] = {0.5f, 1.0f, 0.0f, 0.5f};
    for (int k = 1; k <= 4; ++k) {
        world.statx(k) = xs[k - 1];
        world.statv(k) = vs[k - 1];
    }
    world = splined(world);
    // No t² term at a natural end: the first cubic is odd about station 1.
    for (int t : {1, 50, 137, 200}) {
        EXPECT_NEAR(world.est(200 - t) + world.est(200 + t), 1.0, 1e-5) << t;
    }
}

}  // namespace
}  // namespace tour
