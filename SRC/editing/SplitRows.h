// Splitting layout rows: one row into two at a fraction of its element
// vector (SPLIT_DIALOG, Edit > Split), into N equal pieces (MSPLIT_DIALOG,
// Edit > Multiple Split), and the refinements built on the same step
// (RefineRows.h).
//
// SplitRow puts a copy of the row before it: the copy is the first piece, a
// plain Pipe (a Jacketed pipe with the jacket's names beside a jacketed row,
// a Beam beside a Beam) ending at the new node with no data item, and the
// row itself stays the last piece with its element data and its item, so a
// restraint stays where it was and a bend stays at the end.
//
// The dialogs only check their fields and give back what to split; the
// Layout command splits inside its undo step, so a split past 7000 rows or
// 9990 nodes is refused whole with its message.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Types.h"

struct Model;

// The row's element vector: its offsets (X, Y, Z minus the start node's on
// a row with absolute coordinates), or its nodes' difference when every
// offset is below 1 in magnitude. False when the row has no start node.
bool RowElementVector(const Model& model, int row, double v[3]);

// Splits `row` at fraction f of its element vector; the new node is S.
// Throws the row or node limit message; the caller restores the model.
void SplitRow(Model& model, int row, double f, std::int32_t S);
// The pieces of `row` without making the model again: piece i ends at
// node nodes[i] and takes fractions[i] of what is left of the row's element
// vector after the pieces before it; the row keeps the rest. The node
// indexes of the rows above stay valid until the model is made again.
// Throws "Maximum number of rows exceeded" before anything changes.
void InsertSplitPieces(Model& model, int row, const std::vector<double>& fractions,
                       const std::vector<std::int32_t>& nodes);
// N equal pieces with new nodes S, S + I, ... S + (N - 2) I; nothing for
// N < 2.
void SplitRowEqually(Model& model, int row, int N, std::int32_t S, std::int32_t I);

struct SplitRequest {
  int row = 0;
  double fraction = 0.0;  // single split
  int pieces = 0;         // multiple split; 0 for a single split
  std::int32_t node = 0, increment = 0;
};
// Splits as the request says (within the caller's undo step).
void ApplySplit(Model& model, const SplitRequest& request);

// The dialogs over `row`; true with the request filled when OK passed. A
// row that cannot be split is refused: its message is thrown.
bool SplitDialog(HWND owner, int row, SplitRequest& request);
bool MultipleSplitDialog(HWND owner, int row, SplitRequest& request);
