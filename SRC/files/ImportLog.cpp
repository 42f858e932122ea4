// The import log dialog (see ImportLog.h).
#include "files/ImportLog.h"

#include <algorithm>
#include <cstdio>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/MessageBox.h"
#include "platform/Paint.h"
#include "platform/Resource.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kIconItem = 1901;
constexpr int kHeadingItem = 1500;
constexpr int kListItem = 1510;
// Rows the list shows at once; more scroll.
constexpr int kFewestRowsShown = 4;
constexpr int kMostRowsShown = 16;
// The list box draws its text this many pixels in from either side.
constexpr int kListTextMargin = 2;
constexpr char kContinuation[] = "    ";

struct LogRequest {
  std::string heading;
  const std::vector<std::string>* entries = nullptr;
};

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

// The number of leading characters of `text` that fit in `width` after
// `indent` (the widths grow with the characters, so a binary search).
std::size_t FittingHead(HDC dc, const std::string& indent, const std::string& text, int width) {
  std::size_t low = 0, high = text.size();
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (TextWidth(dc, indent + text.substr(0, middle)) <= width) low = middle;
    else high = middle - 1;
  }
  return low;
}

// An entry as list rows of at most `width` pixels: cut at the last blank
// that lets a row fit (inside a word only when the word alone is wider),
// the rows after the first indented.
std::vector<std::string> EntryRows(HDC dc, const std::string& entry, int width) {
  std::vector<std::string> rows;
  std::string rest = entry;
  std::string indent;
  while (TextWidth(dc, indent + rest) > width) {
    const std::size_t fits = FittingHead(dc, indent, rest, width);
    const std::size_t blank = fits == 0 ? std::string::npos : rest.find_last_of(' ', fits);
    std::size_t cut = blank != std::string::npos && blank > 0 ? blank : std::max<std::size_t>(fits, 1);
    std::string head = rest.substr(0, cut);
    head.erase(head.find_last_not_of(' ') + 1);
    rows.push_back(indent + head);
    const std::size_t next = rest.find_first_not_of(' ', cut);
    rest = next == std::string::npos ? std::string() : rest.substr(next);
    indent = kContinuation;
    if (rest.empty()) return rows;
  }
  rows.push_back(indent + rest);
  return rows;
}

int PixelsAcross(HWND dialog, int units) {
  RECT rect{0, 0, units, 0};
  MapDialogRect(dialog, &rect);
  return rect.right;
}

int PixelsDown(HWND dialog, int units) {
  RECT rect{0, 0, 0, units};
  MapDialogRect(dialog, &rect);
  return rect.bottom;
}

// An item's rectangle in the dialog's client coordinates.
RECT ItemRect(HWND dialog, int item) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, item), &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(dialog, &corner);
  return RECT{corner.x, corner.y, corner.x + rect.right - rect.left, corner.y + rect.bottom - rect.top};
}

// Fills the list and sizes the dialog around it: as wide as the widest
// entry within the screen, as tall as its rows up to kMostRowsShown.
void FillAndSize(HWND dialog, const LogRequest& request) {
  HWND list = GetDlgItem(dialog, kListItem);
  const RECT listRect = ItemRect(dialog, kListItem);
  RECT listClient{};
  GetClientRect(list, &listClient);
  // Border and scroll bar.
  const int frameWidth = (listRect.right - listRect.left) - listClient.right;
  const int frameHeight = (listRect.bottom - listRect.top) - listClient.bottom;
  const int margin = PixelsAcross(dialog, 7), bottomMargin = PixelsDown(dialog, 7);
  const int buttonGap = PixelsDown(dialog, 6), screenSpare = PixelsAcross(dialog, 14);
  RECT window{}, client{};
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  const int dialogFrame = (window.right - window.left) - client.right;

  HDC dc = GetDC(list);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(list, WM_GETFONT, 0, 0)));
  int widest = TextWidth(dc, request.heading);
  for (const std::string& entry : *request.entries) widest = std::max(widest, TextWidth(dc, entry));
  const RECT area = WorkArea();
  const int templateWidth = listRect.right - listRect.left;
  const int screenWidth = (area.right - area.left) - dialogFrame - listRect.left - margin - screenSpare;
  const int listWidth =
      std::max(templateWidth, std::min(widest + 2 * kListTextMargin + frameWidth, screenWidth));
  const int textWidth = listWidth - frameWidth - 2 * kListTextMargin;
  int rowCount = 0;
  for (const std::string& entry : *request.entries)
    for (const std::string& row : EntryRows(dc, entry, textWidth)) {
      SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
      ++rowCount;
    }
  ReleaseDC(list, dc);

  const int rowHeight = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  const int listHeight = std::clamp(rowCount, kFewestRowsShown, kMostRowsShown) * rowHeight + frameHeight;
  MoveWindow(list, listRect.left, listRect.top, listWidth, listHeight, TRUE);
  const RECT headingRect = ItemRect(dialog, kHeadingItem);
  MoveWindow(GetDlgItem(dialog, kHeadingItem), headingRect.left, headingRect.top, listWidth,
             headingRect.bottom - headingRect.top, TRUE);
  SetDlgItemText(dialog, kHeadingItem, request.heading.c_str());

  const int clientWidth = listRect.left + listWidth + margin;
  const RECT button = ItemRect(dialog, IDOK);
  const int buttonWidth = button.right - button.left, buttonHeight = button.bottom - button.top;
  const int buttonTop = listRect.top + listHeight + buttonGap;
  MoveWindow(GetDlgItem(dialog, IDOK), (clientWidth - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight, TRUE);
  SetWindowPos(dialog, nullptr, 0, 0, clientWidth + dialogFrame,
               buttonTop + buttonHeight + bottomMargin + (window.bottom - window.top) - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER);
}

INT_PTR LogDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowText(dialog, ProgramTitle.c_str());
      SendDlgItemMessage(dialog, kIconItem, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_WARNING)), 0);
      FillAndSize(dialog, *reinterpret_cast<const LogRequest*>(lParam));
      CenterWindowOnParent(dialog, IDOK);
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

void WriteToStandardError(const LogRequest& request) {
  std::string text = request.heading;
  for (const std::string& entry : *request.entries) text += "\n" + entry;
  std::fprintf(stderr, "%s: %s\n", ProgramTitle.c_str(), text.c_str());
  std::fflush(stderr);
}

}  // namespace

std::string ImportLogHeading(std::size_t count, const char* road) {
  return std::string("The ") + road + " gave " + std::to_string(count) + (count == 1 ? " warning:" : " warnings:");
}

void ShowImportLog(HWND owner, const std::vector<std::string>& log, const char* road) {
  if (log.empty()) return;
  const LogRequest request{ImportLogHeading(log.size(), road), &log};
  if (MessagesToStandardError) {
    WriteToStandardError(request);
    return;
  }
  MessageBeep(MB_ICONWARNING);
  const INT_PTR shown = DialogBoxParam(InstanceHandle, "IMPORT_LOG_DIALOG", owner, LogDialogProc,
                                       reinterpret_cast<LPARAM>(&request));
  // No dialog could be made: the log still reaches the user.
  if (shown == -1) WriteToStandardError(request);
}
