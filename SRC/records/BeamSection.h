// Beam sections: the `BeamSection` record that beam rows name in their
// section field, the model's beam section table and its model-file section.
// A beam section is a name, a description (the designation of a shape taken
// from the shape tables) and eight properties: area, the two moments of
// inertia, the torsional constant, the two shear areas, depth and width.
// The record reader takes the name width explicitly because the beam section
// library follows its own version rule; the model section follows the model
// file's. Start reading at ReadBeamSections.
#pragma once

#include <cstddef>
#include <string>

#include "records/FieldRules.h"
#include "records/RecordTable.h"

struct BinaryFile;

struct BeamSection {
  std::string name;         // up to 5 characters
  std::string description;  // up to 15 characters
  float A = 0.0f;
  float Imaj = 0.0f;
  float Imin = 0.0f;
  float J = 0.0f;           // 0: the beam uses Imaj + Imin
  float Asmaj = 0.0f;       // 0: no shear deformation in that plane
  float Asmin = 0.0f;
  float depth = 0.0f;
  float width = 0.0f;
};

// The rules of a beam section's properties (FieldRules.h), in file order:
// the area and the two moments of inertia above 0 once given, the others
// not below 0.
enum BeamSectionRuled : int {
  kBeamSectionAreaRule,
  kBeamSectionMajorRule,
  kBeamSectionMinorRule,
  kBeamSectionTorsionRule,
  kBeamSectionMajorShearRule,
  kBeamSectionMinorShearRule,
  kBeamSectionDepthRule,
  kBeamSectionWidthRule,
  kBeamSectionRuleCount
};
extern const FieldRule<BeamSection> kBeamSectionRules[kBeamSectionRuleCount];

void InitBeamSection(BeamSection& record);
int FindBeamSectionByName(const ModelRecordTable<BeamSection>& table, const std::string& name);
int AppendBeamSection(ModelRecordTable<BeamSection>& table, const BeamSection& record);

// `nameWidth` is 4 or 6 bytes.
void BeamSectionRead(BinaryFile& file, std::size_t nameWidth, BeamSection& record);
void BeamSectionWrite(BinaryFile& file, const BeamSection& record);

void ReadBeamSections(BinaryFile& file, int version, ModelRecordTable<BeamSection>& table);
void WriteBeamSections(BinaryFile& file, const ModelRecordTable<BeamSection>& table);
