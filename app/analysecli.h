// enkin-run analyse and assign: the fits of a readings file, as the Analysis window makes them,
// as CSV; the assignment files of a class and their key.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace enkin {

// Reads the readings file `path`, fits every group of its readings by the four methods, the
// marked readings left out as the window leaves them out, and prints a row per group and method.
// Returns the exit status: 0 done, 1 the file is not a readings file (why is said on `err`).
int analyseReadings(const std::string &path, std::ostream &out, std::ostream &err);

// enkin-run assign: `count` assignment files drawn from `seed` into the folder `dir` (made if need
// be), A-001.enkin and on, and the teacher's key.csv beside them. Returns 0, or 1 when a file
// could not be written (said on `err`).
int writeAssignments(int count, std::uint64_t seed, const std::string &dir, bool inhibitors,
                     std::ostream &err);

// enkin-run grade: a row per hand-in (a readings file) against the key: its assignment and
// student, the direct fit's Km and Vmax of its largest group beside the true ones for that
// group's k2 and [E]0, their relative errors, and the readings used and marked. A hand-in that
// cannot be graded gets a row that says why; the others are graded still. Returns 0, or 1 when
// the key cannot be read.
int gradeHandIns(const std::string &keyPath, const std::vector<std::string> &handIns,
                 std::ostream &out, std::ostream &err);

} // namespace enkin
