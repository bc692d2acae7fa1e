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

#include "forward_tour.hpp"

namespace {

class Quiet : public tour::MessageSink {
  public:
    void message_box(const std::string&) override {}
};

float forward_tour() {
    tour::Picture scratch;
    Quiet messages;
    return tour::bench::forward_tour(scratch, messages);
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
