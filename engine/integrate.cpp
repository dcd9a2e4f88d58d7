#include "engine/integrate.h"

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

// The largest |Maximum Time| whose grid step needs at most kMaxSubsteps, cut down to three
// significant digits so that the student can type it.
double largestAcceptedTmax(double lambda)
{
    if (!std::isfinite(lambda) || lambda <= 0)
        return 0;
    const double exact = 599.0 * (kStableStepBound * kMaxSubsteps) / lambda;
    const double unit = std::pow(10.0, std::floor(std::log10(exact)) - 2);
    double t = std::floor(exact / unit) * unit;
    while (t > 0 && substepsFor(t / 599, lambda) == 0)
        t = std::nextafter(t, 0.0);
    return t;
}

} // namespace

int RunReport::lastValid() const
{
    if (status == RunStatus::Refused)
        return 0;
    return stoppedAt - 1;
}

double fastestRate(const RunStart &start)
{
    return std::abs(100 * start.k1 * start.s0) + std::abs(start.kminus1) + std::abs(start.k2);
}

int substepsFor(double h, double lambda)
{
    const double absH = std::abs(h);
    if (absH == 0)
        return 1;
    if (!std::isfinite(lambda) || !std::isfinite(absH))
        return 0;
    const double x = absH * lambda;
    if (x <= kStableStepBound)
        return 1;
    const double estimate = std::ceil(x / kStableStepBound);
    if (!(estimate <= kMaxSubsteps))
        return 0;
    int n = static_cast<int>(estimate);
    while (absH / n * lambda > kStableStepBound)
        ++n;
    return n <= kMaxSubsteps ? n : 0;
}

int substepsFor(const RunStart &start)
{
    return substepsFor(start.tmax / 599, fastestRate(start));
}

RunReport integrateRun(const RunStart &start, RateSet &rates, Trajectory &trajectory)
{
    RunReport report;
    report.tmax = start.tmax;
    const double h = start.tmax / 599;
    const int n = substepsFor(start);
    if (n == 0) {
        report.status = RunStatus::Refused;
        report.substeps = 0;
        report.largestAcceptedTmax = largestAcceptedTmax(fastestRate(start));
        return report;
    }
    report.substeps = n;
    report.status = n == 1 ? RunStatus::Normal : RunStatus::Substepped;

    rates = RateSet{start.k1, start.k2, start.kminus1};
    trajectory.EConc[1] = start.e0;
    trajectory.ESConc[1] = start.es0;
    trajectory.SConc[1] = start.s0;
    trajectory.PConc[1] = start.p0;
    trajectory.TimeVal[1] = 0;

    const double hs = h / n;
    State x{start.e0, start.es0, start.s0, start.p0};
    for (int i = 2; i <= Trajectory::kLast; ++i) {
        const double t = trajectory.TimeVal[i - 1];
        if (n == 1) {
            x = rk4Step(rates, h, t, x);
        } else {
            double ts = t;
            for (int k = 0; k < n; ++k, ts += hs)
                x = rk4Step(rates, hs, ts, x);
        }
        const double tNext = trajectory.TimeVal[i - 1] + h;
        if (!isFinite(x) || !std::isfinite(tNext)) {
            report.status = RunStatus::Stopped;
            report.stoppedAt = i;
            const double nan = std::numeric_limits<double>::quiet_NaN();
            for (int j = i; j <= Trajectory::kLast; ++j) {
                trajectory.EConc[j] = trajectory.ESConc[j] = nan;
                trajectory.SConc[j] = trajectory.PConc[j] = trajectory.TimeVal[j] = nan;
            }
            break;
        }
        trajectory.EConc[i] = x.e;
        trajectory.ESConc[i] = x.es;
        trajectory.SConc[i] = x.s;
        trajectory.PConc[i] = x.p;
        trajectory.TimeVal[i] = tNext;
    }
    return report;
}

} // namespace enkin
