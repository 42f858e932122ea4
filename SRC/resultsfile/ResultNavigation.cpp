// The result tables' shared services; see ResultNavigation.h.
#include "resultsfile/ResultNavigation.h"

#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "resultsfile/ResultCases.h"
#include "services/Frame.h"
#include "services/ProgramCommands.h"
#include "services/TableWindow.h"

bool g_ShowGlobalForces = false;

namespace {

constexpr int kResultsCommand = 174;
constexpr int kLoadCasesCommand = 231, kNextCaseCommand = 228, kPreviousCaseCommand = 229;
constexpr int kOtherCommand = 287, kNextItemCommand = 330, kPreviousItemCommand = 331, kGlobalLocalCommand = 288;
constexpr int kImageLocal = 24, kImageGlobal = 25;

ResultOpener& Reopen() {
  static ResultOpener opener = nullptr;
  return opener;
}

HMENU Menu() { return ResultsFrame().menu; }

void InsertBeforeResults(int id, const char* text) {
  if (Menu() == nullptr || ResultsMenuHas(id)) return;
  InsertMenu(Menu(), kResultsCommand, MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text);
}

// The Results popup (position 1) and the position of `id` in it, -1 when
// the popup does not hold it.
int PositionInResultsPopup(HMENU& popup, int id) {
  popup = Menu() != nullptr ? GetSubMenu(Menu(), 1) : nullptr;
  if (popup == nullptr) return -1;
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(popup, i) == static_cast<UINT>(id) && GetSubMenu(popup, i) == nullptr) return i;
  return -1;
}

// A group ends with a separator right after its last item; the separator is
// found by its place, since a separator has no command to find it by.
void InsertSeparatorBeforeResults() {
  HMENU popup = nullptr;
  const int at = PositionInResultsPopup(popup, kResultsCommand);
  if (at >= 0) InsertMenu(popup, static_cast<UINT>(at), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void DeleteGroup(const std::vector<int>& ids, int last) {
  HMENU popup = nullptr;
  const int at = PositionInResultsPopup(popup, last);
  if (at >= 0 && at + 1 < GetMenuItemCount(popup) && GetMenuItemID(popup, at + 1) == 0 &&
      GetSubMenu(popup, at + 1) == nullptr)
    DeleteMenu(popup, static_cast<UINT>(at + 1), MF_BYPOSITION);
  for (int id : ids)
    if (ResultsMenuHas(id)) DeleteMenu(Menu(), static_cast<UINT>(id), MF_BYCOMMAND);
}

void SendToolbars(UINT message, int id, LPARAM value) {
  for (HWND toolbar : {ResultsFrame().smallToolbar, ResultsFrame().largeToolbar})
    if (toolbar != nullptr) SendMessage(toolbar, message, static_cast<WPARAM>(id), value);
}

}  // namespace

// --- the table window -----------------------------------------------------------------

TableWindowRecord& ResultsTableRecord() {
  static TableWindowRecord record;
  return record;
}

HWND ResultsTableWindow() { return ResultsTableRecord().window; }

bool BindResultsTable(TableWindow& table, int columns, int headingLines) {
  HWND window = ResultsTableWindow();
  if (window == nullptr || ResultsFrame().window == nullptr) return false;
  TableSetColumns(table, &ResultsTableRecord(), ResultsFrame().window, columns, headingLines, nullptr);
  table.editable = false;
  return true;
}

ResultTableWindow* ShownResultTable() {
  HWND window = ResultsTableWindow();
  if (window == nullptr || !IsWindowVisible(window)) return nullptr;
  return dynamic_cast<ResultTableWindow*>(TableOfWindow(window));
}

// --- the current table --------------------------------------------------------------

ResultOpener ResultsReopenCommand() { return Reopen(); }
void SetResultsReopenCommand(ResultOpener opener) { Reopen() = opener; }

void ReopenResultTable() {
  if (Reopen() != nullptr) Reopen()();
}

void RefreshShownTable(ResultTableWindow& table) {
  if (ShownResultTable() != &table) return;
  // Showing lays the columns out for the new values and keeps the row.
  TableShowFocus(table);
  table.CurrentRowChanged();
}

void ShowResultsTitle(const std::string& text) {
  if (ResultsFrame().window == nullptr) return;
  FrameSetTitle(ResultsFrame(), text + ": " + CurrentCaseTitle());
}

// --- the result chooser list ------------------------------------------------------

std::vector<ResultChooserEntry>& ResultChooserList() {
  static std::vector<ResultChooserEntry> list;
  return list;
}

namespace {

// A table that stands for another entry of the chooser while it is shown.
struct ChooserStandIn {
  ResultOpener shown = nullptr;
  ResultOpener entry = nullptr;
};

ChooserStandIn& StandIn() {
  static ChooserStandIn standIn;
  return standIn;
}

}  // namespace

void SetChooserEntryOf(ResultOpener shown, ResultOpener entry) { StandIn() = ChooserStandIn{shown, entry}; }

int CurrentResultIndex() {
  const auto& list = ResultChooserList();
  // A time-history table stands for the "&Time history" entry that chose it.
  const ChooserStandIn& standIn = StandIn();
  const ResultOpener reopen = Reopen();
  const bool standsIn = standIn.shown != nullptr && reopen == standIn.shown && ProgramCommands().inResultsMode();
  const ResultOpener current = standsIn ? standIn.entry : reopen;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].opener == current && current != nullptr) return static_cast<int>(i) + 1;
  return 1;
}

void OpenResultByIndex(int index) {
  const auto& list = ResultChooserList();
  if (index < 1 || index > static_cast<int>(list.size())) return;
  if (ResultOpener opener = list[static_cast<std::size_t>(index) - 1].opener) opener();
}

// Next and Previous start from the current table's entry; a table that is
// not in the list counts as the first.
void NextResultTable() {
  const int count = static_cast<int>(ResultChooserList().size());
  if (count == 0) return;
  const int at = CurrentResultIndex();
  OpenResultByIndex(at >= count ? 1 : at + 1);
}

void PreviousResultTable() {
  const int count = static_cast<int>(ResultChooserList().size());
  if (count == 0) return;
  const int at = CurrentResultIndex();
  OpenResultByIndex(at <= 1 ? count : at - 1);
}

void CycleResultTable(bool backwards) {
  if (backwards)
    PreviousResultTable();
  else
    NextResultTable();
}

// --- navigation items and buttons -------------------------------------------------

bool ResultsMenuHas(int id) {
  return Menu() != nullptr && GetMenuState(Menu(), static_cast<UINT>(id), MF_BYCOMMAND) != static_cast<UINT>(-1);
}

void ShowResultsButtons(const std::vector<int>& ids, bool shown) {
  for (int id : ids) {
    SendToolbars(TB_HIDEBUTTON, id, shown ? FALSE : TRUE);
    SendToolbars(TB_ENABLEBUTTON, id, shown ? TRUE : FALSE);
  }
}

void SetResultsButtonPressed(int id, bool pressed) { SendToolbars(TB_CHECKBUTTON, id, pressed ? TRUE : FALSE); }

void SetGlobalLocalImage(bool local) { SendToolbars(TB_CHANGEBITMAP, kGlobalLocalCommand, local ? kImageLocal : kImageGlobal); }

void AddLoadCaseMenu(int cases) {
  if ((cases < 0 ? TheResultCases().count : cases) <= 1) return;
  InsertBeforeResults(kLoadCasesCommand, "&Load Cases...");
  InsertBeforeResults(kNextCaseCommand, "Next load case\tRight Arrow");
  InsertBeforeResults(kPreviousCaseCommand, "Previous load case\tLeft Arrow");
  InsertSeparatorBeforeResults();
  ShowResultsButtons({295, kLoadCasesCommand, kPreviousCaseCommand, kNextCaseCommand}, true);
}

void RemoveLoadCaseMenu() {
  DeleteGroup({kLoadCasesCommand, kNextCaseCommand, kPreviousCaseCommand}, kPreviousCaseCommand);
  ShowResultsButtons({295, kLoadCasesCommand, kPreviousCaseCommand, kNextCaseCommand}, false);
}

void AddSupportNavigationMenu(bool multiple, bool withCases) {
  if (multiple) {
    InsertBeforeResults(kOtherCommand, "&Other supports...\tF6");
    InsertBeforeResults(kNextItemCommand, "Next support\tCtrl+Right Arrow");
    InsertBeforeResults(kPreviousItemCommand, "Previous support\tCtrl+Left Arrow");
    InsertSeparatorBeforeResults();
    ShowResultsButtons({296, kOtherCommand, kPreviousItemCommand, kNextItemCommand}, true);
  }
  if (withCases) AddLoadCaseMenu();
}

void RemoveSupportNavigationMenu() {
  DeleteGroup({kOtherCommand, kNextItemCommand, kPreviousItemCommand}, kPreviousItemCommand);
  ShowResultsButtons({296, kOtherCommand, kPreviousItemCommand, kNextItemCommand}, false);
  RemoveLoadCaseMenu();
}

void AddEquipmentNavigationMenu(bool multiple, int cases) {
  if (multiple) {
    InsertBeforeResults(kOtherCommand, "&Other Rot. Equipment...\tF6");
    InsertBeforeResults(kNextItemCommand, "Next equipment\tCtrl+Right Arrow");
    InsertBeforeResults(kPreviousItemCommand, "Previous equipment\tCtrl+Left Arrow");
    InsertSeparatorBeforeResults();
    ShowResultsButtons({296, kOtherCommand, kPreviousItemCommand, kNextItemCommand}, true);
  }
  AddLoadCaseMenu(cases);
}

void AddSupportAxesMenu(bool global) {
  InsertBeforeResults(kGlobalLocalCommand, global ? "Local &loads\tF7" : "Global &loads\tF7");
  InsertSeparatorBeforeResults();
  ShowResultsButtons({297, kGlobalLocalCommand}, true);
  SetGlobalLocalImage(!global);
}

void RemoveSupportAxesMenu() {
  DeleteGroup({kGlobalLocalCommand}, kGlobalLocalCommand);
  ShowResultsButtons({297, kGlobalLocalCommand}, false);
}

void AddForceNavigationMenu(bool multipleKinds) {
  if (multipleKinds) {
    InsertBeforeResults(kOtherCommand, "&Other forces...\tF6");
    InsertBeforeResults(kNextItemCommand, "Next force\tCtrl+Right Arrow");
    InsertBeforeResults(kPreviousItemCommand, "Previous force\tCtrl+Left Arrow");
    ShowResultsButtons({296, kOtherCommand, kPreviousItemCommand, kNextItemCommand}, true);
  }
  InsertBeforeResults(kGlobalLocalCommand, g_ShowGlobalForces ? "Local &forces\tF7" : "Global &forces\tF7");
  InsertSeparatorBeforeResults();
  ShowResultsButtons({297, kGlobalLocalCommand}, true);
  SetGlobalLocalImage(!g_ShowGlobalForces);
  AddLoadCaseMenu();
}

void RemoveForceNavigationMenu() {
  DeleteGroup({kOtherCommand, kNextItemCommand, kPreviousItemCommand, kGlobalLocalCommand}, kGlobalLocalCommand);
  ShowResultsButtons({296, kOtherCommand, kPreviousItemCommand, kNextItemCommand, 297, kGlobalLocalCommand}, false);
  RemoveLoadCaseMenu();
}

void AddTableSwitchItem(int id, const char* text) {
  if (ResultsMenuHas(id)) return;
  InsertBeforeResults(id, text);
  InsertSeparatorBeforeResults();
}

void RemoveTableSwitchItem(int id) { DeleteGroup({id}, id); }

void AddDisplacementNavigationMenu() {
  InsertBeforeResults(kOtherCommand, "&Other displacements...\tF6");
  InsertBeforeResults(kNextItemCommand, "Next displacement\tCtrl+Right Arrow");
  InsertBeforeResults(kPreviousItemCommand, "Previous displacement\tCtrl+Left Arrow");
  InsertSeparatorBeforeResults();
  ShowResultsButtons({296, kOtherCommand, kPreviousItemCommand, kNextItemCommand}, true);
  AddLoadCaseMenu();
}

void RemoveDisplacementNavigationMenu() {
  DeleteGroup({kOtherCommand, kNextItemCommand, kPreviousItemCommand}, kPreviousItemCommand);
  ShowResultsButtons({296, kOtherCommand, kPreviousItemCommand, kNextItemCommand}, false);
  RemoveLoadCaseMenu();
}

// The time-history tables: "&Other Time History...\tF6" and, on the element
// force table, its axes item; made anew on each opening.
void AddTimeHistoryMenu(bool forces, bool global) {
  RemoveTimeHistoryMenu();
  InsertBeforeResults(kOtherCommand, "&Other Time History...\tF6");
  if (forces) InsertBeforeResults(kGlobalLocalCommand, global ? "Local &Forces\tF7" : "Global &Forces\tF7");
  InsertSeparatorBeforeResults();
  ShowResultsButtons({296, kOtherCommand}, true);
  if (forces) {
    ShowResultsButtons({kGlobalLocalCommand}, true);
    SetGlobalLocalImage(!global);
  }
}

void RemoveTimeHistoryMenu() {
  if (ResultsMenuHas(kGlobalLocalCommand)) DeleteGroup({kOtherCommand, kGlobalLocalCommand}, kGlobalLocalCommand);
  else DeleteGroup({kOtherCommand}, kOtherCommand);
  ShowResultsButtons({296, kOtherCommand, kGlobalLocalCommand}, false);
}

// --- popups -----------------------------------------------------------------------------

void AppendResultsMenuItems(HMENU popup) {
  AppendMenu(popup, MF_STRING, kResultsCommand, "&Results...");
  AppendMenu(popup, MF_STRING, 226, "&Next Result");
  AppendMenu(popup, MF_STRING, 227, "&Previous Result");
}

void AppendLoadCaseMenuItems(HMENU popup) {
  AppendMenu(popup, MF_STRING, kLoadCasesCommand, "&Load Cases...");
  AppendMenu(popup, MF_STRING, kNextCaseCommand, "Next load case");
  AppendMenu(popup, MF_STRING, kPreviousCaseCommand, "Previous load case");
}

void AppendDisplacementMenuItems(HMENU popup) {
  AppendMenu(popup, MF_STRING, kOtherCommand, "&Other displacements...");
  AppendMenu(popup, MF_STRING, kNextItemCommand, "Next displacement");
  AppendMenu(popup, MF_STRING, kPreviousItemCommand, "Previous displacement");
}

void TrackResultTablePopup(TableWindow& table, HMENU popup) {
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, table.popupPoint.x, table.popupPoint.y, 0,
                 ResultsFrame().window, nullptr);
  DestroyMenu(popup);
}

// --- keys -----------------------------------------------------------------------------------

bool ResultTableKey(ResultTableWindow& table, UINT virtualKey) {
  switch (virtualKey) {
    case VK_TAB: CycleResultTable(GetKeyState(VK_SHIFT) < 0); return true;
    case VK_LEFT:
      PreviousLoadCase();
      table.Reload();
      return true;
    case VK_RIGHT:
      NextLoadCase();
      table.Reload();
      return true;
    default: return false;
  }
}
