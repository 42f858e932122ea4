// The jacketed pipe's record and copy; see the header.
#include "elements/JacketedPipe.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Jacketed pipe";

}  // namespace

void JacketedPipe::Read(BinaryFile& file) {
  ReadKindName(file, jacketMaterial, 681, kKind);
  ReadKindName(file, jacketSection, 681, kKind);
  ReadKindName(file, jacketLoad, 681, kKind);
  BinaryFileReadInt(file, jacketStartNode);
  BinaryFileReadInt(file, jacketEndNode);
  CheckKindRecord(file, kKind);
}

void JacketedPipe::Write(BinaryFile& file) const {
  WriteKindName(file, jacketMaterial);
  WriteKindName(file, jacketSection);
  WriteKindName(file, jacketLoad);
  BinaryFileWriteInt(file, jacketStartNode);
  BinaryFileWriteInt(file, jacketEndNode);
}

void JacketedPipe::CopyFrom(const ElementData& other) {
  const JacketedPipe& source = SameKind(*this, other);
  jacketMaterial = source.jacketMaterial;
  jacketSection = source.jacketSection;
  jacketLoad = source.jacketLoad;
}
