// Finding element rows and changing a row's kinds. A kind change of the open
// model also takes the old object off the line picture (and the highlight
// with it) before the object goes.
#include "model/RowOperations.h"

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/RowObjects.h"
#include "services/ViewRequests.h"

namespace {

bool HasElementEnd(const LayoutRow& row) { return row.node != 0 && row.endNode != 0; }

}  // namespace

int PreviousElementRow(const Model& model, int row) {
  const ElementType own = model.row(row).elementType;
  if (own == ElementType::Comment || own == ElementType::HydrotestLoad) return 0;
  for (int number = row - 1; number >= 1; --number) {
    const LayoutRow& candidate = model.row(number);
    if (HasElementEnd(candidate) && candidate.elementType != ElementType::None &&
        candidate.elementType != ElementType::Location)
      return number;
  }
  return 0;
}

int NextElementRow(const Model& model, int row) {
  for (int number = row + 1; number <= model.rowCount; ++number) {
    const LayoutRow& candidate = model.row(number);
    const ElementType type = candidate.elementType;
    if (HasElementEnd(candidate) && type != ElementType::Location && type != ElementType::Comment &&
        type != ElementType::HydrotestLoad)
      return number;
  }
  return 0;
}

bool IsRunBreakElementType(ElementType type) {
  return type == ElementType::From || type == ElementType::Rigid || type == ElementType::Elastic ||
         type == ElementType::TieRod;
}

bool IsRowAtRunEnd(const Model& model, int row) {
  if (row >= model.rowCount) return true;
  const int next = NextElementRow(model, row);
  if (next != 0 && IsRunBreakElementType(model.row(next).elementType)) return true;
  return IsRunBreakElementType(model.row(PreviousElementRow(model, row)).elementType);
}

bool IsBendElementType(ElementType type) {
  return type == ElementType::Bend || type == ElementType::Miter ||
         type == ElementType::JacketedBend;
}

ElementData* PreviousBendData(Model& model, int row) {
  for (int number = row - 1; number >= 2; --number) {
    LayoutRow& candidate = model.row(number);
    if (candidate.elementType == ElementType::Bend) return candidate.element.get();
  }
  return nullptr;
}

ElementData* SetElementType(Model& model, int row, ElementType type) {
  LayoutRow& target = model.row(row);
  if (type == ElementType::Bend) ClearDataType(model, row);
  if (&model == &TheModel()) EraseRowElement(model, row);
  target.element.reset();
  target.elementType = type;
  target.element = CreateElementData(type);
  if (type == ElementType::Bend && target.element) {
    BendRecord* bend = target.element->AsBend();
    ElementData* before = PreviousBendData(model, row);
    const BendRecord* previous = before != nullptr ? before->AsBend() : nullptr;
    if (bend && previous) {
      bend->radiusType = previous->radiusType;
      bend->radius = previous->radius;
      bend->thickness = previous->thickness;
      bend->material = previous->material;
      bend->flexibilityFactor = previous->flexibilityFactor;
    }
  }
  return target.element.get();
}

DataItem* SetDataType(Model& model, int row, DataType type) {
  LayoutRow& target = model.row(row);
  if (&model == &TheModel()) {
    HideHighlight();
    EraseRowDataItem(model, row);
  }
  target.item.reset();
  target.dataType = type;
  target.item = CreateDataItem(type);
  return target.item.get();
}

void ClearDataType(Model& model, int row) {
  LayoutRow& target = model.row(row);
  if (target.dataType == DataType::None) return;
  if (&model == &TheModel()) {
    HideHighlight();
    EraseRowDataItem(model, row);
  }
  target.item.reset();
  target.dataType = DataType::None;
  model.modified = true;
}

void FreeRowObjects(LayoutRow& row) {
  row.element.reset();
  row.item.reset();
}

bool ItemWithoutConnectedNode(const LayoutRow& row) {
  if (row.dataType == DataType::None || !row.item) return false;
  if (row.dataType == DataType::Nozzle || row.dataType == DataType::JacketEndCap ||
      row.dataType == DataType::BranchSif)
    return false;
  return !row.item->HasConnectedNode();
}

void CountRowItems(LayoutRow& row) {
  if (row.element) row.element->Count();
  if (row.item) row.item->Count();
}

void RegisterRowItems(LayoutRow& row, int rowNumber) {
  if (row.elementType != ElementType::None && row.element) row.element->Register(rowNumber);
  if (row.dataType != DataType::None && row.item) row.item->Register(rowNumber);
}
