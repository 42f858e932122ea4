// An edit as one action of the user (see EditSteps.h).
#include "model/EditSteps.h"

#include "platform/Window.h"
#include "services/Message.h"

namespace {

void (*g_ShowModelAgain)() = nullptr;

}  // namespace

void SetEditRefusalDoor(void (*showModelAgain)()) { g_ShowModelAgain = showModelAgain; }

bool SettleEdit(HWND owner, SnapshotToken token) {
  const std::string refusal = SettleEditSnapshot(token);
  if (refusal.empty()) return true;
  if (g_ShowModelAgain != nullptr) g_ShowModelAgain();
  ShowErrorMessage(owner != nullptr ? owner : GetActiveWindow(), refusal);
  return false;
}
