// The explorer session: gestures become edits of the one setup, the views
// hear what changed, the selection follows the stations, and leave-one-out
// jobs start only when the table waits for cells that no running job brings.
// The background worker keeps whatever a fold throws inside that fold's cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "explore/loo_worker.hpp"
#include "explore/session.hpp"
#include "explore/session_view.hpp"

namespace tour::explore {
namespace {

constexpr int kLinInt = 1;
constexpr int kInvDist1 = 4;
constexpr int kInvDist2 = 5;

// Records the jobs the session starts; the test hands cells back itself.
class RecordingRunner : public LooRunner {
  public:
    void start(const LooJob& job) override { jobs.push_back(job); }
    std::vector<LooJob> jobs;
};

std::vector<LooCell> cells_for(const LooJob& job, double rms) {
    return std::vector<LooCell>(job.methods.size(), LooCell{LooCell::Kind::value, rms, {}});
}

Setup small_setup() {
    Setup setup = default_setup();
    setup.layout = Layout{Field::bump, {0, 250, 500, 750, 1000}};
    return setup;
}

TEST(Session, GesturesEditTheSetupAndTheViewsHearOfIt) {
    Session session(small_setup());
    std::vector<unsigned> told;
    session.watch([&](unsigned changes) { told.push_back(changes); });

    EXPECT_TRUE(session.add_station(400.4));
    EXPECT_EQ(session.layout().stations, (std::vector<int>{0, 250, 400, 500, 750, 1000}));
    EXPECT_EQ(session.selected(), 400);
    EXPECT_EQ(session.selected_index(), 2);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0] & Session::setup_changed);
    EXPECT_TRUE(told[0] & Session::table_changed);
    EXPECT_TRUE(told[0] & Session::selection_changed);
    EXPECT_EQ(session.table().layout, session.layout());

    // One drag is one step of the history.
    const std::uint64_t drag = session.new_gesture();
    EXPECT_TRUE(session.drag_station(2, 410.0, drag));
    EXPECT_TRUE(session.drag_station(2, 460.0, drag));
    EXPECT_EQ(session.selected(), 460);
    session.undo();
    EXPECT_EQ(session.layout().stations[2], 400);
    EXPECT_EQ(session.selected(), std::nullopt);  // no station at 460 any more
    session.undo();
    EXPECT_EQ(session.layout(), small_setup().layout);
    EXPECT_FALSE(session.history().can_undo());
    session.redo();
    EXPECT_EQ(session.layout().stations.size(), 6u);
}

TEST(Session, ARefusedEditChangesNothingAndSaysWhy) {
    Session session(small_setup());
    unsigned heard = 0;
    session.watch([&](unsigned changes) { heard |= changes; });
    EXPECT_FALSE(session.remove_station(0));
    EXPECT_EQ(session.refusal(),
              "The stations at 0 and 1000 stay where they are: every method needs them.");
    EXPECT_EQ(heard, static_cast<unsigned>(Session::refusal_changed));
    EXPECT_EQ(session.setup(), small_setup());
    EXPECT_FALSE(session.remove_selected());
    EXPECT_EQ(session.refusal(), "Select a station first.");
    EXPECT_FALSE(session.set_parameter(0, "2"));  // nearest neighbour has no parameters
    EXPECT_FALSE(session.history().can_undo());
    // The next accepted edit clears the reason.
    EXPECT_TRUE(session.choose_method(kInvDist1));
    EXPECT_TRUE(session.refusal().empty());
    EXPECT_FALSE(session.set_parameter(0, "0"));
    EXPECT_EQ(session.refusal(), "Power must be greater than 0 and at most 20; 0 is outside.");
    EXPECT_EQ(session.setup().method.values[0], 1.0f);
}

TEST(Session, SelectsOnlyStationsAndOpensANewDocumentAfresh) {
    Session session(small_setup());
    session.select(250);
    EXPECT_EQ(session.selected_index(), 1);
    session.select(251);  // no station there
    EXPECT_EQ(session.selected(), std::nullopt);
    session.select(750);
    EXPECT_TRUE(session.remove_selected());
    EXPECT_EQ(session.selected(), std::nullopt);
    EXPECT_TRUE(session.history().modified());

    session.open(default_setup());
    EXPECT_EQ(session.setup(), default_setup());
    EXPECT_FALSE(session.history().can_undo());
    EXPECT_FALSE(session.history().modified());
}

TEST(SessionLeaveOneOut, StartsOneJobAndKeepsItWhileTheLayoutAndValuesStay) {
    Session session(small_setup());
    RecordingRunner runner;
    session.set_loo_runner(&runner);
    ASSERT_EQ(runner.jobs.size(), 1u);
    EXPECT_EQ(runner.jobs[0].layout, small_setup().layout);
    EXPECT_FALSE(session.loo_ready());

    // Browsing the tour's methods and the compared one needs no new job.
    EXPECT_TRUE(session.choose_method(kInvDist2));
    EXPECT_TRUE(session.choose_compare(kLinInt));
    EXPECT_TRUE(session.choose_method(kInvDist1));
    EXPECT_EQ(runner.jobs.size(), 1u);

    // A value of its own is a new row: a job that brings it too.
    EXPECT_TRUE(session.set_parameter(0, "2.5"));
    ASSERT_EQ(runner.jobs.size(), 2u);
    EXPECT_EQ(runner.jobs[1].methods.size(), runner.jobs[0].methods.size() + 1);

    // The first job's cells come in late: they are kept, and only the new
    // row still waits, for the second job.
    session.take_loo(runner.jobs[0], cells_for(runner.jobs[0], 0.5));
    EXPECT_EQ(runner.jobs.size(), 2u);
    const std::size_t own_row = static_cast<std::size_t>(session.table().chosen_row);
    EXPECT_EQ(session.loo_cells()[own_row].kind, LooCell::Kind::pending);
    EXPECT_EQ(session.loo_cells()[0].rms, 0.5);
    session.take_loo(runner.jobs[1], cells_for(runner.jobs[1], 0.25));
    EXPECT_TRUE(session.loo_ready());
    EXPECT_EQ(session.loo_cells()[own_row].rms, 0.25);
}

TEST(SessionLeaveOneOut, RemembersTheCellsOfALayoutForAnUndo) {
    Session session(small_setup());
    RecordingRunner runner;
    session.set_loo_runner(&runner);
    session.take_loo(runner.jobs[0], cells_for(runner.jobs[0], 0.5));
    ASSERT_TRUE(session.loo_ready());

    EXPECT_TRUE(session.move_station(1, 260));
    ASSERT_EQ(runner.jobs.size(), 2u);
    EXPECT_FALSE(session.loo_ready());
    session.undo();
    EXPECT_TRUE(session.loo_ready());  // known for this layout
    EXPECT_EQ(runner.jobs.size(), 2u);

    // The moved layout's cells arrive after the undo: kept for a redo.
    session.take_loo(runner.jobs[1], cells_for(runner.jobs[1], 0.75));
    EXPECT_EQ(session.loo_cells()[0].rms, 0.5);
    session.redo();
    EXPECT_TRUE(session.loo_ready());
    EXPECT_EQ(session.loo_cells()[0].rms, 0.75);
}

TEST(SessionLeaveOneOut, ComputesHereWithoutARunner) {
    Session session(small_setup());
    EXPECT_FALSE(session.loo_ready());
    session.compute_loo();
    EXPECT_TRUE(session.loo_ready());
    // Linear interpolation without the station at 500 (value 1) gives 0 there.
    EXPECT_EQ(session.loo_cells()[kLinInt].kind, LooCell::Kind::value);
    EXPECT_GT(session.loo_cells()[kLinInt].rms, 0.0);
}

// Records the score jobs the session starts.
class RecordingScorer : public ScoreRunner {
  public:
    void start(const ScoreJob& job) override { jobs.push_back(job); }
    std::vector<ScoreJob> jobs;
};

void expect_same_rows(const ScoreTable& a, const ScoreTable& b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t row = 0; row < a.rows.size(); ++row) {
        EXPECT_EQ(a.rows[row].fault, b.rows[row].fault) << row;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(a.rows[row].rms),
                  std::bit_cast<std::uint32_t>(b.rows[row].rms))
            << row;
        EXPECT_EQ(a.rows[row].estimate, b.rows[row].estimate) << row;
        EXPECT_EQ(a.rows[row].variance, b.rows[row].variance) << row;
        EXPECT_EQ(a.rows[row].curve, b.rows[row].curve) << row;
    }
}

TEST(SessionScoring, RowsScoredElsewhereFillTheTableAndThenItsCrossValidation) {
    Session session(small_setup());
    RecordingScorer scorer;
    RecordingRunner loo;
    session.set_score_runner(&scorer);
    session.set_loo_runner(&loo);
    ASSERT_EQ(loo.jobs.size(), 1u);
    EXPECT_TRUE(scorer.jobs.empty());  // the first table was scored here

    // A move: the drawn row is scored at once, the others wait, and so does
    // every cross-validation.
    ASSERT_TRUE(session.move_station(2, 480));
    ASSERT_EQ(scorer.jobs.size(), 1u);
    EXPECT_FALSE(session.table_ready());
    EXPECT_EQ(scorer.jobs[0].methods.size(), 30u);
    EXPECT_EQ(std::count(scorer.jobs[0].drawn.begin(), scorer.jobs[0].drawn.end(), true), 0);
    EXPECT_FALSE(session.table().rows[0].pending);
    EXPECT_EQ(session.table().rows[0].estimate.size(), 1001u);
    EXPECT_EQ(loo.jobs.size(), 1u);
    // A method to compare with is drawn: scored here too; the running job
    // still brings the rest.
    ASSERT_TRUE(session.choose_compare(kLinInt));
    EXPECT_FALSE(session.table().rows[kLinInt].pending);
    EXPECT_EQ(scorer.jobs.size(), 1u);

    // Rows of an older layout are dropped; the current job's fill the table
    // with the bits the session would have computed itself.
    ASSERT_TRUE(session.move_station(2, 490));
    ASSERT_EQ(scorer.jobs.size(), 2u);
    session.take_rows(scorer.jobs[0], run_score_job(scorer.jobs[0]));
    EXPECT_FALSE(session.table_ready());
    const ScoreJob latest = scorer.jobs[1];
    const auto rows =
        parse_rows(rows_json(run_score_job(*parse_score_job(score_job_json(latest)))));
    ASSERT_TRUE(rows);
    session.take_rows(latest, *rows);
    ASSERT_TRUE(session.table_ready());
    expect_same_rows(session.table(), score_table(session.setup()));
    ASSERT_EQ(loo.jobs.size(), 2u);
    EXPECT_EQ(loo.jobs[1].layout, session.layout());
}

TEST(SessionScoring, WithoutTheRunnerTheWaitingRowsAreScoredHere) {
    Session session(small_setup());
    RecordingScorer scorer;
    session.set_score_runner(&scorer);
    ASSERT_TRUE(session.move_station(2, 480));
    ASSERT_FALSE(session.table_ready());
    unsigned heard = 0;
    session.watch([&](unsigned changes) { heard |= changes; });
    session.set_score_runner(nullptr);  // the workers are gone
    EXPECT_TRUE(session.table_ready());
    EXPECT_TRUE(heard & Session::table_changed);
    expect_same_rows(session.table(), score_table(session.setup()));
}

TEST(SessionScoring, RowsAndJobsReadBackFromTheirTextBitForBit) {
    explore::Setup setup = small_setup();
    setup.method = tour_method(29);  // kriging: estimate and variance
    setup.compare = tour_method(3);  // the Bezier curve
    const ScoreTable table = score_table(setup);
    const auto rows = parse_rows(rows_json(table.rows));
    ASSERT_TRUE(rows);
    ScoreTable read = table;
    read.rows = *rows;
    expect_same_rows(read, table);
    EXPECT_FALSE(parse_rows("[{\"fault\": \"\", \"rms\": 1}]"));
    EXPECT_FALSE(parse_rows("[{\"fault\": \"\", \"rms\": 1, \"max\": 2, \"curve\": [1]}]"));

    ScoreJob job{setup.layout, {setup.method, *setup.compare}, {true, false}};
    EXPECT_EQ(parse_score_job(score_job_json(job)), job);
    EXPECT_FALSE(
        parse_score_job(R"({"field": "bump", "stations": [0, 1000], "methods": [], "drawn": []})"));
}

// A worker and the cells it hands back, waited for.
class WorkerResults {
  public:
    LooWorker::Done done() {
        return [this](const LooJob&, std::vector<LooCell> cells) {
            const std::lock_guard<std::mutex> guard(lock_);
            results_.push_back(std::move(cells));
            arrived_.notify_all();
        };
    }
    std::vector<LooCell> next() {
        std::unique_lock<std::mutex> guard(lock_);
        arrived_.wait(guard, [this] { return results_.size() > taken_; });
        return results_[taken_++];
    }

  private:
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<std::vector<LooCell>> results_;
    std::size_t taken_ = 0;
};

TEST(LooWorker, KeepsAFoldThatThrowsInItsCellAndCarriesOn) {
    WorkerResults results;
    LooWorker worker(results.done());
    MethodChoice broken = tour_method(kLinInt);
    broken.entry = 999;  // no such catalogue entry: every fold of it throws
    const LooJob job{small_setup().layout, {tour_method(kLinInt), broken}};
    worker.start(job);
    const std::vector<LooCell> cells = results.next();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].kind, LooCell::Kind::value);
    EXPECT_EQ(cells[1].kind, LooCell::Kind::fault);
    EXPECT_EQ(cells[1].fault, "Without the station at 250: Run-time error: Subscript out of range");

    // The worker is still there for the next job.
    worker.start(LooJob{small_setup().layout, {tour_method(kLinInt)}});
    EXPECT_EQ(results.next()[0].rms, cells[0].rms);
    EXPECT_EQ(worker.progress(), 1.0);
}

TEST(LooWorker, AJobThatThrowsFaultsEveryCellAndTheWorkerCarriesOn) {
    WorkerResults results;
    bool first = true;
    LooWorker worker(results.done(), [&](const LooJob& job, const std::function<bool()>& stopped,
                                         const LooProgress& progress) {
        if (std::exchange(first, false)) {
            throw std::runtime_error("out of threads");
        }
        return run_loo_job(job, stopped, progress);
    });
    const LooJob job{small_setup().layout, {tour_method(kLinInt), tour_method(kInvDist1)}};
    worker.start(job);
    const std::vector<LooCell> faulted = results.next();
    ASSERT_EQ(faulted.size(), 2u);
    for (const LooCell& cell : faulted) {
        EXPECT_EQ(cell.kind, LooCell::Kind::fault);
        EXPECT_EQ(cell.fault, "out of threads");
    }
    worker.start(job);
    EXPECT_EQ(results.next()[1].kind, LooCell::Kind::value);
}

}  // namespace
}  // namespace tour::explore
