// One main window over its own state, for the window tests: its controls by their names, its
// plot's pixels, its status bar, and the student's ways of typing and choosing.
#pragma once

#include "app/enkinform.h"
#include "lab/session.h"
#include "views/plotsurface.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

namespace enkin::testing {

constexpr QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), kBlue = qRgb(0, 0, 255),
               kRed = qRgb(255, 0, 0), kGrey = qRgb(128, 128, 128);

inline int countColour(const QImage &image, QRgb colour, QRect region = {})
{
    region = region.isNull() ? image.rect() : region & image.rect();
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// Whether `colour` is within 3 pixels of value y (of maxy) at time x (of the Maximum Time).
inline bool colourAt(const QImage &image, double x, double y, QRgb colour)
{
    const QPoint at(qRound(x * (image.width() - 1)), qRound((1 - y) * (image.height() - 1)));
    return countColour(image, colour, QRect(at - QPoint(3, 3), at + QPoint(3, 3))) > 0;
}

// One main window over its own state, with its controls looked up by their names.
struct Window {
    Session session;
    Module1 &state = session.state();
    EnkinForm form{session};

    template <class T = QWidget> T *get(const QString &name) { return form.findChild<T *>(name); }
    QImage image() { return get<PlotSurface>("Plot1")->image(); }
    bool blank() { return countColour(image(), kWhite) == image().width() * image().height(); }
    QScrollBar *slider() { return get<QScrollBar>("HScroll1"); }
    void choose(const QString &item) { get<QAction>(item)->trigger(); }
    QString message() { return form.statusBar()->currentMessage(); }
    QString read(const QString &names) // the boxes' and the lists' texts
    {
        QStringList shown;
        for (const QString &name : names.split(' '))
            shown << get(name)
                         ->property(get(name)->inherits("QComboBox") ? "currentText" : "text")
                         .toString();
        return shown.join(' ');
    }
    QString results() { return read("ttt EVal ESVal Vel SVal"); }
    void type(const QString &box, const QString &text) // as the student does: select all, type
    {
        get<QLineEdit>(box)->selectAll();
        QTest::keyClicks(get(box), text.isEmpty() ? QStringLiteral("\b") : text);
    }
    bool show() { return form.show(), QTest::qWaitForWindowActive(&form); }
};

} // namespace enkin::testing
