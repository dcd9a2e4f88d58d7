#include "params/runstart.h"

#include "params/runinputs.h"

namespace enkin {

RunStart readRunStart(const RunInputs &inputs)
{
    RunStart start;
    start.e0 = inputs.number(RunInput::E0);
    start.es0 = inputs.number(RunInput::ES0);
    start.s0 = inputs.number(RunInput::S0);
    start.p0 = inputs.number(RunInput::P0);
    start.k1 = inputs.number(RunInput::kk1);
    start.k2 = inputs.number(RunInput::kk2);
    start.kminus1 = inputs.number(RunInput::kk3);
    start.tmax = inputs.number(RunInput::ttmax);
    return start;
}

double IntegrateTrajectory(const RunInputs &inputs, RateSet &rates, Trajectory &trajectory,
                           RunReport *report)
{
    const RunStart start = readRunStart(inputs);
    const RunReport outcome = integrateRun(start, rates, trajectory);
    if (report)
        *report = outcome;
    return outcome.start.tmax;
}

} // namespace enkin
