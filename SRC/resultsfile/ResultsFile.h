// The results file (*.res beside the model): its layout, shared by the
// analysis that writes it and the reader here that reads it back, and the
// reader's checks.
//
// Layout: a 16-byte header ("QUORVELWRES", "900", two zero bytes), the
// analysis element count and records (eight int32 each), the soil restraint
// count and records (40 bytes each), one block per entry of the model's
// load-case list in list order (nothing for an entry 0, a modal block for
// type 30, a result case block for any other type: displacements of every
// node, accelerations for a response spectrum case, element forces, support
// loads), then one hanger design record per hanger row. Node records, layout
// rows and the load-case list are not stored: they come from the model in
// memory, so a results file is valid only for the model it was made from.
//
// Writer and reader count result nodes with ResultNodeCount and support
// values with SupportValueCount, so the block sizes the reader computes are
// the ones the analysis wrote. Since the file holds no nodes, rows or cases
// of its own, the reader makes sure it belongs to the model beside it before
// it trusts a value: besides what the format refuses by header and version,
// the file must not be older than the model file, its element records must
// be the analysis elements the model makes, record for record, its soil
// records must name them, and it must be exactly as long as the model's
// counts make its blocks. Anything else (results of an earlier model after
// a save or a failed run, a cut, padded or foreign file) is refused with
// "Unable to read results file" and read as nothing; the model is never
// touched. Start reading at ReadResultsFile.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/AnalysisElements.h"
#include "model/LayoutRow.h"
#include "platform/Types.h"

struct BinaryFile;
struct Model;

constexpr const char* kResultsFileMagic = "QUORVELWRES";
constexpr int kResultsFileVersion = 900;
constexpr std::int64_t kResultsHeaderBytes = 16;
constexpr std::int64_t kElementRecordBytes = 32;
constexpr std::int64_t kSoilRecordBytes = 40;
constexpr std::int64_t kNodeRecordBytes = 24;   // six f32
constexpr std::int64_t kForceRecordBytes = 48;  // twelve f32
constexpr std::int64_t kHangerRecordBytes = 32;

// The nodes every displacement block holds: every node of the model, in
// node-table order.
int ResultNodeCount(const Model& model);
// The f32 values of a support kind in a support-loads block; 0 for kinds
// that write none.
int SupportValueCount(DataType type);
// The bytes of one support-loads block of the model (SB).
std::int64_t SupportLoadsBlockBytes(const Model& model);
// The bytes of one result case block of `type` (not the modal case).
std::int64_t ResultCaseBlockBytes(int type, int nodeCount, int elementCount, std::int64_t supportBytes);
// The results file of a model file: its extension (from the last dot of the
// file name) replaced by "res", or ".res" appended when it has none.
std::string ResultsPathOf(const std::string& modelPath);
// The dynamic susceptibility file beside the model: 16 header bytes
// (kSusceptibilityMagic and a zero byte), then for every mode, for every
// pipe-kind analysis element in order, four f32: the transverse
// displacement and bending moment magnitudes at end 1, then at end 2.
std::string SusceptibilityPathOf(const std::string& modelPath);
// The time-history results file of a model: its extension replaced by "rth".
std::string TimeHistoryPathOf(const std::string& modelPath);
constexpr const char* kSusceptibilityMagic = "QUORVELWRDS5100";

// The 16-byte header.
void WriteResultsFileHeader(BinaryFile& file);

struct SoilRestraintRecord {
  std::int32_t element = 0;
  // Axial, transverse, vertical down and vertical up: stiffness and maximum load each.
  std::array<float, 8> values{};
  std::array<std::uint8_t, 4> spare{};
};

struct HangerDesignRecord {
  std::string figure;  // at most 5 characters
  std::string size;    // at most 5 characters
  float springRate = 0.0f;
  std::array<float, 4> design{};
};

// Where the blocks of one result case lie; 0 for a part the case lacks.
struct ResultCaseOffsets {
  std::int32_t type = 0;
  std::int64_t displacements = 0;
  std::int64_t accelerations = 0;  // response spectrum only
  std::int64_t forces = 0;
  std::int64_t supportLoads = 0;
};

struct ModalSummary {
  bool present = false;
  std::int64_t shapes = 0;  // offset of mode 1's node records
  std::vector<float> frequencies;                    // modes 1 .. M at [0 .. M-1]
  std::vector<std::array<float, 3>> participation;   // X, Y, Z per mode
  float totalMass = 0.0f;
  std::array<float, 3> massSums{};
};

struct ResultsFileContents {
  std::vector<AnalysisElement> elements = std::vector<AnalysisElement>(1);  // [0] unused
  int elementCount = 0;
  std::vector<SoilRestraintRecord> soil = std::vector<SoilRestraintRecord>(1);  // [0] unused
  std::vector<ResultCaseOffsets> cases = std::vector<ResultCaseOffsets>(1);    // [0] unused
  ModalSummary modal;
  std::vector<int> hangerRows;                 // in row order
  std::vector<HangerDesignRecord> hangers;     // one per hanger row
  // Per layout row (index = row): value count and byte offset inside a
  // support-loads block.
  std::vector<int> supportValueCount, supportOffset;
  std::int64_t supportBlockBytes = 0;
  // Support rows by kind: anchors, guides, hangers, limit stops, nozzles,
  // restraints, skewed restraints, snubbers, generic supports.
  std::vector<int> supportList;
  // Node indexes marked as carrying results, in node order.
  std::vector<int> resultNodes;
  // By node index: the elements ending there, the last added first.
  std::vector<std::vector<int>> nodeElements;
  // Element numbers by kind, in element order.
  std::vector<int> stressElements, frpElements, otherElements, beamElements, flexibleJoints, ballJoints;
  std::int64_t endOffset = 0;  // the first byte after the layout the model gives
  std::int64_t fileTime = 0;   // modification time, seconds since the epoch
  // The time-history file, when the results have one: its path, output
  // interval, step count and the bytes of one step record (displacements,
  // element forces, support loads).
  bool timeHistoryOpen = false;
  float timeStep = 0.0f;
  std::int32_t timeSteps = 0;
  std::string timeHistoryPath;
  std::int64_t timeHistoryStepBytes = 0;
};

// Why the reader refuses a file, each said on the lines after "Unable to
// read results file" with what to do about it.
enum class ResultsRefusal {
  CutShort,       // shorter than its header, or its counts run past its end
  NotResults,     // another kind of file
  ModelChanged,   // written before the model file was last saved
  OtherModel,     // elements or soil restraints that are not the model's as it is
  Shorter,        // ends before this model's load cases do
  Longer,         // goes on after them
  UnknownCase,    // a load case the model's piping code has no results for
  RepeatedCase,   // two results of one load case
};
// The whole message of a refusal.
std::string ResultsRefusalText(ResultsRefusal why);

// Reads and checks the file (open for reading at offset 0) against the made
// model, filling `out`; throws the message text that refuses it, with `out`
// emptied. A model that cannot be made into elements has no results: the
// refusal names what is wrong with it.
// `resultsPath` is the file's own path (for its time and the time-history
// file beside it); `owner` is where a time-history problem is shown. The
// time-history file is read only for results being opened to be shown (an
// owner given): the run's own check reads its results before the
// time-history file is in place.
void ReadResultsFile(BinaryFile& file, const std::string& resultsPath, const Model& model, ResultsFileContents& out,
                     HWND owner = nullptr);
// The time-history file beside the results; shows its problems over
// `owner` and never throws. A header other than "QUORVELWRTH5100" and NUL,
// a negative step count or a length other than 24 + S·(24N + 48E + SB)
// give "Unable to read time history file", and the results open without
// time histories.
void ReadTimeHistoryResults(const std::string& resultsPath, const Model& model, ResultsFileContents& out, HWND owner);

// The program's results as last read.
ResultsFileContents& TheResults();

// The time-history file of a run: one step's bytes for N nodes, E elements
// and a support-loads block of SB bytes, and the file's size for S steps.
std::int64_t TimeHistoryStepBytes(std::int64_t nodes, std::int64_t elements, std::int64_t supportBytes);
std::int64_t TimeHistoryFileBytes(std::int64_t steps, std::int64_t nodes, std::int64_t elements,
                                  std::int64_t supportBytes);
