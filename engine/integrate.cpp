#include "engine/integrate.h"

#include "engine/fixedstep.h"
#include "engine/stiffsolver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace enkin {

namespace {

// The slowest rate at which the enzyme's forms settle while [S] and [I] stay at [S]0 and [I]0:
// EI <=> E <=> ES <=> ESI is a chain of first-order exchanges, and its generator, made symmetric,
// is a tridiagonal matrix whose eigenvalues are 0 and minus the chain's relaxation rates. The
// second largest is found by bisection on the count of eigenvalues below a value (Sturm).
double slowestExchange(const RunStart &start)
{
    const Inhibitor &in = start.inhibitor;
    // Forward (towards ESI) and backward rates of each link; a form the inhibitor cannot
    // reach is left out of the chain.
    struct Link {
        double forward, backward;
    };
    std::array<Link, 3> links{};
    int count = 0;
    if (in.k3 > 0)
        links[count++] = {in.kminus3, 100 * in.k3 * in.i0}; // EI -> E, E -> EI
    links[count++] = {100 * start.k1 * start.s0, start.kminus1 + start.k2};
    if (in.k4 > 0)
        links[count++] = {100 * in.k4 * in.i0, in.kminus4};
    const int n = count + 1;
    std::array<double, 4> diagonal{}, off{};
    double bound = 0;
    for (int k = 0; k < count; ++k) {
        diagonal[std::size_t(k)] -= links[std::size_t(k)].forward;
        diagonal[std::size_t(k + 1)] -= links[std::size_t(k)].backward;
        off[std::size_t(k)] =
            std::sqrt(links[std::size_t(k)].forward * links[std::size_t(k)].backward);
        bound += 2 * (links[std::size_t(k)].forward + links[std::size_t(k)].backward);
    }
    const auto below = [&](double x) {
        int negatives = 0;
        double q = 1;
        for (int k = 0; k < n; ++k) {
            q = (diagonal[std::size_t(k)] - x) -
                (k > 0 ? off[std::size_t(k - 1)] * off[std::size_t(k - 1)] / q : 0);
            if (q == 0)
                q = -1e-300;
            negatives += q < 0;
        }
        return negatives;
    };
    double lo = -bound, hi = 0;
    if (!(bound > 0) || !std::isfinite(bound))
        return std::nan("");
    for (int step = 0; step < 200 && hi - lo > 1e-12 * bound; ++step) {
        const double mid = (lo + hi) / 2;
        (below(mid) >= n - 1 ? hi : lo) = mid;
    }
    return -hi;
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
    const double plain = ((100 * k1 * substrate + std::abs(start.kminus1)) + std::abs(start.k2)) +
                         k1 * enzyme / 10000;
    if (!start.inhibited())
        return plain;
    // An inhibitor adds its binding and release to the diagonal of the Jacobian; the size of
    // its trace, taken with the most of each species the run can hold, bounds every eigenvalue.
    const Inhibitor &in = start.inhibitor;
    const double k3 = std::abs(in.k3), k4 = std::abs(in.k4);
    const double inhibitor = std::abs(in.i0);
    return plain + (100 * (k3 + k4) * inhibitor + std::abs(in.kminus3) + std::abs(in.kminus4)) +
           (k3 + k4) * enzyme / 10000;
}

double relaxationRate(const RunStart &start)
{
    // The Jacobian of ([E], [S]) with [ES] = total - [E] has trace -(100 k1 [S] + k-1 + k2 +
    // k1 [E] / 10000) and determinant k1 k2 [E] / 10000.
    const double half =
        (100 * start.k1 * start.s0 + start.kminus1 + start.k2 + start.k1 * start.e0 / 10000) / 2;
    const double determinant = start.k1 * start.k2 * start.e0 / 10000;
    const double root = std::sqrt(half * half - determinant);
    const double plain = std::isfinite(root) ? half + root : std::nan("");
    // With an inhibitor the run waits for the slowest exchange among the enzyme's forms.
    return start.inhibited() ? std::min(plain, slowestExchange(start)) : plain;
}

bool usesFixedStep(const RunStart &start)
{
    const double h = start.tmax / 599;
    return h == 0 || std::abs(h) * fastestRate(start) <= kFixedStepBound;
}

RunReport integrateRun(const RunStart &start, RateSet &rates, Trajectory &trajectory)
{
    RunReport report;
    report.start = start;
    const Inhibitor &in = start.inhibitor;
    rates = RateSet{start.k1, start.k2, start.kminus1, in.k3, in.kminus3, in.k4, in.kminus4};
    trajectory.EConc[1] = start.e0;
    trajectory.ESConc[1] = start.es0;
    trajectory.SConc[1] = start.s0;
    trajectory.PConc[1] = start.p0;
    trajectory.TimeVal[1] = 0;
    // Without an inhibitor its columns stay 0 and the run is the four species' alone.
    trajectory.EIConc.fill(0);
    trajectory.ESIConc.fill(0);
    trajectory.IConc.fill(0);
    trajectory.IConc[1] = in.i0;

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

    int stoppedAt = last + 1;
    const double lambda = fastestRate(start);
    const bool finiteStart = std::isfinite(start.e0) && std::isfinite(start.es0) &&
                             std::isfinite(start.s0) && std::isfinite(start.p0) &&
                             std::isfinite(in.i0);
    if (!finiteStart) {
        stoppedAt = 1;
    } else if (h != 0 && !std::isfinite(lambda)) {
        stoppedAt = 2;
        report.cause = StopCause::OutOfRange;
    } else {
        const bool fixed = usesFixedStep(start);
        const Solver solve = fixed ? solveFixedStep : solveStiff;
        const SolverOutcome outcome = solve(rates, lambda, trajectory, last);
        if (!fixed) {
            report.status = RunStatus::StiffSolver;
            report.solverSteps = outcome.steps;
        }
        stoppedAt = std::min(stoppedAt, outcome.stoppedAt);
    }

    if (stoppedAt <= Trajectory::kLast) {
        report.status = RunStatus::Stopped;
        report.stoppedAt = stoppedAt;
        const bool negative = start.e0 < 0 || start.es0 < 0 || start.s0 < 0 || start.p0 < 0 ||
                              start.k1 < 0 || start.k2 < 0 || start.kminus1 < 0 ||
                              (start.inhibited() && (in.i0 < 0 || in.k3 < 0 || in.kminus3 < 0 ||
                                                     in.k4 < 0 || in.kminus4 < 0));
        if (report.cause == StopCause::None)
            report.cause = start.tmax < 0 ? StopCause::Backward
                           : negative     ? StopCause::NegativeInput
                                          : StopCause::TooLarge;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (int j = stoppedAt; j <= Trajectory::kLast; ++j) {
            trajectory.EConc[j] = trajectory.ESConc[j] = nan;
            trajectory.SConc[j] = trajectory.PConc[j] = trajectory.TimeVal[j] = nan;
            trajectory.EIConc[j] = trajectory.ESIConc[j] = trajectory.IConc[j] = nan;
        }
    }
    return report;
}

} // namespace enkin
