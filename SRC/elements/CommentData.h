// The comment row (ElementType 18): a line of free text in the layout, shown
// in place of the node and printed in the Layout report. It makes no element.
//
// Model-file record: the 80-byte text field as it stands. The bytes are
// kept as read, so a file's record is written back unchanged; the text is
// the bytes up to the first zero (all 80 when there is none).
#pragma once

#include <array>
#include <string>

#include "model/RowObjects.h"

inline constexpr std::size_t kCommentBytes = 80;

class CommentData : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string Text() const override;

  // Stores a text, cut to the field.
  void SetText(const std::string& text);

  std::array<char, kCommentBytes> bytes{};
};
