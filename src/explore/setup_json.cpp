#include "explore/setup_json.hpp"

#include "explore/setup_reading.hpp"

namespace tour::explore {

namespace {

constexpr const char* kFormat = "interp1d-tour setup";
constexpr int kVersion = 1;
// A setup's lists and objects: the document, its methods and the stations.
constexpr int kDeepest = 2;

Setup read_setup(const Json& json) {
    if (!json.is_object()) {
        throw Invalid("", "a setup is a JSON object {\"format\": \"interp1d-tour setup\", ...}");
    }
    check_keys(json, "", {"format", "version", "field", "stations", "method", "compare"},
               "a setup has");
    const Json& format = required(json, "", "format");
    if (!format.is_string() || format.get<std::string>() != kFormat) {
        throw Invalid("format", shown(format) + " is not \"interp1d-tour setup\"");
    }
    const Json& version = required(json, "", "version");
    double number = 0.0;
    if (!whole_number(version, number) || number != kVersion) {
        throw Invalid("version", shown(version) + " is not a version this program reads (1)");
    }
    Setup setup;
    setup.layout.field = read_field(required(json, "", "field"), "field");
    setup.layout.stations = read_stations(required(json, "", "stations"), "stations");
    setup.method = tour_method(0);
    if (const auto method = json.find("method"); method != json.end()) {
        setup.method = read_method(*method, "method");
    }
    if (const auto compare = json.find("compare"); compare != json.end()) {
        setup.compare = read_method(*compare, "compare");
    }
    return setup;
}

}  // namespace

ParsedSetup parse_setup(std::string_view text) {
    ParsedSetup parsed;
    const JsonDocument document = parse_json(text, "a setup", kDeepest);
    if (!document.error.empty()) {
        parsed.error = document.error;
        return parsed;
    }
    try {
        parsed.setup = read_setup(document.json);
    } catch (const Invalid& invalid) {
        parsed.error = invalid.what();
    }
    return parsed;
}

namespace {

OrderedJson setup_json(const Setup& setup) {
    OrderedJson json;
    json["format"] = kFormat;
    json["version"] = kVersion;
    json["field"] = field_name(setup.layout.field);
    json["stations"] = setup.layout.stations;
    json["method"] = method_json(setup.method);
    if (setup.compare) {
        json["compare"] = method_json(*setup.compare);
    }
    return json;
}

}  // namespace

std::string setup_text(const Setup& setup) {
    return setup_json(setup).dump(2) + "\n";
}

std::string compact_setup_text(const Setup& setup) {
    return setup_json(setup).dump();
}

}  // namespace tour::explore
