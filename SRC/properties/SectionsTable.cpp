// The "Pipe Sections" list and its report (see SectionsTable.h).
#include "properties/PropertyTables.h"
#include "properties/SectionsTable.h"

#include <algorithm>
#include <cctype>

#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/PropertyEdits.h"
#include "properties/SectionDialog.h"
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

constexpr int kColumns = 12;
constexpr int kEditCommand = 113;

Model& M() { return TheModel(); }


PipeSection& RecordOf(int row) {
  ModelRecordTable<PipeSection>& table = M().sections;
  if (row > table.capacity) ModelRecordTableGrow(table, table.capacity + 4);
  return table[row];
}

struct CopiedSection {
  bool held = false;
  PipeSection values;
};
CopiedSection& Copied() {
  static CopiedSection copied;
  return copied;
}

const char* kHeadings[kColumns + 1][2] = {{"", ""},         {"Name", ""},      {"Nom", "Dia"},   {"Sch", ""},
                                          {"OD", nullptr},  {"Thk", nullptr},  {"Cor.Al", nullptr}, {"M.Tol", "(%)"},
                                          {"Ins.Dens", nullptr}, {"Ins.Thk", nullptr}, {"Lin.Dens", nullptr},
                                          {"Lin.Thk", nullptr}, {"Soil", ""}};

int UnitOf(int column) {
  return column == 8 || column == 10 ? kUnitInsulationDensity : kUnitDimension;
}

std::string Heading(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (column == kColumns && TheModel().options.PipingCode == 0) return {};
  const char* text = kHeadings[column][line == 0 ? 0 : 1];
  return text != nullptr ? text : UnitLabel(UnitOf(column));
}



// The value of a dimension or density cell, by the rule of its field in
// `values`, the record as it stands.
float ParseSectionCell(const std::string& text, const PipeSection& values, SectionRuled which) {
  const FieldRule<PipeSection>& rule = kSectionRules[which];
  const bool density = which == kSectionInsulationDensityRule || which == kSectionLiningDensityRule;
  float value = 0.0f;
  if ((density ? ParseInsulationDensity(text, value) : ParseNonNegativeDimension(text, value)) != 0)
    ThrowInvalidField(rule.label);
  CheckFieldRule(rule, value, values);
  return value;
}

void Regrow(SectionsTable& table) {
  TableSetRowsTitled(table, "Pipe Sections", M().sections.count);
  TableShow(table);
}

}  // namespace

SectionsTable& TheSectionsTable() {
  static SectionsTable table;
  return table;
}

std::string SectionCellText(const Model& model, int record, int column) {
  if (record < 1 || static_cast<std::size_t>(record) >= model.sections.records.size()) return {};
  const PipeSection& s = model.sections[record];
  auto value = [](float v, int unit) -> std::string {
    if (v == 0.0f) return {};
    return unit == kUnitInsulationDensity ? FormatInsulationDensity(v) : FormatDimension(v);
  };
  switch (column) {
    case 1: return s.name;
    case 2: return s.nominalSize;
    case 3: return s.schedule;
    case 4: return value(s.outsideDiameter, kUnitDimension);
    case 5: return value(s.thickness, kUnitDimension);
    case 6: return value(s.corrosionAllowance, kUnitDimension);
    case 7: return s.millTolerance != 0.0f ? FormatFixedWidth(s.millTolerance, 7, 1) : "";
    case 8: return value(s.insulationDensity, kUnitInsulationDensity);
    case 9: return value(s.insulationThickness, kUnitDimension);
    case 10: return value(s.liningDensity, kUnitInsulationDensity);
    case 11: return value(s.liningThickness, kUnitDimension);
    case 12: return model.options.PipingCode != 0 ? s.soil : "";
    default: return {};
  }
}

void SectionsTable::DefineColumns() {
  HDC dc = Dc();
  const Model& model = M();
  for (int c = 1; c <= kColumns; ++c) {
    int width = std::max(DcTextWidth(dc, Heading(c, 0)), DcTextWidth(dc, Heading(c, 1)));
    for (int r = 1; r <= model.sections.count; ++r) width = std::max(width, DcTextWidth(dc, SectionCellText(model, r, c)));
    widths[static_cast<std::size_t>(c)] = width;
  }
}

std::string SectionsTable::HeadingText(int column, int line) { return Heading(column, line); }
std::string SectionsTable::CellText(int row, int column, int) { return SectionCellText(M(), row, column); }

bool SectionsTable::IsCellEditable(int, int column) {
  return !TableResultsShown() && (column == 1 || (column >= 6 && column <= 11));
}

int SectionsTable::FilterChar(int c) {
  if (c == ' ') return 0;
  const int upper = std::toupper(c);
  if (currentColumn == 1) return std::isalnum(c) || c == '-' || c == '/' ? upper : 0;
  return IsNotNumberChar(static_cast<char>(c)) ? 0 : upper;
}

void SectionsTable::StoreCell() {
  Model& model = M();
  const int row = currentRow;
  const std::string text = g_EditFieldText;
  RunEdit(frame, [&]() -> bool {
    const PipeSection& s = RecordOf(row);
    PipeSection values = s;
    switch (currentColumn) {
      case 1: {
        std::string name = text;
        TrimBlanks(name);
        if (name.empty() || name == s.name) return false;
        g_EditFieldText = name;
        CheckSectionName(model, name, row);
        if (!s.name.empty() && row <= model.sections.count && FindSectionByName(model.sections, name) == 0 &&
            !ConfirmChange(frame, "Section name", s.name, name))
          return false;
        values.name = name;
        break;
      }
      case 6: values.corrosionAllowance = ParseSectionCell(text, values, kSectionCorrosionRule); break;
      case 7: {
        float value = 0.0f;
        if (ParseReal(text, value) != 0) ThrowInvalidField("Mill tolerance");
        CheckFieldRule(kSectionRules[kSectionMillRule], value, values);
        values.millTolerance = value;
        break;
      }
      case 8: values.insulationDensity = ParseSectionCell(text, values, kSectionInsulationDensityRule); break;
      case 9: values.insulationThickness = ParseSectionCell(text, values, kSectionInsulationThicknessRule); break;
      case 10: values.liningDensity = ParseSectionCell(text, values, kSectionLiningDensityRule); break;
      case 11: values.liningThickness = ParseSectionCell(text, values, kSectionLiningThicknessRule); break;
      default: return false;
    }
    return StoreSection(model, row, values);
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
}

void SectionsTable::EnterRow(bool) {
  Model& model = M();
  if (TableResultsShown() || currentRow > model.sections.count + 1) return;
  PipeSection& s = RecordOf(currentRow);
  if (s.name.empty()) TableFieldRequired("Name", 1);
  if (s.outsideDiameter == 0.0f || s.thickness == 0.0f) ThrowCellCommand(kEditCommand);
  const bool entry = currentRow == model.sections.count + 1;
  // The half pairs zeroed and the entry row made a record: one undo step,
  // none when nothing changed.
  RunEdit(frame, [&] {
    if (s.insulationDensity == 0.0f || s.insulationThickness == 0.0f) s.insulationDensity = s.insulationThickness = 0.0f;
    if (s.liningDensity == 0.0f || s.liningThickness == 0.0f) s.liningDensity = s.liningThickness = 0.0f;
    if (entry) ++model.sections.count;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  if (entry) {
    Regrow(*this);
    TableGoToLast(*this);
    return;
  }
  TableDrawRow(*this, currentRow);
  if (currentRow < rowCount) TableGoTo(*this, currentRow + 1);
}

bool SectionsTable::CanInsert() {
  const Model& model = M();
  if (TableResultsShown() || currentRow < 1 || currentRow > model.sections.count) return false;
  return !model.sections[currentRow].name.empty() && (currentRow == 1 || !model.sections[currentRow - 1].name.empty());
}

bool SectionsTable::CanDelete() { return !TableResultsShown() && !IsSectionInUse(M(), currentRow); }

void SectionsTable::InsertRow() {
  Model& model = M();
  if (!CanInsert()) {
    ErrorBeep();
    return;
  }
  RunEdit(frame, [&] {
    InsertRecordAt(model.sections, currentRow);
    return true;
  });
  Regrow(*this);
}

void SectionsTable::DeleteRow() {
  Model& model = M();
  ModelRecordTable<PipeSection>& table = model.sections;
  if (TableResultsShown() || currentRow < 1) return;
  if (currentRow > table.count) {
    InitSection(RecordOf(currentRow));
    TableDrawRow(*this, currentRow);
    return;
  }
  if (IsSectionInUse(model, currentRow)) {
    ErrorBeep();
    ShowTableMessage(Window(), "Section " + table[currentRow].name + " is in use, it cannot be deleted",
                     TableMessageKind::Error);
    return;
  }
  RunEdit(frame, [&] {
    RemoveRecordAt(table, currentRow);
    return true;
  });
  Regrow(*this);
}

void SectionsTable::EditCurrentItem() {
  Model& model = M();
  if (currentRow < 1 || currentRow > model.sections.count + 1 || TableEndEdit(*this)) return;
  const int row = currentRow;
  RecordOf(row);
  // The entry row is edited as the record after the last one.
  const bool entry = row == model.sections.count + 1;
  const SnapshotToken token = TakeUndoSnapshot(frame);
  if (entry) ++model.sections.count;
  const int result = SectionDialog(frame, row, token);
  if (entry && (result != 1 || model.sections[row].name.empty())) --model.sections.count;
  if (!SettleEdit(frame, token) || result != 1) return;
  Regrow(*this);
  TableGoTo(*this, row);
}

void SectionsTable::UpdateMenu() { UpdateTableEditMenu(*this); }

void SectionsTable::Prepare() {
  HMENU menu = ListFrame().menu;
  if (menu == nullptr || TableResultsShown()) return;
  ShowListGraphicsButtons(true);
  HMENU edit = GetSubMenu(menu, 1);
  if (edit != nullptr && GetMenuState(edit, 128, MF_BYCOMMAND) == static_cast<UINT>(-1))
    InsertMenu(edit, 126, MF_BYCOMMAND | MF_STRING, 128, "&Insert\tCtrl+Ins");
}

void SectionsTable::Close() {
  ShowListGraphicsButtons(false);
  HMENU menu = ListFrame().menu;
  if (menu == nullptr) return;
  if (HMENU edit = GetSubMenu(menu, 1)) DeleteMenu(edit, 128, MF_BYCOMMAND);
}

void SectionsTable::ContextMenu() { TablePopupInsertDeleteMenu(*this); }

void SectionsTable::CurrentRowChanged() { HighlightListRecord(HighlightSection, currentRow, M().sections.count); }

bool SectionsTable::RowOfCurrentLayoutRow(ItemListEntries& entries) {
  entries.title = "Pipe Sections";
  entries.count = M().sections.count;
  return false;
}

void OpenSectionsTable() {
  SectionsTable& table = TheSectionsTable();
  Model& model = M();
  HWND window = ListTableWindow(0);
  if (window == nullptr || ListFrame().window == nullptr) return;
  TableWindowClose(window);
  const std::vector<int> lengths{0, 5, 0, 0, 0, 0, 12, 12, 12, 12, 12, 12, 0};
  TableSetColumns(table, RecordOfWindow(window), ListFrame().window, kColumns, 2, &lengths);
  table.editable = true;
  table.rowNumbers = true;
  SetCurrentListOpener(OpenSectionsTable);
  const int found = FindSectionByName(model.sections, model.row(model.currentRow).section);
  const int row = found != 0 ? found : std::clamp(table.currentRow, 1, model.sections.count + 1);
  TableOpenAt(table, "Pipe Sections", model.sections.count, row, 0);
}


void CopySectionData() {
  const int row = TheSectionsTable().currentRow;
  if (row < 1 || row > M().sections.count) return;
  Copied() = {true, M().sections[row]};
}

bool SectionCopied() { return Copied().held; }

// A paste copies the dimensions, never the name or the soil; it is an edit
// like any other: undoable, the model marked modified, and refused as the
// dialog refuses the same values. A refused paste keeps the copy.
void PasteSectionData() {
  SectionsTable& table = TheSectionsTable();
  const int row = table.currentRow;
  if (!Copied().held || row < 1 || row > M().sections.count + 1) return;
  try {
    RunEdit(table.frame, [&] {
      PipeSection values = Copied().values;
      values.name = RecordOf(row).name;
      values.soil = RecordOf(row).soil;
      return StoreSection(M(), row, values);
    });
  } catch (const std::string& message) {
    ErrorBeep();
    ShowTableMessage(table.Window(), message, TableMessageKind::Error);
    return;
  }
  Copied() = {};
  TableDrawRow(table, row);
}

// --- the report --------------------------------------------------------------------

namespace {

class SectionsPrint : public PrintTable {
 public:
  void DefineColumns() override {
    const Model& model = TheModel();
    SetColumns(kColumns);
    headingLines = 2;
    for (int c = 1; c <= kColumns; ++c) {
      int width = std::max(TextWidth(Heading(c, 0)), TextWidth(Heading(c, 1)));
      for (int r = 1; r <= model.sections.count; ++r) width = std::max(width, TextWidth(SectionCellText(model, r, c)));
      widths[static_cast<std::size_t>(c)] = width;
    }
  }
  std::string HeadingText(int column, int line) override { return Heading(column, line); }
  std::string CellText(int row, int column, int) override { return SectionCellText(TheModel(), row, column); }
};

void TextHeading() {
  ReportPutCentred("Pipe Sections", 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText(" Nominal      O.D.   Thk   Cor.Al M.Tol Ins.Dens Ins.Th Lin.Dens Lin.Th", 9);
  ReportNewLine();
  ReportPutText("Name   Dia.   Sch", 4);
  const std::string dimension = UnitLabel(kUnitDimension), density = UnitLabel(kUnitInsulationDensity);
  for (const auto& [first, last] : {std::pair{22, 27}, {29, 34}, {36, 41}, {58, 63}, {74, 79}})
    ReportPutCentred(dimension, first, last);
  ReportPutText("(%)", 44);
  ReportPutCentred(density, 49, 56);
  ReportPutCentred(density, 65, 72);
  ReportNewLine();
  ReportRule();
}

}  // namespace

void PrintSections() {
  const Model& model = TheModel();
  if (model.sections.count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Pipe Sections", 0);
    SectionsPrint table;
    TablePrint(table, "Pipe Sections", model.sections.count);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine("Pipe sections");
    ReportNewLine();
    ReportAppendLine(",Nominal,,O.D.,Thk,Cor.Al,M.Tol,Ins.Dens,Ins.Th,Lin.Dens,Lin.Th");
    ReportNewLine();
    g_LineText = "Name,Diameter,Sch,";
    for (int unit : {kUnitDimension, kUnitDimension, kUnitDimension}) ReportPutUnits(unit);
    ReportPutCell("(%)");
    for (int unit : {kUnitInsulationDensity, kUnitDimension, kUnitInsulationDensity, kUnitDimension}) ReportPutUnits(unit);
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
    for (int r = 1; r <= model.sections.count; ++r) {
      const PipeSection& s = model.sections[r];
      g_LineText.clear();
      ReportPutCell(s.name);
      ReportPutCell(s.nominalSize);
      ReportPutCell(s.schedule);
      for (float v : {s.outsideDiameter, s.thickness, s.corrosionAllowance}) ReportPutCell(FormatDimension(v));
      ReportPutCell(FormatFixedWidth(s.millTolerance, 7, 1));
      ReportPutCell(FormatInsulationDensity(s.insulationDensity));
      ReportPutCell(FormatDimension(s.insulationThickness));
      ReportPutCell(FormatInsulationDensity(s.liningDensity));
      ReportPutCell(FormatDimension(s.liningThickness));
      ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
      ReportNewLine();
    }
    return;
  }
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportSetTitle("Pipe sections");
  for (int r = 1; r <= model.sections.count; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    const PipeSection& s = model.sections[r];
    ReportPutText(s.name, 4);
    ReportPutText(s.nominalSize, 10);
    ReportPutText(s.schedule, 18);
    ReportPutText(FormatDimension(s.outsideDiameter), 22);
    ReportPutText(FormatDimension(s.thickness), 30);
    ReportPutText(FormatDimension(s.corrosionAllowance), 37);
    ReportPutText(FormatFixedWidth(s.millTolerance, 7, 1), 44);
    if (s.insulationDensity != 0.0f) {
      ReportPutText(FormatInsulationDensity(s.insulationDensity), 51);
      if (s.insulationThickness != 0.0f) ReportPutText(FormatDimension(s.insulationThickness), 59);
    }
    if (s.liningDensity != 0.0f) {
      ReportPutText(FormatInsulationDensity(s.liningDensity), 66);
      if (s.liningThickness != 0.0f) ReportPutText(FormatDimension(s.liningThickness), 75);
    }
    ReportNewLine();
  }
  ReportRule();
}

void SectionsTable::WriteText() { PrintSections(); }
