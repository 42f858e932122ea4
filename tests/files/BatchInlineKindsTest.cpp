// The in-line kinds in LAYOUT lines: a file with a valve, a reducer, rigid
// and elastic elements, a cut pipe, a miter, jacketed pipes and a jacketed
// bend with a spider and an end cap, a hydrotest load row and a comment,
// read field by field into the rows' elements and items and made into
// analysis elements; then every refusal of their keywords and of the
// checks that hold a line to the kind's dialog, with its whole message.
#include <gtest/gtest.h>

#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/Valve.h"
#include "files/BatchTesting.h"
#include "model/AnalysisElements.h"

namespace {

// Material A1, sections S1 (8.625 x 0.322), S2 (4.5 x 0.237) and S3
// (12.75 x 0.375), loads L1 and L2, and a first row from an anchor.
#define INLINE_PREFIX                                                                                   \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\nS1,8.625,0.322\n" \
  "S2,4.5,0.237\nS3,12.75,0.375\nLOADS\nL1,300,150\nL2,200,50\nLAYOUT\nF10,KA,MA1,PS1,CL=L1"

constexpr double kDegree = 3.14159265358979 / 180.0;

class BatchInlineKindsTest : public BatchFixture {
 protected:
  template <typename Kind>
  static const Kind& ElementAt(const Model& model, int row) {
    return dynamic_cast<const Kind&>(*model.row(row).element);
  }
};

TEST_F(BatchInlineKindsTest, EveryInlineKindIsReadIntoItsRow) {
  Model model;
  // Lengths in feet (the English length unit), sizes in inch.
  ASSERT_EQ(Import("Inline plant\n" INLINE_PREFIX
                   "\nT20,X5\n"
                   "T30,JV,X2,CVWGT=300,AWGT=150,OFFSET(0,18,2),THKF=2.5,INSF=1.5\n"
                   "T40,X4\n"
                   "T50,JD,X2,COD1=8.625,THK1=0.322,OD2=4.5,THK2=0.237,CONE=15\n"
                   "T60,PS2,X4\n"
                   "T70,JR,X2,CWGT=120\n"
                   "T80,X4\n"
                   "T90,JL,Z1,CTRAK(1000,0,RIGID),ROTK(5000,0,0),LXAX(0,0,2),LYAX(0,1,0)\n"
                   "T100,X4\n"
                   "T110,JC,X5,CLONG=0.5\n"
                   "T120,KM,B12,X5,CBTHK=0.3,BMAT=A1,FF=2.5,WS\n"
                   "T130,Z6\n"
                   "T140,JP,Z6,CJMAT=A1,JSEC=S3,JLOAD=L2\n"
                   "L140,CSPIDER\n"
                   "T150,JI,B20,Z6,CJMAT=A1,JSEC=S3,JLOAD=L2,JR=30,JTHK=0.4,BTHK=0.25,IN1(151,30)\n"
                   "T160,JP,Y6,CJMAT=A1,JSEC=S3,JLOAD=L2\n"
                   "L130,CJCAP\n"
                   "H,CHSG=1.2,HPRES=300\n"
                   "H\n"
                   "T170,Y5,KA\n"
                   "*Pump room\n",
                   model),
            "");
  // Row 1 is the title's comment.
  ASSERT_EQ(model.rowCount, 23);

  const auto& valve = ElementAt<Valve>(model, 4);
  EXPECT_EQ(std::vector<float>({valve.weight, valve.additionalWeight, valve.dx, valve.dy, valve.dz,
                                valve.thicknessMultiplier, valve.insulationWeightMultiplier}),
            std::vector<float>({300.0f, 150.0f, 0.0f, 18.0f, 2.0f, 2.5f, 1.5f}));
  const auto& reducer = ElementAt<Reducer>(model, 6);
  EXPECT_EQ(std::vector<float>({reducer.od1, reducer.thk1, reducer.od2, reducer.thk2}),
            std::vector<float>({8.625f, 0.322f, 4.5f, 0.237f}));
  EXPECT_NEAR(reducer.coneAngle, 15.0, 1e-4);  // kept in degrees
  EXPECT_EQ(model.row(7).section, "S2");
  EXPECT_EQ(ElementAt<RigidElement>(model, 8).weight, 120.0f);

  // 0 is no spring; RIGID the rigid one; 5000 in-lb/deg per radian.
  const auto& elastic = ElementAt<ElasticElement>(model, 10);
  EXPECT_EQ(std::vector<float>({elastic.kx, elastic.ky, elastic.kz, elastic.kyy, elastic.kzz}),
            std::vector<float>({1000.0f, 0.0f, 1.0e12f, 0.0f, 0.0f}));
  EXPECT_NEAR(elastic.kxx, 5000.0 / kDegree, 0.5);
  EXPECT_EQ(std::vector<float>({elastic.localX[2], elastic.localY[1]}), std::vector<float>({2.0f, 1.0f}));
  EXPECT_EQ(model.row(10).dz, 12.0f);

  EXPECT_EQ(ElementAt<CutPipe>(model, 12).cut, -0.5f);
  const auto& miter = ElementAt<MiterBend>(model, 13);
  EXPECT_EQ(std::vector<float>({miter.radius, miter.thickness, miter.flexibilityFactor}),
            std::vector<float>({12.0f, 0.3f, 2.5f}));
  EXPECT_EQ(miter.radiusType, kBendRadiusUser);
  EXPECT_EQ(miter.material, "A1");
  EXPECT_EQ(miter.spacing, kMiterWidely);

  const auto& jacket = ElementAt<JacketedPipe>(model, 15);
  EXPECT_EQ(jacket.jacketMaterial + jacket.jacketSection + jacket.jacketLoad, "A1S3L2");
  EXPECT_EQ(model.row(16).elementType, ElementType::Location);
  EXPECT_EQ(model.row(16).dataType, DataType::Spider);
  const auto& bend = ElementAt<JacketedBend>(model, 17);
  EXPECT_EQ(std::vector<float>({bend.radius, bend.thickness, bend.jacketRadius, bend.jacketThickness}),
            std::vector<float>({20.0f, 0.25f, 30.0f, 0.4f}));
  EXPECT_EQ(bend.radiusType, kBendRadiusUser);
  EXPECT_EQ(bend.jacketRadiusType, kBendRadiusUser);
  EXPECT_EQ(bend.jacketSection, "S3");
  EXPECT_EQ(bend.intermediateNode1, 151);
  EXPECT_NEAR(bend.angle1, 30.0 * kDegree, 1e-6);
  EXPECT_EQ(bend.jacketFlag, 2);
  EXPECT_EQ(model.row(19).dataType, DataType::JacketEndCap);

  // The hydrotest rows stand at no node; a pressure left out is not given.
  const auto& test = ElementAt<HydrotestLoad>(model, 20);
  EXPECT_EQ(model.row(20).node, 0);
  EXPECT_EQ(std::vector<float>({test.specificGravity, test.pressure}), std::vector<float>({1.2f, 300.0f}));
  EXPECT_EQ(ElementAt<HydrotestLoad>(model, 21).pressure, 1.0e-36f);
  EXPECT_EQ(model.row(23).element->Text(), "Pump room");

  // The model is made whole: the jacket's nodes, the bend's arcs and the
  // jacket connections become analysis elements.
  AnalysisElementList list;
  ASSERT_NO_THROW(GenerateAnalysisElements(model, list));
  EXPECT_EQ(list.hydrotestRow, 21);
  EXPECT_EQ(list.jacketCouplings.size(), 2u);
}

struct Refusal {
  const char* line;
  const char* message;
};

const Refusal kRefusals[] = {
    {"T20,X5,JV,CVWGT=X", "Invalid weight (VWGT) :  X"},
    {"T20,X5,JV,CAWGT=X", "Invalid additional weight (AWGT) :  X"},
    {"T20,X5,JV,COFFSET=5", "Invalid OFFSET : OFFSET=5\nDirectional entry such as OFFSET(0,18,0) is required"},
    {"T20,X5,JV,COFFSET(0,Q,0)", "Invalid Y offset :  Q"},
    {"T20,X5,JV,CTHKF=0.005", "Invalid thickness factor :  0.005"},
    {"T20,X5,JV,CINSF=0", "Invalid insulation weight factor :  0"},
    {"T20,X5,JR,CWGT=X", "Invalid weight (WGT) :  X"},
    {"T20,X5,JD,COD1=0", "Invalid OD1 :  0"},
    {"T20,X5,JD,CTHK2=-1", "Invalid THK2 :  -1"},
    {"T20,X5,JD,CCONE=-5", "Invalid Cone angle :  -5"},
    {"T20,X5,JD,COD1=8.625,THK1=0.322,OD2=4.5", "THK2 is required"},
    {"T20,X5,JD,COD1=8.625,THK1=5,OD2=4.5,THK2=0.2", "Thk1 > 0.5*OD1"},
    {"T20,X5,JL,CLXAX(0,0,0)", "0.0, 0.0, 0.0 is not a valid X direction"},
    {"T20,X5,JL,CLYAX(0,Q,1)", "Invalid yYcomp :  Q"},
    {"T20,X5,JL,CLXAX(1,0,0),LYAX(1,1,0)", "x and y axes are not perpendicular"},
    {"T20,X5,JC", "Cut (SHORT or LONG) is required"},
    {"T20,X5,JC,CSHORT=0", "Invalid Cut value :  0"},
    {"T20,X5,JC,CLONG=-1", "Invalid Cut value :  -1"},
    {"T20,X5,KM", "Miter bend radius (B) is required"},
    {"T20,X5,KM,B0.05", "Invalid bend radius (B) :  0.05"},
    {"T20,X5,KM,B6,CFY", "A bend row carries no data item\nUse Location (L) for additional items"},
    {"T20A,X5,JI,B6,CJMAT=A1,JSEC=S3,JLOAD=L1", "Bend node should not have a suffix"},
    {"T20,X5,JP,CJMAT=A1,JSEC=S3", "Jacket load (JLOAD) is required"},
    {"T20,X5,JP,CJMAT(A1)", "Invalid Jacket information :  JMAT(A1)"},
    {"T20,X5,JP,CJSEC=", "Reference cannot be NULL :  JSEC="},
    {"T20,X5,JP,CJLOAD=LOAD12", "Max char > 5  :  LOAD12"},
    {"T20,X5,JP,CJMAT=B2", "Jacket Material not defined :  B2"},
    {"T20,X5,JP,CJSEC=S9", "Jacket Section not defined :  S9"},
    {"T20,X5,JP,CJLOAD=L9", "Jacket Load not defined :  L9"},
    {"T20,X5,JP,CJMAT=A1,JSEC=S1,JLOAD=L1", "(Jacket I.D. - lining) < (core O.D. + insulation)"},
    // S3's own bore is 12; the bend's wall of 2.1 leaves 8.55 round the 8.625 core.
    {"T20,X5,JI,B12,CJMAT=A1,JSEC=S3,JLOAD=L1,JTHK=2.1", "(Jacket I.D. - lining) < (core O.D. + insulation)"},
    {"T20,X5,JI,B12,CJTHK=-1", "Invalid Jacket Thickness :  -1"},
    {"T20,X5,JI,B12,CJR=X", "Invalid Jacket Radius :  X"},
    {"T20,X5,JI,B12,CJR=0.05", "Invalid Jacket Radius :  0.05"},
    {"T20,X5,JI,B0.05,CJMAT=A1,JSEC=S3,JLOAD=L1", "Invalid bend radius (B) :  0.05"},
    {"T20,X5,KA,CSPIDER", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {"L10,CSPIDER,JCAP", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {"H,CHSG=-1", "Invalid specific gravity :  -1"},
    {"H,CHPRES=-5", "Invalid Hydrotest pressure :  -5"},
    {"H,CSPIDER", "A hydrotest load row takes no node, offset or data item"},
    {"T20,H", "A hydrotest load row takes no node, offset or data item"},
};

TEST_F(BatchInlineKindsTest, EveryRefusalOfTheInlineKindsNamesItsLine) {
  const std::string before = "Inline plant\n" INLINE_PREFIX "\n";
  const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  for (const Refusal& refusal : kRefusals) {
    Model model;
    EXPECT_EQ(Import(before + refusal.line + "\n", model), LineError(line, refusal.line, refusal.message));
  }
}

}  // namespace
