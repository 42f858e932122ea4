// The values grid of a response spectrum; see SpectrumValuesGrid.h.
#include "loads/SpectrumValuesGrid.h"

#include <algorithm>

#include "loads/ListEdits.h"
#include "model/ContextMenus.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "shell/Frame.h"
#include "shell/General.h"
#include "shell/Message.h"
#include "shell/NumberText.h"
#include "shell/TableWindowSupport.h"
#include "shell/Units.h"

namespace {

constexpr int kCellLength = 14;

int Width(HDC dc, const std::string& text) { return CellTextWidth(dc, text); }

}  // namespace

SpectrumValuesGrid& TheSpectrumValuesGrid() {
  static SpectrumValuesGrid grid;
  return grid;
}

const ResponseSpectrum* SpectrumValuesGrid::Spectrum() const {
  const SpectrumList& list = TheModel().spectra;
  return loaded_ && index_ < list.size() ? &list[index_] : nullptr;
}

bool SpectrumValuesGrid::OnEntryRow() const {
  return !TableResultsShown() && currentRow == static_cast<int>(points_.size());
}

int SpectrumValuesGrid::FirstRowOutOfOrder() const {
  std::size_t last = points_.size();
  if (!TableResultsShown() && last > 0 && points_.back().x == 0.0f && points_.back().y == 0.0f) --last;
  for (std::size_t i = 1; i < last; ++i)
    if (!(points_[i].x > points_[i - 1].x)) return static_cast<int>(i) + 1;
  return 0;
}

void SpectrumValuesGrid::DefineColumns() {
  HDC dc = Dc();
  for (int column = 1; column <= 2 && column < static_cast<int>(widths.size()); ++column) {
    int width = std::max(Width(dc, HeadingText(column, 0)), Width(dc, HeadingText(column, 1)));
    for (int row = 1; row <= static_cast<int>(points_.size()); ++row) width = std::max(width, Width(dc, CellText(row, column, 0)));
    widths[static_cast<std::size_t>(column)] = std::max(width, Width(dc, "0.000000"));
  }
}

std::string SpectrumValuesGrid::HeadingText(int column, int line) {
  const ResponseSpectrum* spectrum = Spectrum();
  if (spectrum == nullptr) return {};
  const bool period = spectrum->periodAbscissa != 0;
  if (column == 1) return line == 0 ? (period ? "Period" : "Frequency") : (period ? "(Sec)" : "(Hz)");
  if (column != 2) return {};
  if (line == 0) return IsAccelerationUnit(spectrum->ordinateUnit) ? "Acceleration" : "Displacement";
  return OrdinateUnitLabel(spectrum->ordinateUnit);
}

std::string SpectrumValuesGrid::CellText(int row, int column, int /*line*/) {
  const ResponseSpectrum* spectrum = Spectrum();
  if (spectrum == nullptr || row < 1 || row > static_cast<int>(points_.size())) return {};
  const FloatPair& point = points_[static_cast<std::size_t>(row - 1)];
  const float value = column == 1 ? point.x : point.y;
  if (value == 0.0f) return {};
  return column == 1 ? std::string(FormatG6(value)) : std::string(FormatSpectrumOrdinate(value, spectrum->ordinateUnit));
}

bool SpectrumValuesGrid::IsCellEditable(int row, int column) {
  return Spectrum() != nullptr && !TableResultsShown() && row >= 1 && (column == 1 || column == 2);
}

int SpectrumValuesGrid::FilterChar(int character) {
  if (character == ' ' || IsNotNumberChar(static_cast<char>(character))) return 0;
  return character;
}

void SpectrumValuesGrid::StoreCell() {
  const ResponseSpectrum* spectrum = Spectrum();
  if (spectrum == nullptr || currentRow < 1 || currentRow > static_cast<int>(points_.size())) return;
  FloatPair& point = points_[static_cast<std::size_t>(currentRow - 1)];
  float value = 0.0f;
  const bool bad = currentColumn == 1 ? ParseReal(g_EditFieldText, value) != 0 || value < 0.0f
                                      : ParseSpectrumOrdinate(g_EditFieldText, spectrum->ordinateUnit, value) != 0;
  if (bad) ThrowInvalidField("Value");
  if (value == 0.0f && !g_EditFieldText.empty()) value = kExplicitZero;
  float& target = currentColumn == 1 ? point.x : point.y;
  if (value == target) return;
  target = value;
  changed_ = true;
}

void SpectrumValuesGrid::EnterRow(bool /*control*/) {
  if (currentRow < 1 || currentRow > static_cast<int>(points_.size())) return;
  const FloatPair& point = points_[static_cast<std::size_t>(currentRow - 1)];
  if (point.x == 0.0f) TableFieldRequired("Value", 1);
  if (point.y == 0.0f) TableFieldRequired("Value", 2);
  if (!OnEntryRow()) {
    TableGoTo(*this, currentRow + 1);
    return;
  }
  points_.push_back({0.0f, 0.0f});
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, rowCount);
}

void SpectrumValuesGrid::InsertRow() {
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

void SpectrumValuesGrid::DeleteRow() {
  const auto row = static_cast<std::size_t>(currentRow);
  if (TableResultsShown() || OnEntryRow() || row < 1 || row > points_.size()) return;
  points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(row - 1));
  changed_ = true;
  TableSetRows(*this, static_cast<int>(points_.size()));
  TableShow(*this);
  TableGoTo(*this, std::min(currentRow, rowCount));
}

void SpectrumValuesGrid::ContextMenu() {
  if (TableResultsShown() || frame == nullptr) return;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kInsertItemCommand, "&Insert");
  AppendMenu(menu, MF_STRING, kDeleteItemCommand, "&Delete");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

void SpectrumValuesGrid::UpdateMenu() {
  if (menuMode != 1 || frameMenu == nullptr) return;
  const UINT state = MF_BYCOMMAND | (TableResultsShown() ? MF_GRAYED : MF_ENABLED);
  EnableMenuItem(frameMenu, kEditItemCommand, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(frameMenu, kInsertItemCommand, state);
  EnableMenuItem(frameMenu, kDeleteItemCommand, state);
}

bool SpectrumValuesGrid::MustKeepFocus() {
  const int row = FirstRowOutOfOrder();
  if (row == 0) return false;
  ShowTableMessage(Window(),
                   "The abscissa of row " + std::to_string(row) + " is not above that of row " +
                       std::to_string(row - 1) + ".\nThe abscissas of a spectrum must ascend.",
                   TableMessageKind::Error);
  return true;
}

void SpectrumValuesGrid::LostFocus() { Commit(); }

void SpectrumValuesGrid::AdjustClientRect(RECT& area) {
  HWND first = ListTableWindow(0);
  if (first == nullptr || !IsWindowVisible(first)) return;
  RECT box{};
  GetWindowRect(first, &box);
  POINT corner{box.right, box.top};
  ScreenToClient(GetParent(first), &corner);
  area.left = std::min(corner.x + 4, area.right);
}

void SpectrumValuesGrid::Load(std::size_t index, bool keepRow) {
  HWND window = ListTableWindow(1);
  if (window == nullptr) return;
  const SpectrumList& list = TheModel().spectra;
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
  // A spectrum takes points once it has a name.
  const bool editing = !TableResultsShown() && !list[index].name.empty();
  TableWindowClose(window);
  TableSetColumns(*this, RecordOfWindow(window), ListFrame().window, 2, 2, editing ? &kLengths : nullptr);
  editable = editing;
  rowNumbers = true;
  TableReset(*this);
  TableSetRows(*this, static_cast<int>(points_.size()));
  currentRow = keepRow ? std::clamp(row, 1, std::max(rowCount, 1)) : 1;
  HWND names = ListTableWindow(0);
  if (TableWindow* table = names != nullptr ? TableOfWindow(names) : nullptr) {
    // Tab runs on into the grid; a click back on the list first asks the
    // grid whether it may be left.
    table->followingTable = this;
    table->partnerTable = this;
    followingTable = table;
  }
  TableShow(*this);
  if (names != nullptr) TableWindowFit(names);
}

bool SpectrumValuesGrid::Commit() {
  if (!loaded_ || !changed_ || TableResultsShown() || FirstRowOutOfOrder() != 0) return false;
  SpectrumList& list = TheModel().spectra;
  if (index_ >= list.size()) return false;
  changed_ = false;
  std::vector<FloatPair> given = points_;
  if (!given.empty() && given.back().x == 0.0f && given.back().y == 0.0f) given.pop_back();
  ChangeWithSnapshot(frame, [&] {
    list[index_].points = given;
    return true;
  });
  if (Window() != nullptr && IsWindowVisible(Window())) Load(index_, true);
  return true;
}

void SpectrumValuesGrid::Hide() {
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
