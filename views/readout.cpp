#include "views/readout.h"

#include "engine/numtext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace enkin {

namespace {

// Text of a value cut to the decimals of `scale`, or empty when it is no number to show.
std::string cutText(double value, double scale)
{
    // From 2^53 on every double is a whole number, and cutting it changes nothing; scaling it
    // first could overflow to infinity.
    if (std::isfinite(value) && std::abs(value) >= 0x1p53)
        return formatGeneral(value);
    const double cut = cutDecimals(value, scale);
    return std::isfinite(cut) ? formatGeneral(cut) : std::string();
}

} // namespace

DrawOutcome checkScale(double tmax, double ymax)
{
    // A value whose single-precision form is 0 is too small to draw, like 0 itself.
    const auto y = toSingle(ymax);
    if (!y)
        return DrawOutcome::VerticalScaleTooLarge;
    if (*y == 0)
        return DrawOutcome::ZeroVerticalScale;
    const auto x = toSingle(tmax);
    if (!x)
        return DrawOutcome::HorizontalScaleTooLarge;
    if (*x == 0)
        return DrawOutcome::ZeroHorizontalScale;
    return DrawOutcome::Drawn;
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

int nearestPoint(double fraction)
{
    const double clamped = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    return Trajectory::kFirst + static_cast<int>(std::lround(clamped * 599));
}

std::optional<PointReading> plotPointAt(const Trajectory &trajectory, int v, int lastValid,
                                        double tmax, bool inhibited)
{
    if (v < Trajectory::kFirst || v > lastValid)
        return std::nullopt;
    return PointReading{timeText(sliderTime(v, tmax)), cutText(trajectory.EConc[v], 1000),
                        cutText(trajectory.ESConc[v], 1000), cutText(trajectory.PConc[v], 1000),
                        inhibited ? cutText(trajectory.EIConc[v] + trajectory.ESIConc[v], 1000)
                                  : std::string()};
}

Readout readoutAt(const Trajectory &trajectory, const RateSet &rates, int v, int lastValid,
                  bool inhibited)
{
    Readout r;
    if (v < Trajectory::kFirst || v > lastValid)
        return r;
    r.EVal = cutText(trajectory.EConc[v], 1000);
    r.ESVal = cutText(trajectory.ESConc[v], 1000);
    r.Vel = cutText(rates.k2 * trajectory.ESConc[v], 1000);
    r.SVal = cutText(trajectory.SConc[v], 10000);
    if (inhibited)
        r.EIVal = cutText(trajectory.EIConc[v] + trajectory.ESIConc[v], 1000);
    return r;
}

} // namespace enkin
