#include "app/analysecli.h"

#include "analysis/analysisreport.h"
#include "analysis/readings.h"
#include "datalog/readingsfile.h"
#include "engine/numtext.h"
#include "params/assignment.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <ostream>

namespace enkin {

namespace {

std::string_view problemText(ReadProblem problem)
{
    switch (problem) {
    case ReadProblem::None:
        return {};
    case ReadProblem::Empty:
        return "empty or unreadable";
    case ReadProblem::TooLong:
        return "far longer than a readings file";
    case ReadProblem::NotText:
        return "not text";
    case ReadProblem::NotReadings:
        return "not a readings file: its first line is not the header";
    case ReadProblem::UnclosedQuote:
        return "a quoted text is never closed";
    case ReadProblem::WrongColumnCount:
        return "a row without the header's columns";
    case ReadProblem::NotANumber:
        return "a field without the number it must hold";
    case ReadProblem::TooManyRows:
        return "more than 20 readings";
    }
    return {};
}

} // namespace

int analyseReadings(const std::string &path, std::ostream &out, std::ostream &err)
{
    std::ifstream file(path, std::ios::binary);
    std::string text(kReadingsFileLimit + 1, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(file.gcount()));
    const ReadResult read = readReadingsCsv(text);
    if (read.problem != ReadProblem::None) {
        err << "enkin-run: " << path << (read.line ? ": line " + std::to_string(read.line) : "")
            << ": " << problemText(read.problem)
            << (read.column.empty() ? "" : " (" + read.column + ")") << '\n';
        return 1;
    }
    // A reading without its run stands for a run of the program's initial texts.
    const Study study =
        studyLog(read.file.log, {.known = false, .start = readRunStart(RunInputs{})});
    out << "group,method,Km (M),Km low (M),Km high (M),Vmax (M/s),Vmax low (M/s),"
           "Vmax high (M/s),spread,readings used\n";
    for (int g = 0; g < int(study.groups.size()); ++g) {
        const GroupFit fit = fitGroup(study, g, {});
        for (const MethodFit &m : fit.methods) {
            out << g + 1 << ',' << methodName(m.method);
            for (const Estimate &e : {m.km, m.vmax}) {
                const bool ok = m.status == FitStatus::Ok;
                const bool ends = ok && e.hasInterval;
                out << ',' << (ok ? formatExact(e.value) : "") << ','
                    << (ends ? formatExact(e.value - e.halfWidth) : "") << ','
                    << (ends ? formatExact(e.value + e.halfWidth) : "");
            }
            out << ','
                << (m.status != FitStatus::Ok           ? "no fit"
                    : m.km.spread == Spread::Interval95 ? "95% interval"
                                                        : "standard error")
                << ',' << fit.used.size() << '\n';
        }
    }
    return 0;
}

int writeAssignments(int count, std::uint64_t seed, const std::string &dir, std::ostream &err)
{
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    const std::vector<Assignment> assignments = drawAssignments(count, seed);
    const auto write = [&](const std::string &name, const std::string &text) {
        std::ofstream file(std::filesystem::path(dir) / name, std::ios::binary);
        file << text;
        if (file.flush())
            return true;
        err << "enkin-run: could not write " << (std::filesystem::path(dir) / name).string()
            << '\n';
        return false;
    };
    for (const Assignment &a : assignments)
        if (!write(a.id + ".enkin", assignmentText(a)))
            return 1;
    return write("key.csv", assignmentKeyCsv(assignments)) ? 0 : 1;
}

} // namespace enkin
