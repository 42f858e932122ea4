// The PCF export's unitless values: a friction coefficient below 0 (files
// of older versions hold them) is left out of its guide's or limit stop's
// attribute lines and the row is listed, as the batch export lists it; a
// friction of -0 is written as a friction of 0; a direction component below
// 0, a friction of 10 or more and a mill tolerance past its field are
// written with their decimals, never as "*****" or "-0.00". The support
// records are compared byte for byte with the lines the format gives.
#include <gtest/gtest.h>

#include "files/BatchTesting.h"
#include "files/PcfExport.h"
#include "model/RowObjects.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"

namespace {

// Inch lengths, Y vertical: nodes 20 and 30 are 100 and 200 inches along
// the model's X, the file's north, on a 6-inch line (NPS 6); a guide at 20,
// a +Y limit stop at 30 (the file's up), both rigid (no STIFF) and without
// a gap.
const char kPlant[] =
    "Friction plant\nOPTIONS\nB313,IN\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS6,6.625,0.28\n"
    "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS6,CL=L1\nT20,X100,CG,MU=0.3\nT30,X100,CLS(-1,1),DV(0,1,0),MU=0.2\n"
    "T40,X100\n";

class PcfExportWidthsTest : public BatchFixture {
 protected:
  void SetUp() override {
    BatchFixture::SetUp();
    ASSERT_EQ(Import(kPlant, model_), "");
    ASSERT_EQ(model_.rowCount, 5);
  }
  Guide& TheGuide() { return dynamic_cast<Guide&>(*model_.row(3).item); }
  LimitStop& TheStop() { return dynamic_cast<LimitStop&>(*model_.row(4).item); }

  std::string Export(std::vector<std::string>& leftOut) { return WritePcfText(model_, PcfUnits::Imperial, leftOut); }

  Model model_;
};

// The text of the SUPPORT record that starts with `coords`, up to the next
// record.
std::string SupportAt(const std::string& text, const std::string& coords) {
  const std::size_t at = text.find("SUPPORT\n" + coords);
  if (at == std::string::npos) return "<none>";
  std::size_t end = at + 8;
  while (end < text.size()) {
    const std::size_t next = text.find('\n', end);
    if (next == std::string::npos || next + 1 >= text.size() || text[next + 1] != ' ') {
      end = next == std::string::npos ? text.size() : next + 1;
      break;
    }
    end = next + 1;
  }
  return text.substr(at, end - at);
}

const std::string kGuideCoords = "    CO-ORDS 0.0000 100.0000 0.0000 6.0000\n";
const std::string kStopCoords = "    CO-ORDS 0.0000 200.0000 0.0000 6.0000\n";

std::string GuideRecord(const std::string& friction) {
  return "SUPPORT\n" + kGuideCoords +
         "    SKEY GUI \n"
         "    ITEM-CODE GUIDE\n"
         "    FABRICATION-ITEM\n" +
         (friction.empty() ? std::string() : "    COMPONENT-ATTRIBUTE1 " + friction + "\n") +
         "    COMPONENT-ATTRIBUTE2 Rigid\n"
         "    COMPONENT-ATTRIBUTE3 0.0000\n";
}

// A +Y stop with Y vertical is the file's up direction (LSZ).
std::string StopRecord(const std::string& key, const std::string& code, const std::string& friction) {
  return "SUPPORT\n" + kStopCoords + "    SKEY " + key + " \n    ITEM-CODE LS-" + code +
         "\n"
         "    FABRICATION-ITEM\n"
         "    COMPONENT-ATTRIBUTE1 1.0000\n"
         "    COMPONENT-ATTRIBUTE2 -1.0000\n"
         "    COMPONENT-ATTRIBUTE3 Rigid\n" +
         (friction.empty() ? std::string() : "    COMPONENT-ATTRIBUTE4 " + friction + "\n");
}

TEST_F(PcfExportWidthsTest, FrictionsAsTheyWereTyped) {
  std::vector<std::string> leftOut;
  const std::string text = Export(leftOut);
  EXPECT_EQ(SupportAt(text, kGuideCoords), GuideRecord("0.3"));
  EXPECT_EQ(SupportAt(text, kStopCoords), StopRecord("LSZ", "0.000-0.000-1.000", "0.20"));
  EXPECT_EQ(leftOut, std::vector<std::string>{});
}

TEST_F(PcfExportWidthsTest, ANegativeFrictionIsLeftOutAndItsRowListed) {
  TheGuide().frictionCoefficient = -0.45f;
  TheStop().frictionCoefficient = -0.45f;
  std::vector<std::string> leftOut;
  const std::string text = Export(leftOut);
  EXPECT_EQ(SupportAt(text, kGuideCoords), GuideRecord(""));
  EXPECT_EQ(SupportAt(text, kStopCoords), StopRecord("LSZ", "0.000-0.000-1.000", ""));
  EXPECT_EQ(text.find("*****"), std::string::npos) << text;
  EXPECT_EQ(leftOut, (std::vector<std::string>{"Row 3: the negative friction coefficient was not written",
                                               "Row 4: the negative friction coefficient was not written"}));
}

TEST_F(PcfExportWidthsTest, AFrictionOfMinusZeroIsAFrictionOfZero) {
  TheGuide().frictionCoefficient = -0.0f;
  TheStop().frictionCoefficient = -0.0f;
  std::vector<std::string> leftOut;
  const std::string text = Export(leftOut);
  EXPECT_EQ(SupportAt(text, kGuideCoords), GuideRecord("0.0"));
  EXPECT_EQ(SupportAt(text, kStopCoords), StopRecord("LSZ", "0.000-0.000-1.000", "0.00"));
  EXPECT_EQ(leftOut, std::vector<std::string>{});
}

// Values wider than the fields the format's writers once gave them.
TEST_F(PcfExportWidthsTest, WideValuesKeepTheirDecimals) {
  TheGuide().frictionCoefficient = 12.0f;
  TheStop().frictionCoefficient = 150.0f;
  TheStop().dirY = -1.0f;
  model_.sections[1].millTolerance = 112.5f;
  std::vector<std::string> leftOut;
  const std::string text = Export(leftOut);
  EXPECT_EQ(SupportAt(text, kGuideCoords), GuideRecord("12.0"));
  // -Y is down: no axis key, and the code carries the sign.
  EXPECT_EQ(SupportAt(text, kStopCoords), StopRecord("LIM", "0.000-0.000--1.000", "150.00"));
  EXPECT_NE(text.find("    COMPONENT-ATTRIBUTE4 112.50 \n"), std::string::npos) << text;
  EXPECT_EQ(text.find("*****"), std::string::npos) << text;
  EXPECT_EQ(leftOut, std::vector<std::string>{});
}

}  // namespace
