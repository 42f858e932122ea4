// The "Beam sections" list and its report; see BeamSectionsTable.h.
#include "properties/BeamSectionsTable.h"

#include <algorithm>

#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/AiscShapeDialogs.h"
#include "properties/BeamLibrary.h"
#include "properties/BeamLibraryPick.h"
#include "properties/BeamRecordEdits.h"
#include "properties/BeamSectionDialog.h"
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

constexpr int kColumns = 10;
constexpr int kLibraryCommand = 270;
constexpr int kAiscCommand = 244;

Model& M() { return TheModel(); }
ModelRecordTable<BeamSection>& Records() { return M().beamSections; }

UnitKind UnitOf(int column) {
  if (column == 3 || column == 7 || column == 8) return kUnitArea;
  if (column >= 4 && column <= 6) return kUnitMomentOfInertia;
  return kUnitDimension;
}

std::string Heading(int column, int line) {
  static const char* const kSecond[kColumns + 1] = {"",      "Name",     "Description", "area",  "Major", "Minor",
                                                    "constant", "Major", "Minor",       "Depth", "Width"};
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return column == 3 ? "Axial" : column == 6 ? "Torsional" : "";
  if (line == 1) return kSecond[column];
  return column >= 3 ? UnitLabel(UnitOf(column)) : "";
}

const char* ValueField(int column) {
  if (column == 3 || column == 7 || column == 8) return "Area";
  if (column == 4 || column == 5) return "Moment of inertia";
  if (column == 6) return "Torsional inertia";
  return column == 9 ? "Depth" : "Width";
}

float* ValueOf(BeamSection& s, int column) {
  float* const fields[] = {&s.A, &s.Imaj, &s.Imin, &s.J, &s.Asmaj, &s.Asmin, &s.depth, &s.width};
  return column >= 3 && column <= 10 ? fields[column - 3] : nullptr;
}

// A section's depth or width sizes its beams in the picture.
void DrawAgainAfterSizeChange() {
  Model& model = M();
  if (BeamLibraryMode() || model.rowCount == 0) return;
  try {
    RefreshAfterModelEdit(model);
  } catch (const std::string& message) {
    ShowErrorMessage(ListFrame().window, message);
  }
}

void ShowToolButtons(bool shown) {
  for (HWND toolbar : {ListFrame().smallToolbar, ListFrame().largeToolbar}) {
    if (toolbar == nullptr) continue;
    for (int button : {kLibraryCommand, kAiscCommand}) {
      SendMessage(toolbar, TB_HIDEBUTTON, button, shown ? FALSE : TRUE);
      SendMessage(toolbar, TB_ENABLEBUTTON, button, shown ? TRUE : FALSE);
    }
  }
}

}  // namespace

BeamSectionsTable& TheBeamSectionsTable() {
  static BeamSectionsTable table;
  return table;
}

std::string BeamSectionsTable::Title() { return BeamLibraryMode() ? "Beam Section Library" : "Beams"; }
int BeamSectionsTable::RecordCount() { return Records().count; }
std::string BeamSectionsTable::RecordKey(int record) {
  const BeamSection& s = BeamRecordAt(Records(), record);
  return BeamLibraryMode() ? s.description : s.name;
}
int BeamSectionsTable::KeyColumn() { return BeamLibraryMode() ? 2 : 1; }
void BeamSectionsTable::InsertRecord(int row) { InsertRecordAt(Records(), row); }
void BeamSectionsTable::RemoveRecord(int row) { RemoveRecordAt(Records(), row); }
void BeamSectionsTable::ClearRecord(int row) { InitBeamSection(BeamRecordAt(Records(), row)); }
void BeamSectionsTable::AppendEntryRecord() {
  BeamRecordAt(Records(), Records().count + 1);
  ++Records().count;
}
bool BeamSectionsTable::RecordInUse(int record) { return !BeamLibraryMode() && IsBeamSectionInUse(M(), record); }
std::string BeamSectionsTable::InUseMessage(int record) {
  return "Beam section " + Records()[record].name + " is in use, it cannot be deleted";
}
int BeamSectionsTable::RunDialog(int record, SnapshotToken token) { return BeamSectionDialog(frame, record, token); }
BeamRecordTable::RecordHighlighter BeamSectionsTable::Highlighter() { return HighlightBeamSection; }
bool BeamSectionsTable::InsertAllowedAnywhere() { return BeamLibraryMode(); }

void BeamSectionsTable::CheckRequired(int row) {
  const BeamSection& s = BeamRecordAt(Records(), row);
  if (BeamLibraryMode() ? s.description.empty() : s.name.empty())
    TableFieldRequired(BeamLibraryMode() ? "Description" : "Name", KeyColumn());
  if (s.A == 0.0f) throw CI{"Area is required", 3};
  if (s.Imaj == 0.0f) throw CI{"Moment of inertia is required", 4};
  if (s.Imin == 0.0f) throw CI{"Moment of inertia is required", 5};
}

void BeamSectionsTable::DefineColumns() {
  HDC dc = Dc();
  for (int c = 1; c <= kColumns; ++c) {
    int width = 0;
    for (int line = 0; line < 3; ++line) width = std::max(width, DcTextWidth(dc, Heading(c, line)));
    for (int r = 1; r <= RecordCount(); ++r) width = std::max(width, DcTextWidth(dc, BeamSectionCellText(M(), r, c)));
    if (c == 1) width = std::max(width, DcTextWidth(dc, "MMMMM"));
    if (c == 2) width = std::max(width, DcTextWidth(dc, "Description    "));
    widths[static_cast<std::size_t>(c)] = width;
  }
  const int group = DcTextWidth(dc, "Moment of inertia");
  const int excess = group - widths[4] - widths[5];
  if (excess > 0) {
    widths[4] += excess / 2;
    widths[5] += excess - excess / 2;
  }
  if (BeamLibraryMode()) widths[1] = 0;
}

std::string BeamSectionsTable::HeadingText(int column, int line) { return Heading(column, line); }
std::string BeamSectionsTable::CellText(int row, int column, int) { return BeamSectionCellText(M(), row, column); }
bool BeamSectionsTable::IsCellEditable(int, int column) {
  return !TableResultsShown() && column >= (BeamLibraryMode() ? 2 : 1) && column <= kColumns;
}

void BeamSectionsTable::PaintExtra() {
  TableHeadingCentred(*this, 4, 5, 0, "Moment of inertia");
  TableHeadingRule(*this, 4, 5, 2);
  TableHeadingCentred(*this, 7, 8, 0, "Shear area");
  TableHeadingRule(*this, 7, 8, 2);
}

// The rule between the two columns of a group stops under its heading.
void BeamSectionsTable::DrawColumnRule(int column) {
  if (column != 5 && column != 8) {
    BeamRecordTable::DrawColumnRule(column);
    return;
  }
  const TableFontMetrics& m = Metrics();
  SelectColumnPen(column);
  TableVerticalLine(*this, x[static_cast<std::size_t>(column)], m.lineGap * 3 / 2 + m.charHeight, clientHeight);
}

void BeamSectionsTable::StoreCell() {
  Model& model = M();
  const int row = currentRow;
  const int column = currentColumn;
  const std::string text = g_EditFieldText;
  bool sized = false;
  RunEdit(frame, [&]() -> bool {
    BeamSection& s = BeamRecordAt(Records(), row);
    if (column != KeyColumn()) RequireKeyFirst(row);
    if (column == 1) {
      std::string name = text;
      TrimBlanks(name);
      if (name.empty() || name == s.name) return false;
      g_EditFieldText = name;
      CheckBeamSectionName(model, name, row);
      if (!s.name.empty() && row <= model.beamSections.count) {
        if (!ConfirmChange(frame, "Section name", s.name, name)) return false;
        RenameBeamSectionInRows(model, row, name);
        return true;
      }
      s.name = name;
      return true;
    }
    if (column == 2) {
      std::string description = text.substr(0, 15);
      if (BeamLibraryMode()) TrimBlanks(description);
      if (description == s.description) return false;
      if (BeamLibraryMode() && description.empty()) return false;
      s.description = description;
      return true;
    }
    float value = 0.0f;
    const int parsed = column <= 8 ? (column == 3 || column >= 7 ? ParseArea(text, value) : ParseMomentOfInertia(text, value))
                                   : ParseNonNegativeDimension(text, value);
    if (parsed != 0) ThrowInvalidField(ValueField(column));
    // An empty cell clears the value; a typed one keeps its field's rule.
    if (!text.empty()) CheckFieldRule(kBeamSectionRules[column - 3], value, s, ValueField(column));
    if (!StoreFloat(*ValueOf(s, column), value)) return false;
    sized = column >= 9;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
  if (sized) DrawAgainAfterSizeChange();
}

void BeamSectionsTable::AddFileMenuItems() {
  if (BeamLibraryMode()) {
    ShowToolButtons(true);
    return;
  }
  HMENU file = GetSubMenu(ListFrame().menu, 0);
  if (file != nullptr && GetMenuState(file, kLibraryCommand, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
    InsertMenu(file, 0, MF_BYPOSITION | MF_STRING, kLibraryCommand, "Beam &Library...");
    InsertMenu(file, 1, MF_BYPOSITION | MF_STRING, kAiscCommand, "&AISC Beam Library...");
    InsertMenu(file, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  }
  ShowToolButtons(true);
}

void BeamSectionsTable::RemoveFileMenuItems() {
  ShowToolButtons(false);
  if (BeamLibraryMode()) return;
  HMENU file = GetSubMenu(ListFrame().menu, 0);
  if (file == nullptr || GetMenuState(file, kLibraryCommand, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
  DeleteMenu(file, kLibraryCommand, MF_BYCOMMAND);
  DeleteMenu(file, kAiscCommand, MF_BYCOMMAND);
  DeleteMenu(file, 0, MF_BYPOSITION);  // the separator that followed them
}

void BeamSectionsTable::AddContextItems(HMENU menu) {
  AppendMenu(menu, MF_STRING, kLibraryCommand, "Beam &Library...");
  AppendMenu(menu, MF_STRING, kAiscCommand, "&AISC Beam Library...");
}

void OpenBeamSectionsTable() {
  BeamSectionsTable& table = TheBeamSectionsTable();
  Model& model = M();
  HWND window = ListTableWindow(0);
  if (window == nullptr || ListFrame().window == nullptr) return;
  TableWindowClose(window);
  const std::vector<int> lengths{0, 5, 15, 12, 12, 12, 12, 12, 12, 12, 12};
  TableSetColumns(table, RecordOfWindow(window), ListFrame().window, kColumns, 3, &lengths);
  table.editable = true;
  table.rowNumbers = true;
  SetCurrentListOpener(OpenBeamSectionsTable);
  int row = 1;
  if (!BeamLibraryMode()) {
    const LayoutRow& current = model.row(model.currentRow);
    const int found = current.elementType == ElementType::Beam ? FindBeamSectionByName(Records(), current.section) : 0;
    row = found != 0 ? found : std::clamp(table.currentRow, 1, Records().count + 1);
  }
  TableOpenAt(table, table.Title(), Records().count, row, 0);
}

namespace {

// The current record of the shown table taking `source`'s description and
// values, keeping its name; true when it changed.
bool TakeValues(BeamSectionsTable& table, const BeamSection& source) {
  const int row = table.currentRow;
  if (row < 1 || row > Records().count + 1) return false;
  bool sized = false;
  RunEdit(table.frame, [&] {
    BeamSection& target = BeamRecordAt(Records(), row);
    const std::string name = target.name;
    sized = target.depth != source.depth || target.width != source.width;
    BeamSection copy = source;
    copy.name = name;
    target = copy;
    return true;
  });
  TableSetRowsTitled(table, table.Title(), Records().count);
  TableShow(table);
  TableGoTo(table, row);
  if (sized) DrawAgainAfterSizeChange();
  return true;
}

}  // namespace

void UseAiscShape(HWND owner) {
  BeamSectionsTable& table = TheBeamSectionsTable();
  if (TableResultsShown() || TableEndEdit(table)) return;
  if (!AiscShapeFamilyDialog(owner)) return;
  TakeValues(table, AiscWorkRecord());
}

void BeamLibraryImport(HWND owner) {
  BeamSectionsTable& table = TheBeamSectionsTable();
  if (TableResultsShown() || TableEndEdit(table)) return;
  const int chosen = ChooseBeamLibrarySection(owner);
  if (chosen == 0) return;
  const BeamSection source = BeamLibraryTable().sections[chosen];
  const int row = table.currentRow;
  if (row < 1 || row > Records().count + 1) return;
  const BeamSection& current = BeamRecordAt(Records(), row);
  if (!current.description.empty() && current.description != source.description &&
      !ConfirmChange(owner, "Beam Section", current.description, source.description))
    return;
  TakeValues(table, source);
}

// --- the report -------------------------------------------------------------------

void PrintBeamSections() {
  const Model& model = TheModel();
  const int count = model.beamSections.count;
  if (count == 0) return;
  BeamSectionsTable& table = TheBeamSectionsTable();
  if (!g_ReportFileOpen) {
    BeginReportSection("Beam sections", 0);
    BeamListPrint grid(table, kColumns, 3, count);
    TablePrint(grid, "Beam sections", count);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine("Beam sections");
    ReportNewLine();
    ReportAppendLine(",,Axial,Moment of inertia,,Torsional,Shear area,,,");
    ReportNewLine();
    ReportAppendLine("Name,Description,area,Major,Minor,constant,Major,Minor,Depth,Width");
    ReportNewLine();
    g_LineText = ",,";
    for (int c = 3; c <= kColumns; ++c) ReportPutUnits(UnitOf(c));
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
    for (int r = 1; r <= count; ++r) {
      g_LineText.clear();
      for (int c = 1; c <= kColumns; ++c) ReportPutCell(BeamSectionCellText(model, r, c));
      ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
      ReportNewLine();
    }
    return;
  }
  constexpr int kAt[kColumns + 1] = {0, 4, 11, 28, 39, 50, 61, 72, 83, 94, 104};
  auto heading = [&] {
    ReportPutText("Axial", kAt[3]);
    ReportPutCentred("Moment of inertia", kAt[4], kAt[6] - 1);
    ReportPutText("Torsional", kAt[6]);
    ReportPutCentred("Shear area", kAt[7], kAt[9] - 1);
    ReportNewLine();
    for (int c = 1; c <= kColumns; ++c) ReportPutText(Heading(c, 1), kAt[c]);
    ReportNewLine();
    for (int c = 3; c <= kColumns; ++c) ReportPutText(UnitLabel(UnitOf(c)), kAt[c]);
    ReportNewLine();
    ReportRule();
  };
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportSetTitle("Beam sections");
  for (int r = 1; r <= count; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) heading();
    for (int c = 1; c <= kColumns; ++c) ReportPutText(BeamSectionCellText(model, r, c), kAt[c]);
    ReportNewLine();
  }
  ReportRule();
}

void BeamSectionsTable::WriteText() { PrintBeamSections(); }
