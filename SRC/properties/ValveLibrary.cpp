// The valve library's table and its file; see ValveLibrary.h.
#include "properties/ValveLibrary.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"
#include "services/Units.h"

const char* const kValveTypeNames[kValveTypeCount] = {" ",         "Gate",    "Globe", "Check",
                                                      "Butterfly", "Control", "Ball",  "Plug"};

const char* const kValveConnectionTypes[kValveConnectionCount] = {"BW", "SW", "TD", "FL", "LJ"};

namespace {

constexpr char kMagic[] = "QUORVELWVAL";
constexpr std::size_t kMagicLength = 11;
constexpr std::size_t kHeaderBytes = 16;
constexpr int kNewestVersion = 600;
constexpr int kLastVersionWithoutType = 510;
constexpr std::int64_t kRecordBytes = 63;
constexpr std::int64_t kOldRecordBytes = 59;

const char* const kRatings[kValveStandardCount][kValveRatingCount] = {
    {"25   ", "125  ", "150  ", "250  ", "300  ", "600  ", "900  ", "1500 ", "2500 "},
    {"PN6  ", "PN10 ", "PN16 ", "PN25 ", "PN40 ", "PN64 ", "PN100", "PN160", "     "},
    {"     ", "     ", "     ", "     ", "     ", "     ", "     ", "     ", "     "},
    {"     ", "     ", "     ", "     ", "     ", "     ", "     ", "     ", "     "},
};

std::string WithPath(const char* format, const std::string& path) {
  std::vector<char> text(path.size() + std::strlen(format) + 32);
  std::snprintf(text.data(), text.size(), format, path.c_str());
  return text.data();
}

// A text of the record: the bytes up to the first zero, the whole field
// when it has none.
void ReadText(BinaryFile& file, std::string& text, std::size_t width) { BinaryFileReadFixedText(file, text, width); }

// The text zero-padded; a text as wide as the field is written whole, as a
// file may hold it, so a library read is written back as it came.
void WriteText(BinaryFile& file, const std::string& text, std::size_t width) {
  std::vector<char> bytes(width, '\0');
  const std::size_t length = std::min(std::strlen(text.c_str()), width);
  if (length < std::strlen(text.c_str())) file.failed = true;
  std::memcpy(bytes.data(), text.c_str(), length);
  BinaryFileWriteBytes(file, bytes.data(), width);
}

void ReadEntry(BinaryFile& file, ValveLibraryEntry& entry, int version) {
  ReadText(file, entry.description, kValveDescriptionBytes);
  BinaryFileReadFloat(file, entry.outsideDiameter);
  BinaryFileReadInt(file, entry.standard);
  ReadText(file, entry.nominalSize, kValveNominalSizeBytes);
  ReadText(file, entry.rating, kValveRatingBytes);
  ReadText(file, entry.connectionType, kValveConnectionBytes);
  BinaryFileReadFloat(file, entry.length);
  BinaryFileReadFloat(file, entry.weight);
  if (version > kLastVersionWithoutType) BinaryFileReadInt(file, entry.valveType);
}

void WriteEntry(BinaryFile& file, const ValveLibraryEntry& entry) {
  WriteText(file, entry.description, kValveDescriptionBytes);
  BinaryFileWriteFloat(file, entry.outsideDiameter);
  BinaryFileWriteInt(file, entry.standard);
  WriteText(file, entry.nominalSize, kValveNominalSizeBytes);
  WriteText(file, entry.rating, kValveRatingBytes);
  WriteText(file, entry.connectionType, kValveConnectionBytes);
  BinaryFileWriteFloat(file, entry.length);
  BinaryFileWriteFloat(file, entry.weight);
  BinaryFileWriteInt(file, entry.valveType);
}

// A measure the table and the dialog could have stored: a number not below
// 0 (NaN fails the comparison) and below the limit of a typed number, past
// which a valve's weight and length would carry no finite load or length
// into the model.
bool MeasureIsSound(float value) { return value >= 0.0f && NumberBelowLimit(value); }

bool EntryIsSound(const ValveLibraryEntry& entry) {
  return entry.standard >= 0 && entry.standard < kValveStandardCount && entry.valveType >= 0 &&
         entry.valveType < kValveTypeCount && MeasureIsSound(entry.length) && MeasureIsSound(entry.weight) &&
         MeasureIsSound(entry.outsideDiameter);
}

// The version of the header's digits, or -1 when they are not three digits.
int HeaderVersion(const char* header) {
  int version = 0;
  for (std::size_t i = kMagicLength; i < kMagicLength + 3; ++i) {
    if (header[i] < '0' || header[i] > '9') return -1;
    version = version * 10 + (header[i] - '0');
  }
  return version;
}

}  // namespace

const char* ValveRating(int standard, int index) {
  if (standard < 0 || standard >= kValveStandardCount || index < 0 || index >= kValveRatingCount) return "";
  return kRatings[standard][index];
}

ValveLibrary& TheValveLibrary() {
  static ValveLibrary library;
  return library;
}

void ClearValveLibrary(ValveLibrary& library) {
  ModelRecordTableReset(library.entries);
  library.path.clear();
  library.modified = false;
}

void ReadValveLibraryFile(const std::string& path, ValveLibrary& library) {
  if (!platform::IsRegularFile(path)) throw WithPath("Valve Library: %s\nDoes not exist.", path);
  const std::string damaged = WithPath("There was an error while reading valve library:\n%s", path);
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) throw WithPath("Unable to read valve library:\n%s", path);
  char header[kHeaderBytes] = {};
  BinaryFileReadBytes(file, header, kHeaderBytes);
  if (BinaryFileReadFailed(file) || std::memcmp(header, kMagic, kMagicLength) != 0)
    throw WithPath("Unable to read valve library:\n%s", path);
  const int version = HeaderVersion(header);
  if (version < 500 || version > 900) {
    char text[64];
    std::snprintf(text, sizeof text, "\nVersion = %.2f", version / 100.0);
    throw WithPath("Unable to read valve library:\n%s", path) + text;
  }
  ValveLibrary fresh;
  BinaryFileReadInt(file, fresh.lengthUnit);
  BinaryFileReadInt(file, fresh.weightUnit);
  BinaryFileReadInt(file, fresh.dimensionUnit);
  std::int32_t count = -1;
  BinaryFileReadInt(file, count);
  const std::int64_t recordBytes = version > kLastVersionWithoutType ? kRecordBytes : kOldRecordBytes;
  if (BinaryFileReadFailed(file) || count < 0 || count > BinaryFileBytesLeft(file) / recordBytes) throw damaged;
  ModelRecordTableSizeForRead(fresh.entries, count);
  for (int index = 1; index <= count; ++index) {
    ReadEntry(file, fresh.entries[index], version);
    if (BinaryFileReadFailed(file) || !EntryIsSound(fresh.entries[index])) throw damaged;
  }
  fresh.path = path;
  library = std::move(fresh);
}

void WriteValveLibraryFile(ValveLibrary& library, const std::string& path) {
  const std::string failed = "Unable to write Valve file";
  platform::RemoveStaleTemporaries(path);
  struct stat existing;
  const mode_t mode = stat(platform::ToFileSystemName(path).c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
  platform::SiblingTemporary temporary(path, mode);
  if (!temporary.ok()) throw failed;
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, temporary.path())) throw failed;
  char header[kHeaderBytes] = {};
  std::snprintf(header, sizeof header, "%s%d0", kMagic, kNewestVersion);
  BinaryFileWriteBytes(file, header, kHeaderBytes);
  BinaryFileWriteInt(file, ChosenUnit(kUnitLength));
  BinaryFileWriteInt(file, ChosenUnit(kUnitWeight));
  BinaryFileWriteInt(file, ChosenUnit(kUnitDimension));
  BinaryFileWriteInt(file, library.entries.count);
  for (int index = 1; index <= library.entries.count; ++index) WriteEntry(file, library.entries[index]);
  const bool written = BinaryFileClose(file) && !BinaryFileHasError(file);
  if (!written || !temporary.Commit()) throw failed;
  library.path = path;
  library.modified = false;
}

std::string PaddedValveRating(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::string rating = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (rating.size() < 5) rating.resize(5, ' ');
  return rating;
}

void InsertValveEntry(ValveLibrary& library, int index) {
  ModelRecordTable<ValveLibraryEntry>& table = library.entries;
  index = std::clamp(index, 1, table.count + 1);
  table.records.insert(table.records.begin() + index, ValveLibraryEntry{});
  ++table.count;
  table.capacity = std::max(table.capacity, table.count);
  if (table.records.size() < static_cast<std::size_t>(table.count) + 2) table.records.resize(table.count + 2);
}

void DeleteValveEntry(ValveLibrary& library, int index) {
  ModelRecordTable<ValveLibraryEntry>& table = library.entries;
  if (index < 1 || index > table.count) return;
  table.records.erase(table.records.begin() + index);
  --table.count;
  if (table.records.size() < 2) table.records.resize(2);
}

int FindDuplicateValve(const ValveLibrary& library, const ValveLibraryEntry& entry, int except) {
  for (int index = 1; index <= library.entries.count; ++index) {
    if (index == except) continue;
    const ValveLibraryEntry& other = library.entries[index];
    if (other.description == entry.description && other.nominalSize == entry.nominalSize &&
        other.rating == entry.rating && other.connectionType == entry.connectionType && other.length == entry.length &&
        other.outsideDiameter == entry.outsideDiameter)
      return index;
  }
  return 0;
}

bool ValveDiameterMatches(float libraryDiameter, float pipeDiameter) {
  char a[64], b[64];
  std::snprintf(a, sizeof a, "%.3f", static_cast<double>(libraryDiameter));
  std::snprintf(b, sizeof b, "%.3f", static_cast<double>(pipeDiameter));
  return std::strcmp(a, b) == 0;
}
