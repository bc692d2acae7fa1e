// Floating-point faults (invalid operation, division by zero, overflow) are
// fatal run-time errors. A stage clears the record of faults when it starts
// and turns any fault recorded since into a RuntimeError when it ends.
// Underflow and inexact results are not faults.
//
// The record has two sources. Where the processor keeps sticky flags
// (x86-64), they record every fault as it happens. WebAssembly keeps none, so
// the web build finds faults by explicit checks: the compiler checks every
// floating-point division of the core for a zero divisor (the handler is
// here), and the numbers a stage leaves behind are checked with
// check_finite(). The desktop build runs the second check too: a number
// that is not finite comes from a fault its flags have recorded already.
#pragma once

#include <cfenv>
#include <cmath>

namespace tour {

// Clears the record on construction; check() throws for any fault recorded
// since then: a division by zero before an overflow before an invalid
// operation.
class FloatFaultWatch {
  public:
    FloatFaultWatch();
    void check() const;
};

// Keeps the record as it is across a call into code outside the core (the
// window's pointer or message box), whose arithmetic is not ours.
class FloatFlagsKeeper {
  public:
    FloatFlagsKeeper();
    ~FloatFlagsKeeper();
    FloatFlagsKeeper(const FloatFlagsKeeper&) = delete;
    FloatFlagsKeeper& operator=(const FloatFlagsKeeper&) = delete;

  private:
    std::fexcept_t saved_{};
    int saved_found_ = 0;
};

// Records the fault that left a number that is not finite: a NaN comes from
// an invalid operation; an infinity from an overflow, or from a division by
// zero, which the division check has recorded already.
void record_not_finite(double value);
inline void check_finite(double value) {
    if (!std::isfinite(value)) {
        record_not_finite(value);
    }
}

// Records what a division of dividend by zero raises, as the processor
// would: a finite non-zero dividend a division by zero, zero divided by zero
// an invalid operation, an infinite or NaN dividend nothing. The web build's
// division check calls it.
void record_zero_divisor(double dividend);

}  // namespace tour
