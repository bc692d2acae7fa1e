#include "methods/nearest_linear.hpp"

namespace tour {

void nearneighb(World& world) {
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        const int k = neareststation(world, static_cast<float>(x));
        world.est(x) = world.statv(k);
    }
}

void linint(World& world) {
    const int n = world.nstat;
    int lo = 0;  // kept from one position to the next
    for (int x = 1; x <= kGridLast; ++x) {
        const auto xpos = static_cast<float>(x);

        // Exact hit, and the last station strictly left of x.
        bool exact = false;
        for (int j = 1; j <= n; ++j) {
            if (world.statx(j) == xpos) {
                world.est(x) = world.statv(j);
                exact = true;
            } else if (world.statx(j) < xpos) {
                lo = j;
            }
        }
        if (exact) {
            continue;
        }

        // The first station strictly right of x, or the last one.
        int hi = n;
        for (int j = 1; j <= n; ++j) {
            if (world.statx(j) > xpos && j < hi) {
                hi = j;
            }
        }

        const double vlo = world.statv(lo);
        const double slope = (static_cast<double>(world.statv(hi)) - vlo) /
                             (static_cast<double>(world.statx(hi)) - world.statx(lo));
        world.est(x) =
            static_cast<float>(vlo + slope * (static_cast<double>(xpos) - world.statx(lo)));
    }
}

}  // namespace tour
