// Support records of older model-file versions, built byte by byte from the
// version rules: no tag up to version 720, three displacement flags and 30
// values up to version 690, no axis bytes before 670, no guide gap before
// 503, no hanger "above" byte before 521, no nozzle sphere byte up to 700,
// and connected nodes in the old derived-node numbering up to 681. Damaged
// codes and counts are refused with the reader's message.
#include <gtest/gtest.h>

#include <string>

#include "KindRecordTesting.h"
#include "supports/Anchor.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

// 30 values: sets T1, T2, T3, Seismic, Settlement, value 10 * set + j.
ByteEmitter& OldDisplacementValues(ByteEmitter& e) {
  for (int set = 0; set < 5; ++set)
    for (int j = 0; j < 6; ++j) e.f32(static_cast<float>(10 * set + j + 1));
  return e;
}

TEST(SupportOldRecords, Version690AnchorReadsThirtyValuesIntoSlots0To2And10And11) {
  ByteEmitter e;
  e.repeat(1.0e12f, 6).text("", 6);
  e.u8(1).u8(0).u8(0).u8(1).u8(1);  // T1, Seismic, Settlement
  e.u8(1).u8(0);                    // anchor in pipe axes
  OldDisplacementValues(e);
  Anchor anchor;
  EXPECT_EQ(ReadKindRecord(anchor, e.bytes(), 690), 0);
  EXPECT_EQ(anchor.tag, "");
  EXPECT_EQ(anchor.displacements.flags[0], 1);
  for (int slot = 3; slot <= 9; ++slot) EXPECT_EQ(anchor.displacements.flags[slot], 0);
  EXPECT_EQ(anchor.displacements.flags[10], 1);
  EXPECT_EQ(anchor.displacements.flags[11], 1);
  EXPECT_EQ(anchor.AnchorInPipeLcs, 1);
  const auto& v = anchor.displacements.sets->values;
  EXPECT_FLOAT_EQ(v[1], 1.0f);          // T1 X
  EXPECT_FLOAT_EQ(v[18], 26.0f);        // T3 ZZ
  for (int i = 19; i <= 60; ++i) EXPECT_FLOAT_EQ(v[static_cast<std::size_t>(i)], 0.0f) << i;
  EXPECT_FLOAT_EQ(v[61], 31.0f);        // 4th stored set: Seismic X
  EXPECT_FLOAT_EQ(v[72], 46.0f);        // 5th stored set: Settlement ZZ
}

TEST(SupportOldRecords, Version660AnchorHasNoAxisBytes) {
  ByteEmitter e;
  e.repeat(5.0f, 6).text("", 6).text("", 5);
  Anchor anchor;
  EXPECT_EQ(ReadKindRecord(anchor, e.bytes(), 660), 0);
  EXPECT_FLOAT_EQ(anchor.stiffness[5], 5.0f);
  EXPECT_EQ(anchor.AnchorInPipeLcs, 0);
  EXPECT_EQ(anchor.DisplacementsInPipeLcs, 0);
  EXPECT_EQ(anchor.displacements.sets, nullptr);
}

TEST(SupportOldRecords, Version680AnchorHasAxisBytesButNoTagOrNewFlags) {
  ByteEmitter e;
  e.repeat(5.0f, 6).text("", 6).text("", 5).u8(1).u8(1);
  Anchor anchor;
  EXPECT_EQ(ReadKindRecord(anchor, e.bytes(), 680), 0);
  EXPECT_EQ(anchor.AnchorInPipeLcs, 1);
  EXPECT_EQ(anchor.DisplacementsInPipeLcs, 1);
}

TEST(SupportOldRecords, Version700NozzleHasNoSphereByte) {
  ByteEmitter e;
  e.u8(1).u8(0);
  for (int i = 1; i <= 13; ++i) e.f32(static_cast<float>(i));
  e.u8(0).u8(0).u8(0).u8(0).u8(1).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0);  // T5
  for (int i = 1; i <= 72; ++i) e.f32(static_cast<float>(i));
  Nozzle nozzle;
  EXPECT_EQ(ReadKindRecord(nozzle, e.bytes(), 700), 0);
  EXPECT_EQ(nozzle.flatBottom, 1);
  EXPECT_EQ(nozzle.spherical, 0);
  EXPECT_FLOAT_EQ(nozzle.vesselOd, 3.0f);
  EXPECT_EQ(nozzle.displacements.flags[4], 1);
  EXPECT_FLOAT_EQ(nozzle.displacements.sets->values[72], 72.0f);
}

TEST(SupportOldRecords, Version690NozzleHasFiveFlagsAndThirtyValues) {
  ByteEmitter e;
  e.u8(0).u8(0);
  for (int i = 1; i <= 13; ++i) e.f32(static_cast<float>(i));
  e.u8(0).u8(1).u8(0).u8(0).u8(1);  // T2 and Settlement
  OldDisplacementValues(e);
  Nozzle nozzle;
  EXPECT_EQ(ReadKindRecord(nozzle, e.bytes(), 690), 0);
  EXPECT_EQ(nozzle.displacements.flags[1], 1);
  EXPECT_EQ(nozzle.displacements.flags[11], 1);
  const auto& v = nozzle.displacements.sets->values;
  EXPECT_FLOAT_EQ(v[7], 11.0f);   // T2 X
  EXPECT_FLOAT_EQ(v[25], 0.0f);   // T5 X: not in old files
  EXPECT_FLOAT_EQ(v[61], 31.0f);  // Seismic X: all five stored sets are read
  EXPECT_FLOAT_EQ(v[67], 41.0f);  // Settlement X
}

TEST(SupportOldRecords, RecordsUpToVersion720HaveNoTag) {
  Restraint restraint;
  EXPECT_EQ(ReadKindRecord(restraint, ByteEmitter().u8(0).u8(1).u8(0).bytes(), 720), 0);
  EXPECT_EQ(restraint.restrainY, 1);
  Snubber snubber;
  EXPECT_EQ(ReadKindRecord(snubber, ByteEmitter().f32(7.0f).f32(1.0f).f32(0.0f).f32(0.0f).bytes(), 720), 0);
  EXPECT_FLOAT_EQ(snubber.stiffness, 7.0f);
  GenericSupport generic;
  EXPECT_EQ(ReadKindRecord(generic, ByteEmitter().i32(1).repeat(2.0f, 21).bytes(), 720), 0);
  EXPECT_EQ(generic.groupBUnitIndex, 1);
  EXPECT_EQ(generic.tag, "");
}

TEST(SupportOldRecords, ConnectedNodesOfVersion681AreRecodedAndOf682Kept) {
  const Bytes skewed = ByteEmitter().u8(0).f32(1.0f).f32(1.0f).f32(0.0f).f32(0.0f).i32(20005).bytes();
  SkewedRestraint old;
  EXPECT_EQ(ReadKindRecord(old, skewed, 681), 0);
  EXPECT_EQ(old.connectedNode, 200005);
  SkewedRestraint kept;
  EXPECT_EQ(ReadKindRecord(kept, skewed, 682), 0);
  EXPECT_EQ(kept.connectedNode, 20005);

  LimitStop stop;
  EXPECT_EQ(ReadKindRecord(stop, ByteEmitter().repeat(0.0f, 7).i32(10001).bytes(), 681), 0);
  EXPECT_EQ(stop.connectedNode, 100001);

  Guide guide;
  EXPECT_EQ(ReadKindRecord(guide, ByteEmitter().f32(0.1f).f32(9.0f).f32(0.5f).i32(60007).bytes(), 503), 0);
  EXPECT_EQ(guide.connectedNode, 600007);
  EXPECT_FLOAT_EQ(guide.gap, 0.5f);

  Hanger hanger;
  EXPECT_EQ(ReadKindRecord(hanger, ByteEmitter().i32(16).i32(1).i32(25).u8(0).u8(0).i32(10005).i32(0)
                                       .f32(0.0f).f32(0.0f).bytes(), 681), 0);
  EXPECT_EQ(hanger.connectedNode, 100005);
  EXPECT_EQ(hanger.above, 0);
}

TEST(SupportOldRecords, GuideBeforeVersion503HasNoGapOrConnectedNode) {
  Guide guide;
  EXPECT_EQ(ReadKindRecord(guide, ByteEmitter().f32(0.3f).f32(4.0e5f).bytes(), 502), 0);
  EXPECT_FLOAT_EQ(guide.frictionCoefficient, 0.3f);
  EXPECT_FLOAT_EQ(guide.stiffness, 4.0e5f);
  EXPECT_FLOAT_EQ(guide.gap, 0.0f);
  EXPECT_EQ(guide.connectedNode, 0);
}

TEST(SupportOldRecords, HangerBeforeVersion521IsAlwaysAbove) {
  Hanger hanger;
  EXPECT_EQ(ReadKindRecord(hanger, ByteEmitter().i32(kRodHanger).i32(3).i32(10).u8(1).i32(0).i32(0)
                                       .f32(0.0f).f32(0.0f).bytes(), 520), 0);
  EXPECT_EQ(hanger.kind, kRodHanger);
  EXPECT_EQ(hanger.numberOfHangers, 3);
  EXPECT_EQ(hanger.shortRange, 1);
  EXPECT_EQ(hanger.above, 1);
}

TEST(SupportOldRecords, DamagedCodesAndCountsAreRefused) {
  const auto hanger = [](std::int32_t kind, std::int32_t count, std::int32_t loadType) {
    return ByteEmitter().text("", 12).i32(kind).i32(count).i32(25).u8(0).u8(1).i32(0).i32(loadType)
        .f32(0.0f).f32(0.0f).bytes();
  };
  Hanger a, b, c, d, e;
  EXPECT_EQ(KindReadMessage(a, hanger(0, 1, 0)), "The file is damaged.\nHanger: hanger type = 0");
  EXPECT_EQ(KindReadMessage(b, hanger(35, 1, 0)), "The file is damaged.\nHanger: hanger type = 35");
  EXPECT_EQ(KindReadMessage(c, hanger(104, 1, 0)), "The file is damaged.\nHanger: hanger type = 104");
  EXPECT_EQ(KindReadMessage(d, hanger(34, 0, 0)), "The file is damaged.\nHanger: number of hangers = 0");
  EXPECT_EQ(KindReadMessage(e, hanger(103, 1, 2)), "The file is damaged.\nHanger: load type = 2");

  // A unit beyond the last one, like a negative one, is kept for the list
  // to repair: the matrix itself is sound and is not lost.
  GenericSupport generic;
  EXPECT_EQ(KindReadMessage(generic, ByteEmitter().text("", 12).i32(6).repeat(0.0f, 21).bytes()), "");
  EXPECT_EQ(generic.groupBUnitIndex, 6);
  GenericSupport negative;
  EXPECT_EQ(KindReadMessage(negative, ByteEmitter().text("", 12).i32(-1).repeat(0.0f, 21).bytes()), "");
  EXPECT_EQ(negative.groupBUnitIndex, -1);

  LimitStop stop;
  EXPECT_EQ(KindReadMessage(stop, ByteEmitter().text("", 12).repeat(0.0f, 7).i32(-5).bytes()),
            "The file is damaged.\nLimit stop: node number = -5");
}

}  // namespace
