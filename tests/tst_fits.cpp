// The fits of Km and Vmax against independent truth: a published data set, the program's own runs
// read the way the Tutorial says, closed forms and the coverage of the intervals.
#include "analysis/analysisplot.h"
#include "analysis/analysisreport.h"
#include "analysis/readings.h"
#include "engine/numtext.h"
#include "engine/units.h"
#include "params/choices.h"
#include "tests/documents.h"
#include "views/readout.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

using namespace enkin;
using Readings = std::vector<Reading>;

Q_DECLARE_METATYPE(enkin::ErrorModel)
Q_DECLARE_METATYPE(enkin::RunStart)

class TestFits : public QObject {
    Q_OBJECT

    static double off(double value, double truth) { return std::abs(value / truth - 1); }
    // The first of the ten [S]0 rows of the Tutorial's exercise 3, from about Km/5 to 10 Km.
    static int firstRow(int k2Row) { return k2Row == 0 ? 1 : k2Row == 1 ? 2 : 6; }

    // The standard inputs (k1 = k2 = k-1 = 1, [E]0 = 1, [S]0 = 1) with k2 and [S]0 from their
    // list rows, and the Maximum Time the choice of the [S]0 row suggests.
    static RunStart exerciseRun(int k2Row, int s0Row)
    {
        const double k2 = k2RowValue(k2Row), s0 = s0RowValue(s0Row);
        return {1, 0, s0, 0, 1, k2, 1, *maximumTimeSuggestion(1, k2, 1, s0)};
    }
    // A run and what the Results boxes show of it with the slider at `point`.
    struct Shown {
        Trajectory t;
        Readout boxes;
    };
    static Shown show(const RunStart &start, int point = 600)
    {
        Shown s;
        RateSet rates;
        s.boxes = readoutAt(s.t, rates, point, integrateRun(start, rates, s.t).lastValid());
        return s;
    }
    // Accept Data with the slider at `point`: the figures shown, and the run they came from.
    static void accept(DataLog &log, const RunStart &start, int point = 600)
    {
        const Shown s = show(start, point);
        const std::string time = timeText(sliderTime(point, start.tmax));
        acceptReading(log, {s.boxes.EVal, s.boxes.ESVal, s.boxes.SVal, s.boxes.Vel, time},
                      runContextAt(start, s.t, point));
    }
    static DataLog exerciseLog(int k2Row)
    {
        DataLog log;
        for (int row = firstRow(k2Row); row < firstRow(k2Row) + 10; ++row)
            accept(log, exerciseRun(k2Row, row));
        return log;
    }
    static Readings onHyperbola(double km, double vmax, const std::vector<double> &s)
    {
        Readings readings;
        for (double x : s)
            readings.push_back({x, vmax * x / (km + x)});
        return readings;
    }

private slots:
    void puromycinReference()
    {
        // Bates and Watts, Nonlinear Regression Analysis (1988), Puromycin, treated: concentration
        // in ppm against rate in counts/min/min. Published: Vmax 212.68 (se 6.947), Km 0.06412
        // (se 0.008281).
        const double c[] = {0.02, 0.02, 0.06, 0.06, 0.11, 0.11, 0.22, 0.22, 0.56, 0.56, 1.1, 1.1};
        const double rate[] = {76, 47, 97, 107, 123, 139, 159, 152, 191, 201, 207, 200};
        Readings readings;
        for (int i = 0; i < 12; ++i)
            readings.push_back({c[i], rate[i]});
        const HyperbolaFit fit = fitHyperbola(readings);
        QCOMPARE(fit.status, FitStatus::Ok);
        QCOMPARE(QString::number(fit.vmax, 'g', 5) + ' ' + QString::number(fit.km, 'g', 4) + ' ' +
                     QString::number(fit.vmaxError, 'g', 4) + ' ' +
                     QString::number(fit.kmError, 'g', 4),
                 "212.68 0.06412 6.947 0.008281");
        // The 95% interval: t(0.975, 10) = 2.228139 times the standard error.
        const MethodFit direct = fitDirect(readings);
        QVERIFY(direct.vmax.hasInterval);
        QVERIFY(std::abs(direct.vmax.halfWidth - 2.228139 * 6.947) < 0.01);
        QCOMPARE(estimateMarkup(direct.vmax), std::string("(2.13 ± 0.15) × 10^{2}"));
    }

    void tutorialExerciseRecoversKmAndVmax_data()
    {
        QTest::addColumn<int>("k2Row");
        QTest::addColumn<double>("kmTolerance");
        QTest::newRow("k2 = 1, Km = 2e-5 M") << 1 << 0.02;
        QTest::newRow("k2 = 10, Km = 1.1e-4 M") << 2 << 0.02;
        // k2 = 0.1: every velocity reads below 0.1 x 10^-6 M/s, so the readout keeps only one or
        // two significant digits. Measured: the direct fit is off by 1.45% in Km and 0.67% in
        // Vmax, the double-reciprocal line by 2.77% and 0.20%.
        QTest::newRow("k2 = 0.1, Km = 1.1e-5 M, too few digits") << 0 << 0.05;
    }
    void tutorialExerciseRecoversKmAndVmax()
    {
        QFETCH(int, k2Row);
        QFETCH(double, kmTolerance);
        const Study study = studyLog(exerciseLog(k2Row), {});
        QCOMPARE(int(study.groups.size()), 1);
        const TheoreticalConstants truth = theoreticalConstants(1, k2RowValue(k2Row), 1, 1, 0);
        // Readings at the end of the suggested Maximum Time are in the steady state: none left out.
        for (const LoggedReading &r : study.readings)
            QCOMPARE(r.marks, k2Row == 0 ? Mark::FewDigits : Mark::None);
        const GroupFit fit = fitGroup(study, 0, {});
        QCOMPARE(fit.used.size(), std::size_t(10));
        for (const MethodFit &m : {fit.methods[0], fit.methods[1]}) { // direct, Lineweaver-Burk
            QCOMPARE(m.status, FitStatus::Ok);
            QCOMPARE_LE(off(m.km.value, truth.km), kmTolerance);
            QCOMPARE_LE(off(m.vmax.value, truth.vmax), 0.01);
        }
    }

    void readingsAreMarked_data()
    {
        // [E]0, [S]0 and the Maximum Time of a run at k1 = k2 = k-1 = 1, the slider's grid point,
        // and the marks of the reading accepted there. The thresholds are guideAnalysisNumbers'.
        QTest::addColumn<RunStart>("start");
        QTest::addColumn<int>("point");
        QTest::addColumn<QString>("marks");
        const auto start = [](double e0, double s0, double tmax) {
            return RunStart{e0, 0, s0, 0, 1, 1, 1, tmax};
        };
        const QString early = "before the steady state; [ES] still over 1% from its steady level";
        const QString used = "over 10% of the substrate used";
        const QString excess = used + "; too much enzyme: [E]0 over 1% of [S]0 + Km";
        // The relaxation rate is 102 /msec: point 2 of a 0.098 msec run is 0.0017 relaxation times
        // in.
        QTest::newRow("standard, point 2")
            << start(1, 1, 0.098) << 2 << early + "; velocity has fewer than 3 digits";
        // [S]0 = 1e-5 M runs down at about 0.33 x 10^-6 M/s: 11% used after 3400 msec. After 100 s
        // of [S]0 = 1e-6 M the velocity reads 0.
        QTest::newRow("1e-5 M, 3400 msec") << start(1, 0.01, 3400) << 600 << used;
        QTest::newRow("1e-6 M, 100 s")
            << start(1, 0.001, 1e5) << 600 << "[S]0 or velocity not positive; " + used;
        // Binding and turnover draw the relaxation rate down to 11.2 /msec from the sum of the
        // rates, 12.1 /msec, so five relaxation times are 0.446 msec.
        QTest::newRow("[E]0 1e5 x 10^-9 M, [S]0 1e-6 M, 0.43 msec")
            << start(1e5, 0.001, 0.43) << 600 << early + "; " + excess;
        // A single turnover: the enzyme takes up all of the substrate; [ES] has no steady state.
        QTest::newRow("[E]0 1e5 x 10^-9 M, [S]0 1e-6 M")
            << start(1e5, 0.001, 100) << 12
            << "[ES] still over 1% from its steady level; " + excess;
    }
    void readingsAreMarked()
    {
        QFETCH(RunStart, start);
        QFETCH(int, point);
        DataLog log;
        accept(log, start, point);
        QTEST(QString::fromStdString(marksText(studyLog(log, {}).readings.at(0).marks)), "marks");
    }

    void groupsAndReadingsLeftOut()
    {
        // k2 = 1 and k2 = 10 at three [S]0 each, k2 = 10 with twice the enzyme, then at k2 = 1 a
        // reading before the steady state and one typed with velocity 0 at time 0.
        DataLog log;
        for (int k2Row : {1, 2})
            for (int row : {6, 10, 15})
                accept(log, exerciseRun(k2Row, row));
        RunStart twice = exerciseRun(2, 10);
        twice.e0 = 2;
        accept(log, twice);
        accept(log, exerciseRun(1, 10), 10);
        acceptReading(log, {"1", "0", "1", "0", "0"}, {.known = true, .start = exerciseRun(1, 10)});
        const Study study = studyLog(log, {});
        QCOMPARE(int(study.groups.size()), 3);
        QVERIFY(study.differences.k2 && study.differences.e0);
        QVERIFY(!study.differences.k1 && !study.differences.kminus1);
        QCOMPARE(study.groups[0].members, (std::vector<int>{0, 1, 2, 7, 8}));
        QCOMPARE(study.groups[1].members, (std::vector<int>{3, 4, 5}));
        QCOMPARE(study.groups[1].truth.km, 11e-5);
        QCOMPARE(study.groups[2].truth.vmax, 20e-6);
        QCOMPARE(study.groups[2].eTotal, 2e-9);
        QCOMPARE(study.readings[8].marks, Mark::BeforeSteadyState | Mark::NotUsable);
        QCOMPARE(fitGroup(study, 2, {}).methods[0].status, FitStatus::TooFewReadings);
        // Left out by default, put back by choice; a reading that cannot be fitted stays out.
        StudyChoices choices;
        QCOMPARE(fitGroup(study, 0, choices).used, (std::vector<int>{0, 1, 2}));
        choices.included = {false, true, true, true, true, true, true, true, true};
        QCOMPARE(fitGroup(study, 0, choices).used, (std::vector<int>{1, 2, 7}));
        QCOMPARE(fitGroup(study, 0, choices).leftOut, (std::vector<int>{0, 8}));
    }

    void everyMethodIsExactOnExactReadings()
    {
        const Readings exact = onHyperbola(2e-5, 1e-6, {4e-6, 1e-5, 2e-5, 4e-5, 1e-4, 2e-4});
        for (Method method : kMethods) {
            const MethodFit fit = fitMethod(method, exact);
            QCOMPARE(fit.status, FitStatus::Ok);
            QCOMPARE_LE(off(fit.km.value, 2e-5) + off(fit.vmax.value, 1e-6) +
                            off(fit.vmaxOverKm.value, 5e-2),
                        1e-9);
        }
        // Two readings for two parameters: no interval to give, and none is pretended. One [S]
        // only, or a falling line, gives no Km.
        const MethodFit two = fitMethod(Method::HanesWoolf, onHyperbola(2e-5, 1e-6, {1e-5, 1e-4}));
        QVERIFY(two.status == FitStatus::Ok && !two.km.hasInterval);
        QCOMPARE(estimateMarkup(two.km), std::string("2.000 × 10^{-5}"));
        QCOMPARE(fitMethod(Method::EadieHofstee, onHyperbola(2e-5, 1e-6, {1e-5, 1e-5})).status,
                 FitStatus::TooFewReadings);
        QCOMPARE(fitMethod(Method::LineweaverBurk, {{1e-4, 1e-6}, {5e-5, 1e-6 / 3}}).status,
                 FitStatus::NotMeaningful);
    }

    void linesAgreeWithTheirClosedForms()
    {
        // Each linearisation's line and the delta-method standard error of its Km against a closed
        // form in long double, over random reading sets with 1% scatter.
        std::mt19937_64 random(20261207);
        std::uniform_real_distribution<double> logS(-6, -3), scatter(0.99, 1.01);
        double worstLine = 0, worstVariance = 0;
        for (int set = 0; set < 300; ++set) {
            Readings readings;
            const int n = 4 + set % 10;
            for (int i = 0; i < n; ++i) {
                const double s = std::pow(10.0, logS(random));
                readings.push_back({s, 1e-6 * s / (2e-5 + s) * scatter(random)});
            }
            for (Method method :
                 {Method::LineweaverBurk, Method::HanesWoolf, Method::EadieHofstee}) {
                long double mx = 0, my = 0, sxx = 0, sxy = 0, syy = 0;
                for (const Reading &r : readings)
                    mx += transformed(method, r).x / n, my += transformed(method, r).y / n;
                for (const Reading &r : readings) {
                    const MethodPoint p = transformed(method, r);
                    sxx += (p.x - mx) * (p.x - mx), sxy += (p.x - mx) * (p.y - my);
                    syy += (p.y - my) * (p.y - my);
                }
                const long double m = sxy / sxx, b = my - m * mx, s2 = (syy - m * sxy) / (n - 2);
                const long double varM = s2 / sxx, varB = s2 * (1.0L / n + mx * mx / sxx);
                const long double cov = -mx * s2 / sxx;
                // Km as a function of the line: m/b, b/m or -m.
                long double km = -m, dm = -1, db = 0;
                if (method == Method::LineweaverBurk)
                    km = m / b, dm = 1 / b, db = -m / (b * b);
                else if (method == Method::HanesWoolf)
                    km = b / m, dm = -b / (m * m), db = 1 / m;
                const MethodFit fit = fitLinearisation(method, readings);
                if (fit.status != FitStatus::Ok)
                    continue;
                const long double se =
                    std::sqrt(dm * dm * varM + 2 * dm * db * cov + db * db * varB);
                worstLine = std::max({worstLine, double(std::abs(fit.slope / m - 1)),
                                      double(std::abs(fit.intercept / b - 1)),
                                      double(std::abs(fit.km.value / km - 1))});
                worstVariance =
                    std::max(worstVariance, double(std::abs(fit.km.halfWidth / se - 1)));
            }
        }
        QVERIFY2(worstLine < 1e-11, qPrintable(QString::number(worstLine)));
        QVERIFY2(worstVariance < 1e-6, qPrintable(QString::number(worstVariance)));
    }

    void weightedDirectFitIsBestAndItsIntervalsHold_data()
    {
        QTest::addColumn<int>("k2Row");
        QTest::addColumn<ErrorModel>("model");
        QTest::addColumn<int>("samples");
        // Under proportional error Eadie-Hofstee comes within 0.5% of the direct fit's root mean
        // square error: 30 000 samples tell the two apart by three standard errors of the paired
        // differences. Under constant error every line is far behind, and 5000 samples pin the
        // coverage down to within 0.6%. The exercise at k2 = 10 is the one at k2 = 0.1 scaled
        // tenfold, with the same relative errors.
        QTest::newRow("k2 = 0.1, constant error") << 0 << ErrorModel::Constant << 5000;
        QTest::newRow("k2 = 0.1, proportional error") << 0 << ErrorModel::Proportional << 30000;
        QTest::newRow("k2 = 1, constant error") << 1 << ErrorModel::Constant << 5000;
        QTest::newRow("k2 = 1, proportional error") << 1 << ErrorModel::Proportional << 30000;
    }

    void weightedDirectFitIsBestAndItsIntervalsHold()
    {
        // 5% error on the exact velocities of the true Km and Vmax at the exercise's [S]0: 5% of
        // Vmax, or 5% of each velocity. Every interval labelled 95% must hold the true value in
        // 93% to 97% of the samples, and the direct fit, weighted for the model, must come
        // closest to the truth.
        QFETCH(int, k2Row);
        QFETCH(ErrorModel, model);
        QFETCH(int, samples);
        const double k2 = k2RowValue(k2Row);
        const std::array<double, 3> truth = {(1 + k2) * 1e-5, k2 * 1e-6, k2 * 0.1 / (1 + k2)};
        std::mt19937_64 random(20261208);
        std::normal_distribution<double> z(0, 1);
        // Per method and quantity (Km, Vmax, Vmax/Km): the sum of squared relative errors, the
        // samples whose truth lies within value ± halfWidth, and whether that is a 95% interval.
        std::array<std::array<double, 3>, 4> squares{}, covered{};
        std::array<std::array<bool, 3>, 4> labelled95{};
        int fitted = 0;
        for (int k = 0; k < samples; ++k) {
            Readings readings;
            for (int row = firstRow(k2Row); row < firstRow(k2Row) + 10; ++row) {
                const double x = s0RowValue(row) * 1e-3, e = 0.05 * z(random);
                const double v = truth[1] * x / (truth[0] + x);
                readings.push_back(
                    {x, model == ErrorModel::Constant ? v + e * truth[1] : v * (1 + e)});
            }
            std::array<MethodFit, 4> fits;
            for (std::size_t m = 0; m < 4; ++m)
                fits[m] = fitMethod(kMethods[m], readings, model);
            // Compared on the samples that every method can fit: a line through readings whose
            // transforms fall the wrong way gives a negative Km, and no estimate at all.
            if (!std::all_of(fits.begin(), fits.end(),
                             [](const MethodFit &f) { return f.status == FitStatus::Ok; }))
                continue;
            ++fitted;
            for (std::size_t m = 0; m < 4; ++m)
                for (std::size_t q = 0; q < 3; ++q) {
                    const Estimate e = std::array{fits[m].km, fits[m].vmax, fits[m].vmaxOverKm}[q];
                    squares[m][q] += std::pow(e.value / truth[q] - 1, 2);
                    covered[m][q] += std::abs(e.value - truth[q]) <= e.halfWidth;
                    labelled95[m][q] = e.spread == Spread::Interval95;
                }
        }
        QVERIFY2(fitted >= samples * 95 / 100, qPrintable(QString::number(fitted)));
        QCOMPARE(labelled95[0], (std::array{true, true, true})); // the direct fit's
        for (std::size_t m = 0; m < 4; ++m)
            for (std::size_t q = 0; q < 3; ++q) {
                const double coverage = 100.0 * covered[m][q] / fitted;
                QVERIFY2(!labelled95[m][q] || (coverage >= 93 && coverage <= 97),
                         qPrintable(QString::number(coverage)));
                QVERIFY(m == 0 || q == 2 || squares[0][q] < squares[m][q]);
            }
    }

    void simulatedErrorIsReproducible()
    {
        QCOMPARE(gaussianSample(42, 20), gaussianSample(42, 20));
        QVERIFY(gaussianSample(42, 20) != gaussianSample(43, 20));
        const Study study = studyLog(exerciseLog(1), {});
        const std::vector<double> z = gaussianSample(42, 10);
        // The same numbers under either model: 5% of the true Vmax (1e-6 M/s), or 5% of each v.
        for (ErrorModel model : {ErrorModel::Constant, ErrorModel::Proportional}) {
            StudyChoices choices{
                .included = {}, .errorPercent = 5, .errorModel = model, .seed = 42};
            const GroupFit noisy = fitGroup(study, 0, choices);
            QCOMPARE(noisy.shown.size(), std::size_t(10));
            for (std::size_t i = 0; i < noisy.shown.size(); ++i) {
                const double v = study.readings[i].reading.v;
                QCOMPARE(noisy.shown[i].v, model == ErrorModel::Constant ? v + 0.05 * z[i] * 1e-6
                                                                         : v * (1 + 0.05 * z[i]));
            }
            // Leaving a reading out draws no new error for the others.
            choices.included = {false};
            const GroupFit fewer = fitGroup(study, 0, choices);
            QCOMPARE(fewer.fitted.front().v, noisy.fitted[1].v);
            QVERIFY(fewer.methods[0].km.value != noisy.methods[0].km.value);
        }
    }

    void numbersKeepTheDigitsTheirIntervalsAllow()
    {
        // The half-width keeps two digits, the value is rounded to the same place, once.
        QCOMPARE(estimateMarkup({9.996e-6, 1.2e-7, true}), "(1.000 ± 0.012) × 10^{-5}");
        QCOMPARE(estimateMarkup({3.5, 12, true}) + estimateMarkup({std::nan(""), 1, true}),
                 "4 ± 12—");
        // Never a half-width printed as zero, whatever the value and the interval.
        std::mt19937_64 random(3);
        std::uniform_real_distribution<double> exponent(-12, 4), relative(-9, 1);
        for (int i = 0; i < 20000; ++i) {
            const double value = std::pow(10.0, exponent(random));
            const std::string text =
                estimateMarkup({value, value * std::pow(10.0, relative(random)), true});
            QVERIFY2(std::stod(text.substr(text.find("± ") + 3)) > 0, text.c_str());
        }
    }

    void copiedResultsHoldTheFits()
    {
        DataLog log = exerciseLog(1);
        // The run of the last reading, its velocity typed 0.
        acceptReading(log, {"1", "0", "1", "0", "0"}, {.known = true, .start = exerciseRun(1, 11)});
        const Study study = studyLog(log, {});
        const MethodFit direct = fitGroup(study, 0, {}).methods[0];
        const QStringList lines =
            QString::fromStdString(resultsText(study, {}, ',')).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.at(1).startsWith("1\t4E-06\t1,66E-07\tyes"));
        QCOMPARE(lines.at(11),
                 "11\t0,0002\t0\tno\t[S]0 or velocity not positive; before the steady state");
        // The direct fit's Km, the lower end of its interval and kcat; what each ± is.
        const int at = int(lines.indexOf(QRegularExpression("^direct fit\t.*")));
        const QStringList cells = QString(lines.at(at)).replace(',', '.').split('\t');
        QCOMPARE(cells.at(1).toDouble(), direct.km.value);
        QCOMPARE(cells.at(2).toDouble(), direct.km.value - direct.km.halfWidth);
        QCOMPARE(cells.at(7).toDouble(), direct.vmax.value / 1e-9);
        QVERIFY(cells.last().startsWith("95% confidence interval; equal weights"));
        QVERIFY(lines.at(at + 1).startsWith("Lineweaver-Burk\t"));
        QVERIFY(lines.at(at + 1).contains("\t± 1 standard error of the line, not a 95% interval"));
        QVERIFY(lines.contains("true\t2E-05\t\t\t1E-06\t\t\t1000\t\t\t50000000"));
    }

    void tutorialNumbers()
    {
        const QString tutorial = documentText(QStringLiteral(ENKIN_DOCS_DIR "/tutorial.html"));
        // Exercise 2: the ratio [ES]/[E] at the end of the runs at the lowest and highest [S]0.
        const auto ratio = [](const Readout &r) { return std::stod(r.ESVal) / std::stod(r.EVal); };
        QVERIFY(tutorial.contains("the ratio reads about 44 there and is still rising"));
        QCOMPARE(std::lround(ratio(show(exerciseRun(1, 15)).boxes)), 44L);
        QVERIFY(tutorial.contains("the ratio is 0.05"));
        QCOMPARE_LE(off(ratio(show(exerciseRun(1, 0)).boxes), 0.05), 0.02);
        QVERIFY(tutorial.contains("now [ES] reads 0.98 and [E] 0.019, a ratio of 51.6. The steady "
                                  "state gives 50 ([E] is 0.0196"));
        RunStart longer = exerciseRun(1, 15);
        longer.tmax = 0.1;
        const Shown settled = show(longer);
        QCOMPARE(settled.boxes.ESVal + " " + settled.boxes.EVal, "0.98 0.019");
        QCOMPARE(QString::number(0.98 / 0.019, 'f', 1), "51.6");
        QCOMPARE(QString::number(settled.t.EConc[600], 'f', 4), "0.0196");
        QCOMPARE_LE(off(settled.t.ESConc[600] / settled.t.EConc[600], 50), 0.005);

        // Exercise 4: at the [S]0 of the list closest to Km, v/Vmax (Vmax from exercise 3's
        // readings) and [ES]/([ES] + [E]) agree and are close to 1/2.
        QVERIFY(tutorial.contains("The two numbers should agree, and be close to 1/2"));
        const double vmax = fitGroup(studyLog(exerciseLog(1), {}), 0, {}).methods[0].vmax.value;
        QCOMPARE(formatGeneral(*units::michaelisConstant(1, 1, 1)), "2"); // the Km box, 1e-5 M
        QCOMPARE(s0RowValue(6), 0.02);                                    // in 1e-3 M
        const Readout r = show(exerciseRun(1, 6)).boxes;
        const double velocityFraction = std::stod(r.Vel) * 1e-6 / vmax;
        const double esFraction = std::stod(r.ESVal) / (std::stod(r.ESVal) + std::stod(r.EVal));
        QCOMPARE_LE(std::abs(velocityFraction - esFraction), 0.005);
        QCOMPARE_LE(std::abs(velocityFraction - 0.5), 0.01);

        // The Advanced Tutorial's constants for k1 = k-1 = k2 = 1 and [E]total = 1e-9 M.
        QVERIFY(tutorial.contains("= 2 x 10-5 M, while Ks = 1 x 10-5 M"));
        const TheoreticalConstants t = theoreticalConstants(1, 1, 1, 1, 0);
        QVERIFY(t.km == 2e-5 && t.vmax == 1e-6);
    }

    void guideAnalysisNumbers()
    {
        const QString guide = documentText(QStringLiteral(ENKIN_DOCS_DIR "/guide.html"));
        // What 95% means, and which method comes closest:
        // weightedDirectFitIsBestAndItsIntervalsHold.
        for (const char *claim :
             {"Only the direct fit's &plusmn; is a 95% confidence interval",
              "its intervals hold the true value in 95 of 100 samples",
              "The &plusmn; of a line is its standard error, not a 95% interval",
              "Under either it comes closer to the true Km and Vmax, on average, than any of the "
              "three lines",
              // The marks' thresholds, each tried below with a reading just inside and just beyond.
              "earlier than five relaxation times of the pre-steady state, which with little "
              "enzyme "
              "are 5/(k1[S]0 + k-1 + k2)",
              "or while [ES] is still more than 1% away from its steady level",
              "after more than 10% of the substrate is used",
              "too much enzyme ([E]0 above 1% of [S]0 + Km"})
            QVERIFY2(guide.contains(claim), claim);
        // At the standard values the relaxation rate is 100 k1 [S]0 + k-1 + k2 = 102 /msec.
        const RunStart standard{1, 0, 1, 0, 1, 1, 1, 0.098};
        QCOMPARE_LE(off(relaxationRate(standard), 102), 1e-4);
        const auto marks = [&](auto change) {
            LoggedReading r;
            r.t = 1e-3; // s: 100 relaxation times
            r.reading = {1e-3, 1e-6};
            r.run = {.known = true, .start = standard};
            change(r);
            return marksOf(r);
        };
        for (const double side : {0.99, 1.01}) {
            const bool beyond = side > 1;
            const double lifetime = 1e-3 / relaxationRate(standard); // s
            QCOMPARE(marks([&](LoggedReading &r) { r.t = 5 / side * lifetime; }),
                     beyond ? Mark::BeforeSteadyState : Mark::None);
            QCOMPARE(marks([&](LoggedReading &r) { r.run.esToGo = 0.01 * side; }),
                     beyond ? Mark::StillChanging : Mark::None);
            QCOMPARE(marks([&](LoggedReading &r) { r.run.substrateUsed = 0.1 * side; }),
                     beyond ? Mark::SubstrateUsed : Mark::None);
            // [E]0 in 1e-9 M against [S]0 + Km = 1e-3 M + 2e-5 M.
            QCOMPARE(marks([&](LoggedReading &r) { r.run.start.e0 = 0.01 * side * 1.02e6; }),
                     beyond ? Mark::EnzymeExcess : Mark::None);
        }
    }

    void plotsOfEachMethod()
    {
        // Exercise 3 at k2 = 1 and a reading taken before the steady state, left out.
        DataLog log = exerciseLog(1);
        accept(log, exerciseRun(1, 10), 10);
        const Study study = studyLog(log, {});
        const GroupFit fit = fitGroup(study, 0, {});
        const auto plot = [&](Method m) { return methodPlot(m, fit, study.groups[0]); };
        const MethodPlot direct = plot(Method::Direct);
        QVERIFY(direct.used.size() == 10 && direct.leftOut.size() == 1);
        QCOMPARE(direct.used.front().x, 4.0);        // µM
        QVERIFY(direct.y.lo <= direct.leftOut[0].y); // every reading in range
        for (const PlotPoint &p : direct.truth)      // v = 1 µM/s [S] / (20 µM + [S])
            QVERIFY(std::abs(p.y - p.x / (20 + p.x)) < 1e-12);
        for (const PlotPoint &p : direct.residualsUsed) // v - fitted v, within the range
            QVERIFY(std::abs(p.y) < 0.003 && p.y >= direct.residual.lo);
        // Lineweaver-Burk: the true line meets the axes at -1/Km = -0.05 /µM and 1/Vmax = 1 s/µM;
        // the fitted line reaches to its own crossing. The early reading is off the scale.
        const MethodPlot lb = plot(Method::LineweaverBurk);
        QVERIFY(std::abs(lb.truth.front().y - (lb.truth.front().x * 20 + 1)) < 1e-9);
        QVERIFY(std::abs(lb.fitted.front().x + 1 / (fit.methods[1].km.value * 1e6)) < 1e-12);
        QVERIFY(std::abs(lb.fitted.front().y) < 1e-9 && lb.zeroX && lb.x.lo < lb.fitted.front().x);
        QVERIFY(lb.leftOut[0].y > lb.y.hi);
        // Hanes-Woolf: [S]/v in s; Eadie-Hofstee: v from Vmax at v/[S] = 0.
        QVERIFY(std::abs(plot(Method::HanesWoolf).used.front().y -
                         4 / (1e6 * study.readings[0].reading.v)) < 1e-9);
        const MethodPlot eh = plot(Method::EadieHofstee);
        QVERIFY(eh.truth.front().x == 0 && std::abs(eh.truth.front().y - 1) < 1e-12);
    }
};

QTEST_APPLESS_MAIN(TestFits)
#include "tst_fits.moc"
