// LAYOUT lines that would give one value two meanings: an entry that both
// the row's element and its item keep (a rigid element's WGT and its
// flange's), two different keywords for the same value or for kinds that
// exclude each other (CS and US, SHORT and LONG), and a skewed restraint of
// stiffness 0 (read and dropped, or blamed on its DV). Each is refused with
// its line and entries; written on lines
// of their own the same values are each kept by their own object.
#include <gtest/gtest.h>

#include "elements/CutPipe.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/RigidElement.h"
#include "files/BatchTesting.h"
#include "supports/Hanger.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

// The tables a line may name, the LAYOUT header and a first row: the line
// under test is line 11.
#define PREFIX                                                                                    \
  "Conflicts\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n" \
  "LAYOUT\nF10,KA,MA1,PS1\n"
constexpr int kLine = 11;

struct Refusal {
  const char* line;
  const char* message;  // after the line
};

const Refusal kShared[] = {
    {"T20,JR,X10,CFLANGE=SO,WGT=80",
     "WGT could belong to the rigid element (JR) or to the flange (FLANGE)\nUse Location (L) for the flange :  WGT=80"},
    {"T20,JE,X10,CES(1,2,3),FLANGE=WN,WGT=5",
     "WGT could belong to the bellows (JE) or to the flange (FLANGE)\nUse Location (L) for the flange :  WGT=5"},
    {"T20,JV,X10,CAWGT=50,CWGT=100,OFFSET(0,5,0)",
     "OFFSET could belong to the valve (JV) or to the concentrated mass (CWGT)\nUse Location (L) for the concentrated "
     "mass :  OFFSET(0,5,0)"},
    {"T20,KH,CHS=1000,SNUBBER,DV(0,0,1)",
     "DV could belong to the hinge joint (KH) or to the snubber (SNUBBER)\nUse Location (L) for the snubber :  "
     "DV(0,0,1)"},
    {"T20,KH,CHS=1000,LS(-1,1),DV(0,0,1)",
     "DV could belong to the hinge joint (KH) or to the limit stop (LS)\nUse Location (L) for the limit stop :  "
     "DV(0,0,1)"},
    {"T20,X5,JL,KA,CTRAK(1000,2000,3000)",
     "TRAK could belong to the elastic element (JL) or to the anchor (KA)\nUse Location (L) for the anchor :  "
     "TRAK(1000,2000,3000)"},
    {"T20,X5,JL,KA,CROTK(5,5,5)",
     "ROTK could belong to the elastic element (JL) or to the anchor (KA)\nUse Location (L) for the anchor :  "
     "ROTK(5,5,5)"},
};

const Refusal kContradictions[] = {
    {"T20,X5,CUS(1,500,1200),CS", "CS contradicts US(1,500,1200): both give the hanger kind :  CS"},
    {"T20,X5,CRH=2,VS=3", "VS contradicts RH=2: both give the hanger kind :  VS=3"},
    {"T20,X5,CCS,HTYP=5", "HTYP contradicts CS: both give the hanger kind :  HTYP=5"},
    {"T20,X5,CHTYP=5,US(1,500,1200)", "US contradicts HTYP=5: both give the hanger kind :  US(1,500,1200)"},
    {"T20,X5,JC,CSHORT=1,LONG=2", "LONG contradicts SHORT=1: both give the cut of the cut pipe :  LONG=2"},
    {"T20,X5,CT=300,TEMP=400", "TEMP contradicts T=300: both give the temperature in force :  TEMP=400"},
    {"T20,X5,CPRES=10,P=20", "P contradicts PRES=10: both give the pressure in force :  P=20"},
    {"T20,X5,CU=1,UNIF=2", "UNIF contradicts U=1: both give the uniform load in force :  UNIF=2"},
    {"T20,X5,KA,CDIS(0.1,0,0),DY=0.2", "DY contradicts DIS(0.1,0,0): both give the Y displacement of set 1 :  DY=0.2"},
    {"T20,X5,KA,CD(0.1,0,0),DIS(0.2,0,0)", "DIS contradicts D(0.1,0,0): both give the X displacement of set 1 :  "
                                            "DIS(0.2,0,0)"},
    {"T20,X5,KA,CSEIS(1,0,0),D4(2,0,0)", "D4 contradicts SEIS(1,0,0): both give the seismic displacements :  D4(2,0,0)"},
    {"T20,X5,KA,CROT(1,0,0),ROTZ=2", "ROTZ contradicts ROT(1,0,0): both give the Z rotation of set 1 :  ROTZ=2"},
    {"T20,X5,CF(1,0,0),FIXD(0,1,0)", "FIXD contradicts F(1,0,0): both give the X direction of the restraint :  "
                                      "FIXD(0,1,0)"},
    {"T20,X5,CFY=0,FIXD(0,1,0)", "FIXD contradicts FY=0: both give the Y direction of the restraint :  FIXD(0,1,0)"},
    {"T20,X5,CFOR(1,2,3),FORZ=4", "FORZ contradicts FOR(1,2,3): both give the Z force :  FORZ=4"},
    {"T20,X5,CMOMX=1,MOM(1,2,3)", "MOM contradicts MOMX=1: both give the X moment :  MOM(1,2,3)"},
};

class BatchKeywordConflictsTest : public BatchFixture {};

TEST_F(BatchKeywordConflictsTest, AnEntryBothTheElementAndTheItemKeepIsRefused) {
  for (const Refusal& refusal : kShared) {
    SCOPED_TRACE(refusal.line);
    Model model;
    EXPECT_EQ(Import(std::string(PREFIX) + refusal.line + "\nT99,X1\n", model),
              LineError(kLine, refusal.line, refusal.message));
  }
}

// On a Location line of its own each weight goes to its own object: the
// rigid element keeps 80 lb, the flange 30 lb, and the two are one row.
TEST_F(BatchKeywordConflictsTest, OnALineOfItsOwnTheItemKeepsItsOwnValues) {
  Model model;
  ASSERT_EQ(Import(std::string(PREFIX) + "T20,JR,X10,CWGT=80\nL20,CFLANGE=SO,WGT=30\nT30,KH,CHS=1000,DV(0,0,1)\n"
                                         "L30,CSNUBBER,DV(1,0,0)\n",
                   model),
            "");
  ASSERT_EQ(model.rowCount, 4);
  EXPECT_FLOAT_EQ(dynamic_cast<const RigidElement&>(*model.row(3).element).weight, 80.0f);
  EXPECT_EQ(model.row(3).dataType, DataType::Flange);
  EXPECT_FLOAT_EQ(dynamic_cast<const Flange&>(*model.row(3).item).weight, 30.0f);
  EXPECT_EQ(dynamic_cast<const Flange&>(*model.row(3).item).type, 3);
  const auto& hinge = dynamic_cast<const HingeJoint&>(*model.row(4).element);
  EXPECT_FLOAT_EQ(hinge.axis[2], 1.0f);
  const auto& snubber = dynamic_cast<const Snubber&>(*model.row(4).item);
  EXPECT_FLOAT_EQ(snubber.dirX, 1.0f);
  EXPECT_FLOAT_EQ(snubber.dirZ, 0.0f);
}

TEST_F(BatchKeywordConflictsTest, TwoKeywordsForOneValueOrForExclusiveKindsAreRefusedNamingBoth) {
  for (const Refusal& refusal : kContradictions) {
    SCOPED_TRACE(refusal.line);
    Model model;
    EXPECT_EQ(Import(std::string(PREFIX) + refusal.line + "\nT99,X1\n", model),
              LineError(kLine, refusal.line, refusal.message));
  }
  // Across a continuation line the later line is named.
  Model model;
  EXPECT_EQ(Import(std::string(PREFIX) + "T20,X5,CUS(1,500,1200),\nCS\n", model),
            LineError(kLine + 1, "CS", "CS contradicts US(1,500,1200): both give the hanger kind :  CS"));
}

// A spring hanger of a catalogue (VS with HTYP, as the writer puts it) and
// a keyword given twice (its last value kept) are no contradiction.
TEST_F(BatchKeywordConflictsTest, VsWithHtypAndAKeywordGivenTwiceStand) {
  Model model;
  ASSERT_EQ(Import(std::string(PREFIX) + "T20,X5,CVS=2,HTYP=5\nT30,X5,JC,CSHORT=1,SHORT=2\n", model), "");
  const auto& hanger = dynamic_cast<const Hanger&>(*model.row(3).item);
  EXPECT_EQ(hanger.kind, 5);
  EXPECT_EQ(hanger.numberOfHangers, 2);
  EXPECT_FLOAT_EQ(dynamic_cast<const CutPipe&>(*model.row(4).element).cut, 2.0f);
}

// A skewed restraint of stiffness 0 holds nothing: K=0 and KR=0 are refused
// as STIFF=0 is, before a DV on the line can be blamed.
TEST_F(BatchKeywordConflictsTest, AZeroSkewedStiffnessIsRefused) {
  const Refusal refusals[] = {
      {"T20,X5,CK=0", "Invalid stiffness :  0"},
      {"T20,X5,CK=0,DV(1,0,0)", "Invalid stiffness :  0"},
      {"T20,X5,CKR=0.0,DV(1,0,0)", "Invalid rotational stiffness :  0.0"},
      {"T20,X5,CSNUBBER,STIFF=0", "Invalid stiffness :  0"},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.line);
    Model model;
    EXPECT_EQ(Import(std::string(PREFIX) + refusal.line + "\n", model), LineError(kLine, refusal.line, refusal.message));
  }
  Model model;
  ASSERT_EQ(Import(std::string(PREFIX) + "T20,X5,CK=1000,DV(1,0,0)\n", model), "");
  EXPECT_FLOAT_EQ(dynamic_cast<const SkewedRestraint&>(*model.row(3).item).stiffness, 1000.0f);
}

}  // namespace
