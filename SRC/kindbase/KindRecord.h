// The pieces that the model-file records of the element kinds and data items
// share: the short names and tags they carry, the old numbering of derived
// nodes, and the check that ends every record reader.
//
// A kind's Read reads its fields in order through the binary file stream,
// testing g_ModelFileVersion for the fields that older files lack, and then
// calls CheckKindRecord: a record that ended early, an enumeration out of
// its range or a text without its terminator throws the message
// "The file is damaged.\n<kind>: <what was found>" (a std::string), the same
// form as the table sections. Readers never assert on file input.
//
// Node number fields (connected nodes) are recoded from the old numbering of
// derived nodes in files of version 681 and below, as the layout rows are
// (RecodeOldNodeId, model/Nodes.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <typeinfo>

#include "services/Assert.h"

struct BinaryFile;

// Material, section and load names of a kind's record: 4 bytes in files older
// than `firstWideVersion`, 6 bytes from it on and always 6 when written.
inline constexpr std::size_t kKindNameWidth = 6;
void ReadKindName(BinaryFile& file, std::string& name, int firstWideVersion, const char* kind);
void WriteKindName(BinaryFile& file, const std::string& name);

// The support tag: 12 bytes in files above version 720 (older files have
// none), up to 12 characters, zero-padded; a full field has no terminator.
inline constexpr std::size_t kTagWidth = 12;
inline constexpr int kLastVersionWithoutTag = 720;
void ReadTagIfPresent(BinaryFile& file, std::string& tag, const char* kind);
void WriteTag(BinaryFile& file, const std::string& tag);

// A node number field: negative numbers are refused; in files of version 681
// and below the number is recoded.
std::int32_t ReadNodeNumberField(BinaryFile& file, const char* kind);

// A fixed text of `width` bytes that must end in its zero within `room`
// bytes (`room` > `width` lets a full field stand without its zero).
void ReadTextField(BinaryFile& file, std::string& text, std::size_t width, std::size_t room,
                   const char* kind);
// Writes `text` zero-padded to `width` bytes; it must fit with its zero.
void WriteTextField(BinaryFile& file, const std::string& text, std::size_t width);

// Throws when the record ended early or the stream failed.
void CheckKindRecord(const BinaryFile& file, const char* kind);
// Throws "<field> = <value>" for an enumeration or count out of its range.
void RefuseKindValue(const char* kind, const char* field, std::int32_t value);
inline void CheckKindRange(std::int32_t value, std::int32_t low, std::int32_t high,
                           const char* kind, const char* field) {
  if (value < low || value > high) RefuseKindValue(kind, field, value);
}

// CopyFrom is given an object of the same kind; anything else is a
// programming error.
template <typename Kind, typename Base>
const Kind& SameKind(const Kind& self, const Base& other) {
  QV_ASSERT(typeid(self) == typeid(other));
  return static_cast<const Kind&>(other);
}
