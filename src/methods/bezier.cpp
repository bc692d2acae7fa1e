#include "methods/bezier.hpp"

#include <cmath>

#include "display/scoring.hpp"

namespace tour {

namespace {

constexpr int kBinomialLast = 21;

}  // namespace

BezierCurve beziercurve(const World& world) {
    const int n = world.nstat;

    // binomial(k, m) = C(m, k), by Pascal's rule; entries never assigned
    // stay 0, so C(m, k) = 0 for k > m.
    Array2<double> binomial{0, kBinomialLast, 0, kBinomialLast};
    for (int m = 0; m <= n - 1; ++m) {
        binomial(0, m) = 1.0;
        binomial(1, m) = static_cast<double>(m);
    }
    for (int m = 2; m <= n - 1; ++m) {
        for (int k = 2; k <= m; ++k) {
            binomial(k, m) = binomial(k - 1, m - 1) + binomial(k, m - 1);
        }
    }

    // Curve points: Bernstein-weighted means of the stations.
    BezierCurve curve;
    for (int i = kGridFirst; i <= kGridLast; ++i) {
        const auto t = static_cast<float>(static_cast<double>(i) / 1000.0);
        curve.x(i) = 0.0;
        curve.y(i) = 0.0;
        for (int k = 0; k <= n - 1; ++k) {
            const double b = std::pow(1.0 - static_cast<double>(t), n - 1 - k);
            const double a = std::pow(static_cast<double>(t), k);
            const double c = binomial(k, n - 1);
            curve.x(i) = a * c * b * world.statx(k + 1) + curve.x(i);
            curve.y(i) = a * c * b * world.statv(k + 1) + curve.y(i);
        }
    }
    return curve;
}

void bezier(World& world, Picture& picture, std::int16_t stage) {
    const BezierCurve curve = beziercurve(world);

    // Drawing, with whatever pen width is current.
    picture.pset(static_cast<float>(curve.x(0)), static_cast<float>(curve.y(0)), kRed);
    for (int i = 1; i <= kGridLast; ++i) {
        picture.line(static_cast<float>(curve.x(i - 1)), static_cast<float>(curve.y(i - 1)),
                     static_cast<float>(curve.x(i)), static_cast<float>(curve.y(i)), kRed);
    }

    // Scoring, by calcerr's rule over the curve points.
    ErrorMeasure measure;
    for (int i = kGridFirst; i <= kGridLast; ++i) {
        const auto xi = static_cast<float>(curve.x(i));
        const float v = truth(world, xi);
        measure.add(static_cast<float>(curve.y(i) - v));
    }
    world.maxerr(stage) = measure.max();
    world.rmserr(stage) = measure.rms();
}

}  // namespace tour
