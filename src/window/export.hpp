// The forward tour run without a window, its screens, plots and numbers
// written into a folder for slides, handouts and analysis.
#pragma once

#include <QString>

namespace tour {

// Writes errors.csv, estimates.csv, bezier.csv, variogram.csv, screens/*.png
// and plots/*.svg into dir, creating it if needed. Returns the exit status:
// 0, or 1 after one message on standard error.
int export_tour(const QString& dir);

}  // namespace tour
