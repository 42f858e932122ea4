// The drawing dispatch from a row to its objects (see RowDrawing.h).
#include "model/RowDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/NodeDrawing.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

// 0 is the grey of rows without a record; 1 to 30 the records'.
constexpr unsigned char kPalette[31][3] = {
    {192, 192, 192}, {76, 0, 0},    {76, 76, 0},     {19, 76, 0},     {0, 76, 76},     {0, 255, 255},
    {127, 0, 0},     {127, 95, 0},  {63, 127, 0},    {0, 127, 95},    {0, 25, 127},    {95, 0, 127},
    {153, 76, 0},    {38, 153, 0},  {0, 62, 153},    {204, 0, 153},   {204, 0, 51},    {255, 127, 0},
    {255, 255, 0},   {0, 255, 127}, {255, 0, 191},   {255, 255, 127}, {204, 153, 102}, {153, 204, 102},
    {153, 95, 76},   {133, 153, 76}, {255, 0, 0},    {255, 255, 0},   {0, 255, 0},     {255, 0, 255},
    {38, 47, 76}};
constexpr int kPaletteRecords = 30;
// Drawn translucent: the colour of a dimmed row.
constexpr float kDimmed[4] = {0.3f, 0.5f, 0.6f, 0.85f};

bool g_ElementColourIsSet = true;
thread_local int t_DispatchedRow = 0;

// Names the row for the kinds while one of its objects is called.
class Dispatching {
 public:
  explicit Dispatching(int row) : previous_(t_DispatchedRow) { t_DispatchedRow = row; }
  ~Dispatching() { t_DispatchedRow = previous_; }
  Dispatching(const Dispatching&) = delete;
  Dispatching& operator=(const Dispatching&) = delete;

 private:
  int previous_;
};

bool ValidRow(const Model& model, int row) { return row >= 1 && row <= model.rowCount; }
bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

bool MakesNoPicture(ElementType type) { return type == ElementType::Comment || type == ElementType::HydrotestLoad; }

bool IsNodeOnlyType(ElementType type) {
  return type == ElementType::From || type == ElementType::Location || type == ElementType::HingeJoint ||
         type == ElementType::BallJoint;
}

float HalfDiameterOf(const Model& model, const std::string& section) {
  const int index = FindSectionByName(model.sections, section);
  return index == 0 ? 0.0f : model.sections[index].outsideDiameter / 2.0f;
}

// The jacket's radius of a Jacketed pipe or Jacketed bend row; 0 otherwise.
float JacketRadius(const Model& model, const LayoutRow& row) {
  const JacketRecord* jacket = row.element != nullptr ? row.element->AsJacket() : nullptr;
  return jacket != nullptr ? HalfDiameterOf(model, jacket->jacketSection) : 0.0f;
}

bool KindSwitch(const GraphicsSettings& settings, int kind) {
  return settings.numberKinds[static_cast<std::size_t>(kind)] != 0;
}

int ElementKindSwitch(ElementType type) {
  switch (type) {
    case ElementType::Bend: return kNumberBends;
    case ElementType::Miter: return kNumberMiterBends;
    case ElementType::Valve: return kNumberValves;
    case ElementType::Reducer: return kNumberReducers;
    case ElementType::Bellows: return kNumberBellows;
    case ElementType::SlipJoint: return kNumberSlipJoints;
    case ElementType::HingeJoint: return kNumberHingeJoints;
    case ElementType::BallJoint: return kNumberBallJoints;
    case ElementType::Rigid: return kNumberRigidElements;
    case ElementType::Elastic: return kNumberElasticElements;
    case ElementType::CutPipe: return kNumberCutPipes;
    case ElementType::Beam: return kNumberBeams;
    case ElementType::TieRod: return kNumberTieRods;
    default: return -1;
  }
}

int DataKindSwitch(DataType type) {
  switch (type) {
    case DataType::Anchor: return kNumberAnchors;
    case DataType::Restraint: return kNumberRestraints;
    case DataType::SkewedRestraint: return kNumberSkewedRestraints;
    case DataType::Hanger: return kNumberHangers;
    case DataType::Guide: return kNumberGuides;
    case DataType::LimitStop: return kNumberLimitStops;
    case DataType::Nozzle: return kNumberNozzles;
    case DataType::Snubber: return kNumberSnubbers;
    case DataType::Spider:
    case DataType::JacketEndCap: return kNumberJacketConnections;
    case DataType::Flange: return kNumberFlanges;
    case DataType::BranchSif: return kNumberBranchSifs;
    case DataType::UserSif: return kNumberUserSifs;
    case DataType::Weld: return kNumberWelds;
    case DataType::ThreadedJoint: return kNumberThreadedJoints;
    case DataType::Force: return kNumberForces;
    case DataType::ConcentratedMass: return kNumberConcentratedMasses;
    case DataType::GenericSupport: return kNumberGenericSupports;
    default: return -1;
  }
}

// The midpoint of the row's two nodes on the screen, at the label offsets.
bool MidpointLabelPlace(const Model& model, const LayoutRow& row, float& x, float& y) {
  if (!ValidNode(model, row.startNode) || !ValidNode(model, row.endNode)) return false;
  const NodeRecord& a = model.nodes[row.startNode];
  const NodeRecord& b = model.nodes[row.endNode];
  x = (a.screenX + b.screenX) / 2.0f + LabelOffsetX;
  y = (a.screenY + b.screenY) / 2.0f - LabelOffsetY;
  return true;
}

// Draws one of the row's objects again with the background pen and text,
// while PenLocked keeps the object's own selections from taking effect.
template <typename Draw>
void EraseWith(Draw draw) {
  DrawOnGraphicsWindow(false, [&draw] {
    const DrawingStyle& style = CurrentDrawingStyle();
    SelectPen2(style.backgroundPen);
    SelectBrush2(style.backgroundBrush);
    SetTextColour2(style.background);
    PenLocked = true;
    draw();
    PenLocked = false;
  });
}

}  // namespace

int DispatchedRow() { return t_DispatchedRow; }

void UpdateRowGeometry(Model& model, int number) {
  if (!ValidRow(model, number)) return;
  const Dispatching dispatching(number);
  LayoutRow& row = model.row(number);
  if (!ValidNode(model, row.endNode)) return;
  if (row.element) row.element->BuildGeometry(row);
  UpdateRowBounds(model, number);
}

void UpdateRowBounds(Model& model, int number) {
  if (!ValidRow(model, number)) return;
  const Dispatching dispatching(number);
  LayoutRow& row = model.row(number);
  if (!ValidNode(model, row.endNode) || MakesNoPicture(row.elementType)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  Rect2Reset(row.bounds2d);
  Rect2Extend(row.bounds2d, node.screenX, node.screenY);
  row.boundsGl = row.bounds2d;
  if (row.element) row.element->ComputeShape(row);
  Rect2Inflate(row.bounds2d, SymbolMargin());
  Rect2Inflate(row.boundsGl, SymbolMargin());
  Rect2ExtendRect(ViewExtents, row.bounds2d);
  Rect2ExtendRect(ViewExtents, row.boundsGl);
  if (!row.item) return;
  // A symbol keeps a least size in pixels, so its size in model units is
  // the scale's: built at another scale it would carry that scale into the
  // extents, and through them into the next fit.
  row.item->BuildSymbol(row);
  row.item->ComputeSymbolBounds(row);
  Rect2ExtendRect(ViewExtents, row.item->symbolBounds);
  Rect2ExtendRect(ViewExtents, row.item->glBounds);
}

bool DrawRowElementIfVisible(Model& model, int number) {
  if (!ValidRow(model, number)) return false;
  LayoutRow& row = model.row(number);
  if (!ValidNode(model, row.endNode) || !row.element || !row.drawn) return false;
  if (!RectIntersectsDrawingArea(row.bounds2d)) return false;
  const Dispatching dispatching(number);
  row.element->Draw2D(row);
  return true;
}

void DrawRowGl(Model& model, int number, bool element) {
  if (!ValidRow(model, number)) return;
  LayoutRow& row = model.row(number);
  if (!ValidNode(model, row.endNode)) return;
  if (g_ColourByProperty) return DrawRowGlByProperty(model, number);
  const Dispatching dispatching(number);
  const bool dimmed = row.dimmed;
  if (dimmed) {
    glEnable(GL_BLEND);
    glColor4fv(kDimmed);
    g_ElementColourIsSet = false;
  }
  if (element && row.element && row.drawn && RectIntersectsView(row.boundsGl)) row.element->DrawGl(row);
  if (row.item && row.drawn && RectIntersectsView(row.item->glBounds)) row.item->DrawGl(row);
  if (dimmed) {
    glDisable(GL_BLEND);
    g_ElementColourIsSet = true;
  }
}

void DrawRowGlByProperty(Model& model, int number) {
  if (!ValidRow(model, number)) return;
  LayoutRow& row = model.row(number);
  const Dispatching dispatching(number);
  const COLORREF colour = PropertyPaletteColour(RowPropertyColourNumber(model, number));
  glEnable(GL_BLEND);
  glColor4f(GetRValue(colour) / 255.0f, GetGValue(colour) / 255.0f, GetBValue(colour) / 255.0f, 1.0f);
  g_ElementColourIsSet = false;
  if (row.element && RectIntersectsView(row.boundsGl)) row.element->DrawGl(row);
  if (row.item && RectIntersectsView(row.item->glBounds)) row.item->DrawGl(row);
  g_ElementColourIsSet = true;
  glDisable(GL_BLEND);
}

COLORREF PropertyPaletteColour(int number) {
  if (number < 0) number = 0;
  const int entry = number == 0 ? 0 : (number - 1) % kPaletteRecords + 1;
  return RGB(kPalette[entry][0], kPalette[entry][1], kPalette[entry][2]);
}

int RowPropertyColourNumber(const Model& model, int number) {
  if (!ValidRow(model, number)) return 0;
  const LayoutRow& row = model.row(number);
  if (model.listName == "&Materials") return FindMaterialByName(model.materials, row.material);
  if (model.listName == "&Sections") return FindSectionByName(model.sections, row.section);
  if (model.listName != "&Loads") return 0;
  const int load = FindPipeLoadByName(model.pipeLoads, row.load);
  if (load == 0 || !g_GroupBySpecificGravity) return load;
  const float gravity = model.pipeLoads[load].specificGravity;
  for (int index = 1; index <= model.pipeLoads.count; ++index)
    if (model.pipeLoads[index].specificGravity == gravity) return index;
  return load;
}

bool GlElementColourIsSet() { return g_ElementColourIsSet; }

void SetElementGlColour(const Model& model, const LayoutRow& row) {
  if (!g_ElementColourIsSet) return;
  const float alpha = row.dimmed ? 0.6f : 1.0f;
  const int material = FindMaterialByName(model.materials, row.material);
  if (material != 0 && model.materials[material].isFrp != 0)
    glColor4f(0.6f, 0.5f, 0.0f, alpha);
  else
    glColor4f(0.5f, 0.5f, 0.5f, alpha);
}

void RedrawRowElement(Model&, int) {
  // The picture is drawn again from a fresh copy of the model; the highlight
  // comes back after the paint.
  RequestGraphicsRedraw();
}

void RedrawRowDataItem(Model&, int) { RequestGraphicsRedraw(); }

void EraseRowElement(Model& model, int number) {
  if (g_RenderedMode || !ValidRow(model, number) || !model.row(number).element) return;
  const int row = number;
  EraseWith([row] {
    Model& drawn = TheModel();
    if (ValidRow(drawn, row) && drawn.row(row).element && ValidNode(drawn, drawn.row(row).endNode))
      drawn.row(row).element->Draw2D(drawn.row(row));
  });
}

void EraseRowDataItem(Model& model, int number) {
  if (g_RenderedMode || !ValidRow(model, number) || !model.row(number).item) return;
  const int row = number;
  EraseWith([row] {
    Model& drawn = TheModel();
    DrawRowDataItemSymbol(drawn, row);
  });
}

void DrawRowDataItemSymbol(Model& model, int number) {
  if (!ValidRow(model, number)) return;
  LayoutRow& row = model.row(number);
  const Dispatching dispatching(number);
  if (ValidNode(model, row.endNode) && row.item) row.item->Draw2D(row);
}

bool RowElementInView(const Model& model, int number) {
  if (!ValidRow(model, number)) return false;
  const LayoutRow& row = model.row(number);
  if (!ValidNode(model, row.endNode) || !row.element) return false;
  const ElementType type = row.elementType;
  if (type == ElementType::From || type == ElementType::Location || MakesNoPicture(type)) return false;
  return RectIntersectsView(g_RenderedMode ? row.boundsGl : row.bounds2d);
}

bool RowDataItemInView(const Model& model, int number) {
  if (!ValidRow(model, number)) return false;
  const LayoutRow& row = model.row(number);
  if (!ValidNode(model, row.endNode) || row.dataType == DataType::None || !row.item) return false;
  if (MakesNoPicture(row.elementType)) return false;
  return RectIntersectsView(g_RenderedMode ? row.item->glBounds : row.item->symbolBounds);
}

void HighlightRowNodes(Model& model, int number) {
  if (!ValidRow(model, number)) return;
  const LayoutRow& row = model.row(number);
  HighlightNodeMarker(model, row.runStart);
  HighlightNodeMarker(model, row.runEnd);
  if (model.graphics.showLengths != 0) DrawRowLengthLabel(model, number);
  if (model.graphics.showRowNumbers != 0) DrawRowNumberLabel(model, number);
}

void DrawRowLengthLabel(const Model& model, int number) {
  if (!ValidRow(model, number)) return;
  const LayoutRow& row = model.row(number);
  const ElementType type = row.elementType;
  if (type == ElementType::None || IsNodeOnlyType(type) || MakesNoPicture(type)) return;
  const float length = NodeDistance(model.nodes, row.startNode, row.endNode);
  float x = 0.0f, y = 0.0f;
  if (!(length >= 0.01f) || !MidpointLabelPlace(model, row, x, y)) return;
  DrawText2(x, y, FormatLength(length));
}

void DrawRowNumberLabel(const Model& model, int number) {
  if (!ValidRow(model, number)) return;
  const LayoutRow& row = model.row(number);
  const ElementType type = row.elementType;
  if (type == ElementType::None || MakesNoPicture(type) || !ValidNode(model, row.endNode)) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  if (IsNodeOnlyType(type) || !ValidNode(model, row.startNode)) {
    const NodeRecord& node = model.nodes[row.endNode];
    DrawText2(node.screenX + LabelOffsetX, node.screenY - LabelOffsetY, text);
    return;
  }
  float x = 0.0f, y = 0.0f;
  if (MidpointLabelPlace(model, row, x, y)) DrawText2(x, y, text);
}

bool RowKindShown(const Model& model, int number) {
  if (!ValidRow(model, number)) return false;
  const LayoutRow& row = model.row(number);
  if (row.endNode == 0) return false;
  const GraphicsSettings& settings = model.graphics;
  const int elementKind = ElementKindSwitch(row.elementType);
  if (elementKind >= 0 && KindSwitch(settings, elementKind)) return true;
  const int dataKind = DataKindSwitch(row.dataType);
  if (dataKind >= 0 && KindSwitch(settings, dataKind)) return true;
  const bool displacements = KindSwitch(settings, kNumberSpecifiedDisplacements);
  if (row.item == nullptr) return false;
  if (displacements && row.item->HasSpecifiedDisplacements()) return true;
  return KindSwitch(settings, kNumberAnchorReleases) && row.item->HasReleases();
}

float SectionOuterRadius(const Model& model, int number) {
  if (!ValidRow(model, number)) return 0.0f;
  const LayoutRow& row = model.row(number);
  if (row.elementType == ElementType::Beam) {
    const int index = FindBeamSectionByName(model.beamSections, row.section);
    if (index == 0) return 0.0f;
    const BeamSection& section = model.beamSections[index];
    float larger = std::max(section.depth, section.width);
    if (larger < 0.01f) larger = std::sqrt(std::max(section.A, 0.0f));
    return larger / 2.0f * g_SymbolScale;
  }
  return HalfDiameterOf(model, row.section);
}

float ElementOuterRadius(const Model& model, int number) {
  if (!ValidRow(model, number)) return 0.0f;
  const LayoutRow& row = model.row(number);
  const bool coreColoured = g_ResultsHidePipes && !g_JacketStresses;
  if (!coreColoured) {
    const float jacket = JacketRadius(model, row);
    if (jacket > 0.0f) return jacket;
  }
  return HalfDiameterOf(model, row.section);
}

float PipeRadiusAtRow(const Model& model, int number) {
  if (!ValidRow(model, number)) return 0.0f;
  const LayoutRow& row = model.row(number);
  const ElementType type = row.elementType;
  if (!IsNodeOnlyType(type) && type != ElementType::Elastic) return SectionOuterRadius(model, number) * g_SymbolScale;
  float r = 0.0f;
  if (type == ElementType::Location && ValidNode(model, row.endNode)) {
    const int creator = model.nodes[row.endNode].row;
    if (ValidRow(model, creator)) {
      r = JacketRadius(model, model.row(creator));
      if (r == 0.0f) r = SectionOuterRadius(model, creator);
    }
  }
  if (const int next = NextElementRow(model, number); next != 0) {
    const ElementType nextType = model.row(next).elementType;
    if (nextType == ElementType::JacketedPipe || nextType == ElementType::JacketedBend)
      r = JacketRadius(model, model.row(next));
    if (r == 0.0f) r = SectionOuterRadius(model, next);
  }
  // The node's radius is scaled already: the result is scaled once.
  if (r == 0.0f) return PipeRadiusAtNode(model, row.node);
  return r * g_SymbolScale;
}

float PipeRadiusAtNode(const Model& model, std::int32_t nodeId) {
  const int index = FindNodeIndex(model.nodes, nodeId);
  if (index != 0) {
    const float radius = SectionOuterRadius(model, model.nodes[index].row);
    if (radius > 0.0f) return radius * g_SymbolScale;
  }
  return 6.0f * g_SymbolScale;
}
