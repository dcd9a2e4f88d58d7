// The default run with our integration against the same system, step and step count with
// Boost.Odeint's classical runge_kutta4.
#include "engine/integrate.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <benchmark/benchmark.h>
#include <boost/numeric/odeint/stepper/runge_kutta4.hpp>

#include <array>

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

} // namespace
