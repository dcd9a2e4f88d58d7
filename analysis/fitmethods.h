// The four standard ways of finding Km and Vmax from initial velocities, each value with its
// uncertainty.
//
// The direct fit is non-linear least squares on the velocities (analysis.h). The three
// linearisations fit a least-squares line to transformed readings:
//   Lineweaver-Burk  1/v      against 1/[S]   slope Km/Vmax, intercept 1/Vmax
//   Hanes-Woolf      [S]/v    against [S]     slope 1/Vmax,  intercept Km/Vmax
//   Eadie-Hofstee    v        against v/[S]   slope -Km,     intercept Vmax
// Each transformation distorts the error of the velocities differently, which is why the four
// disagree on real readings and agree on exact ones.
//
// Uncertainties: the standard errors come from the covariance of the fitted parameters (the line's
// slope and intercept, or the hyperbola's Km and Vmax), carried to Km, Vmax and Vmax/Km by the
// delta method. Only the direct fit, weighted for the error model of the velocities, gives 95%
// confidence intervals: its standard errors times the two-sided 95% quantile of Student's t with
// n - 2 degrees of freedom hold the true values in 95 of 100 samples. A line's least squares
// assume that every transformed point scatters alike, which the transform destroys (1/v
// stretches the error of a small velocity far more than that of a large one), so the line's
// standard errors are shown as what they are, the spread of the line, and not stretched into
// "95%" intervals that in simulation cover anything from about 40% to 99% of the time.
// Molar units throughout: M, M/s, and Vmax/Km in 1/s.
#pragma once

#include "analysis/analysis.h"

#include <array>
#include <vector>

namespace enkin {

enum class Method { Direct, LineweaverBurk, HanesWoolf, EadieHofstee };
inline constexpr std::array<Method, 4> kMethods{Method::Direct, Method::LineweaverBurk,
                                                Method::HanesWoolf, Method::EadieHofstee};

// What the ± of an estimate is.
enum class Spread {
    Interval95,    // half the width of a 95% confidence interval
    StandardError, // one standard error of a straight-line fit: not a confidence interval
};

// A fitted value and its ±.
struct Estimate {
    double value = 0;
    double halfWidth = 0;
    // False when the readings leave no degree of freedom (two readings for two parameters), or
    // the ± is not finite: the value is then shown without one.
    bool hasInterval = false;
    Spread spread = Spread::Interval95;
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

// The least-squares line of a linearisation through the usable readings, with standard errors.
MethodFit fitLinearisation(Method method, const std::vector<Reading> &readings);

// The direct fit weighted for `model`, started from the Lineweaver-Burk estimates when they
// exist, with 95% intervals.
MethodFit fitDirect(const std::vector<Reading> &readings, ErrorModel model = ErrorModel::Constant);

// `model` sets the direct fit's weights; the lines are the same for either.
MethodFit fitMethod(Method method, const std::vector<Reading> &readings,
                    ErrorModel model = ErrorModel::Constant);

// The transformed point of a reading on a method's plot (x, y) in molar units; the direct
// method's is ([S], v).
struct MethodPoint {
    double x = 0, y = 0;
};
MethodPoint transformed(Method method, const Reading &reading);

} // namespace enkin
