#include "world/float_faults.hpp"

#include "world/runtime_error.hpp"

namespace tour {

namespace {

enum FoundFault : int { kInvalid = 1, kDivisionByZero = 2, kOverflow = 4 };

// Faults found by the explicit checks, per thread like the processor's flags.
thread_local int found = 0;

#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
constexpr int kProcessorFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

int processor_faults() {
    const int raised = std::fetestexcept(kProcessorFaults);
    return ((raised & FE_INVALID) != 0 ? kInvalid : 0) |
           ((raised & FE_DIVBYZERO) != 0 ? kDivisionByZero : 0) |
           ((raised & FE_OVERFLOW) != 0 ? kOverflow : 0);
}
#else
// No sticky flags: the explicit checks are the whole record.
constexpr int kProcessorFaults = 0;

int processor_faults() {
    return 0;
}
#endif

}  // namespace

FloatFaultWatch::FloatFaultWatch() {
    std::feclearexcept(kProcessorFaults);
    found = 0;
}

void FloatFaultWatch::check() const {
    const int raised = processor_faults() | found;
    if ((raised & kDivisionByZero) != 0) {
        throw RuntimeError(Fault::division_by_zero);
    }
    if ((raised & kOverflow) != 0) {
        throw RuntimeError(Fault::overflow);
    }
    if ((raised & kInvalid) != 0) {
        throw RuntimeError(Fault::invalid_operation);
    }
}

FloatFlagsKeeper::FloatFlagsKeeper() : saved_found_(found) {
    std::fegetexceptflag(&saved_, kProcessorFaults);
}

FloatFlagsKeeper::~FloatFlagsKeeper() {
    std::fesetexceptflag(&saved_, kProcessorFaults);
    found = saved_found_;
}

void record_not_finite(double value) {
    found |= std::isnan(value) ? kInvalid : kOverflow;
}

void record_zero_divisor(double dividend) {
    if (dividend == 0.0) {
        found |= kInvalid;
    } else if (std::isfinite(dividend)) {
        found |= kDivisionByZero;
    }
}

}  // namespace tour
