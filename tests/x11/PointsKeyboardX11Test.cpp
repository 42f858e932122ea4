// A response spectrum and a time function typed with the keyboard alone on a
// real X server under a window manager (openbox), as a user types them from
// Misc > Spectrums and Misc > Time functions: the name, Tab, each point's
// two values with Tab between them and Return after them, Tab past the
// grid back to the names and Return for the next name. Each Return leaves
// the keyboard in the new row's first cell; an empty entry row is refused
// with a message box that Return closes, and the keyboard is back in the
// grid. What the server shows is what the layer drew; the pictures are kept
// in the build folder (x11-points-*.png).
#include <gtest/gtest.h>

#include <string>

#include "loads/PointTablesTable.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumValuesGrid.h"
#include "loads/TimeFunctionsTable.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "services/TableWindow.h"
#include "x11/PointTablesX11Testing.h"
#include "x11/ScreenCompare.h"

namespace {

class PointsKeyboardX11Test : public PointTablesX11Fixture {
 protected:
  // One point in the entry row: abscissa, Tab, value, Return.
  static void TypePoint(XInput& input, const std::string& x, const std::string& y) {
    Type(input, x);
    input.Key("Tab");
    Type(input, y);
    input.Key("Return");
  }
  int CompareWithScreen(const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, ListFrame().window,
                                   std::string(QUORVEL_BINARY_DIR) + "/x11-points-" + name);
  }
};

TEST_F(PointsKeyboardX11Test, ASpectrumIsTypedWithTheKeyboardAlone) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  ASSERT_TRUE(OpenWithTheKeyboard(windows, 251)) << "the spectra list never had the keyboard";
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  const SpectrumList& spectra = TheModel().spectra;
  Type(input, "S1");
  input.Key("Tab");
  TypePoint(input, "1", "0.5");
  TypePoint(input, "2", "0.8");
  ASSERT_TRUE(platform::PumpUntil([&] { return grid.currentRow == 3 && !spectra.empty() && spectra[0].points.size() == 2; },
                                  10000))
      << "the second point was not taken (grid row " << grid.currentRow << ")";
  TypePoint(input, "10", "0.3");
  ASSERT_TRUE(platform::PumpUntil([&] { return grid.currentRow == 4 && spectra[0].points.size() == 3; }, 10000))
      << "the third point was not taken";
  EXPECT_EQ(GetFocus(), grid.Window());
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_EQ(CompareWithScreen("spectrum"), 0);
  // Return on the empty entry row: the message, closed with Return on the
  // server; the keyboard is back in the grid.
  SetTableMessageSink(nullptr);
  bool closed = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&](HWND box) {
    EXPECT_EQ(LinesOfDialog(box), std::vector<std::string>{"Value is required"});
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
  input.Key("Return");
  ASSERT_TRUE(platform::PumpUntil([&] { return closed; }, 10000)) << "the message box was not closed by Return";
  platform::CheckModalScript();
  // The manager has dealt with the box's going and the List window has the
  // keyboard again, on the server and in the program (a key typed while
  // the manager moves the focus goes where the server sends it).
  platform::SyncPresenter();
  ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
  const std::string title = TextOf(ListFrame().window);
  ASSERT_TRUE(platform::PumpUntil(
      [&] {
        return windows.FocusWindow() != 0 && windows.FocusWindow() == windows.ShownWindowTitled(title) &&
               GetFocus() == grid.Window();
      },
      10000))
      << "the grid did not get the keyboard back after the message";
  TypePoint(input, "33", "0.1");
  ASSERT_TRUE(platform::PumpUntil([&] { return spectra[0].points.size() == 4; }, 10000))
      << "the keyboard did not come back to the grid after the message";
  // Tab past the grid, Return on the name: the next one.
  input.Key("Tab");
  input.Key("Tab");
  input.Key("Return");
  Type(input, "S2");
  input.Key("Tab");
  TypePoint(input, "5", "1");
  ASSERT_TRUE(platform::PumpUntil([&] { return FindSpectrum(spectra, "S2") == 1 && !spectra[1].points.empty(); },
                                  10000))
      << "the second spectrum was not taken";
  ASSERT_EQ(spectra[0].points.size(), 4u);
  EXPECT_EQ(spectra[0].name, "S1");
  EXPECT_FLOAT_EQ(spectra[0].points[1].x, 2.0f);
  EXPECT_FLOAT_EQ(spectra[0].points[1].y, 0.8f);
  EXPECT_FLOAT_EQ(spectra[0].points[3].x, 33.0f);
  EXPECT_FLOAT_EQ(spectra[1].points[0].x, 5.0f);
  EXPECT_FLOAT_EQ(spectra[1].points[0].y, 1.0f);
}

TEST_F(PointsKeyboardX11Test, ATimeFunctionIsTypedWithTheKeyboardAlone) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  ASSERT_TRUE(OpenWithTheKeyboard(windows, 252)) << "the time functions never had the keyboard";
  PointsGrid& grid = TheTimeFunctionsGrid();
  const TimeFunctionList& functions = TheModel().timeFunctions;
  Type(input, "F1");
  input.Key("Tab");
  TypePoint(input, "0", "0");
  TypePoint(input, "0.1", "100");
  TypePoint(input, "0.2", "-50");
  ASSERT_TRUE(platform::PumpUntil([&] { return grid.currentRow == 4 && !functions.empty() && functions[0].points.size() == 3; },
                                  10000))
      << "the points were not taken (grid row " << grid.currentRow << ")";
  EXPECT_EQ(GetFocus(), grid.Window());
  EXPECT_EQ(CompareWithScreen("time-function"), 0);
  input.Key("Tab");
  input.Key("Tab");
  input.Key("Return");
  Type(input, "F2");
  input.Key("Tab");
  TypePoint(input, "0.5", "5");
  ASSERT_TRUE(platform::PumpUntil(
      [&] { return functions.size() >= 2 && functions[1].name == "F2" && functions[1].points.size() == 1; }, 10000))
      << "the second function was not taken";
  EXPECT_EQ(functions[0].name, "F1");
  EXPECT_FLOAT_EQ(functions[0].points[1].x, 0.1f);
  EXPECT_FLOAT_EQ(functions[0].points[2].y, -50.0f);
  EXPECT_FLOAT_EQ(functions[1].points[0].y, 5.0f);
}

}  // namespace
