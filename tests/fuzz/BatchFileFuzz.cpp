// The model batch file reader: any text is imported into a fresh model or
// refused with its line's message. Seeds: files that reach every section
// and every built keyword, in English and SI units.
#include <sstream>

#include "files/BatchImport.h"
#include "model/Model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  Model model;
  std::vector<std::string> log;
  try {
    ReadModelBatchFile(input, model, log);
  } catch (const std::string&) {
  }
  return 0;
}

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
  };
}
