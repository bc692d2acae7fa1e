// The tour's numbers as CSV tables, collected screen by screen while the
// forward tour runs: the error measures of every scored stage, the estimates
// behind them, the Bezier curve and the variogram models.
#pragma once

#include <string>

#include "display/csv_text.hpp"
#include "tour/tour.hpp"

namespace tour {

class ExportTables {
  public:
    ExportTables();

    // Adds the rows of the screen the tour shows now; call once per screen.
    void record(const Tour& tour);

    const std::string& errors() const { return errors_; }
    const std::string& estimates() const { return estimates_; }
    const std::string& bezier() const { return bezier_; }
    const std::string& variogram() const { return variogram_; }

  private:
    std::string errors_;
    std::string estimates_;
    std::string bezier_;
    std::string variogram_;
};

}  // namespace tour
