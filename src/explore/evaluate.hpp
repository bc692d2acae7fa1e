// One method run on a layout, as the tour runs it: a fresh world holding the
// layout, the tour's own procedure, then the tour's scoring. Whatever would
// end the tour (a floating-point fault, an index out of range, an overflow)
// and the equation solver's messages become the result of this one run.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "explore/setup.hpp"

namespace tour::explore {

struct Evaluation {
    // Still being computed elsewhere (a page's Web Worker): no numbers yet.
    bool pending = false;
    std::string fault;  // why the method could not run here; empty when it ran
    float rms = 0.0f;   // the tour's root-mean-square error ...
    float max = 0.0f;   // ... and maximum error against the true field
    // When asked for: the estimate at the grid positions 0..1000, or for the
    // Bezier curve its 1001 points (x, y); and for kriging the variance.
    std::vector<float> estimate;
    std::vector<std::pair<float, float>> curve;
    std::vector<double> variance;
    bool ran() const { return fault.empty() && !pending; }
};

struct Wanted {
    bool estimate = false;  // the estimate or curve, for drawing
    bool variance = false;  // kriging's variance too
};

// Position 0, which some methods leave as it is, holds the value of the
// station there.
Evaluation evaluate(const Layout& layout, const MethodChoice& method, Wanted wanted = {});

// The estimate at one grid position, or the fault that kept the method from
// running. For a method without an estimate on the grid (the Bezier curve)
// has_value is false and there is no fault.
struct PointEstimate {
    std::string fault;
    bool has_value = false;
    float value = 0.0f;
};
PointEstimate estimate_at(const Layout& layout, const MethodChoice& method, int x);

}  // namespace tour::explore
