// The score table: every tour method at its tour values, and the chosen
// and compared methods at theirs where no tour method has them, each with
// its errors against the true field or the reason it could not run; and
// leave-one-out cross-validation of the same methods.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "explore/evaluate.hpp"
#include "explore/setup.hpp"

namespace tour::explore {

struct TableMethod {
    MethodChoice method;
    std::string label;
    bool tour_values = true;  // a tour method at its tour values
    friend bool operator==(const TableMethod&, const TableMethod&) = default;
};

// The table's methods in its order: the tour's 31, then the chosen method
// and then the compared one, each only where no row before has its values.
std::vector<TableMethod> table_methods(const Setup& setup);

// The row of the table that shows the method.
int row_of(const std::vector<TableMethod>& methods, const MethodChoice& method);

struct ScoreTable {
    Layout layout;  // what the rows were computed on
    std::vector<TableMethod> methods;
    std::vector<Evaluation> rows;  // in the order of methods
    int chosen_row = 0;            // its evaluation holds the estimate
    std::optional<int> compared_row;
};

// Every row evaluated, spread over the machine's cores. The chosen and the
// compared method's rows keep their estimates (and kriging's variance) for
// drawing. Rows of an earlier table of the same layout are taken over, so
// changing a parameter computes one row, not the whole table.
ScoreTable score_table(const Setup& setup, const ScoreTable* earlier = nullptr);

// The same in two steps: the table with the rows taken over from the earlier
// one and the others pending, and then those rows computed.
ScoreTable planned_table(const Setup& setup, const ScoreTable* earlier);
bool drawn_row(const ScoreTable& table, std::size_t row);
void score_pending_rows(ScoreTable& table);

// The leave-one-out RMS error of a method, or why there is none. A pending
// cell waits for its computation.
struct LooCell {
    enum class Kind { value, none, fault, pending };
    Kind kind = Kind::none;
    double rms = 0.0;
    std::string fault;
    friend bool operator==(const LooCell&, const LooCell&) = default;
};

// For every inner station k (all but the first and the last) in turn: the
// method runs without it, and error_k is its estimate at the station's
// position minus the true field there. The cell holds the root of the mean
// of error_k squared, in double precision, or the first fold's fault; a
// method without an estimate on the grid has none. Whatever a fold throws
// is that fold's fault. Returns nothing if stopped() became true before
// every fold was done; fold_done() is called after each fold, on the
// thread that ran it.
std::optional<std::vector<LooCell>> leave_one_out(const Layout& layout,
                                                  const std::vector<MethodChoice>& methods,
                                                  const std::function<bool()>& stopped = {},
                                                  const std::function<void()>& fold_done = {});

}  // namespace tour::explore
