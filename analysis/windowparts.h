// What the Analysis window's files share: numbers in its rich texts, in the desktop's decimal sign
// with the raised powers of ten of the markup, and the plain plots handed to Qt Charts.
#pragma once

#include "analysis/analysisplot.h"
#include "widgets/scriptedlabel.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QList>
#include <QLocale>
#include <QPointF>
#include <QString>
#include <QValueAxis>

#include <cmath>
#include <optional>

namespace enkin::windowparts {

// The markup's numbers with the desktop's decimal sign.
inline QString html(const std::string &markup)
{
    return scriptsToHtml(
        QString::fromStdString(markup).replace(QLatin1Char('.'), QLocale().decimalPoint()));
}

// A number in the desktop's decimal sign, without group separators: "1000", "0,25".
inline QString number(double value, char format = 'g', int precision = 6)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, format, precision);
}

// A fitted value in the power of ten of its true value, when that is known.
inline std::optional<int> truePower(bool known, double truth)
{
    return known && std::isfinite(truth) && truth != 0 ? std::optional(scientificPower(truth))
                                                       : std::nullopt;
}

// A number of the results, kept on one line: "(2.004 ± 0.021) × 10<sup>-5</sup>".
inline QString unbroken(const std::string &markup)
{
    return html(markup).replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

inline QList<QPointF> toQt(const PlotPoints &points)
{
    QList<QPointF> list;
    list.reserve(qsizetype(points.size()));
    for (const PlotPoint &p : points)
        list.append(QPointF(p.x, p.y));
    return list;
}

// Ticks counted from zero where the range holds it: counted from the range's end, the one at zero
// could read 1.388e-17.
inline void setRange(QValueAxis *axis, const AxisRange &range)
{
    // Fixed while the range changes: a dynamic axis would lay out the new range in the old
    // interval, which could be millions of ticks.
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(range.lo, range.hi);
    axis->setTickCount(range.ticks);
    const double interval = range.ticks > 1 ? (range.hi - range.lo) / (range.ticks - 1) : 0;
    if (range.lo < 0 && range.hi > 0 && interval > 0 && std::isfinite(interval)) {
        axis->setTickAnchor(0);
        axis->setTickInterval(interval);
        axis->setTickType(QValueAxis::TicksDynamic);
    }
}

// Showing a series shows its legend marker again: hide it after.
inline void hideFromLegend(QChart *chart, QAbstractSeries *series)
{
    for (QLegendMarker *marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

} // namespace enkin::windowparts
