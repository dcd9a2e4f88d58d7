#include "params/assignment.h"

#include "engine/numtext.h"
#include "engine/units.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

namespace enkin {

namespace {

constexpr std::string_view kFormatLine = "Enkin assignment 1";

// A double in [0, 1) from the generator's bits: the same on every machine, unlike the standard
// distributions, whose algorithms the standard leaves open.
double unit(std::mt19937_64 &random)
{
    return double(random() >> 11) * 0x1p-53;
}

double logUniform(std::mt19937_64 &random, double lo, double hi)
{
    const double v = lo * std::pow(hi / lo, unit(random));
    const double scale = std::pow(10.0, std::floor(std::log10(v)) - 2);
    return std::round(v / scale) * scale;
}

// The byte stream the data is XORed with, from an FNV-1a hash of the id.
std::mt19937_64 streamFor(std::string_view id)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : id)
        hash = (hash ^ c) * 1099511628211ull;
    return std::mt19937_64(hash);
}

std::string plainData(const Assignment &a)
{
    return formatExact(a.k1) + ' ' + formatExact(a.kminus1) + ' ' + formatExact(a.k2[0]) + ' ' +
           formatExact(a.k2[1]) + ' ' + formatExact(a.k2[2]);
}

} // namespace

std::vector<Assignment> drawAssignments(int count, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::vector<Assignment> assignments;
    for (int i = 1; i <= count; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "A-%03d", i);
        Assignment a{id, logUniform(random, 0.5, 5), logUniform(random, 0.2, 5), {}};
        a.k2 = {logUniform(random, 0.05, 0.2), logUniform(random, 0.5, 2),
                logUniform(random, 5, 20)};
        assignments.push_back(a);
    }
    return assignments;
}

std::string assignmentText(const Assignment &assignment)
{
    std::mt19937_64 stream = streamFor(assignment.id);
    std::string hex;
    for (unsigned char c : plainData(assignment)) {
        const unsigned byte = c ^ unsigned(stream() & 0xFF);
        const char digits[] = "0123456789abcdef";
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return std::string(kFormatLine) + "\nid " + assignment.id + "\ndata " + hex + "\n";
}

std::optional<Assignment> readAssignment(std::string_view text)
{
    if (text.size() > 4096 || !text.starts_with(kFormatLine))
        return std::nullopt;
    std::istringstream lines{std::string(text.substr(kFormatLine.size()))};
    std::string key, id, hex;
    if (!(lines >> key) || key != "id" || !(lines >> id) || !(lines >> key) || key != "data" ||
        !(lines >> hex) || hex.size() % 2 != 0 || id.size() > 64)
        return std::nullopt;
    std::mt19937_64 stream = streamFor(id);
    std::string plain;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned byte = 0;
        const auto r = std::from_chars(hex.data() + i, hex.data() + i + 2, byte, 16);
        if (r.ec != std::errc() || r.ptr != hex.data() + i + 2)
            return std::nullopt;
        plain += char(byte ^ unsigned(stream() & 0xFF));
    }
    Assignment a{id, 0, 0, {}};
    std::istringstream numbers(plain);
    for (double *v : {&a.k1, &a.kminus1, &a.k2[0], &a.k2[1], &a.k2[2]}) {
        std::string field;
        if (!(numbers >> field))
            return std::nullopt;
        const auto r = std::from_chars(field.data(), field.data() + field.size(), *v);
        if (r.ec != std::errc() || r.ptr != field.data() + field.size() || !(*v > 0) ||
            !std::isfinite(*v))
            return std::nullopt;
    }
    return a;
}

std::string assignmentKeyCsv(const std::vector<Assignment> &assignments)
{
    std::string csv = "assignment,k1 (1e8 /M/s),k-1 (1e3 /s),k2 1 (1e3 /s),k2 2 (1e3 /s),"
                      "k2 3 (1e3 /s),Km 1 (M),Km 2 (M),Km 3 (M),Vmax 1 (M/s),Vmax 2 (M/s),"
                      "Vmax 3 (M/s)\n";
    for (const Assignment &a : assignments) {
        csv += a.id + ',' + formatExact(a.k1) + ',' + formatExact(a.kminus1);
        for (double k2 : a.k2)
            csv += ',' + formatExact(k2);
        for (double k2 : a.k2)
            csv += ',' + formatExact(*units::michaelisConstant(a.k1, k2, a.kminus1) * units::kKm);
        for (double k2 : a.k2)
            csv += ',' + formatExact(k2 * units::kRate * 1e-9);
        csv += '\n';
    }
    return csv;
}

std::optional<std::vector<Assignment>> readAssignmentKey(std::string_view text)
{
    std::istringstream lines{std::string(text)};
    std::string line;
    if (!std::getline(lines, line) || !line.starts_with("assignment,k1"))
        return std::nullopt;
    std::vector<Assignment> key;
    while (std::getline(lines, line)) {
        if (line.empty())
            continue;
        std::istringstream fields(line);
        Assignment a;
        std::string field;
        std::getline(fields, a.id, ',');
        for (double *v : {&a.k1, &a.kminus1, &a.k2[0], &a.k2[1], &a.k2[2]}) {
            if (!std::getline(fields, field, ','))
                return std::nullopt;
            const auto r = std::from_chars(field.data(), field.data() + field.size(), *v);
            if (r.ec != std::errc() || !(*v > 0))
                return std::nullopt;
        }
        key.push_back(a);
    }
    return key;
}

} // namespace enkin
