// A small seeded generator of whole numbers, the same on every build, for
// the random sequences that two builds (or two versions) must compute alike.
#pragma once

#include <cstdint>

namespace tour::tools {

class Draws {
  public:
    explicit Draws(std::uint64_t seed) : state_(seed) {}

    // A number in 0..n-1.
    int below(int n) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(n));
    }

  private:
    std::uint64_t state_;
};

}  // namespace tour::tools
