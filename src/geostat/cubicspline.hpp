// The natural cubic spline through all stations: a cubic on every interval
// between neighbouring stations, with continuous first and second
// derivatives at the inner stations and zero second derivative at both ends.
// The second-derivative coefficients of the inner stations solve a
// tridiagonal system.
#pragma once

#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour {

// est(0..1000) from the spline through stations 1..nstat (nstat >= 3,
// positions increasing). Positions left of the first station extend the
// first interval's cubic, positions from the last station on the last one's.
// Leaves the system's solution in statw(1..nstat - 3) as floats.
void cubicspline(World& world, MessageSink& messages);

// The system cubicspline solves: row m (1..nstat - 2) ties the second-
// derivative coefficients of the inner stations m, m + 1, m + 2 through the
// interval widths; column nstat - 1 holds the right-hand side.
Array2<double> splinesystem(const World& world);

}  // namespace tour
