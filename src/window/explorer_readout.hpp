// The line under the explorer's plot: the values at the position under the
// mouse, in the user's language.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "explore/session.hpp"

namespace tour {

// "x = 494    true field 0.5    Kriging (Linear): 0.31 ± 2σ 0.144", or a
// hint when the mouse is not over the plot.
QString readout_text(const explore::Session& session, std::optional<double> x,
                     const QLocale& locale);

}  // namespace tour
