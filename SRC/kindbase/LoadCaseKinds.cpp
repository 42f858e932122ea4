// The load-case kind table and the predicates of the current step; see
// LoadCaseKinds.h. The table is built once, at compile time, from the lists
// of types below; every predicate is one look-up in it.
#include "kindbase/LoadCaseKinds.h"

#include <array>
#include <initializer_list>

#include "model/Model.h"
#include "numeric/RunState.h"

SeismicDirectionFlags g_SeismicDirections;

namespace {

using KindTable = std::array<LoadCaseKind, kLastLoadCaseType + 1>;

// Inclusive ranges of types.
struct Span {
  int first, last;
};

constexpr void Mark(KindTable& table, std::uint32_t trait, std::initializer_list<Span> spans) {
  for (const Span& span : spans)
    for (int type = span.first; type <= span.last; ++type) table[static_cast<std::size_t>(type)].traits |= trait;
}

constexpr void SetThermalState(KindTable& table, int k, std::initializer_list<int> types) {
  for (int type : types) table[static_cast<std::size_t>(type)].thermalState = static_cast<std::int8_t>(k);
}

constexpr void SetDirections(KindTable& table, int type, std::uint8_t directions) {
  table[static_cast<std::size_t>(type)].traits |= kCaseSeismicDirections;
  table[static_cast<std::size_t>(type)].seismicDirections = directions;
}

constexpr KindTable BuildKindTable() {
  KindTable table{};
  Mark(table, kCaseSustained,
       {{1, 1}, {8, 10}, {14, 17}, {19, 23}, {32, 32}, {38, 50}, {100, 106}, {110, 124}});
  Mark(table, kCaseThermal,
       {{2, 4}, {8, 10}, {15, 17}, {21, 21}, {23, 23}, {32, 32}, {38, 40}, {51, 57}, {100, 106}, {110, 123}});
  Mark(table, kCaseOperatingT1, {{8, 8}, {32, 32}});
  Mark(table, kCaseColdSpring, {{14, 17}, {32, 32}, {110, 116}});
  Mark(table, kCaseWind1, {{13, 13}, {32, 32}});
  Mark(table, kCaseWind2, {{107, 107}});
  Mark(table, kCaseWind3, {{108, 108}});
  Mark(table, kCaseWind4, {{109, 109}});
  Mark(table, kCaseExpansion, {{2, 4}, {51, 57}});
  Mark(table, kCaseSettlement, {{11, 11}});
  Mark(table, kCaseSeismicDisplacement, {{33, 33}});
  Mark(table, kCaseModal, {{30, 30}});
  Mark(table, kCaseHangerLoadOrHydrotest, {{19, 20}, {22, 22}});
  Mark(table, kCaseRecalculatingHangerLoads, {{22, 22}});
  Mark(table, kCaseHangerStep, {{20, 25}});
  Mark(table, kCaseDynamic, {{31, 31}, {35, 37}});
  SetThermalState(table, 1, {2, 8, 15, 21, 23, 32, 38});
  SetThermalState(table, 2, {3, 9, 16, 39});
  SetThermalState(table, 3, {4, 10, 17, 40});
  for (int k = 4; k <= 10; ++k) SetThermalState(table, k, {47 + k, 96 + k, 106 + k, 113 + k});
  SetDirections(table, 12, kSeismicX | kSeismicY | kSeismicZ);
  SetDirections(table, 32, kSeismicX | kSeismicY | kSeismicZ);
  SetDirections(table, 26, kSeismicX);
  SetDirections(table, 27, kSeismicY);
  SetDirections(table, 28, kSeismicZ);
  SetDirections(table, 33, 0);
  return table;
}

constexpr KindTable kKinds = BuildKindTable();

// Every thermal case has exactly one thermal state, and no other case has one.
constexpr bool ThermalStatesMatchThermalCases() {
  for (const LoadCaseKind& kind : kKinds)
    if (((kind.traits & kCaseThermal) != 0) != (kind.thermalState != 0)) return false;
  return true;
}
static_assert(ThermalStatesMatchThermalCases());

const LoadCaseKind& CurrentKind() { return LoadCaseKindOf(CurrentCaseType()); }

bool CurrentHas(std::uint32_t trait) { return (CurrentKind().traits & trait) != 0; }

// The pipeline codes that put wind load 1 into every case with sustained loads.
bool WindGoesWithSustainedLoads() {
  const int code = TheModel().options.PipingCode;
  return code == 19 || code == 20;
}

}  // namespace

const LoadCaseKind& LoadCaseKindOf(int type) {
  static constexpr LoadCaseKind kNothing{};
  if (type < 1 || type > kLastLoadCaseType) return kNothing;
  return kKinds[static_cast<std::size_t>(type)];
}

int CurrentCaseType() { return CurrentLoadCaseStep().type; }

bool CaseTypeIsOperatingT1(int type) { return (LoadCaseKindOf(type).traits & kCaseOperatingT1) != 0; }

bool CaseIsOperatingT1() { return CaseTypeIsOperatingT1(CurrentCaseType()); }

bool IncludeHangerStiffnessInStep() {
  return TheModel().options.IncludeHangerStiffness != 0 && !CurrentHas(kCaseHangerStep);
}

bool CaseHasSustainedLoads() { return CurrentHas(kCaseSustained); }
bool CaseHasThermalLoads() { return CurrentHas(kCaseThermal); }
bool CaseIncludesTk(int k) { return k >= 1 && k <= 10 && CurrentKind().thermalState == k; }

bool CaseSetSeismicDirections() {
  const LoadCaseKind& kind = CurrentKind();
  if ((kind.traits & kCaseSeismicDirections) == 0) return false;
  g_SeismicDirections.x = (kind.seismicDirections & kSeismicX) != 0;
  g_SeismicDirections.y = (kind.seismicDirections & kSeismicY) != 0;
  g_SeismicDirections.z = (kind.seismicDirections & kSeismicZ) != 0;
  return true;
}

bool CaseIncludesWind1() {
  return WindGoesWithSustainedLoads() ? CaseHasSustainedLoads() : CurrentHas(kCaseWind1);
}
bool CaseIsWind2() { return CurrentHas(kCaseWind2); }
bool CaseIsWind3() { return CurrentHas(kCaseWind3); }
bool CaseIsWind4() { return CurrentHas(kCaseWind4); }

bool CaseIsSeismicOrDynamic() { return CaseSetSeismicDirections() || CurrentHas(kCaseDynamic); }

bool CaseIncludesColdSpring() { return CurrentHas(kCaseColdSpring); }
bool CaseIsModal() { return CurrentHas(kCaseModal); }
bool CaseUsesModalState() { return CaseUsesModalStiffness(CurrentCaseType()); }
bool CaseIsExpansion() { return TheModel().options.UseColdModulus != 0 || CurrentHas(kCaseExpansion); }
bool CaseIsSettlement() { return CurrentHas(kCaseSettlement); }
bool CaseIsSeismicDisplacement() { return CurrentHas(kCaseSeismicDisplacement); }
bool CaseIsHangerLoadOrHydrotest() { return CurrentHas(kCaseHangerLoadOrHydrotest); }
bool CaseIsRecalculatingHangerLoads() { return CurrentHas(kCaseRecalculatingHangerLoads); }
