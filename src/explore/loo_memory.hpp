// The leave-one-out cells computed so far, by layout and method, for the
// last few layouts: an undo or a drag back finds its cells again.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "explore/scores.hpp"

namespace tour::explore {

class LooMemory {
  public:
    explicit LooMemory(std::size_t layouts = 16) : most_(layouts) {}

    void remember(const Layout& layout, const MethodChoice& method, const LooCell& cell);
    // The cell of the method on the layout, if computed.
    std::optional<LooCell> recall(const Layout& layout, const MethodChoice& method) const;

  private:
    struct Known {
        Layout layout;
        std::vector<std::pair<MethodChoice, LooCell>> cells;
    };
    std::size_t most_;
    std::vector<Known> known_;  // the most recently used last
};

}  // namespace tour::explore
