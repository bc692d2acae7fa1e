#include "geostat/cubicspline.hpp"

#include <cmath>

#include "geostat/solvelin.hpp"

namespace tour {

namespace {

// Step 1: the station values a(1..n) and the interval widths h(1..n - 1).
void knots(const World& world, Array1<double>& a, Array1<double>& h) {
    const int n = world.nstat;
    for (int i = 1; i <= n - 1; ++i) {
        h(i) = static_cast<double>(world.statx(i + 1)) - world.statx(i);
        a(i) = world.statv(i);
    }
    a(n) = world.statv(n);
}

}  // namespace

Array2<double> splinesystem(const World& world) {
    const int n = world.nstat;
    Array1<double> a(1, n);
    Array1<double> h(1, n - 1);
    knots(world, a, h);

    Array2<double> matrix(1, n - 2, 1, n - 1);
    Array1<double> r(1, n - 2);
    // Row m: continuity of the first derivative at station m + 1.
    for (int m = 1; m <= n - 2; ++m) {
        for (int k = 1; k <= n - 2; ++k) {
            if (k == m) {
                matrix(m, k) = 2.0 * (h(m) + h(m + 1));
            } else if (k == m - 1) {
                matrix(m, k) = h(m);
            } else if (k == m + 1) {
                matrix(m, k) = h(m + 1);
            } else {
                matrix(m, k) = 0.0;
            }
        }
        r(m) = (a(m + 2) - a(m + 1)) * (3.0 / h(m + 1)) - (a(m + 1) - a(m)) * (3.0 / h(m));
    }
    for (int m = 1; m <= n - 2; ++m) {
        matrix(m, n - 1) = r(m);
    }
    return matrix;
}

void cubicspline(World& world, MessageSink& messages) {
    const int n = world.nstat;
    Array1<double> a(1, n);
    Array1<double> h(1, n - 1);
    Array1<double> b(1, n);
    Array1<double> c(1, n);
    Array1<double> d(1, n);
    Array1<double> x(1, n - 2);
    knots(world, a, h);

    const Array2<double> matrix = splinesystem(world);
    solvelin(world, messages, static_cast<std::int16_t>(n - 2), matrix, x, x);

    // Natural ends: no curvature at the first and last station.
    c(1) = 0.0;
    c(n) = c(1);
    for (int i = 2; i <= n - 1; ++i) {
        c(i) = x(i - 1);
    }
    for (int i = 1; i <= n - 1; ++i) {
        b(i) = (a(i + 1) - a(i)) * (1.0 / h(i)) - (2.0 * c(i) + c(i + 1)) * (h(i) / 3.0);
        d(i) = (1.0 / 3.0 / h(i)) * (c(i + 1) - c(i));
    }

    for (int p = kGridFirst; p <= kGridLast; ++p) {
        const auto xpos = static_cast<float>(p);

        // The interval starts at the last station at or left of p.
        int k = n - 1;
        for (int i = 1; i <= n; ++i) {
            if (world.statx(i) > xpos) {
                k = i - 1;
                break;
            }
        }
        if (k < 1) {
            k = 1;  // left of the first station: extend the first cubic
        }

        const double t = static_cast<double>(xpos) - world.statx(k);
        world.est(p) = static_cast<float>((std::pow(t, 2.0) * c(k) + (t * b(k) + a(k))) +
                                          std::pow(t, 3.0) * d(k));
    }
}

}  // namespace tour
