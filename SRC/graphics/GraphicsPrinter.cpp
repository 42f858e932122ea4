// The graphics printer's page and the copy of the line picture (see
// GraphicsPrinter.h).
#include "graphics/GraphicsPrinter.h"

#include <algorithm>

#include "graphics/DrawingColours.h"
#include "graphics/Drawing2D.h"
#include "graphics/GraphicsExport.h"
#include "graphics/GraphicsThread.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/PrinterReport.h"
#include "graphics/PrinterSettings.h"
#include "graphics/ViewCommands.h"
#include "platform/Clipboard.h"
#include "platform/Gdi.h"
#include "platform/Metafile.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "shell/General.h"
#include "shell/Message.h"

namespace {

HPEN FramePen(int width) {
  LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
  return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, static_cast<DWORD>(std::max(width, 1)), &brush, 0,
                      nullptr);
}

// The page's font, pens and clip region, deleted with the recording.
struct PageTools {
  HFONT font = nullptr;
  HPEN frame = nullptr, dotted = nullptr, thin = nullptr;
  HRGN clip = nullptr;
  ~PageTools() {
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(frame), static_cast<HGDIOBJ>(dotted),
                           static_cast<HGDIOBJ>(thin), static_cast<HGDIOBJ>(clip)})
      if (object != nullptr) DeleteObject(object);
  }
};

// The drawing colours become black lines on white paper while the page
// is recorded: every line in the frame pen, construction lines dotted.
class PaperStyle {
 public:
  explicit PaperStyle(const PageTools& tools) : saved_(CurrentDrawingStyle()) {
    DrawingStyle& style = CurrentDrawingStyle();
    style.background = RGB(255, 255, 255);
    for (COLORREF* colour : {&style.element, &style.support, &style.label, &style.nodeNumber, &style.length,
                             &style.rowNumber, &style.axes, &style.legendText, &style.scaleText, &style.dot,
                             &style.construction, &style.load})
      *colour = RGB(0, 0, 0);
    for (HPEN* pen : {&style.elementPen, &style.supportPen, &style.labelPen, &style.axesPen, &style.rubberBandPen,
                      &style.highlightPen, &style.loadPen})
      *pen = tools.frame;
    style.constructionPen = tools.dotted;
    style.backgroundPen = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    style.dotBrush = style.supportBrush = style.highlightBrush = black;
    style.backgroundBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  }
  ~PaperStyle() { CurrentDrawingStyle() = saved_; }
  PaperStyle(const PaperStyle&) = delete;
  PaperStyle& operator=(const PaperStyle&) = delete;

 private:
  DrawingStyle saved_;
};

// The view settings and the output flags given back however a recording ends.
class RecordingScope {
 public:
  RecordingScope() { SaveViewSettings(); }
  ~RecordingScope() {
    PrintingOutput = false;
    MetafileOutput = false;
    if (g_PrinterDc != nullptr) {
      DeleteEnhMetaFile(CloseEnhMetaFile(g_PrinterDc));
      g_PrinterDc = nullptr;
    }
    RestoreViewSettings();
    InvalidatePicture(false);
  }
  RecordingScope(const RecordingScope&) = delete;
  RecordingScope& operator=(const RecordingScope&) = delete;
};

// The scale of the page picture and the sizes drawn in pixels of a
// `ppi` device.
void SetPageScale(int ppi, int widthPx, int heightPx) {
  MarkSizePx = ppi * 5 / 150 + 1;
  SetArrowSize(static_cast<float>(ppi));
  FitViewToArea(static_cast<float>(widthPx), static_cast<float>(heightPx));
  GraphicsScaleCopy = GraphicsScale * 150.0f / static_cast<float>(ppi);
  Size6Px = 6.0f / GraphicsScaleCopy;
  Size8Px = 8.0f / GraphicsScaleCopy;
  Size10Px = 10.0f / GraphicsScaleCopy;
  Size12Px = 12.0f / GraphicsScaleCopy;
  Size4Px = 4.0f / GraphicsScale;
  TEXTMETRIC metrics{};
  GetTextMetrics(g_PrinterDc, &metrics);
  LabelOffsetX = static_cast<float>(std::max(metrics.tmAveCharWidth / 2 + 1, ppi / 20)) / GraphicsScale;
  LabelOffsetY = static_cast<float>(metrics.tmAscent - metrics.tmInternalLeading) / GraphicsScale * 0.5f;
  TextExtent2("1234", LabelSampleWidth, LabelSampleHeight);
  ComputeViewExtents();
  PaintArea = ViewWindow;
}

void TextRight(int x, int y, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32(g_PrinterDc, text.c_str(), static_cast<int>(text.size()), &size);
  TextOut(g_PrinterDc, x - size.cx, y, text.c_str(), static_cast<int>(text.size()));
}

// Header, frame and footer of a page of Wp x Hp pixels, then the picture.
void DrawGraphicsPage(PrinterSettings& printer, float width, float height, PageTools& tools) {
  HDC dc = g_PrinterDc;
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  SetTextColor(dc, RGB(0, 0, 0));
  SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
  const int ppiX = GetDeviceCaps(dc, LOGPIXELSX), ppiY = GetDeviceCaps(dc, LOGPIXELSY);
  const int wp = static_cast<int>(static_cast<float>(ppiX) * width);
  const int hp = static_cast<int>(static_cast<float>(ppiY) * height);
  LOGFONT font = printer.font;
  font.lfHeight = printer.fontSize * ppiY / -720;
  font.lfWidth = 0;
  tools.font = CreateFontIndirect(&font);
  SelectObject(dc, tools.font);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  const int l = metrics.tmAscent - metrics.tmInternalLeading, d = metrics.tmDescent, g = l / 5;
  tools.frame = FramePen(ppiY * 6 / 720);
  tools.dotted = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  tools.thin = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  const std::string title = PlotTitle(), model = GetModelName();
  TextOut(dc, 0, l, title.c_str(), static_cast<int>(title.size()));
  TextRight(wp, l, model);
  const int top = 2 * g + d + l;
  int bottom = 0, footer = 0;
  if (MetafileOutput) {
    bottom = hp + top;
    footer = bottom + 2 * g + l;
  } else {
    footer = hp - d;
    bottom = footer - 2 * g - l;
  }
  std::string pictureTitle;
  DrawGraphicsTitle(pictureTitle);
  if (!pictureTitle.empty()) TextOut(dc, 0, footer, pictureTitle.c_str(), static_cast<int>(pictureTitle.size()));
  TextRight(wp, footer, FormatTodayDate());
  SelectObject(dc, tools.frame);
  Rectangle(dc, 0, top, wp, bottom);
  tools.clip = CreateRectRgn(0, top, wp + 1, bottom + 1);
  SelectClipRgn(dc, tools.clip);
  SetViewportOrgEx(dc, 0, top, nullptr);
  ViewWidthPx = wp;
  ViewHeightPx = bottom - top;
  SetPageScale(ppiX, ViewWidthPx, ViewHeightPx);
  PaperStyle paper(tools);
  PrintingOutput = true;
  DrawModelWireframe();
  PrintingOutput = false;
  SelectClipRgn(dc, nullptr);
  SelectObject(dc, GetStockObject(BLACK_PEN));
}

// The heights of the header and footer lines of the page font on `dc`:
// the line height L, the descent D and the gap G.
struct LineHeights {
  int l = 0, d = 0, g = 0;
};
LineHeights PageLineHeights(const PrinterSettings& printer, HDC dc) {
  LOGFONT font = printer.font;
  font.lfHeight = printer.fontSize * GetDeviceCaps(dc, LOGPIXELSY) / -720;
  font.lfWidth = 0;
  HFONT made = CreateFontIndirect(&font);
  HGDIOBJ old = SelectObject(dc, made);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  DeleteObject(made);
  const int l = metrics.tmAscent - metrics.tmInternalLeading;
  return {l, metrics.tmDescent, l / 5};
}

// Records the page of `printer` on `reference` (the screen when null) and
// hands the recording back; `extent` gets its size in pixels. A copy's
// picture (MetafileOutput) has the size given and its footer below it.
HENHMETAFILE RecordPage(PrinterSettings& printer, HDC reference, float width, float height, SIZE& extent) {
  RecordingScope scope;
  HDC screen = reference == nullptr ? GetDC(nullptr) : nullptr;
  HDC measure = reference != nullptr ? reference : screen;
  const int ppiX = GetDeviceCaps(measure, LOGPIXELSX), ppiY = GetDeviceCaps(measure, LOGPIXELSY);
  extent = SIZE{static_cast<LONG>(static_cast<float>(ppiX) * width), static_cast<LONG>(static_cast<float>(ppiY) * height)};
  if (MetafileOutput) {
    const LineHeights lines = PageLineHeights(printer, measure);
    extent.cy += 2 * (2 * lines.g + lines.l) + lines.d + lines.d;
  }
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  const float inchesWide = static_cast<float>(extent.cx) / static_cast<float>(std::max(ppiX, 1));
  const float inchesHigh = static_cast<float>(extent.cy) / static_cast<float>(std::max(ppiY, 1));
  RECT frame{0, 0, static_cast<LONG>(inchesWide * 2540 + 25), static_cast<LONG>(inchesHigh * 2540 + 25)};
  g_PrinterDc = CreateEnhMetaFile(reference, nullptr, &frame, "Quorvel\0Graphics\0");
  if (g_PrinterDc == nullptr) throw std::string("Unable to create page on graphics printer");
  PageTools tools;
  DrawGraphicsPage(printer, width, height, tools);
  HENHMETAFILE recorded = CloseEnhMetaFile(g_PrinterDc);
  g_PrinterDc = nullptr;
  if (recorded == nullptr) throw std::string("Unable to create page on graphics printer");
  return recorded;
}

// The recording played onto a white bitmap of its own size.
HBITMAP PictureImage(HENHMETAFILE picture, int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(screen, width, height) : nullptr;
  ReleaseDC(nullptr, screen);
  if (bitmap == nullptr) {
    if (memory != nullptr) DeleteDC(memory);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT all{0, 0, width, height};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(memory, picture, &all);
  SelectObject(memory, old);
  DeleteDC(memory);
  return bitmap;
}

}  // namespace

void RecordGraphicsPage(HDC reference, float width, float height) {
  PrinterSettings& printer = GraphicsPrinter();
  printer.DeleteDocument();
  SIZE extent{};
  printer.document = RecordPage(printer, reference, width, height, extent);
  printer.pageCount = 1;
  printer.firstPage = printer.lastPage = printer.currentPage = 1;
}

void CopyGraphicsAsMetafile(HWND owner) {
  HENHMETAFILE picture = nullptr;
  HBITMAP image = nullptr;
  try {
    RECT client{};
    GetClientRect(PaintingWindowHandle(), &client);
    const int widthPx = std::max<int>(client.right - client.left, 1), heightPx = std::max<int>(client.bottom - client.top, 1);
    HDC screen = GetDC(nullptr);
    const float ppi = static_cast<float>(std::max(GetDeviceCaps(screen, LOGPIXELSX), 1));
    ReleaseDC(nullptr, screen);
    MetafileOutput = true;
    SIZE extent{};
    picture = RecordPage(GraphicsPrinter(), nullptr, static_cast<float>(widthPx) / ppi,
                         static_cast<float>(heightPx) / ppi, extent);
    image = PictureImage(picture, extent.cx, extent.cy);
    if (image == nullptr || !OpenClipboard(owner)) throw std::string("Unable to copy");
    EmptyClipboard();
    SetClipboardData(CF_ENHMETAFILE, CopyEnhMetaFile(picture, nullptr));
    SetClipboardData(CF_BITMAP, image);  // the clipboard owns both now
    image = nullptr;
    CloseClipboard();
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
  }
  MetafileOutput = false;
  if (image != nullptr) DeleteObject(image);
  if (picture != nullptr) DeleteEnhMetaFile(picture);
}
