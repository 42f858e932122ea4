// Time functions and their section; see the header.
#include "records/TimeFunction.h"

#include "records/TableFileFields.h"
#include "services/Assert.h"
#include "services/Interpolation.h"

namespace {

constexpr const char* kSection = "Time functions";
constexpr PointTableWords kWords{kSection, "time function", "Time", "Time should be positive", nullptr};
constexpr std::size_t kNameRoom = 32;

std::size_t NameWidth(int version) { return version < 503 ? 16 : 32; }

}  // namespace

void ClearTimeFunctions(TimeFunctionList& list) { list.assign(1, TimeFunction{}); }

bool HasTimeFunctions(const TimeFunctionList& list) { return SavedPointTableCount(list) > 0; }

int FindTimeFunction(const TimeFunctionList& list, const std::string& name) { return FindPointTable(list, name); }

float TimeFunctionValueAt(const TimeFunctionList& list, float time, std::size_t index) {
  return InterpolatePairs(list.at(index).points, time);
}

float TimeFunctionDuration(const TimeFunctionList& list, std::size_t index) {
  const std::vector<FloatPair>& points = list.at(index).points;
  return points.empty() ? 0.0f : points.back().x;
}

void SetLastTimeFunction(TimeFunctionList& list, const std::string& name, const std::vector<FloatPair>& points) {
  QV_ASSERT(!list.empty());
  list.back().name = name;
  list.back().points = points;
  list.emplace_back();
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
    CheckReadPointTable(record, kWords);
  }
  fresh.emplace_back();
  list = std::move(fresh);
}

std::string TimeFunctionPointFault(const TimeFunction& record) { return PointTableFault(record, kWords); }

std::vector<std::string> MendTimeFunctionsBelowLeast(TimeFunctionList& list) {
  return MendPointTablesBelowLeast(list, kWords);
}

std::vector<std::string> TimeFunctionNotes(const TimeFunctionList& list) {
  return PointTableNotes(list, kWords);
}

void WriteTimeFunctions(BinaryFile& file, const TimeFunctionList& list) {
  const std::size_t count = SavedPointTableCount(list);
  WriteSectionCount(file, static_cast<std::int32_t>(count));
  for (std::size_t index = 0; index < count; ++index) {
    BinaryFileNextRecord(file);
    WriteFixedField(file, list[index].name, kNameRoom);
    BinaryFileWriteFloatPairs(file, list[index].points);
  }
}
