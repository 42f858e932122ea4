// Every road that brings a model into the Layout window leaves the mouse
// pointer at the centre of the Layout's client, its table window, where
// the user works next: a model opened, a new one made, a batch file
// imported, a model merged, an edit undone and redone.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editing/ModelWindows.h"
#include "editing/NewDocument.h"
#include "files/BatchImport.h"
#include "files/FileCommands.h"
#include "files/MergeModel.h"
#include "model/ToolTesting.h"
#include "platform/Input.h"

namespace {

const char* const kPlant =
    "Pointer plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n"
    "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X10\nT30,Y10\n";
const char* const kBranch =
    "Branch\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n"
    "LOADS\nL1,300,150\nLAYOUT\nF500,MA1,PS1,CL=L1\nT510,Z10\n";

class ModelPointerTest : public ToolFixture {
 protected:
  // The pointer away from the Layout window.
  static void PointerAway() {
    SetCursorPos(1, 1);
    POINT at{};
    GetCursorPos(&at);
    ASSERT_EQ(at.x, 1);
  }
  // The centre of the Layout's client window on the screen, by its rectangle.
  static POINT LayoutCentre() {
    RECT box{};
    GetWindowRect(LayoutFrame().client, &box);
    return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  }
  static void ExpectPointerAtLayoutCentre(const char* road) {
    ASSERT_TRUE(IsWindowVisible(LayoutFrame().client)) << road;
    POINT at{};
    GetCursorPos(&at);
    const POINT centre = LayoutCentre();
    EXPECT_EQ(at.x, centre.x) << road;
    EXPECT_EQ(at.y, centre.y) << road;
    RECT box{};
    GetWindowRect(LayoutFrame().client, &box);
    EXPECT_GT(at.x, box.left + 1) << road;  // inside, not at its corner
    EXPECT_GT(at.y, box.top + 1) << road;
  }
  static std::string ModelFileOf(const std::string& text, const std::string& name) {
    std::istringstream input(text);
    Model model;
    std::vector<std::string> log;
    ReadModelBatchFile(input, model, log);
    const std::string path = TempFolder() + "/" + name;
    EXPECT_EQ(WriteModelFileFrom(model, path), "");
    return path;
  }
};

TEST_F(ModelPointerTest, OpenNewImportMergeUndoAndRedoPutThePointerInTheLayout) {
  PointerAway();
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, ModelFileOf(kPlant, "pointer-plant.mod")));
  platform::RunUntilIdle();
  ExpectPointerAtLayoutCentre("open");

  PointerAway();
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  NewDocumentDialog(LayoutFrame().window);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().rowCount, 2);
  ExpectPointerAtLayoutCentre("new");

  PointerAway();
  const std::string batch = TempFolder() + "/pointer-import.mbf";
  std::ofstream(batch, std::ios::binary) << kPlant;
  ASSERT_TRUE(ImportBatchFile(LayoutFrame().window, batch));
  platform::RunUntilIdle();
  ASSERT_EQ(TheModel().title, "Pointer plant");
  ExpectPointerAtLayoutCentre("import");

  PointerAway();
  const int rows = TheModel().rowCount;
  ASSERT_TRUE(MergeModelFile(LayoutFrame().window, ModelFileOf(kBranch, "pointer-branch.mod")));
  platform::RunUntilIdle();
  ASSERT_GT(TheModel().rowCount, rows);
  ExpectPointerAtLayoutCentre("merge");

  PointerAway();
  Command(40050);  // Undo: the merge
  ASSERT_EQ(TheModel().rowCount, rows);
  ExpectPointerAtLayoutCentre("undo");

  PointerAway();
  Command(40051);  // Redo
  ASSERT_GT(TheModel().rowCount, rows);
  ExpectPointerAtLayoutCentre("redo");
  std::filesystem::remove(batch);
}

}  // namespace
