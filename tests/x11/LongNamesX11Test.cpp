// Names longer than their cell typed on a real X server under a window
// manager (openbox), one key at a time as a user types them: into the
// Spectrums table (Misc > Spectrums) and the Time functions table. The Name
// column widens, the view follows the caret, and every character lands
// where the caret stood: the stored name is the typed one. The pictures are
// kept in the build folder (x11-long-name-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/ModelWindows.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "services/Frame.h"
#include "x11/ScreenCompare.h"
#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

namespace {

class LongNamesX11Test : public OnXvfbWithWindowManager<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfbWithWindowManager<ListFixture>::SetUp();
    TheModel().options.PipingCode = 3;
  }
  // Opens the list of Misc command `command` and waits until the server
  // has given the List window the keyboard.
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
  // The name's keys (capitals with Shift held), then Return.
  static void TypeName(XInput& input, const std::string& name) {
    for (char c : name) {
      const std::string key(1, static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
      if (c >= 'A' && c <= 'Z')
        input.Chord("Shift_L", key.c_str());
      else
        input.Key(key.c_str());
    }
    input.Key("Return");
  }
};

TEST_F(LongNamesX11Test, ALongNameIsStoredAsTyped) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  ASSERT_TRUE(OpenWithTheKeyboard(windows, 251)) << "the spectra list never had the keyboard";
  const std::string spectrum = "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
  TypeName(input, spectrum);
  const SpectrumList& spectra = TheModel().spectra;
  ASSERT_TRUE(platform::PumpUntil([&] { return HasSpectra(spectra) && spectra[0].name.size() == spectrum.size(); },
                                  10000))
      << "the name was not stored";
  EXPECT_EQ(spectra[0].name, spectrum);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ListFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-long-name-spectrum"),
            0);
  ASSERT_TRUE(OpenWithTheKeyboard(windows, 252)) << "the time functions never had the keyboard";
  const std::string function = "abcdefghijklmnopqrst";
  TypeName(input, function);
  const TimeFunctionList& functions = TheModel().timeFunctions;
  ASSERT_TRUE(platform::PumpUntil(
      [&] { return HasTimeFunctions(functions) && functions[0].name.size() == function.size(); }, 10000))
      << "the name was not stored";
  EXPECT_EQ(functions[0].name, function);
}

}  // namespace
