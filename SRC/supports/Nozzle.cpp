// The nozzle's record and copy; see the header.
#include "supports/Nozzle.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Nozzle";

// Calls `visit` on the thirteen floats in their file order.
template <typename NozzleRecord, typename Visit>
void ForEachValue(NozzleRecord& n, Visit visit) {
  for (auto* value : {&n.nozzleOd, &n.nozzleThickness, &n.vesselOd, &n.vesselThickness, &n.l1,
                      &n.l2, &n.elasticModulus})
    visit(*value);
  for (auto& value : n.vesselAxis) visit(value);
  for (auto* value : {&n.axialStiffness, &n.circumferentialStiffness, &n.longitudinalStiffness})
    visit(*value);
}

}  // namespace

void Nozzle::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadByte(file, flatBottom);
  BinaryFileReadByte(file, reinforcingPad);
  ForEachValue(*this, [&file](float& value) { BinaryFileReadFloat(file, value); });
  ReadDisplacementFlags(file, g_ModelFileVersion, displacements);
  if (g_ModelFileVersion > 700) BinaryFileReadByte(file, spherical);
  CheckKindRecord(file, kKind);
  ReadDisplacementValues(file, g_ModelFileVersion, displacements);
  CheckKindRecord(file, kKind);
}

void Nozzle::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteByte(file, flatBottom);
  BinaryFileWriteByte(file, reinforcingPad);
  ForEachValue(*this, [&file](const float& value) { BinaryFileWriteFloat(file, value); });
  WriteDisplacementFlags(file, displacements);
  BinaryFileWriteByte(file, spherical);
  WriteDisplacementValues(file, displacements);
}

void Nozzle::CopyFrom(const DataItem& other) {
  const Nozzle& source = SameKind(*this, other);
  tag = source.tag;
  flatBottom = source.flatBottom;
  reinforcingPad = source.reinforcingPad;
  nozzleOd = source.nozzleOd;
  nozzleThickness = source.nozzleThickness;
  vesselOd = source.vesselOd;
  vesselThickness = source.vesselThickness;
  l1 = source.l1;
  l2 = source.l2;
  elasticModulus = source.elasticModulus;
  vesselAxis = source.vesselAxis;
  axialStiffness = source.axialStiffness;
  circumferentialStiffness = source.circumferentialStiffness;
  longitudinalStiffness = source.longitudinalStiffness;
  spherical = source.spherical;
  CopyDisplacements(displacements, source.displacements);
}

const char* NozzleVesselTypeText(const Nozzle& nozzle) {
  if (nozzle.spherical != 0) return "Sph";
  return nozzle.flatBottom != 0 ? "Flat" : "Cyl";
}
