// Binds a line edit to one run-input text, so the box and the store always hold the same text:
// any change of the box's text writes the store, and a text set in the store shows in the box
// at once.
#pragma once

#include "params/runinputs.h"

class QLineEdit;

namespace enkin {

void bindField(QLineEdit *edit, RunInputs &inputs, RunInput input);

} // namespace enkin
