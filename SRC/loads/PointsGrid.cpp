// The values grid of the named point tables; see PointsGrid.h.
#include "loads/PointsGrid.h"

#include <algorithm>

#include "graphics/PrinterReport.h"
#include "graphics/ReportOutput.h"
#include "loads/ListEdits.h"
#include "loads/LoadsReport.h"
#include "model/ContextMenus.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "shell/Frame.h"
#include "shell/General.h"
#include "shell/Message.h"
#include "shell/NumberText.h"
#include "shell/TablePrint.h"
#include "shell/TableWindowSupport.h"

namespace {

constexpr int kCellLength = 14;

int Width(HDC dc, const std::string& text) { return CellTextWidth(dc, text); }

// A typed cell: "" and "0" differ, the second is the kept zero.
float CellValue(float typed) { return typed == 0.0f && !g_EditFieldText.empty() ? kExplicitZero : typed; }

class PointsPrintTable : public PrintTable {
 public:
  PointsPrintTable(const PointsGridKind& kind, const NamedPoints& record) : kind_(kind), record_(record) {
    headingLines = kind.headingLines;
  }
  void DefineColumns() override {
    SetColumns(2);
    for (int column = 1; column <= 2; ++column) {
      int width = 0;
      for (int line = 0; line < headingLines; ++line) width = std::max(width, TextWidth(HeadingText(column, line)));
      for (int row = 1; row <= static_cast<int>(record_.points.size()); ++row)
        width = std::max(width, TextWidth(CellText(row, column, 0)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override {
    return column >= 1 && column <= 2 && line >= 0 && line < kind_.headingLines ? kind_.headings[column - 1][line] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const FloatPair& point = record_.points[static_cast<std::size_t>(row - 1)];
    return PointValueText(column == 1 ? point.x : point.y);
  }

 private:
  const PointsGridKind& kind_;
  const NamedPoints& record_;
};

}  // namespace

bool PointsGrid::OnSpareRow() const {
  return !TableResultsShown() && currentRow == static_cast<int>(points_.size());
}

void PointsGrid::DefineColumns() {
  HDC dc = Dc();
  for (int column = 1; column <= 2 && column < static_cast<int>(widths.size()); ++column) {
    int width = 0;
    for (int line = 0; line < kind_.headingLines; ++line) width = std::max(width, Width(dc, HeadingText(column, line)));
    for (int row = 1; row <= static_cast<int>(points_.size()); ++row) width = std::max(width, Width(dc, CellText(row, column, 0)));
    widths[static_cast<std::size_t>(column)] = std::max(width, Width(dc, "0.000000"));
  }
}

std::string PointsGrid::HeadingText(int column, int line) {
  return column >= 1 && column <= 2 && line >= 0 && line < kind_.headingLines ? kind_.headings[column - 1][line] : "";
}

std::string PointsGrid::CellText(int row, int column, int /*line*/) {
  if (row < 1 || row > static_cast<int>(points_.size())) return {};
  const FloatPair& point = points_[static_cast<std::size_t>(row - 1)];
  return PointValueText(column == 1 ? point.x : point.y);
}

bool PointsGrid::IsCellEditable(int row, int column) {
  return !TableResultsShown() && row >= 1 && (column == 1 || column == 2);
}

int PointsGrid::FilterChar(int character) {
  if (character == ' ' || IsNotNumberChar(static_cast<char>(character))) return 0;
  return character;
}

void PointsGrid::StoreCell() {
  if (currentRow < 1 || currentRow > static_cast<int>(points_.size())) return;
  FloatPair& point = points_[static_cast<std::size_t>(currentRow - 1)];
  float typed = 0.0f;
  const bool bad = ParseFieldReal(typed) != 0;
  if (currentColumn == 1) {
    if (bad || typed < 0.0f) ThrowInvalidField(kind_.abscissaLabel);
  } else if (bad || (typed < 0.0f && !kind_.negativeValues)) {
    ThrowInvalidField(kind_.valueLabel);
  }
  float& target = currentColumn == 1 ? point.x : point.y;
  const float value = CellValue(typed);
  if (value == target) return;
  target = value;
  changed_ = true;
}

void PointsGrid::EnterRow(bool /*control*/) {
  if (currentRow < 1 || currentRow > static_cast<int>(points_.size())) return;
  const FloatPair& point = points_[static_cast<std::size_t>(currentRow - 1)];
  if (point.x == 0.0f) TableFieldRequired(kind_.abscissaLabel, 1);
  if (point.y == 0.0f) TableFieldRequired(kind_.valueLabel, 2);
  if (!OnSpareRow()) {
    TableGoTo(*this, currentRow + 1);
    return;
  }
  points_.push_back({0.0f, 0.0f});
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, rowCount);
}

void PointsGrid::InsertRow() {
  const auto row = static_cast<std::size_t>(currentRow);
  if (TableResultsShown() || OnSpareRow() || row < 1 || row > points_.size() || points_[row - 1].x == 0.0f) {
    ErrorBeep();
    return;
  }
  points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(row - 1), FloatPair{0.0f, 0.0f});
  changed_ = true;
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, currentRow);
}

void PointsGrid::DeleteRow() {
  const auto row = static_cast<std::size_t>(currentRow);
  if (TableResultsShown() || OnSpareRow() || row < 1 || row > points_.size()) return;
  points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(row - 1));
  changed_ = true;
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, std::min(currentRow, rowCount));
}

void PointsGrid::ContextMenu() {
  if (TableResultsShown() || frame == nullptr) return;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kInsertItemCommand, "&Insert");
  AppendMenu(menu, MF_STRING, kDeleteItemCommand, "&Delete");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

void PointsGrid::UpdateMenu() {
  if (menuMode != 1 || frameMenu == nullptr) return;
  const UINT state = MF_BYCOMMAND | (TableResultsShown() ? MF_GRAYED : MF_ENABLED);
  EnableMenuItem(frameMenu, kEditItemCommand, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(frameMenu, kInsertItemCommand, state);
  EnableMenuItem(frameMenu, kDeleteItemCommand, state);
}

void PointsGrid::LostFocus() { Commit(); }

void PointsGrid::AdjustClientRect(RECT& area) {
  HWND first = ListTableWindow(0);
  if (first == nullptr || !IsWindowVisible(first)) return;
  RECT box{};
  GetWindowRect(first, &box);
  POINT corner{box.right, box.top};
  ScreenToClient(GetParent(first), &corner);
  area.left = std::min(corner.x + 4, area.right);
}

void PointsGrid::Load(std::size_t index, bool keepRow) {
  HWND window = ListTableWindow(1);
  if (window == nullptr) return;
  NamedPointsList& list = kind_.list(TheModel());
  if (index >= list.size()) {
    Hide();
    return;
  }
  const int row = currentRow;
  index_ = index;
  loaded_ = true;
  changed_ = false;
  points_ = list[index].points;
  if (!TableResultsShown()) points_.push_back({0.0f, 0.0f});
  static const std::vector<int> kLengths{0, kCellLength, kCellLength};
  // A record takes points once it has a name.
  const bool editing = !TableResultsShown() && !list[index].name.empty();
  TableWindowClose(window);
  TableSetColumns(*this, RecordOfWindow(window), ListFrame().window, 2, kind_.headingLines,
                  editing ? &kLengths : nullptr);
  editable = editing;
  rowNumbers = true;
  TableReset(*this);
  TableSetRows(*this, static_cast<int>(points_.size()));
  currentRow = keepRow ? std::clamp(row, 1, std::max(rowCount, 1)) : 1;
  HWND names = ListTableWindow(0);
  if (TableWindow* table = names != nullptr ? TableOfWindow(names) : nullptr) table->followingTable = this;
  TableShow(*this);
  if (names != nullptr) TableWindowFit(names);
}

bool PointsGrid::Commit() {
  if (!loaded_ || !changed_ || TableResultsShown()) return false;
  Model& model = TheModel();
  NamedPointsList& list = kind_.list(model);
  changed_ = false;
  if (index_ >= list.size()) return false;
  std::vector<FloatPair> given = points_;
  if (!given.empty() && given.back().x == 0.0f && given.back().y == 0.0f) given.pop_back();
  const int dropped = FirstNearDuplicate(given);
  ChangeWithSnapshot(frame, [&] {
    list[index_].points = SortedPoints(given);
    return true;
  });
  if (Window() != nullptr && IsWindowVisible(Window())) Load(index_, true);
  if (dropped >= 0) {
    const FloatPair& point = given[static_cast<std::size_t>(dropped)];
    ShowTableMessage(Window(),
                     "The point of row " + std::to_string(dropped + 1) + " was dropped: its " +
                         std::string(kind_.abscissaLabel) + " " + FormatG6(point.x) +
                         " is that of another point.\nGive a step as two points apart in " + kind_.abscissaLabel +
                         ".",
                     TableMessageKind::Warning);
  }
  return true;
}

void PointsGrid::Hide() {
  loaded_ = false;
  changed_ = false;
  points_.clear();
  HWND names = ListTableWindow(0);
  if (TableWindow* table = names != nullptr ? TableOfWindow(names) : nullptr)
    if (table->followingTable == this) table->followingTable = nullptr;
  if (HWND window = ListTableWindow(1)) {
    if (TableOfWindow(window) == this) TableWindowClose(window);
    ShowWindow(window, SW_HIDE);
  }
}

void PrintPointsGrid(const PointsGridKind& kind, const NamedPoints& record) {
  PointsPrintTable table(kind, record);
  TablePrint(table, kind.printTitle + record.name, static_cast<int>(record.points.size()));
}

namespace {

void TextPointTable(const PointsGridKind& kind, const NamedPoints& record, const PointTablesReportForm& form) {
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportRuleBetween(6, 83);
  ReportNewLine();
  ReportPutChar('|', 6);
  ReportPutCentred(kind.printTitle + record.name, 7, 82);
  ReportPutChar('|', 83);
  ReportNewLine();
  ReportRuleBetween(6, 83);
  ReportNewLine();
  ReportPutText(std::string(form.abscissaHeading) + "      Value", 6);
  ReportNewLine();
  for (const FloatPair& point : record.points) {
    ReportPutText(PointValueText(point.x), form.abscissaColumn);
    ReportPutText(PointValueText(point.y), form.valueColumn);
    ReportNewLine();
  }
  ReportRule();
}

void CsvPointTable(const PointsGridKind& kind, const NamedPoints& record, const PointTablesReportForm& form) {
  ReportCsvLine({kind.printTitle + record.name});
  ReportCsvLine({form.abscissaHeading, "Value"});
  for (const FloatPair& point : record.points) ReportCsvLine({PointValueText(point.x), PointValueText(point.y)});
}

}  // namespace

void PrintPointTables(const PointsGridKind& kind, const NamedPointsList& list, const PointTablesReportForm& form) {
  if (SavedPointTableCount(list) == 0) return;
  if (!g_ReportFileOpen) BeginReportSection(form.section, 0);
  else ReportSetTitle(form.section);
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    const NamedPoints& record = list[index];
    if (!g_ReportFileOpen)
      PrintPointsGrid(kind, record);
    else if (g_ReportToFile)
      CsvPointTable(kind, record, form);
    else
      TextPointTable(kind, record, form);
  }
}
