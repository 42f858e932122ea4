// The two bases behind every layout row: ElementData, the element kind's own
// values and behaviour, and DataItem, the data kind's own values and
// behaviour at the row's node. Every other module reaches the kinds only
// through these virtual operations, declared here in their fixed order (16
// for elements, 39 for data items), and through the few queries after them
// that the model core asks while it makes the model (the bend and jacket
// records, a support's connected node, an anchor's or nozzle's specified
// displacements). The base answers of each operation are the behaviour of a
// kind that has nothing to add: no-ops, empty texts, false, null. The From
// and Location rows use the ElementData base itself.
//
// Per-kind classes live with their subsystems (elements, supports, loads,
// properties) and are made only by the two factories, which the element
// module defines and the start-up installs (SetRowKinds):
// CreateElementData for ElementType 1 to 20 and CreateDataItem for DataType
// 1 to 21 (None gives null). Callers pass only valid codes
// (IsValidElementType / IsValidDataType); file readers check the codes
// first and refuse a damaged file with a message.
//
// EditDialog serves two callers. The graphics window's pick calls it on the
// graphics thread for the drawn copy of the model with the clicked point in
// view units (GraphicsPickInProgress() is then true): a kind hit-tests its
// drawn shape there and, on a hit, asks for the edit with
// RequestPickedRowEdit (services/ViewRequests.h) and returns true; the
// bases draw nothing, so they are never hit. The Layout table's edit command calls it
// for the open model (the point is 0, 0): the kind opens its dialog.
//
// Read and Write take the model file; readers test g_ModelFileVersion
// (files/ModelFile.h) and throw a message text on damage. Count and Register
// stay no-ops: the regeneration fills the per-kind row lists by type code.
// The drawing, dialog and analysis hooks take the records of later
// subsystems, forward-declared here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/LayoutRow.h"
#include "platform/Types.h"
#include "records/DrawingGeometry.h"

struct BinaryFile;
struct BendRecord;
struct JacketRecord;
struct JacketedBendRecord;
struct JacketedPipeRecord;

class ElementData {
 public:
  ElementData() = default;
  virtual ~ElementData();
  ElementData(const ElementData&) = delete;
  ElementData& operator=(const ElementData&) = delete;

  virtual void Read(BinaryFile& file);                     // 0
  virtual void Write(BinaryFile& file) const;              // 1
  virtual void CopyFrom(const ElementData& other);         // 2, same kind
  virtual void Count();                                    // 3
  virtual std::string CellText(int column) const;          // 4
  virtual std::string Text() const;                        // 5
  virtual void FillDialog(HWND dialog);                    // 6
  virtual void Register(int rowNumber);                    // 7
  virtual void ComputeShape(LayoutRow& row);               // 8
  virtual void BuildGeometry(LayoutRow& row);              // 9
  virtual void Draw2D(LayoutRow& row);                     // 10
  virtual void DrawGl(LayoutRow& row);                     // 11
  virtual void DrawOutline();                              // 12
  virtual void DrawPickAreas();                            // 13
  virtual bool EditDialog(int rowNumber, float x, float y);  // 14
  virtual bool IsNonlinear() const;                        // 15

  // The records of the bend and jacket kinds (model/KindRecords.h): a bend
  // or jacketed bend is a bend, a jacketed pipe or bend has a jacket.
  virtual BendRecord* AsBend();
  virtual const BendRecord* AsBend() const;
  virtual JacketRecord* AsJacket();
  virtual const JacketRecord* AsJacket() const;
  virtual JacketedBendRecord* AsJacketedBend();
  virtual const JacketedBendRecord* AsJacketedBend() const;
  virtual JacketedPipeRecord* AsJacketedPipe();
  virtual const JacketedPipeRecord* AsJacketedPipe() const;
};

class DataItem {
 public:
  DataItem();
  virtual ~DataItem();
  DataItem(const DataItem&) = delete;
  DataItem& operator=(const DataItem&) = delete;

  virtual void Read(BinaryFile& file);                     // 0
  virtual void Write(BinaryFile& file) const;              // 1
  virtual void CopyFrom(const DataItem& other);            // 2, same kind
  virtual void Count();                                    // 3
  virtual std::string CellText(int column) const;          // 4
  virtual void FillDialog(HWND dialog);                    // 5
  virtual void Register(int rowNumber);                    // 6
  virtual void ComputeSymbolBounds(LayoutRow& row);        // 7
  virtual void BuildSymbol(LayoutRow& row);                // 8
  virtual void Draw2D(LayoutRow& row);                     // 9
  virtual void DrawGl(LayoutRow& row);                     // 10
  virtual void AddStiffness(int rowNumber);                // 11
  virtual void AddLoads(int rowNumber);                    // 12
  virtual void AddCaseLoads(int rowNumber, int loadCase);  // 13
  virtual void AddInertiaLoads(int rowNumber);             // 14
  virtual void AddMasses(int rowNumber);                   // 15
  virtual void ComputeSupportLoads(int rowNumber);         // 16
  virtual void ClearCaseLoads();                           // 17
  virtual void SqrtCaseLoads();                            // 18
  virtual void ClearSumLoads();                            // 19
  virtual void AddCaseToSum();                             // 20
  virtual void AddSqrtCaseToSum();                         // 21
  virtual void SqrtScaledSumToCase();                      // 22
  virtual void ReadCaseLoads();                            // 23
  virtual void WriteCaseLoads();                           // 24
  virtual void ReadSumLoads();                             // 25
  virtual void WriteSumLoads();                            // 26
  virtual void SubtractCaseFromSum();                      // 27
  virtual void AllocTimeLoads();                           // 28
  virtual void FreeTimeLoads();                            // 29
  virtual void StoreTimeLoads(int timeStep);               // 30
  virtual void AccumulateTimeLoads(int step1, int step2);  // 31
  virtual void DifferenceTimeLoads(int step1, int step2);  // 32
  virtual void TimeLoadExtremes();                         // 33
  virtual void DrawBounds();                               // 34
  virtual void DrawPickAreas();                            // 35
  virtual bool EditDialog(int rowNumber, float x, float y);  // 36
  virtual bool IsNonlinear() const;                        // 37
  virtual bool HasConnectedNode() const;                   // 38

  // The node a hanger, skewed restraint or limit stop is connected to (0:
  // none); whether an anchor or nozzle has specified displacements (a
  // direction flagged), whether its settlement set is flagged, and whether
  // an anchor releases a direction.
  virtual std::int32_t ConnectedNode() const;
  virtual bool HasSpecifiedDisplacements() const;
  virtual bool HasSettlement() const;
  virtual bool HasReleases() const;

  Rect2 symbolBounds;  // screen bounds of the symbol in the 2D picture
  Rect2 glBounds;      // the same in the rendered picture
};

// The kinds' factories and edit dialogs (elements/RowObjectFactory.h),
// installed at start-up. None gives null; a code outside the enumeration is
// a programming error.
struct RowKinds {
  std::unique_ptr<ElementData> (*createElement)(ElementType type) = nullptr;
  std::unique_ptr<DataItem> (*createItem)(DataType type) = nullptr;
  bool (*elementDialog)(HWND owner, int row, ElementType type) = nullptr;
  bool (*itemDialog)(HWND owner, int row, DataType type) = nullptr;
};
void SetRowKinds(const RowKinds& kinds);
std::unique_ptr<ElementData> CreateElementData(ElementType type);
std::unique_ptr<DataItem> CreateDataItem(DataType type);
// The kind's edit dialog for a row over `owner`; true when it stored.
bool RunElementDialog(HWND owner, int row, ElementType type);
bool RunItemDialog(HWND owner, int row, DataType type);
