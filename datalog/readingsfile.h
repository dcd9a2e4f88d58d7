// The readings file: the data log as CSV that a spreadsheet opens and the program reads back
// exactly. UTF-8, comma-separated, "." as the decimal point whatever the locale, fields quoted as
// RFC 4180 says; a header naming each column with its unit, then one row per reading: the five
// figures as the boxes showed them, the run they came from, the student and the assignment, and
// the reading's number. In an assignment the rate constants' columns are empty and the enzyme
// setting (the k2 list's row) stands in for them, so that the file does not give the answers away.
// Each number has 17 significant digits, so that writing and reading give back the same doubles.
#pragma once

#include "datalog/datalog.h"
#include "params/assignment.h"

#include <string>
#include <string_view>

namespace enkin {

// A log with who took it and for which assignment (both may be empty).
struct ReadingsFile {
    DataLog log;
    std::string student;
    std::string assignment;
};

// A text field of CSV, quoted as RFC 4180 says when it holds a comma, a quote or a line break.
std::string csvField(std::string_view text);

// The header row, without its line end.
std::string_view readingsHeader();

// The file's text: the header and a row per reading, each line ending in "\r\n" (RFC 4180). The
// run's columns are empty for a reading taken without a run.
std::string readingsCsv(const ReadingsFile &file);

// What is wrong with a text that is not a readings file; the window words it.
enum class ReadProblem {
    None,
    Empty,            // no header at all
    TooLong,          // longer than kReadingsFileLimit bytes
    NotText,          // bytes that are not UTF-8 text
    NotReadings,      // the first line is not the header
    UnclosedQuote,    // a quoted field runs to the end of the file
    WrongColumnCount, // a row with more or fewer fields than the header
    NotANumber,       // a field that must hold a number does not, or one out of its range (a
                      // row cut short in its last field holds a number not its own there)
    TooManyRows,      // more readings than the log holds
};

struct ReadResult {
    ReadProblem problem = ReadProblem::None;
    int line = 0;       // where, counted from 1; 0 for the whole file
    std::string column; // for NotANumber: the header's name of the column
    ReadingsFile file;  // when problem is None
};

// A readings file is far below this size: 20 rows of 25 fields.
inline constexpr std::size_t kReadingsFileLimit = 64 * 1024;

// Reads a readings file's text. On any problem nothing of it is kept: the result holds the
// problem and its line, and the caller's log stays as it was.
ReadResult readReadingsCsv(std::string_view text);

// Puts the assignment's rate constants back into the runs of the readings taken with one of its
// enzyme settings; true when there were any.
bool fillAssignmentConstants(DataLog &log, const Assignment &assignment);

} // namespace enkin
