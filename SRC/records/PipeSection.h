// Pipe sections: the `PipeSection` record that layout rows (and jacketed
// items) name, the model's section table and its model-file section. A
// section is a name, the dimension standard of its nominal size, the nominal
// size and schedule texts, eight dimensions (O.D., wall, corrosion allowance,
// mill tolerance in percent, insulation and lining density and thickness) and
// the name of the soil it is buried in (empty when not buried). All lengths
// are inches, densities pound per cubic inch. Start reading at ReadSections.
#pragma once

#include <cstdint>
#include <string>

#include "records/FieldRules.h"
#include "records/RecordTable.h"

struct BinaryFile;

// Dimension standards of the nominal size.
enum SectionStandard : std::int32_t { kStandardAnsi = 0, kStandardDin = 1, kStandardJis = 2, kStandardIso = 3 };

struct PipeSection {
  std::string name;                 // up to 5 characters; empty marks a free record
  std::int32_t standard = kStandardAnsi;
  std::string nominalSize;          // up to 7 characters
  std::string schedule;             // up to 3 characters
  float outsideDiameter = 0.0f;
  float thickness = 0.0f;
  float corrosionAllowance = 0.0f;
  float millTolerance = 0.0f;       // percent of the wall, 0 to 75
  float insulationDensity = 0.0f;
  float insulationThickness = 0.0f;
  float liningDensity = 0.0f;
  float liningThickness = 0.0f;
  std::string soil;                 // up to 3 characters; empty when not buried

  // Every field alike, the numbers compared exactly.
  bool operator==(const PipeSection&) const = default;
};

// Clears a record: every text empty, standard 0, every number 0.
void InitSection(PipeSection& record);

// The rules of a section's dimensions (FieldRules.h), in file order. A
// section without its wall is one still being entered: its corrosion
// allowance and mill tolerance are judged once the wall is there.
inline constexpr float kLeastOutsideDiameter = 0.001f;  // inch
inline constexpr float kLeastWall = 0.0001f;             // inch
inline constexpr float kLargestMillTolerance = 75.0f;    // percent
enum SectionRuled : int {
  kSectionDiameterRule,
  kSectionWallRule,
  kSectionCorrosionRule,
  kSectionMillRule,
  kSectionInsulationDensityRule,
  kSectionInsulationThicknessRule,
  kSectionLiningDensityRule,
  kSectionLiningThicknessRule,
  kSectionRuleCount
};
extern const FieldRule<PipeSection> kSectionRules[kSectionRuleCount];

int FindSectionByName(const ModelRecordTable<PipeSection>& table, const std::string& name);

// Appends a record, growing the room by 4 when the table is full.
int AppendSection(ModelRecordTable<PipeSection>& table, const PipeSection& record);

void SectionRead(BinaryFile& file, int version, PipeSection& record);
void SectionWrite(BinaryFile& file, const PipeSection& record);

void ReadSections(BinaryFile& file, int version, ModelRecordTable<PipeSection>& table);
void WriteSections(BinaryFile& file, const ModelRecordTable<PipeSection>& table);
