#include "world/float_faults.hpp"

#include <cstdint>
#include <cstring>

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

}  // namespace tour

#ifdef __EMSCRIPTEN__
// The web build compiles the core with clang's -fsanitize=float-divide-by-zero,
// which calls this handler just before a floating-point division whose divisor
// is zero; the division then runs as usual. Its arguments follow the
// compiler's interface: the dividend's type (kind 1, a floating-point type of
// the given bit width) and the dividend itself, in the argument when it fits
// there and behind a pointer otherwise. As the processor would: a finite
// non-zero dividend is a division by zero, zero divided by zero an invalid
// operation, and an infinite or NaN dividend no fault.
namespace {
struct SourceLocation {
    const char* file;
    std::uint32_t line;
    std::uint32_t column;
};
struct TypeDescriptor {
    std::uint16_t kind;
    std::uint16_t bits;
    char name[1];
};
struct DivisionData {
    SourceLocation location;
    const TypeDescriptor& type;
};

double dividend(const TypeDescriptor& type, std::uintptr_t handle) {
    if (type.bits == 32) {
        float value;
        const auto bits = static_cast<std::uint32_t>(handle);
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    if (type.bits == 64 && sizeof(std::uintptr_t) < sizeof(double)) {
        double value;
        std::memcpy(&value, reinterpret_cast<const void*>(handle), sizeof value);
        return value;
    }
    return 1.0;  // a width the core does not use: taken as a finite dividend
}
}  // namespace

extern "C" void __ubsan_handle_divrem_overflow(DivisionData* data, std::uintptr_t lhs,
                                               std::uintptr_t) {
    constexpr std::uint16_t kFloatKind = 1;
    if (data->type.kind != kFloatKind) {
        return;
    }
    const double x = dividend(data->type, lhs);
    if (x == 0.0) {
        tour::found |= tour::kInvalid;
    } else if (std::isfinite(x)) {
        tour::found |= tour::kDivisionByZero;
    }
}
#endif
