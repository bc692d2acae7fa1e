#include "explore/session.hpp"

#include <algorithm>

#include "explore/edits.hpp"

namespace tour::explore {

namespace {

bool covers(const LooJob& job, const Layout& layout, const std::vector<MethodChoice>& methods) {
    if (!(job.layout == layout)) {
        return false;
    }
    return std::all_of(methods.begin(), methods.end(), [&](const MethodChoice& method) {
        return std::any_of(job.methods.begin(), job.methods.end(),
                           [&](const MethodChoice& m) { return same_choice(m, method); });
    });
}

}  // namespace

Session::Session(Setup setup) : history_(std::move(setup)) {
    table_ = score_table(history_.setup());
    refresh_loo_cells();
}

bool Session::table_ready() const {
    return std::none_of(table_.rows.begin(), table_.rows.end(),
                        [](const Evaluation& e) { return e.pending; });
}

void Session::set_score_runner(ScoreRunner* runner) {
    const bool waiting = !table_ready();
    score_runner_ = runner;
    scoring_.reset();
    score_rows();
    if (waiting && table_ready()) {
        refresh_loo_cells();
        request_loo();
        tell(table_changed | loo_changed);  // the rows that waited are in
    }
}

// The pending rows scored here, or by the runner unless the job still
// running brings them.
void Session::score_rows() {
    if (table_ready()) {
        return;
    }
    if (score_runner_ == nullptr) {
        score_pending_rows(table_);
        return;
    }
    // The rows the plot draws are scored here, so that it follows at once;
    // the others, which carry no curves, elsewhere, started first.
    ScoreJob job{layout(), {}, {}};
    for (std::size_t row = 0; row < table_.rows.size(); ++row) {
        if (table_.rows[row].pending && !drawn_row(table_, row)) {
            job.methods.push_back(table_.methods[row].method);
            job.drawn.push_back(false);
        }
    }
    const bool covered =
        scoring_ && scoring_->layout == job.layout &&
        std::all_of(job.methods.begin(), job.methods.end(), [&](const MethodChoice& method) {
            return std::any_of(scoring_->methods.begin(), scoring_->methods.end(),
                               [&](const MethodChoice& m) { return same_choice(m, method); });
        });
    if (!job.methods.empty() && !covered) {
        scoring_ = job;
        score_runner_->start(*scoring_);  // the job still running brings them otherwise
    }
    for (std::size_t row = 0; row < table_.rows.size(); ++row) {
        if (table_.rows[row].pending && drawn_row(table_, row)) {
            table_.rows[row] = evaluate(layout(), table_.methods[row].method, Wanted{true, true});
        }
    }
}

void Session::take_rows(const ScoreJob& job, const std::vector<Evaluation>& rows) {
    if (!(job.layout == layout()) || rows.size() != job.methods.size()) {
        return;  // an older layout's rows
    }
    bool taken = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = row_of(table_.methods, job.methods[i]);
        if (row < 0) {
            continue;
        }
        Evaluation& e = table_.rows[static_cast<std::size_t>(row)];
        const bool wanted = drawn_row(table_, static_cast<std::size_t>(row));
        if (e.pending && !rows[i].pending && (job.drawn[i] || !wanted)) {
            e = rows[i];
            taken = true;
        }
    }
    if (!taken) {
        return;
    }
    if (table_ready()) {
        scoring_.reset();
        refresh_loo_cells();
        request_loo();
    }
    tell(table_changed | loo_changed);
}

bool Session::loo_ready() const {
    return std::none_of(loo_cells_.begin(), loo_cells_.end(),
                        [](const LooCell& cell) { return cell.kind == LooCell::Kind::pending; });
}

std::optional<int> Session::selected_index() const {
    const auto& stations = layout().stations;
    const auto found = std::find(stations.begin(), stations.end(), selected_.value_or(-1));
    if (!selected_ || found == stations.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - stations.begin());
}

Scene Session::scene(bool fit_estimate) const {
    return build_scene(setup(), table_, SceneOptions{fit_estimate, selected_});
}

bool Session::apply(const Edit& edit, std::uint64_t merge_key) {
    if (edit.accepted() && stations_fixed_ && edit.setup.layout.stations != layout().stations) {
        return apply(Edit{setup(), "In this step the stations stay where they are.", {}, {}});
    }
    if (!edit.accepted()) {
        refusal_ = edit.refusal;
        tell(refusal_changed);
        return false;
    }
    unsigned changes = refusal_.empty() ? 0u : refusal_changed;
    refusal_.clear();
    if (edit.station && selected_ != edit.station) {
        selected_ = edit.station;
        changes |= selection_changed;
    }
    if (history_.apply(edit, merge_key)) {
        setup_replaced(changes | setup_changed | history_changed);
    } else if (changes != 0) {
        tell(changes);
    }
    return true;
}

bool Session::add_station(double x) {
    return apply(explore::add_station(setup(), x));
}

bool Session::drag_station(int index, double x, std::uint64_t gesture) {
    return apply(explore::drag_station(setup(), index, x), gesture);
}

bool Session::move_station(int index, int to) {
    return apply(explore::move_station(setup(), index, to));
}

bool Session::remove_station(int index) {
    return apply(explore::remove_station(setup(), index));
}

bool Session::remove_selected() {
    if (const auto index = selected_index()) {
        return remove_station(*index);
    }
    return apply(Edit{setup(), "Select a station first.", {}, std::nullopt});
}

bool Session::set_field(Field field) {
    return apply(explore::set_field(setup(), field));
}

bool Session::load_preset(int scenario) {
    return apply(explore::load_preset(setup(), scenario));
}

bool Session::choose_method(int entry) {
    return apply(explore::choose_method(setup(), entry));
}

bool Session::choose_compare(std::optional<int> entry) {
    return apply(explore::choose_compare(setup(), entry));
}

bool Session::use_tour_values() {
    return apply(explore::use_tour_values(setup()));
}

bool Session::set_parameter(int index, std::string_view text) {
    return apply(explore::set_parameter(setup(), index, text));
}

void Session::undo() {
    if (history_.can_undo()) {
        history_.undo();
        setup_replaced(setup_changed | history_changed);
    }
}

void Session::redo() {
    if (history_.can_redo()) {
        history_.redo();
        setup_replaced(setup_changed | history_changed);
    }
}

void Session::select(std::optional<int> position) {
    const auto& stations = layout().stations;
    if (position && std::find(stations.begin(), stations.end(), *position) == stations.end()) {
        position.reset();
    }
    if (position != selected_) {
        selected_ = position;
        tell(selection_changed);
    }
}

void Session::open(Setup setup) {
    history_.reset(std::move(setup));
    const bool had_selection = selected_.has_value();
    selected_.reset();
    const bool had_refusal = !refusal_.empty();
    refusal_.clear();
    setup_replaced(setup_changed | history_changed | (had_selection ? selection_changed : 0u) |
                   (had_refusal ? refusal_changed : 0u));
}

void Session::mark_saved() {
    history_.mark_saved();
    tell(history_changed);
}

void Session::set_loo_runner(LooRunner* runner) {
    runner_ = runner;
    in_flight_.reset();
    request_loo();
}

void Session::compute_loo() {
    std::vector<MethodChoice> missing;
    for (std::size_t row = 0; row < loo_cells_.size(); ++row) {
        if (loo_cells_[row].kind == LooCell::Kind::pending && !table_.rows[row].pending) {
            missing.push_back(table_.methods[row].method);
        }
    }
    if (missing.empty()) {
        return;
    }
    const LooJob job{layout(), std::move(missing)};
    if (const auto cells = run_loo_job(job)) {
        take_loo(job, *cells);
    }
}

void Session::take_loo(const LooJob& job, const std::vector<LooCell>& cells) {
    if (cells.size() != job.methods.size()) {
        return;
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        memory_.remember(job.layout, job.methods[i], cells[i]);
    }
    if (in_flight_ && *in_flight_ == job) {
        in_flight_.reset();
    }
    if (job.layout == layout()) {
        refresh_loo_cells();
        request_loo();
        tell(loo_changed);
    } else {
        request_loo();
    }
}

int Session::watch(Watcher watcher) {
    watchers_.emplace_back(next_watcher_, std::move(watcher));
    return next_watcher_++;
}

void Session::unwatch(int id) {
    std::erase_if(watchers_, [id](const auto& w) { return w.first == id; });
}

void Session::setup_replaced(unsigned changes) {
    table_ = planned_table(setup(), &table_);
    score_rows();
    if (selected_ && !selected_index()) {
        selected_.reset();
        changes |= selection_changed;
    }
    refresh_loo_cells();
    request_loo();
    tell(changes | table_changed | loo_changed);
}

void Session::refresh_loo_cells() {
    loo_cells_.assign(table_.rows.size(), LooCell{});
    for (std::size_t row = 0; row < table_.rows.size(); ++row) {
        if (table_.rows[row].pending) {
            loo_cells_[row] = LooCell{LooCell::Kind::pending, 0.0, {}};
            continue;  // waits for its row
        }
        if (!table_.rows[row].ran()) {
            continue;  // no cross-validation for a method that cannot run at all
        }
        const auto known = memory_.recall(layout(), table_.methods[row].method);
        loo_cells_[row] = known ? *known : LooCell{LooCell::Kind::pending, 0.0, {}};
    }
}

void Session::request_loo() {
    if (!table_ready()) {
        return;  // the cross-validation waits for the whole table
    }
    std::vector<MethodChoice> missing;
    for (std::size_t row = 0; row < loo_cells_.size(); ++row) {
        if (loo_cells_[row].kind == LooCell::Kind::pending && !table_.rows[row].pending) {
            missing.push_back(table_.methods[row].method);
        }
    }
    if (missing.empty() || runner_ == nullptr) {
        return;
    }
    if (in_flight_ && covers(*in_flight_, layout(), missing)) {
        return;  // the job still running brings them
    }
    in_flight_ = LooJob{layout(), std::move(missing)};
    runner_->start(*in_flight_);
}

void Session::tell(unsigned changes) {
    const auto watchers = watchers_;  // a view may stop watching while told
    for (const auto& [id, watcher] : watchers) {
        watcher(changes);
    }
}

}  // namespace tour::explore
