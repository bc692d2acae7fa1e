#include "display/scoring.hpp"

namespace tour {

void calcerr(World& world, std::int16_t stage) {
    ErrorMeasure measure;
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        const float t = truth(world, static_cast<float>(x));
        measure.add(static_cast<float>(static_cast<double>(world.est(x)) - t));
    }
    world.maxerr(stage) = measure.max();
    world.rmserr(stage) = measure.rms();
}

}  // namespace tour
