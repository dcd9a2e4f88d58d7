// The role assistive technology sees for the program's secondary windows.
#pragma once

namespace enkin {

// Makes every top-level window of the program's own classes a window (or, for the Initial
// Parameters dialog, a dialog) to assistive technology; a plain QWidget window is otherwise a
// "client" area without a window of its own. Safe to call more than once.
void installWindowRoles();

} // namespace enkin
