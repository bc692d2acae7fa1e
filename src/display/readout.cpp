#include "display/readout.hpp"

#include <cstdio>

namespace tour {

std::string format_error(float value, const std::string& decimal_separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", static_cast<double>(value));
    std::string text(buffer);
    const auto point = text.find('.');
    if (point != std::string::npos) {
        text.replace(point, 1, decimal_separator);
    }
    return text;
}

namespace {
void put_line(std::string& column, bool restart, const std::string& line) {
    column = restart ? line : column + '\n' + line;
}
}  // namespace

void writeerr(ValueColumns& columns, bool restart, const std::string& method, float rms, float max,
              const std::string& decimal_separator) {
    put_line(columns.method, restart, method);
    put_line(columns.rms, restart, format_error(rms, decimal_separator));
    put_line(columns.max, restart, format_error(max, decimal_separator));
}

}  // namespace tour
