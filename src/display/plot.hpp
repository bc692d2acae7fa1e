// The drawing steps every stage uses: the zero line, the true field, the
// stations and the estimate.
#pragma once

#include <cstdint>

#include "display/picture.hpp"
#include "world/world.hpp"

namespace tour {

// Pen width 3 and the black zero line across the world.
void clearplot(Picture& picture);
// The true field as a green curve over 1000 segments.
void drawtruth(const World& world, Picture& picture);
// Each station as a black stem from below the plot to its value, with a red dot.
void drawstations(const World& world, Picture& picture);
// est as a red curve, then its errors recorded for the stage.
void drawestimate(World& world, Picture& picture, std::int16_t stage);

}  // namespace tour
