#pragma once

class QIcon;

namespace enkin {

// The program's icon, from its scalable artwork (the drawn PNG sizes are installed for the
// desktop's icon theme). main() sets it on the application so every window shows it.
QIcon enkinIcon();

} // namespace enkin
