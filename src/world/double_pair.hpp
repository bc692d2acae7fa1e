// Two doubles side by side, for loops that do the same operations at two
// grid positions: each lane sees the operations one position would, in the
// same order, so its result has the same bits. The processor raises the
// same floating-point flags for a lane as for the single operation, but
// the web build's check of every division for a zero divisor does not look
// into lanes: a caller divides in pairs only by divisors it knows are not 0.
#pragma once

namespace tour {

using DoublePair = double __attribute__((vector_size(2 * sizeof(double))));

inline DoublePair both(double value) {
    return DoublePair{value, value};
}

}  // namespace tour
