// The result pictures of the graphics window; see ResultPicture.h.
#include "results/ResultPicture.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "elements/Bend.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/NodeDrawing.h"
#include "model/RowDrawing.h"
#include "platform/Gdi.h"
#include "results/ColourScale.h"
#include "services/ViewRequests.h"

namespace {

std::mutex g_Lock;
std::shared_ptr<const ResultPicture> g_Picture;

std::shared_ptr<const ResultPicture> Picture() {
  std::lock_guard<std::mutex> lock(g_Lock);
  return g_Picture;
}

bool ColouredKind(ElementType type) {
  return type == ElementType::Pipe || type == ElementType::Bend || type == ElementType::Miter ||
         type == ElementType::Reducer || type == ElementType::JacketedPipe || type == ElementType::JacketedBend;
}

bool Jacketed(ElementType type) { return type == ElementType::JacketedPipe || type == ElementType::JacketedBend; }

Vec3 PointOf(const Model& model, int node) {
  const NodeRecord& n = model.nodes[node];
  return {n.x, n.y, n.z};
}

}  // namespace

void SetResultPicture(std::shared_ptr<const ResultPicture> picture) {
  {
    std::lock_guard<std::mutex> lock(g_Lock);
    g_Picture = std::move(picture);
  }
  RequestGraphicsRedraw();
}

void ClearResultPicture() {
  {
    std::lock_guard<std::mutex> lock(g_Lock);
    if (!g_Picture) return;
    g_Picture.reset();
  }
  RequestGraphicsRedraw();
}

bool ResultPictureShown() { return Picture() != nullptr; }
std::shared_ptr<const ResultPicture> ShownResultPicture() { return Picture(); }

bool RowDrawnByResultPicture(const Model& model, int row) {
  const std::shared_ptr<const ResultPicture> picture = Picture();
  if (!picture || !picture->coloured || row < 1 || row > model.rowCount) return false;
  return ColouredKind(model.row(row).elementType);
}

void DrawElementContourGl(const ResultPictureElement& element, bool jackets) {
  Model& model = TheModel();
  if (element.row < 1 || element.row > model.rowCount) return;
  if (element.node1 < 1 || element.node1 > model.nodes.count || element.node2 < 1 || element.node2 > model.nodes.count)
    return;
  LayoutRow& row = model.row(element.row);
  if (!RectIntersectsView(row.boundsGl)) return;
  const float radius = SectionOuterRadius(model, element.row);
  if (!(radius > 0.0f)) return;
  const Vec3 p1 = PointOf(model, element.node1), p2 = PointOf(model, element.node2);
  switch (static_cast<ElementType>(element.kind)) {
    case ElementType::Pipe: DrawBandedSegment(p1, p2, radius, radius, element.value1, element.value2); return;
    case ElementType::Reducer: {
      const auto* reducer = dynamic_cast<const Reducer*>(row.element.get());
      if (reducer == nullptr) return;
      DrawBandedSegment(p1, p2, reducer->od1 / 2.0f, reducer->od2 / 2.0f, element.value1, element.value2);
      return;
    }
    case ElementType::Bend:
    case ElementType::Miter: {
      const auto* bend = dynamic_cast<const Bend*>(row.element.get());
      if (bend == nullptr || !(bend->radius > 0.0f)) return;
      LocalFrame frame;
      const float angle = BendArcGeometry(frame, model.nodes, element.node1, element.node2, bend->centre, bend->radius);
      if (!(angle > 0.0f)) return;
      // y points from the start of the arc to the centre; x is the arc's tangent there.
      const Vec3 centre{bend->centre[0], bend->centre[1], bend->centre[2]};
      const Vec3 out{-frame.y[0], -frame.y[1], -frame.y[2]};
      const Vec3 along{frame.x[0], frame.x[1], frame.x[2]};
      DrawColouredBendPiece(centre, out, along, bend->radius, radius, angle, element.value1, element.value2);
      return;
    }
    case ElementType::JacketedPipe: {
      const float jacket = ElementOuterRadius(model, element.row);
      if (jackets && jacket > 0.0f) DrawBandedSegment(p1, p2, jacket, jacket, element.value1, element.value2);
      return;
    }
    case ElementType::JacketedBend: {
      // A piece of the jacket's arc, between its own two nodes, about the
      // jacket's centre.
      const auto* bend = dynamic_cast<const JacketedBend*>(row.element.get());
      const float jacket = ElementOuterRadius(model, element.row);
      if (!jackets || bend == nullptr || !(jacket > 0.0f)) return;
      const Vec3 centre{bend->jacketCentre[0], bend->jacketCentre[1], bend->jacketCentre[2]};
      Vec3 toStart{};
      Vec3Sub(p1, centre, toStart);
      const float bendRadius = Vec3Length(toStart);
      Vec3 toEnd{};
      Vec3Sub(p2, centre, toEnd);
      // An arc not placed (its ends on the centre or on one another) is not drawn.
      if (!(bendRadius > 0.001f) || !(Vec3Length(toEnd) > 0.001f) || NodeDistance(model.nodes, element.node1, element.node2) < 0.001f)
        return;
      LocalFrame frame;
      const float angle = BendArcGeometry(frame, model.nodes, element.node1, element.node2, bend->jacketCentre, bendRadius);
      if (!(angle > 0.0f)) return;
      const Vec3 out{-frame.y[0], -frame.y[1], -frame.y[2]};
      const Vec3 along{frame.x[0], frame.x[1], frame.x[2]};
      DrawColouredBendPiece(centre, out, along, bendRadius, jacket, angle, element.value1, element.value2);
      return;
    }
    default: return;
  }
}

void DrawResultPictureGl() {
  const std::shared_ptr<const ResultPicture> picture = Picture();
  if (!picture || !picture->coloured) return;
  SetColourScale(picture->minimum, picture->maximum);
  for (const ResultPictureElement& element : picture->elements) {
    if (PaintingAborted()) return;
    DrawElementContourGl(element, picture->jackets);
  }
  if (picture->jackets) return;
  // The see-through jackets come after every core they surround.
  Model& model = TheModel();
  for (int number = 1; number <= model.rowCount; ++number) {
    if (PaintingAborted()) return;
    LayoutRow& row = model.row(number);
    if (Jacketed(row.elementType) && row.element && row.drawn && RectIntersectsView(row.boundsGl))
      DrawJacketShellGl(row);
  }
}

void DrawColourScale(HDC dc) {
  const std::shared_ptr<const ResultPicture> picture = Picture();
  if (dc == nullptr || !picture || !picture->coloured) return;
  SetColourScale(picture->minimum, picture->maximum);
  const DrawingStyle& style = CurrentDrawingStyle();
  const float r = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY)) / 96.0f;
  const int left = static_cast<int>(20.0f * r), right = static_cast<int>(45.0f * r);
  const int top = static_cast<int>(20.0f * r), bottom = static_cast<int>(212.0f * r);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  const int x = right + static_cast<int>(metrics.tmAveCharWidth);
  const int raise = static_cast<int>(metrics.tmAscent - metrics.tmInternalLeading) / 2;
  // A scale without range is one colour: its value is written once.
  const int texts = picture->minimum == picture->maximum ? 1 : 5;
  auto baseline = [&](int i) { return top + (bottom - top) * i / 4 + raise; };
  // The scale stands on a card of the background's colour, so that a
  // picture zoomed in under it never runs through its labels.
  int widest = 0;
  for (int i = 0; i < texts; ++i) {
    const std::string& text = picture->scaleTexts[static_cast<std::size_t>(i)];
    SIZE extent{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  const int margin = std::max(1, static_cast<int>(6.0f * r));
  RECT card{left - margin, std::min(top, baseline(0) - static_cast<int>(metrics.tmAscent)) - margin,
            x + widest + margin, std::max(bottom, baseline(texts - 1) + static_cast<int>(metrics.tmDescent)) + margin};
  HBRUSH fill = CreateSolidBrush(style.background);
  FillRect(dc, &card, fill);
  DeleteObject(fill);
  HPEN edge = CreatePen(PS_SOLID, std::max(1, static_cast<int>(r)), style.scaleText);
  HGDIOBJ oldPen = SelectObject(dc, edge);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, card.left, card.top, card.right, card.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(edge);
  const int height = std::max(1, bottom - top);
  for (int y = top; y <= bottom; ++y) {
    const float t = static_cast<float>(bottom - y) / static_cast<float>(height);
    float rgb[3];
    ValueToColour(picture->minimum + (picture->maximum - picture->minimum) * t, rgb);
    HPEN pen = CreatePen(PS_SOLID, 1,
                         RGB(static_cast<int>(rgb[0] * 255.0f + 0.5f), static_cast<int>(rgb[1] * 255.0f + 0.5f),
                             static_cast<int>(rgb[2] * 255.0f + 0.5f)));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  const UINT align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, style.scaleText);
  for (int i = 0; i < texts; ++i) {
    const std::string& text = picture->scaleTexts[static_cast<std::size_t>(i)];
    TextOut(dc, x, baseline(i), text.c_str(), static_cast<int>(text.size()));
  }
  SetTextAlign(dc, align);
}

bool DrawResultPictureLabels() {
  const std::shared_ptr<const ResultPicture> picture = Picture();
  if (!picture) return false;
  Model& model = TheModel();
  const DrawingStyle& style = CurrentDrawingStyle();
  for (const ResultPictureLabel& label : picture->labels) {
    if (PaintingAborted()) break;
    if (label.node < 1 || label.node > model.nodes.count) continue;
    SetTextColour2(label.over ? RGB(255, 0, 0) : style.nodeNumber);
    if (picture->ratios)
      DrawNodeRatioLabel(model.nodes[label.node], label.value);
    else
      DrawNodeStressLabel(model.nodes[label.node], label.value);
  }
  return true;
}
