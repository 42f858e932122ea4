// Pipe materials: record, lookup, growth and the file section; see the header.
#include "records/Material.h"

#include <algorithm>
#include <cstdio>

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"

namespace {

constexpr const char* kSection = "Materials";
constexpr std::size_t kTypeWidth = 3;
constexpr std::size_t kDescriptionWidth = 32;
constexpr std::int64_t kFixedBytesAfterName = 3 + 1 + 32 + 5 * 4 + 4;
constexpr std::int64_t kTempRowBytes = 8 * 4;

void ReadTemperatureRows(BinaryFile& file, Material& record) {
  std::int32_t rows = 0;
  BinaryFileReadInt(file, rows);
  CheckSectionRead(file, kSection);
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (rows < 0 || rows > kMaxMaterialTemps || (left >= 0 && rows * kTempRowBytes > left)) {
    char detail[80];
    std::snprintf(detail, sizeof detail, "material %s has %d temperature rows", record.name.c_str(),
                  static_cast<int>(rows));
    ThrowDamagedSection(kSection, detail);
  }
  record.numtemps = rows;
  record.temps.assign(static_cast<std::size_t>(rows) + 1, MaterialTempRow{});
  for (int row = 1; row <= rows; ++row)
    BinaryFileReadFloats(file, record.temps[static_cast<std::size_t>(row)].values.data(), 8);
}

constexpr const char* kTypeCodes[kMaterialTypeCount] = {"",   "AL", "AS", "CA", "CC", "CS",
                                                       "FR", "FS", "NA", "SS", "TI", "CI"};
constexpr const char* kTypeNames[kMaterialTypeCount] = {
    "",
    "AL : Aluminum",
    "AS : Austenitic stainless steel",
    "CA : Copper alloys: annealed",
    "CC : Copper alloys: cold worked",
    "CS : Carbon steel",
    "FR : Fiber Reinf. Plastic (FRP)",
    "FS : Ferritic steel",
    "NA : Nickel alloys",
    "SS : Stainless steel",
    "TI : Titanium",
    "CI : Cast Iron"};

float RowValue(const Material& material, int row, int column) {
  return material.temps[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(column)];
}

// --- Field rules ---------------------------------------------------------------

// A negative ratio would leave the shear modulus E / 2 / (1 + Nu) without
// meaning (infinite at -1); 0.5 and above only a fibre-reinforced plastic
// reaches.
FieldRefusal NuRefusal(float value, const Material& material) {
  if (value < 0.0f) return {"below 0"};
  if (value >= 0.5f && material.type != "FR") return {"Nu should be < 0.5", RefusalShow::kMessage};
  return {};
}

FieldRefusal JointFactorRefusal(float value, const Material&) {
  if (value <= 0.0f || value > 1.0f) return {"not above 0 and up to 1"};
  return {};
}

FieldRefusal NotNegative(float value, const Material&) { return NotNegativeRefusal(value); }
FieldRefusal RowNotNegative(float value, const MaterialTempRow&) { return NotNegativeRefusal(value); }

// Every row of the table has its modulus: the stiffness divides by it. The
// modulus cells take no typed value below the unit's zero threshold.
FieldRefusal ModulusRefusal(float value, const MaterialTempRow&) {
  if (value < kZeroThreshold) return {"not above 2E-36"};
  return {};
}

template <int Column>
float RowColumn(const MaterialTempRow& row) {
  return row.values[Column];
}

}  // namespace

const FieldRule<Material> kMaterialRules[kMaterialRuleCount] = {
    {"Poisson's ratio", "Nu", [](const Material& m) { return m.nu; }, NuRefusal},
    {"density", "Density", [](const Material& m) { return m.density; }, NotNegative},
    {"joint factor", "Joint factor", [](const Material& m) { return m.jointFactor; }, JointFactorRefusal,
     ZeroIsNotGiven<Material>},
    {"circumferential joint factor", "Joint factor", [](const Material& m) { return m.circJointFactor; },
     JointFactorRefusal, ZeroIsNotGiven<Material>},
    {"strength", "Tensile strength", [](const Material& m) { return m.strength; }, NotNegative},
};

const FieldRule<MaterialTempRow> kMaterialRowRules[6] = {
    {"elastic modulus", "Modulus", RowColumn<kMatModulus>, ModulusRefusal},
    {"allowable stress", "Allowable stress", RowColumn<kMatAllowable>, RowNotNegative},
    {"yield stress", "Yield stress", RowColumn<kMatYield>, RowNotNegative},
    {"rupture stress", "Rupture stress", RowColumn<kMatRupture>, RowNotNegative},
    {"hoop modulus", "Modulus", RowColumn<kMatHoopModulus>, RowNotNegative},
    {"shear modulus", "Modulus", RowColumn<kMatShearModulus>, RowNotNegative},
};

const FieldRule<MaterialTempRow>* MaterialColumnRule(int column) {
  switch (column) {
    case kMatModulus: return &kMaterialRowRules[0];
    case kMatAllowable: return &kMaterialRowRules[1];
    case kMatYield: return &kMaterialRowRules[2];
    case kMatRupture: return &kMaterialRowRules[3];
    case kMatHoopModulus: return &kMaterialRowRules[4];
    case kMatShearModulus: return &kMaterialRowRules[5];
    default: return nullptr;
  }
}

std::string MaterialFieldFaultText(const Material& record, const std::string& where) {
  if (std::string fault = RecordFieldFaultText(record, kMaterialRules, where); !fault.empty()) return fault;
  const int rows = std::min(record.numtemps, static_cast<int>(record.temps.size()) - 1);
  for (int row = 1; row <= rows; ++row)
    if (std::string fault = RecordFieldFaultText(record.temps[static_cast<std::size_t>(row)], kMaterialRowRules,
                                                 where + ", temperature row " + std::to_string(row));
        !fault.empty())
      return fault;
  return {};
}

std::string MaterialStoredValueFaultText(const Material& record, const std::string& where) {
  if (std::string fault = RecordStoredValueFaultText(record, kMaterialRules, where); !fault.empty()) return fault;
  static constexpr const char* kColumns[8] = {"temperature",      "elastic modulus", "thermal expansion",
                                              "allowable stress", "yield stress",    "rupture stress",
                                              "hoop modulus",     "shear modulus"};
  const int rows = std::min(record.numtemps, static_cast<int>(record.temps.size()) - 1);
  for (int row = 1; row <= rows; ++row)
    for (std::size_t column = 0; column < 8; ++column)
      if (const float value = record.temps[static_cast<std::size_t>(row)].values[column];
          !StoredValueAcceptable(value))
        return StoredValueFaultText(where + ", temperature row " + std::to_string(row), kColumns[column], value);
  return {};
}

const char* MaterialTypeCode(int index) {
  return index >= 0 && index < kMaterialTypeCount ? kTypeCodes[index] : "";
}

const char* MaterialTypeName(int index) {
  return index >= 0 && index < kMaterialTypeCount ? kTypeNames[index] : "";
}

int FindMaterialTypeIndex(const std::string& text) {
  if (text.empty()) return 0;
  for (int index = 1; index < kMaterialTypeCount; ++index)
    if (text == kTypeCodes[index]) return index;
  return -1;
}

void SetMaterialType(Material& material, const std::string& code) {
  material.type = code;
  material.isFrp = code == "FR" ? 1 : 0;
}

double MaterialColumnAtTemp(const Material& material, int column, float temperature) {
  // A record made in memory may count more rows than it holds; only the rows
  // it holds are read.
  const int n = std::min(material.numtemps, static_cast<int>(material.temps.size()) - 1);
  if (n < 1) throw "Material " + material.name + " does not have properties";
  if (n == 1 || temperature <= RowValue(material, 1, kMatTemperature)) return RowValue(material, 1, column);
  if (temperature > RowValue(material, n, kMatTemperature)) return RowValue(material, n, column);
  int i = 2;
  while (i < n && temperature > RowValue(material, i, kMatTemperature)) ++i;
  const double t0 = RowValue(material, i - 1, kMatTemperature), t1 = RowValue(material, i, kMatTemperature);
  const double v0 = RowValue(material, i - 1, column), v1 = RowValue(material, i, column);
  if (t1 == t0) return v1;
  return v0 + (static_cast<double>(temperature) - t0) / (t1 - t0) * (v1 - v0);
}

double MaterialValueAtTemp(const Material& m, float t) { return MaterialColumnAtTemp(m, kMatModulus, t); }
double MaterialValueAtTemp2(const Material& m, float t) { return MaterialColumnAtTemp(m, kMatAlpha, t); }
double MaterialHoopModulusAtTemp(const Material& m, float t) { return MaterialColumnAtTemp(m, kMatHoopModulus, t); }
double MaterialShearModulusAtTemp(const Material& m, float t) { return MaterialColumnAtTemp(m, kMatShearModulus, t); }

float MaterialMaxTemp(const Material& material) {
  const int n = std::min(material.numtemps, static_cast<int>(material.temps.size()) - 1);
  return n >= 1 ? RowValue(material, n, kMatTemperature) : 0.0f;
}

void FillMaterialDefaults(Material& material) {
  if (material.nu == 0.0f) material.nu = 0.3f;
  if (material.density == 0.0f) material.density = 1.0e-36f;
  if (material.jointFactor == 0.0f) material.jointFactor = 1.0f;
  if (material.circJointFactor == 0.0f) material.circJointFactor = 1.0f;
}

float MaterialJointFactor(const Material& material) {
  return material.jointFactor == 0.0f ? 1.0f : material.jointFactor;
}

float MaterialCircJointFactor(const Material& material) {
  return material.circJointFactor == 0.0f ? 1.0f : material.circJointFactor;
}

float MaterialNu(const Material& material) { return material.nu == 0.0f ? 0.3f : material.nu; }

int FindMaterialByName(const ModelRecordTable<Material>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendMaterial(ModelRecordTable<Material>& table, const Material& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void MaterialRead(BinaryFile& file, int version, Material& record) {
  ReadFixedField(file, record.name, ShortNameWidth(version), kShortNameRoom, kSection);
  ReadFixedField(file, record.type, kTypeWidth, kTypeWidth, kSection);
  BinaryFileReadByte(file, record.isFrp);
  ReadFixedField(file, record.description, kDescriptionWidth, kDescriptionWidth, kSection);
  BinaryFileReadFloat(file, record.nu);
  BinaryFileReadFloat(file, record.density);
  BinaryFileReadFloat(file, record.jointFactor);
  BinaryFileReadFloat(file, record.circJointFactor);
  BinaryFileReadFloat(file, record.strength);
  ReadTemperatureRows(file, record);
}

void MaterialWrite(BinaryFile& file, const Material& record) {
  WriteFixedField(file, record.name, kShortNameRoom);
  WriteFixedField(file, record.type, kTypeWidth);
  BinaryFileWriteByte(file, record.isFrp);
  WriteFixedField(file, record.description, kDescriptionWidth);
  BinaryFileWriteFloat(file, record.nu);
  BinaryFileWriteFloat(file, record.density);
  BinaryFileWriteFloat(file, record.jointFactor);
  BinaryFileWriteFloat(file, record.circJointFactor);
  BinaryFileWriteFloat(file, record.strength);
  BinaryFileWriteInt(file, record.numtemps);
  // A record made in memory may hold fewer rows than it counts; the file
  // then gets zero rows for them rather than bytes from beyond the array.
  for (int row = 1; row <= record.numtemps; ++row) {
    const std::size_t at = static_cast<std::size_t>(row);
    const MaterialTempRow blank{};
    const MaterialTempRow& values = at < record.temps.size() ? record.temps[at] : blank;
    BinaryFileWriteFloats(file, values.values.data(), 8);
  }
}

void ReadMaterials(BinaryFile& file, int version, ModelRecordTable<Material>& table) {
  const std::int64_t minimum = static_cast<std::int64_t>(ShortNameWidth(version)) + kFixedBytesAfterName;
  ReadTableSection(file, kSection, minimum, table,
                   [version](BinaryFile& in, Material& record) { MaterialRead(in, version, record); });
}

void WriteMaterials(BinaryFile& file, const ModelRecordTable<Material>& table) {
  WriteTableSection(file, table, MaterialWrite);
}
