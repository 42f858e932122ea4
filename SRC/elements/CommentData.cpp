// The comment row's record, copy and text; see the header.
#include "elements/CommentData.h"

#include <algorithm>
#include <cstring>

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

void CommentData::Read(BinaryFile& file) {
  std::array<char, kCommentBytes> read{};
  BinaryFileReadBytes(file, read.data(), read.size());
  CheckKindRecord(file, "Comment");
  bytes = read;
}

void CommentData::Write(BinaryFile& file) const { BinaryFileWriteBytes(file, bytes.data(), bytes.size()); }

void CommentData::CopyFrom(const ElementData& other) { SetText(SameKind(*this, other).Text()); }

std::string CommentData::Text() const {
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  const std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes.data()) : bytes.size();
  return std::string(bytes.data(), length);
}

void CommentData::SetText(const std::string& text) {
  bytes.fill('\0');
  std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size()));
}
