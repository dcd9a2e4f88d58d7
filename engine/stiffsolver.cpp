// Built as C++17: the uBLAS of Boost 1.74, under rosenbrock4, still calls
// std::allocator::construct, which C++20 removed (see engine/CMakeLists.txt).
#include "engine/stiffsolver.h"

#include <boost/numeric/odeint/stepper/rosenbrock4.hpp>
#include <boost/numeric/odeint/stepper/rosenbrock4_controller.hpp>
#include <boost/numeric/odeint/stepper/rosenbrock4_dense_output.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace enkin {

namespace {

namespace odeint = boost::numeric::odeint;
using Vector = boost::numeric::ublas::vector<double>;
using Matrix = boost::numeric::ublas::matrix<double>;
using Stepper =
    odeint::rosenbrock4_dense_output<odeint::rosenbrock4_controller<odeint::rosenbrock4<double>>>;

// The solver's state: [E], [S] and [P], each divided by its scale. [ES] is the total enzyme less
// [E]: binding and release only move enzyme between the two, and solving for both lets rounding
// in the nearly singular stage equations of very long steps (|h| lambda up to 1e12) break
// [E] + [ES] by up to 1e-8.
enum { E, S, P, kSolved };

// The run's constants: the rates, the total enzyme, and the scales. The scale of [E] and of [P]
// (which grows at k2 [ES]) is the total enzyme, that of [S] all the substrate there is, free or
// bound. A zero scale (nothing there, so nothing moves) is taken as 1.
struct Model {
    const RateSet &r;
    double total;
    double scale[kSolved];

    Model(const RateSet &rates, const Trajectory &t) : r(rates), total(t.EConc[1] + t.ESConc[1])
    {
        const double enzyme = std::abs(t.EConc[1]) + std::abs(t.ESConc[1]);
        const double substrate = std::abs(t.SConc[1]) + std::abs(t.ESConc[1]) / 1000000;
        scale[E] = scale[P] = enzyme > 0 ? enzyme : 1;
        scale[S] = substrate > 0 ? substrate : 1;
    }
};

// du/dt for the scaled state u.
struct ScaledRates {
    const Model &m;

    void operator()(const Vector &u, Vector &dudt, double t) const
    {
        const double e = u[E] * m.scale[E], es = m.total - e;
        const double s = u[S] * m.scale[S], p = u[P] * m.scale[P];
        dudt[E] = fn1(m.r, e, es, s, p, t) / m.scale[E];
        dudt[S] = fn3(m.r, e, es, s, p, t) / m.scale[S];
        dudt[P] = fn4(m.r, e, es, s, p, t) / m.scale[P];
    }
};

// The Jacobian of the scaled rates: with [ES] = total - [E], d/d[E] is the [E] column of the
// full Jacobian less its [ES] column; then J_ij * scale_j / scale_i. Nothing depends on t.
struct ScaledJacobian {
    const Model &m;

    void operator()(const Vector &u, Matrix &jac, double /*t*/, Vector &dfdt) const
    {
        const double e = u[E] * m.scale[E];
        const Jacobian j = rateJacobian(m.r, e, m.total - e, u[S] * m.scale[S]);
        const int rowOf[kSolved] = {0, 2, 3}; // fn1, fn3, fn4
        for (int row = 0; row < kSolved; ++row) {
            const auto &full = j[rowOf[row]];
            const double reduced[kSolved] = {full[0] - full[1], full[2], full[3]};
            for (int col = 0; col < kSolved; ++col)
                jac(row, col) = reduced[col] * m.scale[col] / m.scale[row];
            dfdt[row] = 0;
        }
    }
};

bool allFinite(const Vector &u)
{
    return std::all_of(u.begin(), u.end(), [](double v) { return std::isfinite(v); });
}

// Where every rate constant and starting value is non-negative, no concentration can become
// negative going forwards, and a slightly negative value (a few 1e-12 of its scale after the
// substrate has run out) is solver error; storing it as 0 brings it closer to the true value and
// keeps the readouts from showing -0.001. The enzyme pair is moved together, so that [E] + [ES]
// keeps its sum.
void clampToNonNegative(double &e, double &es, double &s, double &p)
{
    if (es < 0) {
        e += es;
        es = 0;
    } else if (e < 0) {
        es += e;
        e = 0;
    }
    s = std::max(s, 0.0);
    p = std::max(p, 0.0);
}

} // namespace

SolverOutcome solveStiff(const RateSet &rates, Trajectory &trajectory, int last)
{
    SolverOutcome outcome;
    if (last < 2)
        return outcome;
    const Model model(rates, trajectory);
    const ScaledRates system{model};
    const ScaledJacobian jacobian{model};

    Vector u(kSolved), dudt(kSolved);
    u[E] = trajectory.EConc[1] / model.scale[E];
    u[S] = trajectory.SConc[1] / model.scale[S];
    u[P] = trajectory.PConc[1] / model.scale[P];
    system(u, dudt, 0);
    if (!std::isfinite(model.total) || !allFinite(u) || !allFinite(dudt)) {
        outcome.stoppedAt = 2;
        return outcome;
    }

    // The first step: a hundredth of the binding time, or the grid step if that is shorter. The
    // controller corrects a poor guess within a few steps.
    const double h = trajectory.TimeVal[2];
    const double lambda = std::abs(100 * rates.k1 * trajectory.SConc[1]) + std::abs(rates.kminus1) +
                          std::abs(rates.k2);
    const double first = lambda > 0 && std::isfinite(lambda)
                             ? std::copysign(std::min(std::abs(h), 0.01 / lambda), h)
                             : h;
    const bool forward = h > 0;
    const bool nonNegative = forward && rates.k1 >= 0 && rates.k2 >= 0 && rates.kminus1 >= 0 &&
                             trajectory.EConc[1] >= 0 && trajectory.ESConc[1] >= 0 &&
                             trajectory.SConc[1] >= 0 && trajectory.PConc[1] >= 0;

    // Steps of at most an eighth of the run, so that the last one, which ends beyond the last
    // grid time, cannot carry the time out of the double range. odeint takes the bound with the
    // sign of the direction of the run (a positive bound turns a backward step forwards).
    const double longest = trajectory.TimeVal[last] / 8;
    // A fresh stepper for every run: its step-size controller keeps the history of the last
    // steps, and a run must not depend on the one before.
    Stepper stepper(odeint::rosenbrock4_controller<odeint::rosenbrock4<double>>(
        kSolverTolerance, kSolverTolerance, longest));
    stepper.initialize(u, 0.0, first);
    Vector x(kSolved);
    int i = 2;
    const auto stopHere = [&outcome, &i] {
        outcome.stoppedAt = i;
        return outcome;
    };
    try {
        for (; i <= last; ++i) {
            const double t = trajectory.TimeVal[i];
            while (forward ? stepper.current_time() < t : stepper.current_time() > t) {
                if (outcome.steps == kMaxSolverSteps)
                    return stopHere();
                const auto [from, to] = stepper.do_step(std::make_pair(system, jacobian));
                ++outcome.steps;
                // A step too small to move the time on means the solution is running away.
                if (to == from || !allFinite(stepper.current_state()))
                    return stopHere();
            }
            stepper.calc_state(t, x);
            double e = x[E] * model.scale[E], es = model.total - e;
            double s = x[S] * model.scale[S], p = x[P] * model.scale[P];
            if (!std::isfinite(e) || !std::isfinite(es) || !std::isfinite(s) || !std::isfinite(p))
                return stopHere();
            if (nonNegative)
                clampToNonNegative(e, es, s, p);
            trajectory.EConc[i] = e;
            trajectory.ESConc[i] = es;
            trajectory.SConc[i] = s;
            trajectory.PConc[i] = p;
        }
    } catch (const std::exception &) {
        // odeint gives up after 500 rejected tries of one step.
        return stopHere();
    }
    return outcome;
}

} // namespace enkin
