// The two simplest methods: nearest-neighbour steps and straight lines
// between neighbouring stations. Both reproduce every station value.
#pragma once

#include "world/world.hpp"

namespace tour {

// est(0..1000): the value of the nearest station (the western one on a tie).
void nearneighb(World& world);

// est(1..1000): linear interpolation between the stations left and right of
// each position. est(0) keeps whatever the previous method left there.
void linint(World& world);

}  // namespace tour
