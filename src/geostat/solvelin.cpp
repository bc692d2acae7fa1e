#include "geostat/solvelin.hpp"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

#include "world/runtime_error.hpp"

namespace tour {

namespace {

// The solver's own copy of the augmented matrix, rows 1..n and columns
// 1..n + 1, made afresh for every call. A row is handed out after its index
// is checked; the column loops of the solver run over 1..n + 1 and no further.
class WorkingMatrix {
  public:
    WorkingMatrix(const Array2<double>& matrix, int n)
        : n_(n),
          columns_(static_cast<std::size_t>(n) + 2),
          data_(new double[(static_cast<std::size_t>(n) + 1) * columns_]) {
        for (int r = 1; r <= n; ++r) {
            const double* from = matrix.row_range(r, 1, n + 1);
            std::copy(from, from + n + 1, row(r) + 1);
        }
    }

    // Row r with column k at [k].
    double* row(int r) {
        if (r < 1 || r > n_) {
            throw RuntimeError(Fault::subscript_out_of_range);
        }
        return &data_[static_cast<std::size_t>(r) * columns_];
    }

  private:
    int n_;
    std::size_t columns_;
    std::unique_ptr<double[]> data_;  // every element read is copied in first
};

}  // namespace

void solvelin(World& world, MessageSink& messages, std::int16_t n, const Array2<double>& matrix,
              Array1<double>& solution, Array1<double>& pivots) {
    if (n < 1) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    // A fresh working copy per call: the caller may reuse its matrix.
    WorkingMatrix w(matrix, n);

    // Forward elimination.
    for (int i = 1; i <= n; ++i) {
        // The first row from i down with a non-zero element in column i;
        // magnitudes are not compared.
        int found = 0;
        for (int r = i; r <= n; ++r) {
            if (w.row(r)[i] != 0.0) {
                found = r;
                break;
            }
        }
        double* wi = w.row(i);
        if (found != 0 && found != i) {
            double* wf = w.row(found);
            for (int k = 1; k <= n + 1; ++k) {
                std::swap(wi[k], wf[k]);
            }
        }
        if (wi[i] == 0.0) {
            messages.message_box("Matrix has no unique solution");
            return;
        }
        pivots(i) = wi[i];
        const double pivot = pivots(i);
        // Normalise row i; left of column i it holds zeros, which stay zeros.
        for (int k = i; k <= n + 1; ++k) {
            wi[k] = wi[k] / pivot;
        }
        // Eliminate below. Taken column by column from n + 1 down to 1, the
        // multiplier w(r, i) keeps its value for every column right of i and
        // becomes exactly 0 at column i (the normalised pivot is exactly 1);
        // left of i both rows hold zeros from the earlier steps, which the
        // update leaves as they are. So each column from i to n + 1 gets one
        // update with the multiplier as it was, in whatever order.
        for (int r = i + 1; r <= n; ++r) {
            double* wr = w.row(r);
            const double multiplier = wr[i];
            for (int k = i; k <= n + 1; ++k) {
                wr[k] = wr[k] - wi[k] * multiplier;
            }
        }
    }

    // Back substitution.
    double* last = w.row(n);
    if (last[n] == 0.0) {
        messages.message_box("sorry, no unique solution");
    } else {
        solution(n) = last[n + 1] / last[n];
        for (int f = n - 1; f >= 1; --f) {
            const double* wf = w.row(f);
            double s = 0.0;
            for (int k = f + 1; k <= n; ++k) {
                s = s + wf[k] * solution(k);
            }
            if (wf[f] == 0.0) {
                messages.message_box("Division by zero");
            } else {
                solution(f) = (wf[n + 1] - s) / wf[f];
            }
        }
    }
    for (int k = 1; k <= n - 1; ++k) {
        world.statw(k) = static_cast<float>(solution(k));
    }
}

}  // namespace tour
