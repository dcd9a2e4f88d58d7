// The Analysis window's summary: Km and Vmax from each method, with notes on how they were found,
// and the line that says which readings the fits use.
#include "datalog/analysis.h"
#include "datalog/analysisplot.h"
#include "datalog/analysiswindow.h"
#include "widgets/scriptedlabel.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace enkin {

namespace {

// A number of the summary with its unit, as rich text: "2.000 × 10<sup>-5</sup> M".
QString scientific(double value, const QString &unit, double error = 0)
{
    return scriptsToHtml(QString::fromStdString(scientificMarkup(value, error)) + QLatin1Char(' ') +
                         unit);
}

} // namespace

QString AnalysisWindow::missingReadings()
{
    return tr("Accept readings at two or more different [S]0 values, each with a positive "
              "velocity, to fit Km and Vmax.");
}

QString AnalysisWindow::readingsText(int n)
{
    return n == 1 ? tr("1 reading") : tr("%1 readings").arg(n);
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
    title->setAccessibleDescription(tr("Heading of the values %1").arg(source));
    title->setWordWrap(true);
    grid->addWidget(title, row, 0, 1, 2);

    ValueRow values;
    const auto addValue = [&](const QString &quantity, int r) {
        auto *name = new QLabel(quantity);
        name->setObjectName(objectPrefix + quantity + QStringLiteral("Label"));
        name->setAccessibleName(quantity);
        name->setAccessibleDescription(tr("Label of %1 %2").arg(quantity, source));
        auto *value = new QLabel;
        value->setObjectName(objectPrefix + quantity);
        // Reached with Tab and selectable, and with no fixed name, so that assistive technology
        // reads the value itself; the description says which value it is.
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setFocusPolicy(Qt::StrongFocus);
        value->setAccessibleDescription(tr("%1 %2, in molar units").arg(quantity, source));
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
    values.note->setAccessibleDescription(
        tr("How the values %1 were found, or why there are none").arg(source));
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
    summary->setAccessibleName(tr("Km and Vmax"));
    summary->setAccessibleDescription(
        tr("Km and Vmax from the double-reciprocal line, from a direct fit of the "
           "hyperbola and from the current rate constants"));
    summary->setFixedWidth(270);

    auto *grid = new QGridLayout(summary);
    grid->setColumnStretch(1, 1);
    m_lineRow = addSummarySection(grid, tr("From the double-reciprocal line"),
                                  QStringLiteral("line"), tr("from the double-reciprocal line"));
    m_curveRow =
        addSummarySection(grid, tr("From a direct fit of the hyperbola"), QStringLiteral("curve"),
                          tr("from the direct fit of the hyperbola"));
    m_theoryRow =
        addSummarySection(grid, tr("From the current parameters"), QStringLiteral("theory"),
                          tr("from the current rate constants"));
    grid->setRowStretch(grid->rowCount(), 1);
    return summary;
}

void AnalysisWindow::showMessage(const Analysis &analysis, int readingCount)
{
    const ReadingSelection &selection = analysis.selection;
    const int usable = static_cast<int>(selection.usable.size());
    const int leftOut = static_cast<int>(selection.leftOut.size());

    QString text;
    if (readingCount == 0) {
        text = tr("The log holds no readings. ") + missingReadings();
    } else if (selection.distinctS < 2) {
        text = missingReadings() + tr(" Usable now: %1 of %2, at %3 different [S].")
                                       .arg(usable)
                                       .arg(readingCount)
                                       .arg(selection.distinctS);
    } else {
        text =
            tr("Using %1 at %2 different [S].").arg(readingsText(usable)).arg(selection.distinctS);
    }
    if (leftOut > 0)
        text +=
            tr(" Left out: %1 with a zero or negative [S] or velocity.").arg(readingsText(leftOut));
    m_message->setText(text);
}

void AnalysisWindow::showSummary(const Analysis &analysis, const TheoreticalConstants &theory,
                                 double k1)
{
    const QString none = QStringLiteral("—");
    const QString tooFew = tr("Needs readings at two or more different [S].");

    const ReciprocalFit &line = analysis.line;
    const bool lineOk = line.status == FitStatus::Ok;
    m_lineRow.km->setText(lineOk ? scientific(line.km, QStringLiteral("M")) : none);
    m_lineRow.vmax->setText(lineOk ? scientific(line.vmax, QStringLiteral("M/s")) : none);
    QString lineNote;
    if (line.status == FitStatus::TooFewReadings) {
        lineNote = tooFew;
    } else if (!line.hasLine) {
        lineNote = tr("The reciprocals are out of range: no line.");
    } else {
        lineNote = tr("1/v = m/[S] + b with m = %1, b = %2, r² = %3.")
                       .arg(scientific(line.slope, QStringLiteral("s")),
                            scientific(line.intercept, QStringLiteral("s/M")),
                            QString::number(line.rSquared, 'f', 4));
        if (lineOk)
            lineNote += tr(" Km = m/b, Vmax = 1/b.");
        else if (!(line.intercept > 0))
            lineNote += tr(" The intercept is not positive, so the line gives no "
                           "meaningful Km or Vmax.");
        else
            lineNote += tr(" The slope is not positive, so the line gives no "
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
        curveNote = tr("Least squares on the velocities, %1 iterations").arg(curve.iterations);
        curveNote += curve.kmError > 0 ? tr("; ± one standard error.")
                                       : tr("; the curve passes through the readings.");
        break;
    case FitStatus::TooFewReadings:
        curveNote = tooFew;
        break;
    case FitStatus::NotMeaningful:
        curveNote = tr("The best curve has a Km or Vmax that is not positive: the "
                       "readings do not follow the hyperbola.");
        break;
    case FitStatus::NotConverged:
        curveNote = tr("The fit did not converge: the readings do not fix Km and Vmax.");
        break;
    }
    m_curveRow.note->setText(curveNote);

    m_theoryRow.km->setText(theory.kmDefined ? scientific(theory.km, QStringLiteral("M"))
                                             : tr("undefined"));
    m_theoryRow.vmax->setText(theory.vmaxDefined ? scientific(theory.vmax, QStringLiteral("M/s"))
                                                 : tr("undefined"));
    QString theoryNote = tr("Km = (k-1 + k2)/k1, Vmax = k2([E]0 + [ES]0).");
    if (!theory.kmDefined)
        theoryNote += k1 == 0 ? tr(" With k1 = 0 no ES forms, and Km is undefined.")
                              : tr(" Km is out of the range of numbers.");
    theoryNote += tr(" Readings taken with other parameters will not agree.");
    m_theoryRow.note->setText(theoryNote);
}

} // namespace enkin
