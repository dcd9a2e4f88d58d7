#include "lab/session.h"

#include "analysis/readings.h"
#include "engine/numtext.h"
#include "engine/units.h"
#include "params/choices.h"
#include "params/runstart.h"

#include <cmath>

namespace enkin {

namespace {

void note(Notes &notes, DrawOutcome outcome)
{
    if (outcome != DrawOutcome::Drawn)
        notes.emplace_back(outcome);
}

// Whether the text reads as another number once its first "," is a ".": "0,05" (0 against 0.05)
// does, "1,000" (1 against 1) does not.
bool commaChangesTheNumber(std::string_view text)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    std::string pointed(text);
    pointed[comma] = '.';
    return parseLeadingNumber(pointed) != parseLeadingNumber(text);
}

} // namespace

void Session::noteDecimalCommas(std::string_view maxyText, Notes &notes)
{
    for (RunInput input :
         {RunInput::ttmax, RunInput::kk1, RunInput::kk3, RunInput::E0, RunInput::ES0, RunInput::P0,
          RunInput::I0, RunInput::kk4, RunInput::kk5, RunInput::kk6, RunInput::kk7})
        if (commaChangesTheNumber(m_state.inputs.get(input)))
            notes.emplace_back(DecimalComma{input, m_state.inputs.number(input)});
    if (commaChangesTheNumber(maxyText))
        notes.emplace_back(DecimalComma{std::nullopt, parseLeadingNumber(maxyText)});
}

void Session::noteRun(Notes &notes) const
{
    const RunStart &s = m_last.start;
    if (m_last.cause == StopCause::OutOfRange && m_assignment)
        notes.emplace_back(OutOfRange{0, s.s0, 0, 0, s.e0 + s.es0, true});
    else if (m_last.cause == StopCause::OutOfRange)
        notes.emplace_back(OutOfRange{s.k1, s.s0, s.kminus1, s.k2, s.e0 + s.es0});
    else if (m_last.status == RunStatus::Stopped)
        notes.emplace_back(m_last);
}

void Session::startAssignment(const Assignment &assignment)
{
    m_assignment = assignment;
    m_state.inputs.setEnzyme(formatExact(assignment.k1), formatExact(assignment.k2[1]),
                             formatExact(assignment.kminus1));
    if (assignment.hasInhibitor()) {
        const RunInput constants[] = {RunInput::kk4, RunInput::kk5, RunInput::kk6, RunInput::kk7};
        for (std::size_t k = 0; k < 4; ++k)
            m_state.inputs.set(constants[k], formatExact(assignment.inhibitor[k]));
        m_state.inputs.hideInhibitor();
    }
}

int Session::enzymeSetting(const RunStart &start) const
{
    if (m_assignment && start.k1 == m_assignment->k1 && start.kminus1 == m_assignment->kminus1)
        for (std::size_t i = 0; i < m_assignment->k2.size(); ++i)
            if (start.k2 == m_assignment->k2[i])
                return int(i) + 1;
    return 0;
}

const RunReport &Session::run()
{
    IntegrateTrajectory(m_state.inputs, m_state.rateSet, m_state.trajectory, &m_last);
    return m_last;
}

PlotView Session::plot(std::string_view maxyText)
{
    const RunReport &last = run();
    PlotView view;
    noteDecimalCommas(maxyText, view.notes);
    noteRun(view.notes);
    const double ymax = parseLeadingNumber(maxyText);
    const DrawOutcome scale = checkScale(last.start.tmax, ymax);
    note(view.notes, scale);
    if (scale == DrawOutcome::Drawn)
        view.picture = {false, &m_state.trajectory, true,         last.start.tmax,
                        ymax,  last.lastValid(),    std::nullopt, last.start.inhibited()};
    if (showsEarlierRun())
        view.notes.emplace_back(EarlierRun{});
    return view;
}

SliderView Session::sliderChanged(int v, std::string_view maxyText)
{
    const RunReport &last = run();
    SliderView view;
    noteDecimalCommas(maxyText, view.notes);
    noteRun(view.notes);
    const double ymax = parseLeadingNumber(maxyText);
    const double t = sliderTime(v, last.start.tmax);
    view.ttt = timeText(t);
    const DrawOutcome scale = checkScale(last.start.tmax, ymax);
    note(view.notes, scale);
    // The surface starts empty for every slider change, unless nothing can be drawn on it: then
    // it keeps the last picture.
    if (scale == DrawOutcome::Drawn)
        view.picture = {true, &m_state.trajectory, true, last.start.tmax,
                        ymax, last.lastValid(),    t,    last.start.inhibited()};
    view.readout =
        readoutAt(m_state.trajectory, m_state.rateSet, v, last.lastValid(), last.start.inhibited());
    m_shown.ttt = *view.ttt;
    m_shown.EVal = view.readout->EVal;
    m_shown.ESVal = view.readout->ESVal;
    m_shown.Vel = view.readout->Vel;
    m_shown.SVal = view.readout->SVal;
    m_readoutRun = runContextAt(last.start, m_state.trajectory, v);
    return view;
}

std::string Session::kmText(Notes &notes) const
{
    const RateSet &r = m_state.rateSet;
    if (m_assignment)
        return {};
    if (const auto km = units::michaelisConstant(r.k1, r.k2, r.kminus1))
        return formatGeneral(*km);
    notes.emplace_back(ChoiceNote::KmUndefined);
    return {};
}

void Session::suggestMaximumTime(double s, Notes &notes)
{
    const RateSet &r = m_state.rateSet;
    std::optional<double> t = maximumTimeSuggestion(r.k1, r.k2, r.kminus1, s);
    // An inhibitor takes its share of the enzyme more slowly than the substrate does: ten times
    // the time constant of the slowest exchange among E, ES, EI and ESI, cut like the above. Ten,
    // not six: [ES] starts several times its steady level above it where the inhibitor binds ES.
    if (RunStart start = readRunStart(m_state.inputs); t && start.inhibited()) {
        start.s0 = s;
        const double slowest = std::floor(10 / relaxationRate(start) * 1000) / 1000;
        if (std::isfinite(slowest) && slowest > *t)
            t = slowest;
    }
    if (t)
        m_state.inputs.set(RunInput::ttmax, formatGeneral(*t));
    else
        notes.emplace_back(ChoiceNote::NoTimeSuggestion);
}

std::optional<ChoiceView> Session::chooseK2(int row)
{
    if (row < 0 || row >= int(kK2RowTexts.size()))
        return std::nullopt;
    RunInputs &in = m_state.inputs;
    RateSet &r = m_state.rateSet;
    ChoiceView view;
    if (m_assignment) {
        // The hidden k2, exactly, so that each reading finds its setting again.
        r.k2 = m_assignment->k2[std::size_t(row)];
        in.set(RunInput::kk2, formatExact(r.k2));
    } else {
        r.k2 = k2RowValue(row);
        in.set(RunInput::kk2, formatGeneral(r.k2));
    }
    r.k1 = in.number(RunInput::kk1);
    r.kminus1 = in.number(RunInput::kk3);
    view.km = kmText(view.notes);
    suggestMaximumTime(in.number(RunInput::S0), view.notes);
    return view;
}

std::optional<ChoiceView> Session::chooseS0(int row)
{
    if (row < 0 || row >= int(kS0RowTexts.size()))
        return std::nullopt;
    RunInputs &in = m_state.inputs;
    RateSet &r = m_state.rateSet;
    ChoiceView view;
    const double s = s0RowValue(row);
    in.set(RunInput::S0, formatGeneral(s));
    r.k1 = in.number(RunInput::kk1);
    r.k2 = in.number(RunInput::kk2);
    r.kminus1 = in.number(RunInput::kk3);
    suggestMaximumTime(s, view.notes);
    return view;
}

ParametersView Session::applyParameters()
{
    RunInputs &in = m_state.inputs;
    RateSet &r = m_state.rateSet;
    Trajectory &t = m_state.trajectory;
    ParametersView view;
    r.k1 = in.number(RunInput::kk1);
    r.k2 = in.number(RunInput::kk2);
    r.kminus1 = in.number(RunInput::kk3);
    t.EConc[1] = in.number(RunInput::E0);
    t.ESConc[1] = in.number(RunInput::ES0);
    t.SConc[1] = in.number(RunInput::S0);
    t.PConc[1] = in.number(RunInput::P0);
    view.km = kmText(view.notes);
    suggestMaximumTime(t.SConc[1], view.notes);
    view.maxy = in.get(RunInput::E0);
    return view;
}

Readout Session::initialValues()
{
    const RunInputs &in = m_state.inputs;
    const RunStart start = readRunStart(in);
    // No inhibitor is bound at the start of a run.
    const Readout r{formatGeneral(in.number(RunInput::E0)), formatGeneral(in.number(RunInput::ES0)),
                    formatGeneral(in.number(RunInput::P0)), formatGeneral(in.number(RunInput::S0)),
                    start.inhibited() ? "0" : ""};
    m_shown.EVal = r.EVal;
    m_shown.ESVal = r.ESVal;
    m_shown.Vel = r.Vel;
    m_shown.SVal = r.SVal;
    // The boxes now show the start of the run the inputs give.
    m_readoutRun = RunContext{.known = true, .start = start};
    return r;
}

bool Session::showsEarlierRun() const
{
    return m_readoutRun && m_readoutRun->start != readRunStart(m_state.inputs);
}

AcceptView Session::accept()
{
    RunContext run = m_readoutRun
                         ? *m_readoutRun
                         : RunContext{.known = true, .start = readRunStart(m_state.inputs)};
    run.setting = enzymeSetting(run.start);
    run.inhibitorHidden = run.setting > 0 && m_state.inputs.inhibitorHidden();
    const ReadingTexts texts{m_shown.EVal, m_shown.ESVal, m_shown.SVal, m_shown.Vel, m_shown.ttt};
    DataLog &log = m_state.dataLog;
    const AcceptOutcome outcome = acceptReading(log, texts, run);
    AcceptView view;
    if (outcome == AcceptOutcome::Accepted) {
        const int n = log.SavedCount;
        const bool repeat =
            n > 1 && log.SavedT[n] == log.SavedT[n - 1] && log.SavedE[n] == log.SavedE[n - 1] &&
            log.SavedES[n] == log.SavedES[n - 1] && log.SavedS[n] == log.SavedS[n - 1] &&
            log.SavedVel[n] == log.SavedVel[n - 1];
        view.recorded = true;
        view.notes.emplace_back(Recorded{n, repeat, showsEarlierRun()});
        return view;
    }
    AcceptRefusal refusal{outcome, std::nullopt, 0};
    if (outcome == AcceptOutcome::EmptyBox) {
        refusal.box = firstEmptyBox(texts);
        if (m_last.status == RunStatus::Stopped)
            refusal.stoppedAfter = m_last.lastValid();
    }
    view.notes.emplace_back(refusal);
    return view;
}

void Session::clearAll()
{
    enkin::clearAll(m_state.dataLog);
}

void Session::replaceLog(const DataLog &log)
{
    m_state.dataLog = log;
}

} // namespace enkin
