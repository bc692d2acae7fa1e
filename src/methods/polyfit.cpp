#include "methods/polyfit.hpp"

#include <array>

#include "world/double_pair.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

using Column = std::array<double, kMaxStations + 1>;

// Each Lagrange basis value L(j) takes, for k = 1..n without j in
// increasing order, L = ((x - statx(k)) x L) / (statx(j) - statx(k)), and
// the estimate is the sum of statv(j) x L(j) in increasing j. The n products
// are built side by side, k by k, each with its own steps in its own order.
// Value is a double, or a pair of them for two positions at once.
template <typename Value>
Value lagrange_estimate(int n, const Column& sx, const Column& sv, Value x) {
    std::array<Value, kMaxStations + 1> lagrange;
    lagrange.fill(Value{} + 1.0);
    for (int k = 1; k <= n; ++k) {
        const auto kk = static_cast<std::size_t>(k);
        const Value numerator = x - sx[kk];
        for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j) {
            if (j != kk) {
                lagrange[j] = (numerator * lagrange[j]) / (sx[j] - sx[kk]);
            }
        }
    }
    Value sum = Value{};
    for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j) {
        sum = sv[j] * lagrange[j] + sum;
    }
    return sum;
}

// Whether two stations share a position: then a division by zero, which
// the positions taken in pairs would not report, is part of the result.
bool shared_position(int n, const Column& sx) {
    for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j) {
        for (std::size_t k = 1; k < j; ++k) {
            if (sx[j] == sx[k]) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void polyfit(World& world) {
    const int n = world.nstat;
    if (n < 0 || n > kMaxStations) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    // The station positions and values as doubles, read once.
    Column sx{};
    Column sv{};
    for (int k = 1; k <= n; ++k) {
        sx[static_cast<std::size_t>(k)] = world.statx(k);
        sv[static_cast<std::size_t>(k)] = world.statv(k);
    }
    const auto position = [](int x) { return static_cast<double>(static_cast<float>(x)); };

    int x = kGridFirst;
    if (!shared_position(n, sx)) {
        // Two positions at a time: the divisions take half as long.
        for (; x + 1 <= kGridLast; x += 2) {
            const DoublePair sum =
                lagrange_estimate(n, sx, sv, DoublePair{position(x), position(x + 1)});
            world.est(x) = static_cast<float>(sum[0]);
            world.est(x + 1) = static_cast<float>(sum[1]);
        }
    }
    for (; x <= kGridLast; ++x) {
        world.est(x) = static_cast<float>(lagrange_estimate(n, sx, sv, position(x)));
    }
}

}  // namespace tour
