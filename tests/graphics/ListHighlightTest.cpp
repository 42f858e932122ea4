// The List window's highlighting in the graphics, through the program: the
// loads, sections and materials lists show the Highlight (432) and Colour
// Graphics (245) buttons; with the toggle on, moving in the list draws the
// rows of the line's record in the highlight's colours; a kind list
// highlights its line's item or element; the loads list's menu switches
// the colouring to specific gravity.
#include <gtest/gtest.h>

#include "application/ListFrame.h"
#include "elements/BendList.h"
#include "graphics/GraphicsTesting.h"
#include "loads/PipeLoadsTable.h"
#include "model/DrawingColours.h"
#include "model/ListWindow.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "records/DrawingGeometry.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"
#include "supports/AnchorList.h"

namespace {

class ListHighlightTest : public GraphicsFixture {
 protected:
  static void Show(ListOpener opener) {
    ShowListByOpener(opener);
    platform::RunUntilIdle();
  }
  static void ListCommand(int id) {
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static TableWindow& Shown() { return *TableOfWindow(ListTableWindow(0)); }
  static void GoTo(int row) {
    TableGoTo(Shown(), row);
    platform::RunUntilIdle();
  }
  static bool Button(UINT query, int id) {
    return SendMessage(ListFrame().smallToolbar, query, static_cast<WPARAM>(id), 0) != 0;
  }
  static COLORREF At(float x, float y) { return Pixel(PixelOf(x, y, 0.0f).x, PixelOf(x, y, 0.0f).y); }
};

TEST_F(ListHighlightTest, PropertyListsHighlightTheRowsOfTheirRecordAndKindListsTheirItem) {
  // From 10 (an anchor), a pipe of load L1 to 20 (100 in along X), a riser
  // of load L2 and section S8 to 30, a bend at 40, a pipe to 50.
  Model& model = TheModel();
  PlantModelBuilder::AddPlantProperties(model);
  PipeLoad second;
  InitPipeLoad(second, 70.0f);
  second.name = "L2";
  AppendPipeLoad(model.pipeLoads, second);
  AddRows({{10, ElementType::From, 0, 0, ""},
           {20, ElementType::Pipe, 100, 0, "S4"},
           {30, ElementType::Pipe, 0, 100, "S8"},
           {40, ElementType::Bend, 100, 0, ""},
           {50, ElementType::Pipe, 0, -100, ""}});
  PutItem(model, 1, DataType::Anchor);
  model.row(3).load = "L2";
  model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
  ShowModel();
  SizeClient(400, 300);
  Command(131);
  const COLORREF element = CurrentDrawingStyle().element;

  EXPECT_TRUE(Button(TB_ISBUTTONHIDDEN, 432));
  Show(OpenPipeLoadsTable);
  EXPECT_FALSE(Button(TB_ISBUTTONHIDDEN, 432) || Button(TB_ISBUTTONHIDDEN, 245));
  GoTo(2);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);  // the toggle is off
  ListCommand(432);
  EXPECT_TRUE(Button(TB_ISBUTTONCHECKED, 432));
  EXPECT_EQ(ListToolTipText(432), "Do not Highlight");
  EXPECT_EQ(CurrentHighlight().kind, kHighlightLoad);
  EXPECT_NE(At(100, 50), element);  // the riser (L2) stands out
  EXPECT_EQ(At(50, 0), element);
  GoTo(1);
  EXPECT_NE(At(50, 0), element);
  EXPECT_EQ(At(100, 50), element);
  ListCommand(432);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  EXPECT_EQ(At(50, 0), element);

  // The loads colour the rendered picture, by load or by specific gravity.
  ListCommand(245);
  EXPECT_TRUE(ColourByProperty() && Button(TB_ISBUTTONCHECKED, 245));
  platform::ExpectModal(platform::ModalKind::PopupMenu, "List", [](HWND) {
    for (UINT key : {VK_DOWN, VK_DOWN, VK_RETURN}) platform::TestKeyPress(key);
  });
  Shown().HeadingContextMenu(1);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_TRUE(ColourBySpecificGravity());
  ListCommand(245);

  // Another list starts with the toggle off; sections highlight their own.
  ListCommand(432);
  Show(OpenSectionsTable);
  EXPECT_FALSE(Button(TB_ISBUTTONCHECKED, 432));
  ListCommand(432);
  GoTo(3);  // S8: the riser
  EXPECT_EQ(CurrentHighlight().kind, kHighlightSection);
  EXPECT_NE(At(100, 50), element);
  EXPECT_EQ(At(50, 0), element);
  Show(OpenMaterialsTable);
  ListCommand(432);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightMaterial);

  // A kind list has no toggle and highlights its line's item or element.
  Show(OpenAnchorsList);
  EXPECT_TRUE(Button(TB_ISBUTTONHIDDEN, 432));
  EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem);
  EXPECT_EQ(CurrentHighlight().index, 1);
  Show(OpenBendsList);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  EXPECT_EQ(CurrentHighlight().index, 4);
}

}  // namespace
