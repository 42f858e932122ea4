// Beam materials: the `BeamMaterial` record that beam rows name in their
// material field, the model's beam material table and its model-file
// section. A beam material is a name, a description and four values: modulus
// of elasticity, Poisson's ratio, density and thermal expansion; 0 means not
// given. Start reading at ReadBeamMaterials.
#pragma once

#include <string>

#include "records/FieldRules.h"
#include "records/RecordTable.h"

struct BinaryFile;

struct BeamMaterial {
  std::string name;         // up to 5 characters
  std::string description;  // up to 27 characters
  float E = 0.0f;           // psi
  float nu = 0.0f;
  float density = 0.0f;     // pound per cubic inch
  float alpha = 0.0f;       // thermal expansion
};

// The rules of a beam material's fields (FieldRules.h), in file order:
// E, Nu (0.01 up to 0.5; 0 is a material whose ratio is not given yet) and
// the density. The expansion may be any.
enum BeamMaterialRuled : int { kBeamMaterialModulusRule, kBeamMaterialNuRule, kBeamMaterialDensityRule, kBeamMaterialRuleCount };
extern const FieldRule<BeamMaterial> kBeamMaterialRules[kBeamMaterialRuleCount];

void InitBeamMaterial(BeamMaterial& record);
int FindBeamMaterialByName(const ModelRecordTable<BeamMaterial>& table, const std::string& name);
int AppendBeamMaterial(ModelRecordTable<BeamMaterial>& table, const BeamMaterial& record);

void BeamMaterialRead(BinaryFile& file, int version, BeamMaterial& record);
void BeamMaterialWrite(BinaryFile& file, const BeamMaterial& record);

void ReadBeamMaterials(BinaryFile& file, int version, ModelRecordTable<BeamMaterial>& table);
void WriteBeamMaterials(BinaryFile& file, const ModelRecordTable<BeamMaterial>& table);
