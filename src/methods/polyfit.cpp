#include "methods/polyfit.hpp"

namespace tour {

void polyfit(World& world) {
    const int n = world.nstat;
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        const auto xpos = static_cast<float>(x);
        double sum = 0.0;
        for (int j = 1; j <= n; ++j) {
            double lagrange = 1.0;
            for (int k = 1; k <= n; ++k) {
                if (k == j) {
                    continue;
                }
                // ((x - statx(k)) x L) / (statx(j) - statx(k)), in this order.
                const double numerator = static_cast<double>(xpos) - world.statx(k);
                const double denominator = static_cast<double>(world.statx(j)) - world.statx(k);
                lagrange = (numerator * lagrange) / denominator;
            }
            sum = static_cast<double>(world.statv(j)) * lagrange + sum;
        }
        world.est(x) = static_cast<float>(sum);
    }
}

}  // namespace tour
