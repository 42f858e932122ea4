// The modal step; see ModalStep.h.
#include "analysis/ModalStep.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "analysis/StepResults.h"
#include "kindbase/EndForces.h"
#include "kindbase/GlobalSystem.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "numeric/Eigen.h"
#include "numeric/RunState.h"
#include "numeric/Skyline.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "records/AnalysisOptions.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"
#include "services/Frame.h"
#include "services/Message.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kNegligible = 1.0e-30;
constexpr double kGravityAcceleration = 386.4;  // inch per second squared
// Roots λ closer than this share of the lower are one repeated root (the
// solver's own margin): a symmetric model's pair, whose vectors it returns
// turned by an arbitrary angle in their plane.
constexpr double kRepeatedShare = 1.0e-6;

ModalStepResults g_Modal;

// Direction of an equation: 0, 1, 2 for the X, Y, Z translations, 3..5
// for the rotations (six equations per node, in that order).
int DirectionOfEquation(std::int64_t equation) { return static_cast<int>((equation - 1) % 6); }

void WriteModalBlock(const Model& model, const ModalStepResults& modal, AnalysisProgress& progress) {
  BinaryFile& file = *g_ResultsFile;
  const std::int32_t N = modal.modes;
  BinaryFileWriteInt(file, N);
  for (int k = 1; k <= N; ++k)
    BinaryFileWriteFloat(file, static_cast<float>(modal.omega[static_cast<std::size_t>(k)] / kTwoPi));
  ProgressBegin(progress, "Writing mode shapes", ProgressArea::Mode);
  const int count = ResultNodeCount(model);
  std::vector<float> values(static_cast<std::size_t>(6 * count), 0.0f);
  for (int k = 1; k <= N; ++k) {
    const std::vector<double>& phi = modal.shapes[static_cast<std::size_t>(k)];
    for (int node = 1; node <= count; ++node) {
      const LocationVector vector = NodeLocationVector(model.nodes, node);
      for (int i = 0; i < 6; ++i) {
        const std::int32_t equation = vector.equation[static_cast<std::size_t>(i)];
        values[static_cast<std::size_t>(6 * (node - 1) + i)] =
            equation == 0 ? 0.0f : static_cast<float>(phi[static_cast<std::size_t>(equation)]);
      }
    }
    BinaryFileWriteFloats(file, values.data(), values.size());
  }
  ProgressEnd(progress, ProgressArea::Mode);
  for (int k = 1; k <= N; ++k)
    for (int d = 0; d < 3; ++d)
      BinaryFileWriteFloat(file, static_cast<float>(modal.gamma[static_cast<std::size_t>(d)][static_cast<std::size_t>(k)]));
  BinaryFileWriteFloat(file, static_cast<float>(modal.totalMass));
}

}  // namespace

ModalStepResults& TheModalResults() { return g_Modal; }

void ClearModalResults() { g_Modal = ModalStepResults{}; }

std::int32_t KeptModeCount(std::span<const double> lambdas, double cutOffHz, std::int32_t modeCount) {
  const double omegaCut = kTwoPi * cutOffHz;
  std::int32_t kept = 0;
  for (double lambda : lambdas) {
    ++kept;
    if (std::sqrt(std::max(lambda, 0.0)) > omegaCut) break;
  }
  kept = std::min(kept, std::max<std::int32_t>(modeCount, 0));
  // The cut never falls inside a repeated root: its members go together.
  while (kept > 0 && kept < std::ssize(lambdas) &&
         lambdas[static_cast<std::size_t>(kept)] - lambdas[static_cast<std::size_t>(kept - 1)] <=
             kRepeatedShare * std::fabs(lambdas[static_cast<std::size_t>(kept - 1)]))
    ++kept;
  return kept;
}

void ComputeParticipationFactors(ModalStepResults& results) {
  const auto N = static_cast<std::size_t>(results.modes);
  const auto E = static_cast<std::int64_t>(results.masses.size()) - 1;
  for (auto& gamma : results.gamma) gamma.assign(N + 1, 0.0);
  results.totalMass = 0.0;
  for (std::int64_t i = 1; i <= E; ++i) {
    const int d = DirectionOfEquation(i);
    if (d > 2) continue;
    const double mass = results.masses[static_cast<std::size_t>(i)];
    if (d == 0) results.totalMass += mass;
    for (std::size_t k = 1; k <= N; ++k) {
      const double t = results.shapes[k][static_cast<std::size_t>(i)] * mass;
      if (std::fabs(t) >= kNegligible) results.gamma[static_cast<std::size_t>(d)][k] += t;
    }
  }
}

void ComputeLeftOutShares(ModalStepResults& results) {
  const std::size_t size = results.masses.size();
  for (int d = 0; d < 3; ++d) {
    std::vector<double>& share = results.leftOut[static_cast<std::size_t>(d)];
    share.assign(size, 0.0);
    for (std::size_t i = 1; i < size; ++i) {
      if (DirectionOfEquation(static_cast<std::int64_t>(i)) > 2) continue;
      double sum = DirectionOfEquation(static_cast<std::int64_t>(i)) == d ? 1.0 : 0.0;
      for (std::size_t k = 1; k <= static_cast<std::size_t>(results.modes); ++k)
        sum -= results.shapes[k][i] * results.gamma[static_cast<std::size_t>(d)][k];
      share[i] = sum;
    }
  }
}

void AlignRepeatedModes(ModalStepResults& results) {
  const auto N = static_cast<std::size_t>(results.modes);
  std::size_t first = 1;
  while (first <= N) {
    std::size_t last = first;
    const auto lambda = [&results](std::size_t k) { return results.omega[k] * results.omega[k]; };
    while (last < N && lambda(last + 1) - lambda(first) <= kRepeatedShare * lambda(first)) ++last;
    const std::size_t m = last - first + 1;
    if (m < 2) {
      first = last + 1;
      continue;
    }
    // The cluster's participation in X, Y and Z as three vectors over its
    // members; an orthonormal basis of them, X first, then the complement,
    // gives the turn of the members that lines them up with the axes.
    std::vector<std::vector<double>> basis;
    double largest = 0.0;
    for (int d = 0; d < 3; ++d)
      for (std::size_t i = 0; i < m; ++i)
        largest = std::max(largest, std::fabs(results.gamma[static_cast<std::size_t>(d)][first + i]));
    const auto add = [&basis, m](std::vector<double> v, double floor) {
      for (const auto& q : basis) {
        double dot = 0.0;
        for (std::size_t i = 0; i < m; ++i) dot += q[i] * v[i];
        for (std::size_t i = 0; i < m; ++i) v[i] -= dot * q[i];
      }
      double norm = 0.0;
      for (const double x : v) norm += x * x;
      norm = std::sqrt(norm);
      if (!(norm > floor) || basis.size() == m) return;
      for (double& x : v) x /= norm;
      basis.push_back(std::move(v));
    };
    if (largest > 0.0) {
      for (int d = 0; d < 3; ++d) {
        std::vector<double> v(m);
        for (std::size_t i = 0; i < m; ++i) v[i] = results.gamma[static_cast<std::size_t>(d)][first + i];
        add(std::move(v), kRepeatedShare * largest);
      }
      for (std::size_t j = 0; j < m; ++j) {
        std::vector<double> unit(m, 0.0);
        unit[j] = 1.0;
        add(std::move(unit), 0.5);
      }
    }
    if (basis.size() == m) {
      const std::size_t size = results.shapes[first].size();
      std::vector<std::vector<double>> turned(m, std::vector<double>(size, 0.0));
      for (std::size_t j = 0; j < m; ++j)
        for (std::size_t i = 0; i < m; ++i)
          for (std::size_t e = 0; e < size; ++e) turned[j][e] += basis[j][i] * results.shapes[first + i][e];
      for (std::size_t j = 0; j < m; ++j) results.shapes[first + j] = std::move(turned[j]);
    }
    first = last + 1;
  }
}

namespace {

// The static displacements under the left-out forces, with the stiffness
// of the modal assembly left in StiffnessValues.
void SolveMissingMass(const Model& model, ModalStepResults& modal, AnalysisProgress& progress) {
  ProgressBegin(progress, "Calculating missing mass modes", ProgressArea::Mode);
  ComputeLeftOutShares(modal);
  SolverStatus status = TriangulariseStiffness(StiffnessValues, g_StiffnessProfile, progress);
  for (int d = 0; d < 3 && status.Ok(); ++d) {
    std::vector<double>& u = modal.missingShapes[static_cast<std::size_t>(d)];
    u.assign(modal.masses.size(), 0.0);
    for (std::size_t i = 1; i < u.size(); ++i)
      u[i] = kGravityAcceleration * modal.masses[i] * modal.leftOut[static_cast<std::size_t>(d)][i];
    status = SolveDisplacements(StiffnessValues, g_StiffnessProfile, u, progress);
  }
  if (!status.Ok()) {
    std::vector<std::int32_t> positions(static_cast<std::size_t>(model.nodes.count) + 1, 0);
    for (int node = 1; node <= model.nodes.count; ++node) positions[static_cast<std::size_t>(node)] = model.nodes[node].equation;
    throw NotPositiveDefiniteMessage(status.equation, positions, [&model](std::int32_t node) {
      return node >= 1 && node <= model.nodes.count ? std::string(NodeNumberText(model.nodes[node].id)) : std::string("?");
    });
  }
  modal.missingMass = true;
  ProgressEnd(progress, ProgressArea::Mode);
}

}  // namespace

void RunModalStep(const Model& model, AnalysisProgress& progress, bool missingMass) {
  ModalOptions options;
  options.modeCount = model.options.ModeCount;
  options.cutOffFrequency = model.options.CutOffFrequency;
  if (options.modeCount < 1) throw std::string("The number of modes must be at least 1.");
  ModalResult found = RunModalAnalysis(g_StiffnessProfile, StiffnessValues, g_MassVector, options, progress);
  if (found.fault != ModalFault::None) throw ModalFaultMessage(found.fault);
  if (found.noMoreRoots) ShowInfoMessage(MainFrame().window, kNoMoreRootsMessage);
  ModalStepResults modal;
  const std::span<const double> lambdas(found.eigenvalues.data() + 1,
                                        static_cast<std::size_t>(found.modesFound + found.repeatedAfter));
  modal.modes = KeptModeCount(lambdas, options.cutOffFrequency, options.modeCount);
  if (modal.modes <= 0) throw ModalFaultMessage(ModalFault::NoEigenvalues);
  modal.omega.assign(static_cast<std::size_t>(modal.modes) + 1, 0.0);
  modal.shapes.resize(static_cast<std::size_t>(modal.modes) + 1);
  for (std::size_t k = 1; k <= static_cast<std::size_t>(modal.modes); ++k) {
    modal.omega[k] = std::sqrt(std::max(found.eigenvalues[k], 0.0));
    modal.shapes[k] = std::move(found.modeShapes[k]);
  }
  modal.masses = g_MassVector;
  ProgressBegin(progress, "Calculating participation factors", ProgressArea::Mode);
  ComputeParticipationFactors(modal);
  AlignRepeatedModes(modal);
  ComputeParticipationFactors(modal);
  ProgressEnd(progress, ProgressArea::Mode);
  modal.present = true;
  WriteModalBlock(model, modal, progress);
  if (missingMass) SolveMissingMass(model, modal, progress);
  g_Modal = std::move(modal);
}

void WriteDynamicSusceptibilityFile(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  const ModalStepResults& modal = g_Modal;
  const std::string path = SusceptibilityPathOf(model.path);
  // An earlier file would be read with these results if this one failed.
  platform::RemoveFile(path);
  platform::RemoveStaleTemporaries(path);
  platform::SiblingTemporary temporary(path, 0644);
  BinaryFile file;
  if (!temporary.ok() || !BinaryFileOpenUpdate(file, temporary.path())) throw std::string("Unable to create rds file");
  ProgressBegin(progress, "Calculating dynamic susceptibility", ProgressArea::StepTitle);
  char header[16] = {};
  std::memcpy(header, kSusceptibilityMagic, 15);
  BinaryFileWriteBytes(file, header, sizeof header);
  struct Restore {
    ~Restore() {
      g_ElementForceRun.susceptibility = false;
      g_ElementForceRun.susceptibilityFile = nullptr;
      g_ElementForceRun.noWrite = false;
    }
  } restore;
  g_ElementForceRun.susceptibility = true;
  g_ElementForceRun.susceptibilityFile = &file;
  g_ElementForceRun.noWrite = true;
  for (int m = 1; m <= modal.modes; ++m) {
    const std::vector<double>& phi = modal.shapes[static_cast<std::size_t>(m)];
    std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
    std::copy(phi.begin(), phi.begin() + static_cast<std::ptrdiff_t>(std::min(phi.size(), g_DisplacementVector.size())),
              g_DisplacementVector.begin());
    CalculateElementForces(model, elements, progress);
  }
  const bool failed = BinaryFileHasError(file);
  if (!BinaryFileClose(file) || failed || !temporary.Commit()) throw std::string("Unable to create rds file");
  ProgressEnd(progress, ProgressArea::StepTitle);
}
