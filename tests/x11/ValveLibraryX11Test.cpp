// A new valve library in a real X window under a window manager (openbox):
// its first valve typed with the keyboard as a user types it, Tab from each
// cell to the next and Return at the end, reaches the library with every
// cell where it was typed; what the server shows is what the layer drew.
// The pictures are kept in the build folder (x11-valve-*.png).
#include <gtest/gtest.h>

#include <string>

#include "editing/ModelWindows.h"
#include "editing/NewDocument.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Dialog.h"
#include "properties/ValveLibrary.h"
#include "properties/ValveLibraryWindow.h"
#include "services/Frame.h"
#include "services/TableWindow.h"
#include "x11/ScreenCompare.h"
#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

namespace {

class ValveLibraryX11Test : public OnXvfbWithWindowManager<ListFixture> {
 protected:
  void TearDown() override {
    TheValveLibrary().modified = false;
    CloseValveLibraryWindow();
    ClearValveLibrary(TheValveLibrary());
    OnXvfbWithWindowManager<ListFixture>::TearDown();
  }
  // The keys of `text` (letters, digits, blanks and points); capitals with
  // Shift held.
  static void Type(XInput& input, const std::string& text) {
    for (char c : text) {
      if (c >= 'A' && c <= 'Z') {
        input.Chord("Shift_L", std::string(1, static_cast<char>(c - 'A' + 'a')).c_str());
        continue;
      }
      const std::string key = c == ' ' ? "space" : c == '.' ? "period" : std::string(1, c);
      input.Key(key.c_str());
    }
  }
  int CompareWithScreen(const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, ListFrame().window,
                                   std::string(QUORVEL_BINARY_DIR) + "/x11-valve-" + name);
  }
};

TEST_F(ValveLibraryX11Test, TheFirstValveOfANewLibraryIsTypedWithTabFromCellToCell) {
  ShowModelWindows();
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { Click(GetDlgItem(dialog, 1004)); });
  NewDocumentDialog(MainFrame().window);
  platform::CheckModalScript();
  ASSERT_TRUE(ValveLibraryWindowOpen());
  platform::SyncPresenter();
  const std::string title = TextOf(ListFrame().window);
  // Once the manager has dealt with the model's windows that appeared with
  // the library (the Graphics window among them, whose thread would take
  // keys typed while the manager gave it the focus).
  ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
  ASSERT_TRUE(platform::PumpUntil(
      [&] { return windows.FocusWindow() != 0 && windows.FocusWindow() == windows.ShownWindowTitled(title); }, 10000))
      << "the valve library never had the keyboard";
  EXPECT_EQ(CompareWithScreen("new"), 0);

  const ValveLibrary& library = TheValveLibrary();
  const char* const cells[] = {"Gate valve", "4", "4.5", "150", "FL", "9", "120"};
  for (int column = 1; column <= 7; ++column) {
    Type(input, cells[column - 1]);
    input.Key(column < 7 ? "Tab" : "Return");
  }
  ASSERT_TRUE(platform::PumpUntil([&] { return library.entries.count == 1 && ValveLibraryTable().currentRow == 2; },
                                  10000))
      << "the valve was not taken";
  const ValveLibraryEntry& gate = library.entries[1];
  EXPECT_EQ(gate.description, "Gate valve");
  EXPECT_EQ(gate.nominalSize, "4");
  EXPECT_EQ(gate.outsideDiameter, 4.5f);
  EXPECT_EQ(gate.rating, "150  ");
  EXPECT_EQ(gate.connectionType, "FL");
  EXPECT_EQ(gate.length, 108.0f);  // 9 ft, in the length unit ft'in"
  EXPECT_EQ(gate.weight, 120.0f);
  EXPECT_EQ(ValveLibraryTable().rowCount, 2);
  EXPECT_NE(TextOf(ListFrame().window).find("Valve Library  (1)"), std::string::npos);
  EXPECT_EQ(CompareWithScreen("typed"), 0);
}

}  // namespace
