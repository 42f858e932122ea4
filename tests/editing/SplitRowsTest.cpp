// Split and Multiple Split through the Edit menu: a 1200 in pipe carrying a
// restraint split once (from either node) and into four equal pieces, the
// restraint staying at the old end and the new nodes numbered S, S + I,
// S + 2I; a valve's first piece is a Pipe and a beam's a Beam; every
// refusal of both dialogs, a split point on a bend's curve among them,
// leaves the model and no undo step; Undo and Redo give back the files.
#include "model/ToolTesting.h"

namespace {

constexpr int kSplit = 129, kMultipleSplit = 40049;

class SplitRowsTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    Model& model = TheModel();
    model.sections[1].outsideDiameter = 6.625f;
    model.sections[1].thickness = 0.28f;
    AddRow(model, 10, ElementType::From);             // row 2
    PutItem(model, 2, DataType::Anchor);
    AddRow(model, 20, ElementType::Pipe, 1200.0f);    // row 3
    model.row(3).section = "S4";
    PutItem(model, 3, DataType::Restraint);
    AddRow(model, 30, ElementType::Valve, 24.0f);     // row 4
    AddRow(model, 40, ElementType::Beam, 0.0f, 100.0f);  // row 5
    Open();
  }
  std::vector<NodeId> Nodes() {
    std::vector<NodeId> nodes;
    for (int r = 2; r <= TheModel().rowCount; ++r) nodes.push_back(TheModel().row(r).node);
    return nodes;
  }
  void Split(int row, const std::string& node, const std::string& distance, bool fromEnd) {
    table().currentRow = row;
    WithDialog(kSplit, "SPLIT_DIALOG", [=](HWND dialog) {
      Set(dialog, 1301, node);
      Set(dialog, 1302, distance);
      if (fromEnd) Click(dialog, 1002);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  void MultipleSplit(int row, const std::string& node, const std::string& step, const std::string& pieces) {
    table().currentRow = row;
    WithDialog(kMultipleSplit, "MSPLIT_DIALOG", [=](HWND dialog) {
      Set(dialog, 1301, node);
      Set(dialog, 1302, step);
      Set(dialog, 1303, pieces);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
};

TEST_F(SplitRowsTest, OneSplitFromEitherNodeKeepsTheRestraintAtTheOldEnd) {
  const std::string before = Bytes();
  table().currentRow = 3;
  WithDialog(kSplit, "SPLIT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOfWindow(dialog), "Split Row  #  3");
    EXPECT_EQ(Get(dialog, 1501), "Pipe  From  10  To  20");
    EXPECT_EQ(Get(dialog, 1002), "From Node 20");
    Set(dialog, 1301, "15");
    Set(dialog, 1302, "300");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const Model& model = TheModel();
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 15, 20, 30, 40}));
  EXPECT_EQ(model.row(3).elementType, ElementType::Pipe);
  EXPECT_EQ(model.row(3).dataType, DataType::None);
  EXPECT_EQ(model.row(4).dataType, DataType::Restraint);
  EXPECT_EQ(model.row(3).section, "S4");
  EXPECT_FLOAT_EQ(NodeById(model, 15).x, 300.0f);
  EXPECT_FLOAT_EQ(NodeById(model, 20).x, 1200.0f);
  EXPECT_EQ(table().currentRow, 3);
  const std::string edited = Bytes();
  Command(40050);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  Command(40051);
  EXPECT_EQ(FirstDifference(Bytes(), edited), -1);
  // From the row's own node: 300 before node 20 of the 900 in remainder.
  Split(4, "17", "300", true);
  EXPECT_FLOAT_EQ(NodeById(TheModel(), 17).x, 900.0f);
}

TEST_F(SplitRowsTest, FourEqualPiecesNumberedFromTheStartingNode) {
  const std::string before = Bytes();
  MultipleSplit(3, "11", "2", "4");
  const Model& model = TheModel();
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 11, 13, 15, 20, 30, 40}));
  for (int r = 3; r <= 6; ++r) EXPECT_FLOAT_EQ(model.row(r).dx, 300.0f) << r;
  EXPECT_FLOAT_EQ(NodeById(model, 13).x, 600.0f);
  EXPECT_EQ(model.row(6).dataType, DataType::Restraint);
  EXPECT_EQ(model.row(5).dataType, DataType::None);
  Command(40050);  // one undo step for the three splits
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(CanUndo());
  // One piece changes nothing and leaves no undo step.
  MultipleSplit(3, "11", "2", "1");
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 20, 30, 40}));
  EXPECT_FALSE(CanUndo());
}

TEST_F(SplitRowsTest, ValveAndBeamPieces) {
  Split(4, "25", "6", false);
  EXPECT_EQ(TheModel().row(4).elementType, ElementType::Pipe);
  EXPECT_EQ(TheModel().row(5).elementType, ElementType::Valve);
  Split(6, "35", "50", false);
  EXPECT_EQ(TheModel().row(6).elementType, ElementType::Beam);
  EXPECT_FLOAT_EQ(TheModel().row(6).dy, 50.0f);
}

TEST_F(SplitRowsTest, EveryRefusalKeepsTheModel) {
  table().currentRow = TheModel().currentRow = 3;  // the file keeps the current row
  const std::string before = Bytes();
  auto refused = [&](int id, const char* name, std::vector<std::string> fields, const std::string& message) {
    table().currentRow = 3;
    WithDialog(id, name, [=](HWND dialog) {
      for (std::size_t i = 0; i < fields.size(); ++i) Set(dialog, 1301 + static_cast<int>(i), fields[i]);
      OkRefused(dialog, message);
    });
  };
  refused(kSplit, "SPLIT_DIALOG", {"", "300"}, "Intermediate Node is required");
  refused(kSplit, "SPLIT_DIALOG", {"Q", "300"}, "Intermediate Node =  Q  is invalid");
  refused(kSplit, "SPLIT_DIALOG", {"100001", "300"}, "Node number should not have a suffix");
  refused(kSplit, "SPLIT_DIALOG", {"30", "300"}, "Intermediate node is already defined");
  refused(kSplit, "SPLIT_DIALOG", {"15", ""}, "Split distance is required");
  refused(kSplit, "SPLIT_DIALOG", {"15", "0"}, "Split distance =  0  is invalid");
  refused(kSplit, "SPLIT_DIALOG", {"15", "1200"}, "Split distance  >=  Length");
  refused(kMultipleSplit, "MSPLIT_DIALOG", {"", "2", "4"}, "Intermediate Starting Node is required");
  refused(kMultipleSplit, "MSPLIT_DIALOG", {"11", "0", "4"}, "Node increament =  0  is invalid");
  refused(kMultipleSplit, "MSPLIT_DIALOG", {"11", "2", ""}, "No. of Splits is required");
  refused(kMultipleSplit, "MSPLIT_DIALOG", {"11", "2", "X"}, "No. of splits =  X  is invalid");
  refused(kMultipleSplit, "MSPLIT_DIALOG", {"28", "2", "4"}, "Intermediate node number 30 already exists");
  refused(kMultipleSplit, "MSPLIT_DIALOG", {"99990", "9", "4"}, "New node number > 99999");
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(CanUndo());
}

TEST_F(SplitRowsTest, APointOnABendsCurveIsRefused) {
  Model& model = TheModel();
  SetElementType(model, 3, ElementType::Bend);  // the bend at node 20 turns toward +Y
  model.row(4).elementType = ElementType::Pipe;
  model.row(4).element = CreateElementData(ElementType::Pipe);
  model.row(4).dx = 0.0f;
  model.row(4).dy = 240.0f;
  Open();
  table().currentRow = 3;
  WithDialog(kSplit, "SPLIT_DIALOG", [](HWND dialog) {
    Set(dialog, 1301, "15");
    Set(dialog, 1302, "1");  // 1 in before the tangent point
    Click(dialog, 1002);
    OkRefused(dialog, "Intermediate node is on curved portion");
  });
  table().currentRow = 4;
  WithDialog(kSplit, "SPLIT_DIALOG", [](HWND dialog) {
    Set(dialog, 1301, "25");
    Set(dialog, 1302, "1");  // 1 in after the tangent point: on the curve
    OkRefused(dialog, "Intermediate node is on curved portion");
  });
  EXPECT_FALSE(CanUndo());
}

}  // namespace
