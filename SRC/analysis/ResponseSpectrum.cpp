// The response spectrum step; see ResponseSpectrum.h.
#include "analysis/ResponseSpectrum.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numbers>
#include <string_view>
#include <vector>

#include "analysis/ModalStep.h"
#include "analysis/SeismicCombination.h"
#include "analysis/StepResults.h"
#include "elements/ElementForces.h"
#include "kindbase/GlobalSystem.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "numeric/RunState.h"
#include "platform/FileNames.h"
#include "records/Spectrum.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kG = 386.4;  // inch per second squared
constexpr double kCloseSpacing = 0.1;
constexpr std::size_t kExportBufferBytes = 1 << 20;

// The columns of the step: the true modes, then the missing-mass ones.
struct Columns {
  int N = 0;                                 // true modes
  int M = 0;                                 // all columns
  std::vector<double> omega;                 // 1-based, M entries (missing mass at ω(N))
  // The columns are the modal results' own shapes times a scale each: a
  // scaled copy of a large model's modes would be the run's largest array.
  std::vector<const std::vector<double>*> shapes;  // 1-based columns, unscaled
  std::vector<double> scale;                 // 1-based, the columns' scales
  std::array<double, 3> Z{};                 // missing-mass factors in g
  std::vector<CloseModePair> pairs;          // the closely-spaced rule's pairs

  std::size_t Size() const { return shapes[1]->size(); }
  double Value(std::size_t column, std::size_t k) const { return (*shapes[column])[k] * scale[column]; }
};

double Square(double x) { return x * x; }

// Closes the modal-forces export whatever way the step ends.
struct CsvFile {
  std::FILE* file = nullptr;
  ~CsvFile() {
    if (file != nullptr) std::fclose(file);
  }
};

// The modal-forces export of the step being run (the row writer is a plain
// function pointer, so its target is program-wide for the step). The
// export holds a line pair for every element in every block: the texts
// that open them, the same in each block, are made once, and each pair is
// assembled in memory and written at once.
struct ModalForcesExport {
  std::FILE* file = nullptr;
  bool directionCosines = false;
  const Model* model = nullptr;
  const AnalysisElementList* elements = nullptr;
  std::vector<std::string> firstEnd;   // by element: "<node 1>,<type>,"
  std::vector<std::string> secondEnd;  // "<node 2>,,"
};
ModalForcesExport g_Export;

void StartExport(std::FILE* file, const Model& model, const AnalysisElementList& elements) {
  ModalForcesExport& out = g_Export;
  out.file = file;
  out.directionCosines = false;
  out.model = &model;
  out.elements = &elements;
  out.firstEnd.assign(static_cast<std::size_t>(elements.count) + 1, std::string());
  out.secondEnd.assign(static_cast<std::size_t>(elements.count) + 1, std::string());
  for (int e = 1; e <= elements.count; ++e) {
    const AnalysisElement& element = elements[e];
    const auto at = static_cast<std::size_t>(e);
    out.firstEnd[at] = std::string(NodeNumberText(model.nodes[element.node1].id)) + "," +
                       ElementTypeName(element.kind) + ",";
    out.secondEnd[at] = std::string(NodeNumberText(model.nodes[element.node2].id)) + ",,";
  }
}

void WriteCsvHeader(std::FILE* file, int column, const Columns& columns) {
  const double f = columns.omega[static_cast<std::size_t>(column)] / kTwoPi;
  if (column == 0) {
    std::fputs("Forces & Moments for Seismic Displacements\n", file);
  } else if (column <= columns.N) {
    std::fprintf(file, "Modal Local Forces & Moments: Mode = %d; Frequency = %.3f Hz\n", column, f);
  } else {
    static const char* const kAxis[3] = {"Global-X", "Global-Y", "Global-Z"};
    std::fprintf(file, "Modal Local Forces & Moments for Missing Mass in %s direction: Mode = %d; Frequency = %.3f Hz\n",
                 kAxis[column - columns.N - 1], column, f);
  }
  const char* force = UnitLabel(kUnitForce);
  const char* moment = UnitLabel(kUnitMoment);
  if (column == 1) {
    std::fputs("Node, Type, fx, fy, fz, mx, my, mz,,,,,Direction Cosines\n", file);
    std::fprintf(file, ",,%s,%s,%s", force, force, force);
    std::fprintf(file, ",%s,%s,%s,,,Local x-axis,,,Local y-axis,,,Local z-axis\n", moment, moment, moment);
  } else {
    std::fputs("Node, Type, fx, fy, fz, mx, my, mz\n", file);
    std::fprintf(file, ",,%s,%s,%s", force, force, force);
    std::fprintf(file, ",%s,%s,%s\n", moment, moment, moment);
  }
}

// Room for a line pair: the two opening texts, twelve forces and moments,
// eighteen cosines, and the scratch a number is printed into.
constexpr std::size_t kLinePairSize = 2 * kNumberTextBufferSize + 30 * 16 + kPrintedNumberSize;

char* PutText(char* at, std::string_view text) {
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

char* PutCosines(char* at, const ElementAxes& axes) {
  const Vector3d* rows[3] = {&axes.x, &axes.y, &axes.z};
  int written = 0;
  for (const Vector3d* axis : rows)
    for (int c = 0; c < 3; ++c) {
      at += FixedWidthText(at, (*axis)[c], 7, 4);
      if (++written < 9) *at++ = ',';
    }
  return at;
}

void WriteCsvRow(int element, const Vector12d& forces) {
  ModalForcesExport& out = g_Export;
  if (out.file == nullptr || out.model == nullptr || out.elements == nullptr) return;
  const AnalysisElement& e = (*out.elements)[element];
  ElementEndFrames frames;
  if (out.directionCosines)
    frames = ComputeElementEndFrames(*out.model, static_cast<ElementType>(e.kind), e.row, e.node1, e.node2);
  char pair[kLinePairSize];
  char* at = pair;
  for (int end = 0; end < 2; ++end) {
    const std::string& opening = (end == 0 ? out.firstEnd : out.secondEnd)[static_cast<std::size_t>(element)];
    at = PutText(at, std::string_view(opening).substr(0, kNumberTextBufferSize));
    for (int i = 0; i < 6; ++i) {
      const auto value = static_cast<float>(forces[6 * end + i]);
      at += i < 3 ? ForceText(at, value) : MomentText(at, value);
      if (i < 5) *at++ = ',';
    }
    if (out.directionCosines) {
      at = PutText(at, ",,");
      at = PutCosines(at, end == 0 ? frames.end1 : frames.end2);
    }
    at = PutText(at, end == 0 ? "\n" : "\n\n");
  }
  std::fwrite(pair, 1, static_cast<std::size_t>(at - pair), out.file);
}

// The spectral amplitudes and the scaled columns.
Columns ScaleModes(const Model& model, const ModalStepResults& modal) {
  Columns c;
  c.N = modal.modes;
  const bool missing = modal.missingMass;
  c.M = c.N + (missing ? 3 : 0);
  c.omega.assign(static_cast<std::size_t>(c.M) + 1, 0.0);
  c.shapes.assign(static_cast<std::size_t>(c.M) + 1, nullptr);
  c.scale.assign(static_cast<std::size_t>(c.M) + 1, 0.0);
  const int directionSum = model.spectrumLoad.directionSum;
  for (int i = 1; i <= c.N; ++i) {
    const double w = modal.omega[static_cast<std::size_t>(i)];
    c.omega[static_cast<std::size_t>(i)] = w;
    double v[3];
    for (int d = 0; d < 3; ++d)
      v[d] = w > 0.0 ? SpectrumValue(model.spectra, model.spectrumLoad, w, d, false) *
                           modal.gamma[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)]
                     : 0.0;
    const double amplitude = CombineDirections(v[0], v[1], v[2], directionSum);
    c.shapes[static_cast<std::size_t>(i)] = &modal.shapes[static_cast<std::size_t>(i)];
    c.scale[static_cast<std::size_t>(i)] = amplitude;
  }
  if (missing) {
    const double wN = modal.omega[static_cast<std::size_t>(c.N)];
    for (int d = 0; d < 3; ++d) {
      c.Z[static_cast<std::size_t>(d)] = MissingMassFactor(model.spectra, model.spectrumLoad, wN, d);
      const auto k = static_cast<std::size_t>(c.N + 1 + d);
      c.omega[k] = wN;
      c.shapes[k] = &modal.missingShapes[static_cast<std::size_t>(d)];
      c.scale[k] = c.Z[static_cast<std::size_t>(d)];
    }
  }
  if (model.spectrumLoad.modeSum == kSumCloselySpaced) c.pairs = CloselySpacedPairs(c.omega, c.N);
  return c;
}

// One node-record block (six f32 per node of the node table) from the
// values of every equation; with `anchorMovements` the seismic anchor
// movements' displacements add their absolute values (a node without
// equations keeps its zeros).
void WriteNodeBlock(const Model& model, const std::vector<double>& values, bool anchorMovements = false) {
  const int count = ResultNodeCount(model);
  std::vector<float> block(static_cast<std::size_t>(6 * count), 0.0f);
  const std::span<const float> movements = SeismicAnchorMovementBlocks();
  for (int node = 1; node <= count; ++node) {
    const LocationVector vector = NodeLocationVector(model.nodes, node);
    for (int i = 0; i < 6; ++i) {
      const std::int32_t equation = vector.equation[static_cast<std::size_t>(i)];
      if (equation == 0) continue;
      const auto k = static_cast<std::size_t>(6 * (node - 1) + i);
      double value = values[static_cast<std::size_t>(equation)];
      if (anchorMovements && !movements.empty()) value += std::fabs(static_cast<double>(movements[k]));
      block[k] = static_cast<float>(value);
    }
  }
  BinaryFileWriteFloats(*g_ResultsFile, block.data(), block.size());
}

std::vector<double> CombineDisplacements(const Columns& c, int rule) {
  const std::size_t E = c.Size();
  std::vector<double> total(E, 0.0), r(static_cast<std::size_t>(c.M));
  for (std::size_t k = 1; k < E; ++k) {
    for (int m = 1; m <= c.M; ++m) r[static_cast<std::size_t>(m - 1)] = c.Value(static_cast<std::size_t>(m), k);
    total[k] = CombineModes(r, rule, c.pairs);
  }
  return total;
}

std::vector<double> CombineAccelerations(const Columns& c, const ModalStepResults& modal, int rule) {
  const std::size_t E = c.Size();
  const auto N = static_cast<std::size_t>(c.N);
  // The modes' values, and room for the left-out part of a translation.
  std::vector<double> total(E, 0.0), r(N + 1);
  for (std::size_t k = 1; k < E; ++k) {
    for (std::size_t m = 1; m <= N; ++m) r[m - 1] = Square(c.omega[m]) * c.Value(m, k);
    if (!modal.missingMass || (k - 1) % 6 > 2) {
      total[k] = CombineModes(std::span<const double>(r.data(), N), rule, c.pairs);
      continue;
    }
    // The left-out part joins as one more term of the rule.
    double extra[3];
    for (int d = 0; d < 3; ++d)
      extra[d] = kG * c.Z[static_cast<std::size_t>(d)] * modal.leftOut[static_cast<std::size_t>(d)][k];
    if (rule == kSumAbsolute) {
      r[N] = std::fabs(extra[0]) + std::fabs(extra[1]) + std::fabs(extra[2]);
    } else {
      r[N] = std::sqrt(Square(extra[0]) + Square(extra[1]) + Square(extra[2]));
    }
    total[k] = CombineModes(r, rule, c.pairs);
  }
  return total;
}

// The element forces and support loads of every column, one block each,
// into memory (the step's scratch, released with it).
std::vector<std::vector<float>> ModalForceBlocks(const Model& model, const AnalysisElementList& elements,
                                                 const Columns& c, std::FILE* csv, AnalysisProgress& progress) {
  std::vector<std::vector<float>> blocks(static_cast<std::size_t>(c.M) + 1);
  const std::string& scratch = MakeWorkFileName(WorkFile::Response);
  BinaryFile file;
  if (!BinaryFileOpenUpdate(file, scratch)) throw std::string("Response file could not be opened");
  BinaryFile* results = g_ResultsFile;
  struct Restore {
    BinaryFile* results;
    ~Restore() {
      g_ResultsFile = results;
      g_ElementForceRun.modalForcesRow = nullptr;
      g_Export = ModalForcesExport{};
    }
  } restore{results};
  g_ResultsFile = &file;
  if (csv != nullptr) StartExport(csv, model, elements);
  g_ElementForceRun.modalForcesRow = csv != nullptr ? WriteCsvRow : nullptr;
  // Every mode's forces come of the same element stiffnesses and loads.
  ElementForceBuilds builds;
  std::int64_t start = 0;
  for (int m = 1; m <= c.M; ++m) {
    char text[64];
    std::snprintf(text, sizeof text, "Calculating modal forces: Mode = %d", m);
    ProgressBegin(progress, text, ProgressArea::Phase);
    const auto column = static_cast<std::size_t>(m);
    const double scale = c.scale[column];
    std::transform(c.shapes[column]->begin(), c.shapes[column]->end(), g_DisplacementVector.begin(),
                   [scale](double value) { return value * scale; });
    g_Export.directionCosines = m == 1;
    if (csv != nullptr) WriteCsvHeader(csv, m, c);
    CalculateElementForces(model, elements, progress, &builds);
    g_ElementForceRun.modalForcesRow = nullptr;  // the support loads write no rows
    CalculateSupportLoads(model, progress);
    g_ElementForceRun.modalForcesRow = csv != nullptr ? WriteCsvRow : nullptr;
    const std::int64_t end = BinaryFileTell(file);
    std::vector<float>& block = blocks[static_cast<std::size_t>(m)];
    block.assign(static_cast<std::size_t>((end - start) / 4), 0.0f);
    BinaryFileSeek(file, start);
    BinaryFileReadFloats(file, block.data(), block.size());
    BinaryFileSeek(file, end);
    start = end;
    ProgressEnd(progress, ProgressArea::Phase);
  }
  const bool failed = BinaryFileHasError(file) || BinaryFileReadFailed(file);
  BinaryFileClose(file);
  DeleteWorkFile(WorkFile::Response);
  if (failed) throw std::string("Response file could not be opened");
  return blocks;
}

// The seismic anchor movements' element forces in the export, as absolute
// values after the modes' blocks.
void WriteSeismicCsvBlock(const Model& model, const AnalysisElementList& elements, const Columns& c, std::FILE* csv) {
  const std::span<const float> movements = SeismicAnchorMovementBlocks();
  if (csv == nullptr || movements.empty()) return;
  WriteCsvHeader(csv, 0, c);
  StartExport(csv, model, elements);
  const auto first = static_cast<std::size_t>(6 * ResultNodeCount(model));
  for (int e = 1; e <= elements.count; ++e) {
    Vector12d forces{};
    for (std::size_t i = 0; i < 12; ++i)
      forces[i] = std::fabs(static_cast<double>(movements[first + 12 * static_cast<std::size_t>(e - 1) + i]));
    WriteCsvRow(e, forces);
  }
  g_Export = ModalForcesExport{};
}

void WriteTotalForces(const Model& model, const AnalysisElementList& elements,
                      const std::vector<std::vector<float>>& blocks, const Columns& c, int rule) {
  const std::size_t count = blocks[1].size();
  std::vector<float> total(count, 0.0f);
  std::vector<double> r(static_cast<std::size_t>(c.M));
  for (std::size_t k = 0; k < count; ++k) {
    for (int m = 1; m <= c.M; ++m) {
      const std::vector<float>& block = blocks[static_cast<std::size_t>(m)];
      QV_ASSERT(block.size() == count);
      r[static_cast<std::size_t>(m - 1)] = block[k];
    }
    total[k] = static_cast<float>(CombineModes(r, rule, c.pairs));
  }
  AddSeismicAnchorMovements(total, static_cast<std::size_t>(6 * ResultNodeCount(model)));
  CheckForceBlockFits(model, elements, total);
  BinaryFileWriteFloats(*g_ResultsFile, total.data(), total.size());
}

}  // namespace

std::vector<CloseModePair> CloselySpacedPairs(std::span<const double> omega, int trueModes) {
  std::vector<CloseModePair> pairs;
  for (int i = 0; i < trueModes; ++i)
    for (int j = i + 1; j < trueModes; ++j) {
      const double wi = omega[static_cast<std::size_t>(i) + 1], wj = omega[static_cast<std::size_t>(j) + 1];
      if (wi > 0.0 && std::fabs(wj - wi) / wi <= kCloseSpacing) pairs.push_back({i, j});
    }
  return pairs;
}

double CombineModes(std::span<const double> r, std::span<const double> omega, int trueModes, int rule) {
  if (rule != kSumCloselySpaced) return CombineModes(r, rule, {});
  const int N = std::min(std::max(trueModes, 0), static_cast<int>(r.size()));
  return CombineModes(r, rule, CloselySpacedPairs(omega, N));
}

double CombineModes(std::span<const double> r, int rule, std::span<const CloseModePair> pairs) {
  if (rule == kSumAbsolute) {
    double sum = 0.0;
    for (double value : r) sum += std::fabs(value);
    return sum;
  }
  double squares = 0.0, largest = 0.0;
  for (double value : r) {
    const double term = value * value;
    squares += term;
    if (term > largest) largest = term;
  }
  if (rule == kSumNrl) return std::sqrt(std::max(squares - largest, 0.0)) + std::sqrt(largest);
  if (rule == kSumCloselySpaced)
    for (const CloseModePair& pair : pairs)
      squares += 2.0 * std::fabs(r[static_cast<std::size_t>(pair.first)] * r[static_cast<std::size_t>(pair.second)]);
  return std::sqrt(squares);
}

double CombineDirections(double x, double y, double z, int rule) {
  if (rule == kSumAbsolute) return std::fabs(x) + std::fabs(y) + std::fabs(z);
  return std::sqrt(x * x + y * y + z * z);
}

double MissingMassFactor(const std::vector<ResponseSpectrum>& list, const SpectrumLoad& load, double omega,
                         int direction) {
  const std::string& name = load.name[static_cast<std::size_t>(direction)];
  const double factor = load.factor[static_cast<std::size_t>(direction)];
  if (name.empty() || factor == 0.0 || omega <= 0.0) return 0.0;
  // The value at the mode itself (checks the spectrum and its name).
  double largest = SpectrumValue(list, load, omega, direction, false) * omega * omega / kG;
  const ResponseSpectrum& spectrum = list[static_cast<std::size_t>(FindSpectrum(list, name))];
  const double f = omega / kTwoPi;
  for (const FloatPair& point : spectrum.points) {
    const double x = point.x;
    if (x <= 0.0) continue;
    const double pointFrequency = spectrum.periodAbscissa != 0 ? 1.0 / x : x;
    if (pointFrequency < f) continue;
    const double w = kTwoPi * pointFrequency;
    const double acceleration = IsAccelerationUnit(spectrum.ordinateUnit) ? point.y : point.y * w * w;
    largest = std::max(largest, acceleration / kG * factor);
  }
  return largest;
}

std::string ModalForcesPath(const std::string& modelPath) {
  const std::size_t dot = modelPath.find_last_of('.');
  const std::size_t slash = modelPath.find_last_of('/');
  const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? modelPath.substr(0, dot)
                                                                                                   : modelPath;
  return stem + "_MFM.csv";
}

void RunResponseSpectrumStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  const ModalStepResults& modal = TheModalResults();
  QV_ASSERT(modal.present);
  const int rule = model.spectrumLoad.modeSum;
  ProgressBegin(progress, "Calculating modal displacements", ProgressArea::Phase);
  const Columns columns = ScaleModes(model, modal);
  ProgressEnd(progress, ProgressArea::Phase);
  CsvFile csv;
  const std::string csvPath = ModalForcesPath(model.path);
  csv.file = platform::OpenFile(csvPath, "w");
  if (csv.file == nullptr)
    ShowInfoMessage(MainFrame().window, "Not able to open file " + csvPath + ".\nExport of modal forces and moments aborted.");
  // A large model's export runs to tens of megabytes: written in large
  // pieces, not a page at a time.
  if (csv.file != nullptr) std::setvbuf(csv.file, nullptr, _IOFBF, kExportBufferBytes);
  const std::vector<std::vector<float>> blocks = ModalForceBlocks(model, elements, columns, csv.file, progress);
  ProgressBegin(progress, "Calculating total displacements", ProgressArea::Phase);
  const std::vector<double> displacements = CombineDisplacements(columns, rule);
  CheckSolutionFits(model, displacements);
  ProgressEnd(progress, ProgressArea::Phase);
  const bool anchorMovements = !SeismicAnchorMovementBlocks().empty();
  if (anchorMovements) ProgressBegin(progress, "Adding seismic displacements", ProgressArea::Phase);
  WriteNodeBlock(model, displacements, anchorMovements);
  if (anchorMovements) ProgressEnd(progress, ProgressArea::Phase);
  ProgressBegin(progress, "Calculating total accelerations", ProgressArea::Phase);
  const std::vector<double> accelerations = CombineAccelerations(columns, modal, rule);
  CheckSolutionFits(model, accelerations);
  WriteNodeBlock(model, accelerations);
  ProgressEnd(progress, ProgressArea::Phase);
  ProgressBegin(progress, "Calculating total forces", ProgressArea::Phase);
  WriteSeismicCsvBlock(model, elements, columns, csv.file);
  WriteTotalForces(model, elements, blocks, columns, rule);
  ProgressEnd(progress, ProgressArea::Phase);
  if (csv.file != nullptr && std::fclose(csv.file) != 0)
    ShowInfoMessage(MainFrame().window, "Not able to open file " + csvPath + ".\nExport of modal forces and moments aborted.");
  csv.file = nullptr;
}
