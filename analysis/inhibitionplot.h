// What the Analysis window plots for a group measured at several [I]0, as plain values.
//
// Each of the four method tabs draws a family: the readings at each [I]0 with the method's curve
// or line fitted to them alone, whose pattern shows the type of inhibition (on the double-
// reciprocal plot, lines that meet on the 1/v axis for competitive inhibition, parallel lines for
// uncompetitive, lines that meet left of it for mixed). The fifth tab plots against [I]0 instead:
// 1/v (Dixon) and [S]0/v (Cornish-Bowden), one line per [S]0 from the law chosen by the global
// fit, as both are straight lines in [I] under each of the three laws.
#pragma once

#include "analysis/analysisplot.h"

#include <vector>

namespace enkin {

// Km (1 + [I]/Ki) / (1 + [I]/αKi) and Vmax / (1 + [I]/αKi): the Km and Vmax that a hyperbola
// through readings at [I] shows, for the true constants of `group`.
TheoreticalConstants apparentConstants(const ReadingGroup &group, double i);

// The readings of a group at one [I]0, fitted on their own by the four methods. `group` holds the
// members at that level, with the apparent Km and Vmax as its truth.
struct LevelFit {
    double i0 = 0; // M
    ReadingGroup group;
    GroupFit fit;
};

// `fit` is the group's fit (fitGroup), whose readings with their simulated error are split by
// [I]0; one LevelFit per level, ascending.
std::vector<LevelFit> levelFits(const Study &study, int group, const GroupFit &fit,
                                ErrorModel model);

// A method's plot of each level, on axes common to all of them. The lines run over one range of x,
// from the leftmost crossing of any to the rightmost reading, so that they meet where they meet;
// an Eadie-Hofstee line from the v axis to the v/[S] axis.
struct FamilyPlot {
    std::vector<MethodPlot> levels;
    AxisRange x, y, residual;
    bool zeroX = false, zeroY = false;
};
FamilyPlot familyPlot(Method method, const std::vector<LevelFit> &levels);

// The readings at one [S]0 against [I]0 in µM, with the chosen law's line through them.
struct SubstrateSeries {
    double s0 = 0; // M
    PlotPoints used, leftOut, line;
};

// Dixon: 1/v in s/µM; Cornish-Bowden: [S]0/v in s; both against [I]0 in µM. The lines reach left
// to where those of mixed inhibition meet, [I] = -Ki (Dixon) or -αKi (Cornish-Bowden), when that
// lies no further left than the readings reach right. No lines when no law was chosen.
enum class InhibitorPlot { Dixon, CornishBowden };
struct SubstratePlot {
    std::vector<SubstrateSeries> lines; // by [S]0, ascending
    AxisRange x, y;
    bool zeroX = false, zeroY = false;
};
SubstratePlot substratePlot(InhibitorPlot kind, const Study &study, int group, const GroupFit &fit,
                            const InhibitionStudy &laws);

} // namespace enkin
