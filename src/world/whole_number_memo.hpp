// A weight that depends on a distance alone, computed once per distinct
// distance during one call of a method. The tour's positions and stations
// lie on whole numbers, so the same few hundred distances come back at every
// grid position; each is handed to the same function with the same argument
// once, and later lookups return that very result. Other distances are
// computed every time.
#pragma once

#include <vector>

namespace tour {

template <typename Value, typename Function>
class WholeNumberMemo {
  public:
    WholeNumberMemo(int largest, Function function)
        : largest_(largest),
          function_(function),
          values_(static_cast<std::size_t>(largest) + 1),
          known_(static_cast<std::size_t>(largest) + 1, 0) {}

    Value operator()(double distance) {
        if (!(distance >= 0.0 && distance <= largest_)) {
            return function_(distance);
        }
        const auto whole = static_cast<int>(distance);
        if (whole != distance) {
            return function_(distance);
        }
        const auto slot = static_cast<std::size_t>(whole);
        if (known_[slot] == 0) {
            values_[slot] = function_(distance);
            known_[slot] = 1;
        }
        return values_[slot];
    }

  private:
    int largest_;
    Function function_;
    std::vector<Value> values_;
    std::vector<unsigned char> known_;
};

// The distances of the world run from 0 to 1000.
template <typename Value, typename Function>
WholeNumberMemo<Value, Function> memo_by_distance(Function function) {
    return WholeNumberMemo<Value, Function>(1000, function);
}

}  // namespace tour
