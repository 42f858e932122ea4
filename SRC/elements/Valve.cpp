// The valve's record and copy; see the header.
#include "elements/Valve.h"

#include <cmath>

#include "kindbase/KindRecord.h"
#include "model/LayoutRow.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Valve";

}  // namespace

void Valve::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, weight);
  BinaryFileReadFloat(file, length);
  BinaryFileReadFloat(file, thicknessMultiplier);
  BinaryFileReadFloat(file, insulationWeightMultiplier);
  BinaryFileReadFloat(file, additionalWeight);
  BinaryFileReadFloat(file, dx);
  BinaryFileReadFloat(file, dy);
  BinaryFileReadFloat(file, dz);
  if (g_ModelFileVersion > 510) BinaryFileReadInt(file, valveType);
  CheckKindRecord(file, kKind);
  CheckKindRange(valveType, 0, kValveTypeCount - 1, kKind, "valve type");
}

void Valve::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, weight);
  BinaryFileWriteFloat(file, length);
  BinaryFileWriteFloat(file, thicknessMultiplier);
  BinaryFileWriteFloat(file, insulationWeightMultiplier);
  BinaryFileWriteFloat(file, additionalWeight);
  BinaryFileWriteFloat(file, dx);
  BinaryFileWriteFloat(file, dy);
  BinaryFileWriteFloat(file, dz);
  BinaryFileWriteInt(file, valveType);
}

void Valve::CopyFrom(const ElementData& other) {
  const Valve& source = SameKind(*this, other);
  weight = source.weight;
  length = source.length;
  thicknessMultiplier = source.thicknessMultiplier;
  insulationWeightMultiplier = source.insulationWeightMultiplier;
  additionalWeight = source.additionalWeight;
  dx = source.dx;
  dy = source.dy;
  dz = source.dz;
  valveType = source.valveType;
}

void ValveLengthFollowsOffsets(LayoutRow& row) {
  auto* valve = dynamic_cast<Valve*>(row.element.get());
  if (valve == nullptr || valve->length == 0.0f) return;
  valve->length = static_cast<float>(
      std::sqrt(double(row.dx) * row.dx + double(row.dy) * row.dy + double(row.dz) * row.dz));
}
