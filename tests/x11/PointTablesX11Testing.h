// The fixture of the point tables' keyboard tests on a real X server under
// a window manager (openbox): the List window's model under a code that
// offers spectra and time functions, a table of the Misc menu opened and
// waited for until the server has given it the keyboard, and text typed as
// keys of the server.
#pragma once

#include <string>
#include <vector>

#include "editing/ModelWindows.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Dialog.h"
#include "services/Frame.h"
#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

class PointTablesX11Fixture : public OnXvfbWithWindowManager<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfbWithWindowManager<ListFixture>::SetUp();
    TheModel().options.PipingCode = 3;
  }
  // The keys of `text` (digits, letters, points and minus signs); capitals
  // with Shift held.
  static void Type(XInput& input, const std::string& text) {
    for (char c : text) {
      if (c >= 'A' && c <= 'Z') {
        input.Chord("Shift_L", std::string(1, static_cast<char>(c - 'A' + 'a')).c_str());
        continue;
      }
      const std::string key = c == '.' ? "period" : c == '-' ? "minus" : std::string(1, c);
      input.Key(key.c_str());
    }
  }
  // The message box of `lines`, closed with Return typed on the server once
  // the server has given it the keyboard; `closed` says when it is.
  static void ExpectBoxClosedByReturn(ManagedWindows& windows, XInput& input, const std::vector<std::string>& lines,
                                      bool& closed) {
    closed = false;
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&windows, &input, lines, &closed](HWND box) {
      EXPECT_EQ(LinesOfDialog(box), lines);
      platform::SyncPresenter();
      const bool focused = platform::PumpUntil(
          [&] { return windows.FocusWindow() != 0 && windows.FocusWindow() == windows.ShownWindowTitled(TextOf(box)); },
          10000);
      EXPECT_TRUE(focused) << "the message box never had the keyboard";
      input.Key("Return");
      closed = platform::PumpUntil([&] { return closed; }, 10000, [&](MSG* message) {
        if (message->message != WM_KEYDOWN || message->wParam != VK_RETURN) return false;
        closed = IsDialogMessage(box, message) != FALSE;
        return true;
      });
    });
  }
  // After a message box went: the manager has dealt with its going and the
  // List window has the keyboard again, on the server and in the program's
  // `table` (a key typed while the manager moves the focus goes where the
  // server sends it).
  static bool KeyboardBackIn(ManagedWindows& windows, HWND table) {
    platform::SyncPresenter();
    if (!windows.SyncWithManager()) return false;
    const std::string title = TextOf(ListFrame().window);
    return platform::PumpUntil(
        [&] {
          return windows.FocusWindow() != 0 && windows.FocusWindow() == windows.ShownWindowTitled(title) &&
                 GetFocus() == table;
        },
        10000);
  }
  // Opens the list of Misc command `command` in the List window and waits
  // until the server has given the List window the keyboard.
  bool OpenWithTheKeyboard(ManagedWindows& windows, int command) {
    ShowModelWindows();
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
    platform::SyncPresenter();
    if (!windows.SyncWithManager()) return false;
    const std::string title = TextOf(ListFrame().window);
    return platform::PumpUntil(
        [&] { return windows.FocusWindow() != 0 && windows.FocusWindow() == windows.ShownWindowTitled(title); },
        10000);
  }
};
