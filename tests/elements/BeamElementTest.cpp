// The beam element's record: 16 bytes, beta and the twelve release bytes in
// the order From Axial ... From Minor Shear, To Axial ... To Minor Shear.
#include <gtest/gtest.h>

#include <string>

#include "KindRecordTesting.h"
#include "elements/BeamElement.h"
#include "model/RowObjects.h"

namespace {

Bytes BeamRecord() {
  return ByteEmitter().f32(30.0f).u8(1).u8(0).u8(0).u8(1).u8(0).u8(0).u8(0).u8(0).u8(1).u8(0).u8(0).u8(1)
      .bytes();
}

TEST(BeamElement, RecordReadsIntoBetaAndTheReleasesOfBothEnds) {
  auto element = CreateElementData(ElementType::Beam);
  auto* beam = dynamic_cast<Beam*>(element.get());
  ASSERT_NE(beam, nullptr);
  EXPECT_FLOAT_EQ(beam->beta, 0.0f);
  for (auto release : beam->releases) EXPECT_EQ(release, 0);

  const Bytes record = BeamRecord();
  ASSERT_EQ(record.size(), 16u);
  EXPECT_EQ(ReadKindRecord(*beam, record, 500), 0);
  EXPECT_FLOAT_EQ(beam->beta, 30.0f);
  EXPECT_EQ(beam->releases[0], 1);   // From Axial
  EXPECT_EQ(beam->releases[3], 1);   // From Torsion
  EXPECT_EQ(beam->releases[8], 1);   // To Minor Bending
  EXPECT_EQ(beam->releases[11], 1);  // To Minor Shear
  EXPECT_EQ(beam->releases[6], 0);   // To Axial
  EXPECT_EQ(WriteKindRecord(*beam), record);

  Beam copy;
  copy.CopyFrom(*beam);
  EXPECT_EQ(WriteKindRecord(copy), record);
}

TEST(BeamElement, ShorterRecordsAreRefused) {
  const Bytes record = BeamRecord();
  for (std::size_t length = 0; length < record.size(); ++length) {
    Beam beam;
    const Bytes prefix(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(KindReadMessage(beam, prefix), "The file is damaged.\nBeam: the file ends early") << length;
  }
}

}  // namespace
