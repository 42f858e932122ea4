// The "Beam loads" list and its report; see BeamLoadsTable.h.
#include "properties/BeamLoadsTable.h"

#include <algorithm>
#include <cctype>

#include "model/ListWindow.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/BeamLoadDialog.h"
#include "properties/BeamRecordEdits.h"
#include "properties/PropertyTables.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kColumns = 13;
constexpr int kWeightColumn = 12;
constexpr int kWindColumn = 13;

Model& M() { return TheModel(); }
ModelRecordTable<BeamLoad>& Records() { return M().beamLoads; }
int InUse() { return BeamLoadTemperaturesInUse(M()); }
bool TemperatureShown(int column) { return column >= 2 && column <= 11 && column - 1 <= InUse(); }

std::string Heading(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (column >= 2 && column <= 11) {
    if (!TemperatureShown(column)) return {};
    return line == 0 ? "T" + std::to_string(column - 1) : UnitLabel(kUnitTemperature);
  }
  if (column == 1) return line == 0 ? "Name" : "";
  if (column == kWeightColumn) return line == 0 ? "Add.Wgt." : UnitLabel(kUnitAdditionalWeight);
  return line == 0 ? "Wind" : "Load";
}

// A record made on the entry row starts as a new beam load.
BeamLoad& EntryRecord(int row) {
  BeamLoad& load = BeamRecordAt(Records(), row);
  if (row > Records().count && load.name.empty()) InitBeamLoad(load, M().options.ReferenceTemperature);
  return load;
}

}  // namespace

BeamLoadsTable& TheBeamLoadsTable() {
  static BeamLoadsTable table;
  return table;
}

int BeamLoadsTable::RecordCount() { return Records().count; }
std::string BeamLoadsTable::RecordKey(int record) { return BeamRecordAt(Records(), record).name; }
void BeamLoadsTable::InsertRecord(int row) {
  InsertRecordAt(Records(), row);
  InitBeamLoad(Records()[row], M().options.ReferenceTemperature);
}
void BeamLoadsTable::RemoveRecord(int row) { RemoveRecordAt(Records(), row); }
void BeamLoadsTable::ClearRecord(int row) { BeamRecordAt(Records(), row) = BeamLoad{}; }
void BeamLoadsTable::AppendEntryRecord() {
  EntryRecord(Records().count + 1);
  ++Records().count;
}
bool BeamLoadsTable::RecordInUse(int record) { return IsBeamLoadInUse(M(), record); }
std::string BeamLoadsTable::InUseMessage(int record) {
  return "Beam load " + Records()[record].name + " is in use, it cannot be deleted";
}
int BeamLoadsTable::RunDialog(int record, SnapshotToken token) { return BeamLoadDialog(frame, record, token); }
BeamRecordTable::RecordHighlighter BeamLoadsTable::Highlighter() { return HighlightBeamLoad; }

void BeamLoadsTable::CheckRequired(int row) {
  if (BeamRecordAt(Records(), row).name.empty()) TableFieldRequired("Name", 1);
}

void BeamLoadsTable::DefineColumns() {
  HDC dc = Dc();
  for (int c = 1; c <= kColumns; ++c) {
    int width = 0;
    if (c < 2 || c > 11 || TemperatureShown(c)) {
      width = std::max(DcTextWidth(dc, Heading(c, 0)), DcTextWidth(dc, Heading(c, 1)));
      for (int r = 1; r <= RecordCount(); ++r) width = std::max(width, DcTextWidth(dc, BeamLoadCellText(M(), r, c)));
      if (c == 1) width = std::max(width, DcTextWidth(dc, "MMMMM"));
    }
    widths[static_cast<std::size_t>(c)] = width;
  }
}

std::string BeamLoadsTable::HeadingText(int column, int line) { return Heading(column, line); }
std::string BeamLoadsTable::CellText(int row, int column, int) { return BeamLoadCellText(M(), row, column); }

bool BeamLoadsTable::IsCellEditable(int, int column) {
  if (TableResultsShown() || column < 1 || column > kColumns) return false;
  return column < 2 || column > 11 || TemperatureShown(column);
}

int BeamLoadsTable::FilterChar(int c) {
  if (currentColumn == kWindColumn) {
    if (c == ' ') return 0;
    const int upper = std::toupper(c);
    return upper == 'Y' || upper == 'N' ? upper : 0;
  }
  return BeamRecordTable::FilterChar(c);
}

void BeamLoadsTable::StoreCell() {
  Model& model = M();
  const int row = currentRow;
  const int column = currentColumn;
  const std::string text = g_EditFieldText;
  RunEdit(frame, [&]() -> bool {
    if (column != 1) RequireKeyFirst(row);
    BeamLoad& l = EntryRecord(row);
    if (column == 1) {
      std::string name = text;
      TrimBlanks(name);
      if (name.empty() || name == l.name) return false;
      g_EditFieldText = name;
      CheckBeamLoadName(model, name, row);
      if (!l.name.empty() && row <= model.beamLoads.count) {
        if (!ConfirmChange(frame, "Load name", l.name, name)) return false;
        RenameBeamLoadInRows(model, row, name);
        return true;
      }
      l.name = name;
      return true;
    }
    if (column >= 2 && column <= 11) {
      float value = 0.0f;
      if (text.empty()) value = model.options.ReferenceTemperature;
      else if (ParseTemperature(text, value) != 0) ThrowInvalidField("Temperature");
      else CheckFieldRule(kBeamLoadRules[kBeamLoadT1Rule + column - 2], value, l);
      return StoreFloat(l.temperature[static_cast<std::size_t>(column - 2)], value);
    }
    if (column == kWeightColumn) {
      float value = 0.0f;
      if (ParseAdditionalWeight(text, value) != 0) ThrowInvalidField("Additional weight");
      CheckFieldRule(kBeamLoadRules[kBeamLoadAdditionalWeightRule], value, l);
      return StoreFloat(l.additionalWeight, value);
    }
    bool wind = false;
    if (ParseYesNo(text, wind) != 0) ThrowInvalidField("Wind load");
    const std::uint8_t flag = wind ? 1 : 0;
    if (flag == l.wind) return false;
    l.wind = flag;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
}

void OpenBeamLoadsTable() {
  BeamLoadsTable& table = TheBeamLoadsTable();
  Model& model = M();
  HWND window = ListTableWindow(0);
  if (window == nullptr || ListFrame().window == nullptr) return;
  TableWindowClose(window);
  const std::vector<int> lengths{0, 5, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 1};
  TableSetColumns(table, RecordOfWindow(window), ListFrame().window, kColumns, 2, &lengths);
  table.editable = true;
  table.rowNumbers = true;
  SetCurrentListOpener(OpenBeamLoadsTable);
  const LayoutRow& current = model.row(model.currentRow);
  const int found = current.elementType == ElementType::Beam ? FindBeamLoadByName(Records(), current.load) : 0;
  const int row = found != 0 ? found : std::clamp(table.currentRow, 1, Records().count + 1);
  TableOpenAt(table, "Beam loads", Records().count, row, 0);
}

// --- the report ---------------------------------------------------------------------

void PrintBeamLoads() {
  const Model& model = TheModel();
  const ModelRecordTable<BeamLoad>& records = model.beamLoads;
  if (records.count == 0) return;
  const int inUse = BeamLoadTemperaturesInUse(model);
  if (!g_ReportFileOpen) {
    BeginReportSection("Beam loads", 0);
    BeamListPrint grid(TheBeamLoadsTable(), kColumns, 2, records.count);
    TablePrint(grid, "Beam loads", records.count);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine("Beam loads");
    ReportNewLine();
    ReportAppendLine("Load, T1, T2, T3, T4, T5, T6, T7, T8, T9, T10, Add.Wgt.,Wind");
    ReportNewLine();
    g_LineText = "Name,";
    for (int k = 0; k < 10; ++k) ReportPutUnits(kUnitTemperature);
    ReportPutUnits(kUnitAdditionalWeight);
    g_LineText += "Load";
    ReportAppendLine(g_LineText);
    ReportNewLine();
    for (int r = 1; r <= records.count; ++r) {
      g_LineText.clear();
      const BeamLoad& l = records[r];
      ReportPutCell(l.name);
      for (int k = 0; k < 10; ++k)
        ReportPutCell(k < inUse ? FormatTemperature(l.temperature[static_cast<std::size_t>(k)]) : "");
      ReportPutCell(FormatAdditionalWeight(l.additionalWeight));
      g_LineText += l.wind != 0 ? "Y" : "N";
      ReportAppendLine(g_LineText);
      ReportNewLine();
    }
    return;
  }
  auto heading = [&] {
    ReportPutText("Name", 4);
    for (int k = 0; k < inUse; ++k) ReportPutText("T" + std::to_string(k + 1), 12 + 6 * k);
    ReportPutText("Add.Wgt. Wind", 72);
    ReportNewLine();
    for (int k = 0; k < inUse; ++k) ReportPutText(UnitLabel(kUnitTemperature), 12 + 6 * k);
    ReportPutText(UnitLabel(kUnitAdditionalWeight), 72);
    ReportNewLine();
    ReportRule();
  };
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportSetTitle("Beam loads");
  for (int r = 1; r <= records.count; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) heading();
    const BeamLoad& l = records[r];
    ReportPutText(l.name, 4);
    for (int k = 0; k < inUse; ++k) ReportPutText(FormatTemperature(l.temperature[static_cast<std::size_t>(k)]), 12 + 6 * k);
    ReportPutText(FormatAdditionalWeight(l.additionalWeight), 72);
    ReportPutText(l.wind != 0 ? "Y" : "N", 81);
    ReportNewLine();
  }
  ReportRule();
}

void BeamLoadsTable::WriteText() { PrintBeamLoads(); }
