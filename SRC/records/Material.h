// Pipe materials: the `Material` record that layout rows name, its
// temperature table, the model's material table and its model-file section.
// A material is a name, a type code, the FRP flag, a description, Poisson's
// ratio, density, two joint factors, a strength and up to 40 temperature rows
// of eight values (temperature, E, alpha, three stresses, and for FRP the hoop
// and shear moduli). Row 0 of the temperature table is never read; rows 1 to
// `numtemps` hold the table in ascending temperature. The same record layout
// serves the material library files, which decide the name width by their own
// version: the record reader takes the version it is to follow.
//
// Values at a temperature are interpolated linearly between the rows; below
// the first row and above the last the end values hold (no extrapolation).
// A material without rows has nothing to give: the lookups throw a message
// that names it, never an assertion. Renaming, the in-use test and the
// merge of another model's materials are properties/PropertyEdits.h.
// Start reading at ReadMaterials.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/FieldRules.h"
#include "records/RecordTable.h"

struct BinaryFile;

inline constexpr std::int32_t kMaxMaterialTemps = 40;

// Columns of a temperature row (non-FRP meaning; FRP in the comments).
enum MaterialColumn : int {
  kMatTemperature = 0,
  kMatModulus = 1,     // axial modulus for FRP
  kMatAlpha = 2,
  kMatAllowable = 3,   // hoop allowable for FRP
  kMatYield = 4,       // torsional allowable for FRP
  kMatRupture = 5,     // axial allowable for FRP
  kMatHoopModulus = 6, // FRP only
  kMatShearModulus = 7 // FRP only
};

struct MaterialTempRow {
  std::array<float, 8> values{};
};

struct Material {
  std::string name;          // up to 5 characters
  std::string type;          // two-letter type code or empty
  std::uint8_t isFrp = 0;    // nonzero: type "FR"
  std::string description;   // up to 31 characters
  float nu = 0.0f;
  float density = 0.0f;
  float jointFactor = 0.0f;
  float circJointFactor = 0.0f;
  float strength = 0.0f;
  std::int32_t numtemps = 0;
  std::vector<MaterialTempRow> temps;  // numtemps + 1 rows; row 0 stays zero
};

// The two-letter material types: index 0 is the empty type, 1..11 the codes
// "AL" .. "CI"; the names are those the pickers show ("CS : Carbon steel").
inline constexpr int kMaterialTypeCount = 12;
const char* MaterialTypeCode(int index);
const char* MaterialTypeName(int index);
// 1..11 for a type code, 0 for the empty text, -1 for anything else.
int FindMaterialTypeIndex(const std::string& text);
// Stores a type code and recomputes the FRP flag from it.
void SetMaterialType(Material& material, const std::string& code);

// The value of `column` (MaterialColumn) at `temperature`, interpolated in
// double precision between the rows; throws "Material %s does not have
// properties" when the material has no rows.
double MaterialColumnAtTemp(const Material& material, int column, float temperature);
double MaterialValueAtTemp(const Material& material, float temperature);   // E (axial modulus)
double MaterialValueAtTemp2(const Material& material, float temperature);  // alpha
double MaterialHoopModulusAtTemp(const Material& material, float temperature);
double MaterialShearModulusAtTemp(const Material& material, float temperature);
// The temperature of the last row; 0 without rows.
float MaterialMaxTemp(const Material& material);
// The defaults of a record left without them: Nu 0.3, density 1.0e-36 (an
// explicit zero), both joint factors 1.0.
void FillMaterialDefaults(Material& material);
// The joint factors and Poisson's ratio as the stresses and the analysis
// use them: a stored 0 is the value not given, 1.0 for a joint factor and
// 0.3 for the ratio, as the cells fill it when the row is left (an older
// file holds such zeros, and an explicit zero ratio is stored as 1.0e-36).
float MaterialJointFactor(const Material& material);
float MaterialCircJointFactor(const Material& material);
float MaterialNu(const Material& material);

// The rules of a material's fields (FieldRules.h), in file order, and of
// the columns of its temperature rows (by MaterialColumn; the temperature
// and alpha columns have none). A stored joint factor of 0 is one not
// given, which the stresses read as 1.0 (MaterialJointFactor): a file
// holds it so, and a material still being entered holds it until its row
// is left; the cells refuse a typed 0.
enum MaterialRuled : int {
  kMaterialNuRule,
  kMaterialDensityRule,
  kMaterialJointRule,
  kMaterialCircJointRule,
  kMaterialStrengthRule,
  kMaterialRuleCount
};
extern const FieldRule<Material> kMaterialRules[kMaterialRuleCount];
extern const FieldRule<MaterialTempRow> kMaterialRowRules[6];
// The rule of a temperature row's column; null for a column without one.
const FieldRule<MaterialTempRow>* MaterialColumnRule(int column);
// The refusal of the first field of `record` its rules refuse, named from
// `where` ("Material 1", or "Material 1, temperature row 2" for a row);
// empty when it keeps them all.
std::string MaterialFieldFaultText(const Material& record, const std::string& where);
// The same for the rule of a stored value (FieldRules.h), over every number
// of the record and its rows.
std::string MaterialStoredValueFaultText(const Material& record, const std::string& where);

// 1-based record number of the material named exactly `name`; 0 for an empty
// name or none.
int FindMaterialByName(const ModelRecordTable<Material>& table, const std::string& name);

// Appends a record, growing the room by 4 when the table is full; returns its
// record number.
int AppendMaterial(ModelRecordTable<Material>& table, const Material& record);

// One record in the file layout; `version` decides the name width (a model
// file's version, or a material library's).
void MaterialRead(BinaryFile& file, int version, Material& record);
void MaterialWrite(BinaryFile& file, const Material& record);

// The model-file section: count, then records 1..count. Reading replaces the
// table; a damaged section throws its message and leaves `table` untouched.
void ReadMaterials(BinaryFile& file, int version, ModelRecordTable<Material>& table);
void WriteMaterials(BinaryFile& file, const ModelRecordTable<Material>& table);
