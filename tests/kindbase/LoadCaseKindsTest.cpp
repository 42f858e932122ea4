// The load-case kinds, checked for every type 1 .. 124 through the step
// table, as the engine asks: each predicate is compared with what the type's
// title says it carries (the thermal state in "Operating (W+P4+T4)", the
// direction in "X acceleration" ...), with the few steps whose title does not
// say it named as the rules name them, under every combination of the
// options and piping codes that change an answer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"
#include "numeric/RunState.h"
#include "services/NameTables.h"

namespace {

bool StartsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }
bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The thermal state a title names: "Expansion (Tk)", "Operating (W+Pk+Tk)",
// "Cold spring (W+Pk+Tk)" or "Buried (W+Pk+Tk)"; 0 for any other title
// (a range "Expansion (Ti-Tj)" is formed from two states, it has none).
int ThermalStateInTitle(const std::string& title) {
  int k = 0, p = 0;
  char close = 0;
  if (std::sscanf(title.c_str(), "Expansion (T%d%c", &k, &close) == 2 && close == ')') return k;
  for (const char* format : {"Operating (W+P%d+T%d%c", "Cold spring (W+P%d+T%d%c", "Buried (W+P%d+T%d%c"})
    if (std::sscanf(title.c_str(), format, &p, &k, &close) == 3 && close == ')' && p == k) return k;
  return 0;
}

// The answers a type should give, from its title and the rules.
struct Expected {
  int thermalState = 0;
  bool sustained = false, coldSpring = false, wind1 = false, operatingT1 = false, expansion = false;
  bool seismicDirections = false, dynamic = false, hangerStep = false, hangerLoadOrHydrotest = false;
  int directions = 0;  // bits X 1, Y 2, Z 4
};

Expected ExpectedOf(int type) {
  const std::string title = LoadCaseTitle(type);
  Expected e;
  const bool staticAnalysis = title == "Static analysis";  // the one case of a model without a code
  // The hanger design step and the load pass after it solve nothing.
  const bool solvedHangerStep = Contains(title, "hanger") && type != 24 && type != 25;
  e.hangerStep = Contains(title, "hanger");
  e.thermalState = ThermalStateInTitle(title);
  // The hanger travel steps and the static analysis run at the first operating temperature.
  if (Contains(title, "hanger travel") || staticAnalysis) e.thermalState = 1;
  e.sustained = StartsWith(title, "Sustained") || StartsWith(title, "Operating") || StartsWith(title, "Cold spring") ||
                StartsWith(title, "Buried") || StartsWith(title, "Empty Weight") || title == "Hydrotest" ||
                solvedHangerStep || staticAnalysis;
  e.coldSpring = StartsWith(title, "Cold spring") || staticAnalysis;
  e.wind1 = title == "Wind" || staticAnalysis;
  e.operatingT1 = title == "Operating (W+P1+T1)" || staticAnalysis;
  e.expansion = StartsWith(title, "Expansion") && e.thermalState != 0;
  e.hangerLoadOrHydrotest = title == "Hydrotest" || (solvedHangerStep && Contains(title, "hanger loads"));
  if (title == "Seismic (g)" || staticAnalysis) e.seismicDirections = true, e.directions = 7;
  if (title == "X acceleration") e.seismicDirections = true, e.directions = 1;
  if (title == "Y acceleration") e.seismicDirections = true, e.directions = 2;
  if (title == "Z acceleration") e.seismicDirections = true, e.directions = 4;
  if (title == "Seismic displacement") e.seismicDirections = true, e.directions = 0;
  e.dynamic = title == "Response spectrum" || title == "Time history" || title == "Harmonic response" ||
              title == "Force spectrum";
  return e;
}

int DirectionBits() { return g_SeismicDirections.x + 2 * g_SeismicDirections.y + 4 * g_SeismicDirections.z; }

using Predicate = bool (*)();
constexpr Predicate kIncludesT[10] = {CaseIncludesT1, CaseIncludesT2, CaseIncludesT3, CaseIncludesT4,
                                      CaseIncludesT5, CaseIncludesT6, CaseIncludesT7, CaseIncludesT8,
                                      CaseIncludesT9, CaseIncludesT10};

TEST(LoadCaseKinds, EveryTypeAnswersWhatItsTitleAndTheRulesSay) {
  AnalysisOptions& options = TheModel().options;
  const AnalysisOptions kept = options;
  ResetRunState();
  for (int type = 1; type <= kLastLoadCaseType; ++type) AppendLoadCaseStep(type);
  int expansionCases = 0, t3Cases = 0;
  for (int code : {3, 19, 20}) {
    for (int switches = 0; switches < 4; ++switches) {
      options.PipingCode = code;
      options.IncludeHangerStiffness = switches & 1;
      options.UseColdModulus = (switches >> 1) & 1;
      for (g_CurrentStep = 1; g_CurrentStep <= g_StepCount; ++g_CurrentStep) {
        const int type = g_CurrentStep;
        const Expected e = ExpectedOf(type);
        SCOPED_TRACE(std::string(LoadCaseTitle(type)) + " (" + std::to_string(type) + "), code " +
                     std::to_string(code) + ", switches " + std::to_string(switches));
        ASSERT_EQ(CurrentCaseType(), type);
        for (int k = 1; k <= 10; ++k) EXPECT_EQ(kIncludesT[k - 1](), e.thermalState == k) << "T" << k;
        EXPECT_EQ(CaseHasThermalLoads(), e.thermalState != 0);
        EXPECT_EQ(CaseHasSustainedLoads(), e.sustained);
        EXPECT_EQ(CaseIncludesColdSpring(), e.coldSpring);
        EXPECT_EQ(CaseIsOperatingT1(), e.operatingT1);
        // The pipeline codes carry wind load 1 with every sustained load instead.
        EXPECT_EQ(CaseIncludesWind1(), code == 3 ? e.wind1 : e.sustained);
        EXPECT_EQ(CaseIsWind2(), LoadCaseTitle(type) == std::string("Wind 2"));
        EXPECT_EQ(CaseIsWind3(), LoadCaseTitle(type) == std::string("Wind 3"));
        EXPECT_EQ(CaseIsWind4(), LoadCaseTitle(type) == std::string("Wind 4"));
        EXPECT_EQ(CaseIsExpansion(), options.UseColdModulus != 0 || e.expansion);
        EXPECT_EQ(IncludeHangerStiffnessInStep(), options.IncludeHangerStiffness != 0 && !e.hangerStep);
        EXPECT_EQ(CaseIsModal(), LoadCaseTitle(type) == std::string("Modal analysis"));
        EXPECT_EQ(CaseIsSettlement(), LoadCaseTitle(type) == std::string("Settlement"));
        EXPECT_EQ(CaseIsSeismicDisplacement(), LoadCaseTitle(type) == std::string("Seismic displacement"));
        EXPECT_EQ(CaseIsRecalculatingHangerLoads(), LoadCaseTitle(type) == std::string("Recalculating hanger loads"));
        EXPECT_EQ(CaseIsHangerLoadOrHydrotest(), e.hangerLoadOrHydrotest);
        // The direction flags change only for the seismic types.
        g_SeismicDirections = {1, 0, 1};
        EXPECT_EQ(CaseSetSeismicDirections(), e.seismicDirections);
        EXPECT_EQ(DirectionBits(), e.seismicDirections ? e.directions : 5);
        g_SeismicDirections = {0, 1, 0};
        EXPECT_EQ(CaseIsSeismicOrDynamic(), e.seismicDirections || e.dynamic);
        EXPECT_EQ(DirectionBits(), e.seismicDirections ? e.directions : 2);
        if (code == 3 && switches == 0) {
          expansionCases += CaseIsExpansion();
          t3Cases += CaseIncludesT3();
        }
      }
    }
  }
  // Ten single expansion cases (T1 .. T10); T3 in its expansion, operating,
  // cold spring and buried cases.
  EXPECT_EQ(expansionCases, 10);
  EXPECT_EQ(t3Cases, 4);
  // No current step carries nothing.
  g_CurrentStep = 0;
  EXPECT_EQ(CurrentCaseType(), 0);
  EXPECT_FALSE(CaseHasSustainedLoads() || CaseHasThermalLoads() || CaseIsModal() || CaseIncludesWind1());
  options = kept;
  ResetRunState();
}

}  // namespace
