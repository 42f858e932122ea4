// The wait dialogs (see WaitDialog.h): one procedure serves both templates;
// the text, when there is one, is the creation parameter.
#include "services/WaitDialog.h"

#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/NumberFormat.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kTextItem = 1501;
constexpr int kMarginAboveEdge = 2;

// Centred horizontally on the work area, its bottom 2 pixels above the
// work area's bottom edge.
void PlaceAtBottom(HWND dialog) {
  RECT own{};
  GetWindowRect(dialog, &own);
  const RECT area = WorkArea();
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.bottom - kMarginAboveEdge - height;
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR WaitDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      if (lParam != 0) SetDlgItemText(dialog, kTextItem, reinterpret_cast<const char*>(lParam));
      PlaceAtBottom(dialog);
      return TRUE;
    case WM_COMMAND: EndDialog(dialog, 1); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void WaitDialog(const std::string& text) {
  HWND focus = GetFocus();
  if (text.empty())
    DialogBoxParam(InstanceHandle, "WAIT_DIALOG", nullptr, WaitDialogProc, 0);
  else
    DialogBoxParam(InstanceHandle, "WAIT_MESSAGE_DIALOG", nullptr, WaitDialogProc,
                   reinterpret_cast<LPARAM>(text.c_str()));
  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
}

void WaitDialogNumber(int value) { WaitDialog(CFormat("%d", value)); }

void WaitDialogPointer(const void* pointer) { WaitDialog(CFormat("%p", pointer)); }

void WaitDialogValue(const std::string& name, int value) { WaitDialog(CFormat("%s = %d", name.c_str(), value)); }
