// Loud faults: bounds, 16-bit overflow and floating-point faults become
// run-time errors with a message for the user.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "support/traps_off.hpp"
#include "world/checked_array.hpp"
#include "world/float_faults.hpp"
#include "world/runtime_error.hpp"

namespace tour {
namespace {

void expect_fault(Fault fault, const std::function<void()>& action) {
    try {
        action();
        ADD_FAILURE() << "no run-time error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.fault(), fault);
        EXPECT_EQ(error.what(), fault_message(fault));
    }
}

TEST(CheckedArrays, KeepTheirDeclaredBounds) {
    Array1<float> stations(1, 21);
    stations(1) = 1.0f;
    stations(21) = 21.0f;
    EXPECT_EQ(stations(1), 1.0f);
    EXPECT_EQ(stations(21), 21.0f);
    expect_fault(Fault::subscript_out_of_range, [&] { stations(0) = 0.0f; });
    expect_fault(Fault::subscript_out_of_range, [&] { (void)stations(22); });

    Array2<double> matrix(1, 3, 1, 4);
    matrix(3, 4) = 7.0;
    matrix(1, 1) = 1.0;
    EXPECT_EQ(matrix(3, 4), 7.0);
    EXPECT_EQ(matrix(1, 1), 1.0);
    EXPECT_EQ(matrix(2, 2), 0.0);
    expect_fault(Fault::subscript_out_of_range, [&] { (void)matrix(4, 1); });
    expect_fault(Fault::subscript_out_of_range, [&] { (void)matrix(1, 5); });
    expect_fault(Fault::subscript_out_of_range, [&] { (void)matrix(0, 1); });
}

TEST(CheckedArrays, ElementsOfDifferentRowsDoNotAlias) {
    Array2<int> grid(0, 2, 1, 3);
    int value = 0;
    for (int i = 0; i <= 2; ++i) {
        for (int j = 1; j <= 3; ++j) {
            grid(i, j) = ++value;
        }
    }
    EXPECT_EQ(grid(0, 3), 3);
    EXPECT_EQ(grid(1, 1), 4);
    EXPECT_EQ(grid(2, 3), 9);
}

TEST(SixteenBit, OverflowIsARunTimeError) {
    EXPECT_EQ(checked_add(36, 1), 37);
    EXPECT_EQ(checked_add(-1, 1), 0);
    EXPECT_EQ(checked_add(std::numeric_limits<std::int16_t>::max(), 0), 32767);
    expect_fault(Fault::overflow, [] { checked_add(32767, 1); });
    expect_fault(Fault::overflow, [] { checked_add(-32768, -1); });
}

TEST(FloatFaults, ARaisedFaultIsReportedByTheWatch) {
    testing::TrapsOff traps_off;
    volatile double zero = 0.0;
    volatile double huge = 1e300;

    expect_fault(Fault::division_by_zero, [&] {
        const FloatFaultWatch watch;
        volatile double r = 1.0 / zero;
        (void)r;
        watch.check();
    });
    expect_fault(Fault::invalid_operation, [&] {
        const FloatFaultWatch watch;
        volatile double r = zero / zero;
        (void)r;
        watch.check();
    });
    expect_fault(Fault::overflow, [&] {
        const FloatFaultWatch watch;
        volatile auto r = static_cast<float>(huge);
        (void)r;
        watch.check();
    });
}

TEST(FloatFaults, UnderflowIsNoFaultAndEarlierFlagsAreForgotten) {
    testing::TrapsOff traps_off;
    volatile double zero = 0.0;
    volatile double r = 1.0 / zero;  // before the watch starts
    const FloatFaultWatch watch;
    volatile double tiny = std::exp(-900.0);
    (void)r;
    (void)tiny;
    EXPECT_NO_THROW(watch.check());
}

TEST(FloatFaults, FlagsRaisedOutsideTheCoreAreNotBlamedOnIt) {
    testing::TrapsOff traps_off;
    const FloatFaultWatch watch;
    {
        FloatFlagsKeeper keep;
        volatile double zero = 0.0;
        volatile double r = 1.0 / zero;
        (void)r;
    }
    EXPECT_NO_THROW(watch.check());
}

// The checks that stand in for the processor's flags where it has none: they
// record what a non-finite result shows, with the flags' order of reports.
TEST(FloatFaults, ANonFiniteResultIsReportedAsTheFaultThatMadeIt) {
    testing::TrapsOff traps_off;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    volatile double zero = 0.0;

    expect_fault(Fault::invalid_operation, [&] {
        const FloatFaultWatch watch;
        check_finite(nan);
        watch.check();
    });
    expect_fault(Fault::overflow, [&] {
        const FloatFaultWatch watch;
        check_finite(-inf);
        check_finite(nan);  // an overflow is reported before an invalid operation
        watch.check();
    });
    expect_fault(Fault::division_by_zero, [&] {
        const FloatFaultWatch watch;
        volatile double r = 1.0 / zero;
        check_finite(r);  // the infinity a division by zero made
        watch.check();
    });
    {
        const FloatFaultWatch watch;
        for (const double finite : {0.0, -0.0, std::numeric_limits<double>::denorm_min(),
                                    std::numeric_limits<double>::max(), -1e300}) {
            check_finite(finite);
        }
        EXPECT_NO_THROW(watch.check());
    }
}

TEST(FloatFaults, ANewWatchAndTheKeeperTreatCheckedFaultsLikeFlags) {
    testing::TrapsOff traps_off;
    check_finite(std::numeric_limits<float>::quiet_NaN());  // before the watch starts
    const FloatFaultWatch watch;
    {
        FloatFlagsKeeper keep;
        check_finite(std::numeric_limits<float>::infinity());  // outside the core
    }
    EXPECT_NO_THROW(watch.check());
}

}  // namespace
}  // namespace tour
