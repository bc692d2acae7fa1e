// Global weighted averages of all station values, the weight falling off with
// the distance d on the scale s: Gaussian exp(-d²/s²) or exponential exp(-d/s).
// Every station contributes everywhere, so neither reproduces station values.
#pragma once

#include "world/world.hpp"

namespace tour {

// est(1..1000) with Gaussian weights, kept in double precision (in single
// precision they would all underflow far from the stations). est(0) keeps the
// previous method's value.
void gaussave(World& world, float s);

// est(1..1000) with exponential weights in single precision. est(0) keeps the
// previous method's value.
void expave(World& world, float s);

}  // namespace tour
