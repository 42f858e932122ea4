// Undo and redo: one restore step shared by both directions. The snapshot
// file of the restored step is deleted whatever the outcome: a snapshot that
// could not be read once will not read later.
#include "editing/UndoRedo.h"

#include <new>
#include <stdexcept>
#include <string>

#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/TempFiles.h"
#include "services/ViewRequests.h"

namespace {

// The message of a failed read, or the empty text.
std::string ReadSnapshot(const std::string& path, Model& fresh) {
  try {
    ProgramCommands().readModelFileInto(path, fresh);
    return {};
  } catch (const std::string& message) {
    return message;
  } catch (const std::bad_alloc&) {
    return "*** Out of memory ***";
  } catch (const std::exception&) {
    return "Unable to read the undo file:\n" + path;
  }
}

bool Restore(HWND owner, const std::string& path) {
  Model fresh;
  const std::string failure = ReadSnapshot(path, fresh);
  DeleteTempFile(path);
  if (!failure.empty()) {
    ShowErrorMessage(owner, failure);
    return false;
  }
  Model& open = TheModel();
  fresh.path = open.path;
  StoreGraphicsView(open.graphics);
  KeepUserView(open.graphics, fresh.graphics);
  fresh.modified = true;
  SwapModel(fresh);
  ApplyModelUnits(TheModel());
  ShowModelWindows();
  return true;
}

}  // namespace

bool UndoEdit(HWND owner) {
  if (!CanUndo()) return false;
  const SnapshotToken redo = PushRedoSnapshot(TheModel(), owner);
  if (redo == 0) return false;
  if (Restore(owner, PopNewestUndo())) return true;
  PopRedoFile(redo);
  return false;
}

bool RedoEdit(HWND owner) {
  if (!CanRedo()) return false;
  const SnapshotToken undo = PushUndoSnapshot(TheModel(), owner);
  if (undo == 0) return false;
  if (Restore(owner, PopNewestRedo())) return true;
  PopTempFile(undo);
  return false;
}

bool SettleLayoutEdit(HWND owner, SnapshotToken token) { return SettleEdit(owner, token); }

void ShowModelAfterRefusedEdit() {
  ReloadLayoutTable(false);
  RefreshListWindow();
}
