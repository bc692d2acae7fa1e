// The speed of the explorer: the score table after an edit of the stations
// (every row computed afresh), the leave-one-out column, and `--score` from
// process start to exit.
#include <benchmark/benchmark.h>

#include <QProcess>
#include <QTemporaryDir>
#include <fstream>

#include "explore/loo_worker.hpp"
#include "explore/scores.hpp"
#include "explore/setup_file.hpp"

namespace {

using namespace tour::explore;

// The tour's first layout with a kriging method chosen, so that the table
// also computes the kriging variance for the plot.
Setup twenty_one_stations() {
    Setup setup = default_setup();
    setup.method = tour_method(29);
    setup.compare = tour_method(30);
    return setup;
}

// What a drag of one station recomputes: the whole table on a new layout.
void BM_ExplorerScores(benchmark::State& state) {
    Setup setup = twenty_one_stations();
    int step = 0;
    for (auto _ : state) {
        setup.layout.stations[10] = 500 + (step++ % 2);
        const ScoreTable table = score_table(setup);
        benchmark::DoNotOptimize(table.rows.back().rms);
    }
}
BENCHMARK(BM_ExplorerScores)->Unit(benchmark::kMillisecond)->UseRealTime();

// A parameter change: one row computed, the others taken over.
void BM_ExplorerParameterChange(benchmark::State& state) {
    Setup setup = twenty_one_stations();
    setup.method = tour_method(4);
    ScoreTable table = score_table(setup);
    int step = 0;
    for (auto _ : state) {
        setup.method.values[0] = 1.5f + static_cast<float>(step++ % 2);
        table = score_table(setup, &table);
        benchmark::DoNotOptimize(table.rows.back().rms);
    }
}
BENCHMARK(BM_ExplorerParameterChange)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every row of the table cross-validated, as after an edit of the stations.
void BM_ExplorerLeaveOneOut(benchmark::State& state) {
    const ScoreTable table = score_table(twenty_one_stations());
    LooJob job{table.layout, {}};
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        if (table.rows[row].ran()) {
            job.methods.push_back(table.methods[row].method);
        }
    }
    for (auto _ : state) {
        const auto cells = run_loo_job(job);
        benchmark::DoNotOptimize(cells->front().rms);
    }
}
BENCHMARK(BM_ExplorerLeaveOneOut)->Unit(benchmark::kMillisecond)->UseRealTime();

// interp1d-tour --score on a 21-station setup, from process start to exit.
void BM_ScoreCommand(benchmark::State& state) {
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("setup.json"));
    std::ofstream(path.toStdString()) << setup_text(twenty_one_stations());
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(INTERP1D_BINARY), {QStringLiteral("--score"), path});
        process.waitForFinished(60000);
        if (process.exitCode() != 0) {
            state.SkipWithError("--score failed");
        }
    }
}
BENCHMARK(BM_ScoreCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
