#include "app/analysecli.h"

#include "analysis/analysisreport.h"
#include "analysis/readings.h"
#include "datalog/readingsfile.h"
#include "engine/numtext.h"
#include "params/assignment.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <tuple>

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

// Whether the readings are an assignment's, with enzyme settings in place of the constants.
bool hidesEnzyme(const DataLog &log)
{
    for (int i = 1; i <= log.SavedCount; ++i)
        if (log.SavedRun[std::size_t(i)].setting > 0)
            return true;
    return false;
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
    if (hidesEnzyme(read.file.log)) {
        err << "enkin-run: " << path << ": readings of assignment " << read.file.assignment
            << ", whose enzyme only the key holds; use: enkin-run grade KEY.csv " << path << '\n';
        return 1;
    }
    // A reading without its run stands for a run of the program's initial texts.
    const Study study =
        studyLog(read.file.log, {.known = false, .start = readRunStart(RunInputs{})});
    out << "group,method,Km (M),Km low (M),Km high (M),Vmax (M/s),Vmax low (M/s),"
           "Vmax high (M/s),spread,readings used,Ki (M),Ki low (M),Ki high (M),aKi (M),"
           "aKi low (M),aKi high (M),AICc,Akaike weight,chosen\n";
    const auto bounds = [&out](bool ok, double value, double low, double high, bool ends) {
        out << ',' << (ok ? formatExact(value) : "") << ',' << (ends ? formatExact(low) : "") << ','
            << (ends ? formatExact(high) : "");
    };
    for (int g = 0; g < int(study.groups.size()); ++g) {
        // An enzyme measured at several [I]0: the three inhibition laws fitted to all of them.
        if (study.groups[std::size_t(g)].levels.size() > 1) {
            const InhibitionStudy laws = fitGroupInhibition(study, g, {});
            for (std::size_t k = 0; k < laws.models.size(); ++k) {
                const InhibitionModelFit &m = laws.models[k];
                const bool ok = m.status == FitStatus::Ok;
                out << g + 1 << ',' << inhibitionLawName(m.model);
                for (const Estimate &e : {m.km, m.vmax})
                    bounds(ok, e.value, e.value - e.halfWidth, e.value + e.halfWidth,
                           ok && e.hasInterval);
                out << ',' << (ok ? "95% interval" : "no fit") << ',' << m.n;
                for (const InhibitionConstant &c : {m.ki, m.alphaKi})
                    bounds(ok && std::isfinite(c.value), c.value, c.low, c.high,
                           ok && c.hasInterval);
                out << ',' << (ok ? formatExact(m.aicc) : "") << ','
                    << (ok ? formatExact(m.weight) : "") << ','
                    << (int(k) == laws.best ? "yes" : "no") << '\n';
            }
            continue;
        }
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
                << ',' << fit.used.size() << ",,,,,,,,,\n";
        }
    }
    return 0;
}

namespace {

std::string readWhole(const std::string &path, std::size_t limit)
{
    std::ifstream file(path, std::ios::binary);
    std::string text(limit + 1, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(file.gcount()));
    return text;
}

} // namespace

int gradeHandIns(const std::string &keyPath, const std::vector<std::string> &handIns,
                 std::ostream &out, std::ostream &err)
{
    const auto key = readAssignmentKey(readWhole(keyPath, 4 * 1024 * 1024));
    if (!key) {
        err << "enkin-run: " << keyPath << ": not a key written by enkin-run assign\n";
        return 1;
    }
    out << "file,assignment,student,Km (M),true Km (M),Km error,Vmax (M/s),true Vmax (M/s),"
           "Vmax error,readings used,readings marked,problem\n";
    for (const std::string &path : handIns) {
        const auto row = [&](const std::string &assignment, const std::string &student,
                             const std::string &numbers, const std::string &problem) {
            out << csvField(path) << ',' << csvField(assignment) << ',' << csvField(student) << ','
                << numbers << ',' << csvField(problem) << '\n';
        };
        const std::string empty = ",,,,,,,"; // the eight number columns
        const ReadResult read = readReadingsCsv(readWhole(path, kReadingsFileLimit));
        if (read.problem != ReadProblem::None) {
            row({}, {}, empty,
                std::string(problemText(read.problem)) +
                    (read.line ? " at line " + std::to_string(read.line) : ""));
            continue;
        }
        ReadingsFile file = read.file;
        const auto assignment = std::find_if(
            key->begin(), key->end(), [&](const Assignment &a) { return a.id == file.assignment; });
        if (assignment != key->end())
            fillAssignmentConstants(file.log, *assignment);
        const Study study =
            studyLog(file.log, {.known = false, .start = readRunStart(RunInputs{})});
        if (assignment == key->end() || study.groups.empty()) {
            row(file.assignment, file.student, empty,
                assignment == key->end() ? "no such assignment in the key" : "no readings");
            continue;
        }
        // The largest group, against the true values of its enzyme setting.
        std::size_t g = 0;
        for (std::size_t i = 1; i < study.groups.size(); ++i)
            if (study.groups[i].members.size() > study.groups[g].members.size())
                g = i;
        const ReadingGroup &group = study.groups[g];
        const double trueKm = group.truth.km, trueVmax = group.truth.vmax;
        const GroupFit fit = fitGroup(study, int(g), {});
        // At several [I]0 the enzyme's Km and Vmax are the chosen inhibition law's.
        Estimate km = fit.methods[0].km, vmax = fit.methods[0].vmax;
        bool ok = fit.methods[0].status == FitStatus::Ok;
        if (group.levels.size() > 1) {
            const InhibitionStudy laws = fitGroupInhibition(study, int(g), {});
            ok = laws.best >= 0;
            if (ok)
                std::tie(km, vmax) = std::pair{laws.models[std::size_t(laws.best)].km,
                                               laws.models[std::size_t(laws.best)].vmax};
        }
        int marked = 0;
        for (int member : group.members)
            marked += study.readings[std::size_t(member)].marks != Mark::None;
        const auto value = [&](double v) { return ok ? formatExact(v) : std::string(); };
        row(file.assignment, file.student,
            value(km.value) + ',' + formatExact(trueKm) + ',' + value(km.value / trueKm - 1) + ',' +
                value(vmax.value) + ',' + formatExact(trueVmax) + ',' +
                value(vmax.value / trueVmax - 1) + ',' + std::to_string(fit.used.size()) + ',' +
                std::to_string(marked),
            ok ? "" : "the readings give no fit");
    }
    return 0;
}

int writeAssignments(int count, std::uint64_t seed, const std::string &dir, bool inhibitors,
                     std::ostream &err)
{
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    const std::vector<Assignment> assignments = drawAssignments(count, seed, inhibitors);
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
