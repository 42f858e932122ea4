// Pumps: the `Pump` record whose suction and discharge nozzles are checked
// against a pump standard, the model's pump table and its model-file
// section. The input fields are stored; the evaluation's results are kept
// elsewhere and never in files. Files up to version 700 hold only the first
// eleven fields (57 bytes a record); later ones add the standard, category,
// size, material group, bolt or mounting index and temperature (81 bytes).
// A standard of 0, from old files, counts as Horizontal (API 610).
// Start reading at ReadPumps.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/RecordTable.h"

struct BinaryFile;

enum NozzleLocation : std::int32_t { kNozzleTop = 0, kNozzleSide = 1, kNozzleEnd = 2 };
enum PumpStandard : std::int32_t {
  kPumpHorizontalApi610 = 1,
  kPumpVerticalInlineApi610 = 2,
  kPumpAnsiHi962 = 3
};

struct Pump {
  std::string name;                     // description, up to 15 characters
  std::int32_t suctionNode = 0;         // NodeId, 0 none
  std::int32_t suctionLocation = kNozzleTop;
  std::int32_t dischargeNode = 0;
  std::int32_t dischargeLocation = kNozzleTop;
  std::array<float, 3> shaftAxis{};
  std::array<float, 3> centre{};        // inch
  std::uint8_t vertical = 0;            // 1: vertical inline (API 610)
  std::int32_t standard = 0;            // PumpStandard; 0 counts as 1
  std::int32_t category = 0;            // ANSI/HI category 0..5
  std::int32_t size = 0;
  std::int32_t boltOrMounting = 0;
  float temperature = 0.0f;             // degrees F, at most 500
  std::int32_t materialGroup = 0;       // 0..17
};

// The record a dialog starts from: name empty, standard 1, the rest 0.
void InitPumpRecord(Pump& record);
// The standard a record stands for (0 read from old files counts as 1).
std::int32_t EffectivePumpStandard(const Pump& record);
int AppendPump(ModelRecordTable<Pump>& table, const Pump& record);

void ReadPumpRecord(BinaryFile& file, int version, Pump& record);
void WritePumpRecord(BinaryFile& file, const Pump& record);

void ReadPumps(BinaryFile& file, int version, ModelRecordTable<Pump>& table);
void WritePumps(BinaryFile& file, const ModelRecordTable<Pump>& table);
