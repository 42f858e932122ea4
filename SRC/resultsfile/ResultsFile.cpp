// The results file's layout and its reader; see ResultsFile.h.
#include "resultsfile/ResultsFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/Model.h"
#include "platform/FileNames.h"
#include "services/BinaryFile.h"
#include "services/LoadCaseTypes.h"
#include "services/Message.h"
#include "services/NumberFormat.h"

namespace {

constexpr const char* kOldResultsMagic = "QUORVEL.RES";
constexpr const char* kTimeHistoryMagic = "QUORVELWRTH5100";
constexpr const char* kUnreadable = "Unable to read results file";
constexpr const char* kReanalyze = "Please reanalyze the model.";

[[noreturn]] void Refuse(ResultsRefusal why) { throw ResultsRefusalText(why); }

bool IsPipeKind(int kind) { return (kind >= 3 && kind <= 7) || kind == 9; }
bool IsFlexibleJoint(int kind) { return kind == 10 || kind == 11 || kind == 12 || kind == 13 || kind == 15; }

// A count read from the file that cannot be (negative, or more records than
// the bytes left) is refused before anything is sized by it.
void CheckCount(const BinaryFile& file, std::int32_t count, std::int64_t recordBytes) {
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (BinaryFileReadFailed(file) || count < 0 || (left >= 0 && count * recordBytes > left))
    Refuse(ResultsRefusal::CutShort);
}

// A file's modification time, nanoseconds since the epoch; false when the
// file cannot be looked at.
bool ModificationTime(const std::string& path, std::int64_t& nanoseconds) {
  struct stat status {};
  if (path.empty() || stat(platform::ToFileSystemName(path).c_str(), &status) != 0) return false;
  nanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
  return true;
}

// Results written before the model file was last written were made from an
// earlier model (a save after a run, or a run that failed or was killed
// after the save that preceded it): they are not this model's.
void CheckNotOlderThanModel(const std::string& resultsPath, const Model& model, ResultsFileContents& out) {
  std::int64_t results = 0, modelTime = 0;
  if (!ModificationTime(resultsPath, results)) return;
  out.fileTime = results / 1000000000;
  if (ModificationTime(model.path, modelTime) && results < modelTime) Refuse(ResultsRefusal::ModelChanged);
}

void ReadHeader(BinaryFile& file) {
  char header[kResultsHeaderBytes] = {};
  BinaryFileReadBytes(file, header, sizeof header);
  if (BinaryFileReadFailed(file)) Refuse(ResultsRefusal::CutShort);
  if (std::memcmp(header, kOldResultsMagic, std::strlen(kOldResultsMagic) + 1) == 0) {
    const auto old = static_cast<std::int16_t>(static_cast<std::uint8_t>(header[14]) |
                                               static_cast<std::uint8_t>(header[15]) << 8);
    BinaryFileClose(file);
    throw CFormat("Results file is in Version %.2f format.\nUnable to read results file.", old * 0.01);
  }
  if (std::memcmp(header, kResultsFileMagic, 11) != 0) Refuse(ResultsRefusal::NotResults);
  char digits[4] = {header[11], header[12], header[13], 0};
  const int version = std::atoi(digits);
  if (version != kResultsFileVersion) {
    BinaryFileClose(file);
    throw CFormat("Program version = %.2f\nResults version = %.2f\nPlease reanalyze the model.",
                  kResultsFileVersion * 0.01, version * 0.01);
  }
}

// The element records must be the model's analysis elements, record for
// record: their count is checked before anything is sized by it.
void ReadElements(BinaryFile& file, const Model& model, const AnalysisElementList& expected, ResultsFileContents& out) {
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  CheckCount(file, count, kElementRecordBytes);
  if (count != expected.count) Refuse(ResultsRefusal::OtherModel);
  out.elementCount = count;
  out.elements.assign(static_cast<std::size_t>(count) + 1, AnalysisElement{});
  out.nodeElements.assign(static_cast<std::size_t>(model.nodes.count) + 1, {});
  for (int e = 1; e <= count; ++e) {
    std::int32_t fields[8] = {};
    BinaryFileReadInts(file, fields, 8);
    const AnalysisElement& made = expected[e];
    const std::int32_t madeFields[8] = {made.kind,     made.row,     made.node1, made.node2,
                                        made.material, made.section, made.load,  made.hydrotestRow};
    if (!std::equal(fields, fields + 8, madeFields)) Refuse(ResultsRefusal::OtherModel);
    out.elements[static_cast<std::size_t>(e)] = made;
  }
  if (BinaryFileReadFailed(file)) Refuse(ResultsRefusal::CutShort);
}

// Soil restraints come only with buried pipe, at most one per element, each
// naming an element of the file.
void ReadSoilRestraints(BinaryFile& file, const Model& model, ResultsFileContents& out) {
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  CheckCount(file, count, kSoilRecordBytes);
  if (count > out.elementCount || (count > 0 && !ModelHasBuriedPipe(model))) Refuse(ResultsRefusal::OtherModel);
  out.soil.assign(static_cast<std::size_t>(count) + 1, SoilRestraintRecord{});
  for (int s = 1; s <= count; ++s) {
    SoilRestraintRecord& record = out.soil[static_cast<std::size_t>(s)];
    BinaryFileReadInt(file, record.element);
    BinaryFileReadFloats(file, record.values.data(), record.values.size());
    BinaryFileReadBytes(file, record.spare.data(), record.spare.size());
    if (record.element < 1 || record.element > out.elementCount) Refuse(ResultsRefusal::OtherModel);
  }
  if (BinaryFileReadFailed(file)) Refuse(ResultsRefusal::CutShort);
}

// Value counts and offsets per row, then the rows ordered by kind.
void BuildSupportList(const Model& model, ResultsFileContents& out) {
  out.supportValueCount.assign(static_cast<std::size_t>(model.rowCount) + 1, 0);
  out.supportOffset.assign(static_cast<std::size_t>(model.rowCount) + 1, 0);
  std::vector<int> provisional;
  std::int64_t running = 0;
  for (int row = 1; row <= model.rowCount; ++row) {
    out.supportOffset[static_cast<std::size_t>(row)] = static_cast<int>(running);
    const int count = SupportValueCount(model.row(row).dataType);
    if (count == 0) continue;
    out.supportValueCount[static_cast<std::size_t>(row)] = count;
    provisional.push_back(row);
    running += 4 * count;
  }
  out.supportBlockBytes = running;
  out.supportList.clear();
  for (DataType kind : {DataType::Anchor, DataType::Guide, DataType::Hanger, DataType::LimitStop, DataType::Nozzle,
                        DataType::Restraint, DataType::SkewedRestraint, DataType::Snubber, DataType::GenericSupport})
    for (int row : provisional)
      if (model.row(row).dataType == kind) out.supportList.push_back(row);
}

void ReadModalBlock(BinaryFile& file, std::int64_t offset, int nodeCount, ResultsFileContents& out) {
  ModalSummary& modal = out.modal;
  BinaryFileSeek(file, offset);
  std::int32_t modes = 0;
  BinaryFileReadInt(file, modes);
  CheckCount(file, modes, 16 + kNodeRecordBytes * nodeCount);
  modal.present = true;
  modal.frequencies.assign(static_cast<std::size_t>(modes), 0.0f);
  BinaryFileReadFloats(file, modal.frequencies.data(), modal.frequencies.size());
  modal.shapes = offset + 4 + 4 * static_cast<std::int64_t>(modes);
  BinaryFileSeek(file, modal.shapes + kNodeRecordBytes * nodeCount * modes);
  modal.participation.assign(static_cast<std::size_t>(modes), {});
  for (auto& factors : modal.participation) BinaryFileReadFloats(file, factors.data(), 3);
  BinaryFileReadFloat(file, modal.totalMass);
  if (BinaryFileReadFailed(file)) Refuse(ResultsRefusal::CutShort);
  modal.massSums = {};
  for (int d = 0; d < 3 && modes > 0; ++d) {
    double sum = 0.0;
    for (const auto& factors : modal.participation)
      sum += static_cast<double>(factors[static_cast<std::size_t>(d)]) * factors[static_cast<std::size_t>(d)] /
             modal.totalMass;
    modal.massSums[static_cast<std::size_t>(d)] = static_cast<float>(sum);
  }
}

// The offsets of every block, then the hanger records after the last.
void ComputeCaseOffsets(BinaryFile& file, const Model& model, ResultsFileContents& out) {
  const int N = ResultNodeCount(model);
  std::int64_t offset =
      kResultsHeaderBytes + 8 + kElementRecordBytes * out.elementCount + kSoilRecordBytes * (static_cast<std::int64_t>(out.soil.size()) - 1);
  out.cases.assign(1, ResultCaseOffsets{});
  out.modal = ModalSummary{};
  for (int entry = 1; entry <= model.loadCases.count; ++entry) {
    const int type = model.loadCases.cases[static_cast<std::size_t>(entry)];
    if (type == 0) continue;
    if (type == kCaseIdModal) {
      ReadModalBlock(file, offset, N, out);
      const auto M = static_cast<std::int64_t>(out.modal.frequencies.size());
      offset += 8 + 16 * M + kNodeRecordBytes * N * M;
      continue;
    }
    ResultCaseOffsets block;
    block.type = type;
    block.displacements = offset;
    block.forces = offset + kNodeRecordBytes * N;
    if (type == kCaseIdResponseSpectrum) {
      block.accelerations = block.forces;
      block.forces += kNodeRecordBytes * N;
    }
    block.supportLoads = block.forces + kForceRecordBytes * out.elementCount;
    offset = block.supportLoads + out.supportBlockBytes;
    out.cases.push_back(block);
  }
  out.hangerRows.clear();
  out.hangers.clear();
  for (int row = 1; row <= model.rowCount; ++row)
    if (model.row(row).dataType == DataType::Hanger) out.hangerRows.push_back(row);
  out.endOffset = offset + kHangerRecordBytes * static_cast<std::int64_t>(out.hangerRows.size());
  // The model gives the file's length to the byte: a shorter file was cut,
  // a longer one was written for other counts or padded.
  if (out.endOffset > file.size) Refuse(ResultsRefusal::Shorter);
  if (out.endOffset < file.size) Refuse(ResultsRefusal::Longer);
  if (out.hangerRows.empty()) return;
  BinaryFileSeek(file, offset);
  for (std::size_t h = 0; h < out.hangerRows.size(); ++h) {
    HangerDesignRecord record;
    char text[6] = {};
    BinaryFileReadBytes(file, text, sizeof text);
    record.figure.assign(text, strnlen(text, sizeof text));
    BinaryFileReadBytes(file, text, sizeof text);
    record.size.assign(text, strnlen(text, sizeof text));
    BinaryFileReadFloat(file, record.springRate);
    BinaryFileReadFloats(file, record.design.data(), record.design.size());
    out.hangers.push_back(record);
  }
  if (BinaryFileReadFailed(file)) Refuse(ResultsRefusal::CutShort);
}

void ListElementsByKind(const Model& model, ResultsFileContents& out) {
  for (auto* list : {&out.stressElements, &out.frpElements, &out.otherElements, &out.beamElements,
                     &out.flexibleJoints, &out.ballJoints})
    list->clear();
  for (int e = 1; e <= out.elementCount; ++e) {
    const AnalysisElement& element = out.elements[static_cast<std::size_t>(e)];
    out.nodeElements[static_cast<std::size_t>(element.node1)].insert(out.nodeElements[static_cast<std::size_t>(element.node1)].begin(), e);
    out.nodeElements[static_cast<std::size_t>(element.node2)].insert(out.nodeElements[static_cast<std::size_t>(element.node2)].begin(), e);
    const bool frp = element.material >= 1 && element.material <= model.materials.count &&
                     model.materials[element.material].isFrp != 0;
    if (IsPipeKind(element.kind)) (frp ? out.frpElements : out.stressElements).push_back(e);
    else if (element.kind != static_cast<int>(ElementType::Beam)) out.otherElements.push_back(e);
    if (element.kind == static_cast<int>(ElementType::Beam)) out.beamElements.push_back(e);
    if (IsFlexibleJoint(element.kind)) out.flexibleJoints.push_back(e);
    if (element.kind == static_cast<int>(ElementType::BallJoint)) out.ballJoints.push_back(e);
  }
}

// Ends of elements and the nodes of supports, guides, nozzles, limit stops
// and snubbers carry results.
void CollectResultNodes(const Model& model, ResultsFileContents& out) {
  std::vector<char> marked(static_cast<std::size_t>(model.nodes.count) + 1, 0);
  for (int e = 1; e <= out.elementCount; ++e) {
    marked[static_cast<std::size_t>(out.elements[static_cast<std::size_t>(e)].node1)] = 1;
    marked[static_cast<std::size_t>(out.elements[static_cast<std::size_t>(e)].node2)] = 1;
  }
  for (int row = 1; row <= model.rowCount; ++row) {
    const auto type = static_cast<int>(model.row(row).dataType);
    const int node = model.row(row).endNode;
    if (((type >= 1 && type <= 8) || type == 21) && node >= 1 && node <= model.nodes.count)
      marked[static_cast<std::size_t>(node)] = 1;
  }
  out.resultNodes.clear();
  for (int node = 1; node <= model.nodes.count; ++node)
    if (marked[static_cast<std::size_t>(node)] != 0) out.resultNodes.push_back(node);
}

std::string ReplaceExtension(const std::string& path, const char* extension) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasDot ? path.substr(0, dot) : path) + "." + extension;
}

}  // namespace

std::string ResultsRefusalText(ResultsRefusal why) {
  // By ResultsRefusal, in its order.
  static constexpr const char* kReasons[] = {
      "The file is damaged or cut short.",
      "The file is not a results file.",
      "The model was changed after it was analysed.",
      "The file holds the results of another model, or of this model before it was changed.",
      "The file ends before the results of the model's load cases do.",
      "The file holds more than the results of the model's load cases.",
      "The file holds results of a load case that the model's piping code does not have.",
      "The file holds two results of one load case.",
  };
  return std::string(kUnreadable) + "\n" + kReasons[static_cast<int>(why)] + "\n" + kReanalyze;
}

int ResultNodeCount(const Model& model) { return model.nodes.count; }

int SupportValueCount(DataType type) {
  switch (type) {
    case DataType::Anchor:
    case DataType::Nozzle:
    case DataType::GenericSupport: return 6;
    case DataType::Restraint:
    case DataType::Guide: return 3;
    case DataType::LimitStop: return 2;
    case DataType::SkewedRestraint:
    case DataType::Hanger:
    case DataType::Snubber: return 1;
    default: return 0;
  }
}

std::int64_t SupportLoadsBlockBytes(const Model& model) {
  std::int64_t bytes = 0;
  for (int row = 1; row <= model.rowCount; ++row) bytes += 4 * SupportValueCount(model.row(row).dataType);
  return bytes;
}

std::int64_t ResultCaseBlockBytes(int type, int nodeCount, int elementCount, std::int64_t supportBytes) {
  const std::int64_t nodes = kNodeRecordBytes * nodeCount * (type == kCaseIdResponseSpectrum ? 2 : 1);
  return nodes + kForceRecordBytes * elementCount + supportBytes;
}

std::string ResultsPathOf(const std::string& modelPath) { return ReplaceExtension(modelPath, "res"); }

std::string SusceptibilityPathOf(const std::string& modelPath) { return ReplaceExtension(modelPath, "rds"); }

std::string TimeHistoryPathOf(const std::string& modelPath) { return ReplaceExtension(modelPath, "rth"); }

void WriteResultsFileHeader(BinaryFile& file) {
  char header[kResultsHeaderBytes] = {};
  std::memcpy(header, kResultsFileMagic, 11);
  std::snprintf(header + 11, 4, "%03d", kResultsFileVersion);
  header[14] = header[15] = 0;
  BinaryFileWriteBytes(file, header, sizeof header);
}

void ReadResultsFile(BinaryFile& file, const std::string& resultsPath, const Model& model, ResultsFileContents& out,
                     HWND owner) {
  // Read aside and handed over whole: a refused file leaves nothing behind.
  out = ResultsFileContents{};
  ResultsFileContents read;
  ReadHeader(file);
  CheckNotOlderThanModel(resultsPath, model, read);
  // The elements the model makes now are the ones a run of it wrote.
  AnalysisElementList expected;
  try {
    GenerateAnalysisElements(model, expected);
  } catch (const std::string& fault) {
    // A model that cannot be analysed has no results.
    throw std::string(kUnreadable) + "\nThe model cannot be analysed as it stands:\n" + fault +
        "\nPlease correct the model and reanalyze it.";
  }
  ReadElements(file, model, expected, read);
  ReadSoilRestraints(file, model, read);
  BuildSupportList(model, read);
  ComputeCaseOffsets(file, model, read);
  ListElementsByKind(model, read);
  CollectResultNodes(model, read);
  if (LoadCaseListHas(model.loadCases, kCaseIdTimeHistory) && model.timeHistory.writeResults != 0 && owner != nullptr)
    ReadTimeHistoryResults(resultsPath, model, read, owner);
  out = std::move(read);
}

void ReadTimeHistoryResults(const std::string& resultsPath, const Model& model, ResultsFileContents& out, HWND owner) {
  out.timeHistoryOpen = false;
  const std::string path = ReplaceExtension(resultsPath, "rth");
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) {
    ShowWarningMessage(owner, "Time history file: " + path + "\nDoes not exist.");
    return;
  }
  char header[16] = {};
  BinaryFileReadBytes(file, header, sizeof header);
  if (BinaryFileReadFailed(file) || std::memcmp(header, kTimeHistoryMagic, 15) != 0) {
    ShowWarningMessage(owner, "Unable to read time history file");
    return;
  }
  // Read aside: the results take the step and count of a whole file only.
  float timeStep = 0.0f;
  std::int32_t timeSteps = 0;
  BinaryFileReadFloat(file, timeStep);
  BinaryFileReadInt(file, timeSteps);
  const std::int64_t stepBytes = TimeHistoryStepBytes(ResultNodeCount(model), out.elementCount, out.supportBlockBytes);
  // A file of another run or cut short would give wrong histories.
  if (BinaryFileReadFailed(file) || timeSteps < 0 ||
      file.size != TimeHistoryFileBytes(timeSteps, ResultNodeCount(model), out.elementCount, out.supportBlockBytes)) {
    ShowWarningMessage(owner, "Unable to read time history file");
    return;
  }
  out.timeStep = timeStep;
  out.timeSteps = timeSteps;
  out.timeHistoryPath = path;
  out.timeHistoryStepBytes = stepBytes;
  out.timeHistoryOpen = true;
}

ResultsFileContents& TheResults() {
  static ResultsFileContents contents;
  return contents;
}

std::int64_t TimeHistoryStepBytes(std::int64_t nodes, std::int64_t elements, std::int64_t supportBytes) {
  return 24 * nodes + 48 * elements + supportBytes;
}

std::int64_t TimeHistoryFileBytes(std::int64_t steps, std::int64_t nodes, std::int64_t elements,
                                  std::int64_t supportBytes) {
  return 24 + steps * TimeHistoryStepBytes(nodes, elements, supportBytes);
}
