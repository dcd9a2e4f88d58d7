#include "datalog/analysiswindow.h"

#include "datalog/analysis.h"
#include "datalog/datalog.h"
#include "params/runinputs.h"

#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace enkin {

namespace {

// The plots are drawn in micromolar units: [S] of the exercise runs from 1 to 1000 uM and the
// velocities are near 1 uM/s, so the tick labels stay short. The summary gives molar values.
constexpr double kMicro = 1e6;
constexpr int kCurvePoints = 160;

const QString kMissingReadings =
    QStringLiteral("Accept readings at two or more different [S]0 values, each with a positive "
                   "velocity, to fit Km and Vmax.");

QString readingsText(int n)
{
    return n == 1 ? QStringLiteral("1 reading") : QStringLiteral("%1 readings").arg(n);
}

QString superscript(int exponent)
{
    static const QString digits = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString text = exponent < 0 ? QStringLiteral("⁻") : QString();
    for (const QChar c : QString::number(std::abs(exponent)))
        text += digits.at(c.digitValue());
    return text;
}

// Four significant digits in scientific notation, "2.000 × 10⁻⁵ M"; with a standard error,
// "(2.000 ± 0.013) × 10⁻⁵ M". The mantissa comes from printf's rounding, so 9.9996e-6 reads
// 1.000 × 10⁻⁵, not 10.000 × 10⁻⁶.
QString scientific(double value, const QString &unit, double error = 0)
{
    if (!std::isfinite(value))
        return QStringLiteral("—");
    const QString printed = QString::number(value, 'e', 3);
    const qsizetype e = printed.indexOf(QLatin1Char('e'));
    const QString mantissa = printed.left(e);
    const int exponent = printed.mid(e + 1).toInt();
    QString number = mantissa;
    if (error > 0 && std::isfinite(error)) {
        const QString spread = QString::number(error / std::pow(10.0, exponent), 'f', 3);
        number = QStringLiteral("%1 ± %2").arg(mantissa, spread);
        if (exponent != 0)
            number = QStringLiteral("(%1)").arg(number);
    }
    if (exponent != 0)
        number += QStringLiteral(" × 10") + superscript(exponent);
    return number + QLatin1Char(' ') + unit;
}

QValueAxis *makeAxis(const QString &title, const QString &objectName)
{
    auto *axis = new QValueAxis;
    axis->setObjectName(objectName);
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTickCount(6);
    axis->setMinorTickCount(1);
    return axis;
}

QScatterSeries *makeScatter(const QString &objectName, const QString &legend, QColor fill,
                            QColor border, qreal size,
                            QScatterSeries::MarkerShape shape = QScatterSeries::MarkerShapeCircle)
{
    auto *series = new QScatterSeries;
    series->setObjectName(objectName);
    series->setName(legend);
    series->setMarkerShape(shape);
    series->setColor(fill);
    series->setBorderColor(border);
    series->setMarkerSize(size);
    return series;
}

void attach(QChart *chart, QAbstractSeries *series, QValueAxis *x, QValueAxis *y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QChartView *makeChartView(QChart *chart, const QString &objectName, const QString &name,
                          const QString &description)
{
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto *view = new QChartView(chart);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(260, 300);
    view->setAccessibleName(name);
    view->setAccessibleDescription(description);
    return view;
}

// Sets a range that contains [lo, hi] and starts and ends on a tick, with ticks at 1, 2, 2.5 or 5
// times a power of ten and about four intervals, few enough for the labels of a narrow plot. Unlike
// QValueAxis::applyNiceNumbers it keeps a range that starts at 0 starting at 0. A range of no
// width, or one that is not finite, falls back to one of width 1 so that the axis never receives an
// invalid range.
void setNiceRange(QValueAxis *axis, double lo, double hi)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) {
        lo = std::isfinite(lo) ? lo : 0;
        hi = lo + 1;
    }
    const double raw = (hi - lo) / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    const double step = (f <= 1 ? 1 : f <= 2 ? 2 : f <= 2.5 ? 2.5 : f <= 5 ? 5 : 10) * magnitude;
    const double niceLo = std::floor(lo / step) * step;
    const double niceHi = std::ceil(hi / step) * step;
    const double intervals = std::round((niceHi - niceLo) / step);
    if (std::isfinite(niceLo) && std::isfinite(niceHi) && niceHi > niceLo && intervals <= 12) {
        axis->setRange(niceLo, niceHi);
        axis->setTickCount(static_cast<int>(intervals) + 1);
    } else {
        axis->setRange(lo, hi);
        axis->setTickCount(6);
    }
}

struct Bounds {
    double lo = 0;
    double hi = 0;
    void include(double x)
    {
        if (std::isfinite(x)) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    }
};

QList<QPointF> finitePoints(const QList<QPointF> &points)
{
    QList<QPointF> kept;
    for (const QPointF &p : points)
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            kept.append(p);
    return kept;
}

void hideFromLegend(QChart *chart, QAbstractSeries *series)
{
    for (QLegendMarker *marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

} // namespace

AnalysisWindow::AnalysisWindow(const DataLog &log, RunInputs &inputs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_log(log), m_inputs(inputs)
{
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("Analysis"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(QStringLiteral("Analysis"));
    setAccessibleDescription(
        QStringLiteral("Km and Vmax fitted to the accepted readings, with the velocity against "
                       "[S] and the double-reciprocal plot"));

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setAccessibleName(QStringLiteral("Readings used"));
    m_message->setAccessibleDescription(
        QStringLiteral("How many readings the fits use, and what is missing or left out"));

    m_michaelisView = createMichaelisChart();
    m_reciprocalView = createReciprocalChart();

    m_refreshButton = new QPushButton(QStringLiteral("&Refresh"));
    m_refreshButton->setObjectName(QStringLiteral("refreshButton"));
    m_refreshButton->setAccessibleName(QStringLiteral("Refresh"));
    m_refreshButton->setAccessibleDescription(
        QStringLiteral("Fit again to the readings of the log and the current parameters"));
    m_refreshButton->setToolTip(QStringLiteral("Fit again to the readings now in the log"));
    connect(m_refreshButton, &QPushButton::clicked, this, &AnalysisWindow::refresh);

    m_closeButton = new QPushButton(QStringLiteral("Close"));
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAccessibleName(QStringLiteral("Close"));
    m_closeButton->setAccessibleDescription(QStringLiteral("Hide the Analysis window"));
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::hide);

    auto *plots = new QHBoxLayout;
    plots->addWidget(m_michaelisView, 1);
    plots->addWidget(m_reciprocalView, 1);
    plots->addWidget(createSummary());

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_refreshButton);
    buttons->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(plots, 1);
    layout->addLayout(buttons);

    resize(1040, 540);
    refresh();
}

QChartView *AnalysisWindow::createMichaelisChart()
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Velocity against [S]"));
    m_sAxis = makeAxis(QStringLiteral("[S] (µM)"), QStringLiteral("sAxis"));
    m_vAxis = makeAxis(QStringLiteral("velocity (µM/s)"), QStringLiteral("velocityAxis"));
    chart->addAxis(m_sAxis, Qt::AlignBottom);
    chart->addAxis(m_vAxis, Qt::AlignLeft);

    m_curve = new QLineSeries;
    m_curve->setObjectName(QStringLiteral("fitCurve"));
    m_curve->setPen(QPen(QColor(0, 0, 255), 2));
    m_readings = makeScatter(QStringLiteral("readings"), QStringLiteral("readings"),
                             QColor(255, 0, 0), QColor(128, 0, 0), 9);
    m_leftOut =
        makeScatter(QStringLiteral("leftOut"), QStringLiteral("left out"), QColor(160, 160, 160),
                    QColor(96, 96, 96), 8, QScatterSeries::MarkerShapeRectangle);
    attach(chart, m_curve, m_sAxis, m_vAxis);
    attach(chart, m_readings, m_sAxis, m_vAxis);
    attach(chart, m_leftOut, m_sAxis, m_vAxis);

    return makeChartView(chart, QStringLiteral("michaelisChart"),
                         QStringLiteral("Velocity against [S]"),
                         QStringLiteral("The readings as points, velocity in µM/s against [S] in "
                                        "µM, with the fitted Michaelis-Menten hyperbola"));
}

QChartView *AnalysisWindow::createReciprocalChart()
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Double-reciprocal plot"));
    m_inverseSAxis = makeAxis(QStringLiteral("1/[S] (1/µM)"), QStringLiteral("inverseSAxis"));
    m_inverseVAxis =
        makeAxis(QStringLiteral("1/velocity (s/µM)"), QStringLiteral("inverseVelocityAxis"));
    chart->addAxis(m_inverseSAxis, Qt::AlignBottom);
    chart->addAxis(m_inverseVAxis, Qt::AlignLeft);

    const QPen zeroPen(QColor(128, 128, 128), 1);
    m_zeroX = new QLineSeries;
    m_zeroX->setObjectName(QStringLiteral("zeroInverseS"));
    m_zeroX->setPen(zeroPen);
    m_zeroY = new QLineSeries;
    m_zeroY->setObjectName(QStringLiteral("zeroInverseVelocity"));
    m_zeroY->setPen(zeroPen);
    m_reciprocalLine = new QLineSeries;
    m_reciprocalLine->setObjectName(QStringLiteral("reciprocalLine"));
    m_reciprocalLine->setName(QStringLiteral("line"));
    m_reciprocalLine->setPen(QPen(QColor(0, 0, 255), 2));
    m_reciprocalPoints = makeScatter(QStringLiteral("reciprocalPoints"), QStringLiteral("readings"),
                                     QColor(255, 0, 0), QColor(128, 0, 0), 9);
    m_intercepts = makeScatter(QStringLiteral("intercepts"), QStringLiteral("−1/Km, 1/Vmax"),
                               Qt::black, Qt::black, 7, QScatterSeries::MarkerShapeRectangle);
    attach(chart, m_zeroX, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_zeroY, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_reciprocalLine, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_reciprocalPoints, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_intercepts, m_inverseSAxis, m_inverseVAxis);
    hideFromLegend(chart, m_zeroX);
    hideFromLegend(chart, m_zeroY);

    return makeChartView(chart, QStringLiteral("reciprocalChart"),
                         QStringLiteral("Double-reciprocal plot"),
                         QStringLiteral("1/velocity in s/µM against 1/[S] in 1/µM for the usable "
                                        "readings, with the least-squares line, which meets the "
                                        "axes at -1/Km and 1/Vmax"));
}

AnalysisWindow::ValueRow AnalysisWindow::addSummarySection(QGridLayout *grid,
                                                           const QString &heading,
                                                           const QString &objectPrefix,
                                                           const QString &source)
{
    const int row = grid->rowCount();
    auto *title = new QLabel(QStringLiteral("<b>%1</b>").arg(heading.toHtmlEscaped()));
    title->setObjectName(objectPrefix + QStringLiteral("Heading"));
    title->setAccessibleName(heading);
    title->setAccessibleDescription(QStringLiteral("Heading of the values %1").arg(source));
    title->setWordWrap(true);
    grid->addWidget(title, row, 0, 1, 2);

    ValueRow values;
    const auto addValue = [&](const QString &quantity, int r) {
        auto *name = new QLabel(quantity);
        name->setObjectName(objectPrefix + quantity + QStringLiteral("Label"));
        name->setAccessibleName(quantity);
        name->setAccessibleDescription(QStringLiteral("Label of %1 %2").arg(quantity, source));
        auto *value = new QLabel;
        value->setObjectName(objectPrefix + quantity);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setAccessibleName(QStringLiteral("%1 %2").arg(quantity, source));
        value->setAccessibleDescription(
            QStringLiteral("%1 %2, in molar units").arg(quantity, source));
        name->setBuddy(value);
        grid->addWidget(name, r, 0);
        grid->addWidget(value, r, 1);
        return value;
    };
    values.km = addValue(QStringLiteral("Km"), row + 1);
    values.vmax = addValue(QStringLiteral("Vmax"), row + 2);

    values.note = new QLabel;
    values.note->setObjectName(objectPrefix + QStringLiteral("Note"));
    values.note->setWordWrap(true);
    values.note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    values.note->setAccessibleName(QStringLiteral("About the values %1").arg(source));
    values.note->setAccessibleDescription(
        QStringLiteral("How the values %1 were found, or why there are none").arg(source));
    QFont small = values.note->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    values.note->setFont(small);
    grid->addWidget(values.note, row + 3, 0, 1, 2);
    grid->setRowMinimumHeight(row + 4, 8);
    return values;
}

QWidget *AnalysisWindow::createSummary()
{
    auto *summary = new QFrame;
    summary->setObjectName(QStringLiteral("fitSummary"));
    summary->setFrameShape(QFrame::StyledPanel);
    summary->setAccessibleName(QStringLiteral("Km and Vmax"));
    summary->setAccessibleDescription(
        QStringLiteral("Km and Vmax from the double-reciprocal line, from a direct fit of the "
                       "hyperbola and from the current rate constants"));
    summary->setFixedWidth(270);

    auto *grid = new QGridLayout(summary);
    grid->setColumnStretch(1, 1);
    m_lineRow = addSummarySection(grid, QStringLiteral("From the double-reciprocal line"),
                                  QStringLiteral("line"),
                                  QStringLiteral("from the double-reciprocal line"));
    m_curveRow = addSummarySection(grid, QStringLiteral("From a direct fit of the hyperbola"),
                                   QStringLiteral("curve"),
                                   QStringLiteral("from the direct fit of the hyperbola"));
    m_theoryRow = addSummarySection(grid, QStringLiteral("From the current parameters"),
                                    QStringLiteral("theory"),
                                    QStringLiteral("from the current rate constants"));
    grid->setRowStretch(grid->rowCount(), 1);
    return summary;
}

void AnalysisWindow::refresh()
{
    const std::vector<Reading> readings = readingsFromLog(m_log);
    const Analysis analysis = analyseReadings(readings);
    const double k1 = m_inputs.number(RunInput::kk1);
    const TheoreticalConstants theory =
        theoreticalConstants(k1, m_inputs.number(RunInput::kk2), m_inputs.number(RunInput::kk3),
                             m_inputs.number(RunInput::E0), m_inputs.number(RunInput::ES0));

    showMessage(analysis, static_cast<int>(readings.size()));
    showMichaelisPlot(analysis);
    showReciprocalPlot(analysis);
    showSummary(analysis, theory, k1);
}

void AnalysisWindow::showMessage(const Analysis &analysis, int readingCount)
{
    const ReadingSelection &selection = analysis.selection;
    const int usable = static_cast<int>(selection.usable.size());
    const int leftOut = static_cast<int>(selection.leftOut.size());

    QString text;
    if (readingCount == 0) {
        text = QStringLiteral("The log holds no readings. ") + kMissingReadings;
    } else if (selection.distinctS < 2) {
        text = kMissingReadings + QStringLiteral(" Usable now: %1 of %2, at %3 different [S].")
                                      .arg(usable)
                                      .arg(readingCount)
                                      .arg(selection.distinctS);
    } else {
        text = QStringLiteral("Using %1 at %2 different [S].")
                   .arg(readingsText(usable))
                   .arg(selection.distinctS);
    }
    if (leftOut > 0)
        text += QStringLiteral(" Left out: %1 with a zero or negative [S] or velocity.")
                    .arg(readingsText(leftOut));
    m_message->setText(text);
}

void AnalysisWindow::showMichaelisPlot(const Analysis &analysis)
{
    QList<QPointF> used;
    for (const Reading &r : analysis.selection.usable)
        used.append(QPointF(r.s * kMicro, r.v * kMicro));
    used = finitePoints(used);
    QList<QPointF> leftOut;
    for (const Reading &r : analysis.selection.leftOut)
        leftOut.append(QPointF(r.s * kMicro, r.v * kMicro));
    leftOut = finitePoints(leftOut);
    m_readings->replace(used);
    m_leftOut->replace(leftOut);
    m_leftOut->setVisible(!leftOut.isEmpty());

    Bounds x, y;
    for (const QPointF &p : used + leftOut) {
        x.include(p.x());
        y.include(p.y());
    }
    // Room to the right of the largest [S], so that the curve visibly goes on rising there.
    setNiceRange(m_sAxis, x.lo, x.hi + 0.1 * (x.hi - x.lo));

    // The direct fit is the better estimate; the line's values stand in when it failed.
    double km = 0, vmax = 0;
    QString curveName;
    if (analysis.curve.status == FitStatus::Ok) {
        km = analysis.curve.km;
        vmax = analysis.curve.vmax;
        curveName = QStringLiteral("direct fit");
    } else if (analysis.line.status == FitStatus::Ok) {
        km = analysis.line.km;
        vmax = analysis.line.vmax;
        curveName = QStringLiteral("from the line");
    }
    QList<QPointF> curve;
    if (vmax > 0) {
        const double end = m_sAxis->max();
        for (int i = 0; i <= kCurvePoints; ++i) {
            const double s = end * i / kCurvePoints;
            curve.append(QPointF(s, vmax * kMicro * s / (km * kMicro + s)));
        }
        curve = finitePoints(curve);
    }
    m_curve->replace(curve);
    m_curve->setName(curveName);
    m_curve->setVisible(!curve.isEmpty());
    for (const QPointF &p : curve)
        y.include(p.y());
    setNiceRange(m_vAxis, y.lo, y.hi + 0.05 * (y.hi - y.lo));
}

void AnalysisWindow::showReciprocalPlot(const Analysis &analysis)
{
    QList<QPointF> points;
    for (const Reading &r : analysis.selection.usable)
        points.append(QPointF(1 / (r.s * kMicro), 1 / (r.v * kMicro)));
    points = finitePoints(points);
    m_reciprocalPoints->replace(points);

    Bounds x, y;
    double dataLeft = std::numeric_limits<double>::infinity();
    for (const QPointF &p : points) {
        x.include(p.x());
        y.include(p.y());
        dataLeft = std::min(dataLeft, p.x());
    }

    // In plot units the line is 1/v = slope (1/[S]) + intercept / 1e6, the slope unchanged.
    const ReciprocalFit &line = analysis.line;
    QList<QPointF> lineEnds, intercepts;
    if (line.hasLine && !points.isEmpty()) {
        const double slope = line.slope;
        const double intercept = line.intercept / kMicro;
        const auto at = [&](double u) { return QPointF(u, slope * u + intercept); };
        if (line.status == FitStatus::Ok) {
            // Carry the line left to 1/[S] = 0, where 1/Vmax is read, and on to -1/Km when that
            // lies no further left than the readings reach right: a Km much below the smallest
            // [S] would squeeze the readings into a corner.
            // The crossings are set, not computed from the line, whose rounding would put
            // -1/Km a hair below zero and stretch the axis down a whole tick.
            const double xKm = -1 / (line.km * kMicro);
            const bool toKm = -xKm <= x.hi;
            lineEnds = {toKm ? QPointF(xKm, 0) : QPointF(0, intercept), at(x.hi)};
            intercepts.append(QPointF(0, intercept));
            if (toKm)
                intercepts.append(QPointF(xKm, 0));
        } else {
            lineEnds = {at(dataLeft), at(x.hi)};
        }
        lineEnds = finitePoints(lineEnds);
        intercepts = finitePoints(intercepts);
    }
    m_reciprocalLine->replace(lineEnds);
    m_reciprocalLine->setVisible(!lineEnds.isEmpty());
    m_intercepts->replace(intercepts);
    m_intercepts->setVisible(!intercepts.isEmpty());
    for (const QPointF &p : lineEnds + intercepts) {
        x.include(p.x());
        y.include(p.y());
    }

    // Markers at 1/[S] = 0 and 1/v = 0 must not sit on the edge of the plot, half hidden.
    const double xPad = 0.05 * (x.hi - x.lo);
    setNiceRange(m_inverseSAxis, x.lo < 0 || !intercepts.isEmpty() ? x.lo - xPad : x.lo,
                 x.hi + xPad);
    const double yPad = 0.05 * (y.hi - y.lo);
    setNiceRange(m_inverseVAxis, y.lo < 0 || intercepts.size() > 1 ? y.lo - yPad : y.lo,
                 y.hi + yPad);

    // The axes are drawn at the edges of the plot; where a range reaches below zero, a grey line
    // marks zero so that the intercepts are seen on it.
    const bool showZeroX = m_inverseSAxis->min() < 0;
    const bool showZeroY = m_inverseVAxis->min() < 0;
    m_zeroX->replace(showZeroX ? QList<QPointF>{QPointF(0, m_inverseVAxis->min()),
                                                QPointF(0, m_inverseVAxis->max())}
                               : QList<QPointF>{});
    m_zeroY->replace(showZeroY ? QList<QPointF>{QPointF(m_inverseSAxis->min(), 0),
                                                QPointF(m_inverseSAxis->max(), 0)}
                               : QList<QPointF>{});
    m_zeroX->setVisible(showZeroX);
    m_zeroY->setVisible(showZeroY);
    hideFromLegend(m_reciprocalView->chart(), m_zeroX);
    hideFromLegend(m_reciprocalView->chart(), m_zeroY);
}

void AnalysisWindow::showSummary(const Analysis &analysis, const TheoreticalConstants &theory,
                                 double k1)
{
    const QString none = QStringLiteral("—");
    const QString tooFew = QStringLiteral("Needs readings at two or more different [S].");

    const ReciprocalFit &line = analysis.line;
    const bool lineOk = line.status == FitStatus::Ok;
    m_lineRow.km->setText(lineOk ? scientific(line.km, QStringLiteral("M")) : none);
    m_lineRow.vmax->setText(lineOk ? scientific(line.vmax, QStringLiteral("M/s")) : none);
    QString lineNote;
    if (line.status == FitStatus::TooFewReadings) {
        lineNote = tooFew;
    } else if (!line.hasLine) {
        lineNote = QStringLiteral("The reciprocals are out of range: no line.");
    } else {
        lineNote = QStringLiteral("1/v = m/[S] + b with m = %1, b = %2, r² = %3.")
                       .arg(scientific(line.slope, QStringLiteral("s")),
                            scientific(line.intercept, QStringLiteral("s/M")),
                            QString::number(line.rSquared, 'f', 4));
        if (lineOk)
            lineNote += QStringLiteral(" Km = m/b, Vmax = 1/b.");
        else if (!(line.intercept > 0))
            lineNote += QStringLiteral(" The intercept is not positive, so the line gives no "
                                       "meaningful Km or Vmax.");
        else
            lineNote += QStringLiteral(" The slope is not positive, so the line gives no "
                                       "meaningful Km or Vmax.");
    }
    m_lineRow.note->setText(lineNote);

    const HyperbolaFit &curve = analysis.curve;
    const bool curveOk = curve.status == FitStatus::Ok;
    m_curveRow.km->setText(curveOk ? scientific(curve.km, QStringLiteral("M"), curve.kmError)
                                   : none);
    m_curveRow.vmax->setText(
        curveOk ? scientific(curve.vmax, QStringLiteral("M/s"), curve.vmaxError) : none);
    QString curveNote;
    switch (curve.status) {
    case FitStatus::Ok:
        curveNote =
            QStringLiteral("Least squares on the velocities, %1 iterations").arg(curve.iterations);
        curveNote += curve.kmError > 0 ? QStringLiteral("; ± one standard error.")
                                       : QStringLiteral("; the curve passes through the readings.");
        break;
    case FitStatus::TooFewReadings:
        curveNote = tooFew;
        break;
    case FitStatus::NotMeaningful:
        curveNote = QStringLiteral("The best curve has a Km or Vmax that is not positive: the "
                                   "readings do not follow the hyperbola.");
        break;
    case FitStatus::NotConverged:
        curveNote =
            QStringLiteral("The fit did not converge: the readings do not fix Km and Vmax.");
        break;
    }
    m_curveRow.note->setText(curveNote);

    m_theoryRow.km->setText(theory.kmDefined ? scientific(theory.km, QStringLiteral("M"))
                                             : QStringLiteral("undefined"));
    m_theoryRow.vmax->setText(theory.vmaxDefined ? scientific(theory.vmax, QStringLiteral("M/s"))
                                                 : QStringLiteral("undefined"));
    QString theoryNote = QStringLiteral("Km = (k-1 + k2)/k1, Vmax = k2([E]0 + [ES]0).");
    if (!theory.kmDefined)
        theoryNote += k1 == 0 ? QStringLiteral(" With k1 = 0 no ES forms, and Km is undefined.")
                              : QStringLiteral(" Km is out of the range of numbers.");
    theoryNote += QStringLiteral(" Readings taken with other parameters will not agree.");
    m_theoryRow.note->setText(theoryNote);
}

} // namespace enkin
