// A label with raised and lowered parts, written "k_{-1}" or "x 10^{8} M^{-1} sec^{-1}": the base
// text in 9.75 point, the parts in 8.25 point on baselines of their own. Rich-text <sub> and
// <sup> would shrink the parts by another third, and "-1" would no longer be legible.
//
// The same markup is the one way every window writes a raised or lowered part; scriptsToHtml
// turns it into rich text for the places that take only text (chart titles and axis labels).
#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QWidget>

namespace enkin {

class ScriptedLabel : public QWidget {
public:
    ScriptedLabel(const QString &markup, Qt::Alignment align, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    struct Run {
        QString text;
        int shift; // 1 raised, -1 lowered, 0 on the baseline
    };
    struct Extent {
        qreal width = 0, above = 0, below = 0;
    };

    qreal offset(int shift) const;
    Extent extent() const;

    QList<Run> m_runs;
    QFont m_base, m_small;
    Qt::Alignment m_align;
};

// One part of a markup text: its text and 1 raised, -1 lowered, 0 on the baseline.
struct ScriptRun {
    QString text;
    int shift = 0;
};
QList<ScriptRun> parseScripts(const QString &markup);

// "x 10^{-5} M" as "x 10<sup>-5</sup> M", the text itself HTML-escaped.
QString scriptsToHtml(const QString &markup);

// "x 10^{-5} M" as "x 10^-5 M", the form screen readers get.
QString scriptsToPlain(const QString &markup);

// The plain text of rich text made with scriptsToHtml, raised parts written "^-5" as in
// scriptsToPlain: what a screen reader gets of a label that shows powers of ten.
QString htmlToPlain(QString html);

} // namespace enkin
