#include "explore/fault_text.hpp"

#include <cmath>

namespace tour::explore {

namespace {

// What the fault means for the procedure, where that is known.
const char* reason(Procedure procedure, Fault fault) {
    switch (procedure) {
        case Procedure::invdist:
        case Procedure::orvelmethod:
        case Procedure::gaussave:
        case Procedure::expave:
            if (fault == Fault::invalid_operation) {
                return "all its weights underflow to 0";
            }
            if (fault == Fault::overflow) {
                return "a weight exceeds the single-precision range";
            }
            break;
        case Procedure::polyfit:
            if (fault == Fault::overflow) {
                return "the polynomial exceeds the single-precision range";
            }
            break;
        case Procedure::kriging:
            if (fault == Fault::invalid_operation) {
                return "no pair of stations lies closer than the variogram radius to this lag";
            }
            break;
        default:
            break;
    }
    return nullptr;
}

// "at lag 12" or "at x = 274" where the world first holds no number. A
// variogram model without a number spoils every kriging system after it,
// so the model is looked at first.
std::string where(const World& world) {
    for (int lag = kGridFirst; lag <= kGridLast; ++lag) {
        if (!std::isfinite(world.vgmodel(lag))) {
            return " at lag " + std::to_string(lag);
        }
    }
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        if (!std::isfinite(world.est(x))) {
            return " at x = " + std::to_string(x);
        }
    }
    return {};
}

}  // namespace

std::string fault_text(const ProcedureSpec& spec, Fault fault, const World& world) {
    std::string text = fault_message(fault) + where(world);
    if (const char* why = reason(spec.id, fault)) {
        text += ": ";
        text += why;
    }
    return text + ".";
}

std::string cannot_run_text(const std::string& label, const char* role, const std::string& fault) {
    return label + " (" + role + ") cannot run on this layout: " + fault;
}

std::string solver_text(const std::string& first, int count) {
    return first + " (at " + std::to_string(count) + (count == 1 ? " position)" : " positions)");
}

}  // namespace tour::explore
