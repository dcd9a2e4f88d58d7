#include "app/report.h"

#include "analysis/analysisreport.h"
#include "analysis/analysiswindow.h"
#include "analysis/readings.h"
#include "engine/numtext.h"
#include "enkin/version.h"
#include "lab/session.h"
#include "params/runstart.h"

#include <QDate>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace enkin {

namespace {

QString number(double value)
{
    return QString::fromStdString(formatGeneral(value)).toHtmlEscaped();
}

} // namespace

bool Report::write(const QString &fileName, const Session &session, const QString &student,
                   const QImage &plot, const QString &maxy)
{
    const Module1 &state = session.state();
    const RunStart &run = session.lastRun().start;
    const auto &assignment = session.assignment();
    QString html =
        QStringLiteral("<h1>%1</h1><p>%2<br>%3%4<br>%5</p>")
            .arg(tr("Enkin report"), tr("Student: %1").arg(student.toHtmlEscaped()),
                 assignment ? tr("Assignment: %1")
                                      .arg(QString::fromStdString(assignment->id).toHtmlEscaped()) +
                                  QStringLiteral("<br>")
                            : QString(),
                 tr("Date: %1").arg(QDate::currentDate().toString(Qt::ISODate)),
                 tr("Program: enkin %1").arg(QStringLiteral(ENKIN_VERSION)));

    // An assignment's run names its enzyme setting, never its constants.
    const QString enzyme = assignment
                               ? tr("Enzyme setting %1").arg(session.enzymeSetting(run))
                               : tr("k1 = %1 x 10^8 /M/s, k2 = %2 x 10^3 /s, k-1 = %3 x 10^3 /s")
                                     .arg(number(run.k1), number(run.k2), number(run.kminus1));
    html += QStringLiteral("<h2>%1</h2><p>%2</p><table border=\"1\" cellspacing=\"0\"><tr><td>"
                           "<img src=\"plot.png\" width=\"600\"></td></tr></table>")
                .arg(tr("The current run"),
                     tr("%1, [E]0 = %2 x 10^-9 M, [S]0 = %3 x 10^-3 M; time from 0 to %4 msec "
                        "across, concentration from 0 to %5 x 10^-9 M up. [E] black, [ES] blue, "
                        "[P] red.")
                         .arg(enzyme, number(run.e0 + run.es0), number(run.s0), number(run.tmax),
                              maxy.toHtmlEscaped()));

    // The readings with their marks, as the Analysis window judges them.
    const Study study =
        studyLog(state.dataLog, {.known = false, .start = readRunStart(state.inputs)});
    const auto translate = [](const char *english) {
        return QCoreApplication::translate("enkin::AnalysisWindow", english).toStdString();
    };
    html += QStringLiteral("<h2>%1</h2><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                           "width=\"100%\"><tr>")
                .arg(tr("Readings"));
    for (const QString &heading :
         {tr("Row"), tr("t (msec)"), tr("[E] (10^-9 M)"), tr("[ES] (10^-9 M)"), tr("[S] (10^-3 M)"),
          tr("d[P]/dt (10^-6 M/s)"), tr("[S]0 (10^-3 M)"), tr("Marks")})
        html += QStringLiteral("<th>%1</th>").arg(heading); // the marks take what is left
    const DataLog &log = state.dataLog;
    for (int i = 1; i <= log.SavedCount; ++i) {
        const RunContext &r = log.SavedRun[i];
        html += QStringLiteral("<tr><td>%1</td>").arg(i);
        for (double v :
             {log.SavedT[i], log.SavedE[i], log.SavedES[i], log.SavedS[i], log.SavedVel[i]})
            html += QStringLiteral("<td>%1</td>").arg(number(v));
        html += QStringLiteral("<td>%1</td><td>%2</td></tr>")
                    .arg(r.known ? number(r.start.s0) : QString(),
                         QString::fromStdString(
                             marksText(study.readings[std::size_t(i - 1)].marks, translate))
                             .toHtmlEscaped());
    }
    html += QStringLiteral("</table>");

    // The analysis as the window shows it, with its velocity and Lineweaver-Burk plots, and for
    // an inhibitor at several [I]0 its Dixon and Cornish-Bowden plots.
    AnalysisWindow analysis;
    analysis.resize(1000, 760);
    analysis.refresh(log, state.inputs);
    const bool inhibition = analysis.plotsInhibition();
    html +=
        QStringLiteral("<h2>%1</h2>%2<p><img src=\"velocity.png\" width=\"600\"></p>"
                       "<p><img src=\"lineweaver.png\" width=\"600\"></p>%3")
            .arg(tr("Analysis"), analysis.resultsHtml(),
                 inhibition ? QStringLiteral("<p><img src=\"inhibition.png\" width=\"600\"></p>")
                            : QString());

    QTextDocument document;
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("plot.png")), plot);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("velocity.png")),
                         analysis.tabImage(0));
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("lineweaver.png")),
                         analysis.tabImage(1));
    if (inhibition)
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("inhibition.png")),
                             analysis.tabImage(4));
    document.setHtml(html);

    QPdfWriter pdf(fileName);
    if (!pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter)))
        return false;
    pdf.setTitle(tr("Enkin report"));
    pdf.setCreator(QStringLiteral("enkin " ENKIN_VERSION));
    document.print(&pdf);
    return QFileInfo(fileName).size() > 0;
}

} // namespace enkin
