// What the Analysis window plots and prints, as plain values: the points and lines of the two
// plots in micromolar units with their axis ranges, and the numbers of the summary as text.
//
// The plots are drawn in micromolar units: [S] of the exercise runs from 1 to 1000 uM and the
// velocities are near 1 uM/s, so the tick labels stay short. The summary gives molar values.
#pragma once

#include "analysis/readings.h"

#include <optional>
#include <string>
#include <vector>

namespace enkin {

struct PlotPoint {
    double x = 0, y = 0;
};
using PlotPoints = std::vector<PlotPoint>;

// An axis range that starts and ends on a tick, with `ticks` ticks.
struct AxisRange {
    double lo = 0, hi = 1;
    int ticks = 6;
};

// A range that contains [lo, hi] and starts and ends on a tick, with ticks at 1, 2, 2.5 or 5
// times a power of ten and about five intervals, few enough for the labels of a narrow plot. A
// range that starts at 0 keeps starting at 0. A range of no width, or one that is not finite,
// falls back to one of width 1, so that an axis never receives an invalid range.
AxisRange niceRange(double lo, double hi);

// What one tab of the Analysis window plots for a group, in display units: [S] in µM,
// velocities in µM/s, [S]/v in s and v/[S] in 1/s. Used readings are drawn filled, left-out
// ones hollow; `fitted` is the method's own curve or line, `truth` the one of the group's true
// Km and Vmax. The direct method's tab also has the residuals, v - fitted v, under it.
// With `span`, the curves and lines run over that range of x (display units) instead of their
// own, so that a family of them on one plot reaches where its members meet.
struct MethodPlot {
    PlotPoints used, leftOut;
    PlotPoints fitted, truth;
    PlotPoints residualsUsed, residualsLeftOut;
    AxisRange x, y, residual;
    bool zeroX = false, zeroY = false; // a range reaches below zero: a line marks zero
};
MethodPlot methodPlot(Method method, const GroupFit &fit, const ReadingGroup &group,
                      std::optional<AxisRange> span = std::nullopt);

// Four significant digits in scientific notation with the exponent raised in the markup of the
// labels, "2.000 × 10^{-5}". The mantissa is rounded once, so 9.9996e-6 reads 1.000 × 10^{-5},
// not 10.000 × 10^{-6}. "—" when not finite.
std::string scientificMarkup(double value);

// The power of ten scientificMarkup writes for `value`; 0 when it is not finite or zero.
int scientificPower(double value);

// A value with its confidence interval, the digits chosen from the interval: the half-width
// keeps two significant digits and the value is rounded to the same place,
// "(2.004 ± 0.021) × 10^{-5}". A half-width below a unit of the value's fourth significant digit
// reads "< 0.001": the readings lie on the curve, and no digit of the interval would show.
// Without an interval, the value to four significant digits. With `power`, in that power of ten,
// so that a fitted value reads beside the true one: "(0.9974 ± 0.0012) × 10^{-6}".
std::string estimateMarkup(const Estimate &estimate, std::optional<int> power = std::nullopt);

// An inhibition constant with its 95% interval, which is not symmetric about it, all in one power
// of ten: "1.002 (0.951 – 1.058) × 10^{-5}". The nearer end keeps two significant digits, but no
// more digits than the value's fourth. Without an interval, as estimateMarkup; "—" when not
// finite.
std::string intervalMarkup(const InhibitionConstant &constant,
                           std::optional<int> power = std::nullopt);

} // namespace enkin
