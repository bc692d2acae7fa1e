#include "methods/localinvdist.hpp"

#include <cmath>

#include "methods/exact_hit.hpp"

namespace tour {

void localinvdist(World& world, std::int16_t n) {
    const int nstat = world.nstat;
    const auto& statx = world.statx;
    const auto& statv = world.statv;
    auto& statw = world.statw;

    Array1<float> dist{1, kMaxStations};  // D: distances, marked by the search
    std::int16_t k = 0;                   // selected index, kept across positions

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
        // smallest distance below 1000, or 1000. The first pass marks its
        // station with 1000, the further passes with 2000.
        float m = 1000.0f;
        for (int j = 1; j <= nstat; ++j) {
            dist(j) = distance(j);
            if (dist(j) < m) {
                m = dist(j);
                k = static_cast<std::int16_t>(j);
            }
        }
        dist(k) = 1000.0f;
        for (int pass = 2; pass <= n; ++pass) {
            m = 1000.0f;
            for (int j = 1; j <= nstat; ++j) {
                if (dist(j) < m) {
                    m = dist(j);
                    k = static_cast<std::int16_t>(j);
                }
            }
            dist(k) = 2000.0f;
        }
        const float radius = m;
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
