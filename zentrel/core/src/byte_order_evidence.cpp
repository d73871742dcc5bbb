#include "zentrel/core/byte_order_evidence.h"

namespace zentrel {

void ByteOrderEvidence::Feed(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) {
    if (headLength_ < head_.size()) head_[headLength_++] = b;
    if (b == 0) ++zerosAt_[position_ & 3];
    ++position_;
  }
}

ByteOrder ByteOrderEvidence::Utf16() const {
  if (headLength_ >= 2 && head_[0] == 0xFF && head_[1] == 0xFE) return ByteOrder::Little;
  if (headLength_ >= 2 && head_[0] == 0xFE && head_[1] == 0xFF) return ByteOrder::Big;
  const std::uint64_t even = zerosAt_[0] + zerosAt_[2];
  const std::uint64_t odd = zerosAt_[1] + zerosAt_[3];
  return even > odd ? ByteOrder::Big : ByteOrder::Little;
}

ByteOrder ByteOrderEvidence::Utf32() const {
  if (headLength_ == 4 && head_[0] == 0xFF && head_[1] == 0xFE && head_[2] == 0 && head_[3] == 0) {
    return ByteOrder::Little;
  }
  if (headLength_ == 4 && head_[0] == 0 && head_[1] == 0 && head_[2] == 0xFE && head_[3] == 0xFF) {
    return ByteOrder::Big;
  }
  // Below U+10000 a little-endian unit's last byte is zero, a big-endian unit's first byte.
  return zerosAt_[0] > zerosAt_[3] ? ByteOrder::Big : ByteOrder::Little;
}

}  // namespace zentrel
