// The row visibility commands and the Show / Hide Elements dialog (see
// HideElements.h).
#include "graphics/HideElements.h"

#include <algorithm>
#include <string>

#include "graphics/GraphicsThread.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kFromField = 1301, kToField = 1302;

void Redraw() {
  if (RenderMode()) RequestGraphicsRedraw();
  else {
    RequestGraphicsRedraw();
    SetRenderModeOn();
  }
}

bool ValidRow(const Model& model, int row) { return row >= 1 && row <= model.rowCount; }

thread_local DialogHelper t_helper;
int t_rowCount = 0;

// Reads and checks the range; throws the field's message.
void ReadRange(int& from, int& to) {
  t_helper.DialogGetItemText(kFromField);
  if (g_EditFieldText.empty()) t_helper.DialogThrowItemError(kFromField, std::string("From  # ") + " is required");
  std::int32_t value = 0;
  if (ParseFieldInteger(value) != 0 || value < 1)
    t_helper.DialogThrowItemError(kFromField, FormatFieldError("From  #", g_EditFieldText, "is invalid"));
  if (value > t_rowCount) t_helper.DialogThrowItemError(kFromField, "From  #  > number of rows");
  from = value;
  t_helper.DialogGetItemText(kToField);
  if (g_EditFieldText.empty()) t_helper.DialogThrowItemError(kToField, std::string("To  # ") + " is required");
  if (ParseFieldInteger(value) != 0 || value < 1)
    t_helper.DialogThrowItemError(kToField, FormatFieldError("To  #", g_EditFieldText, "is invalid"));
  if (from > value) t_helper.DialogThrowItemError(kToField, "From  #  > To  #");
  to = std::min<int>(value, t_rowCount);
}

void Store(HWND dialog) {
  int from = 0, to = 0;
  try {
    ReadRange(from, to);
  } catch (const std::string& message) {
    t_helper.DialogFocusInvalid(message);
    return;
  }
  const auto action = static_cast<HideAction>(1401 + t_helper.DialogCheckedRadio(1401, 1404));
  PostGuiWork([action, from, to] {
    ApplyHideAction(TheModel(), action, from, to);
    Redraw();
  });
  EndDialog(dialog, 1);
}

INT_PTR HideElementsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      t_helper = DialogHelper{};
      t_helper.DialogBind(dialog);
      t_helper.DialogLimitItemText(kFromField, 5);
      t_helper.DialogLimitItemText(kToField, 5);
      t_helper.DialogCheckRadio(1401, 1404, 1401);
      CenterWindowOnParent(dialog, 0);
      t_helper.DialogSelectAndFocus(kFromField);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: Store(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

void ApplyHideAction(Model& model, HideAction action, int from, int to) {
  from = std::max(from, 1);
  to = std::min(to, model.rowCount);
  if (action == HideAction::ShowOnly || action == HideAction::HideOnly)
    for (int row = 1; row <= model.rowCount; ++row) model.row(row).drawn = action == HideAction::HideOnly;
  const bool shown = action == HideAction::ShowOnly || action == HideAction::ShowMore;
  for (int row = from; row <= to; ++row) model.row(row).drawn = shown;
}

bool RowVisibilityCommand(int id) {
  Model& model = TheModel();
  const int current = model.currentRow;
  switch (id) {
    case 239:
      if (ValidRow(model, current)) model.row(current).drawn = false;
      break;
    case 240:
      for (int row = 1; row <= model.rowCount; ++row) model.row(row).drawn = true;
      break;
    case 241:
      if (ValidRow(model, current)) model.row(current).dimmed = true;
      break;
    case 242:
    case 243:
      for (int row = 1; row <= model.rowCount; ++row) model.row(row).dimmed = id == 242;
      break;
    default: return false;
  }
  SetColourByProperty(false, false);
  Redraw();
  return true;
}

int HideElementsDialog(HWND owner) {
  if (TableResultsShown()) return 0;
  t_rowCount = TheModel().rowCount;
  return static_cast<int>(DialogBoxParam(InstanceHandle, "HIDE_ELEMENTS_DIALOG", owner, HideElementsDialogProc, 0));
}
