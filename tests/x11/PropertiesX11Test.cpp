// The properties' windows in real X windows on a private Xvfb server: the
// Materials list with its property pane, the Pipe Sections list of the
// sample model and a Soils list, the material, properties, section,
// insulation, soil (cohesionless and cohesive), picker,
// Delete Rows and Generate Rows dialogs. What the X server shows must be
// what the layer drew, pixel for pixel; the pictures are kept in the build
// folder (x11-properties-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "files/ModelFile.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "properties/SoilsTable.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class PropertiesX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    Model sample;
    ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", sample);
    SwapModel(sample);
    TheModel().modified = false;
    ShowModelWindows();
    TheModel().currentRow = 3;
    platform::RunUntilIdle();
  }
  int CompareWithScreen(HWND window, const std::string& name) {
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-properties-" + name);
  }
  // Runs `command` on the Layout frame and pictures the dialog it opens.
  void PictureDialog(const char* templateName, int command, const std::string& name,
                     const std::function<void(HWND)>& before = nullptr) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&](HWND dialog) {
      if (before) before(dialog);
      platform::RunUntilIdle();
      pictured = CompareWithScreen(dialog, name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    TheLayoutTable().currentRow = 3;
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
    EXPECT_EQ(pictured, 0) << name;
  }
};

TEST_F(PropertiesX11Test, TheListsAreOnTheScreen) {
  ShowListByOpener(OpenMaterialsTable);
  platform::RunUntilIdle();
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  ASSERT_EQ(TheMaterialsTable().rowCount, 3);
  EXPECT_EQ(CompareWithScreen(ListFrame().window, "materials"), 0);
  ShowListByOpener(OpenSectionsTable);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWithScreen(ListFrame().window, "sections"), 0);
}

TEST_F(PropertiesX11Test, TheDialogsAreOnTheScreen) {
  PictureDialog("MATERIAL3_DIALOG", 283, "material");
  PictureDialog("MATERIAL3_DIALOG", 283, "material-properties", [this](HWND dialog) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_PROPERTIES_DIALOG", [&](HWND properties) {
      platform::RunUntilIdle();
      pictured = CompareWithScreen(properties, "properties");
      SendMessage(properties, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(pictured, 0);
  });
  PictureDialog("SECTION_DIALOG", 284, "section");
  PictureDialog("SECTION_DIALOG", 284, "section-insulation", [this](HWND dialog) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, "INSULATION_DIALOG", [&](HWND list) {
      platform::RunUntilIdle();
      pictured = CompareWithScreen(list, "insulation");
      SendMessage(list, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(pictured, 0);
  });
  PictureDialog("SELECT_DIALOG", 280, "select-material");
  PictureDialog("SELECT_DIALOG", 281, "select-section");
  PictureDialog("SELECT_DIALOG", 282, "select-load");
  PictureDialog("DELETE_ELEMENTS_DIALOG", 279, "delete-rows");
  PictureDialog("GENERATE_DIALOG", 117, "generate-rows");
}

TEST_F(PropertiesX11Test, TheSoilsListAndTheSoilDialogAreOnTheScreen) {
  Model& model = TheModel();
  model.options.PipingCode = 3;
  Soil sand;
  sand.name = "SD";
  sand.density = 120.0f / 1728.0f;
  sand.delta = 30.0f * 0.017453292f;
  sand.Ks = 0.7f;
  sand.groundLevel = 42.375f;
  AppendSoil(model.soils, sand);
  Soil clay;
  clay.name = "CL";
  clay.type = kSoilCohesive;
  clay.density = 110.0f / 1728.0f;
  clay.strength = 10.0f;
  AppendSoil(model.soils, clay);
  SendMessage(LayoutFrame().window, WM_COMMAND, 354, 0);  // Misc > Soils
  platform::RunUntilIdle();
  ASSERT_EQ(CurrentListOpener(), &OpenSoilsTable);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWithScreen(ListFrame().window, "soils"), 0);
  for (const int row : {1, 2}) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, "SOIL_DIALOG", [&](HWND dialog) {
      platform::RunUntilIdle();
      pictured = CompareWithScreen(dialog, row == 1 ? "soil-cohesionless" : "soil-cohesive");
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    TableGoTo(TheSoilsTable(), row);
    TheSoilsTable().EditCurrentItem();
    platform::RunUntilIdle();
    EXPECT_EQ(pictured, 0) << row;
  }
}

}  // namespace
