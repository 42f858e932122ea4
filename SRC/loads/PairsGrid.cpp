// The values grids' shared behaviour; see PairsGrid.h.
#include "loads/PairsGrid.h"

#include <algorithm>

#include "loads/ListEdits.h"
#include "model/ContextMenus.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"

namespace {

constexpr int kCellLength = 14;

}  // namespace

bool PairsGrid::OnEntryRow() const {
  return !TableResultsShown() && currentRow == static_cast<int>(points_.size());
}

std::vector<FloatPair> PairsGrid::GivenPoints() const {
  std::vector<FloatPair> given = points_;
  if (!given.empty() && given.back().x == 0.0f && given.back().y == 0.0f) given.pop_back();
  return given;
}

void PairsGrid::Reload() {
  if (Window() != nullptr && IsWindowVisible(Window())) Load(index_, true);
}

void PairsGrid::StoreTyped(float typed) {
  FloatPair& point = points_[static_cast<std::size_t>(currentRow - 1)];
  const float value = typed == 0.0f && !g_EditFieldText.empty() ? kExplicitZero : typed;
  float& target = currentColumn == 1 ? point.x : point.y;
  if (value == target) return;
  target = value;
  changed_ = true;
}

void PairsGrid::DefineColumns() {
  HDC dc = Dc();
  for (int column = 1; column <= 2 && column < static_cast<int>(widths.size()); ++column) {
    int width = 0;
    for (int line = 0; line < HeadingLines(); ++line) width = std::max(width, CellTextWidth(dc, HeadingText(column, line)));
    for (int row = 1; row <= static_cast<int>(points_.size()); ++row)
      width = std::max(width, CellTextWidth(dc, CellText(row, column, 0)));
    widths[static_cast<std::size_t>(column)] = std::max(width, CellTextWidth(dc, "0.000000"));
  }
}

bool PairsGrid::IsCellEditable(int row, int column) {
  return loaded_ && !TableResultsShown() && row >= 1 && (column == 1 || column == 2);
}

int PairsGrid::FilterChar(int character) {
  if (character == ' ' || IsNotNumberChar(static_cast<char>(character))) return 0;
  return character;
}

void PairsGrid::EnterRow(bool /*control*/) {
  if (currentRow < 1 || currentRow > static_cast<int>(points_.size())) return;
  const FloatPair& point = points_[static_cast<std::size_t>(currentRow - 1)];
  if (point.x == 0.0f) TableFieldRequired(RequiredField(1), 1);
  if (point.y == 0.0f) TableFieldRequired(RequiredField(2), 2);
  if (!OnEntryRow()) {
    TableGoTo(*this, currentRow + 1);
    return;
  }
  points_.push_back({0.0f, 0.0f});
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, rowCount);
}

void PairsGrid::InsertRow() {
  const auto row = static_cast<std::size_t>(currentRow);
  if (TableResultsShown() || OnEntryRow() || row < 1 || row > points_.size() || points_[row - 1].x == 0.0f) {
    ErrorBeep();
    return;
  }
  points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(row - 1), FloatPair{0.0f, 0.0f});
  changed_ = true;
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, currentRow);
}

void PairsGrid::DeleteRow() {
  const auto row = static_cast<std::size_t>(currentRow);
  if (TableResultsShown() || OnEntryRow() || row < 1 || row > points_.size()) return;
  points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(row - 1));
  changed_ = true;
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, std::min(currentRow, rowCount));
}

void PairsGrid::ContextMenu() {
  if (TableResultsShown() || frame == nullptr) return;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kInsertItemCommand, "&Insert");
  AppendMenu(menu, MF_STRING, kDeleteItemCommand, "&Delete");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

void PairsGrid::UpdateMenu() {
  if (menuMode != 1 || frameMenu == nullptr) return;
  const UINT state = MF_BYCOMMAND | (TableResultsShown() ? MF_GRAYED : MF_ENABLED);
  EnableMenuItem(frameMenu, kEditItemCommand, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(frameMenu, kInsertItemCommand, state);
  EnableMenuItem(frameMenu, kDeleteItemCommand, state);
}

void PairsGrid::AdjustClientRect(RECT& area) {
  HWND first = ListTableWindow(0);
  if (first == nullptr || !IsWindowVisible(first)) return;
  RECT box{};
  GetWindowRect(first, &box);
  POINT corner{box.right, box.top};
  ScreenToClient(GetParent(first), &corner);
  area.left = std::min(corner.x + 4, area.right);
}

void PairsGrid::Load(std::size_t index, bool keepRow) {
  HWND window = ListTableWindow(1);
  if (window == nullptr) return;
  std::string name;
  std::vector<FloatPair> points;
  if (!Record(index, name, points)) {
    Hide();
    return;
  }
  const int row = currentRow;
  index_ = index;
  loaded_ = true;
  changed_ = false;
  points_ = std::move(points);
  if (!TableResultsShown()) points_.push_back({0.0f, 0.0f});
  static const std::vector<int> kLengths{0, kCellLength, kCellLength};
  const bool editing = !TableResultsShown() && !name.empty();
  TableWindowClose(window);
  TableSetColumns(*this, RecordOfWindow(window), ListFrame().window, 2, HeadingLines(), editing ? &kLengths : nullptr);
  editable = editing;
  rowNumbers = true;
  TableReset(*this);
  TableSetRows(*this, static_cast<int>(points_.size()));
  currentRow = keepRow ? std::clamp(row, 1, std::max(rowCount, 1)) : 1;
  HWND names = ListTableWindow(0);
  if (TableWindow* table = names != nullptr ? TableOfWindow(names) : nullptr) {
    table->followingTable = this;
    followingTable = table;
    if (asksFirst_) table->partnerTable = this;
  }
  TableShow(*this);
  if (names != nullptr) TableWindowFit(names);
}

void PairsGrid::Hide() {
  loaded_ = false;
  changed_ = false;
  points_.clear();
  followingTable = nullptr;
  HWND names = ListTableWindow(0);
  if (TableWindow* table = names != nullptr ? TableOfWindow(names) : nullptr) {
    if (table->followingTable == this) table->followingTable = nullptr;
    if (table->partnerTable == this) table->partnerTable = nullptr;
  }
  if (HWND window = ListTableWindow(1)) {
    if (TableOfWindow(window) == this) TableWindowClose(window);
    ShowWindow(window, SW_HIDE);
  }
}
