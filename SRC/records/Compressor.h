// Compressors and turbines: model records (not row items) naming a piece of
// rotating equipment by its description, the nodes of its inlet, exhaust and
// two extraction nozzles and its shaft direction. Both kinds share the
// `RotatingEquipment` record and its file layout (44 bytes); the model holds
// two tables and two sections, compressors first. The nozzle-load evaluation
// keeps its working data elsewhere; none of it is stored in the model file.
// Start reading at ReadCompressors.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/RecordTable.h"

struct BinaryFile;

struct RotatingEquipment {
  std::string description;         // up to 15 characters
  std::int32_t inletNode = 0;      // NodeId, 0 none
  std::int32_t exhaustNode = 0;
  std::int32_t extractionNode1 = 0;
  std::int32_t extractionNode2 = 0;
  std::array<float, 3> shaftAxis{};  // not normalised
};

int AppendRotatingEquipment(ModelRecordTable<RotatingEquipment>& table,
                            const RotatingEquipment& record);

void RotatingEquipmentRead(BinaryFile& file, RotatingEquipment& record);
void RotatingEquipmentWrite(BinaryFile& file, const RotatingEquipment& record);

void ReadCompressors(BinaryFile& file, int version, ModelRecordTable<RotatingEquipment>& table);
void WriteCompressors(BinaryFile& file, const ModelRecordTable<RotatingEquipment>& table);
void ReadTurbines(BinaryFile& file, int version, ModelRecordTable<RotatingEquipment>& table);
void WriteTurbines(BinaryFile& file, const ModelRecordTable<RotatingEquipment>& table);
