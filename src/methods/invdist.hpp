// Inverse-distance-weighted averaging over all stations. With displacement 0
// it is exact (a position on a station takes that station's value); with a
// displacement added to every distance it smooths.
#pragma once

#include "world/world.hpp"

namespace tour {

// est(0..1000) with weights 1 / (|x - statx(k)| + displacement) ^ power,
// normalised to sum to one. statw is left holding the normalised weights of
// position 1000.
void invdist(World& world, float power, float displacement);

}  // namespace tour
