// The batch file writer: a model of every kind the batch grammar carries,
// imported, exported in the English, inch and SI sets and imported again,
// equals the original (its model file byte for byte in the English and
// inch sets, field by field in SI), and its second export is the first byte
// for byte; the edge lines (an empty model, names
// written where they change, a bend's item on a Location line, both pump
// nozzles, empty node fields, a rupture stress without a yield stress); the
// list of what the file cannot carry; every bend's radius with its kind and
// SIFs; write failures that leave no file; and the Layout window's Export to
// MBF command through its save dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "codes/CodeModel.h"
#include "codes/Sif.h"
#include "elements/BallJoint.h"
#include "elements/Bend.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/SlipJoint.h"
#include "files/AllKindsModel.h"
#include "files/AutoSaveTesting.h"
#include "files/BatchExport.h"
#include "files/BatchTesting.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/RowObjects.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "records/Spectrum.h"
#include "services/AppTesting.h"
#include "supports/Anchor.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"

namespace {

// Every section, and a row of every element and item kind the reader takes
// (a bend of the long radius, without B, last).
const char* const kEveryKind =
    "Round trip plant\n"
    "OPTIONS\nB313\n"
    "MATERIAL\nA1,0.283,0.3,0.85,0.9,CS,CARBON STEEL\nA1,70,29.5E6,6.07E-6,20000,35000\n"
    "A1,700,25.5E6,7.44E-6,16500,,12000\nA2,0.29\nA2,70,28E6,9E-6,18000\n"
    "SOILS\nSL1,0,0.07,-36,30,2\nSL2,1,0.065,-24,800\n"
    "PIPE\nS1,8.625,0.322,0.05,12.5,0.0064,2\nS2,12.75,0.375,0,12.5,0,0,0,0,SL1\nS3,4.5,0.237\n"
    "S4,16,0.375,0,12.5,0.0064,1,0.03,0.25\n"
    "LOADS\nL1,300,150,1,200,100,120,50,5\nL2,150,0,0\n"
    "BMATERIALS\nBM1,29E6,0.3,0.283,6.5E-6\n"
    "BSECTIONS\nW8,10,100,30,1,5,3,8,6\n"
    "BLOADS\nBL1,300,200,100,10\n"
    "LAYOUT\n"
    "F10,KA,MA1,PS1,CL=L1,TRAK(1000,RIGID,2000),DIS(0.1,0,-0.2),ROT(0.5,0,0),SETT(0,-0.5,0),FREEXX\n"
    "T20,X10,CFIXD(1,0,1)\n"
    "T30,KI,B12,Z-5,CBTHK=0.5,BMAT=A2,FF=2.5,IN1(25,30),BSIF(1.5,2)\n"
    "L30,KA\n"
    "T40,Z-10,CG,MU=0.3,STIFF=5000,GGAP=0.125\n"
    "T50,JV,X3,CVWGT=500,AWGT=100,OFFSET(0,12,0),THKF=2.5,INSF=1.5\n"
    "T60,X2,JD,CL=L2,OD1=8.625,THK1=0.322,OD2=4.5,THK2=0.237,CONE=15\n"
    "T70,X4,PS3,CLS(-0.5,None),DV(1,0,0),MU=0.2\n"
    "T80,X5,CK=20000,DV(0,1,1)\n"
    "T90,X5,CSNUBBER,STIFF=1E6,DV(0,0,1)\n"
    "T100,X5,KE,CCRTCH=1.5\n"
    "T110,X5,CFOR(100,-200,300),MOM(10,20,0)\n"
    "T120,X5,CFRE=12.5,PH=30,FOR(0,50,0)\n"
    "T130,JR,X2,CWGT=250\n"
    "T140,JL,X0.5,CTRAK(1E5,2E5,3E5),ROTK(1E6,0,0),LXAX(1,0,0),LYAX(0,0,1)\n"
    "T150,JC,X5,CLONG=2\n"
    "T160,KM,B20,X5,Y5,CBTHK=0.4,FF=1.5,WS\n"
    "T170,X5,KF,CPAD=0.25\n"
    "T180*,X50,Y5,Z-20\n"
    "*A comment in row 19\n"
    "H,CHSG=1.1,HPRES=300\n"
    "F200,PS1,MA1\n"
    "T210,JP,X10,CJMAT=A1,JSEC=S4,JLOAD=L1,JCAP\n"
    "T220,JI,B30,Y10,CJMAT=A1,JSEC=S4,JLOAD=L1,JTHK=0.4,JR=32\n"
    "T230,X10,CSPIDER\n"
    "F300\n"
    "T310,JM,Y10,CMAT=BM1,SEC=W8,LOAD=BL1,BETA=45\n"
    "T320,X10,PS3\n"
    "T330,X5,JE,CES(1000,2000,3000),BK=500,TA=12.5,WGT=40\n"
    "T340,X5,JS,CFFOR=100,FTOR=200,TA=10,WGT=30\n"
    "T350,KH,CHS=1000,RLIM=15,FTOR=50,WGT=20,DV(0,0,1)\n"
    "T360,JB,CRK(1000,2000),ROTL(NONE,10),FRCT(5,6),WGT=15\n"
    "T370,X5,JT,CKTIE(5000,0),GAP(0.125,0.25)\n"
    "T380,X5,CRH=2,CNOD=10\n"
    "T390,X5,CUS(2,500,1200),CLD=1\n"
    "T400,X5,CVS=3,HTYP=5,SR,MLV=10\n"
    "T410,X5,CCS\n"
    "T420,X50,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,L2=5,E=29E6,DV(0,1,0)\n"
    "T425,X50,CNOZZLE=650,RPAD=1,NOD=8,NTHK=0.5,VOD=800,VTHK=1,L1=0.8,E=29E6,DV(0,1,0)\n"
    "T430,X5,CFLANGE=SO,WGT=80,GDIA=9.5,AP=600\n"
    "T440,X5,CSIF(1.5,2.25)\n"
    "T445,X5,CSIF=1.75\n"
    "T450,X5,CWTYPE=4,DELTA=0.0625\n"
    "T460,X5,CTJOINT\n"
    "T470,X5,CCWGT=150,OFFSET(1,2,3)\n"
    "T480,KI,X5\nT490,Y5\n"
    "PUMPS\nP-101 FEED,1,10,20\nP-2,0,1,0,0,10,-20,5,40,2,50,1\nP-3,0,0,0,1,5,5,5,,,60\n"
    "COMPRESSORS\nK-1,0,1,0,100,,120\n"
    "TURBINES\nT-1,1,0,0,,,,130\n"
    "ALLOW\n55,1000,1100,1200,2000,2100,2200\n"
    "SEISMIC\n0.1,0.25,0\n"
    "WIND\n60,0.7,1,0,0\n";

class BatchExportTest : public BatchFixture {
 protected:
  void TearDown() override {
    unsetenv("EXPORT_INCHES");
    BatchFixture::TearDown();
  }

  // The model file of `model`, as bytes.
  static std::string ModelBytes(const Model& model) {
    const std::string path = ::testing::TempDir() + "/round-trip.mod";
    EXPECT_EQ(WriteModelFileFrom(model, path), "");
    std::ifstream input(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }

  static std::string Export(const Model& model, BatchExportUnits units, std::vector<std::string>* leftOut = nullptr) {
    std::vector<std::string> list;
    const std::string text = WriteModelBatchText(model, units, list);
    if (leftOut != nullptr) *leftOut = list;
    return text;
  }
};

// Every line of `text` as a list.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream input(text);
  for (std::string line; std::getline(input, line);) lines.push_back(line);
  return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
  for (const std::string& each : Lines(text))
    if (each == line) return true;
  return false;
}

TEST_F(BatchExportTest, AModelOfEveryCarriedKindSurvivesTheRoundTripInEachUnitSet) {
  Model original;
  ASSERT_EQ(Import(kEveryKind, original), "");
  for (const BatchExportUnits units : {BatchExportUnits::English, BatchExportUnits::Inch, BatchExportUnits::Si}) {
    SCOPED_TRACE(static_cast<int>(units));
    std::vector<std::string> leftOut;
    g_UnitsSettings.unit[kUnitLength] = kLengthMetre;
    const std::string first = Export(original, units, &leftOut);
    // The user's units are back after the export.
    EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthMetre);
    EXPECT_EQ(ApartFromUnits(leftOut), std::vector<std::string>{});
    Model again;
    ASSERT_EQ(Import(first, again), "") << first;
    const std::string second = Export(again, units);
    EXPECT_EQ(second, first);
    // In the English and inch sets every carried value reads back as it
    // was: the two models' files are the same bytes. SI texts round (6
    // digits, converted units), so there the fields are compared below.
    // The units the file names become the model's display units, which
    // are the export's choice, not the model's content.
    if (units != BatchExportUnits::Si) {
      const auto choices = again.unitChoices;
      again.unitChoices = original.unitChoices;
      EXPECT_TRUE(ModelBytes(again) == ModelBytes(original));
      again.unitChoices = choices;
    }

    // Counts and names are exact in every set.
    ASSERT_EQ(again.rowCount, original.rowCount);
    EXPECT_EQ(again.title, original.title);
    EXPECT_EQ(again.options.PipingCode, original.options.PipingCode);
    EXPECT_EQ(again.materials.count, 2);
    EXPECT_EQ(again.materials[1].numtemps, 2);
    EXPECT_EQ(again.materials[1].description, "CARBON STEEL");
    EXPECT_EQ(again.materials[1].type, "CS");
    EXPECT_EQ(again.materials[1].temps[2].values[kMatYield], 0.0f);
    EXPECT_NEAR(again.materials[1].temps[2].values[kMatRupture], 12000.0f, 0.5f);
    EXPECT_EQ(again.soils.count, 2);
    EXPECT_EQ(again.sections.count, 4);
    EXPECT_EQ(again.sections[2].soil, "SL1");
    EXPECT_EQ(again.pipeLoads.count, 2);
    EXPECT_EQ(again.beamMaterials.count, 1);
    EXPECT_EQ(again.beamSections.count, 1);
    EXPECT_EQ(again.beamLoads.count, 1);
    EXPECT_EQ(again.pumps.count, 3);
    EXPECT_EQ(again.compressors.count, 1);
    EXPECT_EQ(again.turbines.count, 1);
    EXPECT_EQ(again.allowables.count, 1);
    for (int number = 1; number <= original.rowCount; ++number) {
      SCOPED_TRACE(number);
      const LayoutRow& a = original.row(number);
      const LayoutRow& b = again.row(number);
      EXPECT_EQ(b.node, a.node);
      EXPECT_EQ(b.elementType, a.elementType);
      EXPECT_EQ(b.dataType, a.dataType);
      EXPECT_EQ(b.absolute, a.absolute);
      EXPECT_EQ(b.material, a.material);
      EXPECT_EQ(b.section, a.section);
      EXPECT_EQ(b.load, a.load);
      // Offsets as the length texts hold them: feet-inch texts to 1/16 in
      // at worst, inch texts to 4 decimals, mm to 6 digits.
      EXPECT_NEAR(b.dx, a.dx, 0.07f);
      EXPECT_NEAR(b.dy, a.dy, 0.07f);
      EXPECT_NEAR(b.dz, a.dz, 0.07f);
    }
    // The anchor on the bend's node comes back on its Location line.
    EXPECT_EQ(again.row(4).elementType, ElementType::Bend);
    EXPECT_EQ(again.row(5).elementType, ElementType::Location);
    EXPECT_EQ(again.row(5).dataType, DataType::Anchor);
    const auto& bend = static_cast<const Bend&>(*again.row(4).element);
    EXPECT_FLOAT_EQ(bend.inPlaneSif, 1.5f);
    EXPECT_FLOAT_EQ(bend.outPlaneSif, 2.0f);
    EXPECT_EQ(bend.material, "A2");
    EXPECT_EQ(bend.intermediateNode1, 25);
    EXPECT_NEAR(bend.angle1, 30.0 / 57.29577951308232, 1e-5);
    // Pumps keep both nozzles; empty node fields stay empty.
    EXPECT_EQ(again.pumps[1].suctionNode, 10);
    EXPECT_EQ(again.pumps[1].dischargeNode, 20);
    EXPECT_EQ(again.pumps[2].suctionLocation, 2);
    EXPECT_EQ(again.pumps[2].dischargeLocation, 1);
    EXPECT_EQ(again.pumps[3].suctionNode, 0);
    EXPECT_EQ(again.pumps[3].dischargeNode, 60);
    EXPECT_EQ(again.compressors[1].exhaustNode, 0);
    EXPECT_EQ(again.compressors[1].extractionNode1, 120);
    EXPECT_EQ(again.turbines[1].extractionNode2, 130);
    EXPECT_EQ(again.allowables[1].node, 55);
    EXPECT_NEAR(again.allowables[1].values[5], 2200.0f * 12, 2.0f);  // ft-lb held as in-lb
    EXPECT_FLOAT_EQ(again.seismic.g[1], 0.25f);
    ASSERT_EQ(again.wind.loads[0].velocityProfile.size(), 1u);
    EXPECT_NEAR(again.wind.loads[0].velocityProfile[0].value, 60.0f, 0.01f);
  }
}

TEST_F(BatchExportTest, TheJointKindsHangersAndNozzlesKeepEveryFieldInSi) {
  Model original;
  ASSERT_EQ(Import(kEveryKind, original), "");
  const std::string first = Export(original, BatchExportUnits::Si);
  Model again;
  ASSERT_EQ(Import(first, again), "") << first;
  EXPECT_EQ(Export(again, BatchExportUnits::Si), first);
  ASSERT_EQ(again.rowCount, original.rowCount);
  // Every float of the record, through the model file's own order: the
  // records' bytes are compared as numbers within the SI texts' 6 digits.
  for (int number = 1; number <= original.rowCount; ++number) {
    SCOPED_TRACE(number);
    const LayoutRow& a = original.row(number);
    const LayoutRow& b = again.row(number);
    if (const auto* h = dynamic_cast<const HingeJoint*>(a.element.get())) {
      const auto& g = static_cast<const HingeJoint&>(*b.element);
      EXPECT_NEAR(g.stiffness, h->stiffness, 1e-4f * h->stiffness);
      EXPECT_NEAR(g.rotationLimit, h->rotationLimit, 1e-5f);
      // SI moments are written in whole N-m.
      EXPECT_NEAR(g.frictionTorque, h->frictionTorque, 0.5f * 8.8507f);
      EXPECT_NEAR(g.weight, h->weight, 1e-4f * h->weight);
      for (std::size_t i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(g.axis[i], h->axis[i]);
    }
    if (const auto* n = dynamic_cast<const Nozzle*>(a.item.get())) {
      const auto& m = static_cast<const Nozzle&>(*b.item);
      EXPECT_EQ(m.flatBottom, n->flatBottom);
      EXPECT_EQ(m.reinforcingPad, n->reinforcingPad);
      EXPECT_NEAR(m.nozzleOd, n->nozzleOd, 5e-4f);
      EXPECT_NEAR(m.vesselOd, n->vesselOd, 1e-3f);
      EXPECT_NEAR(m.l1, n->l1, 1e-3f);
      EXPECT_NEAR(m.elasticModulus, n->elasticModulus, 1e-4f * n->elasticModulus);
      // The springs are the reader's own, from the same geometry.
      EXPECT_NEAR(m.axialStiffness, n->axialStiffness, 1e-3f * n->axialStiffness);
    }
    if (const auto* h = dynamic_cast<const Hanger*>(a.item.get())) {
      const auto& g = static_cast<const Hanger&>(*b.item);
      EXPECT_EQ(g.kind, h->kind);
      EXPECT_EQ(g.numberOfHangers, h->numberOfHangers);
      EXPECT_EQ(g.connectedNode, h->connectedNode);
      EXPECT_EQ(g.loadType, h->loadType);
      EXPECT_EQ(g.shortRange, h->shortRange);
      EXPECT_EQ(g.maximumLoadVariation, h->maximumLoadVariation);
      EXPECT_NEAR(g.springRate, h->springRate, 1e-4f * h->springRate);
      EXPECT_NEAR(g.load, h->load, 1e-4f * h->load);
    }
  }
}

TEST_F(BatchExportTest, AHingeJointsItemAndAWeighingElementsFlangeGoOnLocationLinesOfTheirOwn) {
  const std::string head =
      "Joints\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6E-6,20000\nPIPE\nS1,8.625,0.322\nLAYOUT\n"
      "F10,MA1,PS1\nT20,X5\nT30,KH,CHS=1000,DV(0,0,1)\n";
  Model expected;
  ASSERT_EQ(Import(head + "L30,CRH\nT40,JR,X2,CWGT=250\nL40,CFLANGE=DW,WGT=80\n", expected), "");
  // The same items held by the element rows themselves.
  Model model;
  ASSERT_EQ(Import(head + "T40,JR,X2,CWGT=250\n", model), "");
  ASSERT_EQ(model.rowCount, 4);
  LayoutRow& hinge = model.row(3);
  ASSERT_EQ(hinge.elementType, ElementType::HingeJoint);
  hinge.dataType = DataType::Hanger;
  hinge.item = CreateDataItem(DataType::Hanger);
  static_cast<Hanger&>(*hinge.item).kind = kRodHanger;
  LayoutRow& rigid = model.row(4);
  ASSERT_EQ(rigid.elementType, ElementType::Rigid);
  rigid.dataType = DataType::Flange;
  rigid.item = CreateDataItem(DataType::Flange);
  static_cast<Flange&>(*rigid.item).type = 2;
  static_cast<Flange&>(*rigid.item).weight = 80.0f;
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  EXPECT_EQ(leftOut, std::vector<std::string>{});
  for (const std::string& line : Lines(text))
    if (line.rfind("T30,", 0) == 0) {
      EXPECT_EQ(line.find("RH"), std::string::npos) << line;
    }
  EXPECT_TRUE(HasLine(text, "L30,CRH=1")) << text;
  EXPECT_TRUE(HasLine(text, "L40,CFLANGE=DW,WGT=80")) << text;
  // Written as the model with the Location rows would be, and read back as it.
  EXPECT_EQ(text, Export(expected, BatchExportUnits::English));
  Model again;
  ASSERT_EQ(Import(text, again), "") << text;
  EXPECT_TRUE(ModelBytes(again) == ModelBytes(expected));
}

// An anchor on an elastic element's row: TRAK and ROTK are the springs of
// both, so the anchor goes on a Location line of its own, and each comes
// back with its own springs (the elastic element's, the anchor rigid but in
// Y).
TEST_F(BatchExportTest, AnElasticElementsAnchorGoesOnALocationLineOfItsOwn) {
  const std::string head =
      "Springs\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6E-6,20000\nPIPE\nS1,8.625,0.322\nLAYOUT\n"
      "F10,MA1,PS1\nT20,X5\nT30,JL,CTRAK(1000,2000,3000),ROTK(4000,0,0)\n";
  Model expected;
  ASSERT_EQ(Import(head + "L30,KA,CTRAK(RIGID,500,RIGID)\n", expected), "");
  Model model;
  ASSERT_EQ(Import(head, model), "");
  LayoutRow& elastic = model.row(4);
  ASSERT_EQ(elastic.elementType, ElementType::Elastic);
  elastic.dataType = DataType::Anchor;
  elastic.item = CreateDataItem(DataType::Anchor);
  auto& anchor = static_cast<Anchor&>(*elastic.item);
  anchor.stiffness = {1.0e12f, 500.0f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f};
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  EXPECT_EQ(leftOut, std::vector<std::string>{});
  EXPECT_TRUE(HasLine(text, "L30,KA,CTRAK(Rigid,500,Rigid)")) << text;
  EXPECT_EQ(text, Export(expected, BatchExportUnits::English));
  Model again;
  ASSERT_EQ(Import(text, again), "") << text;
  EXPECT_TRUE(ModelBytes(again) == ModelBytes(expected));
  const auto& springs = static_cast<const ElasticElement&>(*again.row(4).element);
  EXPECT_EQ(std::vector<float>({springs.kx, springs.ky, springs.kz}), std::vector<float>({1000.0f, 2000.0f, 3000.0f}));
  // The Location line is how the row's own item is written: the anchor
  // comes back on the elastic element's row.
  ASSERT_EQ(again.rowCount, 4);
  const auto& held = static_cast<const Anchor&>(*again.row(4).item);
  EXPECT_EQ(held.stiffness[0], 1.0e12f);
  EXPECT_EQ(held.stiffness[1], 500.0f);
}

TEST_F(BatchExportTest, TheLinesTheWriterChooses) {
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Import(kEveryKind, model, &log), "");
  EXPECT_EQ(log, std::vector<std::string>{});
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  const std::vector<std::string> lines = Lines(text);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Round trip plant");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "OPTIONS");
  EXPECT_EQ(lines[3], "HGRA,B313");
  // The title comment of row 1 is not written again; a later comment is.
  EXPECT_TRUE(HasLine(text, "*A comment in row 19"));
  // Names where they change only; the bend row without its item, which a
  // Location line at its node carries.
  EXPECT_TRUE(HasLine(text, "T20,MA1,PS1,X10'0\",CL=L1,FIXD(1,0,1)")) << text;
  EXPECT_TRUE(HasLine(text, "L30,KA"));
  EXPECT_TRUE(HasLine(text, "T30,KI,B12,Z-5'0\",CBTHK=0.5,BMAT=A2,FF=2.5000,IN1(25,30.0000),BSIF(1.500,2.000)"));
  // The pipe load comes before the element's attributes.
  EXPECT_TRUE(HasLine(text, "T60,JD,X2'0\",CL=L2,OD1=8.625,THK1=0.322,OD2=4.5,THK2=0.237,CONE=15.0000"));
  EXPECT_TRUE(HasLine(text, "P-101 FEED,1,10,20"));
  EXPECT_TRUE(HasLine(text, "K-1,0.0000,1.0000,0.0000,100,,120"));
  EXPECT_TRUE(HasLine(text, "T-1,1.0000,0.0000,0.0000,,,,130"));
  EXPECT_TRUE(HasLine(text, "A1,700,25.5E+6,7.44E-6,16500,,12000")) << text;
  EXPECT_TRUE(HasLine(text, "T150,JC,X5'0\",CLONG=2")) << text;
  EXPECT_TRUE(HasLine(text, "ALLOW"));
  EXPECT_TRUE(HasLine(text, "SEISMIC"));
  EXPECT_TRUE(HasLine(text, "0.10,0.25,0.00"));
  // The carried model leaves nothing out.
  EXPECT_EQ(leftOut, std::vector<std::string>{});
}

TEST_F(BatchExportTest, AnEmptyModelGivesTheSectionsAlwaysWritten) {
  Model model;
  ASSERT_EQ(Import("Empty\nOPTIONS\n", model), "");
  const std::string text = Export(model, BatchExportUnits::English);
  EXPECT_EQ(text, "Empty\n\nOPTIONS\nHGRA,B313\nMATERIAL\nPIPE\nLAYOUT\n");
  g_UnitsSettings.unit[kUnitLength] = kLengthMetre;
  EXPECT_EQ(ChooseBatchExportUnits(), BatchExportUnits::Si);
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  EXPECT_EQ(ChooseBatchExportUnits(), BatchExportUnits::English);
  setenv("EXPORT_INCHES", "", 1);
  EXPECT_EQ(ChooseBatchExportUnits(), BatchExportUnits::Inch);
  EXPECT_EQ(Export(model, BatchExportUnits::Inch), "Empty\n\nOPTIONS\nHGRA,B313,IN\nMATERIAL\nPIPE\nLAYOUT\n");
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthInch);
}

TEST_F(BatchExportTest, WhatTheFileCannotCarryIsListedByRow) {
  // The model holds a row of every kind, with records the dialogs would not
  // leave (a reducer without diameters, jackets without names, a pump at
  // the origin): each is named, and the rest is written.
  Model model;
  BuildAllKindsModel(model);
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  auto named = [&leftOut](int number) {
    for (const std::string& line : leftOut)
      if (line.rfind("Row " + std::to_string(number) + ": ", 0) == 0) return true;
    return false;
  };
  int kindsNamed = 0;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    switch (row.dataType) {
      case DataType::TimeVaryingLoad:
      case DataType::ForceSpectrumLoad:
      case DataType::GenericSupport:
        EXPECT_TRUE(named(number)) << number;
        ++kindsNamed;
        break;
      default: break;
    }
  }
  EXPECT_EQ(kindsNamed, 3);
  // The joint kinds, hangers, nozzles, flanges, SIFs, welds, threaded joints
  // and masses all have writers now.
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    const bool carried = row.dataType == DataType::Hanger || row.dataType == DataType::Nozzle ||
                         row.dataType == DataType::Flange || row.dataType == DataType::UserSif ||
                         row.dataType == DataType::Weld || row.dataType == DataType::ThreadedJoint ||
                         row.dataType == DataType::ConcentratedMass || row.elementType == ElementType::Bellows ||
                         row.elementType == ElementType::SlipJoint || row.elementType == ElementType::HingeJoint ||
                         row.elementType == ElementType::BallJoint || row.elementType == ElementType::TieRod;
    if (!carried) continue;
    for (const std::string& line : leftOut) {
      if (line.rfind("Row " + std::to_string(number) + ": ", 0) == 0) {
        EXPECT_EQ(line.find("does not carry it"), std::string::npos) << line;
      }
    }
  }
  EXPECT_NE(std::find(leftOut.begin(), leftOut.end(),
                      "Pump P-101: the pump centre is at the origin, which the batch file refuses; the pump was not "
                      "written"),
            leftOut.end());
  EXPECT_EQ(text.find("P-101"), std::string::npos);
  // No value that is not a number reaches the file.
  for (const char* bad : {"nan", "NAN", "inf", "INF"}) EXPECT_EQ(text.find(bad), std::string::npos) << bad;
}

TEST_F(BatchExportTest, TheSpectrumLoadRidesOnTheFirstLayoutLine) {
  Model model;
  ASSERT_EQ(Import("T\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6E-6,20000\nPIPE\nS1,8.625,0.322\nLAYOUT\nF10,MA1,PS1\n"
                   "T20,X5\n",
                   model),
            "");
  SetDirectionSpectrum(model.spectrumLoad, 0, "ELC-1940", 0.5f);
  SetDirectionSpectrum(model.spectrumLoad, 2, "El Centro", 1.0f);
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  EXPECT_TRUE(HasLine(text, "F10,CSPECX=ELC-1940,FACX=0.5000")) << text;
  EXPECT_EQ(leftOut, std::vector<std::string>{"Row 2: the Z spectrum of the spectrum load, El Centro, has a name the "
                                              "batch file cannot carry; it was not written"});
  Model again;
  std::vector<std::string> log;
  ASSERT_EQ(Import(text, again, &log), "");
  EXPECT_EQ(again.spectrumLoad.name[0], "ELC-1940");
  EXPECT_FLOAT_EQ(again.spectrumLoad.factor[0], 0.5f);
  EXPECT_EQ(again.spectrumLoad.name[2], "");
  EXPECT_EQ(log.size(), 1u);  // the spectrum itself is not in a batch file
}

TEST_F(BatchExportTest, ALimitStopWithoutLimitsIsListedNotWritten) {
  Model model;
  ASSERT_EQ(Import("T\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6E-6,20000\nPIPE\nS1,8.625,0.322\nLAYOUT\nF10,MA1,PS1\n"
                   "T20,X5,CLS(-1,1)\n",
                   model),
            "");
  auto& stop = static_cast<LimitStop&>(*model.row(3).item);
  stop.lowerLimit = -1.0e30f;
  stop.upperLimit = 1.0e30f;
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  EXPECT_TRUE(HasLine(text, "T20,MA1,PS1,X5'0\"")) << text;
  ASSERT_EQ(leftOut.size(), 1u);
  EXPECT_EQ(leftOut[0], "Row 3: the limit stop has no limits, which the batch file refuses; it was not written");
  Model again;
  EXPECT_EQ(Import(text, again), "");
}

// Every force and moment of a model, in row order, then the allowable
// loads': (value, whether it is a moment).
std::vector<std::pair<float, bool>> ForcesAndMoments(const Model& model) {
  std::vector<std::pair<float, bool>> values;
  auto add = [&values](std::initializer_list<float> list, bool moment) {
    for (float value : list) values.emplace_back(value, moment);
  };
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (const auto* f = dynamic_cast<const NodalForce*>(row.item.get())) {
      add({f->FX, f->FY, f->FZ}, false);
      add({f->MX, f->MY, f->MZ}, true);
    }
    if (const auto* h = dynamic_cast<const HarmonicLoad*>(row.item.get())) add({h->FX, h->FY, h->FZ}, false);
    if (const auto* h = dynamic_cast<const Hanger*>(row.item.get()); h != nullptr && h->kind == kUserHanger)
      add({h->load}, false);
    if (const auto* j = dynamic_cast<const SlipJoint*>(row.element.get())) {
      add({j->frictionForce}, false);
      add({j->frictionTorque}, true);
    }
    if (const auto* j = dynamic_cast<const HingeJoint*>(row.element.get())) add({j->frictionTorque}, true);
    if (const auto* j = dynamic_cast<const BallJoint*>(row.element.get()))
      add({j->bendingFrictionTorque, j->torsionalFrictionTorque}, true);
  }
  for (int i = 1; i <= model.allowables.count; ++i) {
    const auto& v = model.allowables[i].values;
    add({v[0], v[1], v[2]}, false);
    add({v[3], v[4], v[5]}, true);
  }
  return values;
}

LayoutRow& RowAt(Model& model, NodeId node) {
  for (int number = 1; number <= model.rowCount; ++number)
    if (model.row(number).node == node && model.row(number).elementType != ElementType::Location)
      return model.row(number);
  ADD_FAILURE() << "no row at node " << node;
  return model.row(1);
}

// Forces and moments keep their two decimals where those read back as the
// value (1.4, -2.6 and 100.25 lb, 6 in-lb as 0.50 ft-lb) and take the digits
// they need where not (4 and 5 in-lb are no 0.33 and 0.42 ft-lb), in the
// ALLOW section too: every force and moment reads back as itself, but for
// a float's last digit, in the English and the SI set.
TEST_F(BatchExportTest, ForcesAndMomentsReadBackAsThemselves) {
  Model model;
  ASSERT_EQ(Import(kEveryKind, model), "");
  auto& force = dynamic_cast<NodalForce&>(*RowAt(model, 110).item);
  force.FX = 1.4f, force.FY = -2.6f, force.FZ = 100.25f;
  force.MX = 4.0f, force.MY = 5.0f, force.MZ = 6.0f;  // in-lb
  auto& harmonic = dynamic_cast<HarmonicLoad&>(*RowAt(model, 120).item);
  harmonic.FX = 0.6f, harmonic.FY = 50.25f, harmonic.FZ = -3.3f;
  auto& slip = dynamic_cast<SlipJoint&>(*RowAt(model, 340).element);
  slip.frictionForce = 12.34f, slip.frictionTorque = 7.0f;
  dynamic_cast<HingeJoint&>(*RowAt(model, 350).element).frictionTorque = 9.0f;
  auto& ball = dynamic_cast<BallJoint&>(*RowAt(model, 360).element);
  ball.bendingFrictionTorque = 5.0f, ball.torsionalFrictionTorque = 6.5f;
  dynamic_cast<Hanger&>(*RowAt(model, 390).item).load = 1200.37f;
  model.allowables[1].values = {1000.5f, -1100.25f, 1200.75f, 2004.0f, 2106.0f, 6.0f};

  const std::string english = Export(model, BatchExportUnits::English);
  EXPECT_NE(english.find(",CFOR(1.40,-2.60,100.25),MOM(0.33333334,0.4166667,0.50)"), std::string::npos) << english;
  EXPECT_NE(english.find(",FOR(0.60,50.25,-3.30)"), std::string::npos) << english;
  EXPECT_TRUE(HasLine(english, "55,1000.50,-1100.25,1200.75,167,175.50,0.50")) << english;

  const auto before = ForcesAndMoments(model);
  ASSERT_EQ(before.size(), 6u + 3u + 1u + 2u + 1u + 2u + 6u);
  for (const BatchExportUnits units : {BatchExportUnits::English, BatchExportUnits::Si}) {
    SCOPED_TRACE(static_cast<int>(units));
    const std::string text = Export(model, units);
    Model again;
    ASSERT_EQ(Import(text, again), "") << text;
    const auto after = ForcesAndMoments(again);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_FLOAT_EQ(after[i].first, before[i].first) << "value " << i;
  }
}

// A Location row stands for its item alone: an item the export leaves out
// (a nozzle without its vessel's diameter, as a neutral file can give one;
// a generic support) takes its Location line with it, which would read back
// as an empty row.
TEST_F(BatchExportTest, ALocationRowWhoseItemIsLeftOutGivesNoLine) {
  Model model;
  ASSERT_EQ(Import("Nozzles\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6E-6,20000\nPIPE\nS1,8.625,0.322\n"
                   "LAYOUT\nF10,KA,MA1,PS1\nT80,X10\nL80,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,L2=5,E=29E6,\n"
                   "DV(0,1,0)\nL80,CG\n"
                   "T90,X10\nL90,CFY\n",
                   model),
            "");
  ASSERT_EQ(model.rowCount, 7);
  ASSERT_EQ(model.row(4).dataType, DataType::Nozzle);
  static_cast<Nozzle&>(*model.row(4).item).vesselOd = 0.0f;
  LayoutRow& support = model.row(5);
  support.dataType = DataType::GenericSupport;
  support.item = CreateDataItem(DataType::GenericSupport);
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  for (const std::string& line : Lines(text)) EXPECT_NE(line.rfind("L80", 0), 0u) << line;
  EXPECT_TRUE(HasLine(text, "L90,CFIXD(0,1,0)")) << text;  // a Location that keeps its item
  ASSERT_EQ(leftOut.size(), 3u);
  EXPECT_EQ(leftOut[0].rfind("Row 4: the nozzle is refused", 0), 0u) << leftOut[0];
  EXPECT_EQ(leftOut[1].rfind("Row 5: ", 0), 0u) << leftOut[1];
  EXPECT_EQ(leftOut[2], "Row 6: it reads back as row 4 (the rows after it move with it)");
  Model again;
  ASSERT_EQ(Import(text, again), "") << text;
  ASSERT_EQ(again.rowCount, 5);
  for (int number = 1; number <= again.rowCount; ++number)
    EXPECT_FALSE(again.row(number).elementType == ElementType::Location &&
                 again.row(number).dataType == DataType::None)
        << "row " << number;
}

// Bends of every radius kind on 8.625 x 0.322 in pipe (long radius 1.5 OD,
// 12.9375 in; short 1.0 OD, 8.625 in), a jacketed bend whose core and
// jacket (16 in) are short, and a miter: the order of the rows below. The
// pressures are 0, so the SIFs have no pressure correction.
const char* const kBends =
    "Bends\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,700,25.5E6,7.44E-6,16500\n"
    "PIPE\nS1,8.625,0.322\nS4,16,0.375\n"
    "LOADS\nL1,300,0,1,200,0,150,0\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X100\n"
    "T30,KI,X50\nT40,Y50\n"                    // rows 4, 5: short (set below)
    "T50,KI,Y50\nT60,Z50\n"                    // rows 6, 7: long
    "T70,KI,B20,Z50\nT80,X50\n"                // rows 8, 9: a radius of the user's
    "T90,JP,X50,CJMAT=A1,JSEC=S4,JLOAD=L1\n"   // row 10
    "T100,JI,X50,CJMAT=A1,JSEC=S4,JLOAD=L1\n"  // row 11: short core and jacket (set below)
    "T110,JP,Y50,CJMAT=A1,JSEC=S4,JLOAD=L1\n"  // row 12
    "T120,KM,B20,Y50\nT130,Z50\n";             // rows 13, 14

// The in-plane and out-of-plane SIFs the piping code gives each bend, miter
// and jacket arc of a row, in element order.
std::vector<std::pair<float, float>> ArcSifs(Model& model, int row) {
  MakeModel(model);
  AnalysisElementList elements;
  GenerateAnalysisElements(model, elements);
  const CodeModel code(model, elements);
  std::vector<std::pair<float, float>> sifs;
  for (int e = 1; e <= elements.count; ++e) {
    if (elements[e].row != row || (elements[e].kind != 4 && elements[e].kind != 5 && elements[e].kind != 7)) continue;
    const EndSifs end = BendSifs(code, e);
    sifs.emplace_back(end.inPlane, end.outPlane);
  }
  return sifs;
}

// Every bend goes out with its radius, so a short-radius bend comes back
// short, a long one long and a user's radius as it was, in every unit set;
// the jacketed bend keeps its short core and jacket and the miter its
// radius. The B31.3 SIFs of the bends are the hand values (h = t R / r^2,
// r = 4.1515 in: i = 0.9 / h^(2/3), o = 0.75 / h^(2/3)), before and after,
// and nothing is listed as left out.
TEST_F(BatchExportTest, EveryBendKeepsItsRadiusItsKindAndItsSifsThroughTheRoundTrip) {
  Model original;
  ASSERT_EQ(Import(kBends, original), "");
  static_cast<Bend&>(*original.row(4).element).radiusType = kBendRadiusShort;
  auto& jacketed = static_cast<JacketedBend&>(*original.row(11).element);
  jacketed.radiusType = kBendRadiusShort;
  jacketed.jacketRadiusType = kBendRadiusShort;
  jacketed.jacketFlag = 2;  // the mark a jacket radius given in a file sets
  MakeModel(original);
  ASSERT_FLOAT_EQ(static_cast<const Bend&>(*original.row(4).element).radius, 8.625f);
  ASSERT_FLOAT_EQ(static_cast<const Bend&>(*original.row(6).element).radius, 12.9375f);
  ASSERT_FLOAT_EQ(jacketed.jacketRadius, 16.0f);
  struct Hand {
    int row;
    float inPlane, outPlane;
  };
  const Hand kHand[] = {{4, 3.03929f, 2.53274f}, {6, 2.31941f, 1.93285f}, {8, 1.73484f, 1.44570f}};
  for (const Hand& hand : kHand) {
    const auto sifs = ArcSifs(original, hand.row);
    ASSERT_FALSE(sifs.empty()) << hand.row;
    EXPECT_NEAR(sifs[0].first, hand.inPlane, 1e-4f) << hand.row;
    EXPECT_NEAR(sifs[0].second, hand.outPlane, 1e-4f) << hand.row;
  }
  for (const BatchExportUnits units : {BatchExportUnits::English, BatchExportUnits::Inch, BatchExportUnits::Si}) {
    SCOPED_TRACE(static_cast<int>(units));
    std::vector<std::string> leftOut;
    const std::string text = Export(original, units, &leftOut);
    EXPECT_EQ(ApartFromUnits(leftOut), std::vector<std::string>{});
    // Each bend, jacketed bend and miter line has its B field.
    for (const char* start : {"T30,KI,B", "T50,KI,B", "T70,KI,B", "T100,JI,B", "T120,KM,B"}) {
      bool found = false;
      for (const std::string& line : Lines(text)) found = found || line.rfind(start, 0) == 0;
      EXPECT_TRUE(found) << start << "\n" << text;
    }
    Model again;
    ASSERT_EQ(Import(text, again), "") << text;
    ASSERT_EQ(again.rowCount, original.rowCount);
    for (const int row : {4, 6, 8, 11, 13}) {
      SCOPED_TRACE(row);
      const auto& a = static_cast<const Bend&>(*original.row(row).element);
      const auto& b = static_cast<const Bend&>(*again.row(row).element);
      EXPECT_EQ(b.radiusType, a.radiusType);
      EXPECT_NEAR(b.radius, a.radius, 1e-3f);
      EXPECT_EQ(b.thickness, a.thickness);
      const auto before = ArcSifs(original, row), after = ArcSifs(again, row);
      ASSERT_EQ(after.size(), before.size());
      for (std::size_t arc = 0; arc < before.size(); ++arc) {
        EXPECT_NEAR(after[arc].first, before[arc].first, 1e-4f);
        EXPECT_NEAR(after[arc].second, before[arc].second, 1e-4f);
      }
    }
    const auto& jacket = static_cast<const JacketedBend&>(*again.row(11).element);
    EXPECT_EQ(jacket.jacketRadiusType, kBendRadiusShort);
    EXPECT_NEAR(jacket.jacketRadius, 16.0f, 1e-3f);
    // In the English and inch sets the whole model reads back as it was.
    if (units != BatchExportUnits::Si) {
      again.unitChoices = original.unitChoices;
      EXPECT_TRUE(ModelBytes(again) == ModelBytes(original));
    }
  }
}

class BatchExportCommandTest : public AutoSaveFixture {
 protected:
  void TearDown() override {
    CloseModel();
    g_UnitsSettings = UnitsSettings{};
    AutoSaveFixture::TearDown();
  }
};

TEST_F(BatchExportCommandTest, ExportToMbfFromTheLayoutMenuWritesTheFileAndAFailureLeavesNone) {
  Start();
  const std::string batch = InFolder("plant.mbf");
  Put(batch, kEveryKind);
  ASSERT_TRUE(ImportBatchFile(MainFrame().window, batch));
  const std::string modelBytes = Bytes(InFolder("plant.mod"));
  const std::string out = InFolder("out.mbf");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to Batch File", [&](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), "&Export");
    // The name offered is the model's with the batch extension.
    char name[300] = {};
    GetDlgItemText(dialog, edt1, name, sizeof name);
    EXPECT_EQ(std::string(name), "plant.mbf");
    SetDlgItemText(dialog, edt1, out.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 351, 0);
  platform::CheckModalScript();
  std::vector<std::string> ignored;
  EXPECT_EQ(Bytes(out), WriteModelBatchText(TheModel(), BatchExportUnits::English, ignored));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(Bytes(InFolder("plant.mod")), modelBytes);

  // A folder that does not exist: the message names the file, nothing is
  // left behind.
  const std::string missing = InFolder("nowhere/out.mbf");
  std::vector<std::string> list;
  EXPECT_EQ(WriteModelBatchFile(TheModel(), missing, list), "Unable to open export file:\n" + missing);
  EXPECT_FALSE(std::filesystem::exists(missing + ".partial"));
  // A file that cannot be replaced (a folder of that name): the old one
  // stays and no partial file is left.
  const std::string folder = InFolder("taken.mbf");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(WriteModelBatchFile(TheModel(), folder, list), "Unable to write export file:\n" + folder);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_FALSE(std::filesystem::exists(folder + ".partial"));
}

}  // namespace
