#include "geostat/kriging.hpp"

#include <cmath>

#include "geostat/kriging_grid.hpp"
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

// The kriging matrix G in columns 1..N of an augmented matrix whose column
// N + 1 takes each position's right-hand side.
Array2<double> kriging_matrix(const World& world) {
    const int n = world.nstat;
    const int big_n = n + 1;
    Array2<double> g(1, big_n, 1, big_n);
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

    Array2<double> augmented(1, big_n, 1, big_n + 1);
    for (int i = 1; i <= big_n; ++i) {
        for (int j = 1; j <= big_n; ++j) {
            augmented(i, j) = g(i, j);
        }
    }
    return augmented;
}

}  // namespace

void krige_positions(World& world, MessageSink& messages, Array2<double> augmented, int first,
                     int last, Array1<double>* variance, const SolvelinFactors* factors) {
    const int n = world.nstat;
    const int big_n = n + 1;
    Array1<double> rhs(1, big_n);
    Array1<double> x(1, big_n);
    rhs(big_n) = 1.0;

    for (int p = first; p <= last; ++p) {
        const auto xpos = static_cast<float>(p);

        for (int j = 1; j <= n; ++j) {
            rhs(j) = model_at(world, std::fabs(static_cast<double>(world.statx(j)) - xpos));
        }
        if (factors != nullptr) {
            factors->solve(world, messages, rhs, x);
        } else {
            for (int j = 1; j <= big_n; ++j) {
                augmented(j, big_n + 1) = rhs(j);
            }
            solvelin(world, messages, static_cast<std::int16_t>(big_n), augmented, x, x);
        }
        if (variance != nullptr) {
            // The weights stay the same when a constant is taken off the
            // model, so this is ordinary kriging with vgmodel(h) - vgmodel(0),
            // a model that is 0 at lag 0: its variance vanishes at a station.
            double sigma2 = 0.0;
            for (int j = 1; j <= n; ++j) {
                sigma2 = sigma2 + x(j) * rhs(j);
            }
            (*variance)(p) = sigma2 + x(big_n) - world.vgmodel(0);
        }

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

void kriging(World& world, MessageSink& messages, KrigingThreads threads, Array1<double>* variance,
             KrigingSolve solve) {
    const Array2<double> augmented = kriging_matrix(world);
    if (solve == KrigingSolve::factored) {
        const SolvelinFactors factors(world.nstat + 1, augmented);
        krige_positions(world, messages, augmented, kGridFirst, kGridLast, variance, &factors);
        return;
    }
    if (threads == KrigingThreads::one || variance != nullptr) {
        krige_positions(world, messages, augmented, kGridFirst, kGridLast, variance);
        return;
    }
    krige_in_two_halves(world, messages, augmented);
}

}  // namespace tour
