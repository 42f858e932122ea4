// References to materials and sections; see the header.
#include "properties/PropertyEdits.h"

#include <functional>

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "properties/JacketClearance.h"
#include "properties/MergeNames.h"
#include "records/Soil.h"
#include "services/Message.h"
#include "services/NumberText.h"

namespace {

// The bend material of a bend, miter or jacketed bend; null for other rows.
std::string* BendMaterialOf(LayoutRow& row) {
  if (row.elementType != ElementType::Bend && row.elementType != ElementType::Miter &&
      row.elementType != ElementType::JacketedBend)
    return nullptr;
  BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
  return bend != nullptr ? &bend->material : nullptr;
}

std::string* JacketMaterialOf(LayoutRow& row) {
  if (JacketRecord* jacket = row.element != nullptr ? row.element->AsJacket() : nullptr) return &jacket->jacketMaterial;
  return nullptr;
}

std::string* JacketSectionOf(LayoutRow& row) {
  if (JacketRecord* jacket = row.element != nullptr ? row.element->AsJacket() : nullptr) return &jacket->jacketSection;
  return nullptr;
}

// Every material name a row holds: its own, its bend's and its jacket's. A
// beam row's own name is a beam material's, which is not one of these.
template <typename Visit>
void VisitMaterialNames(LayoutRow& row, Visit visit) {
  if (row.elementType != ElementType::Beam) visit(row.material);
  if (std::string* bend = BendMaterialOf(row)) visit(*bend);
  if (std::string* jacket = JacketMaterialOf(row)) visit(*jacket);
}

template <typename Visit>
void VisitSectionNames(LayoutRow& row, Visit visit) {
  if (row.elementType != ElementType::Beam) visit(row.section);
  if (std::string* jacket = JacketSectionOf(row)) visit(*jacket);
}

LayoutRow& MutableRow(const Model& model, int number) { return const_cast<Model&>(model).row(number); }

template <typename Table>
bool NameHeld(const Table& table, const std::string& name, int self) {
  const int found = FindRecordByName(table, name);
  if (found == 0) return false;
  if (found != self) return true;
  for (int index = found + 1; index <= table.count; ++index)
    if (table[index].name == name) return true;
  return false;
}

void CheckName(const std::string& name, const char* noun, const char* beamReason, bool beamHeld, bool held) {
  if (name.empty()) ThrowRequiredField("Name");
  if (!IsNameText(name)) ThrowFieldError("Name", "should be alpha numeric");
  if (beamHeld) ThrowFieldError(noun, beamReason);
  if (held) ThrowFieldError(noun, "is already defined");
}

template <typename Record, typename Visit>
void MergeRecords(ModelRecordTable<Record>& target, ModelRecordTable<Record>& merged, std::vector<LayoutRow>& rows,
                  int rowCount, const std::function<bool(const std::string&)>& taken, const char* kind,
                  Visit visitNames) {
  std::vector<std::string> names;
  for (int index = 1; index <= merged.count; ++index) names.push_back(merged[index].name);
  const RenameMap map = BuildMergeRenameMap(names, taken, kind);
  for (int number = 1; number <= rowCount && static_cast<std::size_t>(number) < rows.size(); ++number)
    visitNames(rows[static_cast<std::size_t>(number)], [&map](std::string& name) { name = RenamedName(map, name); });
  for (int index = 1; index <= merged.count; ++index) {
    Record& record = merged[index];
    record.name = RenamedName(map, record.name);
    // A merge grows the table by exactly the records it appends.
    ModelRecordTableGrow(target, target.count + 1);
    target[++target.count] = std::move(record);
  }
}

}  // namespace

bool IsMaterialInUse(const Model& model, int record) {
  if (record < 1 || record > model.materials.count) return false;
  const std::string& name = model.materials[record].name;
  if (name.empty()) return false;
  bool used = false;
  for (int number = 1; number <= model.rowCount && !used; ++number)
    VisitMaterialNames(MutableRow(model, number), [&](const std::string& held) { used = used || held == name; });
  return used;
}

void RenameMaterial(Model& model, int record, const std::string& newName) {
  RenameRecordAt(model.materials, record, newName, [&model](const std::string& from, const std::string& to) {
    for (int number = 1; number <= model.rowCount; ++number)
      VisitMaterialNames(model.row(number), [&](std::string& held) {
        if (held == from) held = to;
      });
  });
  model.modified = true;
}

bool IsSectionInUse(const Model& model, int record) {
  if (record < 1 || record > model.sections.count) return false;
  const std::string& name = model.sections[record].name;
  if (name.empty()) return false;
  bool used = false;
  for (int number = 1; number <= model.rowCount && !used; ++number)
    VisitSectionNames(MutableRow(model, number), [&](const std::string& held) { used = used || held == name; });
  return used;
}

bool IsSoilInUse(const Model& model, int record) {
  if (record < 1 || record > model.soils.count) return false;
  const std::string& name = model.soils[record].name;
  if (name.empty()) return false;
  for (int index = 1; index <= model.sections.count; ++index)
    if (model.sections[index].soil == name) return true;
  return false;
}

void RenameSoilInSections(Model& model, int record, const std::string& newName) {
  RenameRecordAt(model.soils, record, newName, [&model](const std::string& from, const std::string& to) {
    for (int index = 1; index <= model.sections.count; ++index)
      if (model.sections[index].soil == from) model.sections[index].soil = to;
  });
  model.modified = true;
}

void RenameSectionInRows(Model& model, int record, const std::string& newName) {
  RenameRecordAt(model.sections, record, newName, [&model](const std::string& from, const std::string& to) {
    for (int number = 1; number <= model.rowCount; ++number)
      VisitSectionNames(model.row(number), [&](std::string& held) {
        if (held == from) held = to;
      });
  });
  model.modified = true;
}

bool JacketClearanceViolated(const Model& model, int record, const PipeSection& values) {
  const ModelRecordTable<PipeSection>& table = model.sections;
  const std::string oldName = record >= 1 && record <= table.count ? table[record].name : std::string();
  // The names that reach the record now follow a new name, as the rename does.
  const bool follows = FindSectionByName(table, oldName) == record;
  auto reached = [&](const std::string& held) -> const PipeSection* {
    const std::string& name = follows && held == oldName ? values.name : held;
    if (name.empty()) return nullptr;
    for (int index = 1; index <= table.count; ++index) {
      const PipeSection& section = index == record ? values : table[index];
      if (section.name == name) return &section;
    }
    return nullptr;
  };
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = MutableRow(model, number);
    const std::string* jacketName = JacketSectionOf(row);
    if (jacketName == nullptr) continue;
    const PipeSection* core = reached(row.section);
    const PipeSection* jacket = reached(*jacketName);
    if (core == nullptr || jacket == nullptr || (core != &values && jacket != &values)) continue;
    if (!JacketTakesCore(*jacket, JacketBendWall(row), *core)) return true;
  }
  return false;
}

void CheckJacketClearance(const Model& model, int record, const PipeSection& values) {
  const PipeSection& stored = model.sections[record];
  const bool bearsOnClearance = values.name != stored.name || values.outsideDiameter != stored.outsideDiameter ||
                       values.thickness != stored.thickness ||
                       values.insulationThickness != stored.insulationThickness ||
                       values.liningThickness != stored.liningThickness;
  if (bearsOnClearance && JacketClearanceViolated(model, record, values))
    throw std::string(kJacketClearanceMessage);
}

bool StoreSection(Model& model, int record, const PipeSection& values) {
  PipeSection& stored = model.sections[record];
  if (values == stored) return false;
  CheckJacketClearance(model, record, values);
  if (values.name != stored.name) RenameSectionInRows(model, record, values.name);
  stored = values;
  model.modified = true;
  return true;
}

void CheckMaterialName(const Model& model, const std::string& name, int self) {
  CheckName(name, "Material", "is already defined as a beam material", FindRecordByName(model.beamMaterials, name) != 0,
            NameHeld(model.materials, name, self));
}

void CheckSectionName(const Model& model, const std::string& name, int self) {
  CheckName(name, "Section", "is already defined as a beam section", FindRecordByName(model.beamSections, name) != 0,
            NameHeld(model.sections, name, self));
}

void CheckSoilName(const Model& model, const std::string& name, int self) {
  CheckName(name, "Soil", "", false, NameHeld(model.soils, name, self));
}

void MergeMaterials(Model& model, ModelRecordTable<Material>& merged, std::vector<LayoutRow>& rows, int rowCount) {
  auto taken = [&model](const std::string& name) {
    return FindMaterialByName(model.materials, name) != 0 || FindRecordByName(model.beamMaterials, name) != 0;
  };
  MergeRecords(model.materials, merged, rows, rowCount, taken, "Material",
               [](LayoutRow& row, auto rename) { VisitMaterialNames(row, rename); });
}

void MergeSections(Model& model, ModelRecordTable<PipeSection>& merged, std::vector<LayoutRow>& rows, int rowCount) {
  auto taken = [&model](const std::string& name) {
    return FindSectionByName(model.sections, name) != 0 || FindRecordByName(model.beamSections, name) != 0;
  };
  MergeRecords(model.sections, merged, rows, rowCount, taken, "Section",
               [](LayoutRow& row, auto rename) { VisitSectionNames(row, rename); });
}

void MergeSoils(Model& model, ModelRecordTable<Soil>& merged, ModelRecordTable<PipeSection>& mergedSections) {
  std::vector<std::string> names;
  for (int index = 1; index <= merged.count; ++index) names.push_back(merged[index].name);
  const RenameMap map = BuildMergeRenameMap(
      names, [&model](const std::string& name) { return FindSoilByName(model.soils, name) != 0; }, "Soil");
  // The merged sections name the merged soils: they follow before either
  // table is appended.
  for (int index = 1; index <= mergedSections.count; ++index)
    mergedSections[index].soil = RenamedName(map, mergedSections[index].soil);
  for (int index = 1; index <= merged.count; ++index) {
    Soil& soil = merged[index];
    soil.name = RenamedName(map, soil.name);
    ModelRecordTableGrow(model.soils, model.soils.count + 1);
    model.soils[++model.soils.count] = std::move(soil);
  }
}

namespace {

// A beam row's own material, section or load name.
template <std::string LayoutRow::*Field>
void VisitBeamName(LayoutRow& row, const std::function<void(std::string&)>& visit) {
  if (row.elementType == ElementType::Beam) visit(row.*Field);
}

}  // namespace

void MergeBeamMaterials(Model& model, ModelRecordTable<BeamMaterial>& merged, std::vector<LayoutRow>& rows,
                        int rowCount) {
  auto taken = [&model](const std::string& name) {
    return FindMaterialByName(model.materials, name) != 0 || FindRecordByName(model.beamMaterials, name) != 0;
  };
  MergeRecords(model.beamMaterials, merged, rows, rowCount, taken, "Beam material",
               [](LayoutRow& row, auto rename) { VisitBeamName<&LayoutRow::material>(row, rename); });
}

void MergeBeamSections(Model& model, ModelRecordTable<BeamSection>& merged, std::vector<LayoutRow>& rows,
                       int rowCount) {
  auto taken = [&model](const std::string& name) {
    return FindSectionByName(model.sections, name) != 0 || FindRecordByName(model.beamSections, name) != 0;
  };
  MergeRecords(model.beamSections, merged, rows, rowCount, taken, "Beam section",
               [](LayoutRow& row, auto rename) { VisitBeamName<&LayoutRow::section>(row, rename); });
}

void MergeBeamLoads(Model& model, ModelRecordTable<BeamLoad>& merged, std::vector<LayoutRow>& rows, int rowCount) {
  auto taken = [&model](const std::string& name) {
    return FindRecordByName(model.pipeLoads, name) != 0 || FindRecordByName(model.beamLoads, name) != 0;
  };
  MergeRecords(model.beamLoads, merged, rows, rowCount, taken, "Beam load",
               [](LayoutRow& row, auto rename) { VisitBeamName<&LayoutRow::load>(row, rename); });
}
