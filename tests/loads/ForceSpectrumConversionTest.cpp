// The time function to force spectrum conversion against the closed-form
// responses of a single-degree-of-freedom oscillator: a step F held from
// t = 0 gives 2F undamped and F (1 + exp(-zeta pi / sqrt(1 - zeta^2))) at
// 5 % damping; a rectangular pulse of td = 0.1 s at f = 5/3 Hz (omega td =
// pi / 3) gives 2F sin(pi td f) = F, its peak coming after the pulse ended
// (at the pulse's end it is only 0.5F); ten frequencies up to 50 Hz give
// eleven points; and the relief valve pulse has its four corners.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "loads/ForceSpectrumConversion.h"
#include "services/NumberText.h"

namespace {

constexpr double kForce = 1000.0;
constexpr double kPi = std::numbers::pi;

::testing::AssertionResult Within(double actual, double expected, double relative) {
  if (std::fabs(actual - expected) <= std::fabs(expected) * relative) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not within " << relative * 100.0 << " % of " << expected;
}

const std::vector<FloatPair> kStep{{kExplicitZero, static_cast<float>(kForce)}};

TEST(ForceSpectrumConversion, AStepHeldFromTheStartGivesTwiceItsForceUndamped) {
  for (double f : {0.5, 3.0, 17.0, 50.0}) EXPECT_TRUE(Within(OscillatorPeak(kStep, f, 0.0), 2.0 * kForce, 1.0e-3)) << f;
}

TEST(ForceSpectrumConversion, AStepAtFivePercentDampingOvershootsByTheDecrement) {
  const double zeta = 0.05;
  const double expected = kForce * (1.0 + std::exp(-zeta * kPi / std::sqrt(1.0 - zeta * zeta)));
  for (double f : {1.0, 10.0, 40.0}) EXPECT_TRUE(Within(OscillatorPeak(kStep, f, zeta), expected, 1.0e-3)) << f;
}

TEST(ForceSpectrumConversion, AShortPulseLeavesItsPeakAfterItEnds) {
  const double td = 0.1, f = 5.0 / 3.0;  // omega td = pi / 3
  const std::vector<FloatPair> pulse{{kExplicitZero, static_cast<float>(kForce)},
                                     {static_cast<float>(td), static_cast<float>(kForce)},
                                     {static_cast<float>(td + kConversionStep), kExplicitZero}};
  EXPECT_TRUE(Within(OscillatorPeak(pulse, f, 0.0), 2.0 * kForce * std::sin(kPi * td * f), 5.0e-3));
  EXPECT_TRUE(Within(OscillatorPeak(pulse, f, 0.0), kForce, 5.0e-3));
  // A long pulse (td above half the period) peaks at 2F while it lasts.
  EXPECT_TRUE(Within(OscillatorPeak(pulse, 10.0, 0.0), 2.0 * kForce, 1.0e-3));
}

TEST(ForceSpectrumConversion, TenFrequenciesUpTo50HzGiveElevenPoints) {
  std::vector<int> done;
  const std::vector<FloatPair> spectrum = ConvertTimeFunction(kStep, 50.0, 10, 0.0, [&](int k) { done.push_back(k); });
  ASSERT_EQ(spectrum.size(), 11u);
  EXPECT_EQ(spectrum[0].x, kExplicitZero);
  EXPECT_EQ(spectrum[0].y, kExplicitZero);
  for (int k = 1; k <= 10; ++k) {
    EXPECT_FLOAT_EQ(spectrum[static_cast<std::size_t>(k)].x, 5.0f * static_cast<float>(k));
    EXPECT_TRUE(Within(spectrum[static_cast<std::size_t>(k)].y, 2.0 * kForce, 1.0e-3)) << k;
  }
  EXPECT_EQ(done, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  // A load of nothing keeps its peak as the kept zero.
  const std::vector<FloatPair> none = ConvertTimeFunction({{1.0f, 0.0f}}, 10.0, 2, 5.0);
  EXPECT_EQ(none[1].y, kExplicitZero);
}

TEST(ForceSpectrumConversion, TheReliefValvePulse) {
  const std::vector<FloatPair> pulse = ReliefValvePulse(5000.0f, 0.01f, 0.5f, 0.02f);
  ASSERT_EQ(pulse.size(), 4u);
  EXPECT_EQ(pulse[0].x, kExplicitZero);
  EXPECT_EQ(pulse[1].x, 0.01f);
  EXPECT_EQ(pulse[1].y, 5000.0f);
  EXPECT_FLOAT_EQ(pulse[2].x, 0.51f);
  EXPECT_EQ(pulse[2].y, 5000.0f);
  EXPECT_FLOAT_EQ(pulse[3].x, 0.53f);
  EXPECT_EQ(pulse[3].y, kExplicitZero);
}

}  // namespace
