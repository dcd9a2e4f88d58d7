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
    Inhibitor &in = start.inhibitor;
    in.i0 = inputs.number(RunInput::I0);
    in.k3 = inputs.number(RunInput::kk4);
    in.kminus3 = inputs.number(RunInput::kk5);
    in.k4 = inputs.number(RunInput::kk6);
    in.kminus4 = inputs.number(RunInput::kk7);
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
