// The modal case through the analysis driver against beam theory: a pipe
// pinned at both ends (Euler-Bernoulli f_n = n²π/(2L²)·√(EI/m)), a cantilever
// with a tip weight (the root of its frequency equation found here by
// bisection), the cut at the cut-off frequency and at the number of modes,
// the participation factors of every mode of a short cantilever summing to
// the total mass in each direction, a limit stop that the operating case
// closed acting in the modal case, and the refusals before a run; one pipe
// with a tip weight at every mode count against a dense solution.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "analysis/KernelTestModels.h"
#include "analysis/ModalStep.h"
#include "elements/ConcentratedMass.h"
#include "model/MakeModel.h"
#include "services/AppTesting.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"

namespace {

using namespace analysis_testing;

constexpr double kSteelE = 27.9e6, kSteelDensity = 0.283, kG = 386.4;

class ModalAnalysisTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  void Start(Model& model, double density = kSteelDensity) {
    StartModel(model, 70.0, density, path_);
    for (int t = 1; t <= 2; ++t) model.materials[1].temps[static_cast<std::size_t>(t)].values[1] = static_cast<float>(kSteelE);
  }
  std::string path_ = TempFolder() + "/modal-analysis.mod";
};

double MassPerLength() { return kSteelDensity * Pipe4().A / kG; }

double BeamSpeed() { return std::sqrt(kSteelE * Pipe4().I / MassPerLength()); }

// Anchors at 10 and at the far end hold the translations and the twist
// only; every node between is held against Z, so the Y bending modes come
// first.
void PinnedPipe(Model& model, int elements, double length) {
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  const auto step = static_cast<float>(length / elements);
  for (int e = 1; e <= elements; ++e) {
    const int row = PipeRow(model, 10 + 10 * e, ElementType::Pipe, step);
    PutItem(model, row, e == elements ? DataType::Anchor : DataType::Restraint);
    if (e != elements) static_cast<Restraint&>(*model.row(row).item).restrainZ = 1;
  }
  for (int row : {1, elements + 1}) {
    auto& anchor = static_cast<Anchor&>(*model.row(row).item);
    anchor.stiffness[4] = anchor.stiffness[5] = 0.0f;
  }
  MakeModel(model);
}

// Cantilever from an anchor at 10 along X, with a concentrated weight at
// its free end (0: none).
void Cantilever(Model& model, int elements, double length, double tipWeight) {
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  const auto step = static_cast<float>(length / elements);
  for (int e = 1; e <= elements; ++e) PipeRow(model, 10 + 10 * e, ElementType::Pipe, step);
  if (tipWeight != 0.0) {
    PutItem(model, elements + 1, DataType::ConcentratedMass);
    static_cast<ConcentratedMass&>(*model.row(elements + 1).item).weight = static_cast<float>(tipWeight);
  }
  MakeModel(model);
}

RunResults AnalyseModes(Model& model) {
  SetCases(model, {30});
  return AnalyseAndRead(model);
}

// The mode shape value of a node (index) and direction read from the file.
float ShapeValue(const Model& model, const RunResults& run, int mode, int nodeIndex, int direction) {
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPathOf(model.path)));
  const std::int64_t at = run.contents.modal.shapes +
                          kNodeRecordBytes * (static_cast<std::int64_t>(mode - 1) * ResultNodeCount(model) + nodeIndex - 1) +
                          4 * direction;
  BinaryFileSeek(file, at);
  float value = 0.0f;
  BinaryFileReadFloat(file, value);
  return value;
}

TEST_F(ModalAnalysisTest, PinnedPipeGivesTheBeamFrequenciesAndHalfSineShapes) {
  Model& model = TheModel();
  Start(model);
  const double L = 480.0;
  PinnedPipe(model, 20, L);
  model.options.ModeCount = 3;
  model.options.CutOffFrequency = 100;
  const RunResults run = AnalyseModes(model);
  const ModalSummary& modal = run.contents.modal;
  ASSERT_TRUE(modal.present);
  ASSERT_EQ(modal.frequencies.size(), 3u);
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    const double expected = n * n * kPi / (2.0 * L * L) * BeamSpeed();
    EXPECT_TRUE(Within(modal.frequencies[static_cast<std::size_t>(n - 1)], expected, 5.0e-3));
    // Shear makes the element softer: never above the beam value.
    EXPECT_LT(modal.frequencies[static_cast<std::size_t>(n - 1)], expected);
  }
  // Mode 1 is a half sine in Y: the quarter point against midspan is sin 45°.
  const float quarter = ShapeValue(model, run, 1, FindNodeIndex(model.nodes, 60), 1);
  const float middle = ShapeValue(model, run, 1, FindNodeIndex(model.nodes, 110), 1);
  EXPECT_TRUE(Within(quarter / middle, std::sqrt(0.5), 5.0e-3));
  // M-normalised: Σ m·ΔL·φ² = 1 over the nodes; for a half sine on an
  // even grid that sum is m·L/2·φmax².
  EXPECT_TRUE(Within(std::fabs(middle), std::sqrt(2.0 / (MassPerLength() * L)), 5.0e-3));
  EXPECT_NEAR(ShapeValue(model, run, 1, FindNodeIndex(model.nodes, 110), 2), 0.0f, 1e-9);
  // Γy of the antisymmetric mode 2 vanishes; mode 1 carries 8/π² of the mass.
  EXPECT_NEAR(modal.participation[1][1] / modal.participation[0][1], 0.0, 1e-4);
  const double total = MassPerLength() * L;
  EXPECT_TRUE(Within(modal.totalMass, total, 1e-5));
  EXPECT_TRUE(Within(modal.participation[0][1] * modal.participation[0][1] / total, 8.0 / (kPi * kPi), 5e-3));
}

TEST_F(ModalAnalysisTest, CantileverWithATipWeightMatchesItsFrequencyEquation) {
  Model& model = TheModel();
  Start(model);
  const double L = 120.0, W = 500.0;
  Cantilever(model, 10, L, W);
  model.options.ModeCount = 2;
  const RunResults run = AnalyseModes(model);
  const double mu = W / (kG * MassPerLength() * L);
  auto f = [mu](double b) {
    return 1.0 + std::cos(b) * std::cosh(b) + mu * b * (std::cos(b) * std::sinh(b) - std::sin(b) * std::cosh(b));
  };
  double lo = 0.1, hi = 1.875;  // the root lies below the bare cantilever's
  ASSERT_LT(f(lo) * f(hi), 0.0);
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (lo + hi);
    (f(lo) * f(mid) <= 0.0 ? hi : lo) = mid;
  }
  const double beta = 0.5 * (lo + hi);
  const double expected = beta * beta / (2.0 * kPi * L * L) * BeamSpeed();
  EXPECT_NEAR(expected, 2.554, 0.001);
  ASSERT_EQ(run.contents.modal.frequencies.size(), 2u);
  // Y and Z bending: one root twice.
  for (float frequency : run.contents.modal.frequencies) EXPECT_TRUE(Within(frequency, expected, 5.0e-3));
}

TEST_F(ModalAnalysisTest, TheCutOffKeepsTheFirstModeAboveItAndTheModeCountCuts) {
  Model& model = TheModel();
  Start(model);
  PinnedPipe(model, 20, 480.0);
  model.options.ModeCount = 20;
  model.options.CutOffFrequency = 10;
  RunResults run = AnalyseModes(model);
  ASSERT_EQ(run.contents.modal.frequencies.size(), 3u);
  EXPECT_LT(run.contents.modal.frequencies[1], 10.0f);
  EXPECT_NEAR(run.contents.modal.frequencies[2], 18.0, 0.1);
  model.options.ModeCount = 2;
  run = AnalyseModes(model);
  EXPECT_EQ(run.contents.modal.frequencies.size(), 2u);
  // The whole file is what the reader expects, to the byte.
  EXPECT_EQ(run.fileSize, run.contents.endOffset);
}

TEST_F(ModalAnalysisTest, EveryModeOfAShortCantileverCarriesTheWholeMass) {
  Model& model = TheModel();
  Start(model);
  Cantilever(model, 5, 100.0, 0.0);
  model.options.ModeCount = 100;
  model.options.CutOffFrequency = 2000000000;
  const RunResults run = AnalyseModes(model);
  const ModalSummary& modal = run.contents.modal;
  // Six nodes with three translations each: eighteen finite roots.
  EXPECT_EQ(modal.frequencies.size(), 18u);
  for (int d = 0; d < 3; ++d) EXPECT_NEAR(modal.massSums[static_cast<std::size_t>(d)], 1.0, 1.0e-3) << d;
  for (std::size_t k = 1; k < modal.frequencies.size(); ++k) EXPECT_LE(modal.frequencies[k - 1], modal.frequencies[k]);
}

TEST_F(ModalAnalysisTest, KeptModeCountCutsAfterTheFirstModeAboveTheCutOff) {
  const double w = 2.0 * kPi;
  const std::vector<double> lambdas{w * w * 1.0, w * w * 4.0, w * w * 9.0, w * w * 16.0};
  EXPECT_EQ(KeptModeCount(lambdas, 2.5, 10), 3);
  EXPECT_EQ(KeptModeCount(lambdas, 0.5, 10), 1);
  EXPECT_EQ(KeptModeCount(lambdas, 100.0, 10), 4);
  EXPECT_EQ(KeptModeCount(lambdas, 100.0, 2), 2);
  EXPECT_EQ(KeptModeCount(lambdas, 3.0, 10), 4);  // 3 Hz is not above 3 Hz: 4 Hz is the first above
}

TEST_F(ModalAnalysisTest, KeptModeCountKeepsBothMembersOfARepeatedRoot) {
  const double w = 2.0 * kPi;
  const std::vector<double> lambdas{w * w * 1.0, w * w * 4.0, w * w * 4.0, w * w * 9.0};
  EXPECT_EQ(KeptModeCount(lambdas, 1.5, 10), 3);  // the first above the cut-off is one of two
  EXPECT_EQ(KeptModeCount(lambdas, 100.0, 2), 3);
  EXPECT_EQ(KeptModeCount(lambdas, 100.0, 1), 1);
}

// A +Y stop at midspan that the operating case closes halves the span:
// the lowest Y mode is the second of the whole pipe, 4·f1; with a gap wider
// than the sag it stays open and the pipe keeps f1.
TEST_F(ModalAnalysisTest, AStopClosedByTheOperatingCaseHoldsInTheModalCase) {
  for (const float gap : {0.0f, 5.0f}) {
    SCOPED_TRACE(gap);
    Model& model = TheModel();
    Start(model);
    const double L = 480.0;
    PinnedPipe(model, 20, L);
    PutItem(model, 11, DataType::LimitStop);
    auto& stop = static_cast<LimitStop&>(*model.row(11).item);
    stop.dirY = 1.0f;
    stop.lowerLimit = -gap;
    MakeModel(model);
    model.options.ModeCount = 1;
    SetCases(model, {8, 30});
    const RunResults run = AnalyseAndRead(model);
    const double f1 = kPi / (2.0 * L * L) * BeamSpeed();
    ASSERT_EQ(run.contents.modal.frequencies.size(), 1u);
    EXPECT_TRUE(Within(run.contents.modal.frequencies[0], gap == 0.0f ? 4.0 * f1 : f1, 5.0e-3));
    InitEmptyModel(model, AnalysisOptions());
  }
}

TEST_F(ModalAnalysisTest, DynamicCasesAreRefusedWithoutWhatTheyNeed) {
  Model& model = TheModel();
  Start(model);
  PinnedPipe(model, 4, 100.0);
  SetCases(model, {31, 30});
  try {
    RunAnalysis(model, SilentProgress());
    FAIL() << "ran";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "The load case \"Response spectrum\" needs a \"Modal analysis\" case before it in the load cases.");
  }
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
  PutItem(model, 3, DataType::LimitStop);
  static_cast<LimitStop&>(*model.row(3).item).dirY = 1.0f;
  MakeModel(model);
  for (const auto& [code, message] :
       {std::pair{3, "Dynamic analysis with nonlinearities must have (W+P1+T1) analyzed."},
        std::pair{0, "Dynamic analysis with nonlinearities must have Static load case analyzed."}}) {
    model.options.PipingCode = code;
    // The static case after the modal case is too late: its support states
    // are what the modal case needs.
    SetCases(model, {30, code == 0 ? 32 : 8});
    try {
      RunAnalysis(model, SilentProgress());
      FAIL() << "ran";
    } catch (const std::string& thrown) {
      EXPECT_EQ(thrown, message);
    }
    EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
  }
}

TEST_F(ModalAnalysisTest, AMasslessModelIsRefused) {
  Model& model = TheModel();
  Start(model, 0.0);
  Cantilever(model, 3, 100.0, 0.0);
  SetCases(model, {30});
  try {
    RunAnalysis(model, SilentProgress());
    FAIL() << "ran";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "This model has no mass.");
  }
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
}

// A density typed as 0 is stored as 1e-36: such a model has no mass either.
TEST_F(ModalAnalysisTest, AModelOfTheTypedZeroDensityIsRefused) {
  Model& model = TheModel();
  Start(model, 1.0e-36);
  Cantilever(model, 3, 100.0, 0.0);
  SetCases(model, {30});
  try {
    RunAnalysis(model, SilentProgress());
    FAIL() << "ran";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "This model has no mass.");
  }
}

// One 4.5 x 0.237 pipe, 100 in from an anchor at 10 to a weight of 1000 lb
// at 20, in a window of the program, where the note that the roots ran out
// is shown. Its six translations carry mass, the anchored node's too: the
// pipe's roots near 2.42 Hz (Y and Z bending) and 92.85 Hz (axial), and the
// three of the anchor springs near 466 kHz.
class ModalRootsTest : public AppFixture {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
    AppFixture::TearDown();
  }
  void Build(Model& model) {
    StartModel(model, 70.0, kDensity, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, static_cast<float>(kLength));
    PutItem(model, 2, DataType::ConcentratedMass);
    static_cast<ConcentratedMass&>(*model.row(2).item).weight = static_cast<float>(kTipWeight);
    MakeModel(model);
    SetCases(model, {30});
  }
  static constexpr double kLength = 100.0, kTipWeight = 1000.0;
  std::string path_ = TempFolder() + "/modal-roots.mod";
};

// The same pipe as twelve equations, dense: the element of a beam with
// shear deformation (Φ = 12·E·I·fs / L³, fs = L·k / (A·G), k the thick
// tube's shear form factor), 1.0e12 on the six equations of the anchored
// node, half the pipe's weight at each node and the tip weight at 20, over
// 386.4; K, M 0-based.
void PipeWithTipWeight(double L, double tipWeight, kerneltest::Dense& K, std::vector<double>& M) {
  const SectionValues s = Pipe4();
  const double EI = kE * s.I, fs = L * s.shear / (s.A * s.G), phi = 12.0 * EI * fs / (L * L * L);
  K = kerneltest::MakeDense(12);
  auto add = [&K](int i, int j, double v) {
    K[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] += v;
    if (i != j) K[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] += v;
  };
  auto pair = [&add](int i, int j, double v) {  // v at (i, i), (j, j); -v at (i, j)
    add(i, i, v), add(j, j, v), add(i, j, -v);
  };
  pair(0, 6, kE * s.A / L);
  pair(3, 9, s.G * 2.0 * s.I / L);
  const double a = 12.0 * EI / (L * L * L * (1.0 + phi)), b = 6.0 * EI / (L * L * (1.0 + phi));
  const double c = (4.0 + phi) * EI / (L * (1.0 + phi)), d = (2.0 - phi) * EI / (L * (1.0 + phi));
  // x-y plane: v (1, 7), θz (5, 11); x-z plane: w (2, 8), θy (4, 10).
  pair(1, 7, a), add(1, 5, b), add(1, 11, b), add(5, 7, -b), add(7, 11, -b), add(5, 5, c), add(11, 11, c), add(5, 11, d);
  pair(2, 8, a), add(2, 4, -b), add(2, 10, -b), add(4, 8, b), add(8, 10, b), add(4, 4, c), add(10, 10, c), add(4, 10, d);
  for (int i = 0; i < 6; ++i) add(i, i, 1.0e12);
  const double half = kDensity * s.A * L / 2.0;
  M.assign(12, 0.0);
  for (int i = 0; i < 3; ++i) {
    M[static_cast<std::size_t>(i)] = half / kG;
    M[static_cast<std::size_t>(i + 6)] = (half + tipWeight) / kG;
  }
}

// Every mode count from 1 to one past the six massed translations, with
// the cut-off below the axial root, between the pipe's roots and the
// anchor's, and above them all: the run ends without a fault and keeps the
// lowest roots up to the count, ending with the first above the cut-off;
// when the roots run out first, it says so and keeps them all. Each
// frequency equals the dense solution's.
TEST_F(ModalRootsTest, APipeWithATipWeightKeepsItsRootsAtEveryModeCount) {
  kerneltest::Dense K;
  std::vector<double> M;
  PipeWithTipWeight(kLength, kTipWeight, K, M);
  std::vector<double> hertz;
  for (double lambda : kerneltest::ReferenceEigenvalues(K, M)) hertz.push_back(std::sqrt(lambda) / (2.0 * kPi));
  ASSERT_EQ(hertz.size(), 6u);
  // The dense pipe against the hand numbers of the tip on a rigid anchor:
  // bending 1 / (L³/(3EI) + fs), axial EA / L, on (half the pipe + 1000 lb) / g.
  const SectionValues s = Pipe4();
  const double tip = (kDensity * s.A * kLength / 2.0 + kTipWeight) / kG;
  const double bending = 1.0 / (std::pow(kLength, 3) / (3.0 * kE * s.I) + kLength * s.shear / (s.A * s.G));
  EXPECT_TRUE(Within(hertz[0], std::sqrt(bending / tip) / (2.0 * kPi), 1.0e-5));
  EXPECT_TRUE(Within(hertz[1], hertz[0], 1.0e-9));
  EXPECT_TRUE(Within(hertz[2], std::sqrt(kE * s.A / kLength / tip) / (2.0 * kPi), 1.0e-5));
  EXPECT_GT(hertz[3], 4.0e5);
  for (const double cutOff : {33.0, 1.0e5, 1.0e7}) {
    for (int count = 1; count <= 7; ++count) {
      SCOPED_TRACE(testing::Message() << count << " modes, cut-off " << cutOff << " Hz");
      std::size_t expected = 0;
      bool above = false;
      while (expected < hertz.size() && static_cast<int>(expected) < count && !above) above = hertz[expected++] > cutOff;
      // The members of a repeated root go together.
      while (expected > 0 && expected < hertz.size() && Within(hertz[expected], hertz[expected - 1], 5.0e-7)) ++expected;
      const bool runOut = count > 6 && !above;
      Model& model = TheModel();
      Build(model);
      model.options.ModeCount = count;
      model.options.CutOffFrequency = static_cast<float>(cutOff);
      if (runOut)
        platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
          EXPECT_EQ(LinesOfDialog(dialog), std::vector<std::string>{"The deflated polynomial has no more roots"});
          SendMessage(dialog, WM_COMMAND, IDOK, 0);
        });
      RunResults run;
      try {
        run = AnalyseAndRead(model);
      } catch (const std::string& message) {
        FAIL() << message;
      }
      platform::CheckModalScript();
      const std::vector<float>& frequencies = run.contents.modal.frequencies;
      ASSERT_EQ(frequencies.size(), expected);
      for (std::size_t k = 0; k < expected; ++k) EXPECT_TRUE(Within(frequencies[k], hertz[k], 1.0e-6)) << "mode " << k + 1;
      EXPECT_EQ(run.fileSize, run.contents.endOffset);
    }
  }
}

}  // namespace
