// The program's fonts (see AppFonts.h). The measuring rules are the tables':
// a cell margin of half the average width plus 2, a line spacing of height
// / 12 + 2, and a row of the height plus twice the line spacing.
#include "services/AppFonts.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/CommonDialog.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/DialogHook.h"
#include "services/TableWindow.h"
#include "services/WindowUtilities.h"

namespace {

constexpr std::int32_t kSmallestZoom = 80;
constexpr std::int32_t kLargestZoom = 300;

AppFontDescription DefaultDescription(BYTE quality) {
  AppFontDescription description;
  description.size = 80;
  description.logFont.lfHeight = FontHeightForSize(80);
  description.logFont.lfWeight = FW_NORMAL;
  description.logFont.lfCharSet = DEFAULT_CHARSET;
  description.logFont.lfQuality = quality;
  std::strcpy(description.logFont.lfFaceName, "MS Sans Serif");
  return description;
}

AppFont MakeFont(BYTE quality) {
  AppFont font;
  static_cast<AppFontDescription&>(font) = DefaultDescription(quality);
  return font;
}

void ReleaseFont(AppFont& font) {
  if (font.handle != nullptr) DeleteObject(font.handle);
  font.handle = nullptr;
}

// Recreates the font from its description and measures it on a screen
// context.
void RecreateFont(AppFont& font) {
  ReleaseFont(font);
  font.handle = CreateFontIndirect(&font.logFont);
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return;
  HGDIOBJ previous = SelectObject(dc, font.handle);
  MeasureFont(font, dc);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
}

bool g_FontDialogAtCorner = false;

struct FontDialogRequest {
  const char* caption;
  bool atCorner;
};

// Captions the font dialog and places it; the centring hook stays on while
// the dialog is up, so that its own message boxes centre too.
UINT_PTR FontDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSEFONT*>(lParam);
    const auto* request = reinterpret_cast<const FontDialogRequest*>(choose->lCustData);
    SetWindowText(dialog, request->caption);
    HWND owner = GetParent(dialog);
    RECT ownerRect{};
    if (request->atCorner && owner != nullptr && GetWindowRect(owner, &ownerRect))
      SetWindowPos(dialog, nullptr, ownerRect.left, ownerRect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    else
      CenterWindowOnParent(dialog, 0);
    CenterDialogHookOn();
  } else if (message == WM_DESTROY) {
    CenterDialogHookOff();
  }
  return 0;
}

bool ChooseFontFor(HWND owner, AppFont& font, const char* caption) {
  FontDialogRequest request{caption, g_FontDialogAtCorner};
  g_FontDialogAtCorner = false;
  LOGFONT chosen = font.logFont;
  CHOOSEFONT choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &chosen;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOSCRIPTSEL | CF_ENABLEHOOK;
  choose.lpfnHook = FontDialogHook;
  choose.lCustData = reinterpret_cast<LPARAM>(&request);
  if (!ChooseFont(&choose)) return false;
  const BYTE quality = font.logFont.lfQuality;
  font.logFont = chosen;
  font.logFont.lfQuality = quality;  // the graphics font stays non-antialiased
  font.size = choose.iPointSize;
  RecreateFont(font);
  return true;
}

}  // namespace

AppFont& TextFont() {
  static AppFont font = MakeFont(0);
  return font;
}

AppFont& GraphicsFont() {
  static AppFont font = MakeFont(NONANTIALIASED_QUALITY);
  return font;
}

AppFont& SmallFont() {
  static AppFont font = MakeFont(0);
  return font;
}

AppFont& UnderlinedFont() {
  static AppFont font = MakeFont(0);
  return font;
}

AppFontDescription& TextFontDescription() { return TextFont(); }
AppFontDescription& GraphicsFontDescription() { return GraphicsFont(); }

void SetDefaultFontDescriptions() {
  static_cast<AppFontDescription&>(TextFont()) = DefaultDescription(0);
  static_cast<AppFontDescription&>(GraphicsFont()) = DefaultDescription(NONANTIALIASED_QUALITY);
}

int ScreenPixelsPerInch() { return 96; }

LONG FontHeightForSize(std::int32_t tenths) {
  const double pixels = static_cast<double>(tenths) * ScreenPixelsPerInch() / 720.0;
  return -static_cast<LONG>(std::lround(pixels));
}

void CreateFonts() {
  const LONG height = -(ScreenPixelsPerInch() * 8 / 72);
  AppFont& small = SmallFont();
  small.logFont.lfHeight = height;
  RecreateFont(small);
  AppFont& underlined = UnderlinedFont();
  underlined.logFont.lfHeight = height;
  underlined.logFont.lfUnderline = 1;
  RecreateFont(underlined);
}

void CreateTextAndGraphicsFonts() {
  RecreateFont(TextFont());
  RecreateFont(GraphicsFont());
}

void DeleteFonts() {
  ReleaseFont(UnderlinedFont());
  ReleaseFont(SmallFont());
  ReleaseFont(GraphicsFont());
  ReleaseFont(TextFont());
}

void MeasureFont(AppFont& font, HDC dc) {
  if (font.handle != nullptr) SelectObject(dc, font.handle);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  font.averageWidth = metrics.tmAveCharWidth;
  font.height = metrics.tmHeight;
  font.descent = metrics.tmDescent;
  font.cellMargin = font.averageWidth / 2 + 2;
  font.lineSpacing = font.height / 12 + 2;
  font.rowHeight = font.height + 2 * font.lineSpacing;
}

std::string FontCaptionText(const AppFontDescription& font) {
  char text[LF_FACESIZE + 24];
  std::snprintf(text, sizeof text, "%s, %d point", font.logFont.lfFaceName, font.size / 10);
  return text;
}

bool ChooseTextFont(HWND owner) {
  if (!ChooseFontFor(owner, TextFont(), "Text Font")) return false;
  TableWindowsReselectTextFont();
  if (owner != nullptr) SetFocus(owner);
  return true;
}

bool ChooseGraphicsFont(HWND owner) { return ChooseFontFor(owner, GraphicsFont(), "Graphics Font"); }

void RequestFontDialogAtOwnerCorner() { g_FontDialogAtCorner = true; }

std::int32_t ZoomTextFont(HWND window, bool larger) {
  AppFont& font = TextFont();
  std::int32_t size = larger ? font.size + 10 : font.size - 10;
  if (size > kLargestZoom) size = kLargestZoom;
  if (size < kSmallestZoom) size = kSmallestZoom;
  font.size = size;
  font.logFont.lfHeight = -(size * ScreenPixelsPerInch() / 720);
  RecreateFont(font);
  TableWindowsReselectTextFont();
  if (window != nullptr) SetFocus(window);
  return size;
}
