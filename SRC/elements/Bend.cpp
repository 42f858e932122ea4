// The bend's record and copy; see the header.
#include "elements/Bend.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Bend";

}  // namespace

void Bend::ReadBendRecord(BinaryFile& file, const char* kind) {
  const int version = g_ModelFileVersion;
  BinaryFileReadFloat(file, radius);
  BinaryFileReadFloat(file, thickness);
  if (version > 500) {
    ReadKindName(file, material, 681, kind);
    BinaryFileReadFloat(file, flexibilityFactor);
  }
  if (version > 780) BinaryFileReadFloat(file, outPlaneFlexibilityFactor);
  if (version > 502) {
    BinaryFileReadFloat(file, inPlaneSif);
    BinaryFileReadFloat(file, outPlaneSif);
  }
  if (version > 780) {
    BinaryFileReadFloat(file, axialSif);
    BinaryFileReadFloat(file, torsionSif);
  }
  BinaryFileReadInt(file, intermediateNode1);
  BinaryFileReadInt(file, intermediateNode2);
  BinaryFileReadFloat(file, angle1);
  BinaryFileReadFloat(file, angle2);
  BinaryFileReadByte(file, radiusType);
  BinaryFileReadByte(file, flangedEnds);
  BinaryFileReadByte(file, BendGeometryValid);
  BinaryFileReadFloat(file, bendAngle);
  BinaryFileReadFloats(file, centre, 3);
  BinaryFileReadInt(file, farNode);
  CheckKindRecord(file, kind);
  CheckKindRange(radiusType, kBendRadiusLong, kBendRadiusUser, kind, "radius type");
  CheckKindRange(flangedEnds, 0, 2, kind, "flanged ends");
  CheckKindRange(intermediateNode1, 0, INT32_MAX, kind, "intermediate node");
  CheckKindRange(intermediateNode2, 0, INT32_MAX, kind, "intermediate node");
}

void Bend::WriteBendRecord(BinaryFile& file) const {
  BinaryFileWriteFloat(file, radius);
  BinaryFileWriteFloat(file, thickness);
  WriteKindName(file, material);
  BinaryFileWriteFloat(file, flexibilityFactor);
  BinaryFileWriteFloat(file, outPlaneFlexibilityFactor);
  BinaryFileWriteFloat(file, inPlaneSif);
  BinaryFileWriteFloat(file, outPlaneSif);
  BinaryFileWriteFloat(file, axialSif);
  BinaryFileWriteFloat(file, torsionSif);
  BinaryFileWriteInt(file, intermediateNode1);
  BinaryFileWriteInt(file, intermediateNode2);
  BinaryFileWriteFloat(file, angle1);
  BinaryFileWriteFloat(file, angle2);
  BinaryFileWriteByte(file, radiusType);
  BinaryFileWriteByte(file, flangedEnds);
  BinaryFileWriteByte(file, BendGeometryValid);
  BinaryFileWriteFloat(file, bendAngle);
  BinaryFileWriteFloats(file, centre, 3);
  BinaryFileWriteInt(file, farNode);
}

void Bend::CopyBendInput(const Bend& source) {
  radiusType = source.radiusType;
  radius = source.radius;
  thickness = source.thickness;
  material = source.material;
  flexibilityFactor = source.flexibilityFactor;
  outPlaneFlexibilityFactor = source.outPlaneFlexibilityFactor;
  inPlaneSif = source.inPlaneSif;
  outPlaneSif = source.outPlaneSif;
  axialSif = source.axialSif;
  torsionSif = source.torsionSif;
  intermediateNode1 = source.intermediateNode1;
  intermediateNode2 = source.intermediateNode2;
  angle1 = source.angle1;
  angle2 = source.angle2;
}

void Bend::Read(BinaryFile& file) { ReadBendRecord(file, kKind); }

void Bend::Write(BinaryFile& file) const { WriteBendRecord(file); }

void Bend::CopyFrom(const ElementData& other) { CopyBendInput(SameKind(*this, other)); }
