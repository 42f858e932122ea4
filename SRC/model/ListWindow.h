// The List window: the frame (class "QuorvelList", menu "LIST_MENU",
// accelerators LIST_ACCEL) that shows one list of the model at a time: the
// list of an element or data kind or of a property table. Each list is an
// item-list table opened by its own opener, in the module that owns the
// kind; the List window holds the two table windows the lists are shown in,
// the list menu that chooses among the lists, and the frame's commands,
// tooltips and menu states.
//
// The list menu has a fixed order of labels. A kind's module registers its
// label with a condition (when the list is offered) and its opener; a label
// nobody registered is never offered, so a list appears in the menu once
// the work that builds it registers it. The lists that are always offered
// but whose tables later work builds (loads, materials, sections) are
// registered as pending: choosing one says so and leaves the List frame as
// it is. The list shown stays in the menu even when its condition no longer
// holds, so emptying a list does not make it vanish under the user.
//
// The model records the label of the list shown (saved with it); opening a
// model shows that list again, closing the model or the List frame forgets
// it.
//
// The work is split: ListWindow.cpp (the list menu, its dialog and showing
// lists), services/ListFrameState.h (the frame's table windows and the tool
// that holds it, which every list uses), application/ListFrame.h (the
// frame's procedure, commands, menu states and tooltips).
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;
class TableWindow;

using ListOpener = void (*)();
using ListCondition = bool (*)(const Model& model);

struct ListMenuEntry {
  std::string label;
  ListOpener opener = nullptr;
};

// Registers the list of `label` (one of the fixed labels; others are
// refused with false).
bool RegisterListKind(const std::string& label, ListCondition condition, ListOpener opener);
// Forgets every registration (start-up registers again; tests start clean).
void ForgetListKinds();

// Recounts the model and builds the entries; returns their number.
int BuildListMenu();
const std::vector<ListMenuEntry>& ListMenuEntries();
// The template of the list dialog for n entries ("LIST_DIALOG3" ... "52").
std::string ListDialogTemplateName(int entries);
// The template chosen by the last BuildListMenu.
const std::string& ListDialogTemplate();

ListOpener CurrentListOpener();
// Openers call this once their table is shown.
void SetCurrentListOpener(ListOpener opener);
// The label of the list shown, or the empty text.
std::string CurrentListLabel();

INT_PTR ListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Builds the menu (unless results are shown) and runs the list dialog over
// `owner`: the chosen entry number, 0 on Cancel.
int OpenListMenuDialog(HWND owner);
void ShowList(int entry);
void ShowListByOpener(ListOpener opener);
void ShowNextList();
void ShowPreviousList();
void SwitchListWindow(ListOpener opener);
void RefreshListWindow();
// After a model was read: shows the list saved with it, if it is offered;
// true when it is shown.
bool RestoreListWindow();
// A new or closed model: no list shown (the List frame is hidden with its
// tables closed), no saved name.
void ResetListWindow();
// The List frame was closed: the model no longer records a list shown.
void ForgetShownListName();
