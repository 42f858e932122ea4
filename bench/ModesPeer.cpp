// The peer: CHOLMOD's supernodal LLᵀ of K − σM (σ below the lowest root, so
// positive definite) behind Spectra's shift-invert operator. The start
// vector is S·M·r for a pseudo-random r, so that the basis is consistent at
// the massless equations, which the M inner product cannot see.
//
// This file is built twice: into the benchmarks for the baseline x86-64,
// and, with QUORVEL_PEER_MODULE, into a module of its own for x86-64-v3
// (AVX2, FMA), the instruction set our kernels' own copies run on. The
// module keeps every symbol but its maker hidden, so none of its Eigen,
// Spectra or library template copies can stand in for the baseline ones;
// the benchmarks load it only where the processor runs x86-64-v3.
#include "ModesPeer.h"

#include <cholmod.h>
#include <dlfcn.h>
#include <unistd.h>

#include <Eigen/Core>
#include <Spectra/SymGEigsShiftSolver.h>
#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>

// CHOLMOD brings OpenMP and asks for teams of four by name, which no
// thread count overrides: no level of parallel regions may be active. The
// BLAS may be a threaded OpenBLAS. Looked up at run time, as neither library
// is linked by name.
void PinPeerToOneThread() {
  const std::pair<const char*, int> calls[] = {
      {"omp_set_max_active_levels", 0}, {"omp_set_num_threads", 1}, {"openblas_set_num_threads", 1}};
  for (const auto& [name, value] : calls)
    if (void* function = dlsym(RTLD_DEFAULT, name)) reinterpret_cast<void (*)(int)>(function)(value);
}

namespace {

class CholmodPeer : public PeerBackend {
 public:
  CholmodPeer(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M);
  ~CholmodPeer() override;
  CholmodPeer(const CholmodPeer&) = delete;
  CholmodPeer& operator=(const CholmodPeer&) = delete;
  PeerModes Solve(std::int32_t count, double shift) const override;

 private:
  mutable cholmod_common common_{};
  cholmod_sparse* K_ = nullptr;  // upper triangle, 0-based
  std::vector<double> M_;        // 0-based
};

CholmodPeer::CholmodPeer(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M) {
  PinPeerToOneThread();
  cholmod_l_start(&common_);
  const std::int64_t E = profile.equationCount;
  const std::int64_t* DA = profile.DiagonalAddress.data();
  std::int64_t nonzeros = 0;
  for (std::int64_t i = 1; i <= profile.nme; ++i) nonzeros += K[static_cast<std::size_t>(i)] != 0.0;
  cholmod_sparse* A = cholmod_l_allocate_sparse(static_cast<std::size_t>(E), static_cast<std::size_t>(E),
                                                static_cast<std::size_t>(nonzeros), 1, 1, 1, CHOLMOD_REAL, &common_);
  auto* p = static_cast<SuiteSparse_long*>(A->p);
  auto* rows = static_cast<SuiteSparse_long*>(A->i);
  auto* x = static_cast<double*>(A->x);
  std::int64_t at = 0;
  for (std::int64_t j = 1; j <= E; ++j) {
    p[j - 1] = at;
    // Column j holds rows j - h .. j at DA[j] + h .. DA[j]: ascending rows.
    for (std::int64_t k = DA[j + 1] - DA[j] - 1; k >= 0; --k) {
      const double value = K[static_cast<std::size_t>(DA[j] + k)];
      if (value == 0.0) continue;
      rows[at] = j - 1 - k;
      x[at++] = value;
    }
  }
  p[E] = at;
  K_ = A;
  M_.assign(M.begin() + 1, M.begin() + 1 + E);
}

CholmodPeer::~CholmodPeer() {
  cholmod_l_free_sparse(&K_, &common_);
  cholmod_l_finish(&common_);
}

// (K − σM)⁻¹ by the CHOLMOD factor, workspace kept across solves.
class CholmodShiftInvert {
 public:
  using Scalar = double;
  CholmodShiftInvert(cholmod_sparse* K, const std::vector<double>& M, cholmod_common* common)
      : K_(K), M_(M), common_(common) {}
  ~CholmodShiftInvert() {
    cholmod_l_free_factor(&L_, common_);
    for (cholmod_dense** d : {&b_, &x_, &y_, &e_}) cholmod_l_free_dense(d, common_);
  }
  Eigen::Index rows() const { return static_cast<Eigen::Index>(M_.size()); }
  Eigen::Index cols() const { return rows(); }
  void set_shift(double sigma) {
    cholmod_sparse* A = K_;
    cholmod_sparse* shifted = nullptr;
    if (sigma != 0.0) {
      shifted = cholmod_l_copy_sparse(K_, common_);
      auto* p = static_cast<SuiteSparse_long*>(shifted->p);
      auto* x = static_cast<double*>(shifted->x);
      // The diagonal is the last term of each upper column.
      for (std::size_t j = 0; j < M_.size(); ++j) x[p[j + 1] - 1] -= sigma * M_[j];
      A = shifted;
    }
    common_->supernodal = CHOLMOD_SUPERNODAL;
    L_ = cholmod_l_analyze(A, common_);
    const int factorised = L_ != nullptr && cholmod_l_factorize(A, L_, common_);
    if (shifted) cholmod_l_free_sparse(&shifted, common_);
    if (!factorised || common_->status != CHOLMOD_OK) throw std::runtime_error("peer factorisation failed");
    b_ = cholmod_l_allocate_dense(M_.size(), 1, M_.size(), CHOLMOD_REAL, common_);
  }
  void perform_op(const double* in, double* out) const {
    std::copy(in, in + M_.size(), static_cast<double*>(b_->x));
    cholmod_l_solve2(CHOLMOD_A, L_, b_, nullptr, &x_, nullptr, &y_, &e_, common_);
    std::copy(static_cast<const double*>(x_->x), static_cast<const double*>(x_->x) + M_.size(), out);
    ++operations_;
  }
  std::int64_t Operations() const { return operations_; }
  std::int64_t FactorNonzeros() const {
    if (!L_ || !L_->is_super) return 0;
    // Supernodal L: the dense blocks hold its terms.
    return static_cast<std::int64_t>(L_->xsize);
  }

 private:
  cholmod_sparse* K_;
  const std::vector<double>& M_;
  cholmod_common* common_;
  cholmod_factor* L_ = nullptr;
  mutable cholmod_dense *b_ = nullptr, *x_ = nullptr, *y_ = nullptr, *e_ = nullptr;
  mutable std::int64_t operations_ = 0;
};

class DiagonalMass {
 public:
  using Scalar = double;
  explicit DiagonalMass(const std::vector<double>& M) : M_(M) {}
  Eigen::Index rows() const { return static_cast<Eigen::Index>(M_.size()); }
  Eigen::Index cols() const { return rows(); }
  void perform_op(const double* in, double* out) const {
    for (std::size_t i = 0; i < M_.size(); ++i) out[i] = M_[i] * in[i];
  }

 private:
  const std::vector<double>& M_;
};

}  // namespace

PeerModes CholmodPeer::Solve(std::int32_t count, double shift) const {
  PeerModes result;
  const auto n = static_cast<Eigen::Index>(M_.size());
  CholmodShiftInvert op(K_, M_, &common_);
  DiagonalMass mass(M_);
  std::int64_t massed = 0;
  for (double m : M_) massed += m != 0.0;
  const Eigen::Index nev = std::min<Eigen::Index>(count, massed - 1);
  const Eigen::Index ncv = std::min<Eigen::Index>(2 * nev + 1, massed);
  try {
    Spectra::SymGEigsShiftSolver<CholmodShiftInvert, DiagonalMass, Spectra::GEigsMode::ShiftInvert> solver(
        op, mass, nev, ncv, shift);
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    Eigen::VectorXd r(n), start(n);
    for (Eigen::Index i = 0; i < n; ++i) r[i] = uniform(random) * M_[static_cast<std::size_t>(i)];
    op.perform_op(r.data(), start.data());
    solver.init(start.data());
    const Eigen::Index converged =
        solver.compute(Spectra::SortRule::LargestMagn, 1000, 1.0e-10, Spectra::SortRule::SmallestAlge);
    if (solver.info() != Spectra::CompInfo::Successful || converged < nev) return result;
    const Eigen::VectorXd lambda = solver.eigenvalues();
    const Eigen::MatrixXd modes = solver.eigenvectors();
    result.lambda.assign(lambda.data(), lambda.data() + lambda.size());
    result.ok = modes.cols() == nev;
  } catch (const std::exception&) {
    return result;
  }
  result.operations = op.Operations();
  result.factorNonzeros = op.FactorNonzeros();
  return result;
}

#ifdef QUORVEL_PEER_MODULE

// The module's one visible symbol.
extern "C" __attribute__((visibility("default"))) void QuorvelMakePeer(const SkylineProfile* profile, const double* K,
                                                                       std::size_t kSize, const double* M,
                                                                       std::size_t mSize,
                                                                       std::unique_ptr<PeerBackend>* made) {
  *made = std::make_unique<CholmodPeer>(*profile, std::span<const double>(K, kSize), std::span<const double>(M, mSize));
}

#else

namespace {

using PeerMaker = void (*)(const SkylineProfile*, const double*, std::size_t, const double*, std::size_t,
                          std::unique_ptr<PeerBackend>*);

// Every feature of x86-64-v3 that an instruction of the module may use and
// that the compilers' feature tests name (a processor with these has the
// rest: F16C, LZCNT, MOVBE).
bool ProcessorRunsX86_64_V3() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx") && __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
         __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2");
}

// The module beside the benchmarks' executable, loaded once and kept.
PeerMaker ModuleMaker() {
  static const PeerMaker maker = [] () -> PeerMaker {
    if (!ProcessorRunsX86_64_V3()) return nullptr;
    char executable[4096];
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length <= 0) return nullptr;
    std::string path(executable, static_cast<std::size_t>(length));
    path = path.substr(0, path.find_last_of('/') + 1) + kPeerModuleName;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<PeerMaker>(dlsym(module, "QuorvelMakePeer"));
  }();
  return maker;
}

}  // namespace

PeerProblem::PeerProblem(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M) {
  if (const PeerMaker make = ModuleMaker()) {
    make(&profile, K.data(), K.size(), M.data(), M.size(), &backend_);
    instructionSet_ = "x86-64-v3";
  } else {
    backend_ = std::make_unique<CholmodPeer>(profile, K, M);
    instructionSet_ = "x86-64";
  }
}

PeerProblem::~PeerProblem() = default;

PeerModes PeerProblem::Solve(std::int32_t count, double shift) const { return backend_->Solve(count, shift); }

#endif
