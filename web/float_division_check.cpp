#include <cmath>
#include <cstdint>
#include <cstring>

#include "world/float_faults.hpp"

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
    tour::record_zero_divisor(dividend(data->type, lhs));
}
