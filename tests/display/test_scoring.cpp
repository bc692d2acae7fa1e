// Scoring and the value columns.
#include <gtest/gtest.h>

#include "support/worlds.hpp"

#include <cmath>

#include "display/readout.hpp"
#include "display/scoring.hpp"

namespace tour {
namespace {

using testing::scenario_world;

TEST(Calcerr, ThePerfectEstimateScoresZero) {
    World world = scenario_world(3);
    for (int x = 0; x <= 1000; ++x) {
        world.est(x) = truth(world, static_cast<float>(x));
    }
    calcerr(world, 17);
    EXPECT_EQ(world.rmserr(17), 0.0f);
    EXPECT_EQ(world.maxerr(17), 0.0f);
}

TEST(Calcerr, DividesTheSumOf1001SquaresBy1000) {
    World world = scenario_world(4);  // the true field is 0 everywhere
    for (int x = 0; x <= 1000; ++x) {
        world.est(x) = 1.0f;
    }
    calcerr(world, 5);
    EXPECT_EQ(world.maxerr(5), 1.0f);
    EXPECT_EQ(world.rmserr(5), static_cast<float>(std::sqrt(1001.0 / 1000.0)));
}

TEST(Calcerr, KeepsTheLargestMagnitudeAndAFloatRunningSum) {
    World world = scenario_world(4);
    world.est(0) = -3.0f;
    world.est(1000) = 2.0f;
    calcerr(world, 36);
    EXPECT_EQ(world.maxerr(36), 3.0f);
    EXPECT_EQ(world.rmserr(36), static_cast<float>(std::sqrt(13.0 / 1000.0)));

    // 16777216 + 1 is lost in single precision: the sum is a float.
    world.est(0) = 4096.0f;
    world.est(1) = 1.0f;
    world.est(1000) = 0.0f;
    calcerr(world, 36);
    EXPECT_EQ(world.rmserr(36), static_cast<float>(std::sqrt(16777216.0 / 1000.0)));
}

TEST(Calcerr, StageOutsideTheTableIsAFault) {
    World world = scenario_world(1);
    EXPECT_THROW(calcerr(world, 41), RuntimeError);
}

TEST(Format, ThreeDecimalsAtLeastOneIntegerDigit) {
    EXPECT_EQ(format_error(0.04123f, "."), "0.041");
    EXPECT_EQ(format_error(12.3456f, "."), "12.346");
    EXPECT_EQ(format_error(0.0f, "."), "0.000");
    EXPECT_EQ(format_error(1.0005f, "."), "1.000");  // the float lies just below 1.0005
    EXPECT_EQ(format_error(2008.1f, "."), "2008.100");
    EXPECT_EQ(format_error(123456.7f, "."), "123456.703");
    EXPECT_EQ(format_error(0.0125f, ","), "0,013");
}

TEST(Writeerr, StageThreeRestartsAndOthersAppend) {
    ValueColumns columns{"old", "9.000", "9.000"};
    writeerr(columns, true, "Near. Neighb.", 0.0413f, 0.2f, ".");
    EXPECT_EQ(columns, (ValueColumns{"Near. Neighb.", "0.041", "0.200"}));
    writeerr(columns, false, "Lin. Int.", 0.01f, 0.0629f, ".");
    EXPECT_EQ(columns, (ValueColumns{"Near. Neighb.\nLin. Int.", "0.041\n0.010", "0.200\n0.063"}));
    writeerr(columns, false, "Lin. Int.", 0.01f, 0.0629f, ",");
    EXPECT_EQ(columns.rms, "0.041\n0.010\n0,010");
}

}  // namespace
}  // namespace tour
