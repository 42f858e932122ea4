// Response spectra, the spectrum load and the spectra section; see the
// header.
#include "loads/Spectrum.h"

#include <cstdio>

#include "properties/TableFileFields.h"

namespace {

constexpr const char* kSection = "Spectra";
constexpr std::size_t kNameRoom = 32;

// Version thresholds of the section.
std::size_t NameWidth(int version) { return version < 503 ? 16 : 32; }
bool OrdinatesInOwnUnit(int version) { return version <= 510; }
bool AssignmentsAlwaysPresent(int version) { return version < 503; }

bool IsBlank(const ResponseSpectrum& spectrum) { return spectrum.name.empty() && spectrum.points.empty(); }

// The entries that are saved: all but the trailing blank one.
std::size_t SavedCount(const SpectrumList& list) {
  return !list.empty() && IsBlank(list.back()) ? list.size() - 1 : list.size();
}

void ReadSpectrum(BinaryFile& file, int version, ResponseSpectrum& spectrum) {
  ReadFixedField(file, spectrum.name, NameWidth(version), kNameRoom, kSection);
  BinaryFileReadByte(file, spectrum.logInterpolation1);
  BinaryFileReadByte(file, spectrum.logInterpolation2);
  BinaryFileReadByte(file, spectrum.periodAbscissa);
  BinaryFileReadInt(file, spectrum.ordinateUnit);
  CheckSectionRead(file, kSection);
  // The unit picks the labels and factors of the spectrum table, and old
  // files are converted by it.
  if (spectrum.ordinateUnit < kOrdinateInch || spectrum.ordinateUnit > kOrdinateG) {
    char detail[96];
    std::snprintf(detail, sizeof detail, "spectrum %s has ordinate unit %d", spectrum.name.c_str(),
                  static_cast<int>(spectrum.ordinateUnit));
    ThrowDamagedSection(kSection, detail);
  }
  BinaryFileReadFloatPairs(file, spectrum.points);
  CheckSectionRead(file, kSection);
  if (OrdinatesInOwnUnit(version))
    for (FloatPair& point : spectrum.points) OrdinateToInternal(spectrum.ordinateUnit, point.y);
}

void ReadAssignments(BinaryFile& file, int version, SpectrumLoad& load) {
  for (std::size_t axis = 0; axis < 3; ++axis) {
    ReadFixedField(file, load.name[axis], NameWidth(version), kNameRoom, kSection);
    BinaryFileReadFloat(file, load.factor[axis]);
  }
  CheckSectionRead(file, kSection);
}

}  // namespace

void ClearSpectra(SpectrumList& list, SpectrumLoad& load) {
  list.assign(1, ResponseSpectrum{});
  load = SpectrumLoad{};
}

void AppendBlankSpectrum(SpectrumList& list) {
  ResponseSpectrum blank;
  if (!list.empty()) {
    const ResponseSpectrum& before = list.back();
    blank.logInterpolation1 = before.logInterpolation1;
    blank.logInterpolation2 = before.logInterpolation2;
    blank.periodAbscissa = before.periodAbscissa;
    blank.ordinateUnit = before.ordinateUnit;
  }
  list.push_back(blank);
}

bool HasSpectra(const SpectrumList& list) { return SavedCount(list) > 0; }

int FindSpectrum(const SpectrumList& list, const std::string& name) {
  if (name.empty()) return -1;
  for (std::size_t index = 0; index < SavedCount(list); ++index)
    if (list[index].name == name) return static_cast<int>(index);
  return -1;
}

bool OrdinateToInternal(std::int32_t unit, float& ordinate) {
  switch (unit) {
    case kOrdinateInch:
    case kOrdinateInPerSec2: return true;
    case kOrdinateMm:
    case kOrdinateMmPerSec2: ordinate = static_cast<float>(ordinate * 0.03937); return true;
    case kOrdinateG: ordinate = static_cast<float>(ordinate * 386.4); return true;
    default: return false;
  }
}

void ReadSpectraSection(BinaryFile& file, int version, SpectrumList& list, SpectrumLoad& load) {
  const std::int64_t minimum = static_cast<std::int64_t>(NameWidth(version)) + 3 + 4 + 4;
  const std::int32_t count = ReadSectionCount(file, kSection, kMaxTableRecords, minimum);
  SpectrumList fresh(static_cast<std::size_t>(count));
  for (ResponseSpectrum& spectrum : fresh) ReadSpectrum(file, version, spectrum);
  SpectrumLoad freshLoad = load;
  if (AssignmentsAlwaysPresent(version) || count > 0) ReadAssignments(file, version, freshLoad);
  AppendBlankSpectrum(fresh);
  list = std::move(fresh);
  load = freshLoad;
}

void WriteSpectraSection(BinaryFile& file, const SpectrumList& list, const SpectrumLoad& load) {
  const std::size_t count = SavedCount(list);
  WriteSectionCount(file, static_cast<std::int32_t>(count));
  for (std::size_t index = 0; index < count; ++index) {
    const ResponseSpectrum& spectrum = list[index];
    WriteFixedField(file, spectrum.name, kNameRoom);
    BinaryFileWriteByte(file, spectrum.logInterpolation1);
    BinaryFileWriteByte(file, spectrum.logInterpolation2);
    BinaryFileWriteByte(file, spectrum.periodAbscissa);
    BinaryFileWriteInt(file, spectrum.ordinateUnit);
    BinaryFileWriteFloatPairs(file, spectrum.points);
  }
  // A version 900 reader looks for the assignments only after a spectrum.
  if (count == 0) return;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    WriteFixedField(file, load.name[axis], kNameRoom);
    BinaryFileWriteFloat(file, load.factor[axis]);
  }
}
