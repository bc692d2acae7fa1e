// Exact conversions between binary floating point and decimal text, on
// integers only. A float or double is m * 2^e with whole m and e; a decimal
// numeral is d * 10^x. Reading a numeral and writing a given number of
// digits both come down to the floor of a product m * 2^p * 5^q (p, q of
// either sign) and whether that floor dropped anything; the shortest digits
// come off the exact quotient one at a time. The arithmetic is in 64 or 128
// bits where the numbers are small enough, which covers the magnitudes a
// tour writes and reads, and in multi-word integers otherwise.
#include "world/numerals.hpp"

#include <array>
#include <cstdint>
#include <cstring>

namespace tour {
namespace {

__extension__ typedef unsigned __int128 Wide;

// 5^0 .. 5^27 and 10^0 .. 10^19, the powers that fit in 64 bits.
template <int kCount>
constexpr std::array<std::uint64_t, kCount> powers(std::uint64_t base) {
    std::array<std::uint64_t, kCount> table{};
    table[0] = 1;
    for (int i = 1; i < kCount; ++i) {
        table[static_cast<std::size_t>(i)] = table[static_cast<std::size_t>(i - 1)] * base;
    }
    return table;
}
constexpr auto kPow5 = powers<28>(5);
constexpr auto kPow10 = powers<20>(10);

int bit_length(std::uint64_t v) {
    return v == 0 ? 0 : 64 - __builtin_clzll(v);
}

// Upper bound of the bits of 5^n, n >= 0 (log2 5 < 2.3223).
int pow5_bits(int n) {
    return ((n * 2378) >> 10) + 1;
}

// floor(n * log10 2), exact for |n| <= 1650, and floor(n * log2 10), exact
// or one less for |n| <= 1200 (C++20 shifts of negative numbers are
// arithmetic: they round towards minus infinity).
int floor_log10_pow2(int n) {
    return (n * 78913) >> 18;
}
int floor_log2_pow10(int n) {
    return (n * 217706) >> 16;
}

// Unsigned integers of up to 3072 bits in 32-bit limbs, least significant
// first, without leading zero limbs (zero has none). Enough for 800
// significant decimal digits beside the powers of five that scale them.
class Big {
  public:
    static constexpr int kLimbs = 96;

    Big() = default;
    explicit Big(std::uint64_t v) { set(v); }
    Big(const Big& other) : size_(other.size_) {
        std::memcpy(limb_, other.limb_, sizeof(std::uint32_t) * static_cast<std::size_t>(size_));
    }
    Big& operator=(const Big& other) {
        size_ = other.size_;
        std::memcpy(limb_, other.limb_, sizeof(std::uint32_t) * static_cast<std::size_t>(size_));
        return *this;
    }

    void set(std::uint64_t v) {
        size_ = 0;
        while (v != 0) {
            limb_[size_++] = static_cast<std::uint32_t>(v);
            v >>= 32;
        }
    }
    bool is_zero() const { return size_ == 0; }
    int bit_length() const {
        return size_ == 0 ? 0
                          : 32 * (size_ - 1) + tour::bit_length(std::uint64_t{limb_[size_ - 1]});
    }
    void mul_small(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (int i = 0; i < size_; ++i) {
            const std::uint64_t t = std::uint64_t{limb_[i]} * factor + carry;
            limb_[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) {
            limb_[size_++] = static_cast<std::uint32_t>(carry);
        }
    }
    void add_small(std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (int i = 0; i < size_ && carry != 0; ++i) {
            const std::uint64_t t = std::uint64_t{limb_[i]} + carry;
            limb_[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) {
            limb_[size_++] = static_cast<std::uint32_t>(carry);
        }
    }
    void mul_pow5(int n) {
        for (; n >= 13; n -= 13) {
            mul_small(1220703125U);  // 5^13
        }
        if (n > 0) {
            mul_small(static_cast<std::uint32_t>(kPow5[n]));
        }
    }
    void mul_pow10(int n) {
        mul_pow5(n);
        shl(n);
    }
    void shl(int n) {
        if (size_ == 0 || n == 0) {
            return;
        }
        const int words = n / 32;
        const int bits = n % 32;
        if (bits == 0) {
            for (int i = size_ - 1; i >= 0; --i) {
                limb_[i + words] = limb_[i];
            }
            limb_[size_ + words] = 0;
        } else {
            limb_[size_ + words] = limb_[size_ - 1] >> (32 - bits);
            for (int i = size_ - 1; i > 0; --i) {
                limb_[i + words] = (limb_[i] << bits) | (limb_[i - 1] >> (32 - bits));
            }
            limb_[words] = limb_[0] << bits;
        }
        for (int i = 0; i < words; ++i) {
            limb_[i] = 0;
        }
        size_ += words + 1;
        trim();
    }
    void add(const Big& other) {
        std::uint64_t carry = 0;
        const int n = size_ > other.size_ ? size_ : other.size_;
        for (int i = 0; i < n; ++i) {
            const std::uint64_t t = std::uint64_t{i < size_ ? limb_[i] : 0U} +
                                    (i < other.size_ ? other.limb_[i] : 0U) + carry;
            limb_[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        size_ = n;
        if (carry != 0) {
            limb_[size_++] = static_cast<std::uint32_t>(carry);
        }
    }
    // *this -= other, which must not exceed *this.
    void sub(const Big& other) {
        std::uint64_t borrow = 0;
        for (int i = 0; i < size_; ++i) {
            const std::uint64_t t =
                std::uint64_t{limb_[i]} - (i < other.size_ ? other.limb_[i] : 0U) - borrow;
            limb_[i] = static_cast<std::uint32_t>(t);
            borrow = (t >> 32) & 1U;
        }
        trim();
    }
    friend int compare(const Big& a, const Big& b) {
        if (a.size_ != b.size_) {
            return a.size_ < b.size_ ? -1 : 1;
        }
        for (int i = a.size_ - 1; i >= 0; --i) {
            if (a.limb_[i] != b.limb_[i]) {
                return a.limb_[i] < b.limb_[i] ? -1 : 1;
            }
        }
        return 0;
    }

    // floor(*this / s) for a value below 10 s, leaving the remainder.
    int take_digit(const Big& s, const Big& s2, const Big& s4, const Big& s8);

    // floor(*this / 2^n), which must be below 2^64; `inexact` is set when
    // the bits shifted out are not all zero.
    std::uint64_t shifted_down(int n, bool& inexact) const {
        const int words = n / 32;
        const int bits = n % 32;
        inexact = false;
        for (int i = 0; i < words && i < size_; ++i) {
            inexact = inexact || limb_[i] != 0;
        }
        if (words < size_ && bits != 0) {
            inexact = inexact || (limb_[words] & ((1U << bits) - 1U)) != 0;
        }
        Wide q = 0;  // up to three limbs hold the 64 bits
        for (int i = size_ - 1; i >= words; --i) {
            q = (q << 32) | limb_[i];
        }
        return static_cast<std::uint64_t>(q >> bits);
    }

    // Divides by a nonzero divisor, leaving the remainder here and returning
    // the quotient, which must be below 2^64 (long division by limbs,
    // Knuth's algorithm D).
    std::uint64_t divide(const Big& divisor) {
        if (compare(*this, divisor) < 0) {
            return 0;
        }
        const int n = divisor.size_;
        if (n == 1) {
            const std::uint64_t d = divisor.limb_[0];
            std::uint64_t rem = 0;
            std::uint64_t q = 0;
            for (int i = size_ - 1; i >= 0; --i) {
                const std::uint64_t t = (rem << 32) | limb_[i];
                q = (q << 32) | (t / d);
                rem = t % d;
            }
            set(rem);
            return q;
        }
        // Normalise: the divisor's top limb gets its top bit set.
        const int shift = 32 - tour::bit_length(std::uint64_t{divisor.limb_[n - 1]});
        Big v = divisor;
        v.shl(shift);
        const int m = size_;
        limb_[m] = 0;
        shl(shift);
        std::uint32_t* u = limb_;  // m + 1 limbs, the top one possibly zero
        for (int i = size_; i <= m; ++i) {
            u[i] = 0;
        }
        std::uint64_t q = 0;
        const std::uint64_t vtop = v.limb_[n - 1];
        const std::uint64_t vnext = v.limb_[n - 2];
        for (int j = m - n; j >= 0; --j) {
            const std::uint64_t num = (std::uint64_t{u[j + n]} << 32) | u[j + n - 1];
            std::uint64_t qhat = num / vtop;
            std::uint64_t rhat = num % vtop;
            while (qhat > 0xffffffffULL || qhat * vnext > ((rhat << 32) | u[j + n - 2])) {
                --qhat;
                rhat += vtop;
                if (rhat > 0xffffffffULL) {
                    break;
                }
            }
            // u[j .. j + n] -= qhat * v
            std::uint64_t borrow = 0;
            std::uint64_t carry = 0;
            for (int i = 0; i < n; ++i) {
                const std::uint64_t p = qhat * v.limb_[i] + carry;
                carry = p >> 32;
                const std::uint64_t t = std::uint64_t{u[i + j]} - (p & 0xffffffffULL) - borrow;
                u[i + j] = static_cast<std::uint32_t>(t);
                borrow = (t >> 32) & 1U;
            }
            const std::uint64_t t = std::uint64_t{u[j + n]} - carry - borrow;
            u[j + n] = static_cast<std::uint32_t>(t);
            if ((t >> 32) != 0) {
                // Subtracted one divisor too many: add it back.
                --qhat;
                std::uint64_t c = 0;
                for (int i = 0; i < n; ++i) {
                    const std::uint64_t s = std::uint64_t{u[i + j]} + v.limb_[i] + c;
                    u[i + j] = static_cast<std::uint32_t>(s);
                    c = s >> 32;
                }
                u[j + n] = static_cast<std::uint32_t>(u[j + n] + c);
            }
            q = (q << 32) | qhat;
        }
        // The remainder, normalised back.
        size_ = n;
        trim();
        if (shift != 0 && size_ != 0) {
            for (int i = 0; i < size_ - 1; ++i) {
                limb_[i] = (limb_[i] >> shift) | (limb_[i + 1] << (32 - shift));
            }
            limb_[size_ - 1] >>= shift;
            trim();
        }
        return q;
    }

  private:
    void trim() {
        while (size_ > 0 && limb_[size_ - 1] == 0) {
            --size_;
        }
    }

    std::uint32_t limb_[kLimbs + 1];
    int size_ = 0;
};

// floor(r / s) for r < 10 s, leaving the remainder in r: subtracting 8 s,
// 4 s, 2 s and s where they fit.
template <class Num>
int take_digit_by_halves(Num& r, const Num& s, const Num& s2, const Num& s4, const Num& s8) {
    int digit = 0;
    if (compare(r, s8) >= 0) {
        r.sub(s8);
        digit += 8;
    }
    if (compare(r, s4) >= 0) {
        r.sub(s4);
        digit += 4;
    }
    if (compare(r, s2) >= 0) {
        r.sub(s2);
        digit += 2;
    }
    if (compare(r, s) >= 0) {
        r.sub(s);
        digit += 1;
    }
    return digit;
}

int Big::take_digit(const Big& s, const Big& s2, const Big& s4, const Big& s8) {
    return take_digit_by_halves(*this, s, s2, s4, s8);
}

// floor(m * 2^p2 * 5^p5), which must be below 2^64; `inexact` tells whether
// the floor dropped a fraction.
// Kept out of line, as are the other uses of Big: their frames are large,
// and the common small numbers need none of it.
[[gnu::noinline]] std::uint64_t scaled_floor(const Big& m, int p2, int p5, bool& inexact) {
    Big num = m;
    if (p5 > 0) {
        num.mul_pow5(p5);
    }
    if (p2 > 0) {
        num.shl(p2);
    }
    const int down = p2 < 0 ? -p2 : 0;
    if (p5 >= 0) {
        return num.shifted_down(down, inexact);
    }
    Big den(1);
    den.mul_pow5(-p5);
    den.shl(down);
    const std::uint64_t q = num.divide(den);
    inexact = !num.is_zero();
    return q;
}

[[gnu::noinline]] std::uint64_t scaled_floor_big(std::uint64_t m, int p2, int p5, bool& inexact) {
    return scaled_floor(Big(m), p2, p5, inexact);
}

std::uint64_t scaled_floor(std::uint64_t m, int p2, int p5, bool& inexact) {
    const int up = p2 > 0 ? p2 : 0;
    const int down = p2 < 0 ? -p2 : 0;
    const int up5 = p5 > 0 ? p5 : 0;
    const int down5 = p5 < 0 ? -p5 : 0;
    if (down5 > 27 || bit_length(m) + pow5_bits(up5) + up > 127) {
        return scaled_floor_big(m, p2, p5, inexact);
    }
    Wide num = m;
    for (int n = up5; n > 0; n -= 27) {
        num *= kPow5[n < 27 ? n : 27];
    }
    num <<= up;
    inexact = false;
    if (down5 > 0) {
        const std::uint64_t d = kPow5[down5];
        inexact = num % d != 0;
        num /= d;
    }
    if (down >= 128) {
        inexact = inexact || num != 0;
        return 0;
    }
    if (down > 0) {
        inexact = inexact || (num & ((Wide{1} << down) - 1)) != 0;
        num >>= down;
    }
    return static_cast<std::uint64_t>(num);
}

// ---------------------------------------------------------------- reading

double from_bits(std::uint64_t bits) {
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

constexpr std::uint64_t kSignBit = 0x8000000000000000ULL;
constexpr std::uint64_t kInfinityBits = 0x7ff0000000000000ULL;
constexpr std::uint64_t kQuietNanBits = 0x7ff8000000000000ULL;
constexpr int kKeptDigits = 800;

// The double nearest to d * 10^x, d > 0 of d_bits bits, where d * 10^x lies
// between 10^-324 and 10^310; out_of_range where it rounds to an infinity or
// to zero.
template <class Mantissa>
ParsedNumber nearest_double(const Mantissa& d, int d_bits, int x, bool negative) {
    const std::uint64_t sign = negative ? kSignBit : 0;
    // With b = floor(log2 of the number), within one or two, the floor of
    // the number / 2^(b - 60) has 58 to 63 bits.
    const int b = d_bits - 1 + floor_log2_pow10(x);
    int shift = b - 60;
    bool sticky = false;
    std::uint64_t q = scaled_floor(d, x - shift, x, sticky);
    // Down to 54 bits (the 53 of a double and a rounding bit), or to the
    // subnormals' scale, 2^-1075.
    int drop = bit_length(q) - 54;
    if (shift + drop < -1075) {
        drop = -1075 - shift;
    }
    if (drop >= 64) {
        sticky = sticky || q != 0;
        q = 0;
    } else if (drop > 0) {
        sticky = sticky || (q & ((std::uint64_t{1} << drop) - 1)) != 0;
        q >>= drop;
    }
    shift += drop;
    std::uint64_t mantissa = q >> 1;
    if ((q & 1) != 0 && (sticky || (mantissa & 1) != 0)) {
        ++mantissa;
    }
    if (mantissa == (std::uint64_t{1} << 53)) {
        mantissa >>= 1;
        ++shift;
    }
    // The number is mantissa * 2^(shift + 1).
    ParsedNumber result;
    if (mantissa == 0) {
        result.status = ParsedNumber::Status::out_of_range;
        result.value = from_bits(sign);
        return result;
    }
    std::uint64_t bits = mantissa;  // a subnormal: shift is -1075
    if (mantissa >= (std::uint64_t{1} << 52)) {
        const int biased = shift + 1076;
        if (biased >= 2047) {
            result.status = ParsedNumber::Status::out_of_range;
            result.value = from_bits(sign | kInfinityBits);
            return result;
        }
        bits = (static_cast<std::uint64_t>(biased) << 52) | (mantissa - (std::uint64_t{1} << 52));
    }
    result.status = ParsedNumber::Status::ok;
    result.value = from_bits(sign | bits);
    return result;
}

// nearest_double() of more digits than 64 bits hold.
[[gnu::noinline]] ParsedNumber nearest_double_of_many(const char* kept, int count, bool sticky,
                                                      int x, bool negative) {
    Big d;
    int i = 0;
    for (; i + 9 <= count; i += 9) {
        std::uint32_t chunk = 0;
        for (int k = 0; k < 9; ++k) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(kept[i + k] - '0');
        }
        d.mul_small(1000000000U);
        d.add_small(chunk);
    }
    for (; i < count; ++i) {
        d.mul_small(10);
        d.add_small(static_cast<std::uint32_t>(kept[i] - '0'));
    }
    if (sticky) {
        d.mul_small(10);
        d.add_small(1);
    }
    return nearest_double(d, d.bit_length(), x, negative);
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equals_ignoring_case(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lower(text[i]) != word[i]) {
            return false;
        }
    }
    return true;
}

// "inf", "infinity", "nan", "nan(...)" in any case, the whole text.
ParsedNumber parse_special(std::string_view text, bool negative) {
    ParsedNumber result;
    const std::uint64_t sign = negative ? kSignBit : 0;
    if (equals_ignoring_case(text, "inf") || equals_ignoring_case(text, "infinity")) {
        result.status = ParsedNumber::Status::ok;
        result.value = from_bits(sign | kInfinityBits);
        return result;
    }
    if (text.size() >= 3 && equals_ignoring_case(text.substr(0, 3), "nan")) {
        bool whole = text.size() == 3;
        if (text.size() >= 5 && text[3] == '(' && text.back() == ')') {
            whole = true;
            for (std::size_t i = 4; i + 1 < text.size(); ++i) {
                const char c = lower(text[i]);
                whole = whole && (is_digit(c) || (c >= 'a' && c <= 'z') || c == '_');
            }
        }
        if (whole) {
            result.status = ParsedNumber::Status::ok;
            result.value = from_bits(sign | kQuietNanBits);
        }
    }
    return result;
}

}  // namespace

ParsedNumber parse_number(std::string_view text) {
    std::size_t p = 0;
    const std::size_t end = text.size();
    const bool negative = p < end && text[p] == '-';
    if (negative) {
        ++p;
    }
    // The significant digits (from the first nonzero one), the first
    // kKeptDigits of them kept; `point` counts those before the '.'.
    char kept[kKeptDigits];
    int count = 0;
    bool sticky = false;
    std::int64_t point = 0;
    bool any_digit = false;
    bool after_point = false;
    for (; p < end; ++p) {
        const char c = text[p];
        if (c == '.' && !after_point) {
            after_point = true;
            continue;
        }
        if (!is_digit(c)) {
            break;
        }
        any_digit = true;
        if (count == 0 && c == '0') {
            if (after_point) {
                --point;
            }
            continue;
        }
        if (!after_point) {
            ++point;
        }
        if (count < kKeptDigits) {
            kept[count++] = c;
        } else if (c != '0') {
            sticky = true;
        }
    }
    if (!any_digit) {
        return parse_special(text.substr(negative ? 1 : 0), negative);
    }
    std::int64_t exponent = 0;
    if (p < end && (text[p] == 'e' || text[p] == 'E')) {
        std::size_t q = p + 1;
        const bool minus = q < end && text[q] == '-';
        if (q < end && (text[q] == '-' || text[q] == '+')) {
            ++q;
        }
        if (q < end && is_digit(text[q])) {
            for (; q < end && is_digit(text[q]); ++q) {
                if (exponent < 1000000000) {
                    exponent = exponent * 10 + (text[q] - '0');
                }
            }
            if (minus) {
                exponent = -exponent;
            }
            p = q;
        }
    }
    if (p != end) {
        return ParsedNumber{};
    }
    const std::uint64_t sign = negative ? kSignBit : 0;
    ParsedNumber result;
    while (!sticky && count > 0 && kept[count - 1] == '0') {
        --count;
    }
    if (count == 0) {
        result.status = ParsedNumber::Status::ok;
        result.value = from_bits(sign);
        return result;
    }
    // The number is 0.kept[...] * 10^magnitude, at least 10^(magnitude - 1).
    const std::int64_t magnitude = point + exponent;
    if (magnitude > 310) {
        result.status = ParsedNumber::Status::out_of_range;
        result.value = from_bits(sign | kInfinityBits);
        return result;
    }
    if (magnitude < -323) {
        result.status = ParsedNumber::Status::out_of_range;
        result.value = from_bits(sign);
        return result;
    }
    const int digits = count + (sticky ? 1 : 0);
    const int x = static_cast<int>(magnitude) - digits;
    if (digits <= 19) {
        std::uint64_t d = 0;
        for (int i = 0; i < count; ++i) {
            d = d * 10 + static_cast<std::uint64_t>(kept[i] - '0');
        }
        if (sticky) {
            d = d * 10 + 1;
        }
        return nearest_double(d, bit_length(d), x, negative);
    }
    return nearest_double_of_many(kept, count, sticky, x, negative);
}

// ---------------------------------------------------------------- writing

namespace {

struct Decoded {
    bool negative = false;
    bool infinite = false;
    bool nan = false;
    bool zero = false;
    std::uint64_t m = 0;  // the value is m * 2^e
    int e = 0;
    bool narrow_below = false;  // the gap to the next value below is half the one above
};

Decoded decode(std::uint64_t bits, int mantissa_bits, int exponent_bits) {
    Decoded d;
    const int bias = (1 << (exponent_bits - 1)) - 1;
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << mantissa_bits) - 1);
    const int biased =
        static_cast<int>((bits >> mantissa_bits) & ((std::uint64_t{1} << exponent_bits) - 1));
    d.negative = ((bits >> (mantissa_bits + exponent_bits)) & 1) != 0;
    if (biased == (1 << exponent_bits) - 1) {
        d.infinite = fraction == 0;
        d.nan = fraction != 0;
        return d;
    }
    if (biased == 0) {
        d.zero = fraction == 0;
        d.m = fraction;
        d.e = 1 - bias - mantissa_bits;
        return d;
    }
    d.m = fraction | (std::uint64_t{1} << mantissa_bits);
    d.e = biased - bias - mantissa_bits;
    d.narrow_below = fraction == 0 && biased > 1;
    return d;
}

// The characters of a number, gathered before they become a string: no
// numeral here is longer than 30.
class Text {
  public:
    void operator+=(char c) { chars_[size_++] = c; }
    void operator+=(const char* s) {
        while (*s != '\0') {
            chars_[size_++] = *s++;
        }
    }
    void append(const char* s, std::size_t n) {
        std::memcpy(chars_ + size_, s, n);
        size_ += n;
    }
    void append(std::size_t n, char c) {
        std::memset(chars_ + size_, c, n);
        size_ += n;
    }
    std::string str() const { return std::string(chars_, size_); }

  private:
    char chars_[40];
    std::size_t size_ = 0;
};

// The text of what is not a finite nonzero number, or false.
bool special_text(const Decoded& d, Text& out) {
    if (d.nan) {
        out += d.negative ? "-nan" : "nan";
    } else if (d.infinite) {
        out += d.negative ? "-inf" : "inf";
    } else if (d.zero) {
        out += d.negative ? "-0" : "0";
    } else {
        return false;
    }
    return true;
}

void append_exponent(Text& out, int exponent) {
    out += 'e';
    out += exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) {
        out += static_cast<char>('0' + magnitude / 100);
    }
    out += static_cast<char>('0' + magnitude / 10 % 10);
    out += static_cast<char>('0' + magnitude % 10);
}

// d1.d2...dn e+-x
void append_scientific(Text& out, const char* digits, int count, int exponent) {
    out += digits[0];
    if (count > 1) {
        out += '.';
        out.append(digits + 1, static_cast<std::size_t>(count - 1));
    }
    append_exponent(out, exponent);
}

// The digits with the decimal exponent x of the first one, x < count - 1:
// some of them follow the '.'.
void append_fraction(Text& out, const char* digits, int count, int exponent) {
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits, static_cast<std::size_t>(count));
    } else {
        out.append(digits, static_cast<std::size_t>(exponent + 1));
        out += '.';
        out.append(digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
    }
}

void append_whole(Text& out, std::uint64_t v) {
    char buffer[20];
    int n = 0;
    do {
        buffer[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0) {
        out += buffer[--n];
    }
}

// The numbers of the shortest digits as plain 64- or 128-bit integers, for
// the many floats whose numbers are small enough.
template <class Int>
class Plain {
  public:
    void set(std::uint64_t v) { v_ = v; }
    void shl(int n) { v_ <<= n; }
    void mul_small(std::uint32_t f) { v_ *= f; }
    void mul_pow10(int n) {
        for (; n > 0; --n) {
            v_ *= 10;
        }
    }
    void add(const Plain& o) { v_ += o.v_; }
    void sub(const Plain& o) { v_ -= o.v_; }
    friend int compare(const Plain& a, const Plain& b) {
        return a.v_ < b.v_ ? -1 : (a.v_ > b.v_ ? 1 : 0);
    }
    // floor(*this / s), below 10, leaving the remainder; 2s, 4s and 8s
    // spare a 128-bit division.
    int take_digit(const Plain& s, const Plain& s2, const Plain& s4, const Plain& s8) {
        if constexpr (sizeof(Int) == 8) {
            const Int digit = v_ / s.v_;
            v_ -= digit * s.v_;
            return static_cast<int>(digit);
        } else {
            return take_digit_by_halves(*this, s, s2, s4, s8);
        }
    }

  private:
    Int v_ = 0;
};

// The shortest digits of m * 2^e, exact (after Steele and White, and
// Burger and Dybvig): the value is r / s, the values that read back as it
// lie between (r - below) / s and (r + above) / s, those bounds included
// when m is even (ties read back to even). Scaled by a power of ten so that
// the upper bound is below 1, digits come off r / s until one of the two
// nearest candidates of that length reads back; of two that do, the nearer
// wins, on a tie the even one.
struct Digits {
    std::uint64_t value = 0;  // the digits as a whole number, no trailing zeros
    int count = 0;
    int exponent = 0;  // the decimal exponent of the first digit
};

template <class Num>
Digits shortest_digits(const Decoded& d, int k) {
    Num r, s, above, below;
    const int scale2 = d.narrow_below ? 2 : 1;
    if (d.e >= 0) {
        r.set(d.m);
        r.shl(d.e + scale2);
        s.set(std::uint64_t{1} << scale2);
        above.set(1);
        above.shl(d.e + scale2 - 1);
        below.set(1);
        below.shl(d.e);
    } else {
        r.set(d.m << scale2);
        s.set(1);
        s.shl(scale2 - d.e);
        above.set(std::uint64_t{1} << (scale2 - 1));
        below.set(1);
    }
    if (k >= 0) {
        s.mul_pow10(k);
    } else {
        r.mul_pow10(-k);
        above.mul_pow10(-k);
        below.mul_pow10(-k);
    }
    const bool inclusive = (d.m & 1) == 0;
    auto high_reaches = [&](const Num& limit) {  // r + above >= limit (> when exclusive)
        Num high = r;
        high.add(above);
        const int c = compare(high, limit);
        return inclusive ? c >= 0 : c > 0;
    };
    // Fix the estimate: the smallest k with the upper bound below 10^k.
    while (high_reaches(s)) {
        s.mul_small(10);
        ++k;
    }
    for (;;) {
        Num high = r;
        high.add(above);
        high.mul_small(10);
        const int c = compare(high, s);
        if (inclusive ? c >= 0 : c > 0) {
            break;
        }
        r.mul_small(10);
        above.mul_small(10);
        below.mul_small(10);
        --k;
    }
    Digits digits;
    digits.exponent = k - 1;
    Num s2 = s, s4, s8;
    s2.shl(1);
    s4 = s2;
    s4.shl(1);
    s8 = s4;
    s8.shl(1);
    for (;;) {
        r.mul_small(10);
        above.mul_small(10);
        below.mul_small(10);
        int digit = r.take_digit(s, s2, s4, s8);
        const int low_c = compare(r, below);
        const bool low = inclusive ? low_c <= 0 : low_c < 0;
        const bool high = high_reaches(s);
        if (!low && !high && digits.count < 18) {
            digits.value = digits.value * 10 + static_cast<std::uint64_t>(digit);
            ++digits.count;
            continue;
        }
        if (low && high) {
            Num twice = r;
            twice.shl(1);
            const int c = compare(twice, s);
            if (c > 0 || (c == 0 && digit % 2 == 1)) {
                ++digit;
            }
        } else if (high) {
            ++digit;
        }
        digits.value = digits.value * 10 + static_cast<std::uint64_t>(digit);
        ++digits.count;
        break;
    }
    while (digits.count > 1 && digits.value % 10 == 0) {
        digits.value /= 10;
        --digits.count;
    }
    return digits;
}

[[gnu::noinline]] Digits shortest_digits_big(const Decoded& d, int k) {
    return shortest_digits<Big>(d, k);
}

}  // namespace

std::string shortest_text(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const Decoded d = decode(bits, 23, 8);
    Text out;
    if (special_text(d, out)) {
        return out.str();
    }
    // The first digit's exponent plus one, estimated from the bits: the
    // value lies in [2^(top - 1), 2^top).
    const int top = d.e + bit_length(d.m);
    const int k = floor_log10_pow2(top) + 1;
    // The largest number the digits need is below s * 10^k times 80 (r
    // reaches 10 s, the fix of k multiplies by 10 once more); 64 bits hold
    // it for floats of everyday size, 128 bits for most others.
    const int s_bits = (d.e >= 0 ? 3 : 3 - d.e) + (k > 0 ? k + pow5_bits(k) : 0);
    const int r_bits = k < 0 ? bit_length(d.m) + 2 + (d.e >= 0 ? d.e : 0) - k + pow5_bits(-k) : 0;
    const int needed = (s_bits > r_bits ? s_bits : r_bits) + 12;
    const Digits shortest = needed <= 64    ? shortest_digits<Plain<std::uint64_t>>(d, k)
                            : needed <= 128 ? shortest_digits<Plain<Wide>>(d, k)
                                            : shortest_digits_big(d, k);
    const int count = shortest.count;
    const int exponent = shortest.exponent;
    char digits[20];
    std::uint64_t rest = shortest.value;
    for (int i = count - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    if (d.negative) {
        out += '-';
    }
    // Scientific or fixed, whichever is shorter; the digits are
    // digits * 10^tail.
    const int tail = exponent - (count - 1);
    const int magnitude = exponent < 0 ? -exponent : exponent;
    const int scientific_length = count + (count > 1 ? 1 : 0) + 2 + (magnitude >= 100 ? 3 : 2);
    const int fixed_length = tail >= 0 ? count + tail : (-tail >= count ? 2 - tail : count + 1);
    if (scientific_length < fixed_length) {
        append_scientific(out, digits, count, exponent);
    } else if (tail >= 0) {
        // A whole number, written out exactly (it is below 10^15 here).
        append_whole(out, d.e >= 0 ? d.m << d.e : d.m >> -d.e);
    } else {
        append_fraction(out, digits, count, exponent);
    }
    return out.str();
}

std::string significant_text(double value, int digits) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const Decoded d = decode(bits, 52, 11);
    Text out;
    if (special_text(d, out)) {
        return out.str();
    }
    const int precision = digits < 1 ? 1 : (digits > 17 ? 17 : digits);
    // x = floor(log10 of the value), estimated from the bits and then fixed:
    // the value times 10^(precision - 1 - x), rounded, has precision digits.
    int x = floor_log10_pow2(d.e + bit_length(d.m) - 1);
    std::uint64_t n = 0;
    for (;;) {
        const int scale = precision - 1 - x;
        bool sticky = false;
        // Twice the scaled value: the last bit is the one after the point.
        const std::uint64_t twice = scaled_floor(d.m, d.e + scale + 1, scale, sticky);
        if (twice < 2 * kPow10[precision - 1]) {
            --x;
            continue;
        }
        if (twice >= 2 * kPow10[precision]) {
            ++x;
            continue;
        }
        n = twice >> 1;
        if ((twice & 1) != 0 && (sticky || (n & 1) != 0)) {
            ++n;
        }
        if (n == kPow10[precision]) {
            n = kPow10[precision - 1];
            ++x;
        }
        break;
    }
    char text[17];
    for (int i = precision - 1; i >= 0; --i) {
        text[i] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    int count = precision;
    while (count > 1 && text[count - 1] == '0') {
        --count;
    }
    if (d.negative) {
        out += '-';
    }
    if (x < -4 || x >= precision) {
        append_scientific(out, text, count, x);
    } else if (x >= count - 1) {
        out.append(text, static_cast<std::size_t>(count));
        out.append(static_cast<std::size_t>(x - (count - 1)), '0');
    } else {
        append_fraction(out, text, count, x);
    }
    return out.str();
}

std::string fixed_text(double value, int decimals) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const Decoded d = decode(bits, 52, 11);
    const int places = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
    std::string text = d.negative ? "-" : "";
    if (d.nan || d.infinite) {
        return text + (d.nan ? "nan" : "inf");
    }
    std::uint64_t n = 0;
    if (!d.zero) {
        // Beyond about 10^15 a whole 64-bit number no longer holds the digits.
        if (d.e + bit_length(d.m) > 50) {
            return significant_text(value, 17);
        }
        bool sticky = false;
        const std::uint64_t twice = scaled_floor(d.m, d.e + places + 1, places, sticky);
        n = twice >> 1;
        if ((twice & 1) != 0 && (sticky || (n & 1) != 0)) {
            ++n;
        }
    }
    const std::uint64_t unit = kPow10[places];
    text += std::to_string(n / unit);
    if (places > 0) {
        const std::string fraction = std::to_string(unit + n % unit);
        text += '.';
        text += fraction.substr(1);
    }
    return text;
}

}  // namespace tour
