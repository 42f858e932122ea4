// The force spectrum, harmonic and time history cases through the analysis
// driver, against closed-form responses:
// - a spring-mass: one pipe along X anchored at one end with a weight W at
//   the other (k = EA/L, m = (W + wL/2)/g; the bending modes do not move
//   that end along X);
// - a two-mass chain along X, whose two axial modes the test finds itself
//   from the 2 x 2 stiffness and mass;
// - a 10-element cantilever under a ramp-and-hold tip force against a
//   Newmark (average acceleration) integration of its own K and M;
// - a line of a pipe, a valve, a rigid element, a bend and a pipe held at
//   one end, under a slowly raised and held tip force with heavy damping:
//   once the motion has died away, every element of every kind carries the
//   tip force and its moment about the element's ends, by statics alone;
// and the time-history file: its size, where a step's node lies, the
// output interval 0, one time step, and no file without "Save results".
#include <gtest/gtest.h>

#include <complex>
#include <fstream>
#include <set>

#include "analysis/AnalysisTesting.h"
#include "analysis/ModalResponse.h"
#include "elements/ConcentratedMass.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/MakeModel.h"
#include "records/ForceSpectrum.h"
#include "records/TimeFunction.h"
#include "resultsfile/ResultsFile.h"
#include "services/TempFiles.h"

namespace {

using namespace analysis_testing;

constexpr double kG = 386.4;

class ModalResponseTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    std::filesystem::remove(TimeHistoryPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  std::string path_ = TempFolder() + "/modal-response.mod";
};

double WeightPerLength() { return kDensity * Pipe4().A; }

// A row at an existing node that carries one more item there.
int ItemRow(Model& model, NodeId node, DataType type) {
  const int row = PipeRow(model, node, ElementType::From, 0.0f);
  PutItem(model, row, type);
  return row;
}

void SetWeight(Model& model, int row, double weight) {
  static_cast<ConcentratedMass&>(*model.row(row).item).weight = static_cast<float>(weight);
}

HarmonicLoad& Harmonic(Model& model, NodeId node, double frequency, double phase, double fx) {
  auto& load = static_cast<HarmonicLoad&>(*model.row(ItemRow(model, node, DataType::HarmonicLoad)).item);
  load.Frequency = static_cast<float>(frequency);
  load.Phase = static_cast<float>(phase);
  load.FX = static_cast<float>(fx);
  return load;
}

void AddNamedPoints(NamedPointsList& list, const std::string& name, const std::vector<FloatPair>& points) {
  list.back().name = name;
  list.back().points = points;
  list.emplace_back();
}

// The spring-mass: 10 anchored, 20 at L along X with the weight W.
struct SpringMass {
  double k = 0.0, m = 0.0;
  double omega() const { return std::sqrt(k / m); }
};

SpringMass BuildSpringMass(Model& model, const std::string& path, double W, double L = 100.0) {
  StartModel(model, 70.0, kDensity, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L));
  PutItem(model, 2, DataType::ConcentratedMass);
  SetWeight(model, 2, W);
  model.options.ModeCount = 3;
  model.options.CutOffFrequency = 100000;
  model.options.IncludeMissingMass = 0;
  SpringMass spring;
  spring.k = kE * Pipe4().A / L;
  spring.m = (W + WeightPerLength() * L / 2.0) / kG;
  return spring;
}

double TipX(const Model& model, const RunResults& run, NodeId node = 20) {
  return run.cases.at(0).nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, node))][0];
}

TEST_F(ModalResponseTest, AHarmonicForceOnTheSpringMassAgainstTheSteadyStateAmplitude) {
  const double F = 1000.0;
  for (const double r : {0.5, 1.5}) {
    for (const int combination : {1, 0}) {
      for (const double damping : {0.0, 5.0}) {
        SCOPED_TRACE(::testing::Message() << "r " << r << " combination " << combination << " damping " << damping);
        Model& model = TheModel();
        const SpringMass spring = BuildSpringMass(model, path_, 1000.0);
        Harmonic(model, 20, r * spring.omega() / (2.0 * kPi), 30.0, F);
        MakeModel(model);
        model.harmonic.combination = combination;
        model.harmonic.damping = static_cast<float>(damping);
        SetCases(model, {30, 36});
        const RunResults run = AnalyseAndRead(model);
        const double zeta = damping * 0.01;
        const double amplitude = F / spring.k / std::sqrt(std::pow(1.0 - r * r, 2) + std::pow(2.0 * zeta * r, 2));
        const double expected = combination == 1 ? amplitude : std::sqrt(0.5) * amplitude;
        EXPECT_TRUE(Within(TipX(model, run), expected, 5.0e-3));
        // The anchor holds k·x: its FX amplitude.
        EXPECT_TRUE(Within(std::fabs(SupportValues(run, run.cases.at(0), 1)[0]), spring.k * expected, 5.0e-3));
        EXPECT_EQ(run.fileSize, run.contents.endOffset);
      }
    }
  }
}

TEST_F(ModalResponseTest, HarmonicRefusalsStopTheRunAndLeaveNoResults) {
  Model& model = TheModel();
  const SpringMass spring = BuildSpringMass(model, path_, 1000.0);
  Harmonic(model, 20, spring.omega() / (2.0 * kPi), 0.0, 100.0);
  MakeModel(model);
  SetCases(model, {30, 36});
  // The forcing frequency is only as exact as a float: the modal frequency
  // the run finds differs from it by far less than the resonance band.
  model.harmonic.damping = 0.0f;
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "resonance accepted";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Harmonic excitation at resonance without damping");
  }
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
  // With damping it runs: F/k/(2ζ).
  model.harmonic.damping = 5.0f;
  model.harmonic.combination = 1;
  const RunResults run = AnalyseAndRead(model);
  EXPECT_TRUE(Within(TipX(model, run), 100.0 / spring.k / 0.1, 5.0e-3));
  // A combination the dialog never stores, from a damaged file.
  model.harmonic.combination = 2;
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "combination 2 accepted";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Invalid harmonic combination");
  }
  model.harmonic.combination = 1;
  // A harmonic case without harmonic loads.
  model.row(3).dataType = DataType::None;
  model.row(3).item.reset();
  MakeModel(model);
  SetCases(model, {30, 36});
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "no loads accepted";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "No harmonic loads");
  }
}

TEST(HarmonicModeTest, SineAndCosineCoefficientsByHand) {
  // Undamped, r = 0.5: a sine force gives a sine response of 1/(1 - r²)/ω².
  const HarmonicCoefficients a = HarmonicModeResponse(2.0, 1.0, 0.0, 3.0, 0.0);
  EXPECT_DOUBLE_EQ(a.s, 3.0 / 0.75 / 4.0);
  EXPECT_DOUBLE_EQ(a.c, 0.0);
  // At resonance with damping the response lags by 90°: −P/(2ζ)/ω² cos.
  const HarmonicCoefficients b = HarmonicModeResponse(2.0, 2.0, 0.05, 1.0, 0.0);
  EXPECT_NEAR(b.s, 0.0, 1e-15);
  EXPECT_NEAR(b.c, -1.0 / 0.1 / 4.0, 1e-12);
  EXPECT_THROW(HarmonicModeResponse(2.0, 2.0, 0.0, 1.0, 0.0), std::string);
}

// The two-mass chain: 10 anchored, 20 at L1 with W1, 30 at L1 + L2 with W2;
// its axial modes from the 2 x 2 problem, M-normalised.
struct Chain {
  double k1, k2, m1, m2;
  double omega[2];
  double phi[2][2];  // [mode][mass]
};

Chain BuildChain(Model& model, const std::string& path) {
  const double L1 = 80.0, L2 = 120.0, W1 = 600.0, W2 = 1500.0;
  StartModel(model, 70.0, kDensity, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L1));
  PutItem(model, 2, DataType::ConcentratedMass);
  SetWeight(model, 2, W1);
  PipeRow(model, 30, ElementType::Pipe, static_cast<float>(L2));
  PutItem(model, 3, DataType::ConcentratedMass);
  SetWeight(model, 3, W2);
  model.options.ModeCount = 12;
  model.options.CutOffFrequency = 100000;
  model.options.IncludeMissingMass = 0;
  Chain c{};
  const double EA = kE * Pipe4().A, w = WeightPerLength();
  c.k1 = EA / L1;
  c.k2 = EA / L2;
  c.m1 = (W1 + w * (L1 + L2) / 2.0) / kG;
  c.m2 = (W2 + w * L2 / 2.0) / kG;
  // det(K − λM) = 0 with K = [[k1 + k2, −k2], [−k2, k2]].
  const double a = c.m1 * c.m2, b = -((c.k1 + c.k2) * c.m2 + c.k2 * c.m1), d = c.k1 * c.k2;
  const double root = std::sqrt(b * b - 4.0 * a * d);
  const double lambda[2] = {(-b - root) / (2.0 * a), (-b + root) / (2.0 * a)};
  for (int i = 0; i < 2; ++i) {
    c.omega[i] = std::sqrt(lambda[i]);
    const double x1 = c.k2, x2 = c.k1 + c.k2 - lambda[i] * c.m1;  // (K − λM) row 1
    const double norm = std::sqrt(c.m1 * x1 * x1 + c.m2 * x2 * x2);
    c.phi[i][0] = x1 / norm;
    c.phi[i][1] = x2 / norm;
  }
  return c;
}

TEST_F(ModalResponseTest, TwoHarmonicLoadsOfOneFrequencyNinetyDegreesApartOnTwoDampedModes) {
  Model& model = TheModel();
  const Chain c = BuildChain(model, path_);
  const double f = 0.8 * c.omega[1] / (2.0 * kPi), F1 = 800.0, F2 = 500.0;
  Harmonic(model, 20, f, 0.0, F1);
  Harmonic(model, 30, f, 90.0, F2);
  MakeModel(model);
  model.harmonic.combination = 1;
  model.harmonic.damping = 5.0f;
  SetCases(model, {30, 36});
  const RunResults run = AnalyseAndRead(model);
  // The complex amplitude of F sin(Ωt + φ) is F·e^{iφ}; each mode answers
  // with φᵀF̂/(ω² − Ω² + 2iζωΩ).
  const double W = 2.0 * kPi * f, zeta = 0.05;
  const std::complex<double> load[2] = {std::polar(F1, 0.0), std::polar(F2, kPi / 2.0)};
  std::complex<double> x[2];
  for (int i = 0; i < 2; ++i) {
    const std::complex<double> q = (c.phi[i][0] * load[0] + c.phi[i][1] * load[1]) /
                                   std::complex<double>(c.omega[i] * c.omega[i] - W * W, 2.0 * zeta * c.omega[i] * W);
    for (int n = 0; n < 2; ++n) x[n] += c.phi[i][n] * q;
  }
  EXPECT_TRUE(Within(TipX(model, run, 20), std::abs(x[0]), 5.0e-3));
  EXPECT_TRUE(Within(TipX(model, run, 30), std::abs(x[1]), 5.0e-3));
  // Squaring the modal coefficients apart would lose the cross terms: the
  // test would tell them apart.
  double apart = 0.0;
  for (int i = 0; i < 2; ++i) {
    const std::complex<double> q = (c.phi[i][0] * load[0] + c.phi[i][1] * load[1]) /
                                   std::complex<double>(c.omega[i] * c.omega[i] - W * W, 2.0 * zeta * c.omega[i] * W);
    apart += std::norm(c.phi[i][1] * q);
  }
  EXPECT_GT(std::fabs(std::sqrt(apart) - std::abs(x[1])), 0.01 * std::abs(x[1]));
  // The anchor holds the first spring's force: k1·x1.
  EXPECT_TRUE(Within(std::fabs(SupportValues(run, run.cases.at(0), 1)[0]), c.k1 * std::abs(x[0]), 5.0e-3));
}

TEST_F(ModalResponseTest, HarmonicLoadsOfNearFrequenciesFormOneGroup) {
  // 10.0 and 10.0005 Hz act together; 10.0 and 10.002 Hz apart, whose
  // amplitudes add under "Absolute Sum".
  for (const double second : {10.0005, 10.002}) {
    SCOPED_TRACE(second);
    Model& model = TheModel();
    const Chain c = BuildChain(model, path_);
    Harmonic(model, 30, 10.0, 0.0, 400.0);
    Harmonic(model, 30, second, 180.0, 400.0);
    MakeModel(model);
    model.harmonic.combination = 1;
    model.harmonic.damping = 0.0f;
    SetCases(model, {30, 36});
    const RunResults run = AnalyseAndRead(model);
    const double tip = TipX(model, run, 30);
    if (second < 10.001) {
      EXPECT_LT(std::fabs(tip), 1e-6);  // one group: opposite phases cancel
    } else {
      double one = 0.0;
      const double W = 2.0 * kPi * 10.0;
      for (int i = 0; i < 2; ++i) one += c.phi[i][1] * c.phi[i][1] * 400.0 / (c.omega[i] * c.omega[i] - W * W);
      EXPECT_TRUE(Within(tip, 2.0 * std::fabs(one), 5.0e-3));
    }
    InitEmptyModel(model, AnalysisOptions());
  }
}

TEST_F(ModalResponseTest, AForceSpectrumGivesSOverKAndTwoModesCombineBySrss) {
  Model& model = TheModel();
  const SpringMass spring = BuildSpringMass(model, path_, 1000.0);
  const double S = 2500.0;
  AddNamedPoints(model.forceSpectra, "FLAT", {{1.0f, static_cast<float>(S)}, {5000.0f, static_cast<float>(S)}});
  auto& load = static_cast<ForceSpectrumLoad&>(*model.row(ItemRow(model, 20, DataType::ForceSpectrumLoad)).item);
  load.Direction = 1;
  load.SpectrumName = "FLAT";
  load.ScaleFactor = 2.0f;
  load.UnitFactor = 1.0f;
  MakeModel(model);
  SetCases(model, {30, 37});
  RunResults run = AnalyseAndRead(model);
  EXPECT_TRUE(Within(TipX(model, run), 2.0 * S / spring.k, 5.0e-3));
  EXPECT_EQ(run.fileSize, run.contents.endOffset);

  // The chain: a rising spectrum, the tip load reaching both modes.
  InitEmptyModel(model, AnalysisOptions());
  const Chain c = BuildChain(model, path_);
  AddNamedPoints(model.forceSpectra, "RISE", {{1.0f, 100.0f}, {2000.0f, 4100.0f}});
  auto& tip = static_cast<ForceSpectrumLoad&>(*model.row(ItemRow(model, 30, DataType::ForceSpectrumLoad)).item);
  tip.Direction = 1;
  tip.SpectrumName = "RISE";
  tip.ScaleFactor = 1.0f;
  tip.UnitFactor = 1.0f;
  MakeModel(model);
  SetCases(model, {30, 37});
  run = AnalyseAndRead(model);
  double squares[2] = {0.0, 0.0};
  for (int i = 0; i < 2; ++i) {
    const double hz = c.omega[i] / (2.0 * kPi);
    const double value = 100.0 + (hz - 1.0) * 4000.0 / 1999.0;
    const double factor = value * c.phi[i][1] / (c.omega[i] * c.omega[i]);
    for (int n = 0; n < 2; ++n) squares[n] += std::pow(c.phi[i][n] * factor, 2);
  }
  EXPECT_TRUE(Within(TipX(model, run, 20), std::sqrt(squares[0]), 5.0e-3));
  EXPECT_TRUE(Within(TipX(model, run, 30), std::sqrt(squares[1]), 5.0e-3));
}

// A cantilever alike in Y and Z (ten 12 in lengths of 6.625 x 0.280 pipe,
// 1000 lb at the tip) has pairs of modes of one frequency; a Y force at the
// tip moves it in Y only, whatever angle the solver gave each pair.
TEST_F(ModalResponseTest, AForceSpectrumOnPairedModesLoadsItsOwnDirectionOnly) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  model.sections[1].outsideDiameter = 6.625f;
  model.sections[1].thickness = 0.280f;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  for (int e = 1; e <= 10; ++e) PipeRow(model, 10 + 10 * e, ElementType::Pipe, 12.0f);
  SetWeight(model, ItemRow(model, 110, DataType::ConcentratedMass), 1000.0);
  AddNamedPoints(model.forceSpectra, "FLAT", {{1.0f, 1000.0f}, {5000.0f, 1000.0f}});
  auto& load = static_cast<ForceSpectrumLoad&>(*model.row(ItemRow(model, 110, DataType::ForceSpectrumLoad)).item);
  load.Direction = 2;  // Y
  load.SpectrumName = "FLAT";
  load.ScaleFactor = 1.0f;
  load.UnitFactor = 1.0f;
  model.options.ModeCount = 4;
  model.options.CutOffFrequency = 100;
  MakeModel(model);
  SetCases(model, {30, 37});
  const RunResults run = AnalyseAndRead(model);
  const std::vector<double> anchor = SupportValues(run, run.cases.at(0), 1);
  EXPECT_GT(anchor.at(1), 500.0);
  EXPECT_LT(std::fabs(anchor.at(2)), 1.0e-6 * anchor.at(1));
  EXPECT_LT(std::fabs(anchor.at(4)), 1.0e-6 * std::fabs(anchor.at(5)));
}

TEST_F(ModalResponseTest, RowsNamingMissingOrEmptyTablesAreRefusedWithTheirRow) {
  Model& model = TheModel();
  BuildSpringMass(model, path_, 1000.0);
  auto& load = static_cast<ForceSpectrumLoad&>(*model.row(ItemRow(model, 20, DataType::ForceSpectrumLoad)).item);
  load.Direction = 1;
  load.SpectrumName = "NONE";
  AddNamedPoints(model.forceSpectra, "EMPTY", {});
  MakeModel(model);
  SetCases(model, {30, 37});
  int refused = 0;
  try {
    CheckModelAnalysable(model, &refused);
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3: Force spectrum: NONE is not defined");
  }
  EXPECT_EQ(refused, 3);
  load.SpectrumName = "EMPTY";
  EXPECT_THROW(
      try { RunAnalysis(model, SilentProgress()); } catch (const std::string& message) {
        EXPECT_EQ(message, "Row 3: Force spectrum: EMPTY does not have any values");
        throw;
      },
      std::string);
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
  // The same for the time history's function.
  model.row(3).item = CreateDataItem(DataType::TimeVaryingLoad);
  model.row(3).dataType = DataType::TimeVaryingLoad;
  auto& varying = static_cast<TimeVaryingLoad&>(*model.row(3).item);
  varying.Direction = 1;
  varying.TimeFunctionName = "GONE";
  model.timeHistory.timeStep = 0.001f;
  model.timeHistory.stepCount = 10;
  SetCases(model, {30, 35});
  refused = 0;
  try {
    CheckModelAnalysable(model, &refused);
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3: Time function: GONE is not defined");
  }
  EXPECT_EQ(refused, 3);
  AddNamedPoints(model.timeFunctions, "HOLLOW", {});
  varying.TimeFunctionName = "HOLLOW";
  try {
    CheckModelAnalysable(model);
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3: Time function: HOLLOW does not have any values");
  }
}

// A time-varying FX at node 20 with function `name`.
TimeVaryingLoad& Varying(Model& model, NodeId node, const std::string& name, double scale, int direction = 1) {
  auto& load = static_cast<TimeVaryingLoad&>(*model.row(ItemRow(model, node, DataType::TimeVaryingLoad)).item);
  load.Direction = direction;
  load.TimeFunctionName = name;
  load.ScaleFactor = static_cast<float>(scale);
  load.UnitFactor = 1.0f;
  return load;
}

TEST_F(ModalResponseTest, AStepForceGivesTwiceTheStaticDeflectionAndLessWithDamping) {
  const double F = 1000.0;
  for (const double damping : {0.0, 5.0}) {
    SCOPED_TRACE(damping);
    Model& model = TheModel();
    const SpringMass spring = BuildSpringMass(model, path_, 1000.0);
    AddNamedPoints(model.timeFunctions, "STEP", {{0.0f, 1.0f}, {100.0f, 1.0f}});
    Varying(model, 20, "STEP", F);
    MakeModel(model);
    const double period = 2.0 * kPi / spring.omega();
    model.timeHistory.timeStep = static_cast<float>(period / 200.0);
    model.timeHistory.stepCount = 401;
    model.timeHistory.outputInterval = 1;
    model.timeHistory.damping = static_cast<float>(damping);
    model.timeHistory.writeResults = 0;
    SetCases(model, {30, 35});
    const RunResults run = AnalyseAndRead(model);
    const double zeta = damping * 0.01;
    const double expected = F / spring.k * (1.0 + std::exp(-zeta * kPi / std::sqrt(1.0 - zeta * zeta)));
    // The peak is signed: the mass moves along +X.
    EXPECT_TRUE(Within(TipX(model, run), expected, 5.0e-3));
    EXPECT_TRUE(Within(std::fabs(SupportValues(run, run.cases.at(0), 1)[0]), spring.k * expected, 5.0e-3));
    EXPECT_FALSE(std::filesystem::exists(TimeHistoryPathOf(path_)));
    InitEmptyModel(model, AnalysisOptions());
  }
}

TEST(TimeHistoryIntegrationTest, TheRecursionFollowsTheClosedFormAndTheOutputInterval) {
  // A ramp p = t on ω = 3, ζ = 0.1: the exact response from rest is
  // (t − 2ζ/ω + e^(−ζωt)(2ζ/ω cos ωd t − (1 − 2ζ²)/ωd sin ωd t))/ω².
  const double w = 3.0, z = 0.1, dt = 0.05;
  const double wd = w * std::sqrt(1.0 - z * z);
  std::vector<double> p(201);
  for (std::size_t k = 0; k < p.size(); ++k) p[k] = static_cast<double>(k) * dt;
  auto exact = [&](double t) {
    return (t - 2.0 * z / w + std::exp(-z * w * t) * (2.0 * z / w * std::cos(wd * t) - (1.0 - 2.0 * z * z) / wd * std::sin(wd * t))) /
           (w * w);
  };
  const std::vector<double> every = IntegrateModalResponse(p, w, z, dt, 1);
  ASSERT_EQ(every.size(), 200u);
  for (std::size_t s = 0; s < every.size(); ++s) EXPECT_NEAR(every[s], exact(static_cast<double>(s + 1) * dt), 1e-12);
  const std::vector<double> third = IntegrateModalResponse(p, w, z, dt, 3);
  ASSERT_EQ(third.size(), 66u);  // (201 − 1) / 3
  EXPECT_NEAR(third[0], exact(3 * dt), 1e-12);
  EXPECT_NEAR(third[65], exact(198 * dt), 1e-12);
  // An interval of 0 acts as 1; one point gives no step.
  EXPECT_EQ(IntegrateModalResponse(p, w, z, dt, 0), every);
  EXPECT_TRUE(IntegrateModalResponse(std::vector<double>{1.0}, w, z, dt, 1).empty());
}

TEST_F(ModalResponseTest, SavedTimeHistoriesHaveTheSizeAndOffsetsOfTheirSteps) {
  Model& model = TheModel();
  const SpringMass spring = BuildSpringMass(model, path_, 1000.0);
  AddNamedPoints(model.timeFunctions, "STEP", {{0.0f, 1.0f}, {100.0f, 1.0f}});
  Varying(model, 20, "STEP", 1000.0);
  MakeModel(model);
  const double period = 2.0 * kPi / spring.omega();
  model.timeHistory.timeStep = static_cast<float>(period / 200.0);
  model.timeHistory.stepCount = 201;
  model.timeHistory.outputInterval = 0;  // acts as 1
  model.timeHistory.writeResults = 1;
  SetCases(model, {30, 35});
  const RunResults run = AnalyseAndRead(model);
  const std::string rth = TimeHistoryPathOf(path_);
  ASSERT_TRUE(std::filesystem::exists(rth));
  const std::int64_t N = ResultNodeCount(model), E = run.contents.elementCount, SB = run.contents.supportBlockBytes;
  EXPECT_EQ(static_cast<std::int64_t>(std::filesystem::file_size(rth)), TimeHistoryFileBytes(200, N, E, SB));
  EXPECT_EQ(TimeHistoryFileBytes(200, N, E, SB), 24 + 200 * (24 * N + 48 * E + SB));
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, rth));
  char magic[16];
  BinaryFileReadBytes(file, magic, 16);
  EXPECT_EQ(std::string(magic, 16), std::string("QUORVELWRTH5100\0", 16));
  float T = 0.0f;
  std::int32_t S = 0;
  BinaryFileReadFloat(file, T);
  BinaryFileReadInt(file, S);
  EXPECT_EQ(S, 200);
  EXPECT_FLOAT_EQ(T, model.timeHistory.timeStep);
  // Step 100 (half a period) at node 20: 2F/k, step s at 24 + (s − 1)·record.
  const int node = FindNodeIndex(model.nodes, 20);
  BinaryFileSeek(file, 24 + 99 * (24 * N + 48 * E + SB) + 24 * (node - 1));
  float x = 0.0f;
  BinaryFileReadFloat(file, x);
  EXPECT_TRUE(Within(x, 2000.0 / spring.k, 5.0e-3));
  // Its peak is the case's value.
  EXPECT_TRUE(Within(TipX(model, run), 2000.0 / spring.k, 5.0e-3));
  BinaryFileClose(file);

  // One time step: a file of 24 bytes and zero peaks.
  model.timeHistory.stepCount = 1;
  const RunResults one = AnalyseAndRead(model);
  EXPECT_EQ(std::filesystem::file_size(rth), 24u);
  EXPECT_EQ(TipX(model, one), 0.0f);
  // A run without "Save results" removes the earlier file.
  model.timeHistory.writeResults = 0;
  AnalyseAndRead(model);
  EXPECT_FALSE(std::filesystem::exists(rth));
  // A failed run leaves none either, nor its temporary.
  model.timeHistory.writeResults = 1;
  model.timeHistory.stepCount = 50;
  AddNamedPoints(model.timeFunctions, "EMPTY", {});
  model.loadCases.count = 3;
  model.loadCases.cases[3] = 36;  // harmonic without harmonic loads: fails after the time history
  EXPECT_THROW(RunAnalysis(model, SilentProgress()), std::string);
  EXPECT_FALSE(std::filesystem::exists(rth));
  int leftovers = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TempFolder()))
    leftovers += entry.path().filename().string().rfind("modal-response.rth", 0) == 0 ? 1 : 0;
  EXPECT_EQ(leftovers, 0);

  // A file that cannot be put in place (a folder holds its name) fails the
  // run with its path, and no results are written either.
  model.loadCases.count = 2;
  std::filesystem::remove(ResultsPathOf(path_));
  std::filesystem::create_directories(rth + "/held");
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "a run whose time history could not be written succeeded";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Unable to write the time history file\n" + rth);
  }
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
  std::filesystem::remove_all(rth);
}

// --- the cantilever against a Newmark integration of its own matrices -----

// Bending in the XY plane of a pipe cantilever along X: per free node v
// and θz; Timoshenko elements, translational lumped masses.
struct PlaneCantilever {
  int nodes;  // free nodes
  std::vector<std::vector<double>> K;
  std::vector<double> M;
  std::array<std::array<double, 4>, 4> element{};
};

PlaneCantilever MakePlaneCantilever(int elements, double L) {
  const SectionValues s = Pipe4();
  const double h = L / elements, EI = kE * s.I;
  const double phi = 12.0 * EI * s.shear / (s.G * s.A * h * h);
  const double c = EI / (h * h * h * (1.0 + phi));
  PlaneCantilever p;
  p.nodes = elements;
  p.element = {{{12 * c, 6 * h * c, -12 * c, 6 * h * c},
                {6 * h * c, (4 + phi) * h * h * c, -6 * h * c, (2 - phi) * h * h * c},
                {-12 * c, -6 * h * c, 12 * c, -6 * h * c},
                {6 * h * c, (2 - phi) * h * h * c, -6 * h * c, (4 + phi) * h * h * c}}};
  const int n = 2 * elements;
  p.K.assign(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(n), 0.0));
  p.M.assign(static_cast<std::size_t>(n), 0.0);
  const double m = kDensity * s.A / kG * h;
  for (int e = 0; e < elements; ++e) {
    // DOFs of the element: node e (0 is the anchor) and node e + 1.
    for (int a = 0; a < 4; ++a)
      for (int b = 0; b < 4; ++b) {
        const int ia = 2 * (e - 1) + a, ib = 2 * (e - 1) + b;
        if (ia < 0 || ib < 0) continue;
        p.K[static_cast<std::size_t>(ia)][static_cast<std::size_t>(ib)] += p.element[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
      }
    p.M[static_cast<std::size_t>(2 * e)] += (e == elements - 1 ? 0.5 : 1.0) * m;
  }
  return p;
}

std::vector<double> Solve(std::vector<std::vector<double>> A, std::vector<double> b) {
  const std::size_t n = b.size();
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t pivot = i;
    for (std::size_t r = i + 1; r < n; ++r)
      if (std::fabs(A[r][i]) > std::fabs(A[pivot][i])) pivot = r;
    std::swap(A[i], A[pivot]);
    std::swap(b[i], b[pivot]);
    for (std::size_t r = i + 1; r < n; ++r) {
      const double f = A[r][i] / A[i][i];
      for (std::size_t col = i; col < n; ++col) A[r][col] -= f * A[i][col];
      b[r] -= f * b[i];
    }
  }
  std::vector<double> x(n);
  for (std::size_t i = n; i-- > 0;) {
    double sum = b[i];
    for (std::size_t col = i + 1; col < n; ++col) sum -= A[i][col] * x[col];
    x[i] = sum / A[i][i];
  }
  return x;
}

TEST_F(ModalResponseTest, ACantileverUnderARampAndHoldAgainstNewmarkOfItsOwnMatrices) {
  const int elements = 10;
  const double L = 100.0, P = 500.0;
  const PlaneCantilever plane = MakePlaneCantilever(elements, L);
  const SectionValues s = Pipe4();
  const double f1 = 1.875104 * 1.875104 / (2.0 * kPi) * std::sqrt(kE * s.I / (kDensity * s.A / kG * std::pow(L, 4)));
  const double T1 = 1.0 / f1, rise = T1 / 4.0, dt = T1 / 400.0;
  const int K = 1201;

  // Newmark, average acceleration, at dt / 4 with the load linear in between.
  const int n = 2 * elements;
  const double h = dt / 4.0;
  std::vector<std::vector<double>> effective = plane.K;
  for (int i = 0; i < n; ++i) effective[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] += 4.0 / (h * h) * plane.M[static_cast<std::size_t>(i)];
  std::vector<double> u(static_cast<std::size_t>(n), 0.0), v = u, a = u;
  auto load = [&](double t) { return P * std::min(t / rise, 1.0); };
  double peakTip = 0.0, peakMoment = 0.0;
  const int steps = 4 * (K - 1);
  for (int step = 1; step <= steps; ++step) {
    const double t = step * h;
    std::vector<double> rhs(static_cast<std::size_t>(n), 0.0);
    rhs[static_cast<std::size_t>(n - 2)] = load(t);
    for (int i = 0; i < n; ++i) {
      const auto k = static_cast<std::size_t>(i);
      rhs[k] += plane.M[k] * (4.0 / (h * h) * u[k] + 4.0 / h * v[k] + a[k]);
    }
    const std::vector<double> next = Solve(effective, rhs);
    for (int i = 0; i < n; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const double an = 4.0 / (h * h) * (next[k] - u[k]) - 4.0 / h * v[k] - a[k];
      v[k] += h / 2.0 * (a[k] + an);
      a[k] = an;
      u[k] = next[k];
    }
    if (std::fabs(u[static_cast<std::size_t>(n - 2)]) > std::fabs(peakTip)) peakTip = u[static_cast<std::size_t>(n - 2)];
    // The anchor's moment from the first element's end-1 row.
    const double moment = plane.element[1][2] * u[0] + plane.element[1][3] * u[1];
    if (std::fabs(moment) > std::fabs(peakMoment)) peakMoment = moment;
  }

  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  for (int e = 1; e <= elements; ++e) PipeRow(model, 10 + 10 * e, ElementType::Pipe, static_cast<float>(L / elements));
  AddNamedPoints(model.timeFunctions, "RAMP", {{0.0f, 0.0f}, {static_cast<float>(rise), 1.0f}, {10.0f, 1.0f}});
  Varying(model, static_cast<NodeId>(10 + 10 * elements), "RAMP", P, 2);
  MakeModel(model);
  model.options.ModeCount = 100;
  model.options.CutOffFrequency = 1000000;
  model.options.IncludeMissingMass = 0;
  model.timeHistory.timeStep = static_cast<float>(dt);
  model.timeHistory.stepCount = K;
  model.timeHistory.outputInterval = 1;
  model.timeHistory.damping = 0.0f;
  SetCases(model, {30, 35});
  const RunResults run = AnalyseAndRead(model);
  const int tip = FindNodeIndex(model.nodes, static_cast<NodeId>(10 + 10 * elements));
  EXPECT_GT(std::fabs(peakTip), 1.2 * P * std::pow(L, 3) / (3.0 * kE * s.I));  // dynamic amplification shows
  EXPECT_TRUE(Within(run.cases.at(0).nodes[static_cast<std::size_t>(tip)][1], peakTip, 1.0e-2));
  EXPECT_TRUE(Within(std::fabs(SupportValues(run, run.cases.at(0), 1)[5]), std::fabs(peakMoment), 1.0e-2));
}

// The line from 10 (anchor) along X: pipe to 20, valve to 30, rigid
// element to 40, bend at 50 turning to Z, pipe to the tip 60, where a force
// P along Y rises over 0.2 s and holds. With 99 % damping and every mode of
// the line, the held response is the static one, and the line is
// statically determinate: at every element end the force is P and the
// moment P times the distance to the tip (every node lies at Y = 0, so the
// arm is perpendicular to the force). Those are lengths of vectors, the same
// in any element's frame. The time history recovers every mode's forces
// from element stiffnesses built once for all the modes; each kind's must
// hold the same at every step of the file and in the case's peaks.
TEST_F(ModalResponseTest, EveryElementKindOfAHeldLineCarriesTheTipForceAndItsMoment) {
  const double P = 300.0;
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 30.0f);
  PipeRow(model, 30, ElementType::Valve, 20.0f);
  PipeRow(model, 40, ElementType::Rigid, 10.0f);
  PipeRow(model, 50, ElementType::Bend, 40.0f);
  PipeRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 40.0f);
  AddNamedPoints(model.timeFunctions, "RAMP", {{0.0f, 0.0f}, {0.2f, 1.0f}, {10.0f, 1.0f}});
  Varying(model, 60, "RAMP", P, 2);
  MakeModel(model);
  // Every mode: the translations of the six free nodes (20, 30, 40, the
  // bend's two ends and 60) carry the masses.
  model.options.ModeCount = 18;
  model.options.CutOffFrequency = 1000000;
  model.options.IncludeMissingMass = 0;
  model.timeHistory = TimeHistorySettings{0.002f, 1001, 100, 1, 99.0f};
  SetCases(model, {30, 35});
  const RunResults run = AnalyseAndRead(model);
  const ResultsFileContents& contents = run.contents;
  ASSERT_EQ(contents.modal.frequencies.size(), 18u);
  std::set<ElementType> kinds;
  for (int e = 1; e <= contents.elementCount; ++e) kinds.insert(static_cast<ElementType>(contents.elements[static_cast<std::size_t>(e)].kind));
  EXPECT_EQ(kinds, (std::set<ElementType>{ElementType::Pipe, ElementType::Valve, ElementType::Rigid, ElementType::Bend}));
  const NodeRecord& tip = model.nodes[FindNodeIndex(model.nodes, 60)];
  auto arm = [&](int node) {
    const NodeRecord& at = model.nodes[node];
    return std::hypot(static_cast<double>(tip.x) - at.x, static_cast<double>(tip.y) - at.y, static_cast<double>(tip.z) - at.z);
  };
  auto norm = [](const float* v) { return std::hypot(static_cast<double>(v[0]), static_cast<double>(v[1]), static_cast<double>(v[2])); };
  // The element records of the last output step (t = 2 s) and of the peaks.
  const std::int64_t N = ResultNodeCount(model), E = contents.elementCount;
  const std::int64_t record = 24 * N + 48 * E + contents.supportBlockBytes;
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, TimeHistoryPathOf(path_)));
  ASSERT_EQ(file.size, 24 + 10 * record);
  BinaryFileSeek(file, 24 + 9 * record + 24 * N);
  std::vector<std::array<float, 12>> last(static_cast<std::size_t>(E) + 1);
  for (std::int64_t e = 1; e <= E; ++e) BinaryFileReadFloats(file, last[static_cast<std::size_t>(e)].data(), 12);
  ASSERT_FALSE(BinaryFileReadFailed(file));
  BinaryFileClose(file);
  for (int e = 1; e <= contents.elementCount; ++e) {
    const AnalysisElement& element = contents.elements[static_cast<std::size_t>(e)];
    SCOPED_TRACE(::testing::Message() << "element " << e << " of kind " << element.kind);
    const std::array<const float*, 2> records{last[static_cast<std::size_t>(e)].data(),
                                              run.cases.at(0).forces[static_cast<std::size_t>(e)].data()};
    for (const float* values : records) {
      EXPECT_TRUE(Within(norm(values), P, 2.0e-3));
      EXPECT_TRUE(Within(norm(values + 6), P, 2.0e-3));
      EXPECT_TRUE(Within(norm(values + 3), P * arm(element.node1), 2.0e-3, 1.0e-3 * P));
      EXPECT_TRUE(Within(norm(values + 9), P * arm(element.node2), 2.0e-3, 1.0e-3 * P));
    }
  }
}

}  // namespace
