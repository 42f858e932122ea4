// The slip joint of the model holding every kind (EveryKindModel.h: 30 lb
// of friction, from node 100 to 110) in the four responses built from its
// modal case, with the time-history, force spectrum and harmonic loads of
// TimeHistoryTesting.h moved to node 170, as the results column test runs
// them. The modes are solved with the joint sliding on its free spring of
// 1 lb/in, so whatever axial force a mode gives it, the pipe on to 120 (an
// X restraint) passes on: node 110 holds nothing else, and its own mass
// moves too little along the pipe to matter. In every response the
// joint's axial force is the pipe's, within 1 %; a joint recovered with the
// spring of the static case solved last (1.0e12 when stuck) carried 1e9 lb
// beside the pipe's few pounds.
//
// The static cases before the modal one leave the joint in states of their
// own; the responses are those of the modes, whichever of them ran.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "results/EveryKindModel.h"
#include "results/TimeHistoryTesting.h"
#include "services/LoadCaseTypes.h"
#include "services/TempFiles.h"

namespace {

using namespace analysis_testing;

constexpr int kResponses[] = {kCaseIdResponseSpectrum, kCaseIdForceSpectrum, kCaseIdTimeHistory, kCaseIdHarmonic};

class SlipJointResponseTest : public ::testing::Test {
 protected:
  void TearDown() override {
    const std::string base = path_.substr(0, path_.size() - 4);
    for (const char* extension : {".res", ".rth", "_MFM.csv"}) std::filesystem::remove(base + extension);
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // The model with the dynamic loads at 170, free to move across the pipe.
  RunResults Run(const std::vector<int>& cases, int frictionInDynamics) {
    Model& model = TheModel();
    every_kind::BuildEveryKind(model, path_, 1);
    AddTimeHistoryLoads(model, cases, true);
    MoveDynamicLoads(model, 170);
    MakeModel(model);
    SetCases(model, cases);
    model.options.FrictionInDynamics = frictionInDynamics;
    model.timeHistory.writeResults = 0;
    RunResults run = AnalyseAndRead(model);
    EXPECT_EQ(run.fileSize, run.contents.endOffset);
    return run;
  }
  // The element from node `a` to node `b` (by number).
  std::size_t ElementBetween(const RunResults& run, NodeId a, NodeId b) const {
    const Model& model = TheModel();
    for (int e = 1; e <= run.contents.elementCount; ++e) {
      const AnalysisElement& element = run.contents.elements[static_cast<std::size_t>(e)];
      if (model.nodes[element.node1].id == a && model.nodes[element.node2].id == b)
        return static_cast<std::size_t>(e);
    }
    ADD_FAILURE() << "no element from " << a << " to " << b;
    return 0;
  }
  // The axial forces of the joint (at 110) and of the pipe on (at 110) in
  // the response of type `type`.
  std::array<double, 2> AxialForces(const RunResults& run, int type) const {
    const std::size_t joint = ElementBetween(run, 100, 110), pipe = ElementBetween(run, 110, 120);
    for (std::size_t k = 1; k < run.contents.cases.size(); ++k) {
      if (run.contents.cases[k].type != type) continue;
      const CaseBlock& block = run.cases.at(k - 1);
      return {block.forces.at(joint)[6], block.forces.at(pipe)[0]};
    }
    ADD_FAILURE() << "no result case of type " << type;
    return {};
  }
  std::string path_ = TempFolder() + "/slip-joint-response.mod";
};

TEST_F(SlipJointResponseTest, TheJointCarriesWhatThePipeOnCarriesInEveryResponse) {
  for (const int friction : {0, 1}) {
    SCOPED_TRACE(friction);
    const RunResults run = Run({1, 8, 2, 19, 12, 30, 31, 37, 35, 36}, friction);
    for (const int type : kResponses) {
      SCOPED_TRACE(type);
      const std::array<double, 2> forces = AxialForces(run, type);
      // Something moves the joint: a force to compare (the free spring
      // passes on thousandths of a pound).
      EXPECT_GT(std::fabs(forces[1]), 1.0e-5);
      EXPECT_TRUE(Within(std::fabs(forces[0]), std::fabs(forces[1]), 1e-2));
    }
    TearDown();
  }
}

TEST_F(SlipJointResponseTest, TheResponsesDoNotDependOnTheStaticCasesBeforeTheModes) {
  const RunResults all = Run({1, 8, 2, 19, 12, 30, 31, 37, 35, 36}, 0);
  std::vector<std::array<double, 2>> first;
  for (const int type : kResponses) first.push_back(AxialForces(all, type));
  TearDown();
  const RunResults operatingOnly = Run({8, 30, 31, 37, 35, 36}, 0);
  for (std::size_t i = 0; i < std::size(kResponses); ++i) {
    SCOPED_TRACE(kResponses[i]);
    const std::array<double, 2> forces = AxialForces(operatingOnly, kResponses[i]);
    EXPECT_TRUE(Within(forces[0], first[i][0], 1e-4));
    EXPECT_TRUE(Within(forces[1], first[i][1], 1e-4));
  }
}

}  // namespace
