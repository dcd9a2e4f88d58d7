#include "analysis/analysis.h"

#include "analysis/gslhandles.h"

#include "engine/units.h"

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace enkin {

namespace {

bool positiveFinite(double x)
{
    return std::isfinite(x) && x > 0;
}

int countDistinctS(std::vector<Reading> readings)
{
    std::sort(readings.begin(), readings.end(),
              [](const Reading &a, const Reading &b) { return a.s < b.s; });
    const auto last = std::unique(readings.begin(), readings.end(),
                                  [](const Reading &a, const Reading &b) { return a.s == b.s; });
    return static_cast<int>(last - readings.begin());
}

// The fit runs on [S] and v divided by their largest values, so that both parameters and all
// residuals are of order 1 whatever the molar scale (1e-5 M against 1e-7 M/s): the convergence
// tolerances then mean the same for every data set.
struct ScaledReadings {
    std::vector<double> x; // [S] / sScale
    std::vector<double> y; // v / vScale
};

// A trial Km at or below -[S] puts a pole among the readings. Such a trial point gets residuals so
// large that the solver rejects it and shrinks its trust region. (Returning an error instead
// makes GSL repeat the same rejected step until the iteration limit.)
constexpr double kRejectedResidual = 1e100;

// r_i = p1 x_i / (p0 + x_i) - y_i, with p0 = Km / sScale and p1 = Vmax / vScale.
int hyperbolaResiduals(const gsl_vector *p, void *data, gsl_vector *f)
{
    const auto &d = *static_cast<const ScaledReadings *>(data);
    const double km = gsl_vector_get(p, 0);
    const double vmax = gsl_vector_get(p, 1);
    for (size_t i = 0; i < d.x.size(); ++i) {
        const double denominator = km + d.x[i];
        const double r = vmax * d.x[i] / denominator - d.y[i];
        gsl_vector_set(f, i, denominator > 0 && std::isfinite(r) ? r : kRejectedResidual);
    }
    return GSL_SUCCESS;
}

// Evaluated only at accepted points, where every denominator is positive.
int hyperbolaJacobian(const gsl_vector *p, void *data, gsl_matrix *J)
{
    const auto &d = *static_cast<const ScaledReadings *>(data);
    const double km = gsl_vector_get(p, 0);
    const double vmax = gsl_vector_get(p, 1);
    for (size_t i = 0; i < d.x.size(); ++i) {
        const double denominator = km + d.x[i];
        gsl_matrix_set(J, i, 0, -vmax * d.x[i] / (denominator * denominator));
        gsl_matrix_set(J, i, 1, d.x[i] / denominator);
    }
    return GSL_SUCCESS;
}

// The largest component of the gradient J^T f of half the sum of squares.
double gradientNorm(gsl_multifit_nlinear_workspace *w)
{
    const gsl_matrix *J = gsl_multifit_nlinear_jac(w);
    const gsl_vector *f = gsl_multifit_nlinear_residual(w);
    double norm = 0;
    for (size_t j = 0; j < J->size2; ++j) {
        double g = 0;
        for (size_t i = 0; i < J->size1; ++i)
            g += gsl_matrix_get(J, i, j) * gsl_vector_get(f, i);
        norm = std::max(norm, std::abs(g));
    }
    return norm;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

bool isUsable(const Reading &reading)
{
    return positiveFinite(reading.s) && positiveFinite(reading.v) &&
           positiveFinite(1 / reading.s) && positiveFinite(1 / reading.v);
}

ReadingSelection selectReadings(const std::vector<Reading> &readings)
{
    ReadingSelection selection;
    for (const Reading &r : readings)
        if (isUsable(r))
            selection.usable.push_back(r);
    selection.distinctS = countDistinctS(selection.usable);
    return selection;
}

HyperbolaFit fitHyperbola(const std::vector<Reading> &readings, ErrorModel model, double kmStart,
                          double vmaxStart)
{
    const ReadingSelection selection = selectReadings(readings);
    HyperbolaFit fit;
    fit.used = static_cast<int>(selection.usable.size());
    if (selection.distinctS < 2)
        return fit;

    double sScale = 0, vScale = 0;
    for (const Reading &r : selection.usable) {
        sScale = std::max(sScale, r.s);
        vScale = std::max(vScale, r.v);
    }
    ScaledReadings data;
    std::vector<double> sValues;
    for (const Reading &r : selection.usable) {
        data.x.push_back(r.s / sScale);
        data.y.push_back(r.v / vScale);
        sValues.push_back(r.s);
    }
    if (!positiveFinite(kmStart / sScale) || !positiveFinite(vmaxStart / vScale)) {
        kmStart = median(sValues);
        vmaxStart = vScale;
    }

    const gsl::ErrorsReturned errorsReturned;
    const size_t n = data.x.size();
    constexpr size_t p = 2;

    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = hyperbolaResiduals;
    fdf.df = hyperbolaJacobian;
    fdf.fvv = nullptr;
    fdf.n = n;
    fdf.p = p;
    fdf.params = &data;

    const gsl::Workspace workspace = gsl::levenbergMarquardt(n, p);
    if (!workspace) {
        fit.status = FitStatus::NotConverged;
        return fit;
    }

    // Equal weights first; for proportional error each further round weighs reading i by
    // 1 / f_i^2 from the curve of the round before, until the curve no longer moves.
    std::vector<double> weights(n, 1.0);
    gsl_vector_view weightView = gsl_vector_view_array(weights.data(), n);
    const bool reweighted = model == ErrorModel::Proportional;
    constexpr int maxRounds = 50;
    // Each round moves the curve about 1/100 of the round before: a change below 1e-6 leaves it
    // within 1e-8 of where the weights settle, far inside the digits shown.
    constexpr double settled = 1e-6; // relative change of Km and Vmax between two rounds
    double position[p] = {kmStart / sScale, vmaxStart / vScale};
    for (int round = 0;; ++round) {
        gsl_vector_view startView = gsl_vector_view_array(position, p);
        if (gsl_multifit_nlinear_winit(&startView.vector, round > 0 ? &weightView.vector : nullptr,
                                       &fdf, workspace.get()) != GSL_SUCCESS) {
            fit.status = FitStatus::NotConverged;
            return fit;
        }
        // xtol asks for about 12 significant digits of each parameter; with gtol this small the
        // gradient test never stops the search first. Exact readings converge quadratically, so
        // they reach the xtol test in a handful of iterations; a flat minimum stops at
        // maxIterations.
        constexpr size_t maxIterations = 200;
        constexpr double xtol = 1e-12;
        constexpr double gtol = 1e-15;
        constexpr double ftol = 0;
        int info = 0;
        int status = gsl_multifit_nlinear_driver(maxIterations, xtol, gtol, ftol, nullptr, nullptr,
                                                 &info, workspace.get());
        // GSL reports "no progress" when not one trial step lowers the sum of squares, which is
        // what happens when the start is already the minimum. The double-reciprocal line of exact
        // readings is; a vanishing gradient tells that apart from a stalled search. A later round
        // starts from the minimum of nearly the same weights, so there no progress means the
        // weights have settled.
        constexpr double stalledGradient = 1e-10; // in the scaled units, where J and f are O(1)
        if (status != GSL_SUCCESS && info == GSL_ENOPROG &&
            (round > 0 || gradientNorm(workspace.get()) <= stalledGradient))
            status = GSL_SUCCESS;
        fit.iterations += static_cast<int>(gsl_multifit_nlinear_niter(workspace.get()));
        if (status != GSL_SUCCESS) {
            fit.status = FitStatus::NotConverged;
            return fit;
        }
        const gsl_vector *found = gsl_multifit_nlinear_position(workspace.get());
        const double km = gsl_vector_get(found, 0), vmax = gsl_vector_get(found, 1);
        const bool moved = std::abs(km - position[0]) > settled * std::abs(km) ||
                           std::abs(vmax - position[1]) > settled * std::abs(vmax);
        position[0] = km;
        position[1] = vmax;
        if (!reweighted || !positiveFinite(km) || !positiveFinite(vmax) || (round > 0 && !moved))
            break;
        if (round == maxRounds) {
            fit.status = FitStatus::NotConverged;
            return fit;
        }
        for (size_t i = 0; i < n; ++i) {
            const double curve = vmax * data.x[i] / (km + data.x[i]);
            weights[i] = 1 / (curve * curve);
        }
    }

    const double kmScaled = position[0];
    const double km = kmScaled * sScale;
    const double vmax = position[1] * vScale;
    // Readings that rise in proportion to [S] have their least sum of squares at an infinite Km
    // and Vmax, and the search "converges" wherever its steps become relatively small. Below
    // 1e-4 Km the curve departs from a straight line by less than the readout's four digits show,
    // so a Km beyond 1e4 times the largest [S] is not determined by the readings.
    constexpr double largestKmOverS = 1e4;
    if (!positiveFinite(km) || !positiveFinite(vmax) || kmScaled > largestKmOverS) {
        fit.status = FitStatus::NotMeaningful;
        return fit;
    }
    fit.status = FitStatus::Ok;
    fit.km = km;
    fit.vmax = vmax;

    // Standard errors: covariance (J^T W J)^-1 times the weighted residual variance
    // chi^2 / (n - p), taken back to molar units. GSL holds J and the residuals already multiplied
    // by the square roots of the weights.
    if (n > p) {
        const gsl::Matrix covariance(gsl_matrix_alloc(p, p));
        const gsl_vector *residuals = gsl_multifit_nlinear_residual(workspace.get());
        const double chi = gsl_blas_dnrm2(residuals);
        const double variance = chi * chi / static_cast<double>(n - p);
        if (covariance && gsl_multifit_nlinear_covar(gsl_multifit_nlinear_jac(workspace.get()), 0.0,
                                                     covariance.get()) == GSL_SUCCESS) {
            const double kmError =
                std::sqrt(variance * gsl_matrix_get(covariance.get(), 0, 0)) * sScale;
            const double vmaxError =
                std::sqrt(variance * gsl_matrix_get(covariance.get(), 1, 1)) * vScale;
            const double kmVmax =
                variance * gsl_matrix_get(covariance.get(), 0, 1) * sScale * vScale;
            const bool finite =
                std::isfinite(kmError) && std::isfinite(vmaxError) && std::isfinite(kmVmax);
            fit.kmError = finite ? kmError : 0;
            fit.vmaxError = finite ? vmaxError : 0;
            fit.covariance = finite ? kmVmax : 0;
        }
    }
    return fit;
}

TheoreticalConstants theoreticalConstants(double k1, double k2, double kminus1, double e0,
                                          double es0)
{
    // In the engine units (kminus1 + k2) / k1 is Km in 1e-5 M, and k2 (e0 + es0), 1e3 /s times
    // 1e-9 M, is Vmax in 1e-6 M/s.
    TheoreticalConstants theory;
    if (const auto km = units::michaelisConstant(k1, k2, kminus1)) {
        if (std::isfinite(*km * units::kKm)) {
            theory.kmDefined = true;
            theory.km = *km * units::kKm;
        }
    }
    const double vmax = k2 * (e0 + es0) * units::kVelocity;
    if (std::isfinite(vmax)) {
        theory.vmaxDefined = true;
        theory.vmax = vmax;
    }
    const double nan = std::nan("");
    const double enzyme = (e0 + es0) * units::kEnzyme;
    theory.kcat = theory.vmaxDefined && enzyme > 0 ? theory.vmax / enzyme : nan;
    theory.specificity = theory.kmDefined ? theory.kcat / theory.km : nan;
    return theory;
}

} // namespace enkin
