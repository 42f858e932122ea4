// Force spectra and their section; see the header.
#include "records/ForceSpectrum.h"

#include <numbers>

#include "records/TableFileFields.h"
#include "services/Interpolation.h"

namespace {

constexpr const char* kSection = "Force spectra";
constexpr std::size_t kNameWidth = 32;
constexpr PointTableWords kWords{kSection, "force spectrum", "Frequency", "Frequency should be positive",
                                 "Spectrum value should be positive"};

}  // namespace

void ClearForceSpectra(ForceSpectrumList& list) { list.assign(1, ForceSpectrum{}); }

bool HasForceSpectra(const ForceSpectrumList& list) { return SavedPointTableCount(list) > 0; }

int FindForceSpectrum(const ForceSpectrumList& list, const std::string& name) { return FindPointTable(list, name); }

float ForceSpectrumValueAtMode(const ForceSpectrumList& list, double omega, std::size_t index) {
  return InterpolatePairs(list.at(index).points, static_cast<float>(omega / (2.0 * std::numbers::pi)));
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
    CheckReadPointTable(record, kWords);
  }
  fresh.emplace_back();
  list = std::move(fresh);
}

std::vector<std::string> MendForceSpectraBelowLeast(ForceSpectrumList& list) {
  return MendPointTablesBelowLeast(list, kWords);
}

std::vector<std::string> ForceSpectrumNotes(const ForceSpectrumList& list) {
  return PointTableNotes(list, kWords);
}

void WriteForceSpectra(BinaryFile& file, const ForceSpectrumList& list) {
  const std::size_t count = SavedPointTableCount(list);
  WriteSectionCount(file, static_cast<std::int32_t>(count));
  for (std::size_t index = 0; index < count; ++index) {
    BinaryFileNextRecord(file);
    WriteFixedField(file, list[index].name, kNameWidth);
    BinaryFileWriteFloatPairs(file, list[index].points);
  }
}
