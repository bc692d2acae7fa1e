#include "geostat/variogram.hpp"

#include <cmath>
#include <vector>

#include "world/whole_number_memo.hpp"

namespace tour {

void fitvariogram(World& world, float R, float E) {
    const int n = world.nstat;
    // The pairs i <= j in the order the sums take them, read once.
    std::vector<float> pairdist;
    std::vector<float> pairsq;
    for (int i = 1; i <= n; ++i) {
        for (int j = i; j <= n; ++j) {
            pairdist.push_back(world.pairdist(i, j));
            pairsq.push_back(world.pairsq(i, j));
        }
    }
    std::vector<float> w(pairdist.size());

    // The Cressman weight of a pair d lags away, as a Single.
    const double rr = static_cast<double>(R) * R;
    auto weight = memo_by_distance<float>([=](double d) {
        const double dd = d * d;
        return static_cast<float>(std::pow((rr - dd) / (rr + dd), E));
    });

    // A pair with weight 0 adds exactly 0 to both sums when the weights'
    // sum is finite and above 0 and the squares are finite: both sums then
    // run over the weighted pairs alone, in the same order. Otherwise the
    // second takes every pair, so 0 / 0 and the like come out as they do.
    bool finite_squares = true;
    for (const float sq : pairsq) {
        finite_squares = finite_squares && std::isfinite(sq);
    }
    std::vector<std::size_t> weighted;
    weighted.reserve(w.size());

    for (int h = kGridFirst; h <= kGridLast; ++h) {
        const auto lag = static_cast<float>(h);

        float sumw = 0.0f;
        weighted.clear();
        for (std::size_t pair = 0; pair < w.size(); ++pair) {
            const float d = std::fabs(pairdist[pair] - lag);
            w[pair] = d > R ? 0.0f : weight(d);
            // No weight is below 0, so none is -0 and neither is the sum:
            // adding a weight of 0 would leave it as it is.
            if (w[pair] != 0.0f) {
                sumw = static_cast<float>(static_cast<double>(sumw) + w[pair]);
                weighted.push_back(pair);
            }
        }

        float acc = 0.0f;
        const auto add = [&](std::size_t pair) {
            w[pair] = static_cast<float>(static_cast<double>(w[pair]) / sumw);
            acc = static_cast<float>(static_cast<double>(pairsq[pair]) * w[pair] + acc);
        };
        if (finite_squares && std::isfinite(sumw) && sumw > 0.0f) {
            for (const std::size_t pair : weighted) {
                add(pair);
            }
        } else {
            for (std::size_t pair = 0; pair < w.size(); ++pair) {
                add(pair);
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
