#include "app/runcli.h"

#include "engine/integrate.h"
#include "engine/numtext.h"
#include "enkin/version.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace enkin {

namespace {

constexpr std::string_view kUsage =
    "Usage: enkin-run [--kk1 T] [--kk2 T] [--kk3 T] [--E0 T] [--ES0 T] [--S0 T] [--P0 T]\n"
    "                 [--ttmax T]\n"
    "Integrates one run of E + S <=> ES -> E + P and prints it as CSV (i,t,E,ES,S,P),\n"
    "one row per grid point 1..600, with 17 significant digits. Where a grid interval is too\n"
    "long for one Runge-Kutta step, a stiff solver computes the run, however long it is.\n"
    "Each T is read like a box of the program: leading number, \".\" as decimal point.\n"
    "Units: kk1 (k1) 1e8 /M/s; kk2 (k2) and kk3 (k-1) 1e3 /s; E0, ES0, P0 1e-9 M;\n"
    "S0 1e-3 M; ttmax (Maximum Time) ms. Options not given keep the program's initial texts.\n"
    "--version prints the version. Exit status: 0 done, 1 the run stopped early (the rows up to\n"
    "the stop are printed), 2 bad usage, 3 the output could not be written.\n";

std::string roundTrip(double value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    return std::string(buf, r.ptr);
}

void printRow(std::ostream &out, int i, const Trajectory &t)
{
    out << i << ',' << roundTrip(t.TimeVal[i]) << ',' << roundTrip(t.EConc[i]) << ','
        << roundTrip(t.ESConc[i]) << ',' << roundTrip(t.SConc[i]) << ',' << roundTrip(t.PConc[i])
        << '\n';
}

// Flushes the output and checks that every write reached it: a full disk or a closed pipe must
// not leave a short CSV that looks complete.
int finish(std::ostream &out, std::ostream &err, int status)
{
    out.flush();
    if (out)
        return status;
    const int error = errno;
    err << "enkin-run: could not write the output"
        << (error ? std::string(": ") + std::strerror(error) : std::string()) << "; it is "
        << "incomplete\n";
    return 3;
}

} // namespace

int runCommandLine(int argc, const char *const *argv, std::ostream &out, std::ostream &err)
{
    // Whatever write fails first leaves its reason here.
    errno = 0;
    RunInputs inputs;
    for (int a = 1; a < argc; ++a) {
        const std::string_view arg = argv[a];
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return finish(out, err, 0);
        }
        if (arg == "--version") {
            out << "enkin-run " << ENKIN_VERSION << '\n';
            return finish(out, err, 0);
        }
        std::string_view option = arg;
        std::string_view value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            option = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        const auto input =
            option.starts_with("--") ? RunInputs::fromName(option.substr(2)) : std::nullopt;
        if (!input) {
            err << "enkin-run: unknown option '" << arg << "'\n" << kUsage;
            return 2;
        }
        if (!hasValue) {
            if (a + 1 >= argc) {
                err << "enkin-run: option '" << arg << "' needs a value\n" << kUsage;
                return 2;
            }
            value = argv[++a];
        }
        inputs.set(*input, std::string(value));
    }

    RateSet rates;
    Trajectory trajectory;
    RunReport report;
    IntegrateTrajectory(inputs, rates, trajectory, &report);

    out << "i,t,E,ES,S,P\n";
    for (int i = Trajectory::kFirst; i <= report.lastValid() && out; ++i)
        printRow(out, i, trajectory);
    if (const int written = finish(out, err, 0); written != 0)
        return written;
    if (report.cause == StopCause::OutOfRange) {
        const RunStart start = readRunStart(inputs);
        err << "enkin-run: no run: the rate of binding, 100 k1 [S]0 + k-1 + k2 + k1 [E]0 / 10000, "
               "is beyond the range of numbers (k1 "
            << formatGeneral(start.k1) << ", [S]0 " << formatGeneral(start.s0) << ", [E]0 "
            << formatGeneral(start.e0 + start.es0) << "); make k1, [S]0 or [E]0 smaller\n";
        return 1;
    }
    if (report.status == RunStatus::Stopped) {
        err << "enkin-run: the run stopped at grid point " << report.stoppedAt << ": ";
        switch (report.cause) {
        case StopCause::Backward:
            err << "backwards in time the concentrations grow without bound\n";
            break;
        case StopCause::NegativeInput:
            err << "a negative rate constant or concentration makes the concentrations grow "
                   "without bound\n";
            break;
        case StopCause::None:
        case StopCause::TooLarge:
        case StopCause::OutOfRange:
            err << "the values left the range of representable numbers\n";
            break;
        }
        return 1;
    }
    return 0;
}

} // namespace enkin
