// What the status bar says when a run or a drawing did not go as asked, in a student's words.
#pragma once

#include "engine/integrate.h"
#include "views/readout.h"

#include <QString>

namespace enkin {

// Empty for a normal run.
QString runMessage(const RunReport &report);
// Empty when the curves were drawn.
QString scaleMessage(DrawOutcome outcome);

} // namespace enkin
