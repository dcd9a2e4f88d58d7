#include "datalog/readingsfile.h"

#include "engine/numtext.h"

#include <array>
#include <charconv>
#include <cmath>
#include <tuple>
#include <vector>

namespace enkin {

namespace {

// The reading's number comes last: a row cut short anywhere loses a field or ends in a number
// that is not its own.
// clang-format off
constexpr std::array<std::string_view, 25> kColumns = {
    "t (msec)",       "[E] (1e-9 M)",   "[ES] (1e-9 M)",       "[S] (1e-3 M)",  "d[P]/dt (1e-6 M/s)",
    "k1 (1e8 /M/s)",  "k2 (1e3 /s)",    "k-1 (1e3 /s)",        "[E]0 (1e-9 M)", "[ES]0 (1e-9 M)",
    "[S]0 (1e-3 M)",  "[P]0 (1e-9 M)",  "Maximum Time (msec)", "grid point",    "[ES] to go",
    "substrate used", "[I]0 (1e-3 M)",  "k3 (1e8 /M/s)",       "k-3 (1e3 /s)",  "k4 (1e8 /M/s)",
    "k-4 (1e3 /s)",   "enzyme setting", "student",             "assignment",    "reading"};
// clang-format on
constexpr std::size_t kFirstRunColumn = 5, kGridPoint = 13, kEsToGo = 14, kSubstrateUsed = 15,
                      kInhibitorI0 = 16, kSetting = 21, kStudent = 22, kAssignment = 23,
                      kReading = 24;
// The rate constants' columns, empty where an assignment hides them (an inhibitor's follow [I]0).
constexpr std::size_t kFirstConstant = 5, kLastConstant = 7;

const std::string &header()
{
    static const std::string text = [] {
        std::string h;
        for (std::string_view name : kColumns)
            h += (h.empty() ? "" : ",") + std::string(name);
        return h;
    }();
    return text;
}

// UTF-8 text: well-formed sequences, and no control characters but tab and line ends (a binary
// file has them).
bool isText(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t extra = c < 0x80                 ? 0
                                  : c >= 0xC2 && c <= 0xDF ? 1
                                  : c >= 0xE0 && c <= 0xEF ? 2
                                  : c >= 0xF0 && c <= 0xF4 ? 3
                                                           : 4;
        if (extra == 4 || extra > text.size() - i - 1 ||
            (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F)
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

// One record of RFC 4180: its fields and the line it starts on.
struct Record {
    std::vector<std::string> fields;
    int line = 0;
};

// Splits the text into records; false, with the line of the opening quote, when a quoted field
// never closes. A quote inside an unquoted field is kept as text.
bool splitRecords(std::string_view text, std::vector<Record> &records, int &badLine)
{
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        Record record{{}, line};
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            if (i < text.size() && text[i] == '"') {
                const int opened = line;
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        badLine = opened;
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    line += text[i] == '\n';
                    field += text[i++];
                }
            }
            while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                field += text[i++];
            record.fields.push_back(std::move(field));
            field.clear();
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            // A line ends in "\r\n", "\n" or "\r", or the text ends.
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
            ++line;
            endOfRecord = true;
        }
        records.push_back(std::move(record));
    }
    return true;
}

// The whole field as a finite number, nothing before or after it.
bool readNumber(const std::string &field, double &value)
{
    const char *end = field.data() + field.size();
    const auto r = std::from_chars(field.data(), end, value);
    return r.ec == std::errc() && r.ptr == end && std::isfinite(value);
}

} // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string q = "\"";
    for (char c : text)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + '"';
}

std::string_view readingsHeader()
{
    return header();
}

std::string readingsCsv(const ReadingsFile &file)
{
    const DataLog &log = file.log;
    std::string text = header() + "\r\n";
    for (int i = 1; i <= log.SavedCount; ++i) {
        const auto at = std::size_t(i);
        const RunContext &run = log.SavedRun[at];
        std::string row = formatExact(log.SavedT[at]) + ',' + formatExact(log.SavedE[at]) + ',' +
                          formatExact(log.SavedES[at]) + ',' + formatExact(log.SavedS[at]) + ',' +
                          formatExact(log.SavedVel[at]);
        const RunStart &s = run.start;
        const bool hidden = run.known && run.setting > 0;
        for (double v : {s.k1, s.k2, s.kminus1})
            row += ',' + (run.known && !hidden ? formatExact(v) : std::string());
        const Inhibitor &in = s.inhibitor;
        for (double v : {s.e0, s.es0, s.s0, s.p0, s.tmax, double(run.point), run.esToGo,
                         run.substrateUsed, in.i0})
            row += ',' + (run.known ? formatExact(v) : std::string());
        for (double v : {in.k3, in.kminus3, in.k4, in.kminus4})
            row += ',' +
                   (run.known && !(hidden && run.inhibitorHidden) ? formatExact(v) : std::string());
        row += ',' + (hidden ? std::to_string(run.setting) : std::string());
        text += row + ',' + csvField(file.student) + ',' + csvField(file.assignment) + ',' +
                std::to_string(i) + "\r\n";
    }
    return text;
}

ReadResult readReadingsCsv(std::string_view text)
{
    ReadResult result;
    const auto fail = [&](ReadProblem problem, int line, std::string column = {}) {
        ReadResult failed;
        failed.problem = problem;
        failed.line = line;
        failed.column = std::move(column);
        return failed;
    };
    if (text.size() > kReadingsFileLimit)
        return fail(ReadProblem::TooLong, 0);
    if (text.starts_with("\xEF\xBB\xBF")) // a byte-order mark, as some spreadsheets write
        text.remove_prefix(3);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return fail(ReadProblem::Empty, 0);
    if (!isText(text))
        return fail(ReadProblem::NotText, 0);
    std::vector<Record> records;
    int badLine = 0;
    if (!splitRecords(text, records, badLine))
        return fail(ReadProblem::UnclosedQuote, badLine);
    // Blank lines at the end, as editors leave them, are no rows.
    while (!records.empty() && records.back().fields.size() == 1 &&
           records.back().fields[0].empty())
        records.pop_back();
    if (records.empty() || records.front().fields.size() != kColumns.size())
        return fail(ReadProblem::NotReadings, 1);
    for (std::size_t c = 0; c < kColumns.size(); ++c)
        if (records.front().fields[c] != kColumns[c])
            return fail(ReadProblem::NotReadings, 1);

    DataLog &log = result.file.log;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Record &record = records[r];
        if (record.fields.size() != kColumns.size())
            return fail(ReadProblem::WrongColumnCount, record.line);
        if (int(r) > DataLog::kCapacity)
            return fail(ReadProblem::TooManyRows, record.line);
        if (record.fields[kReading] != std::to_string(r))
            return fail(ReadProblem::NotANumber, record.line, std::string(kColumns[kReading]));
        std::array<double, kFirstRunColumn> figures{};
        for (std::size_t c = 0; c < kFirstRunColumn; ++c)
            if (!readNumber(record.fields[c], figures[c]))
                return fail(ReadProblem::NotANumber, record.line, std::string(kColumns[c]));
        // The run's columns are all empty, or all numbers but the settledness, which may be
        // empty where [ES] was 0. An enzyme setting of an assignment stands in for the rate
        // constants, whose columns are then empty.
        RunContext run;
        bool anyRun = false;
        for (std::size_t c = kFirstRunColumn; c <= kSetting; ++c)
            anyRun = anyRun || !record.fields[c].empty();
        const std::string &setting = record.fields[kSetting];
        if (!setting.empty() && (setting.size() != 1 || setting[0] < '1' || setting[0] > '3'))
            return fail(ReadProblem::NotANumber, record.line, std::string(kColumns[kSetting]));
        if (anyRun) {
            std::array<double, kSetting - kFirstRunColumn> v{};
            for (std::size_t c = kFirstRunColumn; c < kSetting; ++c) {
                const std::size_t k = c - kFirstRunColumn;
                // The enzyme's constants, and an inhibitor's where the assignment hides it.
                const bool constant =
                    (c >= kFirstConstant && c <= kLastConstant) ||
                    (c > kInhibitorI0 && c < kSetting && record.fields[c].empty());
                const bool mayBeEmpty = c == kEsToGo || c == kSubstrateUsed;
                if (constant && !setting.empty() && record.fields[c].empty())
                    v[k] = std::nan("");
                else if (mayBeEmpty && record.fields[c].empty())
                    v[k] = std::nan("");
                else if ((constant && !setting.empty()) || !readNumber(record.fields[c], v[k]))
                    return fail(ReadProblem::NotANumber, record.line, std::string(kColumns[c]));
            }
            if (v[8] != std::floor(v[8]) || v[8] < 1 || v[8] > Trajectory::kLast)
                return fail(ReadProblem::NotANumber, record.line,
                            std::string(kColumns[kGridPoint]));
            run.known = true;
            run.start = {v[3], v[4], v[5],
                         v[6], v[0], v[1],
                         v[2], v[7], Inhibitor{v[11], v[12], v[13], v[14], v[15]}};
            run.point = int(v[8]);
            run.esToGo = v[9];
            run.substrateUsed = v[10];
            run.setting = setting.empty() ? 0 : setting[0] - '0';
            run.inhibitorHidden = !setting.empty() && std::isnan(v[12]);
            if (run.inhibitorHidden &&
                !(std::isnan(v[13]) && std::isnan(v[14]) && std::isnan(v[15])))
                return fail(ReadProblem::NotANumber, record.line,
                            std::string(kColumns[kInhibitorI0 + 1]));
        }
        const auto at = std::size_t(++log.SavedCount);
        log.SavedT[at] = figures[0];
        log.SavedE[at] = figures[1];
        log.SavedES[at] = figures[2];
        log.SavedS[at] = figures[3];
        log.SavedVel[at] = figures[4];
        log.SavedRun[at] = run;
        result.file.student = record.fields[kStudent];
        result.file.assignment = record.fields[kAssignment];
    }
    return result;
}

bool fillAssignmentConstants(DataLog &log, const Assignment &assignment)
{
    bool filled = false;
    for (int i = 1; i <= log.SavedCount; ++i) {
        RunContext &run = log.SavedRun[std::size_t(i)];
        if (!run.known || run.setting < 1 || run.setting > 3)
            continue;
        run.start.k1 = assignment.k1;
        run.start.k2 = assignment.k2[std::size_t(run.setting - 1)];
        run.start.kminus1 = assignment.kminus1;
        if (run.inhibitorHidden) {
            Inhibitor &in = run.start.inhibitor;
            std::tie(in.k3, in.kminus3, in.k4, in.kminus4) =
                std::tuple{assignment.inhibitor[0], assignment.inhibitor[1],
                           assignment.inhibitor[2], assignment.inhibitor[3]};
        }
        filled = true;
    }
    return filled;
}

} // namespace enkin
