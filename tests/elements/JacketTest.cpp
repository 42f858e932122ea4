// The jacketed pipe and bend and their connections as a user meets them:
// JPIPE_DIALOG (each name required, the jacket's clearance around the
// core, the names of the jacketed row before it proposed), JBEND_DIALOG
// (the two radii, walls and the nodes on the jacket's arc, kept as
// entered), the "Jacketed pipes/bends" list and section, and the "Jacket
// connections" list with its delete and its section.
#include <algorithm>

#include "elements/DerivedElementData.h"
#include "elements/InlineTesting.h"
#include "elements/JacketConnections.h"
#include "elements/JacketList.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "model/AnalysisElements.h"
#include "model/RowOperations.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "properties/JacketClearance.h"
#include "properties/PropertyEdits.h"
#include "services/LoadCaseTypes.h"

namespace {

// Rows 3 and 4 of the List fixture become jacketed; "S8" (8.625 x 0.322
// in) and the load "LJ" are there for the jacket.
class JacketTest : public InlineFixture {
 protected:
  void SetUp() override {
    InlineFixture::SetUp();
    Model& model = TheModel();
    PipeSection jacket;
    InitSection(jacket);
    jacket.name = "S8";
    jacket.outsideDiameter = 8.625f;
    jacket.thickness = 0.322f;
    AppendSection(model.sections, jacket);
    PipeLoad load;
    InitPipeLoad(load, 70.0f);
    load.name = "LJ";
    AppendPipeLoad(model.pipeLoads, load);
  }
  static JacketedPipe& PipeAt(int row) { return static_cast<JacketedPipe&>(*TheModel().row(row).element); }
  static JacketedBend& BendAt(int row) { return static_cast<JacketedBend&>(*TheModel().row(row).element); }
  static void PipeRowAfter(Model& model, NodeId node, float dx, float dy) {
    const int row = AddRow(model, node, ElementType::Pipe, dx, dy);
    model.row(row).section = "S4";
  }
  static int Selected(HWND dialog, int item) {
    return static_cast<int>(SendDlgItemMessage(dialog, item, CB_GETCURSEL, 0, 0));
  }
  static void Choose(HWND dialog, int item, int index) { SendDlgItemMessage(dialog, item, CB_SETCURSEL, index, 0); }
};

TEST_F(JacketTest, AJacketedPipeNeedsItsThreeNamesAndRoomForTheCore) {
  ShowModelWindows();
  platform::ExpectModal(platform::ModalKind::Dialog, "JPIPE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Jacketed pipe from 20 to 30");
    EXPECT_EQ(Selected(dialog, 1201), -1);  // nothing to propose
    EXPECT_EQ(SendDlgItemMessage(dialog, 1202, CB_GETCOUNT, 0, 0), 2);
    ExpectRefused(dialog, "Jacket material is required", 1201);
    Choose(dialog, 1201, 0);
    ExpectRefused(dialog, "Jacket section is required", 1202);
    Choose(dialog, 1202, 0);  // S4 around the S4 core: no room
    ExpectRefused(dialog, "(Jacket I.D. - lining) < (core O.D. + insulation)", 1202);
    Choose(dialog, 1202, 1);
    ExpectRefused(dialog, "Jacket load is required", 1203);
    Choose(dialog, 1203, 1);
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, 3, ElementType::JacketedPipe));
  platform::CheckModalScript();
  const JacketedPipe& pipe = PipeAt(3);
  EXPECT_EQ(std::make_tuple(pipe.jacketMaterial, pipe.jacketSection, pipe.jacketLoad),
            std::make_tuple(std::string("CS"), std::string("S8"), std::string("LJ")));
  // The jacket has its nodes: 20J and 30J beside 20 and 30.
  EXPECT_EQ(TheModel().nodes[pipe.jacketEndNode].id, 30 + kJacketNodeOffset);
  // The next jacketed row proposes these names.
  platform::ExpectModal(platform::ModalKind::Dialog, "JPIPE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 1202), 1);
    EXPECT_EQ(Selected(dialog, 1203), 1);
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, 4, ElementType::JacketedPipe));
  platform::CheckModalScript();
  EXPECT_EQ(PipeAt(4).jacketSection, "S8");
}

TEST_F(JacketTest, AJacketedBendTakesBothRadiiAndKeepsItsNodesAsEntered) {
  Model& model = TheModel();
  SetElementType(model, 3, ElementType::JacketedPipe);
  PipeAt(3).jacketMaterial = "CS";
  PipeAt(3).jacketSection = "S8";
  PipeAt(3).jacketLoad = "LJ";
  model.row(3).dx = 36.0f;
  model.row(4).dx = 36.0f;
  PipeRowAfter(model, 50, 0.0f, 36.0f);  // the leg out of the bend at 40
  MakeModel(model);
  ShowModelWindows();
  platform::ExpectModal(platform::ModalKind::Dialog, "JBEND_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Jacketed Bend at node 40");
    EXPECT_EQ(Field(dialog, 1601), std::string("Jacket Bend Radius ") + UnitLabel(kUnitDimension));
    EXPECT_EQ(Selected(dialog, 1202), 1);  // proposed from the jacketed pipe before
    EXPECT_EQ(Selected(dialog, 1205), 0);  // the core's own section, shown only
    EXPECT_FALSE(Enabled(dialog, 1205));
    EXPECT_FALSE(Enabled(dialog, 1301));
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1406, BN_CLICKED), 0);  // the core's radius typed
    EXPECT_TRUE(Enabled(dialog, 1302));
    ExpectRefused(dialog, "Radius is required", 1302);
    SetDlgItemText(dialog, 1302, "9");
    SetDlgItemText(dialog, 1303, "5");
    ExpectRefused(dialog, "Thickness is greater than section radius", 1303);
    SetDlgItemText(dialog, 1303, "0.375");
    SetDlgItemText(dialog, 1305, "41");
    SetDlgItemText(dialog, 1306, "60");
    SetDlgItemText(dialog, 1307, "41");
    SetDlgItemText(dialog, 1308, "30");
    ExpectRefused(dialog, "Node is same as previous node", 1307);
    SetDlgItemText(dialog, 1307, "42");
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, 4, ElementType::JacketedBend));
  platform::CheckModalScript();
  const JacketedBend& bend = BendAt(4);
  EXPECT_EQ(std::make_tuple(bend.radiusType, bend.radius, bend.jacketRadiusType, bend.jacketThickness),
            std::make_tuple(kBendRadiusUser, 9.0f, kBendRadiusLong, 0.375f));
  EXPECT_GT(bend.jacketRadius, 9.0f);  // the 8-inch long radius
  // The second node at the smaller angle stays second.
  EXPECT_EQ(std::make_pair(bend.intermediateNode1, bend.intermediateNode2), std::make_pair(41, 42));
  EXPECT_GT(bend.angle1, bend.angle2);
  EXPECT_NE(bend.jacketFarNode, 0);
}

// A jacketed bend's own jacket wall narrows its arc's bore: the S8 jacket
// (8.625 in) takes the 4.5 in core with a wall of 2 (a bore of 4.625), not
// with 2.2 (4.225). The dialog, the section store and the analysis all ask
// that, and the analysis names both diameters in one form.
TEST_F(JacketTest, AJacketedBendsOwnWallMustTakeTheCoreOnEveryRoad) {
  Model& model = TheModel();
  model.row(3).dx = 36.0f;
  model.row(4).dx = 36.0f;
  PipeRowAfter(model, 50, 0.0f, 36.0f);
  MakeModel(model);
  ShowModelWindows();
  platform::ExpectModal(platform::ModalKind::Dialog, "JBEND_DIALOG", [](HWND dialog) {
    Choose(dialog, 1201, 0);
    Choose(dialog, 1202, 1);
    Choose(dialog, 1203, 1);
    SetDlgItemText(dialog, 1303, "2.2");
    ExpectRefused(dialog, "(Jacket I.D. - lining) < (core O.D. + insulation)", 1303);
    SetDlgItemText(dialog, 1303, "2");
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, 4, ElementType::JacketedBend));
  platform::CheckModalScript();
  ASSERT_EQ(BendAt(4).jacketThickness, 2.0f);
  // The analysis of row 4: the first refusal of its elements, if any.
  auto analysis = [&model]() -> std::string {
    AnalysisElementList list;
    GenerateRowElements(model, list, 4);
    for (int index = 1; index <= list.count; ++index) try {
        ComputeRowDerivedData(model, list[index], kCaseIdOperating);
      } catch (const std::string& message) {
        return message;
      }
    return {};
  };
  EXPECT_EQ(analysis(), "");
  // 0.07 in of insulation makes the core 4.64 in: the straight jacket
  // (a bore of 7.981) would take it, the arc does not.
  PipeSection insulated = model.sections[1];
  insulated.insulationDensity = 0.005f;
  insulated.insulationThickness = 0.07f;
  EXPECT_THROW(StoreSection(model, 1, insulated), std::string);
  EXPECT_EQ(model.sections[1].insulationThickness, 0.0f);
  // A wall no road stores, as a file may hold it: 4.5 in = 0.375 ft round
  // a bore of 4.225 in = 0.35208 ft.
  BendAt(4).jacketThickness = 2.2f;
  g_UnitsSettings.unit[kUnitLength] = kLengthFeetInches;
  EXPECT_EQ(analysis(), "Row 4: Core OD = 0.3750 > Jacket ID = 0.3521");
  EXPECT_EQ(JacketRowClearanceRefusal(model, 4), analysis());
}

TEST_F(JacketTest, TheListsShowTheJacketBesideTheCoreAndTheConnectionsCanBeDeleted) {
  Model& model = TheModel();
  SetElementType(model, 3, ElementType::JacketedPipe);
  PipeAt(3).jacketMaterial = "CS";
  PipeAt(3).jacketSection = "S8";
  PipeAt(3).jacketLoad = "LJ";
  PutItem(model, 3, DataType::Spider);
  AddRow(model, 20, ElementType::Location);
  PutItem(model, 6, DataType::JacketEndCap);
  MakeModel(model);
  ChooseList("&Jacketed pipes");
  TableWindow& list = JacketedListTable();
  ASSERT_EQ(list.rowCount, 1);
  const std::vector<std::string> cells = {"20", "30", "Jpipe", "CS", "CS", "S8", "S4", "LJ", "L1"};
  for (int column = 1; column <= 9; ++column)
    EXPECT_EQ(list.CellText(1, column, 0), cells[static_cast<std::size_t>(column - 1)]) << column;
  EXPECT_EQ(list.HeadingText(4, 1), "Jckt");
  EXPECT_EQ(list.HeadingText(5, 1), "Core");
  EXPECT_EQ(list.widths[4], list.widths[9]);
  const std::vector<std::string> text = Report("jackets.txt", PrintJacketedDetails);
  const std::string line = LineWith(text, "LJ");
  EXPECT_EQ(At(line, 21, 25), "CS");
  EXPECT_EQ(At(line, 30, 34), "S4");
  EXPECT_EQ(At(line, 54, 58), "S8");
  EXPECT_EQ(At(line, 62, 66), "LJ");

  ChooseList("&Jacket connections");
  TableWindow& connections = JacketConnectionsListTable();
  ASSERT_EQ(connections.rowCount, 2);
  EXPECT_EQ(connections.CellText(1, 2, 0), "Spider");
  EXPECT_EQ(connections.CellText(2, 1, 0), "20");
  EXPECT_EQ(connections.CellText(2, 2, 0), "End Cap");
  const std::vector<std::string> csv = Report("connections.csv", PrintJacketConnectionsDetails);
  const auto title = std::find(csv.begin(), csv.end(), "Jacket connections,");
  ASSERT_TRUE(csv.end() - title > 5);
  EXPECT_EQ(*(title + 2), "Node,Type,");
  EXPECT_EQ(*(title + 4), "30,Spider,");
  EXPECT_EQ(*(title + 5), "20,End Cap,");
  // The context menu's one item deletes the connection of the line.
  TableGoTo(connections, 1);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Delete jacket connection", [](HWND) {
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_RETURN);
  });
  connections.ContextMenu();
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(model.row(3).dataType, DataType::None);
  EXPECT_EQ(connections.rowCount, 1);
}

}  // namespace
