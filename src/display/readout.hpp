// The three value columns beside the plot: method labels, RMS errors and
// maximum errors, one line per scored method, lines joined by a line feed.
#pragma once

#include <string>

namespace tour {

struct ValueColumns {
    std::string method;  // Label5
    std::string rms;     // Label6
    std::string max;     // Label7
    friend bool operator==(const ValueColumns&, const ValueColumns&) = default;
};

// At least one integer digit, exactly three decimals, no grouping, the
// given decimal separator ("##0.000" and "######0.000" print alike).
std::string format_error(float value, const std::string& decimal_separator);

// Stage 3 starts the columns afresh with its line; any other scored stage
// appends its line to each column.
void writeerr(ValueColumns& columns, bool restart, const std::string& method, float rms, float max,
              const std::string& decimal_separator);

}  // namespace tour
