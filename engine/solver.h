// The one shape of a solver: from the state at grid point 1 of a trajectory, fill grid points
// 2..last at the grid times TimeVal[2..last], which run from 0 in the direction of the step.
//
// Two solvers have it: the fixed step (engine/fixedstep.h), one classical RK4 step per grid
// interval, and the stiff solver (engine/stiffsolver.h), which chooses its own steps. integrateRun
// chooses between them by the run's fastest rate.
#pragma once

#include "engine/kinetics.h"

namespace enkin {

struct SolverOutcome {
    int stoppedAt = Trajectory::kLast + 1; // the first grid point not computed
    int steps = 0;                         // steps the solver took
};

// `lambda` is the run's fastest rate, per ms. A solver stops at the first grid point whose state
// cannot be computed and leaves it and the points after it untouched.
using Solver = SolverOutcome (*)(const RateSet &rates, double lambda, Trajectory &trajectory,
                                 int last);

} // namespace enkin
