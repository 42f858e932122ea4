// The specified displacements of anchors and nozzles in the model file; see
// the header.
#include "supports/DisplacementSets.h"

#include "files/ModelFile.h"
#include "shell/BinaryFile.h"

bool SpecifiedDisplacements::HasAny() const {
  for (std::uint8_t flag : flags)
    if (flag != 0) return true;
  return false;
}

void ReadDisplacementFlags(BinaryFile& file, SpecifiedDisplacements& displacements) {
  auto& flags = displacements.flags;
  flags.fill(0);
  BinaryFileReadBytes(file, &flags[0], 3);
  if (g_ModelFileVersion > 690) BinaryFileReadBytes(file, &flags[3], 7);
  BinaryFileReadBytes(file, &flags[kSeismicSlot], 2);
}

void WriteDisplacementFlags(BinaryFile& file, const SpecifiedDisplacements& displacements) {
  BinaryFileWriteBytes(file, displacements.flags.data(), kDisplacementSlots);
}

void ReadDisplacementValues(BinaryFile& file, SpecifiedDisplacements& displacements) {
  if (!displacements.HasAny()) {
    displacements.sets.reset();
    return;
  }
  auto sets = std::make_unique<DisplacementSets>();
  float* values = sets->values.data();
  if (g_ModelFileVersion >= 691) {
    BinaryFileReadFloats(file, values + 1, 6 * kDisplacementSlots);
  } else {
    // Version 690 and older: T1, T2, T3, Seismic, Settlement.
    BinaryFileReadFloats(file, values + 1, 18);
    BinaryFileReadFloats(file, values + 6 * kSeismicSlot + 1, 12);
  }
  displacements.sets = std::move(sets);
}

void WriteDisplacementValues(BinaryFile& file, const SpecifiedDisplacements& displacements) {
  if (!displacements.HasAny()) return;
  // A flag without its block writes zeros, so the record keeps its length.
  const DisplacementSets none;
  const DisplacementSets& sets = displacements.sets ? *displacements.sets : none;
  BinaryFileWriteFloats(file, sets.values.data() + 1, 6 * kDisplacementSlots);
}

void CopyDisplacements(SpecifiedDisplacements& destination, const SpecifiedDisplacements& source) {
  destination.flags = source.flags;
  destination.sets.reset();
  if (source.HasAny())
    destination.sets = source.sets ? std::make_unique<DisplacementSets>(*source.sets)
                                   : std::make_unique<DisplacementSets>();
}
