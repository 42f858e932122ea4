// The force spectrum load's record; see the header.
#include "loads/ForceSpectrumLoad.h"

void ForceSpectrumLoad::Read(BinaryFile& file) {
  ReadDirectionalLoad(file, Fields(), kLoadTableNameWidth, "Force spectrum load");
}

bool IsForceSpectrumInUse(const Model& model, const std::string& name) {
  return IsTableNamedByLoads(model, DataType::ForceSpectrumLoad, name);
}
