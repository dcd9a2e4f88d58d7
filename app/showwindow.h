#pragma once

#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <type_traits>
#include <utility>

namespace enkin {

// Makes a window that is about to open no larger than the free area of its screen, room left for
// the frame, and no smaller than its layout allows: at a large interface scale its buttons stay
// on the screen.
inline void fitToScreen(QWidget *window)
{
    const QWidget *owner = window->parentWidget() ? window->parentWidget() : window;
    const QScreen *screen = owner->screen();
    if (!screen)
        return;
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSizeHint()));
}

// Shows a window that exists, or brings it forward.
template <class W> W *showWindow(W *window)
{
    if (!window->isVisible())
        fitToScreen(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

// Shows the secondary window held in `slot`, creating it first if it does not exist (never
// opened, or destroyed through its close box) as W(args..., parent). Showing a window that is
// already open brings it forward instead of opening a second one. Returns at once: the window
// does not block its owner.
//
// A window whose constructor needs more than the given arguments may be created by the caller
// beforehand; showWindow() then only shows it.
template <class W, class... Args> W *showWindow(QPointer<W> &slot, QWidget *parent, Args &&...args)
{
    if constexpr (std::is_constructible_v<W, Args..., QWidget *>) {
        if (!slot)
            slot = new W(std::forward<Args>(args)..., parent);
    } else {
        Q_ASSERT_X(slot, "showWindow", "this window must be created by the caller");
    }
    return showWindow(slot.data());
}

} // namespace enkin
