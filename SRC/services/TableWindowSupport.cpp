// The tables' door to fonts, colours, messages, frames, results mode and
// undo (see TableWindowSupport.h). The program's fonts, pens and brushes are
// used once start-up has made them; before that (tests, tools) the tables
// make their own from the same descriptions and colours.
#include "services/TableWindowSupport.h"

#include <cstring>
#include <utility>

#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "services/AppFonts.h"
#include "services/AppPens.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"

namespace {

TableMessageSink& Sink() {
  static TableMessageSink sink;
  return sink;
}

bool& ResultsShownFlag() {
  static bool shown = false;
  return shown;
}

// Fewer than 15 bits per pixel get the pure colours.
bool FewColours() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return bits > 0 && bits < 15;
}

// The tables' own pens and brushes, for when the program's are not made
// (tests, tools, before start-up); made once and deleted by nobody.
TableDrawingSet OwnDrawingSet() {
  const bool few = FewColours();
  TableDrawingSet set;
  set.heading = CreateSolidBrush(GetSysColor(COLOR_3DFACE));
  set.white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  set.currentRow = CreateSolidBrush(RGB(255, 255, 0));
  set.noFocusRow = CreateSolidBrush(few ? RGB(0, 255, 255) : RGB(208, 255, 255));
  set.wideRow = CreateSolidBrush(few ? RGB(0, 255, 0) : RGB(216, 255, 216));
  set.black = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  set.lightGrey = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
  set.yellow = CreatePen(PS_SOLID, 1, RGB(255, 255, 0));
  set.nullPen = static_cast<HPEN>(GetStockObject(NULL_PEN));
  return set;
}

}  // namespace

HFONT TableTextFont() {
  if (TextFont().handle != nullptr) return TextFont().handle;
  static HFONT font = CreateFontIndirect(&TextFontDescription().logFont);
  return font;
}

HFONT TableSmallFont() {
  if (SmallFont().handle != nullptr) return SmallFont().handle;
  static HFONT font = [] {
    LOGFONT description{};
    description.lfHeight = -(96 * 8 / 72);
    description.lfWeight = FW_NORMAL;
    std::strcpy(description.lfFaceName, "MS Sans Serif");
    return CreateFontIndirect(&description);
  }();
  return font;
}

TableFontMetrics MeasureTableFont(HDC dc) {
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  return MakeTableFontMetrics(metrics.tmAveCharWidth, metrics.tmHeight, metrics.tmDescent);
}

// The program's pens and brushes live from start-up to exit, and a test
// process starts and ends the program many times: they are looked up on each
// call, never kept, so a table never draws with a handle exit has deleted.
TableDrawingSet TableDrawing() {
  static const TableDrawingSet own = OwnDrawingSet();
  TableDrawingSet set = own;
  const AppPens& pens = Pens();
  if (pens.yellowBrush != nullptr && pens.highlightBrush1 != nullptr && pens.lightGreyPen != nullptr) {
    set.currentRow = pens.yellowBrush;
    set.noFocusRow = pens.highlightBrush2;
    set.wideRow = pens.highlightBrush1;
    set.lightGrey = pens.lightGreyPen;
    set.yellow = pens.yellowPen;
  }
  return set;
}

void SetTableMessageSink(TableMessageSink sink) { Sink() = std::move(sink); }

void ShowTableMessage(HWND owner, const std::string& text, TableMessageKind kind) {
  if (text.empty()) return;
  if (Sink()) {
    Sink()(owner, text, kind);
    return;
  }
  if (kind == TableMessageKind::Error)
    ShowErrorMessage(owner, text);
  else
    ShowWarningMessage(owner, text);
}

void TableFrameSetTitle(HWND frame, const std::string& title) {
  if (frame == nullptr) return;
  if (Frame* owner = FrameFromWindow(frame))
    FrameSetTitle(*owner, title);
  else
    SetWindowText(frame, title.c_str());  // a window that is not one of the program's frames
}

bool TableResultsShown() { return ResultsShownFlag(); }

void SetTableResultsShown(bool shown) { ResultsShownFlag() = shown; }

