// The user SIF's record and copy; see the header.
#include "elements/UserSif.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

void UserSif::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, inPlaneSif);
  BinaryFileReadFloat(file, outPlaneSif);
  if (g_ModelFileVersion >= 781) {
    BinaryFileReadFloat(file, axialSif);
    BinaryFileReadFloat(file, torsionSif);
  }
  CheckKindRecord(file, "User SIF");
}

void UserSif::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, inPlaneSif);
  BinaryFileWriteFloat(file, outPlaneSif);
  BinaryFileWriteFloat(file, axialSif);
  BinaryFileWriteFloat(file, torsionSif);
}

void UserSif::CopyFrom(const DataItem& other) {
  const UserSif& source = SameKind(*this, other);
  inPlaneSif = source.inPlaneSif;
  outPlaneSif = source.outPlaneSif;
  axialSif = source.axialSif;
  torsionSif = source.torsionSif;
}
