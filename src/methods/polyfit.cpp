#include "methods/polyfit.hpp"

#include <array>

#include "world/runtime_error.hpp"

namespace tour {

void polyfit(World& world) {
    const int n = world.nstat;
    if (n < 0 || n > kMaxStations) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    // The station positions and values as doubles, read once.
    std::array<double, kMaxStations + 1> sx{};
    std::array<double, kMaxStations + 1> sv{};
    for (int k = 1; k <= n; ++k) {
        sx[static_cast<std::size_t>(k)] = world.statx(k);
        sv[static_cast<std::size_t>(k)] = world.statv(k);
    }

    for (int x = kGridFirst; x <= kGridLast; ++x) {
        const auto xpos = static_cast<float>(x);

        // Each Lagrange basis value L(j) takes, for k = 1..n without j in
        // increasing order, L = ((x - statx(k)) x L) / (statx(j) - statx(k)).
        // The n products are built side by side, k by k, each with its own
        // steps in its own order.
        std::array<double, kMaxStations + 1> lagrange;
        lagrange.fill(1.0);
        for (int k = 1; k <= n; ++k) {
            const auto kk = static_cast<std::size_t>(k);
            const double numerator = static_cast<double>(xpos) - sx[kk];
            for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j) {
                if (j != kk) {
                    lagrange[j] = (numerator * lagrange[j]) / (sx[j] - sx[kk]);
                }
            }
        }

        double sum = 0.0;
        for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j) {
            sum = sv[j] * lagrange[j] + sum;
        }
        world.est(x) = static_cast<float>(sum);
    }
}

}  // namespace tour
