// The fits of Km and Vmax against independent truth: a published data set, the program's own runs
// read the way the Tutorial says, closed forms and the coverage of the intervals.
#include "datalog/analysisplot.h"
#include "datalog/analysisreport.h"
#include "datalog/readings.h"
#include "engine/numtext.h"
#include "engine/units.h"
#include "lab/bench.h"
#include "params/choices.h"
#include "tests/documents.h"
#include "tests/student.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <random>

using namespace enkin;
using Readings = std::vector<Reading>;

namespace {

std::vector<int> rows(int first, int last)
{
    std::vector<int> r;
    for (int i = first; i <= last; ++i)
        r.push_back(i);
    return r;
}

double off(double value, double truth)
{
    return std::abs(value / truth - 1);
}

// Readings exactly on a hyperbola.
Readings onHyperbola(double km, double vmax, const std::vector<double> &s)
{
    Readings readings;
    for (double x : s)
        readings.push_back({x, vmax * x / (km + x)});
    return readings;
}

} // namespace

class TestFits : public QObject {
    Q_OBJECT

private slots:
    void puromycinReference();
    void tutorialExerciseRecoversKmAndVmax_data();
    void tutorialExerciseRecoversKmAndVmax();
    void readingsOutsideTheSteadyStateAreMarked();
    void runsWithOtherConstantsAreGrouped();
    void everyMethodIsExactOnExactReadings();
    void linesAgreeWithTheirClosedForms();
    void intervalsCoverTheTruth();
    void simulatedErrorIsReproducible();
    void numbersKeepTheDigitsTheirIntervalsAllow();
    void copiedResultsHoldTheFits();
    void tutorialNumbers();
    void plotsOfEachMethod();
};

void TestFits::puromycinReference()
{
    // Bates and Watts, Nonlinear Regression Analysis (1988), Puromycin, treated: concentration in
    // ppm against rate in counts/min/min. Published: Vmax 212.68 (se 6.947), Km 0.06412
    // (se 0.008281).
    const double c[] = {0.02, 0.02, 0.06, 0.06, 0.11, 0.11, 0.22, 0.22, 0.56, 0.56, 1.10, 1.10};
    const double rate[] = {76, 47, 97, 107, 123, 139, 159, 152, 191, 201, 207, 200};
    Readings readings;
    for (int i = 0; i < 12; ++i)
        readings.push_back({c[i], rate[i]});
    const HyperbolaFit fit = fitHyperbola(readings);
    QCOMPARE(fit.status, FitStatus::Ok);
    QCOMPARE(QString::number(fit.vmax, 'g', 5), QStringLiteral("212.68"));
    QCOMPARE(QString::number(fit.km, 'g', 4), QStringLiteral("0.06412"));
    QCOMPARE(QString::number(fit.vmaxError, 'g', 4), QStringLiteral("6.947"));
    QCOMPARE(QString::number(fit.kmError, 'g', 4), QStringLiteral("0.008281"));

    // The 95% interval: t(0.975, 10) = 2.228139 times the standard error.
    const MethodFit direct = fitDirect(readings);
    QVERIFY(direct.vmax.hasInterval);
    QVERIFY(std::abs(direct.vmax.halfWidth - 2.228139 * 6.947) < 0.01);
    QCOMPARE(estimateMarkup(direct.vmax), std::string("(2.13 ± 0.15) × 10^{2}"));
}

void TestFits::tutorialExerciseRecoversKmAndVmax_data()
{
    QTest::addColumn<int>("k2Row");
    QTest::addColumn<std::vector<int>>("s0Rows");
    QTest::addColumn<double>("kmTolerance");
    QTest::addColumn<double>("vmaxTolerance");
    // [S]0 rows across Km: from about Km/5 to 10 Km.
    QTest::newRow("k2 = 1, Km = 2e-5 M") << 1 << rows(2, 11) << 0.02 << 0.01;
    QTest::newRow("k2 = 10, Km = 1.1e-4 M") << 2 << rows(6, 15) << 0.02 << 0.01;
    // k2 = 0.1: every velocity reads below 0.1 x 10^-6 M/s, so the readout keeps only one or
    // two significant digits. Measured: the direct fit is off by 1.45% in Km and 0.67% in Vmax,
    // the double-reciprocal line by 2.77% and 0.20% (Hanes-Woolf 0.88% and 0.89%, Eadie-Hofstee
    // 2.20% and 0.47%).
    QTest::newRow("k2 = 0.1, Km = 1.1e-5 M, too few digits") << 0 << rows(1, 10) << 0.05 << 0.01;
}

void TestFits::tutorialExerciseRecoversKmAndVmax()
{
    QFETCH(int, k2Row);
    QFETCH(std::vector<int>, s0Rows);
    QFETCH(double, kmTolerance);
    QFETCH(double, vmaxTolerance);
    Bench bench;
    student::acceptRuns(bench, k2Row, s0Rows);
    const Study study = studyLog(bench.state().dataLog, {});
    QCOMPARE(int(study.groups.size()), 1);
    const ReadingGroup &group = study.groups[0];
    QCOMPARE(group.truth.km, (1 + k2RowValue(k2Row)) / 1 * 1e-5);
    QCOMPARE(group.truth.vmax, k2RowValue(k2Row) * 1e-6);
    // Readings at the end of the suggested Maximum Time are in the steady state: none left out.
    for (const LoggedReading &r : study.readings) {
        QVERIFY2(!has(r.marks, kLeftOutByDefault), qPrintable(QString::number(r.row)));
        QCOMPARE(has(r.marks, Mark::FewDigits), k2Row == 0);
    }
    const GroupFit fit = fitGroup(study, 0, {});
    QCOMPARE(fit.used.size(), s0Rows.size());
    for (Method method : {Method::Direct, Method::LineweaverBurk}) {
        const MethodFit &m = fit.methods[std::size_t(method)];
        QCOMPARE(m.status, FitStatus::Ok);
        qInfo("%s: Km off by %.2f%%, Vmax by %.2f%%", methodName(method).data(),
              100 * off(m.km.value, group.truth.km), 100 * off(m.vmax.value, group.truth.vmax));
        QCOMPARE_LE(off(m.km.value, group.truth.km), kmTolerance);
        QCOMPARE_LE(off(m.vmax.value, group.truth.vmax), vmaxTolerance);
    }
}

void TestFits::readingsOutsideTheSteadyStateAreMarked()
{
    // k2 = 1, [S]0 = 1e-4 M: the suggested Maximum Time is 0.5 ms, the steady state is reached
    // after 5 / (10 + 1 + 1) = 0.417 ms.
    Bench bench;
    // Before any slider change the boxes show the initial texts, at time 0.
    bench.accept({"1", "0", "1", "0", "0"});
    student::acceptRuns(bench, 1, {10}, 10);  // 0.0075 ms: [ES] still rising fast
    student::acceptRuns(bench, 1, {10}, 500); // 0.417 ms, just short of 5 lifetimes
    student::acceptRuns(bench, 1, {10}, 600); // 0.5 ms
    // A run long enough to use up most of the substrate: [S]0 = 1e-6 M over 100 s.
    bench.chooseS0(0);
    bench.state().inputs.set(RunInput::ttmax, "100000");
    const SliderView late = bench.sliderChanged(600, "1");
    bench.accept({late.readout->EVal, late.readout->ESVal, late.readout->SVal, late.readout->Vel,
                  *late.ttt});

    const Study study = studyLog(bench.state().dataLog, {});
    QCOMPARE(int(study.readings.size()), 5);
    const auto marks = [&](int i) { return study.readings[std::size_t(i)].marks; };
    QVERIFY(has(marks(0), Mark::BeforeSteadyState) && has(marks(0), Mark::NotUsable));
    QVERIFY(has(marks(1), Mark::BeforeSteadyState) && has(marks(1), Mark::StillChanging));
    QVERIFY(has(marks(2), Mark::BeforeSteadyState) && !has(marks(2), Mark::StillChanging));
    QCOMPARE(marks(3), Mark::None);
    QVERIFY(has(marks(4), Mark::SubstrateUsed));
    QVERIFY(study.readings[4].run.substrateUsed > 0.9);
    QCOMPARE(QString::fromStdString(marksText(marks(1))),
             "before the steady state; [ES] still changing; velocity has fewer than 3 digits");

    // Left out by default, put back by choice; a reading that cannot be fitted stays out.
    StudyChoices choices;
    QCOMPARE(fitGroup(study, 0, choices).used, std::vector<int>{3});
    choices.included = {true, true, std::nullopt, false, std::nullopt};
    QCOMPARE(fitGroup(study, 0, choices).used, std::vector<int>{1});
    QCOMPARE(fitGroup(study, 0, choices).leftOut, (std::vector<int>{0, 2, 3, 4}));
}

void TestFits::runsWithOtherConstantsAreGrouped()
{
    Bench bench;
    student::acceptRuns(bench, 1, {6, 10, 15});
    student::acceptRuns(bench, 2, {6, 10, 15});
    bench.state().inputs.set(RunInput::E0, "2");
    student::acceptRuns(bench, 2, {10});
    // Each reading keeps its own run: the inputs now in force are another k2 and [E]0.
    bench.chooseK2(0);
    const Study study = studyLog(bench.state().dataLog, {});
    QCOMPARE(int(study.groups.size()), 3);
    QVERIFY(study.differences.k2 && study.differences.e0);
    QVERIFY(!study.differences.k1 && !study.differences.kminus1);
    QCOMPARE(study.groups[0].members, (std::vector<int>{0, 1, 2}));
    QCOMPARE(study.groups[1].members, (std::vector<int>{3, 4, 5}));
    QCOMPARE(study.groups[1].truth.km, 11e-5);
    QCOMPARE(study.groups[2].truth.vmax, 20e-6);
    QCOMPARE(study.groups[2].eTotal, 2e-9);
    for (int g = 0; g < 2; ++g) {
        const MethodFit direct = fitGroup(study, g, {}).methods[0];
        QCOMPARE_LE(off(direct.km.value, study.groups[std::size_t(g)].truth.km), 0.02);
    }
    QCOMPARE(fitGroup(study, 2, {}).methods[0].status, FitStatus::TooFewReadings);
    // The spreadsheet copy gains each reading's [S]0, before its velocity.
    const std::string sheet = spreadsheetText(bench.state().dataLog);
    QCOMPARE(QString::fromStdString(sheet).section('\n', 0, 0),
             "t (s)\t[E] (M)\t[ES] (M)\t[S] (M)\t[S]0 (M)\tvelocity (M/s)");
    QCOMPARE(QString::fromStdString(sheet).section('\n', 1, 1).section('\t', 4, 4), "2E-05");
}

void TestFits::everyMethodIsExactOnExactReadings()
{
    const Readings exact = onHyperbola(2e-5, 1e-6, {4e-6, 1e-5, 2e-5, 4e-5, 1e-4, 2e-4});
    for (Method method : kMethods) {
        const MethodFit fit = fitMethod(method, exact);
        QCOMPARE(fit.status, FitStatus::Ok);
        QCOMPARE_LE(off(fit.km.value, 2e-5), 1e-9);
        QCOMPARE_LE(off(fit.vmax.value, 1e-6), 1e-9);
        QCOMPARE_LE(off(fit.vmaxOverKm.value, 5e-2), 1e-9);
    }
    // Two readings for two parameters: no interval to give, and none is pretended.
    const MethodFit two = fitMethod(Method::HanesWoolf, onHyperbola(2e-5, 1e-6, {1e-5, 1e-4}));
    QVERIFY(two.status == FitStatus::Ok && !two.km.hasInterval);
    QCOMPARE(estimateMarkup(two.km), std::string("2.000 × 10^{-5}"));
    // One [S] only, or a falling line, gives no Km.
    QCOMPARE(fitMethod(Method::EadieHofstee, onHyperbola(2e-5, 1e-6, {1e-5, 1e-5})).status,
             FitStatus::TooFewReadings);
    QCOMPARE(fitMethod(Method::LineweaverBurk, {{1e-4, 1e-6}, {5e-5, 1e-6 / 3}}).status,
             FitStatus::NotMeaningful);
}

void TestFits::linesAgreeWithTheirClosedForms()
{
    // Each linearisation's line and the delta-method variance of its Km against a closed form in
    // long double, over random reading sets with 1% scatter.
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> logS(-6, -3), scatter(0.99, 1.01);
    double worstLine = 0, worstVariance = 0;
    for (int set = 0; set < 600; ++set) {
        Readings readings;
        const int n = 4 + set % 10;
        for (int i = 0; i < n; ++i) {
            const double s = std::pow(10.0, logS(random));
            readings.push_back({s, 1e-6 * s / (2e-5 + s) * scatter(random)});
        }
        for (Method method : {Method::LineweaverBurk, Method::HanesWoolf, Method::EadieHofstee}) {
            long double mx = 0, my = 0;
            for (const Reading &r : readings) {
                const MethodPoint p = transformed(method, r);
                mx += p.x, my += p.y;
            }
            mx /= n, my /= n;
            long double sxx = 0, sxy = 0, syy = 0;
            for (const Reading &r : readings) {
                const MethodPoint p = transformed(method, r);
                sxx += (p.x - mx) * (p.x - mx), sxy += (p.x - mx) * (p.y - my);
                syy += (p.y - my) * (p.y - my);
            }
            const long double m = sxy / sxx, b = my - m * mx;
            const long double s2 = (syy - m * sxy) / (n - 2);
            const long double varM = s2 / sxx, varB = s2 * (1.0L / n + mx * mx / sxx);
            const long double cov = -mx * s2 / sxx;
            // Km as a function of the line: m/b, b/m or -m.
            long double km = 0, dm = 0, db = 0;
            if (method == Method::LineweaverBurk)
                km = m / b, dm = 1 / b, db = -m / (b * b);
            else if (method == Method::HanesWoolf)
                km = b / m, dm = -b / (m * m), db = 1 / m;
            else
                km = -m, dm = -1, db = 0;
            const MethodFit fit = fitLinearisation(method, readings);
            if (fit.status != FitStatus::Ok)
                continue;
            const long double se = std::sqrt(dm * dm * varM + 2 * dm * db * cov + db * db * varB);
            worstLine = std::max({worstLine, double(std::abs(fit.slope / m - 1)),
                                  double(std::abs(fit.intercept / b - 1)),
                                  double(std::abs(fit.km.value / km - 1))});
            worstVariance = std::max(
                worstVariance, double(std::abs(fit.km.halfWidth / (tQuantile95(n - 2) * se) - 1)));
        }
    }
    QVERIFY2(worstLine < 1e-11, qPrintable(QString::number(worstLine)));
    QVERIFY2(worstVariance < 1e-6, qPrintable(QString::number(worstVariance)));
}

void TestFits::intervalsCoverTheTruth()
{
    // With Gaussian scatter of the same size on every velocity (3% of Vmax), a 95% interval holds
    // the true value in about 95 of 100 samples. The direct fit's interval is close to exact; 1000
    // samples put the coverage within 93% to 97% unless the intervals are wrong.
    std::mt19937_64 random(7);
    std::normal_distribution<double> z(0, 1);
    const std::vector<double> s = {4e-6, 8e-6, 1e-5, 2e-5, 4e-5, 6e-5, 1e-4, 2e-4};
    int kmCovered = 0, vmaxCovered = 0, samples = 0;
    for (int k = 0; k < 1000; ++k) {
        Readings readings;
        for (double x : s)
            readings.push_back({x, 1e-6 * (x / (2e-5 + x) + 0.03 * z(random))});
        const MethodFit fit = fitDirect(readings);
        if (fit.status != FitStatus::Ok)
            continue;
        ++samples;
        kmCovered += std::abs(fit.km.value - 2e-5) <= fit.km.halfWidth;
        vmaxCovered += std::abs(fit.vmax.value - 1e-6) <= fit.vmax.halfWidth;
    }
    QCOMPARE(samples, 1000);
    QVERIFY2(kmCovered >= 930 && kmCovered <= 970, qPrintable(QString::number(kmCovered)));
    QVERIFY2(vmaxCovered >= 930 && vmaxCovered <= 970, qPrintable(QString::number(vmaxCovered)));
}

void TestFits::simulatedErrorIsReproducible()
{
    QCOMPARE(gaussianSample(42, 20), gaussianSample(42, 20));
    QVERIFY(gaussianSample(42, 20) != gaussianSample(43, 20));

    Bench bench;
    student::acceptRuns(bench, 1, rows(2, 11));
    const Study study = studyLog(bench.state().dataLog, {});
    StudyChoices choices;
    choices.errorPercent = 5;
    choices.seed = 42;
    const GroupFit noisy = fitGroup(study, 0, choices);
    for (std::size_t i = 0; i < noisy.shown.size(); ++i)
        QCOMPARE(noisy.shown[i].v,
                 study.readings[i].reading.v * (1 + 0.05 * gaussianSample(42, 10)[i]));
    // Leaving a reading out draws no new error for the others.
    choices.included = {false};
    const GroupFit fewer = fitGroup(study, 0, choices);
    QCOMPARE(fewer.fitted.front().v, noisy.fitted[1].v);
    QVERIFY(fewer.methods[0].km.value != noisy.methods[0].km.value);
}

void TestFits::numbersKeepTheDigitsTheirIntervalsAllow()
{
    QCOMPARE(estimateMarkup({2.00412e-5, 2.13e-7, true}), std::string("(2.004 ± 0.021) × 10^{-5}"));
    QCOMPARE(estimateMarkup({9.996e-6, 1.2e-7, true}), std::string("(1.000 ± 0.012) × 10^{-5}"));
    QCOMPARE(estimateMarkup({3.5, 12, true}), std::string("4 ± 12"));
    QCOMPARE(estimateMarkup({9.9996e-6, 0, false}), std::string("1.000 × 10^{-5}"));
    QCOMPARE(estimateMarkup({std::nan(""), 1, true}), std::string("—"));
    // Never a half-width printed as zero, whatever the value and the interval.
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> exponent(-12, 4), relative(-9, 1);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::pow(10.0, exponent(random));
        const double half = value * std::pow(10.0, relative(random));
        const std::string text = estimateMarkup({value, half, true});
        const auto pm = text.find("± ");
        QVERIFY2(pm != std::string::npos, text.c_str());
        const std::string printed = text.substr(pm + 3, text.find_first_of(") ", pm + 3) - pm - 3);
        QVERIFY2(std::stod(printed) > 0, text.c_str());
    }
}

void TestFits::copiedResultsHoldTheFits()
{
    Bench bench;
    student::acceptRuns(bench, 1, rows(2, 11));
    bench.accept({"1", "0", "1", "0", "0"}); // the same run at its last point, velocity typed 0
    const Study study = studyLog(bench.state().dataLog, {});
    const GroupFit fit = fitGroup(study, 0, {});
    const QStringList lines =
        QString::fromStdString(resultsText(study, {}, ',')).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), "row\t[S]0 (M)\tvelocity (M/s)\tused\tmarks");
    QCOMPARE(lines.at(11),
             "11\t0,0002\t0\tno\t[S]0 or velocity not positive; before the steady state");
    QVERIFY(lines.at(1).startsWith("1\t4E-06\t1,66E-07\tyes"));
    const int direct = int(lines.indexOf(QRegularExpression("^direct fit\t.*")));
    QVERIFY(direct > 0);
    const QStringList cells = lines.at(direct).split('\t');
    QCOMPARE(cells.size(), 13);
    const auto number = [](QString cell) { return cell.replace(',', '.').toDouble(); };
    const MethodFit &m = fit.methods[0];
    QCOMPARE(number(cells.at(1)), m.km.value);
    QCOMPARE(number(cells.at(2)), m.km.value - m.km.halfWidth);
    QCOMPARE(number(cells.at(7)), m.vmax.value / 1e-9);
    QVERIFY(lines.contains("true\t2E-05\t\t\t1E-06\t\t\t1000\t\t\t50000000"));
    QCOMPARE(lines.last(), "simulated measurement error (%)\t0\tseed\t1");
}

namespace {

QString tutorialText()
{
    return documentText(QStringLiteral(ENKIN_DOCS_DIR "/tutorial.html"));
}

// [ES]/[E] read off the Results boxes at the end of a run from the default inputs with [S]0 row
// `row` and its suggested Maximum Time.
double endRatio(int row)
{
    Bench bench;
    bench.chooseS0(row);
    const Readout r = *bench.sliderChanged(600, "1").readout;
    return std::stod(r.ESVal) / std::stod(r.EVal);
}

} // namespace

void TestFits::tutorialNumbers()
{
    const QString tutorial = tutorialText();
    QVERIFY(!tutorial.isEmpty());
    // Exercise 2: the ratio [ES]/[E] at the lowest and highest [S]0.
    QVERIFY(tutorial.contains("the ratio reads about 44 there and is still rising"));
    QCOMPARE(std::lround(endRatio(15)), 44L);
    QVERIFY(tutorial.contains("now [ES] reads 0.98 and [E] 0.019, a ratio of 51.6. The steady "
                              "state gives 50 ([E] is 0.0196"));
    Bench late;
    late.chooseS0(15);
    late.state().inputs.set(RunInput::ttmax, "0.1");
    const Readout settled = *late.sliderChanged(600, "1").readout;
    QCOMPARE(settled.ESVal + " " + settled.EVal, std::string("0.98 0.019"));
    QCOMPARE(QString::number(0.98 / 0.019, 'f', 1), "51.6");
    const Trajectory &run = late.state().trajectory;
    QCOMPARE(QString::number(run.EConc[600], 'f', 4), "0.0196");
    QCOMPARE_LE(off(run.ESConc[600] / run.EConc[600], 50), 0.005);
    QVERIFY(tutorial.contains("the ratio is 0.05"));
    QCOMPARE_LE(off(endRatio(0), 0.05), 0.02);

    // Exercise 4: at the [S]0 of the list closest to Km, v/Vmax (Vmax from exercise 3's readings)
    // and [ES]/([ES] + [E]) agree and are close to 1/2.
    QVERIFY(tutorial.contains("The two numbers should agree, and be close to 1/2"));
    Bench bench;
    student::acceptRuns(bench, 1, rows(2, 11));
    const double vmax =
        fitGroup(studyLog(bench.state().dataLog, {}), 0, {}).methods[0].vmax.value / 1e-6;
    QCOMPARE(formatGeneral(*units::michaelisConstant(1, 1, 1)), std::string("2")); // the Km box: 2 x 10^-5 M
    QCOMPARE(s0RowValue(6), 0.02);                                  // 2 x 10^-5 M
    bench.chooseS0(6);
    const Readout r = *bench.sliderChanged(600, "1").readout;
    const double velocityFraction = std::stod(r.Vel) / vmax;
    const double esFraction = std::stod(r.ESVal) / (std::stod(r.ESVal) + std::stod(r.EVal));
    QCOMPARE_LE(std::abs(velocityFraction - esFraction), 0.005);
    QCOMPARE_LE(std::abs(velocityFraction - 0.5), 0.01);

    // The Advanced Tutorial's constants for k1 = k-1 = k2 = 1 and [E]total = 1e-9 M.
    QVERIFY(tutorial.contains("= 2 x 10-5 M, while Ks = 1 x 10-5 M"));
    const TheoreticalConstants t = theoreticalConstants(1, 1, 1, 1, 0);
    QCOMPARE(t.km, 2e-5);
    QCOMPARE(t.vmax, 1e-6);
}

void TestFits::plotsOfEachMethod()
{
    // Nice ranges start and end on ticks of 1, 2, 2.5 or 5 times a power of ten.
    const AxisRange r = niceRange(0, 9.3);
    QVERIFY(r.lo == 0 && r.hi == 10 && r.ticks == 5);
    QVERIFY(niceRange(3, 3).hi > 3 && niceRange(0, std::nan("")).hi == 1);

    // Exact readings at k2 = 1 and one taken before the steady state, left out.
    Bench bench;
    student::acceptRuns(bench, 1, rows(5, 11));
    student::acceptRuns(bench, 1, {10}, 10);
    const Study study = studyLog(bench.state().dataLog, {});
    const GroupFit fit = fitGroup(study, 0, {});
    const ReadingGroup &group = study.groups[0];
    const MethodPlot direct = methodPlot(Method::Direct, fit, group);
    QCOMPARE(direct.used.size(), std::size_t(7));
    QCOMPARE(direct.leftOut.size(), std::size_t(1));
    QCOMPARE(direct.used.front().x, 10.0);       // µM
    QVERIFY(direct.y.lo <= direct.leftOut[0].y); // every reading in range
    for (const PlotPoint &p : direct.truth)      // v = 1 µM/s [S] / (20 µM + [S])
        QVERIFY(std::abs(p.y - p.x / (20 + p.x)) < 1e-12);
    for (const PlotPoint &p : direct.residualsUsed)
        QVERIFY(std::abs(p.y) < 0.003 && p.y >= direct.residual.lo && p.y <= direct.residual.hi);

    // Lineweaver-Burk: the true line meets the axes at -1/Km = -0.05 /µM and 1/Vmax = 1 s/µM;
    // the fitted line reaches to its own crossing. The early reading is off the scale.
    const MethodPlot lb = methodPlot(Method::LineweaverBurk, fit, group);
    const MethodFit &line = fit.methods[1];
    QVERIFY(std::abs(lb.truth.front().y - (lb.truth.front().x * 20 + 1)) < 1e-9);
    QVERIFY(std::abs(lb.fitted.front().x + 1 / (line.km.value * 1e6)) < 1e-12);
    QVERIFY(std::abs(lb.fitted.front().y) < 1e-9);
    QVERIFY(lb.zeroX && lb.x.lo < lb.fitted.front().x);
    QVERIFY(lb.leftOut[0].y > lb.y.hi);
    // Hanes-Woolf: [S]/v in s, crossing at -Km; Eadie-Hofstee: v from Vmax at v/[S] = 0.
    const MethodPlot hw = methodPlot(Method::HanesWoolf, fit, group);
    QVERIFY(std::abs(hw.used.front().y - 10 / (1e6 * study.readings[0].reading.v)) < 1e-9);
    const MethodPlot eh = methodPlot(Method::EadieHofstee, fit, group);
    QCOMPARE(eh.truth.front().x, 0.0);
    QVERIFY(std::abs(eh.truth.front().y - 1) < 1e-12);
}

QTEST_APPLESS_MAIN(TestFits)
#include "tst_fits.moc"
