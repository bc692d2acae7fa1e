#include "geostat/variogram.hpp"

#include <cmath>

namespace tour {

void fitvariogram(World& world, float R, float E) {
    const int n = world.nstat;
    Array2<float> w(1, kMaxStations, 1, kMaxStations);
    const double rr = static_cast<double>(R) * R;

    for (int h = kGridFirst; h <= kGridLast; ++h) {
        const auto lag = static_cast<float>(h);

        float sumw = 0.0f;
        for (int i = 1; i <= n; ++i) {
            for (int j = i; j <= n; ++j) {
                const float d = std::fabs(world.pairdist(i, j) - lag);
                if (d > R) {
                    w(i, j) = 0.0f;
                } else {
                    const double dd = static_cast<double>(d) * d;
                    w(i, j) = static_cast<float>(std::pow((rr - dd) / (rr + dd), E));
                }
                sumw = static_cast<float>(static_cast<double>(sumw) + w(i, j));
            }
        }

        float acc = 0.0f;
        for (int i = 1; i <= n; ++i) {
            for (int j = i; j <= n; ++j) {
                w(i, j) = static_cast<float>(static_cast<double>(w(i, j)) / sumw);
                acc = static_cast<float>(static_cast<double>(world.pairsq(i, j)) * w(i, j) + acc);
            }
        }
        world.vgmodel(h) = acc;
    }
}

void linvariogram(World& world) {
    const int n = world.nstat;
    double m = 0.0;
    for (int i = 1; i <= n; ++i) {
        for (int j = i; j <= n; ++j) {
            if (static_cast<float>(m) < world.pairsq(i, j)) {
                m = world.pairsq(i, j);
            }
        }
    }

    for (int h = kGridFirst; h <= kGridLast; ++h) {
        if (h < 500) {
            world.vgmodel(h) = static_cast<float>(9.0 / 10.0 * m * h / 500.0 + m / 10.0);
        } else {
            world.vgmodel(h) = static_cast<float>(m);
        }
    }
}

void drawvariogram(const World& world, Picture& picture) {
    for (int h = kGridFirst; h <= kGridLast; ++h) {
        picture.pset(static_cast<float>(h), world.vgmodel(h), kRed);
    }
}

}  // namespace tour
