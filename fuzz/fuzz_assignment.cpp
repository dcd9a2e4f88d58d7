// Fuzzes the reader of assignment files with arbitrary texts.
//
// Properties: it never reads beyond its input; an assignment it accepts has positive, finite
// constants, and writing it out and reading that again gives the same assignment.
#include "fuzz/check.h"
#include "params/assignment.h"

#include <cmath>

using enkin::fuzz::quoted;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto read = enkin::readAssignment(text);
    if (!read)
        return 0;
    for (double v : {read->k1, read->kminus1, read->k2[0], read->k2[1], read->k2[2]})
        FUZZ_CHECK(v > 0 && std::isfinite(v), quoted(text));
    const auto again = enkin::readAssignment(enkin::assignmentText(*read));
    FUZZ_CHECK(again && again->id == read->id && again->k1 == read->k1 &&
                   again->kminus1 == read->kminus1 && again->k2 == read->k2,
               quoted(text));
    return 0;
}
