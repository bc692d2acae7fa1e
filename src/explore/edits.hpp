// The edits a student makes to a setup. Each is checked here: an accepted
// edit returns the new setup, a refused one says why and returns the setup
// as it was, so nothing changes.
#pragma once

#include <optional>
#include <string>

#include "explore/setup.hpp"

namespace tour::explore {

struct Edit {
    Setup setup;                 // the result, or the setup unchanged when refused
    std::string refusal;         // why the edit was refused; empty when accepted
    std::string name;            // what it does, for Undo and Redo: "Move station"
    std::optional<int> station;  // the position of the station the edit touched
    bool accepted() const { return refusal.empty(); }
};

// A new station at the whole position nearest to x.
Edit add_station(const Setup& setup, double x);
// Station index (0-based) to position to; it may not land on or pass
// another station, and the end stations stay where they are.
Edit move_station(const Setup& setup, int index, int to);
// As move_station while a station is dragged to x: it follows to the whole
// position nearest x, stopping next to its neighbours.
Edit drag_station(const Setup& setup, int index, double x);
Edit remove_station(const Setup& setup, int index);

Edit set_field(const Setup& setup, Field field);
// The field and stations of the tour's scenario 1, 2 or 3.
Edit load_preset(const Setup& setup, int scenario);

// The catalogue entry to look at, at its tour values.
Edit choose_method(const Setup& setup, int entry);
// The entry to compare with, or none.
Edit choose_compare(const Setup& setup, std::optional<int> entry);
// The chosen method's parameters back at the values the tour uses.
Edit use_tour_values(const Setup& setup);
// A parameter of the chosen method, typed or given as a value.
Edit set_parameter(const Setup& setup, int index, std::string_view text);
Edit set_parameter_value(const Setup& setup, int index, double value);

// Whether the layout keeps every rule: 3 to 21 whole stations in increasing
// order from the west end to the east end. Empty when it does.
std::string layout_refusal(const Layout& layout);

}  // namespace tour::explore
