// The engine's runs: the default run with our integration against the same system, step and step
// count with Boost.Odeint's classical runge_kutta4; long runs through the stiff solver; and, for
// the choice of that solver, the same long runs with GSL's msbdf at the tolerance that matches
// the stiff solver's accuracy.
#include "engine/integrate.h"
#include "engine/stiffsolver.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <benchmark/benchmark.h>
#include <boost/numeric/odeint/stepper/runge_kutta4.hpp>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_odeiv2.h>

#include <array>
#include <cmath>

namespace {

void BM_IntegrateTrajectory(benchmark::State &state)
{
    enkin::RunInputs inputs;
    enkin::RateSet rates;
    enkin::Trajectory trajectory;
    for (auto _ : state) {
        benchmark::DoNotOptimize(enkin::IntegrateTrajectory(inputs, rates, trajectory));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_IntegrateTrajectory);

void BM_OdeintRk4(benchmark::State &state)
{
    using Species = std::array<double, 4>; // E, ES, S, P
    const enkin::RateSet r{1, 1, 1};
    const double tmax = 0.098;
    const double h = tmax / 599;
    const auto system = [&r](const Species &x, Species &dxdt, double t) {
        dxdt[0] = enkin::fn1(r, x[0], x[1], x[2], x[3], t);
        dxdt[1] = enkin::fn2(r, x[0], x[1], x[2], x[3], t);
        dxdt[2] = enkin::fn3(r, x[0], x[1], x[2], x[3], t);
        dxdt[3] = enkin::fn4(r, x[0], x[1], x[2], x[3], t);
    };
    boost::numeric::odeint::runge_kutta4<Species> stepper;
    std::array<Species, 601> stored{};
    for (auto _ : state) {
        Species x{1, 0, 1, 0};
        double t = 0;
        stored[1] = x;
        for (int i = 2; i <= 600; ++i) {
            stepper.do_step(system, x, t, h);
            t += h;
            stored[i] = x;
        }
        benchmark::DoNotOptimize(stored.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OdeintRk4);

// The initial texts but for the Maximum Time, in ms.
void BM_LongRun(benchmark::State &state, const char *ttmax)
{
    enkin::RunInputs inputs;
    inputs.set(enkin::RunInput::ttmax, ttmax);
    enkin::RateSet rates;
    enkin::Trajectory trajectory;
    enkin::RunReport report;
    for (auto _ : state) {
        enkin::IntegrateTrajectory(inputs, rates, trajectory, &report);
        benchmark::ClobberMemory();
    }
    if (report.status != enkin::RunStatus::StiffSolver)
        state.SkipWithError("not a stiff-solver run");
    state.counters["steps"] = report.solverSteps;
}

// Runs at the edges of what students type, through integrateRun; the slowest run of the accuracy
// test's spread (10 M of substrate, k1 10, k2 and k-1 0.1) among them. Each must stay within a
// 60 Hz frame.
void BM_EdgeRun(benchmark::State &state, enkin::RunStart start)
{
    enkin::RateSet rates;
    enkin::Trajectory trajectory;
    enkin::RunReport report;
    for (auto _ : state) {
        report = enkin::integrateRun(start, rates, trajectory);
        benchmark::ClobberMemory();
    }
    if (report.status == enkin::RunStatus::Stopped)
        state.SkipWithError("the run stopped");
    state.counters["steps"] = report.solverSteps;
}

int gslRates(double t, const double y[], double dydt[], void *params)
{
    const auto &r = *static_cast<const enkin::RateSet *>(params);
    dydt[0] = enkin::fn1(r, y[0], y[1], y[2], y[3], t);
    dydt[1] = enkin::fn2(r, y[0], y[1], y[2], y[3], t);
    dydt[2] = enkin::fn3(r, y[0], y[1], y[2], y[3], t);
    dydt[3] = enkin::fn4(r, y[0], y[1], y[2], y[3], t);
    return GSL_SUCCESS;
}

int gslJacobian(double /*t*/, const double y[], double *dfdy, double dfdt[], void *params)
{
    const auto j =
        enkin::rateJacobian(*static_cast<const enkin::RateSet *>(params), y[0], y[1], y[2]);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col)
            dfdy[row * 4 + col] = j[row][col];
        dfdt[row] = 0;
    }
    return GSL_SUCCESS;
}

// GSL's msbdf with the analytic Jacobian, driven to each grid time: it has no continuous output.
// Its tolerance is 100 times tighter than the stiff solver's, where its worst error on these
// runs comes down to the stiff solver's (about 5e-7 of the scales on the 1e7 ms run; at the
// stiff solver's own tolerance it leaves 7e-5). The driver is made once and reset for each run.
void BM_LongRunGslMsbdf(benchmark::State &state, double tmax)
{
    gsl_set_error_handler_off();
    enkin::RateSet r{1, 1, 1};
    gsl_odeiv2_system system{gslRates, gslJacobian, 4, &r};
    const double scaleAbs[4] = {1, 1, 1, 1}; // total enzyme, [S]0
    const double tolerance = enkin::kSolverTolerance / 100;
    gsl_odeiv2_driver *driver = gsl_odeiv2_driver_alloc_scaled_new(
        &system, gsl_odeiv2_step_msbdf, 1e-4, tolerance, tolerance, 1, 0, scaleAbs);
    std::array<double, 601> times{};
    for (int i = 2; i <= 600; ++i)
        times[i] = times[i - 1] + tmax / 599;
    std::array<std::array<double, 4>, 601> stored{};
    for (auto _ : state) {
        gsl_odeiv2_driver_reset(driver);
        double y[4] = {1, 0, 1, 0};
        double t = 0;
        for (int i = 2; i <= 600; ++i) {
            if (gsl_odeiv2_driver_apply(driver, &t, times[i], y) != GSL_SUCCESS) {
                state.SkipWithError("msbdf failed");
                break;
            }
            stored[i] = {y[0], y[1], y[2], y[3]};
        }
        benchmark::DoNotOptimize(stored.data());
        benchmark::ClobberMemory();
    }
    gsl_odeiv2_driver_free(driver);
}

const bool registered = [] {
    benchmark::RegisterBenchmark("BM_LongRun/1e3", BM_LongRun, "1000");
    benchmark::RegisterBenchmark("BM_LongRun/1e6", BM_LongRun, "1000000");
    benchmark::RegisterBenchmark("BM_LongRun/1e7", BM_LongRun, "10000000");
    benchmark::RegisterBenchmark("BM_LongRun/1e9", BM_LongRun, "1000000000");
    // [E]0, [ES]0, [S]0, [P]0, k1, k2, k-1, Maximum Time
    benchmark::RegisterBenchmark("BM_EdgeRun/just past the fixed step", BM_EdgeRun,
                                 enkin::RunStart{1, 0, 1, 0, 1, 1, 1, 0.89});
    benchmark::RegisterBenchmark("BM_EdgeRun/single turnover", BM_EdgeRun,
                                 enkin::RunStart{1e5, 0, 0.001, 0, 1, 1, 1, 100});
    benchmark::RegisterBenchmark("BM_EdgeRun/enzyme far in excess", BM_EdgeRun,
                                 enkin::RunStart{1e6, 0, 1, 0, 1, 1, 1, 30});
    benchmark::RegisterBenchmark("BM_EdgeRun/a trace of substrate", BM_EdgeRun,
                                 enkin::RunStart{1, 0, 1e-20, 0, 1, 1, 1, 1e9});
    benchmark::RegisterBenchmark("BM_EdgeRun/10 M of substrate", BM_EdgeRun,
                                 enkin::RunStart{1e6, 0, 1e4, 0, 10, 0.1, 0.1, 1e6});
    // The same runs with and without a mixed inhibitor at [I]0 = Ki: the fixed step on the
    // initial run, the stiff solver on the whole reaction. An inhibitor must cost at most twice.
    const enkin::Inhibitor mixed{0.01, 1, 1, 0.5, 2};
    for (double tmax : {0.098, 1e6}) {
        const std::string name = tmax < 1 ? "initial run" : "whole reaction";
        benchmark::RegisterBenchmark(("BM_InhibitorRun/" + name + ", none").c_str(), BM_EdgeRun,
                                     enkin::RunStart{1, 0, 1, 0, 1, 1, 1, tmax});
        benchmark::RegisterBenchmark(("BM_InhibitorRun/" + name + ", mixed").c_str(), BM_EdgeRun,
                                     enkin::RunStart{1, 0, 1, 0, 1, 1, 1, tmax, mixed});
    }
    benchmark::RegisterBenchmark("BM_LongRunGslMsbdf/1e3", BM_LongRunGslMsbdf, 1e3);
    benchmark::RegisterBenchmark("BM_LongRunGslMsbdf/1e6", BM_LongRunGslMsbdf, 1e6);
    benchmark::RegisterBenchmark("BM_LongRunGslMsbdf/1e7", BM_LongRunGslMsbdf, 1e7);
    benchmark::RegisterBenchmark("BM_LongRunGslMsbdf/1e9", BM_LongRunGslMsbdf, 1e9);
    return true;
}();

} // namespace
