// Drawing a run on the plot surface.
#pragma once

#include "engine/kinetics.h"
#include "views/readout.h"

namespace enkin {

class PlotSurface;

// Scales the surface to (0, ymax)-(tmax, 0) and draws [E] in the foreground colour, [ES] in
// palette colour 9 and [P] in palette colour 12, and with `inhibited` the inhibited enzyme [EI] +
// [ESI] in kInhibitedColour, each as a polyline through grid points 1..lastValid begun with a
// point in the foreground colour. A point that cannot be passed in single precision is skipped:
// the polyline breaks there and resumes at the next drawable point.
DrawOutcome DrawTrajectory(PlotSurface &surface, const Trajectory &trajectory, double tmax,
                           double ymax, int lastValid = Trajectory::kLast, bool inhibited = false);

// The inhibited enzyme's curve and key line: palette colour 2, green.
inline constexpr int kInhibitedColour = 2;

// The grey guide line from (t, 0) to (t, ymax).
void drawGuideLine(PlotSurface &surface, double t, double ymax);

} // namespace enkin
