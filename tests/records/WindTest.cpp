// The wind block of the options section: the version 900 layout byte for
// byte, the one wind speed of files up to 502, wind load 1 alone up to 690,
// the shape factor 0 read as 0.6, profile units refused outside their tables,
// and the predicates of a defined wind load.
#include <gtest/gtest.h>

#include <string>

#include "properties/SectionTestBytes.h"
#include "records/Wind.h"
#include "services/NumberText.h"
#include "services/Units.h"

using namespace section_test;

namespace {

WindData FourLoads() {
  WindData wind;
  wind.profileIsVelocity = 0;
  wind.elevationUnit = 1;
  wind.pressureUnit = 2;
  wind.velocityUnit = 1;
  for (int k = 0; k < kWindLoadCount; ++k) {
    WindLoad& load = wind.loads[static_cast<std::size_t>(k)];
    load.shapeFactor = 0.7f + 0.1f * static_cast<float>(k);
    load.direction = {1.0f, 0.0f, static_cast<float>(k)};
    load.pressureProfile = {{0.0f, 0.1f * static_cast<float>(k + 1)}, {1200.0f, 0.2f}};
  }
  wind.loads[0].velocityProfile = {{0.0f, 90.0f}};  // the other kind is not stored
  return wind;
}

void EmitShapes(ByteEmitter& out, const WindData& wind, int loads) {
  for (int k = 0; k < loads; ++k) {
    const WindLoad& load = wind.loads[static_cast<std::size_t>(k)];
    out.Float(load.shapeFactor).Float(load.direction[0]).Float(load.direction[1]).Float(load.direction[2]);
  }
}

void EmitProfile(ByteEmitter& out, const std::vector<WindProfilePoint>& profile) {
  std::vector<std::pair<float, float>> pairs;
  for (const WindProfilePoint& point : profile) pairs.emplace_back(point.elevation, point.value);
  out.Pairs(pairs);
}

}  // namespace

TEST(WindBlock, WritesTheCurrentLayoutAndReadsItBack) {
  const WindData wind = FourLoads();
  ByteEmitter expected;
  EmitShapes(expected, wind, 4);
  expected.Int(1).Int(2).Int(1).Byte(0);
  for (const WindLoad& load : wind.loads) EmitProfile(expected, load.pressureProfile);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteWindBlock(f, wind); });
  EXPECT_EQ(written, expected.bytes);

  WindData read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadWindBlock(f, 900, read); }), "");
  EXPECT_EQ(read.pressureUnit, 2);
  EXPECT_EQ(read.loads[3].shapeFactor, wind.loads[3].shapeFactor);
  EXPECT_EQ(read.loads[3].direction[2], 3.0f);
  ASSERT_EQ(read.loads[3].pressureProfile.size(), 2u);
  EXPECT_EQ(read.loads[3].pressureProfile[0].value, wind.loads[3].pressureProfile[0].value);
  EXPECT_TRUE(read.loads[0].velocityProfile.empty());
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteWindBlock(f, read); }), written);
}

TEST(WindBlock, FilesUpTo502HoldOneWindSpeed) {
  ByteEmitter v502;
  v502.Float(80.0f);                                   // wind speed, mph
  v502.Float(0.0f).Float(0.0f).Float(0.0f).Float(1.0f);  // shape 0, direction +Z
  WindData read;
  read.profileIsVelocity = 0;
  const WindSpeedUnits metric{1, 1, 2};
  EXPECT_EQ(ReadFromBytes(v502.bytes, [&](BinaryFile& f) { ReadWindBlock(f, 502, read, metric); }), "");
  EXPECT_EQ(read.profileIsVelocity, 1);
  EXPECT_EQ(read.elevationUnit, 1);
  EXPECT_EQ(read.pressureUnit, 1);
  EXPECT_EQ(read.velocityUnit, 2);
  EXPECT_EQ(read.loads[0].shapeFactor, 0.6f);
  ASSERT_EQ(read.loads[0].velocityProfile.size(), 1u);
  EXPECT_TRUE(IsExplicitZero(read.loads[0].velocityProfile[0].elevation));
  EXPECT_EQ(read.loads[0].velocityProfile[0].value, 80.0f);
  EXPECT_TRUE(IsWindDefined(read, 0));

  // A speed of 0 adds no point, so the wind load is not defined.
  ByteEmitter calm;
  calm.Float(0.0f).Float(0.6f).Float(1.0f).Float(0.0f).Float(0.0f);
  WindData still;
  EXPECT_EQ(ReadFromBytes(calm.bytes, [&](BinaryFile& f) { ReadWindBlock(f, 500, still); }), "");
  EXPECT_TRUE(still.loads[0].velocityProfile.empty());
  EXPECT_FALSE(IsWindDefined(still, 0));
  EXPECT_TRUE(WindLoadHasData(still, 0));
}

TEST(WindBlock, FilesUpTo690HoldWindLoadOneOnly) {
  WindData source = FourLoads();
  source.loads[0].shapeFactor = 0.0f;
  ByteEmitter v690;
  EmitShapes(v690, source, 1);
  v690.Int(0).Int(0).Int(0).Byte(1);
  EmitProfile(v690, {{0.0f, 70.0f}, {600.0f, 100.0f}});
  WindData read;
  EXPECT_EQ(ReadFromBytes(v690.bytes, [&](BinaryFile& f) { ReadWindBlock(f, 690, read); }), "");
  EXPECT_EQ(read.loads[0].shapeFactor, 0.6f);
  EXPECT_EQ(read.profileIsVelocity, 1);
  ASSERT_EQ(read.loads[0].velocityProfile.size(), 2u);
  EXPECT_EQ(read.loads[0].velocityProfile[1].elevation, 600.0f);
  for (int k = 1; k < kWindLoadCount; ++k) {
    EXPECT_FALSE(WindLoadHasData(read, k));
    EXPECT_EQ(read.loads[static_cast<std::size_t>(k)].shapeFactor, 0.6f);
  }
}

TEST(WindBlock, DamageIsRefused) {
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteWindBlock(f, FourLoads()); });
  WindData read;
  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadWindBlock(f, 900, read); });

  ByteEmitter badUnit;
  EmitShapes(badUnit, FourLoads(), 4);
  badUnit.Int(2).Int(0).Int(0).Byte(0);  // there is no elevation unit 2
  for (int k = 0; k < 4; ++k) badUnit.Int(0);
  EXPECT_EQ(ReadFromBytes(badUnit.bytes, [&](BinaryFile& f) { ReadWindBlock(f, 900, read); }),
            "The file is damaged.\nWind loads: profile units 2, 0, 0");

  ByteEmitter hugeProfile;
  EmitShapes(hugeProfile, FourLoads(), 4);
  hugeProfile.Int(0).Int(0).Int(0).Byte(0).Int(1000000);
  EXPECT_NE(ReadFromBytes(hugeProfile.bytes, [&](BinaryFile& f) { ReadWindBlock(f, 900, read); }), "");
}

TEST(WindLoads, ResetDefinedAndDirections) {
  WindData wind = FourLoads();
  EXPECT_TRUE(IsWindDefined(wind, 1));   // pressure profiles are in force
  wind.profileIsVelocity = 1;
  EXPECT_FALSE(IsWindDefined(wind, 1));  // no velocity profile for wind 2
  EXPECT_TRUE(IsWindDefined(wind, 0));
  ResetWindLoad(wind, 1);
  EXPECT_EQ(wind.loads[1].shapeFactor, 0.6f);
  EXPECT_FALSE(WindLoadHasData(wind, 1));
  EXPECT_EQ(wind.pressureUnit, 2);  // units are kept
  ResetWindLoad(wind, 7);           // outside 1-4: nothing happens
  EXPECT_FALSE(IsWindDefined(wind, 7));

  wind.loads[2].direction = {3.0f, 0.0f, 4.0f};
  PrepareWindDirections(wind);
  EXPECT_FLOAT_EQ(wind.loads[2].unitDirection[0], 0.6f);
  EXPECT_FLOAT_EQ(wind.loads[2].unitDirection[2], 0.8f);
  EXPECT_EQ(wind.loads[1].unitDirection[0], 0.0f);  // a zero direction stays zero
}

TEST(WindBlock, AnOldSpeedTakesTheCurrentUnits) {
  const UnitsSettings saved = g_UnitsSettings;
  g_UnitsSettings = UnitsSettings{};
  const WindSpeedUnits english = CurrentWindSpeedUnits();
  EXPECT_EQ(english.elevationUnit, 0);
  EXPECT_EQ(english.pressureUnit, 0);
  EXPECT_EQ(english.velocityUnit, 0);

  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  g_UnitsSettings.unit[kUnitPressure] = 5;  // (kg/cm2)
  g_UnitsSettings.unit[kUnitVelocity] = 2;  // (m/s)
  ByteEmitter v501;
  v501.Float(30.0f).Float(0.6f).Float(1.0f).Float(0.0f).Float(0.0f);
  WindData read;
  EXPECT_EQ(ReadFromBytes(v501.bytes, [&](BinaryFile& f) { ReadWindBlock(f, 501, read); }), "");
  EXPECT_EQ(read.elevationUnit, 1);
  EXPECT_EQ(read.pressureUnit, 2);
  EXPECT_EQ(read.velocityUnit, 2);

  g_UnitsSettings.unit[kUnitLength] = 1;    // (feet)
  g_UnitsSettings.unit[kUnitPressure] = 1;  // (bar)
  const WindSpeedUnits other = CurrentWindSpeedUnits();
  EXPECT_EQ(other.elevationUnit, 0);
  EXPECT_EQ(other.pressureUnit, 1);
  g_UnitsSettings = saved;
}

TEST(WindPressure, VelocityProfileAgainstAHandCalculation) {
  WindData wind;
  wind.profileIsVelocity = 1;
  WindLoad& load = wind.loads[0];
  load.shapeFactor = 0.6f;
  load.direction = {1.0f, 0.0f, 0.0f};
  // 0 ft: 60 mph, 100 ft: 100 mph; a typed zero elevation is the explicit zero.
  load.velocityProfile = {{kExplicitZero, 60.0f}, {1200.0f, 100.0f}};
  // 50 ft: V = 80 mph, p = 0.6 x 80^2 / 45000 = 0.085333 psi.
  EXPECT_NEAR(WindPressureAtElevation(wind, 600.0f, 1), 0.6 * 6400.0 / 45000.0, 1e-7);
  // Below and above the profile its end velocities hold.
  EXPECT_NEAR(WindPressureAtElevation(wind, -120.0f, 1), 0.6 * 3600.0 / 45000.0, 1e-7);
  EXPECT_NEAR(WindPressureAtElevation(wind, 2400.0f, 1), 0.6 * 10000.0 / 45000.0, 1e-7);
  // A number outside 2 .. 4 is wind load 1; wind load 2 has no profile.
  EXPECT_NEAR(WindPressureAtElevation(wind, 600.0f, 9), 0.6 * 6400.0 / 45000.0, 1e-7);
  try {
    WindPressureAtElevation(wind, 600.0f, 2);
    ADD_FAILURE() << "an empty profile gave a pressure";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Interpolate on empty vector");
  }
}

TEST(WindPressure, PressureProfileIgnoresTheShapeFactorAndNoProfileIsRefused) {
  WindData wind;
  wind.loads[2].shapeFactor = 2.0f;
  wind.loads[2].pressureProfile = {{0.0f, 0.1f}, {1000.0f, 0.3f}};
  EXPECT_NEAR(WindPressureAtElevation(wind, 250.0f, 3), 0.15, 1e-7);
  wind.profileIsVelocity = 1;  // the velocity profiles are all empty
  try {
    WindPressureAtElevation(wind, 250.0f, 3);
    ADD_FAILURE() << "no profile gave a pressure";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Wind profile is not specified");
  }
  EXPECT_STREQ(WindPressureUnitLabel(2), "(kg/cm2)");
  EXPECT_DOUBLE_EQ(WindVelocityFactor(1), 1.609344);
}
