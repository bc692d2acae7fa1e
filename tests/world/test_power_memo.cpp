// The shortcuts around the power function must give the very bits that pow
// gives, and the distance memo must hand back what the function returns.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "world/power.hpp"
#include "world/whole_number_memo.hpp"

namespace tour {
namespace {

TEST(Power, ToThePowerOneIsPowsOwnResult) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> any(-1e6, 1e6);
    for (int i = 0; i < 100000; ++i) {
        const double x = any(random);
        ASSERT_EQ(power(x, 1.0), std::pow(x, 1.0)) << x;
    }
    EXPECT_EQ(power(2.0, 0.5), std::pow(2.0, 0.5));
    EXPECT_EQ(power(0.0, 1.0), 0.0);
}

TEST(SquarePower, WholeNumbersAndOthersMatchPow) {
    for (double x = -70000.0; x <= 70000.0; x += 1.0) {
        ASSERT_EQ(square_power(x), std::pow(x, 2.0)) << x;
    }
    // Fractions and numbers too large for an exact square go through pow.
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> any(-1e9, 1e9);
    for (int i = 0; i < 100000; ++i) {
        const double x = any(random);
        ASSERT_EQ(square_power(x), std::pow(x, 2.0)) << x;
    }
    EXPECT_EQ(square_power(1e10), std::pow(1e10, 2.0));
}

TEST(WholeNumberMemo, ComputesEachWholeDistanceOnce) {
    int calls = 0;
    auto memo = memo_by_distance<double>([&](double d) {
        ++calls;
        return std::exp(-d / 7.0);
    });
    for (int round = 0; round < 3; ++round) {
        for (double d : {0.0, 25.0, 1000.0, 25.0}) {
            EXPECT_EQ(memo(d), std::exp(-d / 7.0));
        }
    }
    EXPECT_EQ(calls, 3);
}

TEST(WholeNumberMemo, OtherDistancesAreComputedEveryTime) {
    int calls = 0;
    auto memo = memo_by_distance<float>([&](double d) {
        ++calls;
        return static_cast<float>(d * 2.0);
    });
    EXPECT_EQ(memo(12.5), 25.0f);
    EXPECT_EQ(memo(12.5), 25.0f);
    EXPECT_EQ(memo(1001.0), 2002.0f);
    EXPECT_EQ(memo(-3.0), -6.0f);
    EXPECT_EQ(memo(12.0), 24.0f);  // the whole number 12 is not the 12.5 computed before
    EXPECT_EQ(calls, 5);
}

}  // namespace
}  // namespace tour
