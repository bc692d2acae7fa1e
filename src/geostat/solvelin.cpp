#include "geostat/solvelin.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "world/runtime_error.hpp"

namespace tour {

namespace {

// The solver's own copy of the augmented matrix, rows 1..n and columns
// 1..n + 1, made afresh for every call. A row is handed out after its index
// is checked; the column loops of the solver run over 1..n + 1 and no further.
class WorkingMatrix {
  public:
    WorkingMatrix(const Array2<double>& matrix, int n)
        : n_(n), columns_(static_cast<std::size_t>(n) + 2) {
        const std::size_t size = (static_cast<std::size_t>(n) + 1) * columns_;
        if (size > on_stack_.size()) {
            heap_.reset(new double[size]);
            data_ = heap_.get();
        }
        for (int r = 1; r <= n; ++r) {
            const double* from = matrix.row_range(r, 1, n + 1);
            std::copy(from, from + n + 1, row(r) + 1);
        }
    }
    WorkingMatrix(const WorkingMatrix&) = delete;
    WorkingMatrix& operator=(const WorkingMatrix&) = delete;

    // Row r with column k at [k].
    double* row(int r) {
        if (r < 1 || r > n_) {
            throw RuntimeError(Fault::subscript_out_of_range);
        }
        return data_ + static_cast<std::size_t>(r) * columns_;
    }

  private:
    int n_;
    std::size_t columns_;
    // Every element read is copied in first. Systems up to the size of
    // kriging with 21 stations stay on the stack.
    std::array<double, 23 * 24> on_stack_;
    std::unique_ptr<double[]> heap_;
    double* data_ = on_stack_.data();
};

// Row r minus multiplier times row i over the columns from..to, with the
// width known when compiling where that helps the compiler most.
template <int Last>
inline void subtract_row(double* row_r, const double* row_i, double multiplier) {
    for (int k = 1; k <= Last; ++k) {
        row_r[k] = row_r[k] - row_i[k] * multiplier;
    }
}

inline void subtract_row(double* row_r, const double* row_i, int from, int to, double multiplier) {
    for (int k = from; k <= to; ++k) {
        row_r[k] = row_r[k] - row_i[k] * multiplier;
    }
}

// A work vector with elements 1..n, on the stack up to the size of kriging
// with 21 stations.
class Scratch {
  public:
    explicit Scratch(int n) {
        if (static_cast<std::size_t>(n) + 1 > kept_.size()) {
            heap_.resize(static_cast<std::size_t>(n) + 1);
            data_ = heap_.data();
        }
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    double* data() { return data_; }

  private:
    std::array<double, 24> kept_;
    std::vector<double> heap_;
    double* data_ = kept_.data();
};

// Back substitution on the reduced rows: row(f)[k] is column k of row f and
// rhs(f) its right-hand side. It works on a copy x of the solution vector as
// it stands (it may hold the pivots), written back element by element, and
// then copies the solution into statw.
template <typename Row, typename Rhs>
inline void back_substitute(World& world, MessageSink& messages, int n, Row row, Rhs rhs,
                            Array1<double>& solution) {
    Scratch copy(n);
    double* x = copy.data();
    for (int k = 1; k <= n; ++k) {
        x[static_cast<std::size_t>(k)] = solution(k);
    }
    const double* last = row(n);
    if (last[n] == 0.0) {
        messages.message_box("sorry, no unique solution");
    } else {
        const auto nn = static_cast<std::size_t>(n);
        x[nn] = rhs(n) / last[n];
        solution(n) = x[nn];
        for (int f = n - 1; f >= 1; --f) {
            const double* wf = row(f);
            double s = 0.0;
            for (std::size_t k = static_cast<std::size_t>(f) + 1; k <= nn; ++k) {
                s = s + wf[k] * x[k];
            }
            if (wf[f] == 0.0) {
                messages.message_box("Division by zero");
            } else {
                x[static_cast<std::size_t>(f)] = (rhs(f) - s) / wf[f];
                solution(f) = x[static_cast<std::size_t>(f)];
            }
        }
    }
    for (int k = 1; k <= n - 1; ++k) {
        world.statw(k) = static_cast<float>(solution(k));
    }
}

// The solver, compiled twice on x86-64: for processors with AVX2 (four
// doubles per instruction) and for any x86-64. Each element sees the same
// multiplies, subtracts and divides either way, so the results are the same
// bits. Other targets (WebAssembly) compile it once.
#if defined(__x86_64__)
#define SOLVER_TARGETS __attribute__((target_clones("avx2", "default")))
#else
#define SOLVER_TARGETS
#endif
SOLVER_TARGETS void solve(World& world, MessageSink& messages, int n, const Array2<double>& matrix,
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
        // left of i both rows hold zeros from the earlier steps, which stay
        // zeros (and are not read again) whatever they are updated with. So
        // every column gets one update with the multiplier as it was, in any
        // order. The systems of kriging with 21 or 12 stations (22 or 13
        // unknowns) run over whole rows of fixed width, the others from i.
        for (int r = i + 1; r <= n; ++r) {
            double* wr = w.row(r);
            const double multiplier = wr[i];
            if (n == 22) {
                subtract_row<23>(wr, wi, multiplier);
            } else if (n == 13) {
                subtract_row<14>(wr, wi, multiplier);
            } else {
                subtract_row(wr, wi, i, n + 1, multiplier);
            }
        }
    }

    back_substitute(
        world, messages, n, [&](int f) { return static_cast<const double*>(w.row(f)); },
        [&](int f) { return w.row(f)[n + 1]; }, solution);
}

}  // namespace

void solvelin(World& world, MessageSink& messages, std::int16_t n, const Array2<double>& matrix,
              Array1<double>& solution, Array1<double>& pivots) {
    solve(world, messages, n, matrix, solution, pivots);
}

SolvelinFactors::SolvelinFactors(int n, const Array2<double>& matrix)
    : n_(n),
      swap_(static_cast<std::size_t>(n) + 1),
      pivots_(static_cast<std::size_t>(n) + 1),
      multipliers_((static_cast<std::size_t>(n) + 1) * (static_cast<std::size_t>(n) + 1)),
      reduced_((static_cast<std::size_t>(n) + 1) * (static_cast<std::size_t>(n) + 1)) {
    if (n < 1) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    const auto at = [n](int r, int c) {
        return static_cast<std::size_t>(r) * (static_cast<std::size_t>(n) + 1) +
               static_cast<std::size_t>(c);
    };
    for (int r = 1; r <= n; ++r) {
        const double* from = matrix.row_range(r, 1, n);
        std::copy(from, from + n, reduced_.begin() + static_cast<std::ptrdiff_t>(at(r, 1)));
    }
    double* w = reduced_.data();
    for (int i = 1; i <= n; ++i) {
        int found = 0;
        for (int r = i; r <= n; ++r) {
            if (w[at(r, i)] != 0.0) {
                found = r;
                break;
            }
        }
        swap_[static_cast<std::size_t>(i)] = found != 0 ? found : i;
        if (found != 0 && found != i) {
            for (int k = 1; k <= n; ++k) {
                std::swap(w[at(i, k)], w[at(found, k)]);
            }
        }
        if (w[at(i, i)] == 0.0) {
            failed_step_ = i;
            return;
        }
        const double pivot = w[at(i, i)];
        pivots_[static_cast<std::size_t>(i)] = pivot;
        for (int k = i; k <= n; ++k) {
            w[at(i, k)] = w[at(i, k)] / pivot;
        }
        for (int r = i + 1; r <= n; ++r) {
            const double m = w[at(r, i)];
            multipliers_[at(r, i)] = m;
            for (int k = i; k <= n; ++k) {
                w[at(r, k)] = w[at(r, k)] - w[at(i, k)] * m;
            }
        }
    }
}

double SolvelinFactors::multiplier(int row, int step) const {
    return multipliers_[static_cast<std::size_t>(row) * (static_cast<std::size_t>(n_) + 1) +
                        static_cast<std::size_t>(step)];
}

void SolvelinFactors::solve(World& world, MessageSink& messages, const Array1<double>& rhs,
                            Array1<double>& solution) const {
    const int n = n_;
    // The right-hand side as column n + 1 of the working copy.
    Scratch column(n);
    double* b = column.data();
    for (int r = 1; r <= n; ++r) {
        b[r] = rhs(r);
    }
    // Forward elimination on it, step by step as the full solve does it.
    for (int i = 1; i <= n; ++i) {
        if (i == failed_step_) {
            messages.message_box("Matrix has no unique solution");
            return;
        }
        std::swap(b[i], b[swap_[static_cast<std::size_t>(i)]]);
        solution(i) = pivots_[static_cast<std::size_t>(i)];
        b[i] = b[i] / pivots_[static_cast<std::size_t>(i)];
        for (int r = i + 1; r <= n; ++r) {
            b[r] = b[r] - b[i] * multiplier(r, i);
        }
    }
    back_substitute(
        world, messages, n,
        [&](int f) {
            return reduced_.data() +
                   static_cast<std::size_t>(f) * (static_cast<std::size_t>(n) + 1);
        },
        [&](int f) { return b[f]; }, solution);
}

}  // namespace tour
