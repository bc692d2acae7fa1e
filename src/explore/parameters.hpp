// The parameters of a method as a person types and reads them: checked
// against the range in which the method stays defined, and written back in
// the fewest digits that give the same Single.
#pragma once

#include <string>
#include <string_view>

#include "tour/catalogue.hpp"

namespace tour::explore {

// The shortest decimal text that reads back as the same Single: "2.5", "0.01".
std::string format_value(float value);
// As the tour's labels write a value: without a zero before the point (".5").
std::string label_value(float value);

// The allowed values in words: "greater than 0 and at most 20",
// "a whole number from 1 to 21".
std::string range_text(const ParameterSpec& spec);

// Why the value is not allowed for the parameter, or "" when it is. The value
// is taken as the Single it is stored as.
std::string value_refusal(const ParameterSpec& spec, double value);

// A typed value: a number with '.' or ',' before the decimals, or for a
// choice one of its names or labels.
struct ParsedValue {
    float value = 0.0f;
    std::string refusal;  // empty: value holds the parameter's new value
};
ParsedValue parse_value(const ParameterSpec& spec, std::string_view text);

}  // namespace tour::explore
