// Grading a class of 200: each hand-in a readings file of eight readings taken in the assignment's
// window, read, filled from the key, studied and fitted, a row each.
#include "analysis/readings.h"
#include "app/analysecli.h"
#include "datalog/readingsfile.h"
#include "engine/integrate.h"
#include "engine/units.h"
#include "params/assignment.h"
#include "params/choices.h"
#include "views/readout.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The class's key and hand-ins, written once into a folder of their own.
struct Class {
    std::filesystem::path dir;
    std::vector<std::string> handIns;

    explicit Class(int count) : dir(std::filesystem::temp_directory_path() / "enkin-bench-grade")
    {
        std::filesystem::create_directories(dir);
        const std::vector<enkin::Assignment> klass = enkin::drawAssignments(count, 2026);
        std::ofstream(dir / "key.csv") << enkin::assignmentKeyCsv(klass);
        for (const enkin::Assignment &a : klass) {
            enkin::ReadingsFile file{{}, "student of " + a.id, a.id};
            const double km = *enkin::units::michaelisConstant(a.k1, a.k2[1], a.kminus1) / 100;
            for (double times : {0.5, 0.8, 1.0, 1.5, 2.5, 4.0, 7.0, 10.0}) {
                const double s0 = times * km;
                const enkin::RunStart start{
                    1,         0,
                    s0,        0,
                    a.k1,      a.k2[1],
                    a.kminus1, *enkin::maximumTimeSuggestion(a.k1, a.k2[1], a.kminus1, s0)};
                enkin::RateSet rates;
                enkin::Trajectory t;
                const int last = enkin::integrateRun(start, rates, t).lastValid();
                const enkin::Readout r = enkin::readoutAt(t, rates, 600, last);
                enkin::RunContext run = enkin::runContextAt(start, t, 600);
                run.setting = 2;
                enkin::acceptReading(file.log, {r.EVal, r.ESVal, r.SVal, r.Vel, "1"}, run);
            }
            handIns.push_back((dir / (a.id + ".csv")).string());
            std::ofstream(handIns.back(), std::ios::binary) << enkin::readingsCsv(file);
        }
    }
    ~Class() { std::filesystem::remove_all(dir); }
};

void BM_GradeClassOf200(benchmark::State &state)
{
    const Class klass(200);
    std::string rows;
    for (auto _ : state) {
        std::ostringstream out, err;
        enkin::gradeHandIns((klass.dir / "key.csv").string(), klass.handIns, out, err);
        rows = out.str();
    }
    // Hand-ins graded without a problem (a row ending in an empty problem field).
    std::size_t graded = 0;
    for (std::size_t at = rows.find(",\n"); at != std::string::npos; at = rows.find(",\n", at + 1))
        ++graded;
    state.counters["graded"] = double(graded);
}
BENCHMARK(BM_GradeClassOf200)->Unit(benchmark::kMillisecond);

} // namespace
