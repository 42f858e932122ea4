// Support edits reach the graphics window at once, by every road a user
// takes: a kind dialog's OK, Misc > Data types, a data code typed in the
// Layout, a cell typed in a support list and the list's Delete. After each
// one the graphics thread draws (and picks from) the model as it now is:
// its copy carries the new item, and the picture around the node is the one
// a fresh redraw of the model gives, no longer the one before the edit.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/GraphicsTesting.h"
#include "model/ListWindow.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"
#include "supports/Restraint.h"
#include "supports/RestraintList.h"

namespace {

class SupportEditsRedrawTest : public GraphicsFixture {
 protected:
  // From 10 (an anchor) pipes of 8 in along X to 20 (a vertical restraint),
  // 30 and 40, then up to 50 (an anchor); seen along Z.
  void ShowLine() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""},
             {20, ElementType::Pipe, 100, 0, "S8"},
             {30, ElementType::Pipe, 100, 0, "S8"},
             {40, ElementType::Pipe, 100, 0, "S8"},
             {50, ElementType::Pipe, 0, 100, "S8"}});
    PutItem(model, 1, DataType::Anchor);
    PutItem(model, 2, DataType::Restraint);
    dynamic_cast<Restraint&>(*model.row(2).item).restrainY = 1;
    PutItem(model, 5, DataType::Anchor);
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }

  // The pixels of a square of 61 pixels around a model point (z = 0), as
  // the graphics thread paints them now from the model it holds: the
  // window is painted again, which hands over nothing.
  static std::vector<COLORREF> Around(float x, float y) {
    InvalidateRect(Painting(), nullptr, FALSE);
    platform::RunUntilIdle();
    const POINT p = PixelOf(x, y, 0.0f);
    std::vector<COLORREF> pixels;
    for (int dy = -30; dy <= 30; ++dy)
      for (int dx = -30; dx <= 30; ++dx) pixels.push_back(Pixel(p.x + dx, p.y + dy));
    return pixels;
  }
  // The same square once the graphics thread has been handed the model and
  // drawn it afresh, as reopening the window would.
  static std::vector<COLORREF> AroundRedrawn(float x, float y) {
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
    return Around(x, y);
  }
  // The data kind of a row in the model the graphics thread draws.
  static DataType DrawnType(int row) {
    return OnGraphics([row] { return row <= TheModel().rowCount ? TheModel().row(row).dataType : DataType::None; });
  }
  static int DrawnRestraintCode(int row) {
    return OnGraphics([row] {
      const auto* restraint = dynamic_cast<const Restraint*>(TheModel().row(row).item.get());
      return restraint != nullptr ? RestraintDirectionCode(*restraint) : -1;
    });
  }
  static void LayoutCommand(int id) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  void GoToRow(int row) {
    TableGoTo(table(), row);
    platform::RunUntilIdle();
  }
};

TEST_F(SupportEditsRedrawTest, EveryRoadOfASupportEditHandsTheGraphicsTheNewModel) {
  ShowLine();
  EXPECT_EQ(DrawnRestraintCode(2), 2);

  // A kind dialog's OK (Edit data on the Layout row): the restraint holds
  // X as well.
  std::vector<COLORREF> before = Around(100, 0);
  GoToRow(2);
  platform::ExpectModal(platform::ModalKind::Dialog, "RESTRAINT_DIALOG", [](HWND dialog) {
    CheckDlgButton(dialog, 1101, BST_CHECKED);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(202);
  platform::CheckModalScript();
  EXPECT_EQ(DrawnRestraintCode(2), 4);  // X and Y
  std::vector<COLORREF> after = Around(100, 0);
  EXPECT_NE(after, before);
  EXPECT_EQ(after, AroundRedrawn(100, 0));

  // Misc > Data types: an anchor at 30.
  before = Around(200, 0);
  GoToRow(3);
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [](HWND dialog) {
    SendMessage(GetDlgItem(dialog, 1401), BM_CLICK, 0, 0);  // "&Anchor" ends the picker
  });
  LayoutCommand(183);
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(3).dataType, DataType::Anchor);
  EXPECT_EQ(DrawnType(3), DataType::Anchor);
  after = Around(200, 0);
  EXPECT_NE(after, before);
  EXPECT_EQ(after, AroundRedrawn(200, 0));

  // A data code typed in the Layout: a vertical restraint at 40.
  before = Around(300, 0);
  GoToRow(4);
  table().currentColumn = 9;
  Type("Y");
  Key(VK_RETURN);
  ASSERT_EQ(TheModel().row(4).dataType, DataType::Restraint);
  EXPECT_EQ(DrawnRestraintCode(4), 2);
  after = Around(300, 0);
  EXPECT_NE(after, before);
  EXPECT_EQ(after, AroundRedrawn(300, 0));

  // A cell typed in the Restraints list: the one at 40 holds X too.
  ShowListByOpener(OpenRestraintsList);
  platform::RunUntilIdle();
  TableWindow& list = RestraintsListTable();
  ASSERT_EQ(list.rowCount, 2);
  before = Around(300, 0);
  TableGoTo(list, 2);
  list.currentColumn = 3;
  TableLoadEditBuffer(list);
  list.editBuffer = "Y";
  list.editChanged = true;
  TableCommitEdit(list);
  platform::RunUntilIdle();
  EXPECT_EQ(DrawnRestraintCode(4), 4);
  after = Around(300, 0);
  EXPECT_NE(after, before);
  EXPECT_EQ(after, AroundRedrawn(300, 0));

  // The list's Delete: the restraint at 40 is gone from picture and model.
  before = Around(300, 0);
  TableGoTo(list, 2);
  SendMessage(ListFrame().window, WM_COMMAND, 126, 0);
  platform::RunUntilIdle();
  ASSERT_EQ(TheModel().row(4).dataType, DataType::None);
  EXPECT_EQ(DrawnType(4), DataType::None);
  after = Around(300, 0);
  EXPECT_NE(after, before);
  EXPECT_EQ(after, AroundRedrawn(300, 0));
}

}  // namespace
