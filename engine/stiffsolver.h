// The stiff solver, for runs whose grid step is too long for one RK4 step.
//
// Binding equilibrates within 1 / lambda (about 0.01 ms with the initial values), while the
// substrate runs out over [S]0 / (k2 [E]0) (about 10^6 ms): the system is stiff, and an explicit
// method would need steps of the fast time all the way. Boost.Odeint's rosenbrock4 (Shampine's
// L-stable four-stage Rosenbrock method, with the analytic Jacobian of kinetics.h) controls its
// own step size, so it takes short steps through binding and long ones afterwards, and its
// continuous output gives the state at each grid time between its steps.
//
// The solver works on [E], [ES], [S] and [P] divided by their scales, the sizes each can reach on
// the run, so one tolerance bounds the error of each step relative to the size of what the
// student sees, down to a trace of substrate. [E] + [ES] is kept to the total at each grid point.
#pragma once

#include "engine/solver.h"

namespace enkin {

// Relative and absolute tolerance of each step, on the scaled concentrations. It keeps the error
// of every grid point within 3.1e-6 of the scales (measured over a spread of runs against a
// solution 100000 times tighter), inside the 1e-5 the program promises.
inline constexpr double kSolverTolerance = 1e-7;

// The steps one run may take. Real runs take a few hundred, 10 M of substrate about 1900; a
// solution growing without bound (a backward run, a negative rate constant) can drive the steps
// towards zero.
inline constexpr int kMaxSolverSteps = 50000;

// Stops also when the step size fails, or after kMaxSolverSteps.
SolverOutcome solveStiff(const RateSet &rates, double lambda, Trajectory &trajectory, int last);

} // namespace enkin
