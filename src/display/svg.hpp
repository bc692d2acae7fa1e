// The recorded picture as an SVG document: the white plot with every segment
// and dot as a vector element, in the colours, pen widths and pixel
// coordinates of the plot on screen.
#pragma once

#include <string>

#include "display/picture.hpp"

namespace tour {

std::string picture_svg(const Picture& picture, int width, int height);

}  // namespace tour
