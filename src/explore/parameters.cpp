#include "explore/parameters.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "world/numerals.hpp"

namespace tour::explore {

namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::string format_value(float value) {
    // Values are read as doubles (a setup file's JSON numbers, a typed
    // value) and then stored as Singles. The shortest text reads back so for
    // all Singles but one, whose nearest double is the middle to the next
    // Single; nine digits always do.
    const std::string shortest = shortest_text(value);
    const ParsedNumber read = parse_number(shortest);
    if (read.status == ParsedNumber::Status::ok && static_cast<float>(read.value) == value) {
        return shortest;
    }
    return significant_text(value, 9);
}

std::string label_value(float value) {
    std::string text = format_value(value);
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    }
    return text;
}

std::string range_text(const ParameterSpec& spec) {
    const std::string least = format_value(spec.least);
    const std::string most = format_value(spec.most);
    switch (spec.kind) {
        case ParameterSpec::Kind::whole:
            return "a whole number from " + least + " to " + most;
        case ParameterSpec::Kind::choice:
            return std::string(spec.choices[0]) + " or " + spec.choices[1];
        case ParameterSpec::Kind::real:
            break;
    }
    if (spec.least_allowed) {
        return "from " + least + " to " + most;
    }
    return "greater than " + least + " and at most " + most;
}

std::string value_refusal(const ParameterSpec& spec, double value) {
    const std::string must = std::string(spec.label) + " must be " + range_text(spec) + "; ";
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return must + "that is outside.";
    }
    const auto single = static_cast<float>(value);
    if (spec.kind != ParameterSpec::Kind::real && std::floor(single) != single) {
        return must + format_value(single) + " is not a whole number.";
    }
    const bool above_least = spec.least_allowed ? single >= spec.least : single > spec.least;
    if (!above_least || single > spec.most) {
        return must + format_value(single) + " is outside.";
    }
    return {};
}

ParsedValue parse_value(const ParameterSpec& spec, std::string_view text) {
    std::string typed = trimmed(text);
    ParsedValue parsed;
    if (spec.kind == ParameterSpec::Kind::choice) {
        for (int i = 0; i < 2; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            if (typed == spec.choices[slot] || typed == spec.choice_labels[slot]) {
                parsed.value = static_cast<float>(i);
                return parsed;
            }
        }
        parsed.refusal = std::string(spec.label) + " must be " + spec.choice_labels[0] + " or " +
                         spec.choice_labels[1] + ".";
        return parsed;
    }
    for (char& c : typed) {
        if (c == ',') {
            c = '.';
        }
    }
    const ParsedNumber read = parse_number(typed);
    double value = read.value;
    if (read.status == ParsedNumber::Status::out_of_range) {
        value = std::numeric_limits<double>::infinity();
    } else if (read.status != ParsedNumber::Status::ok) {
        parsed.refusal = std::string(spec.label) + " must be " + range_text(spec) + "; \"" + typed +
                         "\" is not a number.";
        return parsed;
    }
    parsed.refusal = value_refusal(spec, value);
    parsed.value = static_cast<float>(value);
    return parsed;
}

}  // namespace tour::explore
