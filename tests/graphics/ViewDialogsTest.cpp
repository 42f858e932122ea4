// The graphics window's view dialogs driven as a user drives them: the
// Viewpoint dialog (standard views, Apply, Previous, the zero direction),
// the Show and Show Node Numbers dialogs (their lists, their column layout,
// their flags reaching the model the GUI thread owns and the saved file),
// F3, and the row visibility commands with the Show / Hide Elements dialog.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "files/ModelFile.h"
#include "graphics/GraphicsTesting.h"
#include "graphics/HideElements.h"
#include "graphics/Show.h"
#include "graphics/ViewCommands.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

class ViewDialogsTest : public GraphicsFixture {
 protected:
  // The labels of the shown check boxes of SHOW_33_DIALOG, in id order.
  static std::vector<std::string> ShownBoxes(HWND dialog) {
    std::vector<std::string> labels;
    for (int id = 1101; id <= 1133; ++id) {
      HWND box = GetDlgItem(dialog, id);
      if (box != nullptr && IsWindowVisible(box)) labels.push_back(TextOf(box));
    }
    return labels;
  }
  static int BoxOf(HWND dialog, const std::string& label) {
    for (int id = 1101; id <= 1133; ++id)
      if (IsWindowVisible(GetDlgItem(dialog, id)) && TextOf(GetDlgItem(dialog, id)) == label) return id;
    return 0;
  }
  static std::string Field(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
  static void ExpectMessage(const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), line);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
  }
  static std::string TempPath(const char* name) {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/" + name;
  }
};

TEST_F(ViewDialogsTest, ShowBoxesFillColumnsOfEqualLength) {
  // Four entries: two in the first column, one in the second, one at the
  // top of the third.
  EXPECT_EQ(ShowBoxId(0, 4), 1101);
  EXPECT_EQ(ShowBoxId(1, 4), 1102);
  EXPECT_EQ(ShowBoxId(2, 4), 1112);
  EXPECT_EQ(ShowBoxId(3, 4), 1123);
  // Seven: rows of three, the last column holds one.
  const int seven[] = {1101, 1102, 1103, 1112, 1113, 1114, 1123};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(ShowBoxId(i, 7), seven[i]) << i;
  // 33: three full columns.
  EXPECT_EQ(ShowBoxId(10, 33), 1111);
  EXPECT_EQ(ShowBoxId(11, 33), 1112);
  EXPECT_EQ(ShowBoxId(32, 33), 1133);
}

TEST_F(ViewDialogsTest, ViewpointDialogAppliesStandardViewsAndGoesBackToThePreviousOne) {
  ShowPlant(40);
  ASSERT_FALSE(OnGraphics([] { return PreviousViewExists(); }));
  platform::ExpectModal(platform::ModalKind::Dialog, "VIEWPOINT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Viewpoint");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1005)));  // no previous view yet
    EXPECT_EQ(Field(dialog, 1301), "1.0000");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    // The zero direction is refused; the dialog stays with the focus on X.
    for (int id : {1301, 1302, 1303}) SetDlgItemText(dialog, id, "0");
    ExpectMessage("0.0, 0.0, 0.0 is not a valid viewpoint");
    SendMessage(dialog, WM_COMMAND, 999, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    // An unreadable Y names its field.
    SetDlgItemText(dialog, 1302, "abc");
    ExpectMessage("Y =  ABC  is invalid");
    SendMessage(dialog, WM_COMMAND, 999, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    // "&Y view" fills the edits and applies.
    SendMessage(dialog, WM_COMMAND, 1002, 0);
    EXPECT_EQ(Field(dialog, 1301), "0.0000");
    EXPECT_EQ(Field(dialog, 1302), "1.0000");
    EXPECT_EQ(OnGraphics([] { return Viewpoint; }), (Vec3{0.0f, 1.0f, 0.0f}));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1005)));
    // "&Previous" shows and takes the isometric view again.
    SendMessage(dialog, WM_COMMAND, 1005, 0);
    EXPECT_EQ(Field(dialog, 1302), "1.0000");
    EXPECT_EQ(Field(dialog, 1303), "1.0000");
    EXPECT_EQ(OnGraphics([] { return Viewpoint; }), (Vec3{1.0f, 1.0f, 1.0f}));
    // OK applies what is typed.
    SetDlgItemText(dialog, 1301, "0");
    SetDlgItemText(dialog, 1302, "0");
    SetDlgItemText(dialog, 1303, "-2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(121);
  platform::CheckModalScript();
  EXPECT_EQ(OnGraphics([] { return Viewpoint; }), (Vec3{0.0f, 0.0f, -2.0f}));
  // The Layout window's "&Viewpoint..." opens it too; Cancel changes nothing.
  platform::ExpectModal(platform::ModalKind::Dialog, "VIEWPOINT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1303), "-2.0000");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1005)));
    SetDlgItemText(dialog, 1301, "5");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  PostMessage(LayoutFrame().window, WM_COMMAND, 121, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(OnGraphics([] { return Viewpoint; }), (Vec3{0.0f, 0.0f, -2.0f}));
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(ViewDialogsTest, ShowFlagsReachTheModelAndTheSavedFile) {
  ShowPlant(40);
  const GraphicsSettings before = TheModel().graphics;
  ASSERT_NE(before.show[kShowAnchors], 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "SHOW_33_DIALOG", [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Show");
    const std::vector<std::string> shown = ShownBoxes(dialog);
    // Pipes, anchors and guides in a line picture.
    ASSERT_GE(shown.size(), 5u);
    EXPECT_EQ(shown.front(), "Anchors");
    const int anchors = BoxOf(dialog, "Anchors");
    EXPECT_EQ(IsDlgButtonChecked(dialog, anchors), BST_CHECKED);
    EXPECT_NE(BoxOf(dialog, "Guides"), 0);
    EXPECT_NE(BoxOf(dialog, "Row numbers"), 0);
    EXPECT_EQ(BoxOf(dialog, "Curved bends"), 0);  // no bends
    // "&None" clears every box, "A&ll" checks them again.
    SendMessage(dialog, WM_COMMAND, 1002, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, anchors), BST_UNCHECKED);
    SendMessage(dialog, WM_COMMAND, 1001, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, BoxOf(dialog, "Row numbers")), BST_CHECKED);
    CheckDlgButton(dialog, anchors, BST_UNCHECKED);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(433);
  platform::CheckModalScript();
  // The GUI thread's model holds the change ...
  EXPECT_EQ(TheModel().graphics.show[kShowAnchors], 0);
  EXPECT_EQ(TheModel().graphics.showRowNumbers, 1);
  // ... which the next picture keeps and the file stores.
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  EXPECT_EQ(OnGraphics([] { return TheModel().graphics.show[kShowAnchors]; }), 0);
  const std::string path = TempPath("shown.mod");
  ASSERT_EQ(WriteModelFile(path), "");
  Model read;
  ReadModelFileInto(path, read);
  EXPECT_EQ(read.graphics.show[kShowAnchors], 0);
  EXPECT_EQ(read.graphics.show[kShowGuides], 1);
  // The dialog opens with the stored state; Apply with nothing changed and
  // Cancel change nothing.
  platform::ExpectModal(platform::ModalKind::Dialog, "SHOW_33_DIALOG", [&](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, BoxOf(dialog, "Anchors")), BST_UNCHECKED);
    SendMessage(dialog, WM_COMMAND, 999, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command(433);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().graphics.show[kShowAnchors], 0);
  EXPECT_EQ(TheModel().graphics.showRowNumbers, 1);
  std::remove(path.c_str());
}

TEST_F(ViewDialogsTest, NodeNumbersAtChosenKindsOrAtEveryNode) {
  ShowPlant(200);
  ASSERT_GT(TheModel().lists[RowListKind::BranchNodes].count, 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "SHOW_33_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Show Node Numbers at");
    EXPECT_EQ(ShownBoxes(dialog), (std::vector<std::string>{"Anchors", "Branch points", "Guides"}));
    SendMessage(dialog, WM_COMMAND, 1002, 0);
    CheckDlgButton(dialog, BoxOf(dialog, "Guides"), BST_CHECKED);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(437);
  platform::CheckModalScript();
  const GraphicsSettings& settings = TheModel().graphics;
  EXPECT_EQ(settings.numbersAtAllNodes, 0);
  EXPECT_EQ(settings.show[kShowNodeNumbers], 1);
  EXPECT_EQ(settings.numberKinds[kNumberGuides], 1);
  EXPECT_EQ(settings.numberKinds[kNumberAnchors], 0);
  // Every box checked: numbers at every node; none: no numbers.
  platform::ExpectModal(platform::ModalKind::Dialog, "SHOW_33_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, BoxOf(dialog, "Guides")), BST_CHECKED);
    SendMessage(dialog, WM_COMMAND, 1001, 0);
    SendMessage(dialog, WM_COMMAND, 999, 0);
    EXPECT_EQ(TheModel().graphics.numbersAtAllNodes, 1);
    SendMessage(dialog, WM_COMMAND, 1002, 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(437);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().graphics.show[kShowNodeNumbers], 0);
  EXPECT_EQ(TheModel().graphics.numbersAtAllNodes, 0);
}

TEST_F(ViewDialogsTest, F3TurnsDotsAndNumbersOffWhenEitherIsOnElseBothOn) {
  ShowPlant(40);
  // Only the dots on: both go off.
  RunOnGraphicsThread([] {
    TheModel().graphics.show[kShowNodeDots] = 1;
    TheModel().graphics.show[kShowNodeNumbers] = 0;
  });
  Command(40028);
  EXPECT_EQ(TheModel().graphics.show[kShowNodeDots], 0);
  EXPECT_EQ(TheModel().graphics.show[kShowNodeNumbers], 0);
  // Both off: both on.
  Command(40028);
  EXPECT_EQ(TheModel().graphics.show[kShowNodeDots], 1);
  EXPECT_EQ(TheModel().graphics.show[kShowNodeNumbers], 1);
  EXPECT_EQ(OnGraphics([] { return TheModel().graphics.show[kShowNodeDots]; }), 1);
}

TEST_F(ViewDialogsTest, RowVisibilityCommandsChangeTheRowsAndTurnToTheRenderedPicture) {
  ShowPlant(40);
  Model& model = TheModel();
  model.currentRow = 5;
  ASSERT_TRUE(model.row(5).drawn);
  ASSERT_FALSE(RenderMode());
  Command(239);  // F6: hide the current row
  EXPECT_FALSE(model.row(5).drawn);
  EXPECT_TRUE(model.row(4).drawn);
  EXPECT_TRUE(RenderMode());
  Command(240);  // F9: show every row
  for (int row = 1; row <= model.rowCount; ++row) EXPECT_TRUE(model.row(row).drawn) << row;
  Command(241);  // F7: the current row transparent
  EXPECT_TRUE(model.row(5).dimmed);
  EXPECT_FALSE(model.row(6).dimmed);
  Command(242);  // F10: all transparent
  for (int row = 1; row <= model.rowCount; ++row) EXPECT_TRUE(model.row(row).dimmed) << row;
  Command(243);  // F11: all opaque
  for (int row = 1; row <= model.rowCount; ++row) EXPECT_FALSE(model.row(row).dimmed) << row;
  // The next picture draws the rows the GUI thread changed.
  Command(239);
  EXPECT_FALSE(OnGraphics([] { return TheModel().row(5).drawn; }));
}

TEST_F(ViewDialogsTest, ShowHideElementsChecksItsRangeAndAppliesTheChosenAction) {
  ShowPlant(40);
  Model& model = TheModel();
  const int rows = model.rowCount;
  platform::ExpectModal(platform::ModalKind::Dialog, "HIDE_ELEMENTS_DIALOG", [rows](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Show / Hide Elements");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    ExpectMessage("From  #  is required");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SetDlgItemText(dialog, 1301, "0");
    ExpectMessage("From  # =  0  is invalid");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SetDlgItemText(dialog, 1301, std::to_string(rows + 1).c_str());
    ExpectMessage("From  #  > number of rows");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SetDlgItemText(dialog, 1301, "6");
    ExpectMessage("To  #  is required");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    SetDlgItemText(dialog, 1302, "5");
    ExpectMessage("From  #  > To  #");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    // Beyond the last row: cut to it without a word; hide 6.. and show the rest.
    SetDlgItemText(dialog, 1302, "99999");
    CheckRadioButton(dialog, 1401, 1404, 1403);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(40024);
  platform::CheckModalScript();
  for (int row = 1; row <= rows; ++row) EXPECT_EQ(model.row(row).drawn, row < 6) << row;
  // Show 2..3 and hide the others.
  platform::ExpectModal(platform::ModalKind::Dialog, "HIDE_ELEMENTS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "");
    SetDlgItemText(dialog, 1301, "2");
    SetDlgItemText(dialog, 1302, "3");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(40024);
  platform::CheckModalScript();
  for (int row = 1; row <= rows; ++row) EXPECT_EQ(model.row(row).drawn, row == 2 || row == 3) << row;
  // Add 7 to the view; then hide 2 from it.
  ApplyHideAction(model, HideAction::ShowMore, 7, 7);
  ApplyHideAction(model, HideAction::HideMore, 2, 2);
  for (int row = 1; row <= rows; ++row) EXPECT_EQ(model.row(row).drawn, row == 3 || row == 7) << row;
}

}  // namespace
