// Kriging's variance and the band drawn from it: zero at every station,
// equal elsewhere to a plain double-precision solve of the same system, and
// a band with gaps (and a note that says why) where a fitted model that is no
// valid variogram makes the variance negative.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "explore/evaluate.hpp"
#include "explore/scene.hpp"
#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"

namespace tour::explore {
namespace {

constexpr int kBestFitEntry = 28;
constexpr int kLinearEntry = 29;

const Layout kIrregular{Field::bump, {0, 120, 260, 380, 500, 610, 730, 1000}};

std::vector<Layout> layouts() {
    return {preset_layout(1),
            preset_layout(2),
            preset_layout(3),
            kIrregular,
            {Field::plateau, {0, 37, 402, 409, 655, 990, 1000}},
            {Field::bump, {0, 300, 450, 480, 530, 700, 1000}},
            {Field::plateau, {0, 90, 260, 333, 610, 640, 820, 1000}}};
}

std::vector<double> variance_of(const Layout& layout, int entry) {
    const Evaluation e = evaluate(layout, tour_method(entry), Wanted{true, true});
    EXPECT_TRUE(e.ran()) << e.fault;
    return e.variance;
}

// The kriging variance at x, from the model the method derives, by Gaussian
// elimination with partial pivoting: weights w and multiplier mu solve
// sum_j w_j g(x_i - x_j) + mu = g(x_i - x), sum_j w_j = 1, and the variance
// of the model g - g(0) is sum_j w_j g(x_j - x) + mu - g(0).
std::vector<double> plain_variance(const Layout& layout, int entry) {
    World world = layout_world(layout);
    semivariogram(world);
    if (entry == kBestFitEntry) {
        fitvariogram(world, 200.0f, 4.0f);
    } else {
        linvariogram(world);
    }
    const auto g = [&](double distance) {
        return static_cast<double>(world.vgmodel(static_cast<int>(std::nearbyint(distance))));
    };
    const auto& s = layout.stations;
    const std::size_t n = s.size();
    std::vector<double> variance;
    for (int x = 0; x <= 1000; ++x) {
        std::vector<std::vector<double>> a(n + 1, std::vector<double>(n + 2, 1.0));
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                a[i][j] = g(std::fabs(s[i] - s[j]));
            }
            a[i][n + 1] = g(std::fabs(s[i] - x));
        }
        a[n][n] = 0.0;
        for (std::size_t k = 0; k <= n; ++k) {
            std::size_t pivot = k;
            for (std::size_t r = k + 1; r <= n; ++r) {
                if (std::fabs(a[r][k]) > std::fabs(a[pivot][k])) {
                    pivot = r;
                }
            }
            std::swap(a[k], a[pivot]);
            for (std::size_t r = 0; r <= n; ++r) {
                if (r != k) {
                    const double f = a[r][k] / a[k][k];
                    for (std::size_t c = k; c <= n + 1; ++c) {
                        a[r][c] -= f * a[k][c];
                    }
                }
            }
        }
        double sum = a[n][n + 1] / a[n][n];  // the multiplier
        for (std::size_t j = 0; j < n; ++j) {
            sum += a[j][n + 1] / a[j][j] * g(std::fabs(s[j] - x));
        }
        variance.push_back(sum - world.vgmodel(0));
    }
    return variance;
}

TEST(KrigingVariance, IsZeroAtEveryStation) {
    for (const Layout& layout : layouts()) {
        for (const int entry : {kBestFitEntry, kLinearEntry}) {
            const std::vector<double> v = variance_of(layout, entry);
            ASSERT_EQ(v.size(), 1001u);
            for (const int station : layout.stations) {
                EXPECT_LE(std::fabs(v[static_cast<std::size_t>(station)]), 1e-12)
                    << "entry " << entry << " station " << station;
            }
        }
    }
}

TEST(KrigingVariance, EqualsAPlainSolveOfTheSameSystem) {
    for (const Layout& layout : layouts()) {
        for (const int entry : {kBestFitEntry, kLinearEntry}) {
            const std::vector<double> v = variance_of(layout, entry);
            const std::vector<double> plain = plain_variance(layout, entry);
            for (std::size_t x = 0; x < v.size(); ++x) {
                // The solver takes the first non-zero pivot, not the largest:
                // agreement to about 8 digits.
                ASSERT_NEAR(v[x], plain[x], 1e-7 * (1.0 + std::fabs(plain[x])))
                    << "entry " << entry << " x " << x;
            }
        }
    }
}

TEST(KrigingVariance, GivesTheBandMeasuredOnAnIrregularLayout) {
    // Two standard deviations of the linear model's kriging.
    const std::vector<double> linear = variance_of(kIrregular, kLinearEntry);
    EXPECT_EQ(*two_sigma(linear[500]), 0.0);
    EXPECT_NEAR(*two_sigma(linear[494]), 0.2865, 5e-5);
    EXPECT_NEAR(*two_sigma(linear[560]), 0.6267, 5e-5);
    EXPECT_NEAR(*two_sigma(linear[850]), 0.9083, 5e-5);
    // The best fit through the cloud is no valid variogram.
    const std::vector<double> fitted = variance_of(kIrregular, kBestFitEntry);
    int negative = 0;
    double least = 0.0;
    for (const double v : fitted) {
        negative += v < -kVarianceRounding;
        least = std::min(least, v);
    }
    EXPECT_EQ(negative, 88);
    EXPECT_NEAR(least, -0.267, 5e-4);
}

TEST(KrigingBand, LeavesOutNegativeVariancesAndSaysWhereOnce) {
    explore::Setup setup = default_setup();
    setup.layout = kIrregular;
    setup.method = tour_method(kBestFitEntry);
    setup.compare = tour_method(kLinearEntry);
    const ScoreTable table = score_table(setup);
    const Scene scene = build_scene(setup, table, {});
    const std::vector<double> fitted = variance_of(kIrregular, kBestFitEntry);

    std::size_t banded = 0;
    for (const Band& band : scene.bands) {
        ASSERT_EQ(band.upper.size(), band.lower.size());
        for (std::size_t i = 0; i < band.upper.size(); ++i) {
            EXPECT_GE(band.upper[i].y, band.lower[i].y);
        }
        banded += band.upper.size();
    }
    // The linear model's band covers every position, the fitted one's all
    // but the 88.
    EXPECT_EQ(banded, 1001u + 1001u - 88u);
    EXPECT_GT(scene.bands.size(), 2u);  // the fitted band is in pieces
    ASSERT_EQ(scene.notes.size(), 1u);
    EXPECT_EQ(scene.notes[0],
              "The fitted model of Kriging (Best Fit) is no valid variogram: the kriging variance "
              "is negative at 88 positions, where no band is drawn.");

    // The readout gives the chosen method's variance as it is, negative or not.
    const auto at850 = readout_at(setup, table, 850.0);
    ASSERT_TRUE(at850 && at850->variance);
    EXPECT_EQ(*at850->variance, fitted[850]);
    EXPECT_LT(*at850->variance, 0.0);
    EXPECT_FALSE(two_sigma(*at850->variance));
}

}  // namespace
}  // namespace tour::explore
