// The peer of the modal benchmarks: shift-invert Lanczos as a widely used
// library does it (Spectra's implicitly restarted Lanczos in the M inner
// product) on a supernodal sparse Cholesky factor (CHOLMOD, fill-reducing
// ordering), run on the same K and M as the program's search, for the same
// number of lowest roots at the same first shift. Only the benchmarks link
// it; it measures the program against what the mathematics costs elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "numeric/Skyline.h"

struct PeerModes {
  bool ok = false;
  std::vector<double> lambda;       // ascending
  std::int64_t operations = 0;      // solves with the factor
  std::int64_t factorNonzeros = 0;  // terms of L
};

// One build of the peer (the baseline one, or the x86-64-v3 module's).
class PeerBackend {
 public:
  virtual ~PeerBackend() = default;
  virtual PeerModes Solve(std::int32_t count, double shift) const = 0;
};

// The module of the peer built for x86-64-v3, beside the benchmarks'
// executable.
inline constexpr const char* kPeerModuleName = "quorvel_bench_peer_x86-64-v3.so";

// K: skyline values (1-based, size nme + 1); M: diagonal masses (1-based,
// size E + 1). The constructor converts K to compressed columns (its
// non-zero terms only): that is not part of what the peer is timed on. The
// peer runs the module's copy, compiled for x86-64-v3 as our kernels' own
// copies are, where the processor runs it and the module is there; the
// baseline copy elsewhere.
class PeerProblem {
 public:
  PeerProblem(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M);
  ~PeerProblem();
  PeerProblem(const PeerProblem&) = delete;
  PeerProblem& operator=(const PeerProblem&) = delete;

  // The `count` lowest roots at the shift, their modes computed and dropped.
  PeerModes Solve(std::int32_t count, double shift) const;
  // "x86-64-v3" or "x86-64": the instruction set of the copy that runs.
  const char* InstructionSet() const { return instructionSet_; }

 private:
  std::unique_ptr<PeerBackend> backend_;
  const char* instructionSet_ = "x86-64";
};

// Keeps the process single-threaded: CHOLMOD's OpenMP and any threaded BLAS
// are limited to one thread.
void PinPeerToOneThread();
