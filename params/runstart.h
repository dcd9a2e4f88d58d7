// A run read from the run-input texts: the texts become numbers here, and only here.
#pragma once

#include "engine/integrate.h"

namespace enkin {

class RunInputs;

// Reads E0, ES0, S0, P0, kk1, kk2, kk3 and ttmax, in this order, with the leading-number parse.
RunStart readRunStart(const RunInputs &inputs);

// Reads the run inputs and integrates; returns the Maximum Time of the run. `report`, if given,
// receives how the run went.
double IntegrateTrajectory(const RunInputs &inputs, RateSet &rates, Trajectory &trajectory,
                           RunReport *report = nullptr);

} // namespace enkin
