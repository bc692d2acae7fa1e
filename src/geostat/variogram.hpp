// Variogram models, tabulated over the integer lags 0..1000 in vgmodel:
// a best fit that smooths the semivariogram cloud along the lag axis with
// Cressman weights, and a linear model with a nugget; and their plot.
#pragma once

#include "display/picture.hpp"
#include "world/world.hpp"

namespace tour {

// vgmodel(h): the mean of pairsq over the pairs, weighted by
// ((R² - d²) / (R² + d²))^E for a pair whose distance is d <= R away from h.
// Needs the pair table of semivariogram. A lag with no pair within R divides
// 0 by 0, a floating-point fault.
void fitvariogram(World& world, float R, float E);

// vgmodel(h): a straight rise from m / 10 at lag 0 to m at lag 500, then m,
// where m is the largest pairsq.
void linvariogram(World& world);

// The model as 1001 red dots, one per lag, with the current pen width.
void drawvariogram(const World& world, Picture& picture);

}  // namespace tour
