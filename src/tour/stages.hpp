// The stage table: how each stage 0..36 prepares the plot, what it computes
// (a method of the catalogue, or steps of its own), whether a method's
// estimate is scored, and where its text comes from.
#pragma once

#include <cstdint>

#include "display/picture.hpp"
#include "tour/catalogue.hpp"
#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour {

inline constexpr std::int16_t kFirstStage = 0;
inline constexpr std::int16_t kLastStage = 36;
// The stages that compute the variogram model the next stage's kriging uses.
inline constexpr std::int16_t kBestFitModelStage = 32;
inline constexpr std::int16_t kLinearModelStage = 34;

using StageContext = MethodContext;

enum class PlotPrep { plain, with_truth, full };

enum class Scoring {
    none,       // nothing to score: no row in the columns
    estimate,   // the method fills est; drawestimate draws and scores it
    by_itself,  // the method draws and scores its own curve
};

enum class Narration {
    stagetext,                // the stage's entry for the current scenario
    later_text,               // the stage's own text, the same in every scenario
    later_text_but_scenario3  // the own text, or the (empty) scenario-3 entry
};

using StageSteps = void (*)(StageContext&);

struct StageRow {
    PlotPrep plot;
    StageSteps steps;  // a stage without a method: what it draws, if anything
    Narration narration;
};

// The row of a stage in 0..36.
const StageRow& stagerow(std::int16_t stage);

// How the stage's method is scored: none for a stage without a method.
Scoring stagescoring(std::int16_t stage);

// What the stage computes after the plot is prepared: its method (not yet
// drawn or scored) or its own steps.
void runstagemethod(StageContext& context);

}  // namespace tour
