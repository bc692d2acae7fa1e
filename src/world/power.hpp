// The general power function x ^ y in double precision.
#pragma once

#include <cmath>

namespace tour {

// x ^ 1 is x itself, which the library's pow returns as well: its result
// lies within about half an ulp of the exact power, and x is representable.
// Taking x directly spares the call where a method raises to the power 1.
inline double power(double x, double y) { return y == 1.0 ? x : std::pow(x, y); }

}  // namespace tour
