// General routines: how an assertion ends, blank trimming, debug output, the
// model name and the numeric routines against hand calculations.
#include "services/General.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/Model.h"
#include "platform/TestSupport.h"
#include "services/NumberText.h"

namespace {

constexpr float kPi = 3.14159265f;

TEST(AssertFailedDeathTest, EndsTheProcessWithExitCodeOneAfterTheMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  AnalysisRunning = false;
  EXPECT_EXIT(AssertFailed("count < 7000", "SRC/model/Rows.cpp", 42), testing::ExitedWithCode(1),
              "Assertion failed\\.\\.\\.\ncount < 7000\nfile SRC/model/Rows.cpp, line 42");
  EXPECT_EXIT(QV_ASSERT(1 + 1 == 3), testing::ExitedWithCode(1),
              "1 \\+ 1 == 3\nfile .*GeneralTest\\.cpp, line ");
}

TEST(AssertFailed, ThrowsAnalysisAbortedWhileAnAnalysisRuns) {
  AnalysisRunning = true;
  std::string caught;
  testing::internal::CaptureStderr();
  try {
    AssertFailed("pivot > 0", "SRC/analysis/Solve.cpp", 9);
  } catch (const std::string& text) {
    caught = text;
  }
  const std::string shown = testing::internal::GetCapturedStderr();
  AnalysisRunning = false;
  EXPECT_EQ(caught, "Analysis aborted.");
  EXPECT_NE(shown.find("Assertion failed...\npivot > 0\nfile SRC/analysis/Solve.cpp, line 9"), std::string::npos);
}

TEST(ErrorBeep, SoundsOneBeep) {
  platform::EnableTestMode(true);
  ErrorBeep();
  EXPECT_EQ(platform::BeepCount(), 1);
  platform::EnableTestMode(false);
}

TEST(Blanks, StripAndTrim) {
  std::string text = " 1 500 e 3 ";
  StripBlanksUpper(text);
  EXPECT_EQ(text, "1500E3");
  char buffer[] = "  a b c  ";
  StripBlanksUpper(buffer);
  EXPECT_STREQ(buffer, "ABC");
  std::string name = "  A53 Gr B  ";
  TrimBlanks(name);
  EXPECT_EQ(name, "A53 Gr B");
  char blanks[] = "    ";
  TrimBlanks(blanks);
  EXPECT_STREQ(blanks, "");
  char kept[] = "x";
  TrimBlanks(kept);
  EXPECT_STREQ(kept, "x");
  g_EditFieldText = "12";
  AppendBlank();
  EXPECT_EQ(g_EditFieldText, "12 ");
  g_EditFieldText.clear();
}

TEST(DebugPrintf, WritesOnlyWhileEnabledAndCutsALongText) {
  testing::internal::CaptureStderr();
  DebugPrintf("hidden %d\n", 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  DebugOutputEnabled = true;
  testing::internal::CaptureStderr();
  DebugPrintf("value %d = %.2f\n", 3, 1.5);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "value 3 = 1.50\n");
  // A text longer than the buffer is cut, never an assertion.
  const std::string longText(3000, 'x');
  testing::internal::CaptureStderr();
  DebugPrintf("%s", longText.c_str());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(kDebugBufferSize - 1, 'x'));
  DebugOutputEnabled = false;
  testing::internal::CaptureStderr();
  DebugOutputInt(-7);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "-7\n");
}

TEST(GetModelName, FileNameWithoutExtensionOrUntitled) {
  const std::string kept = TheModel().path;
  TheModel().path = "/home/user/models/plant.mod";
  EXPECT_EQ(GetModelName(), "plant");
  TheModel().path = "C:\\work\\unit 2.mod";
  EXPECT_EQ(GetModelName(), "unit 2");
  TheModel().path = "";
  EXPECT_EQ(GetModelName(), "Untitled");
  TheModel().path = kept;
}

// Titles name the file with its folder, whichever separator the path uses;
// a model in the root folder keeps its "/".
TEST(WindowTitles, TheFileWithItsFolderInParentheses) {
  const std::string kept = TheModel().path;
  TheModel().path = "/home/user/models/plant.mod";
  EXPECT_EQ(CurrentFileTitle(), "plant.mod (/home/user/models)");
  std::string suffix = "Loads on Anchor at Node 10";
  MakeTitleSuffix(suffix);
  EXPECT_EQ(suffix, "Loads on Anchor at Node 10 - [plant.mod (/home/user/models)]");
  TheModel().path = "C:\\work\\unit 2.mod";
  EXPECT_EQ(CurrentFileTitle(), "unit 2.mod (C:\\work)");
  TheModel().path = "/top.mod";
  EXPECT_EQ(CurrentFileTitle(), "top.mod (/)");
  TheModel().path = "";
  EXPECT_EQ(CurrentFileTitle(), "Untitled");
  std::string text = "lug.lug";
  AppendFolderInParens(text, "/data/lugs/");
  EXPECT_EQ(text, "lug.lug (/data/lugs)");
  TheModel().path = kept;
}

TEST(VectorRoutines, LengthsAndNormalising) {
  EXPECT_FLOAT_EQ(Length2(3, 4), 5);
  EXPECT_FLOAT_EQ(Length3(3, 4, 12), 13);
  float v[3] = {3, 0, 4};
  Normalize3(v);
  EXPECT_FLOAT_EQ(v[0], 0.6f);
  EXPECT_FLOAT_EQ(v[1], 0.0f);
  EXPECT_FLOAT_EQ(v[2], 0.8f);
  float zero[3] = {0, 0, 0};
  Normalize3(zero);
  EXPECT_EQ(zero[0], 0.0f);
  float a = 1, b = 2;
  SwapFloats(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
}

TEST(VectorRoutines, AngleBetween) {
  const float x[3] = {1, 0, 0};
  const float y[3] = {0, 2, 0};
  const float diagonal[3] = {1, 1, 0};
  const float none[3] = {0, 0, 0};
  EXPECT_FLOAT_EQ(AngleBetween3(x, y), kPi / 2);
  EXPECT_FLOAT_EQ(AngleBetween3(x, diagonal), kPi / 4);
  EXPECT_EQ(AngleBetween3(x, none), 0.0f);
  // Parallel vectors whose cosine rounds above 1 still give 0, not NaN.
  const float p[3] = {0.1f, 0.2f, 0.3f};
  const float q[3] = {0.3f, 0.6f, 0.9f};
  EXPECT_FALSE(std::isnan(AngleBetween3(p, q)));
  EXPECT_NEAR(AngleBetween3(p, q), 0.0f, 1e-3f);
}

TEST(VectorRoutines, RotationAboutAnAxisThroughAPoint) {
  // A quarter turn about the vertical axis through (1, 0, 0) takes (2, 0, 0)
  // to (1, 1, 0), by the right-hand rule.
  const float point[3] = {1, 0, 0};
  const float zAxis[3] = {0, 0, 5};
  SetAxisRotation(point, zAxis, kPi / 2);
  float p[3] = {2, 0, 7};
  ApplyAxisRotation(p);
  EXPECT_NEAR(p[0], 1, 1e-6);
  EXPECT_NEAR(p[1], 1, 1e-6);
  EXPECT_NEAR(p[2], 7, 1e-6);
  // About X through the origin: Y goes to Z.
  const float origin[3] = {0, 0, 0};
  const float xAxis[3] = {2, 0, 0};
  SetAxisRotation(origin, xAxis, kPi / 2);
  float y[3] = {0, 1, 0};
  ApplyAxisRotation(y);
  EXPECT_NEAR(y[0], 0, 1e-6);
  EXPECT_NEAR(y[1], 0, 1e-6);
  EXPECT_NEAR(y[2], 1, 1e-6);
  // About the negative Y axis by a half turn: X goes to -X.
  const float minusY[3] = {0, -1, 0};
  SetAxisRotation(origin, minusY, kPi);
  float x[3] = {1, 0, 0};
  ApplyAxisRotation(x);
  EXPECT_NEAR(x[0], -1, 1e-6);
  EXPECT_NEAR(x[2], 0, 1e-6);
  // About (1, 1, 1) by a third of a turn the axes cycle: X goes to Y.
  const float diagonal[3] = {1, 1, 1};
  SetAxisRotation(origin, diagonal, 2 * kPi / 3);
  float e[3] = {1, 0, 0};
  ApplyAxisRotation(e);
  EXPECT_NEAR(e[0], 0, 1e-5);
  EXPECT_NEAR(e[1], 1, 1e-5);
  EXPECT_NEAR(e[2], 0, 1e-5);
  // An axis of length 0 is the Z axis.
  SetAxisRotation(origin, origin, kPi / 2);
  float f[3] = {1, 0, 0};
  ApplyAxisRotation(f);
  EXPECT_NEAR(f[0], 0, 1e-6);
  EXPECT_NEAR(f[1], 1, 1e-6);
}

TEST(Interpolation, Bilinear) {
  const float xs[3] = {0, 10, 20};
  const float ys[2] = {100, 200};
  // value (i, j) at [j * 3 + i]
  const float values[6] = {1, 2, 4, 11, 12, 14};
  EXPECT_EQ(InterpolateTable2D(xs, ys, values, 3, 2, 10, 200), 12);  // a grid point, exactly
  EXPECT_FLOAT_EQ(InterpolateTable2D(xs, ys, values, 3, 2, 5, 150), (1 + 2 + 11 + 12) / 4.0f);
  EXPECT_FLOAT_EQ(InterpolateTable2D(xs, ys, values, 3, 2, 15, 100), 3);
  // Below the first x the first interval extends: 1 + (-5/10)(2 - 1).
  EXPECT_FLOAT_EQ(InterpolateTable2D(xs, ys, values, 3, 2, -5, 100), 0.5f);
  // Beyond the last y the last interval extends: 4 + 1.5 (14 - 4).
  EXPECT_FLOAT_EQ(InterpolateTable2D(xs, ys, values, 3, 2, 20, 250), 19);
}

TEST(Interpolation, TrilinearIsExactForALinearFunction) {
  const float xs[2] = {0, 2};
  const float ys[3] = {0, 1, 3};
  const float zs[2] = {-1, 1};
  float values[12];
  for (int k = 0; k < 2; ++k)
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 2; ++i) values[(k * 3 + j) * 2 + i] = xs[i] + 2 * ys[j] + 3 * zs[k];
  EXPECT_FLOAT_EQ(InterpolateTable3D(xs, ys, zs, values, 2, 3, 2, 0.5f, 2.0f, 0.25f), 0.5f + 4.0f + 0.75f);
  EXPECT_FLOAT_EQ(InterpolateTable3D(xs, ys, zs, values, 2, 3, 2, 2, 3, 1), 2 + 6 + 3);
  EXPECT_FLOAT_EQ(InterpolateTable3D(xs, ys, zs, values, 2, 3, 2, 3, 4, -2), 3 + 8 - 6);
}

TEST(Dates, MonthDayCommaYear) {
  EXPECT_EQ(FormatDate(2026, 12, 6), "Dec 6,2026");
  EXPECT_EQ(FormatDate(1999, 1, 31), "Jan 31,1999");
  EXPECT_EQ(FormatDate(2000, 13, 1), "");
  const std::string today = FormatTodayDate();
  ASSERT_GE(today.size(), 10u);
  EXPECT_EQ(today[3], ' ');
  EXPECT_EQ(today.find(", "), std::string::npos);
}

}  // namespace
