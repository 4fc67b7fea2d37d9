// Two numberings of the same text. Our positions are byte offsets into the
// Shift-JIS text, in which a line break is CR LF and so counts two; a
// rich-edit control (2.0 and later) counts a line break as one character
// and a double-byte character as one character. The result view and the
// mail view convert between the two here and nowhere else.
#pragma once

#include <string>
#include <vector>

namespace tvp {

// Bytes of the one control character that starts at text[i]: 2 for CR LF
// and for a lead byte followed by a valid trail byte (40-7E, 80-FC), else 1.
// A lead byte without a valid trail byte is a character of its own.
size_t ViewCharLen(const std::string& text, size_t i);

class TextPositions {
 public:
  TextPositions() = default;
  // Built once per text: O(n) time, one entry per two-byte character.
  explicit TextPositions(const std::string& text);

  // Character index of a byte offset; an offset inside a two-byte
  // character gives that character. Clamped to 0 .. CharCount(). O(log n).
  int ToChar(int byteOffset) const;
  // Byte offset of a character index, clamped to 0 .. ByteCount(). O(log n).
  int ToByte(int charIndex) const;

  int ByteCount() const { return bytes_; }
  int CharCount() const { return bytes_ - static_cast<int>(pairs_.size()); }

 private:
  int bytes_ = 0;
  // Character index of every two-byte character, ascending. The k-th one
  // starts at byte pairs_[k] + k.
  std::vector<int> pairs_;
};

}  // namespace tvp
