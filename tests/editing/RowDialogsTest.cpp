// The row dialogs driven headless: Copy Rows proposes the current row and
// keeps its field messages in the dialog; the offsets dialog stores changed
// offsets and, with every value as it was or on Cancel, discards exactly
// the snapshot it was given; the comment dialog stores trimmed text.
#include "editing/RowDialogs.h"
#include "model/EditTesting.h"
#include "model/RowOperations.h"

namespace {

using RowDialogsTest = EditFixture;

std::string FieldText(HWND dialog, int item) {
  char text[128] = {};
  GetDlgItemText(dialog, item, text, sizeof text);
  return text;
}

TEST_F(RowDialogsTest, CopyRowsProposesTheCurrentRowAndReportsBadRanges) {
  platform::ExpectModal(platform::ModalKind::Dialog, "COPY_ELEMENTS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(FieldText(dialog, 1301), "3");
    EXPECT_EQ(FieldText(dialog, 1302), "3");
    SetDlgItemText(dialog, 1302, "2");
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND message) {
      EXPECT_EQ(LinesOfDialog(message).at(0), "From  #  > To  #");
      SendMessage(message, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));  // the dialog stays for another try
    SetDlgItemText(dialog, 1302, "40");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(CopyRowsDialog(nullptr, 3));
  ASSERT_TRUE(PasteRows(TheModel(), 2, 1));
  EXPECT_EQ(TheModel().rowCount, 8);  // rows 3 to 5 (40 cut to 5)
}

TEST_F(RowDialogsTest, OffsetsUnchangedLeaveNoSnapshot) {
  const SnapshotToken token = TakeUndoSnapshot();
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG", [](HWND dialog) {
    EXPECT_EQ(FieldText(dialog, 1301), "1'0\"");  // 12 inches in feet and inches
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(DxDyDzDialog(nullptr, 3, token), 1);
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(RowDialogsTest, OffsetsChangedAreStoredAndTheModelRemade) {
  const SnapshotToken token = TakeUndoSnapshot();
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "2'");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(DxDyDzDialog(nullptr, 3, token), 1);
  EXPECT_FLOAT_EQ(TheModel().row(3).dy, 24.0f);
  EXPECT_FLOAT_EQ(NodeById(TheModel(), 50).y, 24.0f);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
}

TEST_F(RowDialogsTest, OffsetsBadFieldAndCancelChangeNothing) {
  const SnapshotToken token = TakeUndoSnapshot();
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1303, "abc");
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND message) {
      EXPECT_EQ(LinesOfDialog(message).at(0), "DZ =  ABC  is invalid");
      SendMessage(message, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(DxDyDzDialog(nullptr, 3, token), 0);
  EXPECT_FLOAT_EQ(TheModel().row(3).dz, 0.0f);
  EXPECT_FALSE(CanUndo());
}

TEST_F(RowDialogsTest, CommentTextIsStoredTrimmed) {
  Model& model = TheModel();
  ASSERT_TRUE(InsertLayoutRow(model, 3));
  SetElementType(model, 3, ElementType::Comment);
  const SnapshotToken token = TakeUndoSnapshot();
  platform::ExpectModal(platform::ModalKind::Dialog, "COMMENT_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "   Pump suction line  ");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(CommentDialog(nullptr, 3, token), 1);
  EXPECT_EQ(model.row(3).element->Text(), "Pump suction line");
  ASSERT_EQ(SettleEditSnapshot(token), "");
  EXPECT_TRUE(CanUndo());
  // Not a comment row: nothing opens, the snapshot goes.
  const SnapshotToken other = TakeUndoSnapshot();
  EXPECT_EQ(CommentDialog(nullptr, 4, other), 0);
  EXPECT_EQ(UndoDepth(), 1);
}

}  // namespace
