// The dialogs and lists of forces and the dynamic loads on a private Xvfb
// server under a window manager (openbox), as a user with a desktop sees
// them: each opened through its command reaches the screen with its
// title, and the screen is kept in the build folder (x11-dynamic-*.png)
// to be looked at.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "files/FileCommands.h"
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/LoadsTesting.h"
#include "loads/SpectrumLibrary.h"
#include "loads/SpectrumLibraryWindow.h"
#include "loads/TimeVaryingLoad.h"
#include "model/ListWindow.h"
#include "model/RowOperations.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "records/ForceSpectrum.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "services/NumberText.h"
#include "services/Settings.h"

#include "x11/WindowManager.h"
#include "x11/XvfbServer.h"

// X11 last, under another name for its Screen record (the program has one).
#define Screen X11Screen
#include "x11/Screenshots.h"
#undef Screen

namespace {

class DynamicLoadsX11Test : public OnXvfbWithWindowManager<LoadsFixture> {
 protected:
  void SetUp() override {
    OnXvfbWithWindowManager<LoadsFixture>::SetUp();
    MakeModel(TheModel());
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  // Waits until the server shows a window titled `title` and keeps the
  // screen as x11-dynamic-<name>.png; false when it never shows.
  bool OnScreen(const std::string& title, const std::string& name) {
    ManagedWindows windows(display_);
    if (!windows.ok()) return false;
    platform::RunUntilIdle();
    const bool shown = platform::PumpUntil(
        [&] {
          platform::SyncPresenter();
          return windows.ShownWindowTitled(title) != 0;
        },
        10000);
    SaveScreen(std::string(QUORVEL_BINARY_DIR) + "/x11-dynamic-" + name + ".png");
    return shown;
  }
  // A window whose title may still change while the messages the test
  // posted run: the title is read again while waiting.
  bool OnScreen(HWND window, const std::string& name) {
    ManagedWindows windows(display_);
    if (!windows.ok()) return false;
    platform::RunUntilIdle();
    const bool shown = platform::PumpUntil(
        [&] {
          platform::SyncPresenter();
          return windows.ShownWindowTitled(TextOf(window)) != 0;
        },
        10000);
    SaveScreen(std::string(QUORVEL_BINARY_DIR) + "/x11-dynamic-" + name + ".png");
    return shown;
  }
  bool GoneFromScreen(const std::string& title) {
    ManagedWindows windows(display_);
    if (!windows.ok()) return false;
    platform::RunUntilIdle();
    return platform::PumpUntil(
        [&] {
          platform::SyncPresenter();
          return windows.ShownWindowTitled(title) == 0;
        },
        10000);
  }
  void SaveScreen(const std::string& path) {
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr) return;
    const int width = DisplayWidth(x, DefaultScreen(x)), height = DisplayHeight(x, DefaultScreen(x));
    WritePicture(path, ServerPicture(x, DefaultRootWindow(x), 0, 0, width, height));
    XCloseDisplay(x);
  }
  // The dialog `dialogName` opened by `open`, pictured, then cancelled.
  void PictureDialog(const std::string& dialogName, const std::string& name, const std::function<void()>& open) {
    bool shown = false;
    Expect(dialogName, [&](HWND dialog) {
      shown = OnScreen(TextOf(dialog), name);
      Press(dialog, IDCANCEL);
    });
    open();
    platform::CheckModalScript();
    EXPECT_TRUE(shown) << name;
  }
  // A double click on the data column of `row` of the Layout table.
  static void EditData(int row) {
    LayoutTable& table = TheLayoutTable();
    TableGoTo(table, row);
    table.currentColumn = 9;
    table.DoubleClick();
    platform::RunUntilIdle();
  }
  static void PlaceItems() {
    Model& model = TheModel();
    model.options.ThermalLoadCount = 3;
    auto& force = static_cast<NodalForce&>(*SetDataType(model, 3, DataType::Force));
    force.FY = -1500.0f;
    force.MZ = 24000.0f;
    force.AddedTo = 2;
    auto& harmonic = static_cast<HarmonicLoad&>(*SetDataType(model, 4, DataType::HarmonicLoad));
    harmonic.Frequency = 12.5f;
    harmonic.Phase = 90.0f;
    harmonic.FX = 400.0f;
    model.harmonic.damping = 3.0f;
    SetLastTimeFunction(model.timeFunctions, "Water hammer V-12",
                        {{kExplicitZero, kExplicitZero}, {0.02f, 1250.0f}, {0.05f, -300.0f}, {0.2f, kExplicitZero}});
    SetLastTimeFunction(model.timeFunctions, "Step", {{0.1f, kExplicitZero}, {0.1001f, 1.0f}});
    auto& varying = static_cast<TimeVaryingLoad&>(*SetDataType(model, 2, DataType::TimeVaryingLoad));
    varying.Direction = 2;
    varying.TimeFunctionName = "Water hammer V-12";
    varying.ScaleFactor = 1.25f;
    model.timeHistory = {0.001f, 2000, 5, 1, 2.0f};
    model.forceSpectra.insert(model.forceSpectra.begin(),
                              NamedPoints{"Slug at E-4", {{kExplicitZero, kExplicitZero}, {5.0f, 1850.0f}, {10.0f, 2000.0f}}});
    const int last = AddRow(model, 50, ElementType::Pipe, 12.0f);
    auto& spectral = static_cast<ForceSpectrumLoad&>(*SetDataType(model, last, DataType::ForceSpectrumLoad));
    spectral.Direction = 4;
    spectral.Units = 2;
    spectral.SpectrumName = "Slug at E-4";
    MakeModel(model);
  }
};

TEST_F(DynamicLoadsX11Test, TheForceDialogListAndArrowsAreOnTheScreen) {
  PlaceItems();
  PictureDialog("FORCE_DIALOG", "force-dialog", [] { EditData(3); });
  TheModel().options.ThermalLoadCount = 10;
  PictureDialog("FORCE_DIALOG", "force-dialog-ten", [] { EditData(3); });
  Layout(187);  // the List frame up with a list, then the forces
  ChooseList("&Forces");
  SetForegroundWindow(ListFrame().window);
  EXPECT_TRUE(OnScreen(ListFrame().window, "forces-list"));
  Layout(253);
  EXPECT_TRUE(OnScreen(TextOf(GraphicsFrame().window), "force-arrows"));
}

TEST_F(DynamicLoadsX11Test, TheHarmonicDialogsAndListAreOnTheScreen) {
  PlaceItems();
  PictureDialog("HARMONIC_LOAD_DIALOG", "harmonic-load-dialog", [] { EditData(4); });
  PictureDialog("HARMONIC_DIALOG", "harmonic-dialog", [] { Layout(235); });
  Layout(187);
  ChooseList("&Harmonic loads");
  SetForegroundWindow(ListFrame().window);
  EXPECT_TRUE(OnScreen(ListFrame().window, "harmonic-list"));
}

TEST_F(DynamicLoadsX11Test, TheTimeFunctionsAndTheirGridAreOnTheScreen) {
  PlaceItems();
  Layout(252);
  SetForegroundWindow(ListFrame().window);
  EXPECT_TRUE(OnScreen(ListFrame().window, "time-functions"));
}

TEST_F(DynamicLoadsX11Test, TheTimeVaryingLoadsAndTheTimeHistoryOptionsAreOnTheScreen) {
  PlaceItems();
  PictureDialog("TIME_VARYING_LOAD_DIALOG", "time-varying-load-dialog", [] { EditData(2); });
  PictureDialog("TIME_HISTORY_DIALOG", "time-history-dialog", [] { Layout(223); });
  Layout(187);
  ChooseList("&Time Varying Loads");
  SetForegroundWindow(ListFrame().window);
  EXPECT_TRUE(OnScreen(ListFrame().window, "time-varying-list"));
}

TEST_F(DynamicLoadsX11Test, TheForceSpectraTheirToolsAndLoadsAreOnTheScreen) {
  PlaceItems();
  PictureDialog("FORCE_SPECTRUM_LOAD_DIALOG", "force-spectrum-load-dialog", [] { EditData(6); });
  PictureDialog("RELIEF_VALVE_LOADING", "relief-valve-dialog", [] { Layout(397); });
  Layout(376);
  SetForegroundWindow(ListFrame().window);
  EXPECT_TRUE(OnScreen(ListFrame().window, "force-spectra"));
  PictureDialog("CONVERT_TIME_FUNCTION", "convert-dialog", [] { List(377); });
  Layout(187);
  ChooseList("&Force sp loads");
  SetForegroundWindow(ListFrame().window);
  EXPECT_TRUE(OnScreen(ListFrame().window, "force-spectrum-loads"));
}

TEST_F(DynamicLoadsX11Test, TheSpectrumLibraryWindowTheValuesGridAndThePickerAreOnTheScreen) {
  ResponseSpectrum dbe;
  dbe.name = "DBE 5 % damping";
  dbe.ordinateUnit = kOrdinateG;
  dbe.points = {{0.5f, 0.12f * 386.4f}, {2.0f, 0.45f * 386.4f}, {8.0f, 0.45f * 386.4f}, {33.0f, 0.2f * 386.4f}};
  ResponseSpectrum obe = dbe;
  obe.name = "OBE";
  const std::string path = Path("site.spe");
  WriteSpectrumLibraryFile(path, {dbe, obe});
  ASSERT_TRUE(OpenFileByExtension(nullptr, path));
  EXPECT_TRUE(OnScreen(ListFrame().window, "spectrum-library"));
  const std::string library = TextOf(ListFrame().window);
  CloseSpectrumLibrary();
  // The List window shows again at once: first let the manager see the
  // library's window go, as a user never reopens it within a moment.
  EXPECT_TRUE(GoneFromScreen(library));
  MakeModel(TheModel());
  ShowModelWindows();
  SetLastSpectrum(TheModel().spectra, dbe);
  Layout(251);
  SetForegroundWindow(ListFrame().window);
  EXPECT_TRUE(OnScreen(ListFrame().window, "spectra-grid"));
  ProgramPreferences().spectrumLibraryPath = path;
  TheSpectrumLibrary() = SpectrumLibraryState{};
  PictureDialog("LIBRARY_USE_DIALOG", "library-picker", [] { List(270); });
}

}  // namespace
