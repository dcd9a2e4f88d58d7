// Km and Vmax from the readings: the fits, and the Analysis window that shows them.
#include "datalog/analysis.h"
#include "datalog/analysiswindow.h"
#include "datalog/datalog.h"
#include "engine/integrate.h"
#include "engine/numtext.h"
#include "params/runinputs.h"

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <QXYSeries>

#include <cmath>
#include <limits>
#include <vector>

using namespace enkin;

using Readings = std::vector<Reading>;
Q_DECLARE_METATYPE(Readings)
Q_DECLARE_METATYPE(enkin::FitStatus)

namespace {

// The seven [S]0 of the exercise, in M: rows 5 to 11 of the program's [S]0 list.
const std::vector<double> kSevenS = {1e-5, 2e-5, 4e-5, 6e-5, 8e-5, 1e-4, 2e-4};

Readings onHyperbola(double km, double vmax, const std::vector<double> &sValues)
{
    Readings readings;
    for (double s : sValues)
        readings.push_back({s, vmax * s / (km + s)});
    return readings;
}

bool relativelyClose(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance * std::abs(expected);
}

QString relativeError(double actual, double expected)
{
    return QString::number(actual / expected - 1, 'g', 3);
}

// A log in its own units: [S] in 1e-3 M, velocity in 1e-6 M/s.
void fillLog(DataLog &log, const Readings &readings)
{
    log.SavedCount = static_cast<int>(readings.size());
    for (int i = 1; i <= log.SavedCount; ++i) {
        log.SavedS[i] = readings[i - 1].s / 1e-3;
        log.SavedVel[i] = readings[i - 1].v / 1e-6;
    }
}

template <typename T> T *child(QWidget &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

QXYSeries *seriesOf(QWidget &window, const char *chart, const char *series)
{
    QChartView *view = child<QChartView>(window, chart);
    for (QAbstractSeries *s : view->chart()->series())
        if (s->objectName() == QLatin1String(series))
            return qobject_cast<QXYSeries *>(s);
    qFatal("no series %s in %s", series, chart);
}

QString text(QWidget &window, const char *label)
{
    return child<QLabel>(window, label)->text();
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT

private slots:
    void exactReadingsRecovered_data();
    void exactReadingsRecovered();
    void directFitConvergesFromAnyStart_data();
    void directFitConvergesFromAnyStart();
    void programReadingsRecoverTheory_data();
    void programReadingsRecoverTheory();
    void readingSelection_data();
    void readingSelection();
    void degenerateReadings_data();
    void degenerateReadings();
    void readingsFromLogConvertUnits();
    void theoreticalConstants_data();
    void theoreticalConstants();

    void windowShowsSevenReadings();
    void windowSaysWhatIsMissing_data();
    void windowSaysWhatIsMissing();
    void windowDegenerateLine();
    void windowExtremeReadings();
    void windowPlotsThePoints();
    void refreshButtonFollowsLogAndInputs();
    void closeHidesCloseBoxDestroys();
};

void TestAnalysis::exactReadingsRecovered_data()
{
    QTest::addColumn<double>("km");
    QTest::addColumn<double>("vmax");
    QTest::addColumn<std::vector<double>>("sValues");
    // Km and Vmax of the program's parameter sets: k1 = k-1 = 1, k2 from the k2 list, [E]0 = 1.
    QTest::newRow("seven [S], k2 = 1") << 2e-5 << 1e-6 << kSevenS;
    QTest::newRow("seven [S], k2 = 10") << 1.1e-4 << 1e-5 << kSevenS;
    QTest::newRow("seven [S], k2 = 0.1") << 1.1e-5 << 1e-7 << kSevenS;
    QTest::newRow("two [S] only") << 2e-5 << 1e-6 << std::vector<double>{1e-5, 1e-4};
    QTest::newRow("[S] far above Km, near saturation")
        << 1e-6 << 1e-6 << std::vector<double>{1e-5, 2e-5, 1e-4, 1e-3};
    QTest::newRow("[S] far below Km, nearly proportional")
        << 1e-2 << 1e-6 << std::vector<double>{1e-6, 1e-5, 1e-4};
}

// On readings that lie exactly on the hyperbola both fits must return its Km and Vmax to within
// rounding. 1e-9 relative leaves room for the conditioning of the near-linear rows (where Km is
// 100 times the largest [S]) while catching any error of method or units.
void TestAnalysis::exactReadingsRecovered()
{
    QFETCH(double, km);
    QFETCH(double, vmax);
    QFETCH(std::vector<double>, sValues);
    const Readings readings = onHyperbola(km, vmax, sValues);
    constexpr double tolerance = 1e-9;

    const ReciprocalFit line = fitReciprocalLine(readings);
    QCOMPARE(line.status, FitStatus::Ok);
    QCOMPARE(line.used, int(sValues.size()));
    QVERIFY2(relativelyClose(line.km, km, tolerance), qPrintable(relativeError(line.km, km)));
    QVERIFY2(relativelyClose(line.vmax, vmax, tolerance),
             qPrintable(relativeError(line.vmax, vmax)));
    QVERIFY(relativelyClose(line.slope, km / vmax, tolerance));
    QVERIFY(relativelyClose(line.intercept, 1 / vmax, tolerance));
    QVERIFY(relativelyClose(line.rSquared, 1, tolerance));

    const Analysis analysis = analyseReadings(readings);
    const HyperbolaFit &curve = analysis.curve;
    QCOMPARE(curve.status, FitStatus::Ok);
    QVERIFY2(relativelyClose(curve.km, km, tolerance), qPrintable(relativeError(curve.km, km)));
    QVERIFY2(relativelyClose(curve.vmax, vmax, tolerance),
             qPrintable(relativeError(curve.vmax, vmax)));
    // Exact readings leave no spread.
    QVERIFY(curve.kmError <= tolerance * km);
    QVERIFY(curve.vmaxError <= tolerance * vmax);
}

void TestAnalysis::directFitConvergesFromAnyStart_data()
{
    QTest::addColumn<double>("kmStart");
    QTest::addColumn<double>("vmaxStart");
    QTest::newRow("start 10 times too high") << 2e-4 << 1e-5;
    QTest::newRow("start 10 times too low") << 2e-6 << 1e-7;
    QTest::newRow("start far off, opposite ways") << 6e-4 << 3e-8;
    QTest::newRow("no start: median [S], largest velocity") << 0.0 << 0.0;
    QTest::newRow("unusable start: negative") << -2e-5 << 1e-6;
    QTest::newRow("unusable start: not finite") << std::numeric_limits<double>::quiet_NaN() << 1e-6;
}

// Started at the double-reciprocal estimates the direct fit has nothing left to do on exact
// readings; this makes sure the solver itself finds the minimum.
void TestAnalysis::directFitConvergesFromAnyStart()
{
    QFETCH(double, kmStart);
    QFETCH(double, vmaxStart);
    const HyperbolaFit fit = fitHyperbola(onHyperbola(2e-5, 1e-6, kSevenS), kmStart, vmaxStart);
    QCOMPARE(fit.status, FitStatus::Ok);
    QVERIFY(fit.iterations > 1);
    QVERIFY2(relativelyClose(fit.km, 2e-5, 1e-9), qPrintable(relativeError(fit.km, 2e-5)));
    QVERIFY2(relativelyClose(fit.vmax, 1e-6, 1e-9), qPrintable(relativeError(fit.vmax, 1e-6)));
}

void TestAnalysis::programReadingsRecoverTheory_data()
{
    QTest::addColumn<double>("k2");
    QTest::addColumn<double>("e0");
    QTest::addColumn<bool>("cutLikeTheReadout");
    QTest::addColumn<double>("lineTolerance");
    QTest::addColumn<double>("curveTolerance");

    // Unrounded readings differ from the steady-state law only by the transient still decaying
    // at the suggested time: [ES] is within exp(-6) = 0.25% of its steady state, which lowers
    // every velocity by the same fraction (Vmax 0.25% low, Km unchanged). The [S] read is the
    // [S] of that moment, so the substrate used does not count. 0.5% covers it.
    QTest::newRow("unrounded, k2 = 1") << 1.0 << 1.0 << false << 5e-3 << 5e-3;
    QTest::newRow("unrounded, k2 = 10") << 10.0 << 1.0 << false << 5e-3 << 5e-3;
    QTest::newRow("unrounded, k2 = 0.1") << 0.1 << 1.0 << false << 5e-3 << 5e-3;

    // The readout cuts [S] to 1e-7 M and the velocity to 1e-9 M/s, always downwards. At the
    // smallest [S]0, 1e-5 M, the substrate used during the run takes [S] just under it and the
    // cut then costs a whole 1e-7 M: 1% of that reading. The double-reciprocal line weighs that
    // reading most (its 1/[S] is largest), which moves its Km by up to 2.5%; the direct fit,
    // weighing the velocities evenly, stays within 1%. Velocities are at least 0.33e-6 M/s, so
    // their cut costs at most 0.3%; with k2 = 0.1 an [E]0 of 10 nM keeps them that large.
    QTest::newRow("as shown, k2 = 1 (the tutorial's run)") << 1.0 << 1.0 << true << 3e-2 << 1.5e-2;
    QTest::newRow("as shown, k2 = 10") << 10.0 << 1.0 << true << 3e-2 << 1.5e-2;
    QTest::newRow("as shown, k2 = 0.1, [E]0 = 10 nM") << 0.1 << 10.0 << true << 3e-2 << 1.5e-2;
}

// Readings taken from the program's own runs at seven [S]0, at the suggested Maximum Time and the
// last grid point, as the Results boxes show them.
void TestAnalysis::programReadingsRecoverTheory()
{
    QFETCH(double, k2);
    QFETCH(double, e0);
    QFETCH(bool, cutLikeTheReadout);
    QFETCH(double, lineTolerance);
    QFETCH(double, curveTolerance);

    RunInputs inputs;
    inputs.set(RunInput::kk2, formatGeneral(k2));
    inputs.set(RunInput::E0, formatGeneral(e0));
    const double k1 = inputs.number(RunInput::kk1);
    const double kminus1 = inputs.number(RunInput::kk3);

    Readings readings;
    for (double s0 : {0.01, 0.02, 0.04, 0.06, 0.08, 0.1, 0.2}) {
        inputs.set(RunInput::S0, formatGeneral(s0));
        const double tmax = intFloor(6 / (k2 + (kminus1 + s0 * (k1 * 100))) * 1000) / 1000;
        inputs.set(RunInput::ttmax, formatGeneral(tmax));
        RateSet rates;
        Trajectory trajectory;
        RunReport report;
        IntegrateTrajectory(inputs, rates, trajectory, &report);
        QCOMPARE(report.status, RunStatus::Normal);
        const int i = Trajectory::kLast;
        double s = trajectory.SConc[i];
        double v = rates.k2 * trajectory.ESConc[i];
        if (cutLikeTheReadout) {
            s = cutDecimals(s, 10000);
            v = cutDecimals(v, 1000);
        }
        readings.push_back({s * 1e-3, v * 1e-6});
    }

    const TheoreticalConstants theory =
        enkin::theoreticalConstants(k1, k2, kminus1, e0, inputs.number(RunInput::ES0));
    QVERIFY(theory.kmDefined && theory.vmaxDefined);
    const Analysis analysis = analyseReadings(readings);
    QCOMPARE(analysis.line.status, FitStatus::Ok);
    QCOMPARE(analysis.curve.status, FitStatus::Ok);
    QVERIFY2(relativelyClose(analysis.line.km, theory.km, lineTolerance),
             qPrintable(relativeError(analysis.line.km, theory.km)));
    QVERIFY2(relativelyClose(analysis.line.vmax, theory.vmax, lineTolerance),
             qPrintable(relativeError(analysis.line.vmax, theory.vmax)));
    QVERIFY2(relativelyClose(analysis.curve.km, theory.km, curveTolerance),
             qPrintable(relativeError(analysis.curve.km, theory.km)));
    QVERIFY2(relativelyClose(analysis.curve.vmax, theory.vmax, curveTolerance),
             qPrintable(relativeError(analysis.curve.vmax, theory.vmax)));
}

void TestAnalysis::readingSelection_data()
{
    QTest::addColumn<Readings>("readings");
    QTest::addColumn<int>("usable");
    QTest::addColumn<int>("leftOut");
    QTest::addColumn<int>("distinctS");
    QTest::addColumn<FitStatus>("status");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Readings seven = onHyperbola(2e-5, 1e-6, kSevenS);
    const auto plus = [](Readings r, const Reading &extra) {
        r.push_back(extra);
        return r;
    };

    QTest::newRow("missing: no readings") << Readings{} << 0 << 0 << 0 << FitStatus::TooFewReadings;
    QTest::newRow("missing: one reading")
        << Readings{{1e-5, 3e-7}} << 1 << 0 << 1 << FitStatus::TooFewReadings;
    QTest::newRow("missing: two readings at one [S]")
        << Readings{{1e-4, 8e-7}, {1e-4, 8.1e-7}} << 2 << 0 << 1 << FitStatus::TooFewReadings;
    QTest::newRow("missing: second [S] has zero velocity")
        << Readings{{1e-5, 3e-7}, {1e-4, 0}} << 1 << 1 << 1 << FitStatus::TooFewReadings;
    QTest::newRow("left out: reading at the start of a run, velocity 0")
        << plus(seven, {1e-4, 0}) << 7 << 1 << 7 << FitStatus::Ok;
    QTest::newRow("left out: zero [S]") << plus(seven, {0, 1e-7}) << 7 << 1 << 7 << FitStatus::Ok;
    QTest::newRow("left out: negative velocity")
        << plus(seven, {1e-4, -1e-9}) << 7 << 1 << 7 << FitStatus::Ok;
    QTest::newRow("left out: [S] whose reciprocal overflows")
        << plus(seven, {1e-310, 1e-7}) << 7 << 1 << 7 << FitStatus::Ok;
    QTest::newRow("left out: not finite")
        << plus(plus(seven, {inf, 1e-6}), {1e-4, nan}) << 7 << 2 << 7 << FitStatus::Ok;
    QTest::newRow("repeated [S] count once")
        << plus(seven, seven[3]) << 8 << 0 << 7 << FitStatus::Ok;
}

// Only readings with a positive, finite [S] and velocity enter the fits, and two different [S]
// are needed for two constants.
void TestAnalysis::readingSelection()
{
    QFETCH(Readings, readings);
    QFETCH(int, usable);
    QFETCH(int, leftOut);
    QFETCH(int, distinctS);
    QFETCH(FitStatus, status);

    const Analysis analysis = analyseReadings(readings);
    QCOMPARE(int(analysis.selection.usable.size()), usable);
    QCOMPARE(int(analysis.selection.leftOut.size()), leftOut);
    QCOMPARE(analysis.selection.distinctS, distinctS);
    QCOMPARE(analysis.line.status, status);
    QCOMPARE(analysis.curve.status, status);
    QCOMPARE(analysis.line.used, usable);
    QCOMPARE(analysis.curve.used, usable);
    QCOMPARE(analysis.line.hasLine, status == FitStatus::Ok);
    if (status == FitStatus::Ok) {
        // The left-out readings would have dragged the fits away from the hyperbola.
        QVERIFY(relativelyClose(analysis.line.km, 2e-5, 1e-9));
        QVERIFY(relativelyClose(analysis.curve.km, 2e-5, 1e-9));
    }
}

void TestAnalysis::degenerateReadings_data()
{
    QTest::addColumn<Readings>("readings");
    QTest::addColumn<bool>("interceptPositive");
    QTest::addColumn<FitStatus>("curveStatus");

    // 1/v against 1/[S]: (1e4, 1e6) and (2e4, 3e6) give a line with intercept -1e6 s/M. The
    // hyperbola through the two readings would need Km = -2e-4 M; the best positive one runs off
    // to an infinite Km.
    QTest::newRow("negative intercept, no hyperbola either")
        << Readings{{1e-4, 1e-6}, {5e-5, 1e-6 / 3}} << false << FitStatus::NotMeaningful;
    // A third reading near saturation lets the direct fit find a finite minimum.
    QTest::newRow("negative intercept, direct fit converges")
        << Readings{{1e-4, 1e-6}, {5e-5, 0.333e-6}, {2e-4, 1.05e-6}} << false << FitStatus::Ok;
    QTest::newRow("velocity falling with [S]: negative slope")
        << Readings{{1e-5, 1e-6}, {1e-4, 0.9e-6}, {2e-4, 0.8e-6}} << true
        << FitStatus::NotMeaningful;
    QTest::newRow("velocity the same at every [S]: zero slope")
        << Readings{{1e-5, 1e-6}, {1e-4, 1e-6}, {2e-4, 1e-6}} << true << FitStatus::NotMeaningful;
}

// Noisy readings can give a line that crosses the 1/v axis at or below zero, or falls; its Km and
// Vmax are then nonsense and must be reported as such, and nothing may be infinite or NaN.
void TestAnalysis::degenerateReadings()
{
    QFETCH(Readings, readings);
    QFETCH(bool, interceptPositive);
    QFETCH(FitStatus, curveStatus);

    const Analysis analysis = analyseReadings(readings);
    const ReciprocalFit &line = analysis.line;
    QCOMPARE(line.status, FitStatus::NotMeaningful);
    QVERIFY(line.hasLine);
    QVERIFY(std::isfinite(line.slope) && std::isfinite(line.intercept));
    QCOMPARE(line.intercept > 0, interceptPositive);
    QVERIFY(!(line.slope > 0 && line.intercept > 0));

    const HyperbolaFit &curve = analysis.curve;
    QCOMPARE(curve.status, curveStatus);
    if (curveStatus == FitStatus::Ok) {
        QVERIFY(curve.km > 0 && std::isfinite(curve.km));
        QVERIFY(curve.vmax > 0 && std::isfinite(curve.vmax));
        QVERIFY(std::isfinite(curve.kmError) && std::isfinite(curve.vmaxError));
        // The fit is the least-squares curve: the velocities lie on both sides of it.
        int above = 0, below = 0;
        for (const Reading &r : readings) {
            const double fitted = curve.vmax * r.s / (curve.km + r.s);
            (r.v > fitted ? above : below) += 1;
        }
        QVERIFY(above > 0 && below > 0);
    }
}

// The log holds [S] in 1e-3 M and velocities in 1e-6 M/s in rows 1..SavedCount.
void TestAnalysis::readingsFromLogConvertUnits()
{
    // Index 0 and the stale row 4 must not be read.
    DataLog log;
    log.SavedS = {99, 0.01, 0.2, 0.0099, 5};
    log.SavedVel = {99, 0.333, 0.909, 0, 5};
    log.SavedCount = 3;
    const Readings readings = readingsFromLog(log);
    QCOMPARE(readings.size(), size_t(3));
    QCOMPARE(readings[0].s, 0.01 * 1e-3);
    QCOMPARE(readings[0].v, 0.333 * 1e-6);
    QCOMPARE(readings[1].s, 0.2 * 1e-3);
    QCOMPARE(readings[2].v, 0.0);

    log.SavedCount = 0;
    QVERIFY(readingsFromLog(log).empty());
}

void TestAnalysis::theoreticalConstants_data()
{
    QTest::addColumn<double>("k1");
    QTest::addColumn<double>("k2");
    QTest::addColumn<double>("kminus1");
    QTest::addColumn<double>("e0");
    QTest::addColumn<double>("es0");
    QTest::addColumn<bool>("kmDefined");
    QTest::addColumn<double>("km");
    QTest::addColumn<double>("vmax");

    // Km = (k-1 + k2)/k1 in 1e-5 M and Vmax = k2 ([E]0 + [ES]0) in 1e-6 M/s.
    QTest::newRow("initial parameters") << 1.0 << 1.0 << 1.0 << 1.0 << 0.0 << true << 2e-5 << 1e-6;
    QTest::newRow("k2 = 10") << 1.0 << 10.0 << 1.0 << 1.0 << 0.0 << true << 11e-5 << 10e-6;
    QTest::newRow("k1 = 3") << 3.0 << 1.0 << 1.0 << 1.0 << 0.0 << true << 2e-5 / 3 << 1e-6;
    QTest::newRow("enzyme partly bound at the start: [E]0 + [ES]0 counts")
        << 1.0 << 1.0 << 1.0 << 0.25 << 0.75 << true << 2e-5 << 1e-6;
    QTest::newRow("k1 = 0: Km undefined")
        << 0.0 << 1.0 << 1.0 << 1.0 << 0.0 << false << 0.0 << 1e-6;
    QTest::newRow("k1 too small: Km overflows")
        << 1e-310 << 1e300 << 1.0 << 1.0 << 0.0 << false << 0.0 << 1e294;
}

void TestAnalysis::theoreticalConstants()
{
    QFETCH(double, k1);
    QFETCH(double, k2);
    QFETCH(double, kminus1);
    QFETCH(double, e0);
    QFETCH(double, es0);
    QFETCH(bool, kmDefined);
    QFETCH(double, km);
    QFETCH(double, vmax);

    const TheoreticalConstants theory = enkin::theoreticalConstants(k1, k2, kminus1, e0, es0);
    QCOMPARE(theory.kmDefined, kmDefined);
    if (kmDefined)
        QVERIFY(relativelyClose(theory.km, km, 1e-15));
    QVERIFY(theory.vmaxDefined);
    QVERIFY(relativelyClose(theory.vmax, vmax, 1e-15));
}

// Seven exact readings with the initial parameters: Km = 2e-5 M, Vmax = 1e-6 M/s three ways.
void TestAnalysis::windowShowsSevenReadings()
{
    DataLog log;
    fillLog(log, onHyperbola(2e-5, 1e-6, kSevenS));
    RunInputs inputs;
    AnalysisWindow window(log, inputs);
    window.resize(900, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("Analysis"));
    QCOMPARE(text(window, "message"), QStringLiteral("Using 7 readings at 7 different [S]."));
    QCOMPARE(text(window, "lineKm"), QStringLiteral("2.000 × 10⁻⁵ M"));
    QCOMPARE(text(window, "lineVmax"), QStringLiteral("1.000 × 10⁻⁶ M/s"));
    QCOMPARE(text(window, "curveKm"), QStringLiteral("(2.000 ± 0.000) × 10⁻⁵ M"));
    QCOMPARE(text(window, "curveVmax"), QStringLiteral("(1.000 ± 0.000) × 10⁻⁶ M/s"));
    QCOMPARE(text(window, "theoryKm"), QStringLiteral("2.000 × 10⁻⁵ M"));
    QCOMPARE(text(window, "theoryVmax"), QStringLiteral("1.000 × 10⁻⁶ M/s"));
    QVERIFY(text(window, "lineNote").contains(QStringLiteral("r² = 1.0000")));

    QCOMPARE(seriesOf(window, "michaelisChart", "readings")->count(), 7);
    QCOMPARE(seriesOf(window, "michaelisChart", "leftOut")->count(), 0);
    const QXYSeries *curve = seriesOf(window, "michaelisChart", "fitCurve");
    QVERIFY(curve->count() > 50);
    // The curve starts at the origin and runs past the largest [S] (200 uM).
    QCOMPARE(curve->at(0), QPointF(0, 0));
    QVERIFY(curve->at(curve->count() - 1).x() > 200);
    QCOMPARE(seriesOf(window, "reciprocalChart", "reciprocalPoints")->count(), 7);

    // The line runs from -1/Km = -0.05 /uM on the 1/[S] axis to the smallest [S], 1/10 uM.
    const QXYSeries *line = seriesOf(window, "reciprocalChart", "reciprocalLine");
    QCOMPARE(line->count(), 2);
    QVERIFY(qFuzzyCompare(line->at(0).x(), -0.05));
    QCOMPARE(line->at(0).y(), 0.0);
    QVERIFY(qFuzzyCompare(line->at(1).x(), 0.1));
    QVERIFY(qFuzzyCompare(line->at(1).y(), 3.0)); // 1/v = (20 / 10 + 1) s/uM
    const QXYSeries *intercepts = seriesOf(window, "reciprocalChart", "intercepts");
    QCOMPARE(intercepts->count(), 2);
    QVERIFY(qFuzzyCompare(intercepts->at(0).y(), 1.0)); // 1/Vmax = 1 s/uM

    // Tests and screen readers find every control by its names.
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!qobject_cast<QLabel *>(w) && !qobject_cast<QPushButton *>(w) &&
            !qobject_cast<QChartView *>(w))
            continue;
        QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!w->accessibleDescription().isEmpty(), qPrintable(w->objectName()));
    }
}

void TestAnalysis::windowSaysWhatIsMissing_data()
{
    QTest::addColumn<Readings>("readings");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("plotted");
    QTest::addColumn<int>("leftOut");

    const QString missing =
        QStringLiteral("Accept readings at two or more different [S]0 values, each with a "
                       "positive velocity, to fit Km and Vmax.");
    QTest::newRow("missing: empty log")
        << Readings{} << QStringLiteral("The log holds no readings. ") + missing << 0 << 0;
    QTest::newRow("missing: one reading")
        << Readings{{1e-5, 3.33e-7}}
        << missing + QStringLiteral(" Usable now: 1 of 1, at 1 different [S].") << 1 << 0;
    QTest::newRow("missing: two readings at one [S]")
        << Readings{{1e-4, 8.33e-7}, {1e-4, 8.33e-7}}
        << missing + QStringLiteral(" Usable now: 2 of 2, at 1 different [S].") << 2 << 0;
    QTest::newRow("missing: second reading with zero velocity")
        << Readings{{1e-4, 8.33e-7}, {1e-5, 0}}
        << missing + QStringLiteral(" Usable now: 1 of 2, at 1 different [S]. Left out: 1 "
                                    "reading with a zero or negative [S] or velocity.")
        << 1 << 1;
}

void TestAnalysis::windowSaysWhatIsMissing()
{
    QFETCH(Readings, readings);
    QFETCH(QString, message);
    QFETCH(int, plotted);
    QFETCH(int, leftOut);

    DataLog log;
    fillLog(log, readings);
    RunInputs inputs;
    AnalysisWindow window(log, inputs);
    QCOMPARE(text(window, "message"), message);
    for (const char *value : {"lineKm", "lineVmax", "curveKm", "curveVmax"})
        QCOMPARE(text(window, value), QStringLiteral("—"));
    QVERIFY(text(window, "lineNote").contains(QStringLiteral("two or more different [S]")));
    // The theory needs no readings.
    QCOMPARE(text(window, "theoryKm"), QStringLiteral("2.000 × 10⁻⁵ M"));

    QCOMPARE(seriesOf(window, "michaelisChart", "readings")->count(), plotted);
    QCOMPARE(seriesOf(window, "michaelisChart", "leftOut")->count(), leftOut);
    QCOMPARE(seriesOf(window, "michaelisChart", "fitCurve")->count(), 0);
    QCOMPARE(seriesOf(window, "reciprocalChart", "reciprocalPoints")->count(), plotted);
    QCOMPARE(seriesOf(window, "reciprocalChart", "reciprocalLine")->count(), 0);
}

// A line with a negative intercept gives no Km or Vmax; the window says so, shows the direct fit
// that converged, and prints no inf or nan anywhere.
void TestAnalysis::windowDegenerateLine()
{
    DataLog log;
    fillLog(log, {{1e-4, 1e-6}, {5e-5, 0.333e-6}, {2e-4, 1.05e-6}});
    RunInputs inputs;
    AnalysisWindow window(log, inputs);

    QCOMPARE(text(window, "lineKm"), QStringLiteral("—"));
    QCOMPARE(text(window, "lineVmax"), QStringLiteral("—"));
    QVERIFY(text(window, "lineNote").contains(QStringLiteral("intercept is not positive")));
    QVERIFY(text(window, "lineNote").contains(QStringLiteral("no meaningful Km or Vmax")));
    QVERIFY(text(window, "curveKm").endsWith(QStringLiteral(" × 10⁻⁴ M")));
    QVERIFY(text(window, "curveVmax").endsWith(QStringLiteral(" × 10⁻⁶ M/s")));

    // The line is drawn over the readings only, and the hyperbola is the direct fit.
    const QXYSeries *line = seriesOf(window, "reciprocalChart", "reciprocalLine");
    QCOMPARE(line->count(), 2);
    QVERIFY(qFuzzyCompare(line->at(0).x(), 1 / 200.0));
    QCOMPARE(seriesOf(window, "reciprocalChart", "intercepts")->count(), 0);
    QCOMPARE(seriesOf(window, "michaelisChart", "fitCurve")->name(), QStringLiteral("direct fit"));

    for (QLabel *label : window.findChildren<QLabel *>()) {
        QVERIFY2(!label->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                 qPrintable(label->text()));
        QVERIFY2(!label->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                 qPrintable(label->text()));
    }
}

// Readings at the ends of the double range (a mistyped box reads as the largest double) must
// neither crash the fits or the charts nor print inf or nan.
void TestAnalysis::windowExtremeReadings()
{
    const double largest = std::numeric_limits<double>::max();
    DataLog log;
    log.SavedS = {0, largest, 0.01, 0.02, 1e-300};
    log.SavedVel = {0, 1, 1e-300, largest, 1};
    log.SavedCount = 4;
    RunInputs inputs;
    inputs.set(RunInput::kk2, "1e308");
    AnalysisWindow window(log, inputs);
    window.resize(900, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.grab().isNull());

    QCOMPARE(text(window, "lineKm"), QStringLiteral("—"));
    QCOMPARE(text(window, "theoryVmax"), QStringLiteral("1.000 × 10³⁰² M/s"));
    for (QLabel *label : window.findChildren<QLabel *>()) {
        QVERIFY2(!label->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                 qPrintable(label->text()));
        QVERIFY2(!label->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                 qPrintable(label->text()));
    }
    for (const char *chart : {"michaelisChart", "reciprocalChart"})
        for (QAbstractSeries *series : child<QChartView>(window, chart)->chart()->series())
            for (const QPointF &p : qobject_cast<QXYSeries *>(series)->points())
                QVERIFY(std::isfinite(p.x()) && std::isfinite(p.y()));
}

// The readings show as points in the drawn chart, not only in the series.
void TestAnalysis::windowPlotsThePoints()
{
    const auto redPixels = [](QWidget &chart) {
        const QImage image = chart.grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == QColor(255, 0, 0);
        return count;
    };

    DataLog log;
    RunInputs inputs;
    AnalysisWindow window(log, inputs);
    window.resize(900, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QChartView *chart = child<QChartView>(window, "michaelisChart");
    // The legend's marker for the readings is red as well: one marker's worth.
    const int legendOnly = redPixels(*chart);

    fillLog(log, onHyperbola(2e-5, 1e-6, kSevenS));
    window.refresh();
    QTRY_VERIFY(redPixels(*chart) > legendOnly + 7 * 20);
}

void TestAnalysis::refreshButtonFollowsLogAndInputs()
{
    DataLog log;
    RunInputs inputs;
    AnalysisWindow window(log, inputs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(text(window, "message").startsWith(QStringLiteral("The log holds no readings.")));

    // Readings accepted while the window is open show only after Refresh.
    fillLog(log, onHyperbola(2e-5, 1e-6, kSevenS));
    QVERIFY(text(window, "message").startsWith(QStringLiteral("The log holds no readings.")));
    QPushButton *refresh = child<QPushButton>(window, "refreshButton");
    QTest::mouseClick(refresh, Qt::LeftButton);
    QCOMPARE(text(window, "message"), QStringLiteral("Using 7 readings at 7 different [S]."));
    QCOMPARE(seriesOf(window, "michaelisChart", "readings")->count(), 7);

    // An accept at the start of a run stores velocity 0.
    log.SavedCount = 8;
    log.SavedS[8] = 1;
    log.SavedVel[8] = 0;
    QTest::mouseClick(refresh, Qt::LeftButton);
    QCOMPARE(text(window, "message"),
             QStringLiteral("Using 7 readings at 7 different [S]. Left out: 1 reading with a "
                            "zero or negative [S] or velocity."));
    QCOMPARE(seriesOf(window, "michaelisChart", "leftOut")->count(), 1);
    QCOMPARE(seriesOf(window, "reciprocalChart", "reciprocalPoints")->count(), 7);
    QCOMPARE(text(window, "lineKm"), QStringLiteral("2.000 × 10⁻⁵ M"));

    // New parameters change the theory, not the fits.
    inputs.set(RunInput::kk2, "10");
    QTest::keyClick(refresh, Qt::Key_Space);
    QCOMPARE(text(window, "theoryKm"), QStringLiteral("1.100 × 10⁻⁴ M"));
    QCOMPARE(text(window, "theoryVmax"), QStringLiteral("1.000 × 10⁻⁵ M/s"));
    QCOMPARE(text(window, "lineKm"), QStringLiteral("2.000 × 10⁻⁵ M"));

    inputs.set(RunInput::kk1, "0");
    QTest::mouseClick(refresh, Qt::LeftButton);
    QCOMPARE(text(window, "theoryKm"), QStringLiteral("undefined"));
    QVERIFY(text(window, "theoryNote").contains(QStringLiteral("k1 = 0")));
    QCOMPARE(text(window, "theoryVmax"), QStringLiteral("1.000 × 10⁻⁵ M/s"));
}

void TestAnalysis::closeHidesCloseBoxDestroys()
{
    DataLog log;
    RunInputs inputs;
    QWidget owner;
    QPointer<AnalysisWindow> window = new AnalysisWindow(log, inputs, &owner);
    QVERIFY(window->isWindow());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));

    QTest::mouseClick(child<QPushButton>(*window, "closeButton"), Qt::LeftButton);
    QVERIFY(window->isHidden());
    QTest::qWait(0);
    QVERIFY(!window.isNull());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    window->close(); // what the frame's close box does
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(TestAnalysis)
#include "tst_analysis.moc"
