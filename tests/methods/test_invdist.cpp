// Inverse distance and modified inverse distance.
#include <gtest/gtest.h>

#include "support/worlds.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <tuple>

#include "display/scoring.hpp"
#include "methods/invdist.hpp"

namespace tour {
namespace {

using testing::scenario_world;

// The ten (power, displacement) pairs of stages 7 to 16.
constexpr std::pair<float, float> kVariants[] = {
    {1.0f, 0.0f},  {2.0f, 0.0f}, {3.0f, 0.0f},  {5.0f, 0.0f},  {0.5f, 0.0f},
    {0.01f, 0.0f}, {1.0f, 5.0f}, {1.0f, 50.0f}, {3.0f, 50.0f}, {3.0f, 5.0f},
};
// The powers of the exact variants (stages 7 to 12, displacement 0).
constexpr float kExactPowers[] = {1.0f, 2.0f, 3.0f, 5.0f, 0.5f, 0.01f};

TEST(Invdist, WithoutDisplacementAStationPositionTakesTheStationValue) {
    for (const float power : kExactPowers) {
        World world = scenario_world(1);
        invdist(world, power, 0.0f);
        EXPECT_EQ(world.est(500), 1.0f) << power;
        EXPECT_EQ(world.est(0), 0.0f) << power;
    }
}

TEST(Invdist, ScenarioOneBetweenStationsDependsOnThePower) {
    World world = scenario_world(1);
    invdist(world, 1.0f, 0.0f);
    EXPECT_NEAR(world.est(25), 0.0670, 0.00005);
    invdist(world, 2.0f, 0.0f);
    EXPECT_NEAR(world.est(25), 0.0059, 0.00005);
    invdist(world, 0.01f, 0.0f);
    EXPECT_NEAR(world.est(25), 0.2037, 0.00005);

    // A tiny power draws the estimate towards the mean of the station values.
    double mean = 0.0;
    for (int k = 1; k <= world.nstat; ++k) {
        mean += world.statv(k);
    }
    mean /= world.nstat;
    EXPECT_NEAR(mean, 0.2044, 0.00005);
    EXPECT_NEAR(world.est(25), mean, 0.001);
}

TEST(Invdist, WithADisplacementTheEstimateMissesTheStations) {
    World world = scenario_world(1);
    invdist(world, 1.0f, 50.0f);
    EXPECT_NEAR(world.est(500), 0.4627, 0.00005);
    EXPECT_NEAR(world.est(0), 0.1095, 0.00005);
}

TEST(Invdist, OnlyADisplacementOfExactlyZeroTestsForAHit) {
    World world = scenario_world(1);
    invdist(world, 1.0f, 0.001f);
    EXPECT_LT(world.est(500), 1.0f);
    EXPECT_GT(world.est(500), 0.99f);
    EXPECT_GT(world.est(0), 0.0f);
}

TEST(Invdist, ScenarioOneScores) {
    struct Expected {
        float power;
        float displacement;
        double rms;
        double max;
    };
    const Expected cases[] = {
        {1.0f, 0.0f, 0.127, 0.382},
        {3.0f, 0.0f, 0.028, 0.084},
        {0.01f, 0.0f, 0.326, 0.792},
        {3.0f, 5.0f, 0.026, 0.075},
    };
    for (const auto& c : cases) {
        World world = scenario_world(1);
        invdist(world, c.power, c.displacement);
        calcerr(world, 7);
        EXPECT_NEAR(world.rmserr(7), c.rms, 0.0005) << c.power << ", " << c.displacement;
        EXPECT_NEAR(world.maxerr(7), c.max, 0.0005) << c.power << ", " << c.displacement;
    }
}

TEST(Invdist, WeightsLeftBehindAreThoseOfPositionThousand) {
    World world = scenario_world(1);
    // Position 1000 is station 21: all weight on it.
    invdist(world, 2.0f, 0.0f);
    for (int k = 1; k < 21; ++k) {
        EXPECT_EQ(world.statw(k), 0.0f) << k;
    }
    EXPECT_EQ(world.statw(21), 1.0f);

    // With a displacement of 50 station 21 is twice as close as station 20
    // (50 against 100) and three times as close as station 19.
    invdist(world, 1.0f, 50.0f);
    EXPECT_NEAR(world.statw(21) / world.statw(20), 2.0, 1e-5);
    EXPECT_NEAR(world.statw(21) / world.statw(19), 3.0, 1e-5);
}

TEST(Invdist, LeavesWeightsAboveTheStationCountAlone) {
    World world = scenario_world(2);
    for (int k = 13; k <= 21; ++k) {
        world.statw(k) = -3.0f;
    }
    invdist(world, 1.0f, 5.0f);
    for (int k = 13; k <= 21; ++k) {
        EXPECT_EQ(world.statw(k), -3.0f) << k;
    }
}

// ---- Properties over the three scenarios and the ten variants -------------

class InvdistProperties
    : public ::testing::TestWithParam<std::tuple<std::int16_t, std::pair<float, float>>> {};

TEST_P(InvdistProperties, NormalisedWeightsSumToOne) {
    const auto [scenario, variant] = GetParam();
    World world = scenario_world(scenario);
    invdist(world, variant.first, variant.second);
    float sum = 0.0f;
    for (int k = 1; k <= world.nstat; ++k) {
        EXPECT_GE(world.statw(k), 0.0f) << k;
        sum += world.statw(k);
    }
    EXPECT_NEAR(sum, 1.0f, world.nstat * FLT_EPSILON);
}

TEST_P(InvdistProperties, EstimatesStayWithinTheStationValues) {
    const auto [scenario, variant] = GetParam();
    World world = scenario_world(scenario);
    invdist(world, variant.first, variant.second);
    float lo = world.statv(1);
    float hi = world.statv(1);
    for (int k = 2; k <= world.nstat; ++k) {
        lo = std::min(lo, world.statv(k));
        hi = std::max(hi, world.statv(k));
    }
    for (int x = 0; x <= 1000; ++x) {
        EXPECT_GE(world.est(x), lo) << x;
        EXPECT_LE(world.est(x), hi) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(AllScenariosAndVariants, InvdistProperties,
                         ::testing::Combine(::testing::Values(1, 2, 3),
                                            ::testing::ValuesIn(kVariants)));

class InvdistExact : public ::testing::TestWithParam<std::tuple<std::int16_t, float>> {};

TEST_P(InvdistExact, ReproducesEveryStationValue) {
    const auto [scenario, power] = GetParam();
    World world = scenario_world(scenario);
    invdist(world, power, 0.0f);
    for (int k = 1; k <= world.nstat; ++k) {
        const auto x = static_cast<int>(world.statx(k));
        EXPECT_EQ(world.est(x), world.statv(k)) << "station " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(AllScenariosAndPowers, InvdistExact,
                         ::testing::Combine(::testing::Values(1, 2, 3),
                                            ::testing::ValuesIn(kExactPowers)));

}  // namespace
}  // namespace tour
