// The forward tour's computation (every stage's method and scoring, no
// drawing), timed the same way in the native and the WebAssembly build so
// that the two can be compared side by side. Prints the median and the
// fastest of the runs in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/scoring.hpp"
#include "tour/stages.hpp"

namespace {

using namespace tour;

class Quiet : public MessageSink {
  public:
    void message_box(const std::string&) override {}
};

float forward_tour() {
    Picture scratch;
    Quiet messages;
    World world;
    for (std::int16_t scenario = 1; scenario <= 3; ++scenario) {
        world.scenario = scenario;
        world.nstat = scenario == 2 ? 12 : 21;
        setstations(world);
        for (std::int16_t stage = kFirstStage; stage <= kLastStage; ++stage) {
            const StageRow& row = stagerow(stage);
            if (row.method == nullptr) {
                continue;
            }
            scratch.refresh();
            StageContext context{world, scratch, stage, messages};
            row.method(context);
            if (row.scoring == Scoring::estimate) {
                calcerr(world, stage);
            }
        }
    }
    return world.rmserr(36);
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    forward_tour();  // warm-up: caches, and the WebAssembly engine's optimising tier
    std::vector<double> times;
    volatile float sink = 0.0f;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        sink = forward_tour();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    (void)sink;
    std::sort(times.begin(), times.end());
    std::printf("forward tour: median %.2f ms, fastest %.2f ms over %d runs\n",
                times[times.size() / 2], times.front(), runs);
    return 0;
}
