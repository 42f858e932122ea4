// The beam records' cells, name checks, uses and renames; see the header.
#include "properties/BeamRecordEdits.h"

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/PipeLoad.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

std::string Value(float value, const char* (*format)(float)) { return value != 0.0f ? format(value) : ""; }

template <typename Table>
bool HeldByOther(const Table& table, const std::string& name, int self) {
  for (int index = 1; index <= table.count; ++index)
    if (index != self && table[index].name == name) return true;
  return false;
}

void CheckName(const std::string& name, const char* noun, const char* pipeReason, bool pipeHeld, bool held) {
  if (name.empty()) ThrowRequiredField("Name");
  if (!IsNameText(name)) ThrowFieldError("Name", "should be alpha numeric");
  if (pipeHeld) ThrowFieldError(noun, pipeReason);
  if (held) ThrowFieldError(noun, "is already defined");
}

// The jacket's name of the field (material, section or load) of a jacketed
// pipe or bend; null for other rows.
const std::string* JacketName(const LayoutRow& row, int field) {
  const JacketRecord* jacket = row.element != nullptr ? row.element->AsJacket() : nullptr;
  if (jacket == nullptr) return nullptr;
  return field == 0 ? &jacket->jacketMaterial : field == 1 ? &jacket->jacketSection : &jacket->jacketLoad;
}

const std::string& RowName(const LayoutRow& row, int field) {
  return field == 0 ? row.material : field == 1 ? row.section : row.load;
}

bool NameUsed(const Model& model, const std::string& name, int field) {
  if (name.empty()) return false;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (RowName(row, field) == name) return true;
    const std::string* jacket = JacketName(row, field);
    if (jacket != nullptr && *jacket == name) return true;
  }
  return false;
}

template <typename Record>
void RenameInBeamRows(Model& model, ModelRecordTable<Record>& table, int record, int field,
                      const std::string& newName) {
  RenameRecordAt(table, record, newName, [&model, field](const std::string& from, const std::string& to) {
    for (int number = 1; number <= model.rowCount; ++number) {
      LayoutRow& row = model.row(number);
      if (row.elementType != ElementType::Beam) continue;
      std::string& held = field == 0 ? row.material : field == 1 ? row.section : row.load;
      if (held == from) held = to;
    }
  });
  model.modified = true;
}

}  // namespace

std::string BeamMaterialCellText(const Model& model, int record, int column) {
  if (record < 1 || static_cast<std::size_t>(record) >= model.beamMaterials.records.size()) return {};
  const BeamMaterial& m = model.beamMaterials[record];
  switch (column) {
    case 1: return m.name;
    case 2: return m.description;
    case 3: return Value(m.E, FormatModulus);
    case 4: return m.nu != 0.0f ? FormatG3(m.nu) : "";
    case 5: return Value(m.density, FormatDensity);
    case 6: return Value(m.alpha, FormatThermalExpansion);
    default: return {};
  }
}

std::string BeamSectionCellText(const Model& model, int record, int column) {
  if (record < 1 || static_cast<std::size_t>(record) >= model.beamSections.records.size()) return {};
  const BeamSection& s = model.beamSections[record];
  switch (column) {
    case 1: return s.name;
    case 2: return s.description;
    case 3: return Value(s.A, FormatArea);
    case 4: return Value(s.Imaj, FormatMomentOfInertia);
    case 5: return Value(s.Imin, FormatMomentOfInertia);
    case 6: return Value(s.J, FormatMomentOfInertia);
    case 7: return Value(s.Asmaj, FormatArea);
    case 8: return Value(s.Asmin, FormatArea);
    case 9: return Value(s.depth, FormatDimension);
    case 10: return Value(s.width, FormatDimension);
    default: return {};
  }
}

int BeamLoadTemperaturesInUse(const Model& model) { return PipeLoadPairsInUse(model.options.ThermalLoadCount); }

std::string BeamLoadCellText(const Model& model, int record, int column) {
  if (record < 1 || static_cast<std::size_t>(record) >= model.beamLoads.records.size()) return {};
  const BeamLoad& l = model.beamLoads[record];
  if (column == 1) return l.name;
  if (column >= 2 && column <= 11) {
    if (column - 1 > BeamLoadTemperaturesInUse(model)) return {};
    return Value(l.temperature[static_cast<std::size_t>(column - 2)], FormatTemperature);
  }
  if (column == 12) return Value(l.additionalWeight, FormatAdditionalWeight);
  if (column == 13) return l.wind != 0 ? "Y" : "";
  return {};
}

void CheckBeamMaterialName(const Model& model, const std::string& name, int self) {
  CheckName(name, "Material", "is already defined as a pipe material", FindMaterialByName(model.materials, name) != 0,
            HeldByOther(model.beamMaterials, name, self));
}

void CheckBeamSectionName(const Model& model, const std::string& name, int self) {
  CheckName(name, "Section", "is already defined as a pipe section", FindSectionByName(model.sections, name) != 0,
            HeldByOther(model.beamSections, name, self));
}

void CheckBeamLoadName(const Model& model, const std::string& name, int self) {
  CheckName(name, "Load", "is already defined as a pipe load", FindPipeLoadByName(model.pipeLoads, name) != 0,
            HeldByOther(model.beamLoads, name, self));
}

bool IsBeamMaterialInUse(const Model& model, int record) {
  return record >= 1 && record <= model.beamMaterials.count && NameUsed(model, model.beamMaterials[record].name, 0);
}

bool IsBeamSectionInUse(const Model& model, int record) {
  return record >= 1 && record <= model.beamSections.count && NameUsed(model, model.beamSections[record].name, 1);
}

bool IsBeamLoadInUse(const Model& model, int record) {
  return record >= 1 && record <= model.beamLoads.count && NameUsed(model, model.beamLoads[record].name, 2);
}

void RenameBeamMaterialInRows(Model& model, int record, const std::string& newName) {
  RenameInBeamRows(model, model.beamMaterials, record, 0, newName);
}

void RenameBeamSectionInRows(Model& model, int record, const std::string& newName) {
  RenameInBeamRows(model, model.beamSections, record, 1, newName);
}

void RenameBeamLoadInRows(Model& model, int record, const std::string& newName) {
  RenameInBeamRows(model, model.beamLoads, record, 2, newName);
}
