// The revision record through Edit > Revision Record: revisions typed in the
// dialog's table are stored by OK as one undo step, Cancel keeps the record
// as it was whatever was typed, the context menu's Insert and Delete move
// rows, the 160-row limit refuses the next revision with its message, a
// mark fills its four characters and no more, and the record prints in the
// text and comma-separated reports.
#include <fstream>
#include <sstream>

#include "editing/RevisionRecordDialog.h"
#include "model/ToolTesting.h"
#include "printing/ReportOutput.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"

namespace {

class RevisionRecordTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    AddRow(TheModel(), 10, ElementType::From);
    AddRow(TheModel(), 20, ElementType::Pipe, 12.0f);
    Open();
  }

  static TableWindow& TableIn() {
    TableWindow* table = TableOfWindow(GetFocus());
    EXPECT_NE(table, nullptr);
    return *table;
  }

  // Types `text` into cell (row, column) of the dialog's table.
  static void TypeCell(TableWindow& table, int row, int column, const std::string& text) {
    TableGoTo(table, row);
    table.currentColumn = column;
    TableLoadEditBuffer(table);
    platform::TestTypeText(text);
    platform::RunUntilIdle();
    TableCommitCell(table, false);
    platform::RunUntilIdle();
  }

  static void AddRevisions(RevisionRecord& record, int count) {
    for (int i = 1; i <= count; ++i) {
      AppendRevisionRow(record);
      record.rows[static_cast<std::size_t>(i)].rev = std::to_string(i);
    }
  }
};

TEST_F(RevisionRecordTest, TypedRevisionsAreStoredByOkAndUndone) {
  const std::string before = Bytes();
  WithDialog(40061, "REVISION_RECORD_DIALOG", [](HWND dialog) {
    TableWindow& table = TableIn();
    EXPECT_EQ(table.rowCount, 1);  // the spare row alone
    EXPECT_EQ(table.HeadingText(1, 0), "Rev.");
    EXPECT_EQ(table.HeadingText(2, 0), "Rev. Date");
    EXPECT_EQ(table.HeadingText(3, 0), "Remarks");
    TypeCell(table, 1, 1, "A");
    TypeCell(table, 1, 2, "2026-12-07");
    TypeCell(table, 1, 3, "Issued for review");
    EXPECT_EQ(table.rowCount, 2);  // the revision and a new spare row
    TypeCell(table, 2, 1, "B12345");  // the mark holds four characters
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const RevisionRecord& record = TheModel().revisions;
  ASSERT_EQ(record.count, 2);
  EXPECT_EQ(record.rows[1].rev, "A");
  EXPECT_EQ(record.rows[1].revDate, "2026-12-07");
  EXPECT_EQ(record.rows[1].remarks, "Issued for review");
  EXPECT_EQ(record.rows[2].rev, "B123");
  EXPECT_TRUE(TheModel().modified);
  const std::string edited = Bytes();
  Command(40050);  // Undo
  EXPECT_EQ(TheModel().revisions.count, 0);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  Command(40051);  // Redo
  EXPECT_EQ(FirstDifference(Bytes(), edited), -1);
}

TEST_F(RevisionRecordTest, CancelAndUnchangedOkKeepTheRecordAndLeaveNoUndo) {
  AddRevisions(TheModel().revisions, 1);
  WithDialog(40061, "REVISION_RECORD_DIALOG", [](HWND dialog) {
    TypeCell(TableIn(), 1, 3, "typed, then cancelled");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(TheModel().revisions.rows[1].remarks, "");
  WithDialog(40061, "REVISION_RECORD_DIALOG", [](HWND dialog) {
    TypeCell(TableIn(), 1, 1, "");  // the cell stored as it was: no change
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
}

// Escape with a letter typed into a cell only drops the letter: the dialog
// is not cancelled and the cell holds what it held; the next Escape, with
// nothing typed, cancels the dialog.
TEST_F(RevisionRecordTest, EscapeDropsTypedTextBeforeItCancels) {
  AddRevisions(TheModel().revisions, 1);
  static int cancels = 0;
  static WNDPROC dialogProcedure = nullptr;
  cancels = 0;
  WithDialog(40061, "REVISION_RECORD_DIALOG", [](HWND dialog) {
    WNDPROC counting = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ++cancels;
      return CallWindowProc(dialogProcedure, window, message, wParam, lParam);
    };
    dialogProcedure =
        reinterpret_cast<WNDPROC>(SetWindowLongPtr(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting)));
    TableWindow& table = TableIn();
    ASSERT_EQ(table.editBuffer, "1");
    DialogType(dialog, "x");
    ASSERT_EQ(table.editBuffer.size(), 2u);
    DialogKey(dialog, VK_ESCAPE);
    EXPECT_EQ(cancels, 0) << "Escape cancelled the dialog with a letter typed";
    EXPECT_EQ(table.editBuffer, "1");
    DialogKey(dialog, VK_ESCAPE);
    EXPECT_EQ(cancels, 1);
  });
  EXPECT_EQ(TheModel().revisions.count, 1);
  EXPECT_EQ(TheModel().revisions.rows[1].rev, "1");
}

TEST_F(RevisionRecordTest, InsertAndDeleteFromTheContextMenu) {
  AddRevisions(TheModel().revisions, 3);
  WithDialog(40061, "REVISION_RECORD_DIALOG", [](HWND dialog) {
    TableWindow& table = TableIn();
    EXPECT_EQ(table.rowCount, 4);
    TableGoTo(table, 2);
    SendMessage(dialog, WM_COMMAND, 128, 0);  // Insert before revision 2
    EXPECT_EQ(table.rowCount, 5);
    EXPECT_EQ(table.CellText(2, 1, 0), "");
    EXPECT_EQ(table.CellText(3, 1, 0), "2");
    TableGoTo(table, 1);
    SendMessage(dialog, WM_COMMAND, 126, 0);  // Delete revision 1
    EXPECT_EQ(table.CellText(1, 1, 0), "");
    EXPECT_EQ(table.CellText(2, 1, 0), "2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const RevisionRecord& record = TheModel().revisions;
  ASSERT_EQ(record.count, 3);
  EXPECT_EQ(record.rows[1].rev, "");
  EXPECT_EQ(record.rows[2].rev, "2");
  EXPECT_EQ(record.rows[3].rev, "3");
  // Deleting the only revision leaves none; Delete on the spare row only
  // empties what was typed there.
  RevisionRecord one;
  AddRevisions(one, 1);
  RevisionRow spare{"X", "", ""};
  EXPECT_TRUE(DeleteRevisionRow(one, 1, spare));
  EXPECT_EQ(one.count, 0);
  EXPECT_FALSE(DeleteRevisionRow(one, 1, spare));
  EXPECT_EQ(spare.rev, "");
}

TEST_F(RevisionRecordTest, The161stRevisionIsRefusedAndInsertOnlyBeeps) {
  AddRevisions(TheModel().revisions, kMaxRevisionRows);
  WithDialog(40061, "REVISION_RECORD_DIALOG", [](HWND dialog) {
    TableWindow& table = TableIn();
    EXPECT_EQ(table.rowCount, kMaxRevisionRows + 1);
    TableGoTo(table, 1);
    SendMessage(dialog, WM_COMMAND, 128, 0);  // Insert at 160 rows: nothing
    EXPECT_EQ(table.CellText(1, 1, 0), "1");
    TypeCell(table, kMaxRevisionRows + 1, 1, "Z");
    // OK refused by the same cell gives the keyboard back to it from OK.
    SetFocus(GetDlgItem(dialog, IDOK));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(GetFocus(), table.Window()) << "the keyboard stayed on OK";
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Maximum number of revision control rows exceeded");
  EXPECT_EQ(TheModel().revisions.count, kMaxRevisionRows);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(RevisionRecordTest, ReadOnlyWhileResultsAreShown) {
  AddRevisions(TheModel().revisions, 2);
  SetTableResultsShown(true);
  WithDialog(40061, "REVISION_RECORD_DIALOG", [](HWND dialog) {
    TableWindow& table = TableIn();
    EXPECT_EQ(table.rowCount, 2);  // no spare row
    EXPECT_FALSE(table.IsCellEditable(1, 1));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(TheModel().modified);
}

// The record written into a report of `extension`, as the file holds it.
std::string PrintedRecord(const std::string& extension) {
  const std::string path = TempFolder() + "/revisions" + extension;
  EXPECT_TRUE(ReportOpenFile(nullptr, path));
  PrintRevisionRecord();
  EXPECT_TRUE(ReportCloseFile());
  g_ReportFileOpen = g_ReportToFile = false;
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  std::filesystem::remove(path);
  return all.str();
}

TEST_F(RevisionRecordTest, TheRecordPrintsInTextAndCommaSeparatedReports) {
  EXPECT_EQ(PrintedRecord(".txt").find("Revision Record"), std::string::npos);  // no revisions, no section
  RevisionRecord& record = TheModel().revisions;
  AddRevisions(record, 2);
  record.rows[1] = {"A", "2026-12-07", "Issued for review"};
  record.rows[2] = {"B", "2027-01-15", "Supports, as built"};
  const std::string text = PrintedRecord(".txt");
  std::istringstream lines(text);
  std::string line, heading, first;
  while (std::getline(lines, line)) {
    if (line.find("Rev. Date") != std::string::npos) heading = line;
    if (line.find("Issued for review") != std::string::npos) first = line;
  }
  ASSERT_FALSE(heading.empty()) << text;
  ASSERT_FALSE(first.empty()) << text;
  const std::size_t rev = heading.find("Rev.");
  EXPECT_EQ(heading.find("Rev. Date") - rev, 6u);  // columns 4, 10 and 32
  EXPECT_EQ(heading.find("Remarks") - rev, 28u);
  EXPECT_EQ(first.find('A'), rev);
  EXPECT_EQ(first.find("2026-12-07"), rev + 6);
  EXPECT_EQ(first.find("Issued for review"), rev + 28);
  const std::string csv = PrintedRecord(".csv");
  // Every line of the report's comma-separated road ends in a separator.
  EXPECT_NE(csv.find("Revision Record,\r\nRev., Rev. Date, Remarks,\r\nA,2026-12-07,Issued for review,\r\n"
                     "B,2027-01-15,\"Supports, as built\",\r\n"),
            std::string::npos)
      << csv;
}

}  // namespace
