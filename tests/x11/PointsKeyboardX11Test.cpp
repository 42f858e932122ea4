// A response spectrum and a time function typed with the keyboard alone on a
// real X server under a window manager (openbox), as a user types them from
// Misc > Spectrums and Misc > Time functions: the name, Tab, each point's
// two values with Tab between them and Return after them, Tab past the
// grid back to the names and Return for the next name. Each Return leaves
// the keyboard in the new row's first cell; an empty entry row is refused
// with a message box that Return closes, and the keyboard is back in the
// grid. A modulus refused on the materials' temperature pane's entry row,
// its message closed with Return: the row keeps its temperature and the
// keyboard is back in E with the refused text. What the server shows is
// what the layer drew; the pictures are kept in the build folder
// (x11-points-*.png).
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "loads/PointTablesTable.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumValuesGrid.h"
#include "loads/TimeFunctionsTable.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "properties/MaterialPropertyTable.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "services/ListFrameState.h"
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
  ExpectBoxClosedByReturn(windows, input, {"Value is required"}, closed);
  input.Key("Return");
  ASSERT_TRUE(platform::PumpUntil([&] { return closed; }, 10000)) << "the message box was not closed by Return";
  platform::CheckModalScript();
  ASSERT_TRUE(KeyboardBackIn(windows, grid.Window())) << "the grid did not get the keyboard back after the message";
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

TEST_F(PointsKeyboardX11Test, ARefusedModulusKeepsTheTemperatureRowAndTheKeyboardInE) {
  ManagedWindows windows(display_);
  XInput input(display_);
  ASSERT_TRUE(windows.ok() && input.ok());
  TheModel().materials[1].description = "Steel";
  TheLayoutTable().currentRow = TheModel().currentRow = 2;  // its row names the material
  ASSERT_TRUE(OpenWithTheKeyboard(windows, 188)) << "the materials never had the keyboard";
  MaterialPropertyPane& pane = TheMaterialPropertyPane();
  ASSERT_EQ(pane.record, 1);
  SetFocus(pane.Window());
  TableGoTo(pane, 2);
  SetTableMessageSink(nullptr);
  bool closed = false;
  ExpectBoxClosedByReturn(windows, input, {"Modulus =  Q  is invalid"}, closed);
  Type(input, "300");
  input.Key("Tab");
  input.Key("q");
  input.Key("Tab");
  ASSERT_TRUE(platform::PumpUntil([&] { return closed; }, 10000)) << "the message box was not closed by Return";
  platform::CheckModalScript();
  ASSERT_TRUE(KeyboardBackIn(windows, pane.Window())) << "the pane did not get the keyboard back after the message";
  EXPECT_EQ(pane.currentColumn, 2);
  EXPECT_EQ(pane.editBuffer, "Q");
  input.Key("BackSpace");
  Type(input, "2.75E7");
  input.Key("Return");
  ASSERT_TRUE(platform::PumpUntil([&] { return pane.rowCount == 3; }, 10000)) << "the row was not entered";
  EXPECT_EQ(CompareWithScreen("temperatures"), 0);
  SetFocus(ListTableWindow(0));
  const Material& m = TheModel().materials[1];
  ASSERT_EQ(m.numtemps, 2);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatTemperature], 300.0f);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatModulus], 2.75e7f);
}

}  // namespace
