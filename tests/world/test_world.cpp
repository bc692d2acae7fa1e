// The world: the true fields, the station layouts and the nearest-station
// search.
#include <gtest/gtest.h>

#include "support/worlds.hpp"

#include <vector>

#include "world/world.hpp"

namespace tour {
namespace {

using testing::scenario_world;

TEST(Truth, BumpOfScenariosOneAndTwo) {
    for (std::int16_t scenario : {1, 2}) {
        EXPECT_EQ(truth(scenario, 250.0f), 0.0f);
        EXPECT_EQ(truth(scenario, 500.0f), 1.0f);
        EXPECT_EQ(truth(scenario, 375.0f), 0.36f);
        EXPECT_EQ(truth(scenario, 625.0f), 0.36f);
        EXPECT_EQ(truth(scenario, 249.5f), 0.0f);
        EXPECT_EQ(truth(scenario, 750.0f), 0.0f);
        EXPECT_EQ(truth(scenario, 750.5f), 0.0f);
        EXPECT_EQ(truth(scenario, -3.0f), 0.0f);
    }
}

TEST(Truth, JumpPlateauAndKinkOfScenarioThree) {
    EXPECT_EQ(truth(3, 224.0f), 0.0f);
    EXPECT_EQ(truth(3, 224.9f), 0.0f);
    EXPECT_EQ(truth(3, 225.0f), 0.7f);
    EXPECT_EQ(truth(3, 525.0f), 0.7f);
    EXPECT_EQ(truth(3, 675.0f), 0.35f);
    EXPECT_EQ(truth(3, 825.0f), 0.0f);
    EXPECT_NEAR(truth(3, 900.0f), 0.428571, 5e-7);
    EXPECT_EQ(truth(3, 1000.0f), 1.0f);
}

TEST(Truth, IsZeroPastTheLastScenario) {
    EXPECT_EQ(truth(4, 500.0f), 0.0f);
    EXPECT_EQ(truth(4, 1000.0f), 0.0f);
}

struct Layout {
    std::int16_t scenario;
    std::vector<float> positions;
    std::vector<double> values;
};

class StationLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(StationLayout, PositionsAndSampledValues) {
    const Layout& layout = GetParam();
    const World world = scenario_world(layout.scenario);
    ASSERT_EQ(world.nstat, static_cast<int>(layout.values.size()));
    for (int k = 1; k <= world.nstat; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        EXPECT_EQ(world.statx(k), layout.positions[i]) << "station " << k;
        EXPECT_NEAR(world.statv(k), layout.values[i], 5e-7) << "station " << k;
        EXPECT_EQ(world.statv(k), truth(world, world.statx(k))) << "station " << k;
    }
}

std::vector<float> every_fifty(float from, float to) {
    std::vector<float> positions;
    for (float x = from; x <= to; x += 50.0f) {
        positions.push_back(x);
    }
    return positions;
}

std::vector<float> scenario2_positions() {
    std::vector<float> positions{0.0f};
    for (float x : every_fifty(500.0f, 1000.0f)) {
        positions.push_back(x);
    }
    return positions;
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, StationLayout,
    ::testing::Values(Layout{1,
                             every_fifty(0.0f, 1000.0f),
                             {0,        0,        0,        0, 0,        0,        0.048186,
                              0.221453, 0.524376, 0.852071, 1, 0.852071, 0.524376, 0.221453,
                              0.048186, 0,        0,        0, 0,        0,        0}},
                      Layout{2,
                             scenario2_positions(),
                             {0, 1, 0.852071, 0.524376, 0.221453, 0.048186, 0, 0, 0, 0, 0, 0}},
                      Layout{3,
                             every_fifty(0.0f, 1000.0f),
                             {0,        0,     0,        0,        0,        0.7,      0.7,
                              0.7,      0.7,   0.7,      0.7,      0.641667, 0.525,    0.408333,
                              0.291667, 0.175, 0.058333, 0.142857, 0.428571, 0.714286, 1}}));

TEST(Stations, ScenarioTwoKeepsTheUnusedEntriesOfScenarioOne) {
    World world = scenario_world(1);
    world.scenario = 2;
    world.nstat = 12;
    setstations(world);
    for (int k = 13; k <= 21; ++k) {
        EXPECT_EQ(world.statx(k), 50.0f * static_cast<float>(k - 1));
    }
}

TEST(Stations, AnotherScenarioLeavesThemUnchanged) {
    World world = scenario_world(2);
    world.scenario = 4;
    setstations(world);
    EXPECT_EQ(world.statx(2), 500.0f);
    EXPECT_EQ(world.statv(2), 1.0f);
}

TEST(NearestStation, LowerIndexWinsATie) {
    const World one = scenario_world(1);
    EXPECT_EQ(neareststation(one, 25.0f), 1);
    EXPECT_EQ(neareststation(one, 26.0f), 2);
    EXPECT_EQ(neareststation(one, 0.0f), 1);
    EXPECT_EQ(neareststation(one, 975.0f), 20);
    EXPECT_EQ(neareststation(one, 1000.0f), 21);

    const World two = scenario_world(2);
    EXPECT_EQ(neareststation(two, 250.0f), 1);
    EXPECT_EQ(neareststation(two, 251.0f), 2);
}

TEST(NearestStation, NoStationGivesZero) {
    World world = scenario_world(1);
    world.nstat = 0;
    EXPECT_EQ(neareststation(world, 10.0f), 0);
}

}  // namespace
}  // namespace tour
