#include "analysis/fitmethods.h"

#include <gsl/gsl_cdf.h>
#include <gsl/gsl_fit.h>
#include <gsl/gsl_statistics_double.h>

#include <algorithm>
#include <cmath>

namespace enkin {

namespace {

bool positiveFinite(double x)
{
    return std::isfinite(x) && x > 0;
}

// value ± t se for a 95% interval, value ± se for a standard error; no ± where there is none to
// give.
Estimate estimate(double value, double variance, int dof, Spread spread)
{
    Estimate e;
    e.value = value;
    e.spread = spread;
    const double factor = spread == Spread::Interval95 ? tQuantile95(dof) : 1.0;
    const double half = factor * std::sqrt(variance);
    if (dof > 0 && std::isfinite(half) && variance >= 0) {
        e.halfWidth = half;
        e.hasInterval = true;
    }
    return e;
}

// The variance of q(a, b) by the delta method: the gradient (qa, qb) through the covariance.
double deltaVariance(double qa, double qb, double varA, double varB, double covAB)
{
    return qa * qa * varA + 2 * qa * qb * covAB + qb * qb * varB;
}

} // namespace

double tQuantile95(int dof)
{
    return dof > 0 ? gsl_cdf_tdist_Pinv(0.975, dof) : 0;
}

MethodPoint transformed(Method method, const Reading &r)
{
    switch (method) {
    case Method::Direct:
        return {r.s, r.v};
    case Method::LineweaverBurk:
        return {1 / r.s, 1 / r.v};
    case Method::HanesWoolf:
        return {r.s, r.s / r.v};
    case Method::EadieHofstee:
        return {r.v / r.s, r.v};
    }
    return {};
}

MethodFit fitLinearisation(Method method, const std::vector<Reading> &readings)
{
    const ReadingSelection selection = selectReadings(readings);
    MethodFit fit;
    fit.method = method;
    fit.used = static_cast<int>(selection.usable.size());
    if (selection.distinctS < 2)
        return fit;

    std::vector<double> x, y;
    for (const Reading &r : selection.usable) {
        const MethodPoint p = transformed(method, r);
        x.push_back(p.x);
        y.push_back(p.y);
    }
    // GSL forms its sums about the means: the reciprocals are of order 1e5..1e7, and the
    // textbook form n Sxy - Sx Sy would cancel most of their digits. The covariances it returns
    // are scaled by the residual variance, sum of squares / (n - 2).
    double b = 0, m = 0, varB = 0, covBM = 0, varM = 0, residual = 0;
    gsl_fit_linear(x.data(), 1, y.data(), 1, x.size(), &b, &m, &varB, &covBM, &varM, &residual);
    const double total = gsl_stats_tss(y.data(), 1, y.size());
    const double rSquared = total > 0 ? 1 - residual / total : 1.0;
    // Different [S] whose transforms round to one value leave no line: the slope is not finite.
    if (!std::isfinite(m) || !std::isfinite(b) || !std::isfinite(rSquared)) {
        fit.status = FitStatus::NotMeaningful;
        return fit;
    }
    fit.hasLine = true;
    fit.slope = m;
    fit.intercept = b;
    fit.rSquared = std::clamp(rSquared, 0.0, 1.0);

    // Km, Vmax and Vmax/Km as functions of (m, b), with their partial derivatives.
    struct Quantity {
        double value, dm, db;
    };
    Quantity km{}, vmax{}, ratio{};
    switch (method) {
    case Method::LineweaverBurk: // m = Km/Vmax, b = 1/Vmax
        km = {m / b, 1 / b, -m / (b * b)};
        vmax = {1 / b, 0, -1 / (b * b)};
        ratio = {1 / m, -1 / (m * m), 0};
        break;
    case Method::HanesWoolf: // m = 1/Vmax, b = Km/Vmax
        km = {b / m, -b / (m * m), 1 / m};
        vmax = {1 / m, -1 / (m * m), 0};
        ratio = {1 / b, 0, -1 / (b * b)};
        break;
    case Method::EadieHofstee: // m = -Km, b = Vmax
        km = {-m, -1, 0};
        vmax = {b, 0, 1};
        ratio = {-b / m, b / (m * m), -1 / m};
        break;
    case Method::Direct:
        return fit;
    }
    if (!positiveFinite(km.value) || !positiveFinite(vmax.value) || !positiveFinite(ratio.value)) {
        fit.status = FitStatus::NotMeaningful;
        return fit;
    }
    const int dof = fit.used - 2;
    const auto withInterval = [&](const Quantity &q) {
        return estimate(q.value, deltaVariance(q.dm, q.db, varM, varB, covBM), dof,
                        Spread::StandardError);
    };
    fit.status = FitStatus::Ok;
    fit.km = withInterval(km);
    fit.vmax = withInterval(vmax);
    fit.vmaxOverKm = withInterval(ratio);
    return fit;
}

MethodFit fitDirect(const std::vector<Reading> &readings, ErrorModel model)
{
    const MethodFit line = fitLinearisation(Method::LineweaverBurk, readings);
    const bool lineOk = line.status == FitStatus::Ok;
    const HyperbolaFit curve =
        fitHyperbola(readings, model, lineOk ? line.km.value : 0, lineOk ? line.vmax.value : 0);
    MethodFit fit;
    fit.method = Method::Direct;
    fit.status = curve.status;
    fit.used = curve.used;
    fit.iterations = curve.iterations;
    if (curve.status != FitStatus::Ok)
        return fit;
    // The hyperbola has no spread when it passes through the readings (no degree of freedom).
    const int dof = curve.kmError > 0 || curve.vmaxError > 0 ? curve.used - 2 : 0;
    const double varKm = curve.kmError * curve.kmError;
    const double varVmax = curve.vmaxError * curve.vmaxError;
    fit.km = estimate(curve.km, varKm, dof, Spread::Interval95);
    fit.vmax = estimate(curve.vmax, varVmax, dof, Spread::Interval95);
    const double km = curve.km, vmax = curve.vmax;
    fit.vmaxOverKm = estimate(
        vmax / km, deltaVariance(-vmax / (km * km), 1 / km, varKm, varVmax, curve.covariance), dof,
        Spread::Interval95);
    return fit;
}

MethodFit fitMethod(Method method, const std::vector<Reading> &readings, ErrorModel model)
{
    return method == Method::Direct ? fitDirect(readings, model)
                                    : fitLinearisation(method, readings);
}

} // namespace enkin
