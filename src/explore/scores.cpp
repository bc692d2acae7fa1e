#include "explore/scores.hpp"

#include <cmath>

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
    const ProcedureSpec& spec = procedure_of(method);
    for (std::size_t row = 0; row < methods.size(); ++row) {
        const MethodChoice& shown = methods[row].method;
        if (procedure_of(shown).id == spec.id && same_method(spec, shown.values, method.values)) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

ScoreTable score_table(const Setup& setup) {
    ScoreTable table;
    table.methods = table_methods(setup);
    table.chosen_row = row_of(table.methods, setup.method);
    if (setup.compare) {
        table.compared_row = row_of(table.methods, *setup.compare);
    }
    table.rows.resize(table.methods.size());
    parallel_for(static_cast<int>(table.rows.size()), [&](int row) {
        const bool drawn = row == table.chosen_row || row == table.compared_row;
        const auto slot = static_cast<std::size_t>(row);
        table.rows[slot] = evaluate(setup.layout, table.methods[slot].method, Wanted{drawn, drawn});
    });
    return table;
}

std::optional<std::vector<LooCell>> leave_one_out(const Layout& layout,
                                                  const std::vector<MethodChoice>& methods,
                                                  const std::function<bool()>& stopped) {
    const int inner = static_cast<int>(layout.stations.size()) - 2;
    const int count = inner > 0 ? static_cast<int>(methods.size()) * inner : 0;
    std::vector<PointEstimate> folds(static_cast<std::size_t>(count));
    parallel_for(
        count,
        [&](int item) {
            const auto method = static_cast<std::size_t>(item / inner);
            const auto k = static_cast<std::size_t>(item % inner) + 1;
            folds[static_cast<std::size_t>(item)] =
                estimate_at(without_station(layout, k), methods[method], layout.stations[k]);
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
