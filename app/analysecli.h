// enkin-run analyse: the fits of a readings file, as the Analysis window makes them, as CSV.
#pragma once

#include <iosfwd>
#include <string>

namespace enkin {

// Reads the readings file `path`, fits every group of its readings by the four methods, the
// marked readings left out as the window leaves them out, and prints a row per group and method.
// Returns the exit status: 0 done, 1 the file is not a readings file (why is said on `err`).
int analyseReadings(const std::string &path, std::ostream &out, std::ostream &err);

} // namespace enkin
