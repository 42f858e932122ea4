// The base answers of the row object operations: a kind that adds nothing to
// an operation behaves as these. A kind that is to be drawn but is not yet
// keeps the empty drawing operations and says so with a STAND_IN in its own
// module. A data item's base has bounds at its node
// and draws them as its outline and pick area. The edit dialogs open through
// the kind table.
#include "model/RowObjects.h"

#include "elements/KindTable.h"
#include "graphics/Drawing2D.h"
#include "graphics/GraphicsThread.h"
#include "model/LayoutTable.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "shell/Frame.h"
#include "shell/StandIn.h"

ElementData::~ElementData() = default;

void ElementData::Read(BinaryFile&) {}
void ElementData::Write(BinaryFile&) const {}
void ElementData::CopyFrom(const ElementData&) {}
void ElementData::Count() {}
std::string ElementData::CellText(int) const { return {}; }
std::string ElementData::Text() const { return {}; }
void ElementData::FillDialog(HWND) {}
void ElementData::Register(int) {}
void ElementData::ComputeShape(LayoutRow&) {}
void ElementData::BuildGeometry(LayoutRow&) {}
// Kinds whose drawing has not been built yet draw nothing through these
// (pipes and bends draw their own).
void ElementData::Draw2D(LayoutRow&) { STAND_IN("the 2D drawing of the element kinds not drawn yet"); }
void ElementData::DrawGl(LayoutRow&) { STAND_IN("the OpenGL drawing of the element kinds not drawn yet"); }
void ElementData::DrawOutline() {}
void ElementData::DrawPickAreas() {}
// The kind's dialog through the kind table; a pick in the graphics window
// opens it through the GUI thread instead.
bool ElementData::EditDialog(int rowNumber, float, float) {
  if (GraphicsPickInProgress()) return false;
  const Model& model = TheModel();
  if (rowNumber < 1 || rowNumber > model.rowCount + 1) return false;
  return RunElementKindDialog(LayoutFrame().window, rowNumber, model.row(rowNumber).elementType);
}
bool ElementData::IsNonlinear() const { return false; }

DataItem::DataItem() {
  Rect2Reset(symbolBounds);
  Rect2Reset(glBounds);
}

DataItem::~DataItem() = default;

void DataItem::Read(BinaryFile&) {}
void DataItem::Write(BinaryFile&) const {}
void DataItem::CopyFrom(const DataItem&) {}
void DataItem::Count() {}
std::string DataItem::CellText(int) const { return {}; }
void DataItem::FillDialog(HWND) {}
void DataItem::Register(int) {}
// The node's screen point grown by the view's symbol margin.
void DataItem::ComputeSymbolBounds(LayoutRow& row) {
  Rect2Reset(symbolBounds);
  const NodeTable& nodes = CurrentNodeTable();
  if (row.endNode > 0 && row.endNode <= nodes.count) {
    Rect2Extend(symbolBounds, nodes[row.endNode].screenX, nodes[row.endNode].screenY);
    Rect2Inflate(symbolBounds, SymbolMargin());
  }
  glBounds = symbolBounds;
}
void DataItem::BuildSymbol(LayoutRow&) {}
// Items whose symbols have not been built yet draw nothing but their
// bounds (anchors and restraints draw their own).
void DataItem::Draw2D(LayoutRow&) { STAND_IN("the 2D symbols of the data items not drawn yet"); }
void DataItem::DrawGl(LayoutRow&) { STAND_IN("the OpenGL symbols of the data items not drawn yet"); }
void DataItem::AddStiffness(int) {}
void DataItem::AddLoads(int) {}
void DataItem::AddCaseLoads(int, int) {}
void DataItem::AddInertiaLoads(int) {}
void DataItem::AddMasses(int) {}
void DataItem::ComputeSupportLoads(int) {}
void DataItem::ClearCaseLoads() {}
void DataItem::SqrtCaseLoads() {}
void DataItem::ClearSumLoads() {}
void DataItem::AddCaseToSum() {}
void DataItem::AddSqrtCaseToSum() {}
void DataItem::SqrtScaledSumToCase() {}
void DataItem::ReadCaseLoads() {}
void DataItem::WriteCaseLoads() {}
void DataItem::ReadSumLoads() {}
void DataItem::WriteSumLoads() {}
void DataItem::SubtractCaseFromSum() {}
void DataItem::AllocTimeLoads() {}
void DataItem::FreeTimeLoads() {}
void DataItem::StoreTimeLoads(int) {}
void DataItem::AccumulateTimeLoads(int, int) {}
void DataItem::DifferenceTimeLoads(int, int) {}
void DataItem::TimeLoadExtremes() {}
void DataItem::DrawBounds() { Rect2Draw(symbolBounds); }
void DataItem::DrawPickAreas() { Rect2Draw(glBounds); }
bool DataItem::EditDialog(int rowNumber, float, float) {
  if (GraphicsPickInProgress()) return false;
  const Model& model = TheModel();
  if (rowNumber < 1 || rowNumber > model.rowCount + 1) return false;
  return RunDataKindDialog(LayoutFrame().window, rowNumber, model.row(rowNumber).dataType);
}
bool DataItem::IsNonlinear() const { return false; }
bool DataItem::HasConnectedNode() const { return false; }
