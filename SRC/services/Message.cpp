// The message dialogs and field messages (see Message.h).
//
// One dialog procedure serves every message template. While a dialog is up
// its state (lines, icon, mode, default button) sits in one record; a
// message raised from inside another keeps the outer record aside and puts
// it back when it closes.
#include "services/Message.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/MessageBox.h"
#include "platform/Paint.h"
#include "platform/Resource.h"
#include "platform/ShortenedPaths.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/Frame.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kIconItem = 1901;
constexpr int kFirstLineItem = 1500;

enum MessageMode { kOkOnly = 0, kYesNo = 1, kYesNoCancel = 2 };

struct MessageState {
  std::vector<std::string> lines;
  MessageIcon icon = MessageIcon::None;
  int mode = kOkOnly;
  int defaultButton = IDOK;
  bool ownCaption = false;  // the merge question keeps "Merge Model"
  HWND dialog = nullptr;
};

MessageState g_Message;
int g_OpenMessageDialogs = 0;

LPCSTR SystemIconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return IDI_INFORMATION;
    case MessageIcon::Warning: return IDI_WARNING;
    case MessageIcon::Error: return IDI_ERROR;
    case MessageIcon::Question: return IDI_QUESTION;
    case MessageIcon::None: break;
  }
  return nullptr;
}

UINT BeepType(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::None: break;
  }
  return MB_OK;
}

RECT ItemClientRect(HWND dialog, int item) {
  RECT rect{};
  HWND window = GetDlgItem(dialog, item);
  GetWindowRect(window, &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(dialog, &corner);
  return RECT{corner.x, corner.y, corner.x + rect.right - rect.left, corner.y + rect.bottom - rect.top};
}

// Puts each line into its static, all statics as wide as the widest line,
// and widens the dialog to hold them, with the buttons centred below. A
// line wider than three quarters of the screen (a long path) shows its start
// and its file's own name.
void SizeToText(HWND dialog, DialogHelper& helper) {
  if (g_Message.lines.empty()) return;
  const int left = ItemClientRect(dialog, kFirstLineItem).left;
  RECT window{}, client{};
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  const int frame = (window.right - window.left) - client.right;
  const RECT area = WorkArea();
  const int room = (area.right - area.left) * 3 / 4 - frame - left - 3 * helper.unitsX - 4;
  HDC dc = GetDC(dialog);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(dialog, WM_GETFONT, 0, 0)));
  std::vector<std::string> shown;
  int widest = 0;
  for (const std::string& line : g_Message.lines) {
    shown.push_back(FitPathToWidth(dc, line, room));
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, shown.back().c_str(), static_cast<int>(shown.back().size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx) + 4);
  }
  ReleaseDC(dialog, dc);
  for (std::size_t i = 0; i < g_Message.lines.size(); ++i) {
    const int item = kFirstLineItem + static_cast<int>(i);
    const RECT rect = ItemClientRect(dialog, item);
    MoveWindow(GetDlgItem(dialog, item), rect.left, rect.top, widest, rect.bottom - rect.top, TRUE);
    helper.DialogSetItemText(item, shown[i]);
  }
  static const int kMinimumUnits[3] = {60, 104, 152};
  RECT minimum{0, 0, kMinimumUnits[g_Message.mode], 0};
  MapDialogRect(dialog, &minimum);
  const int clientWidth = std::max(left + widest + 3 * helper.unitsX, static_cast<int>(minimum.right));
  SetWindowPos(dialog, nullptr, 0, 0, clientWidth + frame, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
  // The visible buttons, centred as one row.
  std::vector<HWND> buttons;
  for (int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
    HWND button = GetDlgItem(dialog, id);
    // The dialog is not shown yet: the style bit says what will be.
    if (button != nullptr && (GetWindowLong(button, GWL_STYLE) & WS_VISIBLE) != 0) buttons.push_back(button);
  }
  if (buttons.empty()) return;
  const RECT first = ItemClientRect(dialog, GetDlgCtrlID(buttons.front()));
  const int buttonWidth = first.right - first.left;
  const int gap = 2 * helper.unitsX;
  const int rowWidth = static_cast<int>(buttons.size()) * buttonWidth + (static_cast<int>(buttons.size()) - 1) * gap;
  int x = (clientWidth - rowWidth) / 2;
  for (HWND button : buttons) {
    MoveWindow(button, x, first.top, buttonWidth, first.bottom - first.top, TRUE);
    x += buttonWidth + gap;
  }
}

// The initialisation every message dialog shares: caption, icon, the Yes/No
// buttons, the size and the default button.
INT_PTR AskYesNo(HWND dialog) {
  static DialogHelper helper;
  helper.DialogBind(dialog);
  g_Message.dialog = dialog;
  if (!g_Message.ownCaption) SetWindowText(dialog, ProgramTitle.c_str());
  if (LPCSTR icon = SystemIconName(g_Message.icon)) helper.DialogSetItemIcon(kIconItem, LoadIcon(nullptr, icon));
  if (g_Message.mode == kYesNo) {
    helper.DialogSetItemText(IDOK, "&Yes");
    helper.DialogSetItemText(IDCANCEL, "&No");
    helper.DialogShowItem(IDCANCEL);
  } else if (g_Message.mode == kOkOnly && GetDlgItem(dialog, IDCANCEL) != nullptr) {
    helper.DialogHideItem(IDCANCEL);
  }
  SizeToText(dialog, helper);
  SendMessage(dialog, DM_SETDEFID, g_Message.defaultButton, 0);
  CenterWindowOnParent(dialog, g_Message.defaultButton);
  SetFocus(GetDlgItem(dialog, g_Message.defaultButton));
  return FALSE;  // the focus is set
}

INT_PTR MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return AskYesNo(dialog);
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  if (g_Message.mode == kYesNoCancel) {
    if (id == IDYES || id == IDNO || id == IDCANCEL) EndDialog(dialog, id);
    return TRUE;
  }
  if (id == IDOK) EndDialog(dialog, 1);
  if (id == IDCANCEL) EndDialog(dialog, 0);
  return TRUE;
}

// When a dialog cannot be made (its template missing, no display), what it
// would have said still reaches the user on the standard error stream,
// under its caption.
void WriteToStandardError(const std::string& caption, const std::vector<std::string>& lines) {
  std::string text = caption;
  for (const std::string& line : lines) text += "\n" + line;
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
}

// A message nobody could answer: a run that cannot go on without an answer
// ends with exit code 1 once the GUI thread's loop gets there.
void EndRunIfUnanswered() {
  if (MessagesToStandardError && UnansweredMessageEndsRun) PostQuitMessage(1);
}

// Shows a template with the state given and returns its result; the state of
// an outer message dialog is put back afterwards.
INT_PTR RunMessageDialog(HWND owner, const std::string& templateName, MessageState state) {
  MessageState outer = std::move(g_Message);
  g_Message = std::move(state);
  if (g_Message.icon != MessageIcon::None) MessageBeep(BeepType(g_Message.icon));
  ++g_OpenMessageDialogs;
  const INT_PTR result = MessagesToStandardError
                             ? -1
                             : DialogBoxParam(InstanceHandle, templateName.c_str(), owner, MessageDialogProc, 0);
  --g_OpenMessageDialogs;
  if (result == -1) {
    WriteToStandardError(ProgramTitle + ":", g_Message.lines);
    EndRunIfUnanswered();
  }
  g_Message = std::move(outer);
  return result;
}

std::string LineTemplate(int lines, bool withIcon) {
  return "MESSAGE" + std::to_string(lines) + (withIcon ? "" : "X") + "_DIALOG";
}

int ShowLines(HWND owner, const std::string& text, MessageIcon icon, int mode, int defaultButton) {
  MessageState state;
  state.lines = MessageLines(text);
  if (state.lines.empty()) return 0;
  state.icon = icon;
  state.mode = mode;
  state.defaultButton = defaultButton;
  const int count = static_cast<int>(state.lines.size());
  return static_cast<int>(RunMessageDialog(owner, LineTemplate(count, icon != MessageIcon::None), std::move(state)));
}

std::string FieldText() { return g_EditFieldText; }

}  // namespace

std::vector<std::string> MessageLines(const std::string& text, int limit) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size() && static_cast<int>(lines.size()) < limit) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

void ShowInfoMessage(HWND owner, const std::string& text) { MessageDialog(owner, text, MessageIcon::Information); }
void ShowWarningMessage(HWND owner, const std::string& text) { MessageDialog(owner, text, MessageIcon::Warning); }
void ShowErrorMessage(HWND owner, const std::string& text) { MessageDialog(owner, text, MessageIcon::Error); }
void ShowErrorOnForeground(const std::string& text) { ShowErrorMessage(GetForegroundWindow(), text); }

int MessageDialog(HWND owner, const std::string& text, MessageIcon icon) {
  return ShowLines(owner, text, icon, kOkOnly, IDOK);
}

bool MessageBoxDialog(HWND owner, const std::string& text, int defaultButton) {
  const int button = defaultButton == IDNO ? IDCANCEL : IDOK;
  return ShowLines(owner, text, MessageIcon::Question, kYesNo, button) == 1;
}

int AskSaveChanges(HWND owner, const std::string& name) {
  if (name.empty()) return IDCANCEL;
  MessageState state;
  state.lines = {"Do you want to save changes to  " + name + " ?"};
  state.icon = MessageIcon::Question;
  state.mode = kYesNoCancel;
  state.defaultButton = IDYES;
  return static_cast<int>(RunMessageDialog(owner, "SAVE_CHANGES_DIALOG", std::move(state)));
}

bool ConfirmChange(HWND owner, const std::string& what, const std::string& from, const std::string& to) {
  const std::string text = "Do you want to change " + what + "\nfrom  \"" + from + "\"  to  \"" + to + "\" ?";
  return MessageBoxDialog(owner, text, IDYES);
}

int ApproveMerge(HWND owner, const std::string& text) {
  if (text.empty()) return IDCANCEL;
  MessageState state;
  state.lines = MessageLines(text, 2);
  if (state.lines.empty()) return 0;
  state.icon = MessageIcon::Question;
  state.mode = kYesNoCancel;
  state.defaultButton = IDYES;
  state.ownCaption = true;
  return static_cast<int>(RunMessageDialog(owner, "APPROVE_MERGE_DIALOG", std::move(state)));
}

bool MessageDialogOpen() { return g_OpenMessageDialogs > 0; }

void CloseCurrentDialogAndRefresh() {
  HWND dialog = g_Message.dialog;
  if (dialog == nullptr || !IsWindow(dialog)) return;
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr) owner = GetAncestor(owner, GA_ROOT);
  SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  // The cell the message was about is drawn again as it now stands.
  if (TableResultsShown() || owner == nullptr) return;
  if (owner == LayoutFrame().window) TableWindowRedrawEdit(LayoutFrame().client);
  if (owner == ListFrame().window)
    for (HWND table : g_ListTableWindows) TableWindowRedrawEdit(table);
}

std::string FormatFieldError(const std::string& label, const std::string& text, const std::string& reason) {
  return label + " =  " + text + "  " + reason;
}

void ThrowInvalidField(const std::string& label) { throw FormatFieldError(label, FieldText(), "is invalid"); }
void ThrowFieldError(const std::string& label, const std::string& reason) {
  throw FormatFieldError(label, FieldText(), reason);
}
void ThrowNotDefined(const std::string& label) { throw FormatFieldError(label, FieldText(), "is not defined"); }
void ThrowRequiredField(const std::string& label) { throw label + " is required"; }

namespace {

bool HeadlessRunAskedFor() {
  const char* forced = std::getenv("QUORVEL_DISPLAY");
  return forced != nullptr && std::strcmp(forced, "headless") == 0;
}

bool DisplayNamed() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

}  // namespace

bool MessagesCanBeAnswered() {
  if (platform::InTestMode()) return true;
  return !HeadlessRunAskedFor() && DisplayNamed();
}

bool NoDisplayAtAll() { return !platform::InTestMode() && !HeadlessRunAskedFor() && !DisplayNamed(); }

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  if (!MessagesToStandardError) return MessageBox(owner, text.c_str(), caption.c_str(), type);
  WriteToStandardError(caption, MessageLines(text, 1 << 20));
  EndRunIfUnanswered();
  return IDOK;
}
