// What the status bar says, in a student's words, for the notes of the session's actions.
//
// Each note has a short form, with the point and the number a student needs first, that fits the
// status bar at the window's design width, and a full form for the status bar's tooltip.
#pragma once

#include "lab/session.h"

#include <QString>

namespace enkin {

struct StatusText {
    QString shown; // short forms, joined by two blanks
    QString full;  // full forms, one a line
};

StatusText noteText(const Note &note);
StatusText notesText(const Notes &notes);

} // namespace enkin
