// Shepard's method in its complete form (Shepard 1968): a search radius that
// adapts to the n nearest stations, Shepard's three-piece radius weight, a
// direction correction that favours stations on the far side of the
// position, and slope increments that let the estimate leave each station
// along an estimated local slope.
#pragma once

#include <cstdint>

#include "world/world.hpp"

namespace tour {

// est(1..1000) by Shepard's method with the radius set by the n nearest
// stations; est(0) keeps whatever the previous method left there.
// Leaves, for the last position that is not on a station, the radius R in
// world.radius, the radius weights s(j) in world.statw and the combined
// weights W(j), normalised to sum 1, in world.combw.
// Needs 1 <= nstat <= 21; with no station the search addresses index 0,
// which throws "Subscript out of range".
void shepard(World& world, std::int16_t n);

}  // namespace tour
