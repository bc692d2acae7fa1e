// What the explorer's plot shows, in world coordinates: the axes with their
// ticks, the true field, the stations, the chosen method's estimate (and
// the compared one's), kriging's band of two standard deviations, and the
// legend. The window paints it; it also answers what lies under the mouse.
//
// The band is drawn only where the kriging variance is not negative. A
// variogram model that is no valid variogram (the best fit through the cloud
// need not be one) gives negative variances; the scene then says where.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/picture.hpp"
#include "explore/scores.hpp"
#include "explore/setup.hpp"

namespace tour::explore {

inline constexpr Rgb kChosenColour{255, 0, 0};
inline constexpr Rgb kComparedColour{0, 0, 255};
inline constexpr Rgb kTruthColour{0, 255, 0};
inline constexpr Rgb kSelectedColour{255, 140, 0};

struct ScenePoint {
    double x = 0.0;
    double y = 0.0;
};

struct Curve {
    Rgb colour;
    double width = 2.0;  // pen width in pixels
    std::vector<ScenePoint> points;
};

// A variance within this of 0 is 0: at a station the solve leaves rounding
// noise of about 1e-16.
inline constexpr double kVarianceRounding = 1e-12;
// Two standard deviations, or nothing where the variance is negative.
std::optional<double> two_sigma(double variance);

// The area between two curves over the same positions.
struct Band {
    Rgb colour;
    std::vector<ScenePoint> upper;
    std::vector<ScenePoint> lower;
};

struct StationMark {
    int x = 0;
    float value = 0.0f;
    bool selected = false;
};

struct LegendEntry {
    enum class Mark { line, dot, band };
    Mark mark = Mark::line;
    Rgb colour;
    std::string text;
};

struct Scene {
    double left = kGridFirst;
    double right = kGridLast;
    double bottom = -0.1;
    double top = 1.2;
    std::vector<double> x_ticks;
    std::vector<double> y_ticks;
    Curve truth;
    std::vector<Band> bands;  // one piece for each run of positions with a band
    std::vector<Curve> estimates;
    std::vector<StationMark> stations;
    std::vector<LegendEntry> legend;
    // Why a method shown is missing, or where its band is.
    std::vector<std::string> notes;
};

struct SceneOptions {
    // Widen the value axis to hold every estimate drawn.
    bool fit_estimate = false;
    std::optional<int> selected_station;  // a position
};

Scene build_scene(const Setup& setup, const ScoreTable& table, const SceneOptions& options);

// Round tick values between low and high, at most about count of them, a
// step of 1, 2 or 5 times a power of ten.
std::vector<double> nice_ticks(double low, double high, int count);

// The station whose position is nearest x and not more than tolerance away.
std::optional<int> station_near(const Layout& layout, double x, double tolerance);

// The values under the mouse at the whole position nearest x.
struct Readout {
    int x = 0;
    float truth = 0.0f;
    std::optional<float> chosen;
    std::optional<float> compared;
    std::optional<double> variance;  // kriging's variance, chosen method
};
std::optional<Readout> readout_at(const Setup& setup, const ScoreTable& table, double x);

}  // namespace tour::explore
