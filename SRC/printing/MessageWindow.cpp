// The "Printing" window (see MessageWindow.h).
#include "printing/MessageWindow.h"

#include <string>

#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/AppFonts.h"
#include "services/ProgramContext.h"

namespace {

constexpr char kClassName[] = "QuorvelMessage";
constexpr int kSize = 100;

HWND& Window() {
  static HWND window = nullptr;
  return window;
}

void OnPaint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  HGDIOBJ previous = SelectObject(dc, TextFont().handle != nullptr ? TextFont().handle : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, "Printing", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previous);
  EndPaint(window, &paint);
}

LRESULT PrintingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (Window() == window) Window() = nullptr;
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterPrintingWindowClass() {
  WNDCLASS windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = PrintingWindowProc;
  windowClass.hInstance = InstanceHandle;
  windowClass.hIcon = ProgramIcon;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszClassName = kClassName;
  if (RegisterClass(&windowClass) == 0) throw std::string("Unable to register Message window");
}

void ShowPrintingWindow(HWND owner) {
  if (Window() != nullptr) return;
  RECT area{0, 0, kSize, kSize};
  if (owner != nullptr) GetWindowRect(owner, &area);
  int x = (area.left + area.right) / 2 - kSize / 2;
  int y = (area.top + area.bottom) / 2 - kSize / 2;
  Window() = CreateWindowEx(WS_EX_TOOLWINDOW, kClassName, "Quorvel", WS_POPUP | WS_CAPTION, x, y, kSize, kSize, owner,
                            nullptr, InstanceHandle, nullptr);
  if (Window() == nullptr) return;
  ShowWindow(Window(), SW_SHOW);
  UpdateWindow(Window());
}

void ClosePrintingWindow() {
  if (Window() != nullptr) SendMessage(Window(), WM_CLOSE, 0, 0);
}

HWND PrintingWindow() { return Window(); }
