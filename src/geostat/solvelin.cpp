#include "geostat/solvelin.hpp"

namespace tour {

void solvelin(World& world, MessageSink& messages, std::int16_t n, const Array2<double>& matrix,
              Array1<double>& solution, Array1<double>& pivots) {
    // A fresh working copy per call: the caller may reuse its matrix.
    Array2<double> w(1, n, 1, n + 1);
    for (int r = 1; r <= n; ++r) {
        for (int k = 1; k <= n + 1; ++k) {
            w(r, k) = matrix(r, k);
        }
    }

    // Forward elimination.
    for (int i = 1; i <= n; ++i) {
        // The first row from i down with a non-zero element in column i;
        // magnitudes are not compared.
        int found = 0;
        for (int r = i; r <= n; ++r) {
            if (w(r, i) != 0.0) {
                found = r;
                break;
            }
        }
        if (found != 0) {
            for (int k = 1; k <= n + 1; ++k) {
                const double keep = w(i, k);
                w(i, k) = w(found, k);
                w(found, k) = keep;
            }
        }
        if (w(i, i) == 0.0) {
            messages.message_box("Matrix has no unique solution");
            return;
        }

        pivots(i) = w(i, i);
        for (int k = 1; k <= n + 1; ++k) {
            w(i, k) = w(i, k) / pivots(i);
        }

        // Columns descending: the multiplier w(r, i) holds its old value for
        // every column right of i and is cleared last.
        for (int r = i + 1; r <= n; ++r) {
            for (int k = n + 1; k >= 1; --k) {
                w(r, k) = w(r, k) - w(i, k) * w(r, i);
            }
        }
    }

    // Back substitution.
    if (w(n, n) == 0.0) {
        messages.message_box("sorry, no unique solution");
    } else {
        solution(n) = w(n, n + 1) / w(n, n);
        for (int f = n - 1; f >= 1; --f) {
            double s = 0.0;
            for (int k = f + 1; k <= n; ++k) {
                s = s + w(f, k) * solution(k);
            }
            if (w(f, f) == 0.0) {
                messages.message_box("Division by zero");
            } else {
                solution(f) = (w(f, n + 1) - s) / w(f, f);
            }
        }
    }

    for (int k = 1; k <= n - 1; ++k) {
        world.statw(k) = static_cast<float>(solution(k));
    }
}

}  // namespace tour
