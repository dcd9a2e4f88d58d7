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
    int row, firstK2Row;        // firstK2Row: chosen before the setup, -1 for none
    const char *setup, *expected;
};
const Apply kApplies[] = {
    {"k2 row 0", "k2list", 0, -1, "", "0.1 1 | 1.1 0.059 -"},
    {"k2 row 1, k1 3", "k2list", 1, -1, "kk1=3", "1 1 | 0.666666666666667 0.019 -"},
    {"k2 row 2 again after k1 3", "k2list", 2, 2, "kk1=3", "10 1 | 3.66666666666667 0.019 -"},
    {"k2 row 2", "k2list", 2, -1, "E0=2.50", "10 1 | 11 0.054 -"},
    {"[S]0 row 0", "S0List", 0, -1, "", "1.0 0.001 | - 2.857 -"},
    // 0.1 + (1 + 0.1) is just above 1.2 in double precision; the quotient is floored.
    {"[S]0 row 0 after k2 row 0: 4.999", "S0List", 0, 0, "", "0.1 0.001 | - 4.999 -"},
    {"[S]0 row 10", "S0List", 10, -1, "", "1.0 0.1 | - 0.5 -"},
    {"[S]0 row 13, an ulp above 0.6, reads 0.6", "S0List", 13, -1, "", "1.0 0.6 | - 0.096 -"},
    {"[S]0 row 15", "S0List", 15, -1, "", "1.0 1 | - 0.058 -"},
    {"OK on fresh texts", "OK", -1, -1, "", "1.0 1 | 2 0.058 1"},
    {"OK: maxy gets the raw E0 text", "OK", -1, -1, "E0=2.50", "1.0 1 | 2 0.058 2.50"},
    {"OK: k-1 2.5, k1 3", "OK", -1, -1, "kk1=3 kk3=2.5", "1.0 1 | 1.16666666666667 0.019 1"},
    {"k1 0, k2 row 1: Km undefined", "k2list", 1, -1, "kk1=0", "1 1 |  3 - Km"},
    {"k1 0, k-1 -1, [S]0 row 15", "S0List", 15, -1, "kk1=0 kk3=-1", "1.0 1 | - 0.098 - Time"},
    {"k1 0, k-1 -1, OK: neither", "OK", -1, -1, "kk1=0 kk3=-1", "1.0 1 |  0.098 1 Km Time"},
    // A negative denominator gives a negative suggestion, floored and written as it is.
    {"negative suggestion", "S0List", 0, -1, "kk1=1 kk3=-8", "1.0 0.001 | - -0.87 -"},
    {"a row that does not exist", "S0List", 16, -1, "", "1.0 1 | - 0.098 -"},
};

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

bool has(const Notes &notes, const Note &wanted)
{
    return std::any_of(notes.begin(), notes.end(), [&](const Note &n) {
        if (n.index() != wanted.index())
            return false;
        if (const auto *report = std::get_if<RunReport>(&n))
            return report->status == std::get<RunReport>(wanted).status;
        if (const auto *scale = std::get_if<DrawOutcome>(&n))
            return *scale == std::get<DrawOutcome>(wanted);
        if (const auto *choice = std::get_if<ChoiceNote>(&n))
            return *choice == std::get<ChoiceNote>(wanted);
        if (const auto *comma = std::get_if<DecimalComma>(&n))
            return comma->box == std::get<DecimalComma>(wanted).box &&
                   comma->readsAs == std::get<DecimalComma>(wanted).readsAs;
        if (const auto *recorded = std::get_if<Recorded>(&n))
            return recorded->row == std::get<Recorded>(wanted).row &&
                   recorded->repeat == std::get<Recorded>(wanted).repeat &&
                   recorded->earlierRun == std::get<Recorded>(wanted).earlierRun;
        if (std::holds_alternative<EarlierRun>(n))
            return true;
        return std::get<AcceptRefusal>(n).outcome == std::get<AcceptRefusal>(wanted).outcome;
    });
}

RunReport status(RunStatus s)
{
    RunReport r;
    r.status = s;
    return r;
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void choiceOrOk_data();
    void choiceOrOk();
    void sliderReadsOutTheRun_data();
    void sliderReadsOutTheRun();
    void plotAndSliderShareOneRun();
    void runsThatDrawNothingSaySo_data();
    void runsThatDrawNothingSaySo();
    void acceptAndClear();
    void earlierRunIsSaid();
    void hugeReadingsAreShownAndAccepted();
    void decimalCommasAreNamed();
    void inputsBeyondAnyRunAreNamed();
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
    if (a.firstK2Row >= 0)
        QVERIFY(session.chooseK2(a.firstK2Row));
    for (const QString &set : (QString(a.setup) + " ES0=none P0=5").split(' ', Qt::SkipEmptyParts))
        inputs.set(*RunInputs::fromName(set.section('=', 0, 0).toStdString()),
                   set.section('=', 1).toStdString());
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

void TestSession::sliderReadsOutTheRun_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<QString>("shown"); // ttt, EVal, ESVal, Vel, SVal
    QTest::newRow("v=1: time 0, initial values") << 1 << "0 1 0 0 1";
    QTest::newRow("v=2: time cut to 0, values moved") << 2 << "0 0.983 0.016 0.016 0.9999";
    QTest::newRow("v=301: half way") << 301 << "0.049 0.026 0.973 0.973 0.9999";
    QTest::newRow("v=599: time cut, not rounded") << 599 << "0.097 0.019 0.98 0.98 0.9999";
    QTest::newRow("v=600: the Maximum Time") << 600 << "0.098 0.019 0.98 0.98 0.9999";
}

void TestSession::sliderReadsOutTheRun()
{
    QFETCH(int, v);
    QFETCH(QString, shown);
    Session session;
    const SliderView view = session.sliderChanged(v, "1");
    QVERIFY(view.ttt && view.readout && view.notes.empty());
    const Readout &r = *view.readout;
    QCOMPARE(text(*view.ttt + ' ' + r.EVal + ' ' + r.ESVal + ' ' + r.Vel + ' ' + r.SVal), shown);
    // From an empty surface: the curves at the run's scales, and the guide line at the time.
    const PlotPicture &p = view.picture;
    QVERIFY(p.clear && p.curves && p.guideAt);
    QCOMPARE(p.tmax, 0.098);
    QCOMPARE(p.ymax, 1.0);
    QCOMPARE(p.lastValid, 600);
    QCOMPARE(*p.guideAt, (v - 1) / 599.0 * 0.098);
}

void TestSession::plotAndSliderShareOneRun()
{
    // One path to the engine: Plot and a slider change on the same texts give the same run, and
    // the picture's scale comes from one parse of the vertical-scale text.
    Session session;
    const SliderView slid = session.sliderChanged(300, " 2 .5x");
    const Trajectory afterSlider = session.state().trajectory;
    const PlotView plotted = session.plot(" 2 .5x");
    QVERIFY(!plotted.picture.clear && plotted.picture.curves && !plotted.picture.guideAt);
    QCOMPARE(slid.picture.ymax, 2.5);
    QCOMPARE(plotted.picture.ymax, 2.5);
    QVERIFY(session.state().trajectory.EConc == afterSlider.EConc);
    QVERIFY(session.state().trajectory.TimeVal == afterSlider.TimeVal);
    QCOMPARE(session.state().trajectory.TimeVal[600], 0.09799999999999932);
    QCOMPARE(session.lastRun().start.tmax, 0.098);
}

void TestSession::runsThatDrawNothingSaySo_data()
{
    QTest::addColumn<QString>("maxy");
    QTest::addColumn<QString>("ttmax");
    QTest::addColumn<QString>("setup");
    // 0 vertical scale 0, 1 horizontal scale 0, 2 stopped, 3 vertical and 4 horizontal too large
    QTest::addColumn<int>("note");
    QTest::newRow("maxy not a number") << "top"
                                       << "0.098"
                                       << "" << 0;
    QTest::newRow("maxy below the single range") << "1e-50"
                                                 << "0.098"
                                                 << "" << 0;
    QTest::newRow("maxy beyond the single range") << "1e39"
                                                  << "0.098"
                                                  << "" << 3;
    QTest::newRow("maxy 1e308") << "1e308"
                                << "0.098"
                                << "" << 3;
    QTest::newRow("ttmax empty") << "1"
                                 << ""
                                 << "" << 1;
    QTest::newRow("ttmax beyond the single range") << "1"
                                                   << "1e39"
                                                   << "kk1=0 kk2=0 kk3=0" << 4;
    QTest::newRow("a run that leaves the double range") << "1"
                                                        << "5"
                                                        << "kk1=-1" << 2;
}

void TestSession::runsThatDrawNothingSaySo()
{
    QFETCH(QString, maxy);
    QFETCH(QString, ttmax);
    QFETCH(QString, setup);
    QFETCH(int, note);
    Session session;
    session.state().inputs.set(RunInput::ttmax, ttmax.toStdString());
    for (const QString &set : setup.split(' ', Qt::SkipEmptyParts))
        session.state().inputs.set(*RunInputs::fromName(set.section('=', 0, 0).toStdString()),
                                   set.section('=', 1).toStdString());
    const SliderView slid = session.sliderChanged(600, maxy.toStdString());
    const PlotView plotted = session.plot(maxy.toStdString());
    if (note == 2) {
        // Drawn up to the stop; the boxes after it stay empty, the time is still shown.
        QVERIFY(has(slid.notes, status(RunStatus::Stopped)));
        QVERIFY(slid.picture.curves && slid.picture.lastValid < 600);
        QCOMPARE(text(*slid.ttt + '|' + slid.readout->EVal + slid.readout->SVal), "5|");
        return;
    }
    // Nothing is erased or drawn, the Results still read out the run, and the note says why.
    const DrawOutcome outcomes[] = {
        DrawOutcome::ZeroVerticalScale, DrawOutcome::ZeroHorizontalScale, DrawOutcome::Drawn,
        DrawOutcome::VerticalScaleTooLarge, DrawOutcome::HorizontalScaleTooLarge};
    const Note why = outcomes[note];
    for (const PlotPicture &p : {slid.picture, plotted.picture})
        QVERIFY(!p.clear && !p.curves && !p.guideAt);
    QVERIFY(has(slid.notes, why) && has(plotted.notes, why));
    QVERIFY(slid.ttt && slid.readout);
    QCOMPARE(text(slid.readout->EVal), note == 1 || note == 4 ? "1" : "0.019");
}

void TestSession::acceptAndClear()
{
    // A reading is what the boxes show: the initial texts at start-up, then what the last slider
    // change or choice wrote into them.
    Session session;
    const DataLog &log = session.state().dataLog;
    for (int i = 1; i <= DataLog::kCapacity; ++i)
        QVERIFY(session.accept().recorded);
    QVERIFY(has(session.accept().notes, AcceptRefusal{AcceptOutcome::LogFull, std::nullopt, 0}));
    QVERIFY(log.SavedE[20] == 1 && log.SavedES[20] == 0 && log.SavedS[20] == 1 &&
            log.SavedVel[20] == 0 && log.SavedT[20] == 0);
    session.clearAll();
    QCOMPARE(log.SavedCount, 0);
    // An empty box is named, and so is the stop of the run that left it empty.
    session.state().inputs.set(RunInput::kk1, "-1");
    session.state().inputs.set(RunInput::ttmax, "5");
    const SliderView stopped = session.sliderChanged(600, "1");
    const AcceptView afterStop = session.accept();
    QVERIFY(!afterStop.recorded && afterStop.notes.size() == 1);
    const auto &refusal = std::get<AcceptRefusal>(afterStop.notes[0]);
    QVERIFY(refusal.outcome == AcceptOutcome::EmptyBox && refusal.box == ResultBox::EVal);
    QCOMPARE(refusal.stoppedAfter, session.lastRun().lastValid());
    QVERIFY(refusal.stoppedAfter > 1);
    session.state().inputs.set(RunInput::kk1, "1");
    session.state().inputs.set(RunInput::ttmax, "0.098");
    const SliderView second = session.sliderChanged(2, "1");
    QCOMPARE(second.readout->EVal, "0.983");
    QVERIFY(has(session.accept().notes, Recorded{1, false}));
    // The same reading again is recorded, and said to repeat the one before.
    QVERIFY(has(session.accept().notes, Recorded{2, true}));
    QCOMPARE(log.SavedCount, 2);
    session.clearAll();
    QVERIFY(session.accept().recorded);
    QCOMPARE(log.SavedCount, 1);
    QCOMPARE(log.SavedE[1] + log.SavedES[1], 0.983 + 0.016);
    // A choice writes the initial values, and they are what the next accept takes.
    session.chooseS0(10);
    session.initialValues();
    QVERIFY(has(session.accept().notes, Recorded{2, false}));
    QVERIFY(log.SavedS[2] == 0.1 && log.SavedVel[2] == 0 && log.SavedT[2] == 0.0);
}

void TestSession::earlierRunIsSaid()
{
    // Regression: after Plot with a longer Maximum Time the Results still showed the old run, and
    // nothing said so; Accept Data then recorded the old run's figures beside the new plot.
    Session session;
    session.sliderChanged(600, "1");
    QVERIFY(!session.showsEarlierRun());
    session.state().inputs.set(RunInput::ttmax, "0.2");
    QVERIFY(session.showsEarlierRun());
    QVERIFY(has(session.plot("1").notes, EarlierRun{}));
    QVERIFY(has(session.accept().notes, Recorded{1, false, true}));
    QCOMPARE(session.state().dataLog.SavedRun[1].start.tmax, 0.098); // the run it came from
    session.sliderChanged(600, "1");
    QVERIFY(!session.showsEarlierRun() && !has(session.plot("1").notes, EarlierRun{}));
    // A choice with the slider at 1 shows the new run's start: no earlier run.
    session.sliderChanged(1, "1");
    session.chooseS0(10);
    session.initialValues();
    QVERIFY(!session.showsEarlierRun());
}

void TestSession::hugeReadingsAreShownAndAccepted()
{
    // Regression: a finite [E] above about 1.8e305 overflowed when cut to three decimals and
    // left its box empty, and Accept Data then refused the row.
    Session session;
    session.state().inputs.set(RunInput::kk1, "0");
    session.state().inputs.set(RunInput::E0, "1e306");
    const SliderView view = session.sliderChanged(600, "1");
    QVERIFY(view.readout);
    QCOMPARE(text(view.readout->EVal), "1E+306");
    QVERIFY(session.accept().recorded);
    QCOMPARE(session.state().dataLog.SavedE[1], 1e306);
}

void TestSession::decimalCommasAreNamed()
{
    // "0,05" reads as 0: the status bar names the box and says why. "1,000" reads as 1 either
    // way, so nothing is said of it.
    Session session;
    session.state().inputs.set(RunInput::ttmax, "0,05");
    session.state().inputs.set(RunInput::E0, "1,000");
    const PlotView view = session.plot("2,5");
    QVERIFY(has(view.notes, DecimalComma{RunInput::ttmax, 0}));
    QVERIFY(has(view.notes, DecimalComma{std::nullopt, 2}));
    QVERIFY(!has(view.notes, DecimalComma{RunInput::E0, 1}));
    QVERIFY(has(view.notes, DrawOutcome::ZeroHorizontalScale));
    QVERIFY(has(session.sliderChanged(2, "1").notes, DecimalComma{RunInput::ttmax, 0}));
}

void TestSession::inputsBeyondAnyRunAreNamed()
{
    // Regression: with k1 or [S]0 of 1e309 the status bar advised a Maximum Time of 0, and
    // following it stopped the run at its first point. Now it names the inputs out of range.
    for (const char *input : {"kk1", "S0"}) {
        Session session;
        session.state().inputs.set(*RunInputs::fromName(input), "1e309");
        const SliderView view = session.sliderChanged(600, "1");
        QVERIFY2(std::any_of(view.notes.begin(), view.notes.end(),
                             [](const Note &n) { return std::holds_alternative<OutOfRange>(n); }),
                 input);
        QVERIFY(!std::any_of(view.notes.begin(), view.notes.end(),
                             [](const Note &n) { return std::holds_alternative<RunReport>(n); }));
    }
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
