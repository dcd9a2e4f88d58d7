// The report a student hands in: a PDF with their name, the date, the program's version, the plot
// of the current run with its scales, the readings with their units and marks, and the analysis
// with its velocity and double-reciprocal plots, and for an inhibitor at several [I]0 the
// inhibition laws and the Dixon and Cornish-Bowden plots. Its text is text, selectable and
// searchable.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

namespace enkin {

class Session;

class Report {
    Q_DECLARE_TR_FUNCTIONS(enkin::Report)

public:
    // Writes the report of the session's last run and its readings to `fileName`, with `plot` as
    // the plot shows the run and `maxy` its vertical scale; false when it could not be written.
    static bool write(const QString &fileName, const Session &session, const QString &student,
                      const QImage &plot, const QString &maxy);
};

} // namespace enkin
