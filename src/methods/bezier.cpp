#include "methods/bezier.hpp"

#include <cmath>
#include <vector>

#include "display/scoring.hpp"

namespace tour {

namespace {

constexpr int kBinomialLast = 21;

// The powers t ^ k and (1 - t) ^ k of the curve's parameters t = i / 1000
// (each a Single) for k = 0..21: every curve of up to 22 control points
// takes the same ones, so they are computed once, by the same pow.
class BernsteinPowers {
  public:
    BernsteinPowers() {
        for (int i = kGridFirst; i <= kGridLast; ++i) {
            const double t = parameter(i);
            for (int k = 0; k <= kBinomialLast; ++k) {
                t_power_.push_back(std::pow(t, k));
                rest_power_.push_back(std::pow(1.0 - t, k));
            }
        }
    }

    static double parameter(int i) { return static_cast<float>(static_cast<double>(i) / 1000.0); }

    // t ^ k and (1 - t) ^ k for the parameter of point i.
    double t_power(int i, int k) const {
        return k <= kBinomialLast ? t_power_[slot(i, k)] : std::pow(parameter(i), k);
    }
    double rest_power(int i, int k) const {
        return k <= kBinomialLast ? rest_power_[slot(i, k)] : std::pow(1.0 - parameter(i), k);
    }

  private:
    static std::size_t slot(int i, int k) {
        return static_cast<std::size_t>(i - kGridFirst) * (kBinomialLast + 1) +
               static_cast<std::size_t>(k);
    }

    std::vector<double> t_power_;
    std::vector<double> rest_power_;
};

const BernsteinPowers& bernstein_powers() {
    static const BernsteinPowers powers;
    return powers;
}

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
    const BernsteinPowers& powers = bernstein_powers();
    BezierCurve curve;
    for (int i = kGridFirst; i <= kGridLast; ++i) {
        curve.x(i) = 0.0;
        curve.y(i) = 0.0;
        for (int k = 0; k <= n - 1; ++k) {
            const double b = powers.rest_power(i, n - 1 - k);
            const double a = powers.t_power(i, k);
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
