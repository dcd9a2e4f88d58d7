#include "app/statustext.h"

#include "engine/numtext.h"

#include <QCoreApplication>
#include <QStringList>

namespace enkin {

namespace {

QString number(double value)
{
    return QString::fromStdString(formatGeneral(value));
}

QString tr(const char *text)
{
    return QCoreApplication::translate("enkin", text);
}

StatusText says(const QString &shown, const QString &more = {})
{
    return {shown, more.isEmpty() ? shown : shown + QLatin1Char(' ') + more};
}

StatusText runText(const RunReport &report)
{
    switch (report.status) {
    case RunStatus::Normal:
    case RunStatus::StiffSolver:
        return {};
    case RunStatus::Stopped:
        switch (report.cause) {
        case StopCause::Backward:
            return says(
                tr("The backward run stopped after point %1 of 600.").arg(report.lastValid()),
                tr("A negative Maximum Time runs the reaction backwards from its start, "
                   "where the concentrations soon grow without bound; the boxes stay "
                   "empty after that point."));
        case StopCause::NegativeInput:
            return says(tr("The run stopped after point %1 of 600: a value below zero.")
                            .arg(report.lastValid()),
                        tr("A negative rate constant or concentration makes the concentrations "
                           "grow without bound. In a real reaction none is below zero; the "
                           "boxes stay empty after that point."));
        case StopCause::None:
        case StopCause::TooLarge:
        case StopCause::OutOfRange:
            break;
        }
        return says(tr("The run stopped after point %1 of 600: the numbers grew too large.")
                        .arg(report.lastValid()),
                    tr("The rate constants or concentrations are so large that the rates go "
                       "beyond the numbers the computer can hold. Make them smaller; the boxes "
                       "stay empty after that point."));
    }
    return {};
}

StatusText scaleText(DrawOutcome outcome)
{
    switch (outcome) {
    case DrawOutcome::Drawn:
        return {};
    case DrawOutcome::ZeroVerticalScale:
        return says(tr("Nothing drawn: the vertical scale needs a non-zero number."),
                    tr("The vertical scale is the box at the top left of the plot, in 10^-9 M."));
    case DrawOutcome::ZeroHorizontalScale:
        return says(tr("Nothing drawn: Maximum Time needs a non-zero number."));
    case DrawOutcome::VerticalScaleTooLarge:
        return says(
            tr("Nothing drawn: the vertical scale must be below %1.").arg(number(kLargestScale)),
            tr("The plot cannot draw a number that large. The vertical scale is the box "
               "at the top left of the plot, in 10^-9 M."));
    case DrawOutcome::HorizontalScaleTooLarge:
        return says(
            tr("Nothing drawn: Maximum Time must be below %1 msec.").arg(number(kLargestScale)),
            tr("The plot cannot draw a time that large."));
    }
    return {};
}

StatusText choiceText(ChoiceNote choice)
{
    switch (choice) {
    case ChoiceNote::KmUndefined:
        return says(tr("Km is undefined when k1 is 0, so the Km box is empty."),
                    tr("Km = (k-1 + k2) / k1."));
    case ChoiceNote::NoTimeSuggestion:
        return says(tr("No Maximum Time suggested: k2 + k-1 + k1 [S]0 is 0."),
                    tr("Maximum Time keeps its value."));
    }
    return {};
}

QString resultBoxName(ResultBox box)
{
    switch (box) {
    case ResultBox::EVal:
        return tr("[E]");
    case ResultBox::ESVal:
        return tr("[ES]");
    case ResultBox::SVal:
        return tr("[S]");
    case ResultBox::Vel:
        return tr("d[P]/dt");
    case ResultBox::ttt:
        return tr("Time Value");
    }
    return {};
}

StatusText acceptText(const AcceptRefusal &refusal)
{
    switch (refusal.outcome) {
    case AcceptOutcome::Accepted:
        return {};
    case AcceptOutcome::LogFull:
        return says(tr("Not accepted: the data table is full (20 readings)."),
                    tr("Choose Data > Clear All to start a new one."));
    case AcceptOutcome::EmptyBox: {
        const QString box = refusal.box ? resultBoxName(*refusal.box) : QString();
        if (refusal.stoppedAfter > 0)
            return says(tr("Not accepted: %1 is empty, as the run stopped after point %2.")
                            .arg(box)
                            .arg(refusal.stoppedAfter),
                        tr("Move the time slider to a point before the stop, or change the "
                           "inputs so the run completes."));
        return says(tr("Not accepted: %1 is empty.").arg(box),
                    tr("Plot or move the time slider to get a reading first."));
    }
    }
    return {};
}

QString boxName(const std::optional<RunInput> &box)
{
    if (!box)
        return tr("The vertical scale");
    switch (*box) {
    case RunInput::kk1:
        return tr("k1");
    case RunInput::kk2:
        return tr("k2");
    case RunInput::kk3:
        return tr("k-1");
    case RunInput::E0:
        return tr("[E]0");
    case RunInput::ES0:
        return tr("[ES]0");
    case RunInput::S0:
        return tr("[S]0");
    case RunInput::P0:
        return tr("[P]0");
    case RunInput::ttmax:
        return tr("Maximum Time");
    case RunInput::I0:
        return tr("[I]0");
    case RunInput::kk4:
        return tr("k3");
    case RunInput::kk5:
        return tr("k-3");
    case RunInput::kk6:
        return tr("k4");
    case RunInput::kk7:
        return tr("k-4");
    }
    return {};
}

} // namespace

StatusText noteText(const Note &note)
{
    struct Render {
        StatusText operator()(const RunReport &report) const { return runText(report); }
        StatusText operator()(DrawOutcome outcome) const { return scaleText(outcome); }
        StatusText operator()(ChoiceNote choice) const { return choiceText(choice); }
        StatusText operator()(const AcceptRefusal &refusal) const { return acceptText(refusal); }
        StatusText operator()(const EarlierRun &) const
        {
            return says(tr("The Results are from an earlier run: move the slider to read this "
                           "one."),
                        tr("Plot does not read the slider. Accept Data would record the "
                           "figures shown, with the run they came from."));
        }
        StatusText operator()(const Recorded &r) const
        {
            QString recorded = tr("Reading %1 of %2 recorded.").arg(r.row).arg(DataLog::kCapacity);
            if (r.earlierRun)
                recorded = tr("Reading %1 of %2 recorded, from the earlier run the Results show.")
                               .arg(r.row)
                               .arg(DataLog::kCapacity);
            if (!r.repeat)
                return says(recorded);
            const QString repeats = tr("It repeats the reading before it.");
            const QString twice = tr("The same figures were recorded twice; Data > Clear All "
                                     "starts the table again.");
            // From an earlier run and a repeat: the line keeps the first, the tooltip both.
            if (r.earlierRun)
                return says(recorded, repeats + QLatin1Char(' ') + twice);
            return says(recorded + QLatin1Char(' ') + repeats, twice);
        }
        StatusText operator()(const OutOfRange &r) const
        {
            if (r.constantsHidden)
                return says(tr("No run: binding is faster than the computer can count."),
                            tr("Its rate is beyond the numbers the computer can hold ([S]0 = %1, "
                               "[E]0 = %2): make [S]0 or [E]0 smaller.")
                                .arg(number(r.s0), number(r.e0)));
            return says(tr("No run: binding is faster than the computer can count."),
                        tr("Its rate, 100 k1 [S]0 + k-1 + k2 + k1 [E]0 / 10000, is beyond the "
                           "numbers the computer can hold (k1 = %1, [S]0 = %2, [E]0 = %3, "
                           "k-1 = %4, k2 = %5): make k1, [S]0 or [E]0 smaller.")
                            .arg(number(r.k1), number(r.s0), number(r.e0), number(r.kminus1),
                                 number(r.k2)));
        }
        StatusText operator()(const DecimalComma &comma) const
        {
            return says(tr("%1 reads as %2: the decimal point is \".\".")
                            .arg(boxName(comma.box), number(comma.readsAs)),
                        tr("Numbers are typed with a point in every language: 0.05, not 0,05."));
        }
    };
    return std::visit(Render{}, note);
}

StatusText notesText(const Notes &notes)
{
    QStringList shown, full;
    for (const Note &note : notes) {
        const StatusText text = noteText(note);
        if (!text.shown.isEmpty()) {
            shown << text.shown;
            full << text.full;
        }
    }
    return {shown.join(QStringLiteral("  ")), full.join(QLatin1Char('\n'))};
}

} // namespace enkin
