// Wind loads and the wind block of the options section; see the header.
#include "records/Wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "records/PointTables.h"
#include "records/TableFileFields.h"
#include "services/BinaryFile.h"
#include "services/Interpolation.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr const char* kSection = "Wind loads";

// Version thresholds of the block.
bool HasWindSpeed(int version) { return version <= 502; }
bool HasFourLoads(int version) { return version > 690; }

std::vector<WindProfilePoint>& ProfileInForce(WindData& wind, int index) { return WindProfileInForce(wind, index); }

const std::vector<WindProfilePoint>& ProfileInForce(const WindData& wind, int index) {
  return WindProfileInForce(wind, index);
}

// The velocity pressure constant: psi per mph squared (1/45000).
constexpr double kVelocityPressureFactor = 2.2222222222222223e-5;

constexpr const char* kElevationLabels[] = {"(feet)", "(m)"};
constexpr double kElevationFactors[] = {0.083333336, 0.0254};
constexpr const char* kPressureLabels[] = {"(psf)", "(kPa)", "(kg/cm2)"};
constexpr double kPressureFactors[] = {144.0, 6.8947601, 0.070307};
constexpr const char* kVelocityLabels[] = {"(mph)", "(kmh)", "(m/s)"};
constexpr double kVelocityFactors[] = {1.0, 1.609344, 0.44704};

int Clamp(int index, int last) { return index < 0 ? 0 : (index > last ? last : index); }

void ReadShapeAndDirection(BinaryFile& file, WindLoad& load) {
  BinaryFileReadFloat(file, load.shapeFactor);
  BinaryFileReadFloats(file, load.direction.data(), 3);
  load.shapeFactor = ReadShapeFactor(load.shapeFactor);
}

void ReadUnits(BinaryFile& file, WindData& wind) {
  BinaryFileReadInt(file, wind.elevationUnit);
  BinaryFileReadInt(file, wind.pressureUnit);
  BinaryFileReadInt(file, wind.velocityUnit);
  CheckSectionRead(file, kSection);
  // The units index the unit tables of the wind dialog and report.
  if (wind.elevationUnit < 0 || wind.elevationUnit > 1 || wind.pressureUnit < 0 || wind.pressureUnit > 2 ||
      wind.velocityUnit < 0 || wind.velocityUnit > 2) {
    char detail[80];
    std::snprintf(detail, sizeof detail, "profile units %d, %d, %d", static_cast<int>(wind.elevationUnit),
                  static_cast<int>(wind.pressureUnit), static_cast<int>(wind.velocityUnit));
    ThrowDamagedSection(kSection, detail);
  }
}

void ReadProfile(BinaryFile& file, std::vector<WindProfilePoint>& profile) {
  std::vector<FloatPair> pairs;
  BinaryFileReadFloatPairs(file, pairs);
  CheckSectionRead(file, kSection);
  profile.clear();
  for (const FloatPair& pair : pairs) profile.push_back({pair.x, pair.y});
}

void WriteProfile(BinaryFile& file, const std::vector<WindProfilePoint>& profile) {
  std::vector<FloatPair> pairs;
  for (const WindProfilePoint& point : profile) pairs.push_back({point.elevation, point.value});
  BinaryFileWriteFloatPairs(file, pairs);
}

}  // namespace

void ResetWindLoad(WindData& wind, int index) {
  if (index < 0 || index >= kWindLoadCount) return;
  wind.loads[static_cast<std::size_t>(index)] = WindLoad{};
}

void ResetWindLoads(WindData& wind) {
  for (int index = 0; index < kWindLoadCount; ++index) ResetWindLoad(wind, index);
}

void SetWindSpeedAsProfile(WindData& wind, float speed, const WindSpeedUnits& units) {
  wind.profileIsVelocity = 1;
  wind.elevationUnit = units.elevationUnit;
  wind.pressureUnit = units.pressureUnit;
  wind.velocityUnit = units.velocityUnit;
  if (speed != 0.0f) wind.loads[0].velocityProfile.push_back({kExplicitZero, speed});
}

bool IsWindDefined(const WindData& wind, int index) {
  if (index < 0 || index >= kWindLoadCount) return false;
  const WindLoad& load = wind.loads[static_cast<std::size_t>(index)];
  const bool hasDirection = load.direction[0] != 0.0f || load.direction[1] != 0.0f || load.direction[2] != 0.0f;
  return hasDirection && !ProfileInForce(wind, index).empty();
}

bool WindLoadHasData(const WindData& wind, int index) {
  if (index < 0 || index >= kWindLoadCount) return false;
  const WindLoad& load = wind.loads[static_cast<std::size_t>(index)];
  return load.direction[0] != 0.0f || load.direction[1] != 0.0f || load.direction[2] != 0.0f ||
         !load.velocityProfile.empty() || !load.pressureProfile.empty();
}

std::vector<WindProfilePoint>& WindProfileInForce(WindData& wind, int index) {
  WindLoad& load = wind.loads[static_cast<std::size_t>(index)];
  return wind.profileIsVelocity != 0 ? load.velocityProfile : load.pressureProfile;
}

const std::vector<WindProfilePoint>& WindProfileInForce(const WindData& wind, int index) {
  const WindLoad& load = wind.loads[static_cast<std::size_t>(index)];
  return wind.profileIsVelocity != 0 ? load.velocityProfile : load.pressureProfile;
}

const char* WindElevationUnitLabel(int index) { return kElevationLabels[Clamp(index, 1)]; }
const char* WindPressureUnitLabel(int index) { return kPressureLabels[Clamp(index, 2)]; }
const char* WindVelocityUnitLabel(int index) { return kVelocityLabels[Clamp(index, 2)]; }
double WindElevationFactor(int index) { return kElevationFactors[Clamp(index, 1)]; }
double WindPressureFactor(int index) { return kPressureFactors[Clamp(index, 2)]; }
double WindVelocityFactor(int index) { return kVelocityFactors[Clamp(index, 2)]; }

double WindPressureAtElevation(const WindData& wind, float elevation, int windLoadNumber) {
  bool any = false;
  for (int k = 0; k < kWindLoadCount; ++k) any = any || !ProfileInForce(wind, k).empty();
  if (!any) throw std::string("Wind profile is not specified");
  const int k = windLoadNumber >= 2 && windLoadNumber <= 4 ? windLoadNumber - 1 : 0;
  PairTable table;
  for (const WindProfilePoint& point : ProfileInForce(wind, k)) table.push_back({point.elevation, point.value});
  const double value = InterpolatePairs(table, elevation);
  if (wind.profileIsVelocity == 0) return value;
  return wind.loads[static_cast<std::size_t>(k)].shapeFactor * value * value * kVelocityPressureFactor;
}

void PrepareWindDirections(WindData& wind) {
  for (WindLoad& load : wind.loads) {
    const double x = load.direction[0], y = load.direction[1], z = load.direction[2];
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0) {
      load.unitDirection = {0.0f, 0.0f, 0.0f};
    } else {
      load.unitDirection = {static_cast<float>(x / length), static_cast<float>(y / length),
                            static_cast<float>(z / length)};
    }
  }
}

WindSpeedUnits CurrentWindSpeedUnits() {
  WindSpeedUnits units;
  const int length = ChosenUnit(kUnitLength);
  units.elevationUnit = length == kLengthMetre || length == kLengthMillimetre ? 1 : 0;
  const char* pressure = UnitLabel(kUnitPressure);
  if (std::strcmp(pressure, "(psi)") == 0)
    units.pressureUnit = 0;
  else if (std::strcmp(pressure, "(kg/cm2)") == 0)
    units.pressureUnit = 2;
  else
    units.pressureUnit = 1;
  // The velocity units of the units dialog are those of the profile tables.
  const int velocity = ChosenUnit(kUnitVelocity);
  units.velocityUnit = velocity >= 0 && velocity <= 2 ? velocity : 0;
  return units;
}

void ReadWindBlock(BinaryFile& file, int version, WindData& wind) {
  ReadWindBlock(file, version, wind, CurrentWindSpeedUnits());
}

void ReadWindBlock(BinaryFile& file, int version, WindData& wind, const WindSpeedUnits& unitsForOldSpeed) {
  float speed = 0.0f;
  if (HasWindSpeed(version)) BinaryFileReadFloat(file, speed);
  ReadShapeAndDirection(file, wind.loads[0]);
  if (HasFourLoads(version))
    for (int index = 1; index < kWindLoadCount; ++index)
      ReadShapeAndDirection(file, wind.loads[static_cast<std::size_t>(index)]);
  CheckSectionRead(file, kSection);
  if (HasWindSpeed(version)) {
    SetWindSpeedAsProfile(wind, speed, unitsForOldSpeed);
    return;
  }
  ReadUnits(file, wind);
  BinaryFileReadByte(file, wind.profileIsVelocity);
  ReadProfile(file, ProfileInForce(wind, 0));
  if (HasFourLoads(version))
    for (int index = 1; index < kWindLoadCount; ++index) ReadProfile(file, ProfileInForce(wind, index));
}

void WriteWindBlock(BinaryFile& file, const WindData& wind) {
  for (const WindLoad& load : wind.loads) {
    BinaryFileWriteFloat(file, load.shapeFactor);
    BinaryFileWriteFloats(file, load.direction.data(), 3);
  }
  BinaryFileWriteInt(file, wind.elevationUnit);
  BinaryFileWriteInt(file, wind.pressureUnit);
  BinaryFileWriteInt(file, wind.velocityUnit);
  BinaryFileWriteByte(file, wind.profileIsVelocity);
  for (int index = 0; index < kWindLoadCount; ++index) WriteProfile(file, ProfileInForce(wind, index));
}

std::vector<std::string> MendWindProfilesBelowLeast(WindData& wind) {
  std::vector<std::string> notes;
  for (std::size_t load = 0; load < wind.loads.size(); ++load)
    for (std::vector<WindProfilePoint>* profile : {&wind.loads[load].velocityProfile, &wind.loads[load].pressureProfile}) {
      std::vector<FloatPair> points;
      for (const WindProfilePoint& point : *profile) points.push_back({point.elevation, point.value});
      const std::vector<std::string> more =
          MendPointsBelowLeast(points, "Wind load " + std::to_string(load + 1) + " profile", "elevation", "value");
      for (std::size_t k = 0; k < points.size(); ++k) (*profile)[k] = {points[k].x, points[k].y};
      notes.insert(notes.end(), more.begin(), more.end());
    }
  return notes;
}
