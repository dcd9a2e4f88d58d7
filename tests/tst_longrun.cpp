// Long and stiff runs: the solver (and the Jacobian it steers by) against a much tighter solution
// by another library, the conservation laws, and the whole progress curve of the Tutorial's
// exercise 6.
#include "engine/integrate.h"
#include "engine/stiffsolver.h"
#include "params/runinputs.h"
#include "params/runstart.h"
#include "tests/documents.h"
#include "views/readout.h"

#include <QTest>

#include <gsl/gsl_errno.h>
#include <gsl/gsl_odeiv2.h>

#include <algorithm>
#include <array>
#include <cmath>

using namespace enkin;

Q_DECLARE_METATYPE(enkin::RunStart)

namespace {

// The species of kinetics.h at points 1..600: [E], [ES], [S], [P], [EI], [ESI], [I].
using Grid = std::array<Concentrations, 601>;

// The seven rates, which without an inhibitor are fn1..fn4 and three zeros.
int gslRates(double /*t*/, const double y[], double dydt[], void *params)
{
    Concentrations x;
    std::copy(y, y + kSpecies, x.begin());
    const Concentrations d = inhibitedRates(*static_cast<const RateSet *>(params), x);
    std::copy(d.begin(), d.end(), dydt);
    return GSL_SUCCESS;
}

int gslJacobian(double /*t*/, const double y[], double *dfdy, double dfdt[], void *params)
{
    Concentrations x;
    std::copy(y, y + kSpecies, x.begin());
    const InhibitedJacobian j = inhibitedJacobian(*static_cast<const RateSet *>(params), x);
    for (int row = 0; row < kSpecies; ++row) {
        for (int col = 0; col < kSpecies; ++col)
            dfdy[row * kSpecies + col] = j[std::size_t(row)][std::size_t(col)];
        dfdt[row] = 0;
    }
    return GSL_SUCCESS;
}

// The size each species can reach on the run: the total enzyme for [E]; for [ES] the lesser of
// the total enzyme, all the substrate (in the enzyme's unit) and what binding holds at [S]0 with
// all the enzyme free; all the substrate for [S]; for [P] its start and what [ES] can make of it;
// the total enzyme for [EI] and [ESI], and all the inhibitor for [I]. The reference's absolute
// tolerances are these times its tolerance, so a trace of substrate or of complex is followed to
// its own last digits.
Concentrations reachOf(const RunStart &start)
{
    const double enzyme = std::abs(start.e0) + std::abs(start.es0);
    const double substrate = std::abs(start.s0) + std::abs(start.es0) / 1e6;
    const double km = (start.kminus1 + start.k2) / (100 * start.k1); // in 1e-3 M
    const double bound =
        std::max(std::abs(start.es0),
                 std::min({enzyme, 1e6 * substrate, enzyme * substrate / (km + substrate)}));
    const double positive = bound > 0 ? bound : enzyme;
    const double inhibitor = std::abs(start.inhibitor.i0);
    return {enzyme, positive, substrate > 0 ? substrate : 1, std::abs(start.p0) + positive,
            enzyme, enzyme,   inhibitor > 0 ? inhibitor : 1};
}

// The reference: GSL's multistep BDF method (msbdf), a method and a library the engine does not
// use, run to each of the engine's grid times in the unscaled concentrations, with a tolerance
// 100 000 times tighter than the engine's on the reach of each species. False when GSL could not
// finish.
bool referenceRun(const RunStart &start, const Trajectory &grid, Grid &out)
{
    gsl_set_error_handler_off(); // a failed reference run is reported by the test, not aborted
    const Inhibitor &in = start.inhibitor;
    RateSet r{start.k1, start.k2, start.kminus1, in.k3, in.kminus3, in.k4, in.kminus4};
    gsl_odeiv2_system system{gslRates, gslJacobian, kSpecies, &r};
    const Concentrations reach = reachOf(start);
    const double lambda = fastestRate(start);
    const double tolerance = kSolverTolerance / 100000;
    gsl_odeiv2_driver *driver = gsl_odeiv2_driver_alloc_scaled_new(
        &system, gsl_odeiv2_step_msbdf, std::copysign(1e-3 / lambda, start.tmax), tolerance,
        tolerance, 1, 0, reach.data());
    Concentrations y{start.e0, start.es0, start.s0, start.p0, 0, 0, in.i0};
    double t = 0;
    out[1] = y;
    bool done = true;
    for (int i = 2; i <= 600 && done; ++i) {
        done = gsl_odeiv2_driver_apply(driver, &t, grid.TimeVal[i], y.data()) == GSL_SUCCESS;
        out[i] = y;
    }
    gsl_odeiv2_driver_free(driver);
    return done;
}

} // namespace

class TestLongRun : public QObject {
    Q_OBJECT

private slots:
    void matchesTighterSolution_data();
    void matchesTighterSolution();
    void tutorialProgressCurve_data();
    void tutorialProgressCurve();
    void guideNumbers();
};

void TestLongRun::matchesTighterSolution_data()
{
    QTest::addColumn<RunStart>("start");
    // Every rate constant from a tenth to ten times its initial value, [S]0 from a vanishing trace
    // to 10 M (1e4 in 1e-3 M), [E]0 from 1 to far above [S]0 (in 1e-9 M), and Maximum Times from
    // the pre-steady state to long after the substrate is gone.
    std::vector<std::array<double, 3>> constants{{1, 1, 1}};
    for (double k1 : {0.1, 10.0})
        for (double k2 : {0.1, 10.0})
            for (double kminus1 : {0.1, 10.0})
                constants.push_back({k1, k2, kminus1});
    // Beside fixed times, the longest run the fixed step takes and the shortest the solver takes.
    for (const auto &[k1, k2, kminus1] : constants)
        for (double s0 : {1e-20, 1e-8, 1e-3, 1.0, 100.0, 1e4})
            for (double e0 : {1.0, 1e3, 1e6}) {
                RunStart start{e0, 0, s0, 0, k1, k2, kminus1, 0};
                const double atSwitch = 599 * kFixedStepBound / fastestRate(start);
                for (double tmax : {0.1, 3.0, 100.0, 1e4, 1e6, 1e9, atSwitch * (1 - 1e-6),
                                    atSwitch * (1 + 1e-6)}) {
                    start.tmax = tmax;
                    QTest::addRow("k1 %g k2 %g k-1 %g S0 %g E0 %g, %g ms", k1, k2, kminus1, s0, e0,
                                  tmax)
                        << start;
                }
            }
    QTest::newRow("initial texts, the whole reaction") << RunStart{1, 0, 1, 0, 1, 1, 1, 1.2e6};
    QTest::newRow("bound enzyme and product at the start")
        << RunStart{0.4, 1.6, 1, 0, 2, 1, 1, 1e6};
    QTest::newRow("single turnover") << RunStart{1e5, 0, 0.001, 0, 1, 1, 1, 100};
    QTest::newRow("no catalysis: binding equilibrium only") << RunStart{1, 0, 1, 0, 1, 0, 1, 1e6};
    QTest::newRow("very stiff: fast binding, slow catalysis")
        << RunStart{1, 0, 10, 0, 100, 0.01, 100, 1e9};
    QTest::newRow("a trace of substrate, long") << RunStart{1, 0, 1e-300, 0, 1, 1, 1, 1e9};
    // With an inhibitor of each kind, its constants a tenth to ten times the initial ones, [I]0
    // at Ki and ten times it ([I] in 1e-3 M: Ki = k-3 / k3 x 1e-5 M), and the times from binding
    // to the end of the substrate.
    const struct {
        const char *kind;
        Inhibitor inhibitor; // [I]0 set below
    } kinds[] = {{"competitive", {0, 1, 1, 0, 0}},
                 {"uncompetitive", {0, 0, 0, 1, 1}},
                 {"mixed", {0, 1, 1, 0.5, 2}}};
    for (const auto &kind : kinds)
        for (double speed : {0.1, 10.0})
            for (double share : {1.0, 10.0})
                for (double s0 : {0.001, 1.0})
                    for (double e0 : {1.0, 1e3}) {
                        Inhibitor in = kind.inhibitor;
                        for (double *k : {&in.k3, &in.kminus3, &in.k4, &in.kminus4})
                            *k *= speed;
                        const double ki = in.k3 > 0 ? in.kminus3 / in.k3 : in.kminus4 / in.k4;
                        in.i0 = share * ki / 100;
                        RunStart start{e0, 0, s0, 0, 1, 1, 1, 0, in};
                        const double atSwitch = 599 * kFixedStepBound / fastestRate(start);
                        for (double tmax :
                             {0.1, 100.0, 1e6, atSwitch * (1 - 1e-6), atSwitch * (1 + 1e-6)}) {
                            start.tmax = tmax;
                            QTest::addRow("%s x%g, [I]0 %g Ki, S0 %g E0 %g, %g ms", kind.kind,
                                          speed, share, s0, e0, tmax)
                                << start;
                        }
                    }
}

void TestLongRun::matchesTighterSolution()
{
    QFETCH(RunStart, start);
    RateSet rates;
    Trajectory t;
    const RunReport report = integrateRun(start, rates, t);
    QCOMPARE(report.lastValid(), 600);
    Grid reference;
    QVERIFY(referenceRun(start, t, reference));
    // Within a hundred-thousandth of the scale, for both methods: [E] and [ES] the total enzyme,
    // [S] [S]0, [P] its largest value on the run (the total enzyme while there is no product).
    double largestP = 0;
    for (int i = 1; i <= 600; ++i)
        largestP = std::max(largestP, std::abs(reference[i][3]));
    // [EI] and [ESI] the total enzyme, [I] [I]0.
    const double allowed = 1e-5, enzyme = std::abs(start.e0 + start.es0);
    const double product = largestP > 0 ? largestP : enzyme;
    const double total = start.e0 + start.es0, i0 = start.inhibitor.i0;
    const double substrateTotal = start.s0 + (start.es0 + start.p0) / 1e6;
    const Concentrations scale{enzyme, enzyme, std::abs(start.s0), product, enzyme, enzyme, i0};
    for (int i = 1; i <= 600; ++i) {
        const QByteArray where = "point " + QByteArray::number(i);
        for (int k = 0; k < kSpecies; ++k)
            QVERIFY2(std::abs((t.*kSpeciesColumns[k])[std::size_t(i)] -
                              reference[std::size_t(i)][std::size_t(k)]) <=
                         allowed * scale[std::size_t(k)],
                     where + " species " + QByteArray::number(k));
        // Binding and release move enzyme between its forms and the inhibitor between [I] and
        // the complexes, catalysis substrate into [P]: the three totals hold at every point, far
        // more closely than the tolerance.
        const double bound = t.EIConc[i] + t.ESIConc[i];
        QVERIFY2(std::abs(t.EConc[i] + t.ESConc[i] + bound - total) <= 1e-12 * total, where);
        QVERIFY2(std::abs(t.SConc[i] + (t.ESConc[i] + t.ESIConc[i] + t.PConc[i]) / 1e6 -
                          substrateTotal) <= 1e-9 * substrateTotal,
                 where);
        QVERIFY2(std::abs(t.IConc[i] + bound / 1e6 - i0) <= 1e-9 * i0, where);
        // Forwards from non-negative values nothing can become negative.
        for (int k = 0; k < kSpecies; ++k)
            QVERIFY2((t.*kSpeciesColumns[k])[std::size_t(i)] >= 0, where);
    }
}

void TestLongRun::tutorialProgressCurve_data()
{
    // Where exercise 6 sends the slider, and what the boxes show there: the time rounded to the
    // thousand ms, [S] and the velocity as the Results boxes show them.
    QTest::addColumn<double>("sBelow"); // the first point whose [S] is below this (-1: none)
    QTest::addColumn<int>("point");     // from this point on
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Claims>("sayings"); // what the Tutorial says of it, and in German
    QTest::newRow("first point") << -1.0 << 2 << "2 0.998 0.98"
                                 << Claims{
                                        {"[S] has hardly changed (0.998 x 10-3 M)",
                                         "[S] kaum verändert (0,998 x 10-3 M)"},
                                        {"the velocity, 0.98 x 10-6 M/sec, is already close",
                                         "die Geschwindigkeit, 0,98 x 10-6 M/s, liegt schon nahe"}};
    QTest::newRow("half the substrate used")
        << 0.5 << 1 << "515 0.499 0.961"
        << Claims{{"used up after about 515 000 msec", "nach etwa 515 000 ms verbraucht"},
                  {"fallen to 0.961 x 10-6 M/sec", "auf 0,961 x 10-6 M/s gesunken"}};
    QTest::newRow("[S] below Km")
        << 0.02 << 1 << "1060 0.0192 0.49"
        << Claims{{"passes Km at about 1 060 000 msec", "unterschreitet Km bei etwa 1 060 000 ms"},
                  {"the velocity is 0.49 x 10-6 M/sec", "die Geschwindigkeit 0,49 x 10-6 M/s"}};
    QTest::newRow("the end") << -1.0 << 600 << "1200 0 0.002"
                             << Claims{{"At the end [S] reads 0 and the velocity 0.002",
                                        "Am Ende zeigt [S] „0“ und die Geschwindigkeit „0.002“"}};
}

// Exercise 6 of the Tutorial: the initial texts with a Maximum Time of 1 200 000 ms. Its numbers
// must be what the program shows.
void TestLongRun::tutorialProgressCurve()
{
    QFETCH(double, sBelow);
    QFETCH(int, point);
    QFETCH(Claims, sayings);
    RunInputs inputs;
    inputs.set(RunInput::ttmax, "1200000");
    RateSet rates;
    Trajectory t;
    RunReport report;
    IntegrateTrajectory(inputs, rates, t, &report);
    QCOMPARE(report.lastValid(), 600);
    while (sBelow >= 0 && point < 600 && !(t.SConc[point] < sBelow))
        ++point;
    const Readout r = readoutAt(t, rates, point, report.lastValid());
    QTEST(QString::number(std::lround(t.TimeVal[point] / 1000)) + ' ' +
              QString::fromStdString(r.SVal + ' ' + r.Vel),
          "shown");
    if (point == 600) // by then the substrate has all become product: [P] reaches [S]0
        QVERIFY(std::abs(t.PConc[600] - 1e6 * inputs.number(RunInput::S0)) < 1e-4 * 1e6);
    sayings.append(QStringList{"type 1200000 into Maximum Time", "1200000 als Maximalzeit ein"});
    QCOMPARE(missingClaims(":/docs", "tutorial.html", sayings), QString());
}

void TestLongRun::guideNumbers()
{
    const Claims claims{
        {"(0.01 msec with the standard values)", "(0,01 ms bei den Standardwerten)"},
        {"at most 0.15 of that time (with the standard values, for a Maximum Time up to about 0.88 "
         "msec)",
         "höchstens das 0,15-Fache dieser Zeit beträgt (bei den Standardwerten für eine "
         "Maximalzeit bis etwa 0,88 ms)"},
        {"correct to 1 part in 100 000 of the total enzyme", // matchesTighterSolution
         "auf 1 Teil von 100 000 genau, gemessen an der Gesamtkonzentration des Enzyms"},
        {"5.7% of it is still left after 1 000 000 msec, and less than 0.01% after 1 200 000 msec",
         "nach 1 000 000 ms noch 5,7 % davon übrig, nach 1 200 000 ms weniger als 0,01 %"}};
    QCOMPARE(missingClaims(":/docs", "guide.html", claims), QString());
    // Binding settles within 1/(k1 [S]0 + k-1 + k2) ms; tst_engine's runs find the fixed step's
    // bound at 0.8808815 msec.
    RunStart start = readRunStart(RunInputs{}); // the standard values
    QCOMPARE(QString::number(1 / fastestRate(start), 'f', 2), "0.01");
    RateSet rates;
    Trajectory run;
    const auto percentLeft = [&](double tmax) {
        start.tmax = tmax;
        integrateRun(start, rates, run);
        return 100 * run.SConc[Trajectory::kLast] / start.s0;
    };
    QCOMPARE(QString::number(percentLeft(1e6), 'f', 1), "5.7");
    QVERIFY(percentLeft(1.2e6) < 0.01);
}

QTEST_GUILESS_MAIN(TestLongRun)
#include "tst_longrun.moc"
