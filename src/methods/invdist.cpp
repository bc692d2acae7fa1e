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
    // Stations 1..n, read once, and the weights of one position.
    using Column = std::array<double, kMaxStations + 1>;
    Column sx{};
    Column sv{};
    for (int k = 1; k <= n; ++k) {
        sx[at(k)] = world.statx(k);
        sv[at(k)] = world.statv(k);
    }
    std::array<float, kMaxStations + 1> w{};

    for (int x = kGridFirst; x <= kGridLast; ++x) {
        const auto xpos = static_cast<double>(static_cast<float>(x));
        int hit = 0;  // no station lies on x
        float wsum = 0.0f;
        for (int k = 1; k <= n; ++k) {
            const double distance = std::fabs(xpos - sx[at(k)]);
            // The hit rule applies only without a displacement.
            if (displacement == 0.0f && static_cast<float>(distance) == 0.0f) {
                hit = k;
                continue;
            }
            w[at(k)] = weight(distance);
            wsum = static_cast<float>(static_cast<double>(wsum) + w[at(k)]);
        }

        if (hit != 0) {
            for (int k = 1; k <= n; ++k) {
                w[at(k)] = 0.0f;
            }
            w[at(hit)] = 1.0f;
        } else {
            for (int k = 1; k <= n; ++k) {
                w[at(k)] = static_cast<float>(static_cast<double>(w[at(k)]) / wsum);
            }
        }

        float estimate = 0.0f;
        for (int k = 1; k <= n; ++k) {
            estimate = static_cast<float>(sv[at(k)] * w[at(k)] + estimate);
        }
        world.est(x) = estimate;
    }
    for (int k = 1; k <= n; ++k) {
        world.statw(k) = w[at(k)];
    }
}

}  // namespace tour
