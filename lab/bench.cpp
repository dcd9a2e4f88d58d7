#include "lab/bench.h"

#include "engine/numtext.h"
#include "params/choices.h"
#include "params/runstart.h"

namespace enkin {

namespace {

void note(Notes &notes, const RunReport &report)
{
    if (report.status != RunStatus::Normal)
        notes.emplace_back(report);
}

void note(Notes &notes, DrawOutcome outcome)
{
    if (outcome != DrawOutcome::Drawn)
        notes.emplace_back(outcome);
}

} // namespace

const LastRun &Bench::run()
{
    m_last.start = readRunStart(m_state.inputs);
    m_last.report = integrateRun(m_last.start, m_state.rateSet, m_state.trajectory);
    return m_last;
}

PlotView Bench::plot(std::string_view maxyText)
{
    const LastRun &last = run();
    PlotView view;
    note(view.notes, last.report);
    if (last.refused())
        return view;
    const double ymax = parseLeadingNumber(maxyText);
    const DrawOutcome scale = checkScale(last.start.tmax, ymax);
    note(view.notes, scale);
    if (scale == DrawOutcome::Drawn)
        view.picture = {false, true, last.start.tmax, ymax, last.report.lastValid(), std::nullopt};
    return view;
}

SliderView Bench::sliderChanged(int v, std::string_view maxyText)
{
    const LastRun &last = run();
    SliderView view;
    note(view.notes, last.report);
    // A refused run leaves the plot, the time box and the Results as they were, so that Accept
    // Data never pairs a new time with the previous run's values.
    if (last.refused())
        return view;
    const double ymax = parseLeadingNumber(maxyText);
    const double t = sliderTime(v, last.start.tmax);
    view.ttt = timeText(t);
    const DrawOutcome scale = checkScale(last.start.tmax, ymax);
    note(view.notes, scale);
    // The surface starts empty for every slider change, unless nothing can be drawn on it: then
    // it keeps the last picture.
    if (scale == DrawOutcome::Drawn)
        view.picture = {true, true, last.start.tmax, ymax, last.report.lastValid(), t};
    view.readout = readoutAt(m_state.trajectory, m_state.rateSet, v, last.report.lastValid());
    return view;
}

std::string Bench::kmText(Notes &notes) const
{
    const RateSet &r = m_state.rateSet;
    if (const auto km = kmDisplay(r.k1, r.k2, r.kminus1))
        return formatGeneral(*km);
    notes.emplace_back(ChoiceNote::KmUndefined);
    return {};
}

void Bench::suggestMaximumTime(double s, Notes &notes)
{
    const RateSet &r = m_state.rateSet;
    if (const auto t = maximumTimeSuggestion(r.k1, r.k2, r.kminus1, s))
        m_state.inputs.set(RunInput::ttmax, formatGeneral(*t));
    else
        notes.emplace_back(ChoiceNote::NoTimeSuggestion);
}

std::optional<ChoiceView> Bench::chooseK2(int row)
{
    if (row < 0 || row >= int(kK2RowTexts.size()))
        return std::nullopt;
    RunInputs &in = m_state.inputs;
    RateSet &r = m_state.rateSet;
    ChoiceView view;
    r.k2 = k2RowValue(row);
    in.set(RunInput::kk2, formatGeneral(r.k2));
    r.k1 = in.number(RunInput::kk1);
    r.kminus1 = in.number(RunInput::kk3);
    view.km = kmText(view.notes);
    suggestMaximumTime(in.number(RunInput::S0), view.notes);
    return view;
}

std::optional<ChoiceView> Bench::chooseS0(int row)
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

ParametersView Bench::applyParameters()
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

Readout Bench::initialValues()
{
    RunInputs &in = m_state.inputs;
    return {formatGeneral(in.number(RunInput::E0)), formatGeneral(in.number(RunInput::ES0)),
            formatGeneral(in.number(RunInput::P0)), formatGeneral(in.number(RunInput::S0))};
}

AcceptOutcome Bench::accept(const ReadingTexts &texts)
{
    return acceptReading(m_state.dataLog, texts);
}

void Bench::clearAll()
{
    enkin::clearAll(m_state.dataLog);
}

} // namespace enkin
