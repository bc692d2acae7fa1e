// Why a method could not run on a layout, in words for its row of the table:
// the run-time error, where it first shows, and what it means for the method.
#pragma once

#include <string>

#include "tour/catalogue.hpp"
#include "world/runtime_error.hpp"

namespace tour::explore {

// The fault, with the first grid position or lag where the world it left
// holds a value that is not a number or infinite, and the procedure's
// reason for that fault where it has one: for a weighted average, a 0/0
// means that every weight underflowed to 0 there.
std::string fault_text(const ProcedureSpec& spec, Fault fault, const World& world);

// A drawn method that cannot run on the layout: "Gauss-Ave (10) (chosen)
// cannot run on this layout: ...". role is "chosen" or "compared".
std::string cannot_run_text(const std::string& label, const char* role, const std::string& fault);

// The equation solver's first message and how many positions showed one.
std::string solver_text(const std::string& first, int count);

}  // namespace tour::explore
