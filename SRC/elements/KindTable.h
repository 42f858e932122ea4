// The kind table: for every data kind and element kind the module
// functions that the central per-kind switches reach (its edit dialog, its
// list in the List window, its section of the printed model data), so that
// a kind is wired in one place. A kind whose dialog or list comes with its
// own work has no entry yet; its dialog then says plainly that it is not
// available and changes nothing, as a cancelled dialog would.
//
// Every kind's dialog runs on the protocol of KindDialog.h: it is opened
// with the layout row as its parameter and ends with 1 exactly when the
// model changed, which is what the callers below answer.
#pragma once

#include <cstdint>

#include "model/LayoutRow.h"
#include "model/ListWindow.h"
#include "platform/Dialog.h"
#include "platform/Types.h"

class TableWindow;

struct DataKindModule {
  DataType type = DataType::None;
  const char* dialogTemplate = nullptr;
  DLGPROC dialogProcedure = nullptr;
  const char* listLabel = nullptr;  // the List menu's label
  ListCondition listOffered = nullptr;
  ListOpener openList = nullptr;
  TableWindow& (*listTable)() = nullptr;
  void (*printSection)() = nullptr;  // the kind's section of the model report
};

struct ElementKindModule {
  ElementType type = ElementType::None;
  const char* (*dialogTemplate)() = nullptr;  // chosen when the dialog opens
  DLGPROC dialogProcedure = nullptr;
  const char* listLabel = nullptr;
  ListCondition listOffered = nullptr;
  ListOpener openList = nullptr;
  TableWindow& (*listTable)() = nullptr;
  void (*printSection)() = nullptr;
};

// The entry of a kind, or null when the kind has none yet.
const DataKindModule* DataKindModuleOf(DataType type);
const ElementKindModule* ElementKindModuleOf(ElementType type);

// Runs the kind's dialog for `row` over `owner` (the Layout frame when
// null); true when the model changed. A kind without values (spiders,
// jacket end caps, threaded joints) opens nothing and gives false.
bool RunDataKindDialog(HWND owner, int row, DataType type, std::int32_t subtype = 0);
// The subtype the running kind dialog was opened with (the data-type
// keyword's or the picker's; 0 when none).
std::int32_t DataKindDialogSubtype();
bool RunElementKindDialog(HWND owner, int row, ElementType type);

// Registers every kind's list with the List window and its view with the
// views reset when a model is opened or cleared.
void RegisterKindLists();
