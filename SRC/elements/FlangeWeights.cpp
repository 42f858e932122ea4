// The flange weight tables and their pick list; see FlangeWeights.h.
#include "elements/FlangeWeights.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Paint.h"
#include "platform/Rect.h"
#include "platform/Window.h"
#include "properties/DialogTable.h"
#include "properties/PropertyTables.h"
#include "services/General.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr float kSizeTolerance = 0.01f;  // inch
constexpr int kSizeText = 1501, kNote = 1502, kSingleFlange = 1101;

struct SizeRow {
  const char* name;
  float nominal;
  std::array<float, 7> weights;  // by rating, of two flanges
};

constexpr std::array<const char*, 7> kAnsiRatings = {"150", "300", "400", "600", "900", "1500", "2500"};
constexpr std::array<const char*, 5> kEuropeanRatings = {"PN16", "PN25", "PN40", "PN64", "PN100"};

constexpr SizeRow kAnsi[] = {
    {"1-1/2\"", 1.5f, {8, 14, 16, 16, 34, 0, 0}},
    {"2\"", 2.0f, {12, 20, 26, 26, 62, 62, 96}},
    {"2-1/2\"", 2.5f, {18, 24, 30, 30, 82, 0, 0}},
    {"3\"", 3.0f, {22, 38, 54, 54, 76, 122, 226}},
    {"3-1/2\"", 3.5f, {26, 40, 58, 58, 96, 0, 0}},
    {"4\"", 4.0f, {34, 58, 82, 96, 128, 180, 354}},
    {"5\"", 5.0f, {42, 68, 92, 146, 190, 0, 0}},
    {"6\"", 6.0f, {54, 96, 134, 192, 260, 404, 902}},
    {"8\"", 8.0f, {84, 152, 208, 274, 444, 668, 1384}},
    {"10\"", 10.0f, {120, 220, 304, 450, 632, 1092, 2582}},
    {"12\"", 12.0f, {176, 326, 424, 544, 868, 1686, 3838}},
    {"14\"", 14.0f, {226, 434, 554, 812, 1284, 2482, 0}},
    {"16\"", 16.0f, {294, 576, 702, 1154, 1570, 3194, 0}},
    {"18\"", 18.0f, {330, 710, 860, 1304, 2148, 4138, 0}},
    {"20\"", 20.0f, {392, 862, 1070, 1622, 2688, 5228, 0}},
    {"24\"", 24.0f, {590, 1264, 1554, 2314, 4900, 8306, 0}},
};

constexpr SizeRow kEuropean[] = {
    {"1/2\"", 0.5f, {2.86f, 3.3f, 3.3f, 5.3f, 5.3f}},
    {"3/4\"", 0.75f, {4.18f, 4.68f, 4.68f, 0, 0}},
    {"1\"", 1.0f, {5.08f, 5.68f, 5.68f, 11.72f, 11.72f}},
    {"1-1/4\"", 1.25f, {7.5f, 8.28f, 8.28f, 14.1f, 14.1f}},
    {"1-1/2\"", 1.5f, {8.16f, 10.28f, 10.28f, 18.08f, 18.08f}},
    {"2\"", 2.0f, {11.24f, 12.44f, 12.44f, 20.06f, 26.46f}},
    {"2-1/2\"", 2.5f, {13.44f, 16.5f, 16.5f, 25.26f, 34.84f}},
    {"3\"", 3.0f, {16.32f, 20.94f, 20.94f, 29.5f, 39.46f}},
    {"4\"", 4.0f, {20.38f, 28.74f, 28.74f, 42.6f, 60.4f}},
    {"5\"", 5.0f, {27.78f, 40, 40, 66.58f, 100.08f}},
    {"6\"", 6.0f, {34.18f, 52.02f, 52.02f, 96.56f, 133.16f}},
    {"8\"", 8.0f, {48.5f, 74.96f, 94.8f, 153.88f, 232.8f}},
    {"10\"", 10.0f, {68.78f, 107.58f, 153.88f, 218.7f, 358.92f}},
    {"12\"", 12.0f, {97, 137.56f, 219.14f, 302.92f, 537.92f}},
    {"14\"", 14.0f, {126.54f, 198.42f, 300.26f, 417.12f, 727.52f}},
    {"16\"", 16.0f, {160.06f, 258.82f, 425.5f, 546.74f, 0}},
    {"20\"", 20.0f, {261.46f, 379.64f, 515.88f, 0, 0}},
    {"24\"", 24.0f, {323.64f, 445.34f, 0, 0, 0}},
};

struct TableView {
  const SizeRow* rows;
  int sizes;
  int ratings;
};

TableView View(FlangeWeightTable table) {
  if (table == FlangeWeightTable::Ansi) return {kAnsi, static_cast<int>(std::size(kAnsi)), 7};
  return {kEuropean, static_cast<int>(std::size(kEuropean)), 5};
}

// The pick list of one size's ratings.
class RatingTable : public DialogTableWindow {
 public:
  RatingTable(FlangeWeightTable table, int sizeIndex) : table_(table), size_(sizeIndex) {}
  void DefineColumns() override {
    HDC dc = Dc();
    widths[1] = DcTextWidth(dc, "123456789");
    int width = DcTextWidth(dc, HeadingText(2, 0));
    for (int row = 1; row <= rowCount; ++row) width = std::max(width, DcTextWidth(dc, CellText(row, 2, 0)));
    widths[2] = width;
  }
  std::string HeadingText(int column, int) override {
    if (column == 1) return "Rating";
    return column == 2 ? std::string("Weight ") + UnitLabel(kUnitWeight) : std::string();
  }
  std::string CellText(int row, int column, int) override {
    if (column == 1) return FlangeRatingName(table_, row);
    if (column != 2) return {};
    const float weight = FlangeTableWeight(table_, size_, row);
    if (weight == 0.0f) return {};
    std::string text = FormatWeight(weight);
    TrimBlanks(text);
    return text;
  }
  void DoubleClick() override {
    if (HWND dialog = GetParent(Window())) PostMessage(dialog, WM_COMMAND, IDOK, 0);
  }

 private:
  FlangeWeightTable table_;
  int size_;
};

struct PickState {
  FlangeWeightTable table;
  int sizeIndex;
  RatingTable* list;
  bool single = false;
};

// Every rating shows without scrolling; under the list the note, the
// single-flange choice and the buttons, 13, 11 and 25 dialog units apart.
void LayOut(HWND dialog, PickState& state) {
  const int ratings = FlangeRatingCount(state.table);
  LayoutDialogTable(dialog, *state.list, ratings, 1, ratings, ratings, {});
  RECT line{};
  GetWindowRect(GetDlgItem(dialog, kSizeText), &line);
  const int shift = (line.bottom - line.top) + 6;
  OffsetRect(&state.list->place, 0, shift);
  TableFitWindow(*state.list);
  RECT unit{0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  const auto down = [&](int units) { return units * unit.bottom / 8; };
  const int left = state.list->place.left;
  const int noteTop = state.list->place.bottom + down(13) - down(8);
  const int checkTop = noteTop + down(11);
  const int buttonsTop = checkTop + down(25) - down(8);
  SetWindowPos(GetDlgItem(dialog, kNote), nullptr, left, noteTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(GetDlgItem(dialog, kSingleFlange), nullptr, left, checkTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  int right = state.list->place.right, bottom = buttonsTop;
  int x = left;
  for (int item : {IDOK, IDCANCEL}) {
    HWND button = GetDlgItem(dialog, item);
    RECT box{};
    GetWindowRect(button, &box);
    SetWindowPos(button, nullptr, x, buttonsTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    x += (box.right - box.left) + unit.right * 2;
    right = std::max(right, x);
    bottom = std::max(bottom, buttonsTop + (box.bottom - box.top));
  }
  RECT check{};
  GetWindowRect(GetDlgItem(dialog, kSingleFlange), &check);
  right = std::max(right, left + static_cast<int>(check.right - check.left));
  RECT frame{0, 0, right + left, bottom + left};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  CenterWindowOnParent(dialog, 0);
  if (state.list->Window() != nullptr) SetFocus(state.list->Window());
  InvalidateRect(dialog, nullptr, TRUE);
}

INT_PTR PickProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& state = *reinterpret_cast<PickState*>(lParam);
      state.single = false;
      CreateDialogTable(dialog, *state.list, 2, 1);
      const TableView view = View(state.table);
      SetDlgItemText(dialog, kSizeText, (std::string("Size = ") + view.rows[state.sizeIndex].name).c_str());
      LayOut(dialog, state);
      return FALSE;
    }
    case WM_COMMAND: {
      auto& state = *reinterpret_cast<PickState*>(GetWindowLongPtr(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, state.list->currentRow); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case kSingleFlange:
          state.single = IsDlgButtonChecked(dialog, kSingleFlange) == BST_CHECKED;
          return TRUE;
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

}  // namespace

float NominalSizeFromOd(float outsideDiameter) {
  static constexpr std::array<std::array<float, 2>, 18> kSmall = {{{0.405f, 0.125f}, {0.54f, 0.25f}, {0.675f, 0.375f},
                                                                    {0.84f, 0.5f},    {1.05f, 0.75f}, {1.315f, 1.0f},
                                                                    {1.66f, 1.25f},   {1.9f, 1.5f},   {2.375f, 2.0f},
                                                                    {2.875f, 2.5f},   {3.5f, 3.0f},   {4.0f, 3.5f},
                                                                    {4.5f, 4.0f},     {5.563f, 5.0f}, {6.625f, 6.0f},
                                                                    {8.625f, 8.0f},   {10.75f, 10.0f}, {12.75f, 12.0f}}};
  for (const auto& [od, nominal] : kSmall)
    if (std::fabs(outsideDiameter - od) <= kSizeTolerance) return nominal;
  // From 14 in on the outside diameter is the nominal size.
  for (float size = 14.0f; size <= 36.0f; size += 2.0f)
    if (std::fabs(outsideDiameter - size) <= kSizeTolerance) return size;
  for (float size : {42.0f, 44.0f})
    if (std::fabs(outsideDiameter - size) <= kSizeTolerance) return size;
  return outsideDiameter;
}

int FlangeWeightSizeIndex(FlangeWeightTable table, float nominalSize) {
  const TableView view = View(table);
  for (int i = 0; i < view.sizes; ++i)
    if (std::fabs(view.rows[i].nominal - nominalSize) <= kSizeTolerance) return i;
  return -1;
}

float FlangeTableWeight(FlangeWeightTable table, int sizeIndex, int rating) {
  const TableView view = View(table);
  if (sizeIndex < 0 || sizeIndex >= view.sizes || rating < 1 || rating > view.ratings) return 0.0f;
  return view.rows[sizeIndex].weights[static_cast<std::size_t>(rating) - 1];
}

int FlangeRatingCount(FlangeWeightTable table) { return View(table).ratings; }

const char* FlangeRatingName(FlangeWeightTable table, int rating) {
  if (rating < 1 || rating > View(table).ratings) return "";
  const auto index = static_cast<std::size_t>(rating) - 1;
  return table == FlangeWeightTable::Ansi ? kAnsiRatings[index] : kEuropeanRatings[index];
}

float PickFlangeWeight(HWND owner, FlangeWeightTable table, int sizeIndex) {
  if (sizeIndex < 0 || sizeIndex >= View(table).sizes) return -1.0f;
  RatingTable list(table, sizeIndex);
  PickState state{table, sizeIndex, &list};
  const INT_PTR rating =
      DialogBoxParam(InstanceHandle, "FLANGE_LIBRARY_DIALOG", owner, PickProc, reinterpret_cast<LPARAM>(&state));
  if (rating <= 0) return -1.0f;
  const float weight = FlangeTableWeight(table, sizeIndex, static_cast<int>(rating));
  return state.single ? weight / 2.0f : weight;
}
