// The loads' dialogs, lists and the analysis options sheet in real X windows
// on a private Xvfb server: each is opened through its command, and what
// the X server shows must be what the layer drew, pixel for pixel; the
// pictures are kept in the build folder (x11-loads-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "analysis/AnalysisOptionsSheet.h"
#include "editing/ModelWindows.h"
#include "loads/LoadsTesting.h"
#include "loads/PipeLoadsTable.h"
#include "model/ListWindow.h"
#include "model/Regenerate.h"
#include "platform/PropertySheet.h"
#include "records/LoadCaseList.h"
#include "services/NumberText.h"
#include "supports/DisplacementSets.h"

#include "services/ListFrameState.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class LoadsX11Test : public OnXvfb<LoadsFixture> {
 protected:
  int Compare(HWND window, const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-loads-" + name);
  }
  // Opens the dialog `dialogName` with Layout command `command` and pictures it.
  void Picture(int command, const std::string& dialogName, const std::string& name,
               const std::function<void(HWND)>& prepare = {}) {
    int differing = -1;
    Expect(dialogName, [&](HWND dialog) {
      if (prepare) prepare(dialog);
      differing = Compare(dialog, name);
      Press(dialog, IDCANCEL);
    });
    Layout(command);
    EXPECT_EQ(differing, 0) << name;
  }
  static void AFewLoads() {
    Model& model = TheModel();
    PipeLoad hot;
    InitPipeLoad(hot, 70.0f);
    hot.name = "STEAM";
    hot.operating[0] = {650.0f, 300.0f};
    hot.operating[1] = {450.0f, 250.0f};
    hot.designTemperature = 700.0f;
    hot.designPressure = 350.0f;
    hot.specificGravity = 0.85f;
    AppendPipeLoad(model.pipeLoads, hot);
    model.options.ThermalLoadCount = 2;
    model.seismic.g = {0.15f, 0.0f, 0.1f};
    model.wind.profileIsVelocity = 1;
    model.wind.loads[0].direction = {1.0f, 0.0f, 0.0f};
    model.wind.loads[0].velocityProfile = {{kExplicitZero, 60.0f}, {1200.0f, 100.0f}, {2400.0f, 120.0f}};
    ResponseSpectrum spectrum;
    spectrum.name = "Design basis earthquake";
    spectrum.ordinateUnit = kOrdinateG;
    spectrum.points = {{1.0f, 77.28f}, {10.0f, 386.4f}};
    SetLastSpectrum(model.spectra, spectrum);
    SetDirectionSpectrum(model.spectrumLoad, 0, spectrum.name, 1.0f);
  }
};

TEST_F(LoadsX11Test, TheLoadsDialogsAreOnTheScreen) {
  ShowModelWindows();
  AFewLoads();
  ShowWindow(ListFrame().window, SW_HIDE);
  platform::RunUntilIdle();
  Picture(231, "LOAD_CASES12_DIALOG", "load-cases");
  Picture(232, "SEISMIC_DIALOG", "seismic");
  Picture(233, "WIND_DIALOG", "wind");
  Picture(234, "SPECTRUM_DIALOG", "spectrum-load");
  // Ten thermal loads and a cut pipe: the widest load-case dialog.
  TheModel().options.ThermalLoadCount = 10;
  TheModel().row(3).elementType = ElementType::CutPipe;
  TheModel().row(3).element = CreateElementData(ElementType::CutPipe);
  Picture(231, "LOAD_CASES110_DIALOG", "load-cases-extended");
  // Twelve sets of displacements on the anchor.
  TheModel().options.PipingCode = 21;
  SpecifiedDisplacements& sets = *RowDisplacements(TheModel().row(1));
  sets.flags[0] = sets.flags[kSettlementSlot] = 1;
  sets.sets = std::make_unique<DisplacementSets>();
  sets.sets->values[1] = 0.5f;
  sets.sets->values[70] = 1.25f;
  RegenerateModel(TheModel());
  int differing = -1;
  Expect("SPEC_DISPL12_DIALOG", [&](HWND dialog) {
    differing = Compare(dialog, "displacements");
    Press(dialog, IDCANCEL);
  });
  Layout(286);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(Compare(ListFrame().window, "displacements-list"), 0);
  SetFocus(ListTableWindow(0));
  List(113);
  EXPECT_EQ(differing, 0);
}

TEST_F(LoadsX11Test, TheLoadsListTheLoadDialogAndTheSpectraListAreOnTheScreen) {
  ShowModelWindows();
  AFewLoads();
  Layout(190);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  EXPECT_EQ(Compare(ListFrame().window, "pipe-loads"), 0);
  int differing = -1;
  Expect("LOAD_DIALOG", [&](HWND dialog) {
    differing = Compare(dialog, "load-dialog");
    Press(dialog, IDCANCEL);
  });
  SetFocus(ListTableWindow(0));
  TableGoTo(ThePipeLoadsTable(), 2);
  List(113);
  EXPECT_EQ(differing, 0);
  List(251);
  EXPECT_EQ(Compare(ListFrame().window, "spectra"), 0);
  differing = -1;
  Expect("SPECTRUM_OPTIONS_DIALOG", [&](HWND dialog) {
    differing = Compare(dialog, "spectrum-options");
    Press(dialog, IDCANCEL);
  });
  List(306);
  EXPECT_EQ(differing, 0);
}

TEST_F(LoadsX11Test, TheAnalysisOptionsPagesAreOnTheScreen) {
  ShowModelWindows();
  ShowWindow(ListFrame().window, SW_HIDE);
  OptionsStartPage() = 0;
  std::vector<int> differing;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Analysis Options", [&](HWND sheet) {
    HWND code = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    SendDlgItemMessage(code, 1201, CB_SETCURSEL, 22, 0);  // Z184: the location factors
    SendMessage(code, WM_COMMAND, MAKEWPARAM(1201, CBN_SELENDOK), 0);
    differing.push_back(Compare(sheet, "options-code"));
    const char* names[] = {"", "options-temperature", "options-pressure", "options-dynamics", "options-misc"};
    for (int page = 1; page <= 4; ++page) {
      SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
      differing.push_back(Compare(sheet, names[page]));
    }
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  Layout(259);
  EXPECT_EQ(differing, std::vector<int>(5, 0));
}

}  // namespace
