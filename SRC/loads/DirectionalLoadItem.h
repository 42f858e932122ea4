// The row item the time varying load and the force spectrum load both are:
// a directional load that names a point table (DirectionalLoad.h). Their
// record, copy, list columns, dialog filling, the question whether a load
// names a table and the rename of a table in the loads are one logic; a
// kind adds only the member holding the name, the read (the name's width
// differs in old files) and the index of the named table the analysis sets.
#pragma once

#include <cstdint>
#include <string>

#include "loads/DirectionalLoad.h"
#include "model/LayoutRow.h"
#include "model/RowObjects.h"

struct Model;

class DirectionalLoadItem : public DataItem {
 public:
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;

  DirectionalLoadValues Values() const { return {Direction, Units, TableName(), ScaleFactor, UnitFactor}; }
  DirectionalLoadFields Fields() { return {Direction, Units, TableName(), ScaleFactor, UnitFactor}; }

  // The name of the force spectrum or time function the load names.
  virtual std::string& TableName() = 0;
  virtual const std::string& TableName() const = 0;

  std::int32_t Direction = 0;
  std::int32_t Units = 0;
  float ScaleFactor = 1.0f;
  float UnitFactor = 1.0f;
};

// Whether a row's load of kind `kind` names `name` (never for an empty name).
bool IsTableNamedByLoads(const Model& model, DataType kind, const std::string& name);
// Gives every load of kind `kind` that names `from` the name `to`.
void RenameTableInLoads(Model& model, DataType kind, const std::string& from, const std::string& to);
