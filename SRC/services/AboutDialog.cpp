// The About box ("ABOUT_DIALOG": the version, the program icon, the logo and
// two links that the desktop opens), the plain OK / Cancel dialog of the
// program's notices, and the desktop's "open" action. Every window's Help
// menu reaches these.
#include "services/AboutDialog.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "services/AppFonts.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

extern char** environ;

namespace {

constexpr int kWebLink = 391;
constexpr int kMailLink = 392;
// The About box's statics of the program icon and the logo carry the
// resource numbers as their ids.
constexpr int kIconItem = 7001;
constexpr int kLogoItem = 1803;

WNDPROC g_LinkProc = nullptr;

LRESULT LinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    SetCursor(HandCursor);
    return TRUE;
  }
  return CallWindowProc(g_LinkProc, window, message, wParam, lParam);
}

}  // namespace

INT_PTR OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: CenterWindowOnParent(dialog, IDOK); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static DialogHelper helper;
  switch (message) {
    case WM_INITDIALOG:
      helper.DialogBind(dialog);
      helper.DialogSetItemText(1501, std::string("Quorvel Version ") + kVersionText);
      helper.DialogSetItemIcon(kIconItem, ProgramIcon);
      helper.DialogSetItemBitmap(kLogoItem, LogoBitmap);
      for (int link : {kWebLink, kMailLink})
        g_LinkProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(GetDlgItem(dialog, link), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkProc)));
      CenterWindowOnParent(dialog, IDOK);
      return TRUE;
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      if (id != kWebLink && id != kMailLink) return FALSE;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SelectObject(dc, UnderlinedFont().handle);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 238));
      return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, 1); break;
        case IDCANCEL: EndDialog(dialog, 0); break;
        case kWebLink:
          if (!ShellOpen("https://www.tvq-systems.example/")) ShowErrorMessage(dialog, "Unable to display web page.");
          break;
        case kMailLink:
          if (!ShellOpen("mailto:support@tvq-systems.example")) ShowErrorMessage(dialog, "Unable to open mail client.");
          break;
        default: break;
      }
      return TRUE;
    default: return FALSE;
  }
}

bool ShellOpen(const std::string& target) {
  // Never under test: a test must not start desktop programs.
  if (platform::InTestMode()) return false;
  std::string program = "xdg-open";
  std::string diskTarget = platform::ToFileSystemName(target);  // a file's name, or an address (plain ASCII)
  char* argv[] = {program.data(), diskTarget.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  if (waitpid(child, &status, 0) < 0) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
