// The response spectrum case through the analysis driver: the mode and
// direction sums by hand; a flat spectrum on the pinned pipe against each
// rule applied to the modes of a pinned beam by hand; the missing mass
// of a cantilever against its static deflection under the whole mass
// (found here from beam theory for the lumped loads), in displacement and
// acceleration; the missing-mass factor of a spectrum beyond its points;
// the "_MFM.csv" export; seismic anchor movements of a B31.1 model added
// as absolute values (a pinned end moved across tilts the pipe by half at
// midspan, moved along it stretches the pipe by EA·δ/L), with their block
// in the export; and the case's block read where the reader expects it.
#include <gtest/gtest.h>

#include <fstream>

#include "analysis/AnalysisTesting.h"
#include "analysis/ResponseSpectrum.h"
#include "elements/ConcentratedMass.h"
#include "model/MakeModel.h"
#include "records/Spectrum.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"
#include "supports/Restraint.h"

namespace {

using namespace analysis_testing;

constexpr double kG = 386.4;

TEST(ModeSumTest, EveryRuleOfModesAndDirectionsByHand) {
  const double w = 2.0 * kPi;
  const std::vector<double> omega{0.0, 10.0 * w, 10.5 * w, 30.0 * w};
  const std::vector<double> r{3.0, -4.0, 12.0};
  EXPECT_DOUBLE_EQ(CombineModes(r, omega, 3, kSumAbsolute), 19.0);
  EXPECT_DOUBLE_EQ(CombineModes(r, omega, 3, kSumSrss), 13.0);
  EXPECT_DOUBLE_EQ(CombineModes(r, omega, 3, kSumCloselySpaced), std::sqrt(193.0));
  EXPECT_DOUBLE_EQ(CombineModes(r, omega, 3, kSumNrl), 17.0);
  // Modes more than 10 % apart: closely spaced is SRSS; one mode: NRL is it.
  const std::vector<double> apart{0.0, 10.0 * w, 11.5 * w, 30.0 * w};
  EXPECT_DOUBLE_EQ(CombineModes(r, apart, 3, kSumCloselySpaced), 13.0);
  EXPECT_DOUBLE_EQ(CombineModes(std::vector<double>{-5.0}, omega, 1, kSumNrl), 5.0);
  // A missing-mass column never pairs.
  EXPECT_DOUBLE_EQ(CombineModes(r, omega, 1, kSumCloselySpaced), 13.0);
  EXPECT_DOUBLE_EQ(CombineDirections(3.0, -4.0, 0.0, kSumAbsolute), 7.0);
  EXPECT_DOUBLE_EQ(CombineDirections(3.0, -4.0, 0.0, kSumSrss), 5.0);
}

ResponseSpectrum Flat(const std::string& name, float g, bool period = false) {
  ResponseSpectrum spectrum;
  spectrum.name = name;
  spectrum.ordinateUnit = kOrdinateG;
  spectrum.periodAbscissa = period ? 1 : 0;
  spectrum.points = {{0.1f, static_cast<float>(g * kG)}, {100.0f, static_cast<float>(g * kG)}};
  return spectrum;
}

TEST(ModeSumTest, TheMissingMassFactorLooksAtAndAboveTheLastMode) {
  SpectrumList list;
  SpectrumLoad load;
  ClearSpectra(list, load);
  ResponseSpectrum peaked;
  peaked.name = "PEAK";
  peaked.ordinateUnit = kOrdinateG;
  peaked.points = {{1.0f, static_cast<float>(0.2 * kG)}, {5.0f, static_cast<float>(0.8 * kG)},
                   {20.0f, static_cast<float>(0.3 * kG)}};
  SetLastSpectrum(list, peaked);
  SetDirectionSpectrum(load, 1, "PEAK", 2.0f);
  const double w = 2.0 * kPi;
  // At 10 Hz only the 20 Hz point lies beyond: 0.3 against the value at 10.
  const double at10 = 0.8 - (0.8 - 0.3) * 5.0 / 15.0;
  EXPECT_NEAR(MissingMassFactor(list, load, 10.0 * w, 1), 2.0 * at10, 1e-6);
  // Below the first point every point counts: the peak.
  EXPECT_NEAR(MissingMassFactor(list, load, 0.5 * w, 1), 2.0 * 0.8, 1e-6);
  EXPECT_EQ(MissingMassFactor(list, load, 10.0 * w, 0), 0.0);
  // A period spectrum: shorter periods are the higher frequencies.
  ResponseSpectrum byPeriod = peaked;
  byPeriod.name = "PERIOD";
  byPeriod.periodAbscissa = 1;
  SetLastSpectrum(list, byPeriod);
  SetDirectionSpectrum(load, 2, "PERIOD", 1.0f);
  // T = 10 s: the 5 s peak counts, the 20 s point does not.
  EXPECT_NEAR(MissingMassFactor(list, load, 0.1 * w, 2), 0.8, 1e-6);
  EXPECT_NEAR(MissingMassFactor(list, load, 0.5 * w, 2), 0.2 + 0.6 / 4.0, 1e-6);  // T = 2 s: its own value
  // A displacement ordinate counts as ω²·y at its own frequency.
  ResponseSpectrum displacement;
  displacement.name = "DISP";
  displacement.ordinateUnit = kOrdinateInch;
  displacement.points = {{1.0f, 0.01f}, {10.0f, 0.01f}};
  SetLastSpectrum(list, displacement);
  SetDirectionSpectrum(load, 0, "DISP", 1.0f);
  EXPECT_NEAR(MissingMassFactor(list, load, 2.0 * w, 0), 0.01 * std::pow(10.0 * w, 2) / kG, 1e-6);
  EXPECT_EQ(ModalForcesPath("/a/b.c/model.mod"), "/a/b.c/model_MFM.csv");
  EXPECT_EQ(ModalForcesPath("/a/b.c/model"), "/a/b.c/model_MFM.csv");
}

class ResponseSpectrumTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    std::filesystem::remove(ModalForcesPath(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  std::string path_ = TempFolder() + "/response-spectrum.mod";
};

// The values of a node record of the modal block and of a case block.
struct ReadBack {
  RunResults run;
  std::vector<std::array<float, 6>> shape(const Model& model, int mode) const {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPathOf(model.path)));
    const int N = ResultNodeCount(model);
    std::vector<std::array<float, 6>> nodes(static_cast<std::size_t>(N) + 1);
    BinaryFileSeek(file, run.contents.modal.shapes + kNodeRecordBytes * static_cast<std::int64_t>(mode - 1) * N);
    for (int n = 1; n <= N; ++n) BinaryFileReadFloats(file, nodes[static_cast<std::size_t>(n)].data(), 6);
    return nodes;
  }
  std::array<float, 6> acceleration(const Model& model, int nodeIndex) const {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPathOf(model.path)));
    BinaryFileSeek(file, run.contents.cases.at(1).accelerations + kNodeRecordBytes * (nodeIndex - 1));
    std::array<float, 6> values{};
    BinaryFileReadFloats(file, values.data(), 6);
    return values;
  }
};

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

// The pinned beam by hand (Euler-Bernoulli, mass m per length): mode n is
// φn = √(2/(mL))·sin(nπx/L) at ωn = n²π²/L²·√(EI/m), Γn = ∫ m·φn dx =
// √(2mL)·2/(nπ) for odd n and 0 for even n. Under a flat Sa in Y, mode n
// moves midspan by Sa·Γn·φn(L/2)/ωn² = 4·Sa·sin(nπ/2)/(nπ·ωn²) and loads
// each end by Sa·∫ m·Γn·φn·(1 − x/L) dx = 4·m·L·Sa/(n²π²). Of the three
// lowest modes, 1 and 3 take part: at midspan r1 and r3 = −r1/243, at the
// ends R1 and R3 = R1/9. The rules: "Absolute" |r1| + |r3|; "SRSS" and
// "Closely spaced" (ω 1 : 4 : 9, no pair within 10 %) √(r1² + r3²); "NRL"
// the largest plus the root of the squares of the others, |r1| + |r3|. At
// the ends the rules differ by 10 %, far beyond the 1 % that the lumped
// masses of 20 elements and the shear leave between the pipe and the beam.
double PinnedBeamRule(int rule, double first, double third) {
  if (rule == kSumAbsolute || rule == kSumNrl) return std::fabs(first) + std::fabs(third);
  return std::sqrt(first * first + third * third);
}

TEST_F(ResponseSpectrumTest, AFlatSpectrumOnThePinnedPipeFollowsEachRule) {
  const double L = 480.0, Sa = 0.5 * kG;
  const SectionValues s = Pipe4();
  const double m = kDensity * s.A / kG, w1 = kPi * kPi / (L * L) * std::sqrt(kE * s.I / m);
  const double r1 = 4.0 * Sa / (kPi * w1 * w1), R1 = 4.0 * m * L * Sa / (kPi * kPi);
  for (const int rule : {kSumAbsolute, kSumSrss, kSumCloselySpaced, kSumNrl}) {
    SCOPED_TRACE(rule);
    Model& model = TheModel();
    StartModel(model, 70.0, kDensity, path_);
    PinnedPipe(model, 20, L);
    model.options.ModeCount = 3;
    model.options.CutOffFrequency = 1000;
    model.options.IncludeMissingMass = 0;
    SetLastSpectrum(model.spectra, Flat("HALF", 0.5f));
    SetDirectionSpectrum(model.spectrumLoad, 1, "HALF", 1.0f);
    model.spectrumLoad.modeSum = rule;
    SetCases(model, {30, 31});
    const RunResults run = AnalyseAndRead(model);
    ASSERT_EQ(run.contents.modal.frequencies.size(), 3u);
    const int middle = FindNodeIndex(model.nodes, 110);
    EXPECT_TRUE(Within(run.cases.at(0).nodes[static_cast<std::size_t>(middle)][1],
                       PinnedBeamRule(rule, r1, -r1 / 243.0), 5.0e-3));
    const std::vector<double> end = SupportValues(run, run.cases.at(0), 1);
    EXPECT_TRUE(Within(end.at(1), PinnedBeamRule(rule, R1, R1 / 9.0), 1.0e-2));
    // Every block where the reader puts it, to the byte.
    EXPECT_EQ(run.fileSize, run.contents.endOffset);
    InitEmptyModel(model, AnalysisOptions());
  }
}

// A cantilever alike in Y and Z: ten 12 in lengths of 6.625 x 0.280 pipe
// from an anchor at 10, 1000 lb at the tip. Its modes come in pairs of one
// frequency, which the solver returns turned by any angle in their plane.
void PairedCantilever(Model& model) {
  model.sections[1].outsideDiameter = 6.625f;
  model.sections[1].thickness = 0.280f;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  for (int e = 1; e <= 10; ++e) PipeRow(model, 10 + 10 * e, ElementType::Pipe, 12.0f);
  PutItem(model, 11, DataType::ConcentratedMass);
  static_cast<ConcentratedMass&>(*model.row(11).item).weight = 1000.0f;
  MakeModel(model);
}

// A flat 1 g in Y, four modes, missing mass: the Y accelerations at 30 to 90
// of an independent frame solution, and nothing at all in Z.
TEST_F(ResponseSpectrumTest, AYSpectrumOnPairedModesMovesTheSymmetricCantileverInYOnly) {
  const double expected[7] = {0.742, 0.631, 0.676, 0.804, 0.902, 0.930, 0.911};
  for (const int rule : {kSumSrss, kSumCloselySpaced}) {
    SCOPED_TRACE(rule);
    Model& model = TheModel();
    StartModel(model, 70.0, kDensity, path_);
    PairedCantilever(model);
    model.options.ModeCount = 4;
    model.options.CutOffFrequency = 100;
    model.options.IncludeMissingMass = 1;
    SetLastSpectrum(model.spectra, Flat("ONE", 1.0f));
    SetDirectionSpectrum(model.spectrumLoad, 1, "ONE", 1.0f);
    model.spectrumLoad.modeSum = rule;
    SetCases(model, {30, 31});
    ReadBack back{AnalyseAndRead(model)};
    for (int n = 0; n < 7; ++n) {
      const std::array<float, 6> a = back.acceleration(model, FindNodeIndex(model.nodes, 30 + 10 * n));
      EXPECT_TRUE(Within(a[1] / kG, expected[n], 5.0e-3)) << n << " " << a[1] / kG;
      EXPECT_LT(std::fabs(a[2]), 1.0e-6 * a[1]) << n;
    }
    const std::vector<double> anchor = SupportValues(back.run, back.run.cases.at(0), 1);
    EXPECT_LT(std::fabs(anchor.at(2)), 1.0e-6 * anchor.at(1));
    EXPECT_LT(std::fabs(anchor.at(4)), 1.0e-6 * std::fabs(anchor.at(5)));
    InitEmptyModel(model, AnalysisOptions());
  }
}

// The cut-off at 33 Hz falls between the cantilever's first pair and its
// second: both members of the second stay, so the Y missing mass carries
// nothing in Z.
TEST_F(ResponseSpectrumTest, TheCutOffKeepsBothMembersOfAPair) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  PairedCantilever(model);
  model.options.ModeCount = 10;
  model.options.CutOffFrequency = 33;
  model.options.IncludeMissingMass = 1;
  SetLastSpectrum(model.spectra, Flat("ONE", 1.0f));
  SetDirectionSpectrum(model.spectrumLoad, 1, "ONE", 1.0f);
  SetCases(model, {30, 31});
  ReadBack back{AnalyseAndRead(model)};
  const std::vector<float>& hz = back.run.contents.modal.frequencies;
  ASSERT_EQ(hz.size(), 4u);
  EXPECT_LT(hz[1], 33.0);
  EXPECT_GT(hz[2], 33.0);
  EXPECT_NEAR(hz[3], hz[2], 1.0e-5 * hz[2]);
  const std::array<float, 6> tip = back.acceleration(model, FindNodeIndex(model.nodes, 110));
  EXPECT_LT(std::fabs(tip[2]), 1.0e-6 * tip[1]);
}

TEST_F(ResponseSpectrumTest, TheMissingMassAddsTheStaticResponseTheModesLeaveOut) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  const double L = 100.0;
  const int elements = 10;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  for (int e = 1; e <= elements; ++e) {
    const int row = PipeRow(model, 10 + 10 * e, ElementType::Pipe, static_cast<float>(L / elements));
    PutItem(model, row, DataType::Restraint);
    static_cast<Restraint&>(*model.row(row).item).restrainZ = 1;
  }
  MakeModel(model);
  model.options.ModeCount = 1;
  model.options.IncludeMissingMass = 1;
  SetLastSpectrum(model.spectra, Flat("ONE", 1.0f));
  SetDirectionSpectrum(model.spectrumLoad, 1, "ONE", 1.0f);
  model.spectrumLoad.modeSum = kSumSrss;
  SetCases(model, {30, 31});
  ReadBack back{AnalyseAndRead(model)};
  const ModalSummary& modal = back.run.contents.modal;
  ASSERT_EQ(modal.frequencies.size(), 1u);
  const int tip = FindNodeIndex(model.nodes, 10 + 10 * elements);
  const double w = 2.0 * kPi * modal.frequencies[0];
  const double gammaPhi = modal.participation[0][1] * back.shape(model, 1)[static_cast<std::size_t>(tip)][1];
  const double r1 = kG * gammaPhi / (w * w);
  // The static tip deflection under 1 g on the lumped masses (m·ΔL at the
  // inner nodes, half at the tip): bending and shear of the cantilever.
  const SectionValues s = Pipe4();
  const double m = kDensity * s.A / kG, dL = L / elements;
  double us = 0.0;
  for (int j = 1; j <= elements; ++j) {
    const double x = j * dL, P = m * dL * kG * (j == elements ? 0.5 : 1.0);
    us += P * (x * x * (3.0 * L - x) / (6.0 * kE * s.I) + s.shear * x / (s.G * s.A));
  }
  const double expected = std::sqrt(r1 * r1 + (us - r1) * (us - r1));
  EXPECT_GT(std::fabs(us - r1), 0.005 * std::fabs(us));  // the missing part counts
  EXPECT_TRUE(Within(back.run.cases.at(0).nodes[static_cast<std::size_t>(tip)][1], expected, 5.0e-3));
  const double acceleration = std::sqrt(gammaPhi * gammaPhi + (1.0 - gammaPhi) * (1.0 - gammaPhi));
  EXPECT_TRUE(Within(back.acceleration(model, tip)[1] / kG, acceleration, 5.0e-3));
  EXPECT_EQ(back.run.fileSize, back.run.contents.endOffset);
  // The export: the mode's block, then the three missing-mass blocks.
  std::ifstream csv(ModalForcesPath(path_));
  std::vector<std::string> titles;
  for (std::string line; std::getline(csv, line);)
    if (line.rfind("Modal Local Forces & Moments", 0) == 0) titles.push_back(line);
  ASSERT_EQ(titles.size(), 4u);
  char first[128];
  std::snprintf(first, sizeof first, "Modal Local Forces & Moments: Mode = 1; Frequency = %.3f Hz", modal.frequencies[0]);
  EXPECT_EQ(titles[0], first);
  EXPECT_EQ(titles[2].substr(0, 69), "Modal Local Forces & Moments for Missing Mass in Global-Y direction: ");
}

TEST_F(ResponseSpectrumTest, WithoutMissingMassTheExportHoldsTheModesOnly) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  PinnedPipe(model, 6, 200.0);
  model.options.ModeCount = 2;
  model.options.IncludeMissingMass = 0;
  SetLastSpectrum(model.spectra, Flat("ONE", 1.0f));
  SetDirectionSpectrum(model.spectrumLoad, 1, "ONE", 1.0f);
  SetCases(model, {30, 31});
  const RunResults run = AnalyseAndRead(model);
  std::ifstream csv(ModalForcesPath(path_));
  std::vector<std::string> lines;
  for (std::string line; std::getline(csv, line);) lines.push_back(line);
  ASSERT_GT(lines.size(), 5u);
  EXPECT_EQ(lines[1], "Node, Type, fx, fy, fz, mx, my, mz,,,,,Direction Cosines");
  // Mode 1's rows carry the nine cosines of the element's local axes.
  const std::string row = lines[3];
  EXPECT_EQ(std::count(row.begin(), row.end(), ','), 17) << row;
  int modes = 0;
  for (const std::string& line : lines) modes += line.rfind("Modal Local Forces & Moments: Mode", 0) == 0 ? 1 : 0;
  EXPECT_EQ(modes, 2);
  EXPECT_EQ(run.fileSize, run.contents.endOffset);
}

TEST_F(ResponseSpectrumTest, SeismicAnchorMovementsAddToTheSpectrumAndJoinTheExport) {
  const double dx = 0.02, dy = 0.3, L = 480.0;
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  PinnedPipe(model, 20, L);
  model.options.PipingCode = 1;
  model.options.ModeCount = 3;
  model.options.CutOffFrequency = 1000;
  model.options.IncludeMissingMass = 0;
  SetLastSpectrum(model.spectra, Flat("HALF", 0.5f));
  SetDirectionSpectrum(model.spectrumLoad, 1, "HALF", 1.0f);
  model.spectrumLoad.modeSum = kSumSrss;
  auto& anchor = static_cast<Anchor&>(*model.row(1).item);
  anchor.displacements.flags[static_cast<std::size_t>(kSeismicSlot)] = 1;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  anchor.displacements.sets->values[static_cast<std::size_t>(6 * kSeismicSlot + 1)] = static_cast<float>(dx);
  anchor.displacements.sets->values[static_cast<std::size_t>(6 * kSeismicSlot + 2)] = static_cast<float>(-dy);
  SetCases(model, {30, 31});
  ReadBack back{AnalyseAndRead(model)};
  ASSERT_EQ(back.run.cases.size(), 1u);
  const ModalSummary& modal = back.run.contents.modal;
  const int middle = FindNodeIndex(model.nodes, 110);
  std::vector<double> r, omega{0.0};
  for (int m = 1; m <= 3; ++m) {
    const double w = 2.0 * kPi * modal.frequencies[static_cast<std::size_t>(m - 1)];
    omega.push_back(w);
    const double phi = back.shape(model, m)[static_cast<std::size_t>(middle)][1];
    r.push_back(0.5 * kG * modal.participation[static_cast<std::size_t>(m - 1)][1] * phi / (w * w));
  }
  const CaseBlock& spectrum = back.run.cases.at(0);
  EXPECT_TRUE(Within(spectrum.nodes[static_cast<std::size_t>(middle)][1], CombineModes(r, omega, 3, kSumSrss) + dy / 2.0,
                     5.0e-3));
  EXPECT_TRUE(Within(spectrum.nodes[static_cast<std::size_t>(middle)][0], dx / 2.0, 5.0e-3));
  // The stretch at both anchors and in every element; the modes bend only.
  const SectionValues s = Pipe4();
  const double stretch = kE * s.A * dx / L;
  EXPECT_TRUE(Within(SupportValues(back.run, spectrum, 1).at(0), stretch, 1e-3));
  EXPECT_TRUE(Within(SupportValues(back.run, spectrum, 21).at(0), stretch, 1e-3));
  EXPECT_TRUE(Within(spectrum.forces[10][0], stretch, 1e-3));
  // No acceleration comes of the movements.
  EXPECT_LT(std::fabs(back.acceleration(model, middle)[0]), 1e-3);
  EXPECT_EQ(back.run.fileSize, back.run.contents.endOffset);
  // The export: the three modes, then the movements' forces.
  std::ifstream csv(ModalForcesPath(path_));
  std::vector<std::string> lines;
  for (std::string line; std::getline(csv, line);) lines.push_back(line);
  const auto seismic = std::find(lines.begin(), lines.end(), "Forces & Moments for Seismic Displacements");
  ASSERT_NE(seismic, lines.end());
  int modesBefore = 0;
  for (auto line = lines.begin(); line != seismic; ++line)
    modesBefore += line->rfind("Modal Local Forces & Moments: Mode", 0) == 0 ? 1 : 0;
  EXPECT_EQ(modesBefore, 3);
  ASSERT_GT(lines.end() - seismic, 5);
  EXPECT_EQ(seismic[1], "Node, Type, fx, fy, fz, mx, my, mz");
  // The first element's near end: node 10, its axial force first.
  const std::string row = seismic[3];
  EXPECT_EQ(row.substr(0, row.find(',')), "10");
  EXPECT_EQ(std::count(row.begin(), row.end(), ','), 7) << row;
  const std::size_t fx = row.find(',', row.find(',') + 1) + 1;
  EXPECT_TRUE(Within(std::stod(row.substr(fx)), stretch, 1e-3)) << row;
}

}  // namespace
