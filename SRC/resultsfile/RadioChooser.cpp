// The radio-button choosers of the Results window; see RadioChooser.h.
#include "resultsfile/RadioChooser.h"

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

struct ChooserRun {
  const RadioChooserRequest* request = nullptr;
  int choice = 1;
};

// Choosers do not nest, but each thread keeps its own run.
thread_local ChooserRun* t_run = nullptr;

int Count() { return t_run != nullptr ? static_cast<int>(t_run->request->names.size()) : 0; }

void Init(HWND dialog) {
  const RadioChooserRequest& request = *t_run->request;
  DialogHelper helper;
  helper.DialogBind(dialog);
  if (request.clientWidth > 0) helper.DialogSizeForClient(request.clientWidth, request.clientHeight);
  if (!request.caption.empty()) SetWindowText(dialog, request.caption.c_str());
  const int n = Count();
  for (int i = 1; i <= n; ++i) {
    HWND radio = GetDlgItem(dialog, kFirstChooserRadio + i - 1);
    if (radio == nullptr) continue;
    SetWindowText(radio, request.names[static_cast<std::size_t>(i) - 1].c_str());
    ShowWindow(radio, SW_SHOW);
  }
  t_run->choice = request.current >= 1 && request.current <= n ? request.current : 1;
  const int id = kFirstChooserRadio + t_run->choice - 1;
  CheckRadioButton(dialog, kFirstChooserRadio, kFirstChooserRadio + n - 1, id);
  if (HWND radio = GetDlgItem(dialog, id)) SetFocus(radio);
  CenterWindowOnParent(dialog, 0);
}

}  // namespace

INT_PTR RadioChooserDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (t_run == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG: Init(dialog); return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam), n = Count();
      if (id >= kFirstChooserRadio && id < kFirstChooserRadio + n) {
        if (code != BN_SETFOCUS && code != BN_CLICKED) return FALSE;
        t_run->choice = id - kFirstChooserRadio + 1;
        CheckRadioButton(dialog, kFirstChooserRadio, kFirstChooserRadio + n - 1, id);
        if (code == BN_CLICKED) EndDialog(dialog, t_run->choice);
        return TRUE;
      }
      if (id == IDOK) EndDialog(dialog, t_run->choice);
      else if (id == IDCANCEL) EndDialog(dialog, 0);
      else return FALSE;
      return TRUE;
    }
    default: return FALSE;
  }
}

int RunRadioChooser(HWND owner, const RadioChooserRequest& request) {
  if (request.names.empty()) return 0;
  ChooserRun run{&request, 1};
  ChooserRun* outer = t_run;
  t_run = &run;
  const INT_PTR result = DialogBoxParam(InstanceHandle, request.templateName.c_str(), owner, RadioChooserDialogProc, 0);
  t_run = outer;
  return result > 0 && result <= static_cast<INT_PTR>(request.names.size()) ? static_cast<int>(result) : 0;
}

std::string OtherChooserTemplateName(int count) {
  if (count <= 2) return "OTHER2_DIALOG";
  if (count == 3) return "OTHER3_DIALOG";
  if (count == 4) return "OTHER4_DIALOG";
  if (count <= 6) return "OTHER6_DIALOG";
  return "OTHER9_DIALOG";
}
