// The computation of the forward tour (every stage's method and its scoring,
// no drawing), shared by the Google Benchmark targets and the timing program
// that runs natively and in WebAssembly alike.
#pragma once

#include <cstdint>

#include "display/scoring.hpp"
#include "tour/stages.hpp"

namespace tour::bench {

// One stage's method and, where it fills the estimate, its scoring.
inline void compute_stage(World& world, Picture& scratch, MessageSink& messages,
                          std::int16_t stage) {
    scratch.refresh();
    StageContext context{world, scratch, stage, messages};
    runstagemethod(context);
    if (stagescoring(stage) == Scoring::estimate) {
        calcerr(world, stage);
    }
}

// All three scenarios; returns the last error, for the optimiser to keep.
inline float forward_tour(Picture& scratch, MessageSink& messages) {
    World world;
    for (std::int16_t scenario = 1; scenario <= 3; ++scenario) {
        world.scenario = scenario;
        world.nstat = scenario == 2 ? 12 : 21;
        setstations(world);
        for (std::int16_t stage = kFirstStage; stage <= kLastStage; ++stage) {
            if (stagescoring(stage) != Scoring::none || stagerow(stage).steps != nullptr) {
                compute_stage(world, scratch, messages, stage);
            }
        }
    }
    return world.rmserr(36);
}

}  // namespace tour::bench
