// Scoring an estimate against the true field: the root-mean-square error and
// the largest absolute error over the 1001 grid positions.
#pragma once

#include <cmath>
#include <cstdint>

#include "world/world.hpp"

namespace tour {

// Accumulates differences in single precision in the order they come. The
// mean divides by 1000, not by the 1001 positions summed.
class ErrorMeasure {
  public:
    void add(float difference) {
        const float magnitude = std::fabs(difference);
        if (magnitude > max_) {
            max_ = magnitude;
        }
        sum_ = static_cast<float>(static_cast<double>(difference) * difference + sum_);
    }
    float max() const { return max_; }
    float rms() const { return static_cast<float>(std::sqrt(static_cast<double>(sum_) / 1000.0)); }

  private:
    float max_ = 0.0f;
    float sum_ = 0.0f;
};

// Scores est(0..1000) and stores rmserr(stage) and maxerr(stage).
void calcerr(World& world, std::int16_t stage);

}  // namespace tour
