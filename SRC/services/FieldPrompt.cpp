// The one-field prompt (see FieldPrompt.h).
#include "services/FieldPrompt.h"

#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/General.h"
#include "services/TableWindowSupport.h"

namespace {

void Refuse(const FieldPrompt& prompt, HWND dialog, const std::string& message) {
  ShowTableMessage(dialog, message, TableMessageKind::Error);
  HWND field = GetDlgItem(dialog, prompt.field);
  SetFocus(field);
  SendMessage(field, EM_SETSEL, 0, -1);
}

void OnOk(const FieldPrompt& prompt, HWND dialog) {
  // The field takes no more than its length, so the buffer holds it whole.
  std::vector<char> buffer(static_cast<std::size_t>(prompt.fieldLength) + 1, '\0');
  GetDlgItemText(dialog, prompt.field, buffer.data(), static_cast<int>(buffer.size()));
  std::string text = buffer.data();
  TrimBlanks(text);
  if (text.empty()) {
    Refuse(prompt, dialog, prompt.requiredMessage);
    return;
  }
  if (const std::string refusal = prompt.accept(text); !refusal.empty()) {
    Refuse(prompt, dialog, refusal);
    return;
  }
  EndDialog(dialog, 1);
}

}  // namespace

INT_PTR FieldPromptProc(const FieldPrompt& prompt, HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG: {
      HWND field = GetDlgItem(dialog, prompt.field);
      SendMessage(field, EM_LIMITTEXT, static_cast<WPARAM>(prompt.fieldLength), 0);
      SetWindowText(field, prompt.lastAnswer().c_str());
      SendMessage(field, EM_SETSEL, 0, -1);
      prompt.place(dialog);
      SetFocus(field);
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        OnOk(prompt, dialog);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}
