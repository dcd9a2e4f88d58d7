#include "params/assignment.h"

#include "engine/numtext.h"
#include "engine/units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

namespace enkin {

namespace {

constexpr std::string_view kFormatLine = "Enkin assignment 1";
constexpr std::string_view kInhibitorColumns =
    ",k3 (1e8 /M/s),k-3 (1e3 /s),k4 (1e8 /M/s),k-4 (1e3 /s),inhibitor,Ki (M),aKi (M)";

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
    std::string data = formatExact(a.k1) + ' ' + formatExact(a.kminus1) + ' ' +
                       formatExact(a.k2[0]) + ' ' + formatExact(a.k2[1]) + ' ' +
                       formatExact(a.k2[2]);
    if (a.hasInhibitor())
        for (double k : a.inhibitor)
            data += ' ' + formatExact(k);
    return data;
}

// Reads a whole field as a finite number; nothing otherwise.
std::optional<double> numberField(const std::string &field)
{
    double v = 0;
    const auto r = std::from_chars(field.data(), field.data() + field.size(), v);
    if (r.ec != std::errc() || r.ptr != field.data() + field.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// An inhibitor's four constants are sound when both release constants are positive, the binding
// constants not negative and at least one of them positive.
bool soundInhibitor(const std::array<double, 4> &k)
{
    return k[0] >= 0 && k[2] >= 0 && k[1] > 0 && k[3] > 0 && (k[0] > 0 || k[2] > 0);
}

// The inhibition constant of a site in M: release over binding, in the program's units.
std::string inhibitionConstant(double binding, double release)
{
    return binding > 0 ? formatExact(release / binding * 1e-5) : std::string();
}

} // namespace

std::vector<Assignment> drawAssignments(int count, std::uint64_t seed, bool inhibitors)
{
    std::mt19937_64 random(seed);
    std::mt19937_64 inhibitorRandom(seed ^ 0x9E3779B97F4A7C15ull);
    std::vector<Assignment> assignments;
    for (int i = 1; i <= count; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "A-%03d", i);
        Assignment a{id, logUniform(random, 0.5, 5), logUniform(random, 0.2, 5), {}};
        a.k2 = {logUniform(random, 0.05, 0.2), logUniform(random, 0.5, 2),
                logUniform(random, 5, 20)};
        if (inhibitors) {
            const int type = std::min(2, int(unit(inhibitorRandom) * 3)); // 0 E, 1 ES, 2 both
            for (int site : {0, 1}) {
                const double binding = logUniform(inhibitorRandom, 0.5, 5);
                const double release = logUniform(inhibitorRandom, 0.2, 5);
                const bool binds = type == 2 || type == site;
                a.inhibitor[std::size_t(2 * site)] = binds ? binding : 0;
                a.inhibitor[std::size_t(2 * site + 1)] = binds ? release : 1;
            }
        }
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
    Assignment a{id, 0, 0, {}, {}};
    std::istringstream numbers(plain);
    for (double *v : {&a.k1, &a.kminus1, &a.k2[0], &a.k2[1], &a.k2[2]}) {
        std::string field;
        const auto value = numbers >> field ? numberField(field) : std::nullopt;
        if (!value || !(*value > 0))
            return std::nullopt;
        *v = *value;
    }
    // An inhibitor's four constants follow, or nothing does.
    std::string field;
    for (std::size_t k = 0; k < 4 && numbers >> field; ++k) {
        const auto value = numberField(field);
        if (!value)
            return std::nullopt;
        a.inhibitor[k] = *value;
    }
    if ((a.inhibitor != std::array<double, 4>{} && !soundInhibitor(a.inhibitor)) ||
        numbers >> field)
        return std::nullopt;
    return a;
}

std::string assignmentKeyCsv(const std::vector<Assignment> &assignments)
{
    const bool inhibitors = std::any_of(assignments.begin(), assignments.end(),
                                        [](const Assignment &a) { return a.hasInhibitor(); });
    std::string csv = "assignment,k1 (1e8 /M/s),k-1 (1e3 /s),k2 1 (1e3 /s),k2 2 (1e3 /s),"
                      "k2 3 (1e3 /s),Km 1 (M),Km 2 (M),Km 3 (M),Vmax 1 (M/s),Vmax 2 (M/s),"
                      "Vmax 3 (M/s)";
    csv += inhibitors ? std::string(kInhibitorColumns) + "\n" : "\n";
    for (const Assignment &a : assignments) {
        csv += a.id + ',' + formatExact(a.k1) + ',' + formatExact(a.kminus1);
        for (double k2 : a.k2)
            csv += ',' + formatExact(k2);
        for (double k2 : a.k2)
            csv += ',' + formatExact(*units::michaelisConstant(a.k1, k2, a.kminus1) * units::kKm);
        for (double k2 : a.k2)
            csv += ',' + formatExact(k2 * units::kRate * 1e-9);
        if (inhibitors) {
            for (double k : a.inhibitor)
                csv += ',' + formatExact(k);
            const bool e = a.inhibitor[0] > 0, es = a.inhibitor[2] > 0;
            csv += e && es ? ",mixed" : e ? ",competitive" : es ? ",uncompetitive" : ",none";
            csv += ',' + inhibitionConstant(a.inhibitor[0], a.inhibitor[1]) + ',' +
                   inhibitionConstant(a.inhibitor[2], a.inhibitor[3]);
        }
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
    const bool inhibitors = line.ends_with(kInhibitorColumns);
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
        // After the six true values, an inhibitor's four constants.
        for (int skip = 0; inhibitors && skip < 6; ++skip)
            std::getline(fields, field, ',');
        for (std::size_t k = 0; inhibitors && k < 4; ++k) {
            const auto value = std::getline(fields, field, ',') ? numberField(field) : std::nullopt;
            if (!value)
                return std::nullopt;
            a.inhibitor[k] = *value;
        }
        if (inhibitors && a.inhibitor != std::array<double, 4>{} && !soundInhibitor(a.inhibitor))
            return std::nullopt;
        key.push_back(a);
    }
    return key;
}

} // namespace enkin
