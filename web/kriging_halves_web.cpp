// A page opened from disk may start no thread: the two halves of kriging's
// grid are solved one after the other, which is one run over the grid.
#include "geostat/kriging_grid.hpp"

namespace tour {

void krige_in_two_halves(World& world, MessageSink& messages, const Array2<double>& augmented) {
    krige_positions(world, messages, augmented, kGridFirst, kGridLast);
}

}  // namespace tour
