// One run over the 600-point grid: fixed-step fourth-order Runge-Kutta where that is stable,
// the stiff solver everywhere else.
//
// The grid step is h = tmax / 599 and the grid times are built by repeated addition of h. While
// |h| * lambda <= 0.15, where lambda (fastestRate) bounds the fastest rate of the system over the
// whole run, each grid interval is one classical RK4 step. Beyond that a fixed step is inaccurate
// and, past h * lambda of about 2.785, unstable: the run is handed to the stiff solver
// (engine/stiffsolver.h), which chooses its own steps and is evaluated at the grid times. No
// Maximum Time is refused; a run whose values cannot be computed on stops at the first such grid
// point.
#pragma once

#include "engine/kinetics.h"

namespace enkin {

// The numbers a run starts from.
// An inhibitor: its total concentration at the start, free, in 1e-3 M, and its rate constants
// (k3 and k4 in 1e8 /M/s, k-3 and k-4 in 1e3 /s). With i0 = 0 there is none.
struct Inhibitor {
    double i0 = 0;
    double k3 = 0, kminus3 = 0; // E + I <=> EI
    double k4 = 0, kminus4 = 0; // ES + I <=> ESI

    bool operator==(const Inhibitor &) const = default;
};

// Written as the eight run inputs are listed, {e0, es0, s0, p0, k1, k2, k-1, Maximum Time}, with
// the inhibitor, if any, last.
struct RunStart {
    double e0 = 0, es0 = 0, s0 = 0, p0 = 0; // initial concentrations
    double k1 = 0, k2 = 0, kminus1 = 0;     // rate constants
    double tmax = 0;                        // Maximum Time, ms
    Inhibitor inhibitor;

    RunStart() = default;
    RunStart(double e0_, double es0_, double s0_, double p0_, double k1_, double k2_,
             double kminus1_, double tmax_, Inhibitor inhibitor_ = {})
        : e0(e0_), es0(es0_), s0(s0_), p0(p0_), k1(k1_), k2(k2_), kminus1(kminus1_), tmax(tmax_),
          inhibitor(inhibitor_)
    {}

    bool operator==(const RunStart &) const = default;
    bool inhibited() const { return inhibitor.i0 != 0; }
};

enum class RunStatus {
    Normal,      // one RK4 step per grid interval
    StiffSolver, // the grid step was too long for RK4: the stiff solver integrated the run
    Stopped,     // from grid point `stoppedAt` on nothing could be computed
};

// Why a run stopped. A run forwards in time from non-negative values cannot grow without bound:
// it stops only when its numbers are too large for a double.
enum class StopCause {
    None,
    Backward,      // a negative Maximum Time undoes binding, and the values grow without bound
    NegativeInput, // a negative rate constant or concentration makes the values grow without bound
    TooLarge,      // the inputs are so large that a rate or a value leaves the double range
    OutOfRange,    // the fastest rate itself is beyond the double range: no run can start
};

// What was run and how it went.
struct RunReport {
    RunStart start;
    RunStatus status = RunStatus::Normal;
    StopCause cause = StopCause::None; // set when status is Stopped
    // The steps the stiff solver took; 0 when it was not used.
    int solverSteps = 0;
    // Stopped: the first grid point that could not be computed, because a value or the time left
    // the double range, or the solver could not follow a solution growing without bound. Points
    // before it are valid; points from it on hold NaN in every column and are not results.
    int stoppedAt = Trajectory::kLast + 1;

    // The last grid point that holds a result.
    int lastValid() const { return stoppedAt - 1; }
    bool operator==(const RunReport &) const = default;
};

// The longest fixed step, as |h| lambda. The classical RK4 step is stable up to about 2.785,
// but its error grows as the fifth power of |h| lambda: at 0.5 it reaches 3e-4 of the total
// enzyme in the first steps of binding, at 0.15 it stays below 2e-6 of the scale of every
// species, measured over a spread of runs against a much tighter solution.
inline constexpr double kFixedStepBound = 0.15;

// The fastest rate of the system, lambda, per ms.
double fastestRate(const RunStart &start);

// The rate at which the pre-steady state decays, per ms: the faster eigenvalue of binding and
// release at the start, with [ES] taken from [E] and [S] taken up by the enzyme. With little
// enzyme it is about 100 k1 [S]0 + k-1 + k2; with enzyme in excess the two eigenvalues draw near
// and the run has no steady state to settle into. NaN when the constants give no real rate. With
// an inhibitor, the slowest of that and the rates at which E, ES, EI and ESI settle among
// themselves at [S]0 and [I]0.
double relaxationRate(const RunStart &start);

// Whether the run takes one RK4 step per grid interval: a zero step, or |h| * lambda within
// kFixedStepBound.
bool usesFixedStep(const RunStart &start);

// Integrates the run from `start`: writes RateSet and Trajectory indices 1..600.
RunReport integrateRun(const RunStart &start, RateSet &rates, Trajectory &trajectory);

} // namespace enkin
