#include "zentrel/core/byte_order_evidence.h"

namespace zentrel {

void ByteOrderEvidence::Feed(std::span<const std::uint8_t> bytes) {
  for (std::size_t k = 0; k < bytes.size() && headLength_ < head_.size(); ++k) {
    head_[headLength_++] = bytes[k];
  }
  std::size_t i = 0;
  // Counted per offset modulo 4 in a branch-free loop, four bytes at a time once aligned.
  for (; i < bytes.size() && ((position_ + i) & 3) != 0; ++i) {
    zerosAt_[(position_ + i) & 3] += bytes[i] == 0;
  }
  std::uint64_t z0 = 0, z1 = 0, z2 = 0, z3 = 0;
  for (; i + 4 <= bytes.size(); i += 4) {
    z0 += bytes[i] == 0;
    z1 += bytes[i + 1] == 0;
    z2 += bytes[i + 2] == 0;
    z3 += bytes[i + 3] == 0;
  }
  zerosAt_[0] += z0;
  zerosAt_[1] += z1;
  zerosAt_[2] += z2;
  zerosAt_[3] += z3;
  for (; i < bytes.size(); ++i) zerosAt_[(position_ + i) & 3] += bytes[i] == 0;
  position_ += bytes.size();
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
