// Change Rows (CHANGE_ELEMENTS_DIALOG, the Layout window's Edit > Change):
// chosen values set on every row of a range at once — material, pipe
// section and pipe load names, the friction coefficient of guides and limit
// stops, and DX, DY, DZ (X, Y, Z on a row with absolute coordinates).
//
// Rows without properties of their own (From, Location, Comment, Hydrotest
// load) keep their names and offsets. Beam rows keep their names, which
// name beam tables, not the pipe tables the lists offer; Ball and Hinge
// joints keep their zero length. The dialog checks every field before
// anything changes; the edit reports whether it changed anything, so the
// command leaves an undo step only for a real change.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;

struct ChangeRowsValues {
  int from = 0, to = 0;
  std::string material, section, load;  // empty: not changed
  bool setFriction = false;
  float friction = 0.0f;
  bool setOffset[3] = {false, false, false};
  float offset[3] = {0.0f, 0.0f, 0.0f};  // inch
};

// Applies the values to rows from..to and makes the model again when a row
// changed; true when anything changed. Throws the making's message when the
// changed rows cannot be made (a coordinate not finite); the rows stay
// changed for the caller's undo snapshot to put back.
bool ChangeRows(Model& model, const ChangeRowsValues& values);

// The dialog over the current row; 1 when rows changed. The making's
// message is thrown once the dialog has closed.
int ChangeRowsDialog(HWND owner, int currentRow);
