// The model-file records of the element kinds: each kind's version 900
// record, built field by field from its layout by an independent emitter, is
// read into the kind's new object with the values in the right fields and
// written back to the same bytes; every shorter prefix is refused with the
// damaged-file message; records of older versions read with their field
// widths and with a new object's values for the fields they lack.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KindRecordTesting.h"
#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/HingeJoint.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "elements/Valve.h"
#include "model/RowObjects.h"

namespace {

// The bend's record with distinct values, as version 900 lays it out.
ByteEmitter BendRecord900() {
  ByteEmitter e;
  e.f32(36.0f).f32(0.375f).text("A106B", 6).f32(2.5f).f32(2.75f);
  e.f32(1.5f).f32(1.75f).f32(1.25f).f32(1.125f);
  e.i32(1045).i32(1046).f32(0.5f).f32(1.0f);
  e.u8(kBendRadiusUser).u8(2).u8(1);
  e.f32(1.5707964f).f32(10.0f).f32(20.0f).f32(30.0f).i32(17);
  return e;
}

void ExpectBend900(const Bend& b) {
  EXPECT_FLOAT_EQ(b.radius, 36.0f);
  EXPECT_FLOAT_EQ(b.thickness, 0.375f);
  EXPECT_EQ(b.material, "A106B");
  EXPECT_FLOAT_EQ(b.flexibilityFactor, 2.5f);
  EXPECT_FLOAT_EQ(b.outPlaneFlexibilityFactor, 2.75f);
  EXPECT_FLOAT_EQ(b.inPlaneSif, 1.5f);
  EXPECT_FLOAT_EQ(b.outPlaneSif, 1.75f);
  EXPECT_FLOAT_EQ(b.axialSif, 1.25f);
  EXPECT_FLOAT_EQ(b.torsionSif, 1.125f);
  EXPECT_EQ(b.intermediateNode1, 1045);
  EXPECT_EQ(b.intermediateNode2, 1046);
  EXPECT_FLOAT_EQ(b.angle1, 0.5f);
  EXPECT_FLOAT_EQ(b.angle2, 1.0f);
  EXPECT_EQ(b.radiusType, kBendRadiusUser);
  EXPECT_EQ(b.flangedEnds, 2);
  EXPECT_EQ(b.BendGeometryValid, 1);
  EXPECT_FLOAT_EQ(b.bendAngle, 1.5707964f);
  EXPECT_FLOAT_EQ(b.centre[0], 10.0f);
  EXPECT_FLOAT_EQ(b.centre[1], 20.0f);
  EXPECT_FLOAT_EQ(b.centre[2], 30.0f);
  EXPECT_EQ(b.farNode, 17);
}

struct ElementCase {
  const char* kind;  // the name in the damaged-file message
  ElementType type;
  std::size_t size;  // bytes of the version 900 record, from its field list
  Bytes record;
  std::function<void(const ElementData&)> expect;
};

template <typename Kind>
std::function<void(const ElementData&)> Expect(std::function<void(const Kind&)> check) {
  return [check](const ElementData& object) {
    const auto* kind = dynamic_cast<const Kind*>(&object);
    ASSERT_NE(kind, nullptr);
    check(*kind);
  };
}

std::vector<ElementCase> ElementCases() {
  std::vector<ElementCase> cases;
  cases.push_back({"Bend", ElementType::Bend, 77, BendRecord900().bytes(), Expect<Bend>(ExpectBend900)});
  cases.push_back({"Miter bend", ElementType::Miter, 81, BendRecord900().i32(kMiterWidely).bytes(),
                   Expect<MiterBend>([](const MiterBend& m) {
                     ExpectBend900(m);
                     EXPECT_EQ(m.spacing, kMiterWidely);
                   })});
  cases.push_back({"Jacketed bend", ElementType::JacketedBend, 129,
                   BendRecord900()
                       .text("JM", 6).text("JSEC", 6).text("JLOAD", 6)
                       .i32(31).i32(32).f32(48.0f).f32(0.5f).u8(kBendRadiusShort).u8(7)
                       .f32(1.0f).f32(2.0f).f32(3.0f).i32(33)
                       .bytes(),
                   Expect<JacketedBend>([](const JacketedBend& j) {
                     ExpectBend900(j);
                     EXPECT_EQ(j.jacketMaterial, "JM");
                     EXPECT_EQ(j.jacketSection, "JSEC");
                     EXPECT_EQ(j.jacketLoad, "JLOAD");
                     EXPECT_EQ(j.jacketStartNode, 31);
                     EXPECT_EQ(j.jacketNearNode, 32);
                     EXPECT_FLOAT_EQ(j.jacketRadius, 48.0f);
                     EXPECT_FLOAT_EQ(j.jacketThickness, 0.5f);
                     EXPECT_EQ(j.jacketRadiusType, kBendRadiusShort);
                     EXPECT_EQ(j.jacketFlag, 7);
                     EXPECT_FLOAT_EQ(j.jacketCentre[2], 3.0f);
                     EXPECT_EQ(j.jacketFarNode, 33);
                   })});
  cases.push_back({"Jacketed pipe", ElementType::JacketedPipe, 26,
                   ByteEmitter().text("JM", 6).text("J8", 6).text("JL", 6).i32(4).i32(5).bytes(),
                   Expect<JacketedPipe>([](const JacketedPipe& j) {
                     EXPECT_EQ(j.jacketMaterial, "JM");
                     EXPECT_EQ(j.jacketSection, "J8");
                     EXPECT_EQ(j.jacketLoad, "JL");
                     EXPECT_EQ(j.jacketStartNode, 4);
                     EXPECT_EQ(j.jacketEndNode, 5);
                   })});
  cases.push_back({"Valve", ElementType::Valve, 36,
                   ByteEmitter().f32(250.0f).f32(18.0f).f32(2.5f).f32(1.5f).f32(40.0f)
                       .f32(1.0f).f32(12.0f).f32(-3.0f).i32(4).bytes(),
                   Expect<Valve>([](const Valve& v) {
                     EXPECT_FLOAT_EQ(v.weight, 250.0f);
                     EXPECT_FLOAT_EQ(v.length, 18.0f);
                     EXPECT_FLOAT_EQ(v.thicknessMultiplier, 2.5f);
                     EXPECT_FLOAT_EQ(v.insulationWeightMultiplier, 1.5f);
                     EXPECT_FLOAT_EQ(v.additionalWeight, 40.0f);
                     EXPECT_FLOAT_EQ(v.dx, 1.0f);
                     EXPECT_FLOAT_EQ(v.dy, 12.0f);
                     EXPECT_FLOAT_EQ(v.dz, -3.0f);
                     EXPECT_EQ(v.valveType, 4);
                     EXPECT_STREQ(kValveTypeNames[v.valveType], "Butterfly");
                   })});
  cases.push_back({"Reducer", ElementType::Reducer, 25,
                   ByteEmitter().f32(8.625f).f32(0.322f).f32(6.625f).f32(0.28f).f32(15.0f).u8(1)
                       .f32(0.75f).bytes(),
                   Expect<Reducer>([](const Reducer& r) {
                     EXPECT_FLOAT_EQ(r.od1, 8.625f);
                     EXPECT_FLOAT_EQ(r.thk1, 0.322f);
                     EXPECT_FLOAT_EQ(r.od2, 6.625f);
                     EXPECT_FLOAT_EQ(r.thk2, 0.28f);
                     EXPECT_FLOAT_EQ(r.coneAngle, 15.0f);
                     EXPECT_EQ(r.knuckles, 1);
                     EXPECT_FLOAT_EQ(r.delta, 0.75f);
                   })});
  cases.push_back({"Bellows", ElementType::Bellows, 28,
                   ByteEmitter().f32(1.0e3f).f32(2.0e3f).f32(3.0e3f).f32(4.0e3f).f32(50.0f).f32(60.0f)
                       .f32(7.0f).bytes(),
                   Expect<Bellows>([](const Bellows& b) {
                     EXPECT_FLOAT_EQ(b.axialStiffness, 1.0e3f);
                     EXPECT_FLOAT_EQ(b.bendingStiffness, 2.0e3f);
                     EXPECT_FLOAT_EQ(b.torsionalStiffness, 3.0e3f);
                     EXPECT_FLOAT_EQ(b.lateralStiffness, 4.0e3f);
                     EXPECT_FLOAT_EQ(b.pressureThrustArea, 50.0f);
                     EXPECT_FLOAT_EQ(b.weight, 60.0f);
                     EXPECT_FLOAT_EQ(b.meanDiameter, 7.0f);
                   })});
  cases.push_back({"Slip joint", ElementType::SlipJoint, 16,
                   ByteEmitter().f32(100.0f).f32(200.0f).f32(30.0f).f32(40.0f).bytes(),
                   Expect<SlipJoint>([](const SlipJoint& s) {
                     EXPECT_FLOAT_EQ(s.frictionForce, 100.0f);
                     EXPECT_FLOAT_EQ(s.frictionTorque, 200.0f);
                     EXPECT_FLOAT_EQ(s.pressureThrustArea, 30.0f);
                     EXPECT_FLOAT_EQ(s.weight, 40.0f);
                   })});
  cases.push_back({"Hinge joint", ElementType::HingeJoint, 28,
                   ByteEmitter().f32(5.0e4f).f32(0.1f).f32(300.0f).f32(20.0f).f32(0.0f).f32(0.0f)
                       .f32(1.0f).bytes(),
                   Expect<HingeJoint>([](const HingeJoint& h) {
                     EXPECT_FLOAT_EQ(h.stiffness, 5.0e4f);
                     EXPECT_FLOAT_EQ(h.rotationLimit, 0.1f);
                     EXPECT_FLOAT_EQ(h.frictionTorque, 300.0f);
                     EXPECT_FLOAT_EQ(h.weight, 20.0f);
                     EXPECT_FLOAT_EQ(h.axis[2], 1.0f);
                   })});
  cases.push_back({"Ball joint", ElementType::BallJoint, 28,
                   ByteEmitter().f32(1.0f).f32(2.0f).f32(0.2f).f32(0.3f).f32(4.0f).f32(5.0f).f32(6.0f)
                       .bytes(),
                   Expect<BallJoint>([](const BallJoint& b) {
                     EXPECT_FLOAT_EQ(b.bendingStiffness, 1.0f);
                     EXPECT_FLOAT_EQ(b.torsionalStiffness, 2.0f);
                     EXPECT_FLOAT_EQ(b.bendingRotationLimit, 0.2f);
                     EXPECT_FLOAT_EQ(b.torsionalRotationLimit, 0.3f);
                     EXPECT_FLOAT_EQ(b.bendingFrictionTorque, 4.0f);
                     EXPECT_FLOAT_EQ(b.torsionalFrictionTorque, 5.0f);
                     EXPECT_FLOAT_EQ(b.weight, 6.0f);
                   })});
  cases.push_back({"Rigid element", ElementType::Rigid, 5, ByteEmitter().f32(75.0f).u8(1).bytes(),
                   Expect<RigidElement>([](const RigidElement& r) {
                     EXPECT_FLOAT_EQ(r.weight, 75.0f);
                     EXPECT_EQ(r.addCil, 1);
                   })});
  {
    ByteEmitter e;
    for (int i = 1; i <= 12; ++i) e.f32(static_cast<float>(i));
    cases.push_back({"Elastic element", ElementType::Elastic, 48, e.bytes(),
                     Expect<ElasticElement>([](const ElasticElement& el) {
                       EXPECT_FLOAT_EQ(el.kx, 1.0f);
                       EXPECT_FLOAT_EQ(el.kzz, 6.0f);
                       EXPECT_FLOAT_EQ(el.localX[0], 7.0f);
                       EXPECT_FLOAT_EQ(el.localX[2], 9.0f);
                       EXPECT_FLOAT_EQ(el.localY[0], 10.0f);
                       EXPECT_FLOAT_EQ(el.localY[2], 12.0f);
                     })});
  }
  cases.push_back({"Cut pipe", ElementType::CutPipe, 4, ByteEmitter().f32(-0.5f).bytes(),
                   Expect<CutPipe>([](const CutPipe& c) { EXPECT_FLOAT_EQ(c.cut, -0.5f); })});
  cases.push_back({"Comment", ElementType::Comment, 80,
                   ByteEmitter().text("Pump suction line, see drawing P-101", 80).bytes(),
                   Expect<CommentData>([](const CommentData& c) {
                     EXPECT_EQ(c.Text(), "Pump suction line, see drawing P-101");
                   })});
  cases.push_back({"Tie rod", ElementType::TieRod, 16,
                   ByteEmitter().f32(1.0e5f).f32(2.0e5f).f32(0.125f).f32(0.25f).bytes(),
                   Expect<TieRod>([](const TieRod& t) {
                     EXPECT_FLOAT_EQ(t.tensionStiffness, 1.0e5f);
                     EXPECT_FLOAT_EQ(t.compressionStiffness, 2.0e5f);
                     EXPECT_FLOAT_EQ(t.tensionGap, 0.125f);
                     EXPECT_FLOAT_EQ(t.compressionGap, 0.25f);
                   })});
  cases.push_back({"Hydrotest load", ElementType::HydrotestLoad, 9,
                   ByteEmitter().f32(1.02f).f32(450.0f).u8(1).bytes(),
                   Expect<HydrotestLoad>([](const HydrotestLoad& h) {
                     EXPECT_FLOAT_EQ(h.specificGravity, 1.02f);
                     EXPECT_FLOAT_EQ(h.pressure, 450.0f);
                     EXPECT_EQ(h.excludeInsulation, 1);
                   })});
  return cases;
}

TEST(ElementRecords, Version900RecordsReadIntoTheirFieldsAndWriteBackTheSameBytes) {
  for (const ElementCase& c : ElementCases()) {
    SCOPED_TRACE(c.kind);
    ASSERT_EQ(c.record.size(), c.size);
    auto object = CreateElementData(c.type);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(ReadKindRecord(*object, c.record), 0);
    c.expect(*object);
    EXPECT_EQ(WriteKindRecord(*object), c.record);
  }
}

TEST(ElementRecords, EveryShorterRecordIsRefusedAsDamaged) {
  for (const ElementCase& c : ElementCases()) {
    SCOPED_TRACE(c.kind);
    const std::string expected = std::string("The file is damaged.\n") + c.kind + ": the file ends early";
    for (std::size_t length = 0; length < c.record.size(); ++length) {
      auto object = CreateElementData(c.type);
      const Bytes prefix(c.record.begin(), c.record.begin() + static_cast<std::ptrdiff_t>(length));
      ASSERT_EQ(KindReadMessage(*object, prefix), expected) << "length " << length;
    }
  }
}

// Copies keep every input value; the kinds whose records also hold geometry
// of the made model are checked apart below.
TEST(ElementRecords, CopyCarriesTheWholeRecordOfKindsWithoutGeometry) {
  for (const ElementCase& c : ElementCases()) {
    if (c.type == ElementType::Bend || c.type == ElementType::Miter ||
        c.type == ElementType::JacketedBend || c.type == ElementType::JacketedPipe)
      continue;
    SCOPED_TRACE(c.kind);
    auto source = CreateElementData(c.type);
    ReadKindRecord(*source, c.record);
    auto copy = CreateElementData(c.type);
    copy->CopyFrom(*source);
    EXPECT_EQ(WriteKindRecord(*copy), c.record);
  }
}

TEST(ElementRecords, BendCopiesItsInputButNotTheGeometryOfTheMadeModel) {
  JacketedBend source;
  ReadKindRecord(source, ElementCases()[2].record);
  JacketedBend copy;
  copy.CopyFrom(source);
  EXPECT_FLOAT_EQ(copy.radius, 36.0f);
  EXPECT_EQ(copy.radiusType, kBendRadiusUser);
  EXPECT_EQ(copy.material, "A106B");
  EXPECT_FLOAT_EQ(copy.torsionSif, 1.125f);
  EXPECT_EQ(copy.intermediateNode2, 1046);
  EXPECT_FLOAT_EQ(copy.angle2, 1.0f);
  EXPECT_EQ(copy.jacketLoad, "JLOAD");
  EXPECT_FLOAT_EQ(copy.jacketRadius, 48.0f);
  EXPECT_EQ(copy.jacketRadiusType, kBendRadiusShort);
  // Made again with the model, or kept with the record only.
  EXPECT_EQ(copy.flangedEnds, 0);
  EXPECT_EQ(copy.BendGeometryValid, 0);
  EXPECT_FLOAT_EQ(copy.bendAngle, 0.0f);
  EXPECT_EQ(copy.farNode, 0);
  EXPECT_EQ(copy.jacketStartNode, 0);
  EXPECT_EQ(copy.jacketFarNode, 0);
  EXPECT_EQ(copy.jacketFlag, 0);

  JacketedPipe pipe;
  ReadKindRecord(pipe, ElementCases()[3].record);
  JacketedPipe pipeCopy;
  pipeCopy.CopyFrom(pipe);
  EXPECT_EQ(pipeCopy.jacketSection, "J8");
  EXPECT_EQ(pipeCopy.jacketStartNode, 0);
}

TEST(ElementRecords, NewObjectsHoldTheirKindsNewValues) {
  const Bend bend;
  EXPECT_FLOAT_EQ(bend.flexibilityFactor, -1.0f);
  EXPECT_FLOAT_EQ(bend.outPlaneFlexibilityFactor, -1.0f);
  EXPECT_EQ(bend.radiusType, kBendRadiusLong);
  const MiterBend miter;
  EXPECT_EQ(miter.radiusType, kBendRadiusUser);
  EXPECT_EQ(miter.spacing, kMiterClosely);
  const Valve valve;
  EXPECT_FLOAT_EQ(valve.thicknessMultiplier, 3.0f);
  EXPECT_FLOAT_EQ(valve.insulationWeightMultiplier, 1.75f);
  const HingeJoint hinge;
  EXPECT_FLOAT_EQ(hinge.rotationLimit, 1.0e30f);
  const BallJoint ball;
  EXPECT_FLOAT_EQ(ball.bendingRotationLimit, 1.0e30f);
  EXPECT_FLOAT_EQ(ball.torsionalRotationLimit, 1.0e30f);
  const CommentData comment;
  EXPECT_EQ(comment.Text(), "");
}

}  // namespace
