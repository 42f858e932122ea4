// What the analysis driver tests share: small models of a 4.5-inch pipe
// built row by row (material "CS", E 2.9e7 psi, alpha 6.5e-6 per degree,
// section "S4" 4.5 x 0.237 inch, pipe load "L1"), a run of the driver
// beside a model path in the temporary folder, the results read back with
// the results reader, and an independent reference: the complementary
// energy of a path of straight legs and arcs, integrated numerically, that
// gives the flexibility between two points of a line held at its start.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/AnalysisDriver.h"
#include "model/ModelBuilder.h"
#include "numeric/RunState.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"

namespace analysis_testing {

constexpr double kPi = std::numbers::pi;
constexpr double kE = 2.9e7, kNu = 0.3, kAlpha = 6.5e-6;
constexpr double kOd = 4.5, kWall = 0.237;
constexpr double kDensity = 0.2836;  // lb per cubic inch

struct SectionValues {
  double A, I, G, shear;  // shear: the thick tube's form factor
};

inline SectionValues Pipe4() {
  const double ro = kOd / 2.0, ri = ro - kWall;
  SectionValues s;
  s.A = kPi * (ro * ro - ri * ri);
  s.I = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
  s.G = kE / 2.0 / (1.0 + kNu);
  s.shear = 4.0 / 3.0 * (std::pow(ro, 3) - std::pow(ri, 3)) / ((ro - ri) * (ri * ri + ro * ro));
  return s;
}

// E, alpha and the stresses at 70 F and 900 F (the same at both).
inline void GiveSteelValues(Material& steel, double density) {
  steel.nu = static_cast<float>(kNu);
  steel.density = static_cast<float>(density);
  steel.numtemps = 2;
  steel.temps.resize(3);
  steel.temps[1].values = {70.0f, static_cast<float>(kE), static_cast<float>(kAlpha), 2.0e4f, 3.5e4f, 6.0e4f, 0, 0};
  steel.temps[2].values = {900.0f, static_cast<float>(kE), static_cast<float>(kAlpha), 2.0e4f, 3.5e4f, 6.0e4f, 0, 0};
}

// An empty model with the properties; T1 of "L1" is `t1`, the density of
// "CS" is `density` (0: weightless).
inline void StartModel(Model& model, double t1, double density, const std::string& path) {
  InitEmptyModel(model, AnalysisOptions());
  model.options.PipingCode = 3;
  // The tests that give the line another code weigh its stresses without
  // the axial force; the B31.3 stresses take it whatever the option says.
  model.options.IncludeAxialForce = 0;
  model.options.ReferenceTemperature = 70.0f;
  model.options.ThermalLoadCount = 1;
  Material steel;
  steel.name = "CS";
  GiveSteelValues(steel, density);
  AppendMaterial(model.materials, steel);
  PipeSection section;
  InitSection(section);
  section.name = "S4";
  section.outsideDiameter = static_cast<float>(kOd);
  section.thickness = static_cast<float>(kWall);
  AppendSection(model.sections, section);
  PipeLoad load;
  InitPipeLoad(load, 70.0f);
  load.name = "L1";
  load.operating[0].temperature = static_cast<float>(t1);
  load.operating[0].pressure = 0.0f;
  load.wind = 0;
  AppendPipeLoad(model.pipeLoads, load);
  model.path = path;
}

// A row with the model's properties.
inline int PipeRow(Model& model, NodeId node, ElementType type, float dx, float dy = 0.0f, float dz = 0.0f) {
  const int row = AddRow(model, node, type, dx, dy, dz);
  model.row(row).material = "CS";
  model.row(row).section = "S4";
  model.row(row).load = "L1";
  return row;
}

inline void SetCases(Model& model, const std::vector<int>& cases) {
  model.loadCases.count = static_cast<std::int32_t>(cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) model.loadCases.cases[i + 1] = cases[i];
}

// One block of a result case read back: node records (global), element
// records, support values, by the reader's offsets.
struct CaseBlock {
  std::vector<std::array<float, 6>> nodes;     // by node index, [0] unused
  std::vector<std::array<float, 12>> forces;   // by element, [0] unused
  std::vector<float> supports;                 // the whole support-loads block
};

inline CaseBlock ReadCaseBlock(BinaryFile& file, const Model& model, const ResultsFileContents& results, int k) {
  const ResultCaseOffsets& at = results.cases.at(static_cast<std::size_t>(k));
  CaseBlock block;
  block.nodes.resize(static_cast<std::size_t>(ResultNodeCount(model)) + 1);
  block.forces.resize(static_cast<std::size_t>(results.elementCount) + 1);
  block.supports.resize(static_cast<std::size_t>(results.supportBlockBytes / 4));
  BinaryFileSeek(file, at.displacements);
  for (std::size_t n = 1; n < block.nodes.size(); ++n) BinaryFileReadFloats(file, block.nodes[n].data(), 6);
  BinaryFileSeek(file, at.forces);
  for (std::size_t e = 1; e < block.forces.size(); ++e) BinaryFileReadFloats(file, block.forces[e].data(), 12);
  BinaryFileSeek(file, at.supportLoads);
  BinaryFileReadFloats(file, block.supports.data(), block.supports.size());
  EXPECT_FALSE(BinaryFileReadFailed(file));
  return block;
}

// The run and its results file read back.
struct RunResults {
  ResultsFileContents contents;
  std::vector<CaseBlock> cases;  // [k - 1] is result case k
  std::int64_t fileSize = 0;
};

inline RunResults AnalyseAndRead(Model& model) {
  RunAnalysis(model, SilentProgress());
  RunResults run;
  BinaryFile file;
  const std::string path = ResultsPathOf(model.path);
  EXPECT_TRUE(BinaryFileOpenRead(file, path));
  run.fileSize = file.size;
  ReadResultsFile(file, path, model, run.contents);
  for (std::size_t k = 1; k < run.contents.cases.size(); ++k)
    run.cases.push_back(ReadCaseBlock(file, model, run.contents, static_cast<int>(k)));
  return run;
}

// The values of the support row `row` in a block.
inline std::vector<double> SupportValues(const RunResults& run, const CaseBlock& block, int row) {
  const auto offset = static_cast<std::size_t>(run.contents.supportOffset.at(static_cast<std::size_t>(row)) / 4);
  const auto count = static_cast<std::size_t>(run.contents.supportValueCount.at(static_cast<std::size_t>(row)));
  return std::vector<double>(block.supports.begin() + static_cast<long>(offset),
                             block.supports.begin() + static_cast<long>(offset + count));
}

inline ::testing::AssertionResult Within(double actual, double expected, double relative, double floor = 0.0) {
  const double tolerance = std::max(std::fabs(expected) * relative, floor);
  if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not within " << relative * 100.0 << " % of " << expected;
}

// --- The energy reference ----------------------------------------------

using V3 = std::array<double, 3>;
inline V3 Sub(const V3& a, const V3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline double Dot3(const V3& a, const V3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline V3 Cross3(const V3& a, const V3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// A point of the path and its tangent at arc length s.
struct PathPoint {
  V3 at, tangent;
};

// Straight legs and circular arcs one after another; `k` multiplies the
// bending flexibility of an arc.
struct PathSegment {
  double length;
  double k;
  std::function<PathPoint(double s)> point;  // s from 0 to length
};

inline PathSegment Straight(const V3& from, const V3& to) {
  const V3 d = Sub(to, from);
  const double L = std::sqrt(Dot3(d, d));
  const V3 t{d[0] / L, d[1] / L, d[2] / L};
  return {L, 1.0, [=](double s) { return PathPoint{{from[0] + t[0] * s, from[1] + t[1] * s, from[2] + t[2] * s}, t}; }};
}

// An arc in the XY plane about `centre` from angle a0 to a1 (radians).
inline PathSegment Arc(const V3& centre, double radius, double a0, double a1, double k) {
  const double sign = a1 > a0 ? 1.0 : -1.0;
  return {radius * std::fabs(a1 - a0), k, [=](double s) {
            const double a = a0 + sign * s / radius;
            return PathPoint{{centre[0] + radius * std::cos(a), centre[1] + radius * std::sin(a), centre[2]},
                             {-sign * std::sin(a), sign * std::cos(a), 0.0}};
          }};
}

// Section forces at a path point from a unit generalised load (i: force
// X, Y, Z, moment X, Y, Z) at `loadPoint`.
inline std::array<V3, 2> UnitLoadAt(const V3& here, const V3& loadPoint, int i) {
  V3 force{}, moment{};
  if (i < 3) force[static_cast<std::size_t>(i)] = 1.0;
  else moment[static_cast<std::size_t>(i - 3)] = 1.0;
  const V3 extra = Cross3(Sub(loadPoint, here), force);
  for (int c = 0; c < 3; ++c) moment[static_cast<std::size_t>(c)] += extra[static_cast<std::size_t>(c)];
  return {force, moment};
}

// Complementary energy product of two section force sets (axial, shear,
// torsion, bending with the factor k).
inline double Energy(const SectionValues& s, double k, const V3& t, const std::array<V3, 2>& a,
                     const std::array<V3, 2>& b) {
  const double Na = Dot3(a[0], t), Nb = Dot3(b[0], t);
  const double Ta = Dot3(a[1], t), Tb = Dot3(b[1], t);
  const double shear = Dot3(a[0], b[0]) - Na * Nb;
  const double bending = Dot3(a[1], b[1]) - Ta * Tb;
  return Na * Nb / (kE * s.A) + s.shear * shear / (s.G * s.A) + Ta * Tb / (s.G * 2.0 * s.I) + k * bending / (kE * s.I);
}

// Flexibility term (i at point A, j at point B) of a path held at its
// start; A and B are given by their arc lengths along the path.
inline double PathFlexibility(const std::vector<PathSegment>& path, double sA, int i, double sB, int j) {
  const SectionValues s = Pipe4();
  auto pointAt = [&](double along) {
    for (const PathSegment& segment : path) {
      if (along <= segment.length) return segment.point(along).at;
      along -= segment.length;
    }
    return path.back().point(path.back().length).at;
  };
  const V3 A = pointAt(sA), B = pointAt(sB);
  const double reach = std::min(sA, sB);
  double sum = 0.0, start = 0.0;
  for (const PathSegment& segment : path) {
    const double end = std::min(segment.length, reach - start);
    if (end <= 0.0) break;
    const int n = 2000;
    const double h = end / n;
    for (int m = 0; m <= n; ++m) {
      const PathPoint p = segment.point(m * h);
      const double weight = (m == 0 || m == n) ? 1.0 : (m % 2 == 1 ? 4.0 : 2.0);
      sum += weight * h / 3.0 * Energy(s, segment.k, p.tangent, UnitLoadAt(p.at, A, i), UnitLoadAt(p.at, B, j));
    }
    start += segment.length;
  }
  return sum;
}

}  // namespace analysis_testing
