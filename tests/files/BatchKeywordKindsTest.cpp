// Keywords of LAYOUT lines that only some kinds keep: on a line whose
// element kind and data item do not keep one, the keyword is refused with
// its line and entry (a restraint given STIFF would otherwise run rigid, a
// restraint given CNOD would hold to the ground, a pipe given WGT would
// weigh nothing more); on a line of its own kind it still gives its value;
// and the values in force and the keywords that choose the item stand on
// any line.
#include <gtest/gtest.h>

#include "elements/BranchSif.h"
#include "elements/HingeJoint.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "files/BatchTesting.h"
#include "model/RowObjects.h"
#include "records/Spectrum.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"

namespace {

// The tables a line may name, the LAYOUT header and a first row: the
// refused line is line 18.
#define PREFIX                                                                                          \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\nS4,16,0.375\n"                  \
  "LOADS\nL1,300,150\nBMATERIALS\nBM1,29E6,0.3,0.283,6.5E-6\nBSECTIONS\nW8,10,100,30,1,5,3,8,6\n"        \
  "BLOADS\nBL1,300,200,100,10\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\n"
constexpr int kRefusedLine = 18;

struct Refusal {
  const char* line;
  const char* entry;  // the entry refused
  const char* kinds;  // the kinds the message names
};

constexpr const char* kSupports = "guides (G), limit stops (LS) and snubbers (SNUBBER)";
constexpr const char* kAnchors = "anchors (KA)";
constexpr const char* kSprings = "anchors (KA) and elastic elements (JL)";
constexpr const char* kConnected =
    "guides (G), limit stops (LS), skewed restraints (K, KR) and hangers (CS, RH, VS, US, HTYP)";
constexpr const char* kDirected =
    "skewed restraints (K, KR), limit stops (LS), snubbers (SNUBBER), nozzles (NOZZLE) and hinge joints (KH)";
constexpr const char* kNozzles = "nozzles (NOZZLE)";
constexpr const char* kWeighed =
    "flanges (FLANGE), rigid elements (JR), bellows (JE), slip joints (JS), hinge joints (KH) and ball joints (JB)";
constexpr const char* kOffsets = "concentrated masses (CWGT) and valves with an additional weight (JV, AWGT)";
constexpr const char* kBendWalls = "bends (KI), miters (KM) and jacketed bends (JI)";
#define NOZZLE_297 "NOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,E=29E6,DV(0,1,0)"
#define NOZZLE_650 "NOZZLE=650,NOD=8,NTHK=0.5,VOD=800,VTHK=1,L1=0.8,E=29E6,DV(0,1,0)"

const Refusal kRefusals[] = {
    // A restraint is rigid and holds to the ground.
    {"T20,X100,CFY,STIFF=1000", "STIFF=1000", kSupports},
    {"T20,X100,CFY,GGAP=0.5", "GGAP=0.5", "guides (G)"},
    {"T20,X100,CFY,CNOD=10", "CNOD=10", kConnected},
    {"T20,X100,CFY,TRAK(0,1000,0),ROTK(5,5,5)", "TRAK(0,1000,0)", kSprings},
    {"T20,X100,CFY,ROTK(5,5,5)", "ROTK(5,5,5)", kSprings},
    {"T20,X100,CFY,MU=0.3", "MU=0.3", "guides (G) and limit stops (LS)"},
    {"T20,X100,CFY,DV(1,0,0)", "DV(1,0,0)", kDirected},
    {"T20,X100,CFY,FREE", "FREE", kAnchors},
    {"T20,X100,CFX,FREEX", "FREEX", kAnchors},
    {"T20,X100,CFREEZZ", "FREEZZ", kAnchors},
    // An anchor, a skewed restraint, a guide and a snubber given what
    // another support keeps.
    {"T20,X100,KA,CSTIFF=1000", "STIFF=1000", kSupports},
    {"T20,X100,KA,CMU=0.2", "MU=0.2", "guides (G) and limit stops (LS)"},
    {"T20,X100,KA,CCNOD=10", "CNOD=10", kConnected},
    {"T20,X100,CK=1000,DV(1,0,0),STIFF=5", "STIFF=5", kSupports},
    {"T20,X100,CG,DV(1,0,0)", "DV(1,0,0)", kDirected},
    {"T20,X100,CSNUBBER,DV(1,0,0),CNOD=10", "CNOD=10", kConnected},
    {"T20,X100,CSNUBBER,DV(1,0,0),GGAP=1", "GGAP=1", "guides (G)"},
    // Hangers: what only one kind of hanger keeps.
    {"T20,X100,CVS,CLD=1", "CLD=1", "user hangers (US)"},
    {"T20,X100,CCS,SR", "SR", "spring hangers (VS, HTYP)"},
    {"T20,X100,CRH,MLV=10", "MLV=10", "spring hangers (VS, HTYP)"},
    {"T20,X100,CUS(1,500,1200),MLV=10", "MLV=10", "spring hangers (VS, HTYP)"},
    {"T20,X100,CFY,SR", "SR", "spring hangers (VS, HTYP)"},
    // Nozzles, by their vessel.
    {"T20,X100,CFY,NOD=8", "NOD=8", kNozzles},
    {"T20,X100,CG,E=29E6", "E=29E6", kNozzles},
    {"T20,X100,CFY,L1=5", "L1=5", kNozzles},
    {"T20,X100,C" NOZZLE_297 ",L2=5,RPAD=1", "RPAD=1", "flat-bottom tank nozzles (NOZZLE=650)"},
    {"T20,X100,C" NOZZLE_650 ",L2=5", "L2=5", "cylindrical vessel nozzles (NOZZLE=297)"},
    // Flanges, welds, branch SIFs and harmonic loads.
    {"T20,X100,CFY,GDIA=9", "GDIA=9", "flanges (FLANGE)"},
    {"T20,X100,CWTYPE=3,AP=600", "AP=600", "flanges (FLANGE)"},
    {"T20,X100,CWTYPE=2,DELTA=0.1", "DELTA=0.1", "butt welds (WTYPE=1) and tapered transitions (WTYPE=4)"},
    {"T20,X100,CFY,DELTA=0.1", "DELTA=0.1", "butt welds (WTYPE=1) and tapered transitions (WTYPE=4)"},
    {"T20,X100,KT,CPAD=0.25", "PAD=0.25", "fabricated tees (KF)"},
    {"T20,X100,KF,CCRTCH=1", "CRTCH=1", "extruded welding tees (KE)"},
    {"T20,X100,KT,CR=1", "R=1", "radiused branches (KR) and branch connections (KB)"},
    {"T20,X100,KB,CR=1,THK=0.5", "THK=0.5", "radiused branches (KR) and branches on thickened pipe (KP)"},
    {"T20,X100,KR,CR=1,THK=0.5,LEN=2", "LEN=2", "branches on thickened pipe (KP)"},
    {"T20,X100,CFOR(1,0,0),PH=30", "PH=30", "harmonic loads (FRE)"},
    // Weights and offsets.
    {"T20,X100,CWGT=50", "WGT=50", kWeighed},
    {"T20,X100,JV,CWGT=50", "WGT=50", kWeighed},
    {"T20,X100,COFFSET(0,1,0)", "OFFSET(0,1,0)", kOffsets},
    {"T20,X100,JV,CVWGT=5,OFFSET(0,1,0)", "OFFSET(0,1,0)", kOffsets},
    {"T20,X100,CFACX=2", "FACX=2", "a spectrum named on the same line (SPECX)"},
    {"T20,X100,CSPECX=S1,FACZ=2", "FACZ=2", "a spectrum named on the same line (SPECZ)"},
    // Element kinds.
    {"T20,X100,B12", "B12", kBendWalls},
    {"T20,X100,JR,B12", "B12", kBendWalls},
    {"T20,X100,CBTHK=0.5", "BTHK=0.5", kBendWalls},
    {"T20,X100,JR,CBMAT=A1", "BMAT=A1", "bends (KI) and miters (KM)"},
    {"T20,X100,KH,CHS=1000,DV(0,0,1),FF=2", "FF=2", "bends (KI) and miters (KM)"},
    {"T20,KM,B20,X5,Y5,CIN1(15,30)", "IN1(15,30)", "bends (KI) and jacketed bends (JI)"},
    {"T20,KM,B20,X5,Y5,CBSIF(1.5,2)", "BSIF(1.5,2)", "bends (KI)"},
    {"T20,KI,X5,Y5,CWS", "WS", "miters (KM)"},
    {"T20,X100,JP,CJMAT=A1,JSEC=S4,JLOAD=L1,JTHK=0.4", "JTHK=0.4", "jacketed bends (JI)"},
    {"T20,X100,CJR=32", "JR=32", "jacketed bends (JI)"},
    {"T20,X100,CJMAT=A1", "JMAT=A1", "jacketed pipes (JP) and jacketed bends (JI)"},
    {"T20,X100,JV,COD1=8", "OD1=8", "reducers (JD)"},
    {"T20,X100,CCONE=15", "CONE=15", "reducers (JD)"},
    {"T20,X100,CVWGT=5", "VWGT=5", "valves (JV)"},
    {"T20,X100,JR,CTHKF=2.5", "THKF=2.5", "valves (JV)"},
    {"T20,X100,JS,CES(1000,2000,3000)", "ES(1000,2000,3000)", "bellows (JE)"},
    {"T20,X100,JS,CBK=500", "BK=500", "bellows (JE)"},
    {"T20,X100,CTA=10", "TA=10", "bellows (JE) and slip joints (JS)"},
    {"T20,X100,JE,CES(1,2,3),FFOR=10", "FFOR=10", "slip joints (JS)"},
    {"T20,X100,JE,CES(1,2,3),FTOR=10", "FTOR=10", "slip joints (JS) and hinge joints (KH)"},
    {"T20,X100,JS,CHS=5", "HS=5", "hinge joints (KH)"},
    {"T20,X100,CRLIM=15", "RLIM=15", "hinge joints (KH)"},
    {"T20,X100,CRK(1000,2000)", "RK(1000,2000)", "ball joints (JB)"},
    {"T20,X100,KH,CHS=1000,DV(0,0,1),ROTL(5,5)", "ROTL(5,5)", "ball joints (JB)"},
    {"T20,X100,CFRCT(5,6)", "FRCT(5,6)", "ball joints (JB)"},
    {"T20,X100,KA,CLXAX(1,0,0)", "LXAX(1,0,0)", "elastic elements (JL)"},
    {"T20,X100,CLYAX(0,1,0)", "LYAX(0,1,0)", "elastic elements (JL)"},
    {"T20,X100,CSHORT=2", "SHORT=2", "cut pipes (JC)"},
    {"T20,X100,JR,CLONG=2", "LONG=2", "cut pipes (JC)"},
    {"T20,X100,CKTIE(5000,0)", "KTIE(5000,0)", "tie rods (JT)"},
    {"T20,X100,CGAP(0.1,0.2)", "GAP(0.1,0.2)", "tie rods (JT)"},
    {"T20,X100,CMAT=BM1", "MAT=BM1", "beams (JM)"},
    {"T20,X100,CSEC=W8", "SEC=W8", "beams (JM)"},
    {"T20,X100,CLOAD=BL1", "LOAD=BL1", "beams (JM)"},
    {"T20,X100,CBETA=45", "BETA=45", "beams (JM)"},
    {"T20,X100,CHSG=1.1", "HSG=1.1", "hydrotest load rows (H)"},
    {"L10,CHPRES=300", "HPRES=300", "hydrotest load rows (H)"},
};

// The keyword of an entry; the B field of a bend radius is named B.
std::string KeywordOf(const std::string& entry) {
  if (entry.size() > 1 && entry[0] == 'B' && entry[1] >= '0' && entry[1] <= '9') return "B";
  return entry.substr(0, entry.find_first_of("=("));
}

class BatchKeywordKindsTest : public BatchFixture {
 protected:
  const Model& Imported(const std::string& rows) {
    model_ = Model();
    // No code: every branch SIF type is known.
    EXPECT_EQ(Import(std::string("Kinds\nOPTIONS\nNONE\n") + PREFIX + rows + "\n", model_), "") << rows;
    return model_;
  }
  Model model_;
};

TEST_F(BatchKeywordKindsTest, AKeywordOnALineWhoseRowDoesNotKeepItIsRefusedWithItsLineAndEntry) {
  for (const Refusal& refusal : kRefusals) {
    SCOPED_TRACE(refusal.line);
    Model model;
    EXPECT_EQ(Import(std::string("Kinds\n") + PREFIX + refusal.line + "\nT99,X1\n", model),
              LineError(kRefusedLine, refusal.line,
                        KeywordOf(refusal.entry) + " is given to " + refusal.kinds + " only :  " + refusal.entry));
    // The units the file chose are back.
    EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 0);
  }
}

// The message names the line the entry stood on: a list that goes on in
// the next line names the first line for an entry there, the next line for
// an entry of its own.
TEST_F(BatchKeywordKindsTest, TheRefusalNamesTheLineTheEntryStoodOn) {
  Model model;
  EXPECT_EQ(Import(std::string("Kinds\n") + PREFIX + "T20,X5,CFY,STIFF=1000,\nSG=1\n", model),
            LineError(kRefusedLine, "T20,X5,CFY,STIFF=1000,", std::string("STIFF is given to ") + kSupports +
                                                                    " only :  STIFF=1000"));
  EXPECT_EQ(Import(std::string("Kinds\n") + PREFIX + "T20,X5,CFY,SG=1,\nGGAP=0.5\n", model),
            LineError(kRefusedLine + 1, "GGAP=0.5", "GGAP is given to guides (G) only :  GGAP=0.5"));
  // A B field before a list that goes on.
  EXPECT_EQ(Import(std::string("Kinds\n") + PREFIX + "T20,X5,B12,CSG=1,\nU=2\n", model),
            LineError(kRefusedLine, "T20,X5,B12,CSG=1,", std::string("B is given to ") + kBendWalls + " only :  B12"));
}

// On its own kind each keyword still gives its value; the values in force,
// the reference temperature and the spectrum load stand on any line.
TEST_F(BatchKeywordKindsTest, OnItsOwnKindEachKeywordStillGivesItsValue) {
  const Model& m = Imported(
      "T20,X5,CG,MU=0.3,STIFF=5000,GGAP=0.125,CNOD=10\n"
      "T30,X5,CLS(-0.5,None),DV(1,0,0),MU=0.2,STIFF=7000\n"
      "T40,X5,CUS(2,500,1200),CLD=1\n"
      "T50,X5,CVS=3,HTYP=5,SR,MLV=10\n"
      "T60,X50,C" NOZZLE_297 ",L2=6\n"
      "T70,X50,C" NOZZLE_650 ",RPAD=1\n"
      "T80,X5,CWTYPE=4,DELTA=0.0625\n"
      "T90,X5,JV,CVWGT=500,AWGT=100,OFFSET(0,12,0)\n"
      "T100,KH,CHS=1000,DV(0,0,1),WGT=20,FTOR=50\n"
      "T110,X5,KR,CR=1.5,THK=0.5,AMB=60,T=300,P=100,SG=1,U=2,SPECX=S1,FACX=2\n"
      "T120,X5,KP,CTHK=0.6,LEN=3\n");
  ASSERT_EQ(m.rowCount, 13);
  const auto& guide = dynamic_cast<const Guide&>(*m.row(3).item);
  EXPECT_FLOAT_EQ(guide.frictionCoefficient, 0.3f);
  EXPECT_FLOAT_EQ(guide.stiffness, 5000.0f);
  EXPECT_FLOAT_EQ(guide.gap, 0.125f);
  EXPECT_EQ(guide.connectedNode, 10);
  const auto& stop = dynamic_cast<const LimitStop&>(*m.row(4).item);
  EXPECT_FLOAT_EQ(stop.frictionCoefficient, 0.2f);
  EXPECT_FLOAT_EQ(stop.stiffness, 7000.0f);
  EXPECT_EQ(dynamic_cast<const Hanger&>(*m.row(5).item).loadType, 1);
  const auto& spring = dynamic_cast<const Hanger&>(*m.row(6).item);
  EXPECT_EQ(spring.shortRange, 1);
  EXPECT_EQ(spring.maximumLoadVariation, 10);
  EXPECT_FLOAT_EQ(dynamic_cast<const Nozzle&>(*m.row(7).item).l2, 72.0f);  // 6 ft
  EXPECT_EQ(dynamic_cast<const Nozzle&>(*m.row(8).item).reinforcingPad, 1);
  EXPECT_FLOAT_EQ(dynamic_cast<const Weld&>(*m.row(9).item).mismatch, 0.0625f);
  EXPECT_FLOAT_EQ(dynamic_cast<const Valve&>(*m.row(10).element).dy, 12.0f);
  const auto& hinge = dynamic_cast<const HingeJoint&>(*m.row(11).element);
  EXPECT_FLOAT_EQ(hinge.axis[2], 1.0f);
  EXPECT_FLOAT_EQ(hinge.weight, 20.0f);
  const auto& radiused = dynamic_cast<const BranchSif&>(*m.row(12).item);
  EXPECT_EQ(radiused.type, 7);
  EXPECT_FLOAT_EQ(radiused.dimension1, 1.5f);
  EXPECT_FLOAT_EQ(radiused.dimension2, 0.5f);
  EXPECT_FLOAT_EQ(m.options.ReferenceTemperature, 60.0f);
  EXPECT_EQ(m.spectrumLoad.name[0], "S1");
  EXPECT_FLOAT_EQ(m.spectrumLoad.factor[0], 2.0f);
  const auto& thickened = dynamic_cast<const BranchSif&>(*m.row(13).item);
  EXPECT_FLOAT_EQ(thickened.dimension1, 0.6f);
  EXPECT_FLOAT_EQ(thickened.dimension2, 3.0f);
}

}  // namespace
