// Km and Vmax from the student's readings.
//
// The Michaelis-Menten rate law v = Vmax [S] / (Km + [S]) is fitted two ways: by the
// double-reciprocal (Lineweaver-Burk) line 1/v = (Km / Vmax)(1/[S]) + 1/Vmax, as the student does
// in a spreadsheet, and directly, by non-linear least squares on the velocities themselves. The
// line weighs the readings at low [S] far more than the rest (their 1/v is largest and least
// certain); the direct fit does not, so the two differ on real readings and agree on exact ones.
//
// Everything here is in molar units: [S] in M, velocities in M/s, Km in M, Vmax in M/s.
#pragma once

#include <vector>

namespace enkin {

struct DataLog;

// One reading: [S] in M and the velocity d[P]/dt in M/s.
struct Reading {
    double s = 0;
    double v = 0;
};

// Rows 1..SavedCount of the log, converted from the readout units (1e-3 M, 1e-6 M/s).
std::vector<Reading> readingsFromLog(const DataLog &log);

// A reading can enter a fit when [S] and v are positive and finite and so are their reciprocals.
// A reading taken before the run started (velocity 0), or a mistyped one, is left out.
bool isUsable(const Reading &reading);

struct ReadingSelection {
    std::vector<Reading> usable;
    std::vector<Reading> leftOut; // in the order of the log
    int distinctS = 0;            // different [S] values among the usable readings
};

ReadingSelection selectReadings(const std::vector<Reading> &readings);

enum class FitStatus {
    Ok,
    TooFewReadings, // fewer than two different [S] among the usable readings
    NotMeaningful,  // the fit exists but gives a Km or Vmax that is not positive and finite
    NotConverged,   // the non-linear fit stopped without reaching a minimum
};

// The least-squares line 1/v = slope (1/[S]) + intercept through the usable readings.
struct ReciprocalFit {
    FitStatus status = FitStatus::TooFewReadings;
    int used = 0;
    // Whether slope, intercept and rSquared hold a finite line; false when there are too few
    // readings or the sums overflow the double range.
    bool hasLine = false;
    double slope = 0;     // Km / Vmax, in s
    double intercept = 0; // 1 / Vmax, in s/M
    double rSquared = 0;  // 1 when the readings lie on the line
    double km = 0;        // slope / intercept, in M; set when status is Ok
    double vmax = 0;      // 1 / intercept, in M/s; set when status is Ok
};

// Only the usable readings of `readings` are used.
ReciprocalFit fitReciprocalLine(const std::vector<Reading> &readings);

// The hyperbola with the least sum of squared velocity residuals, found by trust-region
// Levenberg-Marquardt (GSL).
struct HyperbolaFit {
    FitStatus status = FitStatus::TooFewReadings;
    int used = 0;
    int iterations = 0;
    double km = 0;   // M
    double vmax = 0; // M/s
    // Standard errors from the covariance of the fit and the residual variance. Zero when there
    // are only two different [S]: the curve then passes through the readings and has no spread.
    double kmError = 0;
    double vmaxError = 0;
};

// Starts from kmStart and vmaxStart (usually the double-reciprocal estimates); when they are not
// positive and finite it starts from Vmax = the largest velocity and Km = the median [S].
HyperbolaFit fitHyperbola(const std::vector<Reading> &readings, double kmStart = 0,
                          double vmaxStart = 0);

// Km = (k-1 + k2) / k1 and Vmax = k2 ([E]0 + [ES]0) of a set of run inputs, from the engine units
// (k1 in 1e8 /M/s, k2 and k-1 in 1e3 /s, [E]0 and [ES]0 in 1e-9 M) to M and M/s.
struct TheoreticalConstants {
    bool kmDefined = false; // false when k1 is 0 or the quotient is not finite
    double km = 0;
    bool vmaxDefined = false;
    double vmax = 0;
};

TheoreticalConstants theoreticalConstants(double k1, double k2, double kminus1, double e0,
                                          double es0);

// The three results the Analysis window shows: the line, and the direct fit started from it.
struct Analysis {
    ReadingSelection selection;
    ReciprocalFit line;
    HyperbolaFit curve;
};

Analysis analyseReadings(const std::vector<Reading> &readings);

} // namespace enkin
