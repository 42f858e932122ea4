// The allowables list, its dialog, Copy and Paste and report; see
// AllowablesList.h.
#include "evaluations/AllowablesList.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/NamedRecordDialog.h"
#include "properties/PropertyTables.h"
#include "services/ErrorRecords.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kColumns = 7;
const char* const kNames[kColumns + 1] = {"", "Node", "FX/P", "FY/VL", "FZ/VC", "MX/MT", "MY/MC", "MZ/ML"};

Model& M() { return TheModel(); }
ModelRecordTable<Allowable>& Records() { return M().allowables; }

// The values Copy remembered: a copy, never a line number, since a Delete or
// Insert moves the records before the paste.
struct CopiedAllowable {
  bool held = false;
  Allowable values;
};
CopiedAllowable& Copied() {
  static CopiedAllowable copied;
  return copied;
}

std::string ValueText(int column, float value) {
  if (value == 0.0f) return {};
  return column <= 4 ? FormatForceTrim(value) : FormatMomentTrim(value);
}

std::string Heading(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kNames[column];
  if (column == 1) return {};
  return UnitLabel(column <= 4 ? kUnitForce : kUnitMoment);
}

void HighlightAllowable(int record) {
  const int index = Records()[record].node != 0 ? FindNodeIndex(Records()[record].node) : 0;
  if (index > 0) HighlightNode(index);
  else HideHighlight();
}

}  // namespace

std::string AllowableCellText(const Allowable& record, int column) {
  if (column == 1) return record.node == 0 ? std::string() : NodeNumberText(record.node);
  if (column >= 2 && column <= kColumns) return ValueText(column, record.values[static_cast<std::size_t>(column - 2)]);
  return {};
}

AllowablesTable& TheAllowablesTable() {
  static AllowablesTable table;
  return table;
}

ModelRecordTable<Allowable>& AllowablesTable::ModelRecords() { return Records(); }
std::string AllowablesTable::RecordKey(int record) { return AllowableCellText(BeamRecordAt(Records(), record), 1); }
int AllowablesTable::RunDialog(int record, SnapshotToken token) { return AllowableDialog(frame, record, token); }
BeamRecordTable::RecordHighlighter AllowablesTable::Highlighter() { return HighlightAllowable; }
void AllowablesTable::CheckRequired(int row) {
  if (BeamRecordAt(Records(), row).node == 0) throw CI{"Node number is required", 1};
}

void AllowablesTable::AddContextItems(HMENU menu) {
  if (AllowableCanCopy()) AppendMenu(menu, MF_STRING, 363, "&Copy");
  if (AllowableCanPaste()) AppendMenu(menu, MF_STRING, 364, "&Paste");
}

int AllowablesTable::FilterChar(int c) {
  if (currentColumn == 1) return c;
  if (c == ' ') return 0;
  return std::toupper(c);
}

void AllowablesTable::DefineColumns() {
  HDC dc = Dc();
  for (int c = 1; c <= kColumns; ++c) {
    int width = std::max(DcTextWidth(dc, Heading(c, 0)), DcTextWidth(dc, Heading(c, 1)));
    for (int r = 1; r <= Records().count; ++r) width = std::max(width, DcTextWidth(dc, AllowableCellText(Records()[r], c)));
    widths[static_cast<std::size_t>(c)] = width;
  }
  int widest = 0;
  for (int c = 2; c <= kColumns; ++c) widest = std::max(widest, widths[static_cast<std::size_t>(c)]);
  for (int c = 2; c <= kColumns; ++c) widths[static_cast<std::size_t>(c)] = widest;
}

std::string AllowablesTable::HeadingText(int column, int line) { return Heading(column, line); }
std::string AllowablesTable::CellText(int row, int column, int) {
  return AllowableCellText(BeamRecordAt(Records(), row), column);
}
bool AllowablesTable::IsCellEditable(int, int column) {
  return !TableResultsShown() && column >= 1 && column <= kColumns;
}

void AllowablesTable::StoreCell() {
  const int row = currentRow;
  const int column = currentColumn;
  std::string text = g_EditFieldText;
  TrimBlanks(text);
  RunEdit(frame, [&]() -> bool {
    Allowable& a = BeamRecordAt(Records(), row);
    if (column == 1) {
      g_EditFieldText = text;
      const NodeId node = text.empty() ? 0 : GetDefinedNodeNumber("Node");
      if (node == a.node) return false;
      if (node == 0) throw CI{"Node number is required", 1};
      a.node = node;
      return true;
    }
    if (a.node == 0) throw CI{"Node number is required", 1};
    float value = 0.0f;
    const int code = column <= 4 ? ParseForce(text, value) : ParseMoment(text, value);
    if (!text.empty() && code != 0) throw std::string(kNames[column]) + " is invalid";
    return StoreFloat(a.values[static_cast<std::size_t>(column - 2)], value);
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
}

void OpenAllowablesTable() {
  AllowablesTable& table = TheAllowablesTable();
  if (!BindRecordList(table, kColumns, {0, 8, 12, 12, 12, 12, 12, 12}, OpenAllowablesTable)) return;
  const int count = Records().count;
  TableOpenAt(table, "Allowables", count, 0, 0);
}

bool AllowablesListShown() { return CurrentListOpener() == OpenAllowablesTable && ListTableWindow(0) != nullptr; }

bool AllowableCanCopy() { return AllowablesListShown() && Records().count > 0 && !TableResultsShown(); }
bool AllowableCanPaste() { return AllowablesListShown() && Copied().held && !TableResultsShown(); }

void SelectAllowableForEdit() {
  AllowablesTable& table = TheAllowablesTable();
  const int row = table.currentRow;
  if (row >= 1 && row <= Records().count) Copied() = {true, Records()[row]};
}

void StoreEditedAllowable() {
  AllowablesTable& table = TheAllowablesTable();
  const int row = table.currentRow;
  if (!Copied().held || row < 1 || row > Records().count + 1 || TableResultsShown()) return;
  const SnapshotToken token = TakeUndoSnapshot(table.frame);
  const bool entry = row == Records().count + 1;
  if (entry) table.AppendEntryRecord();
  const Allowable copied = Copied().values;
  const Allowable before = Records()[row];
  Records()[row] = copied;
  Copied() = {};
  TableGoTo(table, row);
  // The dialog's own snapshot joins the paste's: OK with the values pasted
  // keeps the paste, one step with what the dialog changed.
  const int result = AllowableDialog(table.frame, row, TakeUndoSnapshot(table.frame));
  // Paste stands with the dialog: Cancel leaves the line as it was.
  if (result != 1) {
    if (entry) table.RemoveRecord(row);
    else Records()[row] = before;
    PopTempFile(token);
    TableShow(table);
    return;
  }
  if (entry || copied.node != before.node || copied.values != before.values) M().modified = true;
  if (!SettleEdit(table.frame, token)) return;
  TableSetRowsTitled(table, "Allowables", Records().count);
  TableShow(table);
  TableGoTo(table, row);
}

// --- the dialog ------------------------------------------------------------------------

namespace {

enum Item : int { kNode = 1301, kFirstValue = 1302, kFirstLabel = 1501 };

void OnInit(HWND dialog, NamedRecordDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const Allowable& a = Records()[state.record];
  char title[40];
  std::snprintf(title, sizeof title, "Allowable # %d", state.record);
  SetWindowText(dialog, title);
  for (int i = 0; i < 6; ++i)
    helper.DialogSetItemText(kFirstLabel + i,
                             std::string(kNames[i + 2]) + " " + UnitLabel(i < 3 ? kUnitForce : kUnitMoment));
  helper.DialogSetItemText(kNode, AllowableCellText(a, 1));
  for (int i = 0; i < 6; ++i) helper.DialogSetItemText(kFirstValue + i, AllowableCellText(a, i + 2));
  if (TableResultsShown()) {
    for (int item = kNode; item <= 1307; ++item) helper.DialogSetReadOnly(item);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kNode);
  }
  CenterWindowOnParent(dialog, IDOK);
  helper.PlaceCursorOnItem(IDOK);
}

Allowable ReadFields(DialogHelper& helper, int record) {
  Allowable edited = Records()[record];
  helper.DialogReadFieldTrimmed(kNode);
  edited.node = g_EditFieldText.empty() ? 0 : GetDefinedNodeNumber("Node");
  for (int i = 0; i < 6; ++i) {
    helper.DialogReadFieldTrimmed(kFirstValue + i);
    float value = 0.0f;
    const int code = i < 3 ? ParseFieldForce(value) : ParseFieldMoment(value);
    if (code != 0) throw std::string(kNames[i + 2]) + " is invalid";
    edited.values[static_cast<std::size_t>(i)] = value;
  }
  if (edited.node == 0) {
    helper.DialogFocusItem(kNode);
    throw std::string("Node number is required");
  }
  return edited;
}

bool Same(const Allowable& a, const Allowable& b) { return a.node == b.node && a.values == b.values; }

void OnOk(HWND dialog, NamedRecordDialogState& state) {
  if (StoreUnnamedRecord(dialog, state, Records()[state.record], ReadFields, Same)) EndDialog(dialog, 1);
}

}  // namespace

INT_PTR AllowableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return NamedRecordDialogProc<NamedRecordDialogState, OnInit, OnOk>(dialog, message, wParam, lParam);
}

int AllowableDialog(HWND owner, int record, SnapshotToken token) {
  NamedRecordDialogState state;
  return RunNamedRecordDialog(owner, "ALLOWABLE_DIALOG", AllowableDialogProc, state, record, Records().count, token);
}

// --- the report section --------------------------------------------------------------------

namespace {

void TextHeading() {
  ReportPutTextCentredLine("Allowables");
  ReportNewLine();
  ReportRule();
  const int columns[kColumns] = {4, 17, 28, 39, 50, 61, 72};
  for (int c = 1; c <= kColumns; ++c) ReportPutText(kNames[c], columns[c - 1]);
  ReportNewLine();
  for (int c = 2; c <= kColumns; ++c) ReportPutText(UnitLabel(c <= 4 ? kUnitForce : kUnitMoment), columns[c - 1]);
  ReportNewLine();
  ReportRule();
}

}  // namespace

void PrintAllowables() {
  const ModelRecordTable<Allowable>& records = Records();
  if (records.count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Allowables", 0);
    BeamListPrint grid(TheAllowablesTable(), kColumns, 2, records.count);
    TablePrint(grid, "Allowables", records.count);
    return;
  }
  if (ReportLinesLeft() < 7) ReportNewPage();
  else if (!g_ReportToFile) TextHeading();
  for (int r = 1; r <= records.count; ++r) {
    const Allowable& a = records[r];
    if (g_ReportToFile) {
      g_LineText.clear();
      ReportPutCell(AllowableCellText(a, 1));
      for (int i = 0; i < 6; ++i)
        ReportPutCell(i < 3 ? FormatForceTrim(a.values[static_cast<std::size_t>(i)])
                            : FormatMomentTrim(a.values[static_cast<std::size_t>(i)]));
      ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
      ReportNewLine();
      continue;
    }
    if (g_ReportLine == kReportBodyLine) TextHeading();
    ReportPutDecimalAligned(AllowableCellText(a, 1), 7);
    const int columns[6] = {20, 31, 42, 53, 64, 75};
    for (int i = 0; i < 6; ++i) ReportPutDecimalAligned(AllowableCellText(a, i + 2), columns[i]);
    ReportNewLine();
  }
  if (!g_ReportToFile) ReportRule();
}

void AllowablesTable::WriteText() { PrintAllowables(); }
