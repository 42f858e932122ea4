// Four-double vectors for the skyline kernels, written with the vector
// extensions that GCC and Clang share, so one source builds the baseline
// and the AVX2 clones of every kernel with either compiler. Loads and stores
// go through memcpy: the skyline columns start at any address.
#pragma once

#include <cstdint>
#include <cstring>

namespace skyline {

using Double4 = double __attribute__((vector_size(32)));

// Vectors pass by reference only: a vector argument or return value by value
// would change the calling convention between the baseline and AVX2 clones
// (and draws -Wpsabi).
inline __attribute__((always_inline)) void Load4(Double4& v, const double* p) { std::memcpy(&v, p, sizeof v); }

inline __attribute__((always_inline)) void Store4(double* p, const Double4& v) { std::memcpy(p, &v, sizeof v); }

// (v3, v2, v1, v0): the solve walks V backwards while it walks a column forwards.
inline __attribute__((always_inline)) void Reverse4(Double4& out, const Double4& v) {
#if defined(__clang__)
  out = __builtin_shufflevector(v, v, 3, 2, 1, 0);
#else
  using Long4 = long long __attribute__((vector_size(32)));
  out = __builtin_shuffle(v, Long4{3, 2, 1, 0});
#endif
}

inline __attribute__((always_inline)) double Sum4(const Double4& v) { return (v[0] + v[1]) + (v[2] + v[3]); }

// Σ x[i]·y[i], i = 0..n-1, in four independent vector sums, so the multiply
// and add units stay busy without reassociating by -ffast-math.
// x, y: inputs of size n, not modified.
inline __attribute__((always_inline)) double Dot(const double* x, const double* y, std::int64_t n) {
  Double4 s0{}, s1{}, s2{}, s3{};
  Double4 a0, a1, a2, a3, b0, b1, b2, b3;
  std::int64_t i = 0;
  for (; i + 16 <= n; i += 16) {
    Load4(a0, x + i), Load4(b0, y + i), Load4(a1, x + i + 4), Load4(b1, y + i + 4);
    Load4(a2, x + i + 8), Load4(b2, y + i + 8), Load4(a3, x + i + 12), Load4(b3, y + i + 12);
    s0 += a0 * b0;
    s1 += a1 * b1;
    s2 += a2 * b2;
    s3 += a3 * b3;
  }
  for (; i + 4 <= n; i += 4) {
    Load4(a0, x + i), Load4(b0, y + i);
    s0 += a0 * b0;
  }
  const Double4 s = (s0 + s1) + (s2 + s3);
  double sum = Sum4(s);
  for (; i < n; ++i) sum += x[i] * y[i];
  return sum;
}

}  // namespace skyline
