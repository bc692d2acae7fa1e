#include "explore/curves_csv.hpp"

#include "display/csv_text.hpp"
#include "explore/fault_text.hpp"

namespace tour::explore {

namespace {

// The columns of one method: its estimate and, for kriging, its variance.
struct Columns {
    const Evaluation* row = nullptr;  // none: the columns stay empty
    std::string estimate(std::size_t x) const {
        return row != nullptr && x < row->estimate.size() ? csv_number(row->estimate[x]) : "";
    }
    std::string variance(std::size_t x) const {
        return row != nullptr && x < row->variance.size() ? csv_number(row->variance[x]) : "";
    }
};

Columns columns_of(const ScoreTable& table, std::optional<int> row, const char* role,
                   std::vector<std::string>& faults) {
    if (!row) {
        return {};
    }
    const Evaluation& e = table.rows[static_cast<std::size_t>(*row)];
    if (!e.ran()) {
        faults.push_back(
            cannot_run_text(table.methods[static_cast<std::size_t>(*row)].label, role, e.fault));
        return {};
    }
    return Columns{&e};
}

}  // namespace

CurvesCsv curves_csv(const ScoreTable& table) {
    CurvesCsv csv;
    const Columns chosen = columns_of(table, table.chosen_row, "chosen", csv.faults);
    const Columns compared = columns_of(table, table.compared_row, "compared", csv.faults);
    csv.text = "position,true_field,estimate,variance,compare,compare_variance\n";
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        const auto slot = static_cast<std::size_t>(x);
        csv.text += std::to_string(x) + "," + csv_number(observed(table.layout.field, x)) + "," +
                    chosen.estimate(slot) + "," + chosen.variance(slot) + "," +
                    compared.estimate(slot) + "," + compared.variance(slot) + "\n";
    }
    return csv;
}

CurvesCsv curves_csv(const Setup& setup) {
    return curves_csv(score_table(setup));
}

}  // namespace tour::explore
