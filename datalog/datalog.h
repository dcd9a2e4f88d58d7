// The student's notebook: up to 20 accepted readings, in the units of the Results boxes.
#pragma once

#include "engine/integrate.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Marks an English text of a core's table for the translation catalogue, in `context`; the
// window that shows it translates it (lupdate reads this as QT_TRANSLATE_NOOP).
#define ENKIN_TRANSLATE_NOOP(context, text) text

namespace enkin {

// Turns an English text of a core into the interface's language; the cores call it for the texts
// they mark with ENKIN_TRANSLATE_NOOP.
using Translate = std::function<std::string(const char *)>;

// The run a reading was taken from, beside the five figures the student sees: the inputs it
// started from, in the units of the run inputs ([S]0 in 1e-3 M, [E]0 and [ES]0 in 1e-9 M, k1 in
// 1e8 /M/s, k2 and k-1 in 1e3 /s, Maximum Time in ms), and how settled it was at the reading's
// grid point. The fits plot velocity against [S]0, and each run's own Km and Vmax are the truth
// its readings are compared with.
struct RunContext {
    bool known = false; // false for a reading accepted without a run behind it
    RunStart start;
    int point = 1; // the slider's grid point, 1..600
    // How far [ES] still is from its steady level, as a fraction of [ES]: |d[ES]/dt| / (relaxation
    // rate * [ES]). [ES] approaches its level at the relaxation rate, so this is the change still
    // to come. It dies away with the pre-steady state, as exp(-rate * t) / (1 - exp(-rate * t)),
    // and stays large where there is no steady state to reach (enzyme in excess of the
    // substrate). NaN where [ES] is 0 or a value is not finite.
    double esToGo = 0;
    // ([S]0 - [S]) / [S]0 at the reading, exact (not cut like the readout); 0 when [S]0 is 0.
    double substrateUsed = 0;
    // In an assignment, the row of the k2 list (1..3) whose hidden enzyme ran; 0 outside one.
    int setting = 0;
    // The assignment hides the inhibitor's four rate constants too.
    bool inhibitorHidden = false;
};

// Reading i (1 <= i <= SavedCount) is held at index i of the five columns; index 0 holds none.
// Slots above SavedCount may hold stale readings from before a Clear All and are never read.
struct DataLog {
    static constexpr int kCapacity = 20;
    using Column = std::array<double, kCapacity + 1>;
    Column SavedT{};   // time, ms
    Column SavedE{};   // [E], 1e-9 M
    Column SavedES{};  // [ES], 1e-9 M
    Column SavedS{};   // [S], 1e-3 M
    Column SavedVel{}; // d[P]/dt, 1e-6 M/s
    std::array<RunContext, kCapacity + 1> SavedRun{};
    int SavedCount = 0;
};

// The texts of the five Results boxes at the moment of an accept.
struct ReadingTexts {
    std::string_view EVal;
    std::string_view ESVal;
    std::string_view SVal;
    std::string_view Vel;
    std::string_view ttt;
};

// The five boxes an accept reads, in the order it reads them.
enum class ResultBox { EVal, ESVal, SVal, Vel, ttt };

// The first box with nothing to read in it (empty or blanks only), if any.
std::optional<ResultBox> firstEmptyBox(const ReadingTexts &texts);

enum class AcceptOutcome {
    Accepted,
    LogFull,  // 20 readings are held already; a 21st would have nowhere to go
    EmptyBox, // a stopped or refused run left a Results box without a figure
};

// Appends the shown figures as the next reading: the count goes up first, then each box text
// is read with the leading-number parse into index SavedCount, in the order [E], [ES], [S],
// velocity, time. A refused accept leaves the log exactly as it was. A box that holds text
// which does not start with a number reads as 0; only a box with nothing to read in it (empty
// or blanks only) is refused, since storing 0 there would pass off a missing reading as a real
// one.
// `run` is kept at the same index.
AcceptOutcome acceptReading(DataLog &log, const ReadingTexts &texts, const RunContext &run = {});

// Clear All: the log reads as empty. The columns are left as they are; the next accept
// overwrites row 1.
void clearAll(DataLog &log);

inline constexpr std::string_view kNoSavedData = "There is no saved data.";

// The text of the Saved Data window: a dotted heading and one line per reading in molar and
// second units, each line preceded by "\r\n" and the last one not followed by any, or
// kNoSavedData for an empty log. Fields stand at fixed character columns (time 1, [E] 16,
// [ES] 31, [S] 46, velocity 61) in a 75-character line; a field too long for its 15 columns
// runs on and is overwritten by the next field written, and the time, written last, may
// overwrite the start of [E].
std::string savedDataText(const DataLog &log);

// The same readings as tab-separated columns for a spreadsheet: a header row naming each
// column with its unit, then one row per reading, each ending in "\n". Numbers are written
// with `decimalPoint`: a spreadsheet in a decimal-comma language reads "0.002" as text, or as
// 2. Before the velocity stands [S]0 of each reading's run, in M, so that velocity against [S]0
// pastes as two adjacent columns, x before y; it is empty for a reading without a known run.
// Empty for an empty log. The header's names pass through `translate` when one is given (context
// "enkin::DataForm").
std::string spreadsheetText(const DataLog &log, char decimalPoint = '.',
                            const Translate &translate = {});
// The same table in HTML, which spreadsheets paste cell by cell.
std::string spreadsheetHtml(const DataLog &log, char decimalPoint = '.',
                            const Translate &translate = {});

} // namespace enkin
