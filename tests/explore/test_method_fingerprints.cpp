// Every method's results to the bit, over seeded random layouts and
// parameter values: a fingerprint per procedure of the estimates (or the
// Bezier curve), kriging's variance, the errors and the faults. A faster
// form of a method must leave its fingerprint as it is; a new number here
// means a method now computes something else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>

#include "draws.hpp"
#include "explore/evaluate.hpp"
#include "fingerprint.hpp"
#include "support/traps_off.hpp"
#include "tour/catalogue.hpp"

namespace tour::explore {
namespace {

using tools::Draws;

// 3 to 21 stations from 0 to 1000, most near multiples of 50, some with
// two stations at one place.
Layout random_layout(Draws& draws, int index) {
    Layout layout;
    layout.field = draws.below(2) != 0 ? Field::bump : Field::plateau;
    const int count = 3 + draws.below(19);
    layout.stations = {kWestEnd, kEastEnd};
    while (static_cast<int>(layout.stations.size()) < count) {
        const int x =
            draws.below(3) == 0 ? draws.below(1001) : draws.below(20) * 50 + draws.below(3);
        layout.stations.push_back(x);
    }
    std::sort(layout.stations.begin(), layout.stations.end());
    if (index % 3 != 0) {
        layout.stations.erase(std::unique(layout.stations.begin(), layout.stations.end()),
                              layout.stations.end());
    }
    return layout;
}

// The entry's tour values, or values drawn inside the parameters' ranges.
MethodChoice random_values(Draws& draws, int entry, bool drawn) {
    MethodChoice method = tour_method(entry);
    if (!drawn) {
        return method;
    }
    const ProcedureSpec& spec = procedure_of(method);
    for (int k = 0; k < spec.parameter_count; ++k) {
        const ParameterSpec& p = spec.parameters[static_cast<std::size_t>(k)];
        float& value = method.values[static_cast<std::size_t>(k)];
        if (p.kind == ParameterSpec::Kind::choice) {
            value = static_cast<float>(draws.below(2));
        } else if (p.kind == ParameterSpec::Kind::whole) {
            const float least = std::max(p.least + (p.least_allowed ? 0.0f : 1.0f), 0.0f);
            value = least + static_cast<float>(draws.below(
                                static_cast<int>(std::min(p.most - p.least, 30.0f)) + 1));
        } else {
            const float most = std::min(p.most, 300.0f);
            value = p.least + (most - p.least) * static_cast<float>(draws.below(10001)) / 10000.0f;
            if (!p.least_allowed && value == p.least) {
                value = most;
            }
        }
    }
    return method;
}

TEST(MethodFingerprints, EveryProcedureComputesWhatItDid) {
    testing::TrapsOff traps_off;  // some drawn values make a method fault
    Draws draws(7);
    std::map<std::string, tools::Fingerprint> prints;
    const auto entries = static_cast<int>(catalogue().size());
    for (int index = 0; index < 40; ++index) {
        const Layout layout = random_layout(draws, index);
        for (int entry = 0; entry < entries; ++entry) {
            for (int variant = 0; variant < 3; ++variant) {
                const MethodChoice method = random_values(draws, entry, variant > 0);
                const Evaluation result = evaluate(layout, method, {true, true});
                tools::Fingerprint& print = prints[procedure_of(method).name];
                print.text(result.fault);
                print.number(result.rms);
                print.number(result.max);
                for (const float value : result.estimate) {
                    print.number(value);
                }
                for (const auto& [x, y] : result.curve) {
                    print.number(x);
                    print.number(y);
                }
                for (const double value : result.variance) {
                    print.number(value);
                }
            }
        }
    }
    const std::map<std::string, std::uint64_t> expected{
        {"bezier", 0x32c16ba8f17dad15ULL},       {"cressman", 0x91f040fb2468f880ULL},
        {"cubicspline", 0xb4b874a4ae44aa5fULL},  {"expave", 0x7d733953ff18216eULL},
        {"gaussave", 0xfa9bd35e1388dedbULL},     {"invdist", 0x63fd07ce6830f1faULL},
        {"kriging", 0x30c82182a57b696dULL},      {"linint", 0x164b2449c92188bbULL},
        {"localinvdist", 0x7868a823d9f36b38ULL}, {"nearneighb", 0x3f7178c5f1e2ad87ULL},
        {"orvelmethod", 0xce1d69a1ca2e9a20ULL},  {"polyfit", 0xee446391c3b5b2bfULL},
        {"shepard", 0x07b777d29cd9b87cULL},
    };
    for (const auto& [name, print] : prints) {
        char shown[32];
        std::snprintf(shown, sizeof shown, "0x%016llx",
                      static_cast<unsigned long long>(print.value()));
        EXPECT_EQ(expected.count(name), 1u) << name;
        EXPECT_EQ(print.value(), expected.count(name) != 0 ? expected.at(name) : 0)
            << "{\"" << name << "\", " << shown << "ULL},";
    }
}

}  // namespace
}  // namespace tour::explore
