// The pieces the setup and lesson readers share: JSON text parsed with each
// key once and a bounded nesting, and the field, the stations and a method
// read from it, each refused with a message that says what is wrong and
// where ("stations[3]: 1200 is outside 0..1000"); a method written back.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "explore/setup.hpp"

namespace tour::explore {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// What is wrong, and where.
class Invalid : public std::runtime_error {
  public:
    Invalid(const std::string& where, const std::string& what)
        : std::runtime_error(where.empty() ? what : where + ": " + what) {}
};

// A JSON value as the message quotes it, cut short if long.
std::string shown(const Json& value);
// "method.power", "stations[3]".
std::string child(const std::string& where, const std::string& key);
std::string element(const std::string& where, std::size_t index);

// Every key of the object is one of the allowed; a typo is caught here. The
// message lists them after holder: "a setup has format, version and field".
void check_keys(const Json& object, const std::string& where,
                const std::vector<std::string>& allowed, const std::string& holder);
const Json& required(const Json& object, const std::string& where, const char* key);
// A JSON number with a whole value.
bool whole_number(const Json& value, double& number);

Field read_field(const Json& value, const std::string& where);
// 3 to 21 whole positions, increasing, from 0 to 1000.
std::vector<int> read_stations(const Json& value, const std::string& where);
// {"name": ..., and the procedure's parameters}; one left out takes the tour's value.
MethodChoice read_method(const Json& value, const std::string& where);
// The method as read_method reads it: parameters that apply, reals in the
// shortest text that reads back as the same Single.
OrderedJson method_json(const MethodChoice& method);

// JSON text whose objects name each key once and whose lists and objects
// nest at most deepest levels; error says what is wrong ("line 3, column 5:
// not valid JSON (...)"), holder naming the document ("a setup").
struct JsonDocument {
    Json json;
    std::string error;  // empty: json holds the document
};
JsonDocument parse_json(std::string_view text, const std::string& holder, int deepest);

}  // namespace tour::explore
