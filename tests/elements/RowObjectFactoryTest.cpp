// The factories: every ElementType 1 to 20 and DataType 1 to 21 gets an
// object of its own kind, whose new record has the length of the kind's
// field list (0 for the kinds without a record); None gets none.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "KindRecordTesting.h"
#include "elements/BallJoint.h"
#include "elements/BeamElement.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketEndCap.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/PipeData.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/Spider.h"
#include "elements/TieRod.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "supports/Anchor.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"
#include "supports/ThreadedJoint.h"

namespace {

struct Expected {
  const std::type_info& kind;
  std::size_t recordBytes;
};

TEST(RowObjectFactory, EveryElementTypeHasItsKindAndRecordLength) {
  // Lengths from the field lists: e.g. a bend is 2 floats, a 6-byte name,
  // 6 floats, 2 ints, 2 floats, 3 bytes, 4 floats and an int = 77.
  const Expected expected[] = {
      {typeid(ElementData), 0},   {typeid(ElementData), 0},    {typeid(PipeData), 0},
      {typeid(Bend), 77},         {typeid(MiterBend), 81},     {typeid(JacketedPipe), 26},
      {typeid(JacketedBend), 129}, {typeid(Valve), 36},        {typeid(Reducer), 25},
      {typeid(Bellows), 28},      {typeid(SlipJoint), 16},     {typeid(HingeJoint), 28},
      {typeid(BallJoint), 28},    {typeid(RigidElement), 5},   {typeid(ElasticElement), 48},
      {typeid(CutPipe), 4},       {typeid(Beam), 16},          {typeid(CommentData), 80},
      {typeid(TieRod), 16},       {typeid(HydrotestLoad), 9}};
  EXPECT_EQ(CreateElementData(ElementType::None), nullptr);
  for (int code = 1; code <= kElementTypeLast; ++code) {
    SCOPED_TRACE(code);
    const auto object = CreateElementData(static_cast<ElementType>(code));
    ASSERT_NE(object, nullptr);
    const auto& made = *object;
    EXPECT_TRUE(typeid(made) == expected[code - 1].kind);
    EXPECT_EQ(WriteKindRecord(*object).size(), expected[code - 1].recordBytes);
  }
}

TEST(RowObjectFactory, EveryDataTypeHasItsKindAndRecordLength) {
  const Expected expected[] = {
      {typeid(Anchor), 56},           {typeid(Restraint), 15},        {typeid(SkewedRestraint), 33},
      {typeid(Hanger), 42},           {typeid(Guide), 28},            {typeid(LimitStop), 44},
      {typeid(Nozzle), 79},           {typeid(Snubber), 28},          {typeid(Spider), 0},
      {typeid(JacketEndCap), 0},      {typeid(Flange), 16},           {typeid(BranchSif), 16},
      {typeid(UserSif), 16},          {typeid(Weld), 8},              {typeid(ThreadedJoint), 0},
      {typeid(NodalForce), 28},       {typeid(ConcentratedMass), 16}, {typeid(TimeVaryingLoad), 48},
      {typeid(HarmonicLoad), 20},     {typeid(ForceSpectrumLoad), 48}, {typeid(GenericSupport), 100}};
  EXPECT_EQ(CreateDataItem(DataType::None), nullptr);
  for (int code = 1; code <= kDataTypeLast; ++code) {
    SCOPED_TRACE(code);
    const auto item = CreateDataItem(static_cast<DataType>(code));
    ASSERT_NE(item, nullptr);
    const auto& made = *item;
    EXPECT_TRUE(typeid(made) == expected[code - 1].kind);
    EXPECT_EQ(WriteKindRecord(*item).size(), expected[code - 1].recordBytes);
  }
}

// What a kind does not hold it does not read: a row of such a kind takes no
// bytes of the file.
TEST(RowObjectFactory, KindsWithoutARecordReadNothing) {
  const Bytes bytes = ByteEmitter().i32(12345).bytes();
  for (DataType type : {DataType::Spider, DataType::JacketEndCap, DataType::ThreadedJoint}) {
    auto item = CreateDataItem(type);
    EXPECT_EQ(ReadKindRecord(*item, bytes), 4);
  }
  for (ElementType type : {ElementType::From, ElementType::Location, ElementType::Pipe}) {
    auto element = CreateElementData(type);
    EXPECT_EQ(ReadKindRecord(*element, bytes), 4);
  }
}

// Arbitrary bytes at arbitrary versions: every reader either reads or refuses
// with its message, and never reads past what it was given (the sanitizers
// watch the rest).
TEST(RowObjectFactory, ArbitraryBytesAreReadOrRefusedWithAMessage) {
  std::uint32_t state = 12345u;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  for (int round = 0; round < 20; ++round) {
    Bytes bytes(next() % 400);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(next());
    const int version = 500 + static_cast<int>(next() % 401);
    for (int code = 1; code <= kElementTypeLast; ++code) {
      auto element = CreateElementData(static_cast<ElementType>(code));
      const std::string message = KindReadMessage(*element, bytes, version);
      if (!message.empty()) {
        EXPECT_EQ(message.rfind("The file is damaged.\n", 0), 0u) << message;
      }
    }
    for (int code = 1; code <= kDataTypeLast; ++code) {
      auto item = CreateDataItem(static_cast<DataType>(code));
      const std::string message = KindReadMessage(*item, bytes, version);
      if (!message.empty()) {
        EXPECT_EQ(message.rfind("The file is damaged.\n", 0), 0u) << message;
      }
    }
  }
}

}  // namespace
