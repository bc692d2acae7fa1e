// The one dense linear equation solver: Gaussian elimination on a working
// copy of the augmented matrix, exchanging the pivot row with the first row
// below it that has a non-zero element in the pivot column, then back
// substitution. Kriging and the cubic spline use it.
#pragma once

#include <cstdint>

#include "world/checked_array.hpp"
#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour {

// Solves the n equations of matrix (rows 1..n, columns 1..n + 1, the last
// column the right-hand side) into solution(1..n). pivots(i) receives the
// pivot of step i; solution and pivots may be the same array. The caller's
// matrix is left unchanged. A completed solve copies solution(1..n - 1) into
// world.statw as floats. A singular matrix is reported through messages and
// the call returns at once, statw untouched.
void solvelin(World& world, MessageSink& messages, std::int16_t n, const Array2<double>& matrix,
              Array1<double>& solution, Array1<double>& pivots);

}  // namespace tour
