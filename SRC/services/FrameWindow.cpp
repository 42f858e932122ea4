// The shared frame window procedure (see FrameWindow.h).
#include "services/FrameWindow.h"

#include <cstdint>
#include <cstdio>

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/ProgramContext.h"

namespace {

constexpr int kSmallToolbar = 101, kLargeToolbar = 102;
constexpr int kSmallStrip = 1801, kLargeStrip = 1802;

LRESULT OnNotify(const FrameWindowOperations& operations, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code != TTN_GETDISPINFO) return 0;
  auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
  std::snprintf(info->szText, sizeof info->szText, "%s",
                operations.toolTip(static_cast<int>(header->idFrom)).c_str());
  info->lpszText = info->szText;
  return 0;
}

LRESULT OnInitMenuPopup(const Frame& frame, const FrameWindowOperations& operations, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(static_cast<std::uintptr_t>(lParam)) != 0) return 0;
  HMENU popup = reinterpret_cast<HMENU>(wParam);
  if (frame.menu == nullptr) return 0;
  for (int position = 0; position <= operations.lastMenuPosition; ++position)
    if (GetSubMenu(frame.menu, position) == popup) operations.menuPopup(popup, position);
  return 0;
}

}  // namespace

HWND CreateFrameToolbar(HWND window, int id, int strip, int cell, const TBBUTTON* buttons, std::size_t count,
                        int images) {
  HWND toolbar = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0, 0, 0, 0,
                                window, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), InstanceHandle,
                                nullptr);
  if (toolbar == nullptr) return nullptr;
  SendMessage(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessage(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(cell, cell));
  TBADDBITMAP bitmap{InstanceHandle, static_cast<UINT_PTR>(strip)};
  SendMessage(toolbar, TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&bitmap));
  SendMessage(toolbar, TB_ADDBUTTONS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons));
  return toolbar;
}

TBBUTTON ToolbarSeparator(int command, bool hidden) {
  return {0, command, static_cast<BYTE>(TBSTATE_ENABLED | (hidden ? TBSTATE_HIDDEN : 0)), TBSTYLE_SEP, {}, 0, 0};
}

void FrameCloseDialogs(Frame& frame) {
  if (frame.window != nullptr && IsWindow(frame.window)) SendMessage(frame.window, WM_COMMAND, kCloseDialogsCommand, 0);
}

LRESULT FrameWindowProcedure(Frame& frame, const FrameWindowOperations& operations, HWND window, UINT message,
                             WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      frame.window = window;
      HWND small = operations.createToolbar(window, kSmallToolbar, kSmallStrip, 16);
      HWND large = operations.createToolbar(window, kLargeToolbar, kLargeStrip, 32);
      FrameSetToolbars(frame, small, large);
      return 0;
    }
    case WM_DESTROY: FrameRecordPlacement(frame); return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) FrameResize(frame);
      return 0;
    case WM_SETFOCUS: return operations.setFocus(window);
    case WM_CLOSE: return operations.close();
    case WM_ERASEBKGND: return 1;
    case WM_NOTIFY: return OnNotify(operations, lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(frame, operations, wParam, lParam);
    case WM_COMMAND: operations.command(window, LOWORD(wParam)); return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}
