// The calling thread's chain of CBT hooks: a thread_local list, newest first.
// A hook removed while its chain runs is marked and skipped, so unhooking from
// inside a hook procedure is safe.
#include "platform/Hook.h"

#include <memory>
#include <vector>

#include "platform/Messages.h"

struct HHOOK__ {
  HOOKPROC procedure = nullptr;
  bool removed = false;
};

namespace {

thread_local std::vector<std::shared_ptr<HHOOK__>> hooks;  // newest first

// Index of the first live hook after `hook` (or from the start for null).
std::shared_ptr<HHOOK__> NextHook(HHOOK hook) {
  bool passed = hook == nullptr;
  for (const auto& entry : hooks) {
    if (passed && !entry->removed) return entry;
    if (entry.get() == hook) passed = true;
  }
  return nullptr;
}

}  // namespace

HHOOK SetWindowsHookEx(int kind, HOOKPROC procedure, HINSTANCE, DWORD threadId) {
  if (kind != WH_CBT || procedure == nullptr) return nullptr;
  if (threadId != 0 && threadId != GetCurrentThreadId()) return nullptr;
  auto hook = std::make_shared<HHOOK__>();
  hook->procedure = procedure;
  hooks.insert(hooks.begin(), hook);
  return hook.get();
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  for (auto it = hooks.begin(); it != hooks.end(); ++it) {
    if (it->get() != hook) continue;
    (*it)->removed = true;
    hooks.erase(it);
    return TRUE;
  }
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<HHOOK__> next = NextHook(hook);
  return next != nullptr ? next->procedure(code, wParam, lParam) : 0;
}

namespace platform {

LRESULT RaiseCbtHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace platform
