#include "explore/scores.hpp"

#include <cmath>
#include <exception>

#include "explore/parallel.hpp"

namespace tour::explore {

std::vector<TableMethod> table_methods(const Setup& setup) {
    std::vector<TableMethod> methods;
    const auto entries = catalogue();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        methods.push_back({tour_method(static_cast<int>(i)), entries[i].label, true});
    }
    std::vector<MethodChoice> wanted{setup.method};
    if (setup.compare) {
        wanted.push_back(*setup.compare);
    }
    for (const MethodChoice& method : wanted) {
        if (row_of(methods, method) < 0) {
            methods.push_back({method, method_label(method), false});
        }
    }
    return methods;
}

int row_of(const std::vector<TableMethod>& methods, const MethodChoice& method) {
    for (std::size_t row = 0; row < methods.size(); ++row) {
        if (same_choice(methods[row].method, method)) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

namespace {

// The earlier table's evaluation of the method, where it has all that is wanted.
const Evaluation* taken_over(const ScoreTable* earlier, const Layout& layout,
                             const MethodChoice& method, bool drawn) {
    if (earlier == nullptr || !(earlier->layout == layout)) {
        return nullptr;
    }
    const int row = row_of(earlier->methods, method);
    if (row < 0) {
        return nullptr;
    }
    const Evaluation& e = earlier->rows[static_cast<std::size_t>(row)];
    if (e.pending) {
        return nullptr;
    }
    if (drawn && e.ran()) {
        const bool has_curve = !e.estimate.empty() || !e.curve.empty();
        const bool has_variance =
            procedure_of(method).id != Procedure::kriging || !e.variance.empty();
        if (!has_curve || !has_variance) {
            return nullptr;
        }
    }
    return &e;
}

}  // namespace

ScoreTable planned_table(const Setup& setup, const ScoreTable* earlier) {
    ScoreTable table;
    table.layout = setup.layout;
    table.methods = table_methods(setup);
    table.chosen_row = row_of(table.methods, setup.method);
    if (setup.compare) {
        table.compared_row = row_of(table.methods, *setup.compare);
    }
    table.rows.resize(table.methods.size());
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const MethodChoice& method = table.methods[row].method;
        if (const Evaluation* e =
                taken_over(earlier, setup.layout, method, drawn_row(table, row))) {
            table.rows[row] = *e;
        } else {
            table.rows[row].pending = true;
        }
    }
    return table;
}

bool drawn_row(const ScoreTable& table, std::size_t row) {
    return static_cast<int>(row) == table.chosen_row || static_cast<int>(row) == table.compared_row;
}

void score_pending_rows(ScoreTable& table) {
    std::vector<std::size_t> to_compute;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        if (table.rows[row].pending) {
            to_compute.push_back(row);
        }
    }
    parallel_for(static_cast<int>(to_compute.size()), [&](int i) {
        const std::size_t row = to_compute[static_cast<std::size_t>(i)];
        const bool drawn = drawn_row(table, row);
        table.rows[row] = evaluate(table.layout, table.methods[row].method, Wanted{drawn, drawn});
    });
}

ScoreTable score_table(const Setup& setup, const ScoreTable* earlier) {
    ScoreTable table = planned_table(setup, earlier);
    score_pending_rows(table);
    return table;
}

namespace {

// The method's estimate at x without the station index, or what kept it
// from one: a fault of the method, or anything else the run threw.
PointEstimate fold(const Layout& layout, std::size_t index, const MethodChoice& method, int x) {
    try {
        return estimate_at(without_station(layout, index), method, x);
    } catch (const std::exception& error) {
        return PointEstimate{error.what(), false, 0.0f};
    } catch (...) {
        return PointEstimate{"An unexpected error stopped the method.", false, 0.0f};
    }
}

}  // namespace

std::optional<std::vector<LooCell>> leave_one_out(const Layout& layout,
                                                  const std::vector<MethodChoice>& methods,
                                                  const std::function<bool()>& stopped,
                                                  const std::function<void()>& fold_done) {
    const int inner = static_cast<int>(layout.stations.size()) - 2;
    const int count = inner > 0 ? static_cast<int>(methods.size()) * inner : 0;
    std::vector<PointEstimate> folds(static_cast<std::size_t>(count));
    parallel_for(
        count,
        [&](int item) {
            const auto method = static_cast<std::size_t>(item / inner);
            const auto k = static_cast<std::size_t>(item % inner) + 1;
            folds[static_cast<std::size_t>(item)] =
                fold(layout, k, methods[method], layout.stations[k]);
            if (fold_done) {
                fold_done();
            }
        },
        stopped);
    if (stopped && stopped()) {
        return std::nullopt;
    }

    std::vector<LooCell> cells(methods.size());
    for (std::size_t m = 0; m < methods.size() && inner > 0; ++m) {
        LooCell& cell = cells[m];
        double sum = 0.0;
        cell.kind = LooCell::Kind::value;
        for (int k = 1; k <= inner; ++k) {
            const PointEstimate& fold =
                folds[m * static_cast<std::size_t>(inner) + static_cast<std::size_t>(k - 1)];
            const int x = layout.stations[static_cast<std::size_t>(k)];
            if (!fold.fault.empty()) {
                cell.kind = LooCell::Kind::fault;
                cell.fault = "Without the station at " + std::to_string(x) + ": " + fold.fault;
                break;
            }
            if (!fold.has_value) {
                cell.kind = LooCell::Kind::none;
                break;
            }
            const double error =
                static_cast<double>(fold.value) - static_cast<double>(observed(layout.field, x));
            sum = sum + error * error;
        }
        if (cell.kind == LooCell::Kind::value) {
            cell.rms = std::sqrt(sum / inner);
        }
    }
    return cells;
}

}  // namespace tour::explore
