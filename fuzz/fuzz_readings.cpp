// Fuzzes the reader of readings files with arbitrary texts.
//
// Properties: it never reads beyond its input; a text it refuses names a problem and a line within
// the text; a text it accepts holds at most 20 readings of finite figures, and writing them out
// and reading that again gives the same file text (the reader and the writer agree).
#include "datalog/readingsfile.h"
#include "fuzz/check.h"

#include <algorithm>
#include <cmath>

using enkin::fuzz::quoted;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const enkin::ReadResult read = enkin::readReadingsCsv(text);
    if (read.problem != enkin::ReadProblem::None) {
        const auto lines = std::count(text.begin(), text.end(), '\n') +
                           std::count(text.begin(), text.end(), '\r') + 1;
        FUZZ_CHECK(read.line >= 0 && read.line <= lines, quoted(text));
        return 0;
    }
    const enkin::DataLog &log = read.file.log;
    FUZZ_CHECK(log.SavedCount >= 0 && log.SavedCount <= enkin::DataLog::kCapacity, quoted(text));
    for (int i = 1; i <= log.SavedCount; ++i)
        for (double v :
             {log.SavedT[i], log.SavedE[i], log.SavedES[i], log.SavedS[i], log.SavedVel[i]})
            FUZZ_CHECK(std::isfinite(v), quoted(text));
    const std::string written = enkin::readingsCsv(read.file);
    const enkin::ReadResult again = enkin::readReadingsCsv(written);
    FUZZ_CHECK(again.problem == enkin::ReadProblem::None &&
                   enkin::readingsCsv(again.file) == written,
               quoted(text) + " wrote " + quoted(written));
    return 0;
}
