#include "methods/localinvdist.hpp"

#include <array>
#include <cmath>

#include "methods/exact_hit.hpp"
#include "methods/nth_nearest.hpp"
#include "world/runtime_error.hpp"

namespace tour {

void localinvdist(World& world, std::int16_t n) {
    const int nstat = world.nstat;
    const auto& statx = world.statx;
    const auto& statv = world.statv;
    auto& statw = world.statw;

    if (nstat > kMaxStations) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    std::array<float, kMaxStations + 1> dist{};  // D: the distances of one position
    NearestSearch search;

    for (int ipos = kGridFirst; ipos <= kGridLast; ++ipos) {
        const auto xpos = static_cast<float>(ipos);
        const auto distance = [&](int j) {
            return static_cast<float>(
                std::fabs(static_cast<double>(statx(j)) - static_cast<double>(xpos)));
        };

        // 1. A position on a station takes its value.
        if (exact_hit(world, ipos)) {
            continue;
        }

        // 2. Nearest-n radius search in single precision: R is the n-th
        // smallest distance below 1000, or 1000.
        for (int j = 1; j <= nstat; ++j) {
            dist[static_cast<std::size_t>(j)] = distance(j);
        }
        const float radius = search.nth_smallest_below(dist, nstat, n, 1000.0f);
        world.radius = radius;

        // 3. Weights 1/d for every station not beyond R (inclusive).
        float wsum = 0.0f;
        for (int j = 1; j <= nstat; ++j) {
            const float d = distance(j);
            statw(j) = d > radius ? 0.0f : static_cast<float>(1.0 / static_cast<double>(d));
            wsum = static_cast<float>(static_cast<double>(wsum) + statw(j));
        }

        // 4. Normalise in place and sum the estimate, both in single precision.
        float estimate = 0.0f;
        for (int j = 1; j <= nstat; ++j) {
            statw(j) = static_cast<float>(static_cast<double>(statw(j)) / wsum);
            estimate = static_cast<float>(static_cast<double>(statv(j)) * statw(j) + estimate);
        }
        world.est(ipos) = estimate;
    }
}

}  // namespace tour
