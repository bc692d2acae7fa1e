// Worlds and scores for the method tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "display/scoring.hpp"
#include "support/worlds.hpp"
#include "world/world.hpp"

namespace tour::testing {

// Scores est as the forward tour does, where position 0 holds station 1's value.
struct Scores {
    float rms;
    float max;
};
inline Scores scores(World& world) {
    world.est(0) = world.statv(1);
    calcerr(world, 0);
    return {world.rmserr(0), world.maxerr(0)};
}

inline void expect_within_station_range(const World& world) {
    const auto [lo, hi] = std::minmax_element(&world.statv(1), &world.statv(1) + world.nstat);
    for (int x = 1; x <= kGridLast; ++x) {
        ASSERT_GE(world.est(x), *lo) << x;
        ASSERT_LE(world.est(x), *hi) << x;
    }
}

}  // namespace tour::testing
