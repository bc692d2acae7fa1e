#include "display/csv_text.hpp"

#include "world/numerals.hpp"

namespace tour {

std::string csv_number(double value) {
    return significant_text(value, 9);
}

std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

}  // namespace tour
