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

// K: skyline values (1-based, size nme + 1); M: diagonal masses (1-based,
// size E + 1). The constructor converts K to compressed columns (its
// non-zero terms only): that is not part of what the peer is timed on.
class PeerProblem {
 public:
  PeerProblem(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M);
  ~PeerProblem();

  // The `count` lowest roots at the shift, their modes computed and dropped.
  PeerModes Solve(std::int32_t count, double shift) const;

 private:
  struct Data;
  std::unique_ptr<Data> data_;
};

// Keeps the process single-threaded: CHOLMOD's OpenMP and any threaded BLAS
// are limited to one thread.
void PinPeerToOneThread();
