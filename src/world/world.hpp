// The one-dimensional world of the tour: 1000 units long, one climate
// variable whose true field is known, observed exactly at a set of stations.
// World holds the window-level data that the stages hand on to each other.
#pragma once

#include <cstdint>

#include "world/checked_array.hpp"

namespace tour {

inline constexpr int kGridFirst = 0;
inline constexpr int kGridLast = 1000;
inline constexpr int kMaxStations = 21;
inline constexpr int kLastTableStage = 40;

struct World {
    std::int16_t scenario = 1;  // 1..3 while touring, 4 after the closing text
    std::int16_t nstat = 21;    // stations in use: 21, or 12 in scenario 2

    Array1<float> statx{1, kMaxStations};  // station positions
    Array1<float> statv{1, kMaxStations};  // observed values
    Array1<float> est{kGridFirst, kGridLast};

    // Work data that several methods share.
    Array1<float> statw{1, kMaxStations};
    Array1<double> combw{1, kMaxStations};
    float radius = 0.0f;
    Array2<float> pairdist{1, kMaxStations, 1, kMaxStations};
    Array2<float> pairsq{1, kMaxStations, 1, kMaxStations};
    Array1<float> vgmodel{kGridFirst, kGridLast};

    // Error measures of the estimate shown at each stage.
    Array1<float> rmserr{0, kLastTableStage};
    Array1<float> maxerr{0, kLastTableStage};
};

// The true field of the given scenario at position x.
float truth(std::int16_t scenario, float x);
inline float truth(const World& world, float x) {
    return truth(world.scenario, x);
}

// Lays out the stations of world.scenario (nstat must be set) and samples the
// true field at them. Any other scenario leaves the stations unchanged.
void setstations(World& world);

// 1-based index of the station nearest to x; the lower index wins a tie.
// 0 when there is no station.
std::int16_t neareststation(const World& world, float x);

}  // namespace tour
