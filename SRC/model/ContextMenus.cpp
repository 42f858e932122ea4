// The shared table popups, Edit-menu states, the opening of a list at the
// current Layout row and the LCS menu item (see ContextMenus.h); the triad
// itself is LcsTriad.cpp.
#include "model/ContextMenus.h"

#include <algorithm>

#include "model/LcsTriad.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "platform/Menu.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kEditSubmenu = 1;
constexpr int kColourByGravityCommand = 40077;

// Owns a popup menu for the duration of one tracking.
class PopupMenu {
 public:
  PopupMenu() : menu_(CreatePopupMenu()) {}
  ~PopupMenu() {
    if (menu_ != nullptr) DestroyMenu(menu_);
  }
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  void Add(int command, const std::string& text) {
    AppendMenu(menu_, MF_STRING, static_cast<UINT_PTR>(command), text.c_str());
    ++items_;
  }
  void AddLcsWhenItApplies() {
    if (LcsMenuApplies()) Add(kLcsCommand, LcsMenuText());
  }
  int Track(const TableWindow& table) {
    if (items_ == 0) return 0;
    TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, table.popupPoint.x, table.popupPoint.y, 0, table.frame,
                   nullptr);
    return items_;
  }

 private:
  HMENU menu_;
  int items_ = 0;
};

int EditMenu(TableWindow& table, const std::string& itemName, bool withDelete) {
  if (table.frame == nullptr) return 0;
  PopupMenu menu;
  const bool results = TableResultsShown();
  menu.Add(kEditItemCommand, (results ? "&Show " : "&Edit ") + itemName);
  if (withDelete && !results) menu.Add(kDeleteItemCommand, "&Delete " + itemName);
  menu.Add(kListCommand, "&List");
  menu.AddLcsWhenItApplies();
  return menu.Track(table);
}

void SetDeleteItem(TableWindow& table, bool enabled) {
  if (table.frame == nullptr) return;
  HMENU submenu = GetSubMenu(GetMenu(table.frame), kEditSubmenu);
  if (submenu != nullptr) EnableMenuItem(submenu, kDeleteItemCommand, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

int TablePopupListMenu(TableWindow& table) {
  if (table.frame == nullptr) return 0;
  PopupMenu menu;
  menu.Add(kListCommand, "&List");
  // The pipe loads colour the picture by load or by the specific gravity of
  // their contents: the item offers the other colouring.
  if (TheModel().listName == "&Loads" && ColourByProperty())
    menu.Add(kColourByGravityCommand,
             ColourBySpecificGravity() ? "Color Graphics using Loads" : "Color Graphics using Sp.Gr.");
  menu.AddLcsWhenItApplies();
  return menu.Track(table);
}

int TablePopupEditMenu(TableWindow& table, const std::string& itemName) { return EditMenu(table, itemName, false); }

int TablePopupEditDeleteMenu(TableWindow& table, const std::string& itemName) {
  return EditMenu(table, itemName, true);
}

int TablePopupDeleteMenu(TableWindow& table, const std::string& itemName) {
  if (table.frame == nullptr) return 0;
  PopupMenu menu;
  if (!TableResultsShown()) menu.Add(kDeleteItemCommand, "&Delete " + itemName);
  menu.Add(kListCommand, "&List");
  return menu.Track(table);
}

int TablePopupInsertDeleteMenu(ItemListTableWindow& table) {
  if (table.frame == nullptr) return 0;
  PopupMenu menu;
  if (!TableResultsShown()) {
    if (table.CanInsert()) menu.Add(kInsertItemCommand, "&Insert");
    if (table.CanDelete()) menu.Add(kDeleteItemCommand, "&Delete");
  }
  menu.Add(kListCommand, "&List");
  return menu.Track(table);
}

void UpdateTableEditMenu(TableWindow& table) {
  if (table.menuMode != 1 || table.frameMenu == nullptr) return;
  auto* list = dynamic_cast<ItemListTableWindow*>(&table);
  const bool insert = list != nullptr && list->CanInsert();
  const bool remove = list != nullptr && list->CanDelete();
  EnableMenuItem(table.frameMenu, kInsertItemCommand, MF_BYCOMMAND | (insert ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(table.frameMenu, kDeleteItemCommand, MF_BYCOMMAND | (remove ? MF_ENABLED : MF_GRAYED));
}

void EnableTableDeleteItem(TableWindow& table) { SetDeleteItem(table, true); }
void DisableTableDeleteItem(TableWindow& table) { SetDeleteItem(table, false); }

void OpenTableAtCurrentRow(ItemListTableWindow& table) {
  ItemListEntries entries;
  const bool listed = table.RowOfCurrentLayoutRow(entries);
  int row = std::min(table.currentRow, std::max(entries.count, 0));
  if (listed) {
    const int current = TheModel().currentRow;
    const auto found = std::find(entries.layoutRows.begin(), entries.layoutRows.end(), current);
    if (found != entries.layoutRows.end()) row = static_cast<int>(found - entries.layoutRows.begin()) + 1;
  }
  TableRefreshCounted(table, entries.title, entries.count, std::max(row, 1));
}

namespace {
ListOpener g_LcsListOpener = nullptr;
}  // namespace

void SetLcsListOpener(void (*opener)()) { g_LcsListOpener = opener; }

bool LcsMenuApplies() { return g_LcsListOpener != nullptr && CurrentListOpener() == g_LcsListOpener; }

std::string LcsMenuText() { return TheLcsTriad().shown ? "&Hide LCS" : "&Show LCS"; }

