// Check Connections (the Layout window's Misc command): the free ends of
// pipe runs, where a run starts (its From row) and where it ends, that lie on another element without sharing a node with it,
// the usual sign of a mistyped node number. Each such end is reported with
// its row selected and its element highlighted; nothing changes.
//
// An end lies on an element when it is within the element's straight part
// (its run nodes), 1 % beyond either end allowed, and closer to its axis
// than half the pipe's outside diameter, at most 0.5 in (0.05 in when the
// element names no known section).
#pragma once

#include <vector>

#include "platform/Types.h"

struct Model;

// The first element row other than `row` whose line passes through the
// row's end node without being connected to it; 0 when none.
int FindTouchedElement(const Model& model, int row);

struct LooseEnd {
  int row = 0;      // the run's From row or its last row
  int touched = 0;  // the element its end lies on
};
// Every run start or end that lies on another element, in row order.
std::vector<LooseEnd> FindLooseEnds(const Model& model);

// The command: one message per loose end, or one saying there is none.
void CheckConnections(HWND owner);
