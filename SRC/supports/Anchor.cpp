// The anchor's record and copy; see the header.
#include "supports/Anchor.h"

#include "elements/KindRecord.h"
#include "files/ModelFile.h"
#include "shell/BinaryFile.h"

namespace {

constexpr const char* kKind = "Anchor";

}  // namespace

Anchor::Anchor() { stiffness.fill(1.0e12f); }

void Anchor::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadFloats(file, stiffness.data(), stiffness.size());
  BinaryFileReadBytes(file, releases.data(), releases.size());
  ReadDisplacementFlags(file, g_ModelFileVersion, displacements);
  if (g_ModelFileVersion >= 670) {
    BinaryFileReadByte(file, AnchorInPipeLcs);
    BinaryFileReadByte(file, DisplacementsInPipeLcs);
  }
  CheckKindRecord(file, kKind);
  ReadDisplacementValues(file, g_ModelFileVersion, displacements);
  CheckKindRecord(file, kKind);
}

void Anchor::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteFloats(file, stiffness.data(), stiffness.size());
  BinaryFileWriteBytes(file, releases.data(), releases.size());
  WriteDisplacementFlags(file, displacements);
  BinaryFileWriteByte(file, AnchorInPipeLcs);
  BinaryFileWriteByte(file, DisplacementsInPipeLcs);
  WriteDisplacementValues(file, displacements);
}

void Anchor::CopyFrom(const DataItem& other) {
  const Anchor& source = SameKind(*this, other);
  stiffness = source.stiffness;
  tag = source.tag;
  releases = source.releases;
  AnchorInPipeLcs = source.AnchorInPipeLcs;
  DisplacementsInPipeLcs = source.DisplacementsInPipeLcs;
  CopyDisplacements(displacements, source.displacements);
}
