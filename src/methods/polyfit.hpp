// The single polynomial through all stations, in Lagrange form: an exact
// method that swings far from the field between the stations.
#pragma once

#include "world/world.hpp"

namespace tour {

// est(0..1000): the interpolating polynomial of degree nstat - 1, evaluated
// at every grid position without scaling x. Running values are doubles.
void polyfit(World& world);

}  // namespace tour
