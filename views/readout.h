// What the plot and the Results boxes show of a run, as plain values: whether a scale can be set,
// the coordinates the surface takes, the slider's time and the texts of the readout.
#pragma once

#include "engine/kinetics.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace enkin {

enum class DrawOutcome {
    Drawn,
    ZeroVerticalScale,       // maxy is zero, empty or not a number: nothing drawn
    ZeroHorizontalScale,     // the Maximum Time is zero, empty or not a number: nothing drawn
    VerticalScaleTooLarge,   // maxy is beyond the surface's single-precision range
    HorizontalScaleTooLarge, // so is the Maximum Time
};

// The largest scale the drawing surface takes: its coordinates are single precision.
inline constexpr double kLargestScale = std::numeric_limits<float>::max();

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

// Slider time of position v: ((v - 1) / 599) * tmax, with v - 1 formed as a 16-bit integer.
double sliderTime(int v, double tmax);

// The text of the time box: t cut (never rounded) to 3 decimals; empty when not finite.
std::string timeText(double t);

// The texts of the four Results boxes at slider position v, each cut to 3 decimals, 4 for [S].
// A value that is not a result (beyond the last valid point of the run) or not finite gives an
// empty text; a value too large to hold decimals (2^53 and beyond) is whole, and is shown as it
// is.
// With `inhibited`, EIVal holds the inhibited enzyme [EI] + [ESI], cut like [E]; else it is empty.
struct Readout {
    std::string EVal, ESVal, Vel, SVal;
    std::string EIVal;
};
Readout readoutAt(const Trajectory &trajectory, const RateSet &rates, int v, int lastValid,
                  bool inhibited = false);

// The grid point nearest a place on the plot, `fraction` of its width from the left edge (the
// grid points stand evenly across it), and what the plot's tooltip says of it: the time as the
// slider gives it for a run of `tmax`, and the plotted concentrations, cut like the boxes ([EI] +
// [ESI] only with `inhibited`). Nothing beyond the last valid point.
int nearestPoint(double fraction);
struct PointReading {
    std::string t, E, ES, P;
    std::string EI;
};
std::optional<PointReading> plotPointAt(const Trajectory &trajectory, int v, int lastValid,
                                        double tmax, bool inhibited = false);

} // namespace enkin
