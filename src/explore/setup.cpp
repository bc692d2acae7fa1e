#include "explore/setup.hpp"

#include "explore/parameters.hpp"
#include "world/runtime_error.hpp"

namespace tour::explore {

Layout preset_layout(int scenario) {
    World world;
    world.scenario = static_cast<std::int16_t>(scenario);
    world.nstat = scenario == 2 ? 12 : 21;
    setstations(world);
    Layout layout;
    layout.field = scenario == 3 ? Field::plateau : Field::bump;
    for (int k = 1; k <= world.nstat; ++k) {
        layout.stations.push_back(static_cast<int>(world.statx(k)));
    }
    return layout;
}

Setup default_setup() {
    return Setup{preset_layout(1), tour_method(0), std::nullopt};
}

MethodChoice tour_method(int entry) {
    const auto entries = catalogue();
    if (entry < 0 || entry >= static_cast<int>(entries.size())) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return MethodChoice{entry, entries[static_cast<std::size_t>(entry)].values};
}

const CatalogueEntry& entry_of(const MethodChoice& method) {
    const auto entries = catalogue();
    if (method.entry < 0 || method.entry >= static_cast<int>(entries.size())) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return entries[static_cast<std::size_t>(method.entry)];
}

const ProcedureSpec& procedure_of(const MethodChoice& method) {
    return procedurespec(entry_of(method).procedure);
}

bool same_choice(const MethodChoice& a, const MethodChoice& b) {
    const ProcedureSpec& spec = procedure_of(a);
    return procedure_of(b).id == spec.id && same_method(spec, a.values, b.values);
}

std::optional<int> matching_entry(const MethodChoice& method) {
    const ProcedureSpec& spec = procedure_of(method);
    const auto entries = catalogue();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].procedure == spec.id &&
            same_method(spec, entries[i].values, method.values)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

int first_entry(Procedure procedure) {
    const auto entries = catalogue();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].procedure == procedure) {
            return static_cast<int>(i);
        }
    }
    throw RuntimeError(Fault::subscript_out_of_range);
}

MethodChoice method_of(Procedure procedure, const ParameterValues& values) {
    MethodChoice method{first_entry(procedure), values};
    if (const auto entry = matching_entry(method)) {
        return tour_method(*entry);
    }
    return method;
}

std::string method_label(const MethodChoice& method) {
    return procedure_of(method).label(method.values);
}

std::int16_t field_scenario(Field field) {
    return field == Field::plateau ? 3 : 1;
}

const char* field_name(Field field) {
    return field == Field::plateau ? "plateau" : "bump";
}

const char* field_label(Field field) {
    return field == Field::plateau ? "Jump, plateau and kink" : "Bump";
}

float observed(Field field, int x) {
    return truth(field_scenario(field), static_cast<float>(x));
}

World layout_world(const Layout& layout) {
    if (layout.stations.empty() || layout.stations.size() > kMaxStations) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    World world;
    world.scenario = field_scenario(layout.field);
    world.nstat = static_cast<std::int16_t>(layout.stations.size());
    for (int k = 1; k <= world.nstat; ++k) {
        world.statx(k) = static_cast<float>(layout.stations[static_cast<std::size_t>(k - 1)]);
        world.statv(k) = truth(world, world.statx(k));
    }
    return world;
}

Layout without_station(const Layout& layout, std::size_t index) {
    Layout fewer = layout;
    if (index < fewer.stations.size()) {
        fewer.stations.erase(fewer.stations.begin() + static_cast<std::ptrdiff_t>(index));
    }
    return fewer;
}

}  // namespace tour::explore
