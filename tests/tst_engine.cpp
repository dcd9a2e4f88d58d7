// The rate functions and the integration of a run.
#include "engine/integrate.h"
#include "engine/kinetics.h"
#include "params/runinputs.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

using namespace enkin;

namespace {

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameTrajectory(const Trajectory &a, const Trajectory &b)
{
    return std::memcmp(&a, &b, sizeof(Trajectory)) == 0;
}

// One run from the initial texts with some of them replaced.
RunReport run(Trajectory &t, std::initializer_list<std::pair<RunInput, const char *>> texts = {},
              RateSet *ratesOut = nullptr)
{
    RunInputs inputs;
    for (const auto &[input, text] : texts)
        inputs.set(input, text);
    RateSet rates;
    RunReport report;
    IntegrateTrajectory(inputs, ratesOut ? *ratesOut : rates, t, &report);
    return report;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void rateFunctions_data();
    void rateFunctions();
    void fn2IsExactNegationOfFn1();
    void defaultRunReferenceValues();
    void conservationOfEnzyme();
    void runsAreReproducibleAndTouchOnlyTheirPoints();
    void flatRunForEmptyTtmax_data();
    void flatRunForEmptyTtmax();
    void negativeTtmaxRunsBackwards();
    void substepCount_data();
    void substepCount();
    void substeppedRunMatchesFineReference_data();
    void substeppedRunMatchesFineReference();
    void refusedRunKeepsPreviousRun();
    void runawayRunStopsBeforeNonFinite();
    void overflowingInputsNeverStoreNonFinite_data();
    void overflowingInputsNeverStoreNonFinite();
};

void TestEngine::rateFunctions_data()
{
    QTest::addColumn<double>("k1");
    QTest::addColumn<double>("k2");
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("es");
    QTest::addColumn<double>("f1");
    QTest::addColumn<double>("f3");
    QTest::addColumn<double>("f4");
    // k-1 = 1 and [S] = 1 throughout.
    QTest::newRow("initial values") << 1.0 << 1.0 << 1.0 << 0.0 << -100.0 << -0.0001 << 0.0;
    QTest::newRow("all bound") << 1.0 << 1.0 << 0.0 << 1.0 << 2.0 << 0.000001 << 1.0;
    QTest::newRow("k1 zero: [ES] alone") << 0.0 << 1.0 << 5.0 << 1.0 << 2.0 << 0.000001 << 1.0;
    QTest::newRow("k2 zero: no product") << 1.0 << 0.0 << 0.0 << 3.0 << 3.0 << 0.000003 << 0.0;
}

void TestEngine::rateFunctions()
{
    QFETCH(double, k1);
    QFETCH(double, k2);
    QFETCH(double, e);
    QFETCH(double, es);
    QFETCH(double, f1);
    QFETCH(double, f3);
    QFETCH(double, f4);
    const RateSet r{k1, k2, 1};
    for (double p : {0.0, 7.0})
        for (double t : {0.0, 3.5}) {
            QCOMPARE(fn1(r, e, es, 1, p, t), f1);
            QCOMPARE(fn2(r, e, es, 1, p, t), -f1);
            QCOMPARE(fn3(r, e, es, 1, p, t), f3);
            QCOMPARE(fn4(r, e, es, 1, p, t), f4);
        }
}

void TestEngine::fn2IsExactNegationOfFn1()
{
    const double values[] = {0, 1e-12, 0.3, 1, 2.5, 1e6, -4.75, 123456.789};
    for (double k1 : values)
        for (double e : values)
            for (double es : values)
                for (double s : values) {
                    const RateSet r{k1, 0.7, 1.3};
                    QCOMPARE(fn1(r, e, es, s, 0, 0) + fn2(r, e, es, s, 0, 0), 0.0);
                }
}

void TestEngine::defaultRunReferenceValues()
{
    RunInputs inputs;
    RateSet rates;
    Trajectory t;
    RunReport report;
    QCOMPARE(IntegrateTrajectory(inputs, rates, t, &report), 0.098);
    QCOMPARE(report.status, RunStatus::Normal);
    QVERIFY(sameBits(t.EConc[600], 0.019652551986295324));
    QVERIFY(sameBits(t.ESConc[600], 0.9803474480137048));
    QVERIFY(sameBits(t.SConc[600], 0.999998933185377));
    QVERIFY(sameBits(t.PConc[600], 0.08646717548176724));
    QVERIFY(sameBits(t.TimeVal[600], 0.09799999999999932));
    QCOMPARE(qRound(t.EConc[2] * 1e6), 983775);
    QCOMPARE(qRound(t.ESConc[2] * 1e6), 16225);
    QCOMPARE(rates.k1, 1.0);
    QCOMPARE(rates.k2, 1.0);
    QCOMPARE(rates.kminus1, 1.0);
}

void TestEngine::conservationOfEnzyme()
{
    for (const char *tmax : {"0.098", "2.857", "16.4", "100"}) {
        Trajectory t;
        run(t, {{RunInput::ttmax, tmax}});
        for (int i = 1; i <= 600; ++i)
            QVERIFY2(std::abs(t.EConc[i] + t.ESConc[i] - 1.0) < 1e-15 * i, tmax);
    }
}

void TestEngine::runsAreReproducibleAndTouchOnlyTheirPoints()
{
    Trajectory a, b;
    a.EConc[0] = a.ESConc[0] = a.SConc[0] = a.PConc[0] = a.TimeVal[0] = 42;
    b = a;
    run(a);
    run(b);
    QVERIFY(sameTrajectory(a, b));
    run(a, {{RunInput::ttmax, "50"}}); // substepped
    run(b, {{RunInput::ttmax, "50"}});
    QVERIFY(sameTrajectory(a, b));

    // A new Maximum Time changes every point but the first; index 0 is never written.
    run(a);
    run(b, {{RunInput::ttmax, "0.05"}});
    QCOMPARE(b.EConc[1], a.EConc[1]);
    QCOMPARE(b.TimeVal[1], 0.0);
    for (int i = 2; i <= 600; ++i)
        QVERIFY(b.EConc[i] != a.EConc[i] && b.TimeVal[i] != a.TimeVal[i]);
    for (double v : {b.EConc[0], b.ESConc[0], b.SConc[0], b.PConc[0], b.TimeVal[0]})
        QCOMPARE(v, 42.0);
}

void TestEngine::flatRunForEmptyTtmax_data()
{
    QTest::addColumn<QString>("ttmax");
    QTest::newRow("empty") << "";
    QTest::newRow("not a number") << "abc";
    QTest::newRow("zero") << "0";
}

void TestEngine::flatRunForEmptyTtmax()
{
    QFETCH(QString, ttmax);
    Trajectory t;
    const QByteArray text = ttmax.toLatin1();
    const RunReport report = run(t, {{RunInput::ttmax, text.constData()}});
    QCOMPARE(report.tmax, 0.0);
    QCOMPARE(report.status, RunStatus::Normal);
    for (int i = 1; i <= 600; ++i)
        QVERIFY(t.EConc[i] == 1 && t.ESConc[i] == 0 && t.SConc[i] == 1 && t.PConc[i] == 0 &&
                t.TimeVal[i] == 0);
}

void TestEngine::negativeTtmaxRunsBackwards()
{
    Trajectory t;
    QCOMPARE(run(t, {{RunInput::ttmax, "-0.01"}}).status, RunStatus::Normal);
    QVERIFY(t.TimeVal[600] < 0);
    // Backwards in time binding is undone: [ES] goes negative, [E] grows above its start.
    QVERIFY(t.ESConc[600] < 0);
    QVERIFY(t.EConc[600] > 1);
}

void TestEngine::substepCount_data()
{
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("lambda");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero step") << 0.0 << 102.0 << 1;
    QTest::newRow("default run") << 0.098 / 599 << 102.0 << 1;
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
    QTest::addColumn<QString>("ttmax");
    QTest::addColumn<QString>("S0");
    QTest::addColumn<QString>("kk2");
    QTest::newRow("16.4 ms, where a single step diverges") << "16.4"
                                                           << "1"
                                                           << "1.0";
    QTest::newRow("long run to steady state") << "100"
                                              << "1"
                                              << "1.0";
    QTest::newRow("low substrate, fast k2") << "50"
                                            << "0.001"
                                            << "10";
    QTest::newRow("stiff, 900 substeps") << "2642"
                                         << "1"
                                         << "1.0";
}

void TestEngine::substeppedRunMatchesFineReference()
{
    QFETCH(QString, ttmax);
    QFETCH(QString, S0);
    QFETCH(QString, kk2);
    RunInputs inputs;
    inputs.set(RunInput::ttmax, ttmax.toStdString());
    inputs.set(RunInput::S0, S0.toStdString());
    inputs.set(RunInput::kk2, kk2.toStdString());
    RateSet rates;
    Trajectory t;
    RunReport report;
    IntegrateTrajectory(inputs, rates, t, &report);
    QCOMPARE(report.status, RunStatus::Substepped);
    QVERIFY(report.substeps > 1);

    // Reference: every grid interval split into 8 times as many plain RK4 steps, written out
    // here independently of the engine's stepper.
    const RunStart start = readRunStart(inputs);
    const RateSet r{start.k1, start.k2, start.kminus1};
    const auto derivative = [&r](const std::array<double, 4> &x) {
        return std::array<double, 4>{
            fn1(r, x[0], x[1], x[2], x[3], 0), fn2(r, x[0], x[1], x[2], x[3], 0),
            fn3(r, x[0], x[1], x[2], x[3], 0), fn4(r, x[0], x[1], x[2], x[3], 0)};
    };
    const auto axpy = [](const std::array<double, 4> &x, double a, const std::array<double, 4> &k) {
        return std::array<double, 4>{x[0] + a * k[0], x[1] + a * k[1], x[2] + a * k[2],
                                     x[3] + a * k[3]};
    };
    const int fineSteps = report.substeps * 8;
    const double hf = start.tmax / 599 / fineSteps;
    std::array<double, 4> x{start.e0, start.es0, start.s0, start.p0};
    for (int i = 2; i <= 600; ++i) {
        for (int k = 0; k < fineSteps; ++k) {
            const auto k1 = derivative(x);
            const auto k2 = derivative(axpy(x, hf / 2, k1));
            const auto k3 = derivative(axpy(x, hf / 2, k2));
            const auto k4 = derivative(axpy(x, hf, k3));
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
    RunInputs inputs;
    RateSet rates;
    Trajectory t;
    IntegrateTrajectory(inputs, rates, t);
    const Trajectory before = t;
    const RateSet ratesBefore = rates;

    inputs.set(RunInput::ttmax, "10000");
    inputs.set(RunInput::kk2, "7");
    RunReport report;
    QCOMPARE(IntegrateTrajectory(inputs, rates, t, &report), 10000.0);
    QCOMPARE(report.status, RunStatus::Refused);
    QCOMPARE(report.lastValid(), 0);
    QVERIFY(sameTrajectory(t, before));
    QCOMPARE(rates.k2, ratesBefore.k2);

    // The largest accepted time is accepted, and is close to the true limit.
    const double lambda = 100 + 1 + 7;
    QVERIFY(report.largestAcceptedTmax > 0);
    QVERIFY(substepsFor(report.largestAcceptedTmax / 599, lambda) > 0);
    QVERIFY(report.largestAcceptedTmax > 0.99 * 599 * 500 / lambda);
    inputs.set(RunInput::ttmax, std::to_string(report.largestAcceptedTmax));
    IntegrateTrajectory(inputs, rates, t, &report);
    QCOMPARE(report.status, RunStatus::Substepped);
}

void TestEngine::runawayRunStopsBeforeNonFinite()
{
    // A negative k1 turns binding into unbounded growth of [E] and [S].
    Trajectory t;
    const RunReport report = run(t, {{RunInput::kk1, "-1"}, {RunInput::ttmax, "5"}});
    QCOMPARE(report.status, RunStatus::Stopped);
    QVERIFY(report.stoppedAt > 2 && report.stoppedAt <= 600);
    QCOMPARE(report.lastValid(), report.stoppedAt - 1);
    for (int i = 1; i <= report.lastValid(); ++i)
        for (double v : {t.EConc[i], t.ESConc[i], t.SConc[i], t.PConc[i], t.TimeVal[i]})
            QVERIFY(std::isfinite(v));
    for (int i = report.stoppedAt; i <= 600; ++i)
        QVERIFY(std::isnan(t.EConc[i]));
}

void TestEngine::overflowingInputsNeverStoreNonFinite_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("huge E0") << "E0"
                             << "1e308";
    QTest::newRow("huge negative P0") << "P0"
                                      << "-1e308";
    QTest::newRow("huge k1") << "kk1"
                             << "1e308";
    QTest::newRow("huge ttmax") << "ttmax"
                                << "1e308";
    QTest::newRow("overflowing ttmax") << "ttmax"
                                       << "1d400";
    QTest::newRow("huge k2 and ttmax") << "kk2"
                                       << "&H7FFFFFFFFFFFFFFF";
}

void TestEngine::overflowingInputsNeverStoreNonFinite()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    RunInputs inputs;
    inputs.set(*RunInputs::fromName(field.toStdString()), text.toStdString());
    RateSet rates;
    Trajectory t;
    RunReport report;
    IntegrateTrajectory(inputs, rates, t, &report);
    for (int i = 1; i <= report.lastValid(); ++i)
        for (double v : {t.EConc[i], t.ESConc[i], t.SConc[i], t.PConc[i], t.TimeVal[i]})
            QVERIFY2(std::isfinite(v), qPrintable(QString::number(i)));
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
