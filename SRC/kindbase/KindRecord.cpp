// Shared fields of the kinds' model-file records; see the header.
#include "kindbase/KindRecord.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/Nodes.h"
#include "records/ModelFileFormat.h"
#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

void CheckKindRecord(const BinaryFile& file, const char* kind) { CheckSectionRead(file, kind); }

void RefuseKindValue(const char* kind, const char* field, std::int32_t value) {
  char detail[96];
  std::snprintf(detail, sizeof detail, "%s = %d", field, static_cast<int>(value));
  ThrowDamagedSection(kind, detail);
}

void ReadTextField(BinaryFile& file, std::string& text, std::size_t width, std::size_t room,
                   const char* kind) {
  ReadFixedField(file, text, width, room, kind);
}

void WriteTextField(BinaryFile& file, const std::string& text, std::size_t width) {
  WriteFixedField(file, text, width);
}

void ReadKindName(BinaryFile& file, std::string& name, int firstWideVersion, const char* kind) {
  const std::size_t width = g_ModelFileVersion < firstWideVersion ? 4 : kKindNameWidth;
  ReadFixedField(file, name, width, kKindNameWidth, kind);
}

void WriteKindName(BinaryFile& file, const std::string& name) {
  WriteFixedField(file, name, kKindNameWidth);
}

void ReadTagIfPresent(BinaryFile& file, std::string& tag, const char* kind) {
  if (g_ModelFileVersion <= kLastVersionWithoutTag) return;
  ReadFixedField(file, tag, kTagWidth, kTagWidth + 1, kind);
}

// A tag of twelve characters fills its field without a terminator, as the
// files have always held it; a longer one cannot be stored and fails the
// write rather than lose its end.
void WriteTag(BinaryFile& file, const std::string& tag) {
  const std::size_t length = std::strlen(tag.c_str());
  if (length > kTagWidth) {
    BinaryFileRefuseOverlongText(file, tag, kTagWidth);
    return;
  }
  std::vector<char> bytes(kTagWidth, '\0');
  std::memcpy(bytes.data(), tag.c_str(), length);
  BinaryFileWriteBytes(file, bytes.data(), kTagWidth);
}

std::int32_t ReadNodeNumberField(BinaryFile& file, const char* kind) {
  std::int32_t number = 0;
  BinaryFileReadInt(file, number);
  CheckKindRecord(file, kind);
  if (number < 0) RefuseKindValue(kind, "node number", number);
  return RecodeOldNodeId(number, g_ModelFileVersion);
}
