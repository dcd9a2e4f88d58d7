// The session: what each action of the main window does, without a window.
#include "engine/numtext.h"
#include "lab/session.h"

#include <QTest>

#include <algorithm>

using namespace enkin;

namespace {

// A list choice or OK. `setup` holds field texts set beforehand; `expected` reads
// "kk2 S0 | km ttmax maxy", with maxy "-" where the action leaves it, then the notes given.
struct Apply {
    const char *name, *trigger; // "k2list", "S0List" or "OK"
    int row;
    const char *setup, *expected;
};
// tst_parameters drives five more through the windows.
const Apply kApplies[] = {
    {"k2 row 0", "k2list", 0, "", "0.1 1 | 1.1 0.059 -"},
    {"k2 row 1, k1 3", "k2list", 1, "kk1=3", "1 1 | 0.666666666666667 0.019 -"},
    {"[S]0 row 0", "S0List", 0, "", "1.0 0.001 | - 2.857 -"},
    {"[S]0 row 10", "S0List", 10, "", "1.0 0.1 | - 0.5 -"},
    {"[S]0 row 13, an ulp above 0.6, reads 0.6", "S0List", 13, "", "1.0 0.6 | - 0.096 -"},
    {"[S]0 row 15", "S0List", 15, "", "1.0 1 | - 0.058 -"},
    {"OK: maxy gets the raw E0 text", "OK", -1, "E0=2.50", "1.0 1 | 2 0.058 2.50"},
    {"OK: k-1 2.5, k1 3", "OK", -1, "kk1=3 kk3=2.5", "1.0 1 | 1.16666666666667 0.019 1"},
    {"k1 0, k2 row 1: Km undefined", "k2list", 1, "kk1=0", "1 1 |  3 - Km"},
    {"k1 0, k-1 -1, [S]0 row 15", "S0List", 15, "kk1=0 kk3=-1", "1.0 1 | - 0.098 - Time"},
    // A negative denominator gives a negative suggestion, floored and written as it is.
    {"negative suggestion", "S0List", 0, "kk1=1 kk3=-8", "1.0 0.001 | - -0.87 -"},
    {"a row that does not exist", "S0List", 16, "", "1.0 1 | - 0.098 -"},
};

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

bool has(const Notes &notes, const Note &wanted)
{
    return std::find(notes.begin(), notes.end(), wanted) != notes.end();
}

// Sets run inputs from "name=text" words.
void setInputs(RunInputs &inputs, const QString &words)
{
    for (const QString &set : words.split(' ', Qt::SkipEmptyParts))
        inputs.set(*RunInputs::fromName(set.section('=', 0, 0).toStdString()),
                   set.section('=', 1).toStdString());
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void choiceOrOk_data();
    void choiceOrOk();
    void runsThatDrawNothingSaySo();
    void acceptAndEarlierRuns();
    void inputsThatAreNamed();
};

void TestSession::choiceOrOk_data()
{
    QTest::addColumn<int>("index");
    for (const Apply &a : kApplies)
        QTest::newRow(a.name) << int(&a - kApplies);
}

void TestSession::choiceOrOk()
{
    QFETCH(int, index);
    const Apply &a = kApplies[index];
    Session session;
    RunInputs &inputs = session.state().inputs;
    setInputs(inputs, QString(a.setup) + " ES0=none P0=5");
    const QString trigger = a.trigger;
    std::optional<std::string> km, maxy;
    Notes notes;
    if (trigger == "OK") {
        const ParametersView view = session.applyParameters();
        km = view.km;
        maxy = view.maxy;
        notes = view.notes;
    } else if (const auto view =
                   trigger == "k2list" ? session.chooseK2(a.row) : session.chooseS0(a.row)) {
        km = view->km;
        notes = view->notes;
    }
    const auto shown = [](const std::optional<std::string> &s) { return s ? text(*s) : "-"; };
    QCOMPARE(text(inputs.get(RunInput::kk2)) + ' ' + text(inputs.get(RunInput::S0)) + " | " +
                 shown(km) + ' ' + text(inputs.get(RunInput::ttmax)) + ' ' + shown(maxy) +
                 (has(notes, ChoiceNote::KmUndefined) ? " Km" : "") +
                 (has(notes, ChoiceNote::NoTimeSuggestion) ? " Time" : ""),
             QString(a.expected));
    // The rate constants follow the fields; OK also sets the first grid point from them.
    const RateSet &r = session.state().rateSet;
    if (trigger != "S0List" || a.row < 16)
        QCOMPARE(QString("%1 %2 %3").arg(r.k1).arg(r.k2).arg(r.kminus1),
                 QString("%1 %2 %3")
                     .arg(inputs.number(RunInput::kk1))
                     .arg(inputs.number(RunInput::kk2))
                     .arg(inputs.number(RunInput::kk3)));
    if (trigger == "OK")
        QCOMPARE(session.state().trajectory.EConc[1], inputs.number(RunInput::E0));
    // What a choice then writes into the Results boxes: the parsed texts, P0 in the velocity.
    const Readout initial = session.initialValues();
    QCOMPARE(text(initial.EVal + ' ' + initial.ESVal + ' ' + initial.Vel + ' ' + initial.SVal),
             QString::number(inputs.number(RunInput::E0)) + " 0 5 " +
                 QString::number(inputs.number(RunInput::S0)));
}

void TestSession::runsThatDrawNothingSaySo()
{
    // The vertical scale, the Maximum Time and other inputs; what the status bar says, and [E] in
    // the Results, which still read out the run.
    const struct {
        const char *maxy, *ttmax, *setup;
        DrawOutcome why;
        const char *e;
    } rows[] = {
        {"top", "0.098", "", DrawOutcome::ZeroVerticalScale, "0.019"},
        {"1e-50", "0.098", "", DrawOutcome::ZeroVerticalScale, "0.019"}, // below the single range
        {"1e39", "0.098", "", DrawOutcome::VerticalScaleTooLarge, "0.019"},
        {"1e308", "0.098", "", DrawOutcome::VerticalScaleTooLarge, "0.019"},
        {"1", "", "", DrawOutcome::ZeroHorizontalScale, "1"},
        {"1", "1e39", "kk1=0 kk2=0 kk3=0", DrawOutcome::HorizontalScaleTooLarge, "1"},
    };
    for (const auto &row : rows) {
        Session session;
        setInputs(session.state().inputs, QString("ttmax=") + row.ttmax + ' ' + row.setup);
        const SliderView slid = session.sliderChanged(600, row.maxy);
        const PlotView plotted = session.plot(row.maxy);
        for (const PlotPicture &p : {slid.picture, plotted.picture})
            QVERIFY2(!p.clear && !p.curves && !p.guideAt, row.maxy);
        QVERIFY2(has(slid.notes, row.why) && has(plotted.notes, row.why), row.maxy);
        QCOMPARE(text(slid.readout->EVal), row.e);
    }
    // A run that leaves the double range is drawn up to its stop; the boxes after it stay empty,
    // the time is still shown.
    Session session;
    setInputs(session.state().inputs, "kk1=-1 ttmax=5");
    const SliderView slid = session.sliderChanged(600, "1");
    QVERIFY(std::any_of(slid.notes.begin(), slid.notes.end(), [](const Note &n) {
        return std::holds_alternative<RunReport>(n) &&
               std::get<RunReport>(n).status == RunStatus::Stopped;
    }));
    QVERIFY(slid.picture.curves && slid.picture.lastValid < 600);
    QCOMPARE(text(*slid.ttt + '|' + slid.readout->EVal + slid.readout->SVal), "5|");
    // Accept Data then names the empty box and the stop that left it empty.
    const AcceptView refused = session.accept();
    QVERIFY(!refused.recorded && refused.notes.size() == 1);
    QVERIFY(has(refused.notes, AcceptRefusal{AcceptOutcome::EmptyBox, ResultBox::EVal,
                                             session.lastRun().lastValid()}));
    QVERIFY(session.lastRun().lastValid() > 1);
}

void TestSession::acceptAndEarlierRuns()
{
    // A reading is what the boxes show: the initial texts at start-up, then what the last slider
    // change or choice wrote into them. The same reading again is recorded, and said to repeat.
    Session session;
    const DataLog &log = session.state().dataLog;
    QVERIFY(has(session.accept().notes, Recorded{1, false}));
    QVERIFY(log.SavedE[1] == 1 && log.SavedES[1] == 0 && log.SavedS[1] == 1 && log.SavedT[1] == 0);
    QCOMPARE(session.sliderChanged(2, "1").readout->EVal, "0.983");
    QVERIFY(has(session.accept().notes, Recorded{2, false}));
    QVERIFY(has(session.accept().notes, Recorded{3, true}));
    QCOMPARE(log.SavedE[3] + log.SavedES[3], 0.983 + 0.016);
    // A choice writes the initial values, and they are what the next accept takes.
    session.chooseS0(10);
    session.initialValues();
    QVERIFY(has(session.accept().notes, Recorded{4, false}));
    QVERIFY(log.SavedS[4] == 0.1 && log.SavedVel[4] == 0 && log.SavedT[4] == 0.0);
    session.clearAll();
    QCOMPARE(log.SavedCount, 0);
    // Regression: after Plot with a longer Maximum Time the Results still showed the old run, and
    // nothing said so; Accept Data then recorded the old run's figures beside the new plot.
    session.sliderChanged(600, "1");
    QVERIFY(!session.showsEarlierRun());
    session.state().inputs.set(RunInput::ttmax, "0.2");
    QVERIFY(session.showsEarlierRun() && has(session.plot("1").notes, EarlierRun{}));
    QVERIFY(has(session.accept().notes, Recorded{1, false, true}));
    QCOMPARE(log.SavedRun[1].start.tmax, 0.5); // the run it came from, as the [S]0 row suggested
    session.sliderChanged(600, "1");
    QVERIFY(!session.showsEarlierRun() && !has(session.plot("1").notes, EarlierRun{}));
    // A choice with the slider at 1 shows the new run's start: no earlier run.
    session.sliderChanged(1, "1");
    session.chooseS0(10);
    session.initialValues();
    QVERIFY(!session.showsEarlierRun());
    // Regression: a finite [E] above about 1.8e305 overflowed when cut to three decimals and
    // left its box empty, and Accept Data then refused the row.
    setInputs(session.state().inputs, "kk1=0 E0=1e306");
    QCOMPARE(text(session.sliderChanged(600, "1").readout->EVal), "1E+306");
    QVERIFY(session.accept().recorded);
    QCOMPARE(log.SavedE[2], 1e306);
}

void TestSession::inputsThatAreNamed()
{
    // "0,05" reads as 0: the status bar names the box and says why. "1,000" reads as 1 either
    // way, so nothing is said of it.
    Session session;
    setInputs(session.state().inputs, "ttmax=0,05 E0=1,000");
    const PlotView view = session.plot("2,5");
    QVERIFY(has(view.notes, DecimalComma{RunInput::ttmax, 0}));
    QVERIFY(has(view.notes, DecimalComma{std::nullopt, 2}));
    QVERIFY(!has(view.notes, DecimalComma{RunInput::E0, 1}));
    QVERIFY(has(view.notes, DrawOutcome::ZeroHorizontalScale));
    QVERIFY(has(session.sliderChanged(2, "1").notes, DecimalComma{RunInput::ttmax, 0}));
    // Regression: with k1 or [S]0 of 1e309 the status bar advised a Maximum Time of 0, and
    // following it stopped the run at its first point. Now it names the inputs out of range.
    for (const char *input : {"kk1", "S0"}) {
        Session beyond;
        setInputs(beyond.state().inputs, QString(input) + "=1e309");
        const Notes notes = beyond.sliderChanged(600, "1").notes;
        QVERIFY2(notes.size() == 1 && std::holds_alternative<OutOfRange>(notes[0]), input);
    }
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
