#include "explore/session_view.hpp"

#include "explore/parameters.hpp"
#include "explore/setup_reading.hpp"

namespace tour::explore {

namespace {

const char* kind_name(LooCell::Kind kind) {
    switch (kind) {
        case LooCell::Kind::value:
            return "value";
        case LooCell::Kind::fault:
            return "fault";
        case LooCell::Kind::pending:
            return "pending";
        case LooCell::Kind::none:
            break;
    }
    return "none";
}

Json colour_json(Rgb colour) {
    return Json::array({colour.r, colour.g, colour.b});
}

Json or_null(const std::optional<int>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json stations_json(const Session& session) {
    const Layout& layout = session.layout();
    const auto& s = layout.stations;
    Json stations = Json::array();
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool fixed = i == 0 || i + 1 == s.size();
        stations.push_back({{"x", s[i]},
                            {"value", observed(layout.field, s[i])},
                            {"least", fixed ? s[i] : s[i - 1] + 1},
                            {"most", fixed ? s[i] : s[i + 1] - 1},
                            {"fixed", fixed}});
    }
    return stations;
}

Json parameters_json(const MethodChoice& method) {
    const ProcedureSpec& spec = procedure_of(method);
    Json parameters = Json::array();
    for (int i = 0; i < spec.parameter_count; ++i) {
        const ParameterSpec& p = spec.parameters[static_cast<std::size_t>(i)];
        const float value = method.values[static_cast<std::size_t>(i)];
        const bool choice = p.kind == ParameterSpec::Kind::choice;
        Json choices = Json::array();
        if (choice) {
            choices = {p.choice_labels[0], p.choice_labels[1]};
        }
        parameters.push_back(
            {{"key", p.key},
             {"label", p.label},
             {"kind",
              choice ? "choice" : (p.kind == ParameterSpec::Kind::whole ? "whole" : "real")},
             {"value",
              choice ? p.choice_labels[static_cast<std::size_t>(value)] : format_value(value)},
             {"range", range_text(p)},
             {"applies", parameter_applies(spec, i, method.values)},
             {"choices", choices}});
    }
    return parameters;
}

Json cell_json(const LooCell& cell) {
    Json json{{"kind", kind_name(cell.kind)}};
    if (cell.kind == LooCell::Kind::value) {
        json["rms"] = cell.rms;
    }
    if (cell.kind == LooCell::Kind::fault) {
        json["fault"] = cell.fault;
    }
    return json;
}

Json rows_json(const Session& session) {
    const ScoreTable& table = session.table();
    Json rows = Json::array();
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const Evaluation& e = table.rows[row];
        const TableMethod& method = table.methods[row];
        Json json{{"label", method.label},
                  {"tourValues", method.tour_values},
                  {"entry", method.tour_values ? Json(method.method.entry) : Json(nullptr)},
                  {"loo", cell_json(session.loo_cells()[row])}};
        if (e.pending) {
            json["pending"] = true;
        } else if (e.ran()) {
            json["rms"] = e.rms;
            json["max"] = e.max;
        } else {
            json["fault"] = e.fault;
        }
        rows.push_back(std::move(json));
    }
    return rows;
}

Json curve_json(const Curve& curve, std::size_t& start) {
    Json json{{"colour", colour_json(curve.colour)},
              {"width", curve.width},
              {"start", start},
              {"count", curve.points.size()}};
    start += curve.points.size();
    return json;
}

}  // namespace

std::string catalogue_json() {
    Json methods = Json::array();
    for (const CatalogueEntry& entry : catalogue()) {
        methods.push_back(entry.label);
    }
    Json fields = Json::array();
    for (const Field field : {Field::bump, Field::plateau}) {
        fields.push_back({{"name", field_name(field)}, {"label", field_label(field)}});
    }
    return Json{{"methods", methods}, {"fields", fields}}.dump();
}

std::string view_json(const Session& session) {
    const Setup& setup = session.setup();
    const History& history = session.history();
    const bool own_compare = setup.compare && !matching_entry(*setup.compare);
    const auto index = session.selected_index();
    const int count = static_cast<int>(setup.layout.stations.size());
    Json json{
        {"field", field_name(setup.layout.field)},
        {"stations", stations_json(session)},
        {"selected", or_null(session.selected())},
        {"canRemove", index && *index > 0 && *index + 1 < count && count > kLeastStations},
        {"method", setup.method.entry},
        {"compare", setup.compare ? Json(setup.compare->entry) : Json(nullptr)},
        {"compareOwn", own_compare ? Json(method_label(*setup.compare)) : Json(nullptr)},
        {"parameters", parameters_json(setup.method)},
        {"tourValues", setup.method.values == entry_of(setup.method).values},
        {"undo", history.can_undo() ? Json(history.undo_name()) : Json(nullptr)},
        {"redo", history.can_redo() ? Json(history.redo_name()) : Json(nullptr)},
        {"modified", history.modified()},
        {"refusal", session.refusal()},
        {"looReady", session.loo_ready()},
        {"tableReady", session.table_ready()},
        {"rows", rows_json(session)},
        {"chosen", session.table().chosen_row},
        {"compared", or_null(session.table().compared_row)},
    };
    return json.dump();
}

std::string scene_json(const Scene& scene) {
    std::size_t start = 0;
    Json curves = Json::array();
    curves.push_back(curve_json(scene.truth, start));
    for (const Curve& curve : scene.estimates) {
        curves.push_back(curve_json(curve, start));
    }
    Json bands = Json::array();
    for (const Band& band : scene.bands) {
        bands.push_back({{"colour", colour_json(band.colour)},
                         {"upper", start},
                         {"lower", start + band.upper.size()},
                         {"count", band.upper.size()}});
        start += band.upper.size() + band.lower.size();
    }
    Json stations = Json::array();
    for (const StationMark& mark : scene.stations) {
        stations.push_back({{"x", mark.x}, {"value", mark.value}, {"selected", mark.selected}});
    }
    Json legend = Json::array();
    for (const LegendEntry& entry : scene.legend) {
        const char* mark = entry.mark == LegendEntry::Mark::line  ? "line"
                           : entry.mark == LegendEntry::Mark::dot ? "dot"
                                                                  : "band";
        legend.push_back(
            {{"mark", mark}, {"colour", colour_json(entry.colour)}, {"text", entry.text}});
    }
    return Json{{"left", scene.left},
                {"right", scene.right},
                {"bottom", scene.bottom},
                {"top", scene.top},
                {"xTicks", scene.x_ticks},
                {"yTicks", scene.y_ticks},
                {"curves", curves},
                {"bands", bands},
                {"stations", stations},
                {"legend", legend},
                {"notes", scene.notes},
                {"selectedColour", colour_json(kSelectedColour)},
                {"stationColour", colour_json(kChosenColour)}}
        .dump();
}

std::vector<double> scene_points(const Scene& scene) {
    std::vector<double> points;
    const auto add = [&](const std::vector<ScenePoint>& line) {
        for (const ScenePoint& p : line) {
            points.push_back(p.x);
            points.push_back(p.y);
        }
    };
    add(scene.truth.points);
    for (const Curve& curve : scene.estimates) {
        add(curve.points);
    }
    for (const Band& band : scene.bands) {
        add(band.upper);
        add(band.lower);
    }
    return points;
}

std::string readout_json(const Session& session, double x) {
    const auto readout = readout_at(session.setup(), session.table(), x);
    if (!readout) {
        return "null";
    }
    const ScoreTable& table = session.table();
    const auto method = [&](std::optional<int> row, std::optional<float> value) {
        if (!row || !value) {
            return Json(nullptr);
        }
        return Json{{"label", table.methods[static_cast<std::size_t>(*row)].label},
                    {"value", *value}};
    };
    Json json{{"x", readout->x},
              {"truth", readout->truth},
              {"chosen", method(table.chosen_row, readout->chosen)},
              {"compared", table.compared_row != table.chosen_row
                               ? method(table.compared_row, readout->compared)
                               : Json(nullptr)},
              {"variance", nullptr},
              {"twoSigma", nullptr}};
    if (readout->chosen && readout->variance) {
        json["variance"] = *readout->variance;
        if (const auto width = two_sigma(*readout->variance)) {
            json["twoSigma"] = *width;
        }
    }
    return json.dump();
}

namespace {

Json layout_json(const Layout& layout) {
    return Json{{"field", field_name(layout.field)}, {"stations", layout.stations}};
}

Json methods_json(const std::vector<MethodChoice>& methods) {
    Json json = Json::array();
    for (const MethodChoice& method : methods) {
        json.push_back(Json::parse(method_json(method).dump()));
    }
    return json;
}

// The layout and methods of a job's JSON, read as a setup file's are.
bool read_job(const Json& json, Layout& layout, std::vector<MethodChoice>& methods) {
    try {
        layout.field = read_field(required(json, "", "field"), "field");
        layout.stations = read_stations(required(json, "", "stations"), "stations");
        const Json& list = required(json, "", "methods");
        if (!list.is_array()) {
            return false;
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            methods.push_back(read_method(list[i], element("methods", i)));
        }
        return true;
    } catch (const Invalid&) {
        return false;
    }
}

template <typename Number>
bool read_numbers(const Json& json, const char* key, std::vector<Number>& numbers) {
    const auto found = json.find(key);
    if (found == json.end()) {
        return true;
    }
    if (!found->is_array()) {
        return false;
    }
    for (const Json& number : *found) {
        if (!number.is_number()) {
            return false;
        }
        numbers.push_back(static_cast<Number>(number.get<double>()));
    }
    return true;
}

}  // namespace

std::string score_job_json(const ScoreJob& job) {
    Json json = layout_json(job.layout);
    json["methods"] = methods_json(job.methods);
    json["drawn"] = job.drawn;
    return json.dump();
}

std::optional<ScoreJob> parse_score_job(std::string_view text) {
    const JsonDocument document = parse_json(text, "a job", 3);
    if (!document.error.empty() || !document.json.is_object()) {
        return std::nullopt;
    }
    ScoreJob job;
    if (!read_job(document.json, job.layout, job.methods)) {
        return std::nullopt;
    }
    const auto drawn = document.json.find("drawn");
    if (drawn == document.json.end() || !drawn->is_array() || drawn->size() != job.methods.size()) {
        return std::nullopt;
    }
    for (const Json& flag : *drawn) {
        if (!flag.is_boolean()) {
            return std::nullopt;
        }
        job.drawn.push_back(flag.get<bool>());
    }
    return job;
}

std::string rows_json(const std::vector<Evaluation>& rows) {
    Json json = Json::array();
    for (const Evaluation& e : rows) {
        Json row{{"fault", e.fault}, {"rms", e.rms}, {"max", e.max}};
        if (!e.estimate.empty()) {
            row["estimate"] = e.estimate;
        }
        if (!e.variance.empty()) {
            row["variance"] = e.variance;
        }
        if (!e.curve.empty()) {
            Json curve = Json::array();
            for (const auto& [x, y] : e.curve) {
                curve.push_back(x);
                curve.push_back(y);
            }
            row["curve"] = curve;
        }
        json.push_back(std::move(row));
    }
    return json.dump();
}

std::optional<std::vector<Evaluation>> parse_rows(std::string_view text) {
    const JsonDocument document = parse_json(text, "rows", 3);
    if (!document.error.empty() || !document.json.is_array()) {
        return std::nullopt;
    }
    std::vector<Evaluation> rows;
    for (const Json& json : document.json) {
        if (!json.is_object() || !json.contains("fault") || !json["fault"].is_string() ||
            !json.contains("rms") || !json["rms"].is_number() || !json.contains("max") ||
            !json["max"].is_number()) {
            return std::nullopt;
        }
        Evaluation e;
        e.fault = json["fault"].get<std::string>();
        e.rms = static_cast<float>(json["rms"].get<double>());
        e.max = static_cast<float>(json["max"].get<double>());
        std::vector<float> curve;
        if (!read_numbers(json, "estimate", e.estimate) ||
            !read_numbers(json, "variance", e.variance) || !read_numbers(json, "curve", curve) ||
            curve.size() % 2 != 0) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < curve.size(); i += 2) {
            e.curve.emplace_back(curve[i], curve[i + 1]);
        }
        rows.push_back(std::move(e));
    }
    return rows;
}

std::string loo_job_json(const LooJob& job) {
    Json json = layout_json(job.layout);
    json["methods"] = methods_json(job.methods);
    return json.dump();
}

std::optional<LooJob> parse_loo_job(std::string_view text) {
    const JsonDocument document = parse_json(text, "a job", 3);
    if (!document.error.empty() || !document.json.is_object()) {
        return std::nullopt;
    }
    LooJob job;
    if (!read_job(document.json, job.layout, job.methods)) {
        return std::nullopt;
    }
    return job;
}

std::string loo_cells_json(const std::vector<LooCell>& cells) {
    Json json = Json::array();
    for (const LooCell& cell : cells) {
        json.push_back(cell_json(cell));
    }
    return json.dump();
}

std::optional<std::vector<LooCell>> parse_loo_cells(std::string_view text) {
    const JsonDocument document = parse_json(text, "cells", 2);
    if (!document.error.empty() || !document.json.is_array()) {
        return std::nullopt;
    }
    std::vector<LooCell> cells;
    for (const Json& json : document.json) {
        if (!json.is_object() || !json.contains("kind")) {
            return std::nullopt;
        }
        LooCell cell;
        const std::string kind = json.value("kind", "");
        if (kind == "value" && json.contains("rms") && json["rms"].is_number()) {
            cell.kind = LooCell::Kind::value;
            cell.rms = json["rms"].get<double>();
        } else if (kind == "fault") {
            cell.kind = LooCell::Kind::fault;
            cell.fault = json.value("fault", "");
        } else if (kind == "none") {
            cell.kind = LooCell::Kind::none;
        } else {
            return std::nullopt;
        }
        cells.push_back(std::move(cell));
    }
    return cells;
}

}  // namespace tour::explore
