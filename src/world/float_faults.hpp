// Floating-point faults (invalid operation, division by zero, overflow) are
// fatal run-time errors. The hardware records them as sticky flags; a stage
// clears the flags when it starts and turns any flag it raised into a
// RuntimeError when it ends. Underflow and inexact results are not faults.
#pragma once

#include <cfenv>

namespace tour {

// Clears the fault flags on construction; check() throws for any fault
// raised since then.
class FloatFaultWatch {
  public:
    FloatFaultWatch();
    void check() const;
};

// Keeps the flags as they are across a call into code outside the core
// (the window's pointer or message box), whose arithmetic is not ours.
class FloatFlagsKeeper {
  public:
    FloatFlagsKeeper();
    ~FloatFlagsKeeper();
    FloatFlagsKeeper(const FloatFlagsKeeper&) = delete;
    FloatFlagsKeeper& operator=(const FloatFlagsKeeper&) = delete;

  private:
    std::fexcept_t saved_{};
};

}  // namespace tour
