// The one dense linear equation solver: Gaussian elimination on a working
// copy of the augmented matrix, exchanging the pivot row with the first row
// below it that has a non-zero element in the pivot column, then back
// substitution. Kriging and the cubic spline use it.
#pragma once

#include <cstdint>
#include <vector>

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

// solvelin for many right-hand sides of one matrix. What the elimination
// does to the matrix does not depend on the right-hand side: which rows are
// exchanged, the pivots, the multipliers and the reduced rows. They are
// worked out once here; solve() then does to a right-hand side what
// solvelin does to its column n + 1, operation for operation in the same
// order, and back-substitutes with the reduced rows. So it gives solvelin's
// bits, its messages and its statw, for a fraction of the work.
class SolvelinFactors {
  public:
    // Columns 1..n of matrix (rows 1..n); its column n + 1 is not read.
    SolvelinFactors(int n, const Array2<double>& matrix);
    // As solvelin(world, messages, n, matrix with rhs in column n + 1,
    // solution, solution): the callers pass one array for both.
    void solve(World& world, MessageSink& messages, const Array1<double>& rhs,
               Array1<double>& solution) const;

  private:
    double multiplier(int row, int step) const;

    int n_;
    int failed_step_ = 0;    // the step that found no pivot; 0: none
    std::vector<int> swap_;  // the row exchanged with row i at step i (i itself: none)
    std::vector<double> pivots_;
    std::vector<double> multipliers_;  // w(r, i) at step i, for r > i
    std::vector<double> reduced_;      // the rows after elimination, columns 1..n
};

}  // namespace tour
