#include "methods/shepard.hpp"

#include <cmath>

#include "methods/exact_hit.hpp"

namespace tour {

void shepard(World& world, std::int16_t n) {
    const int nstat = world.nstat;
    const auto& statx = world.statx;
    const auto& statv = world.statv;
    auto& statw = world.statw;  // s(j), Single
    auto& combw = world.combw;  // W(j), Double

    // Work arrays of the call, zero-filled once; nothing else passes from one
    // position to the next except the increments of stations beyond R
    // (multiplied by a zero weight) and the selected index k.
    Array1<double> dist{1, kMaxStations};   // D: distances, marked by the search
    Array1<double> slope{1, kMaxStations};  // A: estimated slope at each station
    Array1<double> incr{1, kMaxStations};   // increment added to each value
    std::int16_t k = 0;

    for (int ipos = 1; ipos <= kGridLast; ++ipos) {
        const auto xpos = static_cast<float>(ipos);
        const auto distance = [&](int j) {
            return std::fabs(static_cast<double>(statx(j)) - static_cast<double>(xpos));
        };

        // 1. A position on a station takes its value.
        if (exact_hit(world, ipos)) {
            continue;
        }

        // 2. Nearest-n radius search: the n-th smallest distance below 1000,
        // plus 1. A selected station is marked with 1000 and never again
        // selected; the lower index wins a tie.
        double m = 1000.0;
        for (int j = 1; j <= nstat; ++j) {
            dist(j) = distance(j);
            if (dist(j) < m) {
                m = dist(j);
                k = static_cast<std::int16_t>(j);
            }
        }
        dist(k) = 1000.0;
        for (int pass = 2; pass <= n; ++pass) {
            m = 1000.0;
            for (int j = 1; j <= nstat; ++j) {
                if (dist(j) < m) {
                    m = dist(j);
                    k = static_cast<std::int16_t>(j);
                }
            }
            dist(k) = 1000.0;
        }
        const auto radius = static_cast<float>(m + 1.0);
        world.radius = radius;
        const double r = radius;

        // 3. Radius weights: 1/d up to R/3, then (27/4R)(d/R - 1)^2, 0 beyond R.
        double wsum = 0.0;  // S
        for (int j = 1; j <= nstat; ++j) {
            const double d = distance(j);
            double s = 0.0;
            if (static_cast<float>(d) > radius) {
                s = 0.0;
            } else if (r / 3.0 < d) {
                const double q = d / r - 1.0;
                s = q * q * (27.0 / 4.0 / r);
            } else {
                s = 1.0 / d;
            }
            statw(j) = static_cast<float>(s);
            wsum += statw(j);
        }

        // 4. Direction correction: each station on the other side of x adds
        // 2 s(i) (1 - cos of the angle between the two directions).
        double combsum = 0.0;  // SW
        for (int j = 1; j <= nstat; ++j) {
            double t = 0.0;
            for (int i = 1; i <= nstat; ++i) {
                if (i == j) {
                    continue;
                }
                const auto product = static_cast<float>((static_cast<double>(statx(i)) - xpos) *
                                                        (static_cast<double>(statx(j)) - xpos));
                if (product < 0.0f) {
                    t += 2.0 * statw(i);
                }
            }
            const double sj = statw(j);
            combw(j) = sj * sj * (t / wsum + 1.0);
            combsum += combw(j);
        }

        // 5. Slopes and the value range of the stations inside R (inclusive
        // for j, strict for the stations i that enter the slope).
        double zmax = -1000.0;
        double zmin = 1000.0;
        double amax = 0.0;
        for (int j = 1; j <= nstat; ++j) {
            if (static_cast<float>(distance(j)) > radius) {
                continue;
            }
            if (zmin > statv(j)) {
                zmin = statv(j);
            }
            if (zmax < statv(j)) {
                zmax = statv(j);
            }
            slope(j) = 0.0;
            for (int i = 1; i <= nstat; ++i) {
                if (i == j || !(static_cast<float>(distance(i)) < radius)) {
                    continue;
                }
                const double dx = static_cast<double>(statx(i)) - statx(j);
                const double dz = static_cast<double>(statv(i)) - statv(j);
                slope(j) += dx * (dz * combw(i) / (combsum - combw(j))) / std::pow(dx, 2.0);
            }
            if (std::fabs(amax) < std::fabs(slope(j))) {
                amax = slope(j);
            }
        }

        // 6. Increment scale.
        const double v = amax == 0.0 ? 0.0 : (zmax - zmin) * 0.1 / std::fabs(amax);

        // 7. Increments of the stations inside R; those beyond keep an
        // earlier value, which meets a zero weight below.
        for (int j = 1; j <= nstat; ++j) {
            const double d = distance(j);
            if (static_cast<float>(d) <= radius) {
                incr(j) = (static_cast<double>(xpos) - statx(j)) * slope(j) * v / (v + d);
            }
        }

        // 8. Normalise the combined weights in place and sum the estimate.
        double f = 0.0;
        for (int j = 1; j <= nstat; ++j) {
            combw(j) = combw(j) / combsum;
            f += (static_cast<double>(statv(j)) + incr(j)) * combw(j);
        }
        world.est(ipos) = static_cast<float>(f);
    }
}

}  // namespace tour
