// The student's session: what each action of the main window does, as plain functions that return
// what the window must show.
//
// The session owns the shared state and the last run. Plot and the time slider reach the engine by
// one path (run()), which reads the run inputs once; every result says which texts go into which
// boxes, what to draw and what the status bar says, and the window only copies it to its widgets.
// The slider handler runs nested inside a choice or OK that moves the slider to 1, so those
// actions come in two halves: the choice itself, and initialValues() after the slider has moved.
#pragma once

#include "datalog/datalog.h"
#include "engine/integrate.h"
#include "lab/module1.h"
#include "params/assignment.h"
#include "views/readout.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace enkin {

// A choice or OK that could not fill in a derived box.
enum class ChoiceNote {
    KmUndefined,      // k1 is 0: the Km box is left empty
    NoTimeSuggestion, // k2 + k-1 + k1 [S]0 is 0: Maximum Time keeps its text
};

// A box whose text stops being a number at a "," that a decimal comma would explain: "0,05"
// reads as 0. `box` is the run input, or nothing for the vertical scale.
struct DecimalComma {
    std::optional<RunInput> box;
    double readsAs = 0;
    bool operator==(const DecimalComma &) const = default;
};

// Accept Data refused: why, and for an empty box, which one, and where the run stopped (0 when
// it did not).
struct AcceptRefusal {
    AcceptOutcome outcome = AcceptOutcome::Accepted;
    std::optional<ResultBox> box;
    int stoppedAfter = 0;
    bool operator==(const AcceptRefusal &) const = default;
};

// The texts of the time box and the four Results boxes, as the window shows them: at start-up
// the initial ones, then what the last slider change or choice wrote.
struct ShownResults {
    std::string ttt = "0", EVal = "1", ESVal = "0", SVal = "1", Vel = "0";
};

// Accept Data recorded a reading: its row, whether its five figures repeat the row before, and
// whether they came from an earlier run than the inputs now give.
struct Recorded {
    int row = 0;
    bool repeat = false;
    bool earlierRun = false;
    bool operator==(const Recorded &) const = default;
};

// The time box and the Results show a run other than the one the inputs now give: Plot drew the
// new run, or an input changed since the slider last moved.
struct EarlierRun {
    bool operator==(const EarlierRun &) const = default;
};

// A run whose fastest rate (fastestRate) is beyond the double range: the inputs named are out
// of range for any run.
struct OutOfRange {
    double k1 = 0, s0 = 0, kminus1 = 0, k2 = 0, e0 = 0;
    bool constantsHidden = false; // an assignment's: k1, k-1 and k2 are not told
    bool operator==(const OutOfRange &) const = default;
};

// One thing the status bar tells the student; only notes with something to say are kept.
using Note = std::variant<RunReport, DrawOutcome, ChoiceNote, AcceptRefusal, Recorded, EarlierRun,
                          DecimalComma, OutOfRange>;
using Notes = std::vector<Note>;

// What the plot shows after an action, drawn in this order.
struct PlotPicture {
    bool clear = false;                     // erase the surface first
    const Trajectory *trajectory = nullptr; // the run whose curves are drawn, if any
    bool curves = false; // the curves of the trajectory, grid points 1..lastValid
    double tmax = 0;     // horizontal scale, ms
    double ymax = 0;     // vertical scale, 1e-9 M
    int lastValid = 0;
    std::optional<double> guideAt; // the grey guide line at this time, ms
    bool inhibited = false;        // the run has an inhibitor: [EI] + [ESI] is drawn too
};

struct PlotView {
    PlotPicture picture;
    Notes notes;
};

struct SliderView {
    PlotPicture picture;
    std::optional<std::string> ttt; // the time box, when it changes
    std::optional<Readout> readout; // the Results boxes, when they change
    Notes notes;
};

struct ChoiceView {
    // The Km box, when the action writes it ("" empties it; always "" in an assignment).
    std::optional<std::string> km;
    Notes notes;
};

struct AcceptView {
    bool recorded = false;
    Notes notes; // Recorded, or the AcceptRefusal that says why not
};

struct ParametersView {
    std::string km;   // the Km box ("" empties it; always "" in an assignment)
    std::string maxy; // the vertical scale: the E0 text exactly as typed
    Notes notes;
};

class Session {
public:
    Module1 &state() { return m_state; }
    const Module1 &state() const { return m_state; }
    const RunReport &lastRun() const { return m_last; }

    // Starts the session on an assignment: its enzyme gives the rate constants, with the k2 of
    // the list's middle row at first, and nothing the session returns tells them; each reading
    // records its enzyme setting (the list's row). Called before the window opens.
    void startAssignment(const Assignment &assignment);
    const std::optional<Assignment> &assignment() const { return m_assignment; }
    // The row of the k2 list (1..3) whose enzyme `start` runs, in an assignment; 0 for none.
    int enzymeSetting(const RunStart &start) const;

    // IntegrateTrajectory, the one way to the engine: reads the run inputs once and integrates.
    const RunReport &run();

    // Plot: integrates and draws over whatever the plot shows.
    PlotView plot(std::string_view maxyText);
    // A slider change to position v: integrates, redraws from an empty surface with the guide
    // line, and reads the values at v.
    SliderView sliderChanged(int v, std::string_view maxyText);

    // A row of the k2 or [S]0 list; nothing for a row that does not exist.
    std::optional<ChoiceView> chooseK2(int row);
    std::optional<ChoiceView> chooseS0(int row);
    // OK of the Initial Parameters dialog, up to the hiding of the dialog.
    ParametersView applyParameters();
    // What a choice writes into the Results boxes once the slider stands at 1: the parsed E0,
    // ES0 and S0 texts, and P0 in the velocity box.
    Readout initialValues();

    // The texts the time box and the Results boxes show now.
    const ShownResults &shown() const { return m_shown; }
    // Whether they belong to an earlier run than the inputs now give; the next slider move
    // reads the run afresh.
    bool showsEarlierRun() const;

    // Accept Data with the figures the boxes show, and Clear All. The reading keeps the run its
    // figures came from: the run of the last slider change, or the current inputs at time 0
    // before any.
    AcceptView accept();
    void clearAll();
    // The readings of a file that was opened, or of the recovery file, in place of the log's.
    void replaceLog(const DataLog &log);

private:
    std::string kmText(Notes &notes) const;
    void suggestMaximumTime(double s, Notes &notes);
    void noteDecimalCommas(std::string_view maxyText, Notes &notes);
    void noteRun(Notes &notes) const;

    Module1 m_state;
    std::optional<Assignment> m_assignment;
    RunReport m_last; // the last integration: what was run and how it went
    // The run and grid point that the Results boxes show, kept with each accepted reading; none
    // before the first slider change, when the boxes show the initial texts.
    std::optional<RunContext> m_readoutRun;
    ShownResults m_shown;
};

} // namespace enkin
