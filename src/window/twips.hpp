// Lengths of the window design are in twips: 1440 to the inch, 15 to the
// pixel at 96 dpi.
#pragma once

#include <cmath>

namespace tour {

inline int twips_to_pixels(int twips, double logical_dpi) {
    return static_cast<int>(std::lround(twips * logical_dpi / 1440.0));
}

}  // namespace tour
