// The valve library window and its file commands; see ValveLibraryWindow.h.
#include "properties/LibraryWindows.h"
#include "properties/ValveLibraryWindow.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/Dialog.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "properties/PropertyTables.h"
#include "properties/ValveLibrary.h"
#include "services/Assert.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/FramePlacements.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/Settings.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 7;
enum Column { kDescription = 1, kNominalSize, kDiameter, kRating, kConnection, kLength, kWeight };
constexpr const char* kTitle = "Valve Library";
constexpr const char* kFilter = "Valve Library files (*.val)\0*.val\0";

ValveLibrary& Library() { return TheValveLibrary(); }

std::string TrimmedCopy(const char* text) {
  std::string result = text;
  TrimBlanks(result);
  return result;
}

std::string Heading(int column, int line) {
  static const char* const kFirst[kColumns + 1] = {"", "Description", "Nom", "OD", "Rating", "Connection", "Length",
                                                   "Weight"};
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kFirst[column];
  switch (column) {
    case kNominalSize: return "Dia";
    case kDiameter: return UnitLabel(kUnitDimension);
    case kConnection: return "Type";
    case kLength: return UnitLabel(kUnitLength);
    case kWeight: return UnitLabel(kUnitWeight);
    default: return {};
  }
}

std::string Cell(int entry, int column) {
  const ValveLibrary& library = Library();
  if (entry < 1 || entry > library.entries.count) return {};
  const ValveLibraryEntry& valve = library.entries[entry];
  auto value = [](float v, const char* text) { return v != 0.0f ? TrimmedCopy(text) : std::string(); };
  switch (column) {
    case kDescription: return valve.description;
    case kNominalSize: return valve.nominalSize;
    case kDiameter: return value(valve.outsideDiameter, FormatDimension(valve.outsideDiameter));
    case kRating: return valve.rating;
    case kConnection: return valve.connectionType;
    case kLength: return value(valve.length, FormatLength(valve.length));
    case kWeight: return value(valve.weight, FormatWeight(valve.weight));
    default: return {};
  }
}

// The field lengths a cell takes (the file's widths; the description as
// the dialog lets it be typed).
const std::vector<int>& EditLengths() {
  static const std::vector<int> lengths = {0, 25, 8, 16, 6, 3, 16, 16};
  return lengths;
}

void SetWindowTitleFromLibrary() {
  Frame& frame = ListFrame();
  if (frame.window == nullptr) return;
  const std::string& path = Library().path;
  std::string file = FileNameOf(path);
  if (file.empty()) file = "Untitled";
  else AppendFolderInParens(file, path.substr(0, path.size() - FileNameOf(path).size()));
  const std::string title = ProgramTitle + " : " + kTitle + "  (" + std::to_string(Library().entries.count) + ") -  [" +
                            file + "]";
  SetWindowText(frame.window, title.c_str());
}

template <typename Value>
bool StoreChanged(Value& field, const Value& value) {
  if (field == value) return false;
  field = value;
  return true;
}

class LibraryTable : public ItemListTableWindow {
 public:
  void DefineColumns() override {
    HDC dc = Dc();
    for (int column = 1; column <= kColumns; ++column) {
      int width = std::max(DcTextWidth(dc, Heading(column, 0)), DcTextWidth(dc, Heading(column, 1)));
      for (int row = 1; row <= Library().entries.count; ++row) width = std::max(width, DcTextWidth(dc, Cell(row, column)));
      // Room to type a description on the empty line.
      if (column == kDescription) width = std::max(width, DcTextWidth(dc, "MMMMMMMMMMMMMMMM"));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override { return Heading(column, line); }
  std::string CellText(int row, int column, int) override { return Cell(row, column); }
  std::string PrintName() override { return kTitle; }
  bool IsCellEditable(int, int) override { return !TableResultsShown(); }

  int FilterChar(int character) override {
    if (currentColumn == kDescription) return character;
    if (currentColumn == kNominalSize || currentColumn == kRating || currentColumn == kConnection)
      return std::toupper(character);
    const char c = static_cast<char>(character);
    if (currentColumn == kLength) return IsNotLengthChar(c) ? 0 : character;
    return IsNotNumberChar(c) ? 0 : std::toupper(character);
  }

  void StoreCell() override {
    ValveLibrary& library = Library();
    const int row = currentRow;
    if (row < 1 || row > library.entries.count + 1) return;
    const std::string text = g_EditFieldText;
    // A number is read before anything changes, so that a refused one
    // appends no valve on the empty line.
    float value = 0.0f;
    switch (currentColumn) {
      case kDiameter:
        if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Outside Diameter");
        break;
      case kLength:
        if (ParseFieldLength(value) != 0 || value < 0.0f) ThrowInvalidField("Length");
        break;
      case kWeight:
        if (ParseFieldWeight(value) != 0 || value < 0.0f) ThrowInvalidField("Weight");
        break;
      default: break;
    }
    const bool appended = row > library.entries.count;
    if (appended) {
      if (text.empty()) return;
      InsertValveEntry(library, row);
    }
    ValveLibraryEntry& valve = library.entries[row];
    bool changed = false;
    switch (currentColumn) {
      case kDescription: changed = StoreChanged(valve.description, text); break;
      case kNominalSize: changed = StoreChanged(valve.nominalSize, text); break;
      case kRating: changed = StoreChanged(valve.rating, PaddedValveRating(text)); break;
      case kConnection: changed = StoreChanged(valve.connectionType, text); break;
      case kDiameter: changed = StoreChanged(valve.outsideDiameter, value); break;
      case kLength: changed = StoreChanged(valve.length, value); break;
      case kWeight: changed = StoreChanged(valve.weight, value); break;
      default: break;
    }
    if (!changed && !appended) return;
    library.modified = true;
    // The row and the column stay where they are, so that Tab and the
    // arrows go on from this cell: showing the table again would put the
    // caret back in the row's first cell.
    if (appended) {
      TableSetRows(*this, library.entries.count + 1);
      TableFitWindow(*this);
      SetWindowTitleFromLibrary();
    }
    TableDrawRow(*this, row);
  }

  void EnterRow(bool control) override {
    const ValveLibrary& library = Library();
    if (!TableResultsShown() && currentRow <= library.entries.count) {
      const ValveLibraryEntry& valve = library.entries[currentRow];
      if (valve.description.empty()) TableFieldRequired("Description", kDescription);
      if (valve.nominalSize.empty()) TableFieldRequired("Nominal Size", kNominalSize);
    }
    ItemListTableWindow::EnterRow(control);
  }

  void EditCurrentItem() override {
    if (TableResultsShown() || currentRow < 1 || currentRow > Library().entries.count + 1) return;
    if (TableCommitEdit(*this)) return;
    if (EditValveLibraryEntry(frame, currentRow)) RefreshValveLibraryWindow(currentRow);
    TableShowFocus(*this);
  }

  void InsertRow() override {
    ValveLibrary& library = Library();
    InsertValveEntry(library, currentRow);
    library.modified = true;
    RefreshValveLibraryWindow(currentRow);
  }

  void DeleteRow() override {
    ValveLibrary& library = Library();
    if (currentRow < 1 || currentRow > library.entries.count) return;
    DeleteValveEntry(library, currentRow);
    library.modified = true;
    RefreshValveLibraryWindow(std::min(currentRow, library.entries.count + 1));
  }

  void UpdateMenu() override {
    if (frameMenu == nullptr) return;
    const bool entry = currentRow >= 1 && currentRow <= Library().entries.count && !TableResultsShown();
    EnableMenuItem(frameMenu, 126, MF_BYCOMMAND | (entry ? MF_ENABLED : MF_GRAYED));
  }

  void WriteText() override;
};

LibraryTable& Table() {
  static LibraryTable table;
  return table;
}

class LibraryPrint : public PrintTable {
 public:
  void DefineColumns() override {
    SetColumns(kColumns);
    headingLines = 2;
    for (int column = 1; column <= kColumns; ++column) {
      int width = std::max(TextWidth(Heading(column, 0)), TextWidth(Heading(column, 1)));
      for (int row = 1; row <= Library().entries.count; ++row) width = std::max(width, TextWidth(Cell(row, column)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override { return Heading(column, line); }
  std::string CellText(int row, int column, int) override { return Cell(row, column); }
};

void LibraryTable::WriteText() {
  const int count = Library().entries.count;
  if (count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection(kTitle, 0);
    LibraryPrint table;
    table.countInTitle = true;
    TablePrint(table, kTitle, count);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine(kTitle);
    ReportNewLine();
    g_LineText = "Description,Nominal Size,OD,Rating,Connection Type,Length,Weight";
    ReportAppendLine(g_LineText);
    ReportNewLine();
    g_LineText = ",,";
    ReportPutUnits(kUnitDimension);
    g_LineText += ",,";
    ReportPutUnits(kUnitLength);
    ReportPutUnits(kUnitWeight);
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
    for (int row = 1; row <= count; ++row) {
      g_LineText.clear();
      for (int column = 1; column <= kColumns; ++column) ReportPutCell(Cell(row, column));
      ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
      ReportNewLine();
    }
    return;
  }
  static const int kAt[kColumns + 1] = {0, 4, 31, 40, 50, 58, 64, 74};
  ReportSetTitle(kTitle);
  for (int row = 1; row <= count; ++row) {
    if (row == 1 || g_ReportLine == kReportBodyLine) {
      ReportPutCentred(kTitle, 6, 78);
      ReportNewLine();
      ReportRule();
      for (int line = 0; line < 2; ++line) {
        for (int column = 1; column <= kColumns; ++column) ReportPutText(Heading(column, line), kAt[column]);
        ReportNewLine();
      }
      ReportRule();
    }
    for (int column = 1; column <= kColumns; ++column) ReportPutText(Cell(row, column), kAt[column]);
    ReportNewLine();
  }
  ReportRule();
}

// --- the window --------------------------------------------------------------------

TakenListFrame& Taken() {
  static TakenListFrame taken;
  return taken;
}

WINDOWPLACEMENT& LibraryPlacement() {
  static WINDOWPLACEMENT placement{};
  return LibraryWindowPlacement(placement);
}

// The library file's path, from a file dialog of `title` (Open or Save As).
std::string AskLibraryPath(HWND owner, const char* title, bool save) {
  FilePathQuestion question;
  question.title = title;
  question.filter = kFilter;
  question.defaultExtension = "val";
  question.name = FileNameOf(Library().path);
  question.folder = ValveLibraryDialogFolder().folder;
  question.save = save;
  return AskFilePath(owner, question);
}

// The chosen file becomes the library path, its folder where the next
// dialog starts.
void ChooseLibraryPath(const std::string& path) {
  ProgramPreferences().valveLibraryPath = path;
  SetFolderFromPath(path, ValveLibraryDialogFolder());
}

bool IsValExtension(const std::string& path) { return LowerExtension(path) == "val"; }

bool ReadInto(HWND owner, const std::string& path) {
  try {
    ReadValveLibraryFile(path, Library());
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  return true;
}

void CloseCommand(HWND window) { LeaveValveLibraryWindow(window); }

bool LibraryCommand(HWND window, int id) {
  switch (id) {
    // New is the List frame's chooser, which leaves the library first.
    case 101: return false;
    case 102:
      if (QuerySaveValveLibrary(window) == IDCANCEL) return true;
      if (OpenValveLibraryFile(window)) RefreshValveLibraryWindow(1);
      return true;
    case 103: LeaveValveLibraryWindow(window); return true;
    case 104: SaveValveLibrary(window); return true;
    case 105: SaveValveLibraryAs(window); return true;
    case 110:
      ExitFromLibrary(window, LeaveValveLibraryWindow);
      return true;
    case 40022:
      if (TableCommitEdit(Table())) return true;
      if (FindAndReplaceValveDescriptions(window)) RefreshValveLibraryWindow(Table().currentRow);
      return true;
    // Edit, Delete, Insert, Print, Units, Font, Help and About are the List
    // frame's own, on the table this window shows.
    case 106:
    case 113:
    case 126:
    case 128:
    case 411:
    case 431:
    case 900:
    case 903: return false;
    default: return true;  // nothing else belongs to the library
  }
}

ListFrameTool& Tool() {
  static ListFrameTool tool;
  tool.command = LibraryCommand;
  tool.close = CloseCommand;
  tool.leave = LeaveValveLibraryWindow;
  return tool;
}

}  // namespace

TableWindow& ValveLibraryTable() { return Table(); }

void RefreshValveLibraryWindow(int row) {
  LibraryTable& table = Table();
  if (!Taken().open || table.Window() == nullptr) return;
  TableSetRows(table, Library().entries.count + 1);
  TableShowFocus(table);
  TableGoTo(table, std::clamp(row, 1, table.rowCount));
  SetWindowTitleFromLibrary();
}

bool ValveLibraryWindowOpen() { return Taken().open; }

void OpenValveLibraryWindow(HWND /*owner*/) {
  Frame& frame = ListFrame();
  if (frame.window == nullptr) return;
  TakenListFrame& taken = Taken();
  if (!taken.open) {
    TakeListFrame(taken, "VALVLIB_MENU", "VALVLIB_ACCEL", Tool(), LibraryPlacement());
  }
  LibraryTable& table = Table();
  if (!BindFirstListTable(table, kColumns)) return;
  table.headingLines = 2;
  table.editLengths = EditLengths();
  table.editable = true;
  table.nodeSearch = false;
  TableReset(table);
  TableWindowSetMenu(table, taken.toolMenu != nullptr ? GetSubMenu(taken.toolMenu, 1) : nullptr, 1);
  TableOpenAt(table, kTitle, Library().entries.count, 1, 0);
  FrameShow(frame);
  TableShowFocus(table);
  SetWindowTitleFromLibrary();
  ActiveWindow = frame.window;
  ActiveAccelerators = taken.accelerators;
}

void CloseValveLibraryWindow() {
  TakenListFrame& taken = Taken();
  if (!taken.open) return;
  ReleaseListFrame(taken, LibraryPlacement());
  ClearValveLibrary(Library());
  ShowMainWindowAgain();
}

bool LeaveValveLibraryWindow(HWND owner) {
  return LeaveLibraryWindow(owner, Taken().open, Table(), QuerySaveValveLibrary, CloseValveLibraryWindow);
}

void NewValveLibrary(HWND owner) {
  ClearValveLibrary(Library());
  OpenValveLibraryWindow(owner);
}

bool ReadValveLibraryIntoMemory(HWND owner, const std::string& path) {
  if (!ReadInto(owner, path)) return false;
  ChooseLibraryPath(path);
  return true;
}

bool ReadValveLibrary(HWND owner) {
  const std::string& path = ProgramPreferences().valveLibraryPath;
  QV_ASSERT(!path.empty() && "valvlib_file_path");
  return ReadInto(owner, path);
}

bool SaveValveLibrary(HWND owner) {
  if (TableCommitEdit(Table())) return false;
  ValveLibrary& library = Library();
  if (library.path.empty()) return SaveValveLibraryAs(owner);
  if (!WriteLibraryShowingFault(owner, [&] { WriteValveLibraryFile(library, library.path); })) return false;
  ShowInfoMessage(owner, "Valve Library saved");
  return true;
}

bool SaveValveLibraryAs(HWND owner) {
  if (TableCommitEdit(Table())) return false;
  std::string path = AskLibraryPath(owner, "Save Valve Library As", true);
  if (path.empty()) return false;
  if (!IsValExtension(path)) path += ".val";
  ValveLibrary& library = Library();
  if (!WriteLibraryShowingFault(owner, [&] { WriteValveLibraryFile(library, path); })) return false;
  ChooseLibraryPath(path);
  ShowInfoMessage(owner, "Valve Library saved");
  SetWindowTitleFromLibrary();
  return true;
}

bool OpenValveLibraryFile(HWND owner) {
  const std::string path = AskLibraryPath(owner, "Open Valve Library", false);
  if (path.empty()) return false;
  if (!IsValExtension(path)) {
    ShowErrorMessage(owner, "File extension must be : val");
    return false;
  }
  if (!ReadInto(owner, path)) return false;
  ChooseLibraryPath(path);
  return true;
}

int QuerySaveValveLibrary(HWND owner) {
  const ValveLibrary& library = Library();
  return QuerySaveLibrary(owner, library.modified, library.path, SaveValveLibrary, SaveValveLibraryAs);
}
