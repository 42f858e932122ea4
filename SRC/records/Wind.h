// Wind loads: the four wind loads of a model (shape factor, direction and a
// velocity or pressure profile against elevation each), the settings common
// to them (which profile kind is in force, the units of the profile tables)
// and the wind block of the model file, which lies inside the analysis
// options section: `ReadWindBlock` is called there by the options reader.
// Only the profiles of the kind in force are stored; the other kind keeps
// what it held. Files before version 503 carry one wind speed instead of the
// profile data; it becomes wind load 1's velocity profile of one point, with
// profile units taken from the units the user works in (WindSpeedUnits).
//
// The dialog and its profile table are WindDialog.cpp, the report
// WindPrint.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct BinaryFile;

inline constexpr int kWindLoadCount = 4;
inline constexpr float kDefaultShapeFactor = 0.6f;
// The shape factor a stored one stands for: a stored 0 is read as 0.6 on
// every road that reads one (the model file, the older formats' converters),
// so a model means the same once saved and read again.
inline float ReadShapeFactor(float stored) { return stored == 0.0f ? kDefaultShapeFactor : stored; }

struct WindProfilePoint {
  float elevation = 0.0f;  // inch
  float value = 0.0f;      // mph or psi
};

struct WindLoad {
  float shapeFactor = kDefaultShapeFactor;
  std::array<float, 3> direction{};  // global X, Y, Z, any length
  std::vector<WindProfilePoint> velocityProfile;
  std::vector<WindProfilePoint> pressureProfile;
  std::array<float, 3> unitDirection{};  // derived by PrepareWindDirections
};

struct WindData {
  std::array<WindLoad, kWindLoadCount> loads;
  std::uint8_t profileIsVelocity = 0;  // 1: velocity profiles in force
  std::int32_t elevationUnit = 0;      // 0 (feet), 1 (m)
  std::int32_t pressureUnit = 0;       // 0 (psf), 1 (kPa), 2 (kg/cm2)
  std::int32_t velocityUnit = 0;       // 0 (mph), 1 (kmh), 2 (m/s)
};

// The profile units an old wind speed takes: chosen by the caller from the
// units the user works in (elevation 1 when lengths are in m or mm, pressure
// 0 for psi, 2 for kg/cm2, else 1; velocity the index of the velocity unit).
struct WindSpeedUnits {
  std::int32_t elevationUnit = 0;
  std::int32_t pressureUnit = 0;
  std::int32_t velocityUnit = 0;
};

// Wind load k (0-based here) back to direction 0, shape factor 0.6 and no
// profiles; the profile kind and units are left as they are.
void ResetWindLoad(WindData& wind, int index);
void ResetWindLoads(WindData& wind);

// Makes wind load 1 a velocity load: velocity kind, the given units, and
// when the speed is not 0 the point (not-given elevation, speed) appended.
void SetWindSpeedAsProfile(WindData& wind, float speed, const WindSpeedUnits& units);

// Wind load k (0-based) is defined when a direction component is non-zero
// and its profile of the kind in force holds a point.
bool IsWindDefined(const WindData& wind, int index);
// Wind load k (0-based) holds data: a direction component or either profile.
bool WindLoadHasData(const WindData& wind, int index);

void PrepareWindDirections(WindData& wind);

// The wind pressure (psi) of wind load `windLoadNumber` (1 .. 4; any other
// number is wind load 1) at an elevation (inch): with velocity profiles the
// shape factor times the square of the velocity over 45000 (psi from mph),
// with pressure profiles the pressure itself. Outside a profile its end
// value holds. Throws "Wind profile is not specified" when no wind load has
// a profile of the kind in force, and "Interpolate on empty vector" when
// this one has none.
double WindPressureAtElevation(const WindData& wind, float elevation, int windLoadNumber);

// The profile units of the wind dialog and report: labels and factors
// (shown value = internal value x factor).
const char* WindElevationUnitLabel(int index);
const char* WindPressureUnitLabel(int index);
const char* WindVelocityUnitLabel(int index);
double WindElevationFactor(int index);
double WindPressureFactor(int index);
double WindVelocityFactor(int index);
// The profile of the kind in force of wind load k (0-based).
std::vector<WindProfilePoint>& WindProfileInForce(WindData& wind, int index);
const std::vector<WindProfilePoint>& WindProfileInForce(const WindData& wind, int index);

// The profile units an old wind speed takes from the program's current units.
WindSpeedUnits CurrentWindSpeedUnits();

// What an older wind cell could store below the least a value may be but
// zero (1E-37 typed in km/h) in a model file's profiles: mended to the
// typed zero, one note each ("Wind load 1, profile point 2: the elevation
// ...").
std::vector<std::string> MendWindProfilesBelowLeast(WindData& wind);

// The wind block of the analysis-options section. The first form gives the
// wind speed of a file before version 503 the current units.
void ReadWindBlock(BinaryFile& file, int version, WindData& wind);
void ReadWindBlock(BinaryFile& file, int version, WindData& wind, const WindSpeedUnits& unitsForOldSpeed);
void WriteWindBlock(BinaryFile& file, const WindData& wind);
