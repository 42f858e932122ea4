// The program under a window manager (openbox), as a user with a desktop
// runs it: a dialog opened from the Layout window (Options > Node
// increment...) right after a click in the Layout is stacked above the
// Layout (a manager puts a window that opens during the user's work in
// another window below that window, unless the two belong together) and
// stays above it when the user clicks the Layout it keeps disabled, takes the keyboard (keys typed
// on the server land in its field) and tells the manager it is a dialog of
// the Layout; a message box raised by the dialog's OK is stacked above the
// dialog in its turn and takes the keyboard from it, and the focus settles
// instead of swinging between the windows; a click on a frame's title gives
// that frame the keyboard. Screenshots of both moments are
// kept in the build folder (window-manager-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "editing/LayoutTable.h"
#include "model/ListTesting.h"
#include "model/Model.h"
#include "platform/TestSupport.h"

#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

// It brings X11 in too: after the program's headers. Xlib's Screen record
// would clash with the program's screen metrics, so it goes by another name.
#define Screen X11Screen
#include "x11/Screenshots.h"
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
  // The two frames placed side by side, `focused` (one of them) brought
  // forward; once the manager has shown both and given `focused` the
  // keyboard, their X windows (0s when that does not happen within 10 s).
  std::pair<unsigned long, unsigned long> SideBySide(ManagedWindows& windows, HWND left, RECT leftRect, HWND right,
                                                     RECT rightRect, HWND focused) {
    SetWindowPos(left, nullptr, leftRect.left, leftRect.top, leftRect.right - leftRect.left,
                 leftRect.bottom - leftRect.top, SWP_NOZORDER);
    SetWindowPos(right, nullptr, rightRect.left, rightRect.top, rightRect.right - rightRect.left,
                 rightRect.bottom - rightRect.top, SWP_NOZORDER);
    SetForegroundWindow(focused);
    platform::RunUntilIdle();
    platform::SyncPresenter();
    unsigned long leftId = 0, rightId = 0;
    const bool settled = platform::PumpUntil(
        [&] {
          leftId = windows.ShownWindowTitled(TextOf(left));
          rightId = windows.ShownWindowTitled(TextOf(right));
          return leftId != 0 && rightId != 0 && windows.FocusWindow() == (focused == left ? leftId : rightId);
        },
        10000);
    if (!settled || !windows.SyncWithManager()) return {0, 0};
    return {leftId, rightId};
  }
  // The Layout and List windows shown side by side, the List with the
  // focus; then a user's click in a Layout cell, which the manager sees
  // (it takes clicks on windows without the focus to give them the
  // focus) and counts as the user's latest action. The Layout's X window,
  // once it has the focus; 0 when it never gets it.
  unsigned long ClickIntoTheLayout(ManagedWindows& windows, XInput& input) {
    ShowModelWindows();
    HWND layout = LayoutFrame().window;
    SendMessage(layout, WM_COMMAND, 187, 0);  // Misc > Coordinates
    const unsigned long layoutId =
        SideBySide(windows, layout, {40, 40, 740, 460}, ListFrame().window, {760, 40, 1010, 460}, ListFrame().window)
            .first;
    LayoutTable& table = TheLayoutTable();
    POINT cell{table.x[2] + 5, table.headingHeight + table.rowHeight * 2 + table.rowHeight / 2};
    ClientToScreen(table.Window(), &cell);
    input.Click(cell.x, cell.y);
    const bool focused = platform::PumpUntil([&] { return windows.FocusWindow() == layoutId; }, 10000);
    return focused ? layoutId : 0;
  }
};

TEST_F(WindowManagerX11Test, ADialogAndItsMessageBoxOpenAboveTheirOwnersWithTheKeyboard) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  TheModel().nodeIncrement = 10;
  const unsigned long layout = ClickIntoTheLayout(windows, input);
  ASSERT_NE(layout, 0u) << "the click did not give the Layout window the focus";

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
    platform::PumpUntil([] { return false; }, 800);
    SaveScreen("window-manager-dialog.png");
    EXPECT_TRUE(settled) << "the dialog is not above the Layout with the focus (dialog " << dialog << ", focus "
                         << windows.FocusWindow() << ")";
    EXPECT_EQ(windows.TransientFor(dialog), layout);
    EXPECT_TRUE(windows.TypedAsDialog(dialog));
    // A click on the Layout, which the dialog keeps disabled: the manager
    // raises and focuses the Layout, the dialog goes up with it and takes
    // the focus back, so it never hides behind a window that answers
    // nothing.
    LayoutTable& table = TheLayoutTable();
    POINT below{table.x[2] + 5, table.headingHeight + table.rowHeight * 12};
    ClientToScreen(table.Window(), &below);
    input.Click(below.x, below.y);
    // The dialog had the focus before the click too: the manager must have
    // dealt with the click first.
    EXPECT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
    const bool back = platform::PumpUntil(
        [&] {
          return windows.FocusWindow() == dialog && windows.StackingPlace(dialog) > windows.StackingPlace(layout);
        },
        10000);
    EXPECT_TRUE(back) << "after a click on the Layout the dialog is not above it with the focus (focus "
                      << windows.FocusWindow() << ")";
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
  // At once, as a user's next click in the menu would: the manager sees a
  // window open right after the user's action in another.
  SendMessage(LayoutFrame().window, WM_COMMAND, 379, 0);  // Options > Node increment...
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(typed, "x") << "the typed key did not reach the dialog's field";
  EXPECT_NE(box, 0u);
  EXPECT_GE(focusChanges, 0);
  EXPECT_LE(focusChanges, 4) << "the focus moved " << focusChanges << " times while the message box was open";
  EXPECT_EQ(TheModel().nodeIncrement, 10);
}

// A modal dialog tells the manager so, and the manager keeps its owner
// from the keyboard: asked (as a pager or taskbar asks, with no key or
// button pressed) to activate the Layout, which the dialog keeps disabled,
// it gives the keyboard to the dialog instead, and the Layout never has it.
TEST_F(WindowManagerX11Test, AModalDialogKeepsTheKeyboardWhenItsOwnerIsActivated) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  TheModel().nodeIncrement = 10;
  const unsigned long layout = ClickIntoTheLayout(windows, input);
  ASSERT_NE(layout, 0u) << "the click did not give the Layout window the focus";
  std::string typed;
  bool layoutGotFocus = true;
  platform::ExpectModal(platform::ModalKind::Dialog, "NODE_INCREMENT_DIALOG", [&](HWND modal) {
    platform::SyncPresenter();
    unsigned long dialog = 0;
    ASSERT_TRUE(platform::PumpUntil(
        [&] {
          dialog = windows.ShownWindowTitled("Node Increment");
          return dialog != 0 && windows.FocusWindow() == dialog;
        },
        10000))
        << "the dialog did not get the keyboard";
    EXPECT_EQ(windows.TransientFor(dialog), layout);
    EXPECT_TRUE(windows.MarkedModal(dialog));
    input.WatchFocus();
    windows.ActivateAsPager(layout);
    EXPECT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
    platform::SyncPresenter();
    platform::SyncPresenter();
    platform::RunUntilIdle();
    EXPECT_TRUE(platform::PumpUntil([&] { return windows.FocusWindow() == dialog; }, 10000))
        << "the dialog lost the keyboard (focus " << windows.FocusWindow() << ")";
    layoutGotFocus = input.GotFocus(TextOf(LayoutFrame().window));
    input.Key("7");
    HWND field = GetDlgItem(modal, 1301);
    platform::PumpUntil([&] { return TextOfWindow(field) == "7"; }, 10000);
    typed = TextOfWindow(field);
    SendMessage(modal, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 379, 0);  // Options > Node increment...
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_FALSE(layoutGotFocus) << "the manager gave the keyboard to the disabled Layout";
  EXPECT_EQ(typed, "7") << "the typed key did not reach the dialog's field";
}

// In the middle of the user's work a pager, a taskbar or a window switcher
// asks the manager to activate another window of the program's, with no
// key or button pressed into a frame. The manager gives that window the
// keyboard and the program follows, as it follows the user's click; it
// never takes the keyboard back, and the manager and the program agree on
// the active window each time.
TEST_F(WindowManagerX11Test, AWindowAPagerActivatesKeepsTheKeyboard) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  ShowModelWindows();
  HWND layout = LayoutFrame().window;
  SendMessage(layout, WM_COMMAND, 187, 0);  // Misc > Coordinates
  HWND list = ListFrame().window;
  // Named variables, not a structured binding: the lambdas below take them.
  unsigned long layoutId = 0, listId = 0;
  std::tie(layoutId, listId) = SideBySide(windows, layout, {40, 40, 740, 460}, list, {760, 40, 1010, 460}, layout);
  ASSERT_NE(layoutId, 0u) << "the Layout never had the keyboard beside the List";
  const std::pair<unsigned long, HWND> steps[] = {{listId, list}, {layoutId, layout}, {listId, list}};
  for (const auto& step : steps) {
    // Named variables, not a structured binding: the lambda below takes them.
    const unsigned long id = step.first;
    const HWND window = step.second;
    windows.ActivateAsPager(id);
    EXPECT_TRUE(platform::PumpUntil([&] { return windows.FocusWindow() == id && GetActiveWindow() == window; }, 10000))
        << "the program did not follow the manager to " << TextOf(window);
    // Whatever the program made of it has reached the server.
    ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
    platform::SyncPresenter();
    platform::SyncPresenter();
    platform::RunUntilIdle();
    platform::SyncPresenter();
    ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
    EXPECT_EQ(windows.FocusWindow(), id) << "the program took the keyboard back from " << TextOf(window);
    EXPECT_EQ(windows.ManagersActiveWindow(), id);
    EXPECT_EQ(GetActiveWindow(), window);
  }
}

// The model's windows appear together: the Graphics window, then the Layout
// window over it, which the program activates. The keyboard goes to the
// Layout and stays there, though the manager saw the Graphics window appear
// too: a window is not the manager's to focus because it appeared.
TEST_F(WindowManagerX11Test, TheModelsWindowsComeUpWithTheKeyboardInTheLayout) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  ShowModelWindows();
  platform::RunUntilIdle();
  platform::SyncPresenter();
  unsigned long layout = 0, graphics = 0;
  const bool focused = platform::PumpUntil(
      [&] {
        layout = windows.ShownWindowTitled(TextOfWindow(LayoutFrame().window));
        graphics = windows.ShownWindowTitled(TextOfWindow(GraphicsFrame().window));
        return layout != 0 && graphics != 0 && windows.FocusWindow() == layout;
      },
      10000);
  EXPECT_TRUE(focused) << "the Layout window did not get the keyboard (focus " << windows.FocusWindow() << ")";
  // Whatever the manager does with the new windows, and the program's
  // answer to it.
  ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
  platform::PumpUntil(
      [&] { return windows.FocusWindow() == layout && GetActiveWindow() == LayoutFrame().window; }, 10000);
  EXPECT_EQ(windows.FocusWindow(), layout);
  EXPECT_GT(windows.StackingPlace(layout), windows.StackingPlace(graphics));
  EXPECT_EQ(GetActiveWindow(), LayoutFrame().window);
}

// The Graphics window is brought forward before the Layout window, just
// shown, ever had the keyboard; the user then clicks the Layout's title
// (the manager's decoration, which the program never sees) and types: the
// Layout is the active window and takes the key. The manager's focus that
// follows a user's click is the user's choice, however new the window is.
TEST_F(WindowManagerX11Test, AClickOnAFramesTitleGivesThatFrameTheKeyboard) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  ShowModelWindows();
  HWND layout = LayoutFrame().window, graphics = GraphicsFrame().window;
  unsigned long layoutId = 0, graphicsId = 0;
  std::tie(layoutId, graphicsId) =
      SideBySide(windows, layout, {40, 80, 600, 500}, graphics, {620, 80, 1000, 500}, graphics);
  ASSERT_NE(layoutId, 0u) << "the Graphics window never had the keyboard";
  int x = 0, y = 0;
  ASSERT_TRUE(input.PlaceOf(TextOf(layout), &x, &y));
  input.Click(x + 200, y - 6);  // on the title, just above the window
  const bool chosen = platform::PumpUntil(
      [&] { return windows.FocusWindow() == layoutId && GetForegroundWindow() == layout && GetActiveWindow() == layout; },
      10000);
  EXPECT_TRUE(chosen) << "the click on its title did not give the Layout the keyboard (focus " << windows.FocusWindow()
                      << ", Layout " << layoutId << ", Graphics " << graphicsId << ")";
  LayoutTable& table = TheLayoutTable();
  const int start = table.currentRow;
  input.Key("Down");
  EXPECT_TRUE(platform::PumpUntil([&] { return table.currentRow == start + 1; }, 10000))
      << "the key did not reach the Layout (row " << table.currentRow << ")";
  EXPECT_GT(windows.StackingPlace(layoutId), windows.StackingPlace(graphicsId));
  EXPECT_EQ(windows.FocusWindow(), layoutId);
}

// A window shown and hidden at once (as a library window gives the List
// frame back: its placement is restored, which shows it, and it is hidden)
// stays hidden: the manager, which maps a window only when it handles the
// map request, must not map it after the program has hidden it.
TEST_F(WindowManagerX11Test, AWindowShownAndHiddenAtOnceStaysHidden) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  ShowModelWindows();
  HWND list = ListFrame().window;
  ShowWindow(list, SW_HIDE);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  SetWindowText(list, "Shown and hidden at once");
  ShowWindow(list, SW_SHOWNORMAL);
  ShowWindow(list, SW_HIDE);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  // The Layout window's title changed after: once the manager shows that,
  // it has handled the List frame's requests too.
  SetWindowText(LayoutFrame().window, "After the hidden window");
  platform::RunUntilIdle();
  platform::SyncPresenter();
  const bool layoutShown =
      platform::PumpUntil([&] { return windows.ShownWindowTitled("After the hidden window") != 0; }, 10000);
  EXPECT_TRUE(layoutShown);
  const bool listShown = platform::PumpUntil(
      [&] {
        platform::SyncPresenter();
        return windows.ShownWindowTitled("Shown and hidden at once") != 0;
      },
      1500);
  EXPECT_FALSE(listShown) << "the manager mapped a window the program had hidden";
  EXPECT_FALSE(IsWindowVisible(list));
}

}  // namespace
