#include "methods/invdist.hpp"

#include <cmath>

#include "world/power.hpp"
#include "world/whole_number_memo.hpp"

namespace tour {

void invdist(World& world, float power, float displacement) {
    const int n = world.nstat;
    // The weight 1 / (d + displacement) ^ power, as a Single.
    auto weight = memo_by_distance<float>([=](double distance) {
        const double base = distance + static_cast<double>(displacement);
        return static_cast<float>(1.0 / tour::power(base, static_cast<double>(power)));
    });
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        int hit = 0;  // no station lies on x
        float wsum = 0.0f;
        for (int k = 1; k <= n; ++k) {
            const auto xpos = static_cast<float>(x);
            const double distance = std::fabs(static_cast<double>(xpos) - world.statx(k));
            // The hit rule applies only without a displacement.
            if (displacement == 0.0f && static_cast<float>(distance) == 0.0f) {
                hit = k;
                continue;
            }
            world.statw(k) = weight(distance);
            wsum = static_cast<float>(static_cast<double>(wsum) + world.statw(k));
        }

        if (hit != 0) {
            for (int k = 1; k <= n; ++k) {
                world.statw(k) = 0.0f;
            }
            world.statw(hit) = 1.0f;
        } else {
            for (int k = 1; k <= n; ++k) {
                world.statw(k) = static_cast<float>(static_cast<double>(world.statw(k)) / wsum);
            }
        }

        float estimate = 0.0f;
        for (int k = 1; k <= n; ++k) {
            estimate =
                static_cast<float>(static_cast<double>(world.statv(k)) * world.statw(k) + estimate);
        }
        world.est(x) = estimate;
    }
}

}  // namespace tour
