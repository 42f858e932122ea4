// The analysis options as a section of the model report: one statement per
// option (the code and its code-only options, temperatures, pressure,
// dynamics, the rest), each a fixed text chosen by the option's value or a
// format filled with it, on the printer in five groups, in a text file one
// statement a line, or one statement a comma-separated line. The solve
// thermal choice is left out of the files in verification mode.
#pragma once

#include <string>
#include <vector>

struct AnalysisOptions;

void PrintAnalysisOptions();
// The statements in the order of the text file, each whole (the text and
// comma-separated layouts; the printer groups them).
std::vector<std::string> AnalysisOptionStatements(const AnalysisOptions& options, bool verification);
