#include "display/readout.hpp"

#include <cmath>
#include <cstdint>

namespace tour {

namespace {

// The decimal digits of the whole number mantissa * 2^shift, shift >= 0.
std::string whole_number_digits(std::uint64_t mantissa, int shift) {
    std::string digits = std::to_string(mantissa);
    for (int i = 0; i < shift; ++i) {
        int carry = 0;
        for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
            const int twice = (*digit - '0') * 2 + carry;
            *digit = static_cast<char>('0' + twice % 10);
            carry = twice / 10;
        }
        if (carry != 0) {
            digits.insert(digits.begin(), '1');
        }
    }
    return digits;
}

// A finite magnitude rounded to three decimals, to nearest with ties to
// even, computed exactly from its binary digits: the integer digits and the
// three decimals, which the caller joins with its separator.
struct Rounded {
    std::string whole;
    int thousandths = 0;
};

Rounded round_to_thousandths(float magnitude) {
    if (magnitude == 0.0f) {
        return {"0", 0};
    }
    // magnitude = mantissa * 2^shift with a whole mantissa below 2^24.
    int exponent = 0;
    const double fraction = std::frexp(static_cast<double>(magnitude), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    const int shift = exponent - 24;
    if (shift >= 0) {
        return {whole_number_digits(mantissa, shift), 0};
    }
    // magnitude x 1000 = scaled / 2^drop, scaled below 2^34.
    const std::uint64_t scaled = mantissa * 1000;
    const int drop = -shift;
    if (drop > 35) {
        return {"0", 0};  // below half a thousandth
    }
    std::uint64_t quotient = scaled >> drop;
    const std::uint64_t remainder = scaled - (quotient << drop);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    if (remainder > half || (remainder == half && quotient % 2 == 1)) {
        ++quotient;
    }
    return {std::to_string(quotient / 1000), static_cast<int>(quotient % 1000)};
}

}  // namespace

std::string format_error(float value, const std::string& decimal_separator) {
    // Our own digits, not the C library's: its decimal point follows the
    // process's locale, and the separator here is the caller's.
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) {
        return sign + "nan";
    }
    if (std::isinf(value)) {
        return sign + "inf";
    }
    const Rounded rounded = round_to_thousandths(std::fabs(value));
    const std::string decimals = std::to_string(1000 + rounded.thousandths).substr(1);
    return sign + rounded.whole + decimal_separator + decimals;
}

namespace {
void put_line(std::string& column, bool restart, const std::string& line) {
    column = restart ? line : column + '\n' + line;
}
}  // namespace

void writeerr(ValueColumns& columns, bool restart, const std::string& method, float rms, float max,
              const std::string& decimal_separator) {
    put_line(columns.method, restart, method);
    put_line(columns.rms, restart, format_error(rms, decimal_separator));
    put_line(columns.max, restart, format_error(max, decimal_separator));
}

}  // namespace tour
