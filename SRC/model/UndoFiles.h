// The two stacks of model snapshots behind undo and redo. A snapshot is the
// whole model written in the model-file format to a temporary file (named
// "QvSnapshot_" and a unique tail, never like a model file), so undo brings
// back every table of the model, not only the rows.
//
// Each snapshot is known by the token its taker gets back: an edit that ends
// without a change (a dialog cancelled, a cell store that changed nothing)
// discards exactly its own snapshot with PopTempFile(token), never "the
// newest", which after a nested edit may belong to someone else.
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
// redo stack to the edit. A failed write is reported over `window` (when
// given) and returns 0; the edit can go on, it only cannot be undone.
SnapshotToken TakeUndoSnapshot(HWND window = nullptr);
// Discards the undo snapshot `token` when it is still on the stack (its file
// is deleted; a file already gone only frees the name); the redo snapshots
// that the edit released come back when the redo stack is still empty.
void PopTempFile(SnapshotToken token);

// Discards the undo snapshot `token` when the open model is, byte for byte in
// the model-file format, the model it holds: an edit that changed only what
// no file keeps (the spare Layout row, or what the making of the model took
// away again) leaves no undo step behind, and the model's modified mark is
// put back to what it was when the snapshot was taken. True when it
// discarded it.
//
// Before that it is the gate of every edit: the model is made and asked the
// rules of the whole model (ModelRules.h). An edit that broke a rule the
// model in the snapshot did not (or lost a row's offsets in the making) is
// refused: the model is put back as the snapshot holds it, with its mark,
// the snapshot is discarded (no undo step) and the rule's message is thrown
// as text for the road to show as its cell or dialog does.
bool PopTempFileIfUnchanged(SnapshotToken token);
// The same without the throw: the rule's message of a refused edit (the
// model put back, the snapshot gone), or the empty text.
std::string SettleEditSnapshot(SnapshotToken token);
// The gate alone: the rule's message after putting the model back and
// discarding the snapshot, or the empty text (the edit stands, the snapshot
// stays). Nothing is asked without a snapshot.
std::string RefuseEditBreakingRules(SnapshotToken token);

// An edit that failed part way: the open model is put back as the undo
// snapshot `token` holds it, with the path, the view and the given modified
// flag kept; the snapshot stays on the stack for its taker to discard. False
// (the model untouched) when there is no such snapshot or it cannot be read.
bool RestoreUndoSnapshot(SnapshotToken token, bool modified);
// The view is the user's, not part of an edit: a model read back for undo
// takes the open model's viewpoint, view window and scale factors.
void KeepUserView(const GraphicsSettings& current, GraphicsSettings& restored);
// The file of the undo snapshot `token`; the empty text when it is not on
// the stack (a failed edit reads it back).
std::string UndoSnapshotPath(SnapshotToken token);

// The table window's double click takes its snapshot before it knows what
// the click opens; the editor it opens may discard exactly that one (an
// editor that takes snapshots of its own does so at once). Once the editor
// is done the table settles it: a snapshot still there is kept only when
// the model changed, and the edit is refused when it broke a rule (the
// rule's message is returned for the caller to show; empty otherwise).
SnapshotToken TakeTableEditSnapshot();
void DiscardTableEditSnapshot();
std::string SettleTableEditSnapshot();

// The steps of undo and redo (UndoRedo.h): push a snapshot of `model` onto
// the undo or redo stack without touching the other stack, and take the
// newest entry off a stack (its file stays; the caller reads it and deletes
// it with DeleteTempFile). PopNewest returns the empty text on an empty stack.
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
