#include "display/readout.hpp"

#include <charconv>

namespace tour {

std::string format_error(float value, const std::string& decimal_separator) {
    // to_chars ignores the C library's locale: the separator is ours to set.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
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
