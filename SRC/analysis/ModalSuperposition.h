// The superposition of the time history: at every output step s each
// result value k (an equation's displacement, an element force, a support
// load) is Σ q(i, s)·column_i[k] over the modes i = 1..N, a product of the
// modal coordinates by the modes' columns.
//
// The columns of a large model do not fit in any cache, so the steps are
// not superposed one after the other: a stretch of every mode's column is
// copied once into a buffer that stays in cache and serves a whole range
// of steps from there, held in registers a few steps and a few values at a
// time (`SuperposeSteps`). Each value is still summed over the modes in
// ascending order with every product and every sum rounded on its own,
// and a mode whose coordinate is 0 adds nothing: the values are the same
// bits the plain loop (the modes' scaled columns added one after the
// other) gives. The source is built without floating-point contraction for
// that reason; the wide kernels are chosen at run time by what the
// processor offers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct BinaryFile;

// q(i, s) for modes i = 1..N at output steps s = 1..S, mode after mode.
struct ModalCoordinates {
  int modes = 0;
  int steps = 0;
  std::vector<double> values;  // N·S: q(i, s) at (i − 1)·S + s − 1
  double at(int mode, int step) const {
    return values[static_cast<std::size_t>(mode - 1) * static_cast<std::size_t>(steps) +
                  static_cast<std::size_t>(step - 1)];
  }
};

// One column per mode (in mode order), `length` values each.
template <class Value>
struct ModeColumns {
  std::vector<const Value*> columns;  // N, each of `length` values
  std::size_t length = 0;
};

// What a range of steps gives: `peak` (input and output, of size
// `length`) keeps per value the signed value of largest magnitude, the
// earlier on equal magnitude; `rows` (output of size count·length, or
// null) receives each step's values as 32-bit floats, step after step,
// those smaller in size than `floor` as 0 when `floor` is above 0.
struct SuperposedSteps {
  double* peak = nullptr;
  float* rows = nullptr;
  double floor = 0.0;
};

// The processor's kernels, the narrowest first; `Widest` picks the widest
// one the processor runs.
enum class SuperpositionKernel { Portable, Avx2, Avx512, Widest };
bool SuperpositionKernelRuns(SuperpositionKernel kernel);

// Superposes the steps first + 1 .. first + count of `q` over `columns`.
void SuperposeSteps(const ModalCoordinates& q, int first, int count, const ModeColumns<double>& columns,
                    const SuperposedSteps& out, SuperpositionKernel kernel = SuperpositionKernel::Widest);
void SuperposeSteps(const ModalCoordinates& q, int first, int count, const ModeColumns<float>& columns,
                    const SuperposedSteps& out, SuperpositionKernel kernel = SuperpositionKernel::Widest);

// The time history's output steps over the modes' columns: the shapes (E + 1
// values, by equation) and the element forces and support loads each
// shape gives, and, for the file, the equation of every displacement of
// the node table (six per node, 0 where the node has none). A support load
// that is the size of two components (a friction across a direction) is no
// sum of the modes' sizes: `sizedComponents` holds per mode its two
// components, load after load, and `sizedSlots` its place in the blocks,
// where each step takes the size of the superposed components instead.
struct TimeHistoryModes {
  ModeColumns<double> shapes;
  ModeColumns<float> blocks;
  std::vector<std::int32_t> nodeEquations;
  ModeColumns<double> sizedComponents;  // two values per sized load
  std::vector<std::size_t> sizedSlots;  // one per sized load
};
struct TimeHistoryPeaks {
  std::vector<double> displacements;  // E + 1, by equation
  std::vector<double> forces;         // as the blocks
};

// Superposes the steps 1..S of `q` a range at a time (up to 256 steps,
// fewer when their records would take more than 32 MB), then calls
// `stepDone` with each step of the range in order and with `file` writes
// each step's record there: the node table's
// displacements (those below 1.0e-6 in size as 0, as in a static case's
// block: the modes' round-off in directions the loads do not move), then
// the element forces and support loads, as 32-bit floats. A sized load's
// peak is its largest size over the steps. Throws "RTH file could not be
// opened for writing" when the file refuses a record.
TimeHistoryPeaks SuperposeTimeHistory(const ModalCoordinates& q, const TimeHistoryModes& modes, BinaryFile* file,
                                      const std::function<void(int step)>& stepDone,
                                      SuperpositionKernel kernel = SuperpositionKernel::Widest);
