// enkin-run analyse and assign: the fits of a readings file, as the Analysis window makes them,
// as CSV; the assignment files of a class and their key.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace enkin {

// Reads the readings file `path`, fits every group of its readings by the four methods, the
// marked readings left out as the window leaves them out, and prints a row per group and method.
// Returns the exit status: 0 done, 1 the file is not a readings file (why is said on `err`).
int analyseReadings(const std::string &path, std::ostream &out, std::ostream &err);

// enkin-run assign: `count` assignment files drawn from `seed` into the folder `dir` (made if need
// be), A-001.enkin and on, and the teacher's key.csv beside them. Returns 0, or 1 when a file
// could not be written (said on `err`).
int writeAssignments(int count, std::uint64_t seed, const std::string &dir, std::ostream &err);

} // namespace enkin
