// An edit as a piece of one action of the user (see EditSteps.h).
#include "model/EditSteps.h"

#include "model/MakeModel.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "services/Message.h"
#include "services/TableWindow.h"

namespace {

void (*g_ShowModelAgain)() = nullptr;

void ShowModelAgain() {
  if (g_ShowModelAgain != nullptr) g_ShowModelAgain();
}

void BeginUserAction() {
  BeginActionEdits();
  ForgetStoredTypedText();
}

// Called as the handling of the action's input returns, by a throw too: it
// must not throw itself.
void EndUserAction(bool unwinding) {
  try {
    const std::string refusal = EndActionEdits(!unwinding);
    if (unwinding || !refusal.empty()) ShowModelAgain();
    if (!refusal.empty()) ShowErrorMessage(GetActiveWindow(), refusal);
    if (ActionPutBack()) PutBackStoredTypedText();
  } catch (...) {
  }
}

}  // namespace

void SetEditRefusalDoor(void (*showModelAgain)()) { g_ShowModelAgain = showModelAgain; }

void InstallUserActionEdits() { SetUserActionHooks(BeginUserAction, EndUserAction); }

void RefuseEdit(HWND owner, SnapshotToken token, bool modified, const std::string& message) {
  // Without a snapshot to read back the model stays as the edit left it,
  // made again where it can be.
  RestoreUndoSnapshot(token, modified);
  try {
    MakeModel(TheModel());
  } catch (const std::string&) {
  }
  DiscardEditSnapshot(token);
  ShowModelAgain();
  ShowErrorMessage(owner != nullptr ? owner : GetActiveWindow(), message);
}

void PutBackFailedEdit(SnapshotToken token, bool message) {
  if (PutBackAfterThrow(token, message)) ShowModelAgain();
}

bool SettleActionSoFar(HWND owner) {
  const std::string refusal = SettleActionEdit();
  if (refusal.empty()) return true;
  ShowModelAgain();
  ShowErrorMessage(owner != nullptr ? owner : GetActiveWindow(), refusal);
  return false;
}

bool SettleEdit(HWND owner, SnapshotToken token) {
  const std::string refusal = SettleEditSnapshot(token);
  if (refusal.empty()) return true;
  ShowModelAgain();
  ShowErrorMessage(owner != nullptr ? owner : GetActiveWindow(), refusal);
  return false;
}

bool SettleChange(HWND owner, SnapshotToken token, EditRefusal refusal) {
  if (refusal == EditRefusal::Shown) {
    if (!SettleEdit(owner, token)) return false;
  } else if (std::string message = SettleEditSnapshot(token); !message.empty()) {
    ShowModelAgain();
    throw message;
  }
  // What stands but leaves the bytes as they were is no change either.
  return token == 0 || !UndoSnapshotPath(token).empty();
}
