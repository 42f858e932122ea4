// The List window's highlighting in the graphics, through the program: the
// loads, sections and materials lists show the Highlight toggle (432) and
// Colour Graphics (245) buttons while they are shown; with the toggle on,
// moving in the list draws the rows of the line's record in the highlight's
// colours; a kind list highlights the item or element of its line; and the
// loads list's menu switches the colouring to specific gravity.
#include <gtest/gtest.h>

#include "GraphicsTesting.h"
#include "elements/BendList.h"
#include "graphics/DrawingColours.h"
#include "loads/PipeLoadsTable.h"
#include "model/ListWindow.h"
#include "platform/Toolbar.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "shell/Frame.h"
#include "shell/TableWindow.h"
#include "supports/AnchorList.h"

namespace {

class ListHighlightTest : public GraphicsFixture {
 protected:
  // From 10 (an anchor), a pipe of load L1 to 20 (100 in along X), a pipe of
  // load L2 and section S8 to 30 (100 in up), a bend at 40 and a pipe to 50;
  // seen along Z.
  void ShowLoads() {
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
  }
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
  static bool ButtonShown(int id) {
    return SendMessage(ListFrame().smallToolbar, TB_ISBUTTONHIDDEN, static_cast<WPARAM>(id), 0) == 0;
  }
  static bool ButtonChecked(int id) {
    return SendMessage(ListFrame().smallToolbar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
  }
  // The pixel in the middle of the first pipe (load L1) and of the riser (L2).
  static COLORREF FirstPipe() {
    const POINT p = PixelOf(50.0f, 0.0f, 0.0f);
    return Pixel(p.x, p.y);
  }
  static COLORREF Riser() {
    const POINT p = PixelOf(100.0f, 50.0f, 0.0f);
    return Pixel(p.x, p.y);
  }
};

TEST_F(ListHighlightTest, TheLoadsListHighlightsTheRowsOfTheLineLoadWhileTheToggleIsOn) {
  ShowLoads();
  const COLORREF element = CurrentDrawingStyle().element;
  EXPECT_FALSE(ButtonShown(432));
  Show(OpenPipeLoadsTable);
  EXPECT_TRUE(ButtonShown(432));
  EXPECT_TRUE(ButtonShown(245));
  // Off: moving in the list highlights nothing.
  GoTo(2);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  ListCommand(432);
  EXPECT_TRUE(ButtonChecked(432));
  EXPECT_EQ(ListToolTipText(432), "Do not Highlight");
  EXPECT_EQ(CurrentHighlight().kind, kHighlightLoad);
  EXPECT_EQ(CurrentHighlight().index, 2);
  // The riser (L2) stands out, the first pipe (L1) is drawn as before.
  EXPECT_NE(Riser(), element);
  EXPECT_EQ(FirstPipe(), element);
  GoTo(1);
  EXPECT_EQ(CurrentHighlight().index, 1);
  EXPECT_NE(FirstPipe(), element);
  EXPECT_EQ(Riser(), element);
  ListCommand(432);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  EXPECT_EQ(FirstPipe(), element);
  EXPECT_FALSE(ButtonChecked(432));

  // Another list turns the toggle off; the sections list highlights its own.
  ListCommand(432);
  Show(OpenSectionsTable);
  EXPECT_FALSE(ButtonChecked(432));
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  ListCommand(432);
  GoTo(3);  // S8: the riser
  EXPECT_EQ(CurrentHighlight().kind, kHighlightSection);
  EXPECT_NE(Riser(), element);
  EXPECT_EQ(FirstPipe(), element);
  Show(OpenMaterialsTable);
  ListCommand(432);
  GoTo(1);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightMaterial);
  EXPECT_NE(FirstPipe(), element);

  // A kind list: its buttons are hidden and its line's item is highlighted.
  Show(OpenAnchorsList);
  EXPECT_FALSE(ButtonShown(432));
  EXPECT_EQ(ListToolTipText(432), "Highlight");
  EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem);
  EXPECT_EQ(CurrentHighlight().index, 1);
  Show(OpenBendsList);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  EXPECT_EQ(CurrentHighlight().index, 4);
}

TEST_F(ListHighlightTest, TheLoadsListMenuSwitchesTheColouringToSpecificGravity) {
  ShowLoads();
  Show(OpenPipeLoadsTable);
  ListCommand(245);
  EXPECT_TRUE(ColourByProperty());
  EXPECT_TRUE(ButtonChecked(245));
  ASSERT_FALSE(ColourBySpecificGravity());
  platform::ExpectModal(platform::ModalKind::PopupMenu, "List", [](HWND) {
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_RETURN);
  });
  Shown().HeadingContextMenu(1);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_TRUE(ColourBySpecificGravity());
  EXPECT_TRUE(ColourByProperty());
  ListCommand(245);
  EXPECT_FALSE(ColourByProperty());
}

}  // namespace
