// Fuzzes the leading-number parse with arbitrary texts.
//
// Properties: the result is always finite; blanks, tabs and line feeds may stand anywhere without
// changing it; it agrees with a reference reading of the same number by the C library's strtod
// (or, for &H and &O numbers that fit 64 bits, an exact integer conversion); and the general
// format writes it so that it reads back as the value rounded to 15 significant digits.
#include "engine/numtext.h"
#include "fuzz/check.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

using enkin::fuzz::describe;
using enkin::fuzz::quoted;

bool isIgnorable(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int radix)
{
    int d = -1;
    if (isDigit(c))
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < radix ? d : -1;
}

double clampToFinite(double value)
{
    constexpr double largest = std::numeric_limits<double>::max();
    return std::isinf(value) ? (value > 0 ? largest : -largest) : value;
}

// &H or &O followed by digits, as the exact whole number converted once to the nearest double;
// nothing when the number needs more than 64 bits.
std::optional<double> referenceWhole(std::string_view text, int radix)
{
    std::uint64_t value = 0;
    for (char c : text) {
        const int d = digitValue(c, radix);
        if (d < 0)
            break;
        if (value >
            (UINT64_MAX - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(radix))
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
    }
    return static_cast<double>(value);
}

// The number at the start of a text that holds no blanks, read by strtod after the longest
// prefix that the parse's grammar takes has been cut out and its D exponent spelled as E.
std::optional<double> reference(std::string_view text)
{
    if (!text.empty() && text.front() == '&') {
        if (text.size() >= 2 && (text[1] == 'H' || text[1] == 'h'))
            return referenceWhole(text.substr(2), 16);
        if (text.size() >= 2 && (text[1] == 'O' || text[1] == 'o'))
            return referenceWhole(text.substr(2), 8);
        return 0.0;
    }
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
        number += text[i];
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        for (; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
            number += text[i];
    }
    if (!anyDigit)
        return 0.0;
    if (i < text.size() && std::string_view("EeDd").find(text[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        bool anyExponentDigit = false;
        for (; j < text.size() && isDigit(text[j]); ++j, anyExponentDigit = true)
            exponent += text[j];
        if (anyExponentDigit) // "3e" and "3e-x" are 3: an exponent marker alone adds nothing
            number += exponent;
    }
    // The fuzzer runs in the "C" locale, so strtod reads "." as the decimal point. It reads
    // underflowing numbers correctly rounded (subnormal or 0) and overflowing ones as infinity.
    errno = 0;
    return clampToFinite(std::strtod(number.c_str(), nullptr));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const double value = enkin::parseLeadingNumber(text);
    FUZZ_CHECK(std::isfinite(value), "text " + quoted(text) + " gave " + describe(value));

    std::string packed;
    for (char c : text)
        if (!isIgnorable(c))
            packed += c;
    const double packedValue = enkin::parseLeadingNumber(packed);
    FUZZ_CHECK(packedValue == value || (std::isnan(packedValue) && std::isnan(value)),
               "text " + quoted(text) + " gave " + describe(value) + " but without blanks " +
                   describe(packedValue));

    if (const std::optional<double> expected = reference(packed))
        FUZZ_CHECK(value == *expected, "text " + quoted(text) + " gave " + describe(value) +
                                           ", the reference reads " + describe(*expected));

    const std::string shown = enkin::formatGeneral(value);
    const double readBack = enkin::parseLeadingNumber(shown);
    const double rounded = enkin::fuzz::roundTo15Digits(value);
    FUZZ_CHECK(readBack == rounded, "text " + quoted(text) + " gave " + describe(value) +
                                        ", written " + quoted(shown) + " reads back as " +
                                        describe(readBack) + ", not " + describe(rounded));
    return 0;
}
