// The modal search against its own results as they were before its Lanczos
// basis became one block of the massed terms and its modes came from solves
// of several right-hand sides at once: the numbers in
// data/ModeSearchReference.txt were written by the search as it was, on the
// models below, which take it through every path: one run and many, roots
// missed and found by the Sturm counts, repeated and clustered roots, roots
// of stiff anchors carrying mass found by bracketing, the roots running
// out, a given start vector. The roots must agree to 1e-10, each mode to
// 1e-8 of its largest term (the massless equations included), and the
// counts (modes found, roots missed, modes found after a miss) exactly. A
// mode of a repeated root is defined only within its eigenspace: where
// reference roots lie within 1e-6 of each other the mode must lie in their
// span to 1e-8 instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <utility>
#include <string>
#include <vector>

#include "KernelTestModels.h"
#include "numeric/Eigen.h"
#include "numeric/RunState.h"

namespace {

using namespace kerneltest;

constexpr double kPi = 3.141592653589793;

struct SearchCase {
  std::string name;
  std::function<AssembledModel()> build;
  std::int32_t modes;
  double cutOff;
  // The start vector of the first run, or empty for the pseudo-random one.
  std::function<std::vector<double>(const AssembledModel&)> start;
};

// A flat grid of beams in the XY plane, nx by ny nodes 60 in apart, the
// first row anchored (with its mass on the anchor springs when asked), a
// skew of the whole grid so that no term is zero by symmetry.
AssembledModel BuildBeamGrid(int nx, int ny, bool massAtAnchors) {
  const int nodes = nx * ny;
  std::vector<std::int32_t> positions(nodes + 1);
  for (int i = 1; i <= nodes; ++i) positions[i] = i;
  auto node = [nx](int x, int y) { return y * nx + x + 1; };
  const float cs = std::cos(0.3f), sn = std::sin(0.3f);
  const LocalFrame alongX{{{cs, -sn, 0.0f}, {sn, cs, 0.0f}, {0.0f, 0.0f, 1.0f}}};
  const LocalFrame alongY{{{-sn, -cs, 0.0f}, {cs, -sn, 0.0f}, {0.0f, 0.0f, 1.0f}}};
  std::vector<LocationVector> connections;
  std::vector<const LocalFrame*> frames;
  for (int y = 0; y < ny; ++y)
    for (int x = 0; x < nx; ++x) {
      if (x + 1 < nx) {
        connections.push_back(ElementLocationVector(positions, node(x, y), node(x + 1, y)));
        frames.push_back(&alongX);
      }
      if (y + 1 < ny) {
        connections.push_back(ElementLocationVector(positions, node(x, y), node(x, y + 1)));
        frames.push_back(&alongY);
      }
    }
  AssembledModel model;
  model.profile = BuildSkylineProfile(6 * nodes, connections);
  model.K.assign(model.profile.nme + 1, 0.0);
  model.M.assign(6 * nodes + 1, 0.0);
  const double L = 60.0, ro = 3.3125, ri = ro - 0.3;
  const double A = kPi * (ro * ro - ri * ri), I = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
  const ElementStiffness k = BeamStiffness(2.9e7, 1.1e7, A, I, I, 2.0 * I, L);
  for (std::size_t e = 0; e < connections.size(); ++e)
    TransformAndAssembleElement(model.K, model.profile, k, *frames[e], connections[e]);
  const double m = 0.2836 * A * L / 386.4;
  for (int y = 0; y < ny; ++y)
    for (int x = 0; x < nx; ++x) {
      if (y == 0) AddAnchor(model, ElementLocationVector(positions, node(x, y), 0));
      if (y == 0 && !massAtAnchors) continue;
      // Edge nodes carry less pipe; a heavier node now and then splits
      // the roots that the grid's symmetry would pair.
      const double share = (x == 0 || x == nx - 1 ? 0.75 : 1.0) * ((x * 7 + y * 3) % 11 == 0 ? 1.6 : 1.0);
      for (int d = 1; d <= 3; ++d) model.M[6 * (node(x, y) - 1) + d] = m * share;
    }
  return model;
}

AssembledModel SkippedChainModel() {
  AssembledModel model = BuildParallelChains(2, 120, 1000.0, 1.0, 0.0);
  for (int i = 0; i < 120; ++i) model.M[6 * (121 + 1 + i) + 1] = 0.0;
  for (int i = 1; i <= 4; ++i) model.M[6 * (121 + i) + 1] = 30.0;
  return model;
}

Cantilever Pipe(int elements, double length, double tipWeight) {
  const double ro = 2.25, ri = ro - 0.237, g = 386.4;
  Cantilever c;
  c.elements = elements;
  c.length = length;
  c.E = 2.9e7;
  c.G = c.E / 2.6;
  c.A = kPi * (ro * ro - ri * ri);
  c.Iy = c.Iz = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
  c.J = 2.0 * c.Iy;
  c.massPerLength = 0.2836 * c.A / g;
  c.massAtAnchor = true;
  c.tipMass = tipWeight / g;
  return c;
}

std::vector<SearchCase> Cases() {
  std::vector<SearchCase> cases;
  cases.push_back({"chain", [] { return BuildSpringMassChain(8, 1000.0, 2.0); }, 8, 1000.0, {}});
  cases.push_back({"chain-runs-out", [] { return BuildSpringMassChain(5, 400.0, 1.0); }, 9, 1000.0, {}});
  cases.push_back({"skewed-cantilever",
                   [] {
                     Cantilever c;
                     c.elements = 24;
                     const float cs = std::cos(0.5f), sn = std::sin(0.5f);
                     c.frame = {{{cs, -sn, 0.0f}, {sn, cs, 0.0f}, {0.0f, 0.0f, 1.0f}}};
                     return BuildCantilever(c);
                   },
                   6, 10000.0, {}});
  cases.push_back({"square-cantilever",
                   [] {
                     Cantilever c;
                     c.elements = 40;
                     c.Iy = c.Iz = 80.0;
                     return BuildCantilever(c);
                   },
                   8, 10000.0, {}});
  cases.push_back({"clusters", [] { return BuildParallelChains(10, 6, 1000.0, 1.0, 1.0e-5); }, 20, 1000.0, {}});
  cases.push_back({"skipped-chain", SkippedChainModel, 12, 1.0e4, [](const AssembledModel& model) {
                     std::vector<double> start(model.M.size(), 0.0);
                     for (int node = 2; node <= 121; ++node) start[6 * (node - 1) + 1] = 1.0 + 0.01 * node;
                     return start;
                   }});
  for (const auto& [count, cutOff] : {std::pair{12, 1.0e4}, std::pair{20, 1.0e7}}) {
    const int elements = count;  // a lambda cannot capture a structured binding everywhere
    cases.push_back({"anchored-mass-cantilever-" + std::to_string(elements),
                     [elements] {
                       Cantilever c;
                       c.elements = elements;
                       c.massAtAnchor = true;
                       return BuildCantilever(c);
                     },
                     3 * (elements + 1), cutOff, {}});
  }
  cases.push_back({"tip-weight-pipe", [] { return BuildCantilever(Pipe(3, 100.0, 1000.0)); }, 12, 1.0e5, {}});
  cases.push_back({"short-pipe", [] { return BuildCantilever(Pipe(5, 10.0, 0.0)); }, 19, 1.0e9, {}});
  cases.push_back({"grid", [] { return BuildBeamGrid(7, 6, false); }, 41, 1.0e5, {}});
  cases.push_back({"grid-anchors-massed", [] { return BuildBeamGrid(8, 6, true); }, 50, 1.0e5, {}});
  return cases;
}

ModalResult RunCase(const SearchCase& c, const AssembledModel& model) {
  ModalOptions options;
  options.modeCount = c.modes;
  options.cutOffFrequency = c.cutOff;
  const std::vector<double> start = c.start ? c.start(model) : std::vector<double>{};
  return RunModalAnalysisFrom(model.profile, model.K, model.M, options, SilentProgress(), start);
}

struct Reference {
  int fault = 0, modesFound = 0, noMoreRoots = 0, missedRoots = 0, passedRootModes = 0;
  std::vector<double> lambda;               // 1-based
  std::vector<std::vector<double>> shapes;  // 1-based, each E + 1
};

std::map<std::string, Reference> ReadReferences() {
  std::ifstream file(std::string(QUORVEL_SOURCE_DIR) + "/tests/analysis/data/ModeSearchReference.txt");
  std::map<std::string, Reference> references;
  std::string word, name;
  std::int64_t E = 0;
  while (file >> word) {
    if (word == "case") {
      Reference r;
      file >> name >> r.fault >> r.modesFound >> r.noMoreRoots >> r.missedRoots >> r.passedRootModes >> E;
      r.lambda.assign(1, 0.0);
      r.shapes.resize(1);
      for (int j = 1; j <= r.modesFound; ++j) {
        double lambda = 0.0;
        file >> lambda;
        r.lambda.push_back(lambda);
      }
      for (int j = 1; j <= r.modesFound; ++j) {
        std::vector<double> shape(static_cast<std::size_t>(E) + 1, 0.0);
        for (std::int64_t e = 1; e <= E; ++e) file >> shape[static_cast<std::size_t>(e)];
        r.shapes.push_back(std::move(shape));
      }
      references[name] = std::move(r);
    }
  }
  return references;
}

double MassProduct(const std::vector<double>& a, const std::vector<double>& M, const std::vector<double>& b) {
  double sum = 0.0;
  for (std::size_t e = 1; e < M.size(); ++e) sum += a[e] * M[e] * b[e];
  return sum;
}

double LargestTerm(const std::vector<double>& v) {
  double largest = 0.0;
  for (std::size_t e = 1; e < v.size(); ++e) largest = std::max(largest, std::fabs(v[e]));
  return largest;
}

// No term of the other sign as large as the largest one, to 1e-8.
bool SignSettled(const std::vector<double>& v) {
  double top = 0.0, other = 0.0;
  for (std::size_t e = 1; e < v.size(); ++e) top = std::max(top, v[e]);
  for (std::size_t e = 1; e < v.size(); ++e) other = std::max(other, -v[e]);
  return other < (1.0 - 1.0e-8) * top;
}

TEST(ModeSearchEquivalence, RootsAndModesAsTheSearchGaveThemBefore) {
  const std::map<std::string, Reference> references = ReadReferences();
  const std::vector<SearchCase> cases = Cases();
  ASSERT_EQ(references.size(), cases.size());
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto found = references.find(c.name);
    ASSERT_NE(found, references.end());
    const Reference& reference = found->second;
    const AssembledModel model = c.build();
    const ModalResult result = RunCase(c, model);
    ASSERT_EQ(static_cast<int>(result.fault), reference.fault);
    ASSERT_EQ(result.modesFound, reference.modesFound);
    EXPECT_EQ(result.noMoreRoots ? 1 : 0, reference.noMoreRoots);
    EXPECT_EQ(result.missedRoots, reference.missedRoots);
    EXPECT_EQ(result.passedRootModes, reference.passedRootModes);
    for (std::int32_t j = 1; j <= result.modesFound; ++j) {
      const double expected = reference.lambda[static_cast<std::size_t>(j)];
      EXPECT_NEAR(result.eigenvalues[j], expected, 1.0e-10 * std::fabs(expected)) << "root " << j;
      const std::vector<double>& phi = result.modeShapes[static_cast<std::size_t>(j)];
      ASSERT_EQ(phi.size(), model.M.size());
      std::vector<double> rest = phi;
      int together = 0;
      for (std::int32_t k = 1; k <= reference.modesFound; ++k) {
        const double other = reference.lambda[static_cast<std::size_t>(k)];
        if (std::fabs(other - expected) > 1.0e-6 * std::fabs(expected)) continue;
        ++together;
        const std::vector<double>& basis = reference.shapes[static_cast<std::size_t>(k)];
        const double g = MassProduct(basis, model.M, phi);
        for (std::size_t e = 1; e < rest.size(); ++e) rest[e] -= g * basis[e];
      }
      const double scale = LargestTerm(phi);
      if (together == 1) {
        const std::vector<double>& same = reference.shapes[static_cast<std::size_t>(j)];
        double off = 0.0, opposite = 0.0;
        for (std::size_t e = 1; e < phi.size(); ++e) {
          off = std::max(off, std::fabs(phi[e] - same[e]));
          opposite = std::max(opposite, std::fabs(phi[e] + same[e]));
        }
        // The sign (largest term positive) is rounding's choice where two
        // terms of opposite sign share the largest size (chains side by side).
        EXPECT_LE(SignSettled(same) ? off : std::min(off, opposite), 1.0e-8 * scale) << "mode " << j;
      }
      EXPECT_LE(LargestTerm(rest), 1.0e-8 * scale) << "mode " << j << " in the span of its root";
    }
  }
}

}  // namespace
