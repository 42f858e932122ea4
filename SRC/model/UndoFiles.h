// The two stacks of model snapshots behind undo and redo. A snapshot is the
// whole model written in the model-file format to a temporary file (named
// "QvSnapshot_" and a unique tail, never like a model file), so undo brings
// back every table of the model, not only the rows.
//
// One action of the user is one undo step and one question to the rules of
// the whole model, however many pieces it is made of. An action begins where
// its input arrives: the platform's handling of one message from the top of
// the loop (a key, a button press, a menu, accelerator, popup or toolbar
// command, a request of another window), with every modal dialog it runs,
// is one action (BeginActionEdits, EndActionEdits). So typed text that a
// command stores first, the command itself and whatever it opens are one
// step, and two inputs are never one.
//
// The first snapshot taken in an action is its edit; every later one joins
// it: nothing is written. A piece that settles its snapshot asks the rules
// at once, so that its road can say why it was refused; a refusal puts the
// model back as it was before the whole action (the spare Layout row too,
// which no file keeps) and ends the edit. An action put back so (a
// refusal, a throw) keeps no step, no byte and no mark of its own, and
// loses nothing typed: text that it stored from a cell first goes back to
// that cell as typed, still being edited, when the action ends
// (ActionPutBack; the table windows keep the text, PutBackStoredTypedText),
// for the user to mend, store or drop. A command that only says no (a
// message, no throw) puts back nothing: what it stored first stays stored,
// the action's step. A piece that discards its snapshot leaves the decision to
// the action's end, which compares bytes: the step is kept, and the model
// marked, when the model writes other bytes than the snapshot holds, and
// dropped with the mark given back otherwise, whatever the pieces said of
// themselves; a piece that threw and left the bytes as they were gives the
// mark back at once. An action that ends by a throw the program did not
// handle leaves the model as it was before it.
//
// Outside an action (the program starting, a test calling an operation
// directly) the first snapshot opens an edit that its own settling ends,
// and the snapshots taken meanwhile join it in the same way.
//
// Each snapshot is known by the token its taker gets back: an edit that ends
// without a change discards exactly its own snapshot with PopTempFile(token),
// never "the newest".
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
// piece that joined an open edit only leaves it; the edit of an action is
// kept or dropped by the action's end, by its bytes.
void PopTempFile(SnapshotToken token);

// Discards the edit `token` belongs to (its own, or the one it joined),
// whatever action it is part of: a refused edit that its road put back.
void DiscardEditSnapshot(SnapshotToken token);
// Discards the edit `token` opened, in an action too; nothing for a piece
// that joined one: a command whose attempt is no edit of the user's (a
// making of rows that cannot be made).
void DiscardOwnEdit(SnapshotToken token);
// A piece of an edit threw. A `message` (the user's input refused) from a
// piece that joined a larger edit leaves it to that edit; otherwise the
// edit `token` belongs to is discarded, the model put back as its snapshot
// holds it when it writes other bytes. True when the model was put back.
bool PutBackAfterThrow(SnapshotToken token, bool message);

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
// The empty text otherwise, and for a piece that joined an open edit
// outside an action. In an action every piece's settling asks the rules
// (a refusal ends the action's edit, the model put back as it was before
// the action) and leaves the edit open for the action's end.
std::string SettleEditSnapshot(SnapshotToken token);

// Whether an edit is open: its snapshot taken and neither settled nor
// discarded. Between two actions of the user none is.
bool EditSnapshotOpen();

// The action of the user under way (see above). EndActionEdits settles the
// edit the action opened, if any: `completed` false when the action ended by
// a throw. It returns the rule's message when the whole action broke a rule
// that no piece of it asked about: the model is already put back, and the
// caller shows the message.
void BeginActionEdits();
std::string EndActionEdits(bool completed);
// Whether the action under way, or the one that ended last, had the model
// put back as it was before it (a refusal, a throw).
bool ActionPutBack();
// Settles the edit of the action under way now, as its end would (a save
// writes what the action stored, not what the rules would refuse); the
// action goes on, and a later snapshot opens an edit of its own.
std::string SettleActionEdit();
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
