// Check Connections through Misc > Check Connections: a run ending 0.3 in
// off the axis of a 10 in pipe is reported with its row selected, 0.6 in is
// not (the tolerance is half the diameter, at most 0.5 in), a shared node
// or a guide tying the end is a connection, and nothing in the model
// changes; the keyboard reaches the check through the letter it shares
// with Coordinates.
#include "editing/ConnectivityCheck.h"
#include "model/ToolTesting.h"
#include "platform/MenuBarFrame.h"
#include "supports/Guide.h"

namespace {

constexpr int kCheck = 40011;
constexpr const char* kNone = "There are probably no bad connections.";

class ConnectivityCheckTest : public ToolFixture {
 protected:
  // From 10 at the origin, a 10 in pipe to 20 of 120 in along X; a second
  // run from 30 at (60, 50, 0) down to 40, `gap` above the first pipe.
  void Build(float gap) {
    Model& model = TheModel();
    model.sections[1].outsideDiameter = 10.75f;
    model.sections[1].thickness = 0.365f;
    AddRow(model, 10, ElementType::From);                 // row 2
    AddRow(model, 20, ElementType::Pipe, 120.0f);         // row 3
    model.row(3).section = "S4";
    AddRow(model, 30, ElementType::From, 60.0f, 50.0f);   // row 4
    AddRow(model, 40, ElementType::Pipe, 0.0f, gap - 50.0f);  // row 5
    Open();
  }
};

TEST_F(ConnectivityCheckTest, AnEndPointThreeTenthsOffThePipeIsReported) {
  Build(0.3f);
  EXPECT_NEAR(NodeById(TheModel(), 40).y, 0.3f, 1e-5f);
  ExpectBox("At row = 5, Node = 40\nis probably not connected to\nelement at row 3");
  Command(kCheck);
  EXPECT_EQ(table().currentRow, 5);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
}

TEST_F(ConnectivityCheckTest, ARunStartingOnThePipeIsReportedAtItsFromRow) {
  Model& model = TheModel();
  model.sections[1].outsideDiameter = 10.75f;
  AddRow(model, 10, ElementType::From);                // row 2
  AddRow(model, 20, ElementType::Pipe, 120.0f);        // row 3
  model.row(3).section = "S4";
  AddRow(model, 30, ElementType::From, 60.0f, 0.3f);   // row 4, 0.3 in above the pipe
  AddRow(model, 40, ElementType::Pipe, 0.0f, 50.0f);   // row 5
  Open();
  ExpectBox("At row = 4, Node = 30\nis probably not connected to\nelement at row 3");
  Command(kCheck);
  EXPECT_EQ(table().currentRow, 4);
}

TEST_F(ConnectivityCheckTest, SixTenthsOffIsBeyondTheTolerance) {
  Build(0.6f);
  ExpectBox(kNone);
  Command(kCheck);
}

TEST_F(ConnectivityCheckTest, AGuideTyingTheEndIsAConnection) {
  Build(0.3f);
  auto* guide = dynamic_cast<Guide*>(SetDataType(TheModel(), 3, DataType::Guide));
  guide->connectedNode = 40;
  ExpectBox(kNone);
  Command(kCheck);
}

TEST_F(ConnectivityCheckTest, SharedNodesAndEmptyModels) {
  ExpectBox(kNone);  // no rows
  Command(kCheck);
  Model& model = TheModel();
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::Pipe, 120.0f);
  AddRow(model, 20, ElementType::From);  // continues from node 20
  AddRow(model, 30, ElementType::Pipe, 0.0f, 60.0f);
  Open();
  EXPECT_TRUE(FindLooseEnds(TheModel()).empty());
  // A run ending on the middle of the first pipe under another number.
  AddRow(model, 40, ElementType::From, 60.0f, 0.0f, 80.0f);
  AddRow(model, 50, ElementType::Pipe, 0.0f, 0.0f, -80.0f);
  Open();
  const std::vector<LooseEnd> ends = FindLooseEnds(TheModel());
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].row, 7);
  EXPECT_EQ(ends[0].touched, 3);
}

}  // namespace

namespace {

// Misc holds "&Coordinates" and "&Check Connections", both on C. Alt+M
// opens Misc on Coordinates; C moves on to Check Connections (a second C
// would go round to Coordinates, a third back again), and Enter runs it.
TEST_F(ConnectivityCheckTest, TheKeyboardReachesTheCheckThroughTheSharedLetter) {
  Build(0.3f);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [](HWND) {
    platform::TestTypeText("ccc");
    platform::TestKeyPress(VK_RETURN);
  });
  ExpectBox("At row = 5, Node = 40\nis probably not connected to\nelement at row 3");
  ASSERT_TRUE(platform::MenuBarKey(LayoutFrame().window, WM_SYSCHAR, 'm', 0));
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(table().currentRow, 5);
}

}  // namespace
