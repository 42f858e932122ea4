// The operations of the Layout window on whole rows: inserting a row,
// copying rows and pasting them, and combining an element with the one
// before it. Each works on the model and leaves the table to its caller: it
// returns whether the model changed (the caller took the undo snapshot
// before and discards it when nothing changed) and remade the model itself.
//
// Copy state: a single-row copy refers to the live row (its contents at the
// time of the paste count); a copy of several rows owns deep copies of them.
// One copy pastes once. Closing or replacing the model forgets the copy, so
// a paste never reaches into a model that is gone.
//
// Pasting several rows appends them after the last row, each under the next
// free node number after the node of its previous element row, so the
// pasted run continues from the end of the model with new nodes; a paste
// that would take the layout past 7000 rows is refused whole.
//
// Paste and Combine keep the rules the cells and Delete keep: a paste goes
// only into a cell the Layout table lets the user edit, gives a row's type
// as the Type cell gives it and a name only to a row that takes names; a
// row whose node goes (a whole-row paste, the row Combine merges) passes
// Delete's checks first; and the rows they changed must meet the row rules
// (RowRules.h) once the model is made. A refusal throws its message (or
// shows Delete's and changes nothing); the caller's undo snapshot puts the
// model back.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;

// "Maximum number of rows exceeded".
extern const char* const kMaxRowsMessage;

// Inserts an empty row at `row`, moving it and the rows below down by one.
// Nothing on row 1 or the spare row; at 7000 rows the message is thrown and
// nothing changes.
bool InsertLayoutRow(Model& model, int row);

// The copy range of the Copy Rows dialog from the texts of its two fields
// (blank-free); throws the field messages. To past the last row is cut to
// the last row; an empty To is From.
void ReadCopyRange(const std::string& fromText, const std::string& toText, int rowCount, int& from, int& to);
// Copies rows from..to (already checked): one row is referred to, several
// are copied.
void CopyLayoutRows(const Model& model, int from, int to);
// Ctrl+C: the current row, referred to.
void CopyCurrentRow(int row);
bool HasCopiedRows();
void ForgetCopiedRows();
// Pastes the copy into `model` (several rows: appended; one row: the
// current cell's column of it into row `row`). Returns whether the model
// changed; the paste takes the copy either way. Rows past 7000 are refused
// whole: the message is thrown.
bool PasteRows(Model& model, int row, int column);
// A paste that was refused, or pasted nothing, gives the copy it took back
// (unless a copy was made since): a copy is spent once it has pasted.
void GiveBackRefusedPaste();

// Merges the previous element row of `row` (a Pipe or Jacketed pipe) into
// `row` (a Pipe, Bend, Jacketed pipe or Jacketed bend): its offsets are added
// and that row is deleted (a row in absolute coordinates keeps them; a
// previous row in absolute coordinates is not merged, its coordinates are no
// offset). A previous row that Delete would refuse to delete is refused with
// Delete's message, thrown; one with a data item asks first, and No changes
// nothing.
// Returns the new number of the merged row, 0 when nothing changed.
int CombineWithPreviousRow(Model& model, int row, HWND owner);
