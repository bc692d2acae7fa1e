#include "explore/loo_memory.hpp"

#include <algorithm>

namespace tour::explore {

void LooMemory::remember(const Layout& layout, const MethodChoice& method, const LooCell& cell) {
    auto found = std::find_if(known_.begin(), known_.end(),
                              [&](const Known& k) { return k.layout == layout; });
    if (found == known_.end()) {
        if (known_.size() >= most_) {
            known_.erase(known_.begin());
        }
        known_.push_back(Known{layout, {}});
    } else {
        std::rotate(found, found + 1, known_.end());
    }
    auto& cells = known_.back().cells;
    for (auto& [known, value] : cells) {
        if (same_choice(known, method)) {
            value = cell;
            return;
        }
    }
    cells.emplace_back(method, cell);
}

std::optional<LooCell> LooMemory::recall(const Layout& layout, const MethodChoice& method) const {
    for (const Known& k : known_) {
        if (k.layout == layout) {
            for (const auto& [known, cell] : k.cells) {
                if (same_choice(known, method)) {
                    return cell;
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace tour::explore
