#include "analysis/analysiswindow.h"

#include "analysis/analysisplot.h"
#include "analysis/analysisreport.h"
#include "analysis/windowparts.h"
#include "params/runinputs.h"
#include "widgets/scriptedlabel.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScatterSeries>
#include <QScrollArea>
#include <QShortcut>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QValueAxis>

#include <algorithm>

namespace enkin {

using namespace windowparts;

namespace {

const QColor kUsedColour(200, 0, 0);
const QColor kFitColour(0, 0, 255);
const QColor kTruthColour(0, 140, 0);
const QColor kZeroColour(128, 128, 128);

QValueAxis *makeAxis(const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.4g"));
    axis->setMinorTickCount(1);
    return axis;
}

QScatterSeries *makeScatter(const QString &legend, bool hollow)
{
    auto *series = new QScatterSeries;
    series->setName(legend);
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(9);
    series->setColor(hollow ? QColor(Qt::transparent) : kUsedColour);
    series->setBorderColor(kUsedColour);
    QPen border(kUsedColour, hollow ? 1.5 : 1);
    series->setPen(border);
    return series;
}

QLineSeries *makeLine(const QString &legend, QPen pen)
{
    auto *series = new QLineSeries;
    series->setName(legend);
    series->setPen(pen);
    return series;
}

} // namespace

AnalysisWindow::AnalysisWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(tr("Analysis"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(tr("Analysis"));
    setAccessibleDescription(tr("Km and Vmax fitted to the accepted readings against [S]0, by "
                                "four methods, with the readings they use"));

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setAccessibleDescription(
        tr("How many readings the fits use, and how they are grouped"));

    m_groupChoice = new QComboBox;
    m_groupChoice->setObjectName(QStringLiteral("groupChoice"));
    m_groupChoice->setAccessibleName(tr("Group plotted"));
    connect(m_groupChoice, &QComboBox::activated, this, [this](int index) {
        m_group = index;
        showTabs();
    });
    auto *groupLabel = new QLabel(tr("&Plot group:"));
    groupLabel->setBuddy(m_groupChoice);
    groupLabel->setObjectName(QStringLiteral("groupLabel"));

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("methodTabs"));
    m_tabs->addTab(createTab(Method::Direct), tr("v against [S]₀"));
    for (Method m : {Method::LineweaverBurk, Method::HanesWoolf, Method::EadieHofstee})
        m_tabs->addTab(createTab(m), tr(methodName(m).data()));
    m_inhibitionPage = createInhibitionTab();

    auto *resultsPage = new QWidget;
    m_resultsLayout = new QVBoxLayout(resultsPage);
    m_resultsLayout->addStretch(1);
    auto *results = new QScrollArea;
    results->setObjectName(QStringLiteral("results"));
    results->setWidget(resultsPage);
    results->setWidgetResizable(true);
    results->setMinimumWidth(320);
    results->setAccessibleName(tr("Results"));

    auto *groupRow = new QHBoxLayout;
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(m_groupChoice, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(groupRow);
    left->addWidget(m_tabs, 1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(left, 3);
    middle->addWidget(results, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(middle, 1);
    layout->addWidget(createReadingsTable());
    layout->addWidget(createControls());

    // Esc closes the window the way Close does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::hide);

    // A larger desktop font needs more room for the axis labels: the layout's minimum wins. The
    // owner fits the window to the screen when it opens.
    const QSize minimum = minimumSizeHint();
    resize(std::max(1120, minimum.width()), std::max(860, minimum.height()));
    refresh(DataLog{}, RunInputs{});
}

AnalysisWindow::Chart AnalysisWindow::createChart(const QString &objectName, const QString &title,
                                                  const QString &xTitle, const QString &yTitle,
                                                  bool withCurves)
{
    Chart c;
    auto *chart = new QChart;
    chart->setTitle(title);
    // Tick labels in the desktop's decimal sign.
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    c.x = makeAxis(xTitle);
    c.y = makeAxis(yTitle);
    chart->addAxis(c.x, Qt::AlignBottom);
    chart->addAxis(c.y, Qt::AlignLeft);
    const QPen zeroPen(kZeroColour, 1);
    c.zeroX = makeLine(QString(), zeroPen);
    c.zeroY = makeLine(QString(), zeroPen);
    QList<QAbstractSeries *> series{c.zeroX, c.zeroY};
    if (withCurves) {
        // The true curve dashed over the fitted one: where they agree, both show.
        c.fitted = makeLine(tr("fitted"), QPen(kFitColour, 2));
        c.truth = makeLine(tr("true"), QPen(kTruthColour, 2, Qt::DashLine));
        series << c.fitted << c.truth;
    }
    c.used = makeScatter(tr("used"), false);
    c.leftOut = makeScatter(tr("left out"), true);
    series << c.used << c.leftOut;
    for (QAbstractSeries *s : series) {
        chart->addSeries(s);
        s->attachAxis(c.x);
        s->attachAxis(c.y);
    }
    hideFromLegend(chart, c.zeroX);
    hideFromLegend(chart, c.zeroY);

    c.view = new QChartView(chart);
    c.view->setObjectName(objectName);
    c.view->setRenderHint(QPainter::Antialiasing);
    c.view->setMinimumSize(300, 160);
    c.view->setAccessibleName(title);
    return c;
}

QWidget *AnalysisWindow::createTab(Method method)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    const std::size_t m = std::size_t(method);
    switch (method) {
    case Method::Direct:
        m_charts[m] =
            createChart(QStringLiteral("directChart"), tr("Velocity against [S]<sub>0</sub>"),
                        tr("[S]<sub>0</sub> (µM)"), tr("v (µM/s)"), true);
        m_residuals =
            createChart(QStringLiteral("residualChart"), tr("Residuals of the fit, Δv in µM/s"),
                        tr("[S]<sub>0</sub> (µM)"), QStringLiteral("Δv"), false);
        m_residuals.view->chart()->legend()->hide();
        // Its [S]0 axis is the one above: the title's line goes to the tick labels.
        m_residuals.x->setTitleVisible(false);
        // Room for the title, the tick labels and the axis title at any desktop font size; the
        // velocities get twice the residuals' share of any more.
        m_charts[m].view->setMinimumHeight(15 * fontMetrics().height());
        m_residuals.view->setMinimumHeight(9 * fontMetrics().height());
        layout->addWidget(m_charts[m].view, 2);
        layout->addWidget(m_residuals.view, 1);
        break;
    case Method::LineweaverBurk:
        m_charts[m] =
            createChart(QStringLiteral("lineweaverBurkChart"), tr("1/v against 1/[S]<sub>0</sub>"),
                        tr("1/[S]<sub>0</sub> (1/µM)"), tr("1/v (s/µM)"), true);
        layout->addWidget(m_charts[m].view, 1);
        break;
    case Method::HanesWoolf:
        m_charts[m] = createChart(QStringLiteral("hanesWoolfChart"),
                                  tr("[S]<sub>0</sub>/v against [S]<sub>0</sub>"),
                                  tr("[S]<sub>0</sub> (µM)"), tr("[S]<sub>0</sub>/v (s)"), true);
        layout->addWidget(m_charts[m].view, 1);
        break;
    case Method::EadieHofstee:
        m_charts[m] =
            createChart(QStringLiteral("eadieHofsteeChart"), tr("v against v/[S]<sub>0</sub>"),
                        tr("v/[S]<sub>0</sub> (1/s)"), tr("v (µM/s)"), true);
        layout->addWidget(m_charts[m].view, 1);
        break;
    }
    m_captions[m] = new QLabel;
    m_captions[m]->setObjectName(QStringLiteral("caption%1").arg(int(m)));
    m_captions[m]->setWordWrap(true);
    m_captions[m]->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
    m_captions[m]->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_captions[m]);
    return page;
}

QWidget *AnalysisWindow::createControls()
{
    // Two rows, so that the window fits a small screen at a large interface scale: the simulated
    // error, then what is done with the results.
    auto *controls = new QWidget;
    auto *rows = new QVBoxLayout(controls);
    rows->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    auto *actions = new QHBoxLayout;
    rows->addLayout(row);
    rows->addLayout(actions);

    m_error = new QDoubleSpinBox;
    m_error->setObjectName(QStringLiteral("measurementError"));
    m_error->setRange(0, 50);
    m_error->setDecimals(1);
    m_error->setSingleStep(1);
    m_error->setToolTip(tr("Adds simulated Gaussian error of this size to each velocity before "
                           "the fits: the readings themselves stay as they are"));
    // The labels wrap where a large desktop font leaves no room for them on one line.
    auto *errorLabel = new QLabel(tr("Simulated &measurement error (%):"));
    errorLabel->setWordWrap(true);
    errorLabel->setBuddy(m_error);
    connect(m_error, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        m_choices.errorPercent = value;
        refit();
    });
    m_errorModel = new QComboBox;
    m_errorModel->setObjectName(QStringLiteral("errorModel"));
    m_errorModel->addItem(tr("constant: % of Vmax"));
    m_errorModel->addItem(tr("proportional: % of v"));
    m_errorModel->setToolTip(
        tr("Constant: every velocity's error has the same size, a share of the true Vmax, and the "
           "direct fit weighs every reading the same. Proportional: the error is a share of each "
           "velocity, and the direct fit weighs each reading by 1/v²."));
    auto *modelLabel = new QLabel(tr("Error m&odel:"));
    modelLabel->setWordWrap(true);
    modelLabel->setBuddy(m_errorModel);
    connect(m_errorModel, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_choices.errorModel = index == 1 ? ErrorModel::Proportional : ErrorModel::Constant;
        refit();
    });
    m_seed = new QLabel;
    m_seed->setObjectName(QStringLiteral("seed"));
    m_seed->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *sample = new QPushButton(tr("&New Sample"));
    sample->setObjectName(QStringLiteral("newSample"));
    sample->setToolTip(tr("Draw another sample of the simulated error, with a new seed"));
    connect(sample, &QPushButton::clicked, this, &AnalysisWindow::newSample);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *copy = new QPushButton(tr("&Copy Results"));
    copy->setObjectName(QStringLiteral("copyResults"));
    copy->setToolTip(tr("Copy the readings used and every method's results, tab-separated, for "
                        "a spreadsheet"));
    connect(copy, &QPushButton::clicked, this, &AnalysisWindow::copyResults);
    auto *save = new QPushButton(tr("&Save Plot..."));
    save->setObjectName(QStringLiteral("savePlot"));
    save->setToolTip(tr("Save the plot of the current tab as a PNG or SVG image"));
    connect(save, &QPushButton::clicked, this, &AnalysisWindow::savePlotAs);
    auto *refreshButton = new QPushButton(tr("&Refresh"));
    refreshButton->setObjectName(QStringLiteral("refreshButton"));
    refreshButton->setToolTip(tr("Fit again to the readings now in the log"));
    connect(refreshButton, &QPushButton::clicked, this, &AnalysisWindow::refreshRequested);
    auto *close = new QPushButton(tr("Close"));
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    row->addWidget(errorLabel);
    row->addWidget(m_error);
    row->addWidget(modelLabel);
    row->addWidget(m_errorModel);
    row->addWidget(m_seed);
    row->addWidget(sample);
    row->addStretch(1);
    actions->addWidget(m_status, 1);
    for (QPushButton *button : {copy, save, refreshButton, close})
        actions->addWidget(button);
    return controls;
}

void AnalysisWindow::showChart(Chart &chart, const MethodPlot &plot, bool residuals)
{
    chart.used->replace(toQt(residuals ? plot.residualsUsed : plot.used));
    chart.leftOut->replace(toQt(residuals ? plot.residualsLeftOut : plot.leftOut));
    chart.leftOut->setVisible(chart.leftOut->count() > 0);
    const AxisRange &y = residuals ? plot.residual : plot.y;
    setRange(chart.x, plot.x);
    // The residuals' plot is short: its scale reads at its ends and at zero.
    setRange(chart.y, residuals ? AxisRange{y.lo, y.hi, 3} : y);
    if (chart.fitted) {
        chart.fitted->replace(toQt(plot.fitted));
        chart.fitted->setVisible(!plot.fitted.empty());
        chart.truth->replace(toQt(plot.truth));
        chart.truth->setVisible(!plot.truth.empty());
    }
    // The axes are drawn at the edges of the plot; where a range reaches below zero, a grey line
    // marks zero, where the intercepts are read.
    const bool zeroX = !residuals && plot.zeroX, zeroY = residuals || plot.zeroY;
    chart.zeroX->replace(zeroX ? QList<QPointF>{{0, y.lo}, {0, y.hi}} : QList<QPointF>{});
    chart.zeroY->replace(zeroY ? QList<QPointF>{{plot.x.lo, 0}, {plot.x.hi, 0}} : QList<QPointF>{});
    chart.zeroX->setVisible(zeroX);
    chart.zeroY->setVisible(zeroY);
    hideFromLegend(chart.view->chart(), chart.zeroX);
    hideFromLegend(chart.view->chart(), chart.zeroY);
}

void AnalysisWindow::showTabs()
{
    if (showLevels())
        return;
    if (m_group < 0 || m_group >= int(m_study.groups.size())) {
        for (Chart *chart : {&m_charts[0], &m_charts[1], &m_charts[2], &m_charts[3], &m_residuals})
            showChart(*chart, MethodPlot{}, chart == &m_residuals);
        for (QLabel *caption : m_captions)
            caption->clear(), caption->setAccessibleName(QString());
        return;
    }
    const GroupFit &fit = m_fits[std::size_t(m_group)];
    const ReadingGroup &group = m_study.groups[std::size_t(m_group)];
    for (Method method : kMethods) {
        const std::size_t m = std::size_t(method);
        const MethodPlot plot = methodPlot(method, fit, group);
        showChart(m_charts[m], plot, false);
        if (method == Method::Direct)
            showChart(m_residuals, plot, true);
        m_captions[m]->setText(lineCaption(fit.methods[m], group));
        m_captions[m]->setAccessibleName(htmlToPlain(m_captions[m]->text()));
    }
}

bool AnalysisWindow::savePlot(const QString &fileName)
{
    QWidget *page = m_tabs->currentWidget();
    if (fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(fileName);
        svg.setSize(page->size());
        svg.setViewBox(QRect(QPoint(0, 0), page->size()));
        svg.setTitle(m_tabs->tabText(m_tabs->currentIndex()).remove(QLatin1Char('&')));
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        page->render(&painter);
        return painter.end();
    }
    return page->grab().save(fileName, "PNG");
}

void AnalysisWindow::savePlotAs()
{
    QString fileName =
        QFileDialog::getSaveFileName(this, tr("Save Plot"), QStringLiteral("analysis.png"),
                                     tr("PNG image (*.png);;SVG image (*.svg)"));
    if (fileName.isEmpty())
        return;
    if (!fileName.contains(QLatin1Char('.')))
        fileName += QStringLiteral(".png");
    m_status->setText(savePlot(fileName) ? tr("Saved the plot.") : tr("Could not save the plot."));
    m_status->setToolTip(fileName);
}

void AnalysisWindow::newSample()
{
    m_choices.seed = QRandomGenerator::global()->bounded(1u, 1000000u);
    refit();
}

} // namespace enkin
