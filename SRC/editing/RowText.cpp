// Row texts and the dialog fill dispatch; see the header.
#include "editing/RowText.h"

#include "elements/BranchSif.h"
#include "elements/Weld.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "services/NameTables.h"
#include "services/Units.h"
#include "supports/Hanger.h"
#include "supports/Restraint.h"

namespace {

std::string LengthCell(float value) { return value == 0.0f ? std::string() : FormatLength(value); }

}  // namespace

int DataItemSubtype(const LayoutRow& row) {
  const DataItem* item = row.item.get();
  if (!item) return 0;
  switch (row.dataType) {
    case DataType::Restraint:
      if (auto* restraint = dynamic_cast<const Restraint*>(item)) return RestraintDirectionCode(*restraint);
      return 0;
    case DataType::Hanger:
      if (auto* hanger = dynamic_cast<const Hanger*>(item)) {
        if (hanger->kind >= kUserHanger && hanger->kind <= kConstantSupport)
          return hanger->kind - kUserHanger + 1;
      }
      return 0;
    case DataType::BranchSif:
      if (auto* branch = dynamic_cast<const BranchSif*>(item)) return branch->type;
      return 0;
    case DataType::Weld:
      if (auto* weld = dynamic_cast<const Weld*>(item)) return weld->type;
      return 0;
    default: return 0;
  }
}

std::string LayoutRowElementText(const LayoutRow& row) {
  return row.element ? row.element->Text() : std::string();
}

std::string RowItemText(const Model& model, int row, int column) {
  const LayoutRow& target = model.row(row);
  if (column == 1) return NodeNumberText(model.row(PreviousElementRow(model, row)).node);
  if (column == 2) return NodeNumberText(target.node);
  return target.element ? target.element->CellText(column) : std::string();
}

std::string DataItemText(const Model& model, int row, int column) {
  const LayoutRow& target = model.row(row);
  if (column == 1) return NodeNumberText(target.node);
  return target.item ? target.item->CellText(column) : std::string();
}

std::string LayoutRowCellText(const Model& model, int row, int column) {
  const LayoutRow& target = model.row(row);
  switch (column) {
    case 1:
      if (target.elementType == ElementType::Comment || target.elementType == ElementType::HydrotestLoad)
        return LayoutRowElementText(target);
      return std::string(NodeNumberText(target.node)) + (target.absolute ? "*" : "");
    case 2: return ElementTypeName(static_cast<int>(target.elementType));
    case 3: return LengthCell(target.dx);
    case 4: return LengthCell(target.dy);
    case 5: return LengthCell(target.dz);
    case 6: return target.material;
    case 7: return target.section;
    case 8: return target.load;
    case 9:
      if (target.dataType == DataType::None) return {};
      return DataItemTypeName(static_cast<int>(target.dataType), DataItemSubtype(target));
    default: return {};
  }
}

void FillElementDialog(const LayoutRow& row, HWND dialog, int elementType) {
  if (static_cast<int>(row.elementType) == elementType && row.element) row.element->FillDialog(dialog);
}

void FillDataItemDialog(const LayoutRow& row, HWND dialog, int dataType) {
  if (static_cast<int>(row.dataType) == dataType && row.item) row.item->FillDialog(dialog);
}

void FillDataItemDialogBySubtype(const LayoutRow& row, HWND dialog, int dataType, int subtype) {
  if (static_cast<int>(row.dataType) == dataType && row.item && DataItemSubtype(row) == subtype)
    row.item->FillDialog(dialog);
}
