// The rate functions and the integration of a run.
#include "engine/integrate.h"
#include "engine/kinetics.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

using namespace enkin;

Q_DECLARE_METATYPE(enkin::StopCause)

namespace {

// The run of the initial texts with some replaced: name, text, name, text...
RunStart startFrom(const QStringList &texts)
{
    RunInputs inputs;
    for (qsizetype i = 0; i + 1 < texts.size(); i += 2)
        inputs.set(*RunInputs::fromName(texts[i].toStdString()), texts[i + 1].toStdString());
    return readRunStart(inputs);
}

RunReport run(Trajectory &t, const QStringList &texts = {})
{
    RateSet rates;
    return integrateRun(startFrom(texts), rates, t);
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void rateFunctions();
    void jacobianMatchesRateFunctions();
    void fixedStepRunsBitForBit();
    void runsOnTheGrid_data();
    void runsOnTheGrid();
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

// The solver steers by the Jacobian: a wrong sign or unit factor in it slows the solver down or
// lets it accept wrong steps. The rates are at most bilinear, so central differences are exact
// but for rounding.
void TestEngine::jacobianMatchesRateFunctions()
{
    using Rate = double (*)(const RateSet &, double, double, double, double, double);
    const Rate rate[] = {fn1, fn2, fn3, fn4};
    const RateSet sets[] = {{1, 1, 1}, {0.3, 7, 0.02}, {12, 0, 3}};
    const std::array<double, 4> points[] = {{1, 0, 1, 0}, {0.25, 0.75, 0.004, 3e5}, {3, 2, 40, 1}};
    for (const RateSet &r : sets)
        for (const auto &x : points) {
            const Jacobian j = rateJacobian(r, x[0], x[1], x[2]);
            for (int col = 0; col < 4; ++col) {
                auto up = x, down = x;
                up[col] += 1e-3 * std::max(1.0, std::abs(x[col]));
                down[col] -= 1e-3 * std::max(1.0, std::abs(x[col]));
                for (int row = 0; row < 4; ++row) {
                    const double slope = (rate[row](r, up[0], up[1], up[2], up[3], 0) -
                                          rate[row](r, down[0], down[1], down[2], down[3], 0)) /
                                         (up[col] - down[col]);
                    QVERIFY2(std::abs(j[row][col] - slope) <= 1e-9 * (1 + std::abs(slope)),
                             qPrintable(QStringLiteral("d fn%1 / d x%2").arg(row + 1).arg(col)));
                }
            }
        }
}

// Every run the fixed step takes is computed bit for bit as it always was: the whole trajectory's
// bytes, hashed (64-bit FNV-1a), against the hashes of the program before the solver's bound
// moved. Rows: e0, es0, s0, p0, k1, k2, k-1, Maximum Time.
void TestEngine::fixedStepRunsBitForBit()
{
    const struct {
        RunStart start;
        std::uint64_t hash;
    } rows[] = {
        {{1, 0, 1, 0, 1, 1, 1, 0.098}, 0x2af063d98f9985ddull},
        {{1, 0, 1, 0, 1, 1, 1, 0.88}, 0xc00019fbca7d3d1bull},
        {{1, 0, 0.01, 0, 1, 1, 1, 5}, 0xcde445bee026d460ull},
        {{1, 0, 1, 0, 1, 10, 1, 0.5}, 0xa77e409e907d5050ull},
        {{1, 0, 1, 0, 0.1, 1, 1, 5}, 0xa887f5e727c5f3d8ull},
        {{1000, 0, 1, 0, 1, 1, 1, 0.5}, 0x182ad46f4bba7188ull},
        {{1, 0, 1, 0, 1, 1, 1, -0.05}, 0xe5a2ee2c461dc2c9ull},
        {{0.5, 0.5, 1, 5, 1, 1, 1, 0.3}, 0xa87fe9b621f2e387ull},
        {{1, 0, 100, 0, 10, 0.1, 0.1, 0.0005}, 0xd7512f36a7089dfeull},
    };
    for (const auto &row : rows) {
        RateSet rates;
        Trajectory t;
        QCOMPARE(integrateRun(row.start, rates, t).status, RunStatus::Normal);
        std::uint64_t hash = 1469598103934665603ull;
        for (const Trajectory::Column *column :
             {&t.EConc, &t.ESConc, &t.SConc, &t.PConc, &t.TimeVal})
            for (int i = 1; i <= 600; ++i) {
                unsigned char bytes[sizeof(double)];
                std::memcpy(bytes, &(*column)[std::size_t(i)], sizeof bytes);
                for (unsigned char b : bytes)
                    hash = (hash ^ b) * 1099511628211ull;
            }
        QVERIFY2(hash == row.hash, qPrintable(QString::number(row.start.tmax)));
    }
}

void TestEngine::runsOnTheGrid_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("fixedStep");
    QTest::addColumn<RunStatus>("status");
    const RunStatus fixed = RunStatus::Normal, stiff = RunStatus::StiffSolver;
    const RunStatus stopped = RunStatus::Stopped;
    // lambda = 100 k1 [S]0 + k-1 + k2 + k1 [E]0 / 10000 = 102.0001 with the initial texts; the
    // fixed step's bound is |h| lambda 0.15, a Maximum Time of 0.8808815 ms.
    QTest::newRow("initial run") << QStringList{} << true << fixed;
    QTest::newRow("just within the bound") << QStringList{"ttmax", "0.880881"} << true << fixed;
    QTest::newRow("just beyond the bound") << QStringList{"ttmax", "0.880882"} << false << stiff;
    QTest::newRow("backwards") << QStringList{"ttmax", "-0.01"} << true << fixed;
    QTest::newRow("backwards, within") << QStringList{"ttmax", "-0.880881"} << true << stopped;
    QTest::newRow("backwards, beyond") << QStringList{"ttmax", "-0.880882"} << false << stopped;
    QTest::newRow("lambda from k2")
        << QStringList{"ttmax", "0.880881", "kk2", "1.001"} << false << stiff;
    QTest::newRow("lambda from [S]0")
        << QStringList{"ttmax", "0.880881", "S0", "1.00001"} << false << stiff;
    QTest::newRow("lambda from [E]0")
        << QStringList{"ttmax", "0.880881", "E0", "2"} << false << stiff;
    QTest::newRow("lambda from [ES]0, bound substrate")
        << QStringList{"ttmax", "0.880881", "ES0", "10"} << false << stiff;
    QTest::newRow("negative constants count by size")
        << QStringList{"ttmax", "0.880881", "kk1", "-1", "kk3", "-1"} << true << stopped;
    QTest::newRow("no dynamics, any length")
        << QStringList{"ttmax", "1e300", "kk1", "0", "kk2", "0", "kk3", "0"} << true << fixed;
    QTest::newRow("flat: empty, whatever the rates")
        << QStringList{"ttmax", "", "kk1", "1e300"} << true << fixed;
    QTest::newRow("the whole reaction") << QStringList{"ttmax", "1000000"} << false << stiff;
}

// Which method runs, and the run on its grid; valuesOutOfRange follows the runs that stop.
void TestEngine::runsOnTheGrid()
{
    QFETCH(QStringList, texts);
    QFETCH(RunStatus, status);
    const RunStart start = startFrom(texts);
    QTEST(usesFixedStep(start), "fixedStep");
    Trajectory a, b;
    run(a); // a previous run, whose points 1..600 the new run must all replace
    a.EConc[0] = a.ESConc[0] = a.SConc[0] = a.PConc[0] = a.TimeVal[0] = 42;
    b = a;
    const RunReport report = run(a, texts);
    QCOMPARE(report.status, status);
    if (status == RunStatus::Stopped)
        return;
    run(b, texts);
    QVERIFY(std::memcmp(&a, &b, sizeof a) == 0); // bit for bit, also through the solver
    for (double v : {a.EConc[0], a.ESConc[0], a.SConc[0], a.PConc[0], a.TimeVal[0]})
        QCOMPARE(v, 42.0); // index 0 is never written
    QCOMPARE(report.solverSteps > 0, status == RunStatus::StiffSolver);
    QCOMPARE(report.lastValid(), 600);
    QCOMPARE(a.TimeVal[600], start.tmax);
    // Binding goes on forwards in time and is undone backwards.
    if (start.k1 > 0 && start.es0 == 0)
        QCOMPARE(a.ESConc[600] > 0, start.tmax > 0);
    const double enzyme = start.e0 + start.es0;
    for (int i = 1; i <= 600; ++i) {
        QVERIFY(std::abs(a.EConc[i] + a.ESConc[i] - enzyme) < 1e-15 * i * enzyme);
        QVERIFY(a.TimeVal[i] == (i == 1 ? 0.0 : a.TimeVal[i - 1] + start.tmax / 599));
        if (start.tmax == 0)
            QVERIFY(a.EConc[i] == 1 && a.ESConc[i] == 0 && a.SConc[i] == 1 && a.PConc[i] == 0);
    }
}

void TestEngine::valuesOutOfRange_data()
{
    // The initial run with some numbers replaced, "k1=-1 tmax=5"; numbers from anywhere, beyond
    // what the texts can give (their parse stops at the largest double).
    QTest::addColumn<QString>("changes");
    QTest::addColumn<RunStatus>("status");
    QTest::addColumn<StopCause>("cause");
    QTest::addColumn<int>("stoppedAt"); // 0: wherever the values leave the double range
    const auto stopped = [](const char *name, const char *changes, StopCause cause, int at = 0) {
        QTest::newRow(name) << QString(changes) << RunStatus::Stopped << cause << at;
    };
    const auto completes = [](const char *name, const char *changes, RunStatus status) {
        QTest::newRow(name) << QString(changes) << status << StopCause::None << 601;
    };
    // A negative k1 turns binding into unbounded growth of [E] and [S].
    stopped("runaway", "k1=-1 tmax=5", StopCause::NegativeInput);
    // Backwards in time binding is undone at the rate lambda: the values grow without bound.
    stopped("backwards, beyond the fixed step", "tmax=-100", StopCause::Backward);
    completes("backwards, nothing bound or binding", "tmax=-1e6 s0=0", RunStatus::StiffSolver);
    // The rates of these inputs are beyond the double range; a value that is not finite stops
    // the run before it reaches the boxes.
    stopped("huge E0", "e0=1e308", StopCause::TooLarge);
    stopped("E0 infinite", "e0=inf", StopCause::TooLarge, 1);
    stopped("huge k1: the fastest rate itself", "k1=1e308", StopCause::OutOfRange, 2);
    stopped("k1 infinite", "k1=inf", StopCause::OutOfRange, 2);
    stopped("Maximum Time minus infinite", "tmax=-inf", StopCause::Backward, 2);
    completes("huge negative P0", "p0=-1e308", RunStatus::Normal);
    // The largest double; the grid times stay within it, and so must the solver's.
    completes("the longest Maximum Time", "tmax=1.7976931348623157e308", RunStatus::StiffSolver);
    completes("huge k2", "k2=9.2233720368547758e18", RunStatus::StiffSolver);
    // Runs at the edges whose exact solution is finite all complete. Regressions: a trace of
    // substrate stopped the solver, and enzyme far in excess blew up the fixed step.
    completes("the least substrate there is", "s0=4.9e-324 tmax=1e9", RunStatus::StiffSolver);
    completes("enzyme far in excess", "e0=1e6 tmax=30", RunStatus::StiffSolver);
    completes("10 M of substrate, very long", "s0=1e4 e0=1e6 tmax=1e12", RunStatus::StiffSolver);
}

// No input may store a non-finite value as a result, and none is refused.
void TestEngine::valuesOutOfRange()
{
    QFETCH(QString, changes);
    QFETCH(RunStatus, status);
    QFETCH(int, stoppedAt);
    RunStart start = startFrom({});
    const QStringList names{"e0", "es0", "s0", "p0", "k1", "k2", "km1", "tmax"};
    double *fields[] = {&start.e0, &start.es0, &start.s0,      &start.p0,
                        &start.k1, &start.k2,  &start.kminus1, &start.tmax};
    for (const QString &change : changes.split(' '))
        *fields[names.indexOf(change.section('=', 0, 0))] = change.section('=', 1).toDouble();
    RateSet rates;
    Trajectory t;
    const RunReport report = integrateRun(start, rates, t);
    QCOMPARE(report.status, status);
    QTEST(report.cause, "cause");
    QCOMPARE(report.stoppedAt <= 600, status == RunStatus::Stopped);
    if (stoppedAt > 0)
        QCOMPARE(report.stoppedAt, stoppedAt);
    for (int i = 1; i <= 600; ++i)
        for (double v : {t.EConc[i], t.ESConc[i], t.SConc[i], t.PConc[i], t.TimeVal[i]})
            QVERIFY2(i < report.stoppedAt ? std::isfinite(v) : std::isnan(v),
                     qPrintable(QString::number(i)));
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
