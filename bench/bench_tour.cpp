// The speed of the tour: each scored stage's computation, the whole forward
// tour, one kriging stage, and a full headless export. Drawing is left out
// of the computations; the export includes it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "forward_tour.hpp"
#include "geostat/kriging.hpp"
#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"
#include "tour/stages.hpp"
#include "tour/tour.hpp"
#include "window/export.hpp"
#include "window/form1.hpp"

namespace {

using namespace tour;

class QuietHost : public FormHost {
  public:
    void mouse_pointer_changed(MousePointer) override {}
    void end_program() override {}
    void message_box(const std::string& text) override { last = text; }
    std::string last;
};

// The world as the forward tour leaves it just before (scenario, stage).
World world_before(int scenario, int stage) {
    QuietHost host;
    Tour tour(host);
    const int previous = stage - 1;
    while (tour.scenario() != scenario || tour.stage() != previous) {
        tour.Command1_Click();
    }
    return tour.world();
}

using bench::compute_stage;

void BM_Stage(benchmark::State& state, int scenario, std::int16_t stage) {
    World world = world_before(scenario, stage);
    Picture scratch;
    QuietHost messages;
    for (auto _ : state) {
        compute_stage(world, scratch, messages, stage);
        benchmark::DoNotOptimize(world.rmserr(stage));
        benchmark::ClobberMemory();
    }
    if (!messages.last.empty()) {
        state.SkipWithError(messages.last.c_str());
    }
}

void BM_ForwardTour(benchmark::State& state) {
    Picture scratch;
    QuietHost messages;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench::forward_tour(scratch, messages));
    }
}
BENCHMARK(BM_ForwardTour)->Unit(benchmark::kMillisecond);

void BM_Kriging(benchmark::State& state) {
    World world = world_before(1, 33);  // the best-fit model of stage 32
    QuietHost messages;
    for (auto _ : state) {
        kriging(world, messages);
        benchmark::DoNotOptimize(world.est(375));
        benchmark::ClobberMemory();
    }
    if (!messages.last.empty()) {
        state.SkipWithError(messages.last.c_str());
    }
}
BENCHMARK(BM_Kriging)->Unit(benchmark::kMillisecond);

// The window of a fresh process, painted once: libraries loaded, the
// application and its fonts set up, the window built and drawn.
int paint_first_window(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    const QImage painted = form.grab().toImage();
    return painted.isNull() ? 1 : 0;
}

// From starting a process to its window's first complete paint.
void BM_StartToFirstPaint(benchmark::State& state) {
    const QString self = QCoreApplication::applicationFilePath();
    for (auto _ : state) {
        if (QProcess::execute(self, {QStringLiteral("--paint-first-window")}) != 0) {
            state.SkipWithError("the window was not painted");
        }
    }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Export(benchmark::State& state) {
    for (auto _ : state) {
        QTemporaryDir scratch;
        const int status = export_tour(scratch.filePath(QStringLiteral("export")));
        if (status != 0) {
            state.SkipWithError("the export failed");
        }
    }
}
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Iterations(3);

void register_stages() {
    for (int scenario = 1; scenario <= 3; ++scenario) {
        for (std::int16_t stage = 3; stage <= kLastStage; ++stage) {
            if (stagescoring(stage) == Scoring::none) {
                continue;
            }
            const std::string name =
                "BM_Stage/" + std::to_string(scenario) + "/" + std::to_string(stage);
            benchmark::RegisterBenchmark(name.c_str(), BM_Stage, scenario, stage)
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // The export draws the window offscreen; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::string(argv[1]) == "--paint-first-window") {
        return paint_first_window(argc, argv);
    }
    QApplication app(argc, argv);
    register_stages();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
