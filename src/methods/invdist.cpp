#include "methods/invdist.hpp"

#include <array>
#include <cmath>

#include "world/power.hpp"
#include "world/runtime_error.hpp"
#include "world/whole_number_memo.hpp"

namespace tour {

namespace {

// Index of station k in a column of the stations, k in 1..21.
constexpr std::size_t at(int k) {
    return static_cast<std::size_t>(k);
}

using Column = std::array<double, kMaxStations + 1>;
using Weights = std::array<float, kMaxStations + 1>;

// The estimates of Lanes neighbouring positions from x on, each with its own
// weights and sums in its own order. Taken side by side, the running sums of
// two positions (each partial sum rounded to a Single) wait on each other
// half as long as one after the other. w is left with the weights of the
// last of them.
template <int Lanes, typename Weight>
void estimate_positions(World& world, int x, const Column& sx, const Column& sv, Weight& weight,
                        float displacement, Weights& last) {
    const int n = world.nstat;
    std::array<double, Lanes> xpos;
    std::array<int, Lanes> hit;  // 0: no station lies on the position
    std::array<float, Lanes> wsum;
    std::array<Weights, Lanes> w;
    for (int l = 0; l < Lanes; ++l) {
        xpos[l] = static_cast<double>(static_cast<float>(x + l));
        hit[l] = 0;
        wsum[l] = 0.0f;
    }
    for (int k = 1; k <= n; ++k) {
        for (int l = 0; l < Lanes; ++l) {
            const double distance = std::fabs(xpos[l] - sx[at(k)]);
            // The hit rule applies only without a displacement.
            if (displacement == 0.0f && static_cast<float>(distance) == 0.0f) {
                hit[l] = k;
                continue;
            }
            w[l][at(k)] = weight(distance);
            wsum[l] = static_cast<float>(static_cast<double>(wsum[l]) + w[l][at(k)]);
        }
    }

    for (int l = 0; l < Lanes; ++l) {
        if (hit[l] != 0) {
            for (int k = 1; k <= n; ++k) {
                w[l][at(k)] = 0.0f;
            }
            w[l][at(hit[l])] = 1.0f;
        } else {
            for (int k = 1; k <= n; ++k) {
                w[l][at(k)] = static_cast<float>(static_cast<double>(w[l][at(k)]) / wsum[l]);
            }
        }
    }

    std::array<float, Lanes> estimate;
    estimate.fill(0.0f);
    for (int k = 1; k <= n; ++k) {
        for (int l = 0; l < Lanes; ++l) {
            estimate[l] = static_cast<float>(sv[at(k)] * w[l][at(k)] + estimate[l]);
        }
    }
    for (int l = 0; l < Lanes; ++l) {
        world.est(x + l) = estimate[l];
    }
    last = w[Lanes - 1];
}

}  // namespace

void invdist(World& world, float power, float displacement) {
    const int n = world.nstat;
    if (n > kMaxStations) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    // The weight 1 / (d + displacement) ^ power, as a Single.
    auto weight = memo_by_distance<float>([=](double distance) {
        const double base = distance + static_cast<double>(displacement);
        return static_cast<float>(1.0 / tour::power(base, static_cast<double>(power)));
    });
    // Stations 1..n, read once.
    Column sx{};
    Column sv{};
    for (int k = 1; k <= n; ++k) {
        sx[at(k)] = world.statx(k);
        sv[at(k)] = world.statv(k);
    }

    // The positions two by two, the last one alone.
    Weights w{};
    int x = kGridFirst;
    for (; x + 1 <= kGridLast; x += 2) {
        estimate_positions<2>(world, x, sx, sv, weight, displacement, w);
    }
    for (; x <= kGridLast; ++x) {
        estimate_positions<1>(world, x, sx, sv, weight, displacement, w);
    }
    for (int k = 1; k <= n; ++k) {
        world.statw(k) = w[at(k)];
    }
}

}  // namespace tour
