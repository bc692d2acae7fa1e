#include "methods/cressman.hpp"

#include <cmath>

#include "world/whole_number_memo.hpp"

namespace tour {

namespace {

// Radius guard: R grows to half the largest gap plus one.
void radius_guard(const World& world, float& R) {
    const int n = world.nstat;
    float gap = 0.0f;
    for (int j = 2; j <= n; ++j) {
        const auto g = static_cast<float>(static_cast<double>(world.statx(j)) - world.statx(j - 1));
        if (g > gap) {
            gap = g;
        }
    }
    const auto guard = static_cast<float>(static_cast<double>(gap) / 2.0 + 1.0);
    if (guard > R) {
        R = guard;
    }
}

// The Cressman weight of every station at xpos, into statw; returns their
// sum. A station exactly R away gets 0, one on xpos gets 1.
template <typename Weight>
float cressman_weights(World& world, float xpos, float R, Weight& weight) {
    const int n = world.nstat;
    float wsum = 0.0f;
    for (int j = 1; j <= n; ++j) {
        const auto d = static_cast<float>(std::fabs(static_cast<double>(world.statx(j)) - xpos));
        if (d > R) {
            world.statw(j) = 0.0f;
        } else {
            world.statw(j) = weight(d);
        }
        wsum = static_cast<float>(static_cast<double>(wsum) + world.statw(j));
    }
    return wsum;
}

// Normalise statw in place and sum the weighted station values.
float normalised_estimate(World& world, float wsum) {
    const int n = world.nstat;
    float estimate = 0.0f;
    for (int j = 1; j <= n; ++j) {
        world.statw(j) = world.statw(j) / wsum;
        estimate =
            static_cast<float>(static_cast<double>(world.statw(j)) * world.statv(j) + estimate);
    }
    return estimate;
}

// No station carries weight: the whole weight goes to the nearest station.
float nearest_station_estimate(World& world, float xpos) {
    const int n = world.nstat;
    const int k = neareststation(world, xpos);
    for (int j = 1; j <= n; ++j) {
        world.statw(j) = 0.0f;
    }
    world.statw(k) = 1.0f;
    return world.statv(k);
}

}  // namespace

void cressman(World& world, float& R, float E) {
    radius_guard(world, R);
    // ((R^2 - d^2) / (R^2 + d^2)) ^ E as a Single, for a station d <= R away.
    const double rr = static_cast<double>(R) * R;
    auto weight = memo_by_distance<float>([=](double d) {
        const double dd = d * d;
        return static_cast<float>(std::pow((rr - dd) / (rr + dd), static_cast<double>(E)));
    });
    for (int x = 1; x <= kGridLast; ++x) {
        const auto xpos = static_cast<float>(x);
        const float wsum = cressman_weights(world, xpos, R, weight);
        world.est(x) =
            wsum > 0.0f ? normalised_estimate(world, wsum) : nearest_station_estimate(world, xpos);
    }
}

}  // namespace tour
