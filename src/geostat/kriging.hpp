// Ordinary kriging with the tabulated variogram model vgmodel: at every grid
// position the weights solve the kriging system, whose last row and column
// (ones, with a zero corner) make the weights sum to one through a Lagrange
// multiplier. The system is solved afresh at every position.
#pragma once

#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour {

// est(0..1000) from the stations and vgmodel; statw holds the weights of the
// last position afterwards. The estimate is the weighted mean of the station
// values with the weights renormalised by their sum. Should that sum be
// exactly 0 (possible only after a singular system left statw so), the
// estimate is the value of the nearest station instead.
// The 1001 positions are solved in two halves side by side, or one after
// the other; the results are the same bits either way.
// Given an array over the grid, kriging also records the kriging variance of
// every position: the sum of each weight times its right-hand side, plus the
// Lagrange multiplier, minus the model's value at lag 0, all in double
// precision as the solver left them. It is 0 at a station; a model that is
// no valid variogram can make it negative elsewhere. The positions are then
// solved one after the other.
// Each position's system solved afresh; or, with the same bits and
// messages, the matrix's elimination done once and applied to each
// position's right-hand side, on one thread (what the tour and the explorer
// do: far less work).
enum class KrigingThreads { one, two };
enum class KrigingSolve { afresh, factored };
void kriging(World& world, MessageSink& messages, KrigingThreads threads = KrigingThreads::two,
             Array1<double>* variance = nullptr, KrigingSolve solve = KrigingSolve::afresh);

}  // namespace tour
