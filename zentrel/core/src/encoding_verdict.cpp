#include "zentrel/core/encoding_verdict.h"

#include <utility>

namespace zentrel {

namespace {

constexpr std::wstring_view kBinary = L"BINARY";
constexpr std::wstring_view kUtf8 = L"UTF-8";
constexpr std::wstring_view kUtf16 = L"UTF-16";
constexpr std::wstring_view kUtf32 = L"UTF-32";

Verdict FromByteScan(std::wstring guess, const ByteScanResult& scan) {
  if (scan.sawNul && guess != kUtf8) return {std::wstring(kBinary), scan.lineEndingAtFirstNul};
  return {std::move(guess), scan.lineEnding};
}

}  // namespace

Verdict JudgeBytes(std::wstring guess, std::span<const std::uint8_t> bytes) {
  if (guess == kBinary || bytes.empty()) return {std::move(guess), LineEnding::None};
  if (guess == kUtf16 || guess == kUtf32) {
    ByteOrderEvidence evidence;
    evidence.Feed(bytes);
    const bool wide = guess == kUtf32;
    const LineEnding ending =
        UnitLineEndingScan::Scan(bytes, wide ? 4 : 2, wide ? evidence.Utf32() : evidence.Utf16());
    return {std::move(guess), ending};
  }
  const bool nulIsText = guess == kUtf8;
  return FromByteScan(std::move(guess), ByteLineEndingScan::Scan(bytes, !nulIsText));
}

void StreamingJudge::Feed(std::span<const std::uint8_t> bytes) {
  length_ += bytes.size();
  bytes_.Feed(bytes);
  order_.Feed(bytes);
  utf16Little_.Feed(bytes);
  utf16Big_.Feed(bytes);
  utf32Little_.Feed(bytes);
  utf32Big_.Feed(bytes);
}

Verdict StreamingJudge::Finish(std::wstring guess) {
  const ByteScanResult byteScan = bytes_.Finish();
  const LineEnding u16le = utf16Little_.Finish();
  const LineEnding u16be = utf16Big_.Finish();
  const LineEnding u32le = utf32Little_.Finish();
  const LineEnding u32be = utf32Big_.Finish();
  if (guess == kBinary || length_ == 0) return {std::move(guess), LineEnding::None};
  if (guess == kUtf16) {
    return {std::move(guess), order_.Utf16() == ByteOrder::Little ? u16le : u16be};
  }
  if (guess == kUtf32) {
    return {std::move(guess), order_.Utf32() == ByteOrder::Little ? u32le : u32be};
  }
  return FromByteScan(std::move(guess), byteScan);
}

}  // namespace zentrel
