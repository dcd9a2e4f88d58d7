// The rate functions and the integration of a run.
#include "engine/integrate.h"
#include "engine/kinetics.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace enkin;

Q_DECLARE_METATYPE(enkin::StopCause)

namespace {

// The initial run with some numbers replaced, "k1=-1 tmax=5". Numbers from anywhere: the texts
// cannot give a value beyond the double range, the engine must take one.
RunStart startWith(const QString &changes)
{
    RunStart start{1, 0, 1, 0, 1, 1, 1, 0.098};
    const QStringList names{"e0",   "es0", "s0", "p0",  "k1", "k2", "km1",
                            "tmax", "i0",  "k3", "km3", "k4", "km4"};
    Inhibitor &in = start.inhibitor;
    double *fields[] = {&start.e0,   &start.es0,     &start.s0,   &start.p0, &start.k1,
                        &start.k2,   &start.kminus1, &start.tmax, &in.i0,    &in.k3,
                        &in.kminus3, &in.k4,         &in.kminus4};
    for (const QString &change : changes.split(' ', Qt::SkipEmptyParts))
        *fields[names.indexOf(change.section('=', 0, 0))] = change.section('=', 1).toDouble();
    return start;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void rateFunctions();
    void fixedStepRunsBitForBit();
    void runs_data();
    void runs();
    void inhibitedSteadyState_data();
    void inhibitedSteadyState();
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
    // fn1 + fn2 is exactly zero, or [E] + [ES] would drift over a run: runs() holds the total.
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

void TestEngine::runs_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<int>("fixedStep"); // 1 the fixed step, 0 the stiff solver, -1 either
    QTest::addColumn<RunStatus>("status");
    QTest::addColumn<StopCause>("cause");
    QTest::addColumn<int>("stoppedAt"); // 0: wherever the values leave the double range
    const auto row = [](const char *name, const char *changes, int fixed, RunStatus status,
                        StopCause cause = StopCause::None, int stoppedAt = 0) {
        QTest::newRow(name) << QString(changes) << fixed << status << cause << stoppedAt;
    };
    const RunStatus normal = RunStatus::Normal, stiff = RunStatus::StiffSolver;
    const RunStatus stopped = RunStatus::Stopped;
    // lambda = 100 k1 [S]0 + k-1 + k2 + k1 [E]0 / 10000 = 102.0001 with the initial texts; the
    // fixed step's bound is |h| lambda 0.15, a Maximum Time of 0.8808815 ms.
    row("initial run", "", 1, normal);
    row("just within the bound", "tmax=0.880881", 1, normal);
    row("just beyond the bound", "tmax=0.880882", 0, stiff);
    row("lambda from k2", "tmax=0.880881 k2=1.001", 0, stiff);
    row("lambda from [S]0", "tmax=0.880881 s0=1.00001", 0, stiff);
    row("lambda from [E]0", "tmax=0.880881 e0=2", 0, stiff);
    row("lambda from [ES]0, bound substrate", "tmax=0.880881 es0=10", 0, stiff);
    row("no dynamics, any length", "tmax=1e300 k1=0 k2=0 km1=0", 1, normal);
    row("flat, whatever the rates", "tmax=0 k1=1e300", 1, normal);
    row("the whole reaction", "tmax=1e6", 0, stiff);
    // Backwards in time binding is undone at the rate lambda: the values grow without bound. A
    // negative k1 turns binding into unbounded growth of [E] and [S].
    row("backwards", "tmax=-0.01", 1, normal);
    row("backwards, within", "tmax=-0.880881", 1, stopped, StopCause::Backward);
    row("backwards, beyond", "tmax=-0.880882", 0, stopped, StopCause::Backward);
    row("backwards, nothing bound or binding", "tmax=-1e6 s0=0", -1, stiff);
    row("negative constants count by size", "tmax=0.880881 k1=-1 km1=-1", 1, stopped,
        StopCause::NegativeInput);
    row("runaway", "k1=-1 tmax=5", -1, stopped, StopCause::NegativeInput);
    // The rates of these inputs are beyond the double range; a value that is not finite stops
    // the run before it reaches the boxes.
    row("huge E0", "e0=1e308", -1, stopped, StopCause::TooLarge);
    row("E0 infinite", "e0=inf", -1, stopped, StopCause::TooLarge, 1);
    row("huge k1: the fastest rate itself", "k1=1e308", -1, stopped, StopCause::OutOfRange, 2);
    row("k1 infinite", "k1=inf", -1, stopped, StopCause::OutOfRange, 2);
    row("Maximum Time minus infinite", "tmax=-inf", -1, stopped, StopCause::Backward, 2);
    row("huge negative P0", "p0=-1e308", -1, normal);
    // The largest double; the grid times stay within it, and so must the solver's.
    row("the longest Maximum Time", "tmax=1.7976931348623157e308", -1, stiff);
    row("huge k2", "k2=9.2233720368547758e18", -1, stiff);
    // Runs at the edges whose exact solution is finite all complete. Regressions: a trace of
    // substrate stopped the solver, and enzyme far in excess blew up the fixed step.
    row("the least substrate there is", "s0=4.9e-324 tmax=1e9", -1, stiff);
    row("enzyme far in excess", "e0=1e6 tmax=30", -1, stiff);
    row("10 M of substrate, very long", "s0=1e4 e0=1e6 tmax=1e12", -1, stiff);
    // An inhibitor adds 100 (k3 + k4) [I]0 + k-3 + k-4 + (k3 + k4) [E]0 / 10000 = 2.0001 here:
    // lambda 104.0002, a bound of 0.8639406 ms.
    row("inhibitor, within the bound", "i0=0.01 k3=1 km3=1 tmax=0.86394", 1, normal);
    row("inhibitor, beyond the bound", "i0=0.01 k3=1 km3=1 tmax=0.863941", 0, stiff);
    row("inhibitor constants without inhibitor", "k3=1e300 km3=1e300 tmax=0.880881", 1, normal);
    row("huge inhibitor binding", "i0=1 k4=1e308", -1, stopped, StopCause::OutOfRange, 2);
    row("inhibitor not a number", "i0=nan k3=1", -1, stopped, StopCause::TooLarge, 1);
}

void TestEngine::inhibitedSteadyState_data()
{
    QTest::addColumn<QString>("changes");
    // [S]0 and [I]0 in 1e-3 M against Km = 0.02 and Ki = k-3 / k3 (x 1e-2 in that unit); the
    // enzyme, 1e-9 M, is a thousandth of either or less.
    for (const char *kind :
         {"k3=1 km3=1", "k4=2 km4=1", "k3=1 km3=1 k4=0.5 km4=2", "k3=0.5 km3=1 k4=0.5 km4=1"})
        for (const char *s0 : {"s0=0.001", "s0=0.02", "s0=0.2"})
            for (const char *i0 : {"i0=0.01", "i0=0.03"})
                QTest::addRow("%s %s %s", kind, s0, i0)
                    << QString("%1 %2 %3 tmax=50").arg(kind, s0, i0);
}

// Once binding has settled, the velocity of a run with an inhibitor is the steady-state rate law
// of mixed inhibition, v = Vmax [S] / (Km (1 + [I]/Ki) + [S] (1 + [I]/aKi)), at the free [S]
// and [I] of the run; the competitive and uncompetitive laws are its cases without ESI or EI.
void TestEngine::inhibitedSteadyState()
{
    QFETCH(QString, changes);
    const RunStart start = startWith(changes);
    RateSet r;
    Trajectory t;
    QCOMPARE(integrateRun(start, r, t).lastValid(), 600);
    const double s = t.SConc[600], i = t.IConc[600];
    const double km = (r.kminus1 + r.k2) / r.k1 / 100; // 1e-3 M
    const double ki = r.k3 > 0 ? r.kminus3 / r.k3 / 100 : INFINITY;
    const double alphaKi = r.k4 > 0 ? r.kminus4 / r.k4 / 100 : INFINITY;
    const double law = r.k2 * start.e0 * s / (km * (1 + i / ki) + s * (1 + i / alphaKi));
    QVERIFY2(std::abs(r.k2 * t.ESConc[600] / law - 1) < 0.005,
             qPrintable(QString::number(r.k2 * t.ESConc[600] / law - 1)));
    // The complexes hold the inhibitor in proportion: [EI] = [E][I]/Ki, [ESI] = [ES][I]/aKi.
    QVERIFY(std::abs(t.EIConc[600] - t.EConc[600] * i / ki) < 0.005 * start.e0);
    QVERIFY(std::abs(t.ESIConc[600] - t.ESConc[600] * i / alphaKi) < 0.005 * start.e0);
}

// Which method runs, and the run on its grid: no input may store a value that is not finite as
// a result, and none is refused.
void TestEngine::runs()
{
    QFETCH(QString, changes);
    QFETCH(int, fixedStep);
    QFETCH(RunStatus, status);
    QFETCH(int, stoppedAt);
    const RunStart start = startWith(changes);
    if (fixedStep >= 0)
        QCOMPARE(usesFixedStep(start), fixedStep == 1);
    RateSet rates;
    Trajectory a, b;
    integrateRun(startWith({}), rates, a); // a run whose points 1..600 the new one must replace
    a.EConc[0] = a.ESConc[0] = a.SConc[0] = a.PConc[0] = a.TimeVal[0] = 42;
    b = a;
    const RunReport report = integrateRun(start, rates, a);
    integrateRun(start, rates, b);
    QVERIFY(std::memcmp(&a, &b, sizeof a) == 0); // bit for bit, also through the solver
    QCOMPARE(report.status, status);
    QTEST(report.cause, "cause");
    QCOMPARE(report.stoppedAt <= 600, status == RunStatus::Stopped);
    if (stoppedAt > 0)
        QCOMPARE(report.stoppedAt, stoppedAt);
    for (int i = 0; i <= 600; ++i)
        for (double v : {a.EConc[i], a.ESConc[i], a.SConc[i], a.PConc[i], a.TimeVal[i]})
            QVERIFY2(i == 0                 ? v == 42 // index 0 is never written
                     : i < report.stoppedAt ? std::isfinite(v)
                                            : std::isnan(v),
                     qPrintable(QString::number(i)));
    if (status == RunStatus::Stopped)
        return;
    QCOMPARE(report.solverSteps > 0, status == RunStatus::StiffSolver);
    QCOMPARE(a.TimeVal[600], start.tmax);
    // Binding goes on forwards in time and is undone backwards.
    if (start.k1 > 0 && start.es0 == 0 && std::abs(start.tmax) <= 1e6)
        QCOMPARE(a.ESConc[2] > 0, start.tmax > 0);
    const double enzyme = start.e0 + start.es0;
    for (int i = 1; i <= 600; ++i) {
        QVERIFY(std::abs(a.EConc[i] + a.ESConc[i] + a.EIConc[i] + a.ESIConc[i] - enzyme) <=
                1e-12 * enzyme);
        QVERIFY(a.TimeVal[i] == (i == 1 ? 0.0 : a.TimeVal[i - 1] + start.tmax / 599));
        if (start.tmax == 0)
            QVERIFY(a.EConc[i] == 1 && a.ESConc[i] == 0 && a.SConc[i] == 1 && a.PConc[i] == 0);
    }
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
