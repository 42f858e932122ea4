// The base answers of the row object operations: a kind that adds nothing to
// an operation behaves as these. A data item's base has bounds at its node
// and draws them as its outline and pick area. The edit dialogs open through
// the kind table.
#include "model/RowObjects.h"

#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "services/Assert.h"
#include "services/Frame.h"
#include "services/ViewRequests.h"

namespace {

RowKinds& Kinds() {
  static RowKinds kinds;
  return kinds;
}

}  // namespace

void SetRowKinds(const RowKinds& kinds) {
  QV_ASSERT(kinds.createElement && kinds.createItem && kinds.elementDialog && kinds.itemDialog);
  Kinds() = kinds;
}

std::unique_ptr<ElementData> CreateElementData(ElementType type) { return Kinds().createElement(type); }
std::unique_ptr<DataItem> CreateDataItem(DataType type) { return Kinds().createItem(type); }
bool RunElementDialog(HWND owner, int row, ElementType type) { return Kinds().elementDialog(owner, row, type); }
bool RunItemDialog(HWND owner, int row, DataType type) { return Kinds().itemDialog(owner, row, type); }

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
// Every element kind with a shape draws itself. The rows that keep these
// have nothing to draw: From and Location rows are points (their node marks
// are drawn with the nodes), Comment and Hydrotest load rows make no
// element.
void ElementData::Draw2D(LayoutRow&) {}
void ElementData::DrawGl(LayoutRow&) {}
void ElementData::DrawOutline() {}
void ElementData::DrawPickAreas() {}
// The kind's dialog through the kind table; a pick in the graphics window
// opens it through the GUI thread instead.
bool ElementData::EditDialog(int rowNumber, float, float) {
  if (GraphicsPickInProgress()) return false;
  const Model& model = TheModel();
  if (rowNumber < 1 || rowNumber > model.rowCount + 1) return false;
  return RunElementDialog(LayoutFrame().window, rowNumber, model.row(rowNumber).elementType);
}
bool ElementData::IsNonlinear() const { return false; }
BendRecord* ElementData::AsBend() { return nullptr; }
const BendRecord* ElementData::AsBend() const { return nullptr; }
JacketRecord* ElementData::AsJacket() { return nullptr; }
const JacketRecord* ElementData::AsJacket() const { return nullptr; }
JacketedBendRecord* ElementData::AsJacketedBend() { return nullptr; }
const JacketedBendRecord* ElementData::AsJacketedBend() const { return nullptr; }
JacketedPipeRecord* ElementData::AsJacketedPipe() { return nullptr; }
const JacketedPipeRecord* ElementData::AsJacketedPipe() const { return nullptr; }

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
// Every support, flange, jacket connection, concentrated mass and force
// draws its own symbol. The items that keep these have no symbol: the
// branch and user SIFs, welds and threaded joints (they only set the
// stress intensification at the node), the time varying, harmonic and
// force spectrum loads, and a force in the rendered picture (its arrows
// are drawn in the line picture only).
void DataItem::Draw2D(LayoutRow&) {}
void DataItem::DrawGl(LayoutRow&) {}
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
  return RunItemDialog(LayoutFrame().window, rowNumber, model.row(rowNumber).dataType);
}
bool DataItem::IsNonlinear() const { return false; }
bool DataItem::HasConnectedNode() const { return false; }
std::int32_t DataItem::ConnectedNode() const { return 0; }
bool DataItem::HasSpecifiedDisplacements() const { return false; }
bool DataItem::HasSettlement() const { return false; }
bool DataItem::HasReleases() const { return false; }
