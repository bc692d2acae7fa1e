// The general power function x ^ y in double precision.
#pragma once

#include <cmath>
#include <cstdint>

namespace tour {

// x ^ 1 is x itself, which the library's pow returns as well: its result
// lies within about half an ulp of the exact power, and x is representable.
// Taking x directly spares the call where a method raises to the power 1.
inline double power(double x, double y) {
    return y == 1.0 ? x : std::pow(x, y);
}

}  // namespace tour

namespace tour {

// x ^ 2 as the power function gives it. For a whole number below 2^26 in
// magnitude the square is exact in a double, and so is pow's result, which
// lies within about half an ulp of it: x * x gives the same bits.
inline double square_power(double x) {
    const double magnitude = std::fabs(x);
    if (magnitude < 67108864.0 &&
        static_cast<double>(static_cast<std::int64_t>(magnitude)) == magnitude) {
        return x * x;
    }
    return std::pow(x, 2.0);
}

}  // namespace tour
