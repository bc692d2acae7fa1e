#include "methods/weighted_averages.hpp"

#include <array>
#include <cmath>

#include "world/whole_number_memo.hpp"

namespace tour {

namespace {

using Column = std::array<double, kMaxStations + 1>;

// est(x..x + Lanes - 1): at each position the weights of the stations from
// their distances (as Singles), their sum, the weights divided by it, and
// est = sum of statv(j) * w(j) in increasing j, each partial sum rounded to
// a Single. Weight is the precision of the weights and their sum, which is
// rounded to it after every addition. Neighbouring positions are taken
// side by side, each with its own operations in its own order: their
// running sums then wait on each other half as long.
template <int Lanes, typename Weight, typename Function>
void average_positions(World& world, int x, const Column& sx, const Column& sv, Function& weight) {
    const int n = world.nstat;
    std::array<float, Lanes> p;
    std::array<Weight, Lanes> wsum;
    std::array<std::array<Weight, kMaxStations + 1>, Lanes> w{};
    for (int l = 0; l < Lanes; ++l) {
        p[l] = static_cast<float>(x + l);
        wsum[l] = 0;
    }
    for (int j = 1; j <= n; ++j) {
        const auto jj = static_cast<std::size_t>(j);
        for (int l = 0; l < Lanes; ++l) {
            const auto d = static_cast<float>(std::fabs(sx[jj] - p[l]));
            w[l][jj] = weight(d);
            wsum[l] = static_cast<Weight>(static_cast<double>(wsum[l]) + w[l][jj]);
        }
    }
    for (int l = 0; l < Lanes; ++l) {
        for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j) {
            w[l][j] = w[l][j] / wsum[l];
        }
    }
    std::array<float, Lanes> estimate;
    estimate.fill(0.0f);
    for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j) {
        for (int l = 0; l < Lanes; ++l) {
            estimate[l] = static_cast<float>(sv[j] * w[l][j] + estimate[l]);
        }
    }
    for (int l = 0; l < Lanes; ++l) {
        world.est(x + l) = estimate[l];
    }
}

// est(1..1000) by average_positions, the positions one by one or two by two.
template <int Lanes, typename Weight, typename Function>
void average(World& world, Function& weight) {
    Column sx{};
    Column sv{};
    for (int j = 1; j <= world.nstat; ++j) {
        sx[static_cast<std::size_t>(j)] = world.statx(j);
        sv[static_cast<std::size_t>(j)] = world.statv(j);
    }
    int x = 1;
    if constexpr (Lanes == 2) {
        for (; x + 1 <= kGridLast; x += 2) {
            average_positions<2, Weight>(world, x, sx, sv, weight);
        }
    }
    for (; x <= kGridLast; ++x) {
        average_positions<1, Weight>(world, x, sx, sv, weight);
    }
}

}  // namespace

void gaussave(World& world, float s) {
    const auto scale = static_cast<double>(s);
    auto gaussian =
        memo_by_distance<double>([=](double d) { return std::exp(((-d) * d / scale) / scale); });
    // Weights in double precision run no faster in pairs.
    average<1, double>(world, gaussian);
}

void expave(World& world, float s) {
    auto exponential = memo_by_distance<float>(
        [=](double d) { return static_cast<float>(std::exp(-d / static_cast<double>(s))); });
    average<2, float>(world, exponential);
}

}  // namespace tour
