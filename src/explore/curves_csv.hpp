// The curves behind the explorer's plot as CSV, for a student's own plots:
// at each grid position 0..1000 the true field, the chosen method's estimate
// and kriging variance, and the compared method's. Numbers have 9
// significant digits and '.'; a cell without a value is empty: the variance
// of a method that is not kriging, the columns of the Bezier curve (which
// has no values at grid positions), of a method that cannot run on the
// layout, and the compare columns when nothing is compared.
#pragma once

#include <ostream>
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

// The curves of the setup file at path written to out, or what is wrong to
// err. Returns the exit status: 0, 1 when the file cannot be read, 2 when it
// is not a valid setup, 3 when the chosen or compared method cannot run on
// its layout (its columns are then empty and the reason goes to err).
int curves_setup_file(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace tour::explore
