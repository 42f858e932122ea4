// The "Time varying loads" and "Force spectrum loads" lists of the List
// window and their sections of the printed model data: node, direction,
// units, the named table and the scale factor. Only the scale factor is
// typed in (any real); the rest changes through the kind's dialog, which
// Enter, a double click or Edit opens. Delete removes the load from its row.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class DirectionalLoadsList : public KindListTable {
 public:
  DirectionalLoadsList(DataType type, RowListKind list, const char* title, const char* itemName,
                       const char* tableHeading);
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreItemCell(DataItem& item, int column) override;
  void EnterRow(bool control) override;
  void WriteText() override;

  const char* const tableHeading;  // "Time Function", "Force Spectrum"
};

TableWindow& TimeVaryingLoadsListTable();
bool TimeVaryingLoadsListOffered(const Model& model);
void OpenTimeVaryingLoadsTable();
void PrintTimeVaryingLoadsTable();

TableWindow& ForceSpectrumLoadsListTable();
bool ForceSpectrumLoadsListOffered(const Model& model);
void OpenForceSpectrumLoadsTable();
void PrintForceSpectrumLoadsTable();

// The text-report line of the time varying or force spectrum load of `row`.
std::string DescribeDirectionalLoad(int row);
// A time varying or force spectrum load's details text after its node
// (RowDetails.h).
void DirectionalLoadDetailsText(int row);
