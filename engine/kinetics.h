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
#pragma once

#include <array>

namespace enkin {

struct RateSet {
    double k1 = 0;      // E + S -> ES, 1e8 /M/s
    double k2 = 0;      // ES -> E + P, 1e3 /s
    double kminus1 = 0; // ES -> E + S, 1e3 /s
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

} // namespace enkin
