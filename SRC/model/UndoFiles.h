// The two stacks of model snapshots behind undo and redo. A snapshot is the
// whole model written in the model-file format to a temporary file (named
// "QvSnapshot_" and a unique tail, never like a model file), so undo brings
// back every table of the model, not only the rows.
//
// One action of the user (a keystroke that stores, a command, a dialog's
// OK, a List window edit) is one undo step and one question to the rules of
// the whole model, however many pieces it is made of. So the snapshot an
// action takes first is its edit: it stays open until it is settled
// (SettleEditSnapshot) or discarded (PopTempFile), and every snapshot taken
// while it is open joins it: nothing is written, and the token of a piece
// that joined only leaves again, its settling neither asks the gate nor
// keeps a step. Only the edit's own settling does both. An edit whose
// snapshot leaves the stack another way (an Undo, Close) is over too.
//
// Each snapshot is known by the token its taker gets back: an edit that ends
// without a change (a dialog cancelled, a cell store that changed nothing)
// discards exactly its own snapshot with PopTempFile(token), never "the
// newest".
//
// A new edit empties the redo stack, but only for good: the redo snapshots
// are held by the edit's undo snapshot until the next edit or undo, so an
// edit that is discarded gives the redo stack back.
//
// Each stack keeps at most kSnapshotDepth snapshots; the oldest go first.
// DeleteUndoRedoFiles (closing a model, and the exit) deletes every file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

struct GraphicsSettings;
struct Model;

using SnapshotToken = std::uint64_t;  // 0: no snapshot was taken
constexpr int kSnapshotDepth = 100;

// Before an edit: writes the open model onto the undo stack and releases the
// redo stack to the edit, which is open from here on. A failed write is
// reported over `window` (when given) and returns 0; the edit can go on, it
// only cannot be undone. While an edit is open the snapshot joins it.
SnapshotToken TakeUndoSnapshot(HWND window = nullptr);
// Discards the undo snapshot `token` when it is still on the stack (its file
// is deleted; a file already gone only frees the name); the redo snapshots
// that the edit released come back when the redo stack is still empty. A
// piece that joined an open edit only leaves it.
void PopTempFile(SnapshotToken token);

// Settles the edit of `token`, its gate first: the model is made and asked
// the rules of the whole model (ModelRules.h). An edit that broke a rule
// where the model in the snapshot did not (or lost a row's offsets in the
// making) is refused: the model is put back as the snapshot holds it, with
// its mark, the snapshot is discarded (no undo step) and the rule's message
// is returned for the road to show as its cell or dialog does. An edit that
// stands but leaves the model, byte for byte in the model-file format, as
// the snapshot holds it (it changed only the spare Layout row, or what the
// making of the model took away again) leaves no undo step, and the model's
// modified mark is put back to what it was when the snapshot was taken.
// The empty text otherwise, and for a piece that joined an open edit.
std::string SettleEditSnapshot(SnapshotToken token);

// Whether an edit is open: its snapshot taken and neither settled nor
// discarded. Between two actions of the user none is.
bool EditSnapshotOpen();
// Opens again the settled edit of `token` when it is still the newest undo
// step and no edit is open: a later piece of the same action (the row that
// the key which stored a cell goes on to enter) joins it, and what that
// piece opens (a picker for a name the row lacks) joins it too. False when
// it cannot be.
bool ReopenEdit(SnapshotToken token);

// An edit that failed part way: the open model is put back as the undo
// snapshot `token` holds it, with the path, the view and the given modified
// flag kept; the snapshot stays on the stack for its taker to discard. A
// piece that joined an open edit puts back the model from before the whole
// edit, with the mark it had then. False (the model untouched) when there
// is no such snapshot or it cannot be read.
bool RestoreUndoSnapshot(SnapshotToken token, bool modified);
// The view is the user's, not part of an edit: a model read back for undo
// takes the open model's viewpoint, view window and scale factors.
void KeepUserView(const GraphicsSettings& current, GraphicsSettings& restored);
// The file of the undo snapshot `token` (of the edit a piece joined); the
// empty text when it is not on the stack (a failed edit reads it back).
std::string UndoSnapshotPath(SnapshotToken token);

// The table window's double click and Edit command take their snapshot
// before they know what the editor does: the editor's own snapshots join it
// (an editor that discards it first makes its own the edit). Once the editor
// is done the table settles it, and the rule's message of a refused edit is
// returned for the caller to show (empty otherwise).
SnapshotToken TakeTableEditSnapshot();
void DiscardTableEditSnapshot();
std::string SettleTableEditSnapshot();

// The steps of undo and redo (UndoRedo.h): push a snapshot of `model` onto
// the undo or redo stack without touching the other stack (no edit opens),
// and take the newest entry off a stack (its file stays; the caller reads it
// and deletes it with DeleteTempFile). PopNewest returns the empty text on
// an empty stack.
SnapshotToken PushUndoSnapshot(const Model& model, HWND window);
SnapshotToken PushRedoSnapshot(const Model& model, HWND window);
std::string PopNewestUndo();
std::string PopNewestRedo();
// Removes a redo snapshot by its token (an undo that failed takes its redo
// snapshot back).
void PopRedoFile(SnapshotToken token);

bool CanUndo();
bool CanRedo();
int UndoDepth();
int RedoDepth();

// Deletes every snapshot file of both stacks and empties them.
void DeleteUndoRedoFiles();
