#include "world/float_faults.hpp"

#include "world/runtime_error.hpp"

namespace tour {

namespace {
constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

FloatFaultWatch::FloatFaultWatch() {
    std::feclearexcept(kFaults);
}

void FloatFaultWatch::check() const {
    const int raised = std::fetestexcept(kFaults);
    if (raised & FE_DIVBYZERO) {
        throw RuntimeError(Fault::division_by_zero);
    }
    if (raised & FE_OVERFLOW) {
        throw RuntimeError(Fault::overflow);
    }
    if (raised & FE_INVALID) {
        throw RuntimeError(Fault::invalid_operation);
    }
}

FloatFlagsKeeper::FloatFlagsKeeper() {
    std::fegetexceptflag(&saved_, kFaults);
}

FloatFlagsKeeper::~FloatFlagsKeeper() {
    std::fesetexceptflag(&saved_, kFaults);
}

}  // namespace tour
