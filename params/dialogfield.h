// One field of the Initial Parameters dialog: a line edit at its design place with its quantity's
// label just left of it and its unit at the unit column, both centred on the field's row.
#pragma once

#include "params/runinputs.h"

class QLineEdit;
class QWidget;

namespace enkin {

class ScriptedLabel;

// The texts are the design's, untranslated; units and tips are translated in the dialog's
// context ("enkin::Parameters"), the tip in `tipContext`.
struct DialogFieldDesign {
    RunInput input;
    const char *label;          // the quantity, with its subscript
    const char *unit;           // the unit, with its exponents
    const char *accessibleUnit; // the unit as a screen reader says it
    const char *tooltip;
    const char *tipContext;
    int left, width, unitLeft, top; // twips
};

struct DialogField {
    QLineEdit *edit = nullptr;
    ScriptedLabel *label = nullptr;
};

// Makes the field bound to its run input, or, where an assignment hides the value, holding a
// question mark whose tip says so. A field that is not editable, or hidden, is disabled and
// keeps a readable text colour.
DialogField makeDialogField(QWidget *parent, RunInputs &inputs, const DialogFieldDesign &design,
                            bool editable, bool hidden);

} // namespace enkin
