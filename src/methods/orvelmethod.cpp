#include "methods/orvelmethod.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "methods/exact_hit.hpp"
#include "world/power.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

// Where the stations lie seen from one position: elements 1..nstat, set
// afresh for each position.
struct Offsets {
    std::array<double, kMaxStations + 1> offset;        // statx(j) - x
    std::array<double, kMaxStations + 1> distance;      // |statx(j) - x|
    std::array<float, kMaxStations + 1> rounded;        // the distance as a Single
    std::array<std::uint32_t, kMaxStations + 1> whole;  // the distance, if a small whole number
};

// Whole-number distances below 65535 get a key of their own; others none.
constexpr std::uint32_t kNotWhole = 0xffffffffu;
std::uint32_t whole_key(double d) {
    if (d >= 0.0 && d < 65535.0 && static_cast<double>(static_cast<std::uint32_t>(d)) == d) {
        return static_cast<std::uint32_t>(d);
    }
    return kNotWhole;
}

// The whole-number keys only where the powers are kept (q other than 1).
Offsets offsets_from(const World& world, float xpos, bool keys) {
    Offsets o;
    for (int j = 1; j <= world.nstat; ++j) {
        const auto k = static_cast<std::size_t>(j);
        o.offset[k] = static_cast<double>(world.statx(j)) - xpos;
        o.distance[k] = std::fabs(o.offset[k]);
        o.rounded[k] = static_cast<float>(o.distance[k]);
        o.whole[k] = keys ? whole_key(o.distance[k]) : kNotWhole;
    }
    return o;
}

// The ratios (nearer / farther distance) ^ q of the shadow factors. The
// same pair of distances comes back at many positions (every 50 units with
// equidistant stations: some 9,000 pairs among 130,000 factors), so the
// powers of whole-numbered distances are kept for the call in a small hash
// table: the same pow of the same quotient, taken once.
class ShadowPowers {
  public:
    // With q = 1 nothing is kept: the ratio is its own power.
    explicit ShadowPowers(float q)
        : q_(q), keys_(q == 1.0f ? 0 : kSlots, kEmpty), values_(q == 1.0f ? 0 : kSlots) {}

    // nearer / farther raised to q; the keys are the distances' whole_key.
    double of(double nearer, double farther, std::uint32_t nearer_key, std::uint32_t farther_key) {
        if (q_ == 1.0f || nearer_key == kNotWhole || farther_key == kNotWhole) {
            return raise(nearer, farther);
        }
        const std::uint32_t key = nearer_key << 16 | farther_key;
        for (std::size_t slot = (key * 2654435761u) >> (32 - kSlotBits);;
             slot = (slot + 1) & (kSlots - 1)) {
            if (keys_[slot] == key) {
                return values_[slot];
            }
            if (keys_[slot] == kEmpty) {
                const double value = raise(nearer, farther);
                if (used_ < kSlots / 2) {
                    keys_[slot] = key;
                    values_[slot] = value;
                    ++used_;
                }
                return value;
            }
        }
    }

  private:
    static constexpr int kSlotBits = 15;
    static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
    static constexpr std::uint32_t kEmpty = 0xffffffffu;

    double raise(double nearer, double farther) const {
        return power(nearer / farther, static_cast<double>(q_));
    }

    float q_;
    std::vector<std::uint32_t> keys_;
    std::vector<double> values_;
    std::size_t used_ = 0;
};

// The shadow factor of station j: every other station i on the same side of
// x and strictly nearer (by the distances as Singles) multiplies it by
// (1 - (1 - r^q)) with r = d_i / d_j, written this way on purpose: its
// roundings are part of the result.
// The stations i are taken in increasing order over [first, last].
double shadow_factor(const Offsets& o, std::size_t first, std::size_t last, int j,
                     ShadowPowers& powers) {
    const auto jj = static_cast<std::size_t>(j);
    double c = 1.0;
    for (std::size_t i = first; i <= last; ++i) {
        if (i == jj) {
            continue;
        }
        const auto same_side = static_cast<float>(o.offset[i] * o.offset[jj]);
        if (same_side > 0.0f && o.rounded[i] < o.rounded[jj]) {
            const double ratio_power =
                powers.of(o.distance[i], o.distance[jj], o.whole[i], o.whole[jj]);
            c = (1.0 - (1.0 - ratio_power)) * c;
        }
    }
    return c;
}

bool ascending(const World& world) {
    for (int k = 1; k < world.nstat; ++k) {
        if (world.statx(k) > world.statx(k + 1)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void orvelmethod(World& world, float p, float q) {
    const int n = world.nstat;
    if (n > kMaxStations) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    ShadowPowers powers(q);
    const bool in_order = ascending(world);
    const auto stations = static_cast<std::size_t>(n);
    for (int x = 1; x <= kGridLast; ++x) {
        const auto xpos = static_cast<float>(x);
        double wsum = 0.0;
        if (exact_hit(world, x)) {
            continue;
        }
        const Offsets o = offsets_from(world, xpos, q != 1.0f);

        // Plain inverse-distance weights 1/d^p, then each shadowed.
        for (int j = 1; j <= n; ++j) {
            const double d = o.rounded[static_cast<std::size_t>(j)];
            world.statw(j) = static_cast<float>(1.0 / power(d, static_cast<double>(p)));
        }
        // With the stations in increasing order, those left of x are 1..west
        // and the ones that can shadow station j lie between j and x: every
        // other station is on the far side of x or no nearer than j, and
        // fails the test anyway.
        std::size_t west = 0;
        while (west < stations && o.offset[west + 1] < 0.0) {
            ++west;
        }
        for (int j = 1; j <= n; ++j) {
            const auto jj = static_cast<std::size_t>(j);
            std::size_t first = 1;
            std::size_t last = stations;
            if (in_order) {
                first = jj <= west ? jj + 1 : west + 1;
                last = jj <= west ? west : jj - 1;
            }
            world.combw(j) =
                static_cast<double>(world.statw(j)) * shadow_factor(o, first, last, j, powers);
            wsum = wsum + world.combw(j);
        }

        // Normalise combw in place and sum the weighted station values.
        float estimate = 0.0f;
        for (int j = 1; j <= n; ++j) {
            world.combw(j) = world.combw(j) / wsum;
            estimate =
                static_cast<float>(static_cast<double>(world.statv(j)) * world.combw(j) + estimate);
        }
        world.est(x) = estimate;
    }
}

}  // namespace tour
