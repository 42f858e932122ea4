// The "Soils" list and its report; see SoilsTable.h.
#include "properties/SoilsTable.h"

#include <algorithm>

#include "model/ListWindow.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/PropertyEdits.h"
#include "properties/PropertyTables.h"
#include "properties/SoilDialog.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 7;

Model& M() { return TheModel(); }
ModelRecordTable<Soil>& Records() { return M().soils; }

std::string Heading(int column, int line) {
  static const char* const kFirst[kColumns + 1] = {"", "Name", "Type", "Density", "Strength", "Delta", "Ks",
                                                   "Ground Level"};
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kFirst[column];
  switch (column) {
    case 3: return UnitLabel(kUnitInsulationDensity);
    case 4: return UnitLabel(kUnitStress);
    case 5: return UnitLabel(kUnitAngle);
    case 7: return UnitLabel(kUnitLength);
    default: return {};
  }
}

std::string Value(float value, const char* (*format)(float)) { return value != 0.0f ? format(value) : ""; }

const char* TypeText(const Soil& s) {
  if (s.type == kSoilCohesive) return "Cohesive";
  return s.name.empty() ? "" : "Cohesionless";
}

void NoHighlight(int) {}

}  // namespace

std::string SoilCellText(const Model& model, int record, int column) {
  if (record < 1 || static_cast<std::size_t>(record) >= model.soils.records.size()) return {};
  const Soil& s = model.soils[record];
  const bool cohesive = s.type == kSoilCohesive;
  switch (column) {
    case 1: return s.name;
    case 2: return TypeText(s);
    case 3: return Value(s.density, FormatInsulationDensity);
    case 4: return cohesive ? Value(s.strength, FormatStress) : "";
    case 5: return cohesive ? "" : Value(s.delta, FormatAngleOrNone);
    case 6: return !cohesive && s.Ks != 0.0f ? FormatFixedWidth(s.Ks, 10, 2) : "";
    case 7: return Value(s.groundLevel, FormatLength);
    default: return {};
  }
}

SoilsTable& TheSoilsTable() {
  static SoilsTable table;
  return table;
}

int SoilsTable::RecordCount() { return Records().count; }
std::string SoilsTable::RecordKey(int record) { return BeamRecordAt(Records(), record).name; }
void SoilsTable::InsertRecord(int row) { InsertRecordAt(Records(), row); }
void SoilsTable::RemoveRecord(int row) { RemoveRecordAt(Records(), row); }
void SoilsTable::ClearRecord(int row) { BeamRecordAt(Records(), row) = Soil{}; }
void SoilsTable::AppendEntryRecord() {
  BeamRecordAt(Records(), Records().count + 1);
  ++Records().count;
}
bool SoilsTable::RecordInUse(int record) { return IsSoilInUse(M(), record); }
std::string SoilsTable::InUseMessage(int record) {
  return "Soil " + Records()[record].name + " is in use, it cannot be deleted";
}
int SoilsTable::RunDialog(int record, SnapshotToken token) { return SoilDialog(frame, record, token); }
BeamRecordTable::RecordHighlighter SoilsTable::Highlighter() { return NoHighlight; }

void SoilsTable::CheckRequired(int row) {
  if (BeamRecordAt(Records(), row).name.empty()) TableFieldRequired("Name", 1);
}

// Only a soil of the table can be deleted; the entry row holds nothing.
void SoilsTable::DeleteRow() {
  if (TableResultsShown()) return;
  if (currentRow < 1 || currentRow > RecordCount()) {
    ErrorBeep();
    return;
  }
  BeamRecordTable::DeleteRow();
}

void SoilsTable::DefineColumns() {
  HDC dc = Dc();
  for (int c = 1; c <= kColumns; ++c) {
    int width = std::max(DcTextWidth(dc, Heading(c, 0)), DcTextWidth(dc, Heading(c, 1)));
    for (int r = 1; r <= RecordCount(); ++r) width = std::max(width, DcTextWidth(dc, SoilCellText(M(), r, c)));
    widths[static_cast<std::size_t>(c)] = width;
  }
}

std::string SoilsTable::HeadingText(int column, int line) { return Heading(column, line); }
std::string SoilsTable::CellText(int row, int column, int) { return SoilCellText(M(), row, column); }

void OpenSoilsTable() {
  SoilsTable& table = TheSoilsTable();
  HWND window = ListTableWindow(0);
  if (window == nullptr || ListFrame().window == nullptr) return;
  TableWindowClose(window);
  TableSetColumns(table, RecordOfWindow(window), ListFrame().window, kColumns, 2, nullptr);
  table.editable = false;
  table.rowNumbers = true;
  SetCurrentListOpener(OpenSoilsTable);
  TableOpenAt(table, "Soils", Records().count, 1, 0);
}

// --- the report ---------------------------------------------------------------------

namespace {

std::string Trimmed(std::string text) {
  TrimBlanks(text);
  return text;
}

void TextHeading() {
  ReportPutCentred("Soils", 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Name     Type      Density    Strength    Delta        Ks     Ground Level", 4);
  ReportNewLine();
  ReportPutCentred(UnitLabel(kUnitInsulationDensity), 22, 31);
  ReportPutCentred(UnitLabel(kUnitStress), 33, 42);
  ReportPutText(UnitLabel(kUnitAngle), 46);
  ReportPutCentred(UnitLabel(kUnitLength), 66, 77);
  ReportNewLine();
  ReportRule();
}

void BuriedHeading() {
  ReportPutCentred("Buried Sections", 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Section   Soil", 4);
  ReportNewLine();
  ReportRule();
}

void PrintBuriedSections(const Model& model) {
  if (ReportLinesLeft() < 6) ReportNewPage();
  else BuriedHeading();
  ReportSetTitle("Buried sections");
  for (int index = 1; index <= model.sections.count; ++index) {
    const PipeSection& s = model.sections[index];
    if (s.soil.empty()) continue;
    if (g_ReportLine == kReportBodyLine) BuriedHeading();
    ReportPutText(s.name, 4);
    ReportPutText(s.soil, 14);
    ReportNewLine();
  }
  ReportRule();
}

void CsvLine() {
  ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
  ReportNewLine();
}

void WriteCsv(const Model& model) {
  const ModelRecordTable<Soil>& records = model.soils;
  ReportAppendLine("Soils");
  ReportNewLine();
  ReportAppendLine("Name,Type,Density,Strength,Delta,Ks,Ground Level");
  ReportNewLine();
  g_LineText = ",,";
  for (int unit : {kUnitInsulationDensity, kUnitStress, kUnitAngle}) ReportPutUnits(unit);
  g_LineText += ",";
  ReportPutUnits(kUnitLength);
  CsvLine();
  for (int r = 1; r <= records.count; ++r) {
    g_LineText.clear();
    for (int c = 1; c <= kColumns; ++c) ReportPutCell(Trimmed(SoilCellText(model, r, c)));
    CsvLine();
  }
  if (!AnySectionHasSoil(model)) return;
  ReportAppendLine("Buried Sections");
  ReportNewLine();
  ReportAppendLine("Section,Soil");
  ReportNewLine();
  for (int index = 1; index <= model.sections.count; ++index) {
    g_LineText.clear();
    ReportPutCell(model.sections[index].name);
    ReportPutCell(model.sections[index].soil);
    CsvLine();
  }
}

}  // namespace

void PrintSoils() {
  const Model& model = TheModel();
  const ModelRecordTable<Soil>& records = model.soils;
  if (records.count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Soils", 0);
    BeamListPrint grid(TheSoilsTable(), kColumns, 2, records.count);
    TablePrint(grid, "Soils", records.count);
    return;
  }
  if (g_ReportToFile) {
    WriteCsv(model);
    return;
  }
  if (ReportLinesLeft() < 6) ReportNewPage();
  else TextHeading();
  ReportSetTitle("Soils");
  for (int r = 1; r <= records.count; ++r) {
    if (g_ReportLine == kReportBodyLine) TextHeading();
    const Soil& s = records[r];
    ReportPutText(s.name, 4);
    ReportPutText(TypeText(s), 9);
    if (s.type == kSoilCohesive) {
      if (s.strength != 0.0f) ReportPutText(FormatStress(s.strength), 35);
    } else {
      if (s.delta != 0.0f) ReportPutText(FormatAngleOrNone(s.delta), 46);
      if (s.Ks != 0.0f) ReportPutText(FormatFixedWidth(s.Ks, 10, 2), 57);
    }
    if (s.density != 0.0f) ReportPutText(FormatInsulationDensity(s.density), 24);
    if (s.groundLevel != 0.0f) ReportPutText(FormatLength(s.groundLevel), 68);
    ReportNewLine();
  }
  ReportRule();
  if (AnySectionHasSoil(model)) PrintBuriedSections(model);
}

void SoilsTable::WriteText() { PrintSoils(); }
