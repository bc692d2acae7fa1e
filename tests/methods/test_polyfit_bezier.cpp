// The polynomial fit and the Bezier polynomial.
#include <gtest/gtest.h>

#include "support/worlds.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "display/plot.hpp"
#include "display/scoring.hpp"
#include "methods/bezier.hpp"
#include "methods/polyfit.hpp"

namespace tour {
namespace {

using testing::scenario_world;

using Kind = Primitive::Kind;

// |est(x) - truth(x)| as calcerr forms it.
float abs_error(const World& world, int x) {
    const float t = truth(world, static_cast<float>(x));
    return std::fabs(static_cast<float>(static_cast<double>(world.est(x)) - t));
}

// The curve points X(i), Y(i) as recorded: the dot, then the segment ends.
struct CurvePoint {
    float x;
    float y;
};
std::vector<CurvePoint> curve_points(const Picture& picture, std::size_t first) {
    std::vector<CurvePoint> points;
    const auto& items = picture.items();
    points.push_back({items[first].x1, items[first].y1});
    for (std::size_t i = first + 1; i < items.size(); ++i) {
        points.push_back({items[i].x2, items[i].y2});
    }
    return points;
}

// Runs the Bezier stage as the sequencer does: plot, truth, stations, curve.
Picture bezier_stage(World& world, std::int16_t stage, std::size_t& first) {
    Picture picture;
    clearplot(picture);
    drawtruth(world, picture);
    drawstations(world, picture);
    first = picture.items().size();
    bezier(world, picture, stage);
    return picture;
}

// ---- Polynomial fit -------------------------------------------------------

// Scores as listed, to the decimals quoted.
struct Scores {
    std::int16_t scenario;
    double rms;
    double max;
    double tolerance;
};

TEST(Polyfit, Scores) {
    const Scores cases[] = {
        {1, 0.069, 0.334, 0.0005}, {2, 661.8, 2008.1, 0.05}, {3, 9.12, 60.44, 0.005}};
    for (const auto& c : cases) {
        World world = scenario_world(c.scenario);
        polyfit(world);
        calcerr(world, 5);
        EXPECT_NEAR(world.rmserr(5), c.rms, c.tolerance) << c.scenario;
        EXPECT_NEAR(world.maxerr(5), c.max, c.tolerance) << c.scenario;
    }
}

TEST(Polyfit, SwingsHardestNearTheEndsOrInTheEmptyWest) {
    // Scenario 1: the worst error, first at 14, again at 986 by symmetry.
    World one = scenario_world(1);
    polyfit(one);
    calcerr(one, 5);
    EXPECT_EQ(one.est(500), 1.0f);
    EXPECT_EQ(abs_error(one, 14), one.maxerr(5));
    EXPECT_EQ(abs_error(one, 986), one.maxerr(5));
    for (int x = 0; x < 14; ++x) {
        EXPECT_LT(abs_error(one, x), one.maxerr(5)) << x;
    }

    // Scenario 2: down to about -2008 where there are no stations.
    World two = scenario_world(2);
    polyfit(two);
    float lowest = 0.0f;
    for (int x = 0; x <= 1000; ++x) {
        lowest = std::min(lowest, two.est(x));
    }
    EXPECT_NEAR(lowest, -2008.1, 0.05);

    // Scenario 3: the worst error at 13, where the field is 0.
    World three = scenario_world(3);
    polyfit(three);
    calcerr(three, 5);
    EXPECT_EQ(abs_error(three, 13), three.maxerr(5));
    for (int x = 0; x < 13; ++x) {
        EXPECT_LT(abs_error(three, x), three.maxerr(5)) << x;
    }
    EXPECT_NEAR(three.est(13), 60.44, 0.005);
}

TEST(Polyfit, WritesEveryGridPositionIncludingZero) {
    World world = scenario_world(1);
    for (int x = 0; x <= 1000; ++x) {
        world.est(x) = 7.0f;
    }
    polyfit(world);
    for (int x = 0; x <= 1000; ++x) {
        EXPECT_NE(world.est(x), 7.0f) << x;
    }
}

// ---- Bezier polynomial ----------------------------------------------------

TEST(Bezier, ScenarioOnePassesThroughBothEndsAndPeaksBelowTheStation) {
    World world = scenario_world(1);
    std::size_t first = 0;
    const Picture picture = bezier_stage(world, 6, first);
    const auto points = curve_points(picture, first);
    ASSERT_EQ(points.size(), 1001u);
    EXPECT_EQ(points[0].x, 0.0f);
    EXPECT_EQ(points[0].y, 0.0f);
    EXPECT_EQ(points[1000].x, 1000.0f);
    EXPECT_EQ(points[1000].y, 0.0f);
    EXPECT_FLOAT_EQ(points[500].x, 500.0f);
    EXPECT_NEAR(points[500].y, 0.6115, 0.00005);
    for (const auto& p : points) {
        EXPECT_LE(p.y, points[500].y);
    }
    // Equidistant stations: X(i) = i up to rounding.
    for (std::size_t i = 0; i <= 1000; ++i) {
        EXPECT_NEAR(points[i].x, static_cast<double>(i), 1e-3) << i;
    }
}

TEST(Bezier, Scores) {
    const Scores cases[] = {
        {1, 0.143, 0.389, 0.0005}, {2, 0.163, 0.486, 0.0005}, {3, 0.127, 0.364, 0.0005}};
    for (const auto& c : cases) {
        World world = scenario_world(c.scenario);
        std::size_t first = 0;
        bezier_stage(world, 6, first);
        EXPECT_NEAR(world.rmserr(6), c.rms, c.tolerance) << c.scenario;
        EXPECT_NEAR(world.maxerr(6), c.max, c.tolerance) << c.scenario;
    }
}

TEST(Bezier, ScenarioTwoCurveRunsAheadOfTheGridAndIsScoredAlongIt) {
    World world = scenario_world(2);
    std::size_t first = 0;
    const Picture picture = bezier_stage(world, 6, first);
    const auto points = curve_points(picture, first);
    ASSERT_EQ(points.size(), 1001u);
    EXPECT_NEAR(points[1].x, 5.48, 0.005);
    EXPECT_NEAR(points[500].x, 724.8, 0.05);

    // The score follows the curve's own x: scoring the recorded points
    // against the field at their x gives it again, scoring them at the grid
    // positions does not.
    ErrorMeasure along;
    ErrorMeasure on_grid;
    for (std::size_t i = 0; i < points.size(); ++i) {
        along.add(points[i].y - truth(world, points[i].x));
        on_grid.add(points[i].y - truth(world, static_cast<float>(i)));
    }
    EXPECT_NEAR(along.rms(), world.rmserr(6), 1e-6);
    EXPECT_NEAR(along.max(), world.maxerr(6), 1e-6);
    EXPECT_GT(std::fabs(on_grid.rms() - world.rmserr(6)), 0.01);
}

TEST(Bezier, DrawsADotThenAThousandRedSegmentsWithTheCurrentPenWidth) {
    World world = scenario_world(2);
    Picture picture;
    picture.set_draw_width(5);
    bezier(world, picture, 6);
    const auto& items = picture.items();
    ASSERT_EQ(items.size(), 1001u);
    EXPECT_EQ(items[0].kind, Kind::dot);
    EXPECT_EQ(items[0].x1, 0.0f);
    EXPECT_EQ(items[0].y1, 0.0f);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].colour, kRed) << i;
        EXPECT_EQ(items[i].width, 5) << i;
        if (i > 0) {
            EXPECT_EQ(items[i].kind, Kind::segment) << i;
            EXPECT_EQ(items[i].x1, items[i - 1].x2) << i;
            EXPECT_EQ(items[i].y1, items[i - 1].y2) << i;
        }
    }
    EXPECT_EQ(picture.draw_width(), 5);
}

TEST(Bezier, AfterTheStationsThePenWidthIsThree) {
    World world = scenario_world(1);
    std::size_t first = 0;
    const Picture picture = bezier_stage(world, 6, first);
    for (std::size_t i = first; i < picture.items().size(); ++i) {
        EXPECT_EQ(picture.items()[i].width, 3) << i;
    }
}

TEST(Bezier, LeavesThePolynomialFitInTheEstimate) {
    for (std::int16_t scenario : {1, 2, 3}) {
        World world = scenario_world(scenario);
        polyfit(world);
        std::vector<float> fit;
        for (int x = 0; x <= 1000; ++x) {
            fit.push_back(world.est(x));
        }
        std::size_t first = 0;
        bezier_stage(world, 6, first);
        for (int x = 0; x <= 1000; ++x) {
            EXPECT_EQ(world.est(x), fit[static_cast<std::size_t>(x)]) << scenario << " " << x;
        }
    }
}

TEST(Bezier, StoresTheScoresAtTheGivenStageOnly) {
    World world = scenario_world(1);
    Picture picture;
    bezier(world, picture, 9);
    EXPECT_NEAR(world.rmserr(9), 0.143, 0.0005);
    for (int s = 0; s <= 40; ++s) {
        if (s != 9) {
            EXPECT_EQ(world.rmserr(s), 0.0f) << s;
            EXPECT_EQ(world.maxerr(s), 0.0f) << s;
        }
    }
}

// ---- Properties over the three scenarios ----------------------------------

class Scenarios : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(Scenarios, PolyfitReproducesEveryStationValue) {
    World world = scenario_world(GetParam());
    polyfit(world);
    for (int k = 1; k <= world.nstat; ++k) {
        const auto x = static_cast<int>(world.statx(k));
        EXPECT_EQ(world.est(x), world.statv(k)) << "station " << k;
    }
}

TEST_P(Scenarios, BezierPointsAreWeightedMeansOfTheStations) {
    World world = scenario_world(GetParam());
    Picture picture;
    bezier(world, picture, 6);
    float xlo = world.statx(1);
    float xhi = world.statx(1);
    float vlo = world.statv(1);
    float vhi = world.statv(1);
    for (int k = 2; k <= world.nstat; ++k) {
        xlo = std::min(xlo, world.statx(k));
        xhi = std::max(xhi, world.statx(k));
        vlo = std::min(vlo, world.statv(k));
        vhi = std::max(vhi, world.statv(k));
    }
    const auto points = curve_points(picture, 0);
    ASSERT_EQ(points.size(), 1001u);
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_GE(points[i].x, xlo) << i;
        EXPECT_LE(points[i].x, xhi) << i;
        EXPECT_GE(points[i].y, vlo) << i;
        EXPECT_LE(points[i].y, vhi) << i;
        if (i > 0) {
            EXPECT_GE(points[i].x, points[i - 1].x) << i;  // the curve runs east
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllScenarios, Scenarios, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tour
