#include "methods/orvelmethod.hpp"

#include <cmath>

#include "methods/exact_hit.hpp"

namespace tour {

namespace {

// Plain inverse-distance weights 1/d^p into statw.
void inverse_distance_weights(World& world, float xpos, float p) {
    const int n = world.nstat;
    for (int j = 1; j <= n; ++j) {
        const auto d = static_cast<float>(std::fabs(static_cast<double>(world.statx(j)) - xpos));
        world.statw(j) =
            static_cast<float>(1.0 / std::pow(static_cast<double>(d), static_cast<double>(p)));
    }
}

// The shadow factor of station j: the product of (d_i/d_j)^q over the
// stations i strictly nearer to xpos on the same side.
double shadow_factor(const World& world, int j, float xpos, float q) {
    const int n = world.nstat;
    const double offset_j = static_cast<double>(world.statx(j)) - xpos;
    const auto dist_j = static_cast<float>(std::fabs(offset_j));
    double c = 1.0;
    for (int i = 1; i <= n; ++i) {
        if (i == j) {
            continue;
        }
        const double offset_i = static_cast<double>(world.statx(i)) - xpos;
        const auto same_side = static_cast<float>(offset_i * offset_j);
        const auto dist_i = static_cast<float>(std::fabs(offset_i));
        if (same_side > 0.0f && dist_i < dist_j) {
            const double r = std::fabs(offset_i) / std::fabs(offset_j);
            // Written this way on purpose: the roundings of 1 - r^q are part of the result.
            c = (1.0 - (1.0 - std::pow(r, static_cast<double>(q)))) * c;
        }
    }
    return c;
}

}  // namespace

void orvelmethod(World& world, float p, float q) {
    const int n = world.nstat;
    for (int x = 1; x <= kGridLast; ++x) {
        const auto xpos = static_cast<float>(x);
        double wsum = 0.0;
        if (exact_hit(world, x)) {
            continue;
        }

        inverse_distance_weights(world, xpos, p);
        for (int j = 1; j <= n; ++j) {
            world.combw(j) = static_cast<double>(world.statw(j)) * shadow_factor(world, j, xpos, q);
            wsum = wsum + world.combw(j);
        }

        // Normalise combw in place and sum the weighted station values.
        float estimate = 0.0f;
        for (int j = 1; j <= n; ++j) {
            world.combw(j) = world.combw(j) / wsum;
            estimate =
                static_cast<float>(static_cast<double>(world.statv(j)) * world.combw(j) + estimate);
        }
        world.est(x) = estimate;
    }
}

}  // namespace tour
