// The time varying load's record and copy; see the header.
#include "loads/TimeVaryingLoad.h"

#include "kindbase/KindRecord.h"
#include "loads/DirectionalLoad.h"
#include "loads/DirectionalLoadDialog.h"
#include "model/Model.h"
#include "records/ModelFileFormat.h"

void TimeVaryingLoad::Read(BinaryFile& file) {
  const std::size_t nameWidth = g_ModelFileVersion < 503 ? 16 : kLoadTableNameWidth;
  ReadDirectionalLoad(file, {Direction, Units, TimeFunctionName, ScaleFactor, UnitFactor}, nameWidth,
                      "Time varying load");
}

void TimeVaryingLoad::Write(BinaryFile& file) const {
  WriteDirectionalLoad(file, Direction, Units, TimeFunctionName, ScaleFactor, UnitFactor);
}

void TimeVaryingLoad::CopyFrom(const DataItem& other) {
  const TimeVaryingLoad& source = SameKind(*this, other);
  Direction = source.Direction;
  Units = source.Units;
  TimeFunctionName = source.TimeFunctionName;
  ScaleFactor = source.ScaleFactor;
  UnitFactor = source.UnitFactor;
}

std::string TimeVaryingLoad::CellText(int column) const { return DirectionalLoadCellText(Values(), column); }

void TimeVaryingLoad::FillDialog(HWND dialog) { FillDirectionalLoadDialog(dialog, Values()); }

bool IsTimeFunctionInUse(const Model& model, const std::string& name) {
  if (name.empty()) return false;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.dataType != DataType::TimeVaryingLoad || !layout.item) continue;
    if (static_cast<const TimeVaryingLoad&>(*layout.item).TimeFunctionName == name) return true;
  }
  return false;
}
