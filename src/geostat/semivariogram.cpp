#include "geostat/semivariogram.hpp"

#include <cmath>

namespace tour {

void semivariogram(World& world) {
    const int n = world.nstat;
    for (int i = 1; i <= n; ++i) {
        for (int j = i; j <= n; ++j) {
            world.pairdist(i, j) = std::fabs(world.statx(j) - world.statx(i));
            const double diff = static_cast<double>(world.statv(j)) - world.statv(i);
            world.pairsq(i, j) = static_cast<float>(std::pow(diff, 2.0));
        }
    }
}

void drawsemivar(const World& world, Picture& picture) {
    picture.refresh();
    const int n = world.nstat;
    for (int i = 1; i <= n; ++i) {
        for (int j = i; j <= n; ++j) {
            picture.pset(world.pairdist(i, j), world.pairsq(i, j));
        }
    }
}

}  // namespace tour
