// The guide's record and copy; see the header.
#include "supports/Guide.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Guide";

}  // namespace

void Guide::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadFloat(file, frictionCoefficient);
  BinaryFileReadFloat(file, stiffness);
  if (g_ModelFileVersion >= 503) {
    BinaryFileReadFloat(file, gap);
    connectedNode = ReadNodeNumberField(file, kKind);
  }
  CheckKindRecord(file, kKind);
}

void Guide::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteFloat(file, frictionCoefficient);
  BinaryFileWriteFloat(file, stiffness);
  BinaryFileWriteFloat(file, gap);
  BinaryFileWriteInt(file, connectedNode);
}

void Guide::CopyFrom(const DataItem& other) {
  const Guide& source = SameKind(*this, other);
  tag = source.tag;
  frictionCoefficient = source.frictionCoefficient;
  stiffness = source.stiffness;
  gap = source.gap;
  connectedNode = source.connectedNode;
}
