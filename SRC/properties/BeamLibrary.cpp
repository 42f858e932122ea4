// The beam section library file; see BeamLibrary.h.
#include "properties/BeamLibrary.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "services/BinaryFile.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/Units.h"

namespace {

constexpr const char kMagic[] = "QUORVELBEAM";
constexpr std::size_t kMagicLength = 11;
constexpr std::size_t kHeaderLength = 16;
constexpr int kUnitKinds[3] = {kUnitDimension, kUnitArea, kUnitMomentOfInertia};
constexpr std::int64_t kValuesBytes = 16 + 8 * 4;  // description and eight floats

struct LibraryState {
  bool mode = false;
  std::string path;
  BeamLibraryContents table;
};

LibraryState& State() {
  static LibraryState state;
  return state;
}

[[noreturn]] void Damaged(const std::string& path) {
  throw CFormat("There was an error while reading beam library:\n%s", path.c_str());
}

// The three digits after the magic; -1 when they are not digits.
int HeaderVersion(const char* header) {
  int version = 0;
  for (std::size_t i = kMagicLength; i < kMagicLength + 3; ++i) {
    if (header[i] < '0' || header[i] > '9') return -1;
    version = version * 10 + (header[i] - '0');
  }
  return version;
}

}  // namespace

void ReadBeamLibraryFile(const std::string& path, BeamLibraryContents& contents) {
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) throw CFormat("Beam Library: %s\nDoes not exist.", path.c_str());
  BinaryFileRequireFinite(file);
  char header[kHeaderLength] = {};
  BinaryFileReadBytes(file, header, kHeaderLength);
  const int version = HeaderVersion(header);
  if (BinaryFileReadFailed(file) || std::memcmp(header, kMagic, kMagicLength) != 0 || version < 0 ||
      version > kBeamLibraryVersion)
    throw CFormat("Unable to read beam library:\n%s", path.c_str());
  BeamLibraryContents read;
  for (std::size_t i = 0; i < 3; ++i) {
    BinaryFileReadInt(file, read.units[i]);
    if (read.units[i] < 0 || read.units[i] >= UnitCount(kUnitKinds[i])) Damaged(path);
  }
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  const std::size_t nameWidth = version >= kBeamLibraryVersion ? 6 : 4;
  const std::int64_t recordBytes = static_cast<std::int64_t>(nameWidth) + kValuesBytes;
  if (BinaryFileReadFailed(file) || count < 0 || count > BinaryFileBytesLeft(file) / recordBytes) Damaged(path);
  ModelRecordTableSizeForRead(read.sections, count);
  try {
    for (int record = 1; record <= count; ++record) BeamSectionRead(file, nameWidth, read.sections[record]);
  } catch (const std::string&) {
    Damaged(path);
  }
  if (BinaryFileReadFailed(file) || BinaryFileNonFiniteAt(file) >= 0) Damaged(path);
  // A section its cells would refuse is refused by name of record and field.
  for (int record = 1; record <= count; ++record) {
    const std::string where = "Beam section " + std::to_string(record);
    std::string fault = RecordStoredValueFaultText(read.sections[record], kBeamSectionRules, where);
    if (fault.empty()) fault = RecordFieldFaultText(read.sections[record], kBeamSectionRules, where);
    if (!fault.empty()) throw CFormat("There was an error while reading beam library:\n%s\n", path.c_str()) + fault;
  }
  contents = std::move(read);
}

void WriteBeamLibraryFile(const std::string& path, const ModelRecordTable<BeamSection>& sections) {
  const std::string temporary = path + ".tmp";
  bool written = false;
  {
    BinaryFile file;
    if (BinaryFileOpenWrite(file, temporary)) {
      char header[kHeaderLength] = {};
      std::snprintf(header, sizeof header, "%s%d0", kMagic, kBeamLibraryVersion);
      BinaryFileWriteBytes(file, header, kHeaderLength);
      for (int kind : kUnitKinds) BinaryFileWriteInt(file, ChosenUnit(kind));
      BinaryFileWriteInt(file, sections.count);
      for (int record = 1; record <= sections.count; ++record) BeamSectionWrite(file, sections[record]);
      written = BinaryFileClose(file) && !BinaryFileHasError(file);
    }
  }
  if (!written || !platform::RenameFile(temporary, path)) {
    platform::RemoveFile(temporary);
    throw std::string("Unable to write beam file");
  }
}

bool BeamLibraryMode() { return State().mode; }
void SetBeamLibraryMode(bool on) { State().mode = on; }

const std::string& BeamLibraryPath() { return State().path; }
void SetBeamLibraryPath(const std::string& path) { State().path = path; }
BeamLibraryContents& BeamLibraryTable() { return State().table; }

void ForgetBeamLibrary() {
  State().path.clear();
  State().table = BeamLibraryContents{};
}

bool BeamLibraryOpen(HWND parent) {
  try {
    ReadBeamLibraryFile(State().path, State().table);
  } catch (const std::string& message) {
    ShowErrorMessage(parent, message);
    return false;
  }
  return true;
}

bool BeamLibraryChooseFile(HWND parent) {
  std::vector<char> buffer = FileNameBuffer(State().path);
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = parent;
  ofn.lpstrFilter = "Beam Section Library files (*.bli)\0*.bli\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = "Open Beam Library";
  ofn.lpstrDefExt = "bli";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!RunFileDialog(ofn, false)) return false;
  const std::string path = buffer.data();
  if (LowerExtension(path) != "bli") {
    ShowErrorMessage(parent, "File extension must be : bli");
    return false;
  }
  const std::string old = State().path;
  State().path = path;
  if (BeamLibraryOpen(parent)) return true;
  State().path = old;
  return false;
}
