// Worlds for the tests: a scenario of the tour laid out, or stations given
// one by one.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "world/world.hpp"

namespace tour::testing {

inline World scenario_world(std::int16_t scenario) {
    World world;
    world.scenario = scenario;
    world.nstat = scenario == 2 ? 12 : 21;
    setstations(world);
    return world;
}

// A world with the given stations (position, value) and no true field.
inline World station_world(std::initializer_list<std::pair<float, float>> stations) {
    World world;
    world.scenario = 4;
    world.nstat = 0;
    for (const auto& [x, v] : stations) {
        ++world.nstat;
        world.statx(world.nstat) = x;
        world.statv(world.nstat) = v;
    }
    return world;
}

}  // namespace tour::testing
