// Numbers as text and back, the same bytes in every build and locale: '.'
// as the decimal mark, no grouping, and the very characters that the C++
// library's std::to_chars and std::from_chars give on Debian 12 (libstdc++
// 12). The arithmetic is on integers only and exact, so neither the locale
// nor the floating-point rounding mode nor the library of the build (the
// browser edition's has no floating-point to_chars or from_chars) changes a
// result.
#pragma once

#include <string>
#include <string_view>

namespace tour {

// The shortest text that reads back as the same float, as
// std::to_chars(first, last, value) writes it: the fewest significant digits
// that round to the value, the nearest such digits to the exact value (ties
// to even); fixed notation or scientific, whichever has fewer characters,
// fixed on a tie. Fixed notation of a whole number gives its exact digits
// ("123456792", where 12345679e1 would read back as well); scientific
// notation has a signed exponent of two digits or more ("1e+10", "1e-05").
// Zero is "0" or "-0"; the others "inf", "-inf", "nan" and "-nan" (the sign
// bit of a NaN is kept, its payload is not).
// Read back with parse_number() and narrowed to float, every finite float
// comes back but one: 7.038531e-26 lies so near the middle between its float
// and the next that the nearest double is that middle, which narrows to the
// even float, the next one. Reading it as a float directly would not err.
std::string shortest_text(float value);

// The value rounded to `digits` significant digits (clamped to 1..17) as
// std::to_chars(first, last, value, std::chars_format::general, digits)
// writes it, which is printf's "%.*g" in the "C" locale: the exact binary
// value rounded to nearest with ties to even; fixed notation when the
// decimal exponent x of the rounded value has -4 <= x < digits, scientific
// otherwise; trailing zeros of the fraction and a bare '.' dropped; the
// exponent signed, with two digits or more. Zero, infinities and NaNs as in
// shortest_text().
std::string significant_text(double value, int digits);

// The value rounded to `decimals` places after the point (clamped to 0..9),
// as printf's "%.*f" writes it in the "C" locale: the exact binary value
// rounded to nearest with ties to even, the sign kept ("-0.000"). Beyond
// about 10^15 in magnitude the value is written as significant_text(value,
// 17) instead.
std::string fixed_text(double value, int decimals);

// A decimal numeral read as the nearest double (ties to even), exactly.
struct ParsedNumber {
    enum class Status { ok, not_a_number, out_of_range };
    Status status = Status::not_a_number;
    // ok: the number. out_of_range: what the numeral rounds to, +-infinity
    // or +-0 (std::from_chars leaves its output alone instead).
    // not_a_number: 0.
    double value = 0.0;
};

// The whole text must be a numeral that std::from_chars(first, last, value,
// std::chars_format::general) consumes to its end, and the result is what
// that call gives:
// - an optional '-', then digits with an optional '.' (at least one digit,
//   on either side: "1.", ".5"), then an optional exponent: 'e' or 'E', an
//   optional sign, digits. No '+' in front, no spaces, no hexadecimal, no
//   digit grouping. An 'e' without exponent digits after it ("1e", "1e+")
//   ends the numeral before it, so such a text is not a number.
// - "inf", "infinity", "nan" and "nan(" letters, digits, '_' ")" in any
//   case, after an optional '-': ok, with the infinity or the quiet NaN of
//   that sign.
// - out_of_range where the number rounds to an infinity (it is at least
//   DBL_MAX + half an ulp) or to zero although it is not zero (it is at most
//   half the smallest subnormal, 2^-1075). Numbers that round to a subnormal
//   are ok, as are zeros of any length and exponent ("0e999").
// Long numerals round correctly too: the first 800 significant digits are
// kept and any further nonzero digit counts as a sticky one beyond them,
// which decides every case (the middle between two doubles has at most 768
// significant digits). Exponents beyond a billion saturate there.
ParsedNumber parse_number(std::string_view text);

}  // namespace tour
