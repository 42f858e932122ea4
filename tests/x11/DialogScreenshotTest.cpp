// A sample dialog with every control kind, drawn once headless and once in a
// real X window on a private Xvfb server: the X server's pixels must be the
// headless surface's, pixel for pixel. Both pictures are kept in the build
// folder (x11-sample-dialog-*.png) to be looked at.
//
// Xvfb runs without a window manager, so the window is found by its name
// and has no decoration. The test waits for the pixels to arrive by serving
// the layer's queue in short turns (at most ten seconds in all), never by
// sleeping.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Paint.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"

// It brings X11 in too: after the layer's headers.
#include "x11/Screenshots.h"
#include "x11/XvfbServer.h"

// After the layer's headers: X11's macros (None, Bool, Status) would break them.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace {

constexpr char kTitle[] = "Every control";

constexpr char kSample[] = R"(dialog 0 0 260 178
caption "Every control"
style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
control IDC_STATIC STATIC "&Name:" 7 9 30 8
control 101 EDIT "Riser 4" 40 7 90 12 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
control 102 EDIT "A multi-line edit\r\nwith two lines" 40 23 90 24 ES_MULTILINE | WS_BORDER | WS_TABSTOP
control 103 BUTTON "Options" 7 52 123 46 BS_GROUPBOX
control 104 BUTTON "&Check box" 13 63 110 10 BS_AUTOCHECKBOX | WS_TABSTOP
control 105 BUTTON "Radio &one" 13 75 110 10 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP
control 106 BUTTON "Radio &two" 13 85 110 10 BS_AUTORADIOBUTTON
control 107 LISTBOX "" 137 7 116 40 LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP
control 108 COMBOBOX "" 137 52 116 60 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
control 109 COMBOBOX "" 137 68 116 60 CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP
control 110 SCROLLBAR "" 137 86 116 10 SBS_HORZ
control 111 msctls_progress32 "" 7 104 123 10
control 112 SysTabControl32 "" 137 101 116 40 WS_TABSTOP
control 113 STATIC "32516" 7 120 21 20 SS_ICON
control IDC_STATIC STATIC "Static text beside an icon" 32 126 98 8
control IDC_STATIC STATIC "" 7 146 246 1 SS_ETCHEDHORZ
control IDOK BUTTON "OK" 149 155 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP
control IDCANCEL BUTTON "Cancel" 203 155 50 14 WS_TABSTOP
)";

const platform::ResourceEntry kResources[] = {
    {platform::ResourceType::Dialog, "EVERY_CONTROL_DIALOG", reinterpret_cast<const unsigned char*>(kSample),
     sizeof kSample - 1},
};

INT_PTR SampleProcedure(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  for (const char* text : {"Pipe", "Bend", "Valve", "Reducer"})
    SendDlgItemMessage(dialog, 107, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendDlgItemMessage(dialog, 107, LB_SETCURSEL, 1, 0);
  for (int id : {108, 109})
    for (const char* text : {"B31.1 (2016)", "B31.3 (2016)", "EN 13480 (2017)"})
      SendDlgItemMessage(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendDlgItemMessage(dialog, 108, CB_SETCURSEL, 1, 0);
  SetDlgItemText(dialog, 109, "Z662 (2015)");
  CheckDlgButton(dialog, 104, BST_CHECKED);
  CheckRadioButton(dialog, 105, 106, 106);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 30, 0};
  SetScrollInfo(GetDlgItem(dialog, 110), SB_CTL, &info, TRUE);
  SendDlgItemMessage(dialog, 111, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendDlgItemMessage(dialog, 111, PBM_SETPOS, 60, 0);
  for (const char* text : {"Code", "Misc"}) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    SendDlgItemMessage(dialog, 112, TCM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&item));
  }
  return FALSE;
}

Window FindByName(Display* display, Window parent, const char* name) {
  Window root = 0, up = 0, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
  for (unsigned index = 0; index < count && found == 0; ++index) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* title = nullptr;
    if (XGetWindowProperty(display, children[index], XA_WM_NAME, 0, 256, False, AnyPropertyType, &type, &format,
                           &items, &left, &title) == Success && title != nullptr) {
      if (format == 8 && std::string(reinterpret_cast<char*>(title), items) == name) found = children[index];
      XFree(title);
    }
    if (found == 0) found = FindByName(display, children[index], name);
  }
  if (children != nullptr) XFree(children);
  return found;
}

HWND ShowSample() {
  platform::RegisterResources(kResources, std::size(kResources));
  HWND dialog = CreateDialogParam(nullptr, "EVERY_CONTROL_DIALOG", nullptr, SampleProcedure, 0);
  EXPECT_NE(dialog, nullptr);
  ShowWindow(dialog, SW_SHOW);
  UpdateWindow(dialog);
  platform::RunUntilIdle();
  return dialog;
}

TEST(DialogScreenshotTest, XWindowShowsTheHeadlessSurface) {
  const std::string folder = QUORVEL_BINARY_DIR;
  platform::EnableTestMode(true);
  platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });

  // Headless first.
  setenv("QUORVEL_DISPLAY", "headless", 1);
  HWND dialog = ShowSample();
  Picture headless = LayerPicture(dialog, folder + "/x11-sample-dialog-headless.png");
  ASSERT_GT(headless.width, 0);
  DestroyWindow(dialog);
  platform::Shutdown();

  // Then in a real X window.
  XvfbServer server;
  const std::string display = server.Start("1280x1024x24");
  ASSERT_FALSE(display.empty()) << "Xvfb did not start";
  std::string oldDisplay = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
  setenv("DISPLAY", display.c_str(), 1);
  unsetenv("QUORVEL_DISPLAY");
  Display* x = XOpenDisplay(display.c_str());
  ASSERT_NE(x, nullptr);
  dialog = ShowSample();
  Window window = 0;
  Picture shown;
  // The presenter draws on its own connection, which tells ours nothing:
  // serve the layer's queue in short turns and look again after each one.
  auto arrived = [&] {
    XSync(x, False);
    if (window == 0) window = FindByName(x, DefaultRootWindow(x), kTitle);
    if (window == 0) return false;
    shown = ServerPicture(x, window, 0, 0, headless.width, headless.height);
    return Differences(shown, headless) == 0;
  };
  bool same = false;
  for (int turn = 0; turn < 100 && !same; ++turn) same = platform::PumpUntil(arrived, 100);
  if (!shown.pixels.empty()) WritePicture(folder + "/x11-sample-dialog-x11.png", shown);
  EXPECT_NE(window, 0u) << "no X window named \"" << kTitle << "\"";
  EXPECT_TRUE(same) << Differences(shown, headless) << " pixels differ from the headless surface";
  DestroyWindow(dialog);
  XCloseDisplay(x);
  platform::Shutdown();
  platform::RegisterResources(nullptr, 0);
  if (oldDisplay.empty()) unsetenv("DISPLAY"); else setenv("DISPLAY", oldDisplay.c_str(), 1);
  setenv("QUORVEL_DISPLAY", "headless", 1);
  platform::EnableTestMode(false);
  platform::SetFailureHandler(nullptr);
}

}  // namespace
