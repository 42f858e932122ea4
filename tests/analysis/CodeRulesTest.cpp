// The code-dependent rules of the analysis options, over all 25 piping
// codes: the three code groups against the code names (the B31 family, the
// ASME Class 2 and 3 editions and RCC-M), the values the rules force and the
// ones they leave, and the Z184/Z662 location factors.
#include <gtest/gtest.h>

#include <string>

#include "analysis/AnalysisOptions.h"
#include "shell/NameTables.h"

namespace {

// The piping code ids in code-list order.
constexpr int kCodes[kPipingCodePositions] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 101,
                                              201, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};

bool StartsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }

TEST(CodeGroups, FollowTheCodeFamilies) {
  for (int position = 0; position < kPipingCodePositions; ++position) {
    const int code = kCodes[position];
    const std::string name = PipingCodeLongName(position);
    SCOPED_TRACE(name);
    const bool b31 = StartsWith(name, "B31");
    // B31J: the B31 codes but the 1967 edition of B31.1.
    EXPECT_EQ(CodeAllowsB31J(code), b31 && name != "B31.1 (1967)");
    // Liberal allowables: the B31 codes but the pipeline code B31.4.
    EXPECT_EQ(CodeAllowsLiberal(code), b31 && !StartsWith(name, "B31.4"));
    // Service levels: the ASME Class 2 and 3 editions and RCC-M.
    EXPECT_EQ(CodeUsesServiceLevel(code), StartsWith(name, "ASME Class") || StartsWith(name, "RCC-M"));
    if (CodeUsesServiceLevel(code)) {
      const bool equation10 = name == "ASME Class 2 (1980)" || StartsWith(name, "RCC-M");
      EXPECT_STREQ(ServiceLevelLabel(code), equation10 ? "Equation 10 Level" : "Equation 9 Level");
    }
  }
  EXPECT_EQ(std::string(1, ServiceLevelLetter(0)) + ServiceLevelLetter(1) + ServiceLevelLetter(2), "BCD");
}

TEST(CodeRules, ForceOnlyWhatTheCodeDecides) {
  for (int code : kCodes) {
    SCOPED_TRACE(code);
    AnalysisOptions o;
    o.PipingCode = code;
    o.UseB31J = 1;
    o.ThermalLoadCount = 10;
    o.PeakPressureFactor = 1.5f;
    o.UseColdModulus = 0;
    o.PressureStressOption = 1;
    const AnalysisOptions before = o;
    ApplyCodeRules(o);
    EXPECT_EQ(o.UseB31J, CodeAllowsB31J(code) ? 1 : 0);
    EXPECT_EQ(o.IncludeAxialForce, code == 0 || code == 3 || code == 4 || code == 6 ? 1 : 0);
    EXPECT_EQ(o.LiberalAllowable, code == 6 ? 1 : 0);
    EXPECT_EQ(o.ThermalLoadCount, code == 0 ? 1 : 10);
    EXPECT_FLOAT_EQ(o.PeakPressureFactor, code == 0 ? 1.0f : 1.5f);
    // What belongs to the pages stays until the page is shown.
    EXPECT_EQ(o.UseColdModulus, before.UseColdModulus);
    EXPECT_EQ(o.PressureStressOption, before.PressureStressOption);
    // The rules are settled after one pass, and liberal allowables are forced
    // only where they are offered.
    AnalysisOptions again = o;
    ApplyCodeRules(again);
    EXPECT_EQ(again.UseB31J, o.UseB31J);
    EXPECT_EQ(again.IncludeAxialForce, o.IncludeAxialForce);
    EXPECT_TRUE(o.LiberalAllowable == 0 || CodeAllowsLiberal(code));

    for (std::uint8_t modulus : {0, 1}) {
      AnalysisOptions t;
      t.PipingCode = code;
      t.UseColdModulus = modulus;
      ApplyTemperatureCodeRules(t);
      const bool cold = code == 3 || code == 4 || code == 5 || code == 6;
      EXPECT_EQ(t.UseColdModulus, cold ? 1 : code == 21 ? 0 : modulus);
    }
    AnalysisOptions p;
    p.PipingCode = code;
    p.PressureStressOption = 1;
    ApplyPressureCodeRules(p);
    EXPECT_EQ(p.PressureStressOption, code == 6 ? 0 : 1);
  }
}

TEST(Z184LocationFactor, FallsWithTheClassLocationAndForSourService) {
  EXPECT_FLOAT_EQ(Z184LocationFactor(1, false), 1.0f);
  for (int location = 1; location <= 4; ++location) {
    SCOPED_TRACE(location);
    EXPECT_LT(Z184LocationFactor(location, true), Z184LocationFactor(location, false));
    if (location > 1) {
      EXPECT_LT(Z184LocationFactor(location, false), Z184LocationFactor(location - 1, false));
      EXPECT_LT(Z184LocationFactor(location, true), Z184LocationFactor(location - 1, true));
    }
  }
  EXPECT_FLOAT_EQ(Z184LocationFactor(3, true), 0.625f);
  EXPECT_FLOAT_EQ(Z184LocationFactor(4, false), 0.55f);
  EXPECT_EQ(Z184LocationFactor(0, false), 0.0f);
  EXPECT_EQ(Z184LocationFactor(5, true), 0.0f);
}

}  // namespace
