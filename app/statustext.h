// What the status bar says, in a student's words, for the notes of the bench's actions.
#pragma once

#include "lab/bench.h"

#include <QString>

namespace enkin {

// Empty for a normal run.
QString runMessage(const RunReport &report);
// Empty when the curves were drawn.
QString scaleMessage(DrawOutcome outcome);
// The text of one note, and of several joined by two blanks.
QString noteText(const Note &note);
QString notesText(const Notes &notes);

} // namespace enkin
