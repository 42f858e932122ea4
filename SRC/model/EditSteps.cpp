// An edit as one action of the user (see EditSteps.h).
#include "model/EditSteps.h"

#include "model/MakeModel.h"
#include "platform/Window.h"
#include "services/Message.h"

namespace {

void (*g_ShowModelAgain)() = nullptr;

}  // namespace

void SetEditRefusalDoor(void (*showModelAgain)()) { g_ShowModelAgain = showModelAgain; }

void RefuseEdit(HWND owner, SnapshotToken token, bool modified, const std::string& message) {
  // Without a snapshot to read back the model stays as the edit left it,
  // made again where it can be.
  RestoreUndoSnapshot(token, modified);
  try {
    MakeModel(TheModel());
  } catch (const std::string&) {
  }
  PopTempFile(token);
  if (g_ShowModelAgain != nullptr) g_ShowModelAgain();
  ShowErrorMessage(owner != nullptr ? owner : GetActiveWindow(), message);
}

bool SettleEdit(HWND owner, SnapshotToken token) {
  const std::string refusal = SettleEditSnapshot(token);
  if (refusal.empty()) return true;
  if (g_ShowModelAgain != nullptr) g_ShowModelAgain();
  ShowErrorMessage(owner != nullptr ? owner : GetActiveWindow(), refusal);
  return false;
}
