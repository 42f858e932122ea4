// The pipe loads as the model's rows use them (see PipeLoadUse.h).
#include "loads/PipeLoadUse.h"

#include <algorithm>
#include <map>

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowObjects.h"

namespace {

// The jacket load name of a jacketed pipe or bend row, else null.
std::string* JacketLoad(LayoutRow& row) {
  if (row.elementType != ElementType::JacketedPipe && row.elementType != ElementType::JacketedBend) return nullptr;
  JacketRecord* jacket = row.element != nullptr ? row.element->AsJacket() : nullptr;
  return jacket != nullptr ? &jacket->jacketLoad : nullptr;
}

const std::string* JacketLoad(const LayoutRow& row) { return JacketLoad(const_cast<LayoutRow&>(row)); }

bool NameTaken(const Model& model, const std::string& name) {
  return FindRecordByName(model.pipeLoads, name) != 0 || FindRecordByName(model.beamLoads, name) != 0;
}

}  // namespace

bool IsPipeLoadInUse(const Model& model, int record) {
  if (record < 1 || record > model.pipeLoads.count) return false;
  const std::string& name = model.pipeLoads[record].name;
  if (name.empty() || model.rowCount == 0) return false;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.load == name) return true;
    const std::string* jacket = JacketLoad(row);
    if (jacket != nullptr && *jacket == name) return true;
  }
  return false;
}

void RenamePipeLoad(Model& model, int record, const std::string& to) {
  RenameRecordAt(model.pipeLoads, record, to, [&model](const std::string& from, const std::string& name) {
    for (int number = 1; number <= model.rowCount; ++number) {
      LayoutRow& row = model.row(number);
      if (row.load == from) row.load = name;
      if (std::string* jacket = JacketLoad(row); jacket != nullptr && *jacket == from) *jacket = name;
    }
  });
  model.modified = true;
}

void MergePipeLoads(Model& model, const ModelRecordTable<PipeLoad>& merged, std::vector<LayoutRow>& mergedRows,
                    int mergedRowCount) {
  // Every new name is chosen before anything changes, from the original
  // names, so that a load renamed to "1" is never renamed again by a merged
  // load that was called "1" itself.
  std::map<std::string, std::string> renamed;
  std::vector<std::string> finalNames;
  for (int index = 1; index <= merged.count; ++index) finalNames.push_back(merged[index].name);
  auto used = [&](const std::string& name) {
    return NameTaken(model, name) || std::find(finalNames.begin(), finalNames.end(), name) != finalNames.end();
  };
  for (int index = 1; index <= merged.count; ++index) {
    const std::string& name = merged[index].name;
    if (name.empty() || !NameTaken(model, name)) continue;
    std::string free;
    for (int number = 1; number <= 999 && free.empty(); ++number)
      if (!used(std::to_string(number))) free = std::to_string(number);
    if (free.empty()) throw "Unable to merge: no free name for the pipe load " + name;
    renamed[name] = free;
    finalNames[static_cast<std::size_t>(index - 1)] = free;
  }
  const int last = std::min(mergedRowCount, static_cast<int>(mergedRows.size()) - 1);
  for (int number = 1; number <= last; ++number) {
    LayoutRow& row = mergedRows[static_cast<std::size_t>(number)];
    // A beam row's load is a beam load's name.
    if (auto found = renamed.find(row.load); found != renamed.end() && row.elementType != ElementType::Beam)
      row.load = found->second;
    if (std::string* jacket = JacketLoad(row); jacket != nullptr)
      if (auto found = renamed.find(*jacket); found != renamed.end()) *jacket = found->second;
  }
  ModelRecordTable<PipeLoad>& table = model.pipeLoads;
  const int count = table.count + merged.count;
  table.records.resize(static_cast<std::size_t>(count) + 3);
  for (int index = 1; index <= merged.count; ++index) {
    table.records[static_cast<std::size_t>(table.count + index)] = merged[index];
    table.records[static_cast<std::size_t>(table.count + index)].name = finalNames[static_cast<std::size_t>(index - 1)];
  }
  table.count = count;
  table.capacity = count;
}

