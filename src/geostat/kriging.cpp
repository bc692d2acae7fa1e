#include "geostat/kriging.hpp"

#include <cmath>

#include "geostat/solvelin.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

// The model value at a distance rounded to the nearest lag, halves to even.
double model_at(const World& world, double distance) {
    const double lag = std::nearbyint(distance);
    if (!(lag >= kGridFirst && lag <= kGridLast)) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return world.vgmodel(static_cast<int>(lag));
}

}  // namespace

void kriging(World& world, MessageSink& messages) {
    const int n = world.nstat;
    const int big_n = n + 1;

    Array2<double> g(1, big_n, 1, big_n);
    Array1<double> rhs(1, big_n);
    Array2<double> augmented(1, big_n, 1, big_n + 1);
    Array1<double> x(1, big_n);

    // The kriging matrix, once per call.
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            g(i, j) =
                model_at(world, std::fabs(static_cast<double>(world.statx(j)) - world.statx(i)));
        }
    }
    for (int j = 1; j <= n; ++j) {
        g(big_n, j) = 1.0;
        g(j, big_n) = 1.0;
    }
    g(big_n, big_n) = 0.0;
    rhs(big_n) = 1.0;
    for (int i = 1; i <= big_n; ++i) {
        for (int j = 1; j <= big_n; ++j) {
            augmented(i, j) = g(i, j);
        }
    }

    for (int p = kGridFirst; p <= kGridLast; ++p) {
        const auto xpos = static_cast<float>(p);

        for (int j = 1; j <= n; ++j) {
            rhs(j) = model_at(world, std::fabs(static_cast<double>(world.statx(j)) - xpos));
        }
        for (int j = 1; j <= big_n; ++j) {
            augmented(j, big_n + 1) = rhs(j);
        }
        solvelin(world, messages, static_cast<std::int16_t>(big_n), augmented, x, x);

        double s = 0.0;
        for (int j = 1; j <= n; ++j) {
            s = s + world.statw(j);
        }

        if (s == 0.0) {
            // No weights to renormalise: fall back on the nearest station.
            world.est(p) = world.statv(neareststation(world, xpos));
            continue;
        }
        world.est(p) = 0.0f;
        for (int j = 1; j <= n; ++j) {
            world.est(p) = static_cast<float>(
                static_cast<double>(world.statw(j)) * world.statv(j) / s + world.est(p));
        }
    }
}

}  // namespace tour
