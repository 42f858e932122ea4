// Benchmarks of the analysis kernel on generated piping-like models: a rack
// of parallel pipe runs of 6-dof beam nodes, tied by cross beams every few
// nodes, with short branch stubs numbered after the runs (as models grow),
// anchored at the run ends, masses lumped on the translations. Each benchmark
// reports the equations and the mean half-bandwidth (stored terms per
// column) beside its time; the factorisation also its rate in GFLOP/s (the
// multiply-adds of L·D·Lᵀ on the profile, two flops each). Names containing
// "Smoke" are the quick CI run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "numeric/Eigen.h"
#include "numeric/EquationNumbers.h"
#include "numeric/Renumber.h"
#include "numeric/RunState.h"
#include "numeric/Skyline.h"
#include "numeric/SkylineAssembly.h"
#include "ModesPeer.h"
#include "PeakMemory.h"

namespace {

struct GeneratedModel {
  RenumberInput input;
  std::vector<LocalFrame> frames;  // one per element
  std::vector<std::int32_t> anchors;
  std::vector<double> nodeMass;  // by node index
};

LocalFrame Frame(int axis) {
  // Local x along global X, Y or Z.
  if (axis == 0) return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  if (axis == 1) return {{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
  return {{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
}

// About `equations` / 6 nodes in sqrt(nodes / 6) runs.
GeneratedModel GeneratePipeRack(std::int64_t equations) {
  const int nodes = static_cast<int>(equations / 6);
  const int runs = std::max(2, static_cast<int>(std::lround(std::sqrt(nodes / 6.0))));
  const int runLength = std::max(8, static_cast<int>(nodes / (runs * 9.0 / 7.0)));
  GeneratedModel model;
  auto element = [&model](int a, int b, int axis) {
    model.input.elements.push_back({a, b});
    model.frames.push_back(Frame(axis));
  };
  auto node = [runLength](int run, int i) { return run * runLength + i + 1; };
  int next = runs * runLength;
  for (int r = 0; r < runs; ++r)
    for (int i = 0; i < runLength; ++i) {
      if (i + 1 < runLength) element(node(r, i), node(r, i + 1), 0);
      if (r + 1 < runs && i % 5 == 2) element(node(r, i), node(r + 1, i), 1);
      if (i % 7 == 3) {  // a two-node branch stub, numbered after the runs
        element(node(r, i), next + 1, 2);
        element(next + 1, next + 2, 2);
        model.anchors.push_back(next + 2);
        next += 2;
      }
    }
  for (int r = 0; r < runs; ++r) model.anchors.push_back(node(r, 0)), model.anchors.push_back(node(r, runLength - 1));
  model.input.nodeCount = next;
  for (std::int32_t a : model.anchors) model.input.supports.push_back({1, a, false, 0, 0});
  model.nodeMass.assign(next + 1, 0.0);
  for (const NodePair& e : model.input.elements)
    for (std::int32_t n : {e.a, e.b}) model.nodeMass[n] += 0.5 * 0.0067 * 24.0;
  return model;
}

// 6" pipe, 24 in elements.
ElementStiffness PipeElement() {
  const double E = 29.0e6, G = 11.2e6, A = 5.58, I = 28.1, J = 56.2, L = 24.0;
  ElementStiffness k{};
  auto set = [&k](int i, int j, double v) { k[i][j] = k[j][i] = v; };
  set(0, 0, E * A / L), set(6, 6, E * A / L), set(0, 6, -E * A / L);
  set(3, 3, G * J / L), set(9, 9, G * J / L), set(3, 9, -G * J / L);
  const double a = 12 * E * I / (L * L * L), b = 6 * E * I / (L * L), c = 4 * E * I / L, d = 2 * E * I / L;
  set(1, 1, a), set(7, 7, a), set(1, 7, -a), set(1, 5, b), set(1, 11, b), set(5, 7, -b), set(7, 11, -b);
  set(5, 5, c), set(11, 11, c), set(5, 11, d);
  set(2, 2, a), set(8, 8, a), set(2, 8, -a), set(2, 4, -b), set(2, 10, -b), set(4, 8, b), set(8, 10, b);
  set(4, 4, c), set(10, 10, c), set(4, 10, d);
  return k;
}

struct AssembledSystem {
  RenumberResult numbering;
  SkylineProfile profile;
  std::vector<double> K, M;
};

AssembledSystem Assemble(const GeneratedModel& model) {
  AssembledSystem system;
  system.numbering = RenumberNodesForBandwidth(model.input, SilentProgress());
  const auto& positions = system.numbering.positions;
  std::vector<LocationVector> connections;
  for (const NodePair& e : model.input.elements) connections.push_back(ElementLocationVector(positions, e.a, e.b));
  system.profile = BuildSkylineProfile(system.numbering.equationCount, connections);
  system.K.assign(system.profile.nme + 1, 0.0);
  const ElementStiffness k = PipeElement();
  for (std::size_t e = 0; e < connections.size(); ++e)
    TransformAndAssembleElement(system.K, system.profile, k, model.frames[e], connections[e]);
  ElementMatrixPacked anchor;
  anchor.n = 6;
  for (int i = 1; i <= 6; ++i) anchor.value[PackedIndex(6, i, i)] = 1.0e12;
  for (std::int32_t a : model.anchors)
    AddToGlobalStiffness(system.K, system.profile, anchor, ElementLocationVector(positions, a, 0));
  system.M.assign(system.profile.equationCount + 1, 0.0);
  for (std::int32_t n = 1; n <= model.input.nodeCount; ++n)
    for (int d = 1; d <= 3; ++d) system.M[6 * (positions[n] - 1) + d] = model.nodeMass[n];
  return system;
}

void ReportSize(benchmark::State& state, const SkylineProfile& profile) {
  state.counters["equations"] = static_cast<double>(profile.equationCount);
  state.counters["mean_half_bandwidth"] =
      static_cast<double>(profile.nme) / static_cast<double>(std::max<std::int64_t>(1, profile.equationCount));
}

void Renumbering(benchmark::State& state) {
  const GeneratedModel model = GeneratePipeRack(state.range(0));
  RenumberResult result;
  for (auto _ : state) {
    result = RenumberNodesForBandwidth(model.input, SilentProgress());
    benchmark::DoNotOptimize(result.positions.data());
  }
  const AssembledSystem system = Assemble(model);
  ReportSize(state, system.profile);
  state.counters["bandwidth_before"] = (result.originalBandwidth + 1) * 6;
  state.counters["bandwidth_after"] = (result.newBandwidth + 1) * 6;
}

// Flops of the profile factorisation: column j reduces each of its h(j) rows
// by the overlap with the column above (at most the row's own height) and
// scales them, so 2·Σ_j Σ_i min(h(i), rows of j above i) + 2·h(j).
double FactorisationFlops(const SkylineProfile& profile) {
  double flops = 0.0;
  const auto& h = profile.columnHeight;
  for (std::int64_t j = 1; j <= profile.equationCount; ++j)
    for (std::int64_t k = 1; k <= h[j]; ++k) {
      const std::int64_t i = j - k;
      flops += 2.0 * static_cast<double>(std::min(h[i], h[j] - k)) + 2.0;
    }
  return flops;
}

void Factorisation(benchmark::State& state) {
  const AssembledSystem system = Assemble(GeneratePipeRack(state.range(0)));
  std::vector<double> A;
  for (auto _ : state) {
    state.PauseTiming();
    A = system.K;
    state.ResumeTiming();
    if (!TriangulariseStiffness(A, system.profile, SilentProgress()).Ok()) state.SkipWithError("not positive definite");
  }
  ReportSize(state, system.profile);
  state.counters["GFLOP/s"] = benchmark::Counter(FactorisationFlops(system.profile) * 1.0e-9,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

void BackSubstitution(benchmark::State& state) {
  const AssembledSystem system = Assemble(GeneratePipeRack(state.range(0)));
  std::vector<double> A = system.K;
  if (!TriangulariseStiffness(A, system.profile, SilentProgress()).Ok()) state.SkipWithError("not positive definite");
  std::vector<double> V;
  for (auto _ : state) {
    state.PauseTiming();
    V = system.M;  // the weights as a load
    state.ResumeTiming();
    SolveDisplacements(A, system.profile, V, SilentProgress());
    benchmark::DoNotOptimize(V.data());
  }
  ReportSize(state, system.profile);
}

// Solves of several load vectors at once, interleaved (as the modal search
// solves its modes): per_vector_ms is the time per vector, to set against
// BackSubstitution's one vector per pass over the factor.
void SeveralSolves(benchmark::State& state) {
  const AssembledSystem system = Assemble(GeneratePipeRack(state.range(0)));
  const auto count = static_cast<std::int32_t>(state.range(1));
  std::vector<double> A = system.K;
  if (!TriangulariseStiffness(A, system.profile, SilentProgress()).Ok()) state.SkipWithError("not positive definite");
  const std::int64_t E = system.profile.equationCount;
  std::vector<double> V;
  for (auto _ : state) {
    state.PauseTiming();
    V.assign(static_cast<std::size_t>((E + 1) * count), 0.0);
    for (std::int64_t i = 1; i <= E; ++i)
      for (std::int32_t r = 0; r < count; ++r) V[static_cast<std::size_t>(i * count + r)] = system.M[i] * (r + 1);
    state.ResumeTiming();
    SolveSeveral(A, system.profile, V, count);
    benchmark::DoNotOptimize(V.data());
  }
  ReportSize(state, system.profile);
  state.counters["per_vector_ms"] =
      benchmark::Counter(1.0e-3 * count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1.0e-9 * static_cast<double>(t.tv_nsec);
}

// The program's search, and in the same iteration (outside the timing) the
// peer on the same matrices for the same roots from the same first shift,
// 0.0: ours_s and peer_s are their CPU times per run, ratio ours / peer. A
// ratio measured in one process on one machine state holds on a loaded
// machine where the times alone do not. peak_MB: the peak resident memory
// of the process during the program's search (the model and the peer's copy
// of K included).
// lambda_diff: the largest relative difference between the two's roots.
// The label names the instruction set the peer's copy was built for: the
// x86-64-v3 one, as our kernels' copies, wherever the processor runs it.
void Modes(benchmark::State& state) {
  const AssembledSystem system = Assemble(GeneratePipeRack(state.range(0)));
  ModalOptions options;
  options.modeCount = static_cast<std::int32_t>(state.range(1));
  options.cutOffFrequency = 1.0e6;
  const PeerProblem peer(system.profile, system.K, system.M);
  std::int32_t found = 0;
  double ours = 0.0, theirs = 0.0, peak = 0.0, difference = 0.0;
  PeerModes peerModes;
  for (auto _ : state) {
    const bool marked = bench_memory::ResetPeak();
    const double start = CpuSeconds();
    const ModalResult result = RunModalAnalysis(system.profile, system.K, system.M, options, SilentProgress());
    ours += CpuSeconds() - start;
    peak = std::max(peak, marked ? bench_memory::PeakMegabytes() : std::nan(""));
    if (result.fault != ModalFault::None) state.SkipWithError(ModalFaultMessage(result.fault).c_str());
    found = result.modesFound;
    state.PauseTiming();
    const double peerStart = CpuSeconds();
    peerModes = peer.Solve(options.modeCount, 0.0);
    theirs += CpuSeconds() - peerStart;
    if (!peerModes.ok) state.SkipWithError("the peer did not converge");
    for (std::size_t r = 0; r < peerModes.lambda.size() && r + 1 < result.eigenvalues.size(); ++r)
      difference = std::max(difference, std::fabs(peerModes.lambda[r] - result.eigenvalues[r + 1]) /
                                            result.eigenvalues[r + 1]);
    state.ResumeTiming();
  }
  ReportSize(state, system.profile);
  state.SetLabel(std::string("peer built for ") + peer.InstructionSet());
  state.counters["modes"] = found;
  state.counters["peak_MB"] = peak;
  const double runs = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
  state.counters["ours_s"] = ours / runs;
  state.counters["peer_s"] = theirs / runs;
  state.counters["ratio"] = theirs > 0.0 ? ours / theirs : std::nan("");
  state.counters["lambda_diff"] = difference;
  state.counters["peer_solves"] = static_cast<double>(peerModes.operations);
  state.counters["peer_factor_terms"] = static_cast<double>(peerModes.factorNonzeros);
  state.counters["factor_terms"] = static_cast<double>(system.profile.nme);
}

}  // namespace

BENCHMARK(Renumbering)->Name("AnalysisKernel_Smoke_Renumbering")->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(Factorisation)->Name("AnalysisKernel_Smoke_Factorisation")->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(Renumbering)->Name("AnalysisKernel_Renumbering")->Arg(6000)->Arg(20000)->Arg(60000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Factorisation)->Name("AnalysisKernel_Factorisation")->Arg(10000)->Arg(30000)->Arg(60000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BackSubstitution)->Name("AnalysisKernel_BackSubstitution")->Arg(1000)->Arg(6000)->Arg(20000)->Arg(60000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SeveralSolves)->Name("AnalysisKernel_SeveralSolves")->Args({20000, 4})->Args({20000, 8})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Modes)->Name("AnalysisKernel_Smoke_Modes")->Args({1000, 20})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Modes)->Name("AnalysisKernel_Modes")->Args({6000, 20})->Args({6000, 100})->Args({20000, 20})
    ->Args({20000, 100})->Unit(benchmark::kMillisecond)->Iterations(3);
