// The model-file records of the load data items (force, time varying load,
// harmonic load, force spectrum load): version 900 records built by the
// emitter read into their fields and write back the same bytes, copies carry
// the record, shorter records are refused, older versions read with their
// widths, and directions, units and names outside their rules are refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "KindRecordTesting.h"
#include "loads/DirectionalLoad.h"
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/RowObjects.h"

namespace {

std::vector<DataItemCase> LoadCases() {
  std::vector<DataItemCase> cases;
  cases.push_back({"Force", DataType::Force, 28,
                   ByteEmitter().f32(100.0f).f32(-200.0f).f32(0.0f).f32(1.0e4f).f32(0.0f).f32(-5.0e3f).i32(11)
                       .bytes(),
                   ExpectItem<NodalForce>([](const NodalForce& f) {
                     EXPECT_FLOAT_EQ(f.FX, 100.0f);
                     EXPECT_FLOAT_EQ(f.FY, -200.0f);
                     EXPECT_FLOAT_EQ(f.MX, 1.0e4f);
                     EXPECT_FLOAT_EQ(f.MZ, -5.0e3f);
                     EXPECT_EQ(f.AddedTo, 11);
                   })});
  cases.push_back({"Time varying load", DataType::TimeVaryingLoad, 48,
                   ByteEmitter().i32(5).i32(3).text("Water hammer pulse", 32).f32(2.5f).f32(0.011521246f)
                       .bytes(),
                   ExpectItem<TimeVaryingLoad>([](const TimeVaryingLoad& t) {
                     EXPECT_EQ(t.Direction, 5);
                     EXPECT_EQ(t.Units, 3);
                     EXPECT_EQ(t.TimeFunctionName, "Water hammer pulse");
                     EXPECT_FLOAT_EQ(t.ScaleFactor, 2.5f);
                     EXPECT_FLOAT_EQ(t.UnitFactor, 0.011521246f);
                   })});
  cases.push_back({"Harmonic load", DataType::HarmonicLoad, 20,
                   ByteEmitter().f32(29.5f).f32(90.0f).f32(10.0f).f32(20.0f).f32(30.0f).bytes(),
                   ExpectItem<HarmonicLoad>([](const HarmonicLoad& h) {
                     EXPECT_FLOAT_EQ(h.Frequency, 29.5f);
                     EXPECT_FLOAT_EQ(h.Phase, 90.0f);
                     EXPECT_FLOAT_EQ(h.FX, 10.0f);
                     EXPECT_FLOAT_EQ(h.FY, 20.0f);
                     EXPECT_FLOAT_EQ(h.FZ, 30.0f);
                   })});
  cases.push_back({"Force spectrum load", DataType::ForceSpectrumLoad, 48,
                   ByteEmitter().i32(2).i32(1).text(std::string(31, 'S'), 32).f32(0.5f).f32(4.4482198f)
                       .bytes(),
                   ExpectItem<ForceSpectrumLoad>([](const ForceSpectrumLoad& f) {
                     EXPECT_EQ(f.Direction, 2);
                     EXPECT_EQ(f.Units, 1);
                     EXPECT_EQ(f.SpectrumName, std::string(31, 'S'));
                     EXPECT_FLOAT_EQ(f.ScaleFactor, 0.5f);
                     EXPECT_FLOAT_EQ(f.UnitFactor, 4.4482198f);
                   })});
  return cases;
}

TEST(LoadItemRecords, Version900RecordsReadIntoTheirFieldsAndWriteBackTheSameBytes) {
  CheckDataItemRoundTrips(LoadCases());
}

TEST(LoadItemRecords, EveryShorterRecordIsRefusedAsDamaged) {
  CheckDataItemPrefixesRefused(LoadCases());
}

TEST(LoadItemRecords, NewLoadItemsHoldTheirNewValues) {
  EXPECT_EQ(NodalForce().AddedTo, 1);
  const TimeVaryingLoad timeLoad;
  EXPECT_EQ(timeLoad.Direction, 0);
  EXPECT_FLOAT_EQ(timeLoad.ScaleFactor, 1.0f);
  EXPECT_FLOAT_EQ(timeLoad.UnitFactor, 1.0f);
  const ForceSpectrumLoad spectrumLoad;
  EXPECT_FLOAT_EQ(spectrumLoad.ScaleFactor, 1.0f);
  EXPECT_FLOAT_EQ(spectrumLoad.UnitFactor, 1.0f);
}

TEST(LoadItemRecords, ForceBeforeVersion641IsAddedToWeightAndPressure) {
  NodalForce force;
  EXPECT_EQ(ReadKindRecord(force, ByteEmitter().repeat(3.0f, 6).bytes(), 640), 0);
  EXPECT_FLOAT_EQ(force.MZ, 3.0f);
  EXPECT_EQ(force.AddedTo, 1);
  NodalForce later;
  EXPECT_EQ(ReadKindRecord(later, ByteEmitter().repeat(3.0f, 6).i32(4).bytes(), 641), 0);
  EXPECT_EQ(later.AddedTo, 4);
}

TEST(LoadItemRecords, TimeVaryingLoadNameIs16BytesBeforeVersion503) {
  // A full 16-byte name of an old file needs no terminator.
  const Bytes old =
      ByteEmitter().i32(1).i32(2).text("SIXTEEN-CHARS-AB", 16).f32(1.5f).f32(0.45359236f).bytes();
  TimeVaryingLoad load;
  EXPECT_EQ(ReadKindRecord(load, old, 502), 0);
  EXPECT_EQ(load.TimeFunctionName, "SIXTEEN-CHARS-AB");
  EXPECT_FLOAT_EQ(load.ScaleFactor, 1.5f);
  EXPECT_FLOAT_EQ(load.UnitFactor, 0.45359236f);
  const Bytes written = WriteKindRecord(load);
  EXPECT_EQ(written,
            ByteEmitter().i32(1).i32(2).text("SIXTEEN-CHARS-AB", 32).f32(1.5f).f32(0.45359236f).bytes());

  TimeVaryingLoad wide;
  EXPECT_EQ(ReadKindRecord(wide, written, 503), 0);
  EXPECT_EQ(wide.TimeFunctionName, "SIXTEEN-CHARS-AB");
}

TEST(LoadItemRecords, DirectionsUnitsAndNamesOutsideTheirRulesAreRefused) {
  const auto record = [](std::int32_t direction, std::int32_t units, const std::string& name) {
    return ByteEmitter().i32(direction).i32(units).text(name, 32).f32(1.0f).f32(1.0f).bytes();
  };
  TimeVaryingLoad a, b, c, d;
  EXPECT_EQ(KindReadMessage(a, record(7, 0, "F")), "The file is damaged.\nTime varying load: direction = 7");
  // Forces have three units, moments four.
  EXPECT_EQ(KindReadMessage(b, record(3, 3, "F")), "The file is damaged.\nTime varying load: units = 3");
  EXPECT_EQ(KindReadMessage(c, record(6, 3, "F")), "");
  EXPECT_EQ(KindReadMessage(d, record(4, -1, "F")), "The file is damaged.\nTime varying load: units = -1");
  ForceSpectrumLoad e;
  EXPECT_EQ(KindReadMessage(e, record(1, 0, std::string(32, 'N'))),
            "The file is damaged.\nForce spectrum load: a text without its terminator");
  NodalForce f;
  EXPECT_EQ(KindReadMessage(f, ByteEmitter().repeat(0.0f, 6).i32(12).bytes()),
            "The file is damaged.\nForce: added to = 12");
}

TEST(LoadItemRecords, UnitListsOfTheDirections) {
  EXPECT_EQ(LoadDirectionUnitCount(1), 3);
  EXPECT_EQ(LoadDirectionUnitCount(3), 3);
  EXPECT_EQ(LoadDirectionUnitCount(4), 4);
  EXPECT_STREQ(kForceUnits[1].label, "(N)");
  EXPECT_FLOAT_EQ(kMomentUnits[0].factor, 1.0f / 12.0f);
  EXPECT_STREQ(kMomentUnits[3].label, "(kg-m)");
}

}  // namespace
