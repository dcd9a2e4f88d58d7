// The fixed step: one classical fourth-order Runge-Kutta step per grid interval, h = TimeVal[2].
//
// Each increment is h times its rate function, the four functions called in the order fn1..fn4
// at each stage; all sixteen increments exist before the new state is formed, and the weighted
// sum is taken in the fixed order ((a + 2b) + 2c) + d, so that a run is reproducible bit for bit.
#pragma once

#include "engine/solver.h"

namespace enkin {

// Stops at the first grid point with a value outside the double range. `lambda` is not needed:
// the caller has chosen a step short enough for it.
SolverOutcome solveFixedStep(const RateSet &rates, double lambda, Trajectory &trajectory, int last);

} // namespace enkin
