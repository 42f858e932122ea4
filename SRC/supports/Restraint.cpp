// The restraint's record, copy, list text and analysis; see the header.
#include "supports/Restraint.h"

#include "kindbase/GlobalSystem.h"
#include "kindbase/KindRecord.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Restraint";
constexpr double kRigid = 1.0e12;

}  // namespace

void Restraint::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadByte(file, restrainX);
  BinaryFileReadByte(file, restrainY);
  BinaryFileReadByte(file, restrainZ);
  CheckKindRecord(file, kKind);
  CheckKindRange(restrainX, 0, 1, kKind, "X");
  CheckKindRange(restrainY, 0, 1, kKind, "Y");
  CheckKindRange(restrainZ, 0, 1, kKind, "Z");
}

void Restraint::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteByte(file, restrainX);
  BinaryFileWriteByte(file, restrainY);
  BinaryFileWriteByte(file, restrainZ);
}

void Restraint::CopyFrom(const DataItem& other) {
  const Restraint& source = SameKind(*this, other);
  tag = source.tag;
  restrainX = source.restrainX;
  restrainY = source.restrainY;
  restrainZ = source.restrainZ;
}

std::string Restraint::CellText(int column) const {
  switch (column) {
    case 2: return tag;
    case 3:
    case 4:
    case 5: return Holds(column - 3) ? "Y" : "";
    default: return {};
  }
}

void Restraint::AddStiffness(int rowNumber) {
  const Model& model = TheModel();
  const LocationVector vector = NodeLocationVector(model.nodes, model.row(rowNumber).endNode);
  if (vector.equation[0] == 0) return;
  ElementMatrixPacked packed;
  packed.n = 6;
  for (int axis = 0; axis < 3; ++axis)
    if (Holds(axis)) packed.value[static_cast<std::size_t>(PackedIndex(6, axis + 1, axis + 1))] = kRigid;
  AddSupportMatrix(packed, vector);
}

void Restraint::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const LocationVector vector = NodeLocationVector(model.nodes, model.row(rowNumber).endNode);
  std::array<float, 3> loads{};
  if (vector.equation[0] != 0)
    for (int axis = 0; axis < 3; ++axis)
      if (Holds(axis)) loads[static_cast<std::size_t>(axis)] = static_cast<float>(kRigid * SolvedValue(vector.equation[static_cast<std::size_t>(axis)]));
  KeepAndWriteSupportLoads(loads);
}

int RestraintDirectionCode(const Restraint& restraint) {
  const bool x = restraint.restrainX != 0, y = restraint.restrainY != 0, z = restraint.restrainZ != 0;
  if (x && y && z) return 7;
  if (x && z) return 6;
  if (y && z) return 5;
  if (x && y) return 4;
  if (z) return 3;
  if (y) return 2;
  return x ? 1 : 0;
}
