// Renumbering nodes through Edit > Renumber nodes: the range example (rows
// outside keep 10 and 30, the range gets 20, 40, 50), every place that
// names a node following (bend intermediate nodes, a connected "A" node,
// allowable loads, pumps, compressors, turbines), one undo step giving back
// the model file byte for byte, every refusal with the model intact, and
// the automatic renumbering after Insert when the preference asks for it.
#include "editing/RenumberNodes.h"
#include "elements/Bend.h"
#include "model/ToolTesting.h"
#include "services/Settings.h"
#include "supports/Guide.h"

namespace {

constexpr int kRenumber = 40010;

class RenumberNodesTest : public ToolFixture {
 protected:
  std::vector<NodeId> Nodes() {
    std::vector<NodeId> nodes;
    for (int r = 2; r <= TheModel().rowCount; ++r) nodes.push_back(TheModel().row(r).node);
    return nodes;
  }
  void Renumber(const std::string& from, const std::string& to, const std::string& start, const std::string& step) {
    WithDialog(kRenumber, "RENUMBER_NODES", [=](HWND dialog) {
      Set(dialog, 1301, from);
      Set(dialog, 1302, to);
      Set(dialog, 1303, start);
      Set(dialog, 1304, step);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  void BuildRun(std::initializer_list<NodeId> nodes) {
    Model& model = TheModel();
    bool first = true;
    for (NodeId node : nodes) {
      AddRow(model, node, first ? ElementType::From : ElementType::Pipe, first ? 0.0f : 12.0f);
      first = false;
    }
    Open();
  }
};

TEST_F(RenumberNodesTest, TheRangeStepsOverNumbersUsedOutsideIt) {
  BuildRun({10, 100, 200, 300, 30});  // rows 2 .. 6
  const std::string before = Bytes();
  Renumber("3", "5", "10", "10");
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 20, 40, 50, 30}));
  EXPECT_FLOAT_EQ(NodeById(TheModel(), 50).x, 36.0f);
  const std::string edited = Bytes();
  Command(40050);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  Command(40051);
  EXPECT_EQ(FirstDifference(Bytes(), edited), -1);
  // The dialog opened on row 1 proposes the last values.
  table().currentRow = 1;
  WithDialog(kRenumber, "RENUMBER_NODES", [](HWND dialog) {
    EXPECT_EQ(Get(dialog, 1301), "1");
    EXPECT_EQ(Get(dialog, 1302), "5");
    EXPECT_EQ(Get(dialog, 1303), "10");
    EXPECT_EQ(Get(dialog, 1304), "10");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(RenumberNodesTest, EveryReferenceToANodeFollowsIt) {
  Model& model = TheModel();
  model.sections[1].outsideDiameter = 4.5f;
  model.sections[1].thickness = 0.237f;
  AddRow(model, 5, ElementType::From);                  // row 2
  AddRow(model, 15, ElementType::Pipe, 48.0f);          // row 3
  model.row(3).section = "S4";
  AddRow(model, 25, ElementType::Bend, 48.0f);          // row 4
  auto& bend = dynamic_cast<Bend&>(*model.row(4).element);
  bend.intermediateNode1 = 26;
  bend.intermediateNode2 = 27;
  AddRow(model, 35, ElementType::Pipe, 0.0f, 48.0f);    // row 5
  auto* guide = dynamic_cast<Guide*>(SetDataType(model, 5, DataType::Guide));
  guide->connectedNode = 5 + kArcNearOffset;            // "5A"
  const int allowable = ModelRecordTableAppend(model.allowables, 4);
  model.allowables[allowable].node = 15;
  const int pump = ModelRecordTableAppend(model.pumps, 4);
  model.pumps[pump].suctionNode = 25;
  model.pumps[pump].dischargeNode = 35;
  const int compressor = ModelRecordTableAppend(model.compressors, 4);
  model.compressors[compressor].inletNode = 15;
  const int turbine = ModelRecordTableAppend(model.turbines, 4);
  model.turbines[turbine].exhaustNode = 35;
  model.turbines[turbine].extractionNode1 = 26;
  Open();
  Renumber("2", "5", "100", "10");
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{100, 110, 120, 150}));
  const auto& renumbered = dynamic_cast<const Bend&>(*TheModel().row(4).element);
  EXPECT_EQ(renumbered.intermediateNode1, 130);
  EXPECT_EQ(renumbered.intermediateNode2, 140);
  EXPECT_EQ(dynamic_cast<const Guide&>(*TheModel().row(5).item).connectedNode, 100 + kArcNearOffset);
  EXPECT_EQ(TheModel().allowables[allowable].node, 110);
  EXPECT_EQ(TheModel().pumps[pump].suctionNode, 120);
  EXPECT_EQ(TheModel().pumps[pump].dischargeNode, 150);
  EXPECT_EQ(TheModel().compressors[compressor].inletNode, 110);
  EXPECT_EQ(TheModel().turbines[turbine].exhaustNode, 150);
  EXPECT_EQ(TheModel().turbines[turbine].extractionNode1, 130);
}

TEST_F(RenumberNodesTest, SharedNumbersAndNumbersBeyondTheRange) {
  // Rows 3 and 5 share node 7; node 7 is also used after the range.
  BuildRun({1, 7, 8, 7, 9, 7});
  EXPECT_EQ(AssignNewNodeNumbers(TheModel(), 3, 5, 10, 5),
            (NodeNumberMap{{7, 10}, {8, 15}}));
  ASSERT_TRUE(RenumberRows(TheModel(), 3, 5, 10, 5));
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{1, 10, 15, 10, 9, 10}));
  EXPECT_EQ(MapNodeNumber({{5, 20}}, 105), 105);  // 105 is plain 105, not 5
  EXPECT_EQ(MapNodeNumber({{5, 20}}, 100005), 100020);
  EXPECT_EQ(MapNodeNumber({{5, 20}}, 0), 0);
}

TEST_F(RenumberNodesTest, EveryRefusalKeepsTheModel) {
  BuildRun({10, 20, 30});
  const std::string before = Bytes();
  auto refused = [&](std::vector<std::string> fields, const std::string& message) {
    WithDialog(kRenumber, "RENUMBER_NODES", [=](HWND dialog) {
      for (std::size_t i = 0; i < fields.size(); ++i) Set(dialog, 1301 + static_cast<int>(i), fields[i]);
      OkRefused(dialog, message);
    });
  };
  refused({"", "3", "10", "10"}, "From  #  is required");
  refused({"Z", "3", "10", "10"}, "From  # =  Z  is invalid");
  refused({"9", "3", "10", "10"}, "From  #  > number of rows");
  refused({"2", "", "10", "10"}, "To  #  is required");
  refused({"3", "2", "10", "10"}, "From  #  > To  #");
  refused({"2", "4", "", "10"}, "Starting node number is required");
  refused({"2", "4", "100005", "10"}, "Node =  100005  Node should not have a suffix");
  refused({"2", "4", "10", ""}, "Node increment is required");
  refused({"2", "4", "10", "0"}, "Node increment =  0  is invalid");
  refused({"2", "4", "99990", "10"}, "New node number > 99999");
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(CanUndo());
}

TEST_F(RenumberNodesTest, InsertRenumbersEveryNodeWhenThePreferenceAsks) {
  BuildRun({10, 20, 30});
  ProgramPreferences().automaticRenumbering = 1;
  ProgramPreferences().startingNodeNumber = 0;
  TheModel().nodeIncrement = 5;
  table().currentRow = 4;
  Command(128);  // Insert before node 30
  EXPECT_EQ(ProgramPreferences().startingNodeNumber, 10);
  // The inserted row has no node until it is typed: numbered, it would be
  // an element of no length.
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 15, 0, 20}));
  Command(40050);  // one undo step takes back the insert and the renumbering
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 20, 30}));
  ProgramPreferences() = Preferences{};
}

}  // namespace
