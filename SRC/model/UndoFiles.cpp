// The snapshot stacks: vectors of entries, newest last. Files are made and
// deleted through TempFiles, so an early exit still leaves none behind.
#include "model/UndoFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelRules.h"
#include "services/BinaryFile.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/TempFiles.h"

namespace {

constexpr const char* kSnapshotPrefix = "QvSnapshot_";

struct Snapshot {
  SnapshotToken token = 0;
  std::string path;
  bool modified = false;  // the model's mark when the snapshot was taken
  // The redo snapshots an edit released; given back when the edit is
  // discarded, deleted when it stands.
  std::vector<Snapshot> heldRedo;
};

struct Stacks {
  std::vector<Snapshot> undo;
  std::vector<Snapshot> redo;
  SnapshotToken lastToken = 0;
  SnapshotToken tableEdit = 0;
};

Stacks& TheStacks() {
  static Stacks stacks;
  return stacks;
}

void DeleteSnapshot(Snapshot& snapshot) {
  for (Snapshot& held : snapshot.heldRedo) DeleteSnapshot(held);
  snapshot.heldRedo.clear();
  DeleteTempFile(snapshot.path);
}

void DeleteAll(std::vector<Snapshot>& stack) {
  for (Snapshot& snapshot : stack) DeleteSnapshot(snapshot);
  stack.clear();
}

// The whole model in the model-file format; the empty text when it could not
// be written (the partial file is gone).
std::string WriteSnapshot(const Model& model) {
  std::string path = CreateTempFile(kSnapshotPrefix);
  if (path.empty()) return path;
  BinaryFile file;
  bool written = BinaryFileOpenWrite(file, path);
  if (written) {
    ProgramCommands().writeModelStream(file, model);
    written = BinaryFileClose(file) && !BinaryFileHasError(file);
  }
  if (written) return path;
  DeleteTempFile(path);
  return {};
}

SnapshotToken Push(std::vector<Snapshot>& stack, const Model& model, HWND window) {
  std::string path = WriteSnapshot(model);
  if (path.empty()) {
    if (window != nullptr) ShowErrorMessage(window, "Unable to write the undo file in\n" + TempFolder());
    return 0;
  }
  if (static_cast<int>(stack.size()) >= kSnapshotDepth) {
    DeleteSnapshot(stack.front());
    stack.erase(stack.begin());
  }
  Snapshot snapshot;
  snapshot.token = ++TheStacks().lastToken;
  snapshot.path = std::move(path);
  snapshot.modified = model.modified;
  stack.push_back(std::move(snapshot));
  return stack.back().token;
}

// An edit that stands keeps the redo stack empty for good.
void CommitHeldRedo() {
  for (Snapshot& snapshot : TheStacks().undo) {
    for (Snapshot& held : snapshot.heldRedo) DeleteSnapshot(held);
    snapshot.heldRedo.clear();
  }
}

std::string PopNewest(std::vector<Snapshot>& stack) {
  if (stack.empty()) return {};
  Snapshot snapshot = std::move(stack.back());
  stack.pop_back();
  for (Snapshot& held : snapshot.heldRedo) DeleteSnapshot(held);
  return snapshot.path;
}

}  // namespace

SnapshotToken TakeUndoSnapshot(HWND window) {
  Stacks& stacks = TheStacks();
  // What the making drops, and the row an Insert left untyped, belong to
  // the edit that begins here only.
  TheModel().droppedOffsets.clear();
  TheModel().untypedRow = 0;
  CommitHeldRedo();
  const SnapshotToken token = Push(stacks.undo, TheModel(), window);
  if (token == 0) return 0;
  stacks.undo.back().heldRedo = std::move(stacks.redo);
  stacks.redo.clear();
  return token;
}

void PopTempFile(SnapshotToken token) {
  Stacks& stacks = TheStacks();
  const auto found = std::find_if(stacks.undo.begin(), stacks.undo.end(),
                                  [token](const Snapshot& s) { return s.token == token; });
  if (token == 0 || found == stacks.undo.end()) return;
  std::vector<Snapshot> held = std::move(found->heldRedo);
  DeleteTempFile(found->path);
  stacks.undo.erase(found);
  if (stacks.redo.empty()) {
    stacks.redo = std::move(held);
  } else {
    DeleteAll(held);
  }
}

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Whether the open model writes the bytes of the file at `path`; false when
// it cannot be written to compare (the snapshot is then kept).
bool OpenModelMatches(const std::string& path) {
  const std::string current = WriteSnapshot(TheModel());
  if (current.empty()) return false;
  const bool same = FileBytes(current) == FileBytes(path);
  DeleteTempFile(current);
  return same;
}

}  // namespace

namespace {

const Snapshot* FindUndo(SnapshotToken token) {
  for (const Snapshot& snapshot : TheStacks().undo)
    if (token != 0 && snapshot.token == token) return &snapshot;
  return nullptr;
}

// The message of the first rule the open model breaks that the model in
// the snapshot file at `path` did not; empty when the edit added none or
// the snapshot cannot be read to compare (the edit then stands).
std::string AddedRuleRefusal(const std::string& path) {
  Model& open = TheModel();
  // The making here may be the edit's first: what it drops counts too.
  const bool anyBroken = !BrokenModelRules(open, open).empty();
  const std::string dropped = std::exchange(open.droppedOffsets, {});
  if (!anyBroken && dropped.empty()) return {};
  Model before;
  try {
    ProgramCommands().readModelFileInto(path, before);
  } catch (const std::string&) {
    return {};
  }
  const std::vector<BrokenRule> held = BrokenModelRules(before, before);
  // Offsets the model before the edit held where its making (the reader's
  // or the rules') drops them, on rows not made since they were given, are
  // not the edit's loss.
  if (!dropped.empty() && before.droppedOffsets.empty()) return dropped;
  if (!anyBroken) return {};
  const std::vector<BrokenRule> broken = BrokenModelRules(open, before);
  open.droppedOffsets.clear();
  return AddedRuleMessage(held, broken);
}

}  // namespace

std::string RefuseEditBreakingRules(SnapshotToken token) {
  const Snapshot* snapshot = FindUndo(token);
  if (snapshot == nullptr) return {};
  std::string refusal = AddedRuleRefusal(snapshot->path);
  if (refusal.empty()) return refusal;
  const bool modified = snapshot->modified;
  if (RestoreUndoSnapshot(token, modified)) {
    // The open model's load cases and picture follow the model put back.
    try {
      MakeModel(TheModel());
    } catch (const std::string&) {
    }
    TheModel().droppedOffsets.clear();
  }
  PopTempFile(token);
  return refusal;
}

namespace {

bool PopIfUnchanged(SnapshotToken token) {
  const Snapshot* found = FindUndo(token);
  if (found == nullptr || !OpenModelMatches(found->path)) return false;
  const bool modified = found->modified;
  PopTempFile(token);
  TheModel().modified = modified;
  return true;
}

}  // namespace

bool PopTempFileIfUnchanged(SnapshotToken token) {
  if (std::string refusal = RefuseEditBreakingRules(token); !refusal.empty()) throw refusal;
  return PopIfUnchanged(token);
}

std::string SettleEditSnapshot(SnapshotToken token) {
  if (std::string refusal = RefuseEditBreakingRules(token); !refusal.empty()) return refusal;
  PopIfUnchanged(token);
  return {};
}

bool RestoreUndoSnapshot(SnapshotToken token, bool modified) {
  const std::string path = UndoSnapshotPath(token);
  if (path.empty()) return false;
  Model fresh;
  try {
    ProgramCommands().readModelFileInto(path, fresh);
  } catch (...) {
    return false;
  }
  Model& open = TheModel();
  fresh.path = open.path;
  KeepUserView(open.graphics, fresh.graphics);
  fresh.listName = open.listName;
  fresh.modified = modified;
  SwapModel(fresh);
  return true;
}

void KeepUserView(const GraphicsSettings& current, GraphicsSettings& restored) {
  restored.viewDirection = current.viewDirection;
  restored.viewLeft = current.viewLeft;
  restored.viewBottom = current.viewBottom;
  restored.viewRight = current.viewRight;
  restored.viewTop = current.viewTop;
  restored.viewSetting = current.viewSetting;
  restored.factor1 = current.factor1;
  restored.factor2 = current.factor2;
}

std::string UndoSnapshotPath(SnapshotToken token) {
  for (const Snapshot& snapshot : TheStacks().undo)
    if (token != 0 && snapshot.token == token) return snapshot.path;
  return {};
}

SnapshotToken TakeTableEditSnapshot() {
  TheStacks().tableEdit = TakeUndoSnapshot();
  return TheStacks().tableEdit;
}

void DiscardTableEditSnapshot() {
  PopTempFile(std::exchange(TheStacks().tableEdit, 0));
}

std::string SettleTableEditSnapshot() {
  const SnapshotToken token = std::exchange(TheStacks().tableEdit, 0);
  return SettleEditSnapshot(token);
}

SnapshotToken PushUndoSnapshot(const Model& model, HWND window) {
  return Push(TheStacks().undo, model, window);
}

SnapshotToken PushRedoSnapshot(const Model& model, HWND window) {
  return Push(TheStacks().redo, model, window);
}

std::string PopNewestUndo() { return PopNewest(TheStacks().undo); }
std::string PopNewestRedo() { return PopNewest(TheStacks().redo); }

void PopRedoFile(SnapshotToken token) {
  auto& redo = TheStacks().redo;
  const auto found =
      std::find_if(redo.begin(), redo.end(), [token](const Snapshot& s) { return s.token == token; });
  if (token == 0 || found == redo.end()) return;
  DeleteSnapshot(*found);
  redo.erase(found);
}

bool CanUndo() { return !TheStacks().undo.empty(); }
bool CanRedo() { return !TheStacks().redo.empty(); }
int UndoDepth() { return static_cast<int>(TheStacks().undo.size()); }
int RedoDepth() { return static_cast<int>(TheStacks().redo.size()); }

void DeleteUndoRedoFiles() {
  Stacks& stacks = TheStacks();
  DeleteAll(stacks.undo);
  DeleteAll(stacks.redo);
  stacks.tableEdit = 0;
}
