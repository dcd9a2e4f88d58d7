// Fourth-order Runge-Kutta integration of one run over the 600-point grid.
//
// The grid step is h = tmax / 599. While |h| * lambda <= 0.5, where lambda = |100 k1 [S]0| +
// |k-1| + |k2| bounds the fastest rate of the system, each grid interval is one classical RK4 step.
// A fixed step diverges once h * lambda passes about 2.785 and is visibly inaccurate well before,
// so larger steps are split into n equal substeps with |h| / n * lambda <= 0.5; the grid, the
// stored points and the times stay the same. Runs that would need more than kMaxSubsteps are
// refused, and a run whose values leave the double range stops at the first such grid point.
#pragma once

#include "engine/kinetics.h"

namespace enkin {

// The numbers a run starts from.
struct RunStart {
    double e0 = 0, es0 = 0, s0 = 0, p0 = 0; // initial concentrations
    double k1 = 0, k2 = 0, kminus1 = 0;     // rate constants
    double tmax = 0;                        // Maximum Time, ms
};

enum class RunStatus {
    Normal,     // one RK4 step per grid interval
    Substepped, // each grid interval integrated with `substeps` equal RK4 steps
    Refused,    // too stiff for the grid: RateSet and Trajectory keep the previous run
    Stopped,    // values left the double range at grid point `stoppedAt`
};

struct RunReport {
    RunStatus status = RunStatus::Normal;
    double tmax = 0;
    int substeps = 1;
    // Refused: the largest |Maximum Time| that would have been accepted, in ms.
    double largestAcceptedTmax = 0;
    // Stopped: the first grid point that could not be computed; points before it are valid,
    // points from it on hold NaN and are not results.
    int stoppedAt = Trajectory::kLast + 1;

    // The last grid point that holds a result (0 when the run was refused).
    int lastValid() const;
};

inline constexpr double kStableStepBound = 0.5;
inline constexpr int kMaxSubsteps = 1000;

// The fastest rate of the system, lambda, and the substeps a grid step h needs (0 when the run
// would need more than kMaxSubsteps, or lambda is not finite).
double fastestRate(const RunStart &start);
int substepsFor(double h, double lambda);

// The substeps each grid interval of this run needs; 0 when the run is refused.
int substepsFor(const RunStart &start);

// Integrates the run from `start`: writes RateSet and Trajectory indices 1..600, unless refused.
RunReport integrateRun(const RunStart &start, RateSet &rates, Trajectory &trajectory);

} // namespace enkin
