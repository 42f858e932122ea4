// The model-file records of the data items of the element kinds (flange,
// branch SIF, user SIF, weld, concentrated mass; spiders and jacket end caps
// have none): version 900 records built by the emitter read into their fields
// and write back the same bytes, shorter records are refused, older versions
// give a new item's values for what they lack, damaged codes are refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "KindRecordTesting.h"
#include "elements/BranchSif.h"
#include "elements/ConcentratedMass.h"
#include "elements/Flange.h"
#include "elements/UserSif.h"
#include "elements/Weld.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/AnalysisOptions.h"

namespace {

std::vector<DataItemCase> ItemCases() {
  std::vector<DataItemCase> cases;
  cases.push_back({"Flange", DataType::Flange, 16,
                   ByteEmitter().i32(5).f32(42.5f).f32(9.75f).f32(740.0f).bytes(),
                   ExpectItem<Flange>([](const Flange& f) {
                     EXPECT_EQ(f.type, 5);
                     EXPECT_STREQ(kFlangeTypeNames[f.type], "Socket welded");
                     EXPECT_FLOAT_EQ(f.weight, 42.5f);
                     EXPECT_FLOAT_EQ(f.gasketDiameter, 9.75f);
                     EXPECT_FLOAT_EQ(f.allowablePressure, 740.0f);
                   })});
  cases.push_back({"Branch SIF", DataType::BranchSif, 16,
                   ByteEmitter().i32(8).f32(0.5f).f32(12.0f).i32(2).bytes(),
                   ExpectItem<BranchSif>([](const BranchSif& b) {
                     EXPECT_EQ(b.type, 8);
                     EXPECT_FLOAT_EQ(b.dimension1, 0.5f);
                     EXPECT_FLOAT_EQ(b.dimension2, 12.0f);
                     EXPECT_EQ(b.flanges, 2);
                   })});
  cases.push_back({"User SIF", DataType::UserSif, 16,
                   ByteEmitter().f32(2.1f).f32(1.8f).f32(1.3f).f32(1.2f).bytes(),
                   ExpectItem<UserSif>([](const UserSif& u) {
                     EXPECT_FLOAT_EQ(u.inPlaneSif, 2.1f);
                     EXPECT_FLOAT_EQ(u.outPlaneSif, 1.8f);
                     EXPECT_FLOAT_EQ(u.axialSif, 1.3f);
                     EXPECT_FLOAT_EQ(u.torsionSif, 1.2f);
                   })});
  cases.push_back({"Weld", DataType::Weld, 8, ByteEmitter().i32(4).f32(0.0625f).bytes(),
                   ExpectItem<Weld>([](const Weld& w) {
                     EXPECT_EQ(w.type, 4);
                     EXPECT_STREQ(kWeldTypeNames[w.type], "Tapered transition");
                     EXPECT_FLOAT_EQ(w.mismatch, 0.0625f);
                   })});
  cases.push_back({"Concentrated mass", DataType::ConcentratedMass, 16,
                   ByteEmitter().f32(1500.0f).f32(6.0f).f32(-12.0f).f32(0.5f).bytes(),
                   ExpectItem<ConcentratedMass>([](const ConcentratedMass& m) {
                     EXPECT_FLOAT_EQ(m.weight, 1500.0f);
                     EXPECT_FLOAT_EQ(m.dx, 6.0f);
                     EXPECT_FLOAT_EQ(m.dy, -12.0f);
                     EXPECT_FLOAT_EQ(m.dz, 0.5f);
                   })});
  return cases;
}

TEST(ElementDataItemRecords, Version900RecordsReadIntoTheirFieldsAndWriteBackTheSameBytes) {
  CheckDataItemRoundTrips(ItemCases());
}

TEST(ElementDataItemRecords, EveryShorterRecordIsRefusedAsDamaged) {
  CheckDataItemPrefixesRefused(ItemCases());
}

TEST(ElementDataItemRecords, SifFieldsOfVersion781AreAbsentFromOlderFiles) {
  BranchSif branch;
  EXPECT_EQ(ReadKindRecord(branch, ByteEmitter().i32(2).f32(0.25f).f32(0.0f).bytes(), 780), 0);
  EXPECT_EQ(branch.type, 2);
  EXPECT_FLOAT_EQ(branch.dimension1, 0.25f);
  EXPECT_EQ(branch.flanges, 0);

  UserSif user;
  EXPECT_EQ(ReadKindRecord(user, ByteEmitter().f32(2.0f).f32(2.5f).bytes(), 780), 0);
  EXPECT_FLOAT_EQ(user.inPlaneSif, 2.0f);
  EXPECT_FLOAT_EQ(user.outPlaneSif, 2.5f);
  EXPECT_FLOAT_EQ(user.axialSif, 0.0f);
  EXPECT_FLOAT_EQ(user.torsionSif, 0.0f);
}

TEST(ElementDataItemRecords, CodesOutsideTheirTablesAreRefused) {
  Flange flange;
  EXPECT_EQ(KindReadMessage(flange, ByteEmitter().i32(8).repeat(0.0f, 3).bytes()),
            "The file is damaged.\nFlange: flange type = 8");
  Flange negative;
  EXPECT_EQ(KindReadMessage(negative, ByteEmitter().i32(-1).repeat(0.0f, 3).bytes()),
            "The file is damaged.\nFlange: flange type = -1");
  BranchSif branch;
  EXPECT_EQ(KindReadMessage(branch, ByteEmitter().i32(10).repeat(0.0f, 2).i32(0).bytes()),
            "The file is damaged.\nBranch SIF: branch SIF type = 10");
  BranchSif flanges;
  EXPECT_EQ(KindReadMessage(flanges, ByteEmitter().i32(1).repeat(0.0f, 2).i32(3).bytes()),
            "The file is damaged.\nBranch SIF: flanges = 3");
  Weld weld;
  EXPECT_EQ(KindReadMessage(weld, ByteEmitter().i32(5).f32(0.0f).bytes()),
            "The file is damaged.\nWeld: weld type = 5");
}

TEST(ElementDataItemRecords, NewBranchSifIsAnUnreinforcedBranchUnderTheSwedishCode) {
  const std::int32_t previous = TheModel().options.PipingCode;
  TheModel().options.PipingCode = kCodeB31_3;
  EXPECT_EQ(BranchSif().type, kBranchSifWeldingTee);
  TheModel().options.PipingCode = 18;  // Swedish
  EXPECT_EQ(BranchSif().type, kBranchSifUnreinforced);
  TheModel().options.PipingCode = previous;
  EXPECT_EQ(Weld().type, 1);
  EXPECT_EQ(Flange().type, 0);
}

}  // namespace
