#include "engine/numtext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace enkin {

namespace {

bool isIgnorable(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Walks a text while skipping the blanks that the parse ignores anywhere.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) { skip(); }
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance()
    {
        ++m_pos;
        skip();
    }

private:
    void skip()
    {
        while (m_pos < m_text.size() && isIgnorable(m_text[m_pos]))
            ++m_pos;
    }
    std::string_view m_text;
    std::size_t m_pos = 0;
};

int digitValue(char c, int radix)
{
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < radix ? d : -1;
}

double clampToFinite(double v)
{
    if (std::isinf(v))
        return v > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
    return v;
}

// A hexadecimal or octal whole number, converted to the nearest double in one step. Summing the
// digits into a double instead rounds at every digit once the number passes 2^53, and those
// roundings can add up to one unit in the last place off ("&H200000000000018" came out as 2^57,
// not 2^57 + 32).
double parseWholeNumber(Reader &in, int radix)
{
    static constexpr char hexDigits[] = "0123456789abcdef";
    std::string hex;
    if (radix == 16) {
        for (; digitValue(in.peek(), 16) >= 0; in.advance())
            hex += in.peek();
    } else {
        // Three bits per octal digit, regrouped from the right into four-bit hexadecimal digits.
        std::string bits;
        for (int d; (d = digitValue(in.peek(), 8)) >= 0; in.advance())
            for (int bit = 2; bit >= 0; --bit)
                bits += static_cast<char>('0' + ((d >> bit) & 1));
        bits.insert(0, (4 - bits.size() % 4) % 4, '0');
        for (std::size_t i = 0; i < bits.size(); i += 4)
            hex += hexDigits[(bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 +
                             (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0')];
    }
    if (hex.empty())
        return 0;
    double value = 0;
    const auto result =
        std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
    return result.ec == std::errc::result_out_of_range ? std::numeric_limits<double>::max()
                                                       : clampToFinite(value);
}

} // namespace

double parseLeadingNumber(std::string_view text)
{
    Reader in(text);
    if (in.peek() == '&') {
        in.advance();
        const char base = in.peek();
        if (base == 'H' || base == 'h') {
            in.advance();
            return parseWholeNumber(in, 16);
        }
        if (base == 'O' || base == 'o') {
            in.advance();
            return parseWholeNumber(in, 8);
        }
        return 0;
    }

    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }

    // Collect the significant digits and track the decimal magnitude of the first non-zero one,
    // so that out-of-range numbers can be told apart as overflow or underflow.
    std::string digits;
    long long pointShift = 0; // decimal exponent contributed by the position of the point
    bool anyDigit = false;
    for (; in.peek() >= '0' && in.peek() <= '9'; in.advance()) {
        anyDigit = true;
        if (digits.empty() && in.peek() == '0')
            continue;
        digits += in.peek();
    }
    if (in.peek() == '.') {
        in.advance();
        for (; in.peek() >= '0' && in.peek() <= '9'; in.advance()) {
            anyDigit = true;
            if (digits.empty() && in.peek() == '0') {
                --pointShift;
                continue;
            }
            digits += in.peek();
            --pointShift;
        }
    }
    if (!anyDigit)
        return 0;

    long long exponent = 0;
    const char e = in.peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negativeExponent = in.peek() == '-';
            in.advance();
        }
        constexpr long long saturation = 1'000'000'000;
        for (; in.peek() >= '0' && in.peek() <= '9'; in.advance())
            exponent = std::min(saturation, exponent * 10 + (in.peek() - '0'));
        if (negativeExponent)
            exponent = -exponent;
    }

    if (digits.empty())
        return 0;

    // value = 0.d1d2d3... x 10^magnitude
    const long long scale = exponent + pointShift;
    const long long magnitude = static_cast<long long>(digits.size()) + scale;
    double value;
    if (magnitude > 400) {
        value = std::numeric_limits<double>::max();
    } else if (magnitude < -400) {
        value = 0;
    } else {
        digits += 'e';
        digits += std::to_string(scale);
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (result.ec == std::errc::result_out_of_range)
            value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

std::string formatGeneral(double value)
{
    if (std::isnan(value))
        return "nan";
    if (value == 0)
        return "0";
    // printf's %.15G, but locale-independent: fifteen significant digits, no trailing zeros, plain
    // decimal for exponents -4..14 of the rounded value, otherwise "E", sign, two or more digits.
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string out(buf, result.ptr);
    if (const auto e = out.find('e'); e != std::string::npos)
        out[e] = 'E';
    return out;
}

std::string formatSigned(double value)
{
    // The sign position follows the text, not the sign bit: a NaN with its sign bit set is
    // written "nan" like any other, so it gets the blank too.
    std::string text = formatGeneral(value);
    return text.front() == '-' ? text : " " + text;
}

std::string formatExact(double value)
{
    if (!std::isfinite(value))
        return {};
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    return std::string(buf, r.ptr);
}

double intFloor(double value)
{
    return std::floor(value);
}

double cutDecimals(double value, double scale)
{
    return intFloor(scale * value) / scale;
}

} // namespace enkin
