// The program under a window manager (openbox), as a user with a desktop
// runs it: a dialog opened from the Layout window (Options > Node
// increment...) is stacked above the Layout, takes the keyboard (keys typed
// on the server land in its field) and tells the manager it is a dialog of
// the Layout; a message box raised by the dialog's OK is stacked above the
// dialog in its turn and takes the keyboard from it, and the focus settles
// instead of swinging between the windows. Screenshots of both moments are
// kept in the build folder (window-manager-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "model/LayoutTable.h"
#include "model/ListTesting.h"
#include "model/Model.h"
#include "platform/TestSupport.h"

#include "WindowManager.h"
#include "XInput.h"
#include "XvfbServer.h"

// It brings X11 in too: after the program's headers. Xlib's Screen record
// would clash with the program's screen metrics, so it goes by another name.
#define Screen X11Screen
#include "Screenshots.h"
#undef Screen

namespace {

class WindowManagerX11Test : public OnXvfbWithWindowManager<ListFixture> {
 protected:
  void SaveScreen(const std::string& path) {
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr) return;
    const int width = DisplayWidth(x, DefaultScreen(x)), height = DisplayHeight(x, DefaultScreen(x));
    WritePicture(path, ServerPicture(x, DefaultRootWindow(x), 0, 0, width, height));
    XCloseDisplay(x);
  }
  // The Layout window shown, placed and focused; its X window.
  unsigned long ShowLayout(ManagedWindows& windows) {
    ShowModelWindows();
    HWND layout = LayoutFrame().window;
    SetWindowPos(layout, nullptr, 40, 40, 700, 420, SWP_NOZORDER);
    SetForegroundWindow(layout);
    platform::RunUntilIdle();
    platform::SyncPresenter();
    unsigned long id = 0;
    platform::PumpUntil([&] { return (id = windows.ShownWindowTitled(TextOf(layout))) != 0 && windows.FocusWindow() == id; },
                        10000);
    return id;
  }
};

TEST_F(WindowManagerX11Test, ADialogAndItsMessageBoxOpenAboveTheirOwnersWithTheKeyboard) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  const unsigned long layout = ShowLayout(windows);
  ASSERT_NE(layout, 0u) << "the Layout window is not shown with the focus";
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  TheModel().nodeIncrement = 10;

  unsigned long dialog = 0, box = 0;
  int focusChanges = -1;
  std::string typed;
  platform::ExpectModal(platform::ModalKind::Dialog, "NODE_INCREMENT_DIALOG", [&](HWND modal) {
    platform::SyncPresenter();
    const bool settled = platform::PumpUntil(
        [&] {
          dialog = windows.ShownWindowTitled("Node Increment");
          return dialog != 0 && windows.FocusWindow() == dialog &&
                 windows.StackingPlace(dialog) > windows.StackingPlace(layout);
        },
        10000);
    SaveScreen("window-manager-dialog.png");
    EXPECT_TRUE(settled) << "the dialog is not above the Layout with the focus (dialog " << dialog << ", focus "
                         << windows.FocusWindow() << ")";
    EXPECT_EQ(windows.TransientFor(dialog), layout);
    EXPECT_TRUE(windows.TypedAsDialog(dialog));
    // Keys typed on the server reach the dialog's field, which opened with
    // its text selected.
    input.Key("x");
    HWND field = GetDlgItem(modal, 1301);
    platform::PumpUntil([&] { return TextOfWindow(field) == "x"; }, 10000);
    typed = TextOfWindow(field);
    // OK refuses the text: a message box over the dialog.
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&](HWND message) {
      input.WatchFocus();
      platform::SyncPresenter();
      const bool above = platform::PumpUntil(
          [&] {
            box = windows.ShownTransientOf(dialog);
            return box != 0 && windows.FocusWindow() == box &&
                   windows.StackingPlace(box) > windows.StackingPlace(dialog);
          },
          10000);
      platform::PumpUntil([] { return false; }, 1000);  // whatever the box set going runs its course
      focusChanges = input.FocusChanges();
      SaveScreen("window-manager-message.png");
      EXPECT_TRUE(above) << "the message box is not above its dialog with the focus";
      EXPECT_TRUE(windows.TypedAsDialog(box));
      SendMessage(message, WM_COMMAND, IDOK, 0);
    });
    SendMessage(modal, WM_COMMAND, IDOK, 0);
    SendMessage(modal, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 379, 0);  // Options > Node increment...
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(typed, "x") << "the typed key did not reach the dialog's field";
  EXPECT_NE(box, 0u);
  EXPECT_GE(focusChanges, 0);
  EXPECT_LE(focusChanges, 4) << "the focus moved " << focusChanges << " times while the message box was open";
  EXPECT_EQ(TheModel().nodeIncrement, 10);
}

}  // namespace
