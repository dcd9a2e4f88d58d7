#include "views/runmessages.h"

#include "engine/numtext.h"

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
    }
    return {};
}

} // namespace enkin
