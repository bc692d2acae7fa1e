// One kriging stage of the first scenario with the best-fit variogram: 1001
// dense solves of 22 unknowns. A stage should take well under one frame.
#include <benchmark/benchmark.h>

#include <string>

#include "geostat/kriging.hpp"
#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"

namespace {

class NoMessages : public tour::MessageSink {
  public:
    void message_box(const std::string& text) override { last = text; }
    std::string last;
};

void BM_Kriging(benchmark::State& state) {
    tour::World world;
    world.scenario = 1;
    world.nstat = 21;
    tour::setstations(world);
    tour::semivariogram(world);
    tour::fitvariogram(world, 200.0f, 4.0f);
    NoMessages messages;

    for (auto _ : state) {
        tour::kriging(world, messages);
        benchmark::DoNotOptimize(world.est(375));
        benchmark::ClobberMemory();
    }
    if (!messages.last.empty()) {
        state.SkipWithError(messages.last.c_str());
    }
}
BENCHMARK(BM_Kriging)->Unit(benchmark::kMillisecond);

}  // namespace
