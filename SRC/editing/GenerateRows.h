// Generate Rows (GENERATE_DIALOG): copies a run of layout rows From..To any
// number of times, each set shifted by a node increment and an X, Y, Z
// offset. A run that starts inside a line gets a From row at the shifted
// start node, so each set is a line of its own. Node numbers are checked
// before anything is added (above 99999, or already in the model unless the
// check is turned off), and so are the row and node limits.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;

struct GenerateRowsRequest {
  int from = 0, to = 0;   // rows, 2 <= from <= to <= row count
  int sets = 1;           // additional sets, at least 1
  int nodeIncrement = 1;  // at least 1
  float dx = 0.0f, dy = 0.0f, dz = 0.0f;
  bool skipDuplicateCheck = false;
};

// The first refusal of the request (node numbers, then the limits), or the
// empty text.
std::string GenerateRowsRefusal(const Model& model, const GenerateRowsRequest& request);
// Appends the sets and makes the model again; the request must be accepted.
// Generated rows that break a row rule (RowRules.h: a Location at a node no
// row makes, an element of no length) refuse the whole generation with the
// rule's message, thrown, and the model as it was.
void GenerateRows(Model& model, const GenerateRowsRequest& request);

INT_PTR GenerateRowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// 1 when rows were generated, 0 when cancelled, and -1 when cancelled after
// it refused the generation (its message shown): the command was refused.
int GenerateRowsDialog(HWND owner);
