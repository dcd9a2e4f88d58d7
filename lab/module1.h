// The program's shared state, one instance for the life of the process: the run inputs, the
// rate constants and run they produce, and the data log.
#pragma once

#include "datalog/datalog.h"
#include "engine/kinetics.h"
#include "params/runinputs.h"

namespace enkin {

struct Module1 {
    RunInputs inputs;
    RateSet rateSet;
    Trajectory trajectory;
    DataLog dataLog;
};

} // namespace enkin
