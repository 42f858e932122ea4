// What the response spectrum step writes, held against the step as it
// stood before its modal forces export, its element stiffnesses and its
// closely-spaced pairs were rewritten for speed. That step is kept below as
// the reference: every mode's element forces recovered afresh (each
// element's build made again for every mode), the export printed through
// CFormat as FormatForce and FormatMoment printed it, and the pair term
// testing every pair of modes for each quantity. It runs at
// the real step's first phase text, inside the same run, so both start from
// the very same modes; its export and its blocks stay in memory.
//
// The model has a row of every element kind the analysis assembles and of
// the supports that carry loads, the missing mass and seismic anchor
// movements, and is analysed by each mode sum: the export must be the
// reference's byte for byte (also with two-decimal moments in other units,
// where the portal's moments take the exponent form), and the case's
// displacements, accelerations, element forces and support loads within
// 1e-12 relative. The model's modes hold two closely-spaced pairs; the
// pair list itself is held against the reference on frequencies made up
// to hold every kind of pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>
#include <span>
#include <tuple>

#include "AnalysisTesting.h"
#include "analysis/ElementCaseInput.h"
#include "analysis/ModalStep.h"
#include "analysis/ResponseSpectrum.h"
#include "analysis/SeismicCombination.h"
#include "analysis/StepResults.h"
#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/ConcentratedMass.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/ElementForces.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/TieRod.h"
#include "elements/Valve.h"
#include "kindbase/ElementArrays.h"
#include "kindbase/ElementInputs.h"
#include "kindbase/EndForces.h"
#include "kindbase/GlobalSystem.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "records/Spectrum.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/TempFiles.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"
#include "supports/GenericSupport.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

using namespace analysis_testing;

template <typename Kind>
Kind& ElementAt(Model& model, int row) {
  return dynamic_cast<Kind&>(*model.row(row).element);
}
template <typename Kind>
Kind& ItemAt(Model& model, int row) {
  return dynamic_cast<Kind&>(*model.row(row).item);
}

// The seismic anchor movement of the anchor of `row` along global X (1),
// Y (2) or Z (3).
void MoveAnchorInSeismic(Model& model, int row, int direction, float value) {
  auto& anchor = ItemAt<Anchor>(model, row);
  anchor.displacements.flags[static_cast<std::size_t>(kSeismicSlot)] = 1;
  if (!anchor.displacements.sets) anchor.displacements.sets = std::make_unique<DisplacementSets>();
  anchor.displacements.sets->values[static_cast<std::size_t>(6 * kSeismicSlot + direction)] = value;
}

// A pipe line through every in-line kind, a jacketed line tied by a spider
// and end caps, and a portal of beams, each anchored at its ends.
void BuildEveryKindModel(Model& model, const std::string& path) {
  StartModel(model, 70.0, kDensity, path);
  PipeSection jacket;
  InitSection(jacket);
  jacket.name = "S8";
  jacket.outsideDiameter = 8.625f;
  jacket.thickness = 0.322f;
  AppendSection(model.sections, jacket);
  PipeLoad jacketLoad;
  InitPipeLoad(jacketLoad, 70.0f);
  jacketLoad.name = "LJ";
  jacketLoad.wind = 0;
  AppendPipeLoad(model.pipeLoads, jacketLoad);
  BeamMaterial beamSteel;
  InitBeamMaterial(beamSteel);
  beamSteel.name = "ST";
  beamSteel.E = 2.9e7f;
  beamSteel.nu = 0.3f;
  beamSteel.density = 0.2836f;
  AppendBeamMaterial(model.beamMaterials, beamSteel);
  BeamSection w14;
  InitBeamSection(w14);
  w14.name = "W14";
  w14.A = 26.5f;
  w14.Imaj = 999.0f;
  w14.Imin = 362.0f;
  w14.J = 4.06f;
  w14.depth = 14.0f;
  w14.width = 14.5f;
  AppendBeamSection(model.beamSections, w14);
  BeamLoad beamLoad;
  InitBeamLoad(beamLoad, 70.0f);
  beamLoad.name = "BL";
  beamLoad.wind = 0;
  AppendBeamLoad(model.beamLoads, beamLoad);

  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PutItem(model, PipeRow(model, 20, ElementType::Pipe, 60.0f), DataType::Restraint);
  ItemAt<Restraint>(model, 2).restrainY = 1;
  PipeRow(model, 30, ElementType::Bend, 60.0f);
  PutItem(model, PipeRow(model, 40, ElementType::Pipe, 0.0f, 60.0f), DataType::Guide);
  ElementAt<Valve>(model, PipeRow(model, 50, ElementType::Valve, 0.0f, 20.0f)).weight = 250.0f;
  auto& reducer = ElementAt<Reducer>(model, PipeRow(model, 60, ElementType::Reducer, 0.0f, 10.0f));
  reducer.od2 = 4.0f;
  reducer.thk2 = 0.226f;
  const int snubber = PipeRow(model, 70, ElementType::Pipe, 0.0f, 40.0f);
  PutItem(model, snubber, DataType::Snubber);
  ItemAt<Snubber>(model, snubber).dirX = 1.0f;
  PipeRow(model, 80, ElementType::Miter, 0.0f, 40.0f);
  const int skewed = PipeRow(model, 90, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
  PutItem(model, skewed, DataType::SkewedRestraint);
  ItemAt<SkewedRestraint>(model, skewed).stiffness = 1.0e5f;
  ItemAt<SkewedRestraint>(model, skewed).dirX = 1.0f;
  ItemAt<SkewedRestraint>(model, skewed).dirY = 1.0f;
  auto& bellows = ElementAt<Bellows>(model, PipeRow(model, 100, ElementType::Bellows, 0.0f, 0.0f, 5.0f));
  bellows.axialStiffness = 1500.0f;
  bellows.bendingStiffness = 1.0e5f;
  bellows.torsionalStiffness = 1.0e6f;
  bellows.lateralStiffness = 5000.0f;
  const int generic = PipeRow(model, 110, ElementType::Pipe, 0.0f, 0.0f, 40.0f);
  PutItem(model, generic, DataType::GenericSupport);
  auto& support = ItemAt<GenericSupport>(model, generic);
  for (int i = 1; i <= 6; ++i) support.terms[static_cast<std::size_t>(GenericSupport::TermIndex(i, i))] = 0.0f;
  support.terms[static_cast<std::size_t>(GenericSupport::TermIndex(1, 1))] = 5.0e4f;
  support.terms[static_cast<std::size_t>(GenericSupport::TermIndex(2, 2))] = 2.0e4f;
  PipeRow(model, 120, ElementType::SlipJoint, 0.0f, 0.0f, 10.0f);
  const int restraint = PipeRow(model, 130, ElementType::Pipe, 0.0f, 0.0f, 40.0f);
  PutItem(model, restraint, DataType::Restraint);
  ItemAt<Restraint>(model, restraint).restrainX = 1;
  ItemAt<Restraint>(model, restraint).restrainY = 1;
  auto& hinge = ElementAt<HingeJoint>(model, AddRow(model, 135, ElementType::HingeJoint));
  hinge.stiffness = 4.0e4f;
  hinge.axis[1] = 1.0f;
  const int mass = PipeRow(model, 140, ElementType::Pipe, 50.0f);
  PutItem(model, mass, DataType::ConcentratedMass);
  ItemAt<ConcentratedMass>(model, mass).weight = 180.0f;
  auto& ball = ElementAt<BallJoint>(model, AddRow(model, 145, ElementType::BallJoint));
  ball.bendingStiffness = 1.0e5f;
  ball.torsionalStiffness = 2.5e4f;
  PipeRow(model, 150, ElementType::Pipe, 50.0f);
  ElementAt<RigidElement>(model, PipeRow(model, 160, ElementType::Rigid, 20.0f)).weight = 75.0f;
  auto& elastic = ElementAt<ElasticElement>(model, AddRow(model, 170, ElementType::Elastic, 0.0f, 10.0f));
  elastic.kx = 1.0e5f;
  elastic.ky = elastic.kz = 1.0e6f;
  elastic.kxx = elastic.kyy = elastic.kzz = 1.0e7f;
  elastic.localX[1] = 1.0f;
  elastic.localY[0] = 1.0f;
  PutItem(model, PipeRow(model, 180, ElementType::Pipe, 40.0f), DataType::Restraint);
  ItemAt<Restraint>(model, model.rowCount).restrainY = 1;
  ElementAt<CutPipe>(model, PipeRow(model, 190, ElementType::CutPipe, 40.0f)).cut = 0.75f;
  auto& rod = ElementAt<TieRod>(model, PipeRow(model, 200, ElementType::TieRod, 10.0f));
  rod.tensionStiffness = 8.0e5f;
  rod.compressionStiffness = 8.0e5f;
  PutItem(model, PipeRow(model, 210, ElementType::Pipe, 40.0f), DataType::Anchor);
  MoveAnchorInSeismic(model, 1, 2, 0.05f);
  AddRow(model, 0, ElementType::Comment);

  PipeRow(model, 300, ElementType::From, 0.0f, 0.0f, -100.0f);
  PutItem(model, model.rowCount, DataType::Anchor);
  const int spider = PipeRow(model, 310, ElementType::JacketedPipe, 60.0f);
  PutItem(model, spider, DataType::Spider);
  const int jacketBend = PipeRow(model, 320, ElementType::JacketedBend, 60.0f);
  const int jacketEnd = PipeRow(model, 330, ElementType::JacketedPipe, 0.0f, 60.0f);
  PutItem(model, jacketEnd, DataType::Anchor);
  for (const int row : {spider, jacketEnd}) {
    auto& pipe = ElementAt<JacketedPipe>(model, row);
    pipe.jacketMaterial = "CS";
    pipe.jacketSection = "S8";
    pipe.jacketLoad = "LJ";
  }
  auto& bend = ElementAt<JacketedBend>(model, jacketBend);
  bend.jacketMaterial = "CS";
  bend.jacketSection = "S8";
  bend.jacketLoad = "LJ";
  bend.radiusType = kBendRadiusUser;
  bend.radius = 12.0f;
  bend.jacketRadiusType = kBendRadiusUser;
  bend.jacketRadius = 12.0f;
  PutItem(model, AddRow(model, 300, ElementType::Location), DataType::JacketEndCap);
  PutItem(model, AddRow(model, 330, ElementType::Location), DataType::JacketEndCap);

  const int portal = AddRow(model, 400, ElementType::From, 0.0f, 0.0f, 200.0f);
  model.row(portal).material = "ST";
  model.row(portal).section = "W14";
  model.row(portal).load = "BL";
  PutItem(model, portal, DataType::Anchor);
  MoveAnchorInSeismic(model, portal, 1, 3.0f);
  for (const auto& [node, dx, dy] : {std::tuple{410, 0.0f, 100.0f}, {420, 100.0f, 0.0f}, {430, 0.0f, -100.0f}}) {
    const int beam = AddRow(model, node, ElementType::Beam, dx, dy);
    model.row(beam).material = "ST";
    model.row(beam).section = "W14";
    model.row(beam).load = "BL";
  }
  PutItem(model, model.rowCount, DataType::Anchor);
  MakeModel(model);
}

ResponseSpectrum Flat(const std::string& name, float g) {
  ResponseSpectrum spectrum;
  spectrum.name = name;
  spectrum.ordinateUnit = kOrdinateG;
  spectrum.points = {{0.1f, static_cast<float>(g * 386.4f)}, {1000.0f, static_cast<float>(g * 386.4f)}};
  return spectrum;
}

// --- The step as it stood -----------------------------------------------

namespace reference {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kG = 386.4;
constexpr double kCloseSpacing = 0.1;

std::string FixedWidth(double value, int width, int decimals) {
  if (!std::isfinite(value)) return "*****";
  std::string text = CFormat("%-1.*f", decimals, value);
  if (static_cast<int>(text.size()) <= width) return text == "-0" ? "0" : text;
  const int d = decimals > 2 ? decimals : 2;
  for (int tried : {d, d - 1, 2}) {
    text = CFormat("%-1.*E", tried < 0 ? 0 : tried, value);
    if (static_cast<int>(text.size()) <= width) return text;
  }
  return "*****";
}

std::string Force(float value) { return FixedWidth(value * UnitFactor(kUnitForce), 10, 0); }

std::string Moment(float value) {
  if (!std::isfinite(value)) return "*****";
  return FixedWidth(value * UnitFactor(kUnitMoment), 10, g_NumberTextSwitches.momentDecimals ? 2 : 0);
}

double CombineModes(std::span<const double> r, std::span<const double> omega, int trueModes, int rule) {
  const std::size_t M = r.size();
  if (rule == kSumAbsolute) {
    double sum = 0.0;
    for (double value : r) sum += std::fabs(value);
    return sum;
  }
  double squares = 0.0, largest = 0.0;
  for (double value : r) {
    const double term = value * value;
    squares += term;
    if (term > largest) largest = term;
  }
  if (rule == kSumNrl) return std::sqrt(std::max(squares - largest, 0.0)) + std::sqrt(largest);
  if (rule == kSumCloselySpaced) {
    const auto N = std::min(static_cast<std::size_t>(std::max(trueModes, 0)), M);
    for (std::size_t i = 0; i < N; ++i)
      for (std::size_t j = i + 1; j < N; ++j) {
        const double wi = omega[i + 1], wj = omega[j + 1];
        if (wi > 0.0 && std::fabs(wj - wi) / wi <= kCloseSpacing) squares += 2.0 * std::fabs(r[i] * r[j]);
      }
  }
  return std::sqrt(squares);
}

struct Columns {
  int N = 0;
  int M = 0;
  std::vector<double> omega;
  std::vector<std::vector<double>> shapes;
  std::array<double, 3> Z{};
};

Columns ScaleModes(const Model& model, const ModalStepResults& modal) {
  Columns c;
  c.N = modal.modes;
  c.M = c.N + (modal.missingMass ? 3 : 0);
  c.omega.assign(static_cast<std::size_t>(c.M) + 1, 0.0);
  c.shapes.resize(static_cast<std::size_t>(c.M) + 1);
  for (int i = 1; i <= c.N; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const double w = modal.omega[at];
    c.omega[at] = w;
    double v[3];
    for (int d = 0; d < 3; ++d)
      v[d] = w > 0.0 ? SpectrumValue(model.spectra, model.spectrumLoad, w, d, false) *
                           modal.gamma[static_cast<std::size_t>(d)][at]
                     : 0.0;
    const double amplitude = CombineDirections(v[0], v[1], v[2], model.spectrumLoad.directionSum);
    c.shapes[at] = modal.shapes[at];
    for (double& value : c.shapes[at]) value *= amplitude;
  }
  if (modal.missingMass) {
    const double wN = modal.omega[static_cast<std::size_t>(c.N)];
    for (int d = 0; d < 3; ++d) {
      c.Z[static_cast<std::size_t>(d)] = MissingMassFactor(model.spectra, model.spectrumLoad, wN, d);
      const auto k = static_cast<std::size_t>(c.N + 1 + d);
      c.omega[k] = wN;
      c.shapes[k] = modal.missingShapes[static_cast<std::size_t>(d)];
      for (double& value : c.shapes[k]) value *= c.Z[static_cast<std::size_t>(d)];
    }
  }
  return c;
}

// What the reference step left: its export and the case's four blocks.
struct Output {
  bool ran = false;
  std::string csv;
  std::vector<float> displacements, accelerations, forcesAndSupports;
  std::vector<double> omega;  // the true modes'
};

// The row writer's target (a plain function pointer has no other).
struct Export {
  std::string* text = nullptr;
  bool directionCosines = false;
};
Export g_Export;

void Header(std::string& out, int column, const Columns& columns) {
  const double f = columns.omega[static_cast<std::size_t>(column)] / kTwoPi;
  if (column == 0) {
    out += "Forces & Moments for Seismic Displacements\n";
  } else if (column <= columns.N) {
    out += CFormat("Modal Local Forces & Moments: Mode = %d; Frequency = %.3f Hz\n", column, f);
  } else {
    static const char* const kAxis[3] = {"Global-X", "Global-Y", "Global-Z"};
    out += CFormat("Modal Local Forces & Moments for Missing Mass in %s direction: Mode = %d; Frequency = %.3f Hz\n",
                   kAxis[column - columns.N - 1], column, f);
  }
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  if (column == 1) {
    out += "Node, Type, fx, fy, fz, mx, my, mz,,,,,Direction Cosines\n";
    out += ",," + force + "," + force + "," + force;
    out += "," + moment + "," + moment + "," + moment + ",,,Local x-axis,,,Local y-axis,,,Local z-axis\n";
  } else {
    out += "Node, Type, fx, fy, fz, mx, my, mz\n";
    out += ",," + force + "," + force + "," + force;
    out += "," + moment + "," + moment + "," + moment + "\n";
  }
}

void Row(int element, const Vector12d& forces) {
  std::string& out = *g_Export.text;
  const Model& model = TheModel();
  const AnalysisElement& e = TheAnalysisElements()[element];
  ElementEndFrames frames;
  if (g_Export.directionCosines)
    frames = ComputeElementEndFrames(model, static_cast<ElementType>(e.kind), e.row, e.node1, e.node2);
  for (int end = 0; end < 2; ++end) {
    out += NodeNumberText(model.nodes[end == 0 ? e.node1 : e.node2].id);
    out += ",";
    if (end == 0) out += ElementTypeName(e.kind);
    out += ",";
    for (int i = 0; i < 6; ++i) {
      const auto value = static_cast<float>(forces[6 * end + i]);
      out += i < 3 ? Force(value) : Moment(value);
      if (i < 5) out += ",";
    }
    if (g_Export.directionCosines) {
      out += ",,";
      const ElementAxes& axes = end == 0 ? frames.end1 : frames.end2;
      int written = 0;
      for (const Vector3d* axis : {&axes.x, &axes.y, &axes.z})
        for (int c = 0; c < 3; ++c) {
          out += FixedWidth((*axis)[c], 7, 4);
          out += ++written < 9 ? "," : "";
        }
    }
    out += end == 0 ? "\n" : "\n\n";
  }
}

// Every element's forces for the current displacements, each built
// afresh.
void ElementForces(const Model& model, const AnalysisElementList& elements) {
  const CaseLoadSet loads = CurrentCaseLoadSet(model);
  for (int e = 1; e <= elements.count; ++e) {
    const AnalysisElementInput input = MakeElementInput(model, elements[e], e, loads);
    TransformElementForces(e, input, BuildElementForce(input));
  }
}

// Every column's element forces and support loads, each mode recovered
// afresh, through a scratch file of its own.
std::vector<std::vector<float>> ModalForceBlocks(const Columns& c, Output& output) {
  const Model& model = TheModel();
  const AnalysisElementList& elements = TheAnalysisElements();
  std::vector<std::vector<float>> blocks(static_cast<std::size_t>(c.M) + 1);
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenUpdate(file, TempFolder() + "/reference-response.bin"));
  BinaryFile* results = g_ResultsFile;
  g_ResultsFile = &file;
  g_Export.text = &output.csv;
  std::int64_t start = 0;
  for (int m = 1; m <= c.M; ++m) {
    const std::vector<double>& shape = c.shapes[static_cast<std::size_t>(m)];
    std::copy(shape.begin(), shape.end(), g_DisplacementVector.begin());
    g_Export.directionCosines = m == 1;
    Header(output.csv, m, c);
    g_ElementForceRun.modalForcesRow = Row;
    ElementForces(model, elements);
    g_ElementForceRun.modalForcesRow = nullptr;
    CalculateSupportLoads(model, SilentProgress());
    const std::int64_t end = BinaryFileTell(file);
    std::vector<float>& block = blocks[static_cast<std::size_t>(m)];
    block.assign(static_cast<std::size_t>((end - start) / 4), 0.0f);
    BinaryFileSeek(file, start);
    BinaryFileReadFloats(file, block.data(), block.size());
    BinaryFileSeek(file, end);
    start = end;
  }
  g_ResultsFile = results;
  BinaryFileClose(file);
  std::filesystem::remove(TempFolder() + "/reference-response.bin");
  return blocks;
}

std::vector<float> NodeBlock(const std::vector<double>& values, bool anchorMovements) {
  const Model& model = TheModel();
  const int count = ResultNodeCount(model);
  std::vector<float> block(static_cast<std::size_t>(6 * count), 0.0f);
  const std::span<const float> movements = SeismicAnchorMovementBlocks();
  for (int node = 1; node <= count; ++node) {
    const LocationVector vector = NodeLocationVector(model.nodes, node);
    for (int i = 0; i < 6; ++i) {
      const std::int32_t equation = vector.equation[static_cast<std::size_t>(i)];
      if (equation == 0) continue;
      const auto k = static_cast<std::size_t>(6 * (node - 1) + i);
      double value = values[static_cast<std::size_t>(equation)];
      if (anchorMovements && !movements.empty()) value += std::fabs(static_cast<double>(movements[k]));
      block[k] = static_cast<float>(value);
    }
  }
  return block;
}

void Run(Output& output) {
  const Model& model = TheModel();
  const ModalStepResults& modal = TheModalResults();
  const int rule = model.spectrumLoad.modeSum;
  const Columns c = ScaleModes(model, modal);
  output.omega.assign(c.omega.begin() + 1, c.omega.begin() + 1 + c.N);
  const std::vector<std::vector<float>> blocks = ModalForceBlocks(c, output);
  const std::size_t E = c.shapes[1].size();
  std::vector<double> displacements(E, 0.0), accelerations(E, 0.0), r(static_cast<std::size_t>(c.M));
  for (std::size_t k = 1; k < E; ++k) {
    for (int m = 1; m <= c.M; ++m) r[static_cast<std::size_t>(m - 1)] = c.shapes[static_cast<std::size_t>(m)][k];
    displacements[k] = CombineModes(r, c.omega, c.N, rule);
  }
  output.displacements = NodeBlock(displacements, true);
  r.assign(static_cast<std::size_t>(c.N), 0.0);
  for (std::size_t k = 1; k < E; ++k) {
    for (int m = 1; m <= c.N; ++m)
      r[static_cast<std::size_t>(m - 1)] =
          c.omega[static_cast<std::size_t>(m)] * c.omega[static_cast<std::size_t>(m)] * c.shapes[static_cast<std::size_t>(m)][k];
    if (!modal.missingMass || (k - 1) % 6 > 2) {
      accelerations[k] = CombineModes(r, c.omega, c.N, rule);
      continue;
    }
    double extra[3];
    for (int d = 0; d < 3; ++d)
      extra[d] = kG * c.Z[static_cast<std::size_t>(d)] * modal.leftOut[static_cast<std::size_t>(d)][k];
    std::vector<double> withMissing = r;
    if (rule == kSumAbsolute)
      withMissing.push_back(std::fabs(extra[0]) + std::fabs(extra[1]) + std::fabs(extra[2]));
    else
      withMissing.push_back(std::sqrt(extra[0] * extra[0] + extra[1] * extra[1] + extra[2] * extra[2]));
    accelerations[k] = CombineModes(withMissing, c.omega, c.N, rule);
  }
  output.accelerations = NodeBlock(accelerations, false);
  const std::span<const float> movements = SeismicAnchorMovementBlocks();
  if (!movements.empty()) {
    Header(output.csv, 0, c);
    g_Export.directionCosines = false;
    const auto first = static_cast<std::size_t>(6 * ResultNodeCount(model));
    for (int e = 1; e <= TheAnalysisElements().count; ++e) {
      Vector12d forces{};
      for (std::size_t i = 0; i < 12; ++i)
        forces[i] = std::fabs(static_cast<double>(movements[first + 12 * static_cast<std::size_t>(e - 1) + i]));
      Row(e, forces);
    }
  }
  std::vector<float>& total = output.forcesAndSupports;
  total.assign(blocks[1].size(), 0.0f);
  r.assign(static_cast<std::size_t>(c.M), 0.0);
  for (std::size_t k = 0; k < total.size(); ++k) {
    for (int m = 1; m <= c.M; ++m) r[static_cast<std::size_t>(m - 1)] = blocks[static_cast<std::size_t>(m)][k];
    total[k] = static_cast<float>(CombineModes(r, c.omega, c.N, rule));
  }
  AddSeismicAnchorMovements(total, static_cast<std::size_t>(6 * ResultNodeCount(model)));
  output.ran = true;
}

// Runs the reference when the real step shows its first phase.
class Runner : public AnalysisProgress {
 public:
  explicit Runner(Output& output) : output_(output) {}
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::Phase && text == "Calculating modal displacements" && !output_.ran) Run(output_);
  }

 private:
  Output& output_;
};

}  // namespace reference

class ResponseSpectrumOutputTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    std::filesystem::remove(ModalForcesPath(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
    g_UnitsSettings = UnitsSettings{};
    g_NumberTextSwitches.momentDecimals = false;
  }

  // Analyses the model by `rule` beside the reference and compares.
  void ExpectTheReference(int rule) {
    Model& model = TheModel();
    BuildEveryKindModel(model, path_);
    model.options.PipingCode = 1;  // B31.1 takes the seismic anchor movements
    model.options.ModeCount = 12;
    model.options.CutOffFrequency = 1000;
    model.options.IncludeMissingMass = 1;
    SetLastSpectrum(model.spectra, Flat("HALF", 0.5f));
    SetDirectionSpectrum(model.spectrumLoad, 0, "HALF", 0.6f);
    SetDirectionSpectrum(model.spectrumLoad, 1, "HALF", 1.0f);
    SetDirectionSpectrum(model.spectrumLoad, 2, "HALF", 0.3f);
    model.spectrumLoad.modeSum = rule;
    SetCases(model, {8, 30, 31});
    reference::Output expected;
    reference::Runner runner(expected);
    try {
      RunAnalysis(model, runner);
    } catch (const std::string& message) {
      FAIL() << message;
    }
    ASSERT_TRUE(expected.ran);
    // The pairs of the closely-spaced rule among the modes found.
    closePairs_ = 0;
    for (std::size_t i = 0; i < expected.omega.size(); ++i)
      for (std::size_t j = i + 1; j < expected.omega.size(); ++j)
        if (std::fabs(expected.omega[j] - expected.omega[i]) <= 0.1 * expected.omega[i]) ++closePairs_;
    forces_ = expected.forcesAndSupports;
    csv_ = FileText(ModalForcesPath(path_));
    EXPECT_EQ(csv_, expected.csv);
    EXPECT_GT(std::count(csv_.begin(), csv_.end(), '\n'), 1500);

    BinaryFile file;
    const std::string results = ResultsPathOf(model.path);
    ASSERT_TRUE(BinaryFileOpenRead(file, results));
    ResultsFileContents contents;
    ReadResultsFile(file, results, model, contents);
    ASSERT_EQ(contents.cases.size(), 3u);
    const ResultCaseOffsets& at = contents.cases.back();
    ExpectBlock(file, at.displacements, expected.displacements, "displacements");
    ExpectBlock(file, at.accelerations, expected.accelerations, "accelerations");
    ExpectBlock(file, at.forces, expected.forcesAndSupports, "forces and support loads");
    EXPECT_EQ(static_cast<std::int64_t>(expected.forcesAndSupports.size()) * 4,
              48 * static_cast<std::int64_t>(contents.elementCount) + contents.supportBlockBytes);
  }

  static void ExpectBlock(BinaryFile& file, std::int64_t offset, const std::vector<float>& expected, const char* name) {
    SCOPED_TRACE(name);
    ASSERT_FALSE(expected.empty());
    std::vector<float> actual(expected.size());
    BinaryFileSeek(file, offset);
    BinaryFileReadFloats(file, actual.data(), actual.size());
    ASSERT_FALSE(BinaryFileReadFailed(file));
    int nonZero = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
      ASSERT_TRUE(Within(actual[i], expected[i], 1.0e-12)) << "value " << i;
      nonZero += expected[i] != 0.0f ? 1 : 0;
    }
    EXPECT_GT(nonZero, static_cast<int>(expected.size() / 4));
  }

  static std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string path_ = TempFolder() + "/every-kind-spectrum.mod";
  std::string csv_;
  int closePairs_ = 0;
  std::vector<float> forces_;  // the reference's element forces and support loads
};

TEST_F(ResponseSpectrumOutputTest, EveryRuleGivesTheReferencesResultsAndExport) {
  std::vector<float> srss;
  for (const int rule : {kSumAbsolute, kSumSrss, kSumCloselySpaced, kSumNrl}) {
    SCOPED_TRACE(rule);
    ExpectTheReference(rule);
    if (rule == kSumSrss) srss = forces_;
    if (rule == kSumCloselySpaced) {
      // Modes 9 and 10 and modes 11 and 12 lie within 10 %: their pair
      // terms raise the sums above SRSS's where those modes move the
      // element or the support.
      EXPECT_EQ(closePairs_, 2);
      ASSERT_EQ(forces_.size(), srss.size());
      int raised = 0;
      for (std::size_t i = 0; i < srss.size(); ++i) raised += forces_[i] > srss[i] * (1.0f + 1.0e-6f) ? 1 : 0;
      EXPECT_GT(raised, 10);
    }
    TearDown();
  }
}

// The pairs found once, then every quantity combined over them, against
// the rule testing every pair for each quantity: clusters of three modes
// (the first and last of one 10 % apart exactly), a mode of zero
// frequency, equal frequencies, and missing-mass columns past the true
// modes that never pair.
TEST(ClosePairsTest, CombiningOverThePairsFoundOnceGivesTheReferencesSums) {
  const std::vector<double> omega{0.0, 10.0, 10.5, 11.0, 20.0, 0.0, 30.0, 30.0, 40.0, 43.0, 47.0, 60.0, 60.0, 60.0};
  const int trueModes = 11;
  const std::vector<CloseModePair> pairs = CloselySpacedPairs(omega, trueModes);
  const std::vector<std::pair<int, int>> byHand{{0, 1}, {0, 2}, {1, 2}, {5, 6}, {7, 8}, {8, 9}};
  ASSERT_EQ(pairs.size(), byHand.size());
  for (std::size_t p = 0; p < pairs.size(); ++p) {
    EXPECT_EQ(pairs[p].first, byHand[p].first) << p;
    EXPECT_EQ(pairs[p].second, byHand[p].second) << p;
  }
  std::mt19937_64 random(53);
  std::uniform_real_distribution<double> value(-1.0e3, 1.0e3);
  for (int quantity = 0; quantity < 200; ++quantity) {
    std::vector<double> r(omega.size() - 1);
    for (double& x : r) x = quantity % 7 == 0 ? 0.0 : value(random);
    for (const int rule : {kSumAbsolute, kSumSrss, kSumCloselySpaced, kSumNrl}) {
      const double expected = reference::CombineModes(r, omega, trueModes, rule);
      EXPECT_EQ(CombineModes(r, rule, pairs), expected) << rule << " " << quantity;
      EXPECT_EQ(CombineModes(r, omega, trueModes, rule), expected) << rule << " " << quantity;
      // A quantity of the true modes only (the accelerations without the
      // missing mass).
      const std::span<const double> modesOnly(r.data(), static_cast<std::size_t>(trueModes));
      EXPECT_EQ(CombineModes(modesOnly, rule, pairs), reference::CombineModes(modesOnly, omega, trueModes, rule));
    }
  }
}

TEST_F(ResponseSpectrumOutputTest, TwoDecimalMomentsInOtherUnitsGiveTheReferencesExport) {
  g_NumberTextSwitches.momentDecimals = true;
  g_UnitsSettings.unit[kUnitForce] = 1;   // N
  g_UnitsSettings.unit[kUnitMoment] = 1;  // in-lb: the portal's moments need the exponent form
  ExpectTheReference(kSumCloselySpaced);
  EXPECT_NE(csv_.find("E+007"), std::string::npos);
  EXPECT_NE(csv_.find(",(N),(N),(N),(in-lb),(in-lb),(in-lb)"), std::string::npos);
}

}  // namespace
