// The edit-dialog protocol of the kinds; see KindDialog.h.
#include "kindbase/KindDialog.h"

#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowOperations.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

DataItem* RowObject(const KindDialog& kind) { return RowItemOfType(kind.row, kind.Type()); }
ElementData* RowObject(const ElementKindDialog& kind) { return RowElementOfType(kind.row, kind.Type()); }

template <typename Kind>
void OnInit(Kind& kind, HWND dialog, LPARAM lParam) {
  kind.dialog = dialog;
  kind.row = static_cast<int>(lParam);
  if constexpr (requires { kind.changedByOtherDialog; }) kind.changedByOtherDialog = false;
  kind.helper.DialogBind(dialog);
  if constexpr (requires { kind.TitleFromTo(); }) {
    if (kind.TitleWithoutNode()) SetWindowText(dialog, kind.KindName());
    else if (kind.TitleFromTo()) SetTitleFromTo(kind.row, dialog, kind.KindName());
    else SetTitleAtNode(kind.row, dialog, kind.KindName());
  } else {
    SetTitleAtNode(kind.row, dialog, kind.KindName());
  }
  kind.Init(RowObject(kind));
  if (KindDialogInResults()) kind.LockForResults();
  CenterDialogOnFrame(dialog, 0);
}

// A row without the kind is given it; a data item's store never moves
// nodes, an element's may, and a new element always does.
DataItem* GiveRowTheKind(const KindDialog& kind) { return SetDataType(TheModel(), kind.row, kind.Type()); }
ElementData* GiveRowTheKind(const ElementKindDialog& kind) {
  return SetElementType(TheModel(), kind.row, kind.Type());
}
bool StoreValues(KindDialog& kind, DataItem& item, bool /*made*/) {
  kind.Store(item);
  return false;
}
bool StoreValues(ElementKindDialog& kind, ElementData& element, bool made) { return kind.Store(element) || made; }

// A store that moves no node: the new values reach the load cases and the
// picture (a move makes the whole model again, which does both).
void RefreshAfterStore(const KindDialog& kind) { RefreshAfterDataItemEdit(TheModel(), kind.row); }
void RefreshAfterStore(const ElementKindDialog& kind) { RefreshAfterElementValuesEdit(TheModel(), kind.row); }

int CancelResult(const KindDialog& kind) { return kind.changedByOtherDialog ? 1 : 0; }
int CancelResult(const ElementKindDialog&) { return 0; }

template <typename Kind>
void OnOk(Kind& kind) {
  if (KindDialogInResults()) {
    EndDialog(kind.dialog, 0);
    return;
  }
  try {
    kind.Read();
  } catch (const std::string& message) {
    kind.helper.DialogFocusInvalid(message);
    return;
  }
  Model& model = TheModel();
  auto* object = RowObject(kind);
  const bool made = object == nullptr;
  if (made) {
    object = GiveRowTheKind(kind);
  } else if (!kind.Differs(*object)) {
    EndDialog(kind.dialog, CancelResult(kind));
    return;
  }
  const bool moved = StoreValues(kind, *object, made);
  model.modified = true;
  if (moved && kind.row <= model.rowCount) {
    try {
      RefreshAfterModelEdit(model);
    } catch (const std::string&) {
      // The rows can no longer be made (a value overflowed): the edit that
      // opened the dialog settles its snapshot on the end and refuses it
      // whole with this message, so nothing of it stays.
    }
  } else if (kind.row <= model.rowCount) {
    RefreshAfterStore(kind);
  }
  EndDialog(kind.dialog, 1);
}

template <typename Kind>
INT_PTR DialogMessage(Kind& kind, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: OnInit(kind, dialog, lParam); return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) OnOk(kind);
      else if (id == IDCANCEL) EndDialog(dialog, CancelResult(kind));
      else return kind.Command(id, HIWORD(wParam)) ? TRUE : FALSE;
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

INT_PTR ElementKindDialogMessage(ElementKindDialog& kind, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return DialogMessage(kind, dialog, message, wParam, lParam);
}

ElementData* RowElementOfType(int row, ElementType type) {
  Model& model = TheModel();
  if (row < 1 || row > model.rowCount + 1) return nullptr;
  LayoutRow& target = model.row(row);
  return target.elementType == type ? target.element.get() : nullptr;
}

INT_PTR KindDialogMessage(KindDialog& kind, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return DialogMessage(kind, dialog, message, wParam, lParam);
}

void SetTitleAtNode(int row, HWND window, const std::string& text) {
  const Model& model = TheModel();
  const NodeId id = row >= 1 && row <= model.rowCount + 1 ? model.row(row).node : 0;
  const std::string title = text + " at node " + NodeNumberText(id);
  SetWindowText(window, title.c_str());
}

void SetTitleFromTo(int row, HWND window, const std::string& text) {
  const Model& model = TheModel();
  const bool inModel = row >= 1 && row <= model.rowCount + 1;
  const NodeId to = inModel ? model.row(row).node : 0;
  const int previous = inModel ? PreviousElementRow(model, row) : 0;
  const NodeId from = previous != 0 ? model.row(previous).node : 0;
  // The node texts share one buffer: each is copied before the next.
  const std::string fromText = NodeNumberText(from);
  const std::string title = text + " from " + fromText + " to " + NodeNumberText(to);
  SetWindowText(window, title.c_str());
}

bool KindDialogInResults() { return TableResultsShown(); }

void LockDialogInputs(DialogHelper& helper, std::initializer_list<int> edits, std::initializer_list<int> buttons) {
  for (int item : edits) helper.DialogSetReadOnly(item);
  for (int item : buttons) helper.DialogDisableItem(item);
  helper.DialogFocusItem(IDOK);
}

DataItem* RowItemOfType(int row, DataType type) {
  Model& model = TheModel();
  if (row < 1 || row > model.rowCount + 1) return nullptr;
  LayoutRow& target = model.row(row);
  return target.dataType == type ? target.item.get() : nullptr;
}
