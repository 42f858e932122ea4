// Property rows of a material (see MaterialPropertyRows.h).
#include "properties/MaterialPropertyRows.h"

#include <algorithm>
#include <numeric>

#include "services/ErrorRecords.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

bool UsesYieldFirst(int code) { return code == 4 || code == 6 || code == 17; }
bool IsPipeline(int code) { return code == 19 || code == 20 || code == 22; }
bool SecondIsYield(int code) { return code == 9 || code == 10 || code == 11 || code == 101 || code == 201; }

std::string FirstStressHeading(int code) {
  if (UsesYieldFirst(code)) return "Yield";
  if (code == 12) return "Design";
  if (code == 21) return "f";
  if (code == 16) return "fh";
  return "Allowable";
}

std::string SecondStressHeading(int code) {
  if (SecondIsYield(code)) return "Yield";
  if (code == 12) return "Proof";
  if (code == 16 || code == 21) return "fCR";
  return "Rupture";
}

std::string FieldLabel(int field, bool frp, int code) {
  switch (field) {
    case kMatTemperature: return "Temperature";
    case kMatModulus:
    case kMatHoopModulus:
    case kMatShearModulus: return "Modulus";
    case kMatAlpha: return "Alpha";
    case kMatAllowable: return code == 12 ? "Design stress" : frp ? "Axial Allowable stress" : "Allowable stress";
    case kMatYield: return code == 12 ? "Proof stress" : frp ? "Torsional Allowable stress" : "Yield stress";
    default: return "Rupture stress";
  }
}

int Parse(int unit, const std::string& text, float& value) {
  switch (unit) {
    case kUnitTemperature: return ParseTemperature(text, value);
    case kUnitModulus: return text.empty() ? (value = 0.0f, 0) : ParseModulus(text, value);
    case kUnitThermalExpansion: return ParseThermalExpansion(text, value);
    default: return ParseStress(text, value);
  }
}

std::string Format(int unit, float value) {
  switch (unit) {
    case kUnitTemperature: return FormatTemperature(value);
    case kUnitModulus: return FormatModulus(value);
    case kUnitThermalExpansion: return FormatThermalExpansion(value);
    default: return FormatStress(value);
  }
}

float& Value(PropertyRowsBuffer& buffer, int row, int field) {
  return buffer.rows[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(field)];
}

}  // namespace

PropertyColumnInfo PropertyColumnLayout(int column, bool frp, int code) {
  if (frp) {
    static const PropertyColumnInfo kFrp[kPropertyColumns] = {
        {"Temp", kUnitTemperature, kMatTemperature, true}, {"Axial Mod.", kUnitModulus, kMatModulus, true},
        {"Hoop Mod.", kUnitModulus, kMatHoopModulus, true}, {"Shear Mod.", kUnitModulus, kMatShearModulus, true},
        {"Alpha", kUnitThermalExpansion, kMatAlpha, true},   {"Hoop All.", kUnitStress, kMatAllowable, true},
        {"Torsional All.", kUnitStress, kMatYield, true},    {"Axial All.", kUnitStress, kMatRupture, true}};
    return column >= 1 && column <= kPropertyColumns ? kFrp[column - 1] : PropertyColumnInfo{};
  }
  switch (column) {
    case 1: return {"Temp", kUnitTemperature, kMatTemperature, true};
    case 2: return {"E", kUnitModulus, kMatModulus, true};
    case 3: return {"Alpha", kUnitThermalExpansion, kMatAlpha, true};
    case 4: return {FirstStressHeading(code), kUnitStress, UsesYieldFirst(code) ? kMatYield : kMatAllowable, !IsPipeline(code)};
    case 5: {
      const int field = SecondIsYield(code) || code == 12 ? kMatYield
                        : code == 16 || code == 17 || code == 21 ? kMatRupture
                                                                 : -1;
      return {SecondStressHeading(code), kUnitStress, field, field >= 0};
    }
    case 6: return {"Rupture", kUnitStress, code == 12 ? kMatRupture : -1, code == 12};
    default: return {};
  }
}

std::string PropertyCellText(const PropertyRowsBuffer& buffer, int row, int column, int code) {
  const PropertyColumnInfo info = PropertyColumnLayout(column, buffer.frp, code);
  if (!info.shown || info.field < 0 || row < 1 || row >= kPropertyRowsRoom) return {};
  const float value = buffer.rows[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(info.field)];
  return value != 0.0f ? Format(info.unit, value) : std::string();
}

bool StorePropertyCell(PropertyRowsBuffer& buffer, int row, int column, const std::string& text, int code) {
  const PropertyColumnInfo info = PropertyColumnLayout(column, buffer.frp, code);
  if (!info.shown || info.field < 0) return false;
  g_EditFieldText = text;
  float value = 0.0f;
  const std::string label = FieldLabel(info.field, buffer.frp, code);
  if (Parse(info.unit, text, value) != 0) ThrowInvalidField(label);
  // A 0 here is an emptied cell (a modulus typed 0 is refused as it is
  // read): a value not yet given, which leaving the row asks for.
  if (const FieldRule<MaterialTempRow>* rule = MaterialColumnRule(info.field); rule != nullptr && value != 0.0f)
    CheckFieldRule(*rule, value, buffer.rows[static_cast<std::size_t>(row)], label.c_str());
  float& stored = Value(buffer, row, info.field);
  if (value == stored) return false;
  stored = value;
  buffer.changed = true;
  return true;
}

int CommitPropertyRow(PropertyRowsBuffer& buffer, int row) {
  if (Value(buffer, row, kMatTemperature) == 0.0f) throw CI{"Temperature is required", 1};
  if (Value(buffer, row, kMatModulus) == 0.0f) throw CI{"Modulus is required", 2};
  if (Value(buffer, row, kMatAlpha) == 0.0f) Value(buffer, row, kMatAlpha) = kExplicitZero;
  if (buffer.frp) {
    if (Value(buffer, row, kMatHoopModulus) == 0.0f) throw CI{"Modulus is required", 3};
    if (Value(buffer, row, kMatShearModulus) == 0.0f) throw CI{"Modulus is required", 4};
  }
  if (row < buffer.count) return row + 1;
  if (buffer.count > 39) throw std::string("Maximum number of temperatures exceeded");
  ++buffer.count;
  buffer.rows[static_cast<std::size_t>(buffer.count)] = MaterialTempRow{};
  return buffer.count;
}

bool InsertPropertyRow(PropertyRowsBuffer& buffer, int row) {
  if (buffer.count >= 40 || row < 1 || row >= buffer.count || Value(buffer, row, kMatTemperature) == 0.0f)
    return false;
  for (int r = buffer.count; r >= row; --r)
    buffer.rows[static_cast<std::size_t>(r) + 1] = buffer.rows[static_cast<std::size_t>(r)];
  buffer.rows[static_cast<std::size_t>(row)] = MaterialTempRow{};
  ++buffer.count;
  buffer.changed = true;
  return true;
}

void DeletePropertyRow(PropertyRowsBuffer& buffer, int row) {
  if (row < 1 || row > buffer.count) return;
  if (row < buffer.count) {
    for (int r = row; r < buffer.count; ++r)
      buffer.rows[static_cast<std::size_t>(r)] = buffer.rows[static_cast<std::size_t>(r) + 1];
    buffer.rows[static_cast<std::size_t>(buffer.count)] = MaterialTempRow{};
    --buffer.count;
  } else {
    buffer.rows[static_cast<std::size_t>(row)] = MaterialTempRow{};
  }
  buffer.changed = true;
}

std::vector<MaterialTempRow> SortedPropertyRows(const PropertyRowsBuffer& buffer, int n) {
  n = std::clamp(n, 0, kPropertyRowsRoom - 1);
  std::vector<MaterialTempRow> rows;
  for (int r = 1; r <= n; ++r) {
    MaterialTempRow row = buffer.rows[static_cast<std::size_t>(r)];
    if (row.values[kMatModulus] == 0.0f) row.values[kMatTemperature] = 0.0f;  // dropped
    rows.push_back(row);
  }
  // A stable sort keeps equal temperatures in the order entered, so the
  // later entry is the one kept.
  std::stable_sort(rows.begin(), rows.end(), [](const MaterialTempRow& a, const MaterialTempRow& b) {
    return a.values[kMatTemperature] < b.values[kMatTemperature];
  });
  std::vector<MaterialTempRow> kept;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const float t = rows[i].values[kMatTemperature];
    if (t == 0.0f) continue;
    if (i + 1 < rows.size() && rows[i + 1].values[kMatTemperature] == t) continue;
    kept.push_back(rows[i]);
  }
  if (kept.size() > static_cast<std::size_t>(kMaxMaterialTemps)) kept.resize(kMaxMaterialTemps);
  return kept;
}

void LoadPropertyRows(PropertyRowsBuffer& buffer, const Material& material, bool entryRow) {
  buffer = PropertyRowsBuffer{};
  buffer.frp = material.isFrp != 0;
  const int n = std::clamp(std::min(material.numtemps, static_cast<int>(material.temps.size()) - 1), 0,
                           kMaxMaterialTemps);
  for (int r = 1; r <= n; ++r) buffer.rows[static_cast<std::size_t>(r)] = material.temps[static_cast<std::size_t>(r)];
  buffer.count = entryRow ? n + 1 : std::max(n, 1);
}

void StorePropertyRows(const PropertyRowsBuffer& buffer, int n, Material& material) {
  const std::vector<MaterialTempRow> kept = SortedPropertyRows(buffer, n);
  material.numtemps = static_cast<int>(kept.size());
  material.temps.assign(1, MaterialTempRow{});
  material.temps.insert(material.temps.end(), kept.begin(), kept.end());
}
