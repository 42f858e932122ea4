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
#include "platform/FileNames.h"
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
  // Where the user was looking then (the view, the current and top Layout
  // rows, the list shown): kept by the file, but not part of any edit.
  GraphicsSettings view;
  int currentRow = 1, layoutTopRow = 1;
  std::string listName;
  // The redo snapshots an edit released; given back when the edit is
  // discarded, deleted when it stands.
  std::vector<Snapshot> heldRedo;
  // The identity of each row 1 .. row count of the model written, which no
  // file keeps: the model read back to compare takes them again.
  std::vector<std::uint32_t> rowIdentities;
  // The spare Layout row then, which no file keeps: what the user typed on
  // it comes back with the model.
  LayoutRow spare;
};

struct Stacks {
  std::vector<Snapshot> undo;
  std::vector<Snapshot> redo;
  SnapshotToken lastToken = 0;
  // The edit under way (0: none) and the tokens of the pieces that joined
  // it, forgotten when it ends.
  SnapshotToken open = 0;
  // An action of the user under way, and the edit it opened (0: none yet,
  // or the edit was already open when the action began and is not its own).
  bool inAction = false;
  SnapshotToken actionEdit = 0;
  // The model was put back as it was before the action under way.
  bool actionPutBack = false;
  std::vector<SnapshotToken> joined;
  std::uint32_t lastIdentity = 0;
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
  snapshot.view = model.graphics;
  snapshot.currentRow = model.currentRow;
  snapshot.layoutTopRow = model.layoutTopRow;
  snapshot.listName = model.listName;
  CopyLayoutRow(snapshot.spare, model.row(model.rowCount + 1));
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

const Snapshot* FindUndo(SnapshotToken token) {
  for (const Snapshot& snapshot : TheStacks().undo)
    if (token != 0 && snapshot.token == token) return &snapshot;
  return nullptr;
}

// The edit under way, 0 when none is: one whose snapshot has left the stack
// by another road (an Undo took it, Close emptied the stacks) is over.
SnapshotToken OpenEdit() {
  Stacks& stacks = TheStacks();
  if (stacks.open != 0 && FindUndo(stacks.open) == nullptr) {
    stacks.open = 0;
    stacks.joined.clear();
  }
  return stacks.open;
}

bool IsJoined(SnapshotToken token) {
  const std::vector<SnapshotToken>& joined = TheStacks().joined;
  return token != 0 && OpenEdit() != 0 && std::find(joined.begin(), joined.end(), token) != joined.end();
}

// The edit of `token` is over, however it ended.
void EndEdit(SnapshotToken token) {
  Stacks& stacks = TheStacks();
  if (token == 0 || token != stacks.open) return;
  stacks.open = 0;
  stacks.joined.clear();
  if (stacks.actionEdit == token) stacks.actionEdit = 0;
}

// The open edit when it is the action's own: its pieces' settling asks and
// leaves it open, its discarding waits for the action's end.
bool IsActionEdit(SnapshotToken token) {
  const Stacks& stacks = TheStacks();
  return token != 0 && stacks.inAction && stacks.actionEdit != 0 && OpenEdit() == stacks.actionEdit &&
         (token == stacks.actionEdit || IsJoined(token));
}

// Discards the undo snapshot `token` whatever edit it belongs to.
void DiscardSnapshot(SnapshotToken token) {
  Stacks& stacks = TheStacks();
  const auto found = std::find_if(stacks.undo.begin(), stacks.undo.end(),
                                  [token](const Snapshot& s) { return s.token == token; });
  if (token == 0 || found == stacks.undo.end()) return;
  EndEdit(token);
  std::vector<Snapshot> held = std::move(found->heldRedo);
  DeleteTempFile(found->path);
  stacks.undo.erase(found);
  if (stacks.redo.empty()) {
    stacks.redo = std::move(held);
  } else {
    DeleteAll(held);
  }
}

// Every row of the open model is given an identity, kept with the snapshot.
std::vector<std::uint32_t> IdentifyRows(Model& model) {
  std::vector<std::uint32_t> identities;
  identities.reserve(static_cast<std::size_t>(std::max(model.rowCount, 0)));
  for (int row = 1; row <= model.rowCount; ++row) {
    std::uint32_t& identity = model.row(row).identity;
    if (identity == 0) identity = ++TheStacks().lastIdentity;
    identities.push_back(identity);
  }
  return identities;
}

}  // namespace

SnapshotToken TakeUndoSnapshot(HWND window) {
  Stacks& stacks = TheStacks();
  if (OpenEdit() != 0) {
    stacks.joined.push_back(++stacks.lastToken);
    return stacks.joined.back();
  }
  // What the making drops belongs to the edit that begins here only.
  TheModel().droppedOffsets.clear();
  std::vector<std::uint32_t> identities = IdentifyRows(TheModel());
  CommitHeldRedo();
  const SnapshotToken token = Push(stacks.undo, TheModel(), window);
  if (token == 0) return 0;
  stacks.undo.back().heldRedo = std::move(stacks.redo);
  stacks.undo.back().rowIdentities = std::move(identities);
  stacks.redo.clear();
  stacks.open = token;
  if (stacks.inAction) stacks.actionEdit = token;
  return token;
}

void PopTempFile(SnapshotToken token) {
  if (IsJoined(token) || IsActionEdit(token)) return;
  DiscardSnapshot(token);
}

bool EditSnapshotOpen() { return OpenEdit() != 0; }

void DiscardEditSnapshot(SnapshotToken token) { DiscardSnapshot(IsJoined(token) ? OpenEdit() : token); }

void DiscardOwnEdit(SnapshotToken token) {
  if (!IsJoined(token)) DiscardSnapshot(token);
}

namespace {

// The open model put back from a snapshot is made again for its picture and
// its nodes; its load cases stay as the snapshot holds them, which the
// making of the open model would rebuild: a model put back is the bytes it
// was.
void MakePutBackModel() {
  Model& model = TheModel();
  const LoadCaseList cases = model.loadCases;
  const std::int32_t thermalLoads = model.options.ThermalLoadCount;
  try {
    MakeModel(model);
  } catch (const std::string&) {
  }
  model.loadCases = cases;
  model.options.ThermalLoadCount = thermalLoads;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(platform::FileSystemPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Whether the open model writes the bytes of `snapshot`'s file; false when
// it cannot be written to compare (the snapshot is then kept). Where the
// user looks is not part of an edit: a view an action stored (Save keeps
// the view shown), a row moved to or a list shown change nothing here.
bool OpenModelMatches(const Snapshot& snapshot) {
  Model& open = TheModel();
  const GraphicsSettings shown = open.graphics;
  const int current = open.currentRow, top = open.layoutTopRow;
  std::string list = std::exchange(open.listName, snapshot.listName);
  KeepUserView(snapshot.view, open.graphics);
  open.currentRow = snapshot.currentRow;
  open.layoutTopRow = snapshot.layoutTopRow;
  const std::string written = WriteSnapshot(open);
  open.graphics = shown;
  open.currentRow = current;
  open.layoutTopRow = top;
  open.listName = std::move(list);
  if (written.empty()) return false;
  const bool same = FileBytes(written) == FileBytes(snapshot.path);
  DeleteTempFile(written);
  return same;
}

// The message of the first rule the open model breaks where the model in
// `snapshot` did not; empty when the edit added none or the snapshot cannot
// be read to compare (the edit then stands).
std::string AddedRuleRefusal(const Snapshot& snapshot) {
  Model& open = TheModel();
  // The making here may be the edit's first: what it drops counts too.
  const bool anyBroken = !BrokenModelRules(open, open).empty();
  const std::string dropped = std::exchange(open.droppedOffsets, {});
  if (!anyBroken && dropped.empty()) return {};
  Model before;
  try {
    ProgramCommands().readModelFileInto(snapshot.path, before);
  } catch (const std::string&) {
    return {};
  }
  if (static_cast<std::size_t>(before.rowCount) == snapshot.rowIdentities.size())
    for (int row = 1; row <= before.rowCount; ++row)
      before.row(row).identity = snapshot.rowIdentities[static_cast<std::size_t>(row - 1)];
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

// Whether the model in `snapshot` would not save either (or cannot be read
// back to tell).
bool WriteFaultHeldBefore(const Snapshot& snapshot) {
  Model before;
  try {
    ProgramCommands().readModelFileInto(snapshot.path, before);
  } catch (const std::string&) {
    return true;
  }
  return !ProgramCommands().modelWriteFault(before).empty();
}

// Whether two rows hold the same values a user types on a row.
bool SameTypedRow(const LayoutRow& a, const LayoutRow& b) {
  return a.node == b.node && a.absolute == b.absolute && a.elementType == b.elementType &&
         a.dataType == b.dataType && a.dx == b.dx && a.dy == b.dy && a.dz == b.dz && a.material == b.material &&
         a.section == b.section && a.load == b.load;
}

// The gate: the rule's message after putting the model back and discarding
// the snapshot, or the empty text (the edit stands, the snapshot stays).
std::string RefuseEditBreakingRules(SnapshotToken token) {
  const Snapshot* snapshot = FindUndo(token);
  if (snapshot == nullptr) return {};
  std::string refusal = AddedRuleRefusal(*snapshot);
  // What Save would refuse, asked of the writer in memory: no edit leaves a
  // model that cannot be saved. A model that could not be saved before it
  // (left unmade, say) is not the edit's doing, as with the rules.
  if (refusal.empty()) {
    refusal = ProgramCommands().modelWriteFault(TheModel());
    if (!refusal.empty() && WriteFaultHeldBefore(*snapshot)) refusal.clear();
  }
  if (refusal.empty()) return refusal;
  const bool modified = snapshot->modified;
  if (RestoreUndoSnapshot(token, modified)) {
    MakePutBackModel();
    TheModel().droppedOffsets.clear();
  }
  DiscardSnapshot(token);
  return refusal;
}

// True when the edit left the model's bytes as they were: the step goes
// and the mark the model had before the edit comes back, unless a save
// since has cleared it.
bool PopIfUnchanged(SnapshotToken token) {
  const Snapshot* found = FindUndo(token);
  if (found == nullptr || !OpenModelMatches(*found)) return false;
  const bool modified = found->modified;
  DiscardSnapshot(token);
  TheModel().modified = TheModel().modified && modified;
  return true;
}

// The settling of an edit that is its own, not a piece that joined one: a
// step kept is a change of the model's bytes, and marks it.
std::string SettleOwnEdit(SnapshotToken token) {
  if (std::string refusal = RefuseEditBreakingRules(token); !refusal.empty()) return refusal;
  if (!PopIfUnchanged(token) && FindUndo(token) != nullptr) TheModel().modified = true;
  EndEdit(token);
  return {};
}

}  // namespace

std::string SettleEditSnapshot(SnapshotToken token) {
  if (IsActionEdit(token)) return RefuseEditBreakingRules(TheStacks().actionEdit);
  if (IsJoined(token)) return {};
  return SettleOwnEdit(token);
}

bool PutBackAfterThrow(SnapshotToken token, bool message) {
  const bool joined = IsJoined(token);
  if (token == 0 || (message && joined)) return false;
  const SnapshotToken own = joined ? OpenEdit() : token;
  const Snapshot* snapshot = FindUndo(own);
  if (snapshot == nullptr) return false;
  bool putBack = false;
  if (OpenModelMatches(*snapshot)) {
    // The bytes are as they were: so is the mark, unless a save cleared it.
    TheModel().modified = TheModel().modified && snapshot->modified;
    // No file keeps the spare row: what the edit stored on it goes back
    // all the same, and a text an action stored there first goes back to
    // its cell.
    Model& model = TheModel();
    LayoutRow& spare = model.row(model.rowCount + 1);
    if (!SameTypedRow(spare, snapshot->spare)) {
      CopyLayoutRow(spare, snapshot->spare);
      Stacks& stacks = TheStacks();
      if (stacks.inAction && own == stacks.actionEdit) stacks.actionPutBack = true;
      putBack = true;
    }
  } else if (RestoreUndoSnapshot(own, snapshot->modified)) {
    putBack = true;
    MakePutBackModel();
  }
  DiscardSnapshot(own);
  return putBack;
}

void BeginActionEdits() {
  Stacks& stacks = TheStacks();
  stacks.inAction = true;
  stacks.actionEdit = 0;
  stacks.actionPutBack = false;
}

bool ActionPutBack() { return TheStacks().actionPutBack; }

std::string EndActionEdits(bool completed) {
  Stacks& stacks = TheStacks();
  const SnapshotToken token = stacks.actionEdit;
  const bool own = token != 0 && OpenEdit() == token;
  stacks.inAction = false;
  stacks.actionEdit = 0;
  if (!own) return {};
  if (!completed) {
    // Whatever the action had changed when it failed goes with it, and
    // what it stored from a cell goes back there as typed.
    if (RestoreUndoSnapshot(token, FindUndo(token)->modified)) {
      stacks.actionPutBack = true;
      MakePutBackModel();
    }
    DiscardSnapshot(token);
    return {};
  }
  return SettleOwnEdit(token);
}

std::string SettleActionEdit() {
  const Stacks& stacks = TheStacks();
  const SnapshotToken token = stacks.actionEdit;
  if (!stacks.inAction || token == 0 || OpenEdit() != token) return {};
  return SettleOwnEdit(token);
}

bool RestoreUndoSnapshot(SnapshotToken token, bool modified) {
  if (IsJoined(token)) {
    token = OpenEdit();
    modified = FindUndo(token)->modified;
  }
  const Snapshot* snapshot = FindUndo(token);
  if (snapshot == nullptr) return false;
  Model fresh;
  try {
    ProgramCommands().readModelFileInto(snapshot->path, fresh);
  } catch (...) {
    return false;
  }
  // The rows are the rows of the snapshot, as the edit's gate knows them.
  if (static_cast<std::size_t>(fresh.rowCount) == snapshot->rowIdentities.size())
    for (int row = 1; row <= fresh.rowCount; ++row)
      fresh.row(row).identity = snapshot->rowIdentities[static_cast<std::size_t>(row - 1)];
  CopyLayoutRow(fresh.row(fresh.rowCount + 1), snapshot->spare);
  Stacks& stacks = TheStacks();
  if (stacks.inAction && token == stacks.actionEdit) stacks.actionPutBack = true;
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
  if (IsJoined(token)) token = OpenEdit();
  const Snapshot* snapshot = FindUndo(token);
  return snapshot != nullptr ? snapshot->path : std::string();
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
  stacks.open = 0;
  stacks.actionEdit = 0;
  stacks.joined.clear();
}
