// The anchor's record, copy and list text; see the header.
#include "supports/Anchor.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"
#include "services/Units.h"

namespace {

constexpr const char* kKind = "Anchor";

void CheckFlagBytes(const std::uint8_t* bytes, std::size_t n, const char* field) {
  for (std::size_t i = 0; i < n; ++i) CheckKindRange(bytes[i], 0, 1, kKind, field);
}

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
  CheckFlagBytes(releases.data(), releases.size(), "release");
  CheckFlagBytes(displacements.flags.data(), displacements.flags.size(), "displacement flag");
  CheckFlagBytes(&AnchorInPipeLcs, 1, "Anchor in Pipe LCS");
  CheckFlagBytes(&DisplacementsInPipeLcs, 1, "Displacements in Pipe LCS");
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

std::string Anchor::CellText(int column) const {
  if (column == 2) return tag;
  if (column >= 3 && column <= 5) return FormatStiffnessOrRigid(stiffness[static_cast<std::size_t>(column - 3)]);
  if (column >= 6 && column <= 8) return FormatRotStiffnessOrRigid(stiffness[static_cast<std::size_t>(column - 3)]);
  if (column >= 9 && column <= 14) return releases[static_cast<std::size_t>(column - 9)] != 0 ? "Y" : "";
  if (column == 15) return AnchorInPipeLcs != 0 ? "Pipe LCS" : "GCS";
  return {};
}

bool IsRigidAnchor(const std::array<float, 6>& stiffness) {
  for (float value : stiffness)
    if (!(value >= 0.98e12f && value <= 1.02e12f)) return false;
  return true;
}

bool AnchorHasReleases(const Anchor& anchor) {
  for (std::uint8_t release : anchor.releases)
    if (release != 0) return true;
  return false;
}

bool Anchor::HasReleases() const {
  for (std::uint8_t release : releases)
    if (release != 0) return true;
  return false;
}
