// Time functions and their section; see the header.
#include "loads/TimeFunction.h"

#include "properties/TableFileFields.h"

namespace {

constexpr const char* kSection = "Time functions";
constexpr std::size_t kNameRoom = 32;

std::size_t NameWidth(int version) { return version < 503 ? 16 : 32; }

bool IsBlank(const TimeFunction& record) { return record.name.empty() && record.points.empty(); }

std::size_t SavedCount(const TimeFunctionList& list) {
  return !list.empty() && IsBlank(list.back()) ? list.size() - 1 : list.size();
}

}  // namespace

void ClearTimeFunctions(TimeFunctionList& list) { list.assign(1, TimeFunction{}); }

bool HasTimeFunctions(const TimeFunctionList& list) { return SavedCount(list) > 0; }

int FindTimeFunction(const TimeFunctionList& list, const std::string& name) {
  if (name.empty()) return -1;
  for (std::size_t index = 0; index < SavedCount(list); ++index)
    if (list[index].name == name) return static_cast<int>(index);
  return -1;
}

void ReadTimeFunctions(BinaryFile& file, int version, TimeFunctionList& list) {
  const std::size_t width = NameWidth(version);
  const std::int32_t count =
      ReadSectionCount(file, kSection, kMaxTableRecords, static_cast<std::int64_t>(width) + 4);
  TimeFunctionList fresh(static_cast<std::size_t>(count));
  for (TimeFunction& record : fresh) {
    ReadFixedField(file, record.name, width, kNameRoom, kSection);
    BinaryFileReadFloatPairs(file, record.points);
    CheckSectionRead(file, kSection);
  }
  fresh.emplace_back();
  list = std::move(fresh);
}

void WriteTimeFunctions(BinaryFile& file, const TimeFunctionList& list) {
  const std::size_t count = SavedCount(list);
  WriteSectionCount(file, static_cast<std::int32_t>(count));
  for (std::size_t index = 0; index < count; ++index) {
    WriteFixedField(file, list[index].name, kNameRoom);
    BinaryFileWriteFloatPairs(file, list[index].points);
  }
}
