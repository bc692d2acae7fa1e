// Cressman's method and the two-parameter modification of inverse distance.
#include <gtest/gtest.h>

#include "method_worlds.hpp"
#include "methods/cressman.hpp"
#include "methods/orvelmethod.hpp"

namespace tour {
namespace {

using testing::scenario_world;
using testing::scores;
using testing::station_world;

// Runs cressman with radius R and returns the radius after the call.
float run_cressman(World& world, float E, float R = 200.0f) {
    cressman(world, R, E);
    return R;
}

TEST(Cressman, RadiusGrowsToOneMoreThanHalfTheLargestGap) {
    for (const float E : {2.0f, 4.0f}) {
        for (const std::int16_t scenario : {1, 2, 3}) {
            World world = scenario_world(scenario);
            EXPECT_EQ(run_cressman(world, E), scenario == 2 ? 251.0f : 200.0f) << scenario;
        }
    }
    World one = scenario_world(1);
    EXPECT_EQ(run_cressman(one, 2.0f, 10.0f), 26.0f);
}

TEST(Cressman, ScenarioOneSmoothsTheStations) {
    World world = scenario_world(1);
    run_cressman(world, 2.0f);
    EXPECT_NEAR(world.est(500), 0.7976, 5e-5);
    // At 1000, on a station: weights 1, (15/17)², 0.6², 0.28² and 0 for the
    // station exactly 200 away, normalised.
    const double sum = 1 + 0.778547 + 0.36 + 0.0784;
    EXPECT_NEAR(world.statw(21), 1 / sum, 1e-6);
    EXPECT_NEAR(world.statw(18), 0.0784 / sum, 1e-6);
    EXPECT_EQ(world.statw(17), 0.0f);
    EXPECT_NEAR(scores(world).rms, 0.0747, 5e-5);
    EXPECT_NEAR(scores(world).max, 0.2024, 5e-5);

    run_cressman(world, 4.0f);
    EXPECT_NEAR(scores(world).rms, 0.0457, 5e-5);
    EXPECT_NEAR(scores(world).max, 0.1257, 5e-5);
}

TEST(Cressman, ScenarioTwoBridgesTheGapWithRadius251) {
    for (const float E : {2.0f, 4.0f}) {
        World world = scenario_world(2);
        run_cressman(world, E);
        EXPECT_EQ(world.est(230), world.statv(1));
        EXPECT_EQ(world.est(250), 0.5f);
        EXPECT_EQ(world.est(275), 1.0f);
        EXPECT_NEAR(scores(world).max, 1.000, 5e-4);

        // Values that tell the stations at 0 and 500 apart. At 249 the station
        // at 500 lies exactly R away and has no weight.
        world.statv(1) = 0.25f;
        world.statv(2) = 0.75f;
        run_cressman(world, E);
        EXPECT_EQ(world.est(230), 0.25f);
        EXPECT_EQ(world.est(249), 0.25f);
        EXPECT_EQ(world.est(250), 0.5f);
    }
}

TEST(Cressman, PositionsOutOfReachTakeTheNearestStation) {
    World world = station_world({{400.0f, 0.25f}, {450.0f, 0.75f}});
    EXPECT_EQ(run_cressman(world, 2.0f, 20.0f), 26.0f);
    EXPECT_EQ(world.est(1), 0.25f);
    EXPECT_EQ(world.est(374), 0.25f);  // station 1 exactly R away
    EXPECT_EQ(world.est(425), 0.5f);
    EXPECT_EQ(world.est(476), 0.75f);
    EXPECT_EQ(world.est(1000), 0.75f);
    EXPECT_EQ(world.statw(1), 0.0f);
    EXPECT_EQ(world.statw(2), 1.0f);

    // Two stations in one place: the lower index wins.
    World twin = station_world({{500.0f, 0.25f}, {500.0f, 0.75f}});
    run_cressman(twin, 2.0f, 10.0f);
    EXPECT_EQ(twin.est(1000), 0.25f);
    EXPECT_EQ(twin.statw(1), 1.0f);
    EXPECT_EQ(twin.statw(2), 0.0f);
}

// est(525) in scenario 1 with value 1 at station k and 0 elsewhere: the
// normalised weight of station k.
float orvel_weight_at_525(int k) {
    World world = scenario_world(1);
    for (int j = 1; j <= world.nstat; ++j) {
        world.statv(j) = j == k ? 1.0f : 0.0f;
    }
    orvelmethod(world, 1.0f, 1.0f);
    return world.est(525);
}

TEST(Orvelmethod, NearerStationsOnTheSameSideShadowFartherOnes) {
    // Stations 9..14 lie at 400..650. Weights 1/25, (1/75)(25/75) and
    // (1/125)(25/125)(75/125): 1/9 and 0.024 of the nearest.
    const float nearest = orvel_weight_at_525(11);
    EXPECT_FLOAT_EQ(orvel_weight_at_525(12), nearest);
    EXPECT_FLOAT_EQ(orvel_weight_at_525(10) / nearest, 1.0f / 9);
    EXPECT_FLOAT_EQ(orvel_weight_at_525(13) / nearest, 1.0f / 9);
    EXPECT_FLOAT_EQ(orvel_weight_at_525(9) / nearest, 0.024f);
    EXPECT_FLOAT_EQ(orvel_weight_at_525(14) / nearest, 0.024f);

    // Stations in one place keep their full weights 1/200 and both shadow the
    // one at 800 (weight (1/400)(1/2)(1/2)); the one at 0 weighs 1/400.
    World twin = station_world({{0.0f, 0.0f}, {600.0f, 1.0f}, {600.0f, 0.5f}, {800.0f, 0.2f}});
    orvelmethod(twin, 1.0f, 1.0f);
    EXPECT_NEAR(twin.est(400), 0.007625 / 0.013125, 1e-6);
}

TEST(Orvelmethod, ScenarioOneScores) {
    World world = scenario_world(1);
    orvelmethod(world, 1.0f, 1.0f);
    EXPECT_NEAR(world.est(525), 0.8850, 5e-5);
    EXPECT_NEAR(scores(world).rms, 0.0231, 5e-5);
    EXPECT_NEAR(scores(world).max, 0.0771, 5e-5);

    orvelmethod(world, 1.0f, 2.0f);
    EXPECT_NEAR(scores(world).rms, 0.0136, 5e-5);
    EXPECT_NEAR(scores(world).max, 0.0458, 5e-5);
}

class CressmanOrvel : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(CressmanOrvel, NormalisedWeightsSumToOneAndEstimatesStayInRange) {
    for (const float e : {2.0f, 4.0f}) {
        World cress = scenario_world(GetParam());
        World orvel = scenario_world(GetParam());
        cress.est(0) = orvel.est(0) = -3.0f;
        run_cressman(cress, e);
        orvelmethod(orvel, 1.0f, e / 2);
        double cress_sum = 0.0;
        double orvel_sum = 0.0;
        for (int k = 1; k <= cress.nstat; ++k) {
            cress_sum += cress.statw(k);
            orvel_sum += orvel.combw(k);
            if (orvel.statx(k) > 0.0f) {
                EXPECT_EQ(orvel.est(static_cast<int>(orvel.statx(k))), orvel.statv(k)) << k;
            }
        }
        EXPECT_NEAR(cress_sum, 1.0, 1e-6);
        EXPECT_NEAR(orvel_sum, 1.0, 1e-12);
        EXPECT_EQ(cress.est(0), -3.0f);
        EXPECT_EQ(orvel.est(0), -3.0f);
        testing::expect_within_station_range(cress);
        testing::expect_within_station_range(orvel);
    }
}

INSTANTIATE_TEST_SUITE_P(AllScenarios, CressmanOrvel, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tour
