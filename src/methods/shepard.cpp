#include "methods/shepard.hpp"

#include <array>
#include <cmath>

#include "methods/exact_hit.hpp"
#include "methods/nth_nearest.hpp"
#include "world/power.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {
// Index of station j in a column of the stations, j in 1..21.
constexpr std::size_t at(int j) {
    return static_cast<std::size_t>(j);
}
}  // namespace

void shepard(World& world, std::int16_t n) {
    const int nstat = world.nstat;
    if (nstat > kMaxStations) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    // Stations 1..nstat, read once, as doubles.
    using Column = std::array<double, kMaxStations + 1>;
    Column sx{};
    Column sv{};
    for (int j = 1; j <= nstat; ++j) {
        sx[at(j)] = world.statx(j);
        sv[at(j)] = world.statv(j);
    }

    // Work data of the call; nothing passes from one position to the next
    // except the increments of stations beyond R (multiplied by a zero
    // weight) and the search's record of a station taken.
    Column slope{};  // A: estimated slope at each station
    Column incr{};   // increment added to each value
    NearestSearch search;

    for (int ipos = 1; ipos <= kGridLast; ++ipos) {
        const auto xpos = static_cast<float>(ipos);

        // 1. A position on a station takes its value.
        if (exact_hit(world, ipos)) {
            continue;
        }
        Column offset{};  // statx(j) - x
        Column d{};       // |statx(j) - x|
        for (int j = 1; j <= nstat; ++j) {
            offset[at(j)] = sx[at(j)] - static_cast<double>(xpos);
            d[at(j)] = std::fabs(offset[at(j)]);
        }

        // 2. Nearest-n radius search: the n-th smallest distance below 1000,
        // plus 1.
        const double m = search.nth_smallest_below(d, nstat, n, 1000.0);
        const auto radius = static_cast<float>(m + 1.0);
        world.radius = radius;
        const double r = radius;

        // 3. Radius weights s(j), kept as Singles: 1/d up to R/3, then
        // (27/4R)(d/R - 1)^2, 0 beyond R.
        Column s{};
        double wsum = 0.0;  // S
        for (int j = 1; j <= nstat; ++j) {
            const double dj = d[at(j)];
            double weight = 0.0;
            if (static_cast<float>(dj) > radius) {
                weight = 0.0;
            } else if (r / 3.0 < dj) {
                const double q = dj / r - 1.0;
                weight = q * q * (27.0 / 4.0 / r);
            } else {
                weight = 1.0 / dj;
            }
            world.statw(j) = static_cast<float>(weight);
            s[at(j)] = world.statw(j);
            wsum += s[at(j)];
        }

        // 4. Direction correction: each station on the other side of x adds
        // 2 s(i) (1 - cos of the angle between the two directions). No
        // offset is 0 here (a position on a station was taken above), and no
        // product of two offsets is small enough to round to a zero Single,
        // so "the other side" is the other sign. Every station on the east
        // side sees the same sum of the west side's 2 s(i), and the other
        // way round; summed in increasing i, as adding the 0 of each station
        // on the same side would leave the sum as it is.
        double west_sum = 0.0;  // over the stations west of x
        double east_sum = 0.0;
        for (int i = 1; i <= nstat; ++i) {
            if (offset[at(i)] < 0.0) {
                west_sum += 2.0 * s[at(i)];
            } else if (offset[at(i)] > 0.0) {
                east_sum += 2.0 * s[at(i)];
            }
        }
        Column w{};            // W(j)
        double combsum = 0.0;  // SW
        for (int j = 1; j <= nstat; ++j) {
            double t = 0.0;
            if (offset[at(j)] < 0.0) {
                t = east_sum;
            } else if (offset[at(j)] > 0.0) {
                t = west_sum;
            }
            w[at(j)] = s[at(j)] * s[at(j)] * (t / wsum + 1.0);
            world.combw(j) = w[at(j)];
            combsum += w[at(j)];
        }

        // 5. Slopes and the value range of the stations inside R (inclusive
        // for j, strict for the stations i that enter the slope).
        double zmax = -1000.0;
        double zmin = 1000.0;
        double amax = 0.0;
        for (int j = 1; j <= nstat; ++j) {
            if (static_cast<float>(d[at(j)]) > radius) {
                continue;
            }
            if (zmin > sv[at(j)]) {
                zmin = sv[at(j)];
            }
            if (zmax < sv[at(j)]) {
                zmax = sv[at(j)];
            }
            slope[at(j)] = 0.0;
            for (int i = 1; i <= nstat; ++i) {
                if (i == j || !(static_cast<float>(d[at(i)]) < radius)) {
                    continue;
                }
                const double dx = sx[at(i)] - sx[at(j)];
                const double dz = sv[at(i)] - sv[at(j)];
                slope[at(j)] += dx * (dz * w[at(i)] / (combsum - w[at(j)])) / square_power(dx);
            }
            if (std::fabs(amax) < std::fabs(slope[at(j)])) {
                amax = slope[at(j)];
            }
        }

        // 6. Increment scale.
        const double v = amax == 0.0 ? 0.0 : (zmax - zmin) * 0.1 / std::fabs(amax);

        // 7. Increments of the stations inside R; those beyond keep an
        // earlier value, which meets a zero weight below.
        for (int j = 1; j <= nstat; ++j) {
            if (static_cast<float>(d[at(j)]) <= radius) {
                incr[at(j)] =
                    (static_cast<double>(xpos) - sx[at(j)]) * slope[at(j)] * v / (v + d[at(j)]);
            }
        }

        // 8. Normalise the combined weights in place and sum the estimate.
        double f = 0.0;
        for (int j = 1; j <= nstat; ++j) {
            world.combw(j) = w[at(j)] / combsum;
            f += (sv[at(j)] + incr[at(j)]) * world.combw(j);
        }
        world.est(ipos) = static_cast<float>(f);
    }
}

}  // namespace tour
