#include "tour/stages.hpp"

#include <array>

#include "geostat/cubicspline.hpp"
#include "geostat/kriging.hpp"
#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"
#include "methods/bezier.hpp"
#include "methods/cressman.hpp"
#include "methods/invdist.hpp"
#include "methods/localinvdist.hpp"
#include "methods/nearest_linear.hpp"
#include "methods/orvelmethod.hpp"
#include "methods/polyfit.hpp"
#include "methods/shepard.hpp"
#include "methods/weighted_averages.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

constexpr auto plain = PlotPrep::plain;
constexpr auto with_truth = PlotPrep::with_truth;
constexpr auto full = PlotPrep::full;
constexpr auto unscored = Scoring::none;
constexpr auto scored = Scoring::estimate;
constexpr auto self_scored = Scoring::by_itself;
constexpr auto stagetext = Narration::stagetext;
constexpr auto later = Narration::later_text;
constexpr auto later_but_3 = Narration::later_text_but_scenario3;

using C = StageContext;

// Cressman's method widens the radius it is handed; every run of the stage
// starts again from the table's radius.
void cressman_fresh(World& world, float radius, float exponent) {
    cressman(world, radius, exponent);
}

// The semivariogram cloud on an emptied plot.
void semivariogram_cloud(C& c) {
    semivariogram(c.world);
    drawsemivar(c.world, c.picture);
}

// The cloud with the model that the next stage's kriging uses.
void best_fit_model(C& c) {
    semivariogram_cloud(c);
    fitvariogram(c.world, 200.0f, 4.0f);
    drawvariogram(c.world, c.picture);
}

void linear_model(C& c) {
    semivariogram_cloud(c);
    linvariogram(c.world);
    drawvariogram(c.world, c.picture);
}

const std::array<StageRow, kLastStage + 1> kStages{{
    /*  0 */ {plain, nullptr, unscored, stagetext},
    /*  1 */ {with_truth, nullptr, unscored, stagetext},
    /*  2 */ {full, nullptr, unscored, stagetext},
    /*  3 */ {full, [](C& c) { nearneighb(c.world); }, scored, stagetext},
    /*  4 */ {full, [](C& c) { linint(c.world); }, scored, stagetext},
    /*  5 */ {full, [](C& c) { polyfit(c.world); }, scored, stagetext},
    /*  6 */ {full, [](C& c) { bezier(c.world, c.picture, c.stage); }, self_scored, stagetext},
    /*  7 */ {full, [](C& c) { invdist(c.world, 1.0f, 0.0f); }, scored, stagetext},
    /*  8 */ {full, [](C& c) { invdist(c.world, 2.0f, 0.0f); }, scored, stagetext},
    /*  9 */ {full, [](C& c) { invdist(c.world, 3.0f, 0.0f); }, scored, stagetext},
    /* 10 */ {full, [](C& c) { invdist(c.world, 5.0f, 0.0f); }, scored, stagetext},
    /* 11 */ {full, [](C& c) { invdist(c.world, 0.5f, 0.0f); }, scored, stagetext},
    /* 12 */ {full, [](C& c) { invdist(c.world, 0.01f, 0.0f); }, scored, stagetext},
    /* 13 */ {full, [](C& c) { invdist(c.world, 1.0f, 5.0f); }, scored, stagetext},
    /* 14 */ {full, [](C& c) { invdist(c.world, 1.0f, 50.0f); }, scored, stagetext},
    /* 15 */ {full, [](C& c) { invdist(c.world, 3.0f, 50.0f); }, scored, stagetext},
    /* 16 */ {full, [](C& c) { invdist(c.world, 3.0f, 5.0f); }, scored, stagetext},
    /* 17 */ {full, [](C& c) { shepard(c.world, 6); }, scored, stagetext},
    /* 18 */ {full, [](C& c) { shepard(c.world, 10); }, scored, stagetext},
    /* 19 */ {full, [](C& c) { localinvdist(c.world, 10); }, scored, stagetext},
    /* 20 */ {full, [](C& c) { localinvdist(c.world, 6); }, scored, stagetext},
    /* 21 */ {full, [](C& c) { cressman_fresh(c.world, 200.0f, 2.0f); }, scored, stagetext},
    /* 22 */ {full, [](C& c) { cressman_fresh(c.world, 200.0f, 4.0f); }, scored, stagetext},
    /* 23 */ {full, [](C& c) { orvelmethod(c.world, 1.0f, 1.0f); }, scored, stagetext},
    /* 24 */ {full, [](C& c) { orvelmethod(c.world, 1.0f, 2.0f); }, scored, stagetext},
    /* 25 */ {full, [](C& c) { gaussave(c.world, 10.0f); }, scored, later_but_3},
    /* 26 */ {full, [](C& c) { gaussave(c.world, 50.0f); }, scored, later_but_3},
    /* 27 */ {full, [](C& c) { gaussave(c.world, 200.0f); }, scored, later_but_3},
    /* 28 */ {full, [](C& c) { expave(c.world, 10.0f); }, scored, later_but_3},
    /* 29 */ {full, [](C& c) { expave(c.world, 50.0f); }, scored, later_but_3},
    /* 30 */ {full, [](C& c) { expave(c.world, 200.0f); }, scored, later_but_3},
    /* 31 */ {plain, semivariogram_cloud, unscored, later},
    /* 32 */ {plain, best_fit_model, unscored, later},
    /* 33 */ {full, [](C& c) { kriging(c.world, c.messages); }, scored, later},
    /* 34 */ {plain, linear_model, unscored, later},
    /* 35 */ {full, [](C& c) { kriging(c.world, c.messages); }, scored, later},
    /* 36 */ {full, [](C& c) { cubicspline(c.world, c.messages); }, scored, later},
}};

}  // namespace

const StageRow& stagerow(std::int16_t stage) {
    if (stage < kFirstStage || stage > kLastStage) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return kStages[static_cast<std::size_t>(stage)];
}

}  // namespace tour
