// Row operations of the Layout window: insert (nothing on the title and the
// spare row, refused at 7000 rows), the copy range and its messages, pasting
// several rows under new node numbers and one column of a single row, and
// combining with the previous element row (asking first when that row
// carries data).
#include "model/EditTesting.h"
#include "model/RowOperations.h"
#include "elements/Bend.h"
#include "supports/Restraint.h"

#include <set>

namespace {

using LayoutRowEditsTest = EditFixture;

// The message `road` throws, "" when none.
template <typename Road>
std::string Thrown(Road road) {
  try {
    road();
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

std::string CopyRangeError(const std::string& from, const std::string& to, int rowCount) {
  int first = 0, last = 0;
  return Thrown([&] { ReadCopyRange(from, to, rowCount, first, last); });
}

TEST_F(LayoutRowEditsTest, InsertMovesTheRowsBelowDownByOne) {
  Model& model = TheModel();
  EXPECT_FALSE(InsertLayoutRow(model, 1));                   // the title row
  EXPECT_FALSE(InsertLayoutRow(model, model.rowCount + 1));  // the spare row
  ASSERT_EQ(model.rowCount, 5);
  ASSERT_TRUE(InsertLayoutRow(model, 3));
  EXPECT_EQ(model.rowCount, 6);
  EXPECT_EQ(model.row(3).node, 0);
  EXPECT_EQ(model.row(3).elementType, ElementType::None);
  EXPECT_EQ(model.row(2).node, 20);
  EXPECT_EQ(model.row(4).node, 30);
  EXPECT_EQ(model.row(6).node, 50);
  EXPECT_NE(model.row(4).element, nullptr);  // the moved rows keep their objects
  EXPECT_TRUE(model.modified);
}

TEST_F(LayoutRowEditsTest, InsertAtSevenThousandRowsIsRefused) {
  Model& model = TheModel();
  model.rowCount = kMaxLayoutRows;
  EXPECT_EQ(Thrown([&] { InsertLayoutRow(model, 3); }), "Maximum number of rows exceeded");
  EXPECT_EQ(model.rowCount, kMaxLayoutRows);
  EXPECT_EQ(model.row(3).node, 30);
  model.rowCount = 5;
}

TEST_F(LayoutRowEditsTest, CopyRangeMessages) {
  EXPECT_EQ(CopyRangeError("", "", 5), "From  #  is required");
  EXPECT_EQ(CopyRangeError("A", "", 5), "From  # =  A  is invalid");
  EXPECT_EQ(CopyRangeError("0", "", 5), "From  # =  0  is invalid");
  EXPECT_EQ(CopyRangeError("6", "", 5), "From  #  > number of rows");
  EXPECT_EQ(CopyRangeError("2", "X", 5), "To  # =  X  is invalid");
  EXPECT_EQ(CopyRangeError("5", "3", 5), "From  #  > To  #");
  int first = 0, last = 0;
  ReadCopyRange("2", "99", 5, first, last);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 5);  // cut to the last row
  ReadCopyRange("4", "", 5, first, last);
  EXPECT_EQ(last, 4);
}

TEST_F(LayoutRowEditsTest, PasteOfThreeRowsAppendsThemUnderNewNodes) {
  Model& model = TheModel();
  model.row(4).dy = 6.0f;
  MakeModel(model);
  CopyLayoutRows(model, 3, 5);
  ASSERT_TRUE(HasCopiedRows());
  ASSERT_TRUE(PasteRows(model, 2, 1));
  ASSERT_EQ(model.rowCount, 8);
  // Node increment 10 after the last node 50.
  EXPECT_EQ(model.row(6).node, 60);
  EXPECT_EQ(model.row(7).node, 70);
  EXPECT_EQ(model.row(8).node, 80);
  EXPECT_FLOAT_EQ(model.row(7).dy, 6.0f);
  EXPECT_EQ(model.row(8).elementType, ElementType::Pipe);
  // Node 50 is at (48, 6): four pipes of 12 along X, one of them up 6.
  // The pasted run adds 3 x 12 along X and its own 6 up.
  EXPECT_FLOAT_EQ(NodeById(model, 80).x, 84.0f);
  EXPECT_FLOAT_EQ(NodeById(model, 80).y, 12.0f);
  // One copy pastes once.
  EXPECT_FALSE(HasCopiedRows());
  EXPECT_FALSE(PasteRows(model, 2, 1));
  EXPECT_EQ(model.rowCount, 8);
}

// A bend at 30 turning from X to Y with its own arc node 31.
BendRecord& BendWithArcNode(Model& model) {
  model.row(4).dx = 0.0f;
  model.row(4).dy = 12.0f;
  SetElementType(model, 3, ElementType::Bend);
  BendRecord& bend = *model.row(3).element->AsBend();
  bend.intermediateNode1 = 31;
  bend.angle1 = 0.4f;
  MakeModel(model);
  return bend;
}

bool EveryNodeNumberOnce(const Model& model) {
  std::set<NodeId> ids;
  for (int i = 1; i <= model.nodes.count; ++i) ids.insert(model.nodes[i].id);
  return static_cast<int>(ids.size()) == model.nodes.count;
}

TEST_F(LayoutRowEditsTest, APastedBendGetsArcNodesOfItsOwn) {
  Model& model = TheModel();
  BendWithArcNode(model);
  const NodeRecord arcNode = NodeById(model, 31);
  CopyLayoutRows(model, 2, 4);
  ASSERT_TRUE(PasteRows(model, 2, 1));
  ASSERT_EQ(model.row(7).node, 70);
  EXPECT_EQ(model.row(7).element->AsBend()->intermediateNode1, 71);
  EXPECT_TRUE(EveryNodeNumberOnce(model));
  // The source bend's arc node stays on its own arc.
  EXPECT_EQ(NodeById(model, 31).x, arcNode.x);
  EXPECT_EQ(NodeById(model, 31).y, arcNode.y);
  CopyCurrentRow(3);
  ASSERT_TRUE(PasteRows(model, 8, 1));
  EXPECT_NE(model.row(8).element->AsBend()->intermediateNode1, 31);
  EXPECT_TRUE(EveryNodeNumberOnce(model));
}

TEST_F(LayoutRowEditsTest, MakingRefusesANodeNumberMadeTwice) {
  Model& model = TheModel();
  BendWithArcNode(model);
  // A second bend at 50 naming the first one's arc node, as a bad file has it.
  model.row(5).dy = 12.0f;
  AddRow(model, 60, ElementType::Pipe, 12.0f);
  SetElementType(model, 5, ElementType::Bend);
  model.row(5).element->AsBend()->intermediateNode1 = 31;
  EXPECT_EQ(Thrown([&] { MakeModel(model); }), "Node 31 is made twice:\nby row 3 and by row 5.");
  EXPECT_EQ(model.unmadeReason, "Node 31 is made twice:\nby row 3 and by row 5.");
}

TEST_F(LayoutRowEditsTest, PastedRowsAreDeepCopies) {
  Model& model = TheModel();
  auto* restraint = dynamic_cast<Restraint*>(SetDataType(model, 3, DataType::Restraint));
  restraint->restrainX = 1;
  CopyLayoutRows(model, 2, 3);
  restraint->restrainX = 0;  // a change after the copy does not reach it
  ASSERT_TRUE(PasteRows(model, 2, 1));
  auto* pasted = dynamic_cast<Restraint*>(model.row(7).item.get());
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->restrainX, 1);
  EXPECT_NE(model.row(7).item.get(), model.row(3).item.get());
}

TEST_F(LayoutRowEditsTest, PasteThatWouldPassTheRowLimitIsRefusedWhole) {
  Model& model = TheModel();
  CopyLayoutRows(model, 2, 4);
  model.rowCount = kMaxLayoutRows - 2;
  EXPECT_EQ(Thrown([&] { PasteRows(model, 2, 1); }), "Maximum number of rows exceeded");
  EXPECT_EQ(model.rowCount, kMaxLayoutRows - 2);
  model.rowCount = 5;
}

TEST_F(LayoutRowEditsTest, SingleRowCopyPastesOnlyTheCurrentColumn) {
  Model& model = TheModel();
  model.row(3).dx = 3.0f;
  model.row(3).dy = 4.0f;
  model.row(3).section = "S6";
  MakeModel(model);
  CopyCurrentRow(3);
  ASSERT_TRUE(PasteRows(model, 5, 4));  // column 4: DY
  EXPECT_FLOAT_EQ(model.row(5).dy, 4.0f);
  EXPECT_FLOAT_EQ(model.row(5).dx, 12.0f);
  EXPECT_EQ(model.row(5).section, "S4");  // as it was (inherited from row 2)

  CopyCurrentRow(3);
  ASSERT_TRUE(PasteRows(model, 4, 7));  // column 7: the section
  EXPECT_EQ(model.row(4).section, "S6");
  EXPECT_FLOAT_EQ(model.row(4).dy, 0.0f);

  // Column 9 of a row without data clears the target's data.
  PutItem(model, 5, DataType::Anchor);
  CopyCurrentRow(3);
  ASSERT_TRUE(PasteRows(model, 5, 9));
  EXPECT_EQ(model.row(5).dataType, DataType::None);
  EXPECT_EQ(model.row(5).item, nullptr);
}

TEST_F(LayoutRowEditsTest, CopiedRowsAreForgottenWithTheModel) {
  CopyLayoutRows(TheModel(), 2, 3);
  ForgetCopiedRows();
  EXPECT_FALSE(HasCopiedRows());
  EXPECT_FALSE(PasteRows(TheModel(), 2, 1));
}

TEST_F(LayoutRowEditsTest, CombineAddsTheOffsetsAndDeletesThePreviousRow) {
  Model& model = TheModel();
  model.row(4).dy = 5.0f;
  MakeModel(model);
  const float endX = NodeById(model, 50).x;
  ASSERT_EQ(CombineWithPreviousRow(model, 5, nullptr), 4);
  EXPECT_EQ(model.rowCount, 4);
  EXPECT_EQ(model.row(4).node, 50);
  EXPECT_FLOAT_EQ(model.row(4).dx, 24.0f);
  EXPECT_FLOAT_EQ(model.row(4).dy, 5.0f);
  EXPECT_EQ(FindNodeIndex(model.nodes, 40), 0);
  EXPECT_FLOAT_EQ(NodeById(model, 50).x, endX);  // the line ends where it did
  EXPECT_TRUE(model.modified);
}

TEST_F(LayoutRowEditsTest, CombineAsksWhenThePreviousRowCarriesData) {
  Model& model = TheModel();
  PutItem(model, 4, DataType::Restraint);
  MakeModel(model);
  const std::string before = Bytes(model);
  const char* question = "Element has data type defined. Combining element will remove data!";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [question](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), question);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);  // No
  });
  EXPECT_EQ(CombineWithPreviousRow(model, 5, nullptr), 0);
  EXPECT_EQ(Bytes(model), before);

  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(CombineWithPreviousRow(model, 5, nullptr), 4);
  EXPECT_EQ(model.rowCount, 4);
  EXPECT_EQ(model.row(4).dataType, DataType::None);
}

TEST_F(LayoutRowEditsTest, CombineRefusesWhatItCannotMerge) {
  Model& model = TheModel();
  EXPECT_EQ(CombineWithPreviousRow(model, 1, nullptr), 0);
  EXPECT_EQ(CombineWithPreviousRow(model, 2, nullptr), 0);  // previous is the From row
  model.row(3).absolute = true;  // coordinates, not an offset to add
  MakeModel(model);
  EXPECT_EQ(CombineWithPreviousRow(model, 4, nullptr), 0);
  EXPECT_EQ(model.rowCount, 5);
}

}  // namespace
