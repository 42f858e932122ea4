// The node increment dialog (see NodeIncrementDialog.h).
#include "model/NodeIncrementDialog.h"

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kIncrementField = 1301;
constexpr int kIncrementLength = 6;

DialogHelper& Helper() {
  static DialogHelper helper;
  return helper;
}

void OnInit(HWND dialog) {
  DialogHelper& helper = Helper();
  helper.DialogBind(dialog);
  const std::int32_t increment = TheModel().nodeIncrement;
  helper.DialogSetItemTextAndLimit(kIncrementField, increment != 0 ? IntegerToText(increment) : "", kIncrementLength);
  if (TableResultsShown()) {
    helper.DialogSetReadOnly(kIncrementField);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kIncrementField);
  }
  CenterDialogOnFrame(dialog, IDOK);
}

void OnOk(HWND dialog) {
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  DialogHelper& helper = Helper();
  std::int32_t increment = 0;
  try {
    helper.DialogGetItemText(kIncrementField);
    if (ParseFieldInteger(increment) != 0 || increment < 0 || increment > kLastFreeNodeNumber)
      ThrowInvalidField("Node increment");
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
    return;
  }
  Model& model = TheModel();
  const bool changed = increment != model.nodeIncrement;
  if (changed) {
    model.nodeIncrement = increment;
    model.modified = true;
  }
  EndDialog(dialog, changed ? 1 : 0);
}

}  // namespace

INT_PTR NodeIncrementDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

bool EditNodeIncrement(HWND owner) {
  return DialogBox(InstanceHandle, "NODE_INCREMENT_DIALOG", owner, NodeIncrementDialogProc) == 1;
}
