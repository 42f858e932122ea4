// Response spectra, the spectrum load and the spectra section; see the
// header.
#include "records/Spectrum.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

#include "records/ModelFileFormat.h"
#include "records/PointTables.h"
#include "records/TableFileFields.h"
#include "services/Assert.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr const char* kSection = "Spectra";
constexpr std::size_t kNameRoom = 32;

// Version thresholds of the section.
std::size_t NameWidth(int version) { return version < 503 ? 16 : 32; }
bool OrdinatesInOwnUnit(int version) { return version <= 510; }
bool AssignmentsAlwaysPresent(int version) { return version < 503; }

bool IsBlank(const ResponseSpectrum& spectrum) { return spectrum.name.empty() && spectrum.points.empty(); }

// A direction names a spectrum or has a factor other than the default.
bool HoldsAssignments(const SpectrumLoad& load) {
  const SpectrumLoad defaults;
  for (std::size_t axis = 0; axis < 3; ++axis)
    if (!load.name[axis].empty() || load.factor[axis] != defaults.factor[axis]) return true;
  return false;
}

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
  // An ordinate in g's that a float holds may pass every float once
  // converted, and the lookup would give an infinite displacement.
  if (const std::string damage = SpectrumDamage(spectrum); !damage.empty()) ThrowDamagedSection(kSection, damage);
}

constexpr PointTableWords kWords{kSection, "spectrum", "Abscissa", "Invalid spectrum values",
                                 "Spectrum value should be positive"};

void ReadAssignments(BinaryFile& file, int version, SpectrumLoad& load) {
  for (std::size_t axis = 0; axis < 3; ++axis) {
    ReadFixedField(file, load.name[axis], NameWidth(version), kNameRoom, kSection);
    BinaryFileReadFloat(file, load.factor[axis]);
  }
  CheckSectionRead(file, kSection);
}

}  // namespace

std::vector<std::string> SpectraNotes(const SpectrumList& list) {
  std::vector<std::string> notes, earlier;
  for (std::size_t index = 0; index < SavedCount(list); ++index) {
    const ResponseSpectrum& spectrum = list[index];
    if (std::string note = TableNameNote(spectrum.name, earlier, kWords); !note.empty())
      notes.push_back(std::move(note));
    earlier.push_back(spectrum.name);
    std::size_t point = 0;
    const SpectrumPointFault fault = FirstSpectrumPointFault(spectrum.points, point);
    if (fault != SpectrumPointFault::None)
      notes.push_back(std::string(kSection) + ": spectrum \"" + VisibleText(spectrum.name) + "\", point " +
                      std::to_string(point + 1) + ": " + SpectrumPointFaultText(fault) +
                      "; the analysis refuses the spectrum until it is mended");
  }
  return notes;
}

std::string SpectrumDamage(const ResponseSpectrum& spectrum) {
  for (std::size_t k = 0; k < spectrum.points.size(); ++k) {
    const FloatPair& point = spectrum.points[k];
    SpectrumPointFault fault = SpectrumPointFaultAt(spectrum.points, k);
    // A value below the least is mended (MendSpectraBelowLeast), and no
    // road ever took a negative abscissa: only damage makes one.
    if (fault == SpectrumPointFault::OutOfRange && !IsBeyondStoredLimit(point.x) && !IsBeyondStoredLimit(point.y))
      fault = point.x < 0.0f ? SpectrumPointFault::NegativeAbscissa : SpectrumPointFault::None;
    if (fault == SpectrumPointFault::NotFinite || fault == SpectrumPointFault::OutOfRange ||
        fault == SpectrumPointFault::NegativeAbscissa)
      return "spectrum " + VisibleText(spectrum.name) + ", point " + std::to_string(k + 1) + ": " +
             SpectrumPointFaultText(fault);
  }
  return {};
}

std::vector<std::string> MendSpectraBelowLeast(SpectrumList& list) {
  std::vector<std::string> notes;
  for (std::size_t index = 0; index < SavedCount(list); ++index) {
    ResponseSpectrum& spectrum = list[index];
    const std::vector<std::string> more = MendPointsBelowLeast(
        spectrum.points, std::string(kSection) + ": spectrum \"" + VisibleText(spectrum.name) + "\"", "abscissa",
        "ordinate");
    notes.insert(notes.end(), more.begin(), more.end());
  }
  return notes;
}

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

int SpectrumCount(const SpectrumList& list) { return static_cast<int>(SavedCount(list)); }

int FindSpectrum(const SpectrumList& list, const std::string& name) {
  if (name.empty()) return -1;
  for (std::size_t index = 0; index < SavedCount(list); ++index)
    if (list[index].name == name) return static_cast<int>(index);
  return -1;
}

SpectrumPointFault SpectrumPointFaultAt(const std::vector<FloatPair>& points, std::size_t index) {
  const FloatPair& point = points[index];
  if (!std::isfinite(point.x) || !std::isfinite(point.y)) return SpectrumPointFault::NotFinite;
  if (!StoredValueAcceptable(point.x) || !StoredValueAcceptable(point.y)) return SpectrumPointFault::OutOfRange;
  if (point.x < 0.0f) return SpectrumPointFault::NegativeAbscissa;
  if (point.y < 0.0f) return SpectrumPointFault::NegativeOrdinate;
  if (index > 0 && !(point.x > points[index - 1].x)) return SpectrumPointFault::AbscissaNotAscending;
  return SpectrumPointFault::None;
}

SpectrumPointFault FirstSpectrumPointFault(const std::vector<FloatPair>& points, std::size_t& index) {
  for (index = 0; index < points.size(); ++index)
    if (const SpectrumPointFault fault = SpectrumPointFaultAt(points, index); fault != SpectrumPointFault::None)
      return fault;
  return SpectrumPointFault::None;
}

const char* SpectrumPointFaultText(SpectrumPointFault fault) {
  switch (fault) {
    case SpectrumPointFault::NotFinite:
    case SpectrumPointFault::NegativeAbscissa: return "Invalid spectrum values";
    case SpectrumPointFault::OutOfRange:
      return "Invalid spectrum values: a value is out of range (a value is zero, or from 1E-37 up to 1E38)";
    case SpectrumPointFault::NegativeOrdinate: return "Spectrum value should be positive";
    case SpectrumPointFault::AbscissaNotAscending: return "Spectrum abscissas must ascend";
    case SpectrumPointFault::None: break;
  }
  return "";
}

bool OrdinateToInternal(std::int32_t unit, float& ordinate) {
  switch (unit) {
    case kOrdinateInch:
    case kOrdinateInPerSec2: return true;
    case kOrdinateMm:
    case kOrdinateMmPerSec2:
    case kOrdinateG: {
      // One beyond every float becomes infinite, which the readers refuse.
      const double internal = SpectrumOrdinateInternal(ordinate, unit);
      const float converted = std::fabs(internal) < static_cast<double>(FLT_MAX)
                                  ? static_cast<float>(internal)
                                  : (internal > 0.0 ? INFINITY : -INFINITY);
      // One that is no zero stays none, the least a float holds, so that
      // the rule of a stored value judges it as the cell does (1.4E-45 mm
      // is below the least a value may be), not as the 0 a float makes it.
      ordinate = converted == 0.0f && ordinate != 0.0f
                     ? std::copysign(std::numeric_limits<float>::denorm_min(), ordinate)
                     : converted;
      return true;
    }
    default: return false;
  }
}

double OrdinateInUnit(float ordinate, std::int32_t unit) {
  if (unit == kOrdinateMm || unit == kOrdinateMmPerSec2) return ordinate * 25.4000508001016;
  if (unit == kOrdinateG) return ordinate / 386.4;
  return ordinate;
}

const char* OrdinateUnitLabel(std::int32_t unit) {
  static const char* const kLabels[] = {"(inch)", "(mm)", "(in/sec2)", "(mm/sec2)", "(g's)"};
  return unit >= kOrdinateInch && unit <= kOrdinateG ? kLabels[unit] : "";
}

bool IsAccelerationUnit(std::int32_t unit) { return unit >= kOrdinateInPerSec2 && unit <= kOrdinateG; }

bool HasResponseSpectrumLoad(const SpectrumLoad& load) {
  for (std::size_t axis = 0; axis < 3; ++axis)
    if (!load.name[axis].empty() && load.factor[axis] != 0.0f) return true;
  return false;
}

bool IsSpectrumInUse(const SpectrumLoad& load, const std::string& name) {
  if (name.empty()) return false;
  for (const std::string& used : load.name)
    if (used == name) return true;
  return false;
}

void RenameSpectrum(SpectrumList& list, SpectrumLoad& load, const std::string& oldName, const std::string& to) {
  // A copy: the old name may be the very entry that is renamed.
  const std::string from = oldName;
  for (ResponseSpectrum& spectrum : list)
    if (!from.empty() && spectrum.name == from) spectrum.name = to;
  for (std::string& used : load.name)
    if (!from.empty() && used == from) used = to;
}

void SetLastSpectrum(SpectrumList& list, const ResponseSpectrum& spectrum) {
  if (list.empty() || !IsBlank(list.back())) AppendBlankSpectrum(list);
  list.back() = spectrum;
  AppendBlankSpectrum(list);
}

void SetDirectionSpectrum(SpectrumLoad& load, int direction, const std::string& name, float factor) {
  QV_ASSERT(direction >= 0 && direction <= 2);
  load.name[static_cast<std::size_t>(direction)] = name;
  load.factor[static_cast<std::size_t>(direction)] = factor;
}

namespace {

[[noreturn]] void ThrowSpectrumError(const char* format, const std::string& name) {
  char text[128];
  std::snprintf(text, sizeof text, format, name.c_str());
  throw std::string(text);
}

// The ordinate at abscissa x: the end ordinates outside the points, else
// interpolated in the bracket ending at the first point at or beyond x
// (`bracket` is that point's index, 0 when x is outside).
double LookUp(const ResponseSpectrum& spectrum, double x, std::size_t& bracket) {
  const std::vector<FloatPair>& p = spectrum.points;
  bracket = 0;
  if (x <= p.front().x) return p.front().y;
  if (x >= p.back().x) return p.back().y;
  std::size_t i = 1;
  while (p[i].x < x) ++i;
  bracket = i;
  const double x0 = p[i - 1].x, x1 = p[i].x, y0 = p[i - 1].y, y1 = p[i].y;
  double t = 0.0;
  if (spectrum.logInterpolation1 != 0) {
    if (p.front().x == 0.0f) ThrowSpectrumError("Spectrum %s has zero value for log interpolation", spectrum.name);
    t = (std::log(x) - std::log(x0)) / (std::log(x1) - std::log(x0));
  } else {
    t = (x - x0) / (x1 - x0);
  }
  if (spectrum.logInterpolation2 != 0) {
    if (y0 == 0.0 || y1 == 0.0) ThrowSpectrumError("Spectrum %s has zero value for log interpolation", spectrum.name);
    return std::exp(std::log(y0) + t * (std::log(y1) - std::log(y0)));
  }
  return y0 + t * (y1 - y0);
}

}  // namespace

double SpectrumValue(const SpectrumList& list, const SpectrumLoad& load, double omega, int direction, bool inG) {
  QV_ASSERT(direction >= 0 && direction <= 2);
  const std::string& name = load.name[static_cast<std::size_t>(direction)];
  const double factor = load.factor[static_cast<std::size_t>(direction)];
  if (name.empty() || factor == 0.0) return 0.0;
  const int index = FindSpectrum(list, name);
  if (index < 0) ThrowSpectrumError("Unable to find spectrum %s", name);
  const ResponseSpectrum& spectrum = list[static_cast<std::size_t>(index)];
  if (spectrum.points.empty()) ThrowSpectrumError("Spectrum %s does not have values", name);
  // An older model file may hold points the rules refuse (it opens with a
  // note); the lookup would read them as if they kept the rules.
  std::size_t point = 0;
  if (const SpectrumPointFault fault = FirstSpectrumPointFault(spectrum.points, point);
      fault != SpectrumPointFault::None)
    throw "Spectrum " + name + ", point " + std::to_string(point + 1) + ": " + SpectrumPointFaultText(fault);
  QV_ASSERT(omega > 0.0);
  const double frequency = omega / (2.0 * std::numbers::pi);
  const double x = spectrum.periodAbscissa != 0 ? 1.0 / frequency : frequency;
  std::size_t bracket = 0;
  double value = LookUp(spectrum, x, bracket);
  if (inG && bracket != 0) {
    // The missing-mass correction takes the largest ordinate beyond the point.
    double largest = 0.0;
    for (std::size_t k = bracket + 1; k < spectrum.points.size(); ++k)
      largest = std::max(largest, static_cast<double>(spectrum.points[k].y));
    value = std::max(value, largest);
  }
  QV_ASSERT(spectrum.ordinateUnit >= kOrdinateInch && spectrum.ordinateUnit <= kOrdinateG);
  if (IsAccelerationUnit(spectrum.ordinateUnit)) value /= omega * omega;
  if (inG) value = value * omega * omega / 386.4;
  return value * factor;
}

void ReadSpectraSection(BinaryFile& file, int version, SpectrumList& list, SpectrumLoad& load) {
  const std::int64_t minimum = static_cast<std::int64_t>(NameWidth(version)) + 3 + 4 + 4;
  const std::int32_t count = ReadSectionCount(file, kSection, kMaxTableRecords, minimum);
  SpectrumList fresh(static_cast<std::size_t>(count));
  for (ResponseSpectrum& spectrum : fresh) ReadSpectrum(file, version, spectrum);
  SpectrumLoad freshLoad = load;
  if (AssignmentsAlwaysPresent(version) || count > 0) ReadAssignments(file, version, freshLoad);
  // A blank last entry is the list's spare row, written to carry the
  // assignments of a model without spectra: it stays the spare row.
  if (fresh.empty() || !IsBlank(fresh.back())) AppendBlankSpectrum(fresh);
  list = std::move(fresh);
  load = freshLoad;
}

void WriteSpectraSection(BinaryFile& file, const SpectrumList& list, const SpectrumLoad& load) {
  // A reader of this version looks for the assignments only after a
  // spectrum. A model that assigns spectra it does not hold yet (a batch
  // file names them, it cannot define them) writes its spare blank entry as
  // that spectrum, so that the assignments are kept; the reader takes the
  // blank entry back as the spare row.
  const ResponseSpectrum spare = list.empty() ? ResponseSpectrum{} : list.back();
  std::size_t count = SavedCount(list);
  const bool carrier = count == 0 && HoldsAssignments(load);
  if (carrier) count = 1;
  WriteSectionCount(file, static_cast<std::int32_t>(count));
  for (std::size_t index = 0; index < count; ++index) {
    BinaryFileNextRecord(file);
    const ResponseSpectrum& spectrum = carrier ? spare : list[index];
    WriteFixedField(file, spectrum.name, kNameRoom);
    BinaryFileWriteByte(file, spectrum.logInterpolation1);
    BinaryFileWriteByte(file, spectrum.logInterpolation2);
    BinaryFileWriteByte(file, spectrum.periodAbscissa);
    BinaryFileWriteInt(file, spectrum.ordinateUnit);
    BinaryFileWriteFloatPairs(file, spectrum.points);
  }
  if (count == 0) return;
  BinaryFileEnterRecord(file, kSpectrumLoadRecord);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    WriteFixedField(file, load.name[axis], kNameRoom);
    BinaryFileWriteFloat(file, load.factor[axis]);
  }
}
