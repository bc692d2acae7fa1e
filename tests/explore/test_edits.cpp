// Edits of a setup and their history: what each edit does, what it refuses
// (changing nothing), and undo and redo.
#include <gtest/gtest.h>

#include "explore/edits.hpp"
#include "explore/history.hpp"

namespace tour::explore {
namespace {

explore::Setup with_stations(std::vector<int> stations) {
    explore::Setup setup = default_setup();
    setup.layout.stations = std::move(stations);
    return setup;
}

void expect_refused(const Edit& edit, const explore::Setup& before, const std::string& why) {
    EXPECT_FALSE(edit.accepted());
    EXPECT_EQ(edit.refusal, why);
    EXPECT_EQ(edit.setup, before);
}

TEST(StationEdits, AddAtTheNearestWholePositionInOrder) {
    const explore::Setup setup = with_stations({0, 500, 1000});
    const Edit added = add_station(setup, 249.6);
    ASSERT_TRUE(added.accepted());
    EXPECT_EQ(added.setup.layout.stations, (std::vector<int>{0, 250, 500, 1000}));
    EXPECT_EQ(added.station, 250);
    expect_refused(add_station(setup, 500.4), setup, "There is a station at 500 already.");
    expect_refused(add_station(setup, 1000.6), setup, "A station must lie between 0 and 1000.");
    expect_refused(add_station(setup, -3.0), setup, "A station must lie between 0 and 1000.");
    const explore::Setup full = default_setup();  // 21 stations
    expect_refused(add_station(full, 510.0), full,
                   "There are already 21 stations, the most the methods take.");
}

TEST(StationEdits, MovesNeitherLandOnNorPassANeighbour) {
    const explore::Setup setup = with_stations({0, 300, 600, 1000});
    EXPECT_EQ(move_station(setup, 1, 599).setup.layout.stations,
              (std::vector<int>{0, 599, 600, 1000}));
    expect_refused(move_station(setup, 1, 600), setup,
                   "A station cannot land on or pass its neighbour at 600.");
    expect_refused(move_station(setup, 2, 100), setup,
                   "A station cannot land on or pass its neighbour at 300.");
    expect_refused(move_station(setup, 0, 10), setup,
                   "The stations at 0 and 1000 stay where they are: every method needs them.");
    expect_refused(move_station(setup, 3, 990), setup,
                   "The stations at 0 and 1000 stay where they are: every method needs them.");
    expect_refused(move_station(setup, 7, 10), setup, "There is no such station.");
}

TEST(StationEdits, ADragStopsNextToTheNeighbours) {
    const explore::Setup setup = with_stations({0, 300, 600, 1000});
    EXPECT_EQ(drag_station(setup, 1, 950.0).setup.layout.stations,
              (std::vector<int>{0, 599, 600, 1000}));
    EXPECT_EQ(drag_station(setup, 2, -50.0).setup.layout.stations,
              (std::vector<int>{0, 300, 301, 1000}));
    EXPECT_EQ(drag_station(setup, 1, 412.5).setup.layout.stations,
              (std::vector<int>{0, 413, 600, 1000}));
    EXPECT_FALSE(drag_station(setup, 0, 5.0).accepted());
}

TEST(StationEdits, RemovingKeepsTheEndsAndThreeStations) {
    const explore::Setup four = with_stations({0, 300, 600, 1000});
    const Edit removed = remove_station(four, 1);
    ASSERT_TRUE(removed.accepted());
    EXPECT_EQ(removed.setup.layout.stations, (std::vector<int>{0, 600, 1000}));
    expect_refused(remove_station(removed.setup, 1), removed.setup,
                   "There must be at least 3 stations.");
    expect_refused(remove_station(four, 0), four,
                   "The stations at 0 and 1000 stay where they are: every method needs them.");
}

TEST(ParameterEdits, TypedValuesAreCheckedAgainstTheirRange) {
    explore::Setup setup = default_setup();
    setup.method = tour_method(4);  // Inv. Dist. (1)
    const Edit power = set_parameter(setup, 0, " 2,5 ");
    ASSERT_TRUE(power.accepted()) << power.refusal;
    EXPECT_EQ(power.setup.method.values[0], 2.5f);
    EXPECT_EQ(power.name, "Change Power");
    expect_refused(set_parameter(setup, 0, "0"), setup,
                   "Power must be greater than 0 and at most 20; 0 is outside.");
    expect_refused(set_parameter(setup, 0, "1e-60"), setup,
                   "Power must be greater than 0 and at most 20; 0 is outside.");
    expect_refused(set_parameter(setup, 0, "1e400"), setup,
                   "Power must be greater than 0 and at most 20; that is outside.");
    expect_refused(set_parameter(setup, 0, "two"), setup,
                   "Power must be greater than 0 and at most 20; \"two\" is not a number.");
    expect_refused(set_parameter(setup, 1, "-1"), setup,
                   "Displacement must be from 0 to 1000; -1 is outside.");
    expect_refused(set_parameter(setup, 2, "1"), setup, "The method has no such parameter.");

    setup.method = tour_method(14);  // Shepards Method (6)
    expect_refused(set_parameter(setup, 0, "22"), setup,
                   "Stations must be a whole number from 1 to 21; 22 is outside.");
    expect_refused(set_parameter_value(setup, 0, 6.5), setup,
                   "Stations must be a whole number from 1 to 21; 6.5 is not a whole number.");

    setup.method = tour_method(28);  // Kriging (Best Fit)
    const Edit linear = set_parameter(setup, 0, "Linear");
    ASSERT_TRUE(linear.accepted());
    EXPECT_EQ(method_label(linear.setup.method), "Kriging (Linear)");
    expect_refused(set_parameter(setup, 0, "spherical"), setup,
                   "Variogram model must be Best fit or Linear.");
}

TEST(History, UndoAndRedoEveryEditAndMergeOneDrag) {
    History history(with_stations({0, 300, 600, 1000}));
    EXPECT_FALSE(history.modified());
    EXPECT_TRUE(history.apply(add_station(history.setup(), 800.0)));
    EXPECT_FALSE(history.apply(add_station(history.setup(), 800.0)));  // refused
    // A drag is one step however many moves it takes.
    for (double x : {310.0, 350.0, 420.0}) {
        EXPECT_TRUE(history.apply(drag_station(history.setup(), 1, x), 7));
    }
    // Nearest neighbour has no parameter to set.
    EXPECT_FALSE(history.apply(set_parameter(history.setup(), 0, "1")));
    EXPECT_EQ(history.setup().layout.stations, (std::vector<int>{0, 420, 600, 800, 1000}));
    EXPECT_EQ(history.undo_name(), "Move station");
    EXPECT_TRUE(history.modified());

    history.undo();
    EXPECT_EQ(history.setup().layout.stations, (std::vector<int>{0, 300, 600, 800, 1000}));
    EXPECT_EQ(history.redo_name(), "Move station");
    history.undo();
    EXPECT_EQ(history.setup().layout.stations, (std::vector<int>{0, 300, 600, 1000}));
    EXPECT_FALSE(history.can_undo());
    EXPECT_FALSE(history.modified());
    history.redo();
    history.redo();
    EXPECT_EQ(history.setup().layout.stations, (std::vector<int>{0, 420, 600, 800, 1000}));
    EXPECT_FALSE(history.can_redo());

    // A new edit drops what could be redone.
    history.undo();
    history.apply(remove_station(history.setup(), 2));
    EXPECT_FALSE(history.can_redo());
    EXPECT_EQ(history.setup().layout.stations, (std::vector<int>{0, 300, 800, 1000}));
}

TEST(History, KnowsWhatIsSaved) {
    History history;
    history.apply(set_field(history.setup(), Field::plateau));
    history.mark_saved();
    EXPECT_FALSE(history.modified());
    history.apply(load_preset(history.setup(), 2));
    EXPECT_TRUE(history.modified());
    history.undo();
    EXPECT_FALSE(history.modified());
    history.undo();
    EXPECT_TRUE(history.modified());
    history.reset(default_setup());
    EXPECT_FALSE(history.modified());
    EXPECT_FALSE(history.can_undo());
}

TEST(History, ADragBackToItsStartLeavesNoStep) {
    History history(with_stations({0, 300, 600, 1000}));
    history.apply(drag_station(history.setup(), 1, 350.0), 3);
    history.apply(drag_station(history.setup(), 1, 300.0), 3);
    EXPECT_FALSE(history.can_undo());
    EXPECT_FALSE(history.modified());
}

}  // namespace
}  // namespace tour::explore
