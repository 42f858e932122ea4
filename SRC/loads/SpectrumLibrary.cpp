// The spectrum library file and the loaded library; see SpectrumLibrary.h.
#include "loads/SpectrumLibrary.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "records/PointTables.h"
#include "services/BinaryFile.h"
#include "services/FileDialogs.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"

namespace {

constexpr char kMagic[] = "QUORVELWSPE";
constexpr std::size_t kMagicLength = 11;
constexpr char kHeader[16] = "QUORVELWSPE6000";
constexpr int kNewestVersion = 600;
constexpr const char* kFilter = "Spectrum Library files (*.spe)\0*.spe\0";

std::string WithPath(const char* format, const std::string& path) { return CFormat(format, path.c_str()); }

std::size_t NameWidth(int version) { return version < 503 ? 16 : 32; }

// A name field: its bytes up to the first zero, or all of them, kept as
// every road keeps a spectrum's name.
std::string ReadName(BinaryFile& file, std::size_t width) {
  std::vector<char> bytes(width, '\0');
  BinaryFileReadBytes(file, bytes.data(), width);
  const auto end = std::find(bytes.begin(), bytes.end(), '\0');
  return KeptTableName(std::string(bytes.begin(), end));
}

// The rules every spectrum keeps, whichever road it came by: a name without
// control characters, given once, and points that are numbers (in internal
// units: an old library's ordinates are converted first), not negative and
// ascending. Throws the fault with
// the spectrum it lies in.
void CheckSpectra(const SpectrumList& spectra, const std::string& path) {
  const std::string unreadable = WithPath("Unable to read spectrum library:\n%s", path);
  for (std::size_t index = 0; index < spectra.size(); ++index) {
    const ResponseSpectrum& spectrum = spectra[index];
    if (spectrum.name.empty())
      throw unreadable + CFormat("\nSpectrum number %d: Name is required", static_cast<int>(index) + 1);
    if (HoldsControlCharacter(spectrum.name))
      throw unreadable + CFormat("\nSpectrum number %d: %s", static_cast<int>(index) + 1, kControlCharacterInName);
    if (FindSpectrum(spectra, spectrum.name) != static_cast<int>(index))
      throw unreadable + "\nSpectrum " + spectrum.name + " is already defined";
    std::size_t point = 0;
    const SpectrumPointFault fault = FirstSpectrumPointFault(spectrum.points, point);
    if (fault != SpectrumPointFault::None)
      throw unreadable + CFormat("\nSpectrum %s, point %d: %s", spectrum.name.c_str(), static_cast<int>(point) + 1,
                                 SpectrumPointFaultText(fault));
  }
}

ResponseSpectrum ReadRecord(BinaryFile& file, int version, const std::string& path) {
  ResponseSpectrum spectrum;
  spectrum.name = ReadName(file, NameWidth(version));
  BinaryFileReadByte(file, spectrum.logInterpolation1);
  BinaryFileReadByte(file, spectrum.logInterpolation2);
  BinaryFileReadByte(file, spectrum.periodAbscissa);
  BinaryFileReadInt(file, spectrum.ordinateUnit);
  if (BinaryFileReadFailed(file)) throw WithPath("There was an error while reading spectrum library:\n%s", path);
  // The unit picks the labels and factors of every value shown.
  if (spectrum.ordinateUnit < kOrdinateInch || spectrum.ordinateUnit > kOrdinateG)
    throw WithPath("Unable to read spectrum library:\n%s", path) +
        CFormat("\nSpectrum %s has the ordinate unit %d (0 to 4 are known)", spectrum.name.c_str(),
                static_cast<int>(spectrum.ordinateUnit));
  BinaryFileReadFloatPairs(file, spectrum.points);
  if (BinaryFileReadFailed(file)) throw WithPath("There was an error while reading spectrum library:\n%s", path);
  if (version <= 510)
    for (FloatPair& point : spectrum.points) OrdinateToInternal(spectrum.ordinateUnit, point.y);
  return spectrum;
}

mode_t SavedFileMode(const std::string& path) {
  struct stat existing;
  if (stat(platform::ToFileSystemName(path).c_str(), &existing) == 0) return existing.st_mode & 07777;
  return 0644;
}

bool HasSpeExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t separator = path.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return false;
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "spe";
}

// The library dialogs' record: the filter, the library folder, the name
// (in `buffer`, which it fills).
OPENFILENAME DialogRecord(HWND owner, std::vector<char>& buffer, const char* title) {
  buffer = FileNameBuffer(FileNameOf(TheSpectrumLibrary().path));
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.hInstance = InstanceHandle;
  record.lpstrFilter = kFilter;
  record.nFilterIndex = 1;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  const std::string& folder = SpectrumLibraryDialogFolder().folder;
  record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  record.lpstrTitle = title;
  return record;
}

}  // namespace

SpectrumLibraryState& TheSpectrumLibrary() {
  static SpectrumLibraryState state;
  return state;
}

bool SpectrumLibraryEditing() { return TheSpectrumLibrary().editing; }

SpectrumList ReadSpectrumLibraryFile(const std::string& path) {
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) throw WithPath("Spectrum Library: %s\nDoes not exist.", path);
  // The lookup and the tables take every value for a number.
  BinaryFileRequireFinite(file);
  char header[16] = {};
  BinaryFileReadBytes(file, header, sizeof header);
  if (BinaryFileReadFailed(file) || std::memcmp(header, kMagic, kMagicLength) != 0)
    throw WithPath("Unable to read spectrum library:\n%s", path);
  int version = 0;
  for (std::size_t i = kMagicLength; i < kMagicLength + 3; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(header[i]))) throw WithPath("Unable to read spectrum library:\n%s", path);
    version = 10 * version + (header[i] - '0');
  }
  if (version > kNewestVersion)
    throw WithPath("Unable to read spectrum library:\n%s", path) + CFormat("\nVersion = %.2f", version * 0.01);
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  // Each record takes its name, three bytes, the unit and a point count.
  const std::int64_t smallest = static_cast<std::int64_t>(NameWidth(version)) + 3 + 4 + 4;
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (BinaryFileReadFailed(file) || count < 0 || (left >= 0 && count > left / smallest))
    throw WithPath("There was an error while reading spectrum library:\n%s", path);
  SpectrumList spectra;
  spectra.reserve(static_cast<std::size_t>(count));
  for (std::int32_t index = 0; index < count; ++index) spectra.push_back(ReadRecord(file, version, path));
  if (BinaryFileNonFiniteAt(file) >= 0) throw WithPath("There was an error while reading spectrum library:\n%s", path);
  CheckSpectra(spectra, path);
  return spectra;
}

void WriteSpectrumLibraryFile(const std::string& path, const SpectrumList& list) {
  const std::string failed = WithPath("Unable to write spectrum library:\n%s", path);
  platform::RemoveStaleTemporaries(path);
  platform::SiblingTemporary temporary(path, SavedFileMode(path));
  if (!temporary.ok()) throw failed;
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, temporary.path())) throw failed;
  std::vector<const ResponseSpectrum*> saved;
  for (const ResponseSpectrum& spectrum : list)
    if (!spectrum.name.empty() || !spectrum.points.empty()) saved.push_back(&spectrum);
  BinaryFileWriteBytes(file, kHeader, sizeof kHeader);
  BinaryFileWriteInt(file, static_cast<std::int32_t>(saved.size()));
  for (const ResponseSpectrum* spectrum : saved) {
    BinaryFileWriteFixedText(file, spectrum->name, 32);
    BinaryFileWriteByte(file, spectrum->logInterpolation1);
    BinaryFileWriteByte(file, spectrum->logInterpolation2);
    BinaryFileWriteByte(file, spectrum->periodAbscissa);
    BinaryFileWriteInt(file, spectrum->ordinateUnit);
    BinaryFileWriteFloatPairs(file, spectrum->points);
  }
  const bool written = BinaryFileClose(file) && !BinaryFileHasError(file);
  if (!written || !temporary.Commit()) throw failed;
}

bool ReadSpectrumLibrary(HWND owner, const std::string& path) {
  SpectrumLibraryState& library = TheSpectrumLibrary();
  try {
    library.spectra = ReadSpectrumLibraryFile(path);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    library.spectra.clear();
    library.path.clear();
    return false;
  }
  library.path = path;
  ProgramPreferences().spectrumLibraryPath = path;
  SetFolderFromPath(path, SpectrumLibraryDialogFolder());
  return true;
}

bool OpenSpectrumLibraryDialog(HWND owner) {
  std::vector<char> buffer;
  OPENFILENAME record = DialogRecord(owner, buffer, "Open Spectrum Library");
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!RunFileDialog(record, false)) return false;
  const std::string path = buffer.data();
  if (!HasSpeExtension(path)) {
    ShowErrorMessage(owner, "File extension must be : spe");
    return false;
  }
  return ReadSpectrumLibrary(owner, path);
}

std::string AskSpectrumLibrarySavePath(HWND owner) {
  std::vector<char> buffer;
  OPENFILENAME record = DialogRecord(owner, buffer, "Save Spectrum Library As");
  record.lpstrDefExt = "spe";
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!RunFileDialog(record, true)) return {};
  return buffer.data();
}

std::string SpectrumLibraryDisplayName() {
  const std::string& path = TheSpectrumLibrary().path;
  if (path.empty()) return "Untitled";
  std::string name = FileNameOf(path);
  AppendFolderInParens(name, path.substr(0, path.size() - FileNameOf(path).size()));
  return name;
}
