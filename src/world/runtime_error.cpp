#include "world/runtime_error.hpp"

#include <limits>

namespace tour {

std::string fault_message(Fault fault) {
    switch (fault) {
        case Fault::subscript_out_of_range:
            return "Run-time error: Subscript out of range";
        case Fault::overflow:
            return "Run-time error: Overflow";
        case Fault::division_by_zero:
            return "Run-time error: Division by zero";
        case Fault::invalid_operation:
            return "Run-time error: Invalid floating-point operation";
    }
    return "Run-time error";
}

RuntimeError::RuntimeError(Fault fault) : std::runtime_error(fault_message(fault)), fault_(fault) {}

std::int16_t checked_add(std::int16_t value, int delta) {
    const long sum = static_cast<long>(value) + delta;
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max()) {
        throw RuntimeError(Fault::overflow);
    }
    return static_cast<std::int16_t>(sum);
}

}  // namespace tour
