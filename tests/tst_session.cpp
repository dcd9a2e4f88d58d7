// The session: what each action of the main window does, without a window.
#include "engine/numtext.h"
#include "lab/session.h"

#include <QTest>

#include <algorithm>

using namespace enkin;

namespace {

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
    void inhibitedRunsAreSuggestedTimeToSettle_data();
    void inhibitedRunsAreSuggestedTimeToSettle();
    void runsThatDrawNothingSaySo();
    void acceptAndEarlierRuns();
    void inputsThatAreNamed();
};

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

void TestSession::inhibitedRunsAreSuggestedTimeToSettle_data()
{
    QTest::addColumn<QString>("inhibitor");
    QTest::addColumn<int>("row"); // of the [S]0 list
    // [I]0 in 10^-3 M; Ki = k-3 / k3 and aKi = k-4 / k4 are 10^-5 M times the ratio.
    QTest::newRow("competitive, slow binding, low [S]0") << "I0=0.005 kk4=1 kk5=1 kk6=0" << 5;
    QTest::newRow("competitive at 3 Ki, high [S]0") << "I0=0.03 kk4=1 kk5=1 kk6=0" << 10;
    QTest::newRow("uncompetitive, low [S]0") << "I0=0.01 kk4=0 kk6=1 kk7=1" << 5;
    QTest::newRow("uncompetitive, slow release") << "I0=0.02 kk4=0 kk6=0.5 kk7=0.2" << 8;
    QTest::newRow("mixed, aKi = 4 Ki") << "I0=0.01 kk4=1 kk5=1 kk6=1 kk7=4" << 6;
}

// A choice suggests a Maximum Time by which the inhibitor has taken its share: [ES] at the end of
// the run is the steady state's of the mixed law at [I] = [I]0 (the enzyme is a millionth of it).
void TestSession::inhibitedRunsAreSuggestedTimeToSettle()
{
    QFETCH(QString, inhibitor);
    QFETCH(int, row);
    Session session;
    setInputs(session.state().inputs, inhibitor);
    QVERIFY(session.chooseS0(row));
    session.sliderChanged(600, "1");
    const RunInputs &in = session.state().inputs;
    const double s = in.number(RunInput::S0), i = in.number(RunInput::I0);
    const double km = 0.02, ki = in.number(RunInput::kk5) / in.number(RunInput::kk4) / 100,
                 aki = in.number(RunInput::kk7) / in.number(RunInput::kk6) / 100;
    const double steady = s / (km * (1 + i / ki) + s * (1 + i / aki));
    const double es = session.state().trajectory.ESConc[600];
    QVERIFY2(std::abs(es / steady - 1) < 0.002,
             qPrintable(QStringLiteral("[ES] %1 of %2 after %3 ms")
                            .arg(es)
                            .arg(steady)
                            .arg(text(in.get(RunInput::ttmax)))));
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
