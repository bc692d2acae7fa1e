// Ordinary kriging with the two variogram models.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "geostat/kriging.hpp"
#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"
#include "geostat_support.hpp"

namespace tour {
namespace {

using testing::MessageLog;
using testing::scenario_world;

enum class Model { best_fit, linear };

// A kriging stage: the model from the pair table, then the estimate.
World krige(World world, Model model, MessageLog& log) {
    semivariogram(world);
    model == Model::best_fit ? fitvariogram(world, 200.0f, 4.0f) : linvariogram(world);
    kriging(world, log);
    return world;
}

World krige(std::int16_t scenario, Model model) {
    MessageLog log;
    World world = krige(scenario_world(scenario), model, log);
    EXPECT_TRUE(log.messages.empty());
    return world;
}

TEST(Kriging, ReferenceValues) {
    const World one = krige(1, Model::best_fit);
    EXPECT_NEAR(one.est(375), 0.3548, 5e-5);
    EXPECT_NEAR(one.est(275), 0.0202, 5e-5);
    EXPECT_NEAR(krige(1, Model::linear).est(375), 0.3729, 5e-5);
    const World two = krige(2, Model::linear);
    EXPECT_NEAR(two.est(250), 0.75, 5e-5);
    EXPECT_NEAR(two.est(375), 0.875, 5e-5);
    EXPECT_NEAR(krige(2, Model::best_fit).est(25), -0.2706, 5e-5);
}

class KrigingStage : public ::testing::TestWithParam<std::tuple<std::int16_t, Model>> {};

TEST_P(KrigingStage, ReproducesTheStationsWithoutAnyMessage) {
    const auto [scenario, model] = GetParam();
    const World world = krige(scenario, model);  // checks for messages
    for (int j = 1; j <= world.nstat; ++j) {
        EXPECT_NEAR(world.est(static_cast<int>(world.statx(j))), world.statv(j), 2e-6) << j;
    }
    // The weights of the last position, at the last station: all on it.
    for (int j = 1; j <= world.nstat; ++j) {
        EXPECT_NEAR(world.statw(j), j == world.nstat ? 1.0f : 0.0f, 1e-6) << j;
    }
}

TEST_P(KrigingStage, RenormalisedWeightsSumToOne) {
    // Equal station values come back unchanged at every position.
    const auto [scenario, model] = GetParam();
    World world = scenario_world(scenario);
    for (int j = 1; j <= world.nstat; ++j) {
        world.statv(j) = 0.625f;
    }
    MessageLog log;
    world = krige(world, model, log);
    for (int p = 0; p <= 1000; ++p) {
        ASSERT_NEAR(world.est(p), 0.625f, 2e-6) << p;
    }
}

TEST_P(KrigingStage, TwoHalvesSideBySideGiveTheBitsOfOneRun) {
    const auto [scenario, model] = GetParam();
    World world = scenario_world(scenario);
    semivariogram(world);
    model == Model::best_fit ? fitvariogram(world, 200.0f, 4.0f) : linvariogram(world);
    World one = world;
    World two = world;
    MessageLog log;
    kriging(one, log, KrigingThreads::one);
    kriging(two, log, KrigingThreads::two);
    for (int p = 0; p <= 1000; ++p) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(one.est(p)),
                  std::bit_cast<std::uint32_t>(two.est(p)))
            << p;
    }
    for (int k = 1; k <= 21; ++k) {
        ASSERT_EQ(one.statw(k), two.statw(k)) << k;
    }
    EXPECT_TRUE(log.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(AllStages, KrigingStage,
                         ::testing::Combine(::testing::Values(1, 2, 3),
                                            ::testing::Values(Model::best_fit, Model::linear)));

TEST(Kriging, SingularSystemKeepsTheOldWeightsOrFallsBackOnTheNearestStation) {
    World world = scenario_world(1);
    for (int h = 0; h <= 1000; ++h) {
        world.vgmodel(h) = 0.0f;  // makes the kriging matrix singular
    }
    MessageLog log;
    kriging(world, log);  // statw all zero: no weights to renormalise
    ASSERT_EQ(log.messages.size(), 1001u);
    EXPECT_EQ(log.messages.back(), "Matrix has no unique solution");
    for (int p = 0; p <= 1000; ++p) {
        ASSERT_EQ(world.est(p), world.statv(neareststation(world, static_cast<float>(p)))) << p;
    }

    world.statw(10) = 0.5f;  // weights an earlier method left
    world.statw(11) = 1.5f;
    kriging(world, log);
    const auto expected = static_cast<float>(1.5 * world.statv(11) / 2.0 +
                                             static_cast<float>(0.5 * world.statv(10) / 2.0));
    for (int p = 0; p <= 1000; ++p) {
        ASSERT_EQ(world.est(p), expected) << p;
    }
}

TEST(Kriging, LagsRoundHalvesToEvenAndMustLieInTheTable) {
    World world = scenario_world(1);
    MessageLog log;
    world.statx(1) = -0.5f;  // 1000.5 from the last station: lag 1000, not 1001
    world = krige(world, Model::linear, log);
    EXPECT_TRUE(log.messages.empty());
    world.statx(1) = -1.0f;
    EXPECT_THROW(kriging(world, log), RuntimeError);
    // Only positions of the second half reach lag 1001 here: the error comes
    // from the second thread and is thrown all the same.
    world.statx(21) = 999.0f;  // every pair within 1000; position 1000 is 1001 from station 1
    EXPECT_THROW(kriging(world, log, KrigingThreads::two), RuntimeError);
    EXPECT_THROW(kriging(world, log, KrigingThreads::one), RuntimeError);
}

TEST(Kriging, MessagesOfBothHalvesComeInPositionOrder) {
    World world = scenario_world(2);
    for (int h = 0; h <= 1000; ++h) {
        world.vgmodel(h) = 0.0f;
    }
    world.statw(1) = 0.25f;
    world.statw(2) = 0.75f;
    World one = world;
    MessageLog log_one;
    MessageLog log_two;
    kriging(one, log_one, KrigingThreads::one);
    kriging(world, log_two, KrigingThreads::two);
    EXPECT_EQ(log_two.messages, log_one.messages);
    EXPECT_EQ(log_two.messages.size(), 1001u);
    for (int p = 0; p <= 1000; ++p) {
        ASSERT_EQ(world.est(p), one.est(p)) << p;
    }
}

// Kriging of the same world afresh and with the factored elimination.
struct TwoWays {
    World afresh;
    World factored;
    MessageLog afresh_log;
    MessageLog factored_log;
    Array1<double> afresh_variance{0, 1000};
    Array1<double> factored_variance{0, 1000};
};

void krige_both(const World& world, TwoWays& two) {
    two.afresh = world;
    two.factored = world;
    kriging(two.afresh, two.afresh_log, KrigingThreads::one, &two.afresh_variance);
    kriging(two.factored, two.factored_log, KrigingThreads::one, &two.factored_variance,
            KrigingSolve::factored);
}

void expect_same_bits(const TwoWays& two, const std::string& what) {
    ASSERT_EQ(two.factored_log.messages, two.afresh_log.messages) << what;
    for (int p = 0; p <= 1000; ++p) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(two.factored.est(p)),
                  std::bit_cast<std::uint32_t>(two.afresh.est(p)))
            << what << " p " << p;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(two.factored_variance(p)),
                  std::bit_cast<std::uint64_t>(two.afresh_variance(p)))
            << what << " p " << p;
    }
    for (int k = 1; k <= 21; ++k) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(two.factored.statw(k)),
                  std::bit_cast<std::uint32_t>(two.afresh.statw(k)))
            << what << " k " << k;
    }
}

TEST(Kriging, OneEliminationForEveryPositionGivesTheBitsOfFreshSolves) {
    // Random layouts of 3 to 21 stations on both fields and both models,
    // and singular systems, with and without weights left from before.
    std::uint64_t state = 12345;
    const auto below = [&](int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(n));
    };
    int compared = 0;
    for (int layout = 0; layout < 60; ++layout) {
        World world;
        world.scenario = below(2) == 0 ? 1 : 3;
        world.nstat = static_cast<std::int16_t>(3 + below(19));
        std::vector<int> xs{0, 1000};
        while (static_cast<int>(xs.size()) < world.nstat) {
            const int x = 1 + below(999);
            if (std::find(xs.begin(), xs.end(), x) == xs.end()) {
                xs.push_back(x);
            }
        }
        std::sort(xs.begin(), xs.end());
        for (int k = 1; k <= world.nstat; ++k) {
            world.statx(k) = static_cast<float>(xs[static_cast<std::size_t>(k - 1)]);
            world.statv(k) = truth(world, world.statx(k));
        }
        semivariogram(world);
        linvariogram(world);  // a best fit can fault on sparse layouts
        TwoWays two;
        krige_both(world, two);
        expect_same_bits(two, "layout " + std::to_string(layout) + " linear");
        // A model that is 0 at lag 0 puts zeros on the diagonal: the
        // elimination then exchanges rows.
        for (int h = 0; h <= 1000; ++h) {
            world.vgmodel(h) = static_cast<float>(h) / 1000.0f;
        }
        krige_both(world, two);
        expect_same_bits(two, "layout " + std::to_string(layout) + " from zero");
        compared += 2;
    }
    for (const std::int16_t scenario : {1, 2, 3}) {
        World world = scenario_world(scenario);
        semivariogram(world);
        fitvariogram(world, 200.0f, 4.0f);
        TwoWays two;
        krige_both(world, two);
        expect_same_bits(two, "scenario " + std::to_string(scenario) + " best fit");
        for (int h = 0; h <= 1000; ++h) {
            world.vgmodel(h) = 0.0f;  // singular
        }
        world.statw(3) = 0.25f;
        krige_both(world, two);
        EXPECT_EQ(two.factored_log.messages.size(), 1001u);
        expect_same_bits(two, "scenario " + std::to_string(scenario) + " singular");
        compared += 2;
    }
    EXPECT_EQ(compared, 126);
}

}  // namespace
}  // namespace tour
