// Fuzzes the text table of the Saved Data window with arbitrary logs.
//
// Input: one byte for the reading count (0..20, or now and then a count that no accept could
// have left, which the table must clamp), then 8 bytes per double for the five columns, row 0
// included, non-finite values too.
//
// Properties: an empty log gives "There is no saved data."; otherwise the text is the
// 105-character dotted heading, then one "\r\n" and a 75-character line per reading, and nothing
// after; each line holds the readings' signed texts at their columns, the time field, written
// last, whole at column 1.
#include "datalog/datalog.h"
#include "engine/numtext.h"
#include "fuzz/check.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

using enkin::DataLog;
using enkin::fuzz::quoted;

constexpr std::size_t kHeadingLength = 105;
constexpr std::size_t kLineLength = 75;
constexpr std::size_t kFieldWidth = 15;

// Counts that a caller setting SavedCount by hand might leave, beyond 0..20.
constexpr int kWildCounts[] = {-1, 21, 22, 1000, -1000, INT_MIN, INT_MAX};

DataLog logFromBytes(const std::uint8_t *data, std::size_t size)
{
    DataLog log;
    if (size == 0)
        return log;
    const std::uint8_t countByte = data[0];
    constexpr int kNormal = 21 * 11; // most count bytes give 0..20
    log.SavedCount = countByte < kNormal
                         ? countByte % 21
                         : kWildCounts[(countByte - kNormal) % std::size(kWildCounts)];
    std::size_t offset = 1;
    for (DataLog::Column *column :
         {&log.SavedT, &log.SavedE, &log.SavedES, &log.SavedS, &log.SavedVel}) {
        for (double &value : *column) {
            if (offset + sizeof value > size)
                return log;
            std::memcpy(&value, data + offset, sizeof value);
            offset += sizeof value;
        }
    }
    return log;
}

// Expected character of one data line at 0-based position `at`, for the four fields written at
// columns 16, 31, 46 and 61 before the time: a field shows its text from its column on; where it
// is shorter than its 15 columns, the rest shows the run-on of the field before it (a text longer
// than 15 characters reaches over into the next field's columns) or blanks.
char expectedAt(const std::string (&fields)[4], std::size_t at)
{
    const std::size_t k = (at - kFieldWidth) / kFieldWidth;
    const std::size_t offset = at - kFieldWidth * (k + 1);
    if (offset < fields[k].size())
        return fields[k][offset];
    if (k > 0 && offset + kFieldWidth < fields[k - 1].size())
        return fields[k - 1][offset + kFieldWidth];
    return ' ';
}

void checkLine(std::string_view line, const DataLog &log, int row)
{
    const std::string time = enkin::formatSigned(log.SavedT[row] * 1e-3);
    const std::string fields[] = {
        enkin::formatSigned(log.SavedE[row] * 1e-9),
        enkin::formatSigned(log.SavedES[row] * 1e-9),
        enkin::formatSigned(log.SavedS[row] * 1e-3),
        enkin::formatSigned(log.SavedVel[row] * 1e-6),
    };
    const auto context = [&] {
        return "row " + std::to_string(row) + ": " + quoted(line) + ", time " + quoted(time) +
               ", [E] " + quoted(fields[0]) + ", [ES] " + quoted(fields[1]) + ", [S] " +
               quoted(fields[2]) + ", Vel " + quoted(fields[3]);
    };

    // Columns 1-15: the time, written last, whole (it is never longer than 22 characters, so it
    // may cover the start of [E]), then blanks.
    FUZZ_CHECK(time.size() <= 22, context());
    FUZZ_CHECK(line.substr(0, time.size()) == time, context());
    for (std::size_t at = time.size(); at < kFieldWidth; ++at)
        FUZZ_CHECK(line[at] == ' ', context() + ": column " + std::to_string(at + 1));
    for (std::size_t at = std::max(time.size(), kFieldWidth); at < kLineLength; ++at)
        FUZZ_CHECK(line[at] == expectedAt(fields, at),
                   context() + ": column " + std::to_string(at + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const DataLog log = logFromBytes(data, size);
    const std::string text = enkin::savedDataText(log);
    const int rows = std::clamp(log.SavedCount, 0, DataLog::kCapacity);
    const auto context = [&] {
        return "count " + std::to_string(log.SavedCount) + ": " + quoted(text);
    };

    if (rows == 0) {
        FUZZ_CHECK(text == enkin::kNoSavedData, context());
        return 0;
    }
    FUZZ_CHECK(text.size() == kHeadingLength + rows * (2 + kLineLength), context());
    const std::string_view heading(text.data(), kHeadingLength);
    FUZZ_CHECK(heading.find_first_not_of(".[]ESVelt ") == std::string_view::npos, context());
    FUZZ_CHECK(heading.substr(5, 3) == " t " && heading.substr(27, 5) == " [E] " &&
                   heading.substr(50, 6) == " [ES] " && heading.substr(74, 5) == " [S] " &&
                   heading.substr(95, 5) == " Vel ",
               context());
    for (int row = 1; row <= rows; ++row) {
        const std::size_t start = kHeadingLength + (row - 1) * (2 + kLineLength);
        FUZZ_CHECK(text.compare(start, 2, "\r\n") == 0, context());
        const std::string_view line(text.data() + start + 2, kLineLength);
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos, context());
        checkLine(line, log, row);
    }
    return 0;
}
