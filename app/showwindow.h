#pragma once

#include <QPointer>
#include <QWidget>

namespace enkin
{

// Shows the secondary window held in `slot`, creating it first if it does not exist (never
// opened, or destroyed through its close box). Showing a window that is already open brings it
// forward instead of opening a second one. Returns at once: the window does not block its owner.
template <class W> W *showWindow(QPointer<W> &slot, QWidget *parent)
{
    if (!slot)
        slot = new W(parent);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}

} // namespace enkin
