#include "tour/catalogue.hpp"

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
    kriging(c.world, c.messages, c.threads, c.kriging_variance);
}

// Cressman's method widens the radius it is handed; every run starts again
// from the given radius.
void cressman_fresh(C& c, const V& v) {
    float radius = v[0];
    cressman(c.world, radius, v[1]);
}

const std::array<ProcedureSpec, 13> kProcedures{{
    {Procedure::nearneighb,
     "nearneighb",
     0,
     {},
     2,
     true,
     [](C& c, const V&) { nearneighb(c.world); }},
    {Procedure::linint, "linint", 0, {}, 2, true, [](C& c, const V&) { linint(c.world); }},
    {Procedure::polyfit, "polyfit", 0, {}, 2, true, [](C& c, const V&) { polyfit(c.world); }},
    {Procedure::bezier,
     "bezier",
     0,
     {},
     2,
     false,
     [](C& c, const V&) { bezier(c.world, c.picture, c.stage); }},
    {Procedure::invdist,
     "invdist",
     2,
     {positive("power", "Power", kLargestPower),
      not_negative("displacement", "Displacement", 1000.0f)},
     2,
     true,
     [](C& c, const V& v) { invdist(c.world, v[0], v[1]); }},
    {Procedure::shepard,
     "shepard",
     1,
     {kStationCount},
     2,
     true,
     [](C& c, const V& v) { shepard(c.world, whole(v[0])); }},
    {Procedure::localinvdist,
     "localinvdist",
     1,
     {kStationCount},
     2,
     true,
     [](C& c, const V& v) { localinvdist(c.world, whole(v[0])); }},
    {Procedure::cressman,
     "cressman",
     2,
     {positive("radius", "Radius", 2000.0f), positive("exponent", "Exponent", kLargestPower)},
     2,
     true,
     cressman_fresh},
    {Procedure::orvelmethod,
     "orvelmethod",
     2,
     {positive("power", "Power", kLargestPower),
      positive("shadow", "Shadow exponent", kLargestPower)},
     2,
     true,
     [](C& c, const V& v) { orvelmethod(c.world, v[0], v[1]); }},
    {Procedure::gaussave,
     "gaussave",
     1,
     {positive("scale", "Scale", 2000.0f)},
     2,
     true,
     [](C& c, const V& v) { gaussave(c.world, v[0]); }},
    {Procedure::expave,
     "expave",
     1,
     {positive("scale", "Scale", 2000.0f)},
     2,
     true,
     [](C& c, const V& v) { expave(c.world, v[0]); }},
    {Procedure::kriging,
     "kriging",
     3,
     {kVariogramModel, with_best_fit(positive("radius", "Radius", 1000.0f)),
      with_best_fit(positive("exponent", "Exponent", kLargestPower))},
     2,
     true,
     kriging_with_model},
    // The spline's system has one unknown per inner station.
    {Procedure::cubicspline,
     "cubicspline",
     0,
     {},
     3,
     true,
     [](C& c, const V&) { cubicspline(c.world, c.messages); }},
}};

const std::array<CatalogueEntry, 31> kCatalogue{{
    {3, "Near. Neighb.", Procedure::nearneighb, {}},
    {4, "Lin. Int.", Procedure::linint, {}},
    {5, "Polynom", Procedure::polyfit, {}},
    {6, "Bezier Polynom", Procedure::bezier, {}},
    {7, "Inv. Dist. (1)", Procedure::invdist, {1.0f, 0.0f}},
    {8, "Inv. Dist. (2)", Procedure::invdist, {2.0f, 0.0f}},
    {9, "Inv. Dist. (3)", Procedure::invdist, {3.0f, 0.0f}},
    {10, "Inv. Dist. (5)", Procedure::invdist, {5.0f, 0.0f}},
    {11, "Inv. Dist. (.5)", Procedure::invdist, {0.5f, 0.0f}},
    {12, "Inv. Dist. (.01)", Procedure::invdist, {0.01f, 0.0f}},
    {13, "Mod. Inv. Dist. (1,5)", Procedure::invdist, {1.0f, 5.0f}},
    {14, "Mod. Inv. Dist. (1,50)", Procedure::invdist, {1.0f, 50.0f}},
    {15, "Mod. Inv. Dist. (3,50)", Procedure::invdist, {3.0f, 50.0f}},
    {16, "Mod. Inv. Dist. (3,5)", Procedure::invdist, {3.0f, 5.0f}},
    {17, "Shepards Method (6)", Procedure::shepard, {6.0f}},
    {18, "Shepards Method (10)", Procedure::shepard, {10.0f}},
    {19, "Local Inv. Dist.(10)", Procedure::localinvdist, {10.0f}},
    {20, "Local Inv. Dist.(6)", Procedure::localinvdist, {6.0f}},
    {21, "Cressmann (200,2)", Procedure::cressman, {200.0f, 2.0f}},
    {22, "Cressmann (200,4)", Procedure::cressman, {200.0f, 4.0f}},
    {23, "Orvels Method (1,1)", Procedure::orvelmethod, {1.0f, 1.0f}},
    {24, "Orvels Method (1,2)", Procedure::orvelmethod, {1.0f, 2.0f}},
    {25, "Gauss-Ave (10)", Procedure::gaussave, {10.0f}},
    {26, "Gauss-Ave (50)", Procedure::gaussave, {50.0f}},
    {27, "Gauss-Ave (200)", Procedure::gaussave, {200.0f}},
    {28, "Exp-Ave (10)", Procedure::expave, {10.0f}},
    {29, "Exp-Ave (50)", Procedure::expave, {50.0f}},
    {30, "Exp-Ave (200)", Procedure::expave, {200.0f}},
    // The best fit of the semivariogram cloud with radius 200 and exponent 4,
    // and the linear model.
    {33, "Kriging (Best Fit)", Procedure::kriging, {kBestFit, 200.0f, 4.0f}},
    {35, "Kriging (Linear)", Procedure::kriging, {1.0f, 200.0f, 4.0f}},
    {36, "Exact Splines", Procedure::cubicspline, {}},
}};

}  // namespace

std::span<const CatalogueEntry> catalogue() {
    return kCatalogue;
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
    for (const CatalogueEntry& entry : kCatalogue) {
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
