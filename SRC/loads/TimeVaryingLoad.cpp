// The time varying load's record; see the header.
#include "loads/TimeVaryingLoad.h"

#include "records/ModelFileFormat.h"

void TimeVaryingLoad::Read(BinaryFile& file) {
  const std::size_t nameWidth = g_ModelFileVersion < 503 ? 16 : kLoadTableNameWidth;
  ReadDirectionalLoad(file, Fields(), nameWidth, "Time varying load");
}

bool IsTimeFunctionInUse(const Model& model, const std::string& name) {
  return IsTableNamedByLoads(model, DataType::TimeVaryingLoad, name);
}
