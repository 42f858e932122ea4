// Beams in a model batch file: BMATERIALS, BSECTIONS and BLOADS records
// named by JM rows through MAT=, SEC=, LOAD= and BETA=, the pipe names in
// force untouched by a beam line; every refusal of the four keywords with
// its line number; and a file of a cantilever beam imported and analysed
// against its hand calculation (W 14X90 of 120 in under its weight).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "analysis/AnalysisTesting.h"
#include "elements/BeamElement.h"
#include "files/BatchExport.h"
#include "files/BatchTesting.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"

namespace {

#define BEAM_PREFIX                                                                                    \
  "Beam plant\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\n" \
  "S1,8.625,0.322\nLOADS\nL1,300,150\nBMATERIALS\nB1,29E6,0.3,0.2836,6.5E-6\nBSECTIONS\n"                \
  "W14,26.5,999,362,4.06,0,0,14,14.5\nBLOADS\nBL1,70\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\n"

class BatchBeamTest : public BatchFixture {};

TEST_F(BatchBeamTest, JmRowsNameTheBeamRecordsAndTurnByBeta) {
  Model model;
  ASSERT_EQ(Import(BEAM_PREFIX "T20,JM,X120,CMAT=B1,SEC=W14,LOAD=BL1,BETA=90\nT30,X60\n", model), "");
  ASSERT_GE(model.rowCount, 3);
  const LayoutRow& beam = model.row(model.rowCount - 1);
  EXPECT_EQ(beam.elementType, ElementType::Beam);
  EXPECT_EQ(beam.material + "|" + beam.section + "|" + beam.load, "B1|W14|BL1");
  EXPECT_NEAR(static_cast<const Beam&>(*beam.element).beta, 90.0f, 1e-4);
  // The pipe after it keeps the pipe names in force.
  const LayoutRow& pipe = model.row(model.rowCount);
  EXPECT_EQ(pipe.material + "|" + pipe.section + "|" + pipe.load, "A1|S1|L1");
}

TEST_F(BatchBeamTest, EveryBeamKeywordRefusalNamesItsLine) {
  const struct {
    const char* line;
    const char* message;
  } refusals[] = {
      {"T20,JM,X120,CMAT=B9,SEC=W14,LOAD=BL1", "Beam Material not defined :  B9"},
      {"T20,JM,X120,CMAT=B1,SEC=W9,LOAD=BL1", "Beam Section not defined :  W9"},
      {"T20,JM,X120,CMAT=B1,SEC=W14,LOAD=L1", "Beam Load not defined :  L1"},
      {"T20,JM,X120,CMAT(B1)", "Invalid Beam information :  MAT(B1)"},
      {"T20,JM,X120,CMAT=", "Reference cannot be NULL :  MAT="},
      {"T20,JM,X120,CSEC=ABCDEF", "Max char > 5  :  ABCDEF"},
      {"T20,JM,X120,CBETA=X", "Invalid Beta value :  X"},
      {"T20,JF", "Flexible joint (beam) is presently not available"},
  };
  const std::string prefix = BEAM_PREFIX;
  const int line = 1 + static_cast<int>(std::count(prefix.begin(), prefix.end(), '\n'));
  for (const auto& refusal : refusals) {
    Model model;
    EXPECT_EQ(Import(prefix + refusal.line + "\n", model), LineError(line, refusal.line, refusal.message));
  }
}

TEST_F(BatchBeamTest, ABeamCantileverImportsAndAnalysesAsItsHandCase) {
  Model& model = TheModel();
  // Lengths are read in feet and inches: 10 ft is the 120 in of the hand case.
  ASSERT_EQ(Import(BEAM_PREFIX "T20,JM,X10,CMAT=B1,SEC=W14,LOAD=BL1\n", model), "");
  const std::string path = TempFolder() + "/batch-beam.mod";
  model.path = path;
  MakeModel(model);
  analysis_testing::SetCases(model, {1});
  const analysis_testing::RunResults run = analysis_testing::AnalyseAndRead(model);
  const int tip = FindNodeIndex(model.nodes, 20);
  const double w = 0.2836 * 26.5;
  const double expected = w * std::pow(120.0, 4) / (8.0 * 29.0e6 * 999.0);  // wL^4/(8EI)
  EXPECT_TRUE(analysis_testing::Within(run.cases.at(0).nodes[static_cast<std::size_t>(tip)][1], -expected, 1e-3));
  std::filesystem::remove(ResultsPathOf(path));
  InitEmptyModel(model, AnalysisOptions());
}

TEST_F(BatchBeamTest, ABeamLoadsAdditionalWeightIsAWeightPerLength) {
  Model english;
  ASSERT_EQ(Import("BLOADS\nBL1,70,70,70,12\n", english), "");
  EXPECT_NEAR(english.beamLoads[1].additionalWeight, 12.0 / 12.0, 1e-6);  // 12 lb/ft in lb/in
  Model si;
  ASSERT_EQ(Import("OPTIONS\nSI\nBLOADS\nBL1,20,20,20,12\n", si), "");
  EXPECT_NEAR(si.beamLoads[1].additionalWeight, 12.0 * 2.2046226 / 39.370079, 1e-5);  // 12 kg/m in lb/in
  std::vector<std::string> leftOut;
  const std::string text = WriteModelBatchText(english, BatchExportUnits::English, leftOut);
  const std::size_t line = text.find("\nBL1,");
  ASSERT_NE(line, std::string::npos) << text;
  const std::string written = text.substr(line + 1, text.find('\n', line + 1) - line - 1);
  EXPECT_EQ(written.substr(written.rfind(',')), ",12") << written;  // back in lb/ft
}

}  // namespace
