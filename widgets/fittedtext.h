// A text box that always shows its whole text: when the text is wider than the box, its font
// shrinks until it fits, down to a least size; when it fits at the box's own size again, the size
// comes back. At the design values every text fits, so nothing changes there. A text too long even
// at the least size is shown whole in the box's tooltip. The leading digits stay in view: a text
// the program writes, and a typed one once the student leaves the box, show from their start.
#pragma once

class QLineEdit;

namespace enkin {

inline constexpr double kLeastFittedPointSize = 5;

// Keeps `box`'s text fitted from now on, at every change of its text and size. The font the box
// has now is its full size.
void keepTextFitted(QLineEdit *box);

// The width the text of `box` takes at its present font, and the room the box has for it.
int textAdvance(const QLineEdit *box);
int textRoom(const QLineEdit *box);

} // namespace enkin
