// Beam loads: the `BeamLoad` record that beam rows name in their pipe-load
// field, the model's beam load table and its model-file section. A beam load
// is a name, ten temperatures (one per thermal state), an additional weight
// per length and the wind flag. A new record takes the model's reference
// temperature in every T and has wind on; files up to version 690 hold only
// T1 to T3 and the rest take the reference temperature, so the reader is
// given it. Start reading at ReadBeamLoads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/FieldRules.h"
#include "records/RecordTable.h"

struct BinaryFile;

struct BeamLoad {
  std::string name;                       // up to 5 characters
  std::array<float, 10> temperature{};    // T1..T10, degrees F
  float additionalWeight = 0.0f;          // per length
  std::uint8_t wind = 0;                  // 1: wind acts on the beams of this load
};

// The rules of a beam load's fields (FieldRules.h), in file order: T1 to
// T10 and the additional weight. A temperature out of use is judged too:
// none below absolute zero is sound, and one would stand in the way the
// day the model uses it.
enum BeamLoadRuled : int { kBeamLoadT1Rule, kBeamLoadAdditionalWeightRule = 10, kBeamLoadRuleCount };
extern const FieldRule<BeamLoad> kBeamLoadRules[kBeamLoadRuleCount];

// A new record: empty name, every T the reference temperature, no additional
// weight, wind on.
void InitBeamLoad(BeamLoad& record, float referenceTemperature);
int FindBeamLoadByName(const ModelRecordTable<BeamLoad>& table, const std::string& name);
int AppendBeamLoad(ModelRecordTable<BeamLoad>& table, const BeamLoad& record);

void BeamLoadRead(BinaryFile& file, int version, BeamLoad& record);
void BeamLoadWrite(BinaryFile& file, const BeamLoad& record);

void ReadBeamLoads(BinaryFile& file, int version, float referenceTemperature,
                   ModelRecordTable<BeamLoad>& table);
void WriteBeamLoads(BinaryFile& file, const ModelRecordTable<BeamLoad>& table);
