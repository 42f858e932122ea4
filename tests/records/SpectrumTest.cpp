// Response spectra, force spectra and time functions: the list sections byte
// for byte, the blank entry after reading, 16-byte names before 503, the
// spectrum assignments present before 503 or after a spectrum, ordinates of
// files up to 510 converted by their unit, damage refused, lookups.
#include <gtest/gtest.h>

#include "properties/SectionTestBytes.h"
#include "records/ForceSpectrum.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"

using namespace section_test;

namespace {

ResponseSpectrum ElCentro() {
  ResponseSpectrum s;
  s.name = "El Centro 1940 N-S, 5% damping";  // 30 characters
  s.logInterpolation1 = 1;
  s.logInterpolation2 = 0;
  s.periodAbscissa = 1;
  s.ordinateUnit = kOrdinateG;
  s.points = {{0.1f, 386.4f}, {0.5f, 772.8f}, {2.0f, 193.2f}};
  return s;
}

void EmitSpectrum(ByteEmitter& out, const std::string& name, std::size_t nameWidth, std::uint8_t log1,
                  std::uint8_t log2, std::uint8_t period, std::int32_t unit,
                  const std::vector<std::pair<float, float>>& points) {
  out.Text(name, nameWidth).Byte(log1).Byte(log2).Byte(period).Int(unit).Pairs(points);
}

}  // namespace

TEST(SpectraSection, WritesTheCurrentLayoutAndReadsItBack) {
  SpectrumList list;
  SpectrumLoad load;
  ClearSpectra(list, load);
  list.insert(list.begin(), ElCentro());
  load.name = {"El Centro 1940 N-S, 5% damping", "", "El Centro 1940 N-S, 5% damping"};
  load.factor = {1.0f, 0.5f, 0.667f};

  ByteEmitter expected;
  expected.Int(1);
  EmitSpectrum(expected, ElCentro().name, 32, 1, 0, 1, 4, {{0.1f, 386.4f}, {0.5f, 772.8f}, {2.0f, 193.2f}});
  expected.Text(load.name[0], 32).Float(1.0f).Text("", 32).Float(0.5f).Text(load.name[2], 32).Float(0.667f);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, list, load); });
  EXPECT_EQ(written, expected.bytes);

  SpectrumList read;
  SpectrumLoad readLoad;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadSpectraSection(f, 900, read, readLoad); }), "");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].name, ElCentro().name);
  EXPECT_EQ(read[0].points[1].y, 772.8f);  // current files are in internal units
  // The blank entry takes the choices of the entry before it.
  EXPECT_TRUE(read[1].name.empty());
  EXPECT_TRUE(read[1].points.empty());
  EXPECT_EQ(read[1].logInterpolation1, 1);
  EXPECT_EQ(read[1].periodAbscissa, 1);
  EXPECT_EQ(read[1].ordinateUnit, kOrdinateG);
  EXPECT_EQ(readLoad.factor[2], 0.667f);
  EXPECT_EQ(FindSpectrum(read, ElCentro().name), 0);
  EXPECT_EQ(FindSpectrum(read, ""), -1);
  EXPECT_EQ(FindSpectrum(read, "El Centro"), -1);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, read, readLoad); }), written);
}

TEST(SpectraSection, NoSpectraMeansNoAssignmentsFrom503) {
  SpectrumList list;
  SpectrumLoad load;
  ClearSpectra(list, load);
  EXPECT_FALSE(HasSpectra(list));
  ByteEmitter expected;
  expected.Int(0);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, list, load); });
  EXPECT_EQ(written, expected.bytes);
  SpectrumLoad readLoad;
  readLoad.directionSum = kSumAbsolute;
  SpectrumList read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadSpectraSection(f, 503, read, readLoad); }), "");
  ASSERT_EQ(read.size(), 1u);  // the blank entry alone
  EXPECT_EQ(readLoad.factor[0], 1.0f);
  EXPECT_EQ(readLoad.modeSum, kSumSrss);
  EXPECT_EQ(readLoad.directionSum, kSumAbsolute);  // not part of this section
}

// A model that assigns spectra it does not hold (a batch file names them
// and cannot define them) keeps its assignments: the spare blank entry is
// written as the one spectrum they follow, in the layout of the version, and
// read back as the spare row, not as a spectrum.
TEST(SpectraSection, AssignmentsWithoutSpectraAreKeptBehindTheBlankEntry) {
  SpectrumList list;
  SpectrumLoad load;
  ClearSpectra(list, load);
  SetDirectionSpectrum(load, 0, "SITE-X", 0.5f);
  SetDirectionSpectrum(load, 2, "SITE-Z", 1.25f);
  ByteEmitter expected;
  expected.Int(1);
  EmitSpectrum(expected, "", 32, 0, 0, 0, kOrdinateInch, {});
  expected.Text("SITE-X", 32).Float(0.5f).Text("", 32).Float(1.0f).Text("SITE-Z", 32).Float(1.25f);
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, list, load); });
  EXPECT_EQ(written, expected.bytes);
  SpectrumList read;
  SpectrumLoad readLoad;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadSpectraSection(f, 900, read, readLoad); }), "");
  ASSERT_EQ(read.size(), 1u);  // the blank entry alone
  EXPECT_FALSE(HasSpectra(read));
  EXPECT_EQ(readLoad.name[0], "SITE-X");
  EXPECT_EQ(readLoad.name[1], "");
  EXPECT_EQ(readLoad.name[2], "SITE-Z");
  EXPECT_EQ(readLoad.factor[0], 0.5f);
  EXPECT_EQ(readLoad.factor[2], 1.25f);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, read, readLoad); }), written);
  // A factor alone is an assignment too; the defaults are none.
  ClearSpectra(list, load);
  load.factor[1] = 2.0f;
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, list, load); }).size(), written.size());
  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadSpectraSection(f, 900, read, readLoad); });
}

TEST(SpectraSection, FilesUpTo510AreConvertedByOrdinateUnit) {
  // Version 502: 16-byte names, assignments even without spectra.
  ByteEmitter v502;
  v502.Int(3);
  EmitSpectrum(v502, "MM", 16, 0, 0, 0, kOrdinateMm, {{1.0f, 25.4f}});
  EmitSpectrum(v502, "ACC", 16, 1, 1, 0, kOrdinateG, {{1.0f, 0.5f}, {10.0f, 1.5f}});
  EmitSpectrum(v502, "FIFTEEN CHARS..", 16, 0, 0, 1, kOrdinateInPerSec2, {{0.2f, 100.0f}});
  v502.Text("ACC", 16).Float(1.0f).Text("", 16).Float(0.0f).Text("MM", 16).Float(2.0f);
  SpectrumList read;
  SpectrumLoad load;
  EXPECT_EQ(ReadFromBytes(v502.bytes, [&](BinaryFile& f) { ReadSpectraSection(f, 502, read, load); }), "");
  ASSERT_EQ(read.size(), 4u);
  EXPECT_NEAR(read[0].points[0].y, 25.4 * 0.03937, 1e-6);  // 0.999998 inch
  EXPECT_EQ(read[0].points[0].x, 1.0f);
  EXPECT_NEAR(read[1].points[0].y, 193.2, 1e-4);           // 0.5 g
  EXPECT_NEAR(read[1].points[1].y, 579.6, 1e-3);           // 1.5 g
  EXPECT_EQ(read[2].name, "FIFTEEN CHARS..");
  EXPECT_EQ(read[2].points[0].y, 100.0f);                  // in/sec2 kept
  EXPECT_EQ(load.name[0], "ACC");
  EXPECT_EQ(load.name[2], "MM");
  EXPECT_EQ(load.factor[2], 2.0f);
  EXPECT_EQ(read[3].periodAbscissa, 1);

  ByteEmitter v502Empty;
  v502Empty.Int(0).Text("", 16).Float(1.0f).Text("", 16).Float(1.0f).Text("", 16).Float(1.0f);
  EXPECT_EQ(ReadFromBytes(v502Empty.bytes, [&](BinaryFile& f) { ReadSpectraSection(f, 502, read, load); }),
            "");
  EXPECT_EQ(read.size(), 1u);

  // Version 510 still converts; 511 reads the ordinates as they stand.
  ByteEmitter v510;
  v510.Int(1);
  EmitSpectrum(v510, "G", 32, 0, 0, 0, kOrdinateMmPerSec2, {{1.0f, 1000.0f}});
  v510.Text("G", 32).Float(1.0f).Text("", 32).Float(1.0f).Text("", 32).Float(1.0f);
  EXPECT_EQ(ReadFromBytes(v510.bytes, [&](BinaryFile& f) { ReadSpectraSection(f, 510, read, load); }), "");
  EXPECT_NEAR(read[0].points[0].y, 39.37, 1e-4);
  EXPECT_EQ(ReadFromBytes(v510.bytes, [&](BinaryFile& f) { ReadSpectraSection(f, 511, read, load); }), "");
  EXPECT_EQ(read[0].points[0].y, 1000.0f);
}

TEST(SpectraSection, DamageIsRefusedAndTheListKept) {
  SpectrumList list;
  SpectrumLoad load;
  ClearSpectra(list, load);
  list.insert(list.begin(), ElCentro());
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, list, load); });
  auto read = [&](BinaryFile& f) { ReadSpectraSection(f, 900, list, load); };

  ByteEmitter badUnit;
  badUnit.Int(1);
  EmitSpectrum(badUnit, "X", 16, 0, 0, 0, 5, {{1.0f, 1.0f}});
  badUnit.Text("", 16).Float(1.0f).Text("", 16).Float(1.0f).Text("", 16).Float(1.0f);
  EXPECT_EQ(ReadFromBytes(badUnit.bytes, [&](BinaryFile& f) { ReadSpectraSection(f, 502, list, load); }),
            "The file is damaged.\nSpectra: spectrum X has ordinate unit 5");

  ExpectEveryPrefixRefused(written, read);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].name, ElCentro().name);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteSpectraSection(f, list, load); }), written);
}

TEST(ForceSpectraSection, RoundTripAbsentBefore503AndDamage) {
  ForceSpectrumList list;
  ClearForceSpectra(list);
  EXPECT_FALSE(HasForceSpectra(list));
  list.insert(list.begin(), ForceSpectrum{"Relief valve RV-101 pulse", {{1.0f, 0.5f}, {20.0f, 1.8f}}});
  list.insert(list.begin(), ForceSpectrum{"Slug", {{5.0f, 1.0e-36f}}});
  ByteEmitter expected;
  expected.Int(2).Text("Slug", 32).Pairs({{5.0f, 1.0e-36f}});
  expected.Text("Relief valve RV-101 pulse", 32).Pairs({{1.0f, 0.5f}, {20.0f, 1.8f}});
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteForceSpectra(f, list); });
  EXPECT_EQ(written, expected.bytes);

  ForceSpectrumList read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadForceSpectra(f, 503, read); }), "");
  ASSERT_EQ(read.size(), 3u);
  EXPECT_TRUE(read[2].name.empty() && read[2].points.empty());
  EXPECT_EQ(read[1].points[1].y, 1.8f);
  EXPECT_EQ(FindForceSpectrum(read, "Slug"), 0);
  EXPECT_EQ(FindForceSpectrum(read, "Relief valve RV-101 pulse"), 1);
  EXPECT_EQ(FindForceSpectrum(read, ""), -1);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteForceSpectra(f, read); }), written);

  // A version 502 file has no force spectra section: the list stays.
  EXPECT_EQ(ReadFromBytes(ByteVector{}, [&](BinaryFile& f) { ReadForceSpectra(f, 502, read); }), "");
  EXPECT_EQ(read.size(), 3u);

  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadForceSpectra(f, 900, read); });
  EXPECT_EQ(read.size(), 3u);
}

TEST(TimeFunctionsSection, NameWidthsAndBlankEntry) {
  TimeFunctionList list;
  ClearTimeFunctions(list);
  EXPECT_FALSE(HasTimeFunctions(list));
  list.insert(list.begin(), TimeFunction{"Water hammer at valve V-12", {{1.0e-36f, 1.0e-36f}, {0.1f, -250.0f}}});
  ByteEmitter expected;
  expected.Int(1).Text("Water hammer at valve V-12", 32).Pairs({{1.0e-36f, 1.0e-36f}, {0.1f, -250.0f}});
  const ByteVector written = WrittenBytes([&](BinaryFile& f) { WriteTimeFunctions(f, list); });
  EXPECT_EQ(written, expected.bytes);
  TimeFunctionList read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) { ReadTimeFunctions(f, 503, read); }), "");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].points[1].y, -250.0f);
  EXPECT_TRUE(read[1].name.empty());
  EXPECT_EQ(FindTimeFunction(read, "Water hammer at valve V-12"), 0);
  EXPECT_EQ(FindTimeFunction(read, "water hammer at valve V-12"), -1);
  EXPECT_EQ(WrittenBytes([&](BinaryFile& f) { WriteTimeFunctions(f, read); }), written);

  ByteEmitter v502;
  v502.Int(2).Text("F1", 16).Pairs({{0.0f, 0.0f}, {0.1f, 100.0f}}).Text("F2 fifteen char", 16).Pairs({});
  EXPECT_EQ(ReadFromBytes(v502.bytes, [&](BinaryFile& f) { ReadTimeFunctions(f, 502, read); }), "");
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[1].name, "F2 fifteen char");
  EXPECT_TRUE(read[1].points.empty());

  ByteEmitter empty;
  empty.Int(0);
  EXPECT_EQ(ReadFromBytes(empty.bytes, [&](BinaryFile& f) { ReadTimeFunctions(f, 900, read); }), "");
  EXPECT_EQ(read.size(), 1u);  // a list always ends with its blank entry

  ExpectEveryPrefixRefused(written, [&](BinaryFile& f) { ReadTimeFunctions(f, 900, read); });
  EXPECT_EQ(read.size(), 1u);
}
