#include "explore/score_csv.hpp"

#include "display/csv_text.hpp"
#include "explore/session.hpp"

namespace tour::explore {

std::string score_csv(const ScoreTable& table, const std::vector<LooCell>& cells) {
    std::string csv = "method,rms_error,max_error,loo_rms_error,fault\n";
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const Evaluation& e = table.rows[row];
        const LooCell cell = row < cells.size() ? cells[row] : LooCell{};
        std::string fault = e.fault;
        if (e.ran() && cell.kind == LooCell::Kind::fault) {
            fault = "leave-one-out: " + cell.fault;
        }
        csv += csv_field(table.methods[row].label) + ",";
        csv += (e.ran() ? csv_number(e.rms) : "") + ",";
        csv += (e.ran() ? csv_number(e.max) : "") + ",";
        csv += (e.ran() && cell.kind == LooCell::Kind::value ? csv_number(cell.rms) : "") + ",";
        csv += csv_field(fault) + "\n";
    }
    return csv;
}

std::string score_csv(const Setup& setup) {
    Session session(setup);
    session.compute_loo();
    return score_csv(session.table(), session.loo_cells());
}

}  // namespace tour::explore
