// The Data Types picker driven with the keyboard on a real X server under a
// window manager (openbox): "&Guide" and "&Generic Support" share their
// letter, so Alt+G reaches the one, Alt+G again the other, and Return picks
// it for the row.
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "editing/TypePickers.h"
#include "model/ListTesting.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "services/Frame.h"
#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

namespace {

using DataTypesKeyboardX11Test = OnXvfbWithWindowManager<ListFixture>;

TEST_F(DataTypesKeyboardX11Test, AltGTwiceAndReturnPickGenericSupport) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  ShowModelWindows();
  TableGoTo(TheLayoutTable(), 3);
  platform::RunUntilIdle();
  g_DataTypeChoice = 0;
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [&](HWND dialog) {
    platform::SyncPresenter();
    ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
    const std::string title = TextOf(dialog);
    ASSERT_TRUE(platform::PumpUntil(
        [&] { return windows.FocusWindow() != 0 && windows.FocusWindow() == windows.ShownWindowTitled(title); },
        10000))
        << "the picker never had the keyboard";
    input.Chord("Alt_L", "g");
    input.Chord("Alt_L", "g");
    input.Key("Return");
    // The picker's keys, as its modal loop takes them, until it has chosen.
    EXPECT_TRUE(platform::PumpUntil([] { return g_DataTypeChoice != 0; }, 10000, [dialog](MSG* message) {
      if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return false;
      IsDialogMessage(dialog, message);
      return true;
    })) << "the picker chose nothing";
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 183, 0);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().row(3).dataType, DataType::GenericSupport);
}

}  // namespace
