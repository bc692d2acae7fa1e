#include "tour/catalogue.hpp"

#include <vector>

#include "geostat/cubicspline.hpp"
#include "geostat/semivariogram.hpp"
#include "geostat/variogram.hpp"
#include "methods/bezier.hpp"
#include "methods/cressman.hpp"
#include "methods/invdist.hpp"
#include "methods/localinvdist.hpp"
#include "methods/nearest_linear.hpp"
#include "methods/orvelmethod.hpp"
#include "methods/polyfit.hpp"
#include "methods/shepard.hpp"
#include "methods/weighted_averages.hpp"
#include "world/numerals.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

using Kind = ParameterSpec::Kind;
using C = MethodContext;
using V = ParameterValues;

constexpr float kLargestPower = 20.0f;

// A positive Single up to most.
constexpr ParameterSpec positive(const char* key, const char* label, float most) {
    return {.key = key, .label = label, .kind = Kind::real, .least = 0.0f, .most = most};
}

constexpr ParameterSpec not_negative(const char* key, const char* label, float most) {
    ParameterSpec spec = positive(key, label, most);
    spec.least_allowed = true;
    return spec;
}

// The number of nearest stations that sets a search radius.
constexpr ParameterSpec kStationCount{.key = "n",
                                      .label = "Stations",
                                      .kind = Kind::whole,
                                      .least = 1.0f,
                                      .least_allowed = true,
                                      .most = static_cast<float>(kMaxStations)};

constexpr ParameterSpec kVariogramModel{.key = "model",
                                        .label = "Variogram model",
                                        .kind = Kind::choice,
                                        .least = 0.0f,
                                        .least_allowed = true,
                                        .most = 1.0f,
                                        .choices = {"bestfit", "linear"},
                                        .choice_labels = {"Best fit", "Linear"}};
constexpr float kBestFit = 0.0f;

constexpr ParameterSpec with_best_fit(ParameterSpec spec) {
    spec.only_with_choice = static_cast<int>(kBestFit);
    return spec;
}

std::int16_t whole(float value) {
    return static_cast<std::int16_t>(value);
}

// Kriging derives its variogram model from the stations first: the best fit
// through the semivariogram cloud, or the linear model.
void kriging_with_model(C& c, const V& v) {
    semivariogram(c.world);
    if (v[0] == kBestFit) {
        fitvariogram(c.world, v[1], v[2]);
    } else {
        linvariogram(c.world);
    }
    kriging(c.world, c.messages, c.threads, c.kriging_variance, c.kriging_solve);
}

// Cressman's method widens the radius it is handed; every run starts again
// from the given radius.
void cressman_fresh(C& c, const V& v) {
    float radius = v[0];
    cressman(c.world, radius, v[1]);
}

// A value as the tour's labels write it: the shortest digits, without a
// zero before the point (".5").
std::string value_text(float value) {
    std::string text = shortest_text(value);
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    }
    return text;
}

std::string values_text(const V& v, int count) {
    std::string text = value_text(v[0]);
    for (int i = 1; i < count; ++i) {
        text += ',';
        text += value_text(v[static_cast<std::size_t>(i)]);
    }
    return text;
}

// Labels with the values in brackets after a name.
template <const char* Name, int Count>
std::string named(const V& v) {
    return std::string(Name) + values_text(v, Count) + ")";
}

constexpr char kShepard[] = "Shepards Method (";
constexpr char kLocalInvDist[] = "Local Inv. Dist.(";
constexpr char kCressman[] = "Cressmann (";
constexpr char kOrvel[] = "Orvels Method (";
constexpr char kGauss[] = "Gauss-Ave (";
constexpr char kExp[] = "Exp-Ave (";

std::string invdist_label(const V& v) {
    return (v[1] == 0.0f ? "Inv. Dist. (" + values_text(v, 1)
                         : "Mod. Inv. Dist. (" + values_text(v, 2)) +
           ")";
}

// The tour's best fit has radius 200 and exponent 4; the linear model has
// no parameters of its own.
std::string kriging_label(const V& v) {
    if (v[0] != kBestFit) {
        return "Kriging (Linear)";
    }
    if (v[1] == 200.0f && v[2] == 4.0f) {
        return "Kriging (Best Fit)";
    }
    return "Kriging (Best Fit " + values_text({v[1], v[2], 0.0f}, 2) + ")";
}

const std::array<ProcedureSpec, 13> kProcedures{{
    {Procedure::nearneighb,
     "nearneighb",
     0,
     {},
     2,
     true,
     [](C& c, const V&) { nearneighb(c.world); },
     [](const V&) { return std::string("Near. Neighb."); }},
    {Procedure::linint,
     "linint",
     0,
     {},
     2,
     true,
     [](C& c, const V&) { linint(c.world); },
     [](const V&) { return std::string("Lin. Int."); }},
    {Procedure::polyfit,
     "polyfit",
     0,
     {},
     2,
     true,
     [](C& c, const V&) { polyfit(c.world); },
     [](const V&) { return std::string("Polynom"); }},
    {Procedure::bezier,
     "bezier",
     0,
     {},
     2,
     false,
     [](C& c, const V&) { bezier(c.world, c.picture, c.stage); },
     [](const V&) { return std::string("Bezier Polynom"); }},
    {Procedure::invdist,
     "invdist",
     2,
     {positive("power", "Power", kLargestPower),
      not_negative("displacement", "Displacement", 1000.0f)},
     2,
     true,
     [](C& c, const V& v) { invdist(c.world, v[0], v[1]); },
     invdist_label},
    {Procedure::shepard,
     "shepard",
     1,
     {kStationCount},
     2,
     true,
     [](C& c, const V& v) { shepard(c.world, whole(v[0])); },
     named<kShepard, 1>},
    {Procedure::localinvdist,
     "localinvdist",
     1,
     {kStationCount},
     2,
     true,
     [](C& c, const V& v) { localinvdist(c.world, whole(v[0])); },
     named<kLocalInvDist, 1>},
    {Procedure::cressman,
     "cressman",
     2,
     {positive("radius", "Radius", 2000.0f), positive("exponent", "Exponent", kLargestPower)},
     2,
     true,
     cressman_fresh,
     named<kCressman, 2>},
    {Procedure::orvelmethod,
     "orvelmethod",
     2,
     {positive("power", "Power", kLargestPower),
      positive("shadow", "Shadow exponent", kLargestPower)},
     2,
     true,
     [](C& c, const V& v) { orvelmethod(c.world, v[0], v[1]); },
     named<kOrvel, 2>},
    {Procedure::gaussave,
     "gaussave",
     1,
     {positive("scale", "Scale", 2000.0f)},
     2,
     true,
     [](C& c, const V& v) { gaussave(c.world, v[0]); },
     named<kGauss, 1>},
    {Procedure::expave,
     "expave",
     1,
     {positive("scale", "Scale", 2000.0f)},
     2,
     true,
     [](C& c, const V& v) { expave(c.world, v[0]); },
     named<kExp, 1>},
    {Procedure::kriging,
     "kriging",
     3,
     {kVariogramModel, with_best_fit(positive("radius", "Radius", 1000.0f)),
      with_best_fit(positive("exponent", "Exponent", kLargestPower))},
     2,
     true,
     kriging_with_model,
     kriging_label},
    // The spline's system has one unknown per inner station.
    {Procedure::cubicspline,
     "cubicspline",
     0,
     {},
     3,
     true,
     [](C& c, const V&) { cubicspline(c.world, c.messages); },
     [](const V&) { return std::string("Exact Splines"); }},
}};

// The tour's methods by stage; their labels come from their procedures.
struct EntryOf {
    std::int16_t stage;
    Procedure procedure;
    V values;
};
constexpr std::array<EntryOf, 31> kEntries{{
    {3, Procedure::nearneighb, {}},
    {4, Procedure::linint, {}},
    {5, Procedure::polyfit, {}},
    {6, Procedure::bezier, {}},
    {7, Procedure::invdist, {1.0f, 0.0f}},
    {8, Procedure::invdist, {2.0f, 0.0f}},
    {9, Procedure::invdist, {3.0f, 0.0f}},
    {10, Procedure::invdist, {5.0f, 0.0f}},
    {11, Procedure::invdist, {0.5f, 0.0f}},
    {12, Procedure::invdist, {0.01f, 0.0f}},
    {13, Procedure::invdist, {1.0f, 5.0f}},
    {14, Procedure::invdist, {1.0f, 50.0f}},
    {15, Procedure::invdist, {3.0f, 50.0f}},
    {16, Procedure::invdist, {3.0f, 5.0f}},
    {17, Procedure::shepard, {6.0f}},
    {18, Procedure::shepard, {10.0f}},
    {19, Procedure::localinvdist, {10.0f}},
    {20, Procedure::localinvdist, {6.0f}},
    {21, Procedure::cressman, {200.0f, 2.0f}},
    {22, Procedure::cressman, {200.0f, 4.0f}},
    {23, Procedure::orvelmethod, {1.0f, 1.0f}},
    {24, Procedure::orvelmethod, {1.0f, 2.0f}},
    {25, Procedure::gaussave, {10.0f}},
    {26, Procedure::gaussave, {50.0f}},
    {27, Procedure::gaussave, {200.0f}},
    {28, Procedure::expave, {10.0f}},
    {29, Procedure::expave, {50.0f}},
    {30, Procedure::expave, {200.0f}},
    // The best fit of the semivariogram cloud with radius 200 and exponent 4,
    // and the linear model.
    {33, Procedure::kriging, {kBestFit, 200.0f, 4.0f}},
    {35, Procedure::kriging, {1.0f, 200.0f, 4.0f}},
    {36, Procedure::cubicspline, {}},
}};

}  // namespace

std::span<const CatalogueEntry> catalogue() {
    struct Built {
        std::vector<std::string> labels;
        std::vector<CatalogueEntry> entries;
    };
    static const Built built = [] {
        Built b;
        for (const EntryOf& e : kEntries) {
            b.labels.push_back(procedurespec(e.procedure).label(e.values));
        }
        for (std::size_t i = 0; i < kEntries.size(); ++i) {
            const EntryOf& e = kEntries[i];
            b.entries.push_back({e.stage, b.labels[i].c_str(), e.procedure, e.values});
        }
        return b;
    }();
    return built.entries;
}

std::span<const ProcedureSpec> procedures() {
    return kProcedures;
}

const ProcedureSpec& procedurespec(Procedure procedure) {
    for (const ProcedureSpec& spec : kProcedures) {
        if (spec.id == procedure) {
            return spec;
        }
    }
    throw RuntimeError(Fault::subscript_out_of_range);
}

bool parameter_applies(const ProcedureSpec& spec, int index, const ParameterValues& values) {
    if (index < 0 || index >= spec.parameter_count) {
        return false;
    }
    const int choice = spec.parameters[static_cast<std::size_t>(index)].only_with_choice;
    return choice < 0 || values[0] == static_cast<float>(choice);
}

bool same_method(const ProcedureSpec& spec, const ParameterValues& a, const ParameterValues& b) {
    for (int i = 0; i < spec.parameter_count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (parameter_applies(spec, i, a) != parameter_applies(spec, i, b)) {
            return false;
        }
        if (parameter_applies(spec, i, a) && a[slot] != b[slot]) {
            return false;
        }
    }
    return true;
}

const CatalogueEntry* catalogue_entry(std::int16_t stage) {
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.stage == stage) {
            return &entry;
        }
    }
    return nullptr;
}

void run_method(const CatalogueEntry& entry, MethodContext& context) {
    procedurespec(entry.procedure).run(context, entry.values);
}

}  // namespace tour
