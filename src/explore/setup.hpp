// What the explorer shows: a layout of stations over a true field, the
// method chosen to look at (one of the tour's methods, possibly with other
// parameter values) and optionally a second method to compare it with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tour/catalogue.hpp"
#include "world/world.hpp"

namespace tour::explore {

// The true fields of the tour: the bump of its first two scenarios, and the
// jump, plateau and kink of the third.
enum class Field { bump, plateau };

inline constexpr int kLeastStations = 3;
inline constexpr int kMostStations = kMaxStations;
inline constexpr int kWestEnd = kGridFirst;
inline constexpr int kEastEnd = kGridLast;

// The stations are whole positions in increasing order, the first at the
// west end and the last at the east end; each observes the field exactly.
struct Layout {
    Field field = Field::bump;
    std::vector<int> stations;
    friend bool operator==(const Layout&, const Layout&) = default;
};

// A method: the catalogue entry it was chosen as, and the values of its
// procedure's parameters, which may differ from the entry's.
struct MethodChoice {
    int entry = 0;  // index into catalogue()
    ParameterValues values{};
    friend bool operator==(const MethodChoice&, const MethodChoice&) = default;
};

struct Setup {
    Layout layout;
    MethodChoice method;
    std::optional<MethodChoice> compare;
    friend bool operator==(const Setup&, const Setup&) = default;
};

// The tour's layout of scenario 1, 2 or 3.
Layout preset_layout(int scenario);
// Scenario 1's layout with the tour's first method, nothing to compare.
Setup default_setup();

// A catalogue entry at its tour values.
MethodChoice tour_method(int entry);
const CatalogueEntry& entry_of(const MethodChoice& method);
const ProcedureSpec& procedure_of(const MethodChoice& method);
// Whether the two give the same method: the same procedure, and equal values
// wherever a parameter applies.
bool same_choice(const MethodChoice& a, const MethodChoice& b);
// The catalogue entry whose procedure and values give the same method, if any.
std::optional<int> matching_entry(const MethodChoice& method);
// The procedure's first entry in the catalogue: its values are what a
// parameter left out takes.
int first_entry(Procedure procedure);
// A method given by procedure and values, under the entry it matches or
// else the procedure's first entry.
MethodChoice method_of(Procedure procedure, const ParameterValues& values);
// The error table's label, from the procedure: a tour method's own, or one
// that names its values, like "Inv. Dist. (2.5)".
std::string method_label(const MethodChoice& method);

// The tour's scenario whose field this is (1 for the bump, 3 for the plateau).
std::int16_t field_scenario(Field field);
const char* field_name(Field field);   // as a setup file names it: "bump"
const char* field_label(Field field);  // as the window shows it
float observed(Field field, int x);    // the true field at a whole position

// A fresh world holding the layout: its stations and their observations.
World layout_world(const Layout& layout);

// The layout without station index (0-based).
Layout without_station(const Layout& layout, std::size_t index);

}  // namespace tour::explore
