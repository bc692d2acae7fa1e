// Scoring and the value columns.
#include <gtest/gtest.h>

#include "support/traps_off.hpp"
#include "support/worlds.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

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

// The library's shortest exact rendering of the float, as a double, to three
// decimals: what the formatter must print on every float.
std::string library_digits(float value) {
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 3);
    return {buffer, result.ptr};
}

TEST(Format, RoundsHalfwayCasesToEven) {
    EXPECT_EQ(format_error(0.0625f, "."), "0.062");  // exactly halfway
    EXPECT_EQ(format_error(0.1875f, "."), "0.188");
    EXPECT_EQ(format_error(2.0005f, "."), "2.000");  // the float lies below 2.0005
    EXPECT_EQ(format_error(0.9996f, "."), "1.000");  // carries into the integer digits
    EXPECT_EQ(format_error(0.0004f, "."), "0.000");
}

TEST(Format, PrintsEveryIntegerDigitAndTheSign) {
    EXPECT_EQ(format_error(16777216.0f, "."), "16777216.000");
    EXPECT_EQ(format_error(std::numeric_limits<float>::max(), ","),
              "340282346638528859811704183484516925440,000");
    EXPECT_EQ(format_error(-2008.1f, "."), "-2008.100");
    EXPECT_EQ(format_error(-0.0f, "."), "-0.000");
    EXPECT_EQ(format_error(std::numeric_limits<float>::denorm_min(), "."), "0.000");
}

TEST(Format, AgreesWithTheLibraryOnEveryKindOfFloat) {
    // Every multiple of 2^-13 below 8 (halfway cases among them), then
    // random bit patterns over all finite floats, subnormals included.
    for (int k = 0; k < 8 * 8192; ++k) {
        const float value = static_cast<float>(k) / 8192.0f;
        ASSERT_EQ(format_error(value, "."), library_digits(value)) << k;
    }
    // Random bits make signalling NaNs too, whose test would trap.
    testing::TrapsOff traps_off;
    std::mt19937 bits(20261209);
    for (int i = 0; i < 200000; ++i) {
        const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(bits()));
        if (!std::isfinite(value)) {
            continue;
        }
        ASSERT_EQ(format_error(value, "."), library_digits(value)) << value;
    }
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
