#include "tour/stages.hpp"

#include <array>

#include "methods/nearest_linear.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

constexpr auto plain = PlotPrep::plain;
constexpr auto with_truth = PlotPrep::with_truth;
constexpr auto full = PlotPrep::full;
constexpr auto unscored = Scoring::none;
constexpr auto scored = Scoring::estimate;
constexpr auto stagetext = Narration::stagetext;
constexpr auto later = Narration::later_text;
constexpr auto later_but_3 = Narration::later_text_but_scenario3;

using C = StageContext;

const std::array<StageRow, kLastStage + 1> kStages{{
    /*  0 */ {plain, nullptr, unscored, stagetext},
    /*  1 */ {with_truth, nullptr, unscored, stagetext},
    /*  2 */ {full, nullptr, unscored, stagetext},
    /*  3 */ {full, [](C& c) { nearneighb(c.world); }, scored, stagetext},
    /*  4 */ {full, [](C& c) { linint(c.world); }, scored, stagetext},
    /*  5 */ {full, nullptr, unscored, stagetext},
    /*  6 */ {full, nullptr, unscored, stagetext},
    /*  7 */ {full, nullptr, unscored, stagetext},
    /*  8 */ {full, nullptr, unscored, stagetext},
    /*  9 */ {full, nullptr, unscored, stagetext},
    /* 10 */ {full, nullptr, unscored, stagetext},
    /* 11 */ {full, nullptr, unscored, stagetext},
    /* 12 */ {full, nullptr, unscored, stagetext},
    /* 13 */ {full, nullptr, unscored, stagetext},
    /* 14 */ {full, nullptr, unscored, stagetext},
    /* 15 */ {full, nullptr, unscored, stagetext},
    /* 16 */ {full, nullptr, unscored, stagetext},
    /* 17 */ {full, nullptr, unscored, stagetext},
    /* 18 */ {full, nullptr, unscored, stagetext},
    /* 19 */ {full, nullptr, unscored, stagetext},
    /* 20 */ {full, nullptr, unscored, stagetext},
    /* 21 */ {full, nullptr, unscored, stagetext},
    /* 22 */ {full, nullptr, unscored, stagetext},
    /* 23 */ {full, nullptr, unscored, stagetext},
    /* 24 */ {full, nullptr, unscored, stagetext},
    /* 25 */ {full, nullptr, unscored, later_but_3},
    /* 26 */ {full, nullptr, unscored, later_but_3},
    /* 27 */ {full, nullptr, unscored, later_but_3},
    /* 28 */ {full, nullptr, unscored, later_but_3},
    /* 29 */ {full, nullptr, unscored, later_but_3},
    /* 30 */ {full, nullptr, unscored, later_but_3},
    /* 31 */ {plain, nullptr, unscored, later},
    /* 32 */ {plain, nullptr, unscored, later},
    /* 33 */ {full, nullptr, unscored, later},
    /* 34 */ {plain, nullptr, unscored, later},
    /* 35 */ {full, nullptr, unscored, later},
    /* 36 */ {full, nullptr, unscored, later},
}};

}  // namespace

const StageRow& stagerow(std::int16_t stage) {
    if (stage < kFirstStage || stage > kLastStage) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return kStages[static_cast<std::size_t>(stage)];
}

}  // namespace tour
