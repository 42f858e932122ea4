// The branch SIF's record and copy; see the header.
#include "elements/BranchSif.h"

#include "analysis/AnalysisOptions.h"
#include "elements/KindRecord.h"
#include "files/ModelFile.h"
#include "model/Model.h"
#include "shell/BinaryFile.h"

namespace {

constexpr const char* kKind = "Branch SIF";
constexpr std::int32_t kCodeSwedish = 18;

}  // namespace

BranchSif::BranchSif() {
  if (TheModel().options.PipingCode == kCodeSwedish) type = kBranchSifUnreinforced;
}

void BranchSif::Read(BinaryFile& file) {
  BinaryFileReadInt(file, type);
  BinaryFileReadFloat(file, dimension1);
  BinaryFileReadFloat(file, dimension2);
  if (g_ModelFileVersion >= 781) BinaryFileReadInt(file, flanges);
  CheckKindRecord(file, kKind);
  CheckKindRange(type, 1, kBranchSifTypeLast, kKind, "branch SIF type");
  CheckKindRange(flanges, 0, 2, kKind, "flanges");
}

void BranchSif::Write(BinaryFile& file) const {
  BinaryFileWriteInt(file, type);
  BinaryFileWriteFloat(file, dimension1);
  BinaryFileWriteFloat(file, dimension2);
  BinaryFileWriteInt(file, flanges);
}

void BranchSif::CopyFrom(const DataItem& other) {
  const BranchSif& source = SameKind(*this, other);
  type = source.type;
  dimension1 = source.dimension1;
  dimension2 = source.dimension2;
  flanges = source.flanges;
}
