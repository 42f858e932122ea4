// The graphics printer's page and the copy of the line picture (see
// GraphicsPrinter.h).
#include "graphics/GraphicsPrinter.h"

#include <algorithm>

#include <GL/gl.h>

#include <cmath>

#include "graphics/GraphicsExport.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/ViewCommands.h"
#include "graphics/ViewExtents.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "platform/Clipboard.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/GlContext.h"
#include "platform/Metafile.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "printing/PrinterSettings.h"
#include "results/ShapeOverlay.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr const char kOpenGlPrintError[] = "Unable to render the picture for printing";

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
    // Under a deflected or mode shape the model is drawn thin, as the
    // window draws it in grey, so that the dotted shape stands out.
    if (ShapeOverlayShown())
      for (HPEN* pen : {&style.elementPen, &style.supportPen, &style.loadPen}) *pen = tools.thin;
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
    // An off-screen render made its own context current.
    if (g_RenderedMode) GlBindWindow();
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

// The off-screen render of the model at `widthPx` x `heightPx` drawn onto
// the page's picture (its top left at the viewport origin), stretched to
// the picture's size. A render beyond the renderer's limit or the memory a
// page may take is made smaller, never refused.
void DrawRenderedPicture(int ppi, int widthPx, int heightPx) {
  const RenderedPrintOptions& options = TheRenderedPrintOptions();
  static constexpr int kTargets[] = {1000, 2000, 3000, 12000};
  double factor = static_cast<double>(kTargets[std::clamp(options.resolution, 0, 3)]) / std::max(widthPx, heightPx);
  if (factor >= 1.0 || ppi < 120) factor = 1.0;
  double renderWidth = widthPx * factor, renderHeight = heightPx * factor;
  const SIZE largest = platform::GlMaximumPictureSize();
  constexpr double kLargestPixels = 24.0e6;  // 96 MB of picture, kept in the recording too
  const double shrink = std::min({1.0, largest.cx / renderWidth, largest.cy / renderHeight,
                                  std::sqrt(kLargestPixels / (renderWidth * renderHeight))});
  const int width = std::max(1, static_cast<int>(renderWidth * shrink));
  const int height = std::max(1, static_cast<int>(renderHeight * shrink));
  HDC memory = CreateCompatibleDC(nullptr);
  if (memory == nullptr) throw std::string(kOpenGlPrintError);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGLRC context = nullptr;
  auto release = [&] {
    if (context != nullptr) {
      wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(context);
    }
    DeleteDC(memory);
    if (picture != nullptr) DeleteObject(picture);
  };
  try {
    if (picture == nullptr || bits == nullptr) throw std::string(kOpenGlPrintError);
    SelectObject(memory, picture);
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = 32;
    wanted.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(memory, &wanted);
    PIXELFORMATDESCRIPTOR found{};
    if (format == 0 || DescribePixelFormat(memory, format, sizeof found, &found) == 0 ||
        (found.dwFlags & PFD_NEED_PALETTE) != 0 || (found.dwFlags & PFD_SUPPORT_OPENGL) == 0 ||
        !SetPixelFormat(memory, format, &wanted))
      throw std::string(kOpenGlPrintError);
    context = wglCreateContext(memory);
    if (context == nullptr || !wglMakeCurrent(memory, context)) throw std::string(kOpenGlPrintError);
    GlInitState();
    BuildCircleTables();
    SetWhiteBackground(options.background == 1);
    DrawModelGlScene(width, height);
    glFinish();
    wglMakeCurrent(nullptr, nullptr);
    StretchDIBits(g_PrinterDc, 0, 0, widthPx, heightPx, 0, 0, width, height, bits, &info, DIB_RGB_COLORS, SRCCOPY);
  } catch (...) {
    release();
    throw;
  }
  release();
}

// Header, frame and footer of a page of Wp x Hp pixels, then the picture.
void DrawGraphicsPage(PrinterSettings& printer, float width, float height, PageTools& tools, bool rendered) {
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
  if (rendered) {
    // The rendered picture, then over it what the window draws over its
    // own: the axes, node dots and numbers, legend and colour scale.
    DrawRenderedPicture(ppiX, ViewWidthPx, ViewHeightPx);
    PaperStyle paper(tools);
    PrintingOutput = true;
    DrawRenderOverlays(dc);
    DrawShapeOverlay(true);
    PrintingOutput = false;
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectObject(dc, tools.frame);
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc, 0, top, wp, bottom);
  } else {
    PaperStyle paper(tools);
    PrintingOutput = true;
    DrawModelWireframe();
    DrawShapeOverlay(true);
    PrintingOutput = false;
  }
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
  DrawGraphicsPage(printer, width, height, tools, g_RenderedMode && !MetafileOutput);
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

HENHMETAFILE RecordWindowPicture(SIZE& extent) {
  RECT client{};
  GetClientRect(PaintingWindowHandle(), &client);
  const int widthPx = std::max<int>(client.right - client.left, 1), heightPx = std::max<int>(client.bottom - client.top, 1);
  HDC screen = GetDC(nullptr);
  const float ppi = static_cast<float>(std::max(GetDeviceCaps(screen, LOGPIXELSX), 1));
  ReleaseDC(nullptr, screen);
  MetafileOutput = true;
  try {
    HENHMETAFILE picture = RecordPage(GraphicsPrinter(), nullptr, static_cast<float>(widthPx) / ppi,
                                      static_cast<float>(heightPx) / ppi, extent);
    MetafileOutput = false;
    return picture;
  } catch (...) {
    MetafileOutput = false;
    throw;
  }
}

void CopyGraphicsAsMetafile(HWND owner) {
  HENHMETAFILE picture = nullptr;
  HBITMAP image = nullptr;
  try {
    SIZE extent{};
    picture = RecordWindowPicture(extent);
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

RenderedPrintOptions& TheRenderedPrintOptions() {
  static RenderedPrintOptions options;
  return options;
}

namespace {

void ShowRenderedPrinter(HWND dialog) {
  PrinterSettings& printer = GraphicsPrinter();
  SetDlgItemText(dialog, 1501, printer.PrinterNameText().c_str());
  SetDlgItemText(dialog, 1502, printer.OrientationText().c_str());
  SetDlgItemText(dialog, 1503, printer.FontText().c_str());
}

INT_PTR PrintOpenGlDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  RenderedPrintOptions& options = TheRenderedPrintOptions();
  if (message == WM_INITDIALOG) {
    SetWindowLongPtr(dialog, DWLP_USER, lParam);
    ShowRenderedPrinter(dialog);
    CheckRadioButton(dialog, 1401, 1404, 1401 + std::clamp(options.resolution, 0, 3));
    CheckRadioButton(dialog, 1405, 1406, options.background == 1 ? 1406 : 1405);
    CenterWindowOnParent(dialog, 0);
    // Enter prints, as the default button says.
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  auto* graphics = reinterpret_cast<HWND>(GetWindowLongPtr(dialog, DWLP_USER));
  switch (id) {
    case 1401:
    case 1402:
    case 1403:
    case 1404: options.resolution = id - 1401; return TRUE;
    case 1405:
    case 1406: options.background = id - 1405; return TRUE;
    case 1011:
    case 1012:
    case 1013:
      try {
        PrinterSettings& printer = GraphicsPrinter();
        const bool changed = id == 1011 ? printer.PrinterSetupDialog(dialog)
                           : id == 1012 ? printer.PageSetupDialog(dialog)
                                        : printer.FontDialog(dialog);
        if (changed) ShowRenderedPrinter(dialog);
      } catch (const std::string& text) {
        ShowErrorMessage(dialog, text);
      }
      return TRUE;
    case IDOK:
    case 1001:
      EndDialog(dialog, id);
      if (graphics != nullptr) PostMessage(graphics, id == IDOK ? 0x0400 + 1 : 0x0400 + 3, 0, 0);
      return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int PrintOpenGlDialog(HWND graphicsWindow) {
  return static_cast<int>(DialogBoxParam(InstanceHandle, "PRINT_OPENGL_DIALOG", graphicsWindow,
                                         PrintOpenGlDialogProc, reinterpret_cast<LPARAM>(graphicsWindow)));
}
