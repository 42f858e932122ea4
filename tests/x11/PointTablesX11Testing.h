// The fixture of the point tables' keyboard tests on a real X server under
// a window manager (openbox): the List window's model under a code that
// offers spectra and time functions, a table of the Misc menu opened and
// waited for until the server has given it the keyboard, and text typed as
// keys of the server.
#pragma once

#include <string>

#include "editing/ModelWindows.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
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
