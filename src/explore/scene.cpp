#include "explore/scene.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "explore/fault_text.hpp"

namespace tour::explore {

namespace {

constexpr double kDefaultBottom = -0.1;
constexpr double kDefaultTop = 1.2;

// A value beyond the drawable range is held at a distance that still lies
// far outside the plot, so the curve leaves the plot where it should.
double drawable(double y) {
    constexpr double kFar = 1e6;
    return std::clamp(y, -kFar, kFar);
}

Curve estimate_curve(const Evaluation& e, Rgb colour) {
    Curve curve{colour, 2.0, {}};
    for (std::size_t x = 0; x < e.estimate.size(); ++x) {
        curve.points.push_back({static_cast<double>(x), drawable(e.estimate[x])});
    }
    for (const auto& [x, y] : e.curve) {
        curve.points.push_back({x, drawable(y)});
    }
    return curve;
}

// The band in pieces, one for each run of positions whose variance is not
// negative; returns how many positions have none.
int add_kriging_band(Scene& scene, const Evaluation& e, Rgb colour) {
    int negative = 0;
    bool open = false;
    for (std::size_t x = 0; x < e.variance.size() && x < e.estimate.size(); ++x) {
        const auto width = two_sigma(e.variance[x]);
        if (!width) {
            ++negative;
            open = false;
            continue;
        }
        if (!open) {
            scene.bands.push_back(Band{colour, {}, {}});
            open = true;
        }
        Band& band = scene.bands.back();
        band.upper.push_back({static_cast<double>(x), drawable(e.estimate[x] + *width)});
        band.lower.push_back({static_cast<double>(x), drawable(e.estimate[x] - *width)});
    }
    return negative;
}

std::string negative_variance_note(const MethodChoice& method, const std::string& label,
                                   int positions) {
    const bool best_fit = method.values[0] == 0.0f;
    return std::string(best_fit ? "The fitted model" : "The linear model") + " of " + label +
           " is no valid variogram: the kriging variance is negative at " +
           std::to_string(positions) + (positions == 1 ? " position" : " positions") +
           ", where no band is drawn.";
}

// The drawn method of a row: its curve, its band and their legend entries,
// or the note that it could not run.
void add_method(Scene& scene, std::vector<LegendEntry>& legend, const ScoreTable& table, int row,
                Rgb colour, const char* role) {
    const Evaluation& e = table.rows[static_cast<std::size_t>(row)];
    const std::string& label = table.methods[static_cast<std::size_t>(row)].label;
    if (e.pending) {
        return;  // not computed yet
    }
    if (!e.ran()) {
        scene.notes.push_back(cannot_run_text(label, role, e.fault));
        return;
    }
    legend.push_back({LegendEntry::Mark::line, colour, label});
    if (!e.variance.empty()) {
        const int negative = add_kriging_band(scene, e, colour);
        legend.push_back({LegendEntry::Mark::band, colour, label + ": \u00b1 2\u03c3"});
        if (negative > 0) {
            scene.notes.push_back(negative_variance_note(
                table.methods[static_cast<std::size_t>(row)].method, label, negative));
        }
    }
    scene.estimates.push_back(estimate_curve(e, colour));
}

void widen_to_fit(Scene& scene) {
    double low = kDefaultBottom;
    double high = kDefaultTop;
    const auto take = [&](const std::vector<ScenePoint>& points) {
        for (const ScenePoint& p : points) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
        }
    };
    for (const Curve& curve : scene.estimates) {
        take(curve.points);
    }
    for (const Band& band : scene.bands) {
        take(band.upper);
        take(band.lower);
    }
    if (low < kDefaultBottom || high > kDefaultTop) {
        const double margin = (high - low) * 0.04;
        scene.bottom = std::min(kDefaultBottom, low - margin);
        scene.top = std::max(kDefaultTop, high + margin);
    }
}

}  // namespace

std::optional<double> two_sigma(double variance) {
    if (!(variance >= -kVarianceRounding)) {
        return std::nullopt;
    }
    return 2.0 * std::sqrt(std::max(0.0, variance));
}

Scene build_scene(const Setup& setup, const ScoreTable& table, const SceneOptions& options) {
    Scene scene;
    scene.truth = Curve{kTruthColour, 2.0, {}};
    for (int x = kGridFirst; x <= kGridLast; ++x) {
        scene.truth.points.push_back({static_cast<double>(x), observed(setup.layout.field, x)});
    }
    scene.legend.push_back({LegendEntry::Mark::line, kTruthColour, "True field"});
    scene.legend.push_back({LegendEntry::Mark::dot, kChosenColour, "Stations"});
    // The chosen method is drawn last, over the compared one, and listed first.
    std::vector<LegendEntry> compared;
    if (table.compared_row && *table.compared_row != table.chosen_row) {
        add_method(scene, compared, table, *table.compared_row, kComparedColour, "compared");
    }
    add_method(scene, scene.legend, table, table.chosen_row, kChosenColour, "chosen");
    scene.legend.insert(scene.legend.end(), compared.begin(), compared.end());
    for (int x : setup.layout.stations) {
        scene.stations.push_back({x, observed(setup.layout.field, x),
                                  options.selected_station && *options.selected_station == x});
    }
    if (options.fit_estimate) {
        widen_to_fit(scene);
    }
    scene.x_ticks = nice_ticks(scene.left, scene.right, 10);
    scene.y_ticks = nice_ticks(scene.bottom, scene.top, 8);
    return scene;
}

std::vector<double> nice_ticks(double low, double high, int count) {
    std::vector<double> ticks;
    if (!(high > low) || count < 1 || !std::isfinite(high - low)) {
        return ticks;
    }
    const double raw = (high - low) / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power * 10.0;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (power * factor >= raw) {
            step = power * factor;
            break;
        }
    }
    for (double k = std::ceil(low / step); k * step <= high + step * 1e-9; k += 1.0) {
        const double tick = k * step;
        ticks.push_back(std::fabs(tick) < step * 1e-9 ? 0.0 : tick);
    }
    return ticks;
}

std::optional<int> station_near(const Layout& layout, double x, double tolerance) {
    std::optional<int> nearest;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < layout.stations.size(); ++i) {
        const double d = std::fabs(layout.stations[i] - x);
        if (d <= tolerance && d < best) {
            best = d;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

std::optional<Readout> readout_at(const Setup& setup, const ScoreTable& table, double x) {
    if (!std::isfinite(x) || x < kGridFirst - 0.5 || x > kGridLast + 0.5) {
        return std::nullopt;
    }
    Readout readout;
    readout.x = std::clamp(static_cast<int>(std::lround(x)), kGridFirst, kGridLast);
    readout.truth = observed(setup.layout.field, readout.x);
    const auto slot = static_cast<std::size_t>(readout.x);
    const auto value_of = [&](std::optional<int> row) -> std::optional<float> {
        if (!row) {
            return std::nullopt;
        }
        const Evaluation& e = table.rows[static_cast<std::size_t>(*row)];
        if (slot < e.estimate.size()) {
            return e.estimate[slot];
        }
        return std::nullopt;
    };
    readout.chosen = value_of(table.chosen_row);
    readout.compared = value_of(table.compared_row);
    const Evaluation& chosen = table.rows[static_cast<std::size_t>(table.chosen_row)];
    if (slot < chosen.variance.size()) {
        readout.variance = chosen.variance[slot];
    }
    return readout;
}

}  // namespace tour::explore
