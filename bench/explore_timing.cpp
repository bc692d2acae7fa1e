// The explorer's work on 21 stations, timed the same way in the native and
// the WebAssembly build: the score table after a station moved (what a drag
// frame computes) and every row's leave-one-out column. Prints the median
// and the fastest of the runs in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "explore/loo_job.hpp"
#include "explore/scores.hpp"

namespace {

using namespace tour::explore;

struct Times {
    double median = 0.0;
    double fastest = 0.0;
};

Times timed(int runs, const std::function<void(int)>& work) {
    work(0);  // warm-up: caches, and the WebAssembly engine's optimising tier
    std::vector<double> times;
    for (int i = 1; i <= runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work(i);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

// The tour's first layout with both krigings drawn, the most a frame draws.
Setup twenty_one_stations() {
    Setup setup = default_setup();
    setup.method = tour_method(29);
    setup.compare = tour_method(28);
    return setup;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    Setup setup = twenty_one_stations();
    volatile float sink = 0.0f;
    const Times frame = timed(runs, [&](int i) {
        setup.layout.stations[10] = 500 + i % 2;
        sink = score_table(setup).rows.back().rms;
    });
    const ScoreTable table = score_table(setup);
    LooJob job{table.layout, {}};
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        if (table.rows[row].ran()) {
            job.methods.push_back(table.methods[row].method);
        }
    }
    const Times loo = timed(std::max(1, runs / 4),
                            [&](int) { sink = static_cast<float>(run_loo_job(job)->front().rms); });
    (void)sink;
    std::printf("score table: median %.2f ms, fastest %.2f ms over %d runs\n", frame.median,
                frame.fastest, runs);
    std::printf("leave-one-out: median %.2f ms, fastest %.2f ms over %d runs\n", loo.median,
                loo.fastest, std::max(1, runs / 4));
    return 0;
}
