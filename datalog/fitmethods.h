// The four standard ways of finding Km and Vmax from initial velocities, with 95% confidence
// intervals.
//
// The direct fit is non-linear least squares on the velocities (analysis.h). The three
// linearisations fit a least-squares line to transformed readings:
//   Lineweaver-Burk  1/v      against 1/[S]   slope Km/Vmax, intercept 1/Vmax
//   Hanes-Woolf      [S]/v    against [S]     slope 1/Vmax,  intercept Km/Vmax
//   Eadie-Hofstee    v        against v/[S]   slope -Km,     intercept Vmax
// Each transformation distorts the error of the velocities differently, which is why the four
// disagree on real readings and agree on exact ones.
//
// Intervals: the standard errors come from the covariance of the fitted parameters (the line's
// slope and intercept, or the hyperbola's Km and Vmax), carried to Km, Vmax and Vmax/Km by the
// delta method, times the two-sided 95% quantile of Student's t with n - 2 degrees of freedom.
// Molar units throughout: M, M/s, and Vmax/Km in 1/s.
#pragma once

#include "datalog/analysis.h"

#include <array>
#include <vector>

namespace enkin {

enum class Method { Direct, LineweaverBurk, HanesWoolf, EadieHofstee };
inline constexpr std::array<Method, 4> kMethods{Method::Direct, Method::LineweaverBurk,
                                                Method::HanesWoolf, Method::EadieHofstee};

// A fitted value and the half-width of its 95% confidence interval.
struct Estimate {
    double value = 0;
    double halfWidth = 0;
    // False when the readings leave no degree of freedom (two readings for two parameters), or
    // the interval is not finite: the value is then shown without one.
    bool hasInterval = false;
};

struct MethodFit {
    Method method = Method::Direct;
    FitStatus status = FitStatus::TooFewReadings;
    int used = 0;
    int iterations = 0; // the direct fit's
    // The linearisations' least-squares line, in the molar units of its axes.
    bool hasLine = false;
    double slope = 0, intercept = 0, rSquared = 0;
    // Set when status is Ok.
    Estimate km, vmax;
    Estimate vmaxOverKm; // kcat/Km times [E]0, 1/s
};

// The two-sided 95% quantile of Student's t with `dof` degrees of freedom; 0 for none.
double tQuantile95(int dof);

// The least-squares line of a linearisation through the usable readings.
MethodFit fitLinearisation(Method method, const std::vector<Reading> &readings);

// The direct fit, started from the Lineweaver-Burk estimates when they exist.
MethodFit fitDirect(const std::vector<Reading> &readings);

MethodFit fitMethod(Method method, const std::vector<Reading> &readings);

// The transformed point of a reading on a method's plot (x, y) in molar units; the direct
// method's is ([S], v).
struct MethodPoint {
    double x = 0, y = 0;
};
MethodPoint transformed(Method method, const Reading &reading);

} // namespace enkin
