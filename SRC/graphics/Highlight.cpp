// The highlight of the picked item (see Highlight.h). The entry points and
// the show, hide, save and restore steps run on the graphics thread; from
// another thread they are sent there as kHighlightMessage with a request
// record that lives on the caller's stack while it waits.
#include "graphics/Highlight.h"
#include "graphics/ViewExtents.h"

#include <algorithm>
#include <cstring>

#include "elements/ElasticAnalysis.h"
#include "elements/ElasticElement.h"
#include "graphics/GraphicsThread.h"
#include "graphics/GraphicsWindow.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/LcsTriad.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/NodeDrawing.h"
#include "model/RowDrawing.h"
#include "model/RowObjects.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "services/ViewRequests.h"
#include "supports/Nozzle.h"

namespace {

constexpr int kLabelTextRoom = 16;  // bytes with the terminating zero

struct Label {
  RECT box{0, 0, 0, 0};
  int textX = 0;
  int textY = 0;
  char text[kLabelTextRoom] = {};
  int length = 0;
  COLORREF colour = 0;
  bool shown = false;
};

struct State {
  int kind = kHighlightNone;
  int index = 0;
  Rect2 bounds{1.0e30f, 1.0e30f, -1.0e30f, -1.0e30f};
  float pointValue = 0.0f;
  float elementValue = 0.0f;
  COLORREF valueColour = 0;
  Label labels[2];
  int labelNodes[2] = {0, 0};
  bool pending = false;
  int pendingKind = 0;
  int pendingIndex = 0;
  bool saved = false;
  int savedKind = 0;
  int savedIndex = 0;
  bool blinkPhase = false;
};

State& S() {
  static State state;
  return state;
}

enum class Entry : int {
  Node = 1,
  ElementRow,
  DataItem,
  PointValue,
  ElementValue,
  SupportPoint,
  Record,
  Show,
  Hide,
  HideForRepaint,
  Draw,
  Save,
  Restore,
  Update,
  Blink,
  Status,
  Forget,
};

struct Request {
  int index = 0;
  int kind = 0;  // the record kind of Entry::Record
  float value = 0.0f;
  float ratio = 0.0f;
  HighlightStatus* status = nullptr;
};

// Off the graphics thread the request is sent there; true when it was
// handled that way (or there is no graphics window to handle it).
bool Forward(Entry entry, Request request = {}) {
  if (OnGraphicsThread()) return false;
  if (HWND painting = PaintingWindowHandle())
    SendMessage(painting, kHighlightMessage, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&request));
  return true;
}

bool ValidRow(const Model& model, int row) { return row >= 1 && row <= model.rowCount; }
bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

bool IsRecordKind(int kind) {
  return (kind >= kHighlightMaterial && kind <= kHighlightLoad) || kind >= kHighlightBeamMaterial;
}

bool HasLabels(int kind) { return !IsRecordKind(kind) && kind != kHighlightNone; }

// The name a record kind compares with a row's, and the row's own name.
std::string RecordName(const Model& model, int kind, int record) {
  auto name = [record](const auto& table) {
    return record >= 1 && record <= table.count ? std::string(table[record].name) : std::string();
  };
  switch (kind) {
    case kHighlightMaterial: return name(model.materials);
    case kHighlightSection: return name(model.sections);
    case kHighlightLoad: return name(model.pipeLoads);
    case kHighlightBeamMaterial: return name(model.beamMaterials);
    case kHighlightBeamSection: return name(model.beamSections);
    case kHighlightBeamLoad: return name(model.beamLoads);
    default: return {};
  }
}

const std::string& RowName(const LayoutRow& row, int kind) {
  if (kind == kHighlightMaterial || kind == kHighlightBeamMaterial) return row.material;
  if (kind == kHighlightSection || kind == kHighlightBeamSection) return row.section;
  return row.load;
}

// The painting window's own device context, unclipped, with the whole view
// as the drawing limits.
HDC WindowDc() {
  HDC dc = PaintingDc();
  if (dc != nullptr) PaintArea = ViewWindow;
  return dc;
}

// The node a kind's label 0 stands at.
int LabelNode(const Model& model, int kind, int index) {
  switch (kind) {
    case kHighlightNode:
    case kHighlightLocalAxes:
    case kHighlightPointValue:
    case kHighlightElementValue: return index;
    case kHighlightElementRow:
    case kHighlightDataItem:
    case kHighlightSupportPoint: return ValidRow(model, index) ? model.row(index).endNode : 0;
    default: return 0;
  }
}

// Label measurement: the text and colour of the label at a node, and its box.
void MeasureLabel(int node, int slot) {
  State& s = S();
  Label& label = s.labels[slot];
  const Model& model = TheModel();
  s.labelNodes[slot] = node;
  if (!ValidNode(model, node)) {
    label = Label{};
    return;
  }
  const bool stateShown = label.shown;
  std::string text = " ";
  COLORREF colour = CurrentDrawingStyle().nodeNumber;
  if (s.kind == kHighlightPointValue || s.kind == kHighlightElementValue) {
    colour = s.valueColour;
    if (NodeLabelVisible(model, node)) text = NodeNumberText(model.nodes[node].id);
  } else if (NodeLabelVisible(model, node)) {
    text = NodeNumberText(model.nodes[node].id);
  }
  // The label is a field of 15 characters: a longer text is cut to it.
  label = Label{};
  label.shown = stateShown;
  label.length = static_cast<int>(std::min<std::size_t>(text.size(), kLabelTextRoom - 1));
  std::memcpy(label.text, text.data(), static_cast<std::size_t>(label.length));
  label.colour = colour;
  const NodeRecord& record = model.nodes[node];
  label.textX = PixelX(record.screenX + LabelOffsetX);
  label.textY = PixelY(record.screenY - LabelOffsetY);
  SIZE extent{label.length * 7, 13};
  TEXTMETRIC metrics{};
  if (HDC dc = PaintingDc()) {
    GetTextExtentPoint32(dc, label.text, label.length, &extent);
    GetTextMetrics(dc, &metrics);
  }
  label.box.left = label.textX - 3;
  label.box.right = label.box.left + extent.cx + 6;
  label.box.bottom = label.textY + 4;
  label.box.top = label.box.bottom - metrics.tmAscent + metrics.tmInternalLeading - 8;
}

void MeasureLabels() {
  State& s = S();
  s.labelNodes[0] = s.labelNodes[1] = 0;
  if (!HasLabels(s.kind)) return;
  MeasureLabel(LabelNode(TheModel(), s.kind, s.index), 0);
}

// The label's box in XOR, then its text in the label's colour.
void DrawLabel(Label& label) {
  HDC dc = WindowDc();
  if (dc == nullptr || label.length == 0) return;
  const int mode = SetROP2(dc, R2_XORPEN);
  HGDIOBJ pen = SelectObject(dc, CurrentDrawingStyle().labelPen);
  HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, label.box.left, label.box.top, label.box.right, label.box.bottom);
  SetROP2(dc, R2_COPYPEN);
  SetTextColor(dc, label.colour);
  TextOut(dc, label.textX, label.textY, label.text, label.length);
  SelectObject(dc, pen);
  SelectObject(dc, brush);
  SetROP2(dc, mode);
  label.shown = true;
}

// A shown label's box drawn again in XOR, its text in the background colour.
void EraseLabel(Label& label) {
  if (!label.shown) return;
  label.shown = false;
  HDC dc = WindowDc();
  if (dc == nullptr) return;
  const int mode = SetROP2(dc, R2_XORPEN);
  HGDIOBJ pen = SelectObject(dc, CurrentDrawingStyle().labelPen);
  HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, label.box.left, label.box.top, label.box.right, label.box.bottom);
  SetROP2(dc, R2_COPYPEN);
  SetTextColor(dc, CurrentDrawingStyle().background);
  TextOut(dc, label.textX, label.textY, label.text, label.length);
  SelectObject(dc, pen);
  SelectObject(dc, brush);
  SetROP2(dc, mode);
}

void DrawNodeNumberOf(const Model& model, int node) {
  if (!ValidNode(model, node)) return;
  SetTextColour2(CurrentDrawingStyle().nodeNumber);
  DrawNodeLabel(model, node);
}

// The item of a kind in the colours now current.
void DrawItem(int kind, int index) {
  Model& model = TheModel();
  if (WindowDc() == nullptr) return;
  const State& s = S();
  switch (kind) {
    case kHighlightNode: DrawNodeNumberOf(model, index); return;
    case kHighlightElementRow:
    case kHighlightSupportPoint:
      if (ValidRow(model, index)) DrawRowElementIfVisible(model, index);
      return;
    case kHighlightDataItem:
      if (ValidRow(model, index)) DrawRowDataItemSymbol(model, index);
      return;
    case kHighlightPointValue:
      if (ValidNode(model, index)) {
        SetTextColour2(s.valueColour);
        DrawNodeStressLabel(model.nodes[index], s.pointValue);
      }
      return;
    case kHighlightElementValue:
      if (ValidNode(model, index)) {
        SetTextColour2(s.valueColour);
        DrawNodeRatioLabel(model.nodes[index], s.elementValue);
      }
      return;
    default: break;
  }
  if (!IsRecordKind(kind)) return;
  const std::string name = RecordName(model, kind, index);
  if (name.empty()) return;
  const bool beams = kind >= kHighlightBeamMaterial;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if ((row.elementType == ElementType::Beam) == beams && RowName(row, kind) == name)
      DrawRowElementIfVisible(model, number);
  }
}

// The triad of a kind-4 item, drawn in XOR: a second call erases it.
void ToggleTriadOf(int kind) {
  if (kind == kHighlightLocalAxes) ToggleLcsTriad(TheLcsTriad());
}

void ShowNow() {
  State& s = S();
  if (g_RenderedMode || g_Minimised || s.kind == kHighlightNone || WindowDc() == nullptr) return;
  if (!s.blinkPhase) {
    EraseLabel(s.labels[0]);
    EraseLabel(s.labels[1]);
    UseHighlightColours(false);
  } else {
    UseHighlightColours(true);
  }
  DrawItem(s.kind, s.index);
  UseNormalColours();
  if (s.blinkPhase && HasLabels(s.kind)) {
    if (!s.labels[0].shown) DrawLabel(s.labels[0]);
  }
}

// What a paint draws over a row's element or symbol, drawn again over it
// once it is back in the normal colours: the dots and numbers of the nodes
// at its ends and at the ends of its run. The hidden item then leaves the
// picture as the paint made it.
void RedrawNodesOfRow(const Model& model, int row) {
  if (!ValidRow(model, row)) return;
  const LayoutRow& layout = model.row(row);
  const int nodes[] = {layout.startNode, layout.endNode, layout.runStart, layout.runEnd};
  if (model.graphics.show[kShowNodeDots] != 0) {
    SelectBrush2(CurrentDrawingStyle().dotBrush);
    for (int node : nodes)
      if (ValidNode(model, node)) NodeOnScreen(model.nodes[node]);
    SelectBrush2(GetStockObject(NULL_BRUSH));
  }
  for (int node : nodes) DrawNodeNumberOf(model, node);
}

void HideNow() {
  State& s = S();
  if (g_RenderedMode || g_Minimised || s.kind == kHighlightNone) return;
  Model& model = TheModel();
  UseNormalColours();
  if (WindowDc() != nullptr) {
    Label& label = s.labels[0];
    const bool wasShown = label.shown;
    EraseLabel(label);
    if (wasShown && HasLabels(s.kind)) DrawNodeNumberOf(model, s.labelNodes[0]);
    if (s.kind == kHighlightLocalAxes) {
      EraseLcsTriad(TheLcsTriad());
    } else {
      DrawItem(s.kind, s.index);
    }
    if (s.kind == kHighlightElementRow || s.kind == kHighlightDataItem || s.kind == kHighlightSupportPoint) {
      DrawNodeNumberOf(model, s.labelNodes[0]);
      RedrawNodesOfRow(model, s.index);
    }
  }
  s.kind = kHighlightNone;
  s.index = 0;
  s.blinkPhase = false;
}

void ShowHighlightNow() {
  State& s = S();
  if (s.saved || s.kind == kHighlightNone || PrintingOutput) return;
  ShowNow();
}

void HideHighlightNow() {
  State& s = S();
  if (s.saved || s.kind == kHighlightNone || PrintingOutput) return;
  HideNow();
}

void UpdateAfterChangeNow() {
  State& s = S();
  s.blinkPhase = true;
  const bool moved = !g_FreezeView && EnsureRectInView(s.bounds);
  if (moved)
    RequestGraphicsRedraw();
  else
    ShowHighlightNow();
  ToggleTriadOf(s.kind);
}

// The common start of the entry points: nothing in render mode, else the
// current highlight hidden.
bool BeginEntry() {
  if (g_RenderedMode) return false;
  HideHighlightNow();
  return true;
}

void SetItem(int kind, int index, const Rect2& bounds) {
  State& s = S();
  // Chosen while the highlight is set aside (a menu or dialog over the
  // picture): it is the item the restore brings back, not the older one.
  if (s.saved) {
    s.savedKind = kind;
    s.savedIndex = index;
    s.bounds = bounds;
    return;
  }
  s.kind = kind;
  s.index = index;
  s.bounds = bounds;
  MeasureLabels();
  UpdateAfterChangeNow();
}

void NodeEntry(int node) {
  const Model& model = TheModel();
  if (!BeginEntry() || !ValidNode(model, node)) return;
  SetItem(kHighlightNode, node, model.nodes[node].labelBounds);
}

// The local frame of an element row, from its own run of nodes; an elastic
// element's is its own, at its start node.
bool StoreRowFrame(const Model& model, const LayoutRow& row) {
  if (const auto* elastic = dynamic_cast<const ElasticElement*>(row.element.get())) {
    if (!ValidNode(model, row.startNode)) return false;
    const ElementAxes axes = ElasticElementAxes(*elastic);
    std::array<std::array<float, 3>, 3> rows{};
    for (int i = 0; i < 3; ++i) {
      rows[0][i] = static_cast<float>(axes.x[i]);
      rows[1][i] = static_cast<float>(axes.y[i]);
      rows[2][i] = static_cast<float>(axes.z[i]);
    }
    StoreLcsFrame(TheLcsTriad(), row.startNode, rows);
    return true;
  }
  const int start = row.runStart != 0 ? row.runStart : row.startNode;
  const int end = row.runEnd != 0 ? row.runEnd : row.endNode;
  if (!ValidNode(model, start) || !ValidNode(model, end)) return false;
  LocalFrame frame;
  SetAxisFromNodes(frame, model.nodes, start, end, model.options.ZVertical != 0);
  StoreLcsFrame(TheLcsTriad(), end, {frame.x, frame.y, frame.z});
  return true;
}

void ElementRowEntry(int number) {
  const Model& model = TheModel();
  if (!BeginEntry() || !ValidRow(model, number)) return;
  const LayoutRow& row = model.row(number);
  const ElementType type = row.elementType;
  if (type == ElementType::None || type == ElementType::Comment || type == ElementType::HydrotestLoad ||
      row.endNode == 0)
    return;
  const bool localAxes = model.graphics.showLocalAxes != 0 &&
                         (type == ElementType::Elastic || type == ElementType::Beam);
  if (localAxes && StoreRowFrame(model, row)) {
    SetItem(kHighlightLocalAxes, row.endNode, row.bounds2d);
    return;
  }
  SetItem(kHighlightElementRow, number, row.bounds2d);
}

// A nozzle shows the axes its loads are given in: along the nozzle, around
// the vessel (c) and along it (l); false when they cannot be found.
bool NozzleTriad(const LayoutRow& row, int number, std::array<std::array<float, 3>, 3>& axes) {
  const auto* nozzle = dynamic_cast<const Nozzle*>(row.item.get());
  if (nozzle == nullptr) return false;
  Nozzle probe;
  probe.spherical = nozzle->spherical;
  probe.vesselAxis = nozzle->vesselAxis;
  try {
    NozzleAxes(probe, number);
  } catch (const std::string&) {
    return false;
  }
  for (int i = 0; i < 3; ++i) {
    axes[0][i] = static_cast<float>(probe.axisA[i]);
    axes[1][i] = static_cast<float>(probe.axisC[i]);
    axes[2][i] = static_cast<float>(probe.axisL[i]);
  }
  return true;
}

void DataItemEntry(int number) {
  const Model& model = TheModel();
  if (!BeginEntry() || !ValidRow(model, number)) return;
  const LayoutRow& row = model.row(number);
  if (row.node == 0 || row.endNode == 0 || row.dataType == DataType::None || row.item == nullptr) return;
  const bool framed = row.dataType == DataType::Guide || row.dataType == DataType::LimitStop ||
                      row.dataType == DataType::Nozzle;
  if (model.graphics.showLocalAxes != 0 && framed) {
    std::array<std::array<float, 3>, 3> axes{};
    if (!NozzleTriad(row, number, axes)) {
      Vec3 direction{};
      PipeDirectionAtNode(model, row.endNode, direction, false);
      LocalFrame frame;
      frame.x = direction;
      BuildLocalFrame(frame, model.options.ZVertical != 0);
      axes = {frame.x, frame.y, frame.z};
    }
    StoreLcsFrame(TheLcsTriad(), row.endNode, axes);
    SetItem(kHighlightLocalAxes, row.endNode, row.item->symbolBounds);
    return;
  }
  SetItem(kHighlightDataItem, number, row.item->symbolBounds);
}

void ValueEntry(int kind, int node, float value, float ratio) {
  const Model& model = TheModel();
  if (!BeginEntry() || !ValidNode(model, node)) return;
  State& s = S();
  if (kind == kHighlightPointValue) s.pointValue = value;
  else s.elementValue = value;
  s.valueColour = ValueColour(ratio > 1.0f);
  SetItem(kind, node, model.nodes[node].labelBounds);
}

void SupportPointEntry(int number) {
  const Model& model = TheModel();
  if (!BeginEntry() || !ValidRow(model, number)) return;
  SetItem(kHighlightSupportPoint, number, model.row(number).bounds2d);
}

void RecordEntry(int kind, int record) {
  // Record kinds do not test the render mode and have no bounds nor labels.
  HideHighlightNow();
  Rect2 none;
  Rect2Reset(none);
  SetItem(kind, record, none);
}

void HideForRepaintNow() {
  State& s = S();
  if (s.pending || s.saved || s.kind == kHighlightNone || g_ThumbTracking) return;
  s.pending = true;
  s.pendingKind = s.kind;
  s.pendingIndex = s.index;
  HideHighlightNow();
}

void DrawHighlightNow() {
  State& s = S();
  if (!s.pending || g_ThumbTracking) return;
  s.kind = s.pendingKind;
  s.index = s.pendingIndex;
  s.pending = false;
  MeasureLabels();
  ShowHighlightNow();
  ToggleTriadOf(s.kind);
}

void SaveNow() {
  State& s = S();
  if (s.saved) return;
  s.savedKind = s.kind;
  s.savedIndex = s.index;
  HideHighlightNow();
  s.saved = true;
}

void RestoreNow() {
  State& s = S();
  if (!s.saved) return;
  s.saved = false;
  s.kind = s.savedKind;
  s.index = s.savedIndex;
  s.savedKind = 0;
  s.savedIndex = 0;
  MeasureLabels();
  ToggleTriadOf(s.kind);
  ShowHighlightNow();
}

void BlinkNow() {
  State& s = S();
  s.blinkPhase = !s.blinkPhase;
  ShowHighlightNow();
}

HighlightStatus StatusNow() {
  const State& s = S();
  HighlightStatus status;
  status.kind = s.kind;
  status.index = s.index;
  status.saved = s.saved;
  status.pending = s.pending;
  status.blinkPhase = s.blinkPhase;
  status.labelShown = s.labels[0].shown;
  status.labelText.assign(s.labels[0].text, static_cast<std::size_t>(s.labels[0].length));
  status.labelBox = s.labels[0].box;
  return status;
}

void RunEntry(Entry entry, const Request& request) {
  switch (entry) {
    case Entry::Node: return NodeEntry(request.index);
    case Entry::ElementRow: return ElementRowEntry(request.index);
    case Entry::DataItem: return DataItemEntry(request.index);
    case Entry::PointValue: return ValueEntry(kHighlightPointValue, request.index, request.value, request.ratio);
    case Entry::ElementValue: return ValueEntry(kHighlightElementValue, request.index, request.value, request.value);
    case Entry::SupportPoint: return SupportPointEntry(request.index);
    case Entry::Record: return RecordEntry(request.kind, request.index);
    case Entry::Show: return ShowHighlightNow();
    case Entry::Hide: return HideHighlightNow();
    case Entry::HideForRepaint: return HideForRepaintNow();
    case Entry::Draw: return DrawHighlightNow();
    case Entry::Save: return SaveNow();
    case Entry::Restore: return RestoreNow();
    case Entry::Update: return UpdateAfterChangeNow();
    case Entry::Blink: return BlinkNow();
    case Entry::Status:
      if (request.status != nullptr) *request.status = StatusNow();
      return;
    case Entry::Forget:
      S() = State{};
      TheLcsTriad() = LcsTriad{};  // its node and axes were the old model's
      return;
  }
}

void Run(Entry entry, Request request = {}) {
  if (Forward(entry, request)) return;
  RunEntry(entry, request);
}

void RunRecord(int kind, int record) {
  Request request;
  request.kind = kind;
  request.index = record;
  Run(Entry::Record, request);
}

Request WithIndex(int index) {
  Request request;
  request.index = index;
  return request;
}

}  // namespace

static_assert(static_cast<int>(ViewHighlight::Node) == kHighlightNode &&
              static_cast<int>(ViewHighlight::ElementRow) == kHighlightElementRow &&
              static_cast<int>(ViewHighlight::DataItem) == kHighlightDataItem &&
              static_cast<int>(ViewHighlight::Material) == kHighlightMaterial &&
              static_cast<int>(ViewHighlight::Section) == kHighlightSection &&
              static_cast<int>(ViewHighlight::Load) == kHighlightLoad &&
              static_cast<int>(ViewHighlight::BeamMaterial) == kHighlightBeamMaterial &&
              static_cast<int>(ViewHighlight::BeamSection) == kHighlightBeamSection &&
              static_cast<int>(ViewHighlight::BeamLoad) == kHighlightBeamLoad);

void HighlightItem(int kind, int index) {
  switch (kind) {
    case kHighlightNode: return Run(Entry::Node, WithIndex(index));
    case kHighlightElementRow: return Run(Entry::ElementRow, WithIndex(index));
    case kHighlightDataItem: return Run(Entry::DataItem, WithIndex(index));
    case kHighlightMaterial:
    case kHighlightSection:
    case kHighlightLoad:
    case kHighlightBeamMaterial:
    case kHighlightBeamSection:
    case kHighlightBeamLoad: return RunRecord(kind, index);
    default: return;
  }
}

void HighlightPointValue(int nodeIndex, float value, float ratio) {
  Request request = WithIndex(nodeIndex);
  request.value = value;
  request.ratio = ratio;
  Run(Entry::PointValue, request);
}

void HighlightElementValue(int nodeIndex, float value) {
  Request request = WithIndex(nodeIndex);
  request.value = value;
  Run(Entry::ElementValue, request);
}

void HighlightSupportPoint(int bendRow) { Run(Entry::SupportPoint, WithIndex(bendRow)); }
void ShowHighlightItem() { Run(Entry::Show); }
void HideHighlightItem() { Run(Entry::Hide); }
void ForgetHighlight() {
  // Without the window there is no drawing to wait for: the state goes here.
  if (PaintingWindowHandle() == nullptr || OnGraphicsThread()) {
    S() = State{};
    TheLcsTriad() = LcsTriad{};
  } else
    Forward(Entry::Forget);
}
void HideHighlightForRepaint() { Run(Entry::HideForRepaint); }
void DrawHighlight() { Run(Entry::Draw); }
void SaveHighlight() { Run(Entry::Save); }
void RestoreSavedHighlight() { Run(Entry::Restore); }
void UpdateHighlightAfterChange() { Run(Entry::Update); }

void BlinkHighlight() {
  // The blink timer: line mode, no thumb drag, the frame shown and not
  // minimised.
  if (g_RenderedMode || g_ThumbTracking || g_Minimised) return;
  HWND frame = GraphicsWindowHandle();
  if (frame == nullptr || !IsWindowVisible(frame)) return;
  Run(Entry::Blink);
}

HighlightStatus CurrentHighlight() {
  HighlightStatus status;
  Request request;
  request.status = &status;
  if (Forward(Entry::Status, request)) return status;
  return StatusNow();
}

LRESULT HandleHighlightMessage(WPARAM entry, LPARAM request) {
  if (request == 0) return 0;
  // The caller's rows and nodes are those of the model it handed over last:
  // the item shown now goes with the old copy, then the new one is taken up.
  if (ModelCopyPending() && static_cast<Entry>(entry) <= Entry::Record) {
    HideHighlightNow();
    AdoptAndProject();
  }
  RunEntry(static_cast<Entry>(entry), *reinterpret_cast<const Request*>(request));
  return 0;
}
