#include "views/trajectoryview.h"

#include "engine/numtext.h"
#include "views/plotsurface.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace enkin {

namespace {

// Text of a value cut to the decimals of `scale`, or empty when it is no number to show.
std::string cutText(double value, double scale)
{
    const double cut = cutDecimals(value, scale);
    return std::isfinite(cut) ? formatGeneral(cut) : std::string();
}

void drawCurve(PlotSurface &surface, const Trajectory::Column &times,
               const Trajectory::Column &values, int lastValid, std::optional<QColor> colour)
{
    bool broken = true;
    for (int i = Trajectory::kFirst; i <= lastValid; ++i) {
        const auto x = toSingle(times[i]);
        const auto y = toSingle(values[i]);
        if (!x || !y) {
            broken = true;
            continue;
        }
        if (i == Trajectory::kFirst)
            surface.point(*x, *y);
        else if (broken)
            surface.moveTo(*x, *y);
        else
            surface.lineTo(*x, *y, colour);
        broken = false;
    }
}

} // namespace

DrawOutcome checkScale(double tmax, double ymax)
{
    const auto y = toSingle(ymax);
    if (!y || *y == 0)
        return DrawOutcome::ZeroVerticalScale;
    const auto x = toSingle(tmax);
    if (!x || *x == 0)
        return DrawOutcome::ZeroHorizontalScale;
    return DrawOutcome::Drawn;
}

DrawOutcome DrawTrajectory(PlotSurface &surface, const Trajectory &trajectory, double tmax,
                           double ymax, int lastValid)
{
    const DrawOutcome scale = checkScale(tmax, ymax);
    if (scale != DrawOutcome::Drawn)
        return scale;
    surface.setScale(0, static_cast<float>(ymax), static_cast<float>(tmax), 0);
    const PlotSurface::Batch batch(surface);
    drawCurve(surface, trajectory.TimeVal, trajectory.EConc, lastValid, std::nullopt);
    drawCurve(surface, trajectory.TimeVal, trajectory.ESConc, lastValid,
              PlotSurface::paletteColor(9));
    drawCurve(surface, trajectory.TimeVal, trajectory.PConc, lastValid,
              PlotSurface::paletteColor(12));
    return DrawOutcome::Drawn;
}

void drawGuideLine(PlotSurface &surface, double t, double ymax)
{
    const auto x = toSingle(t);
    const auto y = toSingle(ymax);
    if (x && y)
        surface.line(*x, 0, *x, *y, PlotSurface::paletteColor(8));
}

double sliderTime(int v, double tmax)
{
    const auto steps = static_cast<std::int16_t>(v - 1);
    return static_cast<double>(steps) / 599.0 * tmax;
}

std::string timeText(double t)
{
    return cutText(t, 1000);
}

Readout readoutAt(const Trajectory &trajectory, const RateSet &rates, int v, int lastValid)
{
    Readout r;
    if (v < Trajectory::kFirst || v > lastValid)
        return r;
    r.EVal = cutText(trajectory.EConc[v], 1000);
    r.ESVal = cutText(trajectory.ESConc[v], 1000);
    r.Vel = cutText(rates.k2 * trajectory.ESConc[v], 1000);
    r.SVal = cutText(trajectory.SConc[v], 10000);
    return r;
}

} // namespace enkin
