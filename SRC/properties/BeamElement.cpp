// The beam element's record and copy; see the header.
#include "properties/BeamElement.h"

#include "elements/KindRecord.h"
#include "shell/BinaryFile.h"
#include "shell/StandIn.h"

// Not drawn yet: the kind keeps the base's empty drawing and pick
// operations, so the picture shows only the nodes of its rows.
STAND_IN("the beam's line and its web and flanges in the rendered picture, and their picking");

void Beam::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, beta);
  BinaryFileReadBytes(file, releases.data(), releases.size());
  CheckKindRecord(file, "Beam");
}

void Beam::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, beta);
  BinaryFileWriteBytes(file, releases.data(), releases.size());
}

void Beam::CopyFrom(const ElementData& other) {
  const Beam& source = SameKind(*this, other);
  beta = source.beta;
  releases = source.releases;
}
