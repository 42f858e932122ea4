// The hanger's record and copy; see the header.
#include "supports/Hanger.h"

#include "kindbase/KindRecord.h"
#include "model/Nodes.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"
#include "services/NameTables.h"
#include "services/Units.h"

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

bool IsDesignedHanger(std::int32_t kind) { return kind >= 1 && kind <= kHangerCatalogueCount; }

std::string HangerKindText(std::int32_t kind) {
  switch (kind) {
    case kUserHanger: return "User hanger";
    case kRodHanger: return "Rod Hanger";
    case kConstantSupport: return "Const Support";
    default: return IsDesignedHanger(kind) ? HangerCatalogueName(kind) : "";
  }
}

std::string Hanger::CellText(int column) const {
  const bool designed = IsDesignedHanger(kind), user = kind == kUserHanger;
  auto trimmed = [](std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    return text;
  };
  switch (column) {
    case 2: return tag;
    case 3: return HangerKindText(kind);
    case 4: return std::to_string(numberOfHangers);
    case 5: return designed ? std::to_string(maximumLoadVariation) : "";
    case 6: return designed && shortRange != 0 ? "Y" : "";
    case 7: return user ? trimmed(FormatStiffnessOrRigid(springRate)) : "";
    case 8: return user ? trimmed(FormatForce(load)) : "";
    case 9: return user ? (loadType == 1 ? "Cold" : "Hot") : "";
    case 10: return connectedNode != 0 ? NodeNumberText(connectedNode) : "";
    default: return {};
  }
}
