#include "tour/stages.hpp"

#include <array>

#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

constexpr auto plain = PlotPrep::plain;
constexpr auto with_truth = PlotPrep::with_truth;
constexpr auto full = PlotPrep::full;
constexpr auto stagetext = Narration::stagetext;
constexpr auto later = Narration::later_text;
constexpr auto later_but_3 = Narration::later_text_but_scenario3;

using C = StageContext;

// The semivariogram cloud on an emptied plot.
void semivariogram_cloud(C& c) {
    semivariogram(c.world);
    drawsemivar(c.world, c.picture);
}

// The cloud with the model that the next stage's kriging uses: the best fit
// with that kriging's radius and exponent.
void best_fit_model(C& c) {
    const ParameterValues& kriging = catalogue_entry(kBestFitModelStage + 1)->values;
    semivariogram_cloud(c);
    fitvariogram(c.world, kriging[1], kriging[2]);
    drawvariogram(c.world, c.picture);
}

void linear_model(C& c) {
    semivariogram_cloud(c);
    linvariogram(c.world);
    drawvariogram(c.world, c.picture);
}

// The stage's method comes from the catalogue.
constexpr StageSteps catalogued = nullptr;

const std::array<StageRow, kLastStage + 1> kStages{{
    /*  0 */ {plain, nullptr, stagetext},
    /*  1 */ {with_truth, nullptr, stagetext},
    /*  2 */ {full, nullptr, stagetext},
    /*  3 */ {full, catalogued, stagetext},
    /*  4 */ {full, catalogued, stagetext},
    /*  5 */ {full, catalogued, stagetext},
    /*  6 */ {full, catalogued, stagetext},
    /*  7 */ {full, catalogued, stagetext},
    /*  8 */ {full, catalogued, stagetext},
    /*  9 */ {full, catalogued, stagetext},
    /* 10 */ {full, catalogued, stagetext},
    /* 11 */ {full, catalogued, stagetext},
    /* 12 */ {full, catalogued, stagetext},
    /* 13 */ {full, catalogued, stagetext},
    /* 14 */ {full, catalogued, stagetext},
    /* 15 */ {full, catalogued, stagetext},
    /* 16 */ {full, catalogued, stagetext},
    /* 17 */ {full, catalogued, stagetext},
    /* 18 */ {full, catalogued, stagetext},
    /* 19 */ {full, catalogued, stagetext},
    /* 20 */ {full, catalogued, stagetext},
    /* 21 */ {full, catalogued, stagetext},
    /* 22 */ {full, catalogued, stagetext},
    /* 23 */ {full, catalogued, stagetext},
    /* 24 */ {full, catalogued, stagetext},
    /* 25 */ {full, catalogued, later_but_3},
    /* 26 */ {full, catalogued, later_but_3},
    /* 27 */ {full, catalogued, later_but_3},
    /* 28 */ {full, catalogued, later_but_3},
    /* 29 */ {full, catalogued, later_but_3},
    /* 30 */ {full, catalogued, later_but_3},
    /* 31 */ {plain, semivariogram_cloud, later},
    /* 32 */ {plain, best_fit_model, later},
    /* 33 */ {full, catalogued, later},
    /* 34 */ {plain, linear_model, later},
    /* 35 */ {full, catalogued, later},
    /* 36 */ {full, catalogued, later},
}};

}  // namespace

const StageRow& stagerow(std::int16_t stage) {
    if (stage < kFirstStage || stage > kLastStage) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return kStages[static_cast<std::size_t>(stage)];
}

Scoring stagescoring(std::int16_t stage) {
    const CatalogueEntry* entry = catalogue_entry(stage);
    if (entry == nullptr) {
        return Scoring::none;
    }
    return procedurespec(entry->procedure).fills_estimate ? Scoring::estimate : Scoring::by_itself;
}

void runstagemethod(StageContext& context) {
    if (const CatalogueEntry* entry = catalogue_entry(context.stage)) {
        run_method(*entry, context);
    } else if (const StageSteps steps = stagerow(context.stage).steps) {
        steps(context);
    }
}

}  // namespace tour
