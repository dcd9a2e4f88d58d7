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

// The solver's state: the four concentrations, each divided by its scale, the size it can reach
// on the run. A component whose value is tiny beside another's (a trace of substrate beside the
// enzyme, or a trace of complex) keeps its own digits that way: one tolerance bounds the error
// of each relative to what it can become, and no rate is computed from the difference of two
// nearly equal numbers.
enum { E, ES, S, P, kSolved };

// The run's constants: the rates and the scales, the smallest sizes at which each species still
// matters; the relative tolerance covers it when it is larger. [S] matters down to Km, where
// binding lets go, or down to all the substrate there is, free or bound, if that is less. Free
// enzyme falls to total Km / (Km + [S]) as substrate binds it. The complex holds both enzyme and
// substrate, so it reaches at most the lesser of the two, and at most what binding holds at all
// the substrate with the enzyme all free, total [S] / (Km + [S]), unless it starts above that.
// Product grows from [P]0 at k2 [ES]. A scale that is zero or not a normal number (nothing
// there, so nothing moves) is taken from the total enzyme, or as 1.
struct Model {
    const RateSet &r;
    double scale[kSolved];

    Model(const RateSet &rates, const Trajectory &t) : r(rates)
    {
        const auto usable = [](double x, double fallback) {
            return std::isnormal(x) ? x : fallback;
        };
        const double enzyme = usable(std::abs(t.EConc[1]) + std::abs(t.ESConc[1]), 1);
        const double substrate = usable(std::abs(t.SConc[1]) + std::abs(t.ESConc[1]) / 1000000, 1);
        // Km in the unit of [S] (1e-3 M); not finite when k1 is 0 and nothing binds.
        const double km =
            (std::abs(rates.kminus1) + std::abs(rates.k2)) / (100 * std::abs(rates.k1));
        const bool binds = std::isfinite(km) && km > 0;
        double complex = std::min(enzyme, 1000000 * substrate);
        if (binds)
            complex = std::min(complex, enzyme / (km / substrate + 1));
        complex = usable(std::max(complex, std::abs(t.ESConc[1])), enzyme);
        scale[E] = binds ? usable(enzyme / (substrate / km + 1), enzyme) : enzyme;
        scale[ES] = complex;
        scale[S] = binds ? usable(std::min(substrate, km), substrate) : substrate;
        scale[P] = usable(std::abs(t.PConc[1]) + complex, enzyme);
    }
};

// A run with an inhibitor: the seven concentrations of kinetics.h's Species, scaled. The first
// four take the scales of Model (an inhibitor only takes enzyme from them); the complexes with
// the inhibitor reach at most the total enzyme, and [I] is all the inhibitor there is.
struct InhibitedModel {
    const RateSet &r;
    double scale[kSpecies];

    InhibitedModel(const RateSet &rates, const Trajectory &t) : r(rates)
    {
        const Model plain(rates, t);
        for (int k = 0; k < kSolved; ++k)
            scale[k] = plain.scale[k];
        const double enzyme = std::abs(t.EConc[1]) + std::abs(t.ESConc[1]) + std::abs(t.EIConc[1]) +
                              std::abs(t.ESIConc[1]);
        const double inhibitor =
            std::abs(t.IConc[1]) + (std::abs(t.EIConc[1]) + std::abs(t.ESIConc[1])) / 1000000;
        scale[kEI] = scale[kESI] = std::isnormal(enzyme) ? enzyme : 1;
        scale[kI] = std::isnormal(inhibitor) ? inhibitor : 1;
    }
};

// The rates and the Jacobian of the scaled state u, for either model: J_ij scale_j / scale_i.
// With the scales above every entry is bounded by the rates of the system, however small a
// scale is. Nothing depends on t.
struct ScaledRates {
    const Model &m;

    void operator()(const Vector &u, Vector &dudt, double t) const
    {
        const double e = u[E] * m.scale[E], es = u[ES] * m.scale[ES];
        const double s = u[S] * m.scale[S], p = u[P] * m.scale[P];
        dudt[E] = fn1(m.r, e, es, s, p, t) / m.scale[E];
        dudt[ES] = fn2(m.r, e, es, s, p, t) / m.scale[ES];
        dudt[S] = fn3(m.r, e, es, s, p, t) / m.scale[S];
        dudt[P] = fn4(m.r, e, es, s, p, t) / m.scale[P];
    }
};

struct ScaledJacobian {
    const Model &m;

    void operator()(const Vector &u, Matrix &jac, double /*t*/, Vector &dfdt) const
    {
        const Jacobian j =
            rateJacobian(m.r, u[E] * m.scale[E], u[ES] * m.scale[ES], u[S] * m.scale[S]);
        for (int row = 0; row < kSolved; ++row) {
            for (int col = 0; col < kSolved; ++col)
                jac(row, col) = j[row][col] * (m.scale[col] / m.scale[row]);
            dfdt[row] = 0;
        }
    }
};

Concentrations unscaled(const InhibitedModel &m, const Vector &u)
{
    Concentrations x;
    for (int k = 0; k < kSpecies; ++k)
        x[std::size_t(k)] = u[k] * m.scale[k];
    return x;
}

struct InhibitedScaledRates {
    const InhibitedModel &m;

    void operator()(const Vector &u, Vector &dudt, double /*t*/) const
    {
        const Concentrations d = inhibitedRates(m.r, unscaled(m, u));
        for (int k = 0; k < kSpecies; ++k)
            dudt[k] = d[std::size_t(k)] / m.scale[k];
    }
};

struct InhibitedScaledJacobian {
    const InhibitedModel &m;

    void operator()(const Vector &u, Matrix &jac, double /*t*/, Vector &dfdt) const
    {
        const InhibitedJacobian j = inhibitedJacobian(m.r, unscaled(m, u));
        for (int row = 0; row < kSpecies; ++row) {
            for (int col = 0; col < kSpecies; ++col)
                jac(row, col) =
                    j[std::size_t(row)][std::size_t(col)] * (m.scale[col] / m.scale[row]);
            dfdt[row] = 0;
        }
    }
};

bool allFinite(const Vector &u)
{
    return std::all_of(u.begin(), u.end(), [](double v) { return std::isfinite(v); });
}

// Binding and release move enzyme between [E] and [ES], so their sum is the total at every
// step; a long step's rounding can move it by a few units in the last place of the larger one.
// The smaller of the two is the more precise: the larger is taken as the total less it.
void keepTotal(double total, double &e, double &es)
{
    if (std::abs(e) <= std::abs(es))
        es = total - e;
    else
        e = total - es;
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

// With an inhibitor the enzyme is in four forms: the largest is the total less the other three,
// and a negative one is set to 0 and taken from the largest.
void keepTotal(double total, Concentrations &x)
{
    const Species forms[] = {kE, kES, kEI, kESI};
    Species largest = kE;
    for (Species k : forms)
        if (std::abs(x[k]) > std::abs(x[largest]))
            largest = k;
    double others = 0;
    for (Species k : forms)
        if (k != largest)
            others += x[k];
    x[largest] = total - others;
}

void clampToNonNegative(Concentrations &x)
{
    const Species forms[] = {kE, kES, kEI, kESI};
    Species largest = kE;
    for (Species k : forms)
        if (x[k] > x[largest])
            largest = k;
    for (Species k : forms)
        if (x[k] < 0) {
            x[largest] += x[k];
            x[k] = 0;
        }
    for (Species k : {kS, kP, kI})
        x[k] = std::max(x[k], 0.0);
}

// What the driver below needs of a model: its size, its scaled rates and Jacobian, and how a
// grid point's state goes into the trajectory.
struct PlainRun {
    static constexpr int kSize = kSolved;
    const Model model;
    double total;
    bool nonNegative;

    PlainRun(const RateSet &rates, const Trajectory &t, bool forward)
        : model(rates, t), total(t.EConc[1] + t.ESConc[1]),
          nonNegative(forward && rates.k1 >= 0 && rates.k2 >= 0 && rates.kminus1 >= 0 &&
                      t.EConc[1] >= 0 && t.ESConc[1] >= 0 && t.SConc[1] >= 0 && t.PConc[1] >= 0)
    {}
    auto system() const { return std::make_pair(ScaledRates{model}, ScaledJacobian{model}); }
    void load(const Trajectory &t, Vector &u) const
    {
        u[E] = t.EConc[1] / model.scale[E];
        u[ES] = t.ESConc[1] / model.scale[ES];
        u[S] = t.SConc[1] / model.scale[S];
        u[P] = t.PConc[1] / model.scale[P];
    }
    bool store(const Vector &x, Trajectory &t, int i) const
    {
        double e = x[E] * model.scale[E], es = x[ES] * model.scale[ES];
        double s = x[S] * model.scale[S], p = x[P] * model.scale[P];
        if (!std::isfinite(e) || !std::isfinite(es) || !std::isfinite(s) || !std::isfinite(p))
            return false;
        keepTotal(total, e, es);
        if (nonNegative)
            clampToNonNegative(e, es, s, p);
        t.EConc[i] = e;
        t.ESConc[i] = es;
        t.SConc[i] = s;
        t.PConc[i] = p;
        return true;
    }
};

struct InhibitedRun {
    static constexpr int kSize = kSpecies;
    const InhibitedModel model;
    double total;
    bool nonNegative;

    InhibitedRun(const RateSet &rates, const Trajectory &t, bool forward)
        : model(rates, t), total(((t.EConc[1] + t.ESConc[1]) + t.EIConc[1]) + t.ESIConc[1]),
          nonNegative(forward)
    {
        for (double k :
             {rates.k1, rates.k2, rates.kminus1, rates.k3, rates.kminus3, rates.k4, rates.kminus4})
            nonNegative = nonNegative && k >= 0;
        for (int k = 0; k < kSpecies; ++k)
            nonNegative = nonNegative && (t.*kSpeciesColumns[k])[1] >= 0;
    }
    auto system() const
    {
        return std::make_pair(InhibitedScaledRates{model}, InhibitedScaledJacobian{model});
    }
    void load(const Trajectory &t, Vector &u) const
    {
        for (int k = 0; k < kSpecies; ++k)
            u[k] = (t.*kSpeciesColumns[k])[1] / model.scale[k];
    }
    bool store(const Vector &u, Trajectory &t, int i) const
    {
        Concentrations x = unscaled(model, u);
        for (double v : x)
            if (!std::isfinite(v))
                return false;
        keepTotal(total, x);
        if (nonNegative)
            clampToNonNegative(x);
        for (int k = 0; k < kSpecies; ++k)
            (t.*kSpeciesColumns[k])[std::size_t(i)] = x[std::size_t(k)];
        return true;
    }
};

template <class Run>
SolverOutcome solveRun(const Run &run, double lambda, Trajectory &trajectory, int last)
{
    SolverOutcome outcome;
    const auto system = run.system();
    Vector u(Run::kSize), dudt(Run::kSize);
    run.load(trajectory, u);
    system.first(u, dudt, 0);
    if (!std::isfinite(run.total) || !allFinite(u) || !allFinite(dudt)) {
        outcome.stoppedAt = 2;
        return outcome;
    }

    // The first step: a hundredth of the binding time, or the grid step if that is shorter. The
    // controller corrects a poor guess within a few steps.
    const double h = trajectory.TimeVal[2];
    const double first = lambda > 0 && std::isfinite(lambda)
                             ? std::copysign(std::min(std::abs(h), 0.01 / lambda), h)
                             : h;
    const bool forward = h > 0;

    // Steps of at most an eighth of the run, so that the last one, which ends beyond the last
    // grid time, cannot carry the time out of the double range. odeint takes the bound with the
    // sign of the direction of the run (a positive bound turns a backward step forwards).
    const double longest = trajectory.TimeVal[last] / 8;
    // A fresh stepper for every run: its step-size controller keeps the history of the last
    // steps, and a run must not depend on the one before.
    Stepper stepper(odeint::rosenbrock4_controller<odeint::rosenbrock4<double>>(
        kSolverTolerance, kSolverTolerance, longest));
    stepper.initialize(u, 0.0, first);
    Vector x(Run::kSize);
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
                const auto [from, to] = stepper.do_step(system);
                ++outcome.steps;
                // A step too small to move the time on means the solution is running away.
                if (to == from || !allFinite(stepper.current_state()))
                    return stopHere();
            }
            stepper.calc_state(t, x);
            if (!run.store(x, trajectory, i))
                return stopHere();
        }
    } catch (const std::exception &) {
        // odeint gives up after 500 rejected tries of one step.
        return stopHere();
    }
    return outcome;
}

} // namespace

SolverOutcome solveStiff(const RateSet &rates, double lambda, Trajectory &trajectory, int last)
{
    if (last < 2)
        return {};
    const bool forward = trajectory.TimeVal[2] > 0;
    if (trajectory.IConc[1] != 0)
        return solveRun(InhibitedRun(rates, trajectory, forward), lambda, trajectory, last);
    return solveRun(PlainRun(rates, trajectory, forward), lambda, trajectory, last);
}

} // namespace enkin
