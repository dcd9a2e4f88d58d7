// The global fit of reversible inhibition: one enzyme (one Km, one Vmax) measured at several
// [S]0 and several inhibitor concentrations [I]0, fitted to three rate laws at once, with the
// constants shared by every reading:
//   competitive    v = Vmax [S] / (Km (1 + [I]/Ki) + [S])
//   uncompetitive  v = Vmax [S] / (Km + [S] (1 + [I]/αKi))
//   mixed          v = Vmax [S] / (Km (1 + [I]/Ki) + [S] (1 + [I]/αKi))
// Noncompetitive inhibition is the mixed law with αKi = Ki; it is named by classify(), not fitted
// as a fourth model. [I]0 is taken as the free inhibitor, which holds when the inhibitor is in
// large excess over the enzyme.
//
// The models are compared by the corrected Akaike information criterion, which weighs the better
// fit of the four-parameter mixed law against its extra parameter, and by Akaike weights, the
// relative likelihood of each model given the readings. The law chosen is the one with the lowest
// AICc unless a law with fewer parameters comes within 2 of it (Burnham and Anderson's threshold
// for models with substantial support): a mixed law that fits only a little better than the
// competitive or uncompetitive law it contains is no evidence of mixed inhibition, and by lowest
// AICc alone the mixed law would win in one of twenty experiments on a competitive or
// uncompetitive inhibitor, with the margin of 2 in one of fifty. The price is paid where the
// readings barely tell the laws apart: five [S]0 at each of four [I]0 with 5% of Vmax as error read
// an inhibitor with αKi = 4 Ki as competitive or uncompetitive in 48% of experiments instead of 28%
// (with 5% of each velocity as error, in none).
//
// Molar units throughout: [S], [I], Km, Ki, αKi in M, velocities and Vmax in M/s.
#pragma once

#include "analysis/analysis.h"
#include "analysis/fitmethods.h"

#include <array>
#include <vector>

namespace enkin {

struct InhibitionReading {
    double s = 0; // [S]0, M
    double i = 0; // [I]0, M
    double v = 0; // M/s
};

enum class InhibitionModel { Competitive, Uncompetitive, Mixed };
inline constexpr std::array<InhibitionModel, 3> kInhibitionModels{
    InhibitionModel::Competitive, InhibitionModel::Uncompetitive, InhibitionModel::Mixed};

// A reading enters the fit when [S] and v are positive and finite and [I] is finite and not
// negative.
bool isUsable(const InhibitionReading &reading);

// An inhibition constant and its 95% interval, symmetric about the value on a log scale:
// value / factor to value * factor, with ln factor = t se(ln K). The readings fix 1/Ki (the slope
// of an apparent constant against [I]) far better than Ki, so the estimate of Ki is skewed, and an
// interval value ± t se misses the true Ki too often: in simulation of five [S]0 at each of four
// [I]0 with 5% of Vmax as error, Ki ± t se of the mixed law held the true Ki in 92.4% of 20 000
// experiments, the interval on the log scale in 95.7%.
struct InhibitionConstant {
    double value = 0;
    double low = 0, high = 0;
    bool hasInterval = false; // false without a degree of freedom or a finite interval
};

// One model fitted to all readings.
//
// status is TooFewReadings when the usable readings hold fewer than two different [S], fewer
// than two different [I] (one [I] cannot tell an inhibition constant from Km or Vmax), or fewer
// readings than the model has parameters; NotMeaningful when the best fit has a constant that is
// not positive (an inhibitor that would activate, or a Km beyond 1e4 times the largest [S]).
//
// Each constant carries a 95% interval from the covariance of the fit, scaled by the residual
// variance, and Student's t with n - p degrees of freedom. A constant the model does not have (Ki
// of the uncompetitive law, αKi of the competitive one) is NaN with no interval.
struct InhibitionModelFit {
    InhibitionModel model = InhibitionModel::Competitive;
    FitStatus status = FitStatus::TooFewReadings;
    int iterations = 0; // of the solver, summed over the rounds of reweighting
    Estimate vmax, km;  // value ± t se
    InhibitionConstant ki, alphaKi;
    InhibitionConstant alpha; // αKi / Ki, for the mixed law only
    // The weighted sum of squared residuals: in (M/s)^2 for constant error, of relative residuals
    // (v - f) / f for proportional error.
    double rss = 0;
    int n = 0;          // usable readings
    int parameters = 0; // 3, or 4 for the mixed law
    // n ln(RSS/n) + 2k + 2k(k+1)/(n-k-1) with k = parameters + 1, as the variance of the error is
    // estimated too (for proportional error plus 2 sum ln f_i, the log-determinant of the
    // variances, which differs between models). +inf when n - k - 1 <= 0 or the fit failed.
    double aicc = 0;
    double weight = 0; // Akaike weight among the models with a finite AICc; 0 for the others
};

// Two AICc that differ by no more than this give both laws substantial support.
inline constexpr double kAiccSupport = 2.0;

struct InhibitionStudy {
    std::array<InhibitionModelFit, 3> models; // in the order of kInhibitionModels
    // The index of the chosen law: among the laws with an AICc within kAiccSupport of the lowest,
    // the one with the fewest parameters, and of those the lowest AICc. -1 when no model has a
    // finite AICc.
    int best = -1;
    int lowest = -1; // the index of the lowest AICc, or -1
};

// Fits each model by trust-region Levenberg-Marquardt (GSL), weighted for `errorModel` as
// fitHyperbola does: proportional error by iterative reweighting from the fitted curve.
InhibitionStudy fitInhibition(const std::vector<InhibitionReading> &readings,
                              ErrorModel errorModel = ErrorModel::Constant);

// The type of inhibition in words: the chosen model, except that a chosen mixed fit whose 95%
// interval for α = αKi/Ki holds 1 reads as noncompetitive (the readings cannot tell αKi from Ki),
// the simpler claim, as the choice of model prefers the simpler law.
// Undetermined when no model has a finite AICc.
enum class InhibitionType { Undetermined, Competitive, Uncompetitive, Mixed, Noncompetitive };
InhibitionType classify(const InhibitionStudy &study);

} // namespace enkin
