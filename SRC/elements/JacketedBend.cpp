// The jacketed bend's record and copy; see the header.
#include "elements/JacketedBend.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Jacketed bend";

}  // namespace

void JacketedBend::Read(BinaryFile& file) {
  ReadBendRecord(file, kKind);
  ReadKindName(file, jacketMaterial, 681, kKind);
  ReadKindName(file, jacketSection, 681, kKind);
  ReadKindName(file, jacketLoad, 681, kKind);
  BinaryFileReadInt(file, jacketStartNode);
  BinaryFileReadInt(file, jacketNearNode);
  BinaryFileReadFloat(file, jacketRadius);
  BinaryFileReadFloat(file, jacketThickness);
  BinaryFileReadByte(file, jacketRadiusType);
  BinaryFileReadByte(file, jacketFlag);
  BinaryFileReadFloats(file, jacketCentre, 3);
  BinaryFileReadInt(file, jacketFarNode);
  CheckKindRecord(file, kKind);
  CheckKindRange(jacketRadiusType, kBendRadiusLong, kBendRadiusUser, kKind, "jacket radius type");
}

void JacketedBend::Write(BinaryFile& file) const {
  WriteBendRecord(file);
  WriteKindName(file, jacketMaterial);
  WriteKindName(file, jacketSection);
  WriteKindName(file, jacketLoad);
  BinaryFileWriteInt(file, jacketStartNode);
  BinaryFileWriteInt(file, jacketNearNode);
  BinaryFileWriteFloat(file, jacketRadius);
  BinaryFileWriteFloat(file, jacketThickness);
  BinaryFileWriteByte(file, jacketRadiusType);
  BinaryFileWriteByte(file, jacketFlag);
  BinaryFileWriteFloats(file, jacketCentre, 3);
  BinaryFileWriteInt(file, jacketFarNode);
}

void JacketedBend::CopyFrom(const ElementData& other) {
  const JacketedBend& source = SameKind(*this, other);
  CopyBendInput(source);
  jacketMaterial = source.jacketMaterial;
  jacketSection = source.jacketSection;
  jacketLoad = source.jacketLoad;
  jacketRadius = source.jacketRadius;
  jacketThickness = source.jacketThickness;
  jacketRadiusType = source.jacketRadiusType;
}
