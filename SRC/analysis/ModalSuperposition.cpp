// The blocked superposition of the time history; see ModalSuperposition.h.
//
// The coordinates of a range of steps are copied into `factors`, kRows
// steps at a time, mode after mode. A panel of kPanel values of every
// mode's column is copied (as doubles) into `panel`, slice after slice of
// `width` values, each slice mode after mode. A tile of kRows steps by one
// slice is then summed in registers over the modes and goes to the peaks
// and rows before the next tile; every tile of the range passes over the
// panel before the next panel is copied. The kernels are written with the
// compiler's vector types, so one template serves every width, each
// instance built for its instruction set.
#include "analysis/ModalSuperposition.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "services/Assert.h"
#include "services/BinaryFile.h"

namespace {

constexpr int kRows = 4;      // steps per tile
constexpr std::uint64_t kExponentBits = 0x7ff0000000000000;
// Values of each column copied at a time (a multiple of every tile's
// width): the panel of every mode stays in the second-level cache, and the
// longer a run of one column, the better the reading streams.
constexpr int kPanel = 2048;
// How far ahead of the copying the next values of a column are asked for.
constexpr int kReadAhead = 1024;

using Double2 = double __attribute__((vector_size(16)));
using Mask2 = std::int64_t __attribute__((vector_size(16)));
using Double4 = double __attribute__((vector_size(32)));
using Mask4 = std::int64_t __attribute__((vector_size(32)));
using Double8 = double __attribute__((vector_size(64)));
using Mask8 = std::int64_t __attribute__((vector_size(64)));

// Doubles aligned for the widest vector.
class AlignedDoubles {
 public:
  explicit AlignedDoubles(std::size_t count) : storage_(count + 8, 0.0) {
    void* start = storage_.data();
    std::size_t space = storage_.size() * sizeof(double);
    data_ = static_cast<double*>(std::align(64, count * sizeof(double), start, space));
  }
  double* data() { return data_; }

 private:
  std::vector<double> storage_;
  double* data_ = nullptr;
};

// One tile: sum(r, w) = Σ factors(i, r)·slice(i, w) over the modes in
// order; the peaks of the tile's `Width` values take rows 0..kRows-1 in
// order, and `values` (kRows·Width, or null) receives the sums.
// factors: input of size modes·kRows; slice: input of size modes·Width;
// peak: input and output of size Width.
template <class Vector, class Mask, int Vectors>
[[gnu::always_inline]] inline void SuperposeTile(const double* factors, const double* slice, int modes, double* peak,
                                                 double* values) {
  constexpr int lanes = static_cast<int>(sizeof(Vector) / sizeof(double));
  constexpr int width = lanes * Vectors;
  Vector sum[kRows][Vectors];
  for (int r = 0; r < kRows; ++r)
    for (int v = 0; v < Vectors; ++v) sum[r][v] = Vector{};
  for (int i = 0; i < modes; ++i) {
    Vector column[Vectors];
    for (int v = 0; v < Vectors; ++v) std::memcpy(&column[v], slice + i * width + v * lanes, sizeof(Vector));
    for (int r = 0; r < kRows; ++r) {
      // x − 0 is x for every x: the coordinate in every lane, which the
      // compiler loads as one broadcast (filling the lanes one by one
      // costs shuffles on the ports the products need).
      const Vector factor = factors[i * kRows + r] - Vector{};
      for (int v = 0; v < Vectors; ++v) sum[r][v] += factor * column[v];
    }
  }
  Mask magnitudeBits;
  for (int l = 0; l < lanes; ++l) magnitudeBits[l] = INT64_MAX;
  for (int v = 0; v < Vectors; ++v) {
    Vector best;
    std::memcpy(&best, peak + v * lanes, sizeof(Vector));
    for (int r = 0; r < kRows; ++r) {
      const Vector size = (Vector)((Mask)sum[r][v] & magnitudeBits);
      const Vector bestSize = (Vector)((Mask)best & magnitudeBits);
      const Mask larger = (Mask)(size > bestSize);
      best = (Vector)(((Mask)sum[r][v] & larger) | ((Mask)best & ~larger));
    }
    std::memcpy(peak + v * lanes, &best, sizeof(Vector));
  }
  if (values != nullptr)
    for (int r = 0; r < kRows; ++r)
      for (int v = 0; v < Vectors; ++v) std::memcpy(values + r * width + v * lanes, &sum[r][v], sizeof(Vector));
}

// The row value of a step as the results files hold it.
float RowValue(double value, double floor) {
  if (floor > 0.0 && !(std::fabs(value) >= floor)) return 0.0f;
  return static_cast<float>(value);
}

// The plain sum of one value at one step, for slices holding a value that
// is not finite: there a mode of coordinate 0 must add nothing rather than
// a NaN.
template <class Value>
double PlainSum(const ModalCoordinates& q, int step, const ModeColumns<Value>& columns, std::size_t k) {
  double sum = 0.0;
  for (int i = 1; i <= q.modes; ++i) {
    const double factor = q.at(i, step);
    if (factor == 0.0) continue;
    sum += factor * static_cast<double>(columns.columns[static_cast<std::size_t>(i - 1)][k]);
  }
  return sum;
}

template <class Vector, class Mask, int Vectors, class Value>
[[gnu::always_inline]] inline void Superpose(const ModalCoordinates& q, int first, int count,
                                             const ModeColumns<Value>& columns, const SuperposedSteps& out) {
  constexpr int width = static_cast<int>(sizeof(Vector) / sizeof(double)) * Vectors;
  constexpr int slicesPerPanel = kPanel / width;
  const int modes = q.modes;
  const auto M = static_cast<std::size_t>(modes);
  const int tiles = (count + kRows - 1) / kRows;
  AlignedDoubles factors(static_cast<std::size_t>(tiles) * M * kRows);
  for (int t = 0; t < tiles; ++t)
    for (int i = 0; i < modes; ++i)
      for (int r = 0; r < kRows && t * kRows + r < count; ++r)
        factors.data()[(static_cast<std::size_t>(t) * M + static_cast<std::size_t>(i)) * kRows +
                       static_cast<std::size_t>(r)] = q.at(i + 1, first + t * kRows + r + 1);
  AlignedDoubles panel(M * kPanel), peak(kPanel), values(static_cast<std::size_t>(kRows) * width);
  bool finite[slicesPerPanel];
  const std::size_t length = columns.length;
  for (std::size_t start = 0; start < length; start += kPanel) {
    const int n = static_cast<int>(std::min<std::size_t>(kPanel, length - start));
    const int slices = (n + width - 1) / width;
    // The panel holds slice after slice, each mode after mode; it is filled
    // mode after mode, so that each column's values are read in one run.
    std::fill(finite, finite + slicesPerPanel, true);
    for (int i = 0; i < modes; ++i) {
      const Value* column = columns.columns[static_cast<std::size_t>(i)] + start;
      for (int j = 0; j < slices; ++j) {
        double* into = panel.data() + (static_cast<std::size_t>(j) * M + static_cast<std::size_t>(i)) * width;
        const Value* from = column + j * width;
        const int in = std::min(width, n - j * width);
        const std::uintptr_t ahead = reinterpret_cast<std::uintptr_t>(from) + kReadAhead * sizeof(Value);
        for (std::size_t byte = 0; byte < width * sizeof(Value); byte += 64)
          __builtin_prefetch(reinterpret_cast<const void*>(ahead + byte));
        if (in == width) {
          for (int w = 0; w < width; ++w) into[w] = static_cast<double>(from[w]);
          // An infinity or a NaN has every bit of the exponent set.
          std::uint64_t least = UINT64_MAX;
          for (int w = 0; w < width; ++w) {
            std::uint64_t bits;
            std::memcpy(&bits, into + w, sizeof bits);
            least = std::min(least, (bits & kExponentBits) ^ kExponentBits);
          }
          finite[j] = finite[j] && least != 0;
        } else {
          for (int w = 0; w < width; ++w) into[w] = w < in ? static_cast<double>(from[w]) : 0.0;
          for (int w = 0; w < in; ++w) finite[j] = finite[j] && std::isfinite(into[w]);
        }
      }
    }
    std::copy(out.peak + start, out.peak + start + n, peak.data());
    for (int t = 0; t < tiles; ++t) {
      const int rows = std::min(kRows, count - t * kRows);
      for (int j = 0; j < slices; ++j) {
        const int in = std::min(width, n - j * width);
        double* slicePeak = peak.data() + j * width;
        const std::size_t at = start + static_cast<std::size_t>(j) * width;
        if (finite[j]) {
          SuperposeTile<Vector, Mask, Vectors>(factors.data() + static_cast<std::size_t>(t) * M * kRows,
                                               panel.data() + static_cast<std::size_t>(j) * M * width, modes,
                                               slicePeak, out.rows != nullptr ? values.data() : nullptr);
        } else {
          for (int r = 0; r < rows; ++r)
            for (int w = 0; w < in; ++w) {
              const double sum = PlainSum(q, first + t * kRows + r + 1, columns, at + static_cast<std::size_t>(w));
              if (std::fabs(sum) > std::fabs(slicePeak[w])) slicePeak[w] = sum;
              values.data()[r * width + w] = sum;
            }
        }
        if (out.rows == nullptr) continue;
        for (int r = 0; r < rows; ++r) {
          float* row = out.rows + static_cast<std::size_t>(t * kRows + r) * length + at;
          for (int w = 0; w < in; ++w) row[w] = RowValue(values.data()[r * width + w], out.floor);
        }
      }
    }
    std::copy(peak.data(), peak.data() + n, out.peak + start);
  }
}

template <class Value>
void SuperposePortable(const ModalCoordinates& q, int first, int count, const ModeColumns<Value>& columns,
                       const SuperposedSteps& out) {
  Superpose<Double2, Mask2, 2>(q, first, count, columns, out);
}

template <class Value>
[[gnu::target("avx2")]] void SuperposeAvx2(const ModalCoordinates& q, int first, int count,
                                           const ModeColumns<Value>& columns, const SuperposedSteps& out) {
  Superpose<Double4, Mask4, 2>(q, first, count, columns, out);
}

template <class Value>
[[gnu::target("avx512f")]] void SuperposeAvx512(const ModalCoordinates& q, int first, int count,
                                                const ModeColumns<Value>& columns, const SuperposedSteps& out) {
  Superpose<Double8, Mask8, 2>(q, first, count, columns, out);
}

SuperpositionKernel Widest() {
  static const SuperpositionKernel widest = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return SuperpositionKernel::Avx512;
    if (__builtin_cpu_supports("avx2")) return SuperpositionKernel::Avx2;
    return SuperpositionKernel::Portable;
  }();
  return widest;
}

template <class Value>
void SuperposeWith(const ModalCoordinates& q, int first, int count, const ModeColumns<Value>& columns,
                   const SuperposedSteps& out, SuperpositionKernel kernel) {
  QV_ASSERT(first >= 0 && count >= 0 && first + count <= q.steps);
  QV_ASSERT(columns.columns.size() == static_cast<std::size_t>(q.modes));
  QV_ASSERT(SuperpositionKernelRuns(kernel));
  if (count == 0 || columns.length == 0) return;
  if (kernel == SuperpositionKernel::Widest) kernel = Widest();
  switch (kernel) {
    case SuperpositionKernel::Avx512: SuperposeAvx512(q, first, count, columns, out); break;
    case SuperpositionKernel::Avx2: SuperposeAvx2(q, first, count, columns, out); break;
    default: SuperposePortable(q, first, count, columns, out); break;
  }
}

}  // namespace

bool SuperpositionKernelRuns(SuperpositionKernel kernel) {
  return kernel == SuperpositionKernel::Widest || static_cast<int>(kernel) <= static_cast<int>(Widest());
}

void SuperposeSteps(const ModalCoordinates& q, int first, int count, const ModeColumns<double>& columns,
                    const SuperposedSteps& out, SuperpositionKernel kernel) {
  SuperposeWith(q, first, count, columns, out, kernel);
}

void SuperposeSteps(const ModalCoordinates& q, int first, int count, const ModeColumns<float>& columns,
                    const SuperposedSteps& out, SuperpositionKernel kernel) {
  SuperposeWith(q, first, count, columns, out, kernel);
}

namespace {

// As many steps are superposed at once as keep the copying of the columns
// a small part of the work, and, when the steps go into the file, as many
// as their rows hold in kStepRowsBytes.
constexpr int kStepsAtOnce = 256;
constexpr std::size_t kStepRowsBytes = std::size_t{32} << 20;
constexpr double kSmallestDisplacement = 1.0e-6;

}  // namespace

TimeHistoryPeaks SuperposeTimeHistory(const ModalCoordinates& q, const TimeHistoryModes& modes, BinaryFile* file,
                                      const std::function<void(int step)>& stepDone, SuperpositionKernel kernel) {
  const std::size_t E1 = modes.shapes.length, B = modes.blocks.length;
  const std::size_t P = modes.sizedComponents.length, sized = modes.sizedSlots.size();
  QV_ASSERT(P == 2 * sized);
  TimeHistoryPeaks peaks{std::vector<double>(E1, 0.0), std::vector<double>(B, 0.0)};
  const int S = q.steps;
  int atOnce = kStepsAtOnce;
  std::vector<float> shapeRows, blockRows, nodeBlock;
  // The sized loads' components at every step of a range (their own peaks
  // mean nothing), and each load's largest size so far.
  std::vector<float> sizedRows;
  std::vector<double> sizedPeak(P, 0.0), largest(sized, 0.0);
  if (file != nullptr) {
    const std::size_t rowBytes = sizeof(float) * (E1 + B);
    atOnce = static_cast<int>(std::clamp<std::size_t>(kStepRowsBytes / std::max<std::size_t>(rowBytes, 1), kRows,
                                                      kStepsAtOnce));
    const auto rows = static_cast<std::size_t>(std::min(atOnce, S));
    shapeRows.resize(rows * E1);
    blockRows.resize(rows * B);
    nodeBlock.resize(modes.nodeEquations.size());
  }
  sizedRows.resize(static_cast<std::size_t>(std::min(atOnce, S)) * P);
  for (int first = 0; first < S; first += atOnce) {
    const int count = std::min(atOnce, S - first);
    SuperposeSteps(q, first, count, modes.shapes,
                   {peaks.displacements.data(), file != nullptr ? shapeRows.data() : nullptr, kSmallestDisplacement},
                   kernel);
    SuperposeSteps(q, first, count, modes.blocks,
                   {peaks.forces.data(), file != nullptr ? blockRows.data() : nullptr, 0.0}, kernel);
    if (P != 0)
      SuperposeSteps(q, first, count, modes.sizedComponents, {sizedPeak.data(), sizedRows.data(), 0.0}, kernel);
    for (int step = first + 1; step <= first + count; ++step) {
      const auto row = static_cast<std::size_t>(step - 1 - first);
      for (std::size_t j = 0; j < sized; ++j) {
        const float* pair = sizedRows.data() + row * P + 2 * j;
        const double size = std::hypot(static_cast<double>(pair[0]), static_cast<double>(pair[1]));
        largest[j] = std::max(largest[j], size);
        if (file != nullptr) blockRows[row * B + modes.sizedSlots[j]] = static_cast<float>(size);
      }
      stepDone(step);
      if (file == nullptr) continue;
      const float* u = shapeRows.data() + row * E1;
      for (std::size_t slot = 0; slot < nodeBlock.size(); ++slot) {
        const std::int32_t equation = modes.nodeEquations[slot];
        nodeBlock[slot] = equation != 0 ? u[static_cast<std::size_t>(equation)] : 0.0f;
      }
      BinaryFileWriteFloats(*file, nodeBlock.data(), nodeBlock.size());
      BinaryFileWriteFloats(*file, blockRows.data() + row * B, B);
      if (BinaryFileHasError(*file)) throw std::string("RTH file could not be opened for writing");
    }
  }
  for (std::size_t j = 0; j < sized; ++j) peaks.forces[modes.sizedSlots[j]] = largest[j];
  return peaks;
}
