// The piping neutral file reader: any text is imported into a fresh model or
// refused with its line's message, and a model imported is one the program
// can show and save (AcceptedModelCheck.h). Seeds: files that reach every
// section line and every record kind, in English, Metric and SI units (a
// position off a bend and friction coefficients that are not taken among
// them), and the files of seeds/NeutralFileFuzz: names the model file does
// not keep, on FROM and TO lines among them.
#include <sstream>

#include "files/ModelIntake.h"
#include "files/NeutralImport.h"
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
    ReadPnfFile(input, model, log);
  } catch (const std::string&) {
    return 0;
  }
  // The import's one check of the model, as ImportBatchFile asks it.
  if (!ModelIntakeRefusal(model, IntakeRoad::kImport).empty()) return 0;
  CheckAcceptedModel(model, "neutral file", RoadRules::kRows, log);
  return 0;
}

std::size_t FuzzSeedBudget() { return kAcceptedModelSeedBudget; }

std::vector<std::string> FuzzSeeds() {
  return {
      "TITLE seed plant\r\nUNIT ENGLISH\r\nGLOBAL B31.3 70 1 1 3 33 a b c\r\nMATERIAL CS carbon 0.283 0.3\r\n"
      "ALLOWABLE CS 70 20000 700 15000\r\nLOAD L1 300 150 200 100 80 0\r\nPIPE S1 8 40 8.625 0.322 0.0625 2 11\r\n"
      "* comment\r\nFROM A 0 0 0 S1 CS L1\r\nTO B 10 0 0\r\nTO C 0 10 0 LONG\r\nTO D 0 0 5 SHORT\r\n"
      "TO E 5 0 0 12\r\nCOMMENT a note\r\nANCHOR A FREE * * * * * 0.1 0 0 0 0 0\r\nRIGID B\r\nGUIDE C NEAR\r\n"
      "LIMITSTOP D * 100 2 3 0.3 0 1 0\r\nONEWAY E * -Y 0.3\r\nSNUBBER B * * 1 0 0\r\nFORCE E * 1 2 3 4 5 6\r\n"
      "WEIGHT D * 50\r\nMASS E FAR 20\r\nSIF B 2.1 1.8\r\nTEE B UNREINFORCED 0.5\r\nTEE C EXTRUDED * 1\r\n"
      "FLANGE E * DOUBLE x 40 9\r\nBSJ x FREE\r\nSPRING B * 100 200\r\nVALVE B * 100 1.75\r\nCOD\r\nTO F 1 0 0\r\n",
      "UNIT METRIC\nPIPE S1 10 40 11.43 0.6\nFROM A * * * S1\nTO B 100 0 0\nLIMITSTOP B * * 2 3\nTO C 0 (1 0) 0\n",
      "UNIT SI\nGLOBAL BS EN 13480\nLOAD L1 150 10\nFROM A\nTO B 1000 0 0\nANCHOR B\nGUIDE B NEAR\nRIGID B FAR\n",
      "PIPE S1 8 40 8.625 0.322\nPIPE S2 6 40 6.625 0.28\nFROM A 0 0 0 S1\nTO B 10 0 0\nTO C 0 10 0 LONG\n"
      "TO D 0 0 10\nTO E 10 0 0 * S2\nTO F 10 0 0\nTO G 10 0 0\nCONSTANT C NEAR 5 300\nHANGER D\n"
      "LINESTOP B\nROTATIONAL D * 500 0 0 1\nINCLINED B * FREE 30 60\nGUIDE C MID\nBSJ * 1000\n"
      "ANCHOR A * * * * * * * 1 2 3 0.5 * * 4 0 0 0 0 0 5\nVALVE A * 150 2\nCUT B 0.5\nREDUCER D\n"
      "BELLOW E 20 50 1000 500 * 2000 * 300\nVALVE F * 1\n",
      "PIPE S1 8 40 8.625 0.322\nFROM A 0 0 0 S1\nTO B 10 0 0\nTO C 0 10 0\nONEWAY B * -Y -0.3\n"
      "LIMITSTOP C * * 2 3 -0.25 0 1 0\n",
      // Cold operating temperatures, a 70 F and a 0 that put no pair in use.
      "TITLE cold\nUNIT ENGLISH\nLOAD L1 400 150 -20 0\nLOAD L2 -50 100 * * -320 50\nLOAD L3 300 0 70 0 0 0\n",
  };
}
