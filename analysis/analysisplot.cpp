#include "analysis/analysisplot.h"

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
    const double raw = (hi - lo) / 5;
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

namespace {

// Display units of each method's axes, as factors on the molar values.
struct AxisUnits {
    double x, y;
};
AxisUnits unitsOf(Method method)
{
    switch (method) {
    case Method::Direct:
        return {kMicro, kMicro}; // µM, µM/s
    case Method::LineweaverBurk:
        return {1 / kMicro, 1 / kMicro}; // 1/µM, s/µM
    case Method::HanesWoolf:
        return {kMicro, 1}; // µM, s
    case Method::EadieHofstee:
        return {1, kMicro}; // 1/s, µM/s
    }
    return {1, 1};
}

// Slope and intercept, in molar units, of a linearisation's line for a Km and Vmax.
PlotPoint lineOf(Method method, double km, double vmax)
{
    switch (method) {
    case Method::LineweaverBurk:
        return {km / vmax, 1 / vmax};
    case Method::HanesWoolf:
        return {1 / vmax, km / vmax};
    case Method::EadieHofstee:
        return {-km, vmax};
    case Method::Direct:
        break;
    }
    return {0, 0};
}

// Where the line y = m x + b meets y = 0, the crossing the plot reaches to when it is on the left:
// -1/Km on the double-reciprocal plot and -Km on Hanes-Woolf's.
double leftCrossing(PlotPoint line)
{
    return line.x != 0 ? -line.y / line.x : 0;
}

} // namespace

MethodPlot methodPlot(Method method, const GroupFit &fit, const ReadingGroup &group,
                      std::optional<AxisRange> span)
{
    MethodPlot plot;
    const AxisUnits u = unitsOf(method);
    const auto point = [&](const Reading &r) {
        const MethodPoint p = transformed(method, r);
        return PlotPoint{p.x * u.x, p.y * u.y};
    };
    // `shown` is in member order, `used` and `leftOut` hold Study indices: match by position.
    const std::vector<int> &members = group.members;
    for (std::size_t k = 0; k < members.size() && k < fit.shown.size(); ++k) {
        const bool used = std::find(fit.used.begin(), fit.used.end(), members[k]) != fit.used.end();
        const Reading &r = fit.shown[k];
        if (!isUsable(r))
            continue;
        (used ? plot.used : plot.leftOut).push_back(point(r));
    }
    keepFinite(plot.used);
    keepFinite(plot.leftOut);

    // The velocity plot's range holds every reading. A linearisation's holds the used ones (all
    // of them when none is used): the transform throws a reading taken before the steady state
    // so far off that the used ones would be squeezed into a corner. The table lists it still.
    Bounds x, y;
    const bool usedOnly = method != Method::Direct && !plot.used.empty();
    for (const PlotPoints *points : {&plot.used, &plot.leftOut})
        if (points == &plot.used || !usedOnly)
            for (const PlotPoint &p : *points) {
                x.include(p.x);
                y.include(p.y);
            }
    const MethodFit &m = fit.methods[std::size_t(method)];
    const bool fitted = m.status == FitStatus::Ok;
    const TheoreticalConstants &truth = group.truth;
    const bool trueKnown =
        !group.hidden && truth.kmDefined && truth.vmaxDefined && truth.km > 0 && truth.vmax > 0;

    if (method == Method::Direct) {
        // Room to the right of the largest [S], so that the curves visibly go on rising there;
        // they run to the axis' end.
        plot.x = niceRange(x.lo, x.hi + 0.05 * (x.hi - x.lo));
        if (span)
            plot.x = niceRange(std::min(plot.x.lo, span->lo), std::max(plot.x.hi, span->hi));
        const double right = plot.x.hi;
        const auto hyperbola = [&](double km, double vmax) {
            PlotPoints curve;
            for (int i = 0; i <= kCurvePoints; ++i) {
                const double s = right * i / kCurvePoints / u.x;
                curve.push_back({s * u.x, vmax * s / (km + s) * u.y});
            }
            keepFinite(curve);
            return curve;
        };
        if (fitted)
            plot.fitted = hyperbola(m.km.value, m.vmax.value);
        if (trueKnown)
            plot.truth = hyperbola(truth.km, truth.vmax);
        for (const PlotPoints *curve : {&plot.fitted, &plot.truth})
            for (const PlotPoint &p : *curve)
                y.include(p.y);
        plot.y = niceRange(y.lo, y.hi + 0.05 * (y.hi - y.lo));
        // Residuals against the fitted curve, in µM/s.
        if (fitted) {
            Bounds r;
            const auto residual = [&](const PlotPoint &p) {
                const double s = p.x / u.x;
                const double v = m.vmax.value * s / (m.km.value + s);
                return PlotPoint{p.x, p.y - v * u.y};
            };
            for (const PlotPoint &p : plot.used)
                plot.residualsUsed.push_back(residual(p));
            for (const PlotPoint &p : plot.leftOut)
                plot.residualsLeftOut.push_back(residual(p));
            keepFinite(plot.residualsUsed);
            keepFinite(plot.residualsLeftOut);
            // The used readings set the scale: a left-out reading far off the curve would
            // flatten their residuals into a line.
            for (const PlotPoints *points : {&plot.residualsUsed, &plot.residualsLeftOut})
                if (r.hi == 0)
                    for (const PlotPoint &p : *points)
                        r.include(std::abs(p.y));
            plot.residual = niceRange(-1.1 * r.hi, 1.1 * r.hi);
        } else {
            plot.residual = niceRange(-1, 1);
        }
        plot.zeroY = true;
        return plot;
    }

    // A line y = m x + b in molar units, drawn in display units from `lo` to `hi` (display x).
    const auto segment = [&](PlotPoint line, double lo, double hi) {
        PlotPoints points;
        for (double dx : {lo, hi})
            points.push_back({dx, (line.x * (dx / u.x) + line.y) * u.y});
        keepFinite(points);
        return points;
    };
    double lo = x.lo, hi = x.hi;
    const PlotPoint fittedLine{m.slope, m.intercept};
    const PlotPoint trueLine = trueKnown ? lineOf(method, truth.km, truth.vmax) : PlotPoint{};
    if (method == Method::EadieHofstee) {
        // From the velocity axis (v/[S] = 0, where v = Vmax) to the readings' right.
        lo = std::min(lo, 0.0);
    } else if (fitted) {
        // On to the crossing of the [S] axis when it lies no further left than the readings
        // reach right: a far crossing would squeeze the readings into a corner.
        const double crossing = leftCrossing(fittedLine) * u.x;
        lo = std::min(lo, -crossing <= hi ? crossing : 0.0);
    } else {
        lo = std::min(lo, 0.0);
    }
    if (span)
        lo = span->lo, hi = span->hi;
    if (m.hasLine && !plot.used.empty())
        plot.fitted = segment(fittedLine, lo, hi);
    if (trueKnown && !(plot.used.empty() && plot.leftOut.empty()))
        plot.truth = segment(trueLine, lo, hi);
    for (const PlotPoints *points : {&plot.fitted, &plot.truth})
        for (const PlotPoint &p : *points) {
            x.include(p.x);
            y.include(p.y);
        }
    const double xPad = 0.05 * (x.hi - x.lo);
    plot.x = niceRange(x.lo < 0 ? x.lo - xPad : x.lo, x.hi + xPad);
    const double yPad = 0.05 * (y.hi - y.lo);
    plot.y = niceRange(y.lo < 0 ? y.lo - yPad : y.lo, y.hi + yPad);
    plot.zeroX = plot.x.lo < 0;
    plot.zeroY = plot.y.lo < 0;
    return plot;
}

namespace {

// The mantissa of `value` with `decimals` decimals and its power of ten, rounded once: a mantissa
// that rounds up to 10 moves to the next power.
std::pair<std::string, int> scientificParts(double value, int decimals)
{
    char printed[64];
    // std::to_chars, unlike printf, writes "." whatever the process locale.
    const auto written = std::to_chars(printed, printed + sizeof printed, value,
                                       std::chars_format::scientific, decimals);
    const std::string text(printed, written.ptr);
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    return {text.substr(0, e), exponent};
}

std::string fixed(double value, int decimals)
{
    char printed[64];
    const auto written =
        std::to_chars(printed, printed + sizeof printed, value, std::chars_format::fixed, decimals);
    return std::string(printed, written.ptr);
}

std::string withPower(std::string number, int exponent, bool parenthesise)
{
    if (exponent == 0)
        return number;
    if (parenthesise)
        number = "(" + number + ")";
    return number + " × 10^{" + std::to_string(exponent) + "}";
}

} // namespace

std::string scientificMarkup(double value)
{
    if (!std::isfinite(value))
        return "—";
    const auto [mantissa, exponent] = scientificParts(value, 3);
    return withPower(mantissa, exponent, false);
}

int scientificPower(double value)
{
    return std::isfinite(value) && value != 0 ? scientificParts(value, 3).second : 0;
}

std::string estimateMarkup(const Estimate &estimate, std::optional<int> power)
{
    const double value = estimate.value, half = estimate.halfWidth;
    if (!std::isfinite(value))
        return "—";
    // The place of the value's fourth significant digit.
    const int fourth = scientificPower(value) - 3;
    const bool interval = estimate.hasInterval && half > 0 && std::isfinite(half) && value != 0;
    if (!interval && !power)
        return scientificMarkup(value);
    // The half-width keeps two significant digits: the value is rounded to the place of the
    // second, and the power of ten is the rounded value's (9.996 ± 0.012 reads 10.000 ± 0.012).
    const bool below = interval && int(std::floor(std::log10(half))) < fourth;
    const int place = interval && !below ? int(std::floor(std::log10(half))) - 1 : fourth;
    const double unit = std::pow(10.0, place);
    const double rounded = std::round(value / unit) * unit;
    const int exponent = power          ? *power
                         : rounded == 0 ? place + 1
                                        : scientificParts(rounded, 15).second;
    const int decimals = std::clamp(exponent - place, 0, 12);
    const double scale = std::pow(10.0, exponent);
    if (!interval)
        return withPower(fixed(rounded / scale, decimals), exponent, false);
    const std::string spread =
        below ? "< " + fixed(unit / scale, decimals) : fixed(half / scale, decimals);
    return withPower(fixed(rounded / scale, decimals) + " ± " + spread, exponent, true);
}

std::string intervalMarkup(const InhibitionConstant &constant, std::optional<int> power)
{
    const double value = constant.value;
    const double nearer = std::min(value - constant.low, constant.high - value);
    if (!constant.hasInterval || !std::isfinite(value) || value == 0 || !(nearer >= 0) ||
        !std::isfinite(constant.low) || !std::isfinite(constant.high))
        return estimateMarkup({value, 0, false}, power);
    const int fourth = scientificPower(value) - 3;
    const int place =
        nearer > 0 ? std::max(int(std::floor(std::log10(nearer))) - 1, fourth) : fourth;
    const double unit = std::pow(10.0, place);
    const double rounded = std::round(value / unit) * unit;
    const int exponent = power ? *power : scientificParts(rounded, 15).second;
    const int decimals = std::clamp(exponent - place, 0, 12);
    const double scale = std::pow(10.0, exponent);
    return withPower(fixed(rounded / scale, decimals) + " (" +
                         fixed(constant.low / scale, decimals) + " – " +
                         fixed(constant.high / scale, decimals) + ")",
                     exponent, false);
}

} // namespace enkin
