#include "methods/weighted_averages.hpp"

#include <cmath>

#include "world/whole_number_memo.hpp"

namespace tour {

namespace {

float distance(const World& world, int j, float p) {
    return static_cast<float>(std::fabs(static_cast<double>(world.statx(j)) - p));
}

// est(x) = sum of statv(j) * w(j) in increasing j, each partial sum rounded to float.
template <typename Weight>
void weighted_sum(World& world, int x, const Array1<Weight>& w) {
    const int n = world.nstat;
    world.est(x) = 0.0f;
    for (int j = 1; j <= n; ++j) {
        world.est(x) =
            static_cast<float>(static_cast<double>(world.statv(j)) * w(j) + world.est(x));
    }
}

}  // namespace

void gaussave(World& world, float s) {
    const int n = world.nstat;
    const auto scale = static_cast<double>(s);
    auto gaussian =
        memo_by_distance<double>([=](double d) { return std::exp(((-d) * d / scale) / scale); });
    Array1<double> w(1, kMaxStations);
    for (int x = 1; x <= kGridLast; ++x) {
        const auto p = static_cast<float>(x);
        double wsum = 0.0;
        for (int j = 1; j <= n; ++j) {
            const double d = distance(world, j, p);
            w(j) = gaussian(d);
            wsum = wsum + w(j);
        }
        for (int j = 1; j <= n; ++j) {
            w(j) = w(j) / wsum;
        }
        weighted_sum(world, x, w);
    }
}

void expave(World& world, float s) {
    const int n = world.nstat;
    auto exponential = memo_by_distance<float>(
        [=](double d) { return static_cast<float>(std::exp(-d / static_cast<double>(s))); });
    Array1<float> w(1, kMaxStations);
    for (int x = 1; x <= kGridLast; ++x) {
        const auto p = static_cast<float>(x);
        float wsum = 0.0f;
        for (int j = 1; j <= n; ++j) {
            const float d = distance(world, j, p);
            w(j) = exponential(d);
            wsum = static_cast<float>(static_cast<double>(wsum) + w(j));
        }
        for (int j = 1; j <= n; ++j) {
            w(j) = w(j) / wsum;
        }
        weighted_sum(world, x, w);
    }
}

}  // namespace tour
