// Deleting rows through the Layout window's commands: a range through the
// Delete Rows dialog (refusals of the title, the first From row and a
// reversed range; a To beyond the last row cut to it) and undone; Ctrl+X on
// the title row, the first From row and the spare row; rows whose nodes a
// guide elsewhere or a pump still names are kept with their message.
#include "editing/DeleteRows.h"
#include "elements/CommentData.h"
#include "model/LayoutTesting.h"
#include "model/ModelBuilder.h"
#include "supports/Guide.h"

namespace {

class DeleteRowsTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    Model& model = TheModel();
    dynamic_cast<CommentData&>(*model.row(1).element).SetText("Title = Line 7");
    model.title = "Line 7";
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

  void Command(int id) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }

  // Runs Delete Rows with the two fields; `refusal` is the message expected
  // on OK (then the dialog is cancelled), empty when the rows go.
  void DeleteRange(const std::string& from, const std::string& to, const std::string& refusal) {
    platform::ExpectModal(platform::ModalKind::Dialog, "DELETE_ELEMENTS_DIALOG", [=](HWND dialog) {
      SetDlgItemText(dialog, 1301, from.c_str());
      SetDlgItemText(dialog, 1302, to.c_str());
      if (!refusal.empty())
        platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE" + std::to_string(MessageLines(refusal).size()) + "_DIALOG",
                              [=](HWND message) {
                                EXPECT_EQ(LinesOfDialog(message).at(0), MessageLines(refusal).at(0));
                                SendMessage(message, WM_COMMAND, IDOK, 0);
                              });
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      if (!refusal.empty()) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(279);
  }

  std::vector<NodeId> Nodes() {
    std::vector<NodeId> nodes;
    for (int r = 2; r <= TheModel().rowCount; ++r) nodes.push_back(TheModel().row(r).node);
    return nodes;
  }
};

TEST_F(DeleteRowsTest, RangeDeletedAndUndone) {
  table().currentRow = 4;
  platform::ExpectModal(platform::ModalKind::Dialog, "DELETE_ELEMENTS_DIALOG", [](HWND dialog) {
    char text[16] = {};
    GetDlgItemText(dialog, 1301, text, sizeof text);
    EXPECT_STREQ(text, "4");  // the current row is proposed
    SetDlgItemText(dialog, 1301, "3");
    SetDlgItemText(dialog, 1302, "5");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(279);
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 50, 60}));
  EXPECT_TRUE(TheModel().modified);
  // Rows 3 to 5 (nodes 20 to 40) are gone: node 60 is two pipes from the
  // From node.
  EXPECT_FLOAT_EQ(NodeById(TheModel(), 60).x, 24.0f);
  EXPECT_EQ(table().rowCount, TheModel().rowCount + 1);
  Command(40050);  // Undo
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 20, 30, 40, 50, 60}));
  EXPECT_EQ(TheModel().row(4).material, "A106");
  EXPECT_FLOAT_EQ(NodeById(TheModel(), 60).x, 60.0f);
}

TEST_F(DeleteRowsTest, RangeRefusalsKeepEveryRow) {
  DeleteRange("", "", "From  #  is required");
  DeleteRange("x", "", "From  # =  X  is invalid");
  DeleteRange("1", "3", "Title cannot be deleted");
  DeleteRange("2", "3", "First \"From\" row cannot be deleted");
  DeleteRange("3", "2", "First \"From\" row cannot be deleted");
  DeleteRange("9", "", "From  #  > number of rows");
  DeleteRange("5", "3", "From  #  > To  #");
  DeleteRange("4", "0", "To  # =  0  is invalid");
  EXPECT_EQ(Nodes().size(), 6u);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());  // every refused command gave its snapshot back
  // A To beyond the last row stops at it; an empty To deletes From alone.
  DeleteRange("6", "9999", "");
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 20, 30, 40}));
  DeleteRange("3", "", "");
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 30, 40}));
}

// Rows that make the node a branch starts "From" further down: asked
// first, No keeps every row, Yes deletes them.
TEST_F(DeleteRowsTest, RowsThatMakeABranchStartAskFirst) {
  Model& model = TheModel();
  AddRow(model, 30, ElementType::From);  // row 8, at row 4's node
  AddRow(model, 70, ElementType::Pipe, 0.0f, 12.0f);
  MakeModel(model);
  ReloadLayoutTable();
  platform::RunUntilIdle();
  for (const bool yes : {false, true}) {
    platform::ExpectModal(platform::ModalKind::Dialog, "DELETE_ELEMENTS_DIALOG", [yes](HWND dialog) {
      SetDlgItemText(dialog, 1301, "3");
      SetDlgItemText(dialog, 1302, "4");
      platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [yes](HWND question) {
        EXPECT_NE(LinesOfDialog(question).at(0).find("\"From\" node 30 at row 8"), std::string::npos);
        SendMessage(question, WM_COMMAND, yes ? IDOK : IDCANCEL, 0);
      });
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      if (!yes) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(279);
    platform::CheckModalScript();
    EXPECT_EQ(Nodes().size(), yes ? 6u : 8u);
  }
}

TEST_F(DeleteRowsTest, CurrentRowDeleteOnTitleFromSpareAndPipe) {
  table().currentRow = 1;
  Command(126);
  EXPECT_EQ(dynamic_cast<CommentData&>(*TheModel().row(1).element).Text(), "Title = ");
  EXPECT_EQ(TheModel().title, "");
  EXPECT_EQ(TheModel().rowCount, 7);
  table().currentRow = 2;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND message) {
    EXPECT_EQ(LinesOfDialog(message).at(0), "First \"From\" row cannot be deleted");
    SendMessage(message, WM_COMMAND, IDOK, 0);
  });
  Command(126);
  EXPECT_EQ(TheModel().rowCount, 7);
  table().currentRow = 5;
  Command(126);
  EXPECT_EQ(Nodes(), (std::vector<NodeId>{10, 20, 30, 50, 60}));
  EXPECT_EQ(table().currentRow, 5);
  // The spare row is only cleared.
  table().currentRow = TheModel().rowCount + 1;
  TheModel().row(table().currentRow).node = 99;
  Command(126);
  EXPECT_EQ(TheModel().row(7).node, 0);
  EXPECT_EQ(TheModel().rowCount, 6);
}

TEST_F(DeleteRowsTest, NodesStillNamedElsewhereKeepTheirRows) {
  Model& model = TheModel();
  // A guide at node 60 acts against node 30.
  auto* guide = dynamic_cast<Guide*>(SetDataType(model, 7, DataType::Guide));
  guide->connectedNode = 30;
  EXPECT_EQ(RowDeletionRefusal(model, 4, 4),
            "Deletion is not possible. LimitStop/Hanger/etc. at row 7 \nis connected to this element (row 4).");
  EXPECT_EQ(RowDeletionRefusal(model, 4, 7), "");  // the guide goes with the range
  // A pump's discharge at node 50.
  const int pump = ModelRecordTableAppend(model.pumps, 4);
  model.pumps[pump].name = "P-101";
  model.pumps[pump].dischargeNode = 50;
  EXPECT_EQ(RowDeletionRefusal(model, 6, 6), "Element at Node 50 is referred by Pump 'P-101'. \nHence cannot be deleted.");
  const int allowable = ModelRecordTableAppend(model.allowables, 4);
  model.allowables[allowable].node = 20;
  EXPECT_EQ(RowDeletionRefusal(model, 3, 3),
            "Element at Node 20 is referred by Allowable at '20'. \nHence cannot be deleted.");
  const int compressor = ModelRecordTableAppend(model.compressors, 4);
  model.compressors[compressor].description = "K-1";
  model.compressors[compressor].extractionNode2 = 100040;  // a derived node counts as its plain number
  EXPECT_EQ(RowDeletionRefusal(model, 5, 5),
            "Element at Node 40 is referred by Compressor 'K-1'. \nHence cannot be deleted.");
  // Through the dialog: the message, and nothing deleted.
  DeleteRange("4", "4", RowDeletionRefusal(model, 4, 4));
  EXPECT_EQ(Nodes().size(), 6u);
  EXPECT_FALSE(CanUndo());
}

}  // namespace
