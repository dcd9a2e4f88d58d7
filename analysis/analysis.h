// The direct fit of the Michaelis-Menten rate law v = Vmax [S] / (Km + [S]) to readings, by
// non-linear least squares on the velocities themselves, and the true Km and Vmax of a run's
// constants. The linearisations are in fitmethods.h.
//
// Least squares gives the best estimates, and intervals that mean what they say, only when each
// reading is weighted by 1 / its variance: the weights follow the error model of the velocities.
//
// Everything here is in molar units: [S] in M, velocities in M/s, Km in M, Vmax in M/s.
#pragma once

#include <vector>

namespace enkin {

// One reading: [S] in M and the velocity d[P]/dt in M/s.
struct Reading {
    double s = 0;
    double v = 0;
};

// A reading can enter a fit when [S] and v are positive and finite and so are their reciprocals.
// A reading taken before the run started (velocity 0), or a mistyped one, is left out.
bool isUsable(const Reading &reading);

struct ReadingSelection {
    std::vector<Reading> usable;
    int distinctS = 0; // different [S] values among the usable readings
};

ReadingSelection selectReadings(const std::vector<Reading> &readings);

// How the error of a velocity scales. Constant: the same standard deviation for every reading
// (a fixed fraction of Vmax), so every reading weighs the same. Proportional: a standard deviation
// in proportion to v, so reading i weighs 1 / f_i^2, with f_i the fitted curve at [S]_i; weights
// from the fitted curve, not the noisy readings (1 / v_i^2 would favour the readings that came
// out low and bias Km and Vmax downwards).
enum class ErrorModel { Constant, Proportional };

enum class FitStatus {
    Ok,
    TooFewReadings, // fewer than two different [S] among the usable readings
    NotMeaningful,  // the fit exists but gives a Km or Vmax that is not positive and finite
    NotConverged,   // the non-linear fit stopped without reaching a minimum
};

// The hyperbola with the least weighted sum of squared velocity residuals, found by trust-region
// Levenberg-Marquardt (GSL). Proportional error is fitted by iterative reweighting: each round
// fits with the weights of the curve of the round before, until Km and Vmax stop changing.
struct HyperbolaFit {
    FitStatus status = FitStatus::TooFewReadings;
    int used = 0;
    int iterations = 0; // of the solver, summed over the rounds of reweighting
    double km = 0;      // M
    double vmax = 0;    // M/s
    // Standard errors from the covariance of the weighted fit and the weighted residual variance
    // (the size of the error is estimated from the readings). Zero when there are only two
    // different [S]: the curve then passes through the readings and has no spread.
    double kmError = 0;
    double vmaxError = 0;
    // The covariance of Km and Vmax (M * M/s), from the same matrix; 0 where the errors are.
    double covariance = 0;
};

// Starts from kmStart and vmaxStart (usually the double-reciprocal estimates); when they are not
// positive and finite it starts from Vmax = the largest velocity and Km = the median [S].
HyperbolaFit fitHyperbola(const std::vector<Reading> &readings,
                          ErrorModel model = ErrorModel::Constant, double kmStart = 0,
                          double vmaxStart = 0);

// Km = (k-1 + k2) / k1 and Vmax = k2 ([E]0 + [ES]0) of a set of run inputs, from the engine units
// (k1 in 1e8 /M/s, k2 and k-1 in 1e3 /s, [E]0 and [ES]0 in 1e-9 M) to M and M/s.
struct TheoreticalConstants {
    bool kmDefined = false; // false when k1 is 0 or the quotient is not finite
    double km = 0;
    bool vmaxDefined = false;
    double vmax = 0;
    // kcat = Vmax / ([E]0 + [ES]0), 1/s, and kcat/Km, 1/M/s; NaN where undefined.
    double kcat = 0;
    double specificity = 0;
};

TheoreticalConstants theoreticalConstants(double k1, double k2, double kminus1, double e0,
                                          double es0);

} // namespace enkin
