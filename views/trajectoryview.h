// Drawing a run on the plot surface and reading values off it at the time slider.
#pragma once

#include "engine/kinetics.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace enkin {

class PlotSurface;

enum class DrawOutcome {
    Drawn,
    ZeroVerticalScale,   // maxy is zero, empty or not a number: nothing drawn
    ZeroHorizontalScale, // the Maximum Time is zero, empty or not a number: nothing drawn
};

// Whether a scale of (0, ymax)-(tmax, 0) can be set, checked before anything is erased.
DrawOutcome checkScale(double tmax, double ymax);

// A double as the surface takes it, in single precision; nothing when it lies beyond the single
// range or is not finite.
inline std::optional<float> toSingle(double value)
{
    if (!(std::abs(value) <= std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(value);
}

// Scales the surface to (0, ymax)-(tmax, 0) and draws [E] in the foreground colour, [ES] in
// palette colour 9 and [P] in palette colour 12, each as a polyline through grid points
// 1..lastValid begun with a point in the foreground colour. A point that cannot be passed in
// single precision is skipped: the polyline breaks there and resumes at the next drawable point.
DrawOutcome DrawTrajectory(PlotSurface &surface, const Trajectory &trajectory, double tmax,
                           double ymax, int lastValid = Trajectory::kLast);

// The grey guide line from (t, 0) to (t, ymax).
void drawGuideLine(PlotSurface &surface, double t, double ymax);

// Slider time of position v: ((v - 1) / 599) * tmax, with v - 1 formed as a 16-bit integer.
double sliderTime(int v, double tmax);

// The text of the time box: t cut (never rounded) to 3 decimals; empty when not finite.
std::string timeText(double t);

// The texts of the four Results boxes at slider position v, each cut to 3 decimals, 4 for [S].
// A value that is not a result (beyond the last valid point of the run) or not finite gives an
// empty text.
struct Readout {
    std::string EVal, ESVal, Vel, SVal;
};
Readout readoutAt(const Trajectory &trajectory, const RateSet &rates, int v, int lastValid);

} // namespace enkin
