// The unit lists, the program's current units and the unit labels (see
// Units.h). The per-kind parsers and formatters are in UnitText.cpp.
#include "services/Units.h"

#include <cstring>
#include <string>


UnitsSettings g_UnitsSettings;

namespace {

struct Unit {
  const char* label;
  float factor;
};

// pi / 180: the per-degree rotational stiffness factors.
constexpr double kPerDegree = 0.017453292519943295;

constexpr Unit kLength[] = {{"(ft'in\")", 1.0f}, {"(feet)", 0.083333336f}, {"(inch)", 1.0f},
                            {"(m)", 0.0254f}, {"(mm)", 25.4f}};
constexpr Unit kDimension[] = {{"(inch)", 1.0f}, {"(mm)", 25.4f}};
constexpr Unit kDisplacement[] = {{"(inch)", 1.0f}, {"(mm)", 25.4f}};
constexpr Unit kAngle[] = {{"(deg)", 57.29578f}, {"(rad)", 1.0f}};
constexpr Unit kForce[] = {{"(lb)", 1.0f}, {"(N)", 4.44822f}, {"(kg)", 0.45359236f}};
constexpr Unit kMoment[] = {{"(ft-lb)", 0.083333336f}, {"(in-lb)", 1.0f}, {"(Nm)", 0.112985f},
                            {"(kg-m)", 0.011521246f}};
constexpr Unit kAdditionalWeight[] = {{"(lb/ft)", 12.0f}, {"(kg/m)", 17.858f}, {"(N/m)", 175.1268f},
                                      {"(kg/cm)", 0.17858f}};
constexpr Unit kWeight[] = {{"(lb)", 1.0f}, {"(kg)", 0.4535924f}};
constexpr Unit kDensity[] = {{"(lb/in3)", 1.0f}, {"(lb/ft3)", 1728.0f}, {"(kg/m3)", 27679.9f},
                             {"(g/cm3)", 27.6799f}};
constexpr Unit kInsulationDensity[] = {{"(lb/ft3)", 1728.0f}, {"(kg/m3)", 27679.9f}};
constexpr Unit kTemperature[] = {{"(F)", 1.0f}, {"(C)", 0.5555556f}};
constexpr Unit kThermalExpansion[] = {{"(in/in/F)", 1.0f}, {"(mm/mm/C)", 1.8f}};
constexpr Unit kPressure[] = {{"(psi)", 1.0f},       {"(bar)", 0.0689476f}, {"(kPa)", 6.89476f},
                              {"(MPa)", 0.00689476f}, {"(atm)", 0.068046f},  {"(kg/cm2)", 0.070307f}};
constexpr Unit kStress[] = {{"(psi)", 1.0f},
                            {"(MPa)", 0.00689476f},
                            {"(N/mm2)", 0.00689476f},
                            {"(kg/mm2)", 0.00070307f},
                            {"(kg/cm2)", 0.070307f}};
constexpr Unit kModulus[] = {{"(psi)", 1.0f},
                             {"(MPa)", 0.00689476f},
                             {"(kN/mm2)", 6.89476e-06f},
                             {"(kg/mm2)", 0.00070307f},
                             {"(kg/cm2)", 0.070307f}};
constexpr Unit kStiffness[] = {{"(lb/inch)", 1.0f}, {"(N/mm)", 0.1751268f}, {"(kg/mm)", 0.017857967f},
                               {"(kg/cm)", 0.17857967f}};
constexpr Unit kRotStiffness[] = {{"(in-lb/deg)", static_cast<float>(kPerDegree)},
                                  {"(in-lb/rad)", 1.0f},
                                  {"(Nm/deg)", static_cast<float>(kPerDegree * 0.112985)},
                                  {"(Nm/rad)", 0.112985f},
                                  {"(kg-m/deg)", static_cast<float>(kPerDegree * 0.011521246)},
                                  {"(kg-m/rad)", 0.011521246f},
                                  {"(kg-cm/deg)", static_cast<float>(kPerDegree * 1.1521246)},
                                  {"(kg-cm/rad)", 1.1521246f}};
constexpr Unit kArea[] = {{"(in2)", 1.0f}, {"(mm2)", 645.16f}};
constexpr Unit kMomentOfInertia[] = {{"(in4)", 1.0f}, {"(mm4)", 416231.44f}};
constexpr Unit kVelocity[] = {{"(mph)", 1.0f}, {"(kmh)", 1.609344f}, {"(m/s)", 0.44704f}};

struct UnitList {
  const Unit* units;
  int count;
};

template <std::size_t N>
constexpr UnitList List(const Unit (&units)[N]) {
  return {units, static_cast<int>(N)};
}

constexpr UnitList kUnitLists[kUnitKindCount + 1] = {
    {nullptr, 0},          List(kLength),       List(kDimension),         List(kDisplacement),
    List(kAngle),          List(kForce),        List(kMoment),            List(kAdditionalWeight),
    List(kWeight),         List(kDensity),      List(kInsulationDensity), List(kTemperature),
    List(kThermalExpansion), List(kPressure),   List(kStress),            List(kModulus),
    List(kStiffness),      List(kRotStiffness), List(kArea),              List(kMomentOfInertia),
    List(kVelocity)};

thread_local char t_labelledText[160];

}  // namespace

int UnitCount(int kind) { return (kind >= 1 && kind <= kUnitKindCount) ? kUnitLists[kind].count : 0; }

const char* UnitLabelAt(int kind, int index) {
  if (index < 0 || index >= UnitCount(kind)) return "";
  return kUnitLists[kind].units[index].label;
}

float UnitFactorAt(int kind, int index) {
  if (index < 0 || index >= UnitCount(kind)) return 1.0f;
  return kUnitLists[kind].units[index].factor;
}

bool UnitsSettingsValid(const UnitsSettings& settings) {
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    if (settings.unit[kind] < 0 || settings.unit[kind] >= UnitCount(kind)) return false;
  return true;
}

int ChosenUnit(int kind) {
  if (kind < 1 || kind > kUnitKindCount) return 0;
  const int index = g_UnitsSettings.unit[kind];
  return (index >= 0 && index < UnitCount(kind)) ? index : 0;
}

float UnitFactor(int kind) { return UnitFactorAt(kind, ChosenUnit(kind)); }

const char* UnitLabel(int kind) {
  const int plainKind = kind & 0x3FFFFFFF;
  return UnitLabelAt(plainKind, ChosenUnit(plainKind));
}

const char* ValueWithUnitLabel(std::string_view text, int kind) {
  const std::string labelled = std::string(text) + " " + UnitLabel(kind);
  const std::size_t n = labelled.size() < sizeof t_labelledText - 1 ? labelled.size() : sizeof t_labelledText - 1;
  std::memcpy(t_labelledText, labelled.data(), n);
  t_labelledText[n] = '\0';
  return t_labelledText;
}
