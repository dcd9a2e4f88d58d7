// What the Analysis window plots and prints, as plain values: the points and lines of the two
// plots in micromolar units with their axis ranges, and the numbers of the summary as text.
//
// The plots are drawn in micromolar units: [S] of the exercise runs from 1 to 1000 uM and the
// velocities are near 1 uM/s, so the tick labels stay short. The summary gives molar values.
#pragma once

#include "datalog/analysis.h"

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
// times a power of ten and about four intervals, few enough for the labels of a narrow plot. A
// range that starts at 0 keeps starting at 0. A range of no width, or one that is not finite,
// falls back to one of width 1, so that an axis never receives an invalid range.
AxisRange niceRange(double lo, double hi);

enum class CurveSource {
    None,      // neither fit gave a Km and Vmax
    DirectFit, // the direct fit, the better estimate
    Line,      // the double-reciprocal line's values, standing in for a failed direct fit
};

// Velocity against [S]: the readings used and left out, and the fitted hyperbola.
struct MichaelisPlot {
    PlotPoints used, leftOut, curve;
    CurveSource source = CurveSource::None;
    AxisRange s, v;
};
MichaelisPlot michaelisPlot(const Analysis &analysis);

// 1/velocity against 1/[S]: the usable readings, the least-squares line, its crossings at
// 1/[S] = 0 (1/Vmax) and 1/v = 0 (-1/Km), and whether each axis reaches below zero, where a line
// marks zero.
struct ReciprocalPlot {
    PlotPoints points, line, intercepts;
    AxisRange x, y;
    bool zeroX = false, zeroY = false;
};
ReciprocalPlot reciprocalPlot(const Analysis &analysis);

// Four significant digits in scientific notation with the exponent raised in the markup of the
// labels, "2.000 × 10^{-5}"; with a standard error, "(2.000 ± 0.013) × 10^{-5}". The mantissa is
// rounded once, so 9.9996e-6 reads 1.000 × 10^{-5}, not 10.000 × 10^{-6}. "—" when not finite.
std::string scientificMarkup(double value, double error = 0);

} // namespace enkin
