// The explorer session: the one owner of what a student is looking at. It
// holds the setup with its undo history, the selected station, the score
// table and the leave-one-out cells, takes the views' gestures as edits, and
// tells the views when something changed. The desktop window, the web page
// and the lesson player are views of it; none keeps a copy.
//
// Leave-one-out runs elsewhere (a thread, a Web Worker): the session hands a
// job to its runner whenever the table waits for cells that no job still
// running will bring, and takes the cells back through take_loo. Cells are
// remembered by layout and method, so choosing another method, undoing or
// going back to a layout seen a moment ago finds them ready.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explore/history.hpp"
#include "explore/loo_job.hpp"
#include "explore/loo_memory.hpp"
#include "explore/scene.hpp"
#include "explore/score_job.hpp"
#include "explore/scores.hpp"

namespace tour::explore {

// Computes leave-one-out jobs and hands their cells to Session::take_loo,
// on the session's thread.
class LooRunner {
  public:
    virtual ~LooRunner() = default;
    // Starts the job; a job started before may be stopped.
    virtual void start(const LooJob& job) = 0;
};

class Session {
  public:
    // What changed, as bits of the argument of a view's callback.
    enum Change : unsigned {
        setup_changed = 1u << 0,      // field, stations, methods or compared method
        table_changed = 1u << 1,      // the score table's rows
        loo_changed = 1u << 2,        // leave-one-out cells
        selection_changed = 1u << 3,  // the selected station
        history_changed = 1u << 4,    // undo, redo, saved or not
        refusal_changed = 1u << 5,    // an edit was refused, or one taken after that
    };
    using Watcher = std::function<void(unsigned changes)>;

    explicit Session(Setup setup = default_setup());
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // --- What it holds.
    const Setup& setup() const { return history_.setup(); }
    const Layout& layout() const { return setup().layout; }
    const History& history() const { return history_; }
    const ScoreTable& table() const { return table_; }
    // One cell per row of the table; pending until its job is done.
    const std::vector<LooCell>& loo_cells() const { return loo_cells_; }
    bool loo_ready() const;
    // The selected station's position and its index among the stations.
    std::optional<int> selected() const { return selected_; }
    std::optional<int> selected_index() const;
    // Why the last edit was refused; empty after an accepted one.
    const std::string& refusal() const { return refusal_; }
    // The plot as it stands, with the selection.
    Scene scene(bool fit_estimate) const;

    // --- Gestures. Each returns whether the edit was taken; a refused one
    // changes nothing and leaves its reason in refusal().
    bool apply(const Edit& edit, std::uint64_t merge_key = 0);
    bool add_station(double x);
    // One drag is one step: every call with the same gesture (a number from
    // new_gesture() when the drag starts) joins it.
    std::uint64_t new_gesture() { return ++gestures_; }
    bool drag_station(int index, double x, std::uint64_t gesture);
    bool move_station(int index, int to);
    bool remove_station(int index);
    bool remove_selected();
    bool set_field(Field field);
    bool load_preset(int scenario);
    bool choose_method(int entry);
    bool choose_compare(std::optional<int> entry);
    bool use_tour_values();
    bool set_parameter(int index, std::string_view text);
    void undo();
    void redo();
    void select(std::optional<int> position);

    // --- The document.
    // A new setup with no history and nothing unsaved (a file opened).
    void open(Setup setup);
    void mark_saved();
    // While fixed, every edit that would move, add or remove a station is
    // refused (a step of a lesson that keeps its stations).
    void set_stations_fixed(bool fixed) { stations_fixed_ = fixed; }
    bool stations_fixed() const { return stations_fixed_; }

    // --- Leave-one-out.
    // Without a runner, jobs wait until compute_loo() does them here.
    void set_loo_runner(LooRunner* runner);
    void compute_loo();
    // The cells of a job, one per method; cells of another layout than the
    // table's are remembered for it, in case it comes back.
    void take_loo(const LooJob& job, const std::vector<LooCell>& cells);

    // --- Scoring elsewhere. Without a runner the session scores its rows
    // itself as the setup changes. With one, it scores the rows the plot
    // draws itself, and the other rows it cannot take over stay pending (and
    // their leave-one-out cells wait) until take_rows brings them; rows of
    // another layout than the table's are dropped.
    void set_score_runner(ScoreRunner* runner);
    void take_rows(const ScoreJob& job, const std::vector<Evaluation>& rows);
    bool table_ready() const;

    // --- Views.
    int watch(Watcher watcher);
    void unwatch(int id);

  private:
    // The setup changed (or was replaced): the table, the cells, the
    // selection; then the views hear of it.
    void setup_replaced(unsigned changes);
    void refresh_loo_cells();
    void request_loo();
    void score_rows();
    void tell(unsigned changes);

    History history_;
    ScoreTable table_;
    std::vector<LooCell> loo_cells_;
    LooMemory memory_;
    std::optional<LooJob> in_flight_;
    LooRunner* runner_ = nullptr;
    ScoreRunner* score_runner_ = nullptr;
    std::optional<ScoreJob> scoring_;  // the score job still running
    std::optional<int> selected_;
    std::string refusal_;
    std::vector<std::pair<int, Watcher>> watchers_;
    int next_watcher_ = 1;
    std::uint64_t gestures_ = 0;
    bool stations_fixed_ = false;
};

}  // namespace tour::explore
