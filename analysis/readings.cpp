#include "analysis/readings.h"

#include "engine/units.h"

#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace enkin {

namespace {

// The readout cuts the velocity to three decimals of 1e-6 M/s: below 0.1 fewer than three
// significant digits are left.
constexpr double kThreeDigitVelocity = 0.1;

// The same enzyme, and the same inhibitor where both have one: a reading without inhibitor
// belongs with every inhibitor of its enzyme.
bool sameGroup(const ReadingGroup &g, const RunStart &run)
{
    const Inhibitor &in = run.inhibitor;
    const bool inhibitorFits = !run.inhibited() || g.inhibitor == Inhibitor{} ||
                               (g.inhibitor.k3 == in.k3 && g.inhibitor.kminus3 == in.kminus3 &&
                                g.inhibitor.k4 == in.k4 && g.inhibitor.kminus4 == in.kminus4);
    return g.k1 == run.k1 && g.k2 == run.k2 && g.kminus1 == run.kminus1 &&
           g.e0 == run.e0 + run.es0 && inhibitorFits;
}

// Ki or aKi in M from a release over a binding constant (1e3 /s over 1e8 /M/s): infinite where
// the inhibitor does not bind.
double dissociation(double release, double binding)
{
    return binding > 0 ? release / binding * units::kKm : INFINITY;
}

struct RngFree {
    void operator()(gsl_rng *r) const { gsl_rng_free(r); }
};

} // namespace

Mark marksOf(const LoggedReading &r)
{
    Mark marks = Mark::None;
    if (!isUsable(r.reading))
        marks = marks | Mark::NotUsable;
    const RunContext &run = r.run;
    if (run.known) {
        const RunStart &start = run.start;
        const double settled = kSteadyStateLifetimes / relaxationRate(start); // ms
        if (r.t * 1000 < settled || !std::isfinite(settled))
            marks = marks | Mark::BeforeSteadyState;
        if (!(run.esToGo <= kLargestEsToGo))
            marks = marks | Mark::StillChanging;
        if (run.substrateUsed > kLargestSubstrateUsed)
            marks = marks | Mark::SubstrateUsed;
        if (const auto km = units::michaelisConstant(start.k1, start.k2, start.kminus1)) {
            const double enzyme = (start.e0 + start.es0) * units::kEnzyme;
            const double share = enzyme / (start.s0 * units::kSubstrate + *km * units::kKm);
            if (share > kLargestEnzymeShare)
                marks = marks | Mark::EnzymeExcess;
        }
    }
    const double shown = r.reading.v / units::kVelocity;
    if (std::abs(shown) < kThreeDigitVelocity && shown != 0)
        marks = marks | Mark::FewDigits;
    return marks;
}

Study studyLog(const DataLog &log, const RunContext &current)
{
    Study study;
    const int count = std::clamp(log.SavedCount, 0, DataLog::kCapacity);
    for (int i = 1; i <= count; ++i) {
        LoggedReading r;
        r.row = i;
        r.t = log.SavedT[i] * units::kTime;
        r.s = log.SavedS[i] * units::kSubstrate;
        r.run = log.SavedRun[i].known ? log.SavedRun[i] : current;
        const double s0 = log.SavedRun[i].known ? r.run.start.s0 * units::kSubstrate : r.s;
        r.reading = {s0, log.SavedVel[i] * units::kVelocity};
        if (log.SavedRun[i].known && r.run.start.inhibited())
            r.i0 = r.run.start.inhibitor.i0 * units::kSubstrate;
        r.marks = marksOf(r);
        study.readings.push_back(r);
    }

    for (int i = 0; i < int(study.readings.size()); ++i) {
        LoggedReading &r = study.readings[i];
        const RunStart &run = r.run.start;
        auto group = std::find_if(study.groups.begin(), study.groups.end(),
                                  [&](const ReadingGroup &g) { return sameGroup(g, run); });
        if (group == study.groups.end()) {
            ReadingGroup g;
            g.k1 = run.k1;
            g.k2 = run.k2;
            g.kminus1 = run.kminus1;
            g.e0 = run.e0 + run.es0;
            g.eTotal = g.e0 * units::kEnzyme;
            g.truth = theoreticalConstants(g.k1, g.k2, g.kminus1, run.e0, run.es0);
            g.setting = r.run.setting;
            g.hidden = g.setting > 0;
            study.groups.push_back(g);
            group = study.groups.end() - 1;
        }
        group->members.push_back(i);
        r.group = int(group - study.groups.begin());
        if (run.inhibited() && group->inhibitor == Inhibitor{}) {
            group->inhibitor = {0, run.inhibitor.k3, run.inhibitor.kminus3, run.inhibitor.k4,
                                run.inhibitor.kminus4};
            group->ki = dissociation(run.inhibitor.kminus3, run.inhibitor.k3);
            group->alphaKi = dissociation(run.inhibitor.kminus4, run.inhibitor.k4);
        }
        if (std::find(group->levels.begin(), group->levels.end(), r.i0) == group->levels.end()) {
            group->levels.push_back(r.i0);
            std::sort(group->levels.begin(), group->levels.end());
        }
    }

    const auto differ = [&](auto field) {
        return std::any_of(study.groups.begin(), study.groups.end(), [&](const ReadingGroup &g) {
            return field(g) != field(study.groups.front());
        });
    };
    if (!study.groups.empty()) {
        study.differences.k1 = differ([](const ReadingGroup &g) { return g.k1; });
        study.differences.k2 = differ([](const ReadingGroup &g) { return g.k2; });
        study.differences.kminus1 = differ([](const ReadingGroup &g) { return g.kminus1; });
        study.differences.e0 = differ([](const ReadingGroup &g) { return g.e0; });
    }
    return study;
}

std::vector<double> gaussianSample(std::uint64_t seed, int count)
{
    const std::unique_ptr<gsl_rng, RngFree> rng(gsl_rng_alloc(gsl_rng_mt19937));
    gsl_rng_set(rng.get(), static_cast<unsigned long>(seed));
    std::vector<double> z;
    z.reserve(std::max(count, 0));
    for (int i = 0; i < count; ++i)
        z.push_back(gsl_ran_gaussian_ziggurat(rng.get(), 1.0));
    return z;
}

double withSimulatedError(double v, double z, double percent, ErrorModel model, double vmax)
{
    const double size = percent / 100 * z;
    if (size == 0)
        return v;
    return model == ErrorModel::Constant ? v + size * vmax : v * (1 + size);
}

bool isIncluded(const LoggedReading &reading, const StudyChoices &choices)
{
    const std::size_t index = std::size_t(reading.row - 1);
    if (index < choices.included.size() && choices.included[index])
        return *choices.included[index] && !has(reading.marks, Mark::NotUsable);
    return !has(reading.marks, kLeftOutByDefault);
}

void carryOverChoices(StudyChoices &choices, const Study &before, const Study &now)
{
    const auto same = [](const LoggedReading &a, const LoggedReading &b) {
        return a.t == b.t && a.reading.s == b.reading.s && a.reading.v == b.reading.v;
    };
    choices.included.resize(now.readings.size());
    for (std::size_t i = 0; i < now.readings.size(); ++i)
        if (i >= before.readings.size() || !same(before.readings[i], now.readings[i]))
            choices.included[i].reset();
}

RunContext runContextAt(const RunStart &start, const Trajectory &trajectory, int v)
{
    RunContext run{.known = true, .start = start};
    if (v < Trajectory::kFirst || v > Trajectory::kLast)
        return run;
    run.point = v;
    // In the pre-steady state [ES] approaches its steady level like exp(-lambda t): its rate of
    // change over lambda [ES] is the share of the change still to come.
    const Inhibitor &in = start.inhibitor;
    const RateSet rates{start.k1, start.k2, start.kminus1, in.k3, in.kminus3, in.k4, in.kminus4};
    const double es = trajectory.ESConc[v];
    double change = fn2(rates, trajectory.EConc[v], es, trajectory.SConc[v], trajectory.PConc[v],
                        trajectory.TimeVal[v]);
    if (start.inhibited()) {
        Concentrations x;
        for (int k = 0; k < kSpecies; ++k)
            x[std::size_t(k)] = (trajectory.*kSpeciesColumns[k])[std::size_t(v)];
        change = inhibitedRates(rates, x)[kES];
    }
    const double toGo = std::abs(change) / (relaxationRate(start) * std::abs(es));
    run.esToGo = std::isfinite(toGo) ? toGo : std::nan("");
    if (start.s0 != 0)
        run.substrateUsed = (start.s0 - trajectory.SConc[v]) / start.s0;
    return run;
}

GroupFit fitGroup(const Study &study, int group, const StudyChoices &choices)
{
    GroupFit fit;
    if (group < 0 || group >= int(study.groups.size()))
        return fit;
    const std::vector<double> z = choices.errorPercent != 0
                                      ? gaussianSample(choices.seed, int(study.readings.size()))
                                      : std::vector<double>(study.readings.size(), 0.0);
    const ReadingGroup &g = study.groups[std::size_t(group)];
    // Constant error is a share of the true Vmax, or of the largest velocity where there is none.
    double vmax = g.truth.vmax;
    if (!(g.truth.vmaxDefined && vmax > 0)) {
        vmax = 0;
        for (int i : g.members)
            vmax = std::max(vmax, std::abs(study.readings[std::size_t(i)].reading.v));
    }
    for (int i : g.members) {
        const LoggedReading &r = study.readings[std::size_t(i)];
        Reading withError = r.reading;
        withError.v = withSimulatedError(r.reading.v, z[std::size_t(r.row - 1)],
                                         choices.errorPercent, choices.errorModel, vmax);
        fit.shown.push_back(withError);
        if (isIncluded(r, choices)) {
            fit.used.push_back(i);
            fit.fitted.push_back(withError);
        } else {
            fit.leftOut.push_back(i);
        }
    }
    for (std::size_t m = 0; m < kMethods.size(); ++m)
        fit.methods[m] = fitMethod(kMethods[m], fit.fitted, choices.errorModel);
    return fit;
}

InhibitionStudy fitGroupInhibition(const Study &study, int group, const StudyChoices &choices)
{
    if (group < 0 || group >= int(study.groups.size()) ||
        study.groups[std::size_t(group)].levels.size() < 2)
        return {};
    // The readings as fitGroup fits them, with their simulated error, each at its [I]0.
    const GroupFit fit = fitGroup(study, group, choices);
    std::vector<InhibitionReading> readings;
    for (std::size_t k = 0; k < fit.used.size(); ++k)
        readings.push_back(
            {fit.fitted[k].s, study.readings[std::size_t(fit.used[k])].i0, fit.fitted[k].v});
    return fitInhibition(readings, choices.errorModel);
}

} // namespace enkin
