// What the dialogs of the named property records share (beam materials,
// beam loads, beam sections, soils): each edits record `record` of its
// table, under the undo snapshot `token` taken for it by the caller. The
// snapshot is dropped whenever the dialog ends without a change: Cancel,
// OK on an unchanged record, OK while results are shown (nothing is stored
// then), a record out of range.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

struct NamedRecordDialogState {
  DialogHelper helper;
  int record = 0;
  SnapshotToken token = 0;
};

template <class State>
State& NamedRecordDialogStateOf(HWND dialog) {
  return *reinterpret_cast<State*>(GetWindowLongPtr(dialog, DWLP_USER));
}

// The start of every record dialog's opening: the helper bound and the
// title "<kind> # <record>".
inline void BeginNamedRecordDialog(HWND dialog, NamedRecordDialogState& state, const char* kind) {
  state.helper.DialogBind(dialog);
  char title[40];
  std::snprintf(title, sizeof title, "%s # %d", kind, state.record);
  SetWindowText(dialog, title);
}

// The end of its opening: while results are shown (nothing will be
// stored) the `edits` read-only, the `buttons` disabled and the focus on
// OK; otherwise the text of `first` selected and focused. Centred on the
// owner either way.
inline void EndNamedRecordDialogOpening(HWND dialog, DialogHelper& helper, int first, const std::vector<int>& edits,
                                        const std::vector<int>& buttons) {
  if (TableResultsShown()) {
    for (int item : edits) helper.DialogSetReadOnly(item);
    for (int item : buttons) helper.DialogDisableItem(item);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(first);
  }
  CenterWindowOnParent(dialog, IDOK);
}

inline void CancelNamedRecordDialog(HWND dialog, SnapshotToken token) {
  PopTempFile(token);
  EndDialog(dialog, 0);
}

// Runs dialog template `name` over `state` for record `record` of a table
// of `count` records; 1 when OK ended it.
template <class State>
int RunNamedRecordDialog(HWND owner, const char* name, DLGPROC procedure, State& state, int record, int count,
                         SnapshotToken token) {
  if (record < 1 || record > count) {
    PopTempFile(token);
    return 0;
  }
  state.record = record;
  state.token = token;
  const INT_PTR result = DialogBoxParam(InstanceHandle, name, owner, procedure, reinterpret_cast<LPARAM>(&state));
  if (result < 0) PopTempFile(token);
  return result == 1 ? 1 : 0;
}

// How OK treats the record's name: a changed name of a named record is
// confirmed first (declined: the old name is back in item `nameItem`, which
// keeps the focus) and then given to the record with the references that
// reach it by `rename`; none: taken as typed.
struct RecordNameChange {
  const char* field;  // "Soil name"
  int nameItem;
  void (*rename)(Model& model, int record, const std::string& to);
};

// OK: the fields read by `read(helper, record)` (a bad one keeps the dialog
// open, its field focused, its message shown), compared by `same` with
// `stored`; a changed record stored and the model marked modified. True
// when it stored: the caller then ends the dialog with 1, after what it
// does on a change. Every other way out ends the dialog here or keeps it.
// A record without a name (equipment, allowables) is taken as typed.
template <class Record, class Read, class Same>
bool StoreNamedRecord(HWND dialog, NamedRecordDialogState& state, Record& stored, Read read, Same same,
                      const RecordNameChange& name) {
  if (TableResultsShown()) {
    CancelNamedRecordDialog(dialog, state.token);
    return false;
  }
  Record edited;
  try {
    edited = read(state.helper, state.record);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return false;
  }
  if (same(edited, stored)) {
    PopTempFile(state.token);
    EndDialog(dialog, 1);
    return false;
  }
  Model& model = TheModel();
  if constexpr (requires { stored.name; }) {
    if (name.rename != nullptr && !stored.name.empty() && edited.name != stored.name) {
      if (!ConfirmChange(dialog, name.field, stored.name, edited.name)) {
        state.helper.DialogSetItemText(name.nameItem, stored.name);
        state.helper.DialogSelectAndFocus(name.nameItem);
        return false;
      }
      name.rename(model, state.record, edited.name);
    }
  }
  stored = edited;
  model.modified = true;
  return true;
}

// OK on a record no other record names: as above, without a name to
// confirm.
template <class Record, class Read, class Same>
bool StoreUnnamedRecord(HWND dialog, NamedRecordDialogState& state, Record& stored, Read read, Same same) {
  return StoreNamedRecord(dialog, state, stored, read, same, RecordNameChange{"", 0, nullptr});
}

// The procedure of a record dialog whose only commands are OK and Cancel:
// `init` when it opens (the state is the dialog's parameter), `ok` on OK,
// and Cancel drops the snapshot.
template <class State, void (*Init)(HWND, State&), void (*Ok)(HWND, State&)>
INT_PTR NamedRecordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      Init(dialog, *reinterpret_cast<State*>(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: Ok(dialog, NamedRecordDialogStateOf<State>(dialog)); return TRUE;
        case IDCANCEL: CancelNamedRecordDialog(dialog, NamedRecordDialogStateOf<State>(dialog).token); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}
