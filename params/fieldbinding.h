// Binds a line edit to one run-input text, so the box and the store always hold the same text:
// typing writes the store, and a text set by code shows in the box at once.
#pragma once

#include "params/runinputs.h"

class QLineEdit;

namespace enkin {

void bindField(QLineEdit *edit, RunInputs &inputs, RunInput input);

} // namespace enkin
