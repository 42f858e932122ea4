// The material library in real X windows on a private Xvfb server: the
// library window opened from a file with its list and
// property pane, its piping-code and units dialogs, and the library picker
// reached from the material dialog's "&Library" of the sample model. What
// the X server shows must be what the layer drew, pixel for pixel; the
// pictures are kept in the build folder (x11-matlib-*.png) to be looked at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "model/ListTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "properties/MaterialDialog.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryWindow.h"
#include "services/TempFiles.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

Material LibrarySteel(const std::string& description, float e) {
  Material m;
  m.description = description;
  SetMaterialType(m, "CS");
  m.nu = 0.3f;
  m.density = 0.283f;
  m.jointFactor = 1.0f;
  m.circJointFactor = 1.0f;
  m.strength = 35000.0f;
  m.numtemps = 3;
  m.temps.resize(4);
  m.temps[1].values = {70.0f, e, 6.07e-6f, 20000.0f, 35000.0f, 0, 0, 0};
  m.temps[2].values = {400.0f, e - 1.8e6f, 7.11e-6f, 18900.0f, 30100.0f, 0, 0, 0};
  m.temps[3].values = {650.0f, e - 4.2e6f, 7.73e-6f, 17300.0f, 27300.0f, 0, 0, 0};
  return m;
}

class MaterialLibraryX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    ClearMaterialLibrary(LoadedMaterialLibrary());
    ForgetMaterialLibraryPath();
    path_ = (std::filesystem::path(TempFolder()) / "steels.mat").string();
    ModelRecordTable<Material> materials;
    AppendMaterial(materials, LibrarySteel("Carbon steel A106 B", 2.95e7f));
    AppendMaterial(materials, LibrarySteel("Carbon steel A53 B ERW", 2.95e7f));
    AppendMaterial(materials, LibrarySteel("Low temperature steel A333-6", 2.99e7f));
    WriteMaterialLibraryFile(path_, materials, 3, LibraryUnits{});
  }
  void TearDown() override {
    TheModel().modified = false;
    CloseMaterialLibraryWindow();
    ClearMaterialLibrary(LoadedMaterialLibrary());
    ForgetMaterialLibraryPath();
    OnXvfb<ListFixture>::TearDown();
  }
  int CompareWithScreen(HWND window, const std::string& name) {
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-matlib-" + name);
  }
  int PictureListCommand(const char* templateName, int command, const std::string& name) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&](HWND dialog) {
      platform::RunUntilIdle();
      pictured = CompareWithScreen(dialog, name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
    return pictured;
  }
  std::string path_;
};

TEST_F(MaterialLibraryX11Test, TheLibraryWindowAndItsDialogsAreOnTheScreen) {
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, path_));
  platform::RunUntilIdle();
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(CompareWithScreen(ListFrame().window, "window"), 0);
  EXPECT_EQ(PictureListCommand("MATLIB_CODE_DIALOG", 305, "code"), 0);
  EXPECT_EQ(PictureListCommand("MATLIB_UNITS_DIALOG", 431, "units"), 0);
}

TEST_F(MaterialLibraryX11Test, TheMaterialDialogPicksFromTheLibraryOnTheScreen) {
  Model sample;
  ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", sample);
  SwapModel(sample);
  TheModel().modified = false;
  ShowModelWindows();
  platform::RunUntilIdle();
  int picker = -1, filled = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, MaterialDialogName(TheModel().options.PipingCode),
                        [&](HWND dialog) {
    const std::string library = path_;
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Open Material Library", [library](HWND open) {
      SetDlgItemText(open, edt1, library.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [&](HWND pick) {
      platform::RunUntilIdle();
      picker = CompareWithScreen(pick, "picker");
      TableGoTo(*TableOfWindow(GetFocus()), 3);
      SendMessage(pick, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    platform::RunUntilIdle();
    filled = CompareWithScreen(dialog, "material-picked");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TheLayoutTable().currentRow = 3;
  TheModel().currentRow = 3;
  SendMessage(LayoutFrame().window, WM_COMMAND, 283, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(picker, 0);
  EXPECT_EQ(filled, 0);
  const Model& model = TheModel();
  const int record = FindMaterialByName(model.materials, model.row(3).material);
  ASSERT_GT(record, 0);
  EXPECT_EQ(model.materials[record].description, "Low temperature steel A333-6");
  EXPECT_EQ(model.materials[record].numtemps, 3);
}

}  // namespace
