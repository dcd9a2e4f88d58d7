// The mass-action model of E + S <=> ES -> E + P and the computed run it produces.
//
// Everything is held in the units the student sees: [E], [ES], [P] in 1e-9 M, [S] in 1e-3 M, time
// in ms, k1 in 1e8 /M/s, k2 and k-1 in 1e3 /s. The unit conversions live in the constants 100,
// 1e4 and 1e6 of the rate functions:
//   d[E]/dt  = (k-1 + k2)[ES] - 100 k1 [E][S]
//   d[ES]/dt = 100 k1 [E][S] - (k-1 + k2)[ES]
//   d[S]/dt  = k-1 [ES] / 1e6 - k1 [E][S] / 1e4
//   d[P]/dt  = k2 [ES]
// The order of operations below is fixed so that every run is reproducible bit for bit.
//
// An inhibitor I, in 1e-3 M like [S], binds the free enzyme (E + I <=> EI, k3 and k-3) and the
// complex (ES + I <=> ESI, k4 and k-4); the complexes are in 1e-9 M like [E], k3 and k4 in
// 1e8 /M/s like k1, k-3 and k-4 in 1e3 /s like k-1. Its binding terms read as k1's do: 100 k3
// [E][I] in the enzyme's equations, k3 [E][I] / 1e4 in [I]'s. A run without inhibitor is
// integrated with fn1..fn4 alone.
#pragma once

#include <array>

namespace enkin {

struct RateSet {
    double k1 = 0;      // E + S -> ES, 1e8 /M/s
    double k2 = 0;      // ES -> E + P, 1e3 /s
    double kminus1 = 0; // ES -> E + S, 1e3 /s
    double k3 = 0;      // E + I -> EI, 1e8 /M/s
    double kminus3 = 0; // EI -> E + I, 1e3 /s
    double k4 = 0;      // ES + I -> ESI, 1e8 /M/s
    double kminus4 = 0; // ESI -> ES + I, 1e3 /s
};

// One run on the grid of 600 points: index 1 is the initial state at time 0, indices 2..600 the
// states after 1..599 steps. Index 0 is never written or read.
struct Trajectory {
    static constexpr int kFirst = 1;
    static constexpr int kLast = 600;
    using Column = std::array<double, kLast + 1>;
    Column EConc{};   // [E], 1e-9 M
    Column ESConc{};  // [ES], 1e-9 M
    Column SConc{};   // [S], 1e-3 M
    Column PConc{};   // [P], 1e-9 M
    Column TimeVal{}; // ms
    // With an inhibitor; 0 throughout a run without one.
    Column EIConc{};  // [EI], 1e-9 M
    Column ESIConc{}; // [ESI], 1e-9 M
    Column IConc{};   // [I], 1e-3 M
};

// d[E]/dt in 1e-9 M/ms. p and t are unused; all four functions share one signature.
inline double fn1(const RateSet &r, double e, double es, double s, double /*p*/, double /*t*/)
{
    return es * (r.k2 + r.kminus1) - s * (e * (r.k1 * 100));
}

// d[ES]/dt in 1e-9 M/ms: the same two products as fn1, subtracted the other way round, so
// fn1 + fn2 is exactly zero and [E] + [ES] is conserved.
inline double fn2(const RateSet &r, double e, double es, double s, double /*p*/, double /*t*/)
{
    return s * (e * (r.k1 * 100)) - es * (r.k2 + r.kminus1);
}

// d[S]/dt in 1e-3 M/ms.
inline double fn3(const RateSet &r, double e, double es, double s, double /*p*/, double /*t*/)
{
    return (es * r.kminus1) / 1000000 - (s * (e * r.k1)) / 10000;
}

// d[P]/dt in 1e-9 M/ms, which is also the velocity in 1e-6 M/s.
inline double fn4(const RateSet &r, double /*e*/, double es, double /*s*/, double /*p*/,
                  double /*t*/)
{
    return es * r.k2;
}

// The Jacobian of (fn1, fn2, fn3, fn4) with respect to ([E], [ES], [S], [P]): row i holds the
// partial derivatives of fn(i+1). [P] and t enter no rate, so the last column is zero.
using Jacobian = std::array<std::array<double, 4>, 4>;
inline Jacobian rateJacobian(const RateSet &r, double e, double /*es*/, double s)
{
    const double binding = r.k1 * 100; // per [S] unit per ms
    const double release = r.k2 + r.kminus1;
    return {{{-binding * s, release, -binding * e, 0},
             {binding * s, -release, binding * e, 0},
             {-(r.k1 * s) / 10000, r.kminus1 / 1000000, -(r.k1 * e) / 10000, 0},
             {0, r.k2, 0, 0}}};
}

// The state of a run with an inhibitor, in the order of the trajectory's columns.
enum Species { kE, kES, kS, kP, kEI, kESI, kI, kSpecies };
using Concentrations = std::array<double, kSpecies>;

// The seven rates of a run with an inhibitor, per ms, in the units of the concentrations.
inline Concentrations inhibitedRates(const RateSet &r, const Concentrations &x)
{
    const double bindS = x[kS] * (x[kE] * (r.k1 * 100)), releaseES = x[kES] * (r.k2 + r.kminus1);
    const double bindE = x[kI] * (x[kE] * (r.k3 * 100)), releaseEI = x[kEI] * r.kminus3;
    const double bindES = x[kI] * (x[kES] * (r.k4 * 100)), releaseESI = x[kESI] * r.kminus4;
    Concentrations d{};
    d[kE] = (releaseES - bindS) + (releaseEI - bindE);
    d[kES] = (bindS - releaseES) + (releaseESI - bindES);
    // The unit factors as products: nothing here has to repeat fn1..fn4's arithmetic.
    d[kS] = (x[kES] * r.kminus1) * 1e-6 - (x[kS] * (x[kE] * r.k1)) * 1e-4;
    d[kP] = x[kES] * r.k2;
    d[kEI] = bindE - releaseEI;
    d[kESI] = bindES - releaseESI;
    d[kI] = (x[kEI] * r.kminus3 + x[kESI] * r.kminus4) * 1e-6 -
            x[kI] * (x[kE] * r.k3 + x[kES] * r.k4) * 1e-4;
    return d;
}

// The trajectory's column of each species.
inline constexpr Trajectory::Column Trajectory::*kSpeciesColumns[kSpecies] = {
    &Trajectory::EConc,  &Trajectory::ESConc,  &Trajectory::SConc, &Trajectory::PConc,
    &Trajectory::EIConc, &Trajectory::ESIConc, &Trajectory::IConc};

// Their Jacobian: row i holds the partial derivatives of rate i.
using InhibitedJacobian = std::array<Concentrations, kSpecies>;
inline InhibitedJacobian inhibitedJacobian(const RateSet &r, const Concentrations &x)
{
    const double b1 = r.k1 * 100, b3 = r.k3 * 100, b4 = r.k4 * 100;
    const double release = r.k2 + r.kminus1;
    InhibitedJacobian j{};
    j[kE] = {-b1 * x[kS] - b3 * x[kI], release, -b1 * x[kE], 0, r.kminus3, 0, -b3 * x[kE]};
    j[kES] = {b1 * x[kS], -release - b4 * x[kI], b1 * x[kE], 0, 0, r.kminus4, -b4 * x[kES]};
    j[kS] = {-(r.k1 * x[kS]) / 10000, r.kminus1 / 1000000, -(r.k1 * x[kE]) / 10000, 0, 0, 0, 0};
    j[kP] = {0, r.k2, 0, 0, 0, 0, 0};
    j[kEI] = {b3 * x[kI], 0, 0, 0, -r.kminus3, 0, b3 * x[kE]};
    j[kESI] = {0, b4 * x[kI], 0, 0, 0, -r.kminus4, b4 * x[kES]};
    j[kI] = {-(r.k3 * x[kI]) / 10000,
             -(r.k4 * x[kI]) / 10000,
             0,
             0,
             r.kminus3 / 1000000,
             r.kminus4 / 1000000,
             -(r.k3 * x[kE] + r.k4 * x[kES]) / 10000};
    return j;
}

} // namespace enkin
