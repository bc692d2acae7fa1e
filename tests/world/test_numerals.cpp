// The numerals must be the very text that libstdc++'s to_chars writes and
// read back as its from_chars reads, on every kind of number: checked here
// against the library itself, binade by binade, on random bits, on decimal
// ties and on numerals too long for any shortcut.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "world/numerals.hpp"

namespace tour {
namespace {

using Status = ParsedNumber::Status;

float float_of(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
double double_of(std::uint64_t bits) {
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
std::uint64_t bits_of(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
std::uint32_t bits_of(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
// NaNs are told by their bits: the library's tests on a signalling NaN
// would raise the invalid-operation trap.
bool is_nan(std::uint32_t bits) {
    return (bits & 0x7fffffffU) > 0x7f800000U;
}
bool is_nan(std::uint64_t bits) {
    return (bits & 0x7fffffffffffffffULL) > 0x7ff0000000000000ULL;
}

std::string library_shortest(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return {buffer, result.ptr};
}
std::string library_significant(double value, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return {buffer, result.ptr};
}

// What from_chars makes of the whole text.
ParsedNumber library_parse(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    ParsedNumber parsed;
    if (result.ptr != end || result.ec == std::errc::invalid_argument) {
        return parsed;
    }
    parsed.status = result.ec == std::errc() ? Status::ok : Status::out_of_range;
    parsed.value = result.ec == std::errc() ? value : 0.0;
    return parsed;
}

// The status and, where ok, the bits agree with from_chars.
::testing::AssertionResult reads_as_library(const std::string& text) {
    const ParsedNumber ours = parse_number(text);
    const ParsedNumber library = library_parse(text);
    if (ours.status == library.status &&
        (ours.status != Status::ok || bits_of(ours.value) == bits_of(library.value))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "\"" << text.substr(0, 80) << (text.size() > 80 ? "..." : "") << "\" reads as status "
           << static_cast<int>(ours.status) << " bits " << std::hex << bits_of(ours.value)
           << ", from_chars gives " << static_cast<int>(library.status) << " bits "
           << bits_of(library.value);
}

// Millions of floats: compared without an assertion object each.
void expect_shortest_matches(std::uint32_t first, std::uint32_t last) {
    char buffer[64];
    for (std::uint32_t bits = first; bits != last; ++bits) {
        const float value = float_of(bits);
        const std::string ours = shortest_text(value);
        const char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        const std::string_view library(buffer, static_cast<std::size_t>(end - buffer));
        if (library != ours) {
            ADD_FAILURE() << std::hex << bits << ": " << ours << " where to_chars writes "
                          << library;
            return;
        }
    }
}

TEST(ShortestText, SpecialValuesAndSigns) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(shortest_text(0.0f), "0");
    EXPECT_EQ(shortest_text(-0.0f), "-0");
    EXPECT_EQ(shortest_text(inf), "inf");
    EXPECT_EQ(shortest_text(-inf), "-inf");
    EXPECT_EQ(shortest_text(float_of(0x7fc00000U)), "nan");
    EXPECT_EQ(shortest_text(float_of(0xffc00000U)), "-nan");
    EXPECT_EQ(shortest_text(float_of(0x7f800001U)), "nan");  // signalling, with a payload
    EXPECT_EQ(shortest_text(float_of(0xff812345U)), "-nan");
    for (float value : {std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
                        std::numeric_limits<float>::denorm_min(), -1.5f, -1e-7f, 1e4f, 1e5f}) {
        EXPECT_EQ(shortest_text(value), library_shortest(value));
    }
}

TEST(ShortestText, ChoosesTheShorterNotationFixedOnATie) {
    EXPECT_EQ(shortest_text(10000.0f), "10000");   // five characters each way
    EXPECT_EQ(shortest_text(100000.0f), "1e+05");  // six against five
    EXPECT_EQ(shortest_text(0.001f), "0.001");
    EXPECT_EQ(shortest_text(0.0001f), "1e-04");  // "0.0001" is one longer
    // Digits 12345679 would do, but a whole number is written out exactly.
    EXPECT_EQ(shortest_text(123456792.0f), "123456792");
    EXPECT_EQ(shortest_text(16777216.0f), "16777216");
    EXPECT_EQ(shortest_text(1e38f), "1e+38");
}

TEST(ShortestText, EveryFloatOfWholeRangesMatchesTheLibrary) {
    expect_shortest_matches(0x3f800000U, 0x40000000U);  // the binade [1, 2)
    // 2^16 floats each: from 0.001 up, a binade of subnormals, whole numbers
    // from 2^23, and the largest floats.
    expect_shortest_matches(0x3a83126fU, 0x3a83126fU + (1U << 16));
    expect_shortest_matches(0x00010000U, 0x00020000U);
    expect_shortest_matches(0x4b000000U, 0x4b010000U);
    expect_shortest_matches(0x7f7f0000U, 0x7f800000U);
}

TEST(ShortestText, RandomBitPatternsMatchTheLibrary) {
    std::mt19937 random(20240611);
    for (int i = 0; i < 300000; ++i) {
        const auto bits = static_cast<std::uint32_t>(random());
        if (is_nan(bits)) {
            continue;
        }
        const float value = float_of(bits);
        ASSERT_EQ(shortest_text(value), library_shortest(value)) << std::hex << bits;
    }
}

TEST(SignificantText, RandomBitPatternsAtEveryPrecision) {
    std::mt19937_64 random(77);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        const int digits = 1 + i % 17;
        if (is_nan(bits)) {
            EXPECT_EQ(significant_text(double_of(bits), digits), bits >> 63 ? "-nan" : "nan");
            continue;
        }
        const double value = double_of(bits);
        ASSERT_EQ(significant_text(value, digits), library_significant(value, digits))
            << std::hex << bits << std::dec << " to " << digits;
    }
}

TEST(SignificantText, TypicalMagnitudesToNineDigits) {
    // Values spread over 1e-6 .. 1e6 in decimal exponent, as tables hold them.
    std::mt19937_64 random(5);
    for (int i = 0; i < 100000; ++i) {
        const int exponent = static_cast<int>(random() % 13) - 6;
        const std::string text =
            std::to_string(random() % 100000000) + "e" + std::to_string(exponent - 7);
        const double value = library_parse(text).value;
        ASSERT_EQ(significant_text(value, 9), library_significant(value, 9)) << text;
    }
}

TEST(SignificantText, ExactDecimalTiesRoundToEven) {
    EXPECT_EQ(significant_text(1234567885.0, 9), "1.23456788e+09");
    EXPECT_EQ(significant_text(1234567895.0, 9), "1.2345679e+09");
    EXPECT_EQ(significant_text(0.125, 2), "0.12");
    EXPECT_EQ(significant_text(0.375, 2), "0.38");
    EXPECT_EQ(significant_text(2.5, 1), "2");
    EXPECT_EQ(significant_text(9.5, 1), "1e+01");  // the carry makes a new digit
    EXPECT_EQ(significant_text(999999.5, 6), "1e+06");
    EXPECT_EQ(significant_text(0.0001, 9), "0.0001");
    EXPECT_EQ(significant_text(123456789.0, 9), "123456789");
    // Whole numbers ending in 5, and binary fractions j / 2^k, cut one
    // digit short of their exact decimal: every one is a tie.
    std::mt19937_64 random(99);
    for (int i = 0; i < 30000; ++i) {
        const std::uint64_t whole = (random() >> (11 + i % 40)) * 10 + 5;
        const int whole_digits = static_cast<int>(std::to_string(whole).size());
        const auto value = static_cast<double>(whole);
        if (whole_digits >= 2 && whole_digits <= 16) {
            ASSERT_EQ(significant_text(value, whole_digits - 1),
                      library_significant(value, whole_digits - 1))
                << whole;
        }
        const int k = 1 + i % 20;
        const std::uint64_t j = (random() >> 44) | 1;  // odd: k decimals exactly
        const double fraction = static_cast<double>(j) / static_cast<double>(1ULL << k);
        const std::string exact = library_significant(fraction, 17);
        for (int digits = 1; digits <= 17; ++digits) {
            ASSERT_EQ(significant_text(fraction, digits), library_significant(fraction, digits))
                << exact << " to " << digits;
        }
    }
}

// printf's "%.*f" in the "C" locale, in which the tests run.
std::string library_fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

TEST(FixedText, MatchesPrintfOnTableValuesAndTies) {
    std::mt19937_64 random(3);
    for (int i = 0; i < 100000; ++i) {
        // Errors from 1e-6 to 1e6, and values a quarter, half or three
        // quarters of a thousandth off a rounding step: binary ties.
        const int exponent = static_cast<int>(random() % 13) - 6;
        const std::string text =
            std::to_string(random() % 100000000) + "e" + std::to_string(exponent - 7);
        const double value = library_parse(text).value;
        const int decimals = static_cast<int>(random() % 10);
        ASSERT_EQ(fixed_text(value, decimals), library_fixed(value, decimals)) << text;
        const double tie = static_cast<double>(random() % 4000000) / 8.0;
        ASSERT_EQ(fixed_text(tie, 0), library_fixed(tie, 0)) << tie;
        ASSERT_EQ(fixed_text(-tie / 1024.0, 3), library_fixed(-tie / 1024.0, 3)) << tie;
    }
    EXPECT_EQ(fixed_text(0.0625, 3), "0.062");  // a tie, to even
    EXPECT_EQ(fixed_text(0.1875, 3), "0.188");
    EXPECT_EQ(fixed_text(661.8049, 3), "661.805");
    EXPECT_EQ(fixed_text(-0.0001, 3), "-0.000");
    EXPECT_EQ(fixed_text(0.0, 3), "0.000");
    EXPECT_EQ(fixed_text(std::numeric_limits<double>::infinity(), 3), "inf");
}

TEST(SignificantText, PowersOfTwoAndTenAndTheirNeighbours) {
    std::vector<std::uint64_t> patterns;
    for (int k = -1074; k <= 1023; ++k) {
        const std::uint64_t bits =
            k < -1022 ? std::uint64_t{1} << (k + 1074) : static_cast<std::uint64_t>(k + 1023) << 52;
        patterns.push_back(bits);
    }
    for (int k = -323; k <= 308; ++k) {
        patterns.push_back(bits_of(library_parse("1e" + std::to_string(k)).value));
    }
    for (const std::uint64_t bits : patterns) {
        for (const std::uint64_t near : {bits - 1, bits, bits + 1}) {
            if (near == 0 || near >= 0x7ff0000000000000ULL) {
                continue;
            }
            const double value = double_of(near);
            for (int digits = 1; digits <= 17; ++digits) {
                ASSERT_EQ(significant_text(value, digits), library_significant(value, digits))
                    << std::hex << near << std::dec << " to " << digits;
            }
            ASSERT_EQ(significant_text(-value, 9), library_significant(-value, 9));
        }
    }
}

TEST(SignificantText, ZerosSubnormalsAndOutOfRangePrecisions) {
    EXPECT_EQ(significant_text(0.0, 9), "0");
    EXPECT_EQ(significant_text(-0.0, 9), "-0");
    EXPECT_EQ(significant_text(std::numeric_limits<double>::infinity(), 9), "inf");
    EXPECT_EQ(significant_text(-std::numeric_limits<double>::infinity(), 3), "-inf");
    EXPECT_EQ(significant_text(std::numeric_limits<double>::denorm_min(), 9), "4.94065646e-324");
    EXPECT_EQ(significant_text(0.1, 0), significant_text(0.1, 1));
    EXPECT_EQ(significant_text(0.1, 40), "0.10000000000000001");  // no more than 17
    std::mt19937_64 random(3);
    for (int i = 0; i < 25000; ++i) {
        const std::uint64_t bits = random() >> 12;  // subnormal
        for (const int digits : {1, 6, 9, 17}) {
            ASSERT_EQ(significant_text(double_of(bits), digits),
                      library_significant(double_of(bits), digits))
                << std::hex << bits;
        }
    }
}

// Random numerals: signs, leading zeros, a point anywhere or nowhere, up to
// 40 digits, exponents of either sign and form up to +-400 (so overflow and
// underflow), and one in four mangled by a stray character.
std::string random_numeral(std::mt19937_64& random) {
    std::string text;
    if (random() % 4 == 0) {
        text += '-';
    }
    const int zeros = random() % 3 == 0 ? static_cast<int>(random() % 12) : 0;
    text.append(static_cast<std::size_t>(zeros), '0');
    const int digits = 1 + static_cast<int>(random() % 40);
    const int point = static_cast<int>(random() % static_cast<std::uint64_t>(digits + 2));
    for (int i = 0; i < digits; ++i) {
        if (i == point) {
            text += '.';
        }
        text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 != 0) {
        text += random() % 2 == 0 ? 'e' : 'E';
        const int sign = static_cast<int>(random() % 3);
        text += sign == 0 ? "" : (sign == 1 ? "-" : "+");
        text += std::to_string(random() % 401);
    }
    if (random() % 4 == 0) {
        const char stray[] = {'+', '-', '.', 'e', ' ', ',', 'x', '\0'};
        const auto at = static_cast<std::size_t>(random() % (text.size() + 1));
        text.insert(at, 1, stray[random() % sizeof stray]);
    }
    return text;
}

TEST(ParseNumber, RandomNumeralsReadAsTheLibraryReadsThem) {
    std::mt19937_64 random(1234);
    int ok = 0;
    int out_of_range = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::string text = random_numeral(random);
        ASSERT_TRUE(reads_as_library(text));
        const Status status = parse_number(text).status;
        ok += status == Status::ok ? 1 : 0;
        out_of_range += status == Status::out_of_range ? 1 : 0;
    }
    // The mix reaches every outcome often.
    EXPECT_GT(ok, 60000);
    EXPECT_GT(out_of_range, 6000);
    EXPECT_GT(200000 - ok - out_of_range, 20000);
}

TEST(ParseNumber, EveryShortestTextReadsBackAsItsFloat) {
    std::mt19937 random(8);
    auto check = [](std::uint32_t bits) {
        const std::string text = shortest_text(float_of(bits));
        const ParsedNumber parsed = parse_number(text);
        ASSERT_EQ(parsed.status, Status::ok) << text;
        ASSERT_EQ(bits_of(static_cast<float>(parsed.value)), bits) << text;
        ASSERT_TRUE(reads_as_library(text));
    };
    // The one exception among all finite floats: its text lies so near the
    // middle between it and the next float that the nearest double is that
    // middle, and narrowing the double ties to the even float, the next one.
    const std::string near_middle = shortest_text(float_of(0x15ae43fdU));
    EXPECT_EQ(near_middle, "7.038531e-26");
    EXPECT_EQ(bits_of(parse_number(near_middle).value), 0x3ab5c87fb0000000ULL);
    EXPECT_EQ(bits_of(static_cast<float>(parse_number(near_middle).value)), 0x15ae43feU);
    for (std::uint32_t bits = 0x3f800000U; bits < 0x40000000U; bits += 127) {
        check(bits);
    }
    for (int i = 0; i < 100000; ++i) {
        const auto bits = static_cast<std::uint32_t>(random());
        if (!is_nan(bits)) {
            check(bits);
        }
    }
}

// The exact decimal digits of the halfway point between the doubles of bits
// and bits + 1 (both nonnegative and finite), worked out digit by digit:
// (2m + 1) * 2^(e - 1) with m * 2^e the lower one. Returns the digits and
// the number of them before the point (all of them for a whole number).
std::pair<std::string, std::size_t> exact_halfway(std::uint64_t bits) {
    const auto biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int power = (biased == 0 ? 1 : biased) - 1076;  // (2m + 1) * 2^power
    std::vector<std::int64_t> digits;                     // least significant first
    for (std::uint64_t n = 2 * m + 1; n != 0; n /= 10) {
        digits.push_back(static_cast<std::int64_t>(n % 10));
    }
    auto multiply = [&digits](std::int64_t factor) {
        std::int64_t carry = 0;
        for (std::int64_t& d : digits) {
            const std::int64_t t = d * factor + carry;
            d = t % 10;
            carry = t / 10;
        }
        for (; carry != 0; carry /= 10) {
            digits.push_back(carry % 10);
        }
    };
    // 2^n, and 2^-n = 5^n / 10^n, nine factors at a time.
    for (int n = power > 0 ? power : -power; n > 0; n -= 9) {
        const int step = n < 9 ? n : 9;
        std::int64_t factor = 1;
        for (int i = 0; i < step; ++i) {
            factor *= power > 0 ? 2 : 5;
        }
        multiply(factor);
    }
    const std::size_t fraction_digits = power < 0 ? static_cast<std::size_t>(-power) : 0;
    while (digits.size() <= fraction_digits) {
        digits.push_back(0);
    }
    std::string text;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        text += static_cast<char>('0' + *it);
    }
    return {text, text.size() - fraction_digits};
}

TEST(ParseNumber, LongNumeralsAtHalfwayPointsRoundCorrectly) {
    std::mt19937_64 random(4321);
    for (int i = 0; i < 200; ++i) {
        // Subnormals, the largest exponents, and everything between; zero
        // and the largest double, whose halfway points round out of range.
        const std::uint64_t bits =
            i == 0       ? 0
            : i == 1     ? 0x7fefffffffffffffULL
            : i % 3 == 0 ? random() >> 12
                         : (i % 3 == 1 ? 0x7fe0000000000000ULL + (random() >> 12)
                                       : 0x0010000000000000ULL + random() % 0x7fd0000000000000ULL);
        const auto [digits, whole] = exact_halfway(bits);
        auto numeral = [whole = whole](const std::string& all) {
            return all.substr(0, whole) + "." + all.substr(whole);
        };
        // A unit less in the last place.
        std::string below = digits;
        std::size_t last = below.size() - 1;
        while (below[last] == '0') {
            below[last--] = '9';
        }
        --below[last];
        const std::uint64_t lower = bits;
        const std::uint64_t upper = bits + 1;
        const std::uint64_t even = (bits & 1) == 0 ? lower : upper;
        // Exactly halfway: to the even one. A nonzero digit however far
        // behind, past the digits kept, tips it up; a unit less, down.
        const std::vector<std::pair<std::string, std::uint64_t>> cases = {
            {numeral(digits), even},
            {numeral(digits + std::string(900, '0')), even},
            {numeral(digits + std::string(900, '0') + "1"), upper},
            {numeral(digits + "1"), upper},
            {numeral(below + std::string(900, '9')), lower},
            {"0.000" + digits + "e" + std::to_string(whole + 3), even},
        };
        for (const auto& [text, expected] : cases) {
            const ParsedNumber parsed = parse_number(text);
            const bool outside = expected == 0 || expected == 0x7ff0000000000000ULL;
            ASSERT_EQ(parsed.status, outside ? Status::out_of_range : Status::ok)
                << text.substr(0, 60);
            ASSERT_EQ(bits_of(parsed.value), expected) << text.substr(0, 60);
            ASSERT_TRUE(reads_as_library(text));
        }
    }
}

TEST(ParseNumber, OverflowAndUnderflowToZeroAreOutOfRange) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* text;
        Status status;
        std::uint64_t bits;
    };
    const Case cases[] = {
        {"1e309", Status::out_of_range, bits_of(inf)},
        {"-1e309", Status::out_of_range, bits_of(-inf)},
        {"1.7976931348623158e308", Status::ok, 0x7fefffffffffffffULL},
        {"1.7976931348623159e308", Status::out_of_range, bits_of(inf)},
        {"1e-400", Status::out_of_range, 0},
        {"-1e-400", Status::out_of_range, 0x8000000000000000ULL},
        {"2e-324", Status::out_of_range, 0},
        {"2.4703282292062327e-324", Status::out_of_range, 0},  // just below half of 2^-1074
        {"2.4703282292062328e-324", Status::ok, 1},            // just above
        {"3e-324", Status::ok, 1},
        {"1e-310", Status::ok, 0x000012688b70e62bULL},
        {"0e99999", Status::ok, 0},
        {"-0.000e-99999", Status::ok, 0x8000000000000000ULL},
        {"1e99999999999999999999", Status::out_of_range, bits_of(inf)},
        {"1e-99999999999999999999", Status::out_of_range, 0},
        {"0.0000000000000000000000000001e330", Status::ok, bits_of(1e302)},
    };
    for (const Case& c : cases) {
        const ParsedNumber parsed = parse_number(c.text);
        EXPECT_EQ(parsed.status, c.status) << c.text;
        EXPECT_EQ(bits_of(parsed.value), c.bits) << c.text;
        EXPECT_TRUE(reads_as_library(c.text));
    }
    // A numeral of thousands of digits and an exponent that brings it back.
    const std::string long_one = "1" + std::string(5000, '0') + "e-5000";
    EXPECT_EQ(bits_of(parse_number(long_one).value), bits_of(1.0));
    EXPECT_EQ(bits_of(parse_number("0." + std::string(5000, '0') + "15e5001").value), bits_of(1.5));
    EXPECT_TRUE(reads_as_library(std::string(3000, '7') + "e-2900"));
}

TEST(ParseNumber, InfinitiesAndNansInAnyCase) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const char* text : {"inf", "INF", "Infinity", "infINITY"}) {
        EXPECT_EQ(parse_number(text).status, Status::ok) << text;
        EXPECT_EQ(bits_of(parse_number(text).value), bits_of(inf)) << text;
        EXPECT_EQ(bits_of(parse_number(std::string("-") + text).value), bits_of(-inf)) << text;
    }
    for (const char* text : {"nan", "NaN", "-nan", "nan()", "NAN(abc_19)", "-nan(X)"}) {
        const ParsedNumber parsed = parse_number(text);
        EXPECT_EQ(parsed.status, Status::ok) << text;
        EXPECT_EQ(bits_of(parsed.value),
                  (text[0] == '-' ? 0xfff8000000000000ULL : 0x7ff8000000000000ULL))
            << text;
        EXPECT_TRUE(reads_as_library(text));
    }
    for (const char* text : {"in", "infin", "infinityy", "nan(", "nan(a-b)", "nana", "-inf ",
                             "+inf", "--nan", "nan)"}) {
        EXPECT_EQ(parse_number(text).status, Status::not_a_number) << text;
        EXPECT_TRUE(reads_as_library(text));
    }
}

TEST(ParseNumber, MalformedTextsAreNotNumbers) {
    for (const char* text :
         {"",     "-",     ".",  "-.",  "1e",  "1e+", "1E-",   "+1",   " 1", "1 ", "1,5", "0x10",
          "1..2", "1.2.3", "e5", "-e5", ".e1", "--1", "1e5.5", "1e 5", "١",  "1f", "0b1"}) {
        const ParsedNumber parsed = parse_number(text);
        EXPECT_EQ(parsed.status, Status::not_a_number) << '"' << text << '"';
        EXPECT_EQ(bits_of(parsed.value), 0U) << text;
        EXPECT_TRUE(reads_as_library(text));
    }
    // Their well-formed neighbours.
    for (const char* text : {"1.", ".5", "-.5", "1e+5", "1E-5", "007", "0.0", "1.e5"}) {
        EXPECT_EQ(parse_number(text).status, Status::ok) << text;
        EXPECT_TRUE(reads_as_library(text));
    }
}

}  // namespace
}  // namespace tour
