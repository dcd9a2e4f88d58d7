// The Analysis window's texts: the message over the plots, a results block per group, the
// captions under the line plots, the readings table, the copy of the results, and the results and
// plots of a printed report.
#include "analysis/analysisplot.h"
#include "analysis/analysisreport.h"
#include "analysis/analysiswindow.h"
#include "analysis/windowparts.h"
#include "engine/units.h"
#include "params/runinputs.h"
#include "params/runstart.h"
#include "widgets/scriptedlabel.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace enkin {

using namespace windowparts;

namespace {

// "1 reading", "3 readings".
QString readingsText(int n)
{
    return n == 1 ? AnalysisWindow::tr("1 reading") : AnalysisWindow::tr("%1 readings").arg(n);
}

QString iterationsText(int n)
{
    return n == 1 ? AnalysisWindow::tr("1 iteration") : AnalysisWindow::tr("%1 iterations").arg(n);
}

QString methodTitleText(Method method)
{
    return AnalysisWindow::tr(methodTitle(method).data());
}

QString failure(FitStatus status)
{
    switch (status) {
    case FitStatus::Ok:
        return {};
    case FitStatus::TooFewReadings:
        return AnalysisWindow::tr("needs readings at two or more different [S]0");
    case FitStatus::NotMeaningful:
        return AnalysisWindow::tr("gives a Km or Vmax that is not positive");
    case FitStatus::NotConverged:
        return AnalysisWindow::tr("did not converge");
    }
    return {};
}

// The fitted value with its interval, and how far it is from the true one.
QString valueCell(const Estimate &e, double truth, bool truthKnown)
{
    QString cell = unbroken(estimateMarkup(e, truePower(truthKnown, truth)));
    if (!e.hasInterval)
        cell += AnalysisWindow::tr(" (no interval)");
    if (truthKnown && truth != 0 && std::isfinite(truth)) {
        const double off = 100 * (e.value / truth - 1);
        cell += QStringLiteral("</td><td align=right>%1%").arg(number(off, 'f', 2));
    } else {
        cell += QStringLiteral("</td><td>");
    }
    return cell;
}

// The direct fit's weights for the error model in use.
QString weightsText(ErrorModel model)
{
    return model == ErrorModel::Constant
               ? AnalysisWindow::tr("equal weights, for constant error")
               : AnalysisWindow::tr("weights 1/v² of the fitted curve, for proportional error");
}

// The reasons of a reading's marks, in the interface's language.
QString markReasons(Mark marks)
{
    return QString::fromStdString(marksText(
        marks, [](const char *reason) { return AnalysisWindow::tr(reason).toStdString(); }));
}

// An assignment's group names its enzyme setting, never its constants.
QString settingText(const ReadingGroup &g)
{
    return g.setting > 0 ? QString::number(g.setting) : QStringLiteral("?");
}

QString groupConstants(const ReadingGroup &g)
{
    if (g.hidden)
        return AnalysisWindow::tr("Enzyme setting %1, [E]0 = %2 M")
            .arg(settingText(g), unbroken(scientificMarkup(g.eTotal)));
    return AnalysisWindow::tr("k1 = %1 /M/s, k2 = %2 /s, k-1 = %3 /s, [E]0 = %4 M")
        .arg(unbroken(scientificMarkup(g.k1 * units::kK1)),
             unbroken(scientificMarkup(g.k2 * units::kRate)),
             unbroken(scientificMarkup(g.kminus1 * units::kRate)),
             unbroken(scientificMarkup(g.eTotal)));
}

} // namespace

void AnalysisWindow::refresh(const DataLog &log, const RunInputs &inputs)
{
    // The current inputs stand in for the run of a reading accepted without one; nothing is
    // known of how settled that run was.
    const RunContext current{.known = false, .start = readRunStart(inputs)};
    Study now = studyLog(log, current);
    // In an assignment every group's enzyme is hidden, also that of a reading without a run.
    if (inputs.hasEnzyme())
        for (ReadingGroup &g : now.groups)
            g.hidden = true;
    carryOverChoices(m_choices, m_study, now);
    m_study = std::move(now);

    m_groupChoice->clear();
    for (std::size_t g = 0; g < m_study.groups.size(); ++g) {
        const ReadingGroup &group = m_study.groups[g];
        const QString enzyme = group.hidden ? tr("setting %1").arg(settingText(group))
                                            : tr("k2 = %1 /s").arg(number(group.k2 * units::kRate));
        m_groupChoice->addItem(
            tr("Group %1: %2, %3").arg(g + 1).arg(enzyme, readingsText(int(group.members.size()))));
    }
    m_group = std::clamp(m_group, 0, std::max(0, int(m_study.groups.size()) - 1));
    m_groupChoice->setCurrentIndex(m_group);
    m_groupChoice->setEnabled(m_study.groups.size() > 1);
    refit();
}

void AnalysisWindow::refit()
{
    m_fits.clear();
    m_laws.clear();
    for (int g = 0; g < int(m_study.groups.size()); ++g) {
        m_fits.push_back(fitGroup(m_study, g, m_choices));
        m_laws.push_back(fitGroupInhibition(m_study, g, m_choices));
    }
    m_seed->setText(tr("seed %1").arg(m_choices.seed));
    showMessage();
    showTable();
    showTabs();
    showResults();
}

void AnalysisWindow::showMessage()
{
    const int count = int(m_study.readings.size());
    int used = 0;
    for (const LoggedReading &r : m_study.readings)
        used += isIncluded(r, m_choices) ? 1 : 0;
    QString text;
    if (count == 0) {
        text = tr("The log holds no readings. Accept steady-state readings at two or more "
                  "different [S]0 to fit Km and Vmax.");
    } else {
        text = tr("Fitting %1 of %2 against the [S]0 of their runs.")
                   .arg(readingsText(used))
                   .arg(count);
        if (used < count)
            text += tr(" Readings marked in the table are left out; tick one to put it back.");
    }
    const GroupDifferences &d = m_study.differences;
    if (m_study.groups.size() > 1) {
        QStringList differ;
        if (d.k1)
            differ << QStringLiteral("k1");
        if (d.k2)
            differ << QStringLiteral("k2");
        if (d.kminus1)
            differ << QStringLiteral("k-1");
        if (d.e0)
            differ << QStringLiteral("[E]0");
        text += tr(" The readings come from runs with different %1, which give different Km and "
                   "Vmax: they are fitted as %2 separate groups.")
                    .arg(differ.join(QStringLiteral(", ")))
                    .arg(m_study.groups.size());
    }
    const bool excess =
        std::any_of(m_study.readings.begin(), m_study.readings.end(),
                    [](const LoggedReading &r) { return has(r.marks, Mark::EnzymeExcess); });
    if (excess)
        text += tr(" Readings marked \"too much enzyme\" come from runs whose [E]0 is more than 1% "
                   "of [S]0 + Km: the enzyme holds a noticeable part of the substrate as ES, so "
                   "the free [S] falls below [S]0, and v against [S]0 no longer follows the "
                   "Michaelis-Menten equation.");
    if (m_choices.errorPercent != 0) {
        if (m_choices.errorModel == ErrorModel::Constant)
            text += tr(" The velocities carry a SIMULATED measurement error of constant size, %1% "
                       "of the true Vmax (seed %2).")
                        .arg(number(m_choices.errorPercent))
                        .arg(m_choices.seed);
        else
            text += tr(" The velocities carry a SIMULATED measurement error in proportion to each "
                       "velocity, %1% of v (seed %2).")
                        .arg(number(m_choices.errorPercent))
                        .arg(m_choices.seed);
    }
    m_message->setText(text);
}

QString AnalysisWindow::lineCaption(const MethodFit &fit, const ReadingGroup &group) const
{
    if (fit.status != FitStatus::Ok)
        return methodTitleText(fit.method) + QStringLiteral(": ") + failure(fit.status) +
               QLatin1Char('.');
    TheoreticalConstants t = group.truth;
    if (group.hidden)
        t = {};
    QString text = tr("%1: Km = %2 M, Vmax = %3 M/s")
                       .arg(methodTitleText(fit.method),
                            unbroken(estimateMarkup(fit.km, truePower(t.kmDefined, t.km))),
                            unbroken(estimateMarkup(fit.vmax, truePower(t.vmaxDefined, t.vmax))));
    if (fit.method == Method::Direct)
        text += tr(", 95% intervals, %1; %2.")
                    .arg(weightsText(m_choices.errorModel), iterationsText(fit.iterations));
    else
        text += tr(", ± the line's standard error (slope %1, intercept %2, r² = %3).")
                    .arg(unbroken(scientificMarkup(fit.slope)),
                         unbroken(scientificMarkup(fit.intercept)), number(fit.rSquared, 'f', 4));
    return text;
}

QString AnalysisWindow::resultsBlock(int group, const GroupFit &fit) const
{
    const ReadingGroup &g = m_study.groups[std::size_t(group)];
    const TheoreticalConstants &t = g.truth;
    const bool known = !g.hidden && t.kmDefined && t.vmaxDefined;
    QString text = tr("<b>Group %1</b>: %2 used. %3.<br>")
                       .arg(group + 1)
                       .arg(readingsText(int(fit.used.size())), groupConstants(g));
    if (g.levels.size() > 1)
        return text + inhibitionResults(group);
    text += QStringLiteral("<table cellspacing=0 cellpadding=2>");
    const auto heading = [&](const QString &title) {
        text += QStringLiteral("<tr><td colspan=3><i>%1</i></td></tr>").arg(title);
    };
    const auto row = [&](const QString &quantity, const QString &cells) {
        text += QStringLiteral("<tr><td style=\"white-space:nowrap\">%1</td><td>%2</td></tr>")
                    .arg(quantity, cells);
    };
    if (!g.hidden) {
        heading(tr("True values, from the runs' constants"));
        row(QStringLiteral("Km"),
            (t.kmDefined ? unbroken(scientificMarkup(t.km)) + QStringLiteral(" M")
                         : tr("undefined")) +
                QStringLiteral("</td><td>"));
        row(QStringLiteral("Vmax"),
            unbroken(scientificMarkup(t.vmax)) + QStringLiteral(" M/s</td><td>"));
        row(QStringLiteral("kcat"),
            unbroken(scientificMarkup(t.kcat)) + QStringLiteral(" /s</td><td>"));
        row(QStringLiteral("kcat/Km"),
            (t.kmDefined ? unbroken(scientificMarkup(t.specificity)) + QStringLiteral(" /M/s")
                         : tr("undefined")) +
                QStringLiteral("</td><td>"));
    }
    for (const MethodFit &m : fit.methods) {
        if (m.method == Method::Direct)
            heading((known ? tr("%1, %2: 95% intervals; off the true value by")
                           : tr("%1, %2: 95% intervals"))
                        .arg(methodTitleText(m.method), weightsText(m_choices.errorModel)));
        else
            heading((known ? tr("%1: ± its standard error, not a 95% interval; off the true value "
                                "by")
                           : tr("%1: ± its standard error, not a 95% interval"))
                        .arg(methodTitleText(m.method)));
        if (m.status != FitStatus::Ok) {
            text += QStringLiteral("<tr><td colspan=3>%1</td></tr>").arg(failure(m.status));
            continue;
        }
        row(QStringLiteral("Km"), valueCell(m.km, t.km, known));
        row(QStringLiteral("Vmax"), valueCell(m.vmax, t.vmax, known));
        row(QStringLiteral("kcat"), valueCell(kcatOf(m, g), t.kcat, known));
        row(QStringLiteral("kcat/Km"), valueCell(specificityOf(m, g), t.specificity, known));
    }
    text += QStringLiteral("</table>");
    text += tr("<small>Km in M, Vmax in M/s, kcat in /s, kcat/Km in /M/s. Only the direct fit, "
               "weighted for the error model in use, gives 95% intervals: they hold the true value "
               "in 95 of 100 samples of the simulated error. A line's ± is its standard error, not "
               "a 95% interval: taking 1/v, [S]0/v or v/[S]0 stretches the errors of some readings "
               "and shrinks others, so the spread of the line does not tell how far off the true "
               "value may be. No ± shows the error of readings a little short of the steady "
               "state, or cut by the readout: those are all off in one direction.</small>");
    return text;
}

void AnalysisWindow::showResults()
{
    for (QLabel *block : m_results)
        delete block;
    m_results.clear();
    for (int g = 0; g < int(m_study.groups.size()); ++g) {
        auto *block = new QLabel(resultsBlock(g, m_fits[std::size_t(g)]));
        block->setObjectName(QStringLiteral("group%1Results").arg(g + 1));
        block->setWordWrap(true);
        block->setTextFormat(Qt::RichText);
        // Reached with Tab and selectable; assistive technology reads the text itself.
        block->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        block->setFocusPolicy(Qt::StrongFocus);
        block->setAccessibleName(htmlToPlain(block->text()));
        block->setAccessibleDescription(tr("Results of group %1").arg(g + 1));
        m_resultsLayout->insertWidget(m_resultsLayout->count() - 1, block);
        m_results.push_back(block);
    }
}

QWidget *AnalysisWindow::createReadingsTable()
{
    m_table = new QTableWidget(0, 6);
    m_table->setObjectName(QStringLiteral("readingsTable"));
    m_table->setAccessibleName(tr("Readings"));
    m_table->setHorizontalHeaderLabels(
        {tr("Use"), tr("Row"), tr("[S]₀ (M)"), tr("v (M/s)"), tr("t (ms)"), tr("Group and marks")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setMinimumHeight(6 * m_table->fontMetrics().height());
    m_table->setMaximumHeight(200);
    connect(m_table, &QTableWidget::itemChanged, this, &AnalysisWindow::readingToggled);
    return m_table;
}

void AnalysisWindow::showTable()
{
    const QSignalBlocker blocker(m_table);
    m_table->setRowCount(int(m_study.readings.size()));
    const auto cell = [&](int row, int column, const QString &text) {
        auto *item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_table->setItem(row, column, item);
        return item;
    };
    for (int i = 0; i < int(m_study.readings.size()); ++i) {
        const LoggedReading &r = m_study.readings[std::size_t(i)];
        const bool used = isIncluded(r, m_choices);
        QTableWidgetItem *use = cell(i, 0, QString());
        use->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                      (has(r.marks, Mark::NotUsable) ? Qt::NoItemFlags : Qt::ItemIsUserCheckable));
        use->setCheckState(used ? Qt::Checked : Qt::Unchecked);
        use->setData(Qt::AccessibleTextRole, used ? tr("used") : tr("left out"));
        cell(i, 1, QString::number(r.row));
        cell(i, 2, number(r.reading.s));
        cell(i, 3, number(r.reading.v));
        cell(i, 4, number(r.t * 1000));
        QString note = tr("group %1").arg(r.group + 1);
        // Which inhibitor level a reading is at, where the group has levels to tell apart.
        if (r.group >= 0 && m_study.groups[std::size_t(r.group)].levels.size() > 1)
            note += tr(", [I]₀ = %1 M").arg(number(r.i0));
        if (r.marks != Mark::None)
            note += QStringLiteral(": ") + markReasons(r.marks);
        cell(i, 5, note);
    }
    m_table->resizeColumnsToContents();
    // Fitting the columns to their contents fixes the last one's width too: it stretches again.
    m_table->horizontalHeader()->setSectionResizeMode(5, QHeaderView::Stretch);
}

void AnalysisWindow::readingToggled(QTableWidgetItem *item)
{
    if (item->column() != 0)
        return;
    const std::size_t row = std::size_t(item->row());
    if (row >= m_choices.included.size())
        return;
    m_choices.included[row] = item->checkState() == Qt::Checked;
    refit();
}

void AnalysisWindow::copyResults()
{
    const QChar point = QLocale().decimalPoint().at(0);
    const char decimalPoint = point == QLatin1Char(',') ? ',' : '.';
    const auto translate = [](const char *english) { return tr(english).toStdString(); };
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(resultsText(m_study, m_choices, decimalPoint, translate)));
    m_status->setText(tr("Copied the results for a spreadsheet."));
}

QString AnalysisWindow::resultsHtml() const
{
    QString html;
    for (const QLabel *block : m_results)
        html += QStringLiteral("<p>%1</p>").arg(block->text());
    return html;
}

QImage AnalysisWindow::tabImage(int tab)
{
    m_tabs->setCurrentIndex(tab);
    layout()->activate();
    return m_tabs->currentWidget()->grab().toImage();
}

} // namespace enkin
