// The rate functions and the integration of a run.
#include "engine/integrate.h"
#include "engine/kinetics.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

using namespace enkin;

namespace {

// Replaces some of the initial texts: name, text, name, text...
void setTexts(RunInputs &inputs, const QStringList &texts)
{
    for (qsizetype i = 0; i + 1 < texts.size(); i += 2)
        inputs.set(*RunInputs::fromName(texts[i].toStdString()), texts[i + 1].toStdString());
}

RunReport run(Trajectory &t, const QStringList &texts = {}, RateSet *ratesOut = nullptr)
{
    RunInputs inputs;
    setTexts(inputs, texts);
    RateSet rates;
    RunReport report;
    IntegrateTrajectory(inputs, ratesOut ? *ratesOut : rates, t, &report);
    return report;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void rateFunctions();
    void defaultRunReferenceValues();
    void runsFromMaximumTime_data();
    void runsFromMaximumTime();
    void substepCount_data();
    void substepCount();
    void substeppedRunMatchesFineReference_data();
    void substeppedRunMatchesFineReference();
    void refusedRunKeepsPreviousRun();
    void valuesOutOfRange_data();
    void valuesOutOfRange();
};

void TestEngine::rateFunctions()
{
    // k-1 = 1 and [S] = 1 throughout; [P] = 7 and t = 3.5 must not matter.
    const struct {
        const char *name;
        double k1, k2, e, es, f1, f3, f4;
    } rows[] = {
        {"initial values", 1, 1, 1, 0, -100, -0.0001, 0},
        {"all bound", 1, 1, 0, 1, 2, 0.000001, 1},
        {"k1 zero: [ES] alone", 0, 1, 5, 1, 2, 0.000001, 1},
        {"k2 zero: no product, k-1 alone releases [S]", 1, 0, 0, 3, 3, 0.000003, 0},
    };
    for (const auto &row : rows) {
        const RateSet r{row.k1, row.k2, 1};
        QVERIFY2(fn1(r, row.e, row.es, 1, 7, 3.5) == row.f1 &&
                     fn2(r, row.e, row.es, 1, 7, 3.5) == -row.f1 &&
                     fn3(r, row.e, row.es, 1, 7, 3.5) == row.f3 &&
                     fn4(r, row.e, row.es, 1, 7, 3.5) == row.f4,
                 row.name);
    }
    // fn1 + fn2 must be exactly zero, not nearly, or [E] + [ES] drifts over a run.
    const double values[] = {0, 1e-12, 0.3, 2.5, 1e6, -4.75, 123456.789};
    for (double k1 : values)
        for (double e : values)
            for (double es : values)
                for (double s : values) {
                    const RateSet r{k1, 0.7, 1.3};
                    QVERIFY(fn1(r, e, es, s, 0, 0) + fn2(r, e, es, s, 0, 0) == 0);
                }
}

void TestEngine::defaultRunReferenceValues()
{
    RateSet rates;
    Trajectory t;
    const RunReport report = run(t, {}, &rates);
    QCOMPARE(report.tmax, 0.098);
    QCOMPARE(report.status, RunStatus::Normal);
    QVERIFY(rates.k1 == 1 && rates.k2 == 1 && rates.kminus1 == 1);
    QVERIFY(t.EConc[1] == 1 && t.ESConc[1] == 0 && t.SConc[1] == 1 && t.TimeVal[1] == 0);
    // Compared by bits: any change to the order of operations shows here.
    const double last[] = {t.EConc[600], t.ESConc[600], t.SConc[600], t.PConc[600], t.TimeVal[600]};
    const double expected[] = {0.019652551986295324, 0.9803474480137048, 0.999998933185377,
                               0.08646717548176724, 0.09799999999999932};
    QVERIFY(std::memcmp(last, expected, sizeof last) == 0);
}

void TestEngine::runsFromMaximumTime_data()
{
    QTest::addColumn<QString>("ttmax");
    QTest::addColumn<double>("tmax");
    QTest::newRow("default") << "0.098" << 0.098;
    QTest::newRow("longest single-step run") << "2.857" << 2.857;
    QTest::newRow("substepped") << "16.4" << 16.4;
    QTest::newRow("long substepped") << "100" << 100.0;
    QTest::newRow("backwards") << "-0.01" << -0.01;
    QTest::newRow("flat: empty") << "" << 0.0;
    QTest::newRow("flat: not a number") << "abc" << 0.0;
    QTest::newRow("flat: zero") << "0" << 0.0;
}

void TestEngine::runsFromMaximumTime()
{
    QFETCH(QString, ttmax);
    QFETCH(double, tmax);
    Trajectory a, b;
    run(a); // a previous run, whose points 1..600 the new run must all replace
    a.EConc[0] = a.ESConc[0] = a.SConc[0] = a.PConc[0] = a.TimeVal[0] = 42;
    b = a;
    const RunReport report = run(a, {"ttmax", ttmax});
    run(b, {"ttmax", ttmax});
    QVERIFY(std::memcmp(&a, &b, sizeof a) == 0); // bit for bit
    for (double v : {a.EConc[0], a.ESConc[0], a.SConc[0], a.PConc[0], a.TimeVal[0]})
        QCOMPARE(v, 42.0); // index 0 is never written
    QCOMPARE(report.tmax, tmax);
    QCOMPARE(a.TimeVal[600], tmax);
    // Binding goes on forwards in time and is undone backwards.
    QVERIFY((a.ESConc[600] > 0) == (tmax > 0) && (a.ESConc[600] < 0) == (tmax < 0));
    for (int i = 1; i <= 600; ++i) {
        QVERIFY2(std::abs(a.EConc[i] + a.ESConc[i] - 1.0) < 1e-15 * i, qPrintable(ttmax));
        if (tmax == 0)
            QVERIFY(a.EConc[i] == 1 && a.ESConc[i] == 0 && a.SConc[i] == 1 && a.PConc[i] == 0 &&
                    a.TimeVal[i] == 0);
    }
}

void TestEngine::substepCount_data()
{
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("lambda");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero step") << 0.0 << 102.0 << 1;
    QTest::newRow("exactly on the bound") << 0.5 / 102 << 102.0 << 1;
    QTest::newRow("just above the bound") << 0.51 / 102 << 102.0 << 2;
    QTest::newRow("16.4 ms") << 16.4 / 599 << 102.0 << 6;
    QTest::newRow("negative step") << -16.4 / 599 << 102.0 << 6;
    QTest::newRow("exactly 1000") << 5.0 << 100.0 << 1000;
    QTest::newRow("beyond 1000") << 5.01 << 100.0 << 0;
    QTest::newRow("infinite rate") << 1e-3 << std::numeric_limits<double>::infinity() << 0;
    QTest::newRow("no dynamics") << 1e300 << 0.0 << 1;
}

void TestEngine::substepCount()
{
    QFETCH(double, h);
    QFETCH(double, lambda);
    QFETCH(int, expected);
    const int n = substepsFor(h, lambda);
    QCOMPARE(n, expected);
    if (n > 1) {
        QVERIFY(std::abs(h) / n * lambda <= kStableStepBound);
        QVERIFY(std::abs(h) / (n - 1) * lambda > kStableStepBound);
    }
}

void TestEngine::substeppedRunMatchesFineReference_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("16.4 ms, where a single step diverges") << QStringList{"ttmax", "16.4"};
    QTest::newRow("long run to steady state") << QStringList{"ttmax", "100"};
    QTest::newRow("low substrate, fast k2")
        << QStringList{"ttmax", "50", "S0", "0.001", "kk2", "10"};
    QTest::newRow("stiff, 900 substeps") << QStringList{"ttmax", "2642"};
}

void TestEngine::substeppedRunMatchesFineReference()
{
    QFETCH(QStringList, texts);
    Trajectory t;
    const RunReport report = run(t, texts);
    QCOMPARE(report.status, RunStatus::Substepped);
    QVERIFY(report.substeps > 1);

    // Reference: every grid interval split into 8 times as many plain RK4 steps, written out
    // here independently of the engine's stepper.
    RunInputs inputs;
    setTexts(inputs, texts);
    const RunStart start = readRunStart(inputs);
    const RateSet r{start.k1, start.k2, start.kminus1};
    using State = std::array<double, 4>;
    // The derivative at x + a k.
    const auto slope = [&r](const State &x, double a, const State &k) {
        const State y{x[0] + a * k[0], x[1] + a * k[1], x[2] + a * k[2], x[3] + a * k[3]};
        return State{fn1(r, y[0], y[1], y[2], y[3], 0), fn2(r, y[0], y[1], y[2], y[3], 0),
                     fn3(r, y[0], y[1], y[2], y[3], 0), fn4(r, y[0], y[1], y[2], y[3], 0)};
    };
    const int fineSteps = report.substeps * 8;
    const double hf = start.tmax / 599 / fineSteps;
    State x{start.e0, start.es0, start.s0, start.p0};
    for (int i = 2; i <= 600; ++i) {
        for (int k = 0; k < fineSteps; ++k) {
            const State k1 = slope(x, 0, x), k2 = slope(x, hf / 2, k1);
            const State k3 = slope(x, hf / 2, k2), k4 = slope(x, hf, k3);
            for (int c = 0; c < 4; ++c)
                x[c] += hf / 6 * (k1[c] + 2 * k2[c] + 2 * k3[c] + k4[c]);
        }
        // The readouts show three decimals (four for [S]); stay well inside that.
        const QByteArray where = QByteArray::number(i);
        QVERIFY2(std::abs(t.EConc[i] - x[0]) < 1e-4, where);
        QVERIFY2(std::abs(t.ESConc[i] - x[1]) < 1e-4, where);
        QVERIFY2(std::abs(t.SConc[i] - x[2]) < 1e-5, where);
        QVERIFY2(std::abs(t.PConc[i] - x[3]) < 1e-4, where);
    }
}

void TestEngine::refusedRunKeepsPreviousRun()
{
    RateSet rates;
    Trajectory t;
    run(t, {}, &rates);
    const Trajectory before = t;
    const RunReport report = run(t, {"ttmax", "10000", "kk2", "7"}, &rates);
    QCOMPARE(report.tmax, 10000.0);
    QCOMPARE(report.status, RunStatus::Refused);
    QCOMPARE(report.lastValid(), 0);
    QVERIFY(std::memcmp(&t, &before, sizeof t) == 0 && rates.k2 == 1);

    // The largest accepted time is accepted, and is close to the true limit.
    const double lambda = 100 + 1 + 7;
    QVERIFY(substepsFor(report.largestAcceptedTmax / 599, lambda) > 0);
    QVERIFY(report.largestAcceptedTmax > 0.99 * 599 * 500 / lambda);
    const QString largest = QString::number(report.largestAcceptedTmax, 'g', 17);
    QCOMPARE(run(t, {"ttmax", largest, "kk2", "7"}).status, RunStatus::Substepped);
}

void TestEngine::valuesOutOfRange_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<RunStatus>("status");
    // A negative k1 turns binding into unbounded growth of [E] and [S].
    QTest::newRow("runaway") << QStringList{"kk1", "-1", "ttmax", "5"} << RunStatus::Stopped;
    QTest::newRow("huge E0") << QStringList{"E0", "1e308"} << RunStatus::Stopped;
    QTest::newRow("huge negative P0") << QStringList{"P0", "-1e308"} << RunStatus::Normal;
    QTest::newRow("huge k1") << QStringList{"kk1", "1e308"} << RunStatus::Refused;
    QTest::newRow("huge ttmax") << QStringList{"ttmax", "1e308"} << RunStatus::Refused;
    QTest::newRow("overflowing ttmax") << QStringList{"ttmax", "1d400"} << RunStatus::Refused;
    QTest::newRow("huge k2 in hex")
        << QStringList{"kk2", "&H7FFFFFFFFFFFFFFF"} << RunStatus::Refused;
}

// No input may store a non-finite value as a result.
void TestEngine::valuesOutOfRange()
{
    QFETCH(QStringList, texts);
    QFETCH(RunStatus, status);
    Trajectory t;
    const RunReport report = run(t, texts);
    QCOMPARE(report.status, status);
    for (int i = 1; i <= report.lastValid(); ++i)
        for (double v : {t.EConc[i], t.ESConc[i], t.SConc[i], t.PConc[i], t.TimeVal[i]})
            QVERIFY2(std::isfinite(v), qPrintable(QString::number(i)));
    if (status == RunStatus::Stopped) {
        QCOMPARE(report.lastValid(), report.stoppedAt - 1);
        for (int i = report.stoppedAt; i <= 600; ++i)
            QVERIFY(std::isnan(t.EConc[i]));
    }
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
