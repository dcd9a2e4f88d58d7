#include "analysis/inhibitionplot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace enkin {

namespace {

constexpr double kMicro = 1e6;

struct Bounds {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void include(double x)
    {
        if (std::isfinite(x)) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    }
    void include(const AxisRange &range)
    {
        include(range.lo);
        include(range.hi);
    }
    bool empty() const { return !(hi >= lo); }
};

// [I] / K, 0 without inhibitor whatever K is; 0 for a constant a law lacks (NaN) or an inhibitor
// that does not bind (infinite).
double ratio(double i, double k)
{
    return i == 0 || !std::isfinite(k) ? 0 : i / k;
}

// A range that holds `b` with a twentieth of its width to spare on each side that is not zero. A
// line that ends on the axis may end a rounding error below it: that end is zero.
AxisRange padded(const Bounds &b)
{
    const double pad = 0.05 * (b.hi - b.lo);
    return niceRange(b.lo < -1e-9 * (b.hi - b.lo) ? b.lo - pad : std::max(b.lo, 0.0), b.hi + pad);
}

} // namespace

TheoreticalConstants apparentConstants(const ReadingGroup &group, double i)
{
    TheoreticalConstants t = group.truth;
    const double a = 1 + ratio(i, group.ki), b = 1 + ratio(i, group.alphaKi);
    t.km *= a / b;
    t.vmax /= b;
    t.kcat /= b;
    t.specificity /= a;
    return t;
}

std::vector<LevelFit> levelFits(const Study &study, int group, const GroupFit &fit,
                                ErrorModel model)
{
    std::vector<LevelFit> levels;
    if (group < 0 || group >= int(study.groups.size()))
        return levels;
    const ReadingGroup &g = study.groups[std::size_t(group)];
    for (double i0 : g.levels) {
        LevelFit level{i0, g, {}};
        level.group.members.clear();
        level.group.levels = {i0};
        level.group.truth = apparentConstants(g, i0);
        levels.push_back(std::move(level));
    }
    for (std::size_t k = 0; k < g.members.size() && k < fit.shown.size(); ++k) {
        const int index = g.members[k];
        const double i0 = study.readings[std::size_t(index)].i0;
        const auto level = std::find_if(levels.begin(), levels.end(),
                                        [&](const LevelFit &l) { return l.i0 == i0; });
        if (level == levels.end())
            continue;
        level->group.members.push_back(index);
        level->fit.shown.push_back(fit.shown[k]);
        const auto used = std::find(fit.used.begin(), fit.used.end(), index);
        if (used != fit.used.end()) {
            level->fit.used.push_back(index);
            level->fit.fitted.push_back(fit.fitted[std::size_t(used - fit.used.begin())]);
        } else {
            level->fit.leftOut.push_back(index);
        }
    }
    for (LevelFit &level : levels)
        for (std::size_t m = 0; m < kMethods.size(); ++m)
            level.fit.methods[m] = fitMethod(kMethods[m], level.fit.fitted, model);
    return levels;
}

FamilyPlot familyPlot(Method method, const std::vector<LevelFit> &levels)
{
    // Each level on its own first, for the range its curve or line reaches: the direct fit's
    // curves run to the widest axis, the lines from the leftmost crossing to the rightmost
    // reading used. An Eadie-Hofstee line runs from the v axis on to where it meets the v/[S]
    // axis, at Vmax/Km, where those of uncompetitive inhibition meet, unless that lies further
    // than twice the readings' reach; a common end would take the steep lines far below zero.
    Bounds reach;
    std::vector<Bounds> own(levels.size());
    std::vector<double> crossing(levels.size(), 0.0);
    for (std::size_t k = 0; k < levels.size(); ++k) {
        const MethodPlot plot = methodPlot(method, levels[k].fit, levels[k].group);
        if (method == Method::Direct) {
            if (!plot.used.empty() || !plot.leftOut.empty())
                reach.include(plot.x);
            continue;
        }
        for (const PlotPoints *points : {&plot.used, &plot.fitted, &plot.truth})
            for (const PlotPoint &p : *points)
                own[k].include(p.x);
        reach.include(own[k].lo);
        reach.include(own[k].hi);
        if (plot.fitted.size() == 2 && plot.fitted[1].y != plot.fitted[0].y) {
            const PlotPoint a = plot.fitted[0], b = plot.fitted[1];
            crossing[k] = a.x - a.y * (b.x - a.x) / (b.y - a.y);
        }
    }
    const auto spanOf = [&](std::size_t k) -> std::optional<AxisRange> {
        if (method == Method::EadieHofstee && !own[k].empty()) {
            const double end = std::isfinite(crossing[k]) && crossing[k] > own[k].hi
                                   ? std::min(crossing[k], 2 * reach.hi)
                                   : own[k].hi;
            return AxisRange{std::min(own[k].lo, 0.0), std::max(end, own[k].hi), 2};
        }
        if (reach.empty())
            return std::nullopt;
        return AxisRange{reach.lo, reach.hi, 2};
    };

    // The direct fit's axes are each level's, widened to all; a line plot's hold the readings
    // and lines of every level, padded once, as methodPlot pads one.
    FamilyPlot family;
    Bounds x, y, residual;
    x.include(0.0);
    y.include(0.0);
    for (std::size_t k = 0; k < levels.size(); ++k) {
        family.levels.push_back(methodPlot(method, levels[k].fit, levels[k].group, spanOf(k)));
        const MethodPlot &plot = family.levels.back();
        if (plot.used.empty() && plot.leftOut.empty())
            continue;
        residual.include(plot.residual);
        if (method == Method::Direct) {
            x.include(plot.x);
            y.include(plot.y);
            continue;
        }
        const PlotPoints &readings = plot.used.empty() ? plot.leftOut : plot.used;
        for (const PlotPoints *points : {&readings, &plot.fitted, &plot.truth})
            for (const PlotPoint &p : *points) {
                x.include(p.x);
                y.include(p.y);
            }
    }
    family.x = method == Method::Direct ? niceRange(x.lo, x.hi) : padded(x);
    family.y = method == Method::Direct ? niceRange(y.lo, y.hi) : padded(y);
    family.residual = residual.empty() ? niceRange(-1, 1) : niceRange(residual.lo, residual.hi);
    family.zeroX = method != Method::Direct && family.x.lo < 0;
    family.zeroY = method == Method::Direct || family.y.lo < 0;
    return family;
}

SubstratePlot substratePlot(InhibitorPlot kind, const Study &study, int group, const GroupFit &fit,
                            const InhibitionStudy &laws)
{
    SubstratePlot plot;
    if (group < 0 || group >= int(study.groups.size()))
        return plot;
    const ReadingGroup &g = study.groups[std::size_t(group)];
    // 1/v in s/µM, or [S]/v in s.
    const auto y = [&](double s, double v) {
        return kind == InhibitorPlot::Dixon ? 1 / (v * kMicro) : s / v;
    };
    for (std::size_t k = 0; k < g.members.size() && k < fit.shown.size(); ++k) {
        const Reading &r = fit.shown[k];
        if (!isUsable(r))
            continue;
        const int index = g.members[k];
        auto line = std::find_if(plot.lines.begin(), plot.lines.end(),
                                 [&](const SubstrateSeries &l) { return l.s0 == r.s; });
        if (line == plot.lines.end()) {
            plot.lines.push_back({r.s, {}, {}, {}});
            line = plot.lines.end() - 1;
        }
        const bool used = std::find(fit.used.begin(), fit.used.end(), index) != fit.used.end();
        const PlotPoint p{study.readings[std::size_t(index)].i0 * kMicro, y(r.s, r.v)};
        (used ? line->used : line->leftOut).push_back(p);
    }
    std::sort(plot.lines.begin(), plot.lines.end(),
              [](const SubstrateSeries &a, const SubstrateSeries &b) { return a.s0 < b.s0; });

    // The range holds the readings used, or all of them when none is, as on the lines' tabs.
    Bounds x, yBounds;
    x.include(0.0);
    yBounds.include(0.0);
    const bool anyUsed = std::any_of(plot.lines.begin(), plot.lines.end(),
                                     [](const SubstrateSeries &l) { return !l.used.empty(); });
    for (const SubstrateSeries &line : plot.lines)
        for (const PlotPoints *points : {&line.used, &line.leftOut})
            if (points == &line.used || !anyUsed)
                for (const PlotPoint &p : *points) {
                    x.include(p.x);
                    yBounds.include(p.y);
                }

    const InhibitionModelFit *law =
        laws.best >= 0 && laws.models[std::size_t(laws.best)].status == FitStatus::Ok
            ? &laws.models[std::size_t(laws.best)]
            : nullptr;
    if (law && !x.empty()) {
        const double km = law->km.value, vmax = law->vmax.value;
        const double ki = law->ki.value, alphaKi = law->alphaKi.value;
        // Where the lines meet: the Dixon lines at -Ki, the Cornish-Bowden lines at -αKi.
        const double meet = (kind == InhibitorPlot::Dixon ? ki : alphaKi) * kMicro;
        const double lo = std::isfinite(meet) && meet > 0 && meet <= x.hi ? -meet : 0.0;
        const double hi = x.hi;
        for (SubstrateSeries &line : plot.lines) {
            const double s = line.s0;
            for (double xi : {lo, hi}) {
                // v = Vmax S / (Km (1 + I/Ki) + S (1 + I/αKi)), of which 1/v and S/v are linear
                // in I, also at the negative I the lines reach.
                const double i = xi / kMicro;
                const double den = km * (1 + ratio(i, ki)) + s * (1 + ratio(i, alphaKi));
                const double value =
                    kind == InhibitorPlot::Dixon ? den / (vmax * s) / kMicro : den / vmax;
                line.line.push_back({xi, value});
                x.include(xi);
                yBounds.include(value);
            }
        }
    }
    if (!x.empty())
        plot.x = padded(x);
    if (!yBounds.empty())
        plot.y = padded(yBounds);
    plot.zeroX = plot.x.lo < 0;
    plot.zeroY = plot.y.lo < 0;
    return plot;
}

} // namespace enkin
