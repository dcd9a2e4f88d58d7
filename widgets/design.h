// The design units and typefaces every window shares.
//
// Windows are laid out in twips, 1/1440 inch: 15 to a device-independent pixel, so Qt's scaling
// keeps the layout on high-DPI screens. The serif face is Times New Roman where it exists and the
// metric-compatible Liberation Serif elsewhere; boxes and buttons use the classic 8-point
// interface face, or Liberation Sans.
#pragma once

#include <QFont>
#include <QRect>

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

} // namespace enkin
