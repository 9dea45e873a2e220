// What insim_check tells of its cases: a line each on standard output, with
// what was expected, what came and the records around a failure; a last
// line of counts; and, on demand, the same as JUnit XML for CI.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/insim_check/check.h"

namespace insim_check {

struct Judged {
    const Case* which;
    Outcome outcome;
    double seconds;                  // the case's whole time, program start included
    std::vector<Exchanged> excerpt;  // the records around a failure
    std::string output;              // what the program wrote during the case
};

// The records of `exchange` around `at_ms`: a few before it and a few after.
std::vector<Exchanged> excerpt_around(const std::vector<Exchanged>& exchange, double at_ms);

// The case's line, and for a failure what was expected, what came and the
// excerpt, as capture lines with the records read out ("<ms> <S|C>
// IS_TINY SubT=TINY_NONE"), long texts cut with their length.
void print_judged(std::ostream& out, const Judged& judged);

// "N passed, N failed, N skipped".
std::string counts_line(const std::vector<Judged>& all);

// Writes the cases as JUnit XML: one testsuite, one testcase each, a failure
// or skipped element where it applies, and in system-out the case's clocks,
// its figures and what the program wrote. False when the file cannot be
// written.
bool write_junit(const std::string& path, const std::vector<Judged>& all);

// `text` with every byte that is not printable ASCII shown as '?', so that
// what a program sent cannot garble a terminal or the XML.
std::string printable(const std::string& text);

}  // namespace insim_check
