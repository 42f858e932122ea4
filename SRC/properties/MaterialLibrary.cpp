// The material library's data and its *.mat file; see MaterialLibrary.h.
#include "properties/MaterialLibrary.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "model/Model.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "services/BinaryFile.h"
#include "services/NameTables.h"
#include "services/Settings.h"
#include "services/Units.h"

const int kLibraryUnitKinds[kLibraryUnitCount] = {kUnitDensity, kUnitTemperature, kUnitModulus,
                                                  kUnitThermalExpansion, kUnitStress};

namespace {

constexpr char kMagic[] = "QUORVELWMAT";
constexpr std::size_t kMagicLength = 11;
constexpr std::size_t kHeaderBytes = 16;
// Below this version the codes above 10 were numbered one lower.
constexpr int kFirstRenumberedCodesVersion = 681;
// Above every piping code id.
constexpr std::int32_t kNoCodeAbove = 1000;
// The fixed part of a record after its name, and a temperature row.
constexpr std::int64_t kRecordFixedBytes = 3 + 1 + 32 + 5 * 4 + 4;

bool g_WindowOpen = false;

std::string WithPath(const char* format, const std::string& path) {
  std::vector<char> text(path.size() + std::strlen(format) + 32);
  std::snprintf(text.data(), text.size(), format, path.c_str());
  return text.data();
}

// The version of the header's three digits after the magic; -1 when they
// are not digits.
int HeaderVersion(const char* header) {
  int version = 0;
  for (std::size_t i = kMagicLength; i < kMagicLength + 3; ++i) {
    if (header[i] < '0' || header[i] > '9') return -1;
    version = version * 10 + (header[i] - '0');
  }
  return version;
}

bool UnitsSound(const LibraryUnits& units) {
  for (int i = 0; i < kLibraryUnitCount; ++i)
    if (units[static_cast<std::size_t>(i)] < 0 || units[static_cast<std::size_t>(i)] >= UnitCount(kLibraryUnitKinds[i]))
      return false;
  return true;
}

}  // namespace

MaterialLibrary& LoadedMaterialLibrary() {
  static MaterialLibrary library;
  return library;
}

void ClearMaterialLibrary(MaterialLibrary& library) {
  ModelRecordTableReset(library.materials);
  library.pipingCode = 0;
  library.units = LibraryUnits{};
}

const std::string& MaterialLibraryPath() { return ProgramPreferences().materialLibraryPath; }

void SetMaterialLibraryPath(const std::string& path) {
  ProgramPreferences().materialLibraryPath = path;
  if (!path.empty()) SetFolderFromPath(path, MaterialLibraryDialogFolder());
  if (g_WindowOpen) TheModel().path = path;
}

void ForgetMaterialLibraryPath() {
  ProgramPreferences().materialLibraryPath.clear();
  if (g_WindowOpen) TheModel().path.clear();
}

std::string PathWithExtension(const std::string& path, const std::string& extension) {
  const std::size_t separator = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (separator == std::string::npos || dot > separator);
  return (hasExtension ? path.substr(0, dot) : path) + "." + extension;
}

bool MaterialLibraryWindowOpen() { return g_WindowOpen; }
void SetMaterialLibraryWindowFlag(bool open) { g_WindowOpen = open; }

LibraryUnits CurrentLibraryUnits() {
  LibraryUnits units{};
  for (int i = 0; i < kLibraryUnitCount; ++i) units[static_cast<std::size_t>(i)] = ChosenUnit(kLibraryUnitKinds[i]);
  return units;
}

void ApplyLibraryUnits(const LibraryUnits& units) {
  for (int i = 0; i < kLibraryUnitCount; ++i) g_UnitsSettings.unit[kLibraryUnitKinds[i]] = units[static_cast<std::size_t>(i)];
}

void ReadMaterialLibraryFile(const std::string& path, MaterialLibrary& library) {
  if (!platform::IsRegularFile(path)) throw WithPath("Material Library: %s\nDoes not exist.", path);
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) throw WithPath("Material Library: %s\nDoes not exist.", path);
  BinaryFileRequireFinite(file);
  char header[kHeaderBytes] = {};
  BinaryFileReadBytes(file, header, kHeaderBytes);
  if (BinaryFileReadFailed(file) || std::memcmp(header, kMagic, kMagicLength) != 0)
    throw WithPath("Unable to read material library:\n%s", path);
  const int version = HeaderVersion(header);
  // A version this program does not know may have another layout.
  if (version < 0 || version > kMaterialLibraryVersion) throw WithPath("Unable to read material library:\n%s", path);

  const std::string damaged = WithPath("There was an error while reading material library:\n%s", path);
  MaterialLibrary fresh;
  std::int32_t stored = 0;
  BinaryFileReadInt(file, stored);
  // A stored value no code can have is refused below, not renumbered.
  const bool renumbered = version < kFirstRenumberedCodesVersion && stored > 10 && stored < kNoCodeAbove;
  fresh.pipingCode = renumbered ? stored + 1 : stored;
  for (std::int32_t& unit : fresh.units) BinaryFileReadInt(file, unit);
  std::int32_t count = -1;
  BinaryFileReadInt(file, count);
  const std::int64_t recordBytes = static_cast<std::int64_t>(version < 680 ? 4 : 6) + kRecordFixedBytes;
  if (BinaryFileReadFailed(file) || CodeListPosition(fresh.pipingCode) < 0 || !UnitsSound(fresh.units) ||
      count < 0 || count > BinaryFileBytesLeft(file) / recordBytes)
    throw damaged;
  ModelRecordTableSizeForRead(fresh.materials, count);
  try {
    for (int index = 1; index <= count; ++index) {
      MaterialRead(file, version, fresh.materials[index]);
      if (BinaryFileReadFailed(file)) throw damaged;
    }
  } catch (const std::string&) {
    throw damaged;
  }
  if (BinaryFileNonFiniteAt(file) >= 0) throw damaged;
  if (const std::string fault = MaterialLibraryFault(fresh.materials); !fault.empty()) throw damaged + "\n" + fault;
  library = std::move(fresh);
}

std::string MaterialLibraryFault(const ModelRecordTable<Material>& materials) {
  for (int index = 1; index <= materials.count; ++index) {
    const std::string where = "Material " + std::to_string(index);
    if (std::string fault = MaterialStoredValueFaultText(materials[index], where); !fault.empty()) return fault;
    if (std::string fault = MaterialFieldFaultText(materials[index], where); !fault.empty()) return fault;
  }
  return {};
}

void WriteMaterialLibraryFile(const std::string& path, const ModelRecordTable<Material>& materials,
                              std::int32_t pipingCode, const LibraryUnits& units) {
  const std::string failed = "Unable to write mat file";
  platform::RemoveStaleTemporaries(path);
  struct stat existing;
  const mode_t mode = stat(platform::ToFileSystemName(path).c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
  platform::SiblingTemporary temporary(path, mode);
  if (!temporary.ok()) throw failed;
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, temporary.path())) throw failed;
  char header[kHeaderBytes] = {};
  std::snprintf(header, sizeof header, "%s%d0", kMagic, kMaterialLibraryVersion);
  BinaryFileWriteBytes(file, header, kHeaderBytes);
  BinaryFileWriteInt(file, pipingCode);
  for (std::int32_t unit : units) BinaryFileWriteInt(file, unit);
  BinaryFileWriteInt(file, materials.count);
  for (int index = 1; index <= materials.count; ++index) MaterialWrite(file, materials[index]);
  const bool written = BinaryFileClose(file) && !BinaryFileHasError(file);
  if (!written || !temporary.Commit()) throw failed;
}
