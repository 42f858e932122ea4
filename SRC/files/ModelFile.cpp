// The model file frame: header and version, title, Quality Assurance Block,
// revision record and the sections of the model modules in their fixed
// order, read into a fresh Model and swapped in only when all of it was read;
// written as version 900 to a temporary file beside the target that is
// renamed over it only when every byte was written and synced (see
// platform/SiblingTemporary.h; a killed save's leftover goes at the next).
//
// Section order (the reader of each in brackets):
//    1 analysis options with the wind block   [ReadModelOptions]
//    2 load-case list                          [ReadLoadCaseList]
//    3 graphics settings                       [ReadGraphicsSettings]
//    4-9 materials, pipe sections, pipe loads, beam materials, beam sections,
//        beam loads
//   10-12 pumps, compressors, turbines
//   13-15 spectra (with the spectrum assignments), force spectra, time functions
//   16 soils; 17 allowable loads (versions above 690)
//   18 layout rows; 19 nodes
//   20 current Layout row and first row shown; 21 List window state (both
//      versions above 502)
#include "files/ModelFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

#include "files/ModelFileSections.h"
#include "files/ModelIntake.h"
#include "files/OldModelFile.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowRules.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "records/ForceSpectrum.h"
#include "records/ModelFileFormat.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "records/TableFileFields.h"
#include "services/BinaryFile.h"
#include "services/ProgramSample.h"
#include "services/RecentModels.h"
#include "services/TempFiles.h"
#include "services/ViewRequests.h"

namespace {

constexpr char kMagic[] = "QUORVELWMOD";
constexpr char kOldMagic[] = "QUORVEL.MOD";
constexpr std::size_t kMagicLength = 11;
constexpr std::size_t kHeaderLength = 16;
constexpr const char* kFrameSection = "Model file";

std::string WithPath(const char* format, const std::string& path) {
  std::vector<char> text(path.size() + std::strlen(format) + 32);
  std::snprintf(text.data(), text.size(), format, path.c_str());
  return text.data();
}

// Why a model file could not be opened, as the user can act on it: a file
// that is there but may not be read is not said to be missing.
std::string CannotOpenText(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return WithPath("Model file: %s\nDoes not exist.", path);
    case EACCES:
    case EPERM: return WithPath("Model file: %s\nCannot be read: permission denied.", path);
    default: return WithPath("Model file: %s\nCannot be read: ", path) + std::strerror(error) + ".";
  }
}

// The three version digits after the magic, read as far as they are digits.
int HeaderVersion(const char* header) {
  int version = 0;
  for (std::size_t i = kMagicLength; i < kMagicLength + 3; ++i) {
    if (header[i] < '0' || header[i] > '9') break;
    version = version * 10 + (header[i] - '0');
  }
  return version;
}

struct QaField {
  std::string QualityAssuranceBlock::*field;
  std::size_t width;
};
constexpr QaField kQaFields[] = {
    {&QualityAssuranceBlock::client, 42},       {&QualityAssuranceBlock::project, 42},
    {&QualityAssuranceBlock::fileNumber, 42},   {&QualityAssuranceBlock::reportNumber, 42},
    {&QualityAssuranceBlock::preparedBy, 26},   {&QualityAssuranceBlock::checkedBy, 26},
};

void ReadTitleAndQaBlock(BinaryFile& file, Model& model) {
  ReadFixedField(file, model.title, kModelTitleWidth, kModelTitleWidth, "Model title");
  for (const QaField& qa : kQaFields)
    ReadFixedField(file, model.qa.*qa.field, qa.width, qa.width, "Quality Assurance Block");
}

void WriteTitleAndQaBlock(BinaryFile& file, const Model& model) {
  BinaryFileWriteFixedText(file, model.title, kModelTitleWidth);
  for (const QaField& qa : kQaFields) BinaryFileWriteFixedText(file, model.qa.*qa.field, qa.width);
}

void ReadTables(BinaryFile& file, int version, Model& model) {
  ReadMaterials(file, version, model.materials);
  ReadSections(file, version, model.sections);
  ReadPipeLoads(file, version, model.options.ThermalLoadCount, model.pipeLoads);
  ReadBeamMaterials(file, version, model.beamMaterials);
  ReadBeamSections(file, version, model.beamSections);
  ReadBeamLoads(file, version, model.options.ReferenceTemperature, model.beamLoads);
  ReadPumps(file, version, model.pumps);
  ReadCompressors(file, version, model.compressors);
  ReadTurbines(file, version, model.turbines);
  ReadSpectraSection(file, version, model.spectra, model.spectrumLoad);
  ReadForceSpectra(file, version, model.forceSpectra);
  ReadTimeFunctions(file, version, model.timeFunctions);
  ReadSoils(file, version, model.soils);
  if (version > 690) ReadAllowables(file, version, model.allowables);
}

// Each section is entered as the records it holds, for a check of what
// is written to name them (BinaryFileEnterRecord).
void WriteTables(BinaryFile& file, const Model& model) {
  BinaryFileEnterRecord(file, kMaterialRecord);
  WriteMaterials(file, model.materials);
  BinaryFileEnterRecord(file, kSectionRecord);
  WriteSections(file, model.sections);
  BinaryFileEnterRecord(file, kPipeLoadRecord);
  WritePipeLoads(file, model.pipeLoads);
  BinaryFileEnterRecord(file, kBeamMaterialRecord);
  WriteBeamMaterials(file, model.beamMaterials);
  BinaryFileEnterRecord(file, kBeamSectionRecord);
  WriteBeamSections(file, model.beamSections);
  BinaryFileEnterRecord(file, kBeamLoadRecord);
  WriteBeamLoads(file, model.beamLoads);
  BinaryFileEnterRecord(file, kPumpRecord);
  WritePumps(file, model.pumps);
  BinaryFileEnterRecord(file, kCompressorRecord);
  WriteCompressors(file, model.compressors);
  BinaryFileEnterRecord(file, kTurbineRecord);
  WriteTurbines(file, model.turbines);
  BinaryFileEnterRecord(file, kSpectrumRecord);
  WriteSpectraSection(file, model.spectra, model.spectrumLoad);
  BinaryFileEnterRecord(file, kForceSpectrumRecord);
  WriteForceSpectra(file, model.forceSpectra);
  BinaryFileEnterRecord(file, kTimeFunctionRecord);
  WriteTimeFunctions(file, model.timeFunctions);
  BinaryFileEnterRecord(file, kSoilRecord);
  WriteSoils(file, model.soils);
  BinaryFileEnterRecord(file, kAllowableRecord);
  WriteAllowables(file, model.allowables);
}

void ReadModelBody(BinaryFile& file, int version, Model& model) {
  ReadTitleAndQaBlock(file, model);
  if (version > 720) ReadRevisionRecord(file, model.revisions);
  ReadModelOptions(file, version, model);
  ReadLoadCaseList(file, version, model.loadCases);
  ReadGraphicsSettings(file, version, model.graphics);
  ReadTables(file, version, model);
  ReadLayoutRows(file, version, model);
  ReadNodes(file, model.nodes);
  ReadLayoutPosition(file, version, model);
  ReadListWindowState(file, version, model.listName);
  CheckSectionRead(file, kFrameSection);
}

// Model extents symmetric about the view origin in whole units are the mark
// of a model that was never viewed (an empty one has -12 .. 12): it is
// shown from (1, 1, 1) and fitted. The view window is the user's and says
// nothing about it. A model seen end on (a straight run viewed along its
// axis) has extents of less than a unit both ways: that is a chosen view,
// not the mark.
bool ModelExtentsAreSymmetric(const GraphicsSettings& graphics) {
  // Whole units compared as floats: no conversion of a value out of range.
  auto whole = [](float value) { return std::fabs(std::trunc(value)); };
  const bool pointLike = whole(graphics.extentRight - graphics.extentLeft) == 0.0f &&
                         whole(graphics.extentTop - graphics.extentBottom) == 0.0f;
  return !pointLike && whole(graphics.extentRight) == whole(graphics.extentLeft) &&
         whole(graphics.extentBottom) == whole(graphics.extentTop);
}

// What the spectra, force spectra, time functions and wind profiles hold
// from an older program that the roads of this one refuse: values below the
// least a value may be but zero are mended to the typed zero, the rest
// opens as it is; a note each. True when something was mended (the model
// then differs from its file).
bool MendAndNotePointTables(Model& model, std::vector<std::string>* notes) {
  std::vector<std::string> taken;
  for (const std::vector<std::string>& more :
       {MendSpectraBelowLeast(model.spectra), MendForceSpectraBelowLeast(model.forceSpectra),
        MendTimeFunctionsBelowLeast(model.timeFunctions), MendWindProfilesBelowLeast(model.wind)})
    taken.insert(taken.end(), more.begin(), more.end());
  const bool mended = !taken.empty();
  for (const std::vector<std::string>& more : {SpectraNotes(model.spectra), ForceSpectrumNotes(model.forceSpectra),
                                               TimeFunctionNotes(model.timeFunctions)})
    taken.insert(taken.end(), more.begin(), more.end());
  if (notes != nullptr) notes->insert(notes->end(), taken.begin(), taken.end());
  return mended;
}

// The offsets of every row as the file holds them, rows 1 .. row count.
std::vector<std::array<float, 3>> RowOffsets(const Model& model) {
  std::vector<std::array<float, 3>> offsets;
  for (int row = 1; row <= model.rowCount; ++row)
    offsets.push_back({model.row(row).dx, model.row(row).dy, model.row(row).dz});
  return offsets;
}

// The rows whose offsets the file held but the making set to zero, since
// no such row can keep them (a Location, a hinge or ball joint, a row that
// closes at a node an earlier row made): the model opens without them, and
// the notes name each row and why, so none is lost unsaid.
std::vector<std::string> DroppedOffsetNotes(const Model& model, const std::vector<std::array<float, 3>>& read) {
  std::vector<std::string> notes;
  for (int row = 1; row <= model.rowCount && row <= static_cast<int>(read.size()); ++row) {
    const LayoutRow& made = model.row(row);
    const std::array<float, 3>& held = read[static_cast<std::size_t>(row - 1)];
    if ((held[0] == 0.0f && held[1] == 0.0f && held[2] == 0.0f) || made.dx != 0.0f || made.dy != 0.0f ||
        made.dz != 0.0f)
      continue;
    const std::string reason = OffsetsWithoutLengthText(made.elementType, RowEndsAtEarlierNode(model, row), made.node);
    if (!reason.empty())
      notes.push_back("Layout row " + std::to_string(row) + ": " + reason + ": its DX, DY, DZ were set to zero");
  }
  return notes;
}

}  // namespace

namespace {

// The model reader; see ModelFile.h. `fileValueFault` null: a value of the
// file that breaks the rule of a stored value is thrown.
void ReadModelFileWhole(const std::string& path, Model& model, std::vector<std::string>* notes,
                        std::string* fileValueFault) {
  if (platform::IsFolder(path))
    throw WithPath("Model file: %s\nIs a folder, not a model file.", path);
  BinaryFile file;
  errno = 0;
  if (!BinaryFileOpenRead(file, path)) throw CannotOpenText(path, errno);
  char header[kHeaderLength] = {};
  BinaryFileReadBytes(file, header, kHeaderLength);
  if (BinaryFileReadFailed(file)) throw WithPath("Unable to read model file:\n%s", path);
  if (std::memcmp(header, kOldMagic, kMagicLength + 1) == 0) {
    BinaryFileClose(file);
    ConvertOldModelFile(path, model, notes);
    MendAndNotePointTables(model, notes);
    return;
  }
  if (std::memcmp(header, kMagic, kMagicLength) != 0)
    throw WithPath("Unable to read model file:\n%s", path);
  const int version = HeaderVersion(header);
  if (version < 500 || version == 503 || version > kModelFileVersion) {
    char text[64];
    std::snprintf(text, sizeof text, "\nVersion = %.2f", version / 100.0);
    throw WithPath("Unable to read model file:\n%s", path) + text;
  }
  g_ModelFileVersion = version;
  InitEmptyModel(model, ProgramAnalysisOptions());
  // No field of a model holds an infinity or a NaN: one would spread
  // through every coordinate made from it.
  BinaryFileRequireFinite(file);
  ReadModelBody(file, version, model);
  if (BinaryFileHasError(file)) throw std::string("There was an error while reading model file");
  if (const std::int64_t at = BinaryFileNonFiniteAt(file); at >= 0)
    ThrowDamagedSection(kFrameSection, "a number that is not finite at byte " + std::to_string(at));
  BinaryFileClose(file);
  // A case the file lists for a temperature out of use cannot run, and a
  // row that cannot keep its offsets is made without them: each is dropped
  // and the notes say so. The model then differs from its file.
  std::vector<std::string> dropped = DropLoadCasesBeyondThermalCount(model);
  model.path = path;
  std::vector<std::string> mends;
  const bool mended = MendAndNotePointTables(model, &mends);
  // Every number of the file as it was read, before the making computes
  // again what it makes (a bend's radius below 0.01, the nodes): what is
  // made from a value out of range would hide it.
  if (std::string fault = ModelWriteFault(model); !fault.empty()) {
    if (fileValueFault == nullptr) throw fault;
    *fileValueFault = std::move(fault);
  }
  const std::vector<std::array<float, 3>> offsets = RowOffsets(model);
  MakeModel(model);
  const std::vector<std::string> lost = DroppedOffsetNotes(model, offsets);
  dropped.insert(dropped.end(), lost.begin(), lost.end());
  if (ModelExtentsAreSymmetric(model.graphics)) {
    model.graphics.viewDirection = {1.0f, 1.0f, 1.0f};
    MakeModel(model);
    FitViewToModel(model.graphics);
  }
  if (notes != nullptr) {
    notes->insert(notes->end(), dropped.begin(), dropped.end());
    notes->insert(notes->end(), mends.begin(), mends.end());
  }
  model.modified = !dropped.empty() || mended;
}

}  // namespace

void ReadModelFileInto(const std::string& path, Model& model, std::vector<std::string>* notes) {
  ReadModelFileWhole(path, model, notes, nullptr);
}

void ReadModelFileInto(const std::string& path, Model& model) { ReadModelFileWhole(path, model, nullptr, nullptr); }

void ReadModelFileInto(const std::string& path, Model& model, std::vector<std::string>* notes,
                       std::string& fileValueFault) {
  fileValueFault.clear();
  ReadModelFileWhole(path, model, notes, &fileValueFault);
}

std::string CatchModelRead(const std::string& path, const std::function<void()>& read) {
  try {
    read();
    return {};
  } catch (const std::string& message) {
    return message;
  } catch (const std::bad_alloc&) {
    return "*** Out of memory ***";
  } catch (const char* message) {
    return message;
  } catch (const std::exception&) {
    // A container refused an impossible size: the file is damaged.
    return WithPath("Unable to read model file:\n%s", path);
  }
}

std::string ReadModelFile(const std::string& path, std::vector<std::string>* notes) {
  return CatchModelRead(path, [&] {
    Model fresh;
    std::vector<std::string> taken;
    std::string fault;
    ReadModelFileInto(path, fresh, &taken, fault);
    // The model shown is one Save takes and that reads back as it is.
    if (std::string refusal = ModelIntakeRefusal(fresh, IntakeRoad::kModelFile, fault); !refusal.empty())
      throw WithPath("Model file: %s\n", path) + refusal;
    if (notes != nullptr) *notes = taken;
    SwapModel(fresh);
    ApplyModelUnits(TheModel());
    // The program's options are those of the last model (a new model keeps
    // them, and they are the user's defaults at the next start).
    ProgramAnalysisOptions() = ProgramChoiceOf(TheModel().options, ProgramAnalysisOptions());
    AddRecentModel(path);
  });
}

void WriteModelStream(BinaryFile& file, const Model& model) {
  char header[kHeaderLength] = {};
  std::memcpy(header, kMagic, kMagicLength);
  std::snprintf(header + kMagicLength, 4, "%03d", kModelFileVersion);
  header[14] = 0;
  header[15] = 0;
  BinaryFileWriteBytes(file, header, kHeaderLength);
  WriteTitleAndQaBlock(file, model);
  WriteRevisionRecord(file, model.revisions);
  BinaryFileEnterRecord(file, kOptionsRecord);
  WriteModelOptions(file, model);
  BinaryFileEnterRecord(file, kLoadCasesRecord);
  WriteLoadCaseList(file, model.loadCases);
  BinaryFileEnterRecord(file, kGraphicsRecord);
  WriteGraphicsSettings(file, model.graphics);
  WriteTables(file, model);
  BinaryFileEnterRecord(file, kRowRecord);
  WriteLayoutRows(file, model);
  BinaryFileEnterRecord(file, kNodeRecord);
  WriteNodes(file, model.nodes);
  BinaryFileEnterRecord(file, "Layout position");
  WriteLayoutPosition(file, model);
  WriteListWindowState(file, model.listName);
}

namespace {

// The permissions the saved file takes: those of the file it replaces, or
// read-write for the owner and readable by others for a new one.
mode_t SavedFileMode(const std::string& path) {
  struct stat existing;
  if (stat(platform::ToFileSystemName(path).c_str(), &existing) == 0) return existing.st_mode & 07777;
  return 0644;
}

}  // namespace

namespace {

// Why the reader refuses the file just written, as the saving user reads
// it; empty when it reads back. Every road into a model (an import, an old
// model's conversion, a merge, an edit) ends in this file: whatever value
// one of them let through that the reader refuses stops here, before the
// file replaces the previous one, instead of at the next open.
std::string ReadBackRefusal(const std::string& written) {
  Model check;
  const std::string message = CatchModelRead(written, [&] { ReadModelFileInto(written, check); });
  if (message.empty()) return {};
  return "The model file written could not be read back:\n" + message + "\nThe model was not saved.";
}

}  // namespace

std::string ModelFileRefusal(const Model& model) {
  // A number that is not finite, or too large for the view made from it,
  // is refused by the making of the model, which every edit ends with, and
  // kept here as the unmade reason, naming its row and offset.
  std::string reason = model.unmadeReason;
  if (reason.empty() && model.rowCount > kMaxLayoutRows)
    reason = "The model has " + std::to_string(model.rowCount) + " rows: at most " +
             std::to_string(kMaxLayoutRows) + " rows can be read.";
  if (reason.empty() && model.nodes.count > kMaxNodes) reason = NodeLimitMessage();
  return reason.empty() ? reason : reason + "\nThe model was not saved.";
}

std::string ModelPathRefusal(const std::string& path) {
  if (!IsProgramSample(path)) return {};
  return WithPath("Model file: %s\nThis is the program's sample model, which is kept as it came.\n"
                  "The model was not saved.",
                  path);
}

std::string WriteModelFileFrom(const Model& model, const std::string& path) {
  if (std::string refusal = ModelPathRefusal(path); !refusal.empty()) return refusal;
  // A file the reader would refuse is never written, and the previous one
  // stays.
  if (std::string refusal = ModelFileRefusal(model); !refusal.empty()) return refusal;
  // What Open would refuse is not written: every number the file records
  // keeps the rule of a stored value, asked of the writer's own walk.
  if (std::string fault = ModelWriteFault(model); !fault.empty()) return fault + "\nThe model was not saved.";
  const std::string failed = WithPath("Unable to write model file:\n%s", path);
  // A save killed earlier left its temporary beside the model: gone now.
  platform::RemoveStaleTemporaries(path);
  platform::SiblingTemporary temporary(path, SavedFileMode(path));
  if (!temporary.ok()) return failed;
  BinaryFile file;
  bool written = BinaryFileOpenWrite(file, temporary.path());
  if (written) {
    WriteModelStream(file, model);
    written = BinaryFileClose(file) && !BinaryFileHasError(file);
  }
  // A text too long for its field is the model's fault, not the disk's.
  if (file.overlongRoom != 0)
    return "The text \"" + file.overlongText + "\" is longer than the " + std::to_string(file.overlongRoom) +
           " characters the model file keeps for it.\nThe model was not saved.";
  if (!written) return failed;
  if (std::string refusal = ReadBackRefusal(temporary.path()); !refusal.empty()) return refusal;
  // The commit syncs the bytes before the rename and the folder after it.
  if (!temporary.Commit()) return failed;
  return {};
}

namespace {

std::vector<char> FileBytes(const std::string& path) {
  std::vector<char> bytes;
  if (std::FILE* stream = platform::OpenFile(path, "rb")) {
    char buffer[65536];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
      bytes.insert(bytes.end(), buffer, buffer + read);
    std::fclose(stream);
  }
  return bytes;
}

}  // namespace

std::string ModelSaveRefusal(const Model& model) {
  TempFile written("ModelCheck_");
  TempFile again("ModelCheck_");
  if (!written.IsValid() || !again.IsValid()) return "Unable to write model file:\n" + TempFolder();
  if (std::string refusal = WriteModelFileFrom(model, written.Path()); !refusal.empty()) return refusal;
  Model back;
  if (std::string message = CatchModelRead(written.Path(), [&] { ReadModelFileInto(written.Path(), back); });
      !message.empty())
    return "The model file written could not be read back:\n" + message + "\nThe model was not saved.";
  // An open fits a model never viewed anew; that is the view's, not the
  // model's.
  back.graphics = model.graphics;
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, again.Path())) return "Unable to write model file:\n" + again.Path();
  WriteModelStream(file, back);
  if (!BinaryFileClose(file) || BinaryFileHasError(file)) return "Unable to write model file:\n" + again.Path();
  const std::vector<char> first = FileBytes(written.Path());
  const std::vector<char> second = FileBytes(again.Path());
  if (first == second) return {};
  const auto differ = std::mismatch(first.begin(), first.end(), second.begin(), second.end());
  return "The model changes when it is saved and read again (byte " +
         std::to_string(differ.first - first.begin()) + " of its model file differs).\nThe model was not saved.";
}

std::string WriteModelFile(const std::string& path) {
  // The view the graphics window shows is the one the file keeps.
  StoreGraphicsView(TheModel().graphics);
  std::string message = WriteModelFileFrom(TheModel(), path);
  if (message.empty()) TheModel().modified = false;
  return message;
}
