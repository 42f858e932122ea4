// The Layout table: keywords, a model typed row by row through the keyboard,
// the messages of every refused cell with the row left as it was and no
// undo snapshot behind, the node rename that follows every reference, and
// erasing a row from its Node cell.
#include <cmath>

#include "model/LayoutKeywords.h"
#include "model/LayoutTesting.h"
#include "model/ListWindow.h"
#include "properties/MaterialsTable.h"
#include "records/Pump.h"
#include "supports/Guide.h"
#include "supports/Restraint.h"

namespace {

// Lengths typed in millimetres are held in inches: 25.4 mm to the inch.
constexpr float kInchesIn1000mm = 1000.0f / 25.4f;  // 39.370079
constexpr float kInchesIn500mm = 500.0f / 25.4f;    // 19.685039

TEST(LayoutKeywordTest, ALeadingPartPicksTheFirstKeywordInTrialOrder) {
  EXPECT_EQ(ParseElementTypeKeyword(""), 0);
  EXPECT_EQ(ParseElementTypeKeyword("P"), 3);
  EXPECT_EQ(ParseElementTypeKeyword("B"), 4);
  EXPECT_EQ(ParseElementTypeKeyword("ba"), 13);
  EXPECT_EQ(ParseElementTypeKeyword("BE"), 4);
  EXPECT_EQ(ParseElementTypeKeyword("BEL"), 10);
  EXPECT_EQ(ParseElementTypeKeyword("C"), 16);
  EXPECT_EQ(ParseElementTypeKeyword("R"), 9);
  EXPECT_EQ(ParseElementTypeKeyword(" tie rod "), 19);
  EXPECT_EQ(ParseElementTypeKeyword("PIPES"), kInvalidKeyword);
  EXPECT_EQ(ParseElementTypeKeyword("XYZ"), kInvalidKeyword);
}

TEST(LayoutKeywordTest, DataKeywordsCarryTheirSubtype) {
  EXPECT_EQ(ParseDataTypeKeyword("R", 3), 2);
  EXPECT_EQ(g_KeywordSubtype, 0);
  EXPECT_EQ(ParseDataTypeKeyword("XZ", 3), 2);
  EXPECT_EQ(g_KeywordSubtype, 6);
  EXPECT_EQ(ParseDataTypeKeyword("Rod Hanger", 3), 4);
  EXPECT_EQ(g_KeywordSubtype, 2);
  EXPECT_EQ(ParseDataTypeKeyword("reinfb", 3), 12);
  EXPECT_EQ(g_KeywordSubtype, 1);
  EXPECT_EQ(ParseDataTypeKeyword("HARMONICLOAD", 3), 19);
  EXPECT_EQ(ParseDataTypeKeyword("HARMONICLOAD", 0), kInvalidKeyword);
  EXPECT_EQ(ParseDataTypeKeyword("ANCHORS", 3), kInvalidKeyword);
}

TEST(LayoutKeywordTest, CompletionsAreKeywordsOnceSqueezed) {
  EXPECT_EQ(ElementTypeCompletion("", 'f'), "From");
  EXPECT_EQ(ElementTypeCompletion("", 'B'), "");
  EXPECT_EQ(ElementTypeCompletion("B", 'a'), "Ball");
  EXPECT_EQ(ElementTypeCompletion("BE", 'L'), "Bellows");
  EXPECT_EQ(ElementTypeCompletion("J", 'P'), "Jpipe");
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  model.options.PipingCode = 0;
  EXPECT_EQ(DataTypeCompletion("", 'x', model), "X restraint");
  EXPECT_EQ(DataTypeCompletion("HA", 'R', model), kRefusedCompletion);
  model.options.PipingCode = 3;
  EXPECT_EQ(DataTypeCompletion("HA", 'R', model), "Harmonic load");
  for (const char* shown : {"X restraint", "Conc mass", "Skewed Restr", "Rod Hanger", "Jacket endcap"})
    EXPECT_NE(ParseDataTypeKeyword(shown, 3), kInvalidKeyword) << shown;
}

class LayoutTableTest : public LayoutFixture {};

TEST_F(LayoutTableTest, AModelIsTypedRowByRow) {
  TypeSmallModel();
  const Model& model = TheModel();
  ASSERT_EQ(model.rowCount, 4);
  EXPECT_EQ(model.row(2).node, 10);
  EXPECT_EQ(model.row(2).elementType, ElementType::From);
  EXPECT_EQ(model.row(3).node, 20);
  EXPECT_EQ(model.row(3).elementType, ElementType::Pipe);
  EXPECT_NEAR(model.row(3).dx, kInchesIn1000mm, 1e-4);
  EXPECT_EQ(model.row(3).material, "A106");
  EXPECT_EQ(model.row(3).section, "S4");
  EXPECT_EQ(model.row(3).load, "L1");
  EXPECT_EQ(model.row(4).node, 30);
  EXPECT_NEAR(model.row(4).dy, kInchesIn500mm, 1e-4);
  EXPECT_EQ(model.row(4).material, "A106");  // from the row before
  // The node table follows: 30 is 1000 mm along X and 500 mm along Y.
  const int index = FindNodeIndex(model.nodes, 30);
  ASSERT_NE(index, 0);
  EXPECT_NEAR(model.nodes[index].x, kInchesIn1000mm, 1e-3);
  EXPECT_NEAR(model.nodes[index].y, kInchesIn500mm, 1e-3);
  EXPECT_TRUE(model.modified);
  EXPECT_EQ(table().currentRow, 5);
  EXPECT_EQ(table().rowCount, 5);
  EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(LayoutTableTest, TypedTypesDataAndCtrlEnterRepeatThePipe) {
  TypeSmallModel();
  ControlKey(VK_RETURN);  // repeats the pipe to 30 as a pipe to 40
  Model& model = TheModel();
  ASSERT_EQ(model.rowCount, 5);
  EXPECT_EQ(model.row(5).node, 40);
  EXPECT_EQ(model.row(5).elementType, ElementType::Pipe);
  EXPECT_NEAR(model.row(5).dy, kInchesIn500mm, 1e-4);
  // A data type typed in the Data column: "A" completes "Anchor" at once.
  TableGoTo(table(), 2);
  TableSetColumn(table(), 9);
  Type("A");
  EXPECT_EQ(model.row(2).dataType, DataType::Anchor);
  // "X" completes "X restraint" as it is typed; the keyword "XZ" gives a
  // restraint in X and Z, both without a dialog.
  TableGoTo(table(), 3);
  TableSetColumn(table(), 9);
  Type("X");
  EXPECT_EQ(table().CellText(3, 9, 0), "X restraint");
  EXPECT_EQ(Store(3, 9, "XZ"), "");
  ASSERT_EQ(model.row(3).dataType, DataType::Restraint);
  const auto* restraint = static_cast<const Restraint*>(model.row(3).item.get());
  EXPECT_EQ(restraint->restrainX, 1);
  EXPECT_EQ(restraint->restrainY, 0);
  EXPECT_EQ(restraint->restrainZ, 1);
  EXPECT_EQ(table().CellText(3, 9, 0), "XZ restraint");
  // "BEN" in the Type column is a Bend; a Bend row has no data.
  TableGoTo(table(), 4);
  TableSetColumn(table(), 2);
  Type("BEN");
  EXPECT_EQ(model.row(4).elementType, ElementType::Bend);
  EXPECT_FALSE(table().IsCellEditable(4, 9));
}

TEST_F(LayoutTableTest, TypingACAtTheStartOfAnEmptyRowMakesAComment) {
  TypeSmallModel();
  Type("C");
  EXPECT_EQ(row(5).elementType, ElementType::Comment);
  Type("second run");
  Key(VK_RETURN);
  EXPECT_EQ(TheModel().rowCount, 5);
  EXPECT_EQ(table().CellText(5, 1, 0), "second run");
  EXPECT_TRUE(table().IsWideRow(5));
}

TEST_F(LayoutTableTest, RefusedCellsSayWhyAndLeaveTheRowAndTheUndoStack) {
  TypeSmallModel();
  const int depth = UndoDepth();
  EXPECT_EQ(Store(3, 2, "BEA"), "There are no beam materials");  // no beam record to name
  auto beamMaterial = ModelRecordTableAppend(TheModel().beamMaterials, 4);
  TheModel().beamMaterials[beamMaterial].name = "B1";
  const float dx = row(3).dx;
  EXPECT_EQ(Store(3, 1, "abc"), "Node =  abc  is invalid");
  EXPECT_EQ(Store(3, 1, "100000"), "Node =  100000  Node number should be < 100000");
  EXPECT_EQ(Store(4, 1, "20"), "Node is same as previous node");
  EXPECT_EQ(Store(2, 1, ""), "Node is required");
  EXPECT_EQ(Store(3, 2, "XYZ"), "Type =  XYZ  is invalid");
  EXPECT_EQ(Store(3, 3, "abc"), "DX =  abc  is invalid");
  EXPECT_EQ(Store(3, 6, "ZZZ"), "Material =  ZZZ  is not defined");
  EXPECT_EQ(Store(3, 6, "B1"), "Material =  B1  is a Beam Material");
  EXPECT_EQ(Store(3, 9, "QQ"), "Data Type =  QQ  is invalid");
  EXPECT_EQ(row(3).node, 20);
  EXPECT_EQ(row(3).dx, dx);
  EXPECT_EQ(row(3).material, "A106");
  EXPECT_EQ(row(4).node, 30);
  EXPECT_EQ(UndoDepth(), depth);
  // A store that changes nothing leaves no snapshot either.
  EXPECT_EQ(Store(3, 6, "A106"), "");
  EXPECT_EQ(UndoDepth(), depth);
  // One that changes something leaves one.
  EXPECT_EQ(Store(3, 4, "10"), "");
  EXPECT_EQ(UndoDepth(), depth + 1);
}

TEST_F(LayoutTableTest, JointsAndZeroLengthsAreRefused) {
  TypeSmallModel();
  Model& model = TheModel();
  SetElementType(model, 4, ElementType::HingeJoint);
  model.row(4).dy = 0.0f;
  EXPECT_EQ(Store(4, 3, "5"), "For a Hinge joint DX, DY, DZ should be zero");
  // A pipe of no length to a new node cannot be entered.
  TableGoTo(table(), 5);
  TableSetColumn(table(), 1);
  TypeRow({"", "", "0"});
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "This element has zero length");
  EXPECT_EQ(model.rowCount, 4);
}

// A Location has no length and no dialog that would zero an offset in
// sight: a row holding an offset is not made one, and an offset typed on a
// Location row is refused; the rows stay as they were.
TEST_F(LayoutTableTest, OffsetsAreRefusedOnRowsWithoutLength) {
  TypeSmallModel();
  Model& model = TheModel();
  // The spare row at node 20, an earlier row's: an offset typed is refused
  // (the row would end at the node, its offsets zero), one given in code
  // is not made a Location.
  EXPECT_EQ(Store(5, 1, "20"), "");
  EXPECT_EQ(Store(5, 3, "100"), "Node 20 already exists, so DX, DY, DZ should be zero");
  model.row(5).dx = 100.0f;
  EXPECT_EQ(Store(5, 2, "LOC"), "For Location, DX, DY, DZ should be zero");
  EXPECT_EQ(row(5).elementType, ElementType::None);
  SetElementType(model, 4, ElementType::Location);
  model.row(4).dy = 0.0f;
  EXPECT_EQ(Store(4, 3, "5"), "For Location, DX, DY, DZ should be zero");
  EXPECT_EQ(row(4).dx, 0.0f);
}

// Edit > Slope, Edit..., a paste and Find and Replace refuse offsets on a
// hinge and a Location as the cell does, and leave the model unmodified with
// no undo step, as does a paste that changes nothing.
TEST_F(LayoutTableTest, NoRoadGivesOffsetsToARowWithoutLength) {
  TypeSmallModel();
  // Row 4 a hinge to 30, row 5 a Location at 20.
  Model& model = TheModel();
  model.rowCount = 5;
  model.row(5).node = 20;
  SetElementType(model, 4, ElementType::HingeJoint);
  SetElementType(model, 5, ElementType::Location);
  MakeModel(model);
  ReloadLayoutTable();
  model.modified = false;
  const int depth = UndoDepth();
  auto command = [](int number, int column, int id) {
    TableGoTo(TheLayoutTable(), number);
    TableSetColumn(TheLayoutTable(), column);
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  };
  auto refusal = [](const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND message) {
      EXPECT_EQ(LinesOf(message).at(0), line);
      SendMessage(message, WM_COMMAND, IDOK, 0);
    });
  };
  // The Slope dialog with a length and a direction typed, the offsets dialog
  // with offsets: refused on OK, then cancelled.
  for (const auto& [name, id] : {std::pair{"SLOPE_DIALOG", 385}, std::pair{"DX_DY_DZ_DIALOG", 40027}}) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [&refusal](HWND dialog) {
      SetDlgItemText(dialog, 1301, "100");
      SetDlgItemText(dialog, 1302, "1");
      refusal("For a Hinge joint DX, DY, DZ should be zero");
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    command(4, 3, id);
  }
  // The pipe's DX pasted on the Location, the Location's type on the pipe,
  // the Location's DX (0) on the From's (0).
  for (const auto& [from, column, to] : {std::tuple{3, 3, 5}, std::tuple{5, 2, 3}, std::tuple{5, 3, 2}}) {
    command(from, column, 363);
    if (to != 2) refusal("For Location, DX, DY, DZ should be zero");
    command(to, column, 364);
  }
  // Find and Replace neither makes a Location nor unmakes one.
  platform::ExpectModal(platform::ModalKind::Dialog, "REPLACE_ELEMENTS_DATAS", [&refusal](HWND dialog) {
    for (const auto& [find, replace, line] : {std::tuple{"Pipe", "Location", "Type cannot be changed to Location"},
                                              std::tuple{"Location", "Pipe", "Type = Location  cannot be changed"}}) {
      SendDlgItemMessage(dialog, 1201, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(find));
      SendDlgItemMessage(dialog, 1202, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(replace));
      refusal(line);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    }
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  command(2, 1, 40022);
  platform::CheckModalScript();
  EXPECT_EQ(row(3).elementType, ElementType::Pipe);
  EXPECT_EQ(row(5).elementType, ElementType::Location);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(UndoDepth(), depth);
}

TEST_F(LayoutTableTest, LocationRowsOnlyStandAtNodesOfEarlierRows) {
  TypeSmallModel();
  SetElementType(TheModel(), 4, ElementType::Bend);
  EXPECT_EQ(Store(4, 2, "LOC"), "Type cannot be changed to Location");
  EXPECT_EQ(row(4).elementType, ElementType::Bend);
  // A Location row at a node no row made yet is refused, pointing at the
  // node, and the row stays as it was.
  EXPECT_EQ(Store(5, 1, "99"), "");
  table().currentColumn = 2;
  g_EditFieldText = "LOC";
  try {
    table().StoreCell();
    ADD_FAILURE() << "a Location at node 99 was stored";
  } catch (const CI& refusal) {
    EXPECT_EQ(refusal.message, "For Location, Node must be defined");
    EXPECT_EQ(refusal.column, 1);
  }
  EXPECT_EQ(row(5).elementType, ElementType::None);
}

TEST_F(LayoutTableTest, ARowWithoutMaterialsPointsAtTheirList) {
  ClearModel(TheModel());
  InitEmptyModel(TheModel(), ProgramAnalysisOptions());
  TheModel().rowCount = 1;
  TheModel().row(1).elementType = ElementType::Comment;
  TheModel().row(1).element = CreateElementData(ElementType::Comment);
  TheModel().currentRow = 2;
  UpdateLayoutTitle();
  TypeRow({"10", "F"});
  ASSERT_EQ(TheModel().rowCount, 2);
  // The message names the missing table; its list command follows and
  // opens the materials list.
  TypeRow({"", "", "100"});
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "There are no materials");
  EXPECT_EQ(TheModel().rowCount, 2);
  EXPECT_EQ(table().currentColumn, 6);
  EXPECT_EQ(CurrentListOpener(), &OpenMaterialsTable);
}

TEST_F(LayoutTableTest, RenamingANodeRenamesEveryReference) {
  TypeSmallModel();
  Model& model = TheModel();
  // References to node 20: a guide connected to it, a pump, an allowable,
  // and a later From row that starts a branch at it.
  SetDataType(model, 4, DataType::Guide);
  static_cast<Guide*>(model.row(4).item.get())->connectedNode = 20;
  const int pump = ModelRecordTableAppend(model.pumps, 4);
  model.pumps[pump].suctionNode = 20;
  const int allowable = ModelRecordTableAppend(model.allowables, 4);
  model.allowables[allowable].node = 20;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOf(dialog), (std::vector<std::string>{"Do you want to change Node", "from  \"20\"  to  \"25\"  ?"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(Store(3, 1, "25"), "");
  table().EditFinished();
  EXPECT_EQ(model.row(3).node, 25);
  EXPECT_EQ(static_cast<Guide*>(model.row(4).item.get())->connectedNode, 25);
  EXPECT_EQ(model.pumps[pump].suctionNode, 25);
  EXPECT_EQ(model.allowables[allowable].node, 25);
  EXPECT_NE(FindNodeIndex(model.nodes, 25), 0);
  EXPECT_EQ(FindNodeIndex(model.nodes, 20), 0);
  // No keeps the old number.
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(Store(3, 1, "27"), "");
  EXPECT_EQ(model.row(3).node, 25);
}

TEST_F(LayoutTableTest, ErasingARowFromItsNodeCellAsksAndCanBeUndone) {
  TypeSmallModel();
  const int depth = UndoDepth();
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOf(dialog), (std::vector<std::string>{"Do you want to erase this row ?"}));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(Store(4, 1, ""), "");
  EXPECT_EQ(row(4).node, 30);
  EXPECT_EQ(UndoDepth(), depth);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(Store(4, 1, ""), "");
  EXPECT_EQ(row(4).node, 0);
  EXPECT_EQ(row(4).elementType, ElementType::None);
  EXPECT_EQ(UndoDepth(), depth + 1);
}

// The columns are as wide as their widest text: a data type typed on an
// existing row whose name is longer than any in the Data column widens it
// at once, measured in the table's font, without the table being opened
// again; the caret stays in the cell.
TEST_F(LayoutTableTest, TheDataColumnWidensForALongerDataTypeAtOnce) {
  TypeSmallModel();
  HDC dc = table().Dc();
  auto width = [dc](const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  const int margin = table().Metrics().cellMargin;
  EXPECT_EQ(table().widths[9], width("Data"));  // no row has data yet
  TableGoTo(table(), 2);
  TableSetColumn(table(), 9);
  Type("GE");  // completes "Generic support", set without a dialog
  ASSERT_EQ(row(2).dataType, DataType::GenericSupport);
  ASSERT_EQ(table().CellText(2, 9, 0), "Generic support");
  EXPECT_EQ(table().widths[9], width("Generic support"));
  EXPECT_EQ(table().x[10] - table().x[9], width("Generic support") + 2 * margin);
  RECT client{};
  GetClientRect(table().Window(), &client);
  EXPECT_GE(client.right, table().x[10]);
  EXPECT_EQ(table().currentRow, 2);
  EXPECT_EQ(table().currentColumn, 9);
  EXPECT_EQ(GetFocus(), table().Window());
}

// The same when the item's own dialog gives it a longer name: a butt weld
// made a concave fillet weld through Edit > Data.
TEST_F(LayoutTableTest, TheDataColumnWidensForALongerNameGivenInTheItemsDialog) {
  TypeSmallModel();
  SetDataType(TheModel(), 3, DataType::Weld);
  ReloadLayoutTable();
  SIZE longer{};
  GetTextExtentPoint32(table().Dc(), "Conc Filet weld", 15, &longer);
  ASSERT_LT(table().widths[9], longer.cx);
  TableGoTo(table(), 3);
  platform::ExpectModal(platform::ModalKind::Dialog, "WELD_DIALOG", [](HWND dialog) {
    HWND list = GetDlgItem(dialog, 1201);
    SendMessage(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Concave fillet weld"));
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 202, 0);
  platform::CheckModalScript();
  EXPECT_GE(table().widths[9], longer.cx);
}

TEST_F(LayoutTableTest, TheTitleRowKeepsItsPrefixAndNamesTheModel) {
  EXPECT_TRUE(table().IsWideRow(1));
  table().currentRow = 1;
  EXPECT_EQ(table().WideRowPrefixLength(), 8);
  EXPECT_EQ(Store(1, 1, "Title = Cooling water"), "");
  EXPECT_EQ(TheModel().title, "Cooling water");
  EXPECT_EQ(table().CellText(1, 1, 0), "Title = Cooling water");
}

}  // namespace
