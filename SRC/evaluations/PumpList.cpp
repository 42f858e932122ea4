// The pumps list and its report section; see PumpList.h.
#include "evaluations/PumpList.h"

#include <algorithm>

#include "evaluations/PumpVocabulary.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/PropertyTables.h"
#include "resultsfile/ResultPrint.h"
#include "services/General.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kColumns = 17;
constexpr std::size_t kNameLength = 15;

Model& M() { return TheModel(); }
ModelRecordTable<Pump>& Records() { return M().pumps; }

bool Ansi(const Pump& p) { return EffectivePumpStandard(p) == kPumpAnsiHi962; }
std::string Blank0(float value, const std::string& text) { return value == 0.0f ? std::string() : text; }
std::string NodeText(std::int32_t node) { return node == 0 ? std::string() : NodeNumberText(node); }

std::string LocationCell(const Pump& p, std::int32_t node, int location) {
  if (Ansi(p) || p.name.empty() || node == 0) return {};
  return PumpLocationWord(location);
}

std::string Heading(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) {
    switch (column) {
      case 2: return "Vert.";
      default: return {};
    }
  }
  switch (column) {
    case 1: return "Description";
    case 2: return "Inline";
    case 3:
    case 5: return "Node";
    case 4:
    case 6: return "Loc";
    case 7: return "X comp";
    case 8: return "Y comp";
    case 9: return "Z comp";
    case 10: return std::string("X ") + UnitLabel(kUnitLength);
    case 11: return std::string("Y ") + UnitLabel(kUnitLength);
    case 12: return std::string("Z ") + UnitLabel(kUnitLength);
    case 13: return "Pump Type";
    case 14: return "Pump Size";
    case 15: return "Pump Material";
    case 16: return "Bolt/Mounting";
    default: return std::string("Temp. ") + UnitLabel(kUnitTemperature);
  }
}

// The group headings above the column headings.
std::string GroupHeading(int column) {
  switch (column) {
    case 3: return "Suction";
    case 5: return "Discharge";
    case 7: return "Shaft axis direction";
    case 10: return "Center of pump";
    default: return {};
  }
}

void HighlightPump(int record) {
  const Pump& p = Records()[record];
  for (std::int32_t node : {p.suctionNode, p.dischargeNode}) {
    const int index = node != 0 ? FindNodeIndex(node) : 0;
    if (index > 0) {
      HighlightNode(index);
      return;
    }
  }
  HideHighlight();
}

}  // namespace

std::string PumpCellText(const Pump& p, int column) {
  const bool ansi = Ansi(p);
  switch (column) {
    case 1: return p.name;
    case 2: return p.vertical != 0 ? "Y" : "";
    case 3: return NodeText(p.suctionNode);
    case 4: return LocationCell(p, p.suctionNode, p.suctionLocation);
    case 5: return NodeText(p.dischargeNode);
    case 6:
      if (ansi && p.category == 5 && p.dischargeNode != 0) return p.dischargeLocation == 0 ? "Above" : "Below";
      return LocationCell(p, p.dischargeNode, p.dischargeLocation);
    case 7:
    case 8:
    case 9: {
      const float v = p.shaftAxis[static_cast<std::size_t>(column - 7)];
      return Blank0(v, FormatFixedWidth(v, 8, 3));
    }
    case 10:
    case 11:
    case 12: {
      const float v = p.centre[static_cast<std::size_t>(column - 10)];
      return Blank0(v, FormatLength(v));
    }
    case 13: return ansi ? PumpListEntry(PumpCategoryShortNames(), p.category) : "";
    case 14: return ansi ? PumpListEntry(PumpSizeNames(p.category), p.size) : "";
    case 15: return ansi ? PumpListEntry(PumpMaterialShortNames(), p.materialGroup) : "";
    case 16: return PumpBoltOrMountingText(p);
    case 17: return ansi ? std::string(FormatTemperature(p.temperature)) : "";
    default: return {};
  }
}

PumpsTable& ThePumpsTable() {
  static PumpsTable table;
  return table;
}

ModelRecordTable<Pump>& PumpsTable::ModelRecords() { return Records(); }
std::string PumpsTable::RecordKey(int record) { return BeamRecordAt(Records(), record).name; }
void PumpsTable::InsertRecord(int row) {
  UnnamedRecordList::InsertRecord(row);
  InitPumpRecord(Records()[row]);
}
void PumpsTable::ClearRecord(int row) { InitPumpRecord(BeamRecordAt(Records(), row)); }
void PumpsTable::AppendEntryRecord() {
  Pump& p = BeamRecordAt(Records(), Records().count + 1);
  if (p.name.empty()) InitPumpRecord(p);
  ++Records().count;
}
int PumpsTable::RunDialog(int record, SnapshotToken token) { return PumpDialog(frame, record, token); }
BeamRecordTable::RecordHighlighter PumpsTable::Highlighter() { return HighlightPump; }

void PumpsTable::CheckRequired(int row) {
  if (BeamRecordAt(Records(), row).name.empty()) TableFieldRequired("Description", 1);
}

void PumpsTable::DefineColumns() {
  HDC dc = Dc();
  for (int c = 1; c <= kColumns; ++c) {
    int width = std::max(DcTextWidth(dc, Heading(c, 0)), DcTextWidth(dc, Heading(c, 1)));
    for (int r = 1; r <= Records().count; ++r) width = std::max(width, DcTextWidth(dc, PumpCellText(Records()[r], c)));
    // A group's caption fits over its columns.
    if (c == 4 || c == 6) width = std::max(width, DcTextWidth(dc, GroupHeading(c - 1) + "  ") - widths[static_cast<std::size_t>(c - 1)]);
    widths[static_cast<std::size_t>(c)] = std::max(width, DcTextWidth(dc, c == 1 ? "MMMMMMMMMM" : "9999"));
  }
}

// The group headings are painted over their columns; the first heading
// line holds only "Vert.".
std::string PumpsTable::HeadingText(int column, int line) { return Heading(column, line); }

namespace {

std::vector<HeadingGroup> Groups() {
  std::vector<HeadingGroup> groups;
  for (const auto& [first, last] : {std::pair{3, 4}, std::pair{5, 6}, std::pair{7, 9}, std::pair{10, 12}})
    groups.push_back({first, last, GroupHeading(first)});
  return groups;
}

}  // namespace

void PumpsTable::PaintExtra() { PaintHeadingGroups(*this, Groups()); }
void PumpsTable::DrawColumnRule(int column) {
  if (!DrawGroupColumnRule(*this, Groups(), column)) BeamRecordTable::DrawColumnRule(column);
}
std::string PumpsTable::CellText(int row, int column, int) { return PumpCellText(BeamRecordAt(Records(), row), column); }
bool PumpsTable::IsCellEditable(int, int column) { return !TableResultsShown() && column >= 1 && column <= 12; }

void PumpsTable::StoreCell() {
  const int row = currentRow;
  const std::string text = g_EditFieldText;
  if (currentColumn != 1) return;  // the other columns are changed through the dialog
  RunEdit(frame, [&]() -> bool {
    Pump& p = BeamRecordAt(Records(), row);
    std::string name = text;
    TrimBlanks(name);
    name = name.substr(0, kNameLength);
    if (name == p.name) return false;
    if (name.empty()) throw std::string("Description is required");
    p.name = name;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
}

void OpenPumpsTable() {
  PumpsTable& table = ThePumpsTable();
  if (!BindRecordList(table, kColumns, {0, 15, 1, 8, 4, 8, 4, 12, 12, 12, 12, 12, 12}, OpenPumpsTable)) return;
  const int count = Records().count;
  TableOpenAt(table, "Pumps", count, std::clamp(table.currentRow, 1, count + 1), 0);
}

// --- the report section ----------------------------------------------------------------

namespace {

const char* TypeWord(const Pump& p) {
  if (PumpIsVerticalKind(p) && !Ansi(p)) return "Vertical inline";
  return Ansi(p) ? "ANSI/HI" : "Horizontal";
}

bool HasAxisAndCentre(const Pump& p) {
  if (p.vertical != 0 || EffectivePumpStandard(p) == kPumpVerticalInlineApi610) return false;
  return !(Ansi(p) && (p.category == 1 || p.category == 5));
}

std::string DischargeLocationText(const Pump& p) {
  if (Ansi(p) && p.category == 5) return p.dischargeLocation == 0 ? "Above" : "Below";
  return Ansi(p) ? std::string() : PumpLocationWord(p.dischargeLocation);
}

void TextHeading() {
  ReportPutTextCentredLine("Pumps");
  ReportNewLine();
  ReportRule();
  ReportPutText("Suction", 33);
  ReportPutText("Discharge", 43);
  ReportPutText("Shaft axis direction", 58);
  ReportNewLine();
  ReportPutText("Description", 5);
  ReportPutText("Type", 23);
  ReportPutText("Node", 34);
  ReportPutText("Loc", 40);
  ReportPutText("Node", 45);
  ReportPutText("Loc", 51);
  ReportPutText("X comp", 57);
  ReportPutText("Y comp", 65);
  ReportPutText("Z comp", 73);
  ReportNewLine();
  ReportRule();
}

void WriteTextPump(const Pump& p) {
  ReportPutText(p.name, 4);
  ReportPutText(TypeWord(p), 18);
  ReportPutText(NodeText(p.suctionNode), 34);
  if (!Ansi(p)) ReportPutText(PumpLocationWord(p.suctionLocation), 40);
  ReportPutText(NodeText(p.dischargeNode), 45);
  ReportPutText(DischargeLocationText(p), 51);
  if (HasAxisAndCentre(p))
    for (int i = 0; i < 3; ++i)
      ReportPutTextRight(FormatFixedWidth(p.shaftAxis[static_cast<std::size_t>(i)], 8, 3), 63 + 8 * i);
  ReportNewLine();
  if (HasAxisAndCentre(p)) {
    ReportPutText("Location of center:", 4);
    const char* const names[3] = {"X =", "Y =", "Z ="};
    for (int i = 0; i < 3; ++i) {
      ReportPutText(names[i], 24 + 15 * i);
      ReportPutText(FormatLength(p.centre[static_cast<std::size_t>(i)]), 28 + 15 * i);
    }
    ReportPutText(UnitLabel(kUnitLength), 69);
    ReportNewLine();
  }
  if (Ansi(p)) {
    ReportPutText("Pump Type:", 4);
    ReportPutText(PumpListEntry(PumpCategoryNames(), p.category), 15);
    ReportNewLine();
    ReportPutText("Pump Size", 4);
    ReportPutText(PumpListEntry(PumpSizeNames(p.category), p.size), 15);
    ReportPutText("Pump Material:", 34);
    ReportPutText(PumpListEntry(PumpMaterialShortNames(), p.materialGroup), 49);
    ReportNewLine();
    ReportPutText("Pump Temp:", 4);
    ReportPutText(std::string(FormatTemperature(p.temperature)) + " " + UnitLabel(kUnitTemperature), 15);
    ReportPutText("Bolt/Mounting:", 34);
    ReportPutText(PumpBoltOrMountingText(p), 49);
    ReportNewLine();
  }
}

void WriteCsv() {
  ReportAppendLine("Pumps");
  ReportNewLine();
  ReportAppendLine(",,Suction,,Discharge,,Shaft axis direction,,,");
  ReportNewLine();
  g_LineText = "Description,Type,Node,Loc,Node,Loc,X comp,Y comp,Z comp,";
  for (const char* axis : {"X ", "Y ", "Z "}) g_LineText += std::string(axis) + UnitLabel(kUnitLength) + ",";
  g_LineText += "Pump Type,Pump Size,Pump Material,Bolt Size / Mounting,Temp. ";
  g_LineText += UnitLabel(kUnitTemperature);
  ReportAppendLine(g_LineText);
  ReportNewLine();
  for (int r = 1; r <= Records().count; ++r) {
    const Pump& p = Records()[r];
    g_LineText.clear();
    ReportPutCell(p.name);
    ReportPutCell(TypeWord(p));
    for (int c = 3; c <= kColumns; ++c) ReportPutCell(PumpCellText(p, c));
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
  }
}

void PrintPumpOnPrinter(const Pump& p) {
  PrinterHeadingBar("Pump: " + p.name);
  PrinterNewLine();
  std::string line = std::string("Type = ") + TypeWord(p) + " Suct. Node: " + NodeText(p.suctionNode);
  if (!Ansi(p)) line += " Suct. Loc: " + PumpLocationWord(p.suctionLocation);
  line += " Disc. Node: " + NodeText(p.dischargeNode);
  const std::string discharge = DischargeLocationText(p);
  if (!discharge.empty()) line += " Disc. Loc: " + discharge;
  if (HasAxisAndCentre(p)) {
    line += " Shaft axis direction:";
    for (float v : p.shaftAxis) line += std::string(" ") + FormatFixedWidthTrim(v, 8, 3);
  }
  PrinterTextLeft(line);
  PrinterNewLine();
  if (HasAxisAndCentre(p)) {
    line = "Location of center: ";
    for (float v : p.centre) line += std::string(FormatLength(v)) + " ";
    line += UnitLabel(kUnitLength);
    const std::string bolt = PumpBoltOrMountingText(p);
    if (!bolt.empty()) line += " Bolt/Mounting: " + bolt;
    PrinterTextLeft(line);
    PrinterNewLine();
  }
  if (Ansi(p)) {
    PrinterTextLeft("Pump Type: " + PumpListEntry(PumpCategoryNames(), p.category) +
                    " Pump Size: " + PumpListEntry(PumpSizeNames(p.category), p.size) +
                    " Pump Material: " + PumpListEntry(PumpMaterialNames(), p.materialGroup) +
                    " Pump Temp: " + FormatTemperature(p.temperature) + " " + UnitLabel(kUnitTemperature));
    PrinterNewLine();
  }
}

}  // namespace

void WritePumpsReport() {
  if (Records().count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Pumps", 0);
    for (int r = 1; r <= Records().count; ++r) {
      if (PrinterLinesLeft() < 8) PrinterPageHeading();
      PrintPumpOnPrinter(Records()[r]);
    }
    return;
  }
  if (g_ReportToFile) {
    WriteCsv();
    return;
  }
  if (ReportLinesLeft() < 7) ReportNewPage();
  ReportSetTitle("Pumps");
  for (int r = 1; r <= Records().count; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    WriteTextPump(Records()[r]);
    ReportNewLine();
  }
  ReportRule();
}

void PumpsTable::WriteText() { WritePumpsReport(); }
