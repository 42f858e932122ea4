// Generate Rows through the Layout window's command: a run that starts
// inside a line gets a From row at its shifted start node; the copies are
// shifted in node number and position; node numbers above 99999 and numbers
// that exist already are refused before anything is added, as are bad
// fields, with the dialog kept open.
#include "editing/GenerateRows.h"
#include "elements/Bend.h"
#include "model/LayoutTesting.h"
#include "model/ModelBuilder.h"

#include <set>

namespace {

class GenerateRowsTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    Model& model = TheModel();
    AddRow(model, 10, ElementType::From);
    for (NodeId node = 20; node <= 60; node += 10) {
      const int row = AddRow(model, node, ElementType::Pipe, 12.0f);
      model.row(row).material = "A106";
    }
    MakeModel(model);
    model.modified = false;
    ReloadLayoutTable();
    platform::RunUntilIdle();
  }
  static void Fill(HWND dialog, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i)
      SetDlgItemText(dialog, 1301 + static_cast<int>(i), fields[i].c_str());
  }
  std::string Refusal(int from, int to, int sets, int increment) {
    GenerateRowsRequest request;
    request.from = from;
    request.to = to;
    request.sets = sets;
    request.nodeIncrement = increment;
    return GenerateRowsRefusal(TheModel(), request);
  }
};

TEST_F(GenerateRowsTest, ARunIsCopiedWithAFromRowAtItsShiftedStart) {
  platform::ExpectModal(platform::ModalKind::Dialog, "GENERATE_DIALOG", [](HWND dialog) {
    Fill(dialog, {"1", "6", "1", "100", "0", "600", "0"});
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), "From  #  must be > 1");
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    Fill(dialog, {"3", "6", "1", "100", "0", "600", "0"});  // 600 mm up
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 117, 0);
  platform::RunUntilIdle();
  const Model& model = TheModel();
  ASSERT_EQ(model.rowCount, 12);
  EXPECT_EQ(model.row(8).elementType, ElementType::From);
  EXPECT_EQ(model.row(8).node, 110);
  EXPECT_EQ(model.row(9).node, 120);
  EXPECT_EQ(model.row(12).node, 150);
  EXPECT_EQ(model.row(12).material, "A106");
  const float up = 600.0f / 25.4f;
  EXPECT_FLOAT_EQ(NodeById(model, 110).y, up);
  EXPECT_FLOAT_EQ(NodeById(model, 110).x, 0.0f);
  EXPECT_FLOAT_EQ(NodeById(model, 150).x, 48.0f);
  EXPECT_FLOAT_EQ(NodeById(model, 150).y, up);
  EXPECT_TRUE(model.modified);
  EXPECT_TRUE(CanUndo());
}

TEST_F(GenerateRowsTest, NodeNumbersAndLimitsAreCheckedFirst) {
  EXPECT_EQ(Refusal(7, 7, 1, 99939), "");  // 60 + 99939 = 99999
  EXPECT_EQ(Refusal(7, 7, 1, 99940), "Node number = 100000  >  99999\nGenerated from node 60\n");
  EXPECT_EQ(Refusal(3, 3, 1, 10), "New node number 30  generated out of node 20\nalready exists");
  EXPECT_EQ(Refusal(3, 7, 2000, 1000), "Node number = 2000020  >  99999\nGenerated from node 20\n");
  EXPECT_EQ(Refusal(2, 7, 1200, 1), "New node number 20  generated out of node 10\nalready exists");
  GenerateRowsRequest many;
  many.from = 3;
  many.to = 7;
  many.sets = 1500;
  many.nodeIncrement = 60;
  EXPECT_EQ(GenerateRowsRefusal(TheModel(), many), "Maximum number of rows exceeded");
  // Through the dialog: the message, the dialog kept, nothing added.
  platform::ExpectModal(platform::ModalKind::Dialog, "GENERATE_DIALOG", [](HWND dialog) {
    Fill(dialog, {"3", "3", "1", "10", "0", "0", "0"});
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), "New node number 30  generated out of node 20");
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 117, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().rowCount, 7);
  EXPECT_FALSE(CanUndo());
}

TEST_F(GenerateRowsTest, ABendsArcNodeIsGeneratedLikeItsOwnNode) {
  Model& model = TheModel();
  model.row(5).dx = 0.0f;
  model.row(5).dy = 12.0f;
  SetElementType(model, 4, ElementType::Bend);
  model.row(4).element->AsBend()->intermediateNode1 = 31;
  MakeModel(model);
  // 31 + 9 is node 40 of the line: found before anything is added.
  EXPECT_EQ(Refusal(3, 7, 1, 9), "New node number 40  generated out of node 31\nalready exists");
  GenerateRowsRequest request;
  request.from = 3;
  request.to = 7;
  request.sets = 1;
  request.nodeIncrement = 1000;
  request.dz = 240.0f;
  GenerateRows(model, request);
  ASSERT_EQ(model.row(10).node, 1030);
  EXPECT_EQ(model.row(10).element->AsBend()->intermediateNode1, 1031);
  EXPECT_EQ(model.row(4).element->AsBend()->intermediateNode1, 31);
  std::set<NodeId> ids;
  for (int i = 1; i <= model.nodes.count; ++i) ids.insert(model.nodes[i].id);
  EXPECT_EQ(static_cast<int>(ids.size()), model.nodes.count);
}

}  // namespace
