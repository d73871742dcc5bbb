#pragma once
// Reading bytes of one encoding into code points, a batch at a time.

#include <cstddef>
#include <cstdint>

#include "code_tables.h"
#include "nkf32/encoding.h"

namespace nkf::detail {

struct DecodeStatus {
  std::size_t consumed = 0;  // bytes read; on error, the offset of the first byte of the bad sequence
  std::size_t produced = 0;  // code points written
  bool error = false;
};

// Stops at the end of the input, when `capacity` code points are written, at the first invalid
// sequence, or (unless `final`) before a sequence cut off by the end of the input, which the caller
// hands in again with the bytes that follow. Copyable: a copy taken before a batch can replay it.
class Decoder {
 public:
  Decoder(Encoding encoding, bool cp932);
  DecodeStatus Decode(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t capacity, bool final);
  const SjisDecodeTable* sjisTable() const { return sjis_; }

 private:
  enum class Mode : std::uint8_t { Ascii, Roman, Kana, Jis0208, Jis0212 };
  DecodeStatus DecodeSjis(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final);
  DecodeStatus DecodeEuc(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final);
  DecodeStatus DecodeIso2022(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final);
  DecodeStatus DecodeUtf8(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final);
  template <bool BigEndian>
  DecodeStatus DecodeUtf16(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final);
  template <bool BigEndian>
  DecodeStatus DecodeUtf32(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final);
  DecodeStatus DecodeAscii(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap);

  Encoding encoding_;
  const SjisDecodeTable* sjis_ = nullptr;
  Mode mode_ = Mode::Ascii;  // ISO-2022-JP designation in effect
};

}  // namespace nkf::detail
