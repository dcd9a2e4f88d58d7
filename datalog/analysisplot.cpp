#include "datalog/analysisplot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace enkin {

namespace {

constexpr double kMicro = 1e6;
constexpr int kCurvePoints = 160;

struct Bounds {
    double lo = 0;
    double hi = 0;
    void include(double x)
    {
        if (std::isfinite(x)) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    }
};

void keepFinite(PlotPoints &points)
{
    std::erase_if(points,
                  [](const PlotPoint &p) { return !std::isfinite(p.x) || !std::isfinite(p.y); });
}

} // namespace

AxisRange niceRange(double lo, double hi)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) {
        lo = std::isfinite(lo) ? lo : 0;
        hi = lo + 1;
    }
    const double raw = (hi - lo) / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    const double step = (f <= 1 ? 1 : f <= 2 ? 2 : f <= 2.5 ? 2.5 : f <= 5 ? 5 : 10) * magnitude;
    const double niceLo = std::floor(lo / step) * step;
    const double niceHi = std::ceil(hi / step) * step;
    const double intervals = std::round((niceHi - niceLo) / step);
    if (std::isfinite(niceLo) && std::isfinite(niceHi) && niceHi > niceLo && intervals <= 12)
        return {niceLo, niceHi, static_cast<int>(intervals) + 1};
    return {lo, hi, 6};
}

MichaelisPlot michaelisPlot(const Analysis &analysis)
{
    MichaelisPlot plot;
    for (const Reading &r : analysis.selection.usable)
        plot.used.push_back({r.s * kMicro, r.v * kMicro});
    for (const Reading &r : analysis.selection.leftOut)
        plot.leftOut.push_back({r.s * kMicro, r.v * kMicro});
    keepFinite(plot.used);
    keepFinite(plot.leftOut);

    Bounds x, y;
    for (const PlotPoints *points : {&plot.used, &plot.leftOut})
        for (const PlotPoint &p : *points) {
            x.include(p.x);
            y.include(p.y);
        }
    // Room to the right of the largest [S], so that the curve visibly goes on rising there.
    plot.s = niceRange(x.lo, x.hi + 0.1 * (x.hi - x.lo));

    double km = 0, vmax = 0;
    if (analysis.curve.status == FitStatus::Ok) {
        km = analysis.curve.km;
        vmax = analysis.curve.vmax;
        plot.source = CurveSource::DirectFit;
    } else if (analysis.line.status == FitStatus::Ok) {
        km = analysis.line.km;
        vmax = analysis.line.vmax;
        plot.source = CurveSource::Line;
    }
    if (vmax > 0) {
        for (int i = 0; i <= kCurvePoints; ++i) {
            const double s = plot.s.hi * i / kCurvePoints;
            plot.curve.push_back({s, vmax * kMicro * s / (km * kMicro + s)});
        }
        keepFinite(plot.curve);
    }
    for (const PlotPoint &p : plot.curve)
        y.include(p.y);
    plot.v = niceRange(y.lo, y.hi + 0.05 * (y.hi - y.lo));
    return plot;
}

ReciprocalPlot reciprocalPlot(const Analysis &analysis)
{
    ReciprocalPlot plot;
    for (const Reading &r : analysis.selection.usable)
        plot.points.push_back({1 / (r.s * kMicro), 1 / (r.v * kMicro)});
    keepFinite(plot.points);

    Bounds x, y;
    double dataLeft = std::numeric_limits<double>::infinity();
    for (const PlotPoint &p : plot.points) {
        x.include(p.x);
        y.include(p.y);
        dataLeft = std::min(dataLeft, p.x);
    }

    // In plot units the line is 1/v = slope (1/[S]) + intercept / 1e6, the slope unchanged.
    const ReciprocalFit &line = analysis.line;
    if (line.hasLine && !plot.points.empty()) {
        const double slope = line.slope;
        const double intercept = line.intercept / kMicro;
        const auto at = [&](double u) { return PlotPoint{u, slope * u + intercept}; };
        if (line.status == FitStatus::Ok) {
            // Carry the line left to 1/[S] = 0, where 1/Vmax is read, and on to -1/Km when that
            // lies no further left than the readings reach right: a Km much below the smallest
            // [S] would squeeze the readings into a corner.
            // The crossings are set, not computed from the line, whose rounding would put
            // -1/Km a hair below zero and stretch the axis down a whole tick.
            const double xKm = -1 / (line.km * kMicro);
            const bool toKm = -xKm <= x.hi;
            plot.line = {toKm ? PlotPoint{xKm, 0} : PlotPoint{0, intercept}, at(x.hi)};
            plot.intercepts.push_back({0, intercept});
            if (toKm)
                plot.intercepts.push_back({xKm, 0});
        } else {
            plot.line = {at(dataLeft), at(x.hi)};
        }
        keepFinite(plot.line);
        keepFinite(plot.intercepts);
    }
    for (const PlotPoints *points : {&plot.line, &plot.intercepts})
        for (const PlotPoint &p : *points) {
            x.include(p.x);
            y.include(p.y);
        }

    // Markers at 1/[S] = 0 and 1/v = 0 must not sit on the edge of the plot, half hidden.
    const double xPad = 0.05 * (x.hi - x.lo);
    plot.x = niceRange(x.lo < 0 || !plot.intercepts.empty() ? x.lo - xPad : x.lo, x.hi + xPad);
    const double yPad = 0.05 * (y.hi - y.lo);
    plot.y = niceRange(y.lo < 0 || plot.intercepts.size() > 1 ? y.lo - yPad : y.lo, y.hi + yPad);
    plot.zeroX = plot.x.lo < 0;
    plot.zeroY = plot.y.lo < 0;
    return plot;
}

std::string scientificMarkup(double value, double error)
{
    if (!std::isfinite(value))
        return "—";
    // std::to_chars, unlike printf, writes "." whatever the process locale.
    char printed[32];
    const auto written =
        std::to_chars(printed, printed + sizeof printed, value, std::chars_format::scientific, 3);
    const std::string text(printed, written.ptr);
    const auto e = text.find('e');
    const std::string mantissa = text.substr(0, e);
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    std::string number = mantissa;
    if (error > 0 && std::isfinite(error)) {
        char spread[32];
        const auto end =
            std::to_chars(spread, spread + sizeof spread, error / std::pow(10.0, exponent),
                          std::chars_format::fixed, 3);
        number = mantissa + " ± " + std::string(spread, end.ptr);
        if (exponent != 0)
            number = "(" + number + ")";
    }
    if (exponent != 0)
        number += " × 10^{" + std::to_string(exponent) + "}";
    return number;
}

} // namespace enkin
