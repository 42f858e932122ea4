// The rules a layout row must meet, whichever road changed it: a cell of the
// Layout table, a paste, a combine, a generate or a replace, a row dialog,
// an import or a model file read. Every road asks here, so a row refused
// when typed is refused on every other road, with the cell's message:
//
// - A hinge, a ball joint and a Location have no length, and a row that ends
//   at a node an earlier row made keeps its offsets zero: the model is made
//   with them zero, so a road that would give such a row an offset refuses
//   it (RefuseOffsetsWithoutLength) rather than lose it without a word.
// - On a made model (RowRuleRefusal): a Location names a node an earlier row
//   made; an element that must have length and makes its own node has some;
//   neither a bend's arc nor an element's length is lost in node coordinates
//   so far from the origin that they move in steps near its size (a lost
//   arc names the largest offset up to the row, where its distance came
//   from, "Row 3: DX is too large:\n..."; a short element names its own row
//   and that offset, "Row 4: the element is too short:\n... (row 2's DX)
//   ..."). A model file written before this rule opens with such a row, and
//   the analysis refuses it by its row.
// - Every number made from the rows, node coordinates and bend geometry, is
//   finite (NonFiniteRowRefusal). The making of the model refuses rows that
//   break this (MakeModel.h), so no road stores such a value and no file is
//   written from one; the message names the row and the offset to blame.
//
// A road changes the rows, makes the model and then refuses the rows it
// changed that break a rule (RefuseRowsBreakingRules); its caller puts the
// model back from the undo snapshot it took, so nothing of a refused edit
// stays, nor its mark or its undo step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/LayoutRow.h"

struct Model;

// "This element has zero length", "For Location, Node must be defined".
extern const char* const kZeroLengthMessage;
extern const char* const kLocationNodeMessage;

// A row of `type` (the row's own or the one it is about to take) that must
// have length (not From, Location, Hinge, Ball, Elastic, Comment or
// Hydrotest load; a row of no type becomes a Pipe), not in absolute
// coordinates, with an offset vector of 0.0001 or shorter.
bool IsZeroLengthCandidate(const LayoutRow& row, ElementType type);
inline bool IsZeroLengthCandidate(const LayoutRow& row) { return IsZeroLengthCandidate(row, row.elementType); }

// Whether the node of `row` is made by the row itself or is not yet made.
bool RowMakesItsNode(const Model& model, int row);
// Whether `row` ends at a node an earlier row made (a row closing a loop).
bool RowEndsAtEarlierNode(const Model& model, int row);
// Whether the node a Location `row` names is made by an earlier row.
bool LocationNodeIsMade(const Model& model, int row);
// Whether a row of `type` keeps material, section and load names: a row of
// no type yet, a From row and the types that carry properties.
bool RowTypeTakesNames(ElementType type);

// Throws the message for offsets (dx, dy, dz) given to `row` as a row of
// `type` when it cannot keep them: "For a Hinge joint DX, DY, DZ should be
// zero" (Ball), "For Location, DX, DY, DZ should be zero", or for a row at
// a node an earlier row made "Node %s already exists, so DX, DY, DZ should
// be zero". Zero offsets pass. The node table is the model's as made.
// The same message as text for a row of `type` at `node`, which ends at a
// node an earlier row made when `endsAtEarlierNode`; empty when such a row
// may keep offsets.
std::string OffsetsWithoutLengthText(ElementType type, bool endsAtEarlierNode, std::int32_t node);
void RefuseOffsetsWithoutLength(const Model& model, int row, ElementType type, float dx, float dy, float dz);

// The first rule that `row` of the made model breaks, or the empty text.
std::string RowRuleRefusal(const Model& model, int row);
// The rule of the far coordinates alone: why `row` of the made model has a
// bend's arc or an element's length its node coordinates cannot hold, or
// the empty text. The analysis asks it of every element it makes.
std::string LostInCoordinatesRefusal(const Model& model, int row);
// Throws the first refusal among `rows` (in the order given), or among rows
// first..last.
void RefuseRowsBreakingRules(const Model& model, const std::vector<int>& rows);
void RefuseRowsBreakingRules(const Model& model, int first, int last);

// The largest node coordinate a model holds, in inches: the view window of
// the picture is made from the coordinates projected, with a margin, and is
// kept in the model file, so it must stay finite too.
constexpr float kLargestCoordinate = 3.4e38f / 64.0f;

// Why the made model holds a number that is not finite, naming the row and
// the offset whose size made it so ("Row 4: DZ is too large:\n..."); empty
// when every node coordinate is finite and within kLargestCoordinate and
// every bend's geometry is finite. A coordinate names the first row that
// made one past the limit and its axis.
std::string NonFiniteRowRefusal(const Model& model);

// Why the made model holds one node number twice (a bend's intermediate
// node given to a second bend, or one another row made already), naming
// the number and the two rows that made it ("Node 41 is made twice:\nby
// row 5 and by row 9."); empty when every number is made once. The
// analysis would join two points of the line through such a number.
std::string DuplicateNodeRefusal(const Model& model);
