#include "world/world.hpp"

#include <cmath>

namespace tour {

namespace {

// A bump centred at 500 with half-width 250 and peak 1.
float bump(float x) {
    if (x < 250.0f || x > 750.0f) {
        return 0.0f;
    }
    const auto t = static_cast<float>(static_cast<double>(x) - 500.0);
    const double tt = static_cast<double>(t) * t;
    const auto q = static_cast<float>((tt - 62500.0) / (tt + 62500.0));
    return static_cast<float>(static_cast<double>(q) * q);
}

// Zero, a jump to a plateau of 0.7 at 225, a fall to 0 at 825, a rise to 1.
float jump_plateau_kink(float x) {
    if (x < 225.0f) {
        return 0.0f;
    }
    if (x < 525.0f) {
        return 0.7f;
    }
    if (x < 825.0f) {
        return static_cast<float>(0.7 * (1.0 - (static_cast<double>(x) - 525.0) / 300.0));
    }
    return static_cast<float>((static_cast<double>(x) - 825.0) / 175.0);
}

// Station k of 21 equidistant slots 50 units apart.
float slot_position(int k) {
    return static_cast<float>((static_cast<double>(static_cast<float>(k)) - 1.0) * 1000.0 / 20.0);
}

}  // namespace

float truth(std::int16_t scenario, float x) {
    if (scenario < 3) {
        return bump(x);
    }
    if (scenario == 3) {
        return jump_plateau_kink(x);
    }
    return 0.0f;
}

void setstations(World& world) {
    const int n = world.nstat;
    for (int k = 1; k <= n; ++k) {
        if (world.scenario == 1 || world.scenario == 3) {
            world.statx(k) = slot_position(k);
        } else if (world.scenario == 2) {
            // One station at the western end, the others in the eastern half.
            const int j = (k == 1) ? k : k + 9;
            world.statx(k) = slot_position(j);
        } else {
            continue;
        }
        world.statv(k) = truth(world, world.statx(k));
    }
}

std::int16_t neareststation(const World& world, float x) {
    float best = 10000.0f;
    std::int16_t k = 0;
    const int n = world.nstat;
    for (int i = 1; i <= n; ++i) {
        const auto d = static_cast<float>(std::fabs(static_cast<double>(x) - world.statx(i)));
        if (d < best) {
            k = static_cast<std::int16_t>(i);
            best = d;
        }
    }
    return k;
}

}  // namespace tour
