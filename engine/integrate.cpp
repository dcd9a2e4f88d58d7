#include "engine/integrate.h"

#include "engine/stiffsolver.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace enkin {

namespace {

struct State {
    double e, es, s, p;
};

bool isFinite(const State &x)
{
    return std::isfinite(x.e) && std::isfinite(x.es) && std::isfinite(x.s) && std::isfinite(x.p);
}

// One classical RK4 step of size h from x at time t. Each increment is h times its rate
// function; all sixteen exist before the new state is formed, and the weighted sum is taken in
// the fixed order ((a + 2b) + 2c) + d.
inline State rk4Step(const RateSet &r, double h, double t, const State &x)
{
    const double aE = h * fn1(r, x.e, x.es, x.s, x.p, t);
    const double aES = h * fn2(r, x.e, x.es, x.s, x.p, t);
    const double aS = h * fn3(r, x.e, x.es, x.s, x.p, t);
    const double aP = h * fn4(r, x.e, x.es, x.s, x.p, t);

    const double e2 = x.e + aE * 0.5, es2 = x.es + aES * 0.5;
    const double s2 = x.s + aS * 0.5, p2 = x.p + aP * 0.5, t2 = t + 0.5 * h;
    const double bE = h * fn1(r, e2, es2, s2, p2, t2);
    const double bES = h * fn2(r, e2, es2, s2, p2, t2);
    const double bS = h * fn3(r, e2, es2, s2, p2, t2);
    const double bP = h * fn4(r, e2, es2, s2, p2, t2);

    const double e3 = x.e + bE * 0.5, es3 = x.es + bES * 0.5;
    const double s3 = x.s + bS * 0.5, p3 = x.p + bP * 0.5, t3 = t + 0.5 * h;
    const double cE = h * fn1(r, e3, es3, s3, p3, t3);
    const double cES = h * fn2(r, e3, es3, s3, p3, t3);
    const double cS = h * fn3(r, e3, es3, s3, p3, t3);
    const double cP = h * fn4(r, e3, es3, s3, p3, t3);

    const double e4 = x.e + cE, es4 = x.es + cES, s4 = x.s + cS, p4 = x.p + cP, t4 = t + h;
    const double dE = h * fn1(r, e4, es4, s4, p4, t4);
    const double dES = h * fn2(r, e4, es4, s4, p4, t4);
    const double dS = h * fn3(r, e4, es4, s4, p4, t4);
    const double dP = h * fn4(r, e4, es4, s4, p4, t4);

    return {x.e + (((aE + 2 * bE) + 2 * cE) + dE) / 6,
            x.es + (((aES + 2 * bES) + 2 * cES) + dES) / 6,
            x.s + (((aS + 2 * bS) + 2 * cS) + dS) / 6, x.p + (((aP + 2 * bP) + 2 * cP) + dP) / 6};
}

} // namespace

double fastestRate(const RunStart &start)
{
    // The eigenvalues of the Jacobian are 0 and the two of binding and release, whose sum is
    // -(100 k1 [S] + k-1 + k2 + k1 [E] / 10000): its size bounds both. Going forwards from
    // non-negative values [S] never exceeds [S]0 + [ES]0 / 1e6 and [E] never exceeds
    // [E]0 + [ES]0, so the bound holds over the whole run.
    const double k1 = std::abs(start.k1);
    const double substrate = std::abs(start.s0) + std::abs(start.es0) / 1000000;
    const double enzyme = std::abs(start.e0) + std::abs(start.es0);
    return ((100 * k1 * substrate + std::abs(start.kminus1)) + std::abs(start.k2)) +
           k1 * enzyme / 10000;
}

double relaxationRate(const RunStart &start)
{
    // The Jacobian of ([E], [S]) with [ES] = total - [E] has trace -(100 k1 [S] + k-1 + k2 +
    // k1 [E] / 10000) and determinant k1 k2 [E] / 10000.
    const double half =
        (100 * start.k1 * start.s0 + start.kminus1 + start.k2 + start.k1 * start.e0 / 10000) / 2;
    const double determinant = start.k1 * start.k2 * start.e0 / 10000;
    const double root = std::sqrt(half * half - determinant);
    return std::isfinite(root) ? half + root : std::nan("");
}

bool usesFixedStep(const RunStart &start)
{
    const double h = start.tmax / 599;
    return h == 0 || std::abs(h) * fastestRate(start) <= kFixedStepBound;
}

RunReport integrateRun(const RunStart &start, RateSet &rates, Trajectory &trajectory)
{
    RunReport report;
    report.tmax = start.tmax;
    rates = RateSet{start.k1, start.k2, start.kminus1};
    trajectory.EConc[1] = start.e0;
    trajectory.ESConc[1] = start.es0;
    trajectory.SConc[1] = start.s0;
    trajectory.PConc[1] = start.p0;
    trajectory.TimeVal[1] = 0;

    // The grid times, for both methods. Only a step near the largest double can carry the time
    // out of range; the run then ends at the last finite time.
    const double h = start.tmax / 599;
    int last = Trajectory::kLast;
    for (int i = 2; i <= Trajectory::kLast; ++i) {
        trajectory.TimeVal[i] = trajectory.TimeVal[i - 1] + h;
        if (!std::isfinite(trajectory.TimeVal[i])) {
            last = i - 1;
            break;
        }
    }

    State x{start.e0, start.es0, start.s0, start.p0};
    int stoppedAt = last + 1;
    if (!isFinite(x)) {
        stoppedAt = 1;
    } else if (usesFixedStep(start)) {
        for (int i = 2; i <= last; ++i) {
            x = rk4Step(rates, h, trajectory.TimeVal[i - 1], x);
            if (!isFinite(x)) {
                stoppedAt = i;
                break;
            }
            trajectory.EConc[i] = x.e;
            trajectory.ESConc[i] = x.es;
            trajectory.SConc[i] = x.s;
            trajectory.PConc[i] = x.p;
        }
    } else {
        const SolverOutcome outcome = solveStiff(rates, trajectory, last, fastestRate(start));
        report.status = RunStatus::StiffSolver;
        report.solverSteps = outcome.steps;
        stoppedAt = std::min(stoppedAt, outcome.stoppedAt);
    }

    if (stoppedAt <= Trajectory::kLast) {
        report.status = RunStatus::Stopped;
        report.stoppedAt = stoppedAt;
        const bool negative = start.e0 < 0 || start.es0 < 0 || start.s0 < 0 || start.p0 < 0 ||
                              start.k1 < 0 || start.k2 < 0 || start.kminus1 < 0;
        report.cause = start.tmax < 0 ? StopCause::Backward
                       : negative     ? StopCause::NegativeInput
                                      : StopCause::TooLarge;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (int j = stoppedAt; j <= Trajectory::kLast; ++j) {
            trajectory.EConc[j] = trajectory.ESConc[j] = nan;
            trajectory.SConc[j] = trajectory.PConc[j] = trajectory.TimeVal[j] = nan;
        }
    }
    return report;
}

} // namespace enkin
