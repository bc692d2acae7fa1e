// Prints a fingerprint of the numerals a build writes and reads: for a fixed
// sequence of pseudo-random floats, doubles and numerals, one hash line per
// kind and a few samples. Two builds that print the same lines write and
// read the same characters and bits.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fingerprint.hpp"
#include "world/numerals.hpp"

namespace {

// The fingerprint, with a numeral read as its status and bits.
class Fnv1a : public tour::tools::Fingerprint {
  public:
    void parsed(const tour::ParsedNumber& number) {
        this->number(static_cast<unsigned char>(number.status));
        this->number(number.value);
    }
};

// SplitMix64: the same sequence on every platform.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

  private:
    std::uint64_t state_;
};

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

// Signs, leading zeros, up to 40 digits with a point anywhere or nowhere,
// exponents up to +-400, now and then a character that spoils it.
std::string random_numeral(Random& random) {
    std::string text;
    if (random.below(4) == 0) {
        text += '-';
    }
    if (random.below(3) == 0) {
        text.append(static_cast<std::size_t>(random.below(12)), '0');
    }
    const int digits = 1 + random.below(40);
    const int point = random.below(digits + 2);
    for (int i = 0; i < digits; ++i) {
        if (i == point) {
            text += '.';
        }
        text += static_cast<char>('0' + random.below(10));
    }
    if (random.below(3) != 0) {
        text += random.below(2) == 0 ? 'e' : 'E';
        const int sign = random.below(3);
        text += sign == 0 ? "" : (sign == 1 ? "-" : "+");
        text += std::to_string(random.below(401));
    }
    if (random.below(8) == 0) {
        const char stray[] = "+-.e ,x";
        const auto at = static_cast<std::size_t>(random.below(static_cast<int>(text.size()) + 1));
        text.insert(at, 1, stray[random.below(7)]);
    }
    return text;
}

constexpr int kCount = 200000;
constexpr int kSamples = 3;

void report(const char* kind, const Fnv1a& hash) {
    std::printf("%s %d %016llx\n", kind, kCount, static_cast<unsigned long long>(hash.value()));
}

}  // namespace

int main() {
    Random random(20240611);

    Fnv1a shortest;
    for (int i = 0; i < kCount; ++i) {
        const auto bits = static_cast<std::uint32_t>(random.next());
        const std::string text = tour::shortest_text(float_of(bits));
        shortest.text(text);
        if (i < kSamples) {
            std::printf("  float %08x %s\n", static_cast<unsigned>(bits), text.c_str());
        }
    }
    report("shortest_text(float bits)", shortest);

    Fnv1a significant;
    for (int i = 0; i < kCount; ++i) {
        const std::uint64_t bits = random.next();
        const int digits = 1 + i % 17;
        const std::string text = tour::significant_text(double_of(bits), digits);
        significant.text(text);
        if (i < kSamples) {
            std::printf("  double %016llx to %d %s\n", static_cast<unsigned long long>(bits),
                        digits, text.c_str());
        }
    }
    report("significant_text(double bits, 1..17)", significant);

    // Table values: 1e-6 .. 1e6, nine digits.
    Fnv1a table;
    for (int i = 0; i < kCount; ++i) {
        // One draw per statement: the order in which operands are evaluated
        // differs between compilers.
        const std::uint64_t digits = random.next() % 100000000;
        const int exponent = random.below(13) - 13;
        const std::string numeral = std::to_string(digits) + "e" + std::to_string(exponent);
        const double value = tour::parse_number(numeral).value;
        const std::string text = tour::significant_text(value, 9);
        table.text(text);
        if (i < kSamples) {
            std::printf("  table %s %s\n", numeral.c_str(), text.c_str());
        }
    }
    report("significant_text(table value, 9)", table);

    Fnv1a parsed;
    for (int i = 0; i < kCount; ++i) {
        const std::string numeral = random_numeral(random);
        const tour::ParsedNumber number = tour::parse_number(numeral);
        parsed.parsed(number);
        if (i < kSamples) {
            std::printf("  numeral %s status %d %016llx\n", numeral.c_str(),
                        static_cast<int>(number.status),
                        static_cast<unsigned long long>(bits_of(number.value)));
        }
    }
    report("parse_number(random numeral)", parsed);

    Fnv1a round_trip;
    int lost = 0;
    for (int i = 0; i < kCount; ++i) {
        const auto bits = static_cast<std::uint32_t>(random.next()) & 0x7f7fffffU;
        const tour::ParsedNumber number = tour::parse_number(tour::shortest_text(float_of(bits)));
        round_trip.parsed(number);
        const auto back = static_cast<float>(number.value);
        std::uint32_t back_bits = 0;
        std::memcpy(&back_bits, &back, sizeof back_bits);
        lost += number.status == tour::ParsedNumber::Status::ok && back_bits == bits ? 0 : 1;
    }
    report("parse_number(shortest_text(float))", round_trip);
    std::printf("floats whose shortest text did not read back: %d\n", lost);
    return 0;
}
