// The kinds whose stiffness depends on a state, in the response spectrum
// case: each mode's forces must come from the stiffness that shaped the
// mode, never from the state a static case solved last. The models are
// weightless lines carrying one concentrated mass M = 1 (386.4 lb), under a
// flat spectrum of 0.3 g: a mode that moves the mass alone along the
// spectrum's direction is one degree of freedom, whose response moves the
// mass by Sd = Sa / ω² and so loads what holds it by exactly M ω² Sd =
// M Sa = 115.92 lb, whatever its stiffness.
// - A slip joint stuck in the operating case slides in the modes (its free
//   spring of 1 lb/in): it passes on M Sa to the anchor.
// - A hinge and a ball joint, left stuck by a sustained case solved after
//   the modal one, turn on their springs in the modes: the mass swinging
//   on its 50 in lever loads them with M Sa x 50.
// Where the line would bend alike vertically and across, the mass is held
// across, so that the vertical mode is one of its own.
// - A tie rod pulled past its tension gap in the operating case carries
//   M Sa, with no gap load, even when a sustained case after the modal one
//   left it slack.
// - A limit stop and a guide reached in the operating case, whose pipe
//   slid there with "Friction in dynamics" on, hold the modes with the
//   operating case's friction spring (its friction load over its sliding,
//   read back from that case), though a sustained case after the modal one
//   left them stuck; a guide's gap plays no part in the modes: the closed
//   side carries its spring times the movement, the open side nothing.
// - A rod hanger that the operating case lifted off carries nothing in the
//   modes, though a sustained case after the modal one seated it again.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "elements/BallJoint.h"
#include "elements/ConcentratedMass.h"
#include "elements/HingeJoint.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "loads/Force.h"
#include "model/MakeModel.h"
#include "model/Nodes.h"
#include "records/Spectrum.h"
#include "services/LoadCaseTypes.h"
#include "services/TempFiles.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"

namespace {

using namespace analysis_testing;

constexpr double kG = 386.4;
constexpr double kMass = 1.0;  // lb s²/in
constexpr double kSa = 0.3 * kG;
constexpr double kMassForce = kMass * kSa;  // the load of a one-mass mode

class ModalResponseStatesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    std::filesystem::remove(path_.substr(0, path_.size() - 4) + "_MFM.csv");
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // A weightless line at 300 F in T1, anchored at 10.
  Model& Start() {
    Model& model = TheModel();
    StartModel(model, 300.0, 0.0, path_);
    model.options.ModeCount = 3;
    model.options.CutOffFrequency = 1000;
    model.options.IncludeMissingMass = 0;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    return model;
  }
  static void PutMass(int row) {
    Model& model = TheModel();
    PutItem(model, row, DataType::ConcentratedMass);
    static_cast<ConcentratedMass&>(*model.row(row).item).weight = static_cast<float>(kMass * kG);
  }
  // A pipe to 20 (100 in along X) with the mass at 20, and an item of `type`
  // on a row of its own there; the item's row.
  static int MassOnItem(Model& model, DataType type) {
    PutMass(PipeRow(model, 20, ElementType::Pipe, 100.0f));
    const int itemRow = AddRow(model, 20, ElementType::From);
    PutItem(model, itemRow, type);
    return itemRow;
  }
  // A Z restraint at the node: the line's bending across would
  // otherwise have the frequency of its vertical bending, and of two equal
  // modes the solver may return any two mixtures, which share the vertical
  // response.
  static void HoldAcross(NodeId node) {
    Model& model = TheModel();
    const int row = AddRow(model, node, ElementType::From);
    PutItem(model, row, DataType::Restraint);
    static_cast<Restraint&>(*model.row(row).item).restrainZ = 1;
  }
  // A force of the operating case only (added to T1).
  static NodalForce& PutOperatingForce(int row) {
    Model& model = TheModel();
    PutItem(model, row, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(row).item);
    force.AddedTo = 2;
    return force;
  }
  // The flat spectrum, from 0.01 to 1000 Hz, along the directions (0 X,
  // 1 Y, 2 Z) given, and the run with the cases given.
  RunResults Run(const std::vector<int>& directions, const std::vector<int>& cases) {
    Model& model = TheModel();
    MakeModel(model);
    ResponseSpectrum flat;
    flat.name = "FLAT";
    flat.ordinateUnit = kOrdinateG;
    flat.points = {{0.01f, static_cast<float>(kSa)}, {1000.0f, static_cast<float>(kSa)}};
    SetLastSpectrum(model.spectra, flat);
    for (int direction : directions) SetDirectionSpectrum(model.spectrumLoad, direction, "FLAT", 1.0f);
    SetCases(model, cases);
    RunResults run = AnalyseAndRead(model);
    EXPECT_TRUE(run.contents.modal.present);
    EXPECT_EQ(run.fileSize, run.contents.endOffset);
    return run;
  }
  std::string path_ = TempFolder() + "/modal-response-states.mod";
};

const CaseBlock& BlockOf(const RunResults& run, int type) {
  for (std::size_t k = 1; k < run.contents.cases.size(); ++k)
    if (run.contents.cases[k].type == type) return run.cases.at(k - 1);
  ADD_FAILURE() << "no result case of type " << type;
  return run.cases.at(0);
}

// The analysis element from node `a` to node `b` (by node number).
std::size_t ElementBetween(const Model& model, const RunResults& run, NodeId a, NodeId b) {
  for (int e = 1; e <= run.contents.elementCount; ++e) {
    const AnalysisElement& element = run.contents.elements[static_cast<std::size_t>(e)];
    if (model.nodes[element.node1].id == a && model.nodes[element.node2].id == b) return static_cast<std::size_t>(e);
  }
  ADD_FAILURE() << "no element from " << a << " to " << b;
  return 0;
}

std::array<float, 6> NodeValues(const Model& model, const CaseBlock& block, NodeId node) {
  return block.nodes.at(static_cast<std::size_t>(FindNodeIndex(model.nodes, node)));
}

// Anchor 10, a slip joint to 20 (10 in along X, friction 100 lb) that a
// 50 lb push at 20 keeps stuck in the operating case, a pipe to 30 (100 in)
// with the mass; the spectrum along X.
TEST_F(ModalResponseStatesTest, AStuckSlipJointSlidesInTheModesAndPassesOnTheMassForce) {
  Model& model = Start();
  const int joint = PipeRow(model, 20, ElementType::SlipJoint, 10.0f);
  static_cast<SlipJoint&>(*model.row(joint).element).frictionForce = 100.0f;
  PutOperatingForce(joint).FX = -50.0f;
  PutMass(PipeRow(model, 30, ElementType::Pipe, 100.0f));
  const RunResults run = Run({0}, {8, 30, 31});
  // The free spring in series with the pipe: a mode of about 0.16 Hz.
  ASSERT_GE(run.contents.modal.frequencies.size(), 1u);
  EXPECT_LT(run.contents.modal.frequencies[0], 0.2f);
  const CaseBlock& response = BlockOf(run, kCaseIdResponseSpectrum);
  EXPECT_TRUE(Within(response.forces.at(ElementBetween(model, run, 10, 20))[6], kMassForce, 1e-2));
  EXPECT_TRUE(Within(response.forces.at(ElementBetween(model, run, 20, 30))[0], kMassForce, 1e-2));
  EXPECT_TRUE(Within(SupportValues(run, response, 1).at(0), kMassForce, 1e-2));
}

// Anchor 10, a pipe to 20 (100 in along X), the joint at 25, a pipe to 30
// (50 in) with the mass, whose weight turns the joint about Z by less than
// its friction of 30000 in-lb: stuck in the operating case and in the
// sustained case solved after the modal one. Without "Friction in
// dynamics" the modes turn on the spring of 1.0e4 in-lb per radian.
TEST_F(ModalResponseStatesTest, HingeAndBallJointsTurnOnTheModalSpringWhateverCameAfter) {
  const double lever = 50.0;
  for (const ElementType kind : {ElementType::HingeJoint, ElementType::BallJoint}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Model& model = Start();
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    const int joint = AddRow(model, 25, kind);
    if (kind == ElementType::HingeJoint) {
      auto& hinge = static_cast<HingeJoint&>(*model.row(joint).element);
      hinge.stiffness = 1.0e4f;
      hinge.frictionTorque = 30000.0f;
      hinge.axis[2] = 1.0f;
    } else {
      auto& ball = static_cast<BallJoint&>(*model.row(joint).element);
      ball.bendingStiffness = 1.0e4f;
      ball.torsionalStiffness = 1.0e6f;
      ball.bendingFrictionTorque = 30000.0f;
    }
    PutMass(PipeRow(model, 30, ElementType::Pipe, static_cast<float>(lever)));
    HoldAcross(30);
    const RunResults run = Run({1}, {8, 30, 1, 31});
    const CaseBlock& response = BlockOf(run, kCaseIdResponseSpectrum);
    // The hinge's frame has its axis (Z) as x; the ball joint's the pipe
    // (X) as x, so Z is its z.
    const std::array<float, 12>& joints = response.forces.at(ElementBetween(model, run, 20, 25));
    const float moment = kind == ElementType::HingeJoint ? joints[9] : joints[11];
    EXPECT_TRUE(Within(moment, kMassForce * lever, 1e-2));
    // The pipe beyond holds the mass: its shear, and the joint's moment at
    // its start.
    const std::array<float, 12>& pipe = response.forces.at(ElementBetween(model, run, 25, 30));
    EXPECT_TRUE(Within(pipe[7], kMassForce, 1e-2));
    EXPECT_TRUE(Within(pipe[5], moment, 1e-2));
    TearDown();
  }
}

// Anchor 10, a tie rod to 20 (10 in along X, tension 200 lb/in after a
// gap of 0.1 in), held across at 20 and 30, the mass at 40 and a pull of
// 100 lb at 50 in the operating case only, which leaves the rod in tension
// (stretched 0.6 in). With a sustained case after the modal one the rod
// is last left slack.
TEST_F(ModalResponseStatesTest, ATieRodPastItsGapCarriesTheMassForceWithoutAGapLoad) {
  for (const std::vector<int>& cases : {std::vector<int>{8, 30, 31}, std::vector<int>{8, 30, 1, 31}}) {
    SCOPED_TRACE(cases.size());
    Model& model = Start();
    const int rodRow = PipeRow(model, 20, ElementType::TieRod, 10.0f);
    auto& rod = static_cast<TieRod&>(*model.row(rodRow).element);
    rod.compressionStiffness = 50.0f;
    rod.tensionStiffness = 200.0f;
    rod.tensionGap = 0.1f;
    for (const int row : {rodRow, PipeRow(model, 30, ElementType::Pipe, 100.0f)}) {
      PutItem(model, row, DataType::Restraint);
      auto& restraint = static_cast<Restraint&>(*model.row(row).item);
      restraint.restrainY = restraint.restrainZ = 1;
    }
    PutMass(PipeRow(model, 40, ElementType::Pipe, 10.0f));
    PutOperatingForce(PipeRow(model, 50, ElementType::Pipe, 10.0f)).FX = 100.0f;
    const RunResults run = Run({0}, cases);
    // The operating case: the pull on the rod, 200 x (0.6 - 0.1).
    const std::size_t rodElement = ElementBetween(model, run, 10, 20);
    EXPECT_TRUE(Within(BlockOf(run, kCaseIdOperating).forces.at(rodElement)[6], 100.0, 1e-3));
    // The mode: the mass on the rod's 200 lb/in, about 2.3 Hz.
    ASSERT_GE(run.contents.modal.frequencies.size(), 1u);
    EXPECT_TRUE(Within(run.contents.modal.frequencies[0], std::sqrt(200.0 / kMass) / (2.0 * kPi), 5e-3));
    EXPECT_TRUE(Within(BlockOf(run, kCaseIdResponseSpectrum).forces.at(rodElement)[6], kMassForce, 1e-2));
    TearDown();
  }
}

// Anchor 10, a pipe to 20 (100 in along X) at 300 F in the operating case
// with the mass at 20 resting on a rigid stop (+Y, lower limit 0, friction
// 0.3): the pipe's growth slides it over the stop there. The sustained case
// after the modal one leaves it stuck (friction spring 1.0e12).
TEST_F(ModalResponseStatesTest, ALimitStopHoldsTheModesWithTheOperatingFrictionSpring) {
  Model& model = Start();
  model.options.FrictionInDynamics = 1;
  const int stopRow = MassOnItem(model, DataType::LimitStop);
  auto& stop = static_cast<LimitStop&>(*model.row(stopRow).item);
  stop.dirY = 1.0f;
  stop.lowerLimit = 0.0f;
  stop.frictionCoefficient = 0.3f;
  const RunResults run = Run({0}, {8, 30, 1, 31});
  // The operating case: the weight on the stop, 0.3 of it as friction
  // against the sliding along X.
  const CaseBlock& operating = BlockOf(run, kCaseIdOperating);
  const std::vector<double> slid = SupportValues(run, operating, stopRow);
  EXPECT_TRUE(Within(slid.at(0), -kMass * kG, 1e-3));
  EXPECT_TRUE(Within(slid.at(1), 0.3 * kMass * kG, 1e-3));
  const double sliding = std::fabs(NodeValues(model, operating, 20)[0]);
  ASSERT_GT(sliding, 0.01);
  const double spring = slid.at(1) / sliding;
  // The mode along X: the pipe and the friction spring share M Sa.
  const CaseBlock& response = BlockOf(run, kCaseIdResponseSpectrum);
  const double moved = std::fabs(NodeValues(model, response, 20)[0]);
  const std::vector<double> loads = SupportValues(run, response, stopRow);
  EXPECT_TRUE(Within(loads.at(1), spring * moved, 1e-2));
  const double pipe = std::fabs(response.forces.at(ElementBetween(model, run, 10, 20))[6]);
  EXPECT_TRUE(Within(pipe + loads.at(1), kMassForce, 1e-2));
}

// Anchor 10, a pipe to 20 (100 in along X) at 300 F in the operating case,
// the mass at 20 in a guide of 1.0e4 lb/in with a gap of 0.05 in and
// friction 0.3: the weight closes it downwards (the side across in Z stays
// open) and the pipe's growth slides it. The sustained case after the
// modal one leaves it stuck. The spectrum along X, Y and Z: one mode each.
TEST_F(ModalResponseStatesTest, AGuideHoldsTheModesWithItsOperatingContactsAndFrictionSpring) {
  for (const std::vector<int>& cases : {std::vector<int>{8, 30, 31}, std::vector<int>{8, 30, 1, 31}}) {
    SCOPED_TRACE(cases.size());
    Model& model = Start();
    model.options.FrictionInDynamics = 1;
    const int guideRow = MassOnItem(model, DataType::Guide);
    auto& guide = static_cast<Guide&>(*model.row(guideRow).item);
    guide.stiffness = 1.0e4f;
    guide.gap = 0.05f;
    guide.frictionCoefficient = 0.3f;
    const RunResults run = Run({0, 1, 2}, cases);
    const CaseBlock& operating = BlockOf(run, kCaseIdOperating);
    const std::vector<double> slid = SupportValues(run, operating, guideRow);
    // Axial, lateral 1 (Y, closed below), lateral 2 (Z, open).
    EXPECT_LT(slid.at(1), -0.5 * kMass * kG);
    EXPECT_EQ(slid.at(2), 0.0);
    const std::array<float, 6> at = NodeValues(model, operating, 20);
    ASSERT_LT(at[1], -0.05f);
    ASSERT_GT(std::fabs(at[0]), 0.01f);
    const double spring = std::fabs(slid.at(0)) / std::fabs(at[0]);
    EXPECT_TRUE(Within(std::fabs(slid.at(0)), 0.3 * std::fabs(slid.at(1)), 1e-3));
    const CaseBlock& response = BlockOf(run, kCaseIdResponseSpectrum);
    const std::array<float, 6> moved = NodeValues(model, response, 20);
    const std::vector<double> loads = SupportValues(run, response, guideRow);
    EXPECT_TRUE(Within(loads.at(0), spring * std::fabs(moved[0]), 1e-2));
    EXPECT_TRUE(Within(loads.at(1), 1.0e4 * std::fabs(moved[1]), 1e-2));
    EXPECT_EQ(loads.at(2), 0.0);
    // What the guide does not hold the pipe does.
    const std::array<float, 12>& pipe = response.forces.at(ElementBetween(model, run, 10, 20));
    EXPECT_TRUE(Within(std::fabs(pipe[6]) + loads.at(0), kMassForce, 1e-2));
    EXPECT_TRUE(Within(std::fabs(pipe[7]) + loads.at(1), kMassForce, 1e-2));
    EXPECT_TRUE(Within(std::fabs(pipe[8]), kMassForce, 1e-2));
    TearDown();
  }
}

// Anchor 10, a pipe to 20 (100 in along X), the mass at 20 on a rod
// hanger, lifted off in the operating case by 1000 lb upwards; the
// sustained case after the modal one seats it again (rigid).
TEST_F(ModalResponseStatesTest, ARodHangerLiftedOffCarriesNothingInTheModes) {
  Model& model = Start();
  const int row = PipeRow(model, 20, ElementType::Pipe, 100.0f);
  PutMass(row);
  HoldAcross(20);
  const int hangerRow = AddRow(model, 20, ElementType::From);
  PutItem(model, hangerRow, DataType::Hanger);
  static_cast<Hanger&>(*model.row(hangerRow).item).kind = kRodHanger;
  PutOperatingForce(AddRow(model, 20, ElementType::From)).FY = 1000.0f;
  const RunResults run = Run({1}, {8, 30, 1, 31});
  EXPECT_EQ(SupportValues(run, BlockOf(run, kCaseIdOperating), hangerRow).at(0), 0.0);
  EXPECT_TRUE(Within(SupportValues(run, BlockOf(run, kCaseIdSustained), hangerRow).at(0), -kMass * kG, 1e-3));
  const CaseBlock& response = BlockOf(run, kCaseIdResponseSpectrum);
  EXPECT_GT(std::fabs(NodeValues(model, response, 20)[1]), 0.1f);
  EXPECT_EQ(SupportValues(run, response, hangerRow).at(0), 0.0);
  EXPECT_TRUE(Within(std::fabs(response.forces.at(ElementBetween(model, run, 10, 20))[7]), kMassForce, 1e-2));
}

}  // namespace
