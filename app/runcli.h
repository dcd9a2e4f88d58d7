// enkin-run: one run of the engine from the command line, printed as CSV, and the fits of a
// readings file.
#pragma once

#include <iosfwd>

namespace enkin {

// Parses the options, integrates and writes the CSV to `out`; diagnostics go to `err`.
// Returns the process exit status: 0 done, or the reader of the output went away (a closed pipe,
// EPIPE; nothing is said); 1 the run stopped early; 2 bad usage; 3 the output could not be
// written (a full disk or any other write error).
int runCommandLine(int argc, const char *const *argv, std::ostream &out, std::ostream &err);

} // namespace enkin
