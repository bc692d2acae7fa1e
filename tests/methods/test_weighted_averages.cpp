// Gaussian- and exponential-weighted averages of all stations.
#include <gtest/gtest.h>

#include <cmath>

#include "method_worlds.hpp"
#include "methods/weighted_averages.hpp"

namespace tour {
namespace {

using testing::scenario_world;
using testing::scores;

struct Sample {
    void (*method)(World&, float);
    float s;
    double est500, rms, max;
};

TEST(WeightedAverages, ScenarioOneSamples) {
    const Sample samples[] = {{gaussave, 10.0f, 1.0, 0.0414, 0.1395},
                              {gaussave, 200.0f, 0.5227, 0.1862, 0.4773},
                              {expave, 10.0f, 0.9980, 0.0229, 0.0667},
                              {expave, 200.0f, 0.4298, 0.2313, 0.5708}};
    for (const Sample& sample : samples) {
        World world = scenario_world(1);
        sample.method(world, sample.s);
        EXPECT_NEAR(world.est(500), sample.est500, 5e-5) << sample.s;
        const testing::Scores s = scores(world);
        EXPECT_NEAR(s.rms, sample.rms, 5e-5) << sample.s;
        EXPECT_NEAR(s.max, sample.max, 5e-5) << sample.s;
    }
    World world = scenario_world(1);
    gaussave(world, 10.0f);
    EXPECT_EQ(world.est(500), 1.0f);
}

// est(500) in scenario 1 with value 1 at station k and 0 elsewhere: the
// normalised weight of station k.
float weight_at_500(void (*method)(World&, float), int k) {
    World world = scenario_world(1);
    for (int j = 1; j <= world.nstat; ++j) {
        world.statv(j) = j == k ? 1.0f : 0.0f;
    }
    method(world, 10.0f);
    return world.est(500);
}

TEST(WeightedAverages, NeighboursOfAStationKeepTheirWeight) {
    EXPECT_NEAR(weight_at_500(gaussave, 12) / weight_at_500(gaussave, 11), 1.3888e-11, 1e-15);
    EXPECT_NEAR(weight_at_500(expave, 12) / weight_at_500(expave, 11), 0.0067379, 1e-7);
    EXPECT_NEAR(weight_at_500(expave, 9) / weight_at_500(expave, 11), 4.53999e-5, 1e-10);
}

TEST(WeightedAverages, GaussianWeightsFarFromEveryStationStayInDoublePrecision) {
    World world = scenario_world(2);
    world.statv(1) = 0.25f;
    gaussave(world, 10.0f);
    EXPECT_EQ(world.est(250), 0.625f);
}

class WeightedAverages : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(WeightedAverages, StayInTheStationRangeAndLeavePositionZero) {
    for (void (*method)(World&, float) : {gaussave, expave}) {
        for (const float s : {10.0f, 50.0f, 200.0f}) {
            World world = scenario_world(GetParam());
            world.est(0) = -3.0f;
            method(world, s);
            EXPECT_EQ(world.est(0), -3.0f);
            testing::expect_within_station_range(world);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllScenarios, WeightedAverages, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tour
