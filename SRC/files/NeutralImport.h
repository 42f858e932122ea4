// The piping neutral file (*.pnf) that other piping programs write: one
// record or section line per text line, tokens separated by white space
// ("(" opens a group that white space does not split), "*" for a value not
// given, node names in place of numbers.
//
// The file is read in two passes over its lines, held whole in memory (no
// line is cut into pieces): the first builds the property tables and one
// layout row per element or support record, the second, once the nodes are
// made, turns rows into valves, cut pipes, reducers and bellows. Every line,
// record or value the import passes over or changes gets a log entry with
// its line number; every refusal names its line ("Line = %d :  %s\n%s",
// the batch import's form) and leaves no model and the units as they were.
//
// Choices where the neutral file's own rules would lose or merge data:
// every import starts in the English system; node names are kept whole;
// the ball joints' generated names cannot clash with the file's names; a
// support given without a stiffness ("*") is rigid, as the anchor is; a
// support naming a node no earlier element made, and FROM or TO without a
// node, are refused; a support's position (NEAR, FAR or a point on the
// arc) is taken only at a bend, elsewhere it stands at the named node and
// the position is logged; a reducer end whose section is unknown is
// refused; a second-pass record changes only a straight pipe (a bend or a
// joint would lose what makes it one), and is logged otherwise; a friction
// coefficient below 0 is not taken (the stop has none) and is logged; a
// GLOBAL cut-off frequency below 1 Hz, which no model file holds, is
// refused.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

struct Model;

// `text` cut to at most `width` characters. The imports take each line of a
// file as program text (services/TextFileEncoding.h), which has one byte a
// character, so a cut never splits one.
std::string CutImportedText(const std::string& text, std::size_t width);

// The lines of a text file as program text, each counted from 1; a line
// with characters that Windows-1252 lacks is logged with its number.
std::vector<std::string> ReadImportedLines(std::istream& input, std::vector<std::string>& log);

// Reads the neutral file `input` into `model` (made empty first) and appends
// the log entries to `log`. Throws the message text of a refused line; the
// units settings are then as before the call.
void ReadPnfFile(std::istream& input, Model& model, std::vector<std::string>& log);
