// The curves behind the explorer's plot as CSV, for a student's own plots:
// at each grid position 0..1000 the true field, the chosen method's estimate
// and kriging variance, and the compared method's. Numbers have 9
// significant digits and '.'; a cell without a value is empty: the variance
// of a method that is not kriging, the columns of the Bezier curve (which
// has no values at grid positions), of a method that cannot run on the
// layout, and the compare columns when nothing is compared.
#pragma once

#include <string>
#include <vector>

#include "explore/scores.hpp"

namespace tour::explore {

struct CurvesCsv {
    std::string text;
    // Why the chosen or the compared method has empty columns, where it
    // cannot run on the layout.
    std::vector<std::string> faults;
};

// From the table the plot shows: its chosen and compared rows hold the curves.
CurvesCsv curves_csv(const ScoreTable& table);
CurvesCsv curves_csv(const Setup& setup);

}  // namespace tour::explore
