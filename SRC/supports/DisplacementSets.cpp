// The specified displacements of anchors and nozzles in the model file and
// the set list; see the header.
#include "supports/DisplacementSets.h"

#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/Nozzle.h"

namespace {

constexpr int kFirstTenSlotsVersion = 691;

DisplacementSetList& CurrentSetList() {
  static DisplacementSetList list;
  return list;
}

}  // namespace

bool SpecifiedDisplacements::HasAny() const {
  for (std::uint8_t flag : flags)
    if (flag != 0) return true;
  return false;
}

void ReadDisplacementFlags(BinaryFile& file, int version, SpecifiedDisplacements& displacements) {
  auto& flags = displacements.flags;
  flags.fill(0);
  BinaryFileReadBytes(file, &flags[0], 3);
  if (version >= kFirstTenSlotsVersion) BinaryFileReadBytes(file, &flags[3], 7);
  BinaryFileReadBytes(file, &flags[kSeismicSlot], 2);
}

void WriteDisplacementFlags(BinaryFile& file, const SpecifiedDisplacements& displacements) {
  BinaryFileWriteBytes(file, displacements.flags.data(), kDisplacementSlots);
}

void ReadDisplacementValues(BinaryFile& file, int version, SpecifiedDisplacements& displacements) {
  if (!displacements.HasAny()) {
    displacements.sets.reset();
    return;
  }
  auto sets = std::make_unique<DisplacementSets>();
  float* values = sets->values.data();
  if (version >= kFirstTenSlotsVersion) {
    BinaryFileReadFloats(file, values + 1, 6 * kDisplacementSlots);
  } else {
    // Version 690 and older: T1, T2, T3, Seismic, Settlement.
    BinaryFileReadFloats(file, values + 1, 18);
    BinaryFileReadFloats(file, values + 6 * kSeismicSlot + 1, 12);
  }
  displacements.sets = std::move(sets);
}

void WriteDisplacementValues(BinaryFile& file, const SpecifiedDisplacements& displacements) {
  if (!displacements.HasAny()) return;
  // A flag without its block writes zeros, so the record keeps its length.
  const DisplacementSets none;
  const DisplacementSets& sets = displacements.sets ? *displacements.sets : none;
  BinaryFileWriteFloats(file, sets.values.data() + 1, 6 * kDisplacementSlots);
}

void CopyDisplacements(SpecifiedDisplacements& destination, const SpecifiedDisplacements& source) {
  destination.flags = source.flags;
  destination.sets.reset();
  if (source.HasAny())
    destination.sets = source.sets ? std::make_unique<DisplacementSets>(*source.sets)
                                   : std::make_unique<DisplacementSets>();
}

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

std::string RotationText(float degrees) {
  return FormatAngleOrNone(static_cast<float>(degrees / kDegreesPerRadian));
}

int ParseFieldRotation(float& degrees) {
  float typed = 0.0f;
  if (ParseFieldReal(typed) != 0) return 1;
  // Typed in radians, the degrees kept must keep the rule of a stored value.
  if (ChosenUnit(kUnitAngle) != 0 && !StoredValueAcceptable(typed * kDegreesPerRadian)) return 1;
  // Typed in degrees the value is kept as typed, so that it reads back exactly.
  degrees = ChosenUnit(kUnitAngle) == 0 ? typed : static_cast<float>(typed * kDegreesPerRadian);
  return 0;
}

SpecifiedDisplacements* RowDisplacements(LayoutRow& row) {
  if (row.dataType == DataType::Anchor)
    if (auto* anchor = dynamic_cast<Anchor*>(row.item.get())) return &anchor->displacements;
  if (row.dataType == DataType::Nozzle)
    if (auto* nozzle = dynamic_cast<Nozzle*>(row.item.get())) return &nozzle->displacements;
  return nullptr;
}

const SpecifiedDisplacements* RowDisplacements(const LayoutRow& row) {
  return RowDisplacements(const_cast<LayoutRow&>(row));
}

bool RowDisplacementsInPipeLcs(const LayoutRow& row) {
  if (row.dataType != DataType::Anchor) return false;
  const auto* anchor = dynamic_cast<const Anchor*>(row.item.get());
  return anchor != nullptr && anchor->DisplacementsInPipeLcs != 0;
}

DisplacementSetList BuildDisplacementSetList(int thermalLoadCount, int pipingCode) {
  DisplacementSetList list;
  const int thermal = thermalLoadCount >= 4 ? 10 : (thermalLoadCount < 1 ? 1 : thermalLoadCount);
  for (int slot = 0; slot < thermal; ++slot) list.entries.push_back({"T" + std::to_string(slot + 1), slot, 6 * slot});
  list.seismic = CodeGroupG(pipingCode);
  list.settlement = CodeGroupF(pipingCode);
  if (list.seismic) list.entries.push_back({"Seis", kSeismicSlot, 6 * kSeismicSlot});
  if (list.settlement) list.entries.push_back({"Setl", kSettlementSlot, 6 * kSettlementSlot});
  return list;
}

const DisplacementSetList& BuildSpecDisplSets() {
  const Model& model = TheModel();
  CurrentSetList() = BuildDisplacementSetList(model.options.ThermalLoadCount, model.options.PipingCode);
  return CurrentSetList();
}

int SpecifiedDisplacementSetCount() { return static_cast<int>(BuildSpecDisplSets().entries.size()); }

std::string DisplacementSetDialogLabel(const std::string& shortLabel) {
  if (shortLabel == "Seis") return "Seismic";
  if (shortLabel == "Setl") return "Settlement";
  return shortLabel;
}

std::string SpecDisplDialogTemplate() {
  const int count = SpecifiedDisplacementSetCount();
  QV_ASSERT((count >= 1 && count <= 5) || (count >= 10 && count <= 12));
  return "SPEC_DISPL" + std::to_string(count) + "_DIALOG";
}
