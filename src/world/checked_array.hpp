// Arrays with declared bounds, like 1 To 21 or 0 To 1000, checked on every
// access. An index outside the bounds throws "Subscript out of range".
#pragma once

#include <cstddef>
#include <vector>

#include "world/runtime_error.hpp"

namespace tour {

template <typename T>
class Array1 {
  public:
    Array1(int lo, int hi) : lo_(lo), hi_(hi), data_(static_cast<std::size_t>(hi - lo + 1), T{}) {}

    T& operator()(int i) { return data_[offset(i)]; }
    const T& operator()(int i) const { return data_[offset(i)]; }

    int lbound() const { return lo_; }
    int ubound() const { return hi_; }

  private:
    std::size_t offset(int i) const {
        if (i < lo_ || i > hi_) {
            throw RuntimeError(Fault::subscript_out_of_range);
        }
        return static_cast<std::size_t>(i - lo_);
    }

    int lo_;
    int hi_;
    std::vector<T> data_;
};

template <typename T>
class Array2 {
  public:
    Array2(int lo1, int hi1, int lo2, int hi2)
        : lo1_(lo1),
          hi1_(hi1),
          lo2_(lo2),
          hi2_(hi2),
          data_(static_cast<std::size_t>(hi1 - lo1 + 1) * static_cast<std::size_t>(hi2 - lo2 + 1),
                T{}) {}

    T& operator()(int i, int j) { return data_[offset(i, j)]; }
    const T& operator()(int i, int j) const { return data_[offset(i, j)]; }

    // Elements (i, first) .. (i, last) of row i, contiguous, the whole range
    // checked at once.
    const T* row_range(int i, int first, int last) const {
        if (first > last || last > hi2_) {
            throw RuntimeError(Fault::subscript_out_of_range);
        }
        return &data_[offset(i, first)];
    }

    int lbound1() const { return lo1_; }
    int ubound1() const { return hi1_; }
    int lbound2() const { return lo2_; }
    int ubound2() const { return hi2_; }

  private:
    std::size_t offset(int i, int j) const {
        if (i < lo1_ || i > hi1_ || j < lo2_ || j > hi2_) {
            throw RuntimeError(Fault::subscript_out_of_range);
        }
        const auto row = static_cast<std::size_t>(i - lo1_);
        const auto col = static_cast<std::size_t>(j - lo2_);
        return row * static_cast<std::size_t>(hi2_ - lo2_ + 1) + col;
    }

    int lo1_;
    int hi1_;
    int lo2_;
    int hi2_;
    std::vector<T> data_;
};

}  // namespace tour
