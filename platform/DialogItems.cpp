// Dialog units and the operations on dialog items: text, numbers, check
// boxes and radio groups, item messages, and the dialog font with its base
// units.
//
// The base units follow the usual rule: the x unit is the average width of
// the 52 letters of the alphabet (rounded), the y unit the font's character
// height; 4 horizontal dialog units are one x unit, 8 vertical ones a y unit.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Controls.h"
#include "platform/DialogInternal.h"
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/Window.h"

namespace platform {

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

bool EqualClassName(const std::string& a, const char* b) {
  std::size_t length = std::char_traits<char>::length(b);
  if (a.size() != length) return false;
  for (std::size_t index = 0; index < length; ++index)
    if (std::tolower(static_cast<unsigned char>(a[index])) != std::tolower(static_cast<unsigned char>(b[index])))
      return false;
  return true;
}

int DialogUnitsToPixelsX(int units, int baseX) { return MulDivRounded(units, baseX, 4); }
int DialogUnitsToPixelsY(int units, int baseY) { return MulDivRounded(units, baseY, 8); }

void MeasureDialogFont(HFONT font, int* baseX, int* baseY) {
  static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32(dc, alphabet, 52, &size);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  *baseX = (size.cx / 26 + 1) / 2;
  *baseY = metrics.tmHeight;
  if (*baseX <= 0) *baseX = 6;
  if (*baseY <= 0) *baseY = 13;
}

HFONT DialogFont(int pointSize, bool* owned) {
  HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  *owned = false;
  if (pointSize == 8 || pointSize <= 0) return stock;
  LOGFONT font{};
  GetObject(stock, sizeof font, &font);
  font.lfHeight = -MulDivRounded(pointSize, 96, 72);
  HFONT made = CreateFontIndirect(&font);
  if (made == nullptr) return stock;
  *owned = true;
  return made;
}

}  // namespace platform

using namespace platform;

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  DialogState* state = FindDialogState(dialog);
  if (state == nullptr || rect == nullptr) return FALSE;
  rect->left = DialogUnitsToPixelsX(rect->left, state->baseX);
  rect->right = DialogUnitsToPixelsX(rect->right, state->baseX);
  rect->top = DialogUnitsToPixelsY(rect->top, state->baseY);
  rect->bottom = DialogUnitsToPixelsY(rect->bottom, state->baseY);
  return TRUE;
}

LONG GetDialogBaseUnits() {
  bool owned = false;
  HFONT font = DialogFont(8, &owned);
  int baseX = 0, baseY = 0;
  MeasureDialogFont(font, &baseX, &baseY);
  return static_cast<LONG>(MAKELPARAM(baseX, baseY));
}

HWND GetDlgItem(HWND dialog, int id) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item != nullptr ? static_cast<BOOL>(SendMessage(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)))
                         : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return 0;
  return static_cast<UINT>(SendMessage(item, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char text[16];
  if (isSigned)
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  else
    std::snprintf(text, sizeof text, "%u", value);
  return SetDlgItemText(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  char text[64];
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return 0;
  SendMessage(item, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  const char* at = text;
  while (*at == ' ') ++at;
  bool negative = isSigned && *at == '-';
  if (*at == '-' && !isSigned) return 0;
  if (*at == '-' || *at == '+') ++at;
  if (!std::isdigit(static_cast<unsigned char>(*at))) return 0;
  unsigned long long value = 0;
  while (std::isdigit(static_cast<unsigned char>(*at))) {
    value = value * 10 + static_cast<unsigned>(*at++ - '0');
    if (value > (isSigned ? 0x80000000ULL : 0xFFFFFFFFULL)) return 0;  // does not fit
  }
  while (*at == ' ') ++at;
  if (*at != '\0') return 0;
  if (isSigned && !negative && value > 0x7FFFFFFFULL) return 0;
  if (translated != nullptr) *translated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<long long>(value)) : static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return FALSE;
  SendMessage(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item != nullptr ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  BOOL found = FALSE;
  for (int id = first; id <= last; ++id) {
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) continue;
    SendMessage(item, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    if (id == check) found = TRUE;
  }
  return found;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item != nullptr ? SendMessage(item, message, wParam, lParam) : 0;
}
