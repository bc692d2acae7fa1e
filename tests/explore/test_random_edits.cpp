// Seeded random sequences of station edits, parameter changes, undo and redo.
// After every step the layout keeps its rules, the history agrees with a
// small model of it, and every row of the score table has numbers or a fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "explore/history.hpp"
#include "explore/scores.hpp"
#include "support/traps_off.hpp"

namespace tour::explore {
namespace {

// What undo and redo must give: the setups one after the other, and the one
// shown now.
struct Model {
    std::vector<explore::Setup> states;
    std::size_t now = 0;
    std::uint64_t last_key = 0;
};

void expect_rules(const explore::Setup& setup, int step) {
    const auto& stations = setup.layout.stations;
    ASSERT_GE(stations.size(), 3u) << "step " << step;
    ASSERT_LE(stations.size(), 21u) << "step " << step;
    ASSERT_EQ(stations.front(), 0) << "step " << step;
    ASSERT_EQ(stations.back(), 1000) << "step " << step;
    ASSERT_TRUE(std::is_sorted(stations.begin(), stations.end()) &&
                std::adjacent_find(stations.begin(), stations.end()) == stations.end())
        << "step " << step;
}

void expect_every_row_scored(const ScoreTable& table, int step) {
    ASSERT_EQ(table.rows.size(), table.methods.size());
    ASSERT_GE(table.rows.size(), catalogue().size());
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const Evaluation& e = table.rows[row];
        if (e.ran()) {
            ASSERT_TRUE(std::isfinite(e.rms) && std::isfinite(e.max))
                << "step " << step << " " << table.methods[row].label;
        } else {
            ASSERT_FALSE(e.fault.empty());
        }
    }
}

void expect_same_scores(const ScoreTable& taken_over, const ScoreTable& fresh, int step) {
    ASSERT_EQ(taken_over.methods, fresh.methods) << "step " << step;
    ASSERT_EQ(taken_over.chosen_row, fresh.chosen_row) << "step " << step;
    for (std::size_t row = 0; row < fresh.rows.size(); ++row) {
        const Evaluation& a = taken_over.rows[row];
        const Evaluation& b = fresh.rows[row];
        ASSERT_EQ(a.fault, b.fault) << "step " << step << " row " << row;
        ASSERT_EQ(a.rms, b.rms) << "step " << step << " row " << row;
        ASSERT_EQ(a.max, b.max) << "step " << step << " row " << row;
    }
    const auto chosen = static_cast<std::size_t>(fresh.chosen_row);
    ASSERT_EQ(taken_over.rows[chosen].estimate, fresh.rows[chosen].estimate) << "step " << step;
}

// A value in the parameter's range, often at or near its ends.
double random_value(const ParameterSpec& spec, std::mt19937& random) {
    if (spec.kind != ParameterSpec::Kind::real) {
        return std::uniform_int_distribution<int>(static_cast<int>(spec.least),
                                                  static_cast<int>(spec.most))(random);
    }
    switch (std::uniform_int_distribution<int>(0, 4)(random)) {
        case 0:
            return spec.most;
        case 1:
            return 1e-3;
        case 2:
            return -1.0;  // refused
        default:
            return std::uniform_real_distribution<double>(0.0, spec.most)(random);
    }
}

Edit random_edit(const explore::Setup& setup, std::mt19937& random, std::uint64_t& key) {
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const int count = static_cast<int>(setup.layout.stations.size());
    key = 0;
    // Adds grow rarer as the stations fill up, so most layouts stay small
    // and some reach the limit.
    const int add_weight = std::max(1, (21 - count) / 2);
    const int choice = pick(add_weight + 40);
    if (choice < add_weight) {
        return add_station(setup, std::uniform_real_distribution<double>(-5.0, 1005.0)(random));
    }
    switch ((choice - add_weight) / 4) {
        case 0:
        case 1:
            return remove_station(setup, pick(count));
        case 2:
            return move_station(setup, pick(count), pick(1001));
        case 3:
            key = 1 + static_cast<std::uint64_t>(pick(2));  // one of two drags
            return drag_station(setup, pick(count), pick(1100) - 50.0);
        case 4:
            return choose_method(setup, pick(static_cast<int>(catalogue().size())));
        case 5:
            return choose_compare(setup,
                                  pick(4) == 0 ? std::nullopt : std::optional<int>(pick(31)));
        case 6:
            return set_field(setup, pick(2) == 0 ? Field::bump : Field::plateau);
        case 7:
            if (pick(8) == 0) {
                return load_preset(setup, 1 + pick(3));
            }
            return remove_station(setup, pick(count));
        default: {
            const ProcedureSpec& spec = procedure_of(setup.method);
            if (spec.parameter_count == 0) {
                return set_parameter(setup, 0, "1");
            }
            const int index = pick(spec.parameter_count);
            return set_parameter_value(
                setup, index,
                random_value(spec.parameters[static_cast<std::size_t>(index)], random));
        }
    }
}

// An edit that changed the setup: a new state, or the same drag's state
// again (gone when the drag is back where it started).
void step_model(Model& model, const History& history, std::uint64_t key) {
    model.states.resize(model.now + 1);
    if (key != 0 && key == model.last_key && model.now > 0) {
        model.states[model.now] = history.setup();
        if (model.states[model.now] == model.states[model.now - 1]) {
            model.states.pop_back();
            --model.now;
            model.last_key = 0;
        }
        return;
    }
    model.states.push_back(history.setup());
    ++model.now;
    model.last_key = key;
}

TEST(RandomEdits, KeepEveryRuleThroughTwentyThousandSteps) {
    const testing::TrapsOff traps;  // the random parameters make methods fault
    constexpr int kSteps = 20000;
    std::mt19937 random(20261209);
    History history;
    Model model{{history.setup()}, 0, 0};
    ScoreTable table = score_table(history.setup());
    for (int step = 0; step < kSteps; ++step) {
        const int action = std::uniform_int_distribution<int>(0, 9)(random);
        if (action == 0 && history.can_undo()) {
            history.undo();
            --model.now;
            model.last_key = 0;
        } else if (action == 1 && history.can_redo()) {
            history.redo();
            ++model.now;
            model.last_key = 0;
        } else {
            std::uint64_t key = 0;
            const Edit edit = random_edit(history.setup(), random, key);
            const explore::Setup before = history.setup();
            const bool changed = history.apply(edit, key);
            if (!edit.accepted()) {
                ASSERT_EQ(edit.setup, before) << "step " << step << ": " << edit.refusal;
                ASSERT_FALSE(changed);
            }
            if (changed) {
                step_model(model, history, key);
            }
        }
        ASSERT_EQ(history.setup(), model.states[model.now]) << "step " << step;
        ASSERT_NO_FATAL_FAILURE(expect_rules(history.setup(), step));
        // Rows whose method and layout are unchanged are taken over from the
        // table before; now and then the whole table is computed afresh to
        // see that this gives the same.
        table = score_table(history.setup(), &table);
        ASSERT_NO_FATAL_FAILURE(expect_every_row_scored(table, step));
        if (step % 1000 == 999) {
            ASSERT_NO_FATAL_FAILURE(expect_same_scores(table, score_table(history.setup()), step));
        }
    }
}

}  // namespace
}  // namespace tour::explore
