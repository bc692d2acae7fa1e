// What the drawing steps record: colours, pen widths and coordinates.
#include <gtest/gtest.h>

#include "support/worlds.hpp"

#include <algorithm>
#include <cmath>

#include "display/plot.hpp"

namespace tour {
namespace {

using testing::scenario_world;

using Kind = Primitive::Kind;

TEST(Clearplot, SetsPenWidthThreeAndDrawsTheZeroLine) {
    Picture picture;
    clearplot(picture);
    EXPECT_EQ(picture.draw_width(), 3);
    ASSERT_EQ(picture.items().size(), 1u);
    EXPECT_EQ(picture.items()[0], (Primitive{Kind::segment, 0, 0, 1000, 0, kBlack, 3}));
}

TEST(Drawtruth, ThousandGreenSegmentsWithTheJumpAsOneSteepSegment) {
    const World world = scenario_world(3);
    Picture picture;
    picture.set_draw_width(3);
    drawtruth(world, picture);
    const auto& items = picture.items();
    ASSERT_EQ(items.size(), 1000u);
    EXPECT_TRUE(std::all_of(items.begin(), items.end(), [](const Primitive& p) {
        return p.kind == Kind::segment && p.colour == kGreen && p.width == 3;
    }));
    EXPECT_EQ(items[0], (Primitive{Kind::segment, 0, 0, 1, 0, kGreen, 3}));
    EXPECT_EQ(items[224], (Primitive{Kind::segment, 224, 0, 225, 0.7f, kGreen, 3}));
    EXPECT_EQ(items[999].x2, 1000.0f);
    EXPECT_EQ(items[999].y2, 1.0f);
}

TEST(Drawstations, BlackStemsOfWidthTwoAndRedDotsOfWidthThree) {
    const World world = scenario_world(2);
    Picture picture;
    drawstations(world, picture);
    const auto& items = picture.items();
    ASSERT_EQ(items.size(), 24u);
    EXPECT_EQ(items[2], (Primitive{Kind::segment, 500, -0.2f, 500, 1, kBlack, 2}));
    EXPECT_EQ(items[3], (Primitive{Kind::dot, 500, 1, 500, 1, kRed, 3}));
    EXPECT_EQ(items[23].x1, 1000.0f);
    EXPECT_EQ(picture.draw_width(), 3);
}

TEST(Drawestimate, DotAtZeroThenSegmentsThenScores) {
    World world = scenario_world(1);
    for (int x = 0; x <= 1000; ++x) {
        world.est(x) = truth(world, static_cast<float>(x));
    }
    world.est(0) = 0.5f;  // a value left by an earlier stage is drawn and scored
    Picture picture;
    picture.set_draw_width(3);
    drawestimate(world, picture, 4);
    const auto& items = picture.items();
    ASSERT_EQ(items.size(), 1001u);
    EXPECT_EQ(items[0], (Primitive{Kind::dot, 0, 0.5f, 0, 0.5f, kRed, 3}));
    EXPECT_EQ(items[500], (Primitive{Kind::segment, 499, world.est(499), 500, 1, kRed, 3}));
    EXPECT_EQ(world.maxerr(4), 0.5f);
    EXPECT_EQ(world.rmserr(4), static_cast<float>(std::sqrt(0.25 / 1000.0)));
}

TEST(Picture, RefreshErasesEverythingButKeepsPenWidthAndScale) {
    Picture picture;
    picture.set_scale(0.0f, 1.2f, 1000.0f, -0.1f);
    clearplot(picture);
    picture.pset(3.0f, 0.5f);
    EXPECT_EQ(picture.items().back().colour, kPlotForeground);
    picture.refresh();
    EXPECT_TRUE(picture.items().empty());
    EXPECT_EQ(picture.draw_width(), 3);
    EXPECT_EQ(picture.scale().top, 1.2f);
    EXPECT_EQ(picture.scale().bottom, -0.1f);
}

}  // namespace
}  // namespace tour
