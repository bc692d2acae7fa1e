// The semivariogram cloud and the two variogram models.
#include <gtest/gtest.h>

#include <map>

#include "display/plot.hpp"
#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"
#include "geostat_support.hpp"

namespace tour {
namespace {

using testing::scenario_world;

World with_pairs(std::int16_t scenario) {
    World world = scenario_world(scenario);
    semivariogram(world);
    return world;
}

TEST(Semivariogram, EquidistantStationsGiveEveryMultipleOfFifty) {
    const World world = with_pairs(1);
    std::map<float, int> pairs_at;
    for (int i = 1; i <= 21; ++i) {
        for (int j = i; j <= 21; ++j) {
            EXPECT_EQ(world.pairdist(i, j), 50.0f * static_cast<float>(j - i));
            const double diff = static_cast<double>(world.statv(j)) - world.statv(i);
            EXPECT_EQ(world.pairsq(i, j), static_cast<float>(diff * diff));
            ++pairs_at[world.pairdist(i, j)];
        }
    }
    ASSERT_EQ(pairs_at.size(), 21u);
    for (int k = 0; k <= 20; ++k) {
        EXPECT_EQ(pairs_at[50.0f * static_cast<float>(k)], 21 - k) << k;
    }
    EXPECT_EQ(world.pairsq(1, 11), 1.0f);  // the full squared difference
}

TEST(Semivariogram, TwelveStationsAndARepeatedRun) {
    World world = with_pairs(2);
    for (int j = 2; j <= 12; ++j) {
        EXPECT_EQ(world.pairdist(1, j), 500.0f + 50.0f * static_cast<float>(j - 2));
        EXPECT_EQ(world.pairdist(2, j), 50.0f * static_cast<float>(j - 2));
    }
    EXPECT_EQ(world.pairdist(2, 12), 500.0f);
    world.pairdist(13, 13) = -1.0f;  // beyond nstat: left alone
    world.pairdist(3, 2) = -1.0f;    // below the diagonal: left alone
    const World first = world;
    semivariogram(world);
    for (int i = 1; i <= kMaxStations; ++i) {
        for (int j = 1; j <= kMaxStations; ++j) {
            EXPECT_EQ(world.pairdist(i, j), first.pairdist(i, j));
            EXPECT_EQ(world.pairsq(i, j), first.pairsq(i, j));
        }
    }
}

TEST(Drawing, CloudErasesThePlotAndTheModelGoesOverIt) {
    for (std::int16_t scenario : {1, 2}) {
        World world = with_pairs(scenario);
        linvariogram(world);
        Picture picture;
        clearplot(picture);
        drawsemivar(world, picture);
        drawvariogram(world, picture);

        const std::size_t pairs = scenario == 1 ? 231 : 78;
        const auto& items = picture.items();
        ASSERT_EQ(items.size(), pairs + 1001);
        EXPECT_EQ(items[0], (Primitive{Primitive::Kind::dot, 0, 0, 0, 0, kPlotForeground, 3}));
        EXPECT_EQ(items[pairs - 1].x1, 0.0f);  // the last pair is (n, n)
        EXPECT_EQ(items[scenario == 1 ? 20 : 11].x1, 1000.0f);
        EXPECT_EQ(items[pairs + 250], (Primitive{Primitive::Kind::dot, 250, world.vgmodel(250), 250,
                                                 world.vgmodel(250), kRed, 3}));
        EXPECT_EQ(items.back().x1, 1000.0f);
    }
}

TEST(Linvariogram, RisesFromATenthOfTheLargestPairToItAtLag500) {
    World world;
    world.nstat = 3;
    world.pairsq(1, 2) = 0.5f;
    world.pairsq(1, 3) = 0.8f;
    world.pairsq(3, 1) = 5.0f;  // below the diagonal: never read
    world.pairsq(4, 4) = 9.0f;  // beyond nstat: never read
    linvariogram(world);
    EXPECT_NEAR(world.vgmodel(0), 0.08, 1e-7);
    EXPECT_NEAR(world.vgmodel(250), 0.44, 1e-7);
    EXPECT_NEAR(world.vgmodel(499), 0.79856, 1e-7);
    EXPECT_EQ(world.vgmodel(500), 0.8f);
    EXPECT_EQ(world.vgmodel(1000), 0.8f);

    for (std::int16_t scenario : {1, 2, 3}) {
        world = with_pairs(scenario);
        linvariogram(world);
        EXPECT_NEAR(world.vgmodel(0), 0.1, 1e-7);
        EXPECT_NEAR(world.vgmodel(250), 0.55, 1e-7);
        EXPECT_NEAR(world.vgmodel(499), 0.9982, 1e-7);
        for (int h = 500; h <= 1000; ++h) {
            ASSERT_EQ(world.vgmodel(h), 1.0f) << scenario << ": " << h;
        }
    }
}

TEST(Fitvariogram, BestFitReferenceValues) {
    World one = with_pairs(1);
    fitvariogram(one, 200.0f, 4.0f);
    EXPECT_NEAR(one.vgmodel(0), 0.0157, 5e-5);
    EXPECT_NEAR(one.vgmodel(100), 0.1020, 5e-5);
    EXPECT_NEAR(one.vgmodel(200), 0.2651, 5e-5);
    EXPECT_NEAR(one.vgmodel(300), 0.3915, 5e-5);
    EXPECT_NEAR(one.vgmodel(500), 0.3537, 5e-5);
    EXPECT_EQ(one.vgmodel(1000), 0.0f);

    World two = with_pairs(2);
    fitvariogram(two, 200.0f, 4.0f);
    EXPECT_NEAR(two.vgmodel(0), 0.0145, 5e-5);
    EXPECT_NEAR(two.vgmodel(500), 0.8687, 5e-5);
}

}  // namespace
}  // namespace tour
