// MessageBox: lays out a dialog template in code from the measured lines of
// the text, runs it modally and answers with the button chosen.
//
// Layout, in dialog units: a 7-unit margin; the icon (21 x 20) at the top
// left; one static line per text line, 8 units high, as wide as the widest
// line; a row of 50 x 14 buttons, 4 apart, centred under them. Empty lines
// are kept (a blank line between paragraphs stays blank).
#include <algorithm>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/DialogInternal.h"
#include "platform/Gdi.h"
#include "platform/MessageBox.h"
#include "platform/Paint.h"
#include "platform/Resource.h"
#include "platform/ResourceTemplates.h"
#include "platform/ShortenedPaths.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace platform {

namespace {

constexpr int kIconId = 20;
constexpr int kFirstLineId = 100;

struct Button {
  int id;
  const char* text;
};

std::vector<Button> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

LPCSTR IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

// Width of a line in dialog units, rounded up.
int LineUnits(HDC dc, const std::string& line, int baseX) {
  SIZE size{};
  GetTextExtentPoint32(dc, line.c_str(), static_cast<int>(line.size()), &size);
  return (size.cx * 4 + baseX - 1) / baseX;
}

DialogTemplate LayOut(std::vector<std::string> lines, const char* caption, UINT type) {
  DialogTemplate dialog;
  dialog.name = "MessageBox";
  dialog.caption = caption;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  bool owned = false;
  HFONT font = DialogFont(8, &owned);
  int baseX = 0, baseY = 0;
  MeasureDialogFont(font, &baseX, &baseY);
  bool icon = IconOf(type) != nullptr;
  int textX = icon ? 7 + 21 + 7 : 7;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  // A line wider than three quarters of the screen (a long path) shows
  // its start and its file's own name: the buttons stay on the screen.
  const int room = GetSystemMetrics(SM_CXSCREEN) * 3 / 4 - (textX + 7 + 2 + 8) * baseX / 4;
  int textWidth = 0;
  for (std::string& line : lines) {
    line = FitPathToWidth(dc, line, room);
    textWidth = std::max(textWidth, LineUnits(dc, line, baseX) + 2);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int textHeight = static_cast<int>(lines.size()) * 8;
  int textY = icon && textHeight < 20 ? 7 + (20 - textHeight) / 2 : 7;
  if (icon) dialog.items.push_back({kIconId, "STATIC", "", 7, 7, 21, 20, SS_ICON, 0});
  for (std::size_t index = 0; index < lines.size(); ++index)
    dialog.items.push_back({kFirstLineId + static_cast<int>(index), "STATIC", lines[index], textX,
                            textY + 8 * static_cast<int>(index), textWidth, 8, SS_LEFT | SS_NOPREFIX, 0});
  std::vector<Button> buttons = ButtonsOf(type);
  int count = static_cast<int>(buttons.size());
  int rowWidth = count * 50 + (count - 1) * 4;
  int width = std::max({textX + textWidth + 7, rowWidth + 14, 100});
  int rowY = std::max(textY + textHeight, icon ? 27 : 0) + 7;
  int defaultIndex = std::min(static_cast<int>((type & MB_DEFMASK) >> 8), count - 1);
  for (int index = 0; index < count; ++index) {
    DWORD style = WS_TABSTOP | (index == 0 ? WS_GROUP : 0) |
                  (index == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    dialog.items.push_back({buttons[static_cast<std::size_t>(index)].id, "BUTTON",
                            buttons[static_cast<std::size_t>(index)].text,
                            (width - rowWidth) / 2 + index * 54, rowY, 50, 14, style, 0});
  }
  dialog.cx = width;
  dialog.cy = rowY + 14 + 7;
  if (owned) DeleteObject(font);
  return dialog;
}

struct BoxData {
  UINT type;
  int defaultId;
};

bool HasButton(UINT type, int id) {
  for (const Button& button : ButtonsOf(type))
    if (button.id == id) return true;
  return false;
}

INT_PTR MessageBoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* data = reinterpret_cast<BoxData*>(lParam);
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      if (LPCSTR icon = IconOf(data->type))
        SendDlgItemMessage(dialog, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, icon)), 0);
      SendMessage(dialog, DM_SETDEFID, static_cast<WPARAM>(data->defaultId), 0);
      FocusDialogControl(GetDlgItem(dialog, data->defaultId));
      return FALSE;
    }
    case WM_COMMAND: {
      auto* data = reinterpret_cast<BoxData*>(GetWindowLongPtr(dialog, DWLP_USER));
      int id = LOWORD(wParam);
      if (data == nullptr) return FALSE;
      if (HasButton(data->type, id)) {
        EndDialog(dialog, id);
      } else if (id == IDCANCEL && (data->type & MB_TYPEMASK) == MB_OK) {
        EndDialog(dialog, IDOK);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

}  // namespace platform

using namespace platform;

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::string body = text != nullptr ? text : "";
  DialogTemplate dialog = LayOut(SplitLines(body), caption != nullptr ? caption : "Error", type);
  std::vector<Button> buttons = ButtonsOf(type);
  int defaultIndex = std::min(static_cast<int>((type & MB_DEFMASK) >> 8), static_cast<int>(buttons.size()) - 1);
  BoxData data{type, buttons[static_cast<std::size_t>(defaultIndex)].id};
  MessageBeep(type & MB_ICONMASK);
  HWND window = CreateDialogFromTemplate(nullptr, dialog, owner, MessageBoxProcedure,
                                         reinterpret_cast<LPARAM>(&data), true);
  if (window == nullptr) return 0;
  return static_cast<int>(RunModalDialog(window, owner, ModalKind::MessageBox, body));
}
