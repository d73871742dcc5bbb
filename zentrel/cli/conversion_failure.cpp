#include "conversion_failure.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zentrel::cli {

LineCounter::LineCounter(nkf::Encoding input) {
  switch (input) {
    case nkf::Encoding::Utf16LE:
      unitSize_ = 2;
      break;
    case nkf::Encoding::Utf16BE:
      unitSize_ = 2;
      bigEndian_ = true;
      break;
    case nkf::Encoding::Utf32LE:
      unitSize_ = 4;
      break;
    case nkf::Encoding::Utf32BE:
      unitSize_ = 4;
      bigEndian_ = true;
      break;
    default:
      break;
  }
}

void LineCounter::Unit(std::uint32_t unit) {
  if (unit == 0x0D || (unit == 0x0A && !afterCr_)) ++line_;
  afterCr_ = unit == 0x0D;
}

void LineCounter::Feed(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (unitSize_ == 1) {
      Unit(byte);
      continue;
    }
    pending_[pendingSize_++] = byte;
    if (pendingSize_ < unitSize_) continue;
    std::uint32_t unit = 0;
    for (std::size_t i = 0; i < unitSize_; ++i) {
      const std::size_t from = bigEndian_ ? i : unitSize_ - 1 - i;
      unit = (unit << 8) | pending_[from];
    }
    pendingSize_ = 0;
    Unit(unit);
  }
}

std::uint64_t LineAtOffset(ReadableFile& file, nkf::Encoding input, std::uint64_t offset) {
  LineCounter counter(input);
  std::vector<std::uint8_t> chunk(std::size_t{1} << 16);
  std::uint64_t left = offset;
  while (left > 0) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
    const std::size_t got = file.Read(std::span(chunk.data(), want));
    if (got == 0) return 0;
    counter.Feed(std::span(chunk.data(), got));
    left -= got;
  }
  return counter.line();
}

std::string DescribeFailure(const nkf::ConvertResult& result, std::string_view targetName,
                            std::uint64_t line) {
  char text[160];
  const std::string input(nkf::EncodingName(result.input));
  const auto offset = static_cast<unsigned long long>(result.position);
  switch (result.error) {
    case nkf::ConvertError::Unrepresentable:
      if (line > 0) {
        std::snprintf(text, sizeof text, "character U+%04X at line %llu cannot be written in %.*s",
                      static_cast<unsigned>(result.codePoint),
                      static_cast<unsigned long long>(line), static_cast<int>(targetName.size()),
                      targetName.data());
      } else {
        std::snprintf(text, sizeof text,
                      "character U+%04X at offset %llu cannot be written in %.*s",
                      static_cast<unsigned>(result.codePoint), offset,
                      static_cast<int>(targetName.size()), targetName.data());
      }
      return text;
    case nkf::ConvertError::InvalidInput:
      if (result.input == nkf::Encoding::Binary) {
        std::snprintf(text, sizeof text, "binary data at offset %llu, no text to convert", offset);
      } else {
        std::snprintf(text, sizeof text, "invalid %s byte at offset %llu", input.c_str(), offset);
      }
      return text;
    case nkf::ConvertError::BadOption:
      return "converter options not understood";
    case nkf::ConvertError::SeveralNames:
      return "file has several hard links, left as it is";
    case nkf::ConvertError::Io:
      switch (result.ioCause) {
        case nkf::IoCause::NotFound: return "cannot convert: no such file or folder";
        case nkf::IoCause::Permission: return "cannot convert: permission denied";
        case nkf::IoCause::ReadOnlyFileSystem: return "cannot convert: read-only file system";
        case nkf::IoCause::DiskFull: return "cannot write the converted file: disk full";
        case nkf::IoCause::InUse: return "cannot convert: the file is in use by another program";
        case nkf::IoCause::NameTooLong: return "cannot convert: name too long";
        case nkf::IoCause::Unknown: break;
      }
      return "cannot read the file or write the converted file";
    case nkf::ConvertError::None:
      break;
  }
  return "converted";
}

}  // namespace zentrel::cli
