// The painting window: the client of the graphics frame, on the graphics
// thread. It holds the view of the drawn model and draws it either as an
// OpenGL picture (render mode: drawn once per change into the back buffer,
// presented by every paint with the GDI overlays on top) or as GDI lines and
// symbols (line mode: every paint draws the items that meet the update
// rectangle). Every drawing loop polls the abort flag before each item.
//
// Scrolling and turning are PaintingScroll.cpp, mouse, keys and popups
// PaintingInput.cpp, picking Picking.cpp, the colour scale and legend
// Legend.cpp. Start reading at GraphicsPaintProc.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "graphics/ViewCommands.h"
#include "graphics/ViewExtents.h"
#include "graphics/Zoom.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/LcsTriad.h"
#include "model/Model.h"
#include "model/NodeDrawing.h"
#include "model/RowDrawing.h"
#include "model/RowObjects.h"
#include "model/ViewProjection.h"
#include "platform/Clipboard.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "records/GraphicsSettings.h"
#include "results/ResultPicture.h"
#include "results/ShapeOverlay.h"
#include "services/AppFonts.h"
#include "services/Frame.h"
#include "services/NumberText.h"
#include "services/ViewRequests.h"

namespace {

constexpr UINT_PTR kBlinkTimer = 2;
constexpr float kScreenPixelsPerInch = 96.0f;
constexpr float kSmallestDepth = 12.0f;
// The axes triad stands this far in from its corner, so that its arrows
// and letters stay inside the window.
constexpr float kAxesInsetPx = 60.0f;

HWND g_Painting = nullptr;

bool ValidRow(const Model& model, int row) { return row >= 1 && row <= model.rowCount; }

}  // namespace

// Whether a data kind's symbols are shown (kinds without a switch always).
bool DataItemShown(const GraphicsSettings& settings, DataType type) {
  auto flag = [&settings](int index) { return settings.show[static_cast<std::size_t>(index)] != 0; };
  switch (type) {
    case DataType::Anchor: return flag(kShowAnchors);
    case DataType::Restraint: return flag(kShowRestraints);
    case DataType::SkewedRestraint: return flag(kShowSkewedRestraints);
    case DataType::Hanger: return flag(kShowHangers);
    case DataType::Guide: return flag(kShowGuides);
    case DataType::LimitStop: return flag(kShowLimitStops);
    case DataType::Nozzle: return flag(kShowNozzles);
    case DataType::Snubber: return flag(kShowSnubbers);
    case DataType::Spider:
    case DataType::JacketEndCap: return flag(kShowJacketConnections);
    case DataType::Flange: return flag(kShowFlanges);
    case DataType::Force: return flag(kShowForces);
    case DataType::ConcentratedMass: return flag(kShowConcentratedMasses);
    case DataType::GenericSupport: return settings.showGenericSupports != 0;
    default: return true;
  }
}

bool CreatingRowDrawn(const Model& model, const NodeRecord& node) {
  return ValidRow(model, node.row) && model.row(node.row).drawn;
}

namespace {

// Selects what every drawing on the window's own context expects: the
// graphics font, baseline text, no text background, the hollow brush.
void PrepareDc(HDC dc) {
  if (GraphicsFont().handle != nullptr) SelectObject(dc, GraphicsFont().handle);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
}

}  // namespace

void DrawNodeDots(Model& model, bool shown) {
  if (!shown) return;
  SelectBrush2(CurrentDrawingStyle().dotBrush);
  for (int index = 1; index <= model.nodes.count; ++index) {
    if (PaintingAborted()) break;
    if (CreatingRowDrawn(model, model.nodes[index])) NodeOnScreen(model.nodes[index]);
  }
  SelectBrush2(GetStockObject(NULL_BRUSH));
}

void DrawNodeNumbers(Model& model) {
  SetTextColour2(CurrentDrawingStyle().nodeNumber);
  for (int index = 1; index <= model.nodes.count; ++index) {
    if (PaintingAborted()) return;
    if (CreatingRowDrawn(model, model.nodes[index])) DrawNodeLabel(model, index);
  }
}

void DrawRenderOverlays(HDC dc) {
  Model& model = TheModel();
  PaintArea = ViewWindow;
  DrawAxesTriad();
  const bool animated = ShapeOverlayAnimated();
  DrawNodeDots(model, model.graphics.showNodeDotsGl != 0 && !animated);
  if (model.graphics.showNodeNumbersGl != 0 && !animated) DrawNodeNumbers(model);
  if (g_ColourByProperty) DrawLegend(dc);
  DrawColourScale(dc);
}

namespace {

void FillBackground(HDC dc) {
  PatBlt(dc, 0, 0, ViewWidthPx, ViewHeightPx, WhiteBackground() ? WHITENESS : BLACKNESS);
}

// The drawing limits of a line-mode paint: 5 pixels beyond the update
// rectangle at the sides, 5 pixels inside it at top and bottom.
void SetDrawingLimits(const RECT& update) {
  PaintArea.left = (update.left - 5) / GraphicsScale + ViewWindow.left;
  PaintArea.right = (update.right + 5) / GraphicsScale + ViewWindow.left;
  PaintArea.bottom = (ViewHeightPx - update.bottom + 5) / GraphicsScale + ViewWindow.bottom;
  PaintArea.top = (ViewHeightPx - update.top - 5) / GraphicsScale + ViewWindow.bottom;
}

void GraphicsPaint(HWND window) {
  BeginPaintingWork();
  PAINTSTRUCT paint{};
  if (g_RenderedMode) {
    HDC dc = BeginPaint(window, &paint);
    PrepareDc(dc);
    SetGraphicsDc(dc);
    if (ShapeOverlayAnimated()) {
      // The moving shape is drawn over the model's lines in grey, as in the
      // line picture: the rendered solids would hide it.
      FillBackground(dc);
      PaintArea = ViewWindow;
      UseShapeBackdropColours();
      DrawModelWireframe();
      UseNormalColours();
    } else {
      GlPresent();
      DrawRenderOverlays(dc);
    }
    DrawShapeOverlay();
    EndPaint(window, &paint);
  } else {
    HideHighlightForRepaint();
    HDC dc = BeginPaint(window, &paint);
    PrepareDc(dc);
    SetGraphicsDc(dc);
    FillBackground(dc);
    SetDrawingLimits(paint.rcPaint);
    const bool shape = ShapeOverlayShown();
    if (shape) UseShapeBackdropColours();
    DrawModelWireframe();
    if (shape) UseNormalColours();
    DrawShapeOverlay();
    EndPaint(window, &paint);
    RedrawShownLcsTriad();
    DrawHighlight();
  }
  EndPaintingWork();
}

void OnCreate(HWND window) {
  g_Painting = window;
  // The view is panned (or turned) with the window's own scroll bars.
  SetWindowLongPtr(window, GWL_STYLE, GetWindowLongPtr(window, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
  HDC dc = GetDC(window);
  PrepareDc(dc);
  SetGraphicsDc(dc);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SetGraphicsTextMetrics({metrics.tmAveCharWidth, metrics.tmAscent, metrics.tmInternalLeading});
  SetArrowSize(kScreenPixelsPerInch);
  ReadClientSize();
  ResetViewWindow();
  StartCaretTimer();
  g_RenderAvailable = GlCreateContext(window);
}

void OnDestroy(HWND window) {
  KillTimer(window, kBlinkTimer);
  GlDeleteContext();
  DeleteDrawingTools();
  SetGraphicsDc(nullptr);
  g_Painting = nullptr;
  g_RenderedMode = false;
}

LRESULT OnCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kRedrawCommand: RedrawPicture(); return 0;
    case kOverlayCommand:
      if (!g_RenderedMode) return 0;
      InvalidateRect(g_Painting, nullptr, FALSE);
      UpdateWindow(g_Painting);
      return 0;
    case kShowHighlightCommand: ShowHighlight(); return 0;
    case kHideHighlightCommand: HideHighlight(); return 0;
    default: return 0;
  }
}

// The graphics frame comes up with the model handed over: its view, fitted
// to the window, and drawn.
void ShowWithModel() {
  AdoptPendingModel();
  Frame& frame = GraphicsFrame();
  const bool maximised = (frame.Placement().flags & WPF_RESTORETOMAXIMIZED) != 0;
  ShowWindow(frame.window, maximised ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
  ShowWindow(g_Painting, SW_SHOW);
  FrameSetTitle(frame, "Graphics");
  TakeViewFromModel();
  InvalidatePicture(true);
}

void HideWindows() {
  ShowWindow(g_Painting, SW_HIDE);
  ShowWindow(GraphicsFrame().window, SW_HIDE);
}

void ColourByPropertyNow(bool on, bool bySpecificGravity) {
  g_ColourByProperty = on;
  g_GroupBySpecificGravity = bySpecificGravity;
  if (!g_RenderedMode) return;
  DrawModelGl();
  InvalidatePicture(true);
}

}  // namespace

LRESULT GraphicsPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT handled = 0;
  if (HandlePaintingInput(window, message, wParam, lParam, handled)) return handled;
  switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_SIZE:
      // The own context is made anew when the window outgrows its surface.
      PaintingDc();
      FitViewToClient();
      return 0;
    case WM_PAINT: GraphicsPaint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND: return OnCommand(wParam);
    case WM_TIMER:
      if (wParam == kBlinkTimer) BlinkHighlight();
      return 0;
    case WM_HSCROLL: OnScroll(false, LOWORD(wParam), static_cast<short>(HIWORD(wParam))); return 0;
    case WM_VSCROLL: OnScroll(true, LOWORD(wParam), static_cast<short>(HIWORD(wParam))); return 0;
    case kShowModelMessage: ShowWithModel(); return 0;
    case kHighlightMessage: return HandleHighlightMessage(wParam, lParam);
    case kStoreViewMessage:
      if (lParam != 0) StoreView(*reinterpret_cast<GraphicsSettings*>(lParam));
      return 0;
    case kRenderModeMessage:
      if (wParam != 0) SetRenderModeOnNow();
      else SetRenderModeOffNow();
      return 0;
    case kFitViewMessage: RedrawAll(); return 0;
    case kColourByPropertyMessage: ColourByPropertyNow(wParam != 0, lParam != 0); return 0;
    case kHideWindowMessage: HideWindows(); return 0;
    case kRunWorkMessage:
      if (lParam != 0) (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

void ReadClientSize() {
  RECT client{};
  if (g_Painting == nullptr || !GetClientRect(g_Painting, &client)) return;
  ViewWidthPx = client.right;
  ViewHeightPx = client.bottom;
}

HDC PaintingDc() {
  if (g_Painting == nullptr) return nullptr;
  HDC dc = GetDC(g_Painting);
  if (dc == nullptr) return nullptr;
  PrepareDc(dc);
  SetGraphicsDc(dc);
  return dc;
}

void StartCaretTimer() {
  if (g_Painting != nullptr) SetTimer(g_Painting, kBlinkTimer, GetCaretBlinkTime(), nullptr);
}

void StopCaretTimer() {
  if (g_Painting != nullptr) KillTimer(g_Painting, kBlinkTimer);
}

void InvalidatePicture(bool updateNow) {
  if (g_Painting == nullptr) return;
  InvalidateRect(g_Painting, nullptr, TRUE);
  if (updateNow) UpdateWindow(g_Painting);
}

bool AdoptAndProject() {
  if (!AdoptPendingModel()) return false;
  ProjectModelToView();
  ComputeViewExtents();
  return true;
}

void RedrawPicture() {
  RedrawRequestServed();
  AdoptAndProject();
  UpdateScrollRanges();
  if (g_RenderedMode) DrawModelGl();
  InvalidatePicture(true);
}

void TakeViewFromModel() {
  const GraphicsSettings& settings = TheModel().graphics;
  Vec3 direction{settings.viewDirection[0], settings.viewDirection[1], settings.viewDirection[2]};
  const bool usable = std::all_of(direction.begin(), direction.end(), [](float v) { return std::isfinite(v); }) &&
                      Vec3Length(direction) > 0.0f;
  if (!usable) direction = {1.0f, 1.0f, 1.0f};
  SetViewDirection(direction[0], direction[1], direction[2]);
  g_AxesPosition = std::clamp(settings.axesTriad, 0, 4);
  ReadClientSize();
  ProjectModelToView();
  ComputeViewExtents();
  if (ViewWindowUsable(settings)) {
    ViewWindow = ViewLimits{settings.viewLeft, settings.viewRight, settings.viewBottom, settings.viewTop};
    // The saved view is shown whole in this window, whatever its shape: the
    // scale that fits it, not the one left from the view before, decides
    // which way the spare room goes.
    const float width = ViewWindow.right - ViewWindow.left, height = ViewWindow.top - ViewWindow.bottom;
    if (ViewWidthPx > 0 && ViewHeightPx > 0)
      SetGraphicsScale(std::min(ViewWidthPx / width, ViewHeightPx / height));
    FitViewToClient();
  } else {
    FitViewToModel();
    FitViewToModel();
    UpdateScrollRanges();
    if (g_RenderedMode) DrawModelGl();
  }
}

void StoreView(GraphicsSettings& settings) {
  settings.viewDirection = {Viewpoint[0], Viewpoint[1], Viewpoint[2]};
  settings.viewLeft = ViewWindow.left;
  settings.viewRight = ViewWindow.right;
  settings.viewBottom = ViewWindow.bottom;
  settings.viewTop = ViewWindow.top;
  settings.axesTriad = g_AxesPosition;
  // A view fitted to a model whose picture ran out of range (a beam section
  // of huge depth) is no view a file can hold, nor one the user set: the
  // file keeps "fit the model" instead, so that the model is never refused
  // a save for it. A side a hair from zero is zero to the file.
  for (float* side : {&settings.viewLeft, &settings.viewRight, &settings.viewBottom, &settings.viewTop})
    if (std::fabs(*side) < kLeastStoredMagnitude) *side = 0.0f;
  if (!ViewWindowUsable(settings)) FitViewToModel(settings);
}

void FitViewToClient() {
  ReadClientSize();
  const float width = ViewWindow.right - ViewWindow.left, height = ViewWindow.top - ViewWindow.bottom;
  if (ViewWidthPx <= 0 || ViewHeightPx <= 0 || !(width > 0.0f) || !(height > 0.0f)) return;
  const float spareX = ViewWidthPx / GraphicsScale - width;
  const float spareY = ViewHeightPx / GraphicsScale - height;
  if (std::fabs(spareY) <= std::fabs(spareX)) {
    SetGraphicsScale(ViewHeightPx / height);
    const float spare = ViewWidthPx / GraphicsScale - width;
    ViewWindow.left -= spare / 2.0f;
    ViewWindow.right += spare / 2.0f;
  } else {
    SetGraphicsScale(ViewWidthPx / width);
    const float spare = ViewHeightPx / GraphicsScale - height;
    ViewWindow.bottom -= spare / 2.0f;
    ViewWindow.top += spare / 2.0f;
  }
  SetGraphicsScale(ViewWidthPx / (ViewWindow.right - ViewWindow.left));
  ComputeViewExtents();
  UpdateScrollRanges();
  if (g_RenderedMode) DrawModelGl();
  InvalidatePicture(false);
}

void DrawModelWireframe() {
  Model& model = TheModel();
  if (!g_ThumbTracking) DrawAxesTriad();
  for (int number = 1; number <= model.rowCount; ++number) {
    if (PaintingAborted()) return;
    DrawRowElementIfVisible(model, number);
  }
  for (int number = 1; number <= model.rowCount; ++number) {
    if (PaintingAborted()) return;
    LayoutRow& row = model.row(number);
    if (row.endNode == 0 || row.endNode > model.nodes.count || !row.item || !row.drawn) continue;
    if (!DataItemShown(model.graphics, row.dataType) || !RectIntersectsDrawingArea(row.item->symbolBounds)) continue;
    DrawRowDataItemSymbol(model, number);
  }
  // The moving shape of an animation would leave the dots and numbers
  // behind.
  const bool animated = ShapeOverlayAnimated();
  DrawNodeDots(model, model.graphics.show[kShowNodeDots] != 0 && !animated);
  if (PaintingAborted()) return;
  if (model.graphics.showLengths != 0) {
    SetTextColour2(CurrentDrawingStyle().length);
    for (int number = 1; number <= model.rowCount; ++number) {
      if (PaintingAborted()) return;
      if (RectIntersectsDrawingArea(model.row(number).bounds2d)) DrawRowLengthLabel(model, number);
    }
  }
  if (model.graphics.showRowNumbers != 0) {
    SetTextColour2(CurrentDrawingStyle().rowNumber);
    for (int number = 1; number <= model.rowCount; ++number) {
      if (PaintingAborted()) return;
      if (RectIntersectsDrawingArea(model.row(number).bounds2d)) DrawRowNumberLabel(model, number);
    }
  }
  // The values of a result picture take the place of the node numbers;
  // an animation leaves both out.
  if (!DrawResultPictureLabels() && !animated) DrawNodeNumbers(model);
}

void DrawModelGl() {
  if (!GlBindWindow()) {
    // The window grew past what OpenGL renders: the line picture takes over.
    if (g_RenderedMode && GlWindowTooLarge()) PostMessage(g_Painting, kRenderModeMessage, 0, 0);
    return;
  }
  BeginPaintingWork();
  ReadClientSize();
  DrawModelGlScene(ViewWidthPx, ViewHeightPx);
  EndPaintingWork();
}

void DrawModelGlScene(int width, int height) {
  Model& model = TheModel();
  float largest = kSmallestDepth;
  for (int index = 1; index <= model.nodes.count; ++index) {
    const NodeRecord& node = model.nodes[index];
    for (float coordinate : {node.x, node.y, node.z})
      if (std::isfinite(coordinate)) largest = std::max(largest, std::fabs(coordinate));
  }
  const double depth = 2.0 * largest;
  glViewport(0, 0, width, height);
  if (WhiteBackground())
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  else
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(ViewWindow.left, ViewWindow.right, ViewWindow.bottom, ViewWindow.top, -depth, depth);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(ViewMatrix.data());
  PaintArea = ViewWindow;
  for (int number = 1; number <= model.rowCount; ++number) {
    if (PaintingAborted()) break;
    DrawRowGl(model, number, !RowDrawnByResultPicture(model, number));
  }
  DrawResultPictureGl();
  glFlush();
}

void CopyPictureToClipboard() {
  HDC dc = PaintingDc();
  HDC memory = dc != nullptr ? CreateCompatibleDC(dc) : nullptr;
  HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(dc, ViewWidthPx, ViewHeightPx) : nullptr;
  if (bitmap == nullptr) {
    if (memory != nullptr) DeleteDC(memory);
    throw std::string("Unable to copy");
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, ViewWidthPx, ViewHeightPx, dc, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  if (!OpenClipboard(GraphicsWindowHandle())) {
    DeleteObject(bitmap);
    throw std::string("Unable to copy");
  }
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bitmap);  // the clipboard owns it now
  CloseClipboard();
}

void DrawAxesTriad() {
  if (g_AxesPosition < 1 || g_AxesPosition > 4) return;
  const float inset = kAxesInsetPx / GraphicsScale;
  const bool right = g_AxesPosition == 1 || g_AxesPosition == 4;
  const bool top = g_AxesPosition == 1 || g_AxesPosition == 2;
  const float x = right ? ViewWindow.right - inset : ViewWindow.left + inset;
  const float y = top ? ViewWindow.top - inset : ViewWindow.bottom + inset;
  const DrawingStyle& style = CurrentDrawingStyle();
  SelectPen2(style.axesPen);
  SelectBrush2(style.dotBrush);
  SetTextColour2(style.axes);
  static const char* const kNames[3] = {"X", "Y", "Z"};
  for (int axis = 0; axis < 3; ++axis) {
    // Foreshortened as the view shows it; an axis pointing at the viewer has
    // no length on the screen.
    float px = 0.0f, py = 0.0f;
    ProjectPointToView(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f, px, py);
    const float length = std::hypot(px, py);
    if (length < 0.05f) continue;
    DrawLabelledArrow2(x, y, px / length, py / length, ArrowLength * 1.5f * length, 0, kNames[axis]);
  }
  SelectBrush2(GetStockObject(NULL_BRUSH));
}
