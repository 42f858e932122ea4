// The code-dependent rules of the analysis options over all 25 piping codes:
// the three code groups against the code names, the values the rules force
// and those they leave, and the Z184/Z662 location factors.
#include <gtest/gtest.h>

#include <string>

#include "records/AnalysisOptions.h"
#include "services/NameTables.h"

namespace {

// The piping code ids in code-list order.
constexpr int kCodes[kPipingCodePositions] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 101,
                                              201, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};

bool StartsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }

TEST(CodeRules, GroupsFollowTheCodeFamiliesAndTheRulesForceOnlyWhatTheCodeDecides) {
  for (int position = 0; position < kPipingCodePositions; ++position) {
    const int code = kCodes[position];
    const std::string name = PipingCodeLongName(position);
    SCOPED_TRACE(name);
    const bool b31 = StartsWith(name, "B31");
    EXPECT_EQ(CodeAllowsB31J(code), b31 && name != "B31.1 (1967)");
    EXPECT_EQ(CodeAllowsLiberal(code), b31 && !StartsWith(name, "B31.4"));
    EXPECT_EQ(CodeUsesServiceLevel(code), StartsWith(name, "ASME Class") || StartsWith(name, "RCC-M"));
    const bool equation10 = name == "ASME Class 2 (1980)" || StartsWith(name, "RCC-M");
    EXPECT_STREQ(ServiceLevelLabel(code), equation10 ? "Equation 10 Level" : "Equation 9 Level");

    AnalysisOptions o;
    o.PipingCode = code;
    o.UseB31J = 1;
    o.ThermalLoadCount = 10;
    o.PeakPressureFactor = 1.5f;
    o.PressureStressOption = 1;
    ApplyCodeRules(o);
    EXPECT_EQ(o.UseB31J, CodeAllowsB31J(code) ? 1 : 0);
    EXPECT_EQ(o.IncludeAxialForce, code == 0 || code == 3 || code == 4 || code == 6 ? 1 : 0);
    EXPECT_EQ(o.LiberalAllowable, code == 6 ? 1 : 0);
    EXPECT_EQ(o.ThermalLoadCount, code == 0 ? 1 : 10);
    EXPECT_FLOAT_EQ(o.PeakPressureFactor, code == 0 ? 1.0f : 1.5f);
    EXPECT_EQ(o.PressureStressOption, 1);  // decided when the pressure page is shown
    ApplyPressureCodeRules(o);
    EXPECT_EQ(o.PressureStressOption, code == 6 ? 0 : 1);
    for (std::uint8_t modulus : {0, 1}) {
      o.UseColdModulus = modulus;
      ApplyTemperatureCodeRules(o);
      EXPECT_EQ(o.UseColdModulus, code >= 3 && code <= 6 ? 1 : code == 21 ? 0 : modulus);
    }
  }
  EXPECT_EQ(std::string(1, ServiceLevelLetter(0)) + ServiceLevelLetter(1) + ServiceLevelLetter(2), "BCD");
}

TEST(CodeRules, LocationFactorsFallWithTheClassLocationAndForSourService) {
  EXPECT_FLOAT_EQ(Z184LocationFactor(1, false), 1.0f);
  for (int location = 1; location <= 4; ++location) {
    EXPECT_LT(Z184LocationFactor(location, true), Z184LocationFactor(location, false));
    for (bool sour : {false, true})
      EXPECT_TRUE(location == 1 || Z184LocationFactor(location, sour) < Z184LocationFactor(location - 1, sour));
  }
  EXPECT_FLOAT_EQ(Z184LocationFactor(3, true), 0.625f);
  EXPECT_FLOAT_EQ(Z184LocationFactor(4, false), 0.55f);
  EXPECT_EQ(Z184LocationFactor(0, false) + Z184LocationFactor(5, true), 0.0f);
}

}  // namespace
