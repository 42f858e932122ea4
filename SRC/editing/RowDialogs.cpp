// The row dialogs (see RowDialogs.h). Each procedure keeps its helper and
// the row it was opened for; input errors keep the dialog open with the
// focus on the offending field.
#include "editing/RowDialogs.h"

#include <array>
#include <cmath>

#include "elements/CommentData.h"
#include "editing/LayoutRowEdits.h"
#include "elements/Valve.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "model/UndoFiles.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kFromField = 1301;
constexpr int kToField = 1302;
constexpr std::array<int, 3> kOffsetFields = {1301, 1302, 1303};
constexpr std::array<int, 3> kUnitLabels = {1602, 1603, 1604};
constexpr std::array<const char*, 3> kOffsetLabels = {"DX", "DY", "DZ"};
constexpr int kCommentField = 1301;
constexpr int kCommentLength = 71;

struct RowDialogState {
  DialogHelper helper;
  int row = 0;
  SnapshotToken snapshot = 0;
  std::array<std::string, 3> shown;  // the offsets as the dialog showed them
  std::string shownLength;           // the slope's length and direction as shown
  std::array<std::string, 3> shownDirection;
};

std::string FieldText(HWND dialog, int field) {
  char text[128] = {};
  GetDlgItemText(dialog, field, text, sizeof text);
  return text;
}

void EndDiscarding(HWND dialog, RowDialogState& state) {
  PopTempFile(state.snapshot);
  EndDialog(dialog, 0);
}

// --- Copy Rows ------------------------------------------------------------

void CopyInit(HWND dialog, RowDialogState& state) {
  state.helper.DialogBind(dialog);
  const int row = state.row;
  if (row > 1 && row <= TheModel().rowCount) {
    state.helper.DialogSetItemText(kFromField, IntegerToText(row));
    state.helper.DialogSetItemText(kToField, IntegerToText(row));
    state.helper.DialogSelectAndFocus(kToField);
  }
  CenterWindowOnParent(dialog, IDOK);
}

void CopyOk(HWND dialog, RowDialogState& state) {
  DialogHelper& helper = state.helper;
  const int rowCount = TheModel().rowCount;
  try {
    // Each field is checked right after it is read, so that an error puts
    // the focus back on the field it names.
    helper.DialogGetItemText(kFromField);
    const std::string fromText = g_EditFieldText;
    int from = 0, to = 0;
    ReadCopyRange(fromText, {}, rowCount, from, to);
    helper.DialogGetItemText(kToField);
    const std::string toText = g_EditFieldText;
    ReadCopyRange(fromText, toText, rowCount, from, to);
    CopyLayoutRows(TheModel(), from, to);
    EndDialog(dialog, 1);
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
  }
}

// --- offsets ---------------------------------------------------------------

// Gives the dialog's row the offsets and makes the model; offsets whose row
// then breaks a row rule (no length, a coordinate not finite) are refused
// with the rule's message, the row and the model as they were and the
// dialog open. False when refused.
bool StoreRowOffsets(RowDialogState& state, const std::array<float, 3>& values) {
  Model& model = TheModel();
  LayoutRow& row = model.row(state.row);
  const std::array<float, 3> old = {row.dx, row.dy, row.dz};
  const auto* valve = dynamic_cast<const Valve*>(row.element.get());
  const float oldValveLength = valve != nullptr ? valve->length : 0.0f;
  const bool modified = model.modified;
  row.dx = values[0];
  row.dy = values[1];
  row.dz = values[2];
  ValveLengthFollowsOffsets(row);
  try {
    RefreshAfterModelEdit(model);
    RefuseRowsBreakingRules(model, {state.row});
    return true;
  } catch (const std::string& message) {
    // Making the model again from the old offsets does not always give back
    // the model before byte for byte; the snapshot the dialog's edit took
    // does.
    if (RestoreUndoSnapshot(state.snapshot, modified)) {
      try {
        RefreshAfterModelEdit(model);
      } catch (const std::string&) {
      }
    } else {
      row.dx = old[0];
      row.dy = old[1];
      row.dz = old[2];
      if (auto* kept = dynamic_cast<Valve*>(row.element.get())) kept->length = oldValveLength;
      try {
        RefreshAfterModelEdit(model);
      } catch (const std::string&) {
      }
    }
    model.modified = modified;
    state.helper.DialogFocusInvalid(message);
    return false;
  }
}

void OffsetsInit(HWND dialog, RowDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const LayoutRow& row = TheModel().row(state.row);
  const std::array<float, 3> values = {row.dx, row.dy, row.dz};
  for (std::size_t i = 0; i < 3; ++i) {
    helper.DialogSetUnitLabel(kUnitLabels[i], kUnitLength);
    state.shown[i] = FormatLength(values[i]);
    helper.DialogSetItemText(kOffsetFields[i], state.shown[i]);
  }
  if (TableResultsShown()) {
    for (int field : kOffsetFields) helper.DialogSetReadOnly(field);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kOffsetFields[0]);
  }
  CenterDialogOnFrame(dialog, IDOK);
}

void OffsetsOk(HWND dialog, RowDialogState& state) {
  if (TableResultsShown()) {
    EndDiscarding(dialog, state);
    return;
  }
  // A field left as it was shown keeps the stored value: the text is only
  // its rounding to the display precision.
  Model& model = TheModel();
  LayoutRow& row = model.row(state.row);
  std::array<float, 3> values = {row.dx, row.dy, row.dz};
  try {
    for (std::size_t i = 0; i < 3; ++i) {
      if (FieldText(dialog, kOffsetFields[i]) == state.shown[i]) continue;
      state.helper.DialogGetItemText(kOffsetFields[i]);
      if (ParseFieldLength(values[i]) != 0) ThrowInvalidField(kOffsetLabels[i]);
    }
    RefuseOffsetsWithoutLength(model, state.row, row.elementType, values[0], values[1], values[2]);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  if (values[0] == row.dx && values[1] == row.dy && values[2] == row.dz) {
    PopTempFile(state.snapshot);
  } else {
    state.helper.errorItem = kOffsetFields[0];
    if (!StoreRowOffsets(state, values)) return;
  }
  EndDialog(dialog, 1);
}

// --- slope -----------------------------------------------------------------

constexpr int kSlopeLength = 1301;
constexpr int kSlopeFirstComponent = 1302;
constexpr int kSlopeUnit = 1601;

void SlopeInit(HWND dialog, RowDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  helper.DialogSetUnitLabel(kSlopeUnit, kUnitLength);
  const LayoutRow& row = TheModel().row(state.row);
  const double length = std::sqrt(static_cast<double>(row.dx) * row.dx + static_cast<double>(row.dy) * row.dy +
                                  static_cast<double>(row.dz) * row.dz);
  if (length > 0.0) {
    state.shownLength = FormatLength(static_cast<float>(length));
    helper.DialogSetItemText(kSlopeLength, state.shownLength);
    const std::array<double, 3> offsets = {row.dx, row.dy, row.dz};
    for (std::size_t i = 0; i < 3; ++i) {
      if (offsets[i] == 0.0) continue;
      state.shownDirection[i] = FormatFixedWidth(offsets[i] / length, 8, 3);
      helper.DialogSetItemText(kSlopeFirstComponent + static_cast<int>(i), state.shownDirection[i]);
    }
  }
  if (TableResultsShown()) {
    for (int field : {kSlopeLength, 1302, 1303, 1304}) helper.DialogSetReadOnly(field);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(length > 0.0 ? kSlopeFirstComponent : kSlopeLength);
  }
  CenterWindowOnParent(dialog, IDOK);
}

void SlopeOk(HWND dialog, RowDialogState& state) {
  if (TableResultsShown()) {
    EndDiscarding(dialog, state);
    return;
  }
  // A field left as shown keeps the stored value, not its rounding: a new
  // length keeps the row's exact direction, a new direction its length.
  const bool lengthAsShown = !state.shownLength.empty() && FieldText(dialog, kSlopeLength) == state.shownLength;
  bool directionAsShown = !state.shownLength.empty();
  for (std::size_t i = 0; i < 3; ++i)
    directionAsShown = directionAsShown &&
                       FieldText(dialog, kSlopeFirstComponent + static_cast<int>(i)) == state.shownDirection[i];
  if (lengthAsShown && directionAsShown) {
    EndDiscarding(dialog, state);
    return;
  }
  DialogHelper& helper = state.helper;
  Model& model = TheModel();
  LayoutRow& row = model.row(state.row);
  const double stored = std::sqrt(static_cast<double>(row.dx) * row.dx + static_cast<double>(row.dy) * row.dy +
                                  static_cast<double>(row.dz) * row.dz);
  float length = static_cast<float>(stored);
  float direction[3] = {row.dx, row.dy, row.dz};
  try {
    if (!lengthAsShown) {
      helper.DialogGetItemText(kSlopeLength);
      if (g_EditFieldText.empty()) ThrowRequiredField("Length");
      if (ParseFieldLength(length) != 0 || length <= 0.0f) ThrowInvalidField("Length");
    }
    if (!directionAsShown) CheckDirectionInput(helper, kSlopeFirstComponent, direction[0], direction[1], direction[2]);
    Normalize3(direction);
    for (float& component : direction) component *= length;
    RefuseOffsetsWithoutLength(model, state.row, row.elementType, direction[0], direction[1], direction[2]);
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
    return;
  }
  helper.errorItem = kSlopeLength;
  if (!StoreRowOffsets(state, {direction[0], direction[1], direction[2]})) return;
  EndDialog(dialog, 1);
}

// --- comment ---------------------------------------------------------------

CommentData* CommentOf(int row) {
  return dynamic_cast<CommentData*>(TheModel().row(row).element.get());
}

void CommentInit(HWND dialog, RowDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const CommentData* comment = CommentOf(state.row);
  helper.DialogSetItemTextAndLimit(kCommentField, comment ? comment->Text() : std::string(), kCommentLength);
  if (TableResultsShown()) {
    helper.DialogSetReadOnly(kCommentField);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kCommentField);
  }
  CenterDialogOnFrame(dialog, IDOK);
}

void CommentOk(HWND dialog, RowDialogState& state) {
  CommentData* comment = CommentOf(state.row);
  if (TableResultsShown() || comment == nullptr) {
    EndDiscarding(dialog, state);
    return;
  }
  state.helper.DialogReadLongFieldTrimmed(kCommentField);
  if (g_EditFieldText == comment->Text()) {
    EndDiscarding(dialog, state);
    return;
  }
  comment->SetText(g_EditFieldText);
  TheModel().modified = true;
  EndDialog(dialog, 1);
}

RowDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<RowDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

// Binds the state handed in lParam and runs `init`; the other messages
// find it in the dialog's user slot.
INT_PTR RowDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                      void (*init)(HWND, RowDialogState&), void (*ok)(HWND, RowDialogState&)) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      init(dialog, *reinterpret_cast<RowDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) ok(dialog, StateOf(dialog));
      if (LOWORD(wParam) == IDCANCEL) EndDiscarding(dialog, StateOf(dialog));
      return TRUE;
    default: return FALSE;
  }
}

int RunRowDialog(const char* name, HWND parent, DLGPROC procedure, int row, SnapshotToken snapshot) {
  RowDialogState state;
  state.row = row;
  state.snapshot = snapshot;
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, name, parent, procedure, reinterpret_cast<LPARAM>(&state));
  if (result < 0) PopTempFile(snapshot);
  return result > 0 ? 1 : 0;
}

}  // namespace

INT_PTR CopyRowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RowDialogProc(dialog, message, wParam, lParam, CopyInit, CopyOk);
}

INT_PTR DxDyDzDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RowDialogProc(dialog, message, wParam, lParam, OffsetsInit, OffsetsOk);
}

INT_PTR CommentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RowDialogProc(dialog, message, wParam, lParam, CommentInit, CommentOk);
}

INT_PTR SlopeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RowDialogProc(dialog, message, wParam, lParam, SlopeInit, SlopeOk);
}

bool CopyRowsDialog(HWND parent, int currentRow) {
  return RunRowDialog("COPY_ELEMENTS_DIALOG", parent, CopyRowsDialogProc, currentRow, 0) == 1;
}

int DxDyDzDialog(HWND parent, int row, SnapshotToken snapshot) {
  if (row < 1 || row > TheModel().rowCount) {
    PopTempFile(snapshot);
    return 0;
  }
  return RunRowDialog("DX_DY_DZ_DIALOG", parent, DxDyDzDialogProc, row, snapshot);
}

int SlopeDialog(HWND parent, int row, SnapshotToken snapshot) {
  if (row < 1 || row > TheModel().rowCount) {
    PopTempFile(snapshot);
    return 0;
  }
  return RunRowDialog("SLOPE_DIALOG", parent, SlopeDialogProc, row, snapshot);
}

int CommentDialog(HWND parent, int row, SnapshotToken snapshot) {
  if (row <= 1 || row > TheModel().rowCount || CommentOf(row) == nullptr) {
    PopTempFile(snapshot);
    return 0;
  }
  return RunRowDialog("COMMENT_DIALOG", parent, CommentDialogProc, row, snapshot);
}
