// Shepard's method and local inverse-distance averaging.
#include <gtest/gtest.h>

#include "support/worlds.hpp"

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "display/scoring.hpp"
#include "methods/localinvdist.hpp"
#include "methods/nth_nearest.hpp"
#include "methods/shepard.hpp"

namespace tour {
namespace {

using testing::scenario_world;

using Method = void (*)(World&, std::int16_t);

// Stations (position, value), in the order given.
World small_world(const std::vector<std::pair<float, float>>& stations) {
    World world;
    world.nstat = static_cast<std::int16_t>(stations.size());
    for (int j = 1; j <= world.nstat; ++j) {
        world.statx(j) = stations[static_cast<std::size_t>(j - 1)].first;
        world.statv(j) = stations[static_cast<std::size_t>(j - 1)].second;
    }
    return world;
}

// From 990, the last position off a station, the distances come in pairs
// 1, 1, 2, 2, 3, 3, ... like those of scenario 1 at 525 (25, 25, 75, 75, ...).
World paired_world() {
    std::vector<std::pair<float, float>> stations{{0.0f, 0.0f}};
    for (int x = 980; x <= 1000; ++x) {
        if (x != 990) {
            stations.emplace_back(static_cast<float>(x), static_cast<float>(x - 980) / 20.0f);
        }
    }
    return small_world(stations);
}

// Runs the method, after which radius and statw are those of the last
// position off a station, and counts the stations that carry weight there.
int run(World& world, Method method, std::int16_t n) {
    method(world, n);
    int weighted = 0;
    for (int j = 1; j <= world.nstat; ++j) {
        weighted += world.statw(j) > 0.0f ? 1 : 0;
    }
    return weighted;
}

bool rounds_to(double value, double quoted, int decimals) {
    return std::fabs(value - quoted) <= 0.5 * std::pow(10.0, -decimals) + 1e-12;
}

struct RadiusRow {
    Method method;
    std::int16_t n;
    float radius;
    int weighted;
};

TEST(ShepardAndLocal, PositionsOnAStationTakeItsValueExactly) {
    for (Method method : {shepard, localinvdist}) {
        for (std::int16_t scenario : {1, 2, 3}) {
            for (std::int16_t n : {1, 6, 10, 21}) {
                World world = scenario_world(scenario);
                world.est(0) = 0.625f;
                method(world, n);
                for (int k = 2; k <= world.nstat; ++k) {
                    EXPECT_EQ(world.est(static_cast<int>(world.statx(k))), world.statv(k));
                }
                // Shepard leaves position 0 to the previous method.
                EXPECT_EQ(world.est(0), method == shepard ? 0.625f : world.statv(1));
            }
        }
    }
}

TEST(ShepardAndLocal, EveryStationTiedAtTheNthDistanceCarriesWeight) {
    for (const RadiusRow& row :
         {RadiusRow{shepard, 5, 4, 6}, RadiusRow{shepard, 6, 4, 6}, RadiusRow{shepard, 7, 5, 8},
          RadiusRow{localinvdist, 5, 3, 6}, RadiusRow{localinvdist, 6, 3, 6},
          RadiusRow{localinvdist, 7, 4, 8}}) {
        World world = paired_world();
        EXPECT_EQ(run(world, row.method, row.n), row.weighted) << "n " << row.n;
        EXPECT_EQ(world.radius, row.radius) << "n " << row.n;
    }
    // Scenario 1 at 525: n = 5 and n = 6 give the same radius and estimate.
    for (Method method : {shepard, localinvdist}) {
        World five = scenario_world(1);
        World six = scenario_world(1);
        method(five, 5);
        method(six, 6);
        EXPECT_EQ(five.est(525), six.est(525));
    }
}

TEST(ShepardAndLocal, RadiusAtTheDistancesOfScenario1From510) {
    // 10, 40, 60, 90, 110, 140, 160, ..., laid out to the west of 1000.
    std::vector<std::pair<float, float>> stations;
    for (int k = 0; k <= 20; ++k) {
        stations.emplace_back(1000.0f - std::fabs(50.0f * k - 510.0f), 0.05f * k);
    }
    World one = small_world(stations);
    World two = small_world(stations);
    EXPECT_EQ(run(one, shepard, 6), 6);
    EXPECT_EQ(one.radius, 141.0f);
    EXPECT_EQ(run(two, localinvdist, 6), 6);
    EXPECT_EQ(two.radius, 140.0f);
}

TEST(ShepardAndLocal, FewerOrMoreStationsThanWanted) {
    // From 1000 the stations lie 1000, 950 and 100 away; 25 is halfway
    // between the first two.
    const World base = small_world({{0.0f, 0.2f}, {50.0f, 0.6f}, {900.0f, 0.1f}});
    for (const RadiusRow& row :
         {RadiusRow{shepard, 0, 101, 1}, RadiusRow{shepard, 1, 101, 1},
          RadiusRow{shepard, 2, 951, 2}, RadiusRow{shepard, 3, 1001, 3},
          RadiusRow{shepard, 21, 1001, 3}, RadiusRow{localinvdist, 0, 100, 1},
          RadiusRow{localinvdist, 1, 100, 1}, RadiusRow{localinvdist, 3, 1000, 3},
          RadiusRow{localinvdist, 21, 1000, 3}}) {
        World world = base;
        EXPECT_EQ(run(world, row.method, row.n), row.weighted) << "n " << row.n;
        EXPECT_EQ(world.radius, row.radius) << "n " << row.n;
        if (row.method == localinvdist && row.n <= 1) {
            EXPECT_NEAR(world.est(25), 0.4, 1e-7);
            EXPECT_EQ(world.est(1000), 0.1f);
        }
    }
}

TEST(ShepardAndLocal, EqualValuesGiveThatValue) {
    for (Method method : {shepard, localinvdist}) {
        World flat = scenario_world(2);
        for (int j = 1; j <= flat.nstat; ++j) {
            flat.statv(j) = 0.3f;
        }
        for (std::int16_t n : {1, 6, 10, 21}) {
            method(flat, n);
            for (int x = 1; x <= 1000; ++x) {
                ASSERT_NEAR(flat.est(x), 0.3f, 2e-7) << "n " << n << ", x " << x;
            }
        }
    }
    // Scenario 3 at 375: only the stations inside R = 126 (250..500, all
    // 0.7) count, whatever the others hold.
    World three = scenario_world(3);
    shepard(three, 6);
    EXPECT_NEAR(three.est(375), 0.7f, 2e-7);
}

// Shepard's slope increments can overshoot (below 0 in scenario 1, above 1
// in scenario 2), so only the local average is held to the value range.
TEST(ShepardAndLocal, WeightsSumToOneAndTheLocalAverageStaysInRange) {
    for (std::int16_t scenario : {1, 2, 3}) {
        for (std::int16_t n : {1, 6, 10, 21}) {
            World one = scenario_world(scenario);
            World two = scenario_world(scenario);
            shepard(one, n);
            localinvdist(two, n);
            double combined = 0.0;
            double local = 0.0;
            for (int j = 1; j <= one.nstat; ++j) {
                combined += one.combw(j);
                local += two.statw(j);
            }
            EXPECT_NEAR(combined, 1.0, 1e-14);
            EXPECT_NEAR(local, 1.0, one.nstat * 0x1p-23);  // rounded weights and sum
            for (int x = 0; x <= 1000; ++x) {
                ASSERT_GE(two.est(x), 0.0f) << x;  // the station values span 0..1
                ASSERT_LE(two.est(x), 1.0f) << x;
            }
        }
    }
}

// A station exactly at distance R has no weight but counts for the value
// range and the slopes. From 1000 with n = 2: distances 100 and 150 give
// R = 151, and the station at 849 lies on it.
TEST(Shepard, AStationOnTheRadiusShapesTheIncrements) {
    World low = small_world({{849.0f, 0.3f}, {850.0f, 0.3f}, {900.0f, 0.6f}});
    World high = small_world({{849.0f, 1.3f}, {850.0f, 0.3f}, {900.0f, 0.6f}});
    EXPECT_EQ(run(low, shepard, 2), 2);
    EXPECT_EQ(low.radius, 151.0f);
    shepard(high, 2);
    EXPECT_NE(low.est(1000), high.est(1000));
}

// In the tour, Shepard's est(0) is what inverse distance with power 3 and
// displacement 5 left there: about 5e-6 in scenario 1, 2e-6 in scenario 2.
// Scored with 0 and with 0.01, the errors round alike.
TEST(ShepardAndLocal, SampleResults) {
    struct Row {
        Method method;
        std::int16_t scenario;
        std::int16_t n;
        std::vector<std::pair<int, double>> estimates;
        double rms;  // 0: not checked
        double max;
        int decimals;
    };
    const std::vector<Row> rows{
        {shepard, 1, 6, {{275, 0.0271}, {510, 0.9727}, {525, 0.9178}}, 0.0125, 0.0442, 4},
        {shepard, 1, 10, {}, 0.0170, 0.0617, 4},
        {shepard, 2, 6, {{250, 0.4995}}, 0.306, 0.880, 3},
        {localinvdist, 1, 6, {{275, 0.0740}, {525, 0.8022}}, 0.0498, 0.1589, 4},
        {localinvdist, 1, 10, {}, 0.0870, 0.2609, 4},
        {localinvdist, 2, 6, {{250, 0.4758}}, 0.0, 0.0, 4},  // 0 and 500..700 inside
    };
    for (const Row& row : rows) {
        for (float est0 : {0.0f, 0.01f}) {
            World world = scenario_world(row.scenario);
            world.est(0) = est0;
            row.method(world, row.n);
            calcerr(world, 17);
            for (const auto& [x, value] : row.estimates) {
                EXPECT_TRUE(rounds_to(world.est(x), value, 4)) << x << ": " << world.est(x);
            }
            if (row.rms > 0.0) {
                EXPECT_TRUE(rounds_to(world.rmserr(17), row.rms, row.decimals)) << world.rmserr(17);
                EXPECT_TRUE(rounds_to(world.maxerr(17), row.max, row.decimals)) << world.maxerr(17);
            }
        }
    }
}

// The search's outcome as its passes give it: equal distances each count,
// those at or above the limit never do.
TEST(NearestSearch, TheNthSmallestBelowTheLimit) {
    std::array<double, kMaxStations + 1> d{};
    const double values[] = {7.0, 3.0, 1000.0, 3.0, 999.0, 1500.0, 1.0};
    for (int j = 1; j <= 7; ++j) {
        d[static_cast<std::size_t>(j)] = values[j - 1];
    }
    NearestSearch search;
    const double found[] = {1.0, 1.0, 3.0, 3.0, 7.0, 999.0, 1000.0};
    for (int n = 0; n <= 6; ++n) {
        EXPECT_EQ(search.nth_smallest_below(d, 7, n, 1000.0), found[n]) << "n " << n;
    }
    EXPECT_EQ(search.nth_smallest_below(d, 0, 1, 1000.0), 1000.0);  // a station was taken before
}

TEST(NearestSearch, WithNoStationTakenYetASearchThatTakesNoneFails) {
    std::array<float, kMaxStations + 1> d{};
    d[1] = 1000.0f;
    NearestSearch search;
    EXPECT_THROW(search.nth_smallest_below(d, 1, 2, 1000.0f), RuntimeError);
    for (const Method method : {shepard, localinvdist}) {
        World world;
        world.nstat = 0;
        EXPECT_THROW(method(world, 3), RuntimeError);
    }
}

}  // namespace
}  // namespace tour
