// The beam element's record and copy; see the header.
#include "properties/BeamElement.h"

#include "elements/KindRecord.h"
#include "shell/BinaryFile.h"

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
