// Pipe loads: the `PipeLoad` record that layout rows (and jacketed items)
// name, the model's pipe-load table and its model-file section. A pipe load
// is a name, ten operating temperature/pressure pairs, the design
// temperature and pressure, the specific gravity of the contents, an
// additional weight per length and the wind flag. How many pairs are in use
// is the model's number of thermal loads (1, 2, 3, or 4 and more for all
// ten). Files before version 781 carry no design values: the reader takes
// the highest temperature and pressure in use, so it is given that count.
// Start reading at ReadPipeLoads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/RecordTable.h"

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

// Number of T/P pairs in use for a thermal-load count (4 or more: all ten).
int PipeLoadPairsInUse(int thermalLoadCount);

// A new record: every T the reference temperature, every P and the design
// pressure the not-given value, the design temperature the reference
// temperature, no specific gravity or additional weight, wind on.
void InitPipeLoad(PipeLoad& record, float referenceTemperature);
int FindPipeLoadByName(const ModelRecordTable<PipeLoad>& table, const std::string& name);
int AppendPipeLoad(ModelRecordTable<PipeLoad>& table, const PipeLoad& record);

// Largest operating temperature and pressure over the pairs in use.
float PipeLoadMaxTemp(const PipeLoad& record, int thermalLoadCount);
float PipeLoadMaxPressure(const PipeLoad& record, int thermalLoadCount);

void PipeLoadRead(BinaryFile& file, int version, int thermalLoadCount, PipeLoad& record);
void PipeLoadWrite(BinaryFile& file, const PipeLoad& record);

void ReadPipeLoads(BinaryFile& file, int version, int thermalLoadCount,
                   ModelRecordTable<PipeLoad>& table);
void WritePipeLoads(BinaryFile& file, const ModelRecordTable<PipeLoad>& table);
