#include "app/runcli.h"

#include "app/analysecli.h"
#include "engine/integrate.h"
#include "engine/kinetics.h"
#include "engine/numtext.h"
#include "enkin/version.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace enkin {

namespace {

// The CSV header: each column with its unit, in the units of the program's boxes.
// With an inhibitor three more columns follow.
constexpr std::string_view kHeader =
    "i,t (msec),E (1e-9 M),ES (1e-9 M),S (1e-3 M),P (1e-9 M),d[P]/dt (1e-6 M/s)";
constexpr std::string_view kInhibitorHeader = ",EI (1e-9 M),ESI (1e-9 M),I (1e-3 M)";

constexpr std::string_view kUsage =
    "Usage: enkin-run [--kk1 T] [--kk2 T] [--kk3 T] [--E0 T] [--ES0 T] [--S0 T] [--P0 T]\n"
    "                 [--ttmax T] [--I0 T] [--kk4 T] [--kk5 T] [--kk6 T] [--kk7 T]\n"
    "       enkin-run analyse FILE\n"
    "       enkin-run assign --count N --seed S --out DIR [--inhibitors]\n"
    "       enkin-run grade KEY FILE...\n"
    "Integrates one run of E + S <=> ES -> E + P and prints it as CSV, one row per grid point\n"
    "1..600, with 17 significant digits, under the header\n"
    "  i,t (msec),E (1e-9 M),ES (1e-9 M),S (1e-3 M),P (1e-9 M),d[P]/dt (1e-6 M/s)\n"
    "d[P]/dt = k2 [ES] is the velocity of the program's Results box. Where a grid interval is\n"
    "too long for one Runge-Kutta step, a stiff solver computes the run, however long it is.\n"
    "Each T is read like a box of the program: leading number, \".\" as decimal point.\n"
    "Units: kk1 (k1) 1e8 /M/s; kk2 (k2) and kk3 (k-1) 1e3 /s; E0, ES0, P0 1e-9 M;\n"
    "S0 1e-3 M; ttmax (Maximum Time) msec. Options not given keep the program's initial texts.\n"
    "An inhibitor I binds the enzyme (E + I <=> EI: kk4 is k3, kk5 is k-3) and the complex\n"
    "(ES + I <=> ESI: kk6 is k4, kk7 is k-4); I0 is [I]0 in 1e-3 M, kk4 and kk6 in 1e8 /M/s,\n"
    "kk5 and kk7 in 1e3 /s. It is absent with I0 0, the initial text; with it, the columns\n"
    "  EI (1e-9 M),ESI (1e-9 M),I (1e-3 M)\n"
    "follow. Its initial constants make it competitive (kk6 0): kk6 > 0 with kk4 0 makes it\n"
    "uncompetitive, both > 0 mixed.\n"
    "--version prints the version. Exit status: 0 done, or the reader of the output went away\n"
    "(a closed pipe); 1 the run stopped early (the rows up to the stop are printed); 2 bad\n"
    "usage; 3 the output could not be written (a full disk).\n"
    "\n"
    "analyse FILE fits the readings of a readings file (Data > Save Readings) as the Analysis\n"
    "window does, marked readings left out, and prints one row per group and method:\n"
    "  group,method,Km (M),Km low (M),Km high (M),Vmax (M/s),Vmax low (M/s),Vmax high (M/s),\n"
    "  spread,readings used,Ki (M),Ki low (M),Ki high (M),aKi (M),aKi low (M),aKi high (M),\n"
    "  AICc,Akaike weight,chosen\n"
    "where low and high are the value minus and plus its spread: the direct fit's 95% interval,\n"
    "a line's standard error. A group measured at several [I]0 gets instead a row for each\n"
    "inhibition law (competitive, uncompetitive, mixed) fitted to all its readings, with the\n"
    "95% intervals of Ki and aKi, its AICc and weight, and \"yes\" under chosen for the law the\n"
    "readings support with the fewest constants. Exit status 1 when FILE is not a readings file.\n"
    "\n"
    "assign writes N assignment files DIR/A-001.enkin, ... each with its own enzyme (k1, k-1\n"
    "and the three k2 of the list, drawn from teaching ranges; the same seed gives the same\n"
    "class), and DIR/key.csv with each one's constants and its true Km (M) and Vmax (M/s) for\n"
    "each k2 at [E]0 = 1e-9 M. The files are not encrypted, only unreadable to the eye.\n"
    "With --inhibitors each also hides an inhibitor, competitive, uncompetitive or mixed\n"
    "(k3 and k4 from 0.5 to 5, k-3 and k-4 from 0.2 to 5, where it binds); the student\n"
    "chooses [I]0, and the key adds its constants, its type and its true Ki and aKi (M).\n"
    "\n"
    "grade prints a row per readings file handed in: its assignment and student, the direct\n"
    "fit's Km and Vmax of its largest group of runs beside the key's true values for that k2\n"
    "and [E]0, the relative errors, and the readings used and marked. A file that cannot be\n"
    "graded gets a row that says why in its last column; the others are graded still.\n";

// One grid point. d[P]/dt is the engine's own rate, k2 [ES] in 1e-9 M/ms = 1e-6 M/s: the
// Results box's velocity, uncut.
void printRow(std::ostream &out, int i, const RateSet &rates, const Trajectory &t, bool inhibited)
{
    const double velocity =
        fn4(rates, t.EConc[i], t.ESConc[i], t.SConc[i], t.PConc[i], t.TimeVal[i]);
    out << i << ',' << formatExact(t.TimeVal[i]) << ',' << formatExact(t.EConc[i]) << ','
        << formatExact(t.ESConc[i]) << ',' << formatExact(t.SConc[i]) << ','
        << formatExact(t.PConc[i]) << ',' << formatExact(velocity);
    if (inhibited)
        out << ',' << formatExact(t.EIConc[i]) << ',' << formatExact(t.ESIConc[i]) << ','
            << formatExact(t.IConc[i]);
    out << '\n';
}

// Flushes the output and checks that every write reached it. Returns nothing when it did, else the
// exit status: a full disk or any other failure must not leave a short CSV that looks complete
// (3, with the reason), while a reader that has gone away (a closed pipe, as under `head`) wanted
// no more and ends the run quietly (0).
std::optional<int> writeFailure(std::ostream &out, std::ostream &err)
{
    out.flush();
    if (out)
        return std::nullopt;
    const int error = errno;
    if (error == EPIPE)
        return 0;
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
    if (argc >= 2 && std::string_view(argv[1]) == "assign") {
        // assign --count N --seed S --out DIR [--inhibitors], in any order.
        long long count = -1, seed = -1;
        std::string dir;
        bool inhibitors = false;
        int given = 0;
        for (int a = 2; a < argc; a += 2) {
            if (std::string_view(argv[a]) == "--inhibitors" && !inhibitors) {
                inhibitors = true;
                --a;
                continue;
            }
            if (a + 1 >= argc) {
                count = -1;
                break;
            }
            ++given;
            const std::string_view name = argv[a], value = argv[a + 1];
            long long *number = name == "--count" ? &count : name == "--seed" ? &seed : nullptr;
            if (name == "--out")
                dir = value;
            else if (!number ||
                     std::from_chars(value.data(), value.data() + value.size(), *number).ptr !=
                         value.data() + value.size())
                count = -1;
        }
        if (given != 3 || count < 1 || count > 10000 || seed < 0 || dir.empty()) {
            err << "enkin-run: assign takes --count N (1 to 10000), --seed S, --out DIR and "
                   "--inhibitors\n"
                << kUsage;
            return 2;
        }
        return writeAssignments(int(count), std::uint64_t(seed), dir, inhibitors, err);
    }
    if (argc >= 2 && std::string_view(argv[1]) == "grade") {
        if (argc < 4) {
            err << "enkin-run: grade takes the key and one or more readings files\n" << kUsage;
            return 2;
        }
        const int status = gradeHandIns(argv[2], {argv + 3, argv + argc}, out, err);
        return writeFailure(out, err).value_or(status);
    }
    if (argc >= 2 && std::string_view(argv[1]) == "analyse") {
        if (argc != 3) {
            err << "enkin-run: analyse takes one readings file\n" << kUsage;
            return 2;
        }
        const int status = analyseReadings(argv[2], out, err);
        return writeFailure(out, err).value_or(status);
    }
    RunInputs inputs;
    for (int a = 1; a < argc; ++a) {
        const std::string_view arg = argv[a];
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return writeFailure(out, err).value_or(0);
        }
        if (arg == "--version") {
            out << "enkin-run " << ENKIN_VERSION << '\n';
            return writeFailure(out, err).value_or(0);
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

    // Reading the numbers and integrating may have left errno set (a number out of range); from
    // here on only a failed write sets it.
    errno = 0;
    const bool inhibited = report.start.inhibited();
    out << kHeader << (inhibited ? kInhibitorHeader : "") << '\n';
    for (int i = Trajectory::kFirst; i <= report.lastValid() && out; ++i)
        printRow(out, i, rates, trajectory, inhibited);
    if (const auto failed = writeFailure(out, err))
        return *failed;
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
