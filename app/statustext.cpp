#include "app/statustext.h"

#include "engine/numtext.h"

#include <QStringList>

namespace enkin {

namespace {

QString number(double value)
{
    return QString::fromStdString(formatGeneral(value));
}

} // namespace

QString runMessage(const RunReport &report)
{
    switch (report.status) {
    case RunStatus::Normal:
        return {};
    case RunStatus::Substepped:
        return QStringLiteral("This Maximum Time is long for these rate constants: each of the "
                              "599 time steps was computed in %1 smaller steps to keep the run "
                              "accurate.")
            .arg(report.substeps);
    case RunStatus::Refused:
        return QStringLiteral("Run not done: a Maximum Time of %1 msec is too long to compute "
                              "accurately with these rate constants. The largest that works is "
                              "%2 msec. The plot and the Results still show the previous run.")
            .arg(number(report.tmax), number(report.largestAcceptedTmax));
    case RunStatus::Stopped:
        return QStringLiteral("The run stopped after point %1 of 600: the concentrations grew "
                              "beyond the numbers the computer can hold. Check the rate "
                              "constants and initial values; the boxes stay empty after that "
                              "point.")
            .arg(report.lastValid());
    }
    return {};
}

QString scaleMessage(DrawOutcome outcome)
{
    switch (outcome) {
    case DrawOutcome::Drawn:
        return {};
    case DrawOutcome::ZeroVerticalScale:
        return QStringLiteral("Nothing drawn: the vertical scale (the box at the top left of the "
                              "plot) needs a non-zero number.");
    case DrawOutcome::ZeroHorizontalScale:
        return QStringLiteral("Nothing drawn: Maximum Time needs a non-zero number.");
    case DrawOutcome::VerticalScaleTooLarge:
        return QStringLiteral("Nothing drawn: the vertical scale (the box at the top left of the "
                              "plot) is too large to draw; it must be below %1.")
            .arg(number(kLargestScale));
    case DrawOutcome::HorizontalScaleTooLarge:
        return QStringLiteral("Nothing drawn: Maximum Time is too large to draw; it must be below "
                              "%1 msec.")
            .arg(number(kLargestScale));
    }
    return {};
}

QString noteText(const Note &note)
{
    struct Render {
        QString operator()(const RunReport &report) const { return runMessage(report); }
        QString operator()(DrawOutcome outcome) const { return scaleMessage(outcome); }
        QString operator()(ChoiceNote choice) const
        {
            switch (choice) {
            case ChoiceNote::KmUndefined:
                return QStringLiteral("Km is undefined when k1 is 0 (Km = (k-1 + k2) / k1), so the "
                                      "Km box is empty.");
            case ChoiceNote::NoTimeSuggestion:
                return QStringLiteral("No Maximum Time can be suggested: k2 + k-1 + k1 [S]0 is 0 "
                                      "for these values, so Maximum Time keeps its value.");
            }
            return {};
        }
        QString operator()(AcceptOutcome outcome) const
        {
            const std::string_view message = acceptMessage(outcome);
            return QString::fromUtf8(message.data(), qsizetype(message.size()));
        }
    };
    return std::visit(Render{}, note);
}

QString notesText(const Notes &notes)
{
    QStringList parts;
    for (const Note &note : notes)
        if (QString text = noteText(note); !text.isEmpty())
            parts << text;
    return parts.join(QStringLiteral("  "));
}

} // namespace enkin
