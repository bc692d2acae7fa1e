// The score table and leave-one-out: the tour's numbers on the tour's
// layouts, answers known by hand on small layouts, and faults that stay
// inside their row.
#include <gtest/gtest.h>

#include <cmath>

#include "explore/scores.hpp"
#include "support/recording_host.hpp"
#include "support/traps_off.hpp"
#include "tour/tour.hpp"

namespace tour::explore {
namespace {

using testing::RecordingHost;
using testing::TrapsOff;

explore::Setup setup_with(Field field, std::vector<int> stations) {
    explore::Setup setup = default_setup();
    setup.layout = Layout{field, std::move(stations)};
    return setup;
}

int entry_labelled(const std::string& label) {
    const auto entries = catalogue();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (label == entries[i].label) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << "no entry " << label;
    return 0;
}

TEST(ScoreTable, TourLayoutsScoreBitForBitAsTheTour) {
    RecordingHost host;
    Tour tour(host);
    for (int scenario = 1; scenario <= 3; ++scenario) {
        while (tour.scenario() != scenario || tour.stage() != kLastStage) {
            tour.Command1_Click();
        }
        explore::Setup setup = default_setup();
        setup.layout = preset_layout(scenario);
        const ScoreTable table = score_table(setup);
        ASSERT_EQ(table.rows.size(), catalogue().size());
        for (std::size_t i = 0; i < catalogue().size(); ++i) {
            const std::int16_t stage = catalogue()[i].stage;
            const Evaluation& row = table.rows[i];
            ASSERT_TRUE(row.ran()) << row.fault;
            EXPECT_EQ(table.methods[i].label, tour.narrative().methodname(stage));
            EXPECT_EQ(row.rms, tour.world().rmserr(stage)) << scenario << " " << stage;
            EXPECT_EQ(row.max, tour.world().maxerr(stage)) << scenario << " " << stage;
        }
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST(ScoreTable, ChosenValuesAddARowLabelledWithThem) {
    explore::Setup setup = default_setup();
    setup.method = tour_method(entry_labelled("Inv. Dist. (2)"));
    EXPECT_EQ(table_methods(setup).size(), 31u);
    EXPECT_EQ(score_table(setup).chosen_row, entry_labelled("Inv. Dist. (2)"));

    setup.method.values[0] = 2.5f;
    setup.compare = tour_method(entry_labelled("Cressmann (200,2)"));
    setup.compare->values = {150.0f, 3.0f};
    const ScoreTable table = score_table(setup);
    ASSERT_EQ(table.methods.size(), 33u);
    EXPECT_EQ(table.methods[31].label, "Inv. Dist. (2.5)");
    EXPECT_EQ(table.methods[32].label, "Cressmann (150,3)");
    EXPECT_FALSE(table.methods[31].tour_values);
    EXPECT_EQ(table.chosen_row, 31);
    EXPECT_EQ(table.compared_row, 32);
    // Drawn rows keep their estimates; the others do not.
    EXPECT_EQ(table.rows[31].estimate.size(), 1001u);
    EXPECT_EQ(table.rows[32].estimate.size(), 1001u);
    EXPECT_TRUE(table.rows[0].estimate.empty());

    // Values that equal another tour method's are that method's row.
    setup.method.values = {3.0f, 5.0f};
    setup.compare.reset();
    EXPECT_EQ(score_table(setup).chosen_row, entry_labelled("Mod. Inv. Dist. (3,5)"));
}

TEST(ScoreTable, LabelsNameTheValuesInTheToursStyle) {
    explore::Setup setup = default_setup();
    const auto label = [&](const char* entry, ParameterValues values) {
        MethodChoice method = tour_method(entry_labelled(entry));
        method.values = values;
        return method_label(method);
    };
    EXPECT_EQ(label("Inv. Dist. (1)", {0.25f, 0.0f}), "Inv. Dist. (.25)");
    EXPECT_EQ(label("Inv. Dist. (1)", {2.0f, 7.5f}), "Mod. Inv. Dist. (2,7.5)");
    EXPECT_EQ(label("Shepards Method (6)", {8.0f}), "Shepards Method (8)");
    EXPECT_EQ(label("Local Inv. Dist.(6)", {3.0f}), "Local Inv. Dist.(3)");
    EXPECT_EQ(label("Kriging (Best Fit)", {0.0f, 150.0f, 2.0f}), "Kriging (Best Fit 150,2)");
    // The linear model has no radius: any radius gives the tour's method.
    EXPECT_EQ(label("Kriging (Linear)", {1.0f, 150.0f, 2.0f}), "Kriging (Linear)");
}

TEST(LeaveOneOut, SmallLayoutsGiveTheAnswersWorkedByHand) {
    // Bump values 0, 0, 1, 0 at 0, 250, 500, 1000. Without 250, linear
    // interpolation gives 0.5 there (truth 0); without 500 it gives 0 (truth 1).
    const Layout layout{Field::bump, {0, 250, 500, 1000}};
    const auto cells = leave_one_out(layout, {tour_method(entry_labelled("Lin. Int.")),
                                              tour_method(entry_labelled("Near. Neighb.")),
                                              tour_method(entry_labelled("Bezier Polynom"))});
    ASSERT_TRUE(cells);
    ASSERT_EQ(cells->size(), 3u);
    EXPECT_EQ((*cells)[0].kind, LooCell::Kind::value);
    EXPECT_DOUBLE_EQ((*cells)[0].rms, std::sqrt((0.25 + 1.0) / 2.0));
    // Nearest neighbour: at 250 the tie goes to the western station (0, no
    // error); at 500 the station at 250 is nearest (error -1).
    EXPECT_DOUBLE_EQ((*cells)[1].rms, std::sqrt(0.5));
    // The Bezier curve has no estimate on the grid: nothing, and no fault.
    EXPECT_EQ((*cells)[2].kind, LooCell::Kind::none);
    EXPECT_TRUE((*cells)[2].fault.empty());
}

TEST(LeaveOneOut, AFoldThatCannotRunShowsItsFault) {
    // Without its middle station the layout keeps 2 stations: too few for the spline.
    const Layout layout{Field::bump, {0, 500, 1000}};
    const auto cells = leave_one_out(layout, {tour_method(entry_labelled("Exact Splines")),
                                              tour_method(entry_labelled("Lin. Int."))});
    ASSERT_TRUE(cells);
    EXPECT_EQ((*cells)[0].kind, LooCell::Kind::fault);
    EXPECT_EQ((*cells)[0].fault, "Without the station at 500: Needs at least 3 stations.");
    EXPECT_DOUBLE_EQ((*cells)[1].rms, 1.0);
}

TEST(LeaveOneOut, StopsWhenAskedAndGivesNothing) {
    const Layout layout = preset_layout(1);
    int asked = 0;
    const auto cells =
        leave_one_out(layout, {tour_method(0), tour_method(1)}, [&] { return ++asked > 3; });
    EXPECT_FALSE(cells);
}

TEST(RowFaults, StayInsideTheirRow) {
    const TrapsOff traps;
    // Between 0 and 600 every Gaussian weight of scale 10 underflows to 0,
    // so normalising divides 0 by 0.
    const ScoreTable table = score_table(setup_with(Field::bump, {0, 600, 1000}));
    const Evaluation& gauss =
        table.rows[static_cast<std::size_t>(entry_labelled("Gauss-Ave (10)"))];
    EXPECT_EQ(gauss.fault,
              "Run-time error: Invalid floating-point operation at x = 273: all its weights "
              "underflow to 0.");
    // The best-fit variogram has no pair within its radius of lag 200: the
    // pairs 0 and 400 apart are exactly 200 away and weigh 0.
    const Evaluation& best_fit =
        table.rows[static_cast<std::size_t>(entry_labelled("Kriging (Best Fit)"))];
    EXPECT_NE(best_fit.fault.find("at lag 200"), std::string::npos) << best_fit.fault;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const std::string& label = table.methods[row].label;
        if (label != "Gauss-Ave (10)" && label != "Kriging (Best Fit)") {
            EXPECT_TRUE(table.rows[row].ran())
                << table.methods[row].label << ": " << table.rows[row].fault;
            EXPECT_TRUE(std::isfinite(table.rows[row].rms)) << table.methods[row].label;
        }
    }
}

TEST(RowFaults, ASingularKrigingSystemGivesTheSolversFirstMessageAndItsCount) {
    const TrapsOff traps;
    // Every station lies outside the bump and observes 0, so both variogram
    // models are 0 everywhere (the pair distances leave no lag without a pair
    // within the best fit's radius).
    const ScoreTable table =
        score_table(setup_with(Field::bump, {0, 100, 200, 240, 760, 800, 900, 1000}));
    for (const char* kriging : {"Kriging (Best Fit)", "Kriging (Linear)"}) {
        EXPECT_EQ(table.rows[static_cast<std::size_t>(entry_labelled(kriging))].fault,
                  "Matrix has no unique solution (at 1001 positions)")
            << kriging;
    }
    EXPECT_TRUE(table.rows[static_cast<std::size_t>(entry_labelled("Exact Splines"))].ran());
}

TEST(RowFaults, ABestFitRadiusThatMissesALagSaysWhere) {
    const TrapsOff traps;
    explore::Setup setup = setup_with(Field::bump, {0, 500, 1000});
    setup.method = tour_method(entry_labelled("Kriging (Best Fit)"));
    setup.method.values = {0.0f, 100.0f, 4.0f};
    const ScoreTable table = score_table(setup);
    // Pair distances are 0, 500 and 1000: lags up to 99 have the pairs at 0
    // within the radius; at lag 100 those are exactly the radius away and
    // weigh 0, and the pairs 500 apart are farther.
    EXPECT_EQ(table.rows[static_cast<std::size_t>(table.chosen_row)].fault,
              "Run-time error: Invalid floating-point operation at lag 100: no pair of stations "
              "lies closer than the variogram radius to this lag.");
}

}  // namespace
}  // namespace tour::explore
