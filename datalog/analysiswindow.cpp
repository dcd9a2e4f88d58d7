#include "datalog/analysiswindow.h"

#include "datalog/analysis.h"
#include "datalog/analysisplot.h"
#include "datalog/datalog.h"
#include "params/runinputs.h"
#include "widgets/scriptedlabel.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QShortcut>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace enkin {

namespace {

QList<QPointF> toQt(const PlotPoints &points)
{
    QList<QPointF> list;
    list.reserve(qsizetype(points.size()));
    for (const PlotPoint &p : points)
        list.append(QPointF(p.x, p.y));
    return list;
}

void setRange(QValueAxis *axis, const AxisRange &range)
{
    axis->setRange(range.lo, range.hi);
    axis->setTickCount(range.ticks);
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
    setWindowTitle(tr("Analysis"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(tr("Analysis"));
    setAccessibleDescription(
        tr("Km and Vmax fitted to the accepted readings, with the velocity against "
           "[S] and the double-reciprocal plot"));

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setAccessibleDescription(
        tr("How many readings the fits use, and what is missing or left out"));

    m_michaelisView = createMichaelisChart();
    m_reciprocalView = createReciprocalChart();

    m_refreshButton = new QPushButton(tr("&Refresh"));
    m_refreshButton->setObjectName(QStringLiteral("refreshButton"));
    m_refreshButton->setAccessibleName(tr("Refresh"));
    m_refreshButton->setAccessibleDescription(
        tr("Fit again to the readings of the log and the current parameters"));
    m_refreshButton->setToolTip(tr("Fit again to the readings now in the log"));
    connect(m_refreshButton, &QPushButton::clicked, this, &AnalysisWindow::refresh);

    m_closeButton = new QPushButton(tr("Close"));
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAccessibleName(tr("Close"));
    m_closeButton->setAccessibleDescription(tr("Hide the Analysis window"));
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::hide);
    // Esc closes the window the way Close does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::hide);

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
    chart->setTitle(tr("Velocity against [S]"));
    m_sAxis = makeAxis(tr("[S] (µM)"), QStringLiteral("sAxis"));
    m_vAxis = makeAxis(tr("velocity (µM/s)"), QStringLiteral("velocityAxis"));
    chart->addAxis(m_sAxis, Qt::AlignBottom);
    chart->addAxis(m_vAxis, Qt::AlignLeft);

    m_curve = new QLineSeries;
    m_curve->setObjectName(QStringLiteral("fitCurve"));
    m_curve->setPen(QPen(QColor(0, 0, 255), 2));
    m_readings = makeScatter(QStringLiteral("readings"), tr("readings"), QColor(255, 0, 0),
                             QColor(128, 0, 0), 9);
    m_leftOut = makeScatter(QStringLiteral("leftOut"), tr("left out"), QColor(160, 160, 160),
                            QColor(96, 96, 96), 8, QScatterSeries::MarkerShapeRectangle);
    attach(chart, m_curve, m_sAxis, m_vAxis);
    attach(chart, m_readings, m_sAxis, m_vAxis);
    attach(chart, m_leftOut, m_sAxis, m_vAxis);

    return makeChartView(chart, QStringLiteral("michaelisChart"), tr("Velocity against [S]"),
                         tr("The readings as points, velocity in µM/s against [S] in "
                            "µM, with the fitted Michaelis-Menten hyperbola"));
}

QChartView *AnalysisWindow::createReciprocalChart()
{
    auto *chart = new QChart;
    chart->setTitle(tr("Double-reciprocal plot"));
    m_inverseSAxis = makeAxis(tr("1/[S] (1/µM)"), QStringLiteral("inverseSAxis"));
    m_inverseVAxis = makeAxis(tr("1/velocity (s/µM)"), QStringLiteral("inverseVelocityAxis"));
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
    m_reciprocalPoints = makeScatter(QStringLiteral("reciprocalPoints"), tr("readings"),
                                     QColor(255, 0, 0), QColor(128, 0, 0), 9);
    m_intercepts = makeScatter(QStringLiteral("intercepts"), tr("−1/Km, 1/Vmax"), Qt::black,
                               Qt::black, 7, QScatterSeries::MarkerShapeRectangle);
    attach(chart, m_zeroX, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_zeroY, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_reciprocalLine, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_reciprocalPoints, m_inverseSAxis, m_inverseVAxis);
    attach(chart, m_intercepts, m_inverseSAxis, m_inverseVAxis);
    hideFromLegend(chart, m_zeroX);
    hideFromLegend(chart, m_zeroY);

    return makeChartView(chart, QStringLiteral("reciprocalChart"), tr("Double-reciprocal plot"),
                         tr("1/velocity in s/µM against 1/[S] in 1/µM for the usable "
                            "readings, with the least-squares line, which meets the "
                            "axes at -1/Km and 1/Vmax"));
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

void AnalysisWindow::showMichaelisPlot(const Analysis &analysis)
{
    const MichaelisPlot plot = michaelisPlot(analysis);
    m_readings->replace(toQt(plot.used));
    m_leftOut->replace(toQt(plot.leftOut));
    m_leftOut->setVisible(!plot.leftOut.empty());
    setRange(m_sAxis, plot.s);
    m_curve->replace(toQt(plot.curve));
    m_curve->setName(plot.source == CurveSource::DirectFit ? tr("direct fit")
                     : plot.source == CurveSource::Line    ? tr("from the line")
                                                           : QString());
    m_curve->setVisible(!plot.curve.empty());
    setRange(m_vAxis, plot.v);
}

void AnalysisWindow::showReciprocalPlot(const Analysis &analysis)
{
    const ReciprocalPlot plot = reciprocalPlot(analysis);
    m_reciprocalPoints->replace(toQt(plot.points));
    m_reciprocalLine->replace(toQt(plot.line));
    m_reciprocalLine->setVisible(!plot.line.empty());
    m_intercepts->replace(toQt(plot.intercepts));
    m_intercepts->setVisible(!plot.intercepts.empty());
    setRange(m_inverseSAxis, plot.x);
    setRange(m_inverseVAxis, plot.y);
    // The axes are drawn at the edges of the plot; where a range reaches below zero, a grey line
    // marks zero so that the intercepts are seen on it.
    m_zeroX->replace(plot.zeroX ? QList<QPointF>{QPointF(0, plot.y.lo), QPointF(0, plot.y.hi)}
                                : QList<QPointF>{});
    m_zeroY->replace(plot.zeroY ? QList<QPointF>{QPointF(plot.x.lo, 0), QPointF(plot.x.hi, 0)}
                                : QList<QPointF>{});
    m_zeroX->setVisible(plot.zeroX);
    m_zeroY->setVisible(plot.zeroY);
    hideFromLegend(m_reciprocalView->chart(), m_zeroX);
    hideFromLegend(m_reciprocalView->chart(), m_zeroY);
}

} // namespace enkin
