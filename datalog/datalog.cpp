#include "datalog/datalog.h"

#include "engine/numtext.h"
#include "engine/units.h"

#include <algorithm>

namespace enkin {

namespace {

bool holdsNothing(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The factors that undo the units of the Results boxes: 1e-9 M for [E] and [ES], 1e-3 M for
// [S], 1e-6 M/s for the velocity and milliseconds for the time.
constexpr double kEFactor = units::kEnzyme;
constexpr double kESFactor = units::kEnzyme;
constexpr double kSFactor = units::kSubstrate;
constexpr double kVelFactor = units::kVelocity;
constexpr double kTFactor = units::kTime;

constexpr std::size_t kHeadingLength = 105;
constexpr std::size_t kLineLength = 75;

// Writes `text` over `line` from 1-based `column` on, in place: the line keeps its length and
// whatever would run past its end is dropped.
void overwriteAt(std::string &line, std::size_t column, std::string_view text)
{
    const std::size_t start = column - 1;
    if (start >= line.size())
        return;
    const std::size_t count = std::min(text.size(), line.size() - start);
    line.replace(start, count, text.substr(0, count));
}

// Rows 1..SavedCount, never past the columns' end even if a caller set the count by hand.
int readingCount(const DataLog &log)
{
    return std::clamp(log.SavedCount, 0, DataLog::kCapacity);
}

std::string heading()
{
    std::string line(kHeadingLength, '.');
    overwriteAt(line, 6, " t ");
    overwriteAt(line, 28, " [E] ");
    overwriteAt(line, 51, " [ES] ");
    overwriteAt(line, 75, " [S] ");
    overwriteAt(line, 96, " Vel ");
    return line;
}

std::string dataLine(const DataLog &log, int i)
{
    std::string line(kLineLength, ' ');
    // The order matters where a field is too long for its columns: the one written later wins.
    overwriteAt(line, 16, formatSigned(log.SavedE[i] * kEFactor));
    overwriteAt(line, 31, formatSigned(log.SavedES[i] * kESFactor));
    overwriteAt(line, 46, formatSigned(log.SavedS[i] * kSFactor));
    overwriteAt(line, 61, formatSigned(log.SavedVel[i] * kVelFactor));
    overwriteAt(line, 1, formatSigned(log.SavedT[i] * kTFactor));
    return line;
}

} // namespace

std::optional<ResultBox> firstEmptyBox(const ReadingTexts &texts)
{
    const std::pair<ResultBox, std::string_view> boxes[] = {{ResultBox::EVal, texts.EVal},
                                                            {ResultBox::ESVal, texts.ESVal},
                                                            {ResultBox::SVal, texts.SVal},
                                                            {ResultBox::Vel, texts.Vel},
                                                            {ResultBox::ttt, texts.ttt}};
    for (const auto &[box, text] : boxes)
        if (holdsNothing(text))
            return box;
    return std::nullopt;
}

AcceptOutcome acceptReading(DataLog &log, const ReadingTexts &texts, const RunContext &run)
{
    if (log.SavedCount >= DataLog::kCapacity)
        return AcceptOutcome::LogFull;
    if (firstEmptyBox(texts))
        return AcceptOutcome::EmptyBox;

    ++log.SavedCount;
    const int n = log.SavedCount;
    log.SavedE[n] = parseLeadingNumber(texts.EVal);
    log.SavedES[n] = parseLeadingNumber(texts.ESVal);
    log.SavedS[n] = parseLeadingNumber(texts.SVal);
    log.SavedVel[n] = parseLeadingNumber(texts.Vel);
    log.SavedT[n] = parseLeadingNumber(texts.ttt);
    log.SavedRun[n] = run;
    return AcceptOutcome::Accepted;
}

void clearAll(DataLog &log)
{
    log.SavedCount = 0;
}

std::string savedDataText(const DataLog &log)
{
    if (readingCount(log) == 0)
        return std::string(kNoSavedData);
    std::string text = heading();
    for (int i = 1; i <= readingCount(log); ++i) {
        text += "\r\n";
        text += dataLine(log, i);
    }
    return text;
}

namespace {

constexpr std::array<const char *, 6> kSpreadsheetHeader{
    ENKIN_TRANSLATE_NOOP("enkin::DataForm", "t (s)"),
    ENKIN_TRANSLATE_NOOP("enkin::DataForm", "[E] (M)"),
    ENKIN_TRANSLATE_NOOP("enkin::DataForm", "[ES] (M)"),
    ENKIN_TRANSLATE_NOOP("enkin::DataForm", "[S] (M)"),
    ENKIN_TRANSLATE_NOOP("enkin::DataForm", "[S]0 (M)"),
    ENKIN_TRANSLATE_NOOP("enkin::DataForm", "velocity (M/s)")};

std::string headerName(std::size_t column, const Translate &translate)
{
    const char *name = kSpreadsheetHeader[column];
    return translate ? translate(name) : std::string(name);
}

// The fields of reading i in molar and second units, with `decimalPoint` for ".".
std::array<std::string, 6> spreadsheetRow(const DataLog &log, int i, char decimalPoint)
{
    const RunContext &run = log.SavedRun[i];
    std::array<std::string, 6> row{formatGeneral(log.SavedT[i] * kTFactor),
                                   formatGeneral(log.SavedE[i] * kEFactor),
                                   formatGeneral(log.SavedES[i] * kESFactor),
                                   formatGeneral(log.SavedS[i] * kSFactor),
                                   run.known ? formatGeneral(run.start.s0 * kSFactor)
                                             : std::string(),
                                   formatGeneral(log.SavedVel[i] * kVelFactor)};
    for (std::string &field : row)
        std::replace(field.begin(), field.end(), '.', decimalPoint);
    return row;
}

} // namespace

std::string spreadsheetText(const DataLog &log, char decimalPoint, const Translate &translate)
{
    if (readingCount(log) == 0)
        return {};
    std::string text;
    for (std::size_t c = 0; c < kSpreadsheetHeader.size(); ++c)
        text += headerName(c, translate) + (c + 1 < kSpreadsheetHeader.size() ? '\t' : '\n');
    for (int i = 1; i <= readingCount(log); ++i) {
        const auto row = spreadsheetRow(log, i, decimalPoint);
        for (std::size_t f = 0; f < row.size(); ++f)
            text += row[f] + (f + 1 < row.size() ? '\t' : '\n');
    }
    return text;
}

std::string spreadsheetHtml(const DataLog &log, char decimalPoint, const Translate &translate)
{
    if (readingCount(log) == 0)
        return {};
    // The header holds letters, "[", "]", "(", ")" and "/" only: nothing to escape.
    std::string html = "<table><tr>";
    for (std::size_t c = 0; c < kSpreadsheetHeader.size(); ++c)
        html += "<th>" + headerName(c, translate) + "</th>";
    html += "</tr>";
    for (int i = 1; i <= readingCount(log); ++i) {
        html += "<tr>";
        for (const std::string &field : spreadsheetRow(log, i, decimalPoint))
            html += "<td>" + field + "</td>";
        html += "</tr>";
    }
    return html + "</table>";
}

} // namespace enkin
