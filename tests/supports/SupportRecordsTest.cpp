// The model-file records of the supports: version 900 records built by the
// emitter read into their fields and write back the same bytes, copies carry
// the whole record, shorter records are refused, and tags of twelve
// characters keep their full field.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "KindRecordTesting.h"
#include "model/RowObjects.h"
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

// Value 6k+j+1 of the displacement sets is 100k + j, so a value shows its slot.
ByteEmitter& DisplacementValues(ByteEmitter& e) {
  for (int slot = 0; slot < 12; ++slot)
    for (int j = 0; j < 6; ++j) e.f32(static_cast<float>(100 * slot + j));
  return e;
}

void ExpectDisplacementValues(const SpecifiedDisplacements& d) {
  ASSERT_NE(d.sets, nullptr);
  EXPECT_FLOAT_EQ(d.sets->values[1], 0.0f);
  EXPECT_FLOAT_EQ(d.sets->values[6 * 3 + 2], 301.0f);
  EXPECT_FLOAT_EQ(d.sets->values[72], 1105.0f);
}

std::vector<DataItemCase> SupportCases() {
  std::vector<DataItemCase> cases;
  cases.push_back({"Anchor", DataType::Anchor, 56,
                   ByteEmitter().text("A-1", 12).f32(1.0e5f).f32(1.0e12f).f32(2.0e5f).f32(3.0e6f)
                       .f32(0.0f).f32(1.0e12f).u8(1).u8(0).u8(1).u8(0).u8(0).u8(1)
                       .text("", 12).u8(1).u8(0).bytes(),
                   ExpectItem<Anchor>([](const Anchor& a) {
                     EXPECT_EQ(a.tag, "A-1");
                     EXPECT_FLOAT_EQ(a.stiffness[0], 1.0e5f);
                     EXPECT_FLOAT_EQ(a.stiffness[3], 3.0e6f);
                     EXPECT_FLOAT_EQ(a.stiffness[4], 0.0f);
                     EXPECT_EQ(a.releases[2], 1);
                     EXPECT_EQ(a.releases[5], 1);
                     EXPECT_FALSE(a.displacements.HasAny());
                     EXPECT_EQ(a.displacements.sets, nullptr);
                     EXPECT_EQ(a.AnchorInPipeLcs, 1);
                     EXPECT_EQ(a.DisplacementsInPipeLcs, 0);
                   })});
  {
    ByteEmitter e;
    e.text("", 12).repeat(1.0e12f, 6).text("", 6);
    e.u8(1).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(1).u8(0).u8(1);  // T1, T10, Settlement
    e.u8(0).u8(1);
    DisplacementValues(e);
    cases.push_back({"Anchor", DataType::Anchor, 344, e.bytes(), ExpectItem<Anchor>([](const Anchor& a) {
                       EXPECT_EQ(a.displacements.flags[0], 1);
                       EXPECT_EQ(a.displacements.flags[9], 1);
                       EXPECT_EQ(a.displacements.flags[10], 0);
                       EXPECT_EQ(a.displacements.flags[11], 1);
                       EXPECT_EQ(a.DisplacementsInPipeLcs, 1);
                       ExpectDisplacementValues(a.displacements);
                     })});
  }
  cases.push_back({"Restraint", DataType::Restraint, 15,
                   ByteEmitter().text("R12", 12).u8(1).u8(0).u8(1).bytes(),
                   ExpectItem<Restraint>([](const Restraint& r) {
                     EXPECT_EQ(r.tag, "R12");
                     EXPECT_EQ(r.restrainX, 1);
                     EXPECT_EQ(r.restrainY, 0);
                     EXPECT_EQ(r.restrainZ, 1);
                   })});
  cases.push_back({"Skewed restraint", DataType::SkewedRestraint, 33,
                   ByteEmitter().text("SK", 12).u8(1).f32(5.0e6f).f32(0.6f).f32(0.8f).f32(0.0f).i32(200005)
                       .bytes(),
                   ExpectItem<SkewedRestraint>([](const SkewedRestraint& s) {
                     EXPECT_EQ(s.tag, "SK");
                     EXPECT_EQ(s.rotational, 1);
                     EXPECT_FLOAT_EQ(s.stiffness, 5.0e6f);
                     EXPECT_FLOAT_EQ(s.dirX, 0.6f);
                     EXPECT_FLOAT_EQ(s.dirY, 0.8f);
                     EXPECT_EQ(s.connectedNode, 200005);
                   })});
  cases.push_back({"Hanger", DataType::Hanger, 42,
                   ByteEmitter().text("H-7", 12).i32(kUserHanger).i32(2).i32(20).u8(1).u8(0).i32(150)
                       .i32(1).f32(850.0f).f32(1200.0f).bytes(),
                   ExpectItem<Hanger>([](const Hanger& h) {
                     EXPECT_EQ(h.tag, "H-7");
                     EXPECT_EQ(h.kind, kUserHanger);
                     EXPECT_EQ(h.numberOfHangers, 2);
                     EXPECT_EQ(h.maximumLoadVariation, 20);
                     EXPECT_EQ(h.shortRange, 1);
                     EXPECT_EQ(h.above, 0);
                     EXPECT_EQ(h.connectedNode, 150);
                     EXPECT_EQ(h.loadType, 1);
                     EXPECT_FLOAT_EQ(h.springRate, 850.0f);
                     EXPECT_FLOAT_EQ(h.load, 1200.0f);
                   })});
  cases.push_back({"Guide", DataType::Guide, 28,
                   ByteEmitter().text("G", 12).f32(0.3f).f32(1.0e6f).f32(0.125f).i32(40).bytes(),
                   ExpectItem<Guide>([](const Guide& g) {
                     EXPECT_EQ(g.tag, "G");
                     EXPECT_FLOAT_EQ(g.frictionCoefficient, 0.3f);
                     EXPECT_FLOAT_EQ(g.stiffness, 1.0e6f);
                     EXPECT_FLOAT_EQ(g.gap, 0.125f);
                     EXPECT_EQ(g.connectedNode, 40);
                   })});
  cases.push_back({"Limit stop", DataType::LimitStop, 44,
                   ByteEmitter().text("LS", 12).f32(-0.5f).f32(1.0e30f).f32(0.0f).f32(1.0f).f32(0.0f)
                       .f32(0.2f).f32(2.0e6f).i32(100030).bytes(),
                   ExpectItem<LimitStop>([](const LimitStop& l) {
                     EXPECT_EQ(l.tag, "LS");
                     EXPECT_FLOAT_EQ(l.lowerLimit, -0.5f);
                     EXPECT_FLOAT_EQ(l.upperLimit, 1.0e30f);
                     EXPECT_FLOAT_EQ(l.dirY, 1.0f);
                     EXPECT_FLOAT_EQ(l.frictionCoefficient, 0.2f);
                     EXPECT_FLOAT_EQ(l.stiffness, 2.0e6f);
                     EXPECT_EQ(l.connectedNode, 100030);
                   })});
  {
    ByteEmitter e;
    e.text("N1", 12).u8(1).u8(1);
    for (int i = 1; i <= 13; ++i) e.f32(static_cast<float>(i));
    e.u8(0).u8(0).u8(1).text("", 7).u8(1).u8(0);  // T3 and Seismic
    e.u8(1);
    DisplacementValues(e);
    cases.push_back({"Nozzle", DataType::Nozzle, 367, e.bytes(), ExpectItem<Nozzle>([](const Nozzle& n) {
                       EXPECT_EQ(n.tag, "N1");
                       EXPECT_EQ(n.flatBottom, 1);
                       EXPECT_EQ(n.reinforcingPad, 1);
                       EXPECT_FLOAT_EQ(n.nozzleOd, 1.0f);
                       EXPECT_FLOAT_EQ(n.elasticModulus, 7.0f);
                       EXPECT_FLOAT_EQ(n.vesselAxis[2], 10.0f);
                       EXPECT_FLOAT_EQ(n.longitudinalStiffness, 13.0f);
                       EXPECT_EQ(n.displacements.flags[2], 1);
                       EXPECT_EQ(n.displacements.flags[10], 1);
                       EXPECT_EQ(n.spherical, 1);
                       ExpectDisplacementValues(n.displacements);
                     })});
  }
  cases.push_back({"Snubber", DataType::Snubber, 28,
                   ByteEmitter().text("SN", 12).f32(3.0e5f).f32(0.0f).f32(0.0f).f32(1.0f).bytes(),
                   ExpectItem<Snubber>([](const Snubber& s) {
                     EXPECT_EQ(s.tag, "SN");
                     EXPECT_FLOAT_EQ(s.stiffness, 3.0e5f);
                     EXPECT_FLOAT_EQ(s.dirZ, 1.0f);
                   })});
  {
    ByteEmitter e;
    e.text("GS", 12).i32(3);
    for (int i = 1; i <= 21; ++i) e.f32(static_cast<float>(i));
    cases.push_back({"Generic support", DataType::GenericSupport, 100, e.bytes(),
                     ExpectItem<GenericSupport>([](const GenericSupport& g) {
                       EXPECT_EQ(g.tag, "GS");
                       EXPECT_EQ(g.groupBUnitIndex, 3);
                       // Row order of the upper triangle: K11=1 ... K16=6, K22=7, K33=12, K66=21.
                       EXPECT_FLOAT_EQ(g.terms[GenericSupport::TermIndex(1, 6)], 6.0f);
                       EXPECT_FLOAT_EQ(g.terms[GenericSupport::TermIndex(2, 2)], 7.0f);
                       EXPECT_FLOAT_EQ(g.terms[GenericSupport::TermIndex(3, 3)], 12.0f);
                       EXPECT_FLOAT_EQ(g.terms[GenericSupport::TermIndex(5, 6)], 20.0f);
                       EXPECT_FLOAT_EQ(g.terms[GenericSupport::TermIndex(6, 6)], 21.0f);
                     })});
  }
  return cases;
}

TEST(SupportRecords, Version900RecordsReadIntoTheirFieldsAndWriteBackTheSameBytes) {
  CheckDataItemRoundTrips(SupportCases());
}

TEST(SupportRecords, EveryShorterRecordIsRefusedAsDamaged) {
  CheckDataItemPrefixesRefused(SupportCases());
}

TEST(SupportRecords, NewSupportsHoldTheirKindsNewValues) {
  const Anchor anchor;
  for (float k : anchor.stiffness) EXPECT_FLOAT_EQ(k, 1.0e12f);
  EXPECT_FALSE(anchor.displacements.HasAny());
  const Hanger hanger;
  EXPECT_EQ(hanger.kind, 16);
  EXPECT_EQ(hanger.numberOfHangers, 1);
  EXPECT_EQ(hanger.maximumLoadVariation, 25);
  EXPECT_EQ(hanger.above, 1);
  const LimitStop stop;
  EXPECT_FLOAT_EQ(stop.lowerLimit, -1.0e30f);
  EXPECT_FLOAT_EQ(stop.upperLimit, 1.0e30f);
  EXPECT_FLOAT_EQ(stop.stiffness, 1.0e12f);
  EXPECT_FLOAT_EQ(Guide().stiffness, 1.0e12f);
  EXPECT_FLOAT_EQ(Snubber().stiffness, 1.0e12f);
  EXPECT_FLOAT_EQ(SkewedRestraint().stiffness, 0.0f);
  const GenericSupport generic;
  int rigid = 0;
  for (float term : generic.terms) rigid += term == 1.0e12f ? 1 : 0;
  EXPECT_EQ(rigid, 6);
  for (int i = 1; i <= 6; ++i) EXPECT_FLOAT_EQ(generic.terms[GenericSupport::TermIndex(i, i)], 1.0e12f);
}

TEST(SupportRecords, ATwelveCharacterTagFillsItsFieldAndComesBack) {
  const Bytes record = ByteEmitter().text("ABCDEFGHIJKL", 12).u8(1).u8(1).u8(1).bytes();
  Restraint restraint;
  EXPECT_EQ(ReadKindRecord(restraint, record), 0);
  EXPECT_EQ(restraint.tag, "ABCDEFGHIJKL");
  EXPECT_EQ(WriteKindRecord(restraint), record);
}

TEST(SupportRecords, ATagTooLongForItsFieldFailsTheWriteInsteadOfLosingItsEnd) {
  Restraint restraint;
  restraint.tag = "ABCDEFGHIJKLM";
  const std::string path = KindTestPath();
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  restraint.Write(file);
  EXPECT_TRUE(BinaryFileHasError(file));
  BinaryFileClose(file);
  std::remove(path.c_str());
}

TEST(SupportRecords, CopiedDisplacementsAreTheCopysOwn) {
  Anchor source;
  ReadKindRecord(source, SupportCases()[1].record);
  Anchor copy;
  copy.CopyFrom(source);
  source.displacements.sets->values[1] = 99.0f;
  source.displacements.flags.fill(0);
  EXPECT_FLOAT_EQ(copy.displacements.sets->values[1], 0.0f);
  EXPECT_EQ(copy.displacements.flags[11], 1);
}

TEST(SupportRecords, AFlagWithoutItsValuesWritesZeroValues) {
  Anchor anchor;
  anchor.displacements.flags[4] = 1;  // set, but no block made
  const Bytes written = WriteKindRecord(anchor);
  ASSERT_EQ(written.size(), 344u);
  for (std::size_t i = 56; i < written.size(); ++i) EXPECT_EQ(written[i], 0) << i;
}

}  // namespace

namespace {

TEST(SupportRecords, FlagBytesOutsideZeroAndOneAreRefusedByName) {
  Restraint restraint;
  EXPECT_EQ(KindReadMessage(restraint, ByteEmitter().text("R", 12).u8(1).u8(2).u8(0).bytes()),
            "The file is damaged.\nRestraint: Y = 2");
  Anchor anchor;
  ByteEmitter e;
  e.text("A", 12);
  for (int i = 0; i < 6; ++i) e.f32(1.0e12f);
  e.u8(0).u8(0).u8(7).u8(0).u8(0).u8(0);  // release Z = 7
  for (int i = 0; i < 12; ++i) e.u8(0);
  e.u8(0).u8(0);
  EXPECT_EQ(KindReadMessage(anchor, e.bytes()), "The file is damaged.\nAnchor: release = 7");
}

}  // namespace
