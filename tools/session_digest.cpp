// Prints a fingerprint of the explorer session after each step of a seeded
// random sequence of gestures: station edits and drags, fields and presets,
// methods, parameters typed (some refused), undo and redo. Every 200 steps
// the leave-one-out column is computed too. Two builds that print the same
// lines hold the same tables at every step.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "draws.hpp"
#include "explore/session.hpp"
#include "explore/setup_json.hpp"
#include "fingerprint.hpp"

namespace {

using tour::explore::LooCell;
using tour::explore::Session;

using Fnv1a = tour::tools::Fingerprint;
using tour::tools::Draws;

const char* const kTyped[] = {"2.5", "0,75", "1", "0", "21", "150.5", "3", "x", "1e-3", "200"};

void step(Session& session, Draws& draws) {
    const int stations = static_cast<int>(session.layout().stations.size());
    switch (draws.below(14)) {
        case 0:
        case 1:
            session.add_station(draws.below(10010) / 10.0);
            break;
        case 2: {
            const std::uint64_t gesture = session.new_gesture();
            const int index = draws.below(stations);
            const int moves = 1 + draws.below(3);
            for (int i = 0; i < moves; ++i) {
                session.drag_station(index, draws.below(1001), gesture);
            }
            break;
        }
        case 3: {
            // One draw a statement: the order of a call's arguments is the compiler's.
            const int index = draws.below(stations);
            session.move_station(index, draws.below(1001));
            break;
        }
        case 4:
            session.remove_station(draws.below(stations));
            break;
        case 5:
            session.set_field(draws.below(2) == 0 ? tour::explore::Field::bump
                                                  : tour::explore::Field::plateau);
            break;
        case 6:
            session.load_preset(1 + draws.below(3));
            break;
        case 7:
            session.choose_method(draws.below(31));
            break;
        case 8: {
            const int entry = draws.below(32) - 1;
            session.choose_compare(entry < 0 ? std::nullopt : std::optional<int>(entry));
            break;
        }
        case 9:
        case 10: {
            const int index = draws.below(3);
            session.set_parameter(index, kTyped[draws.below(10)]);
            break;
        }
        case 11:
            session.use_tour_values();
            break;
        case 12:
            session.undo();
            break;
        default:
            session.redo();
            break;
    }
}

std::uint64_t fingerprint(const Session& session, bool with_loo) {
    Fnv1a hash;
    hash.text(tour::explore::compact_setup_text(session.setup()));
    hash.text(session.refusal());
    const auto& table = session.table();
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        hash.text(table.methods[row].label);
        hash.text(table.rows[row].fault);
        hash.number(table.rows[row].rms);
        hash.number(table.rows[row].max);
        for (const float value : table.rows[row].estimate) {
            hash.number(value);
        }
        for (const double value : table.rows[row].variance) {
            hash.number(value);
        }
        if (with_loo) {
            const LooCell& cell = session.loo_cells()[row];
            hash.number(static_cast<int>(cell.kind));
            hash.number(cell.rms);
            hash.text(cell.fault);
        }
    }
    hash.number(table.chosen_row);
    hash.number(table.compared_row.value_or(-1));
    return hash.value();
}

}  // namespace

int main(int argc, char* argv[]) {
    const int steps = argc > 1 ? std::atoi(argv[1]) : 2000;
    Session session;
    Draws draws(20261209);
    for (int i = 1; i <= steps; ++i) {
        step(session, draws);
        const bool with_loo = i % 200 == 0;
        if (with_loo) {
            session.compute_loo();
        }
        std::printf("step %4d %016llx\n", i,
                    static_cast<unsigned long long>(fingerprint(session, with_loo)));
    }
    return 0;
}
