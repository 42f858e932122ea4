// The model batch file reader: any text is imported into a fresh model or
// refused with its line's message, and a model imported is one the program
// can show and save (AcceptedModelCheck.h). Seeds: files that reach every
// section and every built keyword, in English and SI units, and the files
// of seeds/BatchFileFuzz: lengths and values at the limit of a cell in
// every unit set.
#include <sstream>

#include "files/BatchImport.h"
#include "files/ModelIntake.h"
#include "fuzz/AcceptedModelCheck.h"
#include "fuzz/FuzzTarget.h"
#include "model/Model.h"
#include "services/Units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  g_UnitsSettings = UnitsSettings{};
  Model model;
  std::vector<std::string> log;
  try {
    ReadModelBatchFile(input, model, log);
  } catch (const std::string&) {
    return 0;
  }
  // The import's one check of the model, as ImportBatchFile asks it.
  if (!ModelIntakeRefusal(model, IntakeRoad::kImport).empty()) return 0;
  CheckAcceptedModel(model, "model batch file", RoadRules::kRows, log);
  return 0;
}

std::size_t FuzzSeedBudget() { return kAcceptedModelSeedBudget; }

std::vector<std::string> FuzzSeeds() {
  return {
      "Seed plant\r\nOPTIONS\r\nHGRB,B311,Z\r\nMATERIAL\r\nA1,0.283,0.3,1,1,CS,Carbon steel\r\n"
      "A1,70,29.5E6,6.07E-6,17100,35000\r\nA1,700,25.5E6,7.44E-6,15600\r\nSOILS\r\nSL1,0,120,0,30,2\r\n"
      "PIPE\r\nS1,6.625,0.28,0.0625,12.5,11,3,,,SL1\r\nLOADS\r\nL1,600,300,1,400,200,100,10,2\r\n"
      "BMATERIALS\r\nB1,29E6,0.3,0.283,6.5E-6\r\nBSECTIONS\r\nW8,10,100,50,1,2,3,8,6\r\nBLOADS\r\nBL1,300,200\r\n"
      "SEISMIC\r\n0.1,0.2,0.3\r\nWIND\r\n60,0.7,1,0,1\r\nJOINT\r\nanything\r\nLAYOUT\r\n*Note\r\n"
      "F10,KA,MA1,PS1,CL=L1,AMB=60,TRAK(1000,RIGID,0),ROTK(5,0,0),FREEXX\r\n"
      "T20,X10,CT=600,P=300,SG=1,U=2\r\nT30,KI,B9,Z5,CBTHK=0.3,BMAT=A1,FF=2,IN1(25,30),BSIF(2,1.5)\r\n"
      "T40,Y-3'6,CF(1,0,1)\r\nT50*,X20,Y-4,Z5,CFX,FIXDY=1,\r\nFZ\r\nL50,KA,CDIS(0.1,0,0),ROT(0,1,0),"
      "SEIS(0,0.2,0),SETT(0,-0.5,0),DISX=0.2,ROTZ=1\r\nCOD\r\n",
      "Seed SI\nOPTIONS\nSI IN RAD B313\nMATERIAL\nA1,7833,0.3\nA1,21,203395,10.9E-6,137.9\nPIPE\n"
      "S1,219.075,8.18\nLOADS\nL1,148.9,10.3\nLAYOUT\nF1,KA,MA1,PS1,CL=L1\nT2,X120\nT3,KI,X60,CIN2(4,0.5)\n"
      "T4,Z-96,CFY\nT5,Y36,KA,CDIS(12.7,0,0)\nT6,X12,CFY,ROT(1,0,0)\n",
      // A row of each support, joint and item kind with the keywords it
      // keeps, and last a keyword on a row that does not keep it.
      "Seed kinds\nOPTIONS\nNONE\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n"
      "S4,16,0.375\nLOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1,TRAK(1000,RIGID,0),FREEX\n"
      "T20,X5,CG,MU=0.3,STIFF=5000,GGAP=0.125,CNOD=10\nT30,X5,CLS(-0.5,None),DV(1,0,0),MU=0.2\n"
      "T40,X5,CK=100,DV(0,1,1)\nT50,X5,CSNUBBER,STIFF=1E6,DV(0,0,1)\nT60,X5,CUS(2,500,1200),CLD=1\n"
      "T70,X5,CVS=3,HTYP=5,SR,MLV=10\n"
      "T80,X50,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,L2=5,E=29E6,DV(0,1,0)\n"
      "T90,X50,CNOZZLE=650,RPAD=1,NOD=8,NTHK=0.5,VOD=800,VTHK=1,L1=0.8,E=29E6,DV(0,1,0)\n"
      "T100,X5,CFLANGE=SO,WGT=80,GDIA=9.5,AP=600\nT110,X5,CWTYPE=4,DELTA=0.0625\nT120,X5,KR,CR=1,THK=0.5\n"
      "T130,X5,CFRE=5,PH=30,FOR(0,1,0)\nT140,X5,CCWGT=150,OFFSET(1,2,3)\nT150,JV,X3,CAWGT=100,OFFSET(0,12,0)\n"
      "T160,KI,B12,X5,CBTHK=0.5,FF=2\nT170,KM,B20,Y5,CWS\nT180,JE,Z5,CES(1,2,3),BK=500,TA=12\n"
      "T190,KH,CHS=1000,DV(0,0,1),FTOR=5\nT200,X5,JP,CJMAT=A1,JSEC=S4,JLOAD=L1\n"
      "T210,JI,B30,Y5,CJMAT=A1,JSEC=S4,JLOAD=L1,JR=24\nT220,X5,CFY,STIFF=1000\n",
      // Branch types the file's code does not offer, kept with a note.
      "Seed tees\nOPTIONS\nSWEDISH\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n"
      "LAYOUT\nF10,KA,MA1,PS1\nT20,X5,KT\nT30,X5,KE,CCRTCH=1\nT40,X5,KF,CPAD=0.25\nT50,X5,KB\n",
      // Texts at the widths the model file keeps, a cold operating
      // temperature, joints and a Location without offsets, the flange
      // codes, and last a hinge with an offset, which is refused.
      "Seed widths\nOPTIONS\nB313\nMATERIAL\nA1,0.283,0.3,1,1,CS\nA1,70,29.5E6\nPIPE\nS1,8.625,0.322\n"
      "LOADS\nL1,400,150,1,-20,0,,,2\nL2,300,100,0,0,0,0,0\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X5,CFLANGE=WN\n"
      "T30,KH,X0,CHS=1000,DV(0,0,1)\nT40,X5,CFLANGE(TH),SPECX=DESIGN-BASIS-EARTHQUAKE-EAST-WE\nT50,JB\n"
      "L40,Y0,CFY\nPUMPS\nP-101 FEED PUMP,1,10,20\nCOMPRESSORS\nK-1010 AIR COMP,0,1,0,40\n"
      "TURBINES\nT-1A STEAM TURB,1,0,0,40\nLAYOUT\nT60,KH,X5,CHS=1000,DV(0,0,1)\n",
  };
}
