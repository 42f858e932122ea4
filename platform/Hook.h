// Per-thread hooks: the computer-based-training hook (WH_CBT) is the one kind
// the layer raises. It tells the hook procedure about the dialogs and message
// boxes of the layer: HCBT_CREATEWND for the dialog window and then for each
// of its controls as they are made (wParam the window, lParam a CBT_CREATEWND
// record whose class name is "#32770" for the dialog), HCBT_ACTIVATE just
// before the dialog is shown and activated, and HCBT_DESTROYWND when it is
// destroyed. A hook sees only the windows of the thread that installed it;
// hooks installed later are called first and pass on with CallNextHookEx.
#pragma once

#include "platform/Types.h"
#include "platform/Window.h"

using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);
struct HHOOK__;
using HHOOK = HHOOK__*;

constexpr int WH_CBT = 5;
constexpr int HC_ACTION = 0;
constexpr int HCBT_CREATEWND = 3;
constexpr int HCBT_DESTROYWND = 4;
constexpr int HCBT_ACTIVATE = 5;

struct CBT_CREATEWND {
  CREATESTRUCT* lpcs;
  HWND hwndInsertAfter;
};
struct CBTACTIVATESTRUCT {
  BOOL fMouse;
  HWND hWndActive;
};

// `threadId` 0 or the calling thread's id; other kinds and other threads give
// null (there is no system-wide hook).
HHOOK SetWindowsHookEx(int kind, HOOKPROC procedure, HINSTANCE instance, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

namespace platform {
// Raises a CBT event through the calling thread's hooks (for the dialog
// code). Returns what the first hook returned (0 when there is none).
LRESULT RaiseCbtHook(int code, WPARAM wParam, LPARAM lParam);
}  // namespace platform
