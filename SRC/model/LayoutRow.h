// One row of the layout, the unit of input: the node at which one element
// ends, the element's kind and its offsets (or coordinates), the names of the
// material, pipe section and pipe load it uses, and optionally one data item
// at the node. A row owns its element object and its data item; changing a
// kind deletes the old object and makes the new one through the factories of
// RowObjects.h.
//
// The row table lives in the Model (Model.h): room for 7010 rows, rows 1 to
// the row count in use, at most 7000. Row 0 is never shown: it stands for "no
// row" where an operation returns one, and Find and Replace keeps its hidden
// template there. The four node indexes are places in the node table, valid
// only until the next making of the model; the values a file holds are not
// trusted.
//
// The type codes are those of the model file and must not change.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "records/DrawingGeometry.h"

enum class ElementType : std::int32_t {
  None = 0,
  From = 1,
  Location = 2,
  Pipe = 3,
  Bend = 4,
  Miter = 5,
  JacketedPipe = 6,
  JacketedBend = 7,
  Valve = 8,
  Reducer = 9,
  Bellows = 10,
  SlipJoint = 11,
  HingeJoint = 12,
  BallJoint = 13,
  Rigid = 14,
  Elastic = 15,
  CutPipe = 16,
  Beam = 17,
  Comment = 18,
  TieRod = 19,
  HydrotestLoad = 20,
};
constexpr std::int32_t kElementTypeLast = 20;

enum class DataType : std::int32_t {
  None = 0,
  Anchor = 1,
  Restraint = 2,
  SkewedRestraint = 3,
  Hanger = 4,
  Guide = 5,
  LimitStop = 6,
  Nozzle = 7,
  Snubber = 8,
  Spider = 9,
  JacketEndCap = 10,
  Flange = 11,
  BranchSif = 12,
  UserSif = 13,
  Weld = 14,
  ThreadedJoint = 15,
  Force = 16,
  ConcentratedMass = 17,
  TimeVaryingLoad = 18,
  HarmonicLoad = 19,
  ForceSpectrumLoad = 20,
  GenericSupport = 21,
};
constexpr std::int32_t kDataTypeLast = 21;

constexpr int kMaxLayoutRows = 7000;
constexpr int kLayoutRowRoom = 7010;
// Material, section and load names: at most 5 characters (6 bytes in files
// from version 680 on, 4 bytes before).
constexpr int kShortNameLength = 5;

class ElementData;
class DataItem;

struct LayoutRow {
  std::int32_t node = 0;  // NodeId; 0 = the row is empty
  bool absolute = false;  // dx, dy, dz are the node's coordinates
  ElementType elementType = ElementType::None;
  DataType dataType = DataType::None;
  float dx = 0.0f;
  float dy = 0.0f;
  float dz = 0.0f;
  std::string material;  // beam material on Beam rows; empty = inherit
  std::string section;   // beam section on Beam rows
  std::string load;      // beam load on Beam rows
  std::int32_t startNode = 0;  // node indexes, 0 = none
  std::int32_t endNode = 0;
  std::int32_t runStart = 0;
  std::int32_t runEnd = 0;
  bool drawn = false;
  bool dimmed = false;
  // Which row this is while rows move up and down and nodes are renumbered
  // (0: none given yet): the undo snapshot of an edit gives every row one,
  // so the rules of the whole model tell a break the edit made from one the
  // row already held (ModelRules.h). No file keeps it; a copy takes none.
  std::uint32_t identity = 0;
  std::unique_ptr<ElementData> element;  // null when elementType is None
  std::unique_ptr<DataItem> item;        // null when dataType is None
  Rect2 bounds2d{1.0e30f, 1.0e30f, -1.0e30f, -1.0e30f};
  Rect2 boundsGl{1.0e30f, 1.0e30f, -1.0e30f, -1.0e30f};

  LayoutRow();
  ~LayoutRow();
  LayoutRow(LayoutRow&&) noexcept;
  LayoutRow& operator=(LayoutRow&&) noexcept;
  LayoutRow(const LayoutRow&) = delete;
  LayoutRow& operator=(const LayoutRow&) = delete;
};

bool IsValidElementType(std::int32_t code);
bool IsValidDataType(std::int32_t code);

// A deep copy: every field, and new objects of the same kinds copied with
// CopyFrom.
void CopyLayoutRow(LayoutRow& destination, const LayoutRow& source);
// Back to an empty row: objects deleted, fields zeroed.
void ClearLayoutRow(LayoutRow& row);
