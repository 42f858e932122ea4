// The fields of a model's records as the model file stores them, each with a
// name, for the export to MBF to compare a model with the model its batch
// file reads back as (BatchExportReadBack.cpp). A record's fields are what
// its model-file writer writes, value by value (a recorder, BinaryFile.h):
// the options section, each table's record, a layout row's own fields, its
// element and its item. Nothing is listed here but the names: a field the
// writer gains is compared all the same, under the name "field <n>" until
// it is given one (the all-fields test of the export fails on that name).
//
// A field's show says how its value reads in the list and how two values
// are compared: floats are the same when they differ by a float's rounding
// only (a typed zero, 1e-36, is zero); the fields that making the model
// computes again from the rows (a bend's centre, a row's node indexes), and
// the names a row of a kind without properties holds (which no road uses),
// are not compared. A name field says which table it names, so that a record
// written under another name is followed in the rows that name it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/BinaryFile.h"

struct Model;
struct LayoutRow;
struct Material;
struct PipeSection;
struct PipeLoad;
struct BeamMaterial;
struct BeamSection;
struct BeamLoad;
struct Pump;
struct RotatingEquipment;
struct Soil;
struct Allowable;

enum class FieldShow : std::uint8_t {
  kValue,         // a float in the unit kind `unit`; 0 for a plain number
  kDegrees,       // a float angle held in degrees
  kFlag,          // on or off
  kInteger,
  kNode,          // a node number; "none" for 0
  kText,          // a text or a name, quoted
  kFlags,         // a run of flag bytes
  kPoints,        // a list of points
  kElementKind,   // a row's ElementType
  kDataKind,      // a row's DataType
  kServiceLevel,  // B, C or D
  kUnitChoice,    // the index of a unit of the kind `unit`
  kWindUnit,      // the index of a wind profile's unit: `unit` 0 elevation, 1 pressure, 2 velocity
  kMade,          // made again from the rows, or unused by the row's kind: not compared
};

// The table a name field names.
enum class NameTable : std::uint8_t {
  kNone,
  kMaterial,
  kSection,
  kPipeLoad,
  kBeamMaterial,
  kBeamSection,
  kBeamLoad,
  kSoil,
};
constexpr int kNameTableCount = 8;

struct FieldEntry {
  const char* name = "";
  FieldShow show = FieldShow::kValue;
  int unit = 0;
  NameTable table = NameTable::kNone;
  // Options only: where the list names it ("Analysis options") and the
  // piping codes it means anything for (all when null).
  const char* group = nullptr;
  bool (*applies)(std::int32_t code) = nullptr;
  // The batch file has no field for it: the import gives it a value of its
  // own whatever the model held.
  bool uncarried = false;
};

// Where a row's field belongs.
enum class RowPart : std::uint8_t { kHeader, kElement, kItem };

struct RecordField {
  std::string name;
  FieldEntry entry;
  BinaryFileValue value;
  RowPart part = RowPart::kHeader;
};

std::vector<RecordField> OptionsFields(const Model& model);
std::vector<RecordField> QaBlockFields(const Model& model);
std::vector<RecordField> RevisionFields(const Model& model);
std::vector<RecordField> MaterialFields(const Material& record);
std::vector<RecordField> SectionFields(const PipeSection& record);
std::vector<RecordField> PipeLoadFields(const PipeLoad& record);
std::vector<RecordField> BeamMaterialFields(const BeamMaterial& record);
std::vector<RecordField> BeamSectionFields(const BeamSection& record);
std::vector<RecordField> BeamLoadFields(const BeamLoad& record);
std::vector<RecordField> PumpFields(const Pump& record);
std::vector<RecordField> RotatingEquipmentFields(const RotatingEquipment& record);
std::vector<RecordField> SoilFields(const Soil& record);
std::vector<RecordField> AllowableFields(const Allowable& record);
// The row's own fields, then its element's, then its item's.
std::vector<RecordField> RowFields(const LayoutRow& row);

// The name of an anchor's or nozzle's specified displacement: slot 0 to 11
// (T1 .. T10, seismic, settlement), component 0 to 5 (DX .. RZ).
std::string DisplacementFieldName(int slot, int component);

// Whether `read` is the field's value but for a float's rounding, in the
// unit now chosen for the field's kind (the export's, while it compares).
bool SameFieldValue(const RecordField& field, const BinaryFileValue& read);
// A feet-and-inches text as the list shows it: a number of feet, which has
// no mark, followed by " ft" ("1.0288 ft", "8'4\"").
std::string FeetInchesShown(const std::string& text);
// A value as the list shows it, in the units in force ("350 F", "on"); a
// number with `digits` significant digits (see FormatSignificant).
std::string FieldValueText(const FieldEntry& entry, const BinaryFileValue& value, int digits = 6);
