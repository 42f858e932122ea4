// The force spectrum, harmonic and time history steps; see ModalResponse.h.
#include "analysis/ModalResponse.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>

#include "analysis/ModalStep.h"
#include "analysis/ModalSuperposition.h"
#include "analysis/StepResults.h"
#include "kindbase/GlobalSystem.h"
#include "kindbase/NonlinearSupports.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "numeric/RunState.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "records/ForceSpectrum.h"
#include "records/TimeFunction.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kSameFrequency = 0.001;  // Hz
constexpr double kResonance = 1.0e-10;
constexpr char kTimeHistoryMagic[16] = "QUORVELWRTH5100";
constexpr float kHighestDamping = 99.0f;  // percent, of the time history and the harmonic analyses

// The run's modes: ω and the shapes (1-based, each of E + 1 values), and
// per mode the element forces and support loads its shape gives, and the
// components of the loads that are sizes (RunPreparedSupport::SizedLoadIndex):
// two per such load, in `sizedSlots` order, each load's place in the blocks.
struct Modes {
  int N = 0;
  std::size_t equations = 0;  // E + 1
  const std::vector<double>* omega = nullptr;
  const std::vector<std::vector<double>>* shapes = nullptr;
  std::vector<std::vector<float>> blocks;  // [1..N]
  std::size_t blockSize = 0;
  std::vector<std::size_t> sizedSlots;
  std::vector<std::vector<double>> sizedComponents;  // [1..N]
  double w(int i) const { return (*omega)[static_cast<std::size_t>(i)]; }
  const std::vector<double>& phi(int i) const { return (*shapes)[static_cast<std::size_t>(i)]; }
};

// The supports with a sized load, and where that load lies in a block:
// after the twelve element forces of every element, the support loads in
// row order.
struct SizedLoad {
  int row = 0;
  const RunPreparedSupport* support = nullptr;
  std::size_t slot = 0;
};

std::vector<SizedLoad> FindSizedLoads(const Model& model, const AnalysisElementList& elements) {
  std::vector<SizedLoad> sized;
  std::size_t slot = 12 * static_cast<std::size_t>(elements.count);
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    const int count = SupportValueCount(layout.dataType);
    const auto* support = layout.item ? dynamic_cast<const RunPreparedSupport*>(layout.item.get()) : nullptr;
    const int index = support != nullptr ? support->SizedLoadIndex() : -1;
    if (index >= 0 && index < count) sized.push_back({row, support, slot + static_cast<std::size_t>(index)});
    slot += static_cast<std::size_t>(count);
  }
  return sized;
}

// Every mode's element-force and support-load blocks, recovered by the
// output steps from its shape through a scratch file, and the components
// of its sized loads.
void RecoverModalBlocks(const Model& model, const AnalysisElementList& elements, const ModalStepResults& modal,
                        AnalysisProgress& progress, Modes& modes) {
  modes.blocks.assign(static_cast<std::size_t>(modal.modes) + 1, {});
  modes.sizedComponents.assign(static_cast<std::size_t>(modal.modes) + 1, {});
  const std::vector<SizedLoad> sized = modal.modes >= 1 ? FindSizedLoads(model, elements) : std::vector<SizedLoad>{};
  modes.sizedSlots.clear();
  for (const SizedLoad& load : sized) modes.sizedSlots.push_back(load.slot);
  const std::string& scratch = MakeWorkFileName(WorkFile::Response);
  BinaryFile file;
  if (!BinaryFileOpenUpdate(file, scratch)) throw std::string("Response file could not be opened");
  struct Restore {
    BinaryFile* results;
    ~Restore() {
      g_ResultsFile = results;
      DeleteWorkFile(WorkFile::Response);
    }
  } restore{g_ResultsFile};
  g_ResultsFile = &file;
  // Every mode's forces come of the same element stiffnesses and loads:
  // built for the first mode, only recovered for the others.
  ElementForceBuilds builds;
  std::int64_t start = 0;
  for (int m = 1; m <= modal.modes; ++m) {
    char text[64];
    std::snprintf(text, sizeof text, "Calculating modal forces: Mode = %d", m);
    ProgressBegin(progress, text, ProgressArea::Phase);
    const std::vector<double>& shape = modal.shapes[static_cast<std::size_t>(m)];
    std::copy(shape.begin(), shape.end(), g_DisplacementVector.begin());
    CalculateElementForces(model, elements, progress, &builds);
    CalculateSupportLoads(model, progress);
    std::vector<double>& components = modes.sizedComponents[static_cast<std::size_t>(m)];
    for (const SizedLoad& load : sized) {
      const std::array<double, 2> pair = load.support->SizedLoadComponents(load.row);
      components.insert(components.end(), pair.begin(), pair.end());
    }
    const std::int64_t end = BinaryFileTell(file);
    std::vector<float>& block = modes.blocks[static_cast<std::size_t>(m)];
    block.assign(static_cast<std::size_t>((end - start) / 4), 0.0f);
    BinaryFileSeek(file, start);
    BinaryFileReadFloats(file, block.data(), block.size());
    BinaryFileSeek(file, end);
    start = end;
    ProgressEnd(progress, ProgressArea::Phase);
  }
  const bool failed = BinaryFileHasError(file) || BinaryFileReadFailed(file);
  BinaryFileClose(file);
  if (failed) throw std::string("Response file could not be opened");
}

Modes PrepareModes(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  const ModalStepResults& modal = TheModalResults();
  QV_ASSERT(modal.present);
  Modes modes;
  modes.N = modal.modes;
  modes.omega = &modal.omega;
  modes.shapes = &modal.shapes;
  modes.equations = modes.N >= 1 ? modal.shapes[1].size() : g_DisplacementVector.size();
  RecoverModalBlocks(model, elements, modal, progress, modes);
  modes.blockSize = modes.N >= 1 ? modes.blocks[1].size() : 0;
  for (int m = 1; m <= modes.N; ++m) QV_ASSERT(modes.blocks[static_cast<std::size_t>(m)].size() == modes.blockSize);
  // The sized loads' places follow from this layout.
  if (modes.N >= 1)
    QV_ASSERT(modes.blockSize == 12 * static_cast<std::size_t>(elements.count) +
                                     static_cast<std::size_t>(SupportLoadsBlockBytes(model) / 4));
  return modes;
}

// The largest size over a cycle of a·sin Ωt + b·cos Ωt, a and b of two
// components: the half major axis of the ellipse it traces. Its square is
// p − q·cos 2Ωt + r·sin 2Ωt with p = (a·a + b·b)/2, q = (a·a − b·b)/2,
// r = a·b, so its largest square is p + √(q² + r²). Both components in
// phase (or one of them 0) give √(a·a + b·b), as for a single value.
double LargestSizeOverCycle(double a2, double a3, double b2, double b3) {
  const double aa = a2 * a2 + a3 * a3, bb = b2 * b2 + b3 * b3, ab = a2 * b2 + a3 * b3;
  return std::sqrt(0.5 * (aa + bb) + std::hypot(0.5 * (aa - bb), ab));
}

// The equation of direction `direction` (1 .. 6) at the node of layout
// row `row`; 0 when the node takes no part in the analysis.
std::int32_t RowEquation(const Model& model, int row, int direction) {
  const int node = model.row(row).endNode;
  if (node < 1 || node > model.nodes.count || direction < 1 || direction > 6) return 0;
  return NodeLocationVector(model.nodes, node).equation[static_cast<std::size_t>(direction - 1)];
}

// Six f32 per node of the node table from the values of every equation;
// as in a static case's block, values below 1.0e-6 in size are 0 (the
// modes' round-off in directions the loads do not move).
void WriteNodeValues(BinaryFile& file, const Model& model, const std::vector<double>& values) {
  const int count = ResultNodeCount(model);
  std::vector<float> block(static_cast<std::size_t>(6 * count), 0.0f);
  for (int node = 1; node <= count; ++node) {
    const LocationVector vector = NodeLocationVector(model.nodes, node);
    for (int i = 0; i < 6; ++i) {
      const std::int32_t equation = vector.equation[static_cast<std::size_t>(i)];
      if (equation == 0) continue;
      const double value = values[static_cast<std::size_t>(equation)];
      if (std::fabs(value) >= 1.0e-6) block[static_cast<std::size_t>(6 * (node - 1) + i)] = static_cast<float>(value);
    }
  }
  BinaryFileWriteFloats(file, block.data(), block.size());
}

void WriteBlock(BinaryFile& file, const std::vector<double>& values) {
  std::vector<float> block(values.size());
  for (std::size_t k = 0; k < values.size(); ++k) block[k] = static_cast<float>(values[k]);
  BinaryFileWriteFloats(file, block.data(), block.size());
}

// The case's block: displacements, then the element forces and support
// loads as one run of floats.
void WriteCaseBlock(const Model& model, const AnalysisElementList& elements, const std::vector<double>& displacements,
                    const std::vector<double>& forces, AnalysisProgress& progress) {
  CheckSolutionFits(model, displacements);
  CheckForceBlockFits(model, elements, forces);
  ProgressBegin(progress, "Writing displacements", ProgressArea::Phase);
  WriteNodeValues(*g_ResultsFile, model, displacements);
  ProgressEnd(progress, ProgressArea::Phase);
  ProgressBegin(progress, "Writing forces", ProgressArea::Phase);
  WriteBlock(*g_ResultsFile, forces);
  ProgressEnd(progress, ProgressArea::Phase);
}

// values += factor · column (doubles from floats).
void AddScaled(std::vector<double>& values, const std::vector<float>& column, double factor) {
  const std::size_t n = values.size();
  double* out = values.data();
  const float* in = column.data();
  for (std::size_t k = 0; k < n; ++k) out[k] += factor * static_cast<double>(in[k]);
}
void AddScaled(std::vector<double>& values, const std::vector<double>& column, double factor) {
  const std::size_t n = values.size();
  double* out = values.data();
  const double* in = column.data();
  for (std::size_t k = 0; k < n; ++k) out[k] += factor * in[k];
}

template <class Item>
const Item* ItemOfRow(const Model& model, int row, DataType type) {
  const LayoutRow& layout = model.row(row);
  if (layout.dataType != type) return nullptr;
  return dynamic_cast<const Item*>(layout.item.get());
}

// --- the time-history file of the run -----------------------------------

struct PendingTimeHistory {
  std::unique_ptr<platform::SiblingTemporary> temporary;
};
PendingTimeHistory& Pending() {
  static PendingTimeHistory pending;
  return pending;
}

}  // namespace

void CheckDynamicLoadRows(const Model& model, int* refusedRow) {
  const bool spectrum = LoadCaseListHas(model.loadCases, kCaseIdForceSpectrum);
  const bool history = LoadCaseListHas(model.loadCases, kCaseIdTimeHistory);
  const bool harmonic = LoadCaseListHas(model.loadCases, kCaseIdHarmonic);
  auto refuse = [&](int row, const char* kind, const std::string& name, const char* what) {
    if (refusedRow != nullptr) *refusedRow = row;
    throw CFormat("Row %d: %s: %s %s", row, kind, name.c_str(), what);
  };
  for (int row = 1; row <= model.rowCount; ++row) {
    if (spectrum) {
      if (const auto* load = ItemOfRow<ForceSpectrumLoad>(model, row, DataType::ForceSpectrumLoad)) {
        const int index = FindForceSpectrum(model.forceSpectra, load->SpectrumName);
        if (index < 0) refuse(row, "Force spectrum", load->SpectrumName, "is not defined");
        if (model.forceSpectra[static_cast<std::size_t>(index)].points.empty())
          refuse(row, "Force spectrum", load->SpectrumName, "does not have any values");
      }
    }
    // The load dialog takes only a frequency above 0; a model file may bring
    // another, and a load of 0 Hz would run as a static one.
    if (harmonic) {
      const auto* load = ItemOfRow<HarmonicLoad>(model, row, DataType::HarmonicLoad);
      if (load != nullptr && !(load->Frequency > 0.0f && std::isfinite(load->Frequency))) {
        if (refusedRow != nullptr) *refusedRow = row;
        throw CFormat("Row %d: Harmonic load: the frequency, %g Hz, must be greater than 0.", row,
                      static_cast<double>(load->Frequency));
      }
    }
    if (history) {
      if (const auto* load = ItemOfRow<TimeVaryingLoad>(model, row, DataType::TimeVaryingLoad)) {
        const int index = FindTimeFunction(model.timeFunctions, load->TimeFunctionName);
        if (index < 0) refuse(row, "Time function", load->TimeFunctionName, "is not defined");
        if (model.timeFunctions[static_cast<std::size_t>(index)].points.empty())
          refuse(row, "Time function", load->TimeFunctionName, "does not have any values");
      }
    }
  }
  if (history && !(model.timeHistory.timeStep > 0.0f))
    throw std::string("The time step of the time history analysis must be greater than 0.");
  // What the dialog allows: 100 % or more would damp every response to
  // nothing, a negative damping amplify it. A model file may still bring
  // such a value; the model opens, and the value is refused here.
  const float damping = model.timeHistory.damping;
  if (history && !(damping >= 0.0f && damping <= kHighestDamping))
    throw CFormat("The damping of the time history analysis, %g %%, must be from 0 to %g %%.",
                  static_cast<double>(damping), static_cast<double>(kHighestDamping));
  // The harmonic damping likewise: below 0 it would amplify the response
  // near every mode and still report a success.
  const float harmonicDamping = model.harmonic.damping;
  if (harmonic && !(harmonicDamping >= 0.0f && harmonicDamping <= kHighestDamping))
    throw CFormat("The damping of the harmonic analysis, %g %%, must be from 0 to %g %%.",
                  static_cast<double>(harmonicDamping), static_cast<double>(kHighestDamping));
}

// --- force spectrum -------------------------------------------------------

void RunForceSpectrumStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  CheckDynamicLoadRows(model);
  const Modes modes = PrepareModes(model, elements, progress);
  ProgressBegin(progress, "Calculating modal displacements", ProgressArea::Phase);
  std::vector<double> squares(modes.equations, 0.0), forceSquares(modes.blockSize, 0.0);
  std::vector<double> response(modes.equations);
  std::vector<double> forces(modes.blockSize);
  for (int i = 1; i <= modes.N; ++i) {
    const double w = modes.w(i);
    if (w <= 0.0) continue;
    double P = 0.0;
    for (int row = 1; row <= model.rowCount; ++row) {
      const auto* load = ItemOfRow<ForceSpectrumLoad>(model, row, DataType::ForceSpectrumLoad);
      if (load == nullptr || load->UnitFactor == 0.0f) continue;
      const std::int32_t e = RowEquation(model, row, load->Direction);
      if (e == 0) continue;
      const int index = FindForceSpectrum(model.forceSpectra, load->SpectrumName);
      const double value = ForceSpectrumValueAtMode(model.forceSpectra, w, static_cast<std::size_t>(index));
      P += value * modes.phi(i)[static_cast<std::size_t>(e)] * load->ScaleFactor / load->UnitFactor;
    }
    const double factor = P / (w * w);
    for (std::size_t k = 1; k < modes.equations; ++k) {
      const double u = modes.phi(i)[k] * factor;
      squares[k] += u * u;
    }
    const std::vector<float>& block = modes.blocks[static_cast<std::size_t>(i)];
    for (std::size_t k = 0; k < modes.blockSize; ++k) {
      const double f = block[k] * factor;
      forceSquares[k] += f * f;
    }
  }
  for (double& value : squares) value = std::sqrt(value);
  for (double& value : forceSquares) value = std::sqrt(value);
  ProgressEnd(progress, ProgressArea::Phase);
  WriteCaseBlock(model, elements, squares, forceSquares, progress);
}

// --- harmonic -------------------------------------------------------------

HarmonicCoefficients HarmonicModeResponse(double omega, double forcing, double zeta, double Pc, double Ps) {
  const double r = forcing / omega;
  const double A = 1.0 - r * r, B = 2.0 * zeta * r, D = A * A + B * B;
  if (D < kResonance) throw std::string("Harmonic excitation at resonance without damping");
  const double w2 = omega * omega;
  // sin Ωt gives (A sin Ωt − B cos Ωt)/D/ω², cos Ωt gives (A cos Ωt + B sin Ωt)/D/ω².
  return {(A * Pc + B * Ps) / D / w2, (A * Ps - B * Pc) / D / w2};
}

void RunHarmonicStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  struct Group {
    double frequency = 0.0;
    std::vector<int> rows;
  };
  std::vector<Group> groups;  // ascending
  for (int row = 1; row <= model.rowCount; ++row) {
    const auto* load = ItemOfRow<HarmonicLoad>(model, row, DataType::HarmonicLoad);
    if (load == nullptr) continue;
    const double f = load->Frequency;
    auto at = groups.begin();
    while (at != groups.end() && at->frequency < f - kSameFrequency) ++at;
    if (at == groups.end() || std::fabs(at->frequency - f) >= kSameFrequency) at = groups.insert(at, Group{f, {}});
    at->rows.push_back(row);
  }
  if (groups.empty()) throw std::string("No harmonic loads");
  const int combination = model.harmonic.combination;
  if (combination != 0 && combination != 1) throw std::string("Invalid harmonic combination");
  const double zeta = model.harmonic.damping * 0.01;
  const Modes modes = PrepareModes(model, elements, progress);
  std::vector<double> total(modes.equations, 0.0), forceTotal(modes.blockSize, 0.0);
  std::vector<double> S(modes.equations), C(modes.equations), FS(modes.blockSize), FC(modes.blockSize);
  const std::size_t sizedCount = modes.sizedSlots.size();
  std::vector<double> PS(2 * sizedCount), PC(2 * sizedCount);
  for (const Group& group : groups) {
    ProgressBegin(progress, "Calculating displacements", ProgressArea::Phase);
    const double forcing = kTwoPi * group.frequency;
    std::fill(S.begin(), S.end(), 0.0);
    std::fill(C.begin(), C.end(), 0.0);
    std::fill(FS.begin(), FS.end(), 0.0);
    std::fill(FC.begin(), FC.end(), 0.0);
    std::fill(PS.begin(), PS.end(), 0.0);
    std::fill(PC.begin(), PC.end(), 0.0);
    for (int i = 1; i <= modes.N; ++i) {
      const double w = modes.w(i);
      if (w <= 0.0) continue;
      double Pc = 0.0, Ps = 0.0;
      for (int row : group.rows) {
        const auto* load = ItemOfRow<HarmonicLoad>(model, row, DataType::HarmonicLoad);
        const double phase = load->Phase * kDegree;
        for (int d = 0; d < 3; ++d) {
          const double F = load->Force(d);
          if (F == 0.0) continue;
          const std::int32_t e = RowEquation(model, row, d + 1);
          if (e == 0) continue;
          const double p = F * modes.phi(i)[static_cast<std::size_t>(e)];
          Pc += p * std::cos(phase);
          Ps += p * std::sin(phase);
        }
      }
      const HarmonicCoefficients q = HarmonicModeResponse(w, forcing, zeta, Pc, Ps);
      AddScaled(S, modes.phi(i), q.s);
      AddScaled(C, modes.phi(i), q.c);
      AddScaled(FS, modes.blocks[static_cast<std::size_t>(i)], q.s);
      AddScaled(FC, modes.blocks[static_cast<std::size_t>(i)], q.c);
      AddScaled(PS, modes.sizedComponents[static_cast<std::size_t>(i)], q.s);
      AddScaled(PC, modes.sizedComponents[static_cast<std::size_t>(i)], q.c);
    }
    // A sized load's amplitude, from its superposed components: the
    // largest size over the cycle for "Absolute Sum"; for "Root Mean
    // Square" the root of the sum of the components' squared amplitudes,
    // whose half is the mean square of the size over the cycle.
    for (std::size_t j = 0; j < sizedCount; ++j) {
      const std::size_t slot = modes.sizedSlots[j];
      const double a2 = PS[2 * j], a3 = PS[2 * j + 1], b2 = PC[2 * j], b3 = PC[2 * j + 1];
      FS[slot] = combination == 0 ? std::sqrt(a2 * a2 + a3 * a3 + b2 * b2 + b3 * b3)
                                  : LargestSizeOverCycle(a2, a3, b2, b3);
      FC[slot] = 0.0;
    }
    auto combine = [combination](std::vector<double>& into, const std::vector<double>& s, const std::vector<double>& c) {
      for (std::size_t k = 0; k < into.size(); ++k) {
        const double square = s[k] * s[k] + c[k] * c[k];
        into[k] += combination == 0 ? square : std::sqrt(square);
      }
    };
    combine(total, S, C);
    combine(forceTotal, FS, FC);
    ProgressEnd(progress, ProgressArea::Phase);
  }
  if (combination == 0) {
    for (double& value : total) value = std::sqrt(0.5 * value);
    for (double& value : forceTotal) value = std::sqrt(0.5 * value);
  }
  WriteCaseBlock(model, elements, total, forceTotal, progress);
}

// --- time history -----------------------------------------------------------

std::vector<double> IntegrateModalResponse(const std::vector<double>& p, double omega, double zeta, double dt,
                                           int interval) {
  const int K = static_cast<int>(p.size());
  const int n = std::max(interval, 1);
  const int S = K >= 1 ? (K - 1) / n : 0;
  std::vector<double> out(static_cast<std::size_t>(S), 0.0);
  if (S == 0 || omega <= 0.0 || dt <= 0.0) return out;
  // The exact step of the damped oscillator (unit mass) from (q, v) under a
  // load linear from p(k) to p(k+1) over dt.
  const double root = std::sqrt(1.0 - zeta * zeta);
  const double wd = omega * root;
  const double e = std::exp(-zeta * omega * dt);
  const double s = std::sin(wd * dt), c = std::cos(wd * dt);
  const double k = omega * omega;
  const double zr = zeta / root;
  const double A = e * (zr * s + c);
  const double B = e * s / wd;
  const double C = (2.0 * zeta / (omega * dt) +
                    e * (((1.0 - 2.0 * zeta * zeta) / (wd * dt) - zr) * s - (1.0 + 2.0 * zeta / (omega * dt)) * c)) /
                   k;
  const double D = (1.0 - 2.0 * zeta / (omega * dt) + e * ((2.0 * zeta * zeta - 1.0) / (wd * dt) * s + 2.0 * zeta / (omega * dt) * c)) / k;
  const double A1 = -e * (omega / root) * s;
  const double B1 = e * (c - zr * s);
  const double C1 = (-1.0 / dt + e * ((omega / root + zeta / (dt * root)) * s + c / dt)) / k;
  const double D1 = (1.0 - e * (zr * s + c)) / (k * dt);
  double q = 0.0, v = 0.0;
  for (int point = 1; point < K && point <= S * n; ++point) {
    const double p0 = p[static_cast<std::size_t>(point - 1)], p1 = p[static_cast<std::size_t>(point)];
    const double qn = A * q + B * v + C * p0 + D * p1;
    const double vn = A1 * q + B1 * v + C1 * p0 + D1 * p1;
    q = qn;
    v = vn;
    if (point % n == 0) out[static_cast<std::size_t>(point / n - 1)] = q;
  }
  return out;
}

void RemoveTimeHistoryFile(const std::string& modelPath) {
  const std::string path = TimeHistoryPathOf(modelPath);
  platform::RemoveStaleTemporaries(path);
  platform::RemoveFile(path);
}

bool CommitTimeHistoryFile() {
  PendingTimeHistory& pending = Pending();
  if (!pending.temporary) return true;
  const bool done = pending.temporary->Commit();
  pending.temporary.reset();
  return done;
}

void DiscardTimeHistoryFile() { Pending().temporary.reset(); }

namespace {

// The equation of each displacement of the node table (six per node), 0
// where the node has none in that direction.
std::vector<std::int32_t> NodeTableEquations(const Model& model) {
  const int count = ResultNodeCount(model);
  std::vector<std::int32_t> equations(static_cast<std::size_t>(6 * count), 0);
  for (int node = 1; node <= count; ++node) {
    const LocationVector vector = NodeLocationVector(model.nodes, node);
    for (int i = 0; i < 6; ++i)
      equations[static_cast<std::size_t>(6 * (node - 1) + i)] = vector.equation[static_cast<std::size_t>(i)];
  }
  return equations;
}

}  // namespace

void RunTimeHistoryStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  CheckDynamicLoadRows(model);
  const TimeHistorySettings& settings = model.timeHistory;
  const int n = std::max(settings.outputInterval, 1);
  const int K = std::max(settings.stepCount, 0);
  const int S = K >= 1 ? (K - 1) / n : 0;
  const double dt = settings.timeStep;
  const float T = static_cast<float>(n) * settings.timeStep;
  const double zeta = settings.damping * 0.01;
  const Modes modes = PrepareModes(model, elements, progress);

  // Every load row's value at every time point, then the modal loads.
  struct Source {
    std::int32_t equation;
    std::vector<double> values;  // K
  };
  std::vector<Source> sources;
  for (int row = 1; row <= model.rowCount; ++row) {
    const auto* load = ItemOfRow<TimeVaryingLoad>(model, row, DataType::TimeVaryingLoad);
    if (load == nullptr || load->UnitFactor == 0.0f) continue;
    const std::int32_t e = RowEquation(model, row, load->Direction);
    if (e == 0) continue;
    const auto index = static_cast<std::size_t>(FindTimeFunction(model.timeFunctions, load->TimeFunctionName));
    Source source{e, std::vector<double>(static_cast<std::size_t>(K))};
    const double scale = static_cast<double>(load->ScaleFactor) / load->UnitFactor;
    for (int k = 1; k <= K; ++k) {
      const double t = (k - 1) * dt;
      source.values[static_cast<std::size_t>(k - 1)] =
          TimeFunctionValueAt(model.timeFunctions, static_cast<float>(t), index) * scale;
    }
    sources.push_back(std::move(source));
  }
  ModalCoordinates history;
  history.modes = modes.N;
  history.steps = S;
  history.values.resize(static_cast<std::size_t>(modes.N) * static_cast<std::size_t>(S));
  for (int i = 1; i <= modes.N; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "Mode %d", i);
    ProgressBegin(progress, "Calculating modal displacements", ProgressArea::Phase);
    ProgressBegin(progress, text, ProgressArea::Mode);
    std::vector<double> p(static_cast<std::size_t>(K), 0.0);
    for (const Source& source : sources) {
      const double phi = modes.phi(i)[static_cast<std::size_t>(source.equation)];
      if (phi == 0.0) continue;
      for (int k = 0; k < K; ++k) p[static_cast<std::size_t>(k)] += source.values[static_cast<std::size_t>(k)] * phi;
    }
    const std::vector<double> q = IntegrateModalResponse(p, modes.w(i), zeta, dt, n);
    std::copy(q.begin(), q.end(), history.values.begin() + static_cast<std::ptrdiff_t>(i - 1) * S);
    ProgressEnd(progress, ProgressArea::Mode);
    ProgressEnd(progress, ProgressArea::Phase);
  }

  BinaryFile rth;
  std::unique_ptr<platform::SiblingTemporary> temporary;
  if (settings.writeResults != 0) {
    const std::string path = TimeHistoryPathOf(model.path);
    temporary = std::make_unique<platform::SiblingTemporary>(path, 0644);
    if (!temporary->ok() || !BinaryFileOpenUpdate(rth, temporary->path()))
      throw std::string("RTH file could not be opened for writing");
    BinaryFileWriteBytes(rth, kTimeHistoryMagic, sizeof kTimeHistoryMagic);
    BinaryFileWriteFloat(rth, T);
    BinaryFileWriteInt(rth, S);
  }
  TimeHistoryModes columns;
  columns.shapes.length = modes.equations;
  columns.blocks.length = modes.blockSize;
  columns.sizedComponents.length = 2 * modes.sizedSlots.size();
  columns.sizedSlots = modes.sizedSlots;
  for (int i = 1; i <= modes.N; ++i) {
    columns.shapes.columns.push_back(modes.phi(i).data());
    columns.blocks.columns.push_back(modes.blocks[static_cast<std::size_t>(i)].data());
    columns.sizedComponents.columns.push_back(modes.sizedComponents[static_cast<std::size_t>(i)].data());
  }
  if (temporary) columns.nodeEquations = NodeTableEquations(model);
  int shown = -1;
  const TimeHistoryPeaks peaks = SuperposeTimeHistory(history, columns, temporary ? &rth : nullptr, [&](int s) {
    const int percent = static_cast<int>(s * (100.0 / S));
    if (percent == shown) return;
    ProgressBegin(progress, CFormat("Calculating Time history     %d %%", percent), ProgressArea::Percentage);
    ProgressEnd(progress, ProgressArea::Percentage);
    shown = percent;
  });
  if (temporary) {
    const bool failed = BinaryFileHasError(rth);
    if (!BinaryFileClose(rth) || failed) throw std::string("RTH file could not be opened for writing");
    Pending().temporary = std::move(temporary);
  }
  ProgressBegin(progress, "Time history", ProgressArea::Phase);
  ProgressEnd(progress, ProgressArea::Phase);
  WriteCaseBlock(model, elements, peaks.displacements, peaks.forces, progress);
}
