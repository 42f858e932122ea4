// The compressor and turbine lists, their dialog and report sections; see
// CompressorList.h.
#include "elements/CompressorList.h"

#include <algorithm>
#include <cstdio>

#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/NamedRecordDialog.h"
#include "properties/PropertyTables.h"
#include "resultsfile/ResultPrint.h"
#include "services/ErrorRecords.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kColumns = 8;
constexpr std::size_t kDescriptionLength = 15;
const char* const kNodeLabels[4] = {"Inlet node", "Exhaust node", "Extraction node 1", "Extraction node 2"};
const char* const kAxisLabels[3] = {"X comp", "Y comp", "Z comp"};

Model& M() { return TheModel(); }

std::int32_t& NodeField(RotatingEquipment& r, int which) {
  switch (which) {
    case 0: return r.inletNode;
    case 1: return r.exhaustNode;
    case 2: return r.extractionNode1;
    default: return r.extractionNode2;
  }
}

std::int32_t NodeOf(const RotatingEquipment& r, int which) {
  return NodeField(const_cast<RotatingEquipment&>(r), which);
}

std::string AxisText(float value) { return value == 0.0f ? std::string() : FormatFixedWidth(value, 8, 3); }
std::string NodeText(std::int32_t node) { return node == 0 ? std::string() : NodeNumberText(node); }

std::string Cell(const RotatingEquipment& r, int column) {
  if (column == 1) return r.description;
  if (column >= 2 && column <= 5) return NodeText(NodeOf(r, column - 2));
  if (column >= 6 && column <= 8) return AxisText(r.shaftAxis[static_cast<std::size_t>(column - 6)]);
  return {};
}

std::string Heading(int column, int line) {
  // "Extraction" and "Shaft axis direction" are painted over their groups.
  static const char* const kFirst[kColumns + 1] = {"", "", "Inlet", "Exhaust", "", "", "", "", ""};
  static const char* const kSecond[kColumns + 1] = {"",       "Description", "Node",   "Node",  "Node 1",
                                                    "Node 2", "X comp",      "Y comp", "Z comp"};
  if (column < 1 || column > kColumns) return {};
  return line == 0 ? kFirst[column] : kSecond[column];
}

void HighlightEquipment(int record) {
  const RotatingEquipment& r = RotatingEquipmentRecords(TheRotatingEquipmentTable().kind)[record];
  for (int which = 0; which < 4; ++which) {
    const int index = NodeOf(r, which) != 0 ? FindNodeIndex(NodeOf(r, which)) : 0;
    if (index > 0) {
      HighlightNode(index);
      return;
    }
  }
  HideHighlight();
}

const char* KindName(RotatingKind kind) { return kind == RotatingKind::Compressor ? "Compressor" : "Turbine"; }

}  // namespace

ModelRecordTable<RotatingEquipment>& RotatingEquipmentRecords(RotatingKind kind) {
  return kind == RotatingKind::Compressor ? M().compressors : M().turbines;
}

bool ShaftAxisNotHorizontal(const std::array<float, 3>& axis, bool zVertical) {
  return (zVertical ? axis[2] : axis[1]) != 0.0f;
}

RotatingEquipmentTable& TheRotatingEquipmentTable() {
  static RotatingEquipmentTable table;
  return table;
}

std::string RotatingEquipmentTable::Title() { return kind == RotatingKind::Compressor ? "Compressors" : "Turbines"; }
ModelRecordTable<RotatingEquipment>& RotatingEquipmentTable::ModelRecords() { return RotatingEquipmentRecords(kind); }
std::string RotatingEquipmentTable::RecordKey(int record) { return BeamRecordAt(ModelRecords(), record).description; }
int RotatingEquipmentTable::RunDialog(int record, SnapshotToken token) {
  return RotatingEquipmentDialog(frame, kind, record, token);
}
BeamRecordTable::RecordHighlighter RotatingEquipmentTable::Highlighter() { return HighlightEquipment; }

void RotatingEquipmentTable::CheckRequired(int row) {
  const RotatingEquipment& r = BeamRecordAt(RotatingEquipmentRecords(kind), row);
  if (r.description.empty()) TableFieldRequired("Description", 1);
  if (r.shaftAxis[0] == 0.0f && r.shaftAxis[1] == 0.0f && r.shaftAxis[2] == 0.0f)
    throw CI{"Direction is invalid", 6};
}

void RotatingEquipmentTable::DefineColumns() {
  HDC dc = Dc();
  const ModelRecordTable<RotatingEquipment>& records = RotatingEquipmentRecords(kind);
  for (int c = 1; c <= kColumns; ++c) {
    int width = std::max(DcTextWidth(dc, Heading(c, 1)), DcTextWidth(dc, Heading(c, 0)));
    for (int r = 1; r <= records.count; ++r) width = std::max(width, DcTextWidth(dc, Cell(records[r], c)));
    widths[static_cast<std::size_t>(c)] = std::max(width, DcTextWidth(dc, c == 1 ? "MMMMMMMMMM" : "99999"));
  }
  const int axis = std::max({widths[6], widths[7], widths[8], DcTextWidth(dc, "Shaft axis direction  ") / 3});
  for (int c = 6; c <= 8; ++c) widths[static_cast<std::size_t>(c)] = axis;
}

std::string RotatingEquipmentTable::HeadingText(int column, int line) { return Heading(column, line); }

namespace {

std::vector<HeadingGroup> Groups() { return {{4, 5, "Extraction"}, {6, 8, "Shaft axis direction"}}; }

}  // namespace

void RotatingEquipmentTable::PaintExtra() { PaintHeadingGroups(*this, Groups()); }
void RotatingEquipmentTable::DrawColumnRule(int column) {
  if (!DrawGroupColumnRule(*this, Groups(), column)) BeamRecordTable::DrawColumnRule(column);
}
std::string RotatingEquipmentTable::CellText(int row, int column, int) {
  return Cell(BeamRecordAt(RotatingEquipmentRecords(kind), row), column);
}
bool RotatingEquipmentTable::IsCellEditable(int, int column) {
  return !TableResultsShown() && column >= 1 && column <= kColumns;
}

void RotatingEquipmentTable::StoreCell() {
  const int row = currentRow;
  const int column = currentColumn;
  const std::string text = g_EditFieldText;
  ModelRecordTable<RotatingEquipment>& records = RotatingEquipmentRecords(kind);
  RunEdit(frame, [&]() -> bool {
    RotatingEquipment& r = BeamRecordAt(records, row);
    if (column == 1) {
      std::string description = text;
      TrimBlanks(description);
      description = description.substr(0, kDescriptionLength);
      if (description == r.description) return false;
      if (description.empty()) throw std::string("Description is required");
      r.description = description;
      return true;
    }
    RequireKeyFirst(row);
    if (column <= 5) {
      g_EditFieldText = text;
      TrimBlanks(g_EditFieldText);
      const NodeId node = GetDefinedNodeNumber(kNodeLabels[column - 2]);
      std::int32_t& field = NodeField(r, column - 2);
      if (field == node) return false;
      field = node;
      return true;
    }
    float value = 0.0f;
    std::string typed = text;
    TrimBlanks(typed);
    if (!typed.empty() && ParseReal(typed, value) != 0) ThrowInvalidField(kAxisLabels[column - 6]);
    return StoreFloat(r.shaftAxis[static_cast<std::size_t>(column - 6)], value);
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
}

namespace {

void OpenKind(RotatingKind kind, ListOpener opener) {
  RotatingEquipmentTable& table = TheRotatingEquipmentTable();
  // The kind changes only once the list shown before is closed.
  if (!BindRecordList(table, kColumns, {0, 15, 8, 8, 8, 8, 12, 12, 12}, opener)) return;
  table.kind = kind;
  const int count = RotatingEquipmentRecords(kind).count;
  TableOpenAt(table, table.Title(), count, std::clamp(table.currentRow, 1, count + 1), 0);
}

}  // namespace

void OpenCompressorsList() { OpenKind(RotatingKind::Compressor, OpenCompressorsList); }
void OpenTurbinesList() { OpenKind(RotatingKind::Turbine, OpenTurbinesList); }

// --- the dialog -----------------------------------------------------------------------

namespace {

enum Item : int { kDescription = 1301, kFirstNode = 1302, kFirstAxis = 1306 };

struct EquipmentDialogState : NamedRecordDialogState {
  RotatingKind kind = RotatingKind::Compressor;
};

void OnInit(HWND dialog, EquipmentDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const RotatingEquipment& r = RotatingEquipmentRecords(state.kind)[state.record];
  char title[40];
  std::snprintf(title, sizeof title, "%s # %d", KindName(state.kind), state.record);
  SetWindowText(dialog, title);
  helper.DialogSetItemTextAndLimit(kDescription, r.description, static_cast<int>(kDescriptionLength));
  for (int which = 0; which < 4; ++which) helper.DialogSetItemText(kFirstNode + which, NodeText(NodeOf(r, which)));
  for (int i = 0; i < 3; ++i) helper.DialogSetItemText(kFirstAxis + i, AxisText(r.shaftAxis[static_cast<std::size_t>(i)]));
  if (TableResultsShown()) {
    for (int item = kDescription; item <= 1308; ++item) helper.DialogSetReadOnly(item);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kDescription);
  }
  CenterWindowOnParent(dialog, IDOK);
}

RotatingEquipment ReadFields(DialogHelper& helper, RotatingKind kind, int record) {
  RotatingEquipment edited = RotatingEquipmentRecords(kind)[record];
  helper.DialogReadFieldTrimmed(kDescription);
  edited.description = g_EditFieldText.substr(0, kDescriptionLength);
  if (edited.description.empty()) throw std::string("Description is required");
  for (int which = 0; which < 4; ++which) {
    helper.DialogReadFieldTrimmed(kFirstNode + which);
    NodeField(edited, which) = GetDefinedNodeNumber(kNodeLabels[which]);
  }
  CheckDirectionInput(helper, kFirstAxis, edited.shaftAxis[0], edited.shaftAxis[1], edited.shaftAxis[2]);
  return edited;
}

bool Same(const RotatingEquipment& a, const RotatingEquipment& b) {
  return a.description == b.description && a.inletNode == b.inletNode && a.exhaustNode == b.exhaustNode &&
         a.extractionNode1 == b.extractionNode1 && a.extractionNode2 == b.extractionNode2 &&
         a.shaftAxis == b.shaftAxis;
}

void OnOk(HWND dialog, EquipmentDialogState& state) {
  // A compressor is meant to turn about a horizontal shaft; the record is
  // kept as typed after the warning, since its checks still have an axis.
  auto read = [dialog, kind = state.kind](DialogHelper& helper, int record) {
    RotatingEquipment edited = ReadFields(helper, kind, record);
    if (kind == RotatingKind::Compressor && ShaftAxisNotHorizontal(edited.shaftAxis, M().options.ZVertical != 0)) {
      ShowWarningMessage(dialog, "Shaft axis not in horizontal plane");
      helper.DialogFocusItem(kFirstAxis);
    }
    return edited;
  };
  if (StoreUnnamedRecord(dialog, state, RotatingEquipmentRecords(state.kind)[state.record], read, Same))
    EndDialog(dialog, 1);
}

}  // namespace

INT_PTR RotatingEquipmentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return NamedRecordDialogProc<EquipmentDialogState, OnInit, OnOk>(dialog, message, wParam, lParam);
}

int RotatingEquipmentDialog(HWND owner, RotatingKind kind, int record, SnapshotToken token) {
  EquipmentDialogState state;
  state.kind = kind;
  return RunNamedRecordDialog(owner, "COMPRESSOR_DIALOG", RotatingEquipmentDialogProc, state, record,
                              RotatingEquipmentRecords(kind).count, token);
}

// --- the report sections -----------------------------------------------------------------

namespace {

void TextHeading(const char* title) {
  ReportPutTextCentredLine(title);
  ReportNewLine();
  ReportRule();
  ReportPutText("Inlet  Exhaust   Extraction", 20);
  ReportPutText("Shaft axis direction", 56);
  ReportNewLine();
  ReportPutText("Description", 5);
  ReportPutText("Node", 20);
  ReportPutText("Node", 28);
  ReportPutText("Node1", 36);
  ReportPutText("Node2", 44);
  ReportPutText("X comp", 53);
  ReportPutText("Y comp", 63);
  ReportPutText("Z comp", 73);
  ReportNewLine();
  ReportRule();
}

void WriteCsv(const char* title, const ModelRecordTable<RotatingEquipment>& records) {
  ReportAppendLine(title);
  ReportNewLine();
  ReportAppendLine(",Inlet,Exhaust,Extraction,,Shaft axis direction,");
  ReportNewLine();
  ReportAppendLine("Description,Node,Node,Node1,Node2,X comp,Y comp,Z comp");
  ReportNewLine();
  for (int r = 1; r <= records.count; ++r) {
    g_LineText.clear();
    for (int c = 1; c <= kColumns; ++c) ReportPutCell(Cell(records[r], c));
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
  }
}

void PrintKind(RotatingKind kind) {
  const char* title = kind == RotatingKind::Compressor ? "Compressors" : "Turbines";
  const ModelRecordTable<RotatingEquipment>& records = RotatingEquipmentRecords(kind);
  if (records.count == 0) return;
  if (!g_ReportFileOpen) {
    // The list is printed from its headings and cells whether or not it
    // is the one shown: its layout is lent for the print and given back.
    RotatingEquipmentTable& table = TheRotatingEquipmentTable();
    const RotatingKind shown = table.kind;
    const int columns = table.columnCount, headings = table.headingLines, lines = table.linesPerRow;
    table.kind = kind;
    table.columnCount = kColumns;
    table.headingLines = 2;
    table.linesPerRow = 1;
    BeginReportSection(title, 0);
    ResultPrintTable grid(table, records.count, Groups());
    TablePrint(grid, title, records.count);
    table.kind = shown;
    table.columnCount = columns;
    table.headingLines = headings;
    table.linesPerRow = lines;
    return;
  }
  if (g_ReportToFile) {
    WriteCsv(title, records);
    return;
  }
  if (ReportLinesLeft() < 7) ReportNewPage();
  ReportSetTitle(title);
  for (int r = 1; r <= records.count; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) TextHeading(title);
    const RotatingEquipment& e = records[r];
    ReportPutText(e.description, 5);
    for (int which = 0; which < 4; ++which) ReportPutText(NodeText(NodeOf(e, which)), 21 + 8 * which);
    for (int i = 0; i < 3; ++i) ReportPutTextRight(AxisText(e.shaftAxis[static_cast<std::size_t>(i)]), 58 + 10 * i);
    ReportNewLine();
  }
  ReportRule();
}

}  // namespace

void PrintCompressors() { PrintKind(RotatingKind::Compressor); }
void PrintTurbines() { PrintKind(RotatingKind::Turbine); }

void RotatingEquipmentTable::WriteText() { PrintKind(kind); }
