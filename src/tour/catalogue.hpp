// The catalogue of the tour's methods: every method the error table lists,
// with its label, the procedure that computes it and that procedure's
// parameter values. Each procedure states its parameters (with the range in
// which the method stays defined) and how it runs on a world. The tour's
// stages and the explorer both read it, so a method is added in one place.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "display/picture.hpp"
#include "geostat/kriging.hpp"
#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour {

enum class Procedure {
    nearneighb,
    linint,
    polyfit,
    bezier,
    invdist,
    shepard,
    localinvdist,
    cressman,
    orvelmethod,
    gaussave,
    expave,
    kriging,
    cubicspline,
};

inline constexpr int kMaxParameters = 3;
// A procedure's arguments: Singles, whole numbers held as Singles, or the
// index of a choice. Unused places are 0.
using ParameterValues = std::array<float, kMaxParameters>;

struct ParameterSpec {
    enum class Kind { real, whole, choice };
    const char* key = "";    // as a setup file names it: "power"
    const char* label = "";  // as the window shows it: "Power"
    Kind kind = Kind::real;
    float least = 0.0f;                    // the lower bound ...
    bool least_allowed = false;            // ... and whether it is allowed itself
    float most = 0.0f;                     // the upper bound, allowed
    std::array<const char*, 2> choices{};  // a choice's values 0 and 1, by name
    std::array<const char*, 2> choice_labels{};
    int only_with_choice = -1;  // >= 0: applies only while parameter 0 has this value
};

// What a method runs with. Bezier draws its curve into the picture and stores
// its errors at index stage; kriging eliminates its system once for all
// positions (or, asked to solve afresh, splits its work over the given
// threads) and, when asked, records the kriging variance of every position.
struct MethodContext {
    World& world;
    Picture& picture;
    std::int16_t stage;
    MessageSink& messages;
    KrigingThreads threads = KrigingThreads::two;
    Array1<double>* kriging_variance = nullptr;
    KrigingSolve kriging_solve = KrigingSolve::factored;
};

using ProcedureRun = void (*)(MethodContext&, const ParameterValues&);
// The method's line in the error table, naming its values in the tour's
// style: "Inv. Dist. (.5)", "Cressmann (200,2)".
using ProcedureLabel = std::string (*)(const ParameterValues&);

struct ProcedureSpec {
    Procedure id;
    const char* name;  // as a setup file names it: "invdist"
    int parameter_count;
    std::array<ParameterSpec, kMaxParameters> parameters;
    int least_stations;   // the fewest stations it is defined for
    bool fills_estimate;  // false: it draws and scores a curve of its own
    ProcedureRun run;
    ProcedureLabel label;
};

struct CatalogueEntry {
    std::int16_t stage;  // where the tour shows it
    const char* label;   // its line in the error table, by its procedure's label
    Procedure procedure;
    ParameterValues values;
};

// The tour's methods in tour order.
std::span<const CatalogueEntry> catalogue();

const ProcedureSpec& procedurespec(Procedure procedure);
std::span<const ProcedureSpec> procedures();

// Whether parameter index of the procedure applies with these values (the
// radius and exponent of kriging apply to the best-fit model only).
bool parameter_applies(const ProcedureSpec& spec, int index, const ParameterValues& values);

// Whether two sets of values give the same method: every parameter that
// applies is equal.
bool same_method(const ProcedureSpec& spec, const ParameterValues& a, const ParameterValues& b);

// The entry a stage shows, or nullptr for a stage without a method.
const CatalogueEntry* catalogue_entry(std::int16_t stage);

// Runs the entry's procedure with its values.
void run_method(const CatalogueEntry& entry, MethodContext& context);

}  // namespace tour
