// Undo and redo: one restore step shared by both directions. The snapshot
// file of the restored step is deleted whatever the outcome: a snapshot that
// could not be read once will not read later.
#include "editing/UndoRedo.h"

#include <new>
#include <stdexcept>
#include <string>

#include "editing/ModelWindows.h"
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

// The view is the user's, not part of an edit.
void KeepView(const GraphicsSettings& current, GraphicsSettings& restored) {
  restored.viewDirection = current.viewDirection;
  restored.viewLeft = current.viewLeft;
  restored.viewBottom = current.viewBottom;
  restored.viewRight = current.viewRight;
  restored.viewTop = current.viewTop;
  restored.viewSetting = current.viewSetting;
  restored.factor1 = current.factor1;
  restored.factor2 = current.factor2;
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
  KeepView(open.graphics, fresh.graphics);
  fresh.modified = true;
  SwapModel(fresh);
  ApplyModelUnits(TheModel());
  ShowModelWindows();
  return true;
}

}  // namespace

bool RestoreUndoSnapshot(SnapshotToken token, bool modified) {
  const std::string path = UndoSnapshotPath(token);
  if (path.empty()) return false;
  Model fresh;
  if (!ReadSnapshot(path, fresh).empty()) return false;
  Model& open = TheModel();
  fresh.path = open.path;
  KeepView(open.graphics, fresh.graphics);
  fresh.listName = open.listName;
  fresh.modified = modified;
  SwapModel(fresh);
  return true;
}

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
