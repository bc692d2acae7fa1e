#include "explore/setup_reading.hpp"

#include <algorithm>
#include <cmath>

#include "explore/edits.hpp"
#include "explore/parameters.hpp"
#include "world/numerals.hpp"

namespace tour::explore {

namespace {

// Thrown from the parser's callback to stop at a nesting too deep.
struct TooDeep {};

// Line and column (from 1) of the byte at offset in text.
std::string line_and_column(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's reason without its prefix ("[json.exception.parse_error.101]
// parse error at line 1, column 5: ") and without the text it last read,
// which the line and column point at.
std::string json_reason(const std::string& what) {
    const auto colon = what.find(": ");
    std::string reason = colon == std::string::npos ? what : what.substr(colon + 2);
    const auto read = reason.find("; last read: ");
    if (read != std::string::npos) {
        const auto expected = reason.find("; expected", read);
        reason.erase(read, expected == std::string::npos ? std::string::npos : expected - read);
    }
    return reason;
}

}  // namespace

// A JSON value as the message quotes it, cut short if long.
std::string shown(const Json& value) {
    std::string text = value.dump();
    if (text.size() > 40) {
        text = text.substr(0, 37) + "...";
    }
    return text;
}

// Every key of the object is one of the allowed; a typo is caught here.
void check_keys(const Json& object, const std::string& where,
                const std::vector<std::string>& allowed, const std::string& holder) {
    for (const auto& item : object.items()) {
        bool known = false;
        for (const std::string& key : allowed) {
            known = known || item.key() == key;
        }
        if (!known) {
            std::string keys;
            for (std::size_t i = 0; i < allowed.size(); ++i) {
                keys += (i == 0 ? "" : (i + 1 == allowed.size() ? " and " : ", ")) + allowed[i];
            }
            throw Invalid(where, "unknown key \"" + item.key() + "\"; " + holder + " " + keys);
        }
    }
}

std::string child(const std::string& where, const std::string& key) {
    return where.empty() ? key : where + "." + key;
}

std::string element(const std::string& where, std::size_t index) {
    return where + "[" + std::to_string(index) + "]";
}

const Json& required(const Json& object, const std::string& where, const char* key) {
    const auto found = object.find(key);
    if (found == object.end()) {
        throw Invalid(where, std::string("\"") + key + "\" is missing");
    }
    return *found;
}

// A JSON number with a whole value, as an integer.
bool whole_number(const Json& value, double& number) {
    if (!value.is_number()) {
        return false;
    }
    number = value.get<double>();
    return std::isfinite(number) && std::floor(number) == number;
}

Field read_field(const Json& value, const std::string& where) {
    for (const Field field : {Field::bump, Field::plateau}) {
        if (value.is_string() && value.get<std::string>() == field_name(field)) {
            return field;
        }
    }
    throw Invalid(where, shown(value) + " is not a field; it is \"bump\" or \"plateau\"");
}

std::vector<int> read_stations(const Json& value, const std::string& where_list) {
    if (!value.is_array()) {
        throw Invalid(where_list, "a list of station positions [0, ..., 1000] is expected");
    }
    std::vector<int> stations;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string where = element(where_list, i);
        double number = 0.0;
        if (!whole_number(value[i], number)) {
            throw Invalid(where, shown(value[i]) + " is not a whole number");
        }
        if (number < kWestEnd || number > kEastEnd) {
            throw Invalid(where, shown(value[i]) + " is outside 0..1000");
        }
        const int position = static_cast<int>(number);
        if (!stations.empty() && position <= stations.back()) {
            throw Invalid(where, std::to_string(position) + " does not come after " +
                                     std::to_string(stations.back()) +
                                     "; the stations must increase");
        }
        stations.push_back(position);
    }
    const int count = static_cast<int>(stations.size());
    if (count < kLeastStations || count > kMostStations) {
        throw Invalid(where_list, std::to_string(count) +
                                      (count < kLeastStations ? " stations are too few"
                                                              : " stations are too many") +
                                      "; there are 3 to 21");
    }
    if (stations.front() != kWestEnd) {
        throw Invalid(where_list,
                      "the first station must be at 0, not at " + std::to_string(stations.front()));
    }
    if (stations.back() != kEastEnd) {
        throw Invalid(where_list, "the last station must be at 1000, not at " +
                                      std::to_string(stations.back()));
    }
    return stations;
}

const ProcedureSpec& read_procedure(const Json& name, const std::string& where) {
    if (name.is_string()) {
        for (const ProcedureSpec& spec : procedures()) {
            if (name.get<std::string>() == spec.name) {
                return spec;
            }
        }
    }
    std::string names;
    for (const ProcedureSpec& spec : procedures()) {
        names += (names.empty() ? "" : ", ") + std::string(spec.name);
    }
    throw Invalid(child(where, "name"), shown(name) + " is not a method; the methods are " + names);
}

float read_parameter(const ParameterSpec& parameter, const Json& value, const std::string& where) {
    if (parameter.kind == ParameterSpec::Kind::choice) {
        for (int i = 0; i < 2; ++i) {
            if (value.is_string() &&
                value.get<std::string>() == parameter.choices[static_cast<std::size_t>(i)]) {
                return static_cast<float>(i);
            }
        }
        throw Invalid(where, shown(value) + " is not a " + parameter.label + "; it is \"" +
                                 parameter.choices[0] + "\" or \"" + parameter.choices[1] + "\"");
    }
    if (!value.is_number()) {
        throw Invalid(where, shown(value) + " is not a number");
    }
    const std::string why = value_refusal(parameter, value.get<double>());
    if (!why.empty()) {
        throw Invalid(where, why);
    }
    return static_cast<float>(value.get<double>());
}

MethodChoice read_method(const Json& value, const std::string& where) {
    if (!value.is_object()) {
        throw Invalid(where, "a method {\"name\": ..., its parameters} is expected");
    }
    const ProcedureSpec& spec = read_procedure(required(value, where, "name"), where);
    std::vector<std::string> keys{"name"};
    for (int i = 0; i < spec.parameter_count; ++i) {
        keys.push_back(spec.parameters[static_cast<std::size_t>(i)].key);
    }
    check_keys(value, where, keys,
               keys.size() == 1 ? std::string(spec.name) + " takes only"
                                : std::string(spec.name) + " takes");

    // A parameter left out takes the tour's first value.
    ParameterValues values = tour_method(first_entry(spec.id)).values;
    for (int i = 0; i < spec.parameter_count; ++i) {
        const ParameterSpec& parameter = spec.parameters[static_cast<std::size_t>(i)];
        const auto found = value.find(parameter.key);
        if (found != value.end()) {
            values[static_cast<std::size_t>(i)] =
                read_parameter(parameter, *found, child(where, parameter.key));
        }
    }
    for (int i = 0; i < spec.parameter_count; ++i) {
        const ParameterSpec& parameter = spec.parameters[static_cast<std::size_t>(i)];
        if (value.contains(parameter.key) && !parameter_applies(spec, i, values)) {
            throw Invalid(
                child(where, parameter.key),
                std::string("applies only to the ") +
                    spec.parameters[0]
                        .choice_labels[static_cast<std::size_t>(parameter.only_with_choice)] +
                    " model");
        }
    }
    return method_of(spec.id, values);
}

OrderedJson method_json(const MethodChoice& method) {
    const ProcedureSpec& spec = procedure_of(method);
    OrderedJson json;
    json["name"] = spec.name;
    for (int i = 0; i < spec.parameter_count; ++i) {
        if (!parameter_applies(spec, i, method.values)) {
            continue;
        }
        const ParameterSpec& parameter = spec.parameters[static_cast<std::size_t>(i)];
        const float value = method.values[static_cast<std::size_t>(i)];
        switch (parameter.kind) {
            case ParameterSpec::Kind::choice:
                json[parameter.key] = parameter.choices[static_cast<std::size_t>(value)];
                break;
            case ParameterSpec::Kind::whole:
                json[parameter.key] = static_cast<int>(value);
                break;
            case ParameterSpec::Kind::real:
                // The shortest decimal that reads back as the same Single,
                // whatever the locale.
                json[parameter.key] = parse_number(format_value(value)).value;
                break;
        }
    }
    return json;
}

JsonDocument parse_json(std::string_view text, const std::string& holder, int deepest) {
    JsonDocument parsed;
    // The parser keeps the last of two equal keys; a document names each once.
    std::vector<std::vector<std::string>> keys;
    std::string twice;
    int depth = 0;
    const auto note_keys = [&](int, Json::parse_event_t event, Json& value) {
        if (event == Json::parse_event_t::object_start ||
            event == Json::parse_event_t::array_start) {
            if (++depth > deepest) {
                throw TooDeep{};
            }
        } else if (event == Json::parse_event_t::object_end ||
                   event == Json::parse_event_t::array_end) {
            --depth;
        }
        if (event == Json::parse_event_t::object_start) {
            keys.emplace_back();
        } else if (event == Json::parse_event_t::object_end && !keys.empty()) {
            keys.pop_back();
        } else if (event == Json::parse_event_t::key && !keys.empty()) {
            const std::string key = value.get<std::string>();
            for (const std::string& seen : keys.back()) {
                if (seen == key && twice.empty()) {
                    twice = key;
                }
            }
            keys.back().push_back(key);
        }
        return true;
    };
    try {
        parsed.json = Json::parse(text.begin(), text.end(), note_keys);
    } catch (const Json::parse_error& error) {
        const std::size_t offset = error.byte > 0 ? error.byte - 1 : 0;
        parsed.error =
            line_and_column(text, offset) + ": not valid JSON (" + json_reason(error.what()) + ")";
        return parsed;
    } catch (const TooDeep&) {
        parsed.error = "the lists and objects are nested deeper than " + holder + " has them";
        return parsed;
    }
    if (!twice.empty()) {
        parsed.error =
            "the key \"" + twice + "\" is given twice; " + holder + " names each key once";
    }
    return parsed;
}

}  // namespace tour::explore
