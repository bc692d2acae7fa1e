// Turns the floating-point traps off for one scope, for the tests that raise
// a fault on purpose to see it reported.
#pragma once

#include <fenv.h>

namespace tour::testing {

class TrapsOff {
  public:
    TrapsOff() : enabled_(fegetexcept()) { fedisableexcept(FE_ALL_EXCEPT); }
    ~TrapsOff() {
        feclearexcept(FE_ALL_EXCEPT);
        feenableexcept(enabled_);
    }
    TrapsOff(const TrapsOff&) = delete;
    TrapsOff& operator=(const TrapsOff&) = delete;

  private:
    int enabled_;
};

}  // namespace tour::testing
