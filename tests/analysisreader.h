// What the Analysis window shows, read back by the names of its widgets.
#pragma once

#include <QChartView>
#include <QLabel>
#include <QXYSeries>

namespace enkin::testing {

inline QString text(const QWidget &window, const char *name)
{
    return window.findChild<QLabel *>(name)->text();
}

// The points of a chart's series named by its legend: 0 when hidden, -1 when there is none.
inline int points(const QWidget &window, const char *chart, const QString &series)
{
    for (QAbstractSeries *s : window.findChild<QChartView *>(chart)->chart()->series())
        if (s->name() == series)
            return s->isVisible() ? int(static_cast<QXYSeries *>(s)->count()) : 0;
    return -1;
}

} // namespace enkin::testing
