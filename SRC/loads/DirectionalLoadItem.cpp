// The directional load item's record, copy, columns and dialog, and the
// loads' use of a table's name; see DirectionalLoadItem.h.
#include "loads/DirectionalLoadItem.h"

#include "kindbase/KindRecord.h"
#include "loads/DirectionalLoadDialog.h"
#include "model/Model.h"

void DirectionalLoadItem::Write(BinaryFile& file) const {
  WriteDirectionalLoad(file, Direction, Units, TableName(), ScaleFactor, UnitFactor);
}

void DirectionalLoadItem::CopyFrom(const DataItem& other) {
  const DirectionalLoadItem& source = SameKind(*this, other);
  Direction = source.Direction;
  Units = source.Units;
  TableName() = source.TableName();
  ScaleFactor = source.ScaleFactor;
  UnitFactor = source.UnitFactor;
}

std::string DirectionalLoadItem::CellText(int column) const { return DirectionalLoadCellText(Values(), column); }

void DirectionalLoadItem::FillDialog(HWND dialog) { FillDirectionalLoadDialog(dialog, Values()); }

bool IsTableNamedByLoads(const Model& model, DataType kind, const std::string& name) {
  if (name.empty()) return false;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.dataType != kind || !layout.item) continue;
    if (static_cast<const DirectionalLoadItem&>(*layout.item).TableName() == name) return true;
  }
  return false;
}

void RenameTableInLoads(Model& model, DataType kind, const std::string& from, const std::string& to) {
  for (int row = 1; row <= model.rowCount; ++row) {
    LayoutRow& layout = model.row(row);
    if (layout.dataType != kind || !layout.item) continue;
    std::string& name = static_cast<DirectionalLoadItem&>(*layout.item).TableName();
    if (name == from) name = to;
  }
}
