// Local inverse-distance averaging: inverse-distance weights 1/d restricted
// to the stations not farther than the n-th nearest one, normalised to sum 1.
// The plain counterpart of Shepard's method, with the same nearest-n search
// in single precision and without the extra unit on the radius.
#pragma once

#include <cstdint>

#include "world/world.hpp"

namespace tour {

// est(0..1000) by local inverse-distance averaging over the stations within
// the distance of the n-th nearest one (ties at that distance all count).
// Leaves, for the last position that is not on a station, the radius R in
// world.radius and the normalised weights in world.statw.
// Needs 1 <= nstat <= 21; with no station the search addresses index 0,
// which throws "Subscript out of range".
void localinvdist(World& world, std::int16_t n);

}  // namespace tour
