#include "core/results/text_positions.h"

#include <algorithm>

#include "core/common/sjis.h"

namespace tvp {

namespace {

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

}  // namespace

size_t ViewCharLen(const std::string& text, size_t i) {
  if (i + 1 >= text.size()) return 1;
  unsigned char c = text[i], next = text[i + 1];
  if (c == '\r') return next == '\n' ? 2 : 1;
  return IsLeadByte(c) && IsTrailByte(next) ? 2 : 1;
}

TextPositions::TextPositions(const std::string& text) : bytes_(static_cast<int>(text.size())) {
  int chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    size_t n = ViewCharLen(text, i);
    if (n == 2) pairs_.push_back(chars);
    i += n;
  }
}

int TextPositions::ToChar(int byteOffset) const {
  if (byteOffset <= 0) return 0;
  if (byteOffset >= bytes_) return CharCount();
  // k = the number of two-byte characters that start before the offset;
  // their starts pairs_[k] + k increase strictly with k.
  size_t lo = 0, hi = pairs_.size();
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    if (pairs_[mid] + static_cast<int>(mid) < byteOffset) lo = mid + 1;
    else hi = mid;
  }
  return byteOffset - static_cast<int>(lo);
}

int TextPositions::ToByte(int charIndex) const {
  if (charIndex <= 0) return 0;
  if (charIndex >= CharCount()) return bytes_;
  auto k = std::lower_bound(pairs_.begin(), pairs_.end(), charIndex) - pairs_.begin();
  return charIndex + static_cast<int>(k);
}

}  // namespace tvp
