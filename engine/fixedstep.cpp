#include "engine/fixedstep.h"

#include <cmath>
#include <cstddef>

namespace enkin {

namespace {

template <std::size_t N> using State = std::array<double, N>;

template <std::size_t N> bool isFinite(const State<N> &x)
{
    for (double v : x)
        if (!std::isfinite(v))
            return false;
    return true;
}

// One classical RK4 step of size h from x at time t, for rates f(x, t). Each increment is h times
// its rate; all four exist before the new state is formed, and the weighted sum is taken in the
// fixed order ((a + 2b) + 2c) + d.
template <std::size_t N, class Rates>
State<N> rk4Step(const Rates &f, double h, double t, const State<N> &x)
{
    const auto increments = [h](const State<N> &rates) {
        State<N> k;
        for (std::size_t j = 0; j < N; ++j)
            k[j] = h * rates[j];
        return k;
    };
    const auto along = [&x](const State<N> &k, double share) {
        State<N> y;
        for (std::size_t j = 0; j < N; ++j)
            y[j] = share == 1 ? x[j] + k[j] : x[j] + k[j] * share;
        return y;
    };
    const State<N> a = increments(f(x, t));
    const State<N> b = increments(f(along(a, 0.5), t + 0.5 * h));
    const State<N> c = increments(f(along(b, 0.5), t + 0.5 * h));
    const State<N> d = increments(f(along(c, 1), t + h));
    State<N> next;
    for (std::size_t j = 0; j < N; ++j)
        next[j] = x[j] + (((a[j] + 2 * b[j]) + 2 * c[j]) + d[j]) / 6;
    return next;
}

// The steps of a run from grid point 1; `load` and `store` move a state in and out of the
// trajectory's columns.
template <std::size_t N, class Rates, class Store>
SolverOutcome steps(const Rates &f, State<N> x, Trajectory &trajectory, int last,
                    const Store &store)
{
    SolverOutcome outcome;
    const double h = trajectory.TimeVal[2];
    for (int i = 2; i <= last; ++i) {
        x = rk4Step<N>(f, h, trajectory.TimeVal[i - 1], x);
        ++outcome.steps;
        if (!isFinite(x)) {
            outcome.stoppedAt = i;
            return outcome;
        }
        store(x, i);
    }
    return outcome;
}

} // namespace

SolverOutcome solveFixedStep(const RateSet &rates, double /*lambda*/, Trajectory &trajectory,
                             int last)
{
    Trajectory &t = trajectory;
    if (t.IConc[1] != 0) {
        Concentrations x;
        for (int k = 0; k < kSpecies; ++k)
            x[std::size_t(k)] = (t.*kSpeciesColumns[k])[1];
        return steps<kSpecies>(
            [&rates](const Concentrations &y, double) { return inhibitedRates(rates, y); }, x, t,
            last,
            [&t](const Concentrations &y, int i) {
                for (int k = 0; k < kSpecies; ++k)
                    (t.*kSpeciesColumns[k])[std::size_t(i)] = y[std::size_t(k)];
            });
    }
    const auto rates4 = [&rates](const State<4> &y, double time) {
        return State<4>{
            fn1(rates, y[0], y[1], y[2], y[3], time), fn2(rates, y[0], y[1], y[2], y[3], time),
            fn3(rates, y[0], y[1], y[2], y[3], time), fn4(rates, y[0], y[1], y[2], y[3], time)};
    };
    return steps<4>(rates4, State<4>{t.EConc[1], t.ESConc[1], t.SConc[1], t.PConc[1]}, t, last,
                    [&t](const State<4> &y, int i) {
                        t.EConc[i] = y[0];
                        t.ESConc[i] = y[1];
                        t.SConc[i] = y[2];
                        t.PConc[i] = y[3];
                    });
}

} // namespace enkin
