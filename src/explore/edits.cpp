#include "explore/edits.hpp"

#include <algorithm>
#include <cmath>

#include "explore/parameters.hpp"

namespace tour::explore {

namespace {

const std::string kEndsStay =
    "The stations at 0 and 1000 stay where they are: every method needs them.";

Edit accepted(Setup setup, std::string name, std::optional<int> station = std::nullopt) {
    return Edit{std::move(setup), {}, std::move(name), station};
}

Edit refused(const Setup& setup, std::string why) {
    return Edit{setup, std::move(why), {}, std::nullopt};
}

bool valid_index(const Setup& setup, int index) {
    return index >= 0 && index < static_cast<int>(setup.layout.stations.size());
}

bool is_end(const Setup& setup, int index) {
    return index == 0 || index == static_cast<int>(setup.layout.stations.size()) - 1;
}

int station_at(const Setup& setup, int index) {
    return setup.layout.stations[static_cast<std::size_t>(index)];
}

std::string where(int position) {
    return std::to_string(position);
}

}  // namespace

std::string layout_refusal(const Layout& layout) {
    const auto& s = layout.stations;
    const int count = static_cast<int>(s.size());
    if (count < kLeastStations || count > kMostStations) {
        return "There must be 3 to 21 stations; there are " + std::to_string(count) + ".";
    }
    if (s.front() != kWestEnd || s.back() != kEastEnd) {
        return "The first station must be at 0 and the last at 1000.";
    }
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] <= s[i - 1]) {
            return "The stations must be in increasing order.";
        }
    }
    return {};
}

Edit add_station(const Setup& setup, double x) {
    if (!std::isfinite(x) || x < kWestEnd - 0.5 || x > kEastEnd + 0.5) {
        return refused(setup, "A station must lie between 0 and 1000.");
    }
    const int position = std::clamp(static_cast<int>(std::lround(x)), kWestEnd, kEastEnd);
    auto stations = setup.layout.stations;
    if (static_cast<int>(stations.size()) >= kMostStations) {
        return refused(setup, "There are already 21 stations, the most the methods take.");
    }
    const auto place = std::lower_bound(stations.begin(), stations.end(), position);
    if (place != stations.end() && *place == position) {
        return refused(setup, "There is a station at " + where(position) + " already.");
    }
    stations.insert(place, position);
    Setup result = setup;
    result.layout.stations = std::move(stations);
    return accepted(std::move(result), "Add station", position);
}

// Why station index cannot move, if it cannot.
std::optional<std::string> fixed(const Setup& setup, int index) {
    if (!valid_index(setup, index)) {
        return "There is no such station.";
    }
    if (is_end(setup, index)) {
        return kEndsStay;
    }
    return std::nullopt;
}

Edit move_station(const Setup& setup, int index, int to) {
    if (const auto why = fixed(setup, index)) {
        return refused(setup, *why);
    }
    const int west = station_at(setup, index - 1);
    const int east = station_at(setup, index + 1);
    if (to <= west) {
        return refused(setup,
                       "A station cannot land on or pass its neighbour at " + where(west) + ".");
    }
    if (to >= east) {
        return refused(setup,
                       "A station cannot land on or pass its neighbour at " + where(east) + ".");
    }
    if (to == station_at(setup, index)) {
        return accepted(setup, "Move station", to);
    }
    Setup result = setup;
    result.layout.stations[static_cast<std::size_t>(index)] = to;
    return accepted(std::move(result), "Move station", to);
}

Edit drag_station(const Setup& setup, int index, double x) {
    if (const auto why = fixed(setup, index)) {
        return refused(setup, *why);
    }
    if (!std::isfinite(x)) {
        return refused(setup, "A station must lie between 0 and 1000.");
    }
    const int west = station_at(setup, index - 1);
    const int east = station_at(setup, index + 1);
    const double nearest =
        std::clamp(std::round(x), static_cast<double>(west + 1), static_cast<double>(east - 1));
    return move_station(setup, index, static_cast<int>(nearest));
}

Edit remove_station(const Setup& setup, int index) {
    if (const auto why = fixed(setup, index)) {
        return refused(setup, *why);
    }
    if (static_cast<int>(setup.layout.stations.size()) <= kLeastStations) {
        return refused(setup, "There must be at least 3 stations.");
    }
    Setup result = setup;
    auto& stations = result.layout.stations;
    stations.erase(stations.begin() + index);
    return accepted(std::move(result), "Remove station");
}

Edit set_field(const Setup& setup, Field field) {
    Setup result = setup;
    result.layout.field = field;
    return accepted(std::move(result), "Change field");
}

Edit load_preset(const Setup& setup, int scenario) {
    if (scenario < 1 || scenario > 3) {
        return refused(setup, "The tour has scenarios 1 to 3.");
    }
    // Whole names from a table: built from pieces in the code, a name would
    // leave word fragments in the binary that spell checkers take for typos.
    static const char* const kNames[] = {"Load scenario 1", "Load scenario 2", "Load scenario 3"};
    Setup result = setup;
    result.layout = preset_layout(scenario);
    return accepted(std::move(result), kNames[scenario - 1]);
}

Edit choose_method(const Setup& setup, int entry) {
    if (entry < 0 || entry >= static_cast<int>(catalogue().size())) {
        return refused(setup, "There is no such method.");
    }
    Setup result = setup;
    result.method = tour_method(entry);
    return accepted(std::move(result), "Choose method");
}

Edit choose_compare(const Setup& setup, std::optional<int> entry) {
    if (entry && (*entry < 0 || *entry >= static_cast<int>(catalogue().size()))) {
        return refused(setup, "There is no such method.");
    }
    Setup result = setup;
    if (entry) {
        result.compare = tour_method(*entry);
    } else {
        result.compare.reset();
    }
    return accepted(std::move(result), "Choose comparison");
}

Edit use_tour_values(const Setup& setup) {
    Setup result = setup;
    result.method = tour_method(setup.method.entry);
    return accepted(std::move(result), "Use the tour's values");
}

namespace {

const ParameterSpec* parameter_spec(const Setup& setup, int index) {
    const ProcedureSpec& spec = procedure_of(setup.method);
    if (index < 0 || index >= spec.parameter_count) {
        return nullptr;
    }
    return &spec.parameters[static_cast<std::size_t>(index)];
}

Edit with_parameter(const Setup& setup, int index, float value) {
    Setup result = setup;
    result.method.values[static_cast<std::size_t>(index)] = value;
    return accepted(std::move(result),
                    std::string("Change ") + parameter_spec(setup, index)->label);
}

}  // namespace

Edit set_parameter(const Setup& setup, int index, std::string_view text) {
    const ParameterSpec* spec = parameter_spec(setup, index);
    if (spec == nullptr) {
        return refused(setup, "The method has no such parameter.");
    }
    const ParsedValue parsed = parse_value(*spec, text);
    if (!parsed.refusal.empty()) {
        return refused(setup, parsed.refusal);
    }
    return with_parameter(setup, index, parsed.value);
}

Edit set_parameter_value(const Setup& setup, int index, double value) {
    const ParameterSpec* spec = parameter_spec(setup, index);
    if (spec == nullptr) {
        return refused(setup, "The method has no such parameter.");
    }
    const std::string why = value_refusal(*spec, value);
    if (!why.empty()) {
        return refused(setup, why);
    }
    return with_parameter(setup, index, static_cast<float>(value));
}

}  // namespace tour::explore
