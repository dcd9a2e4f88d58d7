// Fuzzes the general and the signed number-to-text conversions with arbitrary doubles, one per
// 8 bytes of input, non-finite ones included.
//
// Properties: the text has the promised shape (sign, at most 15 significant digits without
// trailing zeros, plain decimal exactly for rounded magnitudes in [1e-4, 1e15), otherwise
// mantissa, "E", sign and two or three exponent digits); it is never longer than 22 characters;
// the signed form is the general one behind a sign position; and a finite value reads back with
// the leading-number parse as the value rounded to 15 significant digits.
#include "engine/numtext.h"
#include "fuzz/check.h"

#include <cstdint>
#include <cstring>

namespace {

using enkin::fuzz::describe;
using enkin::fuzz::quoted;

// The longest general text: "-", 15 digits, ".", then "E-308" (five characters cover every
// exponent of a double, subnormals down to E-324 included): 22. Plain decimals are shorter:
// "-0.000" before 15 digits is 21. The signed form puts a blank only where the general form has
// no "-", so it is never longer than the general form of the negated value: 22 as well.
constexpr std::size_t kLongestText = 22;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Checks the general text of a finite value against its rounding to 15 significant digits.
// Returns an empty string when the shape is right, otherwise what is wrong with it.
std::string shapeError(std::string_view text, double rounded)
{
    if (rounded == 0)
        return text == "0" ? "" : "zero is not written \"0\"";
    std::size_t i = 0;
    if (std::signbit(rounded) != (!text.empty() && text[0] == '-'))
        return "sign does not match";
    if (text[0] == '-')
        ++i;
    const std::size_t ePos = text.find('E');
    const std::string_view mantissa =
        text.substr(i, ePos == std::string_view::npos ? text.npos : ePos - i);
    const double magnitude = std::fabs(rounded);
    const bool plain = magnitude >= 1e-4 && magnitude < 1e15;
    if (plain != (ePos == std::string_view::npos))
        return plain ? "exponent form for a plain magnitude"
                     : "plain form for a large or small magnitude";

    // Mantissa: digits, at most one point with digits after it, no trailing zero after a point,
    // a lone leading "0" only before the point, at most 15 significant digits.
    const std::size_t point = mantissa.find('.');
    std::size_t significant = 0;
    bool leadingZeros = true;
    for (std::size_t k = 0; k < mantissa.size(); ++k) {
        if (k == point)
            continue;
        if (!isDigit(mantissa[k]))
            return "mantissa holds a non-digit";
        if (mantissa[k] != '0')
            leadingZeros = false;
        if (!leadingZeros)
            ++significant;
    }
    if (mantissa.empty() || significant == 0 || significant > 15)
        return "not 1 to 15 significant digits";
    if (point != std::string_view::npos) {
        if (point == 0 || point + 1 == mantissa.size() || mantissa.back() == '0')
            return "point without digits on both sides, or a trailing zero";
        if (mantissa.find('.', point + 1) != std::string_view::npos)
            return "two points";
    }
    const std::size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
    if (integerDigits > 1 && mantissa[0] == '0')
        return "leading zero";
    if (!plain) {
        if (integerDigits != 1 || mantissa[0] == '0')
            return "exponent form without one non-zero digit before the point";
        const std::string_view exponent = text.substr(ePos + 1);
        if (exponent.size() < 3 || exponent.size() > 4 ||
            (exponent[0] != '+' && exponent[0] != '-'))
            return "exponent is not a sign and two or three digits";
        for (char c : exponent.substr(1))
            if (!isDigit(c))
                return "exponent holds a non-digit";
        if (exponent.size() == 4 && exponent[1] == '0')
            return "three-digit exponent with a leading zero";
    }
    return "";
}

void checkValue(double value)
{
    const std::string general = enkin::formatGeneral(value);
    const std::string withSign = enkin::formatSigned(value);
    const auto context = [&] {
        return "value " + describe(value) + ": general " + quoted(general) + ", signed " +
               quoted(withSign);
    };

    FUZZ_CHECK(general.size() <= kLongestText, context());
    FUZZ_CHECK(withSign.size() <= kLongestText, context());
    FUZZ_CHECK(!withSign.empty() && (withSign[0] == ' ' || withSign[0] == '-'), context());
    FUZZ_CHECK(withSign == (general[0] == '-' ? general : " " + general), context());

    if (std::isnan(value)) {
        FUZZ_CHECK(general == "nan", context());
        return;
    }
    if (std::isinf(value)) {
        FUZZ_CHECK(general == (value > 0 ? "inf" : "-inf"), context());
        return;
    }
    const double rounded = enkin::fuzz::roundTo15Digits(value);
    const std::string error = shapeError(general, rounded);
    FUZZ_CHECK(error.empty(), context() + ": " + error);

    const double readBack = enkin::parseLeadingNumber(general);
    FUZZ_CHECK(readBack == rounded,
               context() + " reads back as " + describe(readBack) + ", not " + describe(rounded));
    FUZZ_CHECK(enkin::parseLeadingNumber(withSign) == readBack, context());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    for (std::size_t offset = 0; offset + sizeof(double) <= size; offset += sizeof(double)) {
        double value;
        std::memcpy(&value, data + offset, sizeof value);
        checkValue(value);
    }
    return 0;
}
