// Pipe loads: the `PipeLoad` record that layout rows (and jacketed items)
// name, the model's pipe-load table and its model-file section. A pipe load
// is a name, ten operating temperature/pressure pairs, the design
// temperature and pressure, the specific gravity of the contents, an
// additional weight per length and the wind flag. How many pairs are in use
// is the model's number of thermal loads (1, 2, 3, or 4 and more for all
// ten). Files before version 781 carry no design values: the reader takes
// the highest temperature and pressure in use, so it is given that count.
//
// Besides the record and its section this module answers which rows use a
// load, renames a load in every row (jacket loads included) and merges the
// loads of another model. The edit dialog is PipeLoadDialog.h, the "Loads"
// list PipeLoadsTable.h, the report PipeLoadsPrint.cpp. Start reading at
// ReadPipeLoads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <vector>

#include "records/FieldRules.h"
#include "records/RecordTable.h"

struct BinaryFile;

struct TemperaturePressure {
  float temperature = 0.0f;  // degrees F
  float pressure = 0.0f;     // psi
};

struct PipeLoad {
  std::string name;                              // up to 5 characters
  std::array<TemperaturePressure, 10> operating; // T1/P1 .. T10/P10
  float designTemperature = 0.0f;
  float designPressure = 0.0f;
  float specificGravity = 0.0f;
  float additionalWeight = 0.0f;
  std::uint8_t wind = 0;
};

// The rules of a load's fields (FieldRules.h), in file order: T1 to T10
// (a pair out of use too: none below absolute zero is sound, and one would
// stand in the way the day the model uses the pair), the design
// temperature, the specific gravity and the additional weight. The
// pressures may be any.
enum PipeLoadRuled : int {
  kPipeLoadT1Rule,
  kPipeLoadDesignTemperatureRule = 10,
  kPipeLoadSpecificGravityRule,
  kPipeLoadAdditionalWeightRule,
  kPipeLoadRuleCount
};
extern const FieldRule<PipeLoad> kPipeLoadRules[kPipeLoadRuleCount];

// Number of T/P pairs in use for a thermal-load count (4 or more: all ten).
int PipeLoadPairsInUse(int thermalLoadCount);

// A new record: every T the reference temperature, every P and the design
// pressure the not-given value, the design temperature the reference
// temperature, no specific gravity or additional weight, wind on.
void InitPipeLoad(PipeLoad& record, float referenceTemperature);
int FindPipeLoadByName(const ModelRecordTable<PipeLoad>& table, const std::string& name);
int AppendPipeLoad(ModelRecordTable<PipeLoad>& table, const PipeLoad& record);
// Record `index` (1 .. count + 1): the slot after the last record is the
// spare new record of the "Loads" list, made when first reached.
PipeLoad& PipeLoadSlot(ModelRecordTable<PipeLoad>& table, int index);

// Largest operating temperature and pressure over the pairs in use.
float PipeLoadMaxTemp(const PipeLoad& record, int thermalLoadCount);
float PipeLoadMaxPressure(const PipeLoad& record, int thermalLoadCount);

// The design values cover every operating pair in use: the rule of the
// pipe-load dialog and the "Loads" list, with the messages they give.
inline constexpr const char* kDesignTemperatureMessage = "Design Temperature should be >= all Operating Temperatures";
inline constexpr const char* kDesignPressureMessage = "Design Pressure should be >= all Operating Pressures";
bool DesignTemperatureCoversOperating(const PipeLoad& record, int thermalLoadCount);
bool DesignPressureCoversOperating(const PipeLoad& record, int thermalLoadCount);

void PipeLoadRead(BinaryFile& file, int version, int thermalLoadCount, PipeLoad& record);
void PipeLoadWrite(BinaryFile& file, const PipeLoad& record);

void ReadPipeLoads(BinaryFile& file, int version, int thermalLoadCount,
                   ModelRecordTable<PipeLoad>& table);
void WritePipeLoads(BinaryFile& file, const ModelRecordTable<PipeLoad>& table);

// The merge: the pipe-load section of the merged file into its own table;
// MergePipeLoads (PipeLoadUse.h) then appends the merged records to the
// model's.
void ReadMergePipeLoads(BinaryFile& file, int version, int thermalLoadCount, ModelRecordTable<PipeLoad>& merged);

// The "Loads" list's columns: 1 name; 2 .. 21 T1, P1 ... T10, P10; 22
// design temperature; 23 design pressure; 24 specific gravity; 25
// additional weight; 26 wind. Empty for 0 and for pairs not in use.
constexpr int kPipeLoadColumns = 26;
std::string PipeLoadCellText(const PipeLoad& record, int column, int thermalLoadCount);
// The headings of a column, lines 0 and 1.
std::string PipeLoadHeadingText(int column, int line);
// The specific gravity as the lists show it: "%.3f" with up to two
// trailing zeros dropped; empty for 0.
std::string SpecificGravityText(float value);
