// Element records of older model-file versions, built byte by byte from the
// version rules of each kind: the reader takes the narrower fields of the
// version and leaves a new object's value in every field the version lacks;
// damaged values are refused with the reader's message.
#include <gtest/gtest.h>

#include <string>

#include "KindRecordTesting.h"
#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/RigidElement.h"
#include "elements/Valve.h"

namespace {

// The fields every bend record has, after the version-dependent ones.
ByteEmitter& BendTail(ByteEmitter& e) {
  return e.i32(21).i32(22).f32(0.25f).f32(0.75f).u8(kBendRadiusShort).u8(1).u8(1)
      .f32(0.5f).f32(1.0f).f32(2.0f).f32(3.0f).i32(9);
}

void ExpectBendTail(const Bend& b) {
  EXPECT_EQ(b.intermediateNode1, 21);
  EXPECT_EQ(b.intermediateNode2, 22);
  EXPECT_FLOAT_EQ(b.angle1, 0.25f);
  EXPECT_FLOAT_EQ(b.angle2, 0.75f);
  EXPECT_EQ(b.radiusType, kBendRadiusShort);
  EXPECT_EQ(b.flangedEnds, 1);
  EXPECT_EQ(b.BendGeometryValid, 1);
  EXPECT_FLOAT_EQ(b.bendAngle, 0.5f);
  EXPECT_FLOAT_EQ(b.centre[2], 3.0f);
  EXPECT_EQ(b.farNode, 9);
}

TEST(ElementOldRecords, Version500BendHasNoMaterialFactorsOrSifs) {
  ByteEmitter e;
  e.f32(30.0f).f32(0.5f);
  Bend bend;
  EXPECT_EQ(ReadKindRecord(bend, BendTail(e).bytes(), 500), 0);
  EXPECT_FLOAT_EQ(bend.radius, 30.0f);
  EXPECT_FLOAT_EQ(bend.thickness, 0.5f);
  EXPECT_EQ(bend.material, "");
  EXPECT_FLOAT_EQ(bend.flexibilityFactor, -1.0f);
  EXPECT_FLOAT_EQ(bend.outPlaneFlexibilityFactor, -1.0f);
  EXPECT_FLOAT_EQ(bend.inPlaneSif, 0.0f);
  EXPECT_FLOAT_EQ(bend.torsionSif, 0.0f);
  ExpectBendTail(bend);
}

TEST(ElementOldRecords, Version502BendHasA4ByteMaterialAndNoSifs) {
  ByteEmitter e;
  e.f32(30.0f).f32(0.5f).text("A106", 4).f32(3.5f);
  Bend bend;
  EXPECT_EQ(ReadKindRecord(bend, BendTail(e).bytes(), 502), 0);
  EXPECT_EQ(bend.material, "A106");
  EXPECT_FLOAT_EQ(bend.flexibilityFactor, 3.5f);
  EXPECT_FLOAT_EQ(bend.inPlaneSif, 0.0f);
  ExpectBendTail(bend);
}

TEST(ElementOldRecords, Version680BendKeeps4ByteMaterialAndGainsTwoSifs) {
  ByteEmitter e;
  e.f32(30.0f).f32(0.5f).text("CS", 4).f32(3.5f).f32(1.5f).f32(1.25f);
  Bend bend;
  EXPECT_EQ(ReadKindRecord(bend, BendTail(e).bytes(), 680), 0);
  EXPECT_EQ(bend.material, "CS");
  EXPECT_FLOAT_EQ(bend.inPlaneSif, 1.5f);
  EXPECT_FLOAT_EQ(bend.outPlaneSif, 1.25f);
  EXPECT_FLOAT_EQ(bend.axialSif, 0.0f);
  ExpectBendTail(bend);
}

TEST(ElementOldRecords, Version780BendHas6ByteMaterialButNoB31JFields) {
  ByteEmitter e;
  e.f32(30.0f).f32(0.5f).text("SS316", 6).f32(3.5f).f32(1.5f).f32(1.25f);
  MiterBend miter;
  BendTail(e).i32(kMiterWidely);
  EXPECT_EQ(ReadKindRecord(miter, e.bytes(), 780), 0);
  EXPECT_EQ(miter.material, "SS316");
  EXPECT_FLOAT_EQ(miter.outPlaneFlexibilityFactor, -1.0f);
  EXPECT_FLOAT_EQ(miter.outPlaneSif, 1.25f);
  EXPECT_FLOAT_EQ(miter.axialSif, 0.0f);
  EXPECT_FLOAT_EQ(miter.torsionSif, 0.0f);
  EXPECT_EQ(miter.spacing, kMiterWidely);
  ExpectBendTail(miter);
}

TEST(ElementOldRecords, Version680JacketedBendReadsItsJacketNamesIn4Bytes) {
  ByteEmitter e;
  e.f32(30.0f).f32(0.5f).text("CS", 4).f32(3.5f).f32(1.5f).f32(1.25f);
  BendTail(e).text("JMAT", 4).text("J10", 4).text("JL", 4);
  e.i32(1).i32(2).f32(60.0f).f32(0.25f).u8(kBendRadiusUser).u8(0).f32(4.0f).f32(5.0f).f32(6.0f).i32(3);
  JacketedBend bend;
  EXPECT_EQ(ReadKindRecord(bend, e.bytes(), 680), 0);
  ExpectBendTail(bend);
  EXPECT_EQ(bend.jacketMaterial, "JMAT");
  EXPECT_EQ(bend.jacketSection, "J10");
  EXPECT_EQ(bend.jacketLoad, "JL");
  EXPECT_FLOAT_EQ(bend.jacketRadius, 60.0f);
  EXPECT_EQ(bend.jacketRadiusType, kBendRadiusUser);
  EXPECT_FLOAT_EQ(bend.jacketCentre[0], 4.0f);
  EXPECT_EQ(bend.jacketFarNode, 3);
}

TEST(ElementOldRecords, JacketedPipeNamesAre4BytesBeforeVersion681) {
  JacketedPipe old;
  const Bytes record680 = ByteEmitter().text("ABCD", 4).text("S4", 4).text("L1", 4).i32(7).i32(8).bytes();
  EXPECT_EQ(ReadKindRecord(old, record680, 680), 0);
  EXPECT_EQ(old.jacketMaterial, "ABCD");
  EXPECT_EQ(old.jacketSection, "S4");
  EXPECT_EQ(old.jacketEndNode, 8);

  JacketedPipe current;
  const Bytes record681 = ByteEmitter().text("ABCDE", 6).text("S4", 6).text("L1", 6).i32(7).i32(8).bytes();
  EXPECT_EQ(ReadKindRecord(current, record681, 681), 0);
  EXPECT_EQ(current.jacketMaterial, "ABCDE");
  EXPECT_EQ(current.jacketLoad, "L1");
}

TEST(ElementOldRecords, ValveTypeArrivesAfterVersion510) {
  const Bytes eightFloats = ByteEmitter().f32(100.0f).repeat(1.0f, 7).bytes();
  Valve old;
  EXPECT_EQ(ReadKindRecord(old, eightFloats, 510), 0);
  EXPECT_FLOAT_EQ(old.weight, 100.0f);
  EXPECT_EQ(old.valveType, 0);

  Bytes withType = eightFloats;
  const Bytes type = ByteEmitter().i32(7).bytes();
  withType.insert(withType.end(), type.begin(), type.end());
  Valve current;
  EXPECT_EQ(ReadKindRecord(current, withType, 511), 0);
  EXPECT_EQ(current.valveType, 7);
}

TEST(ElementOldRecords, JointsBeforeVersion503HaveNoRotationLimits) {
  HingeJoint hinge;
  const Bytes hingeRecord = ByteEmitter().f32(10.0f).f32(20.0f).f32(30.0f).f32(0.0f).f32(1.0f).f32(0.0f).bytes();
  EXPECT_EQ(ReadKindRecord(hinge, hingeRecord, 502), 0);
  EXPECT_FLOAT_EQ(hinge.stiffness, 10.0f);
  EXPECT_FLOAT_EQ(hinge.rotationLimit, 1.0e30f);
  EXPECT_FLOAT_EQ(hinge.frictionTorque, 20.0f);
  EXPECT_FLOAT_EQ(hinge.weight, 30.0f);
  EXPECT_FLOAT_EQ(hinge.axis[1], 1.0f);

  BallJoint ball;
  const Bytes ballRecord = ByteEmitter().f32(1.0f).f32(2.0f).f32(3.0f).f32(4.0f).f32(5.0f).bytes();
  EXPECT_EQ(ReadKindRecord(ball, ballRecord, 502), 0);
  EXPECT_FLOAT_EQ(ball.bendingRotationLimit, 1.0e30f);
  EXPECT_FLOAT_EQ(ball.torsionalRotationLimit, 1.0e30f);
  EXPECT_FLOAT_EQ(ball.bendingFrictionTorque, 3.0f);
  EXPECT_FLOAT_EQ(ball.weight, 5.0f);
}

TEST(ElementOldRecords, BellowsMeanDiameterFromVersion701RigidFlagFrom781) {
  Bellows bellows;
  EXPECT_EQ(ReadKindRecord(bellows, ByteEmitter().repeat(2.0f, 6).bytes(), 700), 0);
  EXPECT_FLOAT_EQ(bellows.weight, 2.0f);
  EXPECT_FLOAT_EQ(bellows.meanDiameter, 0.0f);

  RigidElement rigid;
  EXPECT_EQ(ReadKindRecord(rigid, ByteEmitter().f32(12.0f).bytes(), 780), 0);
  EXPECT_FLOAT_EQ(rigid.weight, 12.0f);
  EXPECT_EQ(rigid.addCil, 0);
  RigidElement newer;
  EXPECT_EQ(ReadKindRecord(newer, ByteEmitter().f32(12.0f).u8(1).bytes(), 781), 0);
  EXPECT_EQ(newer.addCil, 1);
}

TEST(ElementOldRecords, DamagedValuesAreRefusedWithTheReadersMessage) {
  Valve valve;
  EXPECT_EQ(KindReadMessage(valve, ByteEmitter().repeat(0.0f, 8).i32(8).bytes()),
            "The file is damaged.\nValve: valve type = 8");

  ByteEmitter bend;
  bend.repeat(0.0f, 2).text("", 6).repeat(0.0f, 6).i32(0).i32(0).repeat(0.0f, 2).u8(3).u8(0).u8(0)
      .repeat(0.0f, 4).i32(0);
  Bend badRadiusType;
  EXPECT_EQ(KindReadMessage(badRadiusType, bend.bytes()), "The file is damaged.\nBend: radius type = 3");

  // A 6-byte name must end within its field.
  JacketedPipe pipe;
  EXPECT_EQ(KindReadMessage(pipe, ByteEmitter().text("ABCDEF", 6).text("", 12).i32(0).i32(0).bytes()),
            "The file is damaged.\nJacketed pipe: a text without its terminator");

  MiterBend miter;
  ByteEmitter miterRecord;
  miterRecord.repeat(0.0f, 2).text("", 6).repeat(0.0f, 6).i32(0).i32(0).repeat(0.0f, 2).u8(2).u8(0).u8(0)
      .repeat(0.0f, 4).i32(0).i32(3);
  EXPECT_EQ(KindReadMessage(miter, miterRecord.bytes()), "The file is damaged.\nMiter bend: spacing = 3");
}

TEST(ElementOldRecords, CommentBytesAreKeptAsTheyStand) {
  // A full field without a zero, and bytes after a zero, both come back.
  ByteEmitter full;
  full.text(std::string(80, 'x'), 80);
  CommentData comment;
  EXPECT_EQ(ReadKindRecord(comment, full.bytes()), 0);
  EXPECT_EQ(comment.Text(), std::string(80, 'x'));
  EXPECT_EQ(WriteKindRecord(comment), full.bytes());

  Bytes trailing = ByteEmitter().text("short", 80).bytes();
  trailing[40] = 'q';
  CommentData kept;
  ReadKindRecord(kept, trailing);
  EXPECT_EQ(kept.Text(), "short");
  EXPECT_EQ(WriteKindRecord(kept), trailing);
}

}  // namespace
