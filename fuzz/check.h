// What the fuzz targets share: a failing check that says what broke and on which input, and the
// reference rounding to 15 significant digits that the number-to-text conversion promises.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace enkin::fuzz {

[[noreturn]] inline void fail(const char *condition, const char *file, int line,
                              const std::string &detail)
{
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n%s\n", file, line, condition, detail.c_str());
    // libFuzzer turns the abort into a crash report and writes the input out as an artifact.
    std::abort();
}

// A text shown with its unprintable bytes escaped, for failure reports.
inline std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        }
    }
    return out + "\"";
}

// A double with its exact bits, so that a failure can be reproduced from the log alone.
inline std::string describe(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g (%a)", value, value);
    return buf;
}

// `value` rounded to 15 significant digits, the way the general format writes it, read back with
// a correctly rounded conversion. A rounding that carries past the largest double (only the
// largest few doubles do) yields the largest finite double of that sign, which is what the
// leading-number parse gives for any text beyond the double range.
inline double roundTo15Digits(double value)
{
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    double rounded = 0;
    const auto read = std::from_chars(buf, written.ptr, rounded);
    if (read.ec == std::errc::result_out_of_range)
        return std::signbit(value) ? -std::numeric_limits<double>::max()
                                   : std::numeric_limits<double>::max();
    return rounded;
}

} // namespace enkin::fuzz

// Checks a property; `detail` is only built when the check fails.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::enkin::fuzz::fail(#condition, __FILE__, __LINE__, (detail));                         \
    } while (false)
