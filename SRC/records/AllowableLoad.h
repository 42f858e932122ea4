// Allowable loads per node: the user's table of six allowable values at a
// node, shown beside the computed loads in the support load summaries (global
// forces and moments at a support; P, VL, VC, MT, MC, ML at a nozzle). The
// record is 28 bytes in the model file; the section is present in files above
// version 690. Nodes need not be unique: the first record of a node wins.
// Start reading at ReadAllowables.
#pragma once

#include <array>
#include <cstdint>

#include "records/RecordTable.h"

struct BinaryFile;

struct Allowable {
  std::int32_t node = 0;         // NodeId
  std::array<float, 6> values{}; // FX/P, FY/VL, FZ/VC (force), MX/MT, MY/MC, MZ/ML (moment)
};

// Record number of the first record at `node`; 0 for node 0 or none.
int FindAllowableByNode(const ModelRecordTable<Allowable>& table, std::int32_t node);
int AppendAllowable(ModelRecordTable<Allowable>& table, const Allowable& record);

void ReadAllowable(BinaryFile& file, Allowable& record);
void WriteAllowable(BinaryFile& file, const Allowable& record);

void ReadAllowables(BinaryFile& file, int version, ModelRecordTable<Allowable>& table);
void WriteAllowables(BinaryFile& file, const ModelRecordTable<Allowable>& table);
