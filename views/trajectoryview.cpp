#include "views/trajectoryview.h"

#include "views/plotsurface.h"

namespace enkin {

namespace {

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

DrawOutcome DrawTrajectory(PlotSurface &surface, const Trajectory &trajectory, double tmax,
                           double ymax, int lastValid, bool inhibited)
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
    if (inhibited) {
        Trajectory::Column bound{};
        for (int i = Trajectory::kFirst; i <= lastValid; ++i)
            bound[i] = trajectory.EIConc[i] + trajectory.ESIConc[i];
        drawCurve(surface, trajectory.TimeVal, bound, lastValid,
                  PlotSurface::paletteColor(kInhibitedColour));
    }
    return DrawOutcome::Drawn;
}

void drawGuideLine(PlotSurface &surface, double t, double ymax)
{
    const auto x = toSingle(t);
    const auto y = toSingle(ymax);
    if (x && y)
        surface.line(*x, 0, *x, *y, PlotSurface::paletteColor(8));
}

} // namespace enkin
