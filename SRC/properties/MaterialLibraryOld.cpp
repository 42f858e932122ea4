// Old material libraries converted to today's format; see
// MaterialLibraryOld.h.
#include "properties/MaterialLibraryOld.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "properties/MaterialLibrary.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/Units.h"

namespace {

constexpr const char* kUnreadable = "Material library could not be read";
constexpr char kMagic[] = "QUORVEL.MDB";  // with its zero: 12 bytes
constexpr std::size_t kHeaderBytes = 14;
constexpr int kFirstVersion = 300;
constexpr int kFirstLayoutBVersion = 382;
constexpr int kLastVersion = 410;
constexpr double kConvertedVersion = 5.00;

// The two layouts differ in the width of their numbers and where things are.
struct Layout {
  int integerBytes;    // counts, unit choices, code, flag and rows count
  int realBytes;       // values
  int unitChoices;     // entries in the unit block
  std::int64_t recordBytes;
};
constexpr Layout kLayoutA{2, 4, 21, 64};
constexpr Layout kLayoutB{4, 8, 25, 88};

[[noreturn]] void Unreadable() { throw std::string(kUnreadable); }

std::int32_t ReadInteger(BinaryFile& file, int bytes) {
  unsigned char raw[4] = {};
  BinaryFileReadBytes(file, raw, static_cast<std::size_t>(bytes));
  if (bytes == 2) return static_cast<std::int16_t>(static_cast<std::uint16_t>(raw[0] | raw[1] << 8));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(raw[0]) | static_cast<std::uint32_t>(raw[1]) << 8 |
                                   static_cast<std::uint32_t>(raw[2]) << 16 | static_cast<std::uint32_t>(raw[3]) << 24);
}

// A value narrowed to single precision; one that is not finite there (a
// damaged file) is refused.
float ReadReal(BinaryFile& file, int bytes) {
  unsigned char raw[8] = {};
  BinaryFileReadBytes(file, raw, static_cast<std::size_t>(bytes));
  std::uint64_t bits = 0;
  for (int i = bytes - 1; i >= 0; --i) bits = bits << 8 | raw[i];
  float value = 0.0f;
  if (bytes == 4) {
    const std::uint32_t narrow = static_cast<std::uint32_t>(bits);
    std::memcpy(&value, &narrow, sizeof value);
  } else {
    double wide = 0.0;
    std::memcpy(&wide, &bits, sizeof wide);
    value = static_cast<float>(wide);
  }
  if (!std::isfinite(value)) Unreadable();
  return value;
}

// A text field: the bytes up to its first zero, at most `keep` of them; a
// field without a zero where one is needed is damaged.
std::string ReadText(BinaryFile& file, std::size_t width, std::size_t keep, std::size_t longest) {
  std::string text;
  BinaryFileReadFixedText(file, text, width);
  if (text.size() > longest) Unreadable();
  return text.substr(0, keep);
}

void OpenChecked(BinaryFile& file, const std::string& path) {
  if (!BinaryFileOpenRead(file, path)) Unreadable();
  char header[kHeaderBytes] = {};
  BinaryFileReadBytes(file, header, kHeaderBytes);
  if (BinaryFileReadFailed(file) || std::memcmp(header, kMagic, sizeof kMagic) != 0) Unreadable();
}

void ReadMaterial(BinaryFile& file, const Layout& layout, Material& material) {
  material.name = ReadText(file, 4, 4, 4);
  std::string type = ReadText(file, 3, 2, 2);
  material.description = ReadText(file, 33, 31, 32);
  material.nu = ReadReal(file, layout.realBytes);
  material.density = ReadReal(file, layout.realBytes);
  material.jointFactor = ReadReal(file, layout.realBytes);
  material.circJointFactor = ReadReal(file, layout.realBytes);
  material.strength = ReadReal(file, layout.realBytes);
  const std::int32_t frp = ReadInteger(file, layout.integerBytes);
  const std::int32_t rows = ReadInteger(file, layout.integerBytes);
  const std::int64_t rowBytes = 6 * layout.realBytes;
  if (BinaryFileReadFailed(file) || rows < 0 || rows > kMaxMaterialTemps || rows * rowBytes > BinaryFileBytesLeft(file))
    Unreadable();
  // The flag decides: the type text of an FRP material may say anything.
  SetMaterialType(material, frp != 0 ? "FR" : type);
  material.numtemps = rows;
  material.temps.assign(static_cast<std::size_t>(rows) + 1, MaterialTempRow{});
  for (int row = 1; row <= rows; ++row)
    for (int column = kMatTemperature; column <= kMatRupture; ++column)
      material.temps[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(column)] =
          ReadReal(file, layout.realBytes);
}

}  // namespace

int OldMaterialLibraryVersion(const std::string& path) {
  BinaryFile file;
  OpenChecked(file, path);
  const std::int32_t version = ReadInteger(file, 2);
  if (BinaryFileReadFailed(file)) Unreadable();
  return version;
}

void ReadOldMaterialLibraryFile(const std::string& path, MaterialLibrary& library) {
  BinaryFile file;
  OpenChecked(file, path);
  const std::int32_t version = ReadInteger(file, 2);
  if (BinaryFileReadFailed(file) || version < kFirstVersion || version > kLastVersion) Unreadable();
  const Layout& layout = version < kFirstLayoutBVersion ? kLayoutA : kLayoutB;

  const std::int32_t count = ReadInteger(file, layout.integerBytes);
  std::int32_t choices[25 + 1] = {};  // the choice of kind k at k
  for (int k = 1; k <= layout.unitChoices; ++k) choices[k] = ReadInteger(file, layout.integerBytes);
  MaterialLibrary fresh;
  fresh.pipingCode = ReadInteger(file, layout.integerBytes);
  if (BinaryFileReadFailed(file) || CodeListPosition(fresh.pipingCode) < 0) Unreadable();
  for (int i = 0; i < kLibraryUnitCount; ++i) {
    const int kind = kLibraryUnitKinds[i];
    if (choices[kind] < 0 || choices[kind] >= UnitCount(kind)) Unreadable();
    fresh.units[static_cast<std::size_t>(i)] = choices[kind];
  }
  if (count < 1) throw std::string("There are no materials in the library");
  if (count > BinaryFileBytesLeft(file) / layout.recordBytes) Unreadable();
  ModelRecordTableSizeForRead(fresh.materials, count);
  for (int index = 1; index <= count; ++index) ReadMaterial(file, layout, fresh.materials[index]);
  if (BinaryFileReadFailed(file)) Unreadable();
  // What the library reader would refuse once converted is not converted.
  if (const std::string fault = MaterialLibraryFault(fresh.materials); !fault.empty())
    throw std::string(kUnreadable) + "\n" + fault;
  library = std::move(fresh);
}

std::string AskAndReadOldMaterialLibrary(HWND parent, const std::string& path, MaterialLibrary& library) {
  QV_ASSERT(!path.empty() && "matlib_file_path");
  const int version = OldMaterialLibraryVersion(path);
  const std::string converted = PathWithExtension(path, "mat");
  if (platform::FileExists(converted) &&
      !MessageBoxDialog(parent, "Material library " + converted + " already exists\nDo you want to overwrite ?", IDYES))
    throw std::string();
  char question[160];
  std::snprintf(question, sizeof question,
                "Material library is in Version  %.2f format.\nDo you want to convert to %.2f format ?",
                version * 0.01, kConvertedVersion);
  if (!MessageBoxDialog(parent, question, IDYES)) throw std::string();
  ReadOldMaterialLibraryFile(path, library);
  return converted;
}

void WriteConvertedMaterialLibrary(HWND parent, const std::string& converted, const MaterialLibrary& library) {
  WriteMaterialLibraryFile(converted, library.materials, library.pipingCode, library.units);
  ShowInfoMessage(parent, "Material Library converted to:\n" + converted);
}

std::string ReadOldMaterialLibrary(HWND parent, const std::string& path) {
  // Nothing is written before every material was read.
  MaterialLibrary fresh;
  const std::string converted = AskAndReadOldMaterialLibrary(parent, path, fresh);
  WriteConvertedMaterialLibrary(parent, converted, fresh);
  LoadedMaterialLibrary() = std::move(fresh);
  return converted;
}
