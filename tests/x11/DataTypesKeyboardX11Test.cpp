// The Data Types picker on a real X server under openbox: "&Guide" and
// "&Generic Support" share their letter, so Alt+G twice and Return pick the
// second for the row.
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "editing/TypePickers.h"
#include "model/ListTesting.h"
#include "services/Frame.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

namespace {

using DataTypesKeyboardX11Test = OnXvfbWithWindowManager<ListFixture>;

TEST_F(DataTypesKeyboardX11Test, AltGTwiceAndReturnPickGenericSupport) {
  ManagedWindows windows(display_);
  XInput input(display_);
  ShowModelWindows();
  TableGoTo(TheLayoutTable(), 3);
  g_DataTypeChoice = 0;
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [&](HWND dialog) {
    platform::SyncPresenter();
    const std::string title = TextOf(dialog);
    ASSERT_TRUE(windows.SyncWithManager() && platform::PumpUntil([&] { return input.HasFocus(title); }, 10000));
    for (int press = 0; press < 2; ++press) input.Chord("Alt_L", "g");
    input.Key("Return");
    // The picker's keys, as its modal loop takes them, until it has chosen.
    EXPECT_TRUE(platform::PumpUntil([] { return g_DataTypeChoice != 0; }, 10000, [dialog](MSG* message) {
      if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return false;
      IsDialogMessage(dialog, message);
      return true;
    }));
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 183, 0);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().row(3).dataType, DataType::GenericSupport);
}

}  // namespace
