#include "display/plot.hpp"

#include "display/scoring.hpp"

namespace tour {

void clearplot(Picture& picture) {
    picture.set_draw_width(3);
    picture.line(0.0f, 0.0f, 1000.0f, 0.0f, kBlack);
}

void drawtruth(const World& world, Picture& picture) {
    for (int i = 1; i <= kGridLast; ++i) {
        const auto xpos = static_cast<float>(i);
        const float a = truth(world, xpos - 1.0f);
        const float b = truth(world, xpos);
        picture.line(static_cast<float>(i - 1), a, xpos, b, kGreen);
    }
}

void drawstations(const World& world, Picture& picture) {
    const int n = world.nstat;
    for (int k = 1; k <= n; ++k) {
        const float x = world.statx(k);
        picture.set_draw_width(2);
        picture.line(x, -0.2f, x, truth(world, x), kBlack);
        picture.set_draw_width(3);
        picture.pset(x, truth(world, x), kRed);
    }
}

void drawestimate(World& world, Picture& picture, std::int16_t stage) {
    picture.pset(0.0f, world.est(0), kRed);
    for (int i = 1; i <= kGridLast; ++i) {
        picture.line(static_cast<float>(i - 1), world.est(i - 1), static_cast<float>(i),
                     world.est(i), kRed);
    }
    calcerr(world, stage);
}

}  // namespace tour
