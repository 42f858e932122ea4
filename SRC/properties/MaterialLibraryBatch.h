// The material library as text (*.mlb): the library window's Import and
// Export. The file names the piping code and the unit system of its values
// and gives each material as one line followed by one line per temperature
// row, fields separated by commas:
//
//   OPTIONS
//   B313,SI                      a code keyword; "SI" for SI units
//   MATERIAL
//   CARBON STEEL,0.283,0.300,1.00,1.00,CS,35000
//   CARBON STEEL,70,29.5E+6,6.07E-6,20000,35000
//   ...
//   COD                          (optional) ends the reading
//
// A material line is description, density, Nu, joint factor,
// circumferential joint factor, type and strength; a line whose first field
// is the description of the material read last is its temperature row:
// temperature, E, alpha, allowable, yield, rupture, hoop and shear modulus.
// Lines are upper-cased unless they begin with "*", so descriptions come
// back in upper case. Values are read in the units in force, which "SI"
// changes to kg/m3, C, MPa, mm/mm/C and MPa.
//
// The reader takes lines whole (each physical line counted, ending at a
// line feed, a carriage return or both) into a fresh table: the first
// error ends it with "Line = <n> :  <line>\n<reason>" (and " :  <field>"
// when a field is at fault), and only a file read to its end replaces the
// library; the units it met are undone after an error. A description of 32
// characters, one more than a material holds, is cut with a warning.
//
// The writer writes every number with the digits that read back to the same
// value (display rounding would lose precision on the way round). It
// refuses a library whose description holds a comma, which the reader would
// split, and then writes nothing.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "records/Material.h"
#include "records/RecordTable.h"
#include "services/Units.h"

struct MaterialBatchRead {
  ModelRecordTable<Material> materials;
  std::int32_t pipingCode = 0;   // the code the file named, else the one given
  UnitsSettings units{};         // the units the values were read in
  std::vector<std::string> warnings;
};

// The whole text of `input`, read in the program's units with `pipingCode`
// as the code until the file names one. Throws the line message; the
// program's units are as they were on return either way.
MaterialBatchRead ReadMaterialBatchText(std::istream& input, std::int32_t pipingCode);

// The record number of the first material whose description holds a comma;
// 0 when none does.
int FindMaterialDescriptionWithComma(const ModelRecordTable<Material>& materials);
// The batch text of `materials` under `pipingCode`, in SI units when `si`
// (the program's units must already be those the file states).
std::string MaterialBatchText(const ModelRecordTable<Material>& materials, std::int32_t pipingCode, bool si);
// Switches the program's units to what a file of `si` states: the SI
// choices of the five library kinds, or every kind to its first unit.
void ApplyMaterialBatchUnits(bool si);

// The piping code keyword of the batch texts ("None" for code 0); the empty
// text for an id without one.
const char* MaterialBatchCodeKeyword(std::int32_t code);

// The library window's commands: "Im&port..." and "&Export...".
void ImportMaterialBatchFile(HWND parent);
void ExportMaterialBatchFile(HWND parent);
