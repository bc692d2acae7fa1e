// Fatal run-time errors of the tour. Whatever the program cannot carry on
// from (an array index outside its declared bounds, a 16-bit overflow, a
// floating-point fault) is thrown as a RuntimeError; the window reports its
// message and ends the program.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tour {

enum class Fault { subscript_out_of_range, overflow, division_by_zero, invalid_operation };

class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(Fault fault);
    Fault fault() const { return fault_; }

  private:
    Fault fault_;
};

// The message shown to the user, e.g. "Run-time error: Subscript out of range".
std::string fault_message(Fault fault);

// 16-bit signed arithmetic that fails loudly instead of wrapping.
std::int16_t checked_add(std::int16_t value, int delta);

}  // namespace tour
