// Force spectra and their section; see the header.
#include "loads/ForceSpectrum.h"

#include "properties/TableFileFields.h"

namespace {

constexpr const char* kSection = "Force spectra";
constexpr std::size_t kNameWidth = 32;

bool IsBlank(const ForceSpectrum& record) { return record.name.empty() && record.points.empty(); }

std::size_t SavedCount(const ForceSpectrumList& list) {
  return !list.empty() && IsBlank(list.back()) ? list.size() - 1 : list.size();
}

}  // namespace

void ClearForceSpectra(ForceSpectrumList& list) { list.assign(1, ForceSpectrum{}); }

bool HasForceSpectra(const ForceSpectrumList& list) { return SavedCount(list) > 0; }

int FindForceSpectrum(const ForceSpectrumList& list, const std::string& name) {
  if (name.empty()) return -1;
  for (std::size_t index = 0; index < SavedCount(list); ++index)
    if (list[index].name == name) return static_cast<int>(index);
  return -1;
}

void ReadForceSpectra(BinaryFile& file, int version, ForceSpectrumList& list) {
  // Files up to version 502 have no force spectra section.
  if (version <= 502) return;
  const std::int32_t count = ReadSectionCount(file, kSection, kMaxTableRecords, kNameWidth + 4);
  ForceSpectrumList fresh(static_cast<std::size_t>(count));
  for (ForceSpectrum& record : fresh) {
    ReadFixedField(file, record.name, kNameWidth, kNameWidth, kSection);
    BinaryFileReadFloatPairs(file, record.points);
    CheckSectionRead(file, kSection);
  }
  fresh.emplace_back();
  list = std::move(fresh);
}

void WriteForceSpectra(BinaryFile& file, const ForceSpectrumList& list) {
  const std::size_t count = SavedCount(list);
  WriteSectionCount(file, static_cast<std::int32_t>(count));
  for (std::size_t index = 0; index < count; ++index) {
    WriteFixedField(file, list[index].name, kNameWidth);
    BinaryFileWriteFloatPairs(file, list[index].points);
  }
}
