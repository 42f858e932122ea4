// Deleting layout rows: the current row alone (Edit > Delete, Ctrl+X) and a
// range through DELETE_ELEMENTS_DIALOG ("Delete Rows", the Layout table's
// DeleteRow slot). Before any row goes, the deletion checks make sure that
// no other part of the model still names one of its nodes: a skewed
// restraint, hanger, guide or limit stop outside the range connected to it,
// a Location row outside the range at a node it made, a user allowable, a
// pump, compressor or turbine at it. One refusal stops the whole deletion
// with its message and nothing is deleted. Every road that takes a row's
// node away (Combine, a whole-row paste) asks the same checks.
//
// The title row cannot be deleted (deleting it empties the title), nor can
// the first From row, where the layout starts.
#pragma once

#include <string>
#include <vector>

#include "model/ModelRules.h"
#include "platform/Types.h"

struct Model;
class LayoutTable;

// The first refusal of deleting rows from..to (1-based, from <= to), or the
// empty text when they may go.
std::string RowDeletionRefusal(const Model& model, int from, int to);
// The same references as a rule of the whole model (ModelRules.h): each
// allowable, pump, compressor, turbine and connected item that names a node
// `model` does not make, with the message deleting its maker gives (the row
// that made it is looked up in `maker`).
void UnmadeNodeReferences(const Model& model, const Model& maker, std::vector<BrokenRule>& broken);
// Checks and deletes rows from..to, then makes the model again. A refusal is
// shown over `owner` and false returned; the model is as it was.
bool DeleteLayoutRows(Model& model, int from, int to, HWND owner);

// Edit > Delete on the Layout table's current row: the spare row is cleared,
// the title row's text emptied, the first From row refused; any other row is
// deleted, unless Delete's checks refuse it. A refusal is thrown as its
// message. True when the model changed.
bool DeleteCurrentRow(LayoutTable& table, HWND owner);

// The dialog; its parameter is the current row. Ends with 1 after deleting;
// DeleteRowsDialog returns 1 then, 0 when cancelled, and -1 when cancelled
// after it refused a deletion (its message shown): the command was refused,
// as Delete refuses it.
INT_PTR DeleteRowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int DeleteRowsDialog(HWND owner, int currentRow);
