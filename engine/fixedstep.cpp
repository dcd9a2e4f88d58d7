#include "engine/fixedstep.h"

#include <cmath>
#include <cstddef>

namespace enkin {

namespace {

struct State4 {
    double e, es, s, p;
};

bool isFinite(const State4 &x)
{
    return std::isfinite(x.e) && std::isfinite(x.es) && std::isfinite(x.s) && std::isfinite(x.p);
}

// One classical RK4 step of size h from x at time t, for a run without inhibitor. Each increment is
// h times its rate function; all sixteen exist before the new state is formed, and the weighted sum
// is taken in the fixed order ((a + 2b) + 2c) + d.
inline State4 rk4Step(const RateSet &r, double h, double t, const State4 &x)
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

// The same step for a run with an inhibitor, over the seven species.
Concentrations rk4Step(const RateSet &r, double h, const Concentrations &x)
{
    Concentrations a = inhibitedRates(r, x), y, b, c, d;
    for (int j = 0; j < kSpecies; ++j) {
        a[j] *= h;
        y[j] = x[j] + a[j] * 0.5;
    }
    b = inhibitedRates(r, y);
    for (int j = 0; j < kSpecies; ++j) {
        b[j] *= h;
        y[j] = x[j] + b[j] * 0.5;
    }
    c = inhibitedRates(r, y);
    for (int j = 0; j < kSpecies; ++j) {
        c[j] *= h;
        y[j] = x[j] + c[j];
    }
    d = inhibitedRates(r, y);
    Concentrations next;
    for (int j = 0; j < kSpecies; ++j)
        next[j] = x[j] + (((a[j] + 2 * b[j]) + 2 * c[j]) + h * d[j]) * (1.0 / 6);
    return next;
}

} // namespace

SolverOutcome solveFixedStep(const RateSet &rates, double /*lambda*/, Trajectory &trajectory,
                             int last)
{
    Trajectory &t = trajectory;
    const double h = t.TimeVal[2];
    SolverOutcome outcome;
    if (t.IConc[1] != 0) {
        // A copy the trajectory's stores cannot alias, so that its products stay in registers.
        const RateSet r = rates;
        Concentrations x;
        for (int k = 0; k < kSpecies; ++k)
            x[std::size_t(k)] = (t.*kSpeciesColumns[k])[1];
        for (int i = 2; i <= last; ++i) {
            x = rk4Step(r, h, x);
            ++outcome.steps;
            for (int k = 0; k < kSpecies; ++k) {
                if (!std::isfinite(x[std::size_t(k)])) {
                    outcome.stoppedAt = i;
                    return outcome;
                }
                (t.*kSpeciesColumns[k])[std::size_t(i)] = x[std::size_t(k)];
            }
        }
        return outcome;
    }
    State4 x{t.EConc[1], t.ESConc[1], t.SConc[1], t.PConc[1]};
    for (int i = 2; i <= last; ++i) {
        x = rk4Step(rates, h, t.TimeVal[i - 1], x);
        ++outcome.steps;
        if (!isFinite(x)) {
            outcome.stoppedAt = i;
            return outcome;
        }
        t.EConc[i] = x.e;
        t.ESConc[i] = x.es;
        t.SConc[i] = x.s;
        t.PConc[i] = x.p;
    }
    return outcome;
}

} // namespace enkin
