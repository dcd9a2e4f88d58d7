// An assignment: a hidden enzyme for one student, its constants drawn from teaching ranges. The
// teacher's key lists them; the student's file carries them unreadable to the eye (not encrypted:
// a program that knows the format reads them, as the Guide says).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace enkin {

// In the units of the run inputs: k1 in 1e8 /M/s, k-1 and the three k2 of the list in 1e3 /s. An
// assignment may hide an inhibitor too: k3, k-3, k4 and k-4 (kk4..kk7), k3 or k4 0 where it does
// not bind; all 0 for none. The student chooses [I]0.
struct Assignment {
    std::string id; // "A-001"
    double k1 = 1, kminus1 = 1;
    std::array<double, 3> k2{};
    std::array<double, 4> inhibitor{};
    bool hasInhibitor() const { return inhibitor[0] > 0 || inhibitor[2] > 0; }
};

// `count` assignments drawn from `seed`, the same for the same seed on every machine: k1 from
// 0.5 to 5, k-1 from 0.2 to 5, and the list's three k2 from 0.05 to 0.2, 0.5 to 2 and 5 to 20,
// each uniform in its logarithm and rounded to three significant digits. With `inhibitors`, each
// also hides an inhibitor, drawn from a stream of its own so that the enzymes stay those of the
// seed: competitive, uncompetitive or mixed alike, each binding constant from 0.5 to 5 and each
// release constant from 0.2 to 5 (Ki and αKi from 4e-7 to 1e-4 M); a site it does not bind has
// k3 or k4 0 and its release constant 1.
std::vector<Assignment> drawAssignments(int count, std::uint64_t seed, bool inhibitors = false);

// The text of an assignment file (.enkin): a first line naming the format, "id" and the id, and
// "data" with the constants as hexadecimal bytes, each XORed with a stream seeded from the id.
std::string assignmentText(const Assignment &assignment);

// Reads an assignment file; nothing when it is not one or is damaged.
std::optional<Assignment> readAssignment(std::string_view text);

// The teacher's key as CSV: each assignment's constants and, for each k2, the true Km in M and
// Vmax in M/s at the program's [E]0 of 1e-9 M; for a class with inhibitors also k3..k-4, the type
// and the true Ki and αKi in M (empty where it does not bind).
std::string assignmentKeyCsv(const std::vector<Assignment> &assignments);

// Reads a key written by assignmentKeyCsv; nothing when it is not one.
std::optional<std::vector<Assignment>> readAssignmentKey(std::string_view text);

} // namespace enkin
