// The nearest-n search of the local methods: n passes over the distances,
// each taking the smallest one below the limit not yet taken (of equal ones
// the lower index) and marking it with the limit. Its outcome is the
// smallest distance of the last pass: the n-th smallest of the distances
// below the limit, each counted as often as it occurs, or the limit itself
// when fewer than n lie below it. That is found here in one pass.
#pragma once

#include <array>

#include "world/runtime_error.hpp"
#include "world/world.hpp"

namespace tour {

class NearestSearch {
  public:
    // distance[1..count], count <= kMaxStations; n below 1 searches as 1.
    template <typename T>
    T nth_smallest_below(const std::array<T, kMaxStations + 1>& distance, int count, int n,
                         T limit) {
        const int wanted = n < 1 ? 1 : n;
        std::array<T, kMaxStations + 1> smallest;  // ascending, at most wanted of them
        int kept = 0;
        for (int j = 1; j <= count; ++j) {
            const T d = distance[static_cast<std::size_t>(j)];
            if (!(d < limit) || (kept == wanted && !(d < smallest[kept - 1]))) {
                continue;
            }
            int at = kept < wanted ? kept++ : wanted - 1;
            for (; at > 0 && d < smallest[at - 1]; --at) {
                smallest[at] = smallest[at - 1];
            }
            smallest[at] = d;
        }
        // The passes mark the station their first pass took, which is the
        // one of the position before when it takes none: with none taken yet
        // since the call began, that index is 0, out of the marks' range.
        if (kept == 0 && !taken_) {
            throw RuntimeError(Fault::subscript_out_of_range);
        }
        taken_ = taken_ || kept > 0;
        return kept == wanted ? smallest[wanted - 1] : limit;
    }

  private:
    bool taken_ = false;  // whether any pass of the call took a station
};

}  // namespace tour
