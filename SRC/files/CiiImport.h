// The CAESAR II neutral file (*.cii): fixed sections in a fixed order, each
// sized by the counts of its CONTROL section, values as blank-separated
// numbers, every value in the file's units with a UNITS section of factors
// (file units per internal unit) near the end.
//
// The whole file is read first (ReadCiiSections) into one record per
// section, with every count checked against the lines left before anything
// is sized by it; the conversion (BuildModelFromCii) then makes the rows of
// the elements and places the supports, forces, hangers and SIFs at the
// rows of their nodes, then finishes the rows (reducer ends, joints of no
// length, long rigids, fluid in rigids, points half way round bends). An
// element whose start no earlier row reached is placed through the chain of
// the file's elements to a placed node. Every section read and not used,
// every record passed over or changed (a restraint's friction coefficient
// below 0 is not taken, nor one given to a kind of support without
// friction), and a title cut to the 49 characters a model keeps (never
// inside a character), gets an entry in the import log with its line;
// every refusal is "line = %d\n%s\n%s" (line number, line as
// read, message), writes no model and leaves the units settings as they
// were.
#pragma once

#include <istream>
#include <string>
#include <vector>

struct Model;

void ReadCiiFile(std::istream& input, Model& model, std::vector<std::string>& log);
