#pragma once

class QIcon;

namespace enkin {

// The program's icon: the hand-drawn sizes from 16 to 256 pixels, and the scalable artwork rendered
// larger for high-density screens. main() sets it on the application so every window shows it.
QIcon enkinIcon();

} // namespace enkin
