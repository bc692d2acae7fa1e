// Kriging's grid of positions, solved position by position from the
// augmented kriging matrix (columns 1..N hold G, column N + 1 takes each
// position's right-hand side): in one run, or in two halves side by side on
// the machine's two cores. How the halves are run is the platform's: where a
// page may start no thread, one after the other.
#pragma once

#include "geostat/solvelin.hpp"
#include "world/checked_array.hpp"
#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour {

// est(first..last), each position with its own solve of the whole system,
// or with the factors of its elimination where given (the same bits); with
// an array over the grid, also the kriging variance of each position.
void krige_positions(World& world, MessageSink& messages, Array2<double> augmented, int first,
                     int last, Array1<double>* variance = nullptr,
                     const SolvelinFactors* factors = nullptr);

// est(0..1000) in the halves 0..500 and 501..1000, with the bits, the statw
// and the messages (in position order) of one run.
void krige_in_two_halves(World& world, MessageSink& messages, const Array2<double>& augmented);

}  // namespace tour
