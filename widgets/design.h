// The design units and typefaces every window shares.
//
// Windows are laid out in twips, 1/1440 inch: 15 to a device-independent pixel, so Qt's scaling
// keeps the layout on high-DPI screens. The serif face is Times New Roman where it exists and the
// metric-compatible Liberation Serif elsewhere; boxes and buttons use the classic 8-point
// interface face, or Liberation Sans.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPushButton>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace enkin {

// The longest text a box takes. No number needs more than a few dozen characters (the longest
// general-format text is 22); a limit keeps a large paste from being held, laid out and kept in
// the box's undo history for the rest of the session.
inline constexpr int kLongestBoxText = 64;

inline int px(int twips)
{
    return qRound(twips / 15.0);
}

inline QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

inline QFont serifFont(qreal points, bool bold = true)
{
    QFont f;
    f.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

inline QFont interfaceFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(8.25);
    return f;
}

// WCAG contrast ratio of two colours, 1 (none) to 21 (black on white).
inline double contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Whether the window background of a palette is dark (a dark desktop theme).
inline bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

// The headings' blue: the designed (0, 0, 192) on a light window; on a dark one a light blue
// that keeps a contrast of at least 4.5:1.
inline QColor headingColour(const QPalette &palette)
{
    return isDark(palette) ? QColor(140, 170, 255) : QColor(0, 0, 192);
}

// A colour of the colour key or a drawn line as it must look on the window background: the
// designed colour on a light window; on a dark one black becomes the window text colour and a
// colour too dark to see is lightened.
inline QColor onWindow(const QColor &designed, const QPalette &palette)
{
    if (!isDark(palette))
        return designed;
    if (designed == QColor(Qt::black))
        return palette.color(QPalette::WindowText);
    QColor c = designed;
    for (int i = 0; i < 10 && contrastRatio(c, palette.color(QPalette::Window)) < 4.5; ++i)
        c = c.lighter(140);
    return c;
}

// The text colour of a field that is disabled but still read (the dialog's k2 and [S]): greyer
// than the enabled text, so it looks disabled, but at 4.5:1 or more against its background.
inline QColor readableDisabledText(const QPalette &palette)
{
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor base = palette.color(QPalette::Disabled, QPalette::Base);
    for (double towardBase = 0.4; towardBase > 0; towardBase -= 0.05) {
        const QColor c =
            QColor::fromRgbF(float(text.redF() + (base.redF() - text.redF()) * towardBase),
                             float(text.greenF() + (base.greenF() - text.greenF()) * towardBase),
                             float(text.blueF() + (base.blueF() - text.blueF()) * towardBase));
        if (contrastRatio(c, base) >= 4.5)
            return c;
    }
    return text;
}

// A button at its design geometry, widened about its centre and heightened where the caption's
// size hint (a larger desktop font, a longer translation) needs more room: upwards, so that its
// lower edge stays within the window.
inline void placeButton(QPushButton *button, QRect design)
{
    const QSize hint = button->sizeHint();
    const int wider = std::max(0, hint.width() - design.width());
    const int taller = std::max(0, hint.height() - design.height());
    button->setGeometry(design.adjusted(-wider / 2, -taller, wider - wider / 2, 0));
}

// Buttons side by side, left to right, each placed as placeButton does; where a widened button
// would run into its neighbour, the row spreads apart, and it moves left as far as needed to
// end inside `width`.
inline void placeButtonRow(std::initializer_list<std::pair<QPushButton *, QRect>> row, int width)
{
    constexpr int gap = 4;
    int right = -gap, shiftLeft = 0;
    for (const auto &[button, design] : row) {
        placeButton(button, design);
        if (button->x() < right + gap)
            button->move(right + gap, button->y());
        right = button->geometry().right() + 1;
    }
    shiftLeft = std::min(std::max(0, right - (width - gap)), row.begin()->first->x() - gap);
    for (const auto &entry : row)
        entry.first->move(entry.first->x() - shiftLeft, entry.first->y());
}

} // namespace enkin
