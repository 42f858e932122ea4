// The expansion joints in the modal case, through the analysis driver with
// an operating case before it, against single-mass hand calculations: a
// weightless line carries one concentrated mass M = 1 (386.4 lb), so a
// mode that only the joint's spring holds has ω² = k / M.
// - A slip joint that the operating case left stuck slides freely in the
//   modes (its free spring, 1 lb/in) unless "Friction in dynamics" is on;
//   then the operating case's secant holds it and the lowest mode is the
//   line's bending as a cantilever; one that slid takes its secant, the
//   force it carried over its slide.
// - A tie rod takes into the modes the state the operating case found
//   (compression or tension stiffness), even when another static case was
//   solved after it and left it slack.
// - A hinge and a ball joint turn on their springs in the modes, or, with
//   "Friction in dynamics" and held by friction in the operating case, are
//   rigid.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "elements/BallJoint.h"
#include "elements/ConcentratedMass.h"
#include "elements/HingeJoint.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "loads/Force.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"
#include "supports/Restraint.h"

namespace {

using namespace analysis_testing;

constexpr double kG = 386.4;
constexpr double kMass = 1.0;  // lb s²/in

class JointModalTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  void Start() {
    StartModel(TheModel(), 70.0, 0.0, path_);
    TheModel().options.ModeCount = 3;
    TheModel().options.CutOffFrequency = 1000;
  }
  static void PutMass(int row) {
    Model& model = TheModel();
    PutItem(model, row, DataType::ConcentratedMass);
    static_cast<ConcentratedMass&>(*model.row(row).item).weight = static_cast<float>(kMass * kG);
  }
  // A force (added to T1: the operating case only) or a moment at a row.
  static NodalForce& PutForce(int row, std::int32_t addedTo) {
    Model& model = TheModel();
    PutItem(model, row, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(row).item);
    force.AddedTo = addedTo;
    return force;
  }
  ModalSummary Modes(const std::vector<int>& cases) {
    Model& model = TheModel();
    MakeModel(model);
    SetCases(model, cases);
    const RunResults run = AnalyseAndRead(model);
    EXPECT_TRUE(run.contents.modal.present);
    EXPECT_EQ(run.fileSize, run.contents.endOffset);
    return run.contents.modal;
  }
  std::string path_ = TempFolder() + "/joint-modal.mod";
};

double Hz(double omegaSquared) { return std::sqrt(omegaSquared) / (2.0 * kPi); }

// The lateral spring of a cantilever of length L (bending and shear).
double CantileverSpring(double L) {
  const SectionValues s = Pipe4();
  return 1.0 / (L * L * L / (3.0 * kE * s.I) + s.shear * L / (s.G * s.A));
}

// Anchor 10, a slip joint to 20 (10 in along X) with friction 100 lb that
// a 50 lb push at 20 keeps stuck in the operating case, a pipe to 30
// (100 in) with the mass at its free end.
TEST_F(JointModalTest, ASlipJointSlidesInTheModesUnlessFrictionActsInDynamics) {
  for (const int friction : {0, 1}) {
    SCOPED_TRACE(friction);
    Start();
    Model& model = TheModel();
    model.options.FrictionInDynamics = friction;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    const int joint = PipeRow(model, 20, ElementType::SlipJoint, 10.0f);
    static_cast<SlipJoint&>(*model.row(joint).element).frictionForce = 100.0f;
    PutForce(joint, 2).FX = -50.0f;
    PutMass(PipeRow(model, 30, ElementType::Pipe, 100.0f));
    const ModalSummary modal = Modes({8, 30});
    ASSERT_GE(modal.frequencies.size(), 1u);
    const SectionValues s = Pipe4();
    if (friction == 0) {
      // The free spring of 1 lb/in in series with the pipe's EA/L.
      const double k = 1.0 / (1.0 + 100.0 / (kE * s.A));
      EXPECT_TRUE(Within(modal.frequencies[0], Hz(k / kMass), 5e-3));
      EXPECT_TRUE(Within(std::fabs(modal.participation[0][0]), std::sqrt(kMass), 5e-3));
    } else {
      // Stuck: the pipe bends as a cantilever from the rigid joint.
      EXPECT_TRUE(Within(modal.frequencies[0], Hz(CantileverSpring(100.0) / kMass), 5e-3));
      EXPECT_LT(std::fabs(modal.participation[0][0]), 1e-3);
    }
    TearDown();
  }
}

// The line above pushed by 150 lb against its 100 lb of friction: the joint
// slides (150 - 100) / 1 = 50 in on its free spring while carrying 150 lb,
// so with "Friction in dynamics" the modes take its secant of 3 lb/in, in
// series with the pipe's EA/L.
TEST_F(JointModalTest, ASlidingSlipJointGivesTheModesItsSecant) {
  Start();
  Model& model = TheModel();
  model.options.FrictionInDynamics = 1;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  const int joint = PipeRow(model, 20, ElementType::SlipJoint, 10.0f);
  static_cast<SlipJoint&>(*model.row(joint).element).frictionForce = 100.0f;
  PutForce(joint, 2).FX = -150.0f;
  PutMass(PipeRow(model, 30, ElementType::Pipe, 100.0f));
  const ModalSummary modal = Modes({8, 30});
  ASSERT_GE(modal.frequencies.size(), 1u);
  const double k = 1.0 / (1.0 / 3.0 + 100.0 / (kE * Pipe4().A));
  EXPECT_TRUE(Within(modal.frequencies[0], Hz(k / kMass), 5e-3));
}

// Anchor 10, a tie rod to 20 (10 in along X, compression 50 lb/in, tension
// 200 lb/in), held across at 20 and 30, the mass at 40 and a force at 50
// pushing or pulling along the line in the operating case only. The
// sustained case after it leaves the rod slack.
TEST_F(JointModalTest, ATieRodTakesTheOperatingStateIntoTheModes) {
  for (const float push : {-100.0f, 100.0f}) {
    SCOPED_TRACE(push);
    Start();
    Model& model = TheModel();
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    const int rodRow = PipeRow(model, 20, ElementType::TieRod, 10.0f);
    auto& rod = static_cast<TieRod&>(*model.row(rodRow).element);
    rod.compressionStiffness = 50.0f;
    rod.tensionStiffness = 200.0f;
    for (const int row : {rodRow, PipeRow(model, 30, ElementType::Pipe, 100.0f)}) {
      PutItem(model, row, DataType::Restraint);
      auto& restraint = static_cast<Restraint&>(*model.row(row).item);
      restraint.restrainY = restraint.restrainZ = 1;
    }
    PutMass(PipeRow(model, 40, ElementType::Pipe, 10.0f));
    PutForce(PipeRow(model, 50, ElementType::Pipe, 10.0f), 2).FX = push;
    const ModalSummary modal = Modes({8, 1, 30});
    ASSERT_GE(modal.frequencies.size(), 1u);
    const double k = push < 0.0f ? 50.0 : 200.0;
    EXPECT_TRUE(Within(modal.frequencies[0], Hz(k / kMass), 5e-3));
    EXPECT_TRUE(Within(std::fabs(modal.participation[0][0]), std::sqrt(kMass), 5e-3));
    TearDown();
  }
}

// Anchor 10, a pipe to 20 (100 in along X), the joint at 25, a pipe to 30
// (50 in) with the mass, whose weight (386.4 lb at 50 in) turns the joint
// about Z in the operating case by less than its friction of 30000 in-lb,
// so the joint stays stuck there. On its spring k
// the mass swings about the joint: the tip's flexibility is 50²/k plus the
// cantilever's own (bending of both pipes).
TEST_F(JointModalTest, HingeAndBallJointsTurnOnTheirSpringsUnlessFrictionHoldsThem) {
  const double k = 100.0;
  const SectionValues s = Pipe4();
  const double EI = kE * s.I, L1 = 100.0, a = 50.0;
  const double pipes = a * a * a / (3.0 * EI) + L1 * L1 * L1 / (3.0 * EI) + a * L1 * L1 / EI + a * a * L1 / EI;
  for (const ElementType kind : {ElementType::HingeJoint, ElementType::BallJoint}) {
    for (const int friction : {0, 1}) {
      SCOPED_TRACE(static_cast<int>(kind) * 10 + friction);
      Start();
      Model& model = TheModel();
      model.options.FrictionInDynamics = friction;
      PipeRow(model, 10, ElementType::From, 0.0f);
      PutItem(model, 1, DataType::Anchor);
      PipeRow(model, 20, ElementType::Pipe, 100.0f);
      const int joint = AddRow(model, 25, kind);
      if (kind == ElementType::HingeJoint) {
        auto& hinge = static_cast<HingeJoint&>(*model.row(joint).element);
        hinge.stiffness = static_cast<float>(k);
        hinge.frictionTorque = 30000.0f;
        hinge.axis[2] = 1.0f;
      } else {
        auto& ball = static_cast<BallJoint&>(*model.row(joint).element);
        ball.bendingStiffness = static_cast<float>(k);
        ball.torsionalStiffness = 1.0e6f;
        ball.bendingFrictionTorque = 30000.0f;
      }
      PutMass(PipeRow(model, 30, ElementType::Pipe, static_cast<float>(a)));
      const ModalSummary modal = Modes({8, 30});
      ASSERT_GE(modal.frequencies.size(), 1u);
      if (friction == 0) {
        EXPECT_TRUE(Within(modal.frequencies[0], Hz(1.0 / (kMass * (a * a / k + pipes))), 5e-3));
      } else {
        EXPECT_TRUE(Within(modal.frequencies[0], Hz(CantileverSpring(L1 + a) / kMass), 5e-3));
      }
      TearDown();
    }
  }
}

}  // namespace
