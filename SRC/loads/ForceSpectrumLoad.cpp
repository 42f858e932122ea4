// The force spectrum load's record and copy; see the header.
#include "loads/ForceSpectrumLoad.h"

#include "kindbase/KindRecord.h"
#include "loads/DirectionalLoad.h"
#include "loads/DirectionalLoadDialog.h"
#include "model/Model.h"

void ForceSpectrumLoad::Read(BinaryFile& file) {
  ReadDirectionalLoad(file, {Direction, Units, SpectrumName, ScaleFactor, UnitFactor},
                      kLoadTableNameWidth, "Force spectrum load");
}

void ForceSpectrumLoad::Write(BinaryFile& file) const {
  WriteDirectionalLoad(file, Direction, Units, SpectrumName, ScaleFactor, UnitFactor);
}

void ForceSpectrumLoad::CopyFrom(const DataItem& other) {
  const ForceSpectrumLoad& source = SameKind(*this, other);
  Direction = source.Direction;
  Units = source.Units;
  SpectrumName = source.SpectrumName;
  ScaleFactor = source.ScaleFactor;
  UnitFactor = source.UnitFactor;
}

std::string ForceSpectrumLoad::CellText(int column) const { return DirectionalLoadCellText(Values(), column); }

void ForceSpectrumLoad::FillDialog(HWND dialog) { FillDirectionalLoadDialog(dialog, Values()); }

bool IsForceSpectrumInUse(const Model& model, const std::string& name) {
  if (name.empty()) return false;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.dataType != DataType::ForceSpectrumLoad || !layout.item) continue;
    if (static_cast<const ForceSpectrumLoad&>(*layout.item).SpectrumName == name) return true;
  }
  return false;
}
