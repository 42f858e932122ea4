// The room a jacket leaves for its core: the jacket's clear bore (its
// outside diameter less twice its wall and its lining) must take the core's
// outside diameter with its insulation on both sides. The section edits,
// the jacket dialogs, the batch import and export, the refinement and the
// analysis all ask this one computation, so that a value one of them keeps
// is never refused by another.
//
// It is worked in single precision, as the sections hold their dimensions:
// a core as wide as the bore, to the last digit the record holds, fits. A
// jacketed bend's jacket has two walls: its straight lead-in has the
// section's, its arc the bend's own jacket thickness where that is not 0;
// the core must fit inside both.
#pragma once

#include <string>

struct Model;
struct LayoutRow;
struct PipeSection;

// The clear bore of a jacket of section `jacket` with a wall of `wall`.
float JacketBore(const PipeSection& jacket, float wall);
// The core's outside diameter with its insulation.
float InsulatedCoreDiameter(const PipeSection& core);
// A jacketed bend's own jacket thickness; 0 for every other row (the
// section's wall then holds throughout).
float JacketBendWall(const LayoutRow& row);
// Whether a jacket of section `jacket` takes the core with the section's
// wall and, when `bendWall` is not 0, with that wall too.
bool JacketTakesCore(const PipeSection& jacket, float bendWall, const PipeSection& core);
// The analysis's refusal of a jacket of wall `wall` round the core: "Row
// %d: Core OD = %s > Jacket ID = %s"; empty when the core fits.
std::string JacketWallRefusal(int row, const PipeSection& jacket, float wall, const PipeSection& core);
// The same refusal for a layout row as it stands: empty unless the row is a
// jacketed pipe or bend whose core and jacket sections are both found and
// the core does not fit one of its jacket's walls (the section's first).
std::string JacketRowClearanceRefusal(const Model& model, int row);
// The message of the section edits that would leave a jacket narrower
// than its core, and the same refusal of a layout row as the whole model's
// rules count it (that message, or the empty text when the row's core fits).
extern const char* const kJacketClearanceMessage;
std::string JacketRowClearanceRule(const Model& model, int row);
