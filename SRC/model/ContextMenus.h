// What the item lists of the List window and the Layout table share: the
// right-click popup menus, the Insert and Delete states of the Edit
// submenu, opening a list on the entry of the current Layout row, and the
// local-axes (LCS) triad that shows an element's or support's local axes
// over the graphics.
//
// A popup is tracked at the point where the table was clicked, owned by the
// table's frame, so the chosen command reaches the frame as WM_COMMAND like
// a menu command. Without a frame nothing is shown. While results are shown
// the popups offer no Insert or Delete and say "&Show" instead of "&Edit".
#pragma once


#include <array>
#include <string>


class TableWindow;
class ItemListTableWindow;

constexpr int kEditItemCommand = 113;
constexpr int kDeleteItemCommand = 126;
constexpr int kInsertItemCommand = 128;
constexpr int kListCommand = 302;
constexpr int kLcsCommand = 327;
constexpr int kColourByLoadsCommand = 40077;

// The popups; each returns the menu it showed (destroyed after tracking) as
// the number of items it held, 0 when nothing was shown.
int TablePopupListMenu(TableWindow& table);
int TablePopupEditMenu(TableWindow& table, const std::string& itemName);
int TablePopupEditDeleteMenu(TableWindow& table, const std::string& itemName);
int TablePopupDeleteMenu(TableWindow& table, const std::string& itemName);
int TablePopupInsertDeleteMenu(ItemListTableWindow& table);

// Edit-submenu states: Insert and Delete by CanInsert and CanDelete (menu
// mode 1), and Delete alone in submenu 1 of the frame's menu.
void UpdateTableEditMenu(TableWindow& table);
void EnableTableDeleteItem(TableWindow& table);
void DisableTableDeleteItem(TableWindow& table);

// Shows the list on the first entry whose layout row is the current Layout
// row; without such an entry the table keeps its row (lowered to the count).
void OpenTableAtCurrentRow(ItemListTableWindow& table);

// The LCS item: whether it applies to the list shown, and its text.
bool LcsMenuApplies();
std::string LcsMenuText();
// The opener of the list whose lines carry a local frame (the elastic
// elements'), set while that list is shown and cleared when it closes: the
// LCS item applies while it is the list shown.
void SetLcsListOpener(void (*opener)());


