// Cells of the program's CSV files, the same bytes in every build and
// language: numbers to 9 significant digits with '.', text quoted where it
// holds a comma, a quote or a line break.
#pragma once

#include <string>

namespace tour {

std::string csv_number(double value);
std::string csv_field(const std::string& text);

}  // namespace tour
