// The readings of the data log as the Analysis window studies them: each with the run it came
// from, checked for the conditions of initial-rate analysis, grouped by the runs' constants, and
// fitted by the four methods against [S]0.
//
// Initial-rate analysis plots the steady-state velocity against the [S]0 the run started from.
// A reading taken before the steady state, or after the substrate has run down, or from a run
// with so much enzyme that the free substrate is no longer close to [S]0, does not measure that
// velocity; such a reading is marked, with the reason, and left out of the fits unless the
// student puts it back. Each mark is judged by time and by the state of the run, never by the
// spacing of its grid. Readings from runs with other rate constants or another amount of
// enzyme have another Km and Vmax, so they are fitted as separate groups, each against its own
// true values.
#pragma once

#include "analysis/fitmethods.h"
#include "analysis/inhibition.h"
#include "datalog/datalog.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace enkin {

// Why a reading is marked. All but FewDigits leave it out of the fits by default.
enum class Mark : unsigned {
    None = 0,
    BeforeSteadyState = 1 << 0, // time below 5 / the relaxation rate of the pre-steady state
    StillChanging = 1 << 1,     // [ES] still more than 1% from its steady level
    SubstrateUsed = 1 << 2,     // more than 10% of [S]0 is used
    NotUsable = 1 << 3,         // [S]0 or the velocity is not positive and finite
    FewDigits = 1 << 4,         // the velocity readout keeps fewer than three significant digits
    EnzymeExcess = 1 << 5,      // [E]0 + [ES]0 above 1% of [S]0 + Km, in molar units
};
constexpr Mark operator|(Mark a, Mark b)
{
    return Mark(unsigned(a) | unsigned(b));
}
constexpr bool has(Mark set, Mark m)
{
    return (unsigned(set) & unsigned(m)) != 0;
}
// The marks that leave a reading out unless the student puts it back: the reading does not
// measure the steady-state velocity at [S]0.
inline constexpr Mark kLeftOutByDefault = Mark::BeforeSteadyState | Mark::StillChanging |
                                          Mark::SubstrateUsed | Mark::NotUsable |
                                          Mark::EnzymeExcess;

// The pre-steady state dies away as exp(-relaxation rate * t): after five relaxation times less
// than 1% of it is left.
inline constexpr double kSteadyStateLifetimes = 5;
// The change of [ES] still to come, as a fraction of [ES] (RunContext::esToGo).
inline constexpr double kLargestEsToGo = 0.01;
inline constexpr double kLargestSubstrateUsed = 0.1;
// Enzyme above this share of [S]0 + Km (in M) holds so much of the substrate as ES that the free
// [S] is off [S]0 by about as much: Segel's condition for fitting the steady-state rate law
// against [S]0.
inline constexpr double kLargestEnzymeShare = 0.01;

// One row of the log, in molar and second units.
struct LoggedReading {
    int row = 0;     // 1-based, as in the Saved Data table
    double t = 0;    // s
    double s = 0;    // [S] read off the readout, M
    Reading reading; // [S]0 of the run (the readout's [S] when the run is unknown), v in M/s
    RunContext run;
    double i0 = 0; // [I]0 of the run, M; 0 without an inhibitor
    Mark marks = Mark::None;
    int group = 0; // index into Study::groups; -1 for a reading that cannot be fitted
};

Mark marksOf(const LoggedReading &reading);

// Readings whose runs share k1, k2, k-1 and [E]0 + [ES]0, and, where they hold an inhibitor, its
// constants: one enzyme, measured without inhibitor and at each [I]0 of one inhibitor.
struct ReadingGroup {
    double k1 = 0, k2 = 0, kminus1 = 0, e0 = 0; // engine units; e0 is [E]0 + [ES]0
    double eTotal = 0;                          // M
    TheoreticalConstants truth;
    // The inhibitor of the readings with one (k3, k-3, k4, k-4 in engine units; all 0 while no
    // reading has an inhibitor), its true Ki and aKi in M (infinite where it does not bind), and
    // the different [I]0 of the readings, in M, ascending (0 among them).
    Inhibitor inhibitor;
    double ki = 0, alphaKi = 0;
    std::vector<double> levels;
    std::vector<int> members; // indices into Study::readings
    // An assignment's group: its constants and true values are for the fits only and never
    // shown; `setting` is its row of the k2 list (1..3), 0 when not known.
    bool hidden = false;
    int setting = 0;
};

// What differs between the groups, for the sentence that says why the readings were split.
struct GroupDifferences {
    bool k1 = false, k2 = false, kminus1 = false, e0 = false;
};

struct Study {
    std::vector<LoggedReading> readings;
    std::vector<ReadingGroup> groups;
    GroupDifferences differences;
};

// Reads rows 1..SavedCount. A reading without a known run joins the group of the current inputs
// (`current`), which is then also the truth it is compared with.
Study studyLog(const DataLog &log, const RunContext &current);

// Standard normal numbers z_i drawn in log order from a Mersenne Twister seeded with `seed`, so
// that a seed always gives the same sample and leaving a reading out changes no other.
std::vector<double> gaussianSample(std::uint64_t seed, int count);

// Simulated measurement error on a velocity v of a group with true Vmax `vmax`, for the standard
// normal number z: constant error adds (percent / 100) Vmax z, the same size for every reading;
// proportional error multiplies by 1 + (percent / 100) z.
double withSimulatedError(double v, double z, double percent, ErrorModel model, double vmax);

// The student's choices: which rows are left out (by row, 1-based; nothing chosen keeps the
// default), and the simulated error: its size, its model (which also sets the direct fit's
// weights) and the seed of its sample.
struct StudyChoices {
    std::vector<std::optional<bool>> included; // index row - 1
    double errorPercent = 0;
    ErrorModel errorModel = ErrorModel::Constant;
    std::uint64_t seed = 1;
};

bool isIncluded(const LoggedReading &reading, const StudyChoices &choices);

// After the log changed from `before` to `now`: a row keeps the student's choice while it holds
// the same reading (time, [S]0, velocity); a row with another reading goes back to the default.
void carryOverChoices(StudyChoices &choices, const Study &before, const Study &now);

// How settled the run from `start` is at grid point v of its trajectory, as the marks judge it:
// the share of [ES]'s change still to come and the share of the substrate used.
RunContext runContextAt(const RunStart &start, const Trajectory &trajectory, int v);

// A group's fits, with the readings as fitted (the velocities with the simulated error).
struct GroupFit {
    std::vector<int> used;       // indices into Study::readings
    std::vector<int> leftOut;    // members left out, by default or by choice
    std::vector<Reading> fitted; // the used readings with their simulated error
    std::vector<Reading> shown;  // every member, with its simulated error, in member order
    std::array<MethodFit, 4> methods;
};

GroupFit fitGroup(const Study &study, int group, const StudyChoices &choices);

// The global fit of a group's readings at more than one [I]0 to the three inhibition laws, with
// the same readings, choices and simulated error as fitGroup. Empty (every model TooFewReadings)
// for a group at one [I]0.
InhibitionStudy fitGroupInhibition(const Study &study, int group, const StudyChoices &choices);

} // namespace enkin
