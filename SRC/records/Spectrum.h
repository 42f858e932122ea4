// Response spectra: the model's list of `ResponseSpectrum` records (name,
// interpolation modes, abscissa kind, ordinate unit and the points) and the
// `SpectrumLoad` that assigns a spectrum and a factor to each global
// direction, with the spectra section of the model file. Ordinates are held
// in internal units (inch, in/sec2) whatever the ordinate unit; files up to
// version 510 hold them in the spectrum's own unit and are converted when
// read. The list always ends with one blank entry, the table's spare row,
// which copies the choices of the entry before it. The mode and direction
// sums live in the record here but are stored in the options section.
// The lookup the analysis calls is SpectrumValue; the text import and
// export are SpectrumFiles.h, the list table SpectraTable.h. Start reading
// at ReadSpectraSection.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "services/BinaryFile.h"

enum SpectrumOrdinateUnit : std::int32_t {
  kOrdinateInch = 0,
  kOrdinateMm = 1,
  kOrdinateInPerSec2 = 2,
  kOrdinateMmPerSec2 = 3,
  kOrdinateG = 4
};

struct ResponseSpectrum {
  std::string name;                   // up to 31 characters; empty: the blank entry
  std::uint8_t logInterpolation1 = 0; // 1: logarithmic in the abscissa
  std::uint8_t logInterpolation2 = 0; // 1: logarithmic in the ordinate
  std::uint8_t periodAbscissa = 0;    // 1: period in seconds, 0: frequency in Hz
  std::int32_t ordinateUnit = kOrdinateInch;
  std::vector<FloatPair> points;      // (abscissa, ordinate), input order
};

using SpectrumList = std::vector<ResponseSpectrum>;

// What the points of a response spectrum must be, whichever road they come
// by (a text file, a library file, the model file, the values grid), as
// held in internal units: numbers (an old file's ordinate in g's may pass
// every float once converted), abscissas and ordinates not negative,
// abscissas ascending (the lookup takes them so).
// A value out of the range of a stored value (NumberText.h) is no point
// either.
enum class SpectrumPointFault {
  None,
  NotFinite,
  OutOfRange,
  NegativeAbscissa,
  NegativeOrdinate,
  AbscissaNotAscending
};
// The fault of point `index` against the rules and the point before it.
SpectrumPointFault SpectrumPointFaultAt(const std::vector<FloatPair>& points, std::size_t index);
// The first point with a fault (its index in `index`); None when all are good.
SpectrumPointFault FirstSpectrumPointFault(const std::vector<FloatPair>& points, std::size_t& index);
// The readers' reason for a fault: "Invalid spectrum values" (a value not
// finite, a negative abscissa), "Spectrum value should be positive",
// "Spectrum abscissas must ascend".
const char* SpectrumPointFaultText(SpectrumPointFault fault);

// Mode and direction sum codes.
enum SpectrumSum : std::int32_t { kSumAbsolute = 1, kSumSrss = 2, kSumCloselySpaced = 3, kSumNrl = 4 };

struct SpectrumLoad {
  std::array<std::string, 3> name;  // X, Y, Z; empty: none
  std::array<float, 3> factor{1.0f, 1.0f, 1.0f};
  std::int32_t modeSum = kSumSrss;
  std::int32_t directionSum = kSumSrss;
};

// A cleared model: only the blank entry, and the load's defaults.
void ClearSpectra(SpectrumList& list, SpectrumLoad& load);
// Appends a blank entry that takes the choices of the entry before it.
void AppendBlankSpectrum(SpectrumList& list);
bool HasSpectra(const SpectrumList& list);
// The spectra of the list: every entry but the trailing blank one.
int SpectrumCount(const SpectrumList& list);
// 0-based index among the non-blank entries; -1 for an empty name or none.
int FindSpectrum(const SpectrumList& list, const std::string& name);

// Converts an ordinate held in `unit` to the internal unit; false for a unit
// outside 0..4. An ordinate that is no zero never becomes one: one too small
// for a float once converted is kept as the least float, below the least a
// stored value may be.
bool OrdinateToInternal(std::int32_t unit, float& ordinate);

// An internal ordinate in the spectrum's own unit (mm and mm/sec2 x
// 25.4000508001016, g's / 386.4).
double OrdinateInUnit(float ordinate, std::int32_t unit);
// The unit's label: "(inch)", "(mm)", "(in/sec2)", "(mm/sec2)", "(g's)".
const char* OrdinateUnitLabel(std::int32_t unit);

// Ordinate units 0 and 1 are displacements, 2 to 4 accelerations.
bool IsAccelerationUnit(std::int32_t unit);

// A direction of the load names a spectrum with a non-zero factor.
bool HasResponseSpectrumLoad(const SpectrumLoad& load);
// The spectrum's name is that of the X, Y or Z spectrum of the load.
bool IsSpectrumInUse(const SpectrumLoad& load, const std::string& name);
// Renames a spectrum and every direction of the load that names it.
void RenameSpectrum(SpectrumList& list, SpectrumLoad& load, const std::string& from, const std::string& to);
// Fills the trailing blank entry and appends a fresh blank one.
void SetLastSpectrum(SpectrumList& list, const ResponseSpectrum& spectrum);
void SetDirectionSpectrum(SpectrumLoad& load, int direction, const std::string& name, float factor);

// The spectral value of direction `direction` (0 X, 1 Y, 2 Z) of the load
// for a mode of circular frequency `omega` (rad/s): the spectrum looked up
// at the mode's frequency (or period), the end ordinates held outside the
// points, interpolated linearly or logarithmically in each axis as the
// spectrum says; an acceleration spectrum divided by omega squared to a
// displacement (inch); with `inG` the larger of that value and the
// ordinates beyond the point, as an acceleration in g's. Times the
// direction's factor; 0 when the direction names no spectrum or its factor
// is 0. Throws "Unable to find spectrum %s", "Spectrum %s does not have
// values", "Spectrum %s, point %d: " with the reason of a point that breaks
// the rules above, and "Spectrum %s has zero value for log interpolation".
double SpectrumValue(const SpectrumList& list, const SpectrumLoad& load, double omega, int direction, bool inG);

// Refuses as damage a point no road ever took: a value that is not a
// number once converted, a negative abscissa.
void ReadSpectraSection(BinaryFile& file, int version, SpectrumList& list, SpectrumLoad& load);
// What an older model file may hold that the roads of this program refuse,
// one note each: a negative ordinate or abscissas that do not ascend (older
// readers and grids took them; SpectrumValue refuses such a spectrum), and
// the names of TableNameNote.
std::vector<std::string> SpectraNotes(const SpectrumList& list);
// The values of a model file's spectra below 1E-37 (older text readers kept
// them), mended to the typed zero with a note each (PointTables.h); the
// reader refuses a value of 1E38 or more as damage.
std::vector<std::string> MendSpectraBelowLeast(SpectrumList& list);
// The fault of `spectrum` that no road ever brings and the readers of
// model files refuse: a value that is no number or of 1E38 or more once in
// internal units, a negative abscissa; "spectrum NAME, point N: ...",
// empty when there is none.
std::string SpectrumDamage(const ResponseSpectrum& spectrum);
void WriteSpectraSection(BinaryFile& file, const SpectrumList& list, const SpectrumLoad& load);
