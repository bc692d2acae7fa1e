// The exact-hit rule of the methods that reproduce station values.
#pragma once

#include "world/world.hpp"

namespace tour {

// A grid position that lies on a station takes that station's value; of two
// stations at the same position the later one wins. Returns whether x lies on
// a station.
inline bool exact_hit(World& world, int x) {
    const auto xpos = static_cast<float>(x);
    const int n = world.nstat;
    bool hit = false;
    for (int j = 1; j <= n; ++j) {
        if (world.statx(j) == xpos) {
            world.est(x) = world.statv(j);
            hit = true;
        }
    }
    return hit;
}

}  // namespace tour
