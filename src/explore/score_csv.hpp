// The score table as CSV: one row per table row in its order, the numbers to
// 9 significant digits with '.', an empty cell where a row has no value, and
// the reason in the fault column.
#pragma once

#include <string>
#include <vector>

#include "explore/scores.hpp"

namespace tour::explore {

// cells: the leave-one-out cells in the order of the table's rows; a pending
// cell is written empty.
std::string score_csv(const ScoreTable& table, const std::vector<LooCell>& cells);

// The whole table of a setup with its leave-one-out column, as CSV.
std::string score_csv(const Setup& setup);

}  // namespace tour::explore
