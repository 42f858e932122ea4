// The hanger's record and copy; see the header.
#include "supports/Hanger.h"

#include "elements/KindRecord.h"
#include "files/ModelFile.h"
#include "shell/BinaryFile.h"
#include "shell/StandIn.h"

// Not drawn yet: the item keeps the base's empty drawing operations and
// its bounds at the node, so the picture shows no symbol there.
STAND_IN("the hanger's symbol in the line and rendered pictures, and its picking");

namespace {

constexpr const char* kKind = "Hanger";

bool IsHangerKind(std::int32_t kind) {
  return (kind >= 1 && kind <= kHangerCatalogueCount) || (kind >= kUserHanger && kind <= kConstantSupport);
}

}  // namespace

void Hanger::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadInt(file, kind);
  BinaryFileReadInt(file, numberOfHangers);
  BinaryFileReadInt(file, maximumLoadVariation);
  BinaryFileReadByte(file, shortRange);
  if (g_ModelFileVersion >= 521) BinaryFileReadByte(file, above);
  connectedNode = ReadNodeNumberField(file, kKind);
  BinaryFileReadInt(file, loadType);
  BinaryFileReadFloat(file, springRate);
  BinaryFileReadFloat(file, load);
  CheckKindRecord(file, kKind);
  if (!IsHangerKind(kind)) RefuseKindValue(kKind, "hanger type", kind);
  CheckKindRange(numberOfHangers, 1, INT32_MAX, kKind, "number of hangers");
  // -1 is the mark of a load being found while an analysis runs.
  CheckKindRange(loadType, -1, 1, kKind, "load type");
}

void Hanger::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteInt(file, kind);
  BinaryFileWriteInt(file, numberOfHangers);
  BinaryFileWriteInt(file, maximumLoadVariation);
  BinaryFileWriteByte(file, shortRange);
  BinaryFileWriteByte(file, above);
  BinaryFileWriteInt(file, connectedNode);
  BinaryFileWriteInt(file, loadType);
  BinaryFileWriteFloat(file, springRate);
  BinaryFileWriteFloat(file, load);
}

void Hanger::CopyFrom(const DataItem& other) {
  const Hanger& source = SameKind(*this, other);
  tag = source.tag;
  kind = source.kind;
  numberOfHangers = source.numberOfHangers;
  maximumLoadVariation = source.maximumLoadVariation;
  shortRange = source.shortRange;
  above = source.above;
  connectedNode = source.connectedNode;
  loadType = source.loadType;
  springRate = source.springRate;
  load = source.load;
}
