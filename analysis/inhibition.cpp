#include "analysis/inhibition.h"

#include "analysis/gslhandles.h"

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>

namespace enkin {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
const double kNan = std::nan("");

bool positiveFinite(double x)
{
    return std::isfinite(x) && x > 0;
}

// The fit runs on [S], [I] and v divided by their largest values, so that parameters and
// residuals are of order 1 whatever the molar scale. The inhibition constants enter as their
// reciprocals u = 1/Ki and w = 1/αKi (times the [I] scale): the rate law is smooth in them through
// zero, where an inhibition constant would run off to infinity, and a least-squares minimum at a
// negative one shows an inhibition the readings do not support.
struct Problem {
    std::vector<double> x, z, y; // [S], [I], v, scaled
    bool hasU = false, hasW = false;
};

// The parameter vector is (K, V, u, w), without u or w where the model lacks them.
struct Constants {
    double k = 0, v = 0, u = 0, w = 0;
};

Constants unpack(const gsl_vector *p, const Problem &d)
{
    Constants c{gsl_vector_get(p, 0), gsl_vector_get(p, 1), 0, 0};
    size_t next = 2;
    if (d.hasU)
        c.u = gsl_vector_get(p, next++);
    if (d.hasW)
        c.w = gsl_vector_get(p, next);
    return c;
}

double denominator(const Constants &c, double x, double z)
{
    return c.k * (1 + c.u * z) + x * (1 + c.w * z);
}

// A trial point that puts a pole among the readings gets residuals so large that the solver
// rejects it and shrinks its trust region, as in fitHyperbola.
constexpr double kRejectedResidual = 1e100;

int residuals(const gsl_vector *p, void *data, gsl_vector *f)
{
    const auto &d = *static_cast<const Problem *>(data);
    const Constants c = unpack(p, d);
    for (size_t i = 0; i < d.x.size(); ++i) {
        const double den = denominator(c, d.x[i], d.z[i]);
        const double r = c.v * d.x[i] / den - d.y[i];
        gsl_vector_set(f, i, den > 0 && std::isfinite(r) ? r : kRejectedResidual);
    }
    return GSL_SUCCESS;
}

int jacobian(const gsl_vector *p, void *data, gsl_matrix *J)
{
    const auto &d = *static_cast<const Problem *>(data);
    const Constants c = unpack(p, d);
    for (size_t i = 0; i < d.x.size(); ++i) {
        const double x = d.x[i], z = d.z[i], den = denominator(c, x, z);
        const double dDen = -c.v * x / (den * den); // df/d(denominator)
        gsl_matrix_set(J, i, 0, dDen * (1 + c.u * z));
        gsl_matrix_set(J, i, 1, x / den);
        size_t next = 2;
        if (d.hasU)
            gsl_matrix_set(J, i, next++, dDen * c.k * z);
        if (d.hasW)
            gsl_matrix_set(J, i, next, dDen * x * z);
    }
    return GSL_SUCCESS;
}

// The largest component of the gradient J^T f of half the sum of squares.
double gradientNorm(gsl_multifit_nlinear_workspace *w)
{
    const gsl_matrix *J = gsl_multifit_nlinear_jac(w);
    const std::unique_ptr<gsl_vector, decltype(&gsl_vector_free)> g(gsl_vector_alloc(J->size2),
                                                                    gsl_vector_free);
    gsl_blas_dgemv(CblasTrans, 1.0, J, gsl_multifit_nlinear_residual(w), 0.0, g.get());
    return std::abs(gsl_vector_get(g.get(), gsl_blas_idamax(g.get())));
}

using gsl::Matrix;
using gsl::Vector;
using gsl::Workspace;

// The starting point: the Hanes-Woolf form of the mixed law is linear in its coefficients,
//   [S]/v = Km/Vmax + (Km/(Vmax Ki)) [I] + (1/Vmax) [S] + (1/(Vmax αKi)) [S][I],
// so one linear least-squares fit over all readings gives every constant, whatever the design
// (a reading or several at each [I]). Exact readings start at the minimum. A coefficient of the
// wrong sign, which scatter can give, is replaced by a neutral guess.
Constants startingPoint(const Problem &d)
{
    const size_t n = d.x.size();
    const size_t p = 2 + d.hasU + d.hasW;
    const Matrix X(gsl_matrix_alloc(n, p));
    const Matrix covariance(gsl_matrix_alloc(p, p));
    const Vector y(gsl_vector_alloc(n)), c(gsl_vector_alloc(p));
    const std::unique_ptr<gsl_multifit_linear_workspace, decltype(&gsl_multifit_linear_free)> work(
        gsl_multifit_linear_alloc(n, p), gsl_multifit_linear_free);
    for (size_t i = 0; i < n; ++i) {
        gsl_vector_set(y.get(), i, d.x[i] / d.y[i]);
        gsl_matrix_set(X.get(), i, 0, 1);
        gsl_matrix_set(X.get(), i, 1, d.x[i]);
        size_t next = 2;
        if (d.hasU)
            gsl_matrix_set(X.get(), i, next++, d.z[i]);
        if (d.hasW)
            gsl_matrix_set(X.get(), i, next, d.x[i] * d.z[i]);
    }
    double chisq = 0;
    gsl_multifit_linear(X.get(), y.get(), c.get(), covariance.get(), &chisq, work.get());
    const double a = gsl_vector_get(c.get(), 0), b = gsl_vector_get(c.get(), 1);
    Constants start{a / b, 1 / b, 0, 0};
    if (!positiveFinite(start.k) || !positiveFinite(start.v))
        start = {0.5, 1, 0, 0}; // Km half the largest [S], Vmax the largest velocity
    // u and w from the slopes, over the intercepts of the fit; a Ki ten times the largest [I]
    // where the slope gives none.
    constexpr double weakInhibition = 0.1;
    size_t next = 2;
    if (d.hasU) {
        const double u = gsl_vector_get(c.get(), next++) / a;
        start.u = positiveFinite(u) ? u : weakInhibition;
    }
    if (d.hasW) {
        const double w = gsl_vector_get(c.get(), next) / b;
        start.w = positiveFinite(w) ? w : weakInhibition;
    }
    return start;
}

// value ± t se, without a ± where the readings leave no degree of freedom.
Estimate estimate(double value, double variance, int dof)
{
    Estimate e;
    e.value = value;
    const double half = tQuantile95(dof) * std::sqrt(variance);
    if (dof > 0 && variance >= 0 && std::isfinite(half)) {
        e.halfWidth = half;
        e.hasInterval = true;
    }
    return e;
}

// value / factor to value * factor, ln factor = t se(ln value).
InhibitionConstant onLogScale(double value, double logVariance, int dof)
{
    InhibitionConstant c{value, kNan, kNan, false};
    const double factor = std::exp(tQuantile95(dof) * std::sqrt(logVariance));
    if (dof > 0 && logVariance >= 0 && std::isfinite(factor)) {
        c.low = value / factor;
        c.high = value * factor;
        c.hasInterval = true;
    }
    return c;
}

// Readings that fit exactly leave residuals of round-off alone, and the model whose round-off came
// out smallest would win by chance. Below a residual of 1e-9 of the largest velocity (proportional
// error: 1e-9 relative), far under any measured scatter and far over round-off, two fits are
// equally exact and the number of parameters decides.
constexpr double kExactResidual = 1e-9;

InhibitionModelFit fitModel(InhibitionModel model, const Problem &base, int distinctS,
                            int distinctI, double sScale, double iScale, double vScale,
                            ErrorModel errorModel)
{
    InhibitionModelFit fit;
    fit.model = model;
    fit.ki = fit.alphaKi = fit.alpha = {kNan, kNan, kNan, false};
    fit.aicc = kInfinity;
    Problem d = base;
    d.hasU = model != InhibitionModel::Uncompetitive;
    d.hasW = model != InhibitionModel::Competitive;
    const size_t n = d.x.size(), p = 2 + d.hasU + d.hasW;
    fit.n = static_cast<int>(n);
    fit.parameters = static_cast<int>(p);
    if (distinctS < 2 || distinctI < 2 || n < p)
        return fit;

    const gsl::ErrorsReturned errorsReturned;
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residuals;
    fdf.df = jacobian;
    fdf.n = n;
    fdf.p = p;
    fdf.params = &d;
    const Workspace workspace = gsl::levenbergMarquardt(n, p);
    if (!workspace) {
        fit.status = FitStatus::NotConverged;
        return fit;
    }

    const Constants start = startingPoint(d);
    std::vector<double> position{start.k, start.v};
    if (d.hasU)
        position.push_back(start.u);
    if (d.hasW)
        position.push_back(start.w);
    // Equal weights first; for proportional error each further round weighs reading i by
    // 1 / f_i^2 from the curve of the round before, until the constants stop moving.
    std::vector<double> weights(n, 1.0);
    gsl_vector_view weightView = gsl_vector_view_array(weights.data(), n);
    const bool reweighted = errorModel == ErrorModel::Proportional;
    constexpr int maxRounds = 50;
    constexpr double settled = 1e-6; // relative change of every constant between two rounds
    for (int round = 0;; ++round) {
        gsl_vector_view startView = gsl_vector_view_array(position.data(), p);
        if (gsl_multifit_nlinear_winit(&startView.vector, round > 0 ? &weightView.vector : nullptr,
                                       &fdf, workspace.get()) != GSL_SUCCESS) {
            fit.status = FitStatus::NotConverged;
            return fit;
        }
        // The tolerances of fitHyperbola: about 12 significant digits of each parameter.
        int info = 0;
        int status = gsl_multifit_nlinear_driver(200, 1e-12, 1e-15, 0, nullptr, nullptr, &info,
                                                 workspace.get());
        // No trial step lowers the sum of squares when the start is already the minimum, as it
        // is for exact readings or a later round of settled weights.
        if (status != GSL_SUCCESS && info == GSL_ENOPROG &&
            (round > 0 || gradientNorm(workspace.get()) <= 1e-10))
            status = GSL_SUCCESS;
        fit.iterations += static_cast<int>(gsl_multifit_nlinear_niter(workspace.get()));
        if (status != GSL_SUCCESS) {
            fit.status = FitStatus::NotConverged;
            return fit;
        }
        const gsl_vector *found = gsl_multifit_nlinear_position(workspace.get());
        bool moved = false;
        for (size_t j = 0; j < p; ++j) {
            const double value = gsl_vector_get(found, j);
            moved = moved || std::abs(value - position[j]) > settled * std::abs(value);
            position[j] = value;
        }
        const Constants c = unpack(found, d);
        if (!reweighted || (round > 0 && !moved))
            break;
        if (round == maxRounds) {
            fit.status = FitStatus::NotConverged;
            return fit;
        }
        for (size_t i = 0; i < n; ++i) {
            const double curve = c.v * d.x[i] / denominator(c, d.x[i], d.z[i]);
            weights[i] = 1 / (curve * curve);
        }
    }

    const Constants c = unpack(gsl_multifit_nlinear_position(workspace.get()), d);
    // A Km beyond 1e4 times the largest [S] is not determined by the readings (fitHyperbola).
    constexpr double largestKmOverS = 1e4;
    if (!positiveFinite(c.k) || !positiveFinite(c.v) || c.k > largestKmOverS ||
        (d.hasU && !positiveFinite(c.u)) || (d.hasW && !positiveFinite(c.w))) {
        fit.status = FitStatus::NotMeaningful;
        return fit;
    }
    fit.status = FitStatus::Ok;

    // GSL holds the residuals and J already multiplied by the square roots of the weights.
    const double chi = gsl_blas_dnrm2(gsl_multifit_nlinear_residual(workspace.get()));
    const double rss =
        std::max(chi * chi, static_cast<double>(n) * kExactResidual * kExactResidual);
    fit.rss = reweighted ? rss : rss * vScale * vScale;
    const double k = static_cast<double>(p + 1), dn = static_cast<double>(n);
    if (dn - k - 1 > 0) {
        double logVariances = 0; // sum of ln f_i^2 under proportional error
        for (size_t i = 0; reweighted && i < n; ++i)
            logVariances += 2 * std::log(c.v * vScale * d.x[i] / denominator(c, d.x[i], d.z[i]));
        fit.aicc =
            dn * std::log(fit.rss / dn) + logVariances + 2 * k + 2 * k * (k + 1) / (dn - k - 1);
    }

    // Covariance (J^T W J)^-1 times the weighted residual variance chi^2 / (n - p), carried from
    // the scaled (K, V, u, w) to Km and Vmax, and to ln Ki = ln iScale - ln u, ln αKi = ln iScale -
    // ln w and ln α = ln u - ln w.
    const int dof = static_cast<int>(n - p);
    const Matrix covariance(gsl_matrix_alloc(p, p));
    const double variance = dof > 0 ? chi * chi / dof : kNan;
    const bool hasCovariance =
        covariance && gsl_multifit_nlinear_covar(gsl_multifit_nlinear_jac(workspace.get()), 0.0,
                                                 covariance.get()) == GSL_SUCCESS;
    const auto cov = [&](size_t a, size_t b) {
        return hasCovariance ? variance * gsl_matrix_get(covariance.get(), a, b) : kNan;
    };
    fit.km = estimate(c.k * sScale, cov(0, 0) * sScale * sScale, dof);
    fit.vmax = estimate(c.v * vScale, cov(1, 1) * vScale * vScale, dof);
    const size_t iu = 2, iw = d.hasU ? 3 : 2;
    if (d.hasU)
        fit.ki = onLogScale(iScale / c.u, cov(iu, iu) / (c.u * c.u), dof);
    if (d.hasW)
        fit.alphaKi = onLogScale(iScale / c.w, cov(iw, iw) / (c.w * c.w), dof);
    if (d.hasU && d.hasW)
        fit.alpha = onLogScale(c.u / c.w,
                               cov(iu, iu) / (c.u * c.u) + cov(iw, iw) / (c.w * c.w) -
                                   2 * cov(iu, iw) / (c.u * c.w),
                               dof);
    return fit;
}

} // namespace

bool isUsable(const InhibitionReading &r)
{
    return positiveFinite(r.s) && positiveFinite(r.v) && std::isfinite(r.i) && r.i >= 0;
}

InhibitionStudy fitInhibition(const std::vector<InhibitionReading> &readings, ErrorModel errorModel)
{
    double sScale = 0, iScale = 0, vScale = 0;
    std::set<double> sValues, iValues;
    std::vector<InhibitionReading> usable;
    for (const InhibitionReading &r : readings) {
        if (!isUsable(r))
            continue;
        usable.push_back(r);
        sValues.insert(r.s);
        iValues.insert(r.i);
        sScale = std::max(sScale, r.s);
        iScale = std::max(iScale, r.i);
        vScale = std::max(vScale, r.v);
    }
    Problem base;
    for (const InhibitionReading &r : usable) {
        base.x.push_back(r.s / sScale);
        base.z.push_back(iScale > 0 ? r.i / iScale : 0);
        base.y.push_back(r.v / vScale);
    }

    InhibitionStudy study;
    for (size_t m = 0; m < kInhibitionModels.size(); ++m) {
        study.models[m] =
            fitModel(kInhibitionModels[m], base, static_cast<int>(sValues.size()),
                     static_cast<int>(iValues.size()), sScale, iScale, vScale, errorModel);
        const double aicc = study.models[m].aicc;
        if (std::isfinite(aicc) && (study.lowest < 0 || aicc < study.models[study.lowest].aicc))
            study.lowest = static_cast<int>(m);
    }
    if (study.lowest < 0)
        return study;
    const double lowest = study.models[study.lowest].aicc;
    // The simplest law with substantial support; of equally simple ones the better fit.
    for (size_t m = 0; m < study.models.size(); ++m) {
        const InhibitionModelFit &fit = study.models[m];
        if (!(fit.aicc - lowest <= kAiccSupport))
            continue;
        const InhibitionModelFit *chosen = study.best < 0 ? nullptr : &study.models[study.best];
        if (!chosen || fit.parameters < chosen->parameters ||
            (fit.parameters == chosen->parameters && fit.aicc < chosen->aicc))
            study.best = static_cast<int>(m);
    }
    // w_m = exp(-(AICc_m - AICc_lowest) / 2), normalised over the models with a finite AICc.
    double sum = 0;
    for (InhibitionModelFit &fit : study.models) {
        fit.weight = std::isfinite(fit.aicc) ? std::exp(-(fit.aicc - lowest) / 2) : 0;
        sum += fit.weight;
    }
    for (InhibitionModelFit &fit : study.models)
        fit.weight /= sum;
    return study;
}

InhibitionType classify(const InhibitionStudy &study)
{
    if (study.best < 0)
        return InhibitionType::Undetermined;
    const InhibitionModelFit &best = study.models[study.best];
    switch (best.model) {
    case InhibitionModel::Competitive:
        return InhibitionType::Competitive;
    case InhibitionModel::Uncompetitive:
        return InhibitionType::Uncompetitive;
    case InhibitionModel::Mixed:
        break;
    }
    // The window shows α to four digits: an α that rounds to 1 there is 1 to the reader, also for
    // exact readings whose interval is narrower than that.
    constexpr double shownDigits = 5e-4;
    const InhibitionConstant &alpha = best.alpha;
    const bool holdsOne = alpha.hasInterval && alpha.low <= 1 && alpha.high >= 1;
    return holdsOne || std::abs(alpha.value - 1) <= shownDigits ? InhibitionType::Noncompetitive
                                                                : InhibitionType::Mixed;
}

} // namespace enkin
