// The revision record's dialog and report section (see RevisionRecordDialog.h).
#include "editing/RevisionRecordDialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/DialogTable.h"
#include "properties/PropertyTables.h"
#include "services/General.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"

namespace {

constexpr int kInsertCommand = 128;
constexpr int kDeleteCommand = 126;
constexpr int kColumns = 3;
constexpr const char* kTitle = "Revision Record";
// The remarks column is as wide as forty capitals, not as its longest cell.
constexpr const char* kRemarksMeasure = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEDGHIJKLMN";
const char* const kHeadings[kColumns] = {"Rev.", "Rev. Date", "Remarks"};

std::string FieldOf(const RevisionRow& row, int column) {
  switch (column) {
    case 1: return row.rev;
    case 2: return row.revDate;
    default: return row.remarks;
  }
}

std::string& FieldOf(RevisionRow& row, int column) {
  switch (column) {
    case 1: return row.rev;
    case 2: return row.revDate;
    default: return row.remarks;
  }
}

template <typename Measure>
void RevisionWidths(const RevisionRecord& record, std::vector<int>& widths, Measure measure) {
  for (int column = 1; column <= kColumns; ++column) {
    int width = measure(kHeadings[column - 1]);
    if (column == 3) {
      width = std::max(width, measure(kRemarksMeasure));
    } else {
      for (int r = 1; r <= record.count; ++r)
        width = std::max(width, measure(FieldOf(record.rows[static_cast<std::size_t>(r)], column)));
    }
    widths[static_cast<std::size_t>(column)] = width;
  }
}

class RevisionTable : public DialogTableWindow {
 public:
  void DefineColumns() override {
    HDC dc = Dc();
    RevisionWidths(work, widths, [dc](const std::string& text) { return DcTextWidth(dc, text); });
  }
  std::string HeadingText(int column, int) override { return kHeadings[column - 1]; }
  std::string CellText(int row, int column, int) override {
    if (row >= 1 && row <= work.count) return FieldOf(work.rows[static_cast<std::size_t>(row)], column);
    return row == work.count + 1 ? FieldOf(spare, column) : std::string();
  }
  bool IsCellEditable(int, int) override { return !readOnly; }

  // A cell typed on the spare row makes it a revision; the record's own
  // limit refuses the 161st.
  void StoreCell() override {
    if (readOnly) return;
    RevisionRow* target = nullptr;
    if (currentRow >= 1 && currentRow <= work.count) {
      target = &work.rows[static_cast<std::size_t>(currentRow)];
    } else {
      if (FieldOf(spare, currentColumn) == g_EditFieldText) return;
      AppendRevisionRow(work);  // throws at 160 rows
      work.rows[static_cast<std::size_t>(work.count)] = spare;
      spare = RevisionRow();
      target = &work.rows[static_cast<std::size_t>(work.count)];
      TableSetRows(*this, work.count + 1);
    }
    std::string& field = FieldOf(*target, currentColumn);
    if (field == g_EditFieldText) return;
    field = g_EditFieldText;
    work.changed = true;
  }
  void EnterRow(bool) override {
    if (currentRow < rowCount) TableGoTo(*this, currentRow + 1);
  }
  void InsertRow() override {
    if (readOnly || !InsertRevisionRow(work, currentRow)) {
      ErrorBeep();
      return;
    }
    TableSetRows(*this, work.count + 1);
    TableShow(*this);
  }
  void DeleteRow() override {
    if (readOnly || !DeleteRevisionRow(work, currentRow, spare)) return;
    TableSetRows(*this, work.count + 1);
    TableShow(*this);
  }
  void ContextMenu() override {
    if (readOnly || menuOwner == nullptr) return;
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, kInsertCommand, "&Insert");
    AppendMenu(menu, MF_STRING, kDeleteCommand, "&Delete");
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, menuOwner, nullptr);
    DestroyMenu(menu);
  }

  RevisionRecord work;
  RevisionRow spare;  // what was typed on the spare row, not yet a revision
  bool readOnly = false;
  HWND menuOwner = nullptr;
};

void OnInit(HWND dialog, RevisionTable& table) {
  table.menuOwner = dialog;
  const std::vector<int> lengths{0, kRevisionMarkWidth, kRevisionDateWidth, kRevisionRemarksWidth};
  CreateDialogTable(dialog, table, kColumns, 1, table.readOnly ? nullptr : &lengths);
  table.editable = !table.readOnly;
  const int rows = std::max(table.readOnly ? table.work.count : table.work.count + 1, 1);
  LayoutDialogTable(dialog, table, rows, 1, 10, 20, {{IDOK, 8}, {IDCANCEL, 56}});
}

// OK: a refused cell keeps the dialog open; a changed copy replaces the
// model's record.
void OnOk(HWND dialog, RevisionTable& table) {
  if (table.readOnly) {
    EndDialog(dialog, 0);
    return;
  }
  if (TableEndEdit(table)) {
    DialogTableRefused(table);
    return;
  }
  if (!table.work.changed) {
    EndDialog(dialog, 0);
    return;
  }
  Model& model = TheModel();
  model.revisions = table.work;
  model.revisions.changed = false;
  model.modified = true;
  EndDialog(dialog, 1);
}

INT_PTR RevisionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<RevisionTable*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      auto& table = *reinterpret_cast<RevisionTable*>(GetWindowLongPtr(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, table); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case kInsertCommand: table.InsertRow(); return TRUE;
        case kDeleteCommand: table.DeleteRow(); return TRUE;
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

class RevisionPrintTable : public PrintTable {
 public:
  void DefineColumns() override {
    SetColumns(kColumns);
    RevisionWidths(TheModel().revisions, widths, [](const std::string& text) { return TextWidth(text); });
  }
  std::string HeadingText(int column, int) override { return kHeadings[column - 1]; }
  std::string CellText(int row, int column, int) override {
    return FieldOf(TheModel().revisions.rows[static_cast<std::size_t>(row)], column);
  }
};

void TextHeading() {
  ReportPutCentred(kTitle, 6, 78);
  ReportNewLine();
  ReportPutText(kHeadings[0], 4);
  ReportPutText(kHeadings[1], 10);
  ReportPutText(kHeadings[2], 32);
  ReportNewLine();
  ReportRule();
}

}  // namespace

bool InsertRevisionRow(RevisionRecord& record, int row) {
  if (record.count >= kMaxRevisionRows || row < 1 || row > record.count + 1) return false;
  if (row <= record.count) {
    record.rows.insert(record.rows.begin() + row, RevisionRow());
    ++record.count;
  } else {
    AppendRevisionRow(record);
  }
  record.changed = true;
  return true;
}

bool DeleteRevisionRow(RevisionRecord& record, int row, RevisionRow& spare) {
  if (row == record.count + 1) {
    spare = RevisionRow();
    return false;
  }
  if (row < 1 || row > record.count) return false;
  record.rows.erase(record.rows.begin() + row);
  --record.count;
  record.changed = true;
  return true;
}

int RevisionRecordDialog(HWND owner) {
  RevisionTable table;
  table.work = TheModel().revisions;
  table.work.changed = false;
  table.readOnly = TableResultsShown();
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "REVISION_RECORD_DIALOG", owner, RevisionProc, reinterpret_cast<LPARAM>(&table));
  return result == 1 ? 1 : 0;
}

void PrintRevisionRecord() {
  const RevisionRecord& record = TheModel().revisions;
  if (record.count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection(kTitle, 0);
    RevisionPrintTable table;
    TablePrint(table, kTitle, record.count);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine(kTitle);
    ReportNewLine();
    ReportAppendLine("Rev., Rev. Date, Remarks");
    ReportNewLine();
    for (int r = 1; r <= record.count; ++r) {
      const RevisionRow& row = record.rows[static_cast<std::size_t>(r)];
      ReportAppendLine(CsvQuoted(row.rev) + "," + CsvQuoted(row.revDate) + "," + CsvQuoted(row.remarks));
      ReportNewLine();
    }
    return;
  }
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportSetTitle(kTitle);
  for (int r = 1; r <= record.count; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    const RevisionRow& row = record.rows[static_cast<std::size_t>(r)];
    ReportPutText(row.rev, 4);
    ReportPutText(row.revDate, 10);
    ReportPutText(row.remarks, 32);
    ReportNewLine();
  }
  ReportRule();
}
