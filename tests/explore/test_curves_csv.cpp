// The curves behind the plot as CSV: the tour's own estimates on the tour's
// layouts, the kriging variance only for kriging, and empty columns where a
// method has no values on the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "display/csv_text.hpp"
#include "explore/curves_csv.hpp"
#include "support/recording_host.hpp"
#include "support/traps_off.hpp"
#include "tour/stages.hpp"
#include "tour/tour.hpp"

namespace tour::explore {
namespace {

std::vector<std::vector<std::string>> rows_of(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(csv);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (;;) {
            const auto comma = line.find(',', start);
            cells.push_back(line.substr(start, comma - start));
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

// The table of the plot with just the method chosen.
ScoreTable chosen_only(const Layout& layout, const MethodChoice& method) {
    ScoreTable table;
    table.layout = layout;
    table.methods = {TableMethod{method, method_label(method), true}};
    table.rows = {evaluate(layout, method, Wanted{true, true})};
    table.chosen_row = 0;
    return table;
}

TEST(CurvesCsv, HoldsTheToursEstimatesOnTheToursLayouts) {
    testing::RecordingHost host;
    Tour tour(host);
    int compared = 0;
    std::vector<std::string> kept_zero;
    for (int scenario = 1; scenario <= 3; ++scenario) {
        const Layout layout = preset_layout(scenario);
        while (tour.scenario() == scenario || tour.stage() < kFirstStage) {
            tour.Command1_Click();
            if (tour.scenario() != scenario || tour.stage() < kFirstStage) {
                continue;
            }
            const CatalogueEntry* entry = catalogue_entry(tour.stage());
            if (entry == nullptr || stagescoring(tour.stage()) != Scoring::estimate) {
                continue;
            }
            const int index = static_cast<int>(entry - catalogue().data());
            const auto rows = rows_of(curves_csv(chosen_only(layout, tour_method(index))).text);
            ASSERT_EQ(rows.size(), 1002u);
            // Some methods leave position 0 as it is: in the tour it keeps the
            // previous stage's value, in the explorer the station's there.
            const bool keeps_zero = rows[1][2] != csv_number(tour.world().est(0));
            if (keeps_zero) {
                kept_zero.push_back(entry->label);
                EXPECT_EQ(rows[1][2], csv_number(tour.world().statv(1))) << entry->label;
            }
            for (int x = keeps_zero ? 1 : 0; x <= 1000; ++x) {
                const auto& row = rows[static_cast<std::size_t>(x) + 1];
                ASSERT_EQ(row[2], csv_number(tour.world().est(x)))
                    << entry->label << " scenario " << scenario << " x " << x;
                ASSERT_EQ(row[1], csv_number(truth(tour.world(), static_cast<float>(x))));
            }
            ++compared;
        }
    }
    EXPECT_EQ(compared, 3 * 30);
    // Only Shepard's method leaves position 0 as it is.
    const std::vector<std::string> shepard{"Shepards Method (6)", "Shepards Method (10)"};
    EXPECT_EQ(kept_zero.size(), 6u);
    for (const std::string& label : kept_zero) {
        EXPECT_NE(std::find(shepard.begin(), shepard.end(), label), shepard.end()) << label;
    }
}

TEST(CurvesCsv, FillsTheColumnsEachMethodHas) {
    explore::Setup setup = default_setup();
    setup.layout = Layout{Field::plateau, {0, 250, 400, 640, 1000}};
    setup.method = tour_method(29);  // Kriging (Linear)
    setup.compare = tour_method(3);  // Bezier Polynom
    const CurvesCsv csv = curves_csv(setup);
    EXPECT_TRUE(csv.faults.empty());
    const auto rows = rows_of(csv.text);
    ASSERT_EQ(rows.size(), 1002u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"position", "true_field", "estimate", "variance",
                                                 "compare", "compare_variance"}));
    for (int x = 0; x <= 1000; ++x) {
        const auto& row = rows[static_cast<std::size_t>(x) + 1];
        ASSERT_EQ(row.size(), 6u);
        EXPECT_EQ(row[0], std::to_string(x));
        EXPECT_FALSE(row[2].empty());
        EXPECT_FALSE(row[3].empty());
        EXPECT_TRUE(row[4].empty() && row[5].empty());  // the Bezier curve has no grid values
    }
    EXPECT_EQ(rows[251][3], "0");  // no variance at a station

    setup.method = tour_method(1);  // Lin. Int.
    setup.compare.reset();
    const auto plain = rows_of(curves_csv(setup).text);
    const Evaluation linear = evaluate(setup.layout, setup.method, Wanted{true, true});
    EXPECT_EQ(plain[501][2], csv_number(linear.estimate[500]));
    // No variance but kriging's, no compare columns without a compared method.
    EXPECT_TRUE(plain[501][3].empty() && plain[501][4].empty() && plain[501][5].empty());
}

TEST(CurvesCsv, LeavesAFaultedMethodsColumnsEmptyAndSaysWhy) {
    const testing::TrapsOff traps;
    explore::Setup setup = default_setup();
    setup.layout = Layout{Field::bump, {0, 600, 1000}};
    setup.method = tour_method(22);  // Gauss-Ave (10)
    setup.compare = tour_method(1);
    const CurvesCsv csv = curves_csv(setup);
    ASSERT_EQ(csv.faults.size(), 1u);
    EXPECT_EQ(csv.faults[0],
              "Gauss-Ave (10) (chosen) cannot run on this layout: Run-time error: Invalid "
              "floating-point operation at x = 273: all its weights underflow to 0.");
    const auto rows = rows_of(csv.text);
    EXPECT_TRUE(rows[300][2].empty() && rows[300][3].empty());
    EXPECT_FALSE(rows[300][4].empty());
}

}  // namespace
}  // namespace tour::explore
