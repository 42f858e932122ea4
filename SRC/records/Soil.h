// Soils: the `Soil` record that a pipe section names when its pipe is buried,
// the model's soil table and its model-file section (present in files above
// version 501 only; older files leave the table as it was). A soil is a
// name, its type (cohesionless or cohesive), density, strength (cohesive),
// friction angle delta and Ks (cohesionless) and the ground level on the
// vertical axis. Start reading at ReadSoils.
#pragma once

#include <cstdint>
#include <string>

#include "records/FieldRules.h"
#include "records/RecordTable.h"

struct BinaryFile;

enum SoilType : std::uint8_t { kSoilCohesionless = 0, kSoilCohesive = 1 };

struct Soil {
  std::string name;           // up to 3 characters; empty marks a free record
  std::uint8_t type = kSoilCohesionless;
  float density = 0.0f;       // pound per cubic inch
  float strength = 0.0f;      // psi, cohesive soils
  float delta = 0.0f;         // radians, cohesionless soils
  float Ks = 0.0f;            // cohesionless soils
  float groundLevel = 0.0f;   // inch
};

// The rules of a soil's values (FieldRules.h), in file order: density,
// strength and Ks above 0 once given (a typed zero, held as 1E-36, is not
// above 0), delta from 0 to 75 degrees. The ground level may be any.
// Steeper friction angles than 75 degrees are outside the soil-spring
// relations.
inline constexpr float kLargestSoilDelta = 1.3089969f;  // radians
enum SoilRuled : int { kSoilDensityRule, kSoilStrengthRule, kSoilDeltaRule, kSoilKsRule, kSoilRuleCount };
extern const FieldRule<Soil> kSoilRules[kSoilRuleCount];

int FindSoilByName(const ModelRecordTable<Soil>& table, const std::string& name);
int AppendSoil(ModelRecordTable<Soil>& table, const Soil& record);

void SoilRead(BinaryFile& file, Soil& record);
void SoilWrite(BinaryFile& file, const Soil& record);

void ReadSoils(BinaryFile& file, int version, ModelRecordTable<Soil>& table);
void WriteSoils(BinaryFile& file, const ModelRecordTable<Soil>& table);
