// The "Beam materials" list and its report; see BeamMaterialsTable.h.
#include "properties/BeamMaterialsTable.h"

#include <algorithm>

#include "model/ListWindow.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/BeamMaterialDialog.h"
#include "properties/BeamRecordEdits.h"
#include "properties/PropertyTables.h"
#include "services/ErrorRecords.h"
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

constexpr int kColumns = 6;

Model& M() { return TheModel(); }
ModelRecordTable<BeamMaterial>& Records() { return M().beamMaterials; }

std::string Heading(int column, int line) {
  static const char* const kFirst[kColumns + 1] = {"", "Name", "Description", "E", "Nu", "Density", "Alpha"};
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kFirst[column];
  switch (column) {
    case 3: return UnitLabel(kUnitModulus);
    case 5: return UnitLabel(kUnitDensity);
    case 6: return UnitLabel(kUnitThermalExpansion);
    default: return {};
  }
}

}  // namespace

BeamMaterialsTable& TheBeamMaterialsTable() {
  static BeamMaterialsTable table;
  return table;
}

int BeamMaterialsTable::RecordCount() { return Records().count; }
std::string BeamMaterialsTable::RecordKey(int record) { return BeamRecordAt(Records(), record).name; }
void BeamMaterialsTable::InsertRecord(int row) { InsertRecordAt(Records(), row); }
void BeamMaterialsTable::RemoveRecord(int row) { RemoveRecordAt(Records(), row); }
void BeamMaterialsTable::ClearRecord(int row) { InitBeamMaterial(BeamRecordAt(Records(), row)); }
void BeamMaterialsTable::AppendEntryRecord() {
  BeamRecordAt(Records(), Records().count + 1);
  ++Records().count;
}
bool BeamMaterialsTable::RecordInUse(int record) { return IsBeamMaterialInUse(M(), record); }
std::string BeamMaterialsTable::InUseMessage(int record) {
  return "Beam_Material " + Records()[record].name + " is in use, it cannot be deleted";
}
int BeamMaterialsTable::RunDialog(int record, SnapshotToken token) { return BeamMaterialDialog(frame, record, token); }
BeamRecordTable::RecordHighlighter BeamMaterialsTable::Highlighter() { return HighlightBeamMaterial; }

void BeamMaterialsTable::CheckRequired(int row) {
  const BeamMaterial& m = BeamRecordAt(Records(), row);
  if (m.name.empty()) TableFieldRequired("Name", 1);
  if (m.E == 0.0f) throw CI{"Modulus is required", 3};
}

void BeamMaterialsTable::DefineColumns() {
  HDC dc = Dc();
  for (int c = 1; c <= kColumns; ++c) {
    int width = std::max(DcTextWidth(dc, Heading(c, 0)), DcTextWidth(dc, Heading(c, 1)));
    for (int r = 1; r <= RecordCount(); ++r) width = std::max(width, DcTextWidth(dc, BeamMaterialCellText(M(), r, c)));
    widths[static_cast<std::size_t>(c)] = std::max(width, DcTextWidth(dc, c == 2 ? "Description   " : "MMMMM"));
  }
}

std::string BeamMaterialsTable::HeadingText(int column, int line) { return Heading(column, line); }
std::string BeamMaterialsTable::CellText(int row, int column, int) { return BeamMaterialCellText(M(), row, column); }
bool BeamMaterialsTable::IsCellEditable(int, int column) { return !TableResultsShown() && column >= 1 && column <= kColumns; }

void BeamMaterialsTable::StoreCell() {
  Model& model = M();
  const int row = currentRow;
  const int column = currentColumn;
  const std::string text = g_EditFieldText;
  RunEdit(frame, [&]() -> bool {
    BeamMaterial& m = BeamRecordAt(Records(), row);
    if (column != 1) RequireKeyFirst(row);
    switch (column) {
      case 1: {
        std::string name = text;
        TrimBlanks(name);
        if (name.empty() || name == m.name) return false;
        g_EditFieldText = name;
        CheckBeamMaterialName(model, name, row);
        if (!m.name.empty() && row <= model.beamMaterials.count) {
          if (!ConfirmChange(frame, "Material name", m.name, name)) return false;
          RenameBeamMaterialInRows(model, row, name);
          return true;
        }
        m.name = name;
        return true;
      }
      case 2: {
        const std::string description = text.substr(0, 27);
        if (description == m.description) return false;
        m.description = description;
        return true;
      }
      case 3: {
        float value = 0.0f;
        if (ParseModulus(text, value) != 0) ThrowInvalidField("E");
        CheckFieldRule(kBeamMaterialRules[kBeamMaterialModulusRule], value, m);
        return StoreFloat(m.E, value);
      }
      case 4: {
        float value = 0.0f;
        if (ParseReal(text, value) != 0) ThrowInvalidField("Nu");
        CheckFieldRule(kBeamMaterialRules[kBeamMaterialNuRule], value, m);
        return StoreFloat(m.nu, value);
      }
      case 5: {
        float value = 0.0f;
        if (ParseDensity(text, value) != 0) ThrowInvalidField("Density");
        CheckFieldRule(kBeamMaterialRules[kBeamMaterialDensityRule], value, m);
        return StoreFloat(m.density, value);
      }
      case 6: {
        float value = 0.0f;
        if (ParseThermalExpansion(text, value) != 0) ThrowInvalidField("Alpha");
        return StoreFloat(m.alpha, value);
      }
      default: return false;
    }
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
}

void OpenBeamMaterialsTable() {
  BeamMaterialsTable& table = TheBeamMaterialsTable();
  Model& model = M();
  HWND window = ListTableWindow(0);
  if (window == nullptr || ListFrame().window == nullptr) return;
  TableWindowClose(window);
  const std::vector<int> lengths{0, 5, 27, 12, 12, 12, 12};
  TableSetColumns(table, RecordOfWindow(window), ListFrame().window, kColumns, 2, &lengths);
  table.editable = true;
  table.rowNumbers = true;
  SetCurrentListOpener(OpenBeamMaterialsTable);
  const LayoutRow& current = model.row(model.currentRow);
  const int found = current.elementType == ElementType::Beam ? FindBeamMaterialByName(Records(), current.material) : 0;
  const int row = found != 0 ? found : std::clamp(table.currentRow, 1, Records().count + 1);
  TableOpenAt(table, "Beam materials", Records().count, row, 0);
}

// --- the report ---------------------------------------------------------------------

namespace {

void TextHeading() {
  ReportPutText("E", 49);
  ReportPutText("Density", 62);
  ReportPutText("Alpha", 73);
  ReportNewLine();
  ReportPutText("Name", 4);
  ReportPutText("Description", 19);
  ReportPutText("Nu", 56);
  ReportNewLine();
  ReportPutText(UnitLabel(kUnitModulus), 47);
  ReportPutText(UnitLabel(kUnitDensity), 61);
  ReportPutText(UnitLabel(kUnitThermalExpansion), 71);
  ReportNewLine();
  ReportRule();
}

void WriteCsv(const ModelRecordTable<BeamMaterial>& records) {
  ReportAppendLine("Beam Materials");
  ReportNewLine();
  ReportAppendLine(",,,E,Density,Alpha");
  ReportNewLine();
  g_LineText = "Name,Description,Nu,";
  for (int unit : {kUnitModulus, kUnitDensity, kUnitThermalExpansion}) ReportPutUnits(unit);
  ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
  ReportNewLine();
  for (int r = 1; r <= records.count; ++r) {
    g_LineText.clear();
    for (int c = 1; c <= kColumns; ++c) ReportPutCell(BeamMaterialCellText(TheModel(), r, c));
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
  }
}

}  // namespace

void PrintBeamMaterials() {
  const Model& model = TheModel();
  const ModelRecordTable<BeamMaterial>& records = model.beamMaterials;
  if (records.count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Beam materials", 0);
    BeamListPrint grid(TheBeamMaterialsTable(), kColumns, 2, records.count);
    TablePrint(grid, "Beam materials", records.count);
    return;
  }
  if (g_ReportToFile) {
    WriteCsv(records);
    return;
  }
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportSetTitle("Beam materials");
  for (int r = 1; r <= records.count; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    const BeamMaterial& m = records[r];
    ReportPutText(m.name, 4);
    ReportPutText(m.description, 13);
    ReportPutText(FormatModulus(m.E), 48);
    ReportPutText(FormatFixedWidth(m.nu, 9, 3), 56);
    ReportPutText(FormatDensity(m.density), 62);
    if (m.alpha != 0.0f) ReportPutText(FormatThermalExpansion(m.alpha), 71);
    ReportNewLine();
  }
  ReportRule();
}

void BeamMaterialsTable::WriteText() { PrintBeamMaterials(); }
