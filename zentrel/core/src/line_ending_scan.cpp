#include "zentrel/core/line_ending_scan.h"

namespace zentrel {

namespace {

constexpr std::uint8_t kNul = 0x00;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kCr = 0x0D;

// Bytes other than NUL, LF and CR only advance the scan; most text bytes lie above CR.
constexpr bool IsPlain(std::uint8_t b) { return b > kCr || (b != kNul && b != kLf && b != kCr); }

}  // namespace

std::size_t ByteLineEndingScan::Run(const std::uint8_t* b, std::size_t n, bool final) {
  if (stopped_) return n;
  // Before the end only positions with kKeep bytes from them are decided: their look-ahead is
  // complete and none of them can be a tail position of the whole input.
  const std::size_t limit = final ? n : (n >= kKeep ? n - kKeep + 1 : 0);
  // A look-ahead byte at or beyond n never matches.
  auto at = [&](std::size_t i) -> int { return i < n ? b[i] : -1; };
  // Tail positions only exist in the final run; in a non-final run they cannot be reached.
  auto tail = [&](std::size_t back) { return final && n >= back ? n - back : SIZE_MAX; };

  std::size_t p = 0;
  while (p < limit) {
    const std::uint8_t c = b[p];
    if (IsPlain(c)) {
      ++p;
      continue;
    }
    if (c == kCr && at(p + 1) == kLf) {
      result_.lineEnding = NoteLineEnd(result_.lineEnding, LineEnding::CrLf, p == tail(3));
      p += 2;
    } else if (c == kCr && at(p + 1) == kNul && at(p + 2) == kLf && at(p + 3) == kNul) {
      result_.lineEnding = NoteLineEnd(result_.lineEnding, LineEnding::CrLf, p == tail(5));
      p += 4;
    } else if (c == kNul && at(p + 1) == kCr && at(p + 2) == kNul && at(p + 3) == kLf) {
      result_.lineEnding = NoteLineEnd(result_.lineEnding, LineEnding::CrLf, p == tail(5));
      p += 4;
    } else if (c == kCr) {
      result_.lineEnding = NoteLineEnd(result_.lineEnding, LineEnding::Cr, p == tail(1));
      ++p;
    } else if (c == kLf) {
      result_.lineEnding = NoteLineEnd(result_.lineEnding, LineEnding::Lf, p == tail(1));
      ++p;
    } else {  // NUL
      if (!result_.sawNul) {
        result_.sawNul = true;
        result_.lineEndingAtFirstNul = result_.lineEnding;
      }
      if (stopAtFirstNul_) {
        stopped_ = true;
        return n;
      }
      ++p;
    }
  }
  return p;
}

void ByteLineEndingScan::Feed(std::span<const std::uint8_t> bytes) {
  if (stopped_) return;
  carry_.Feed(bytes, [this](const std::uint8_t* d, std::size_t n, bool f) { return Run(d, n, f); });
}

ByteScanResult ByteLineEndingScan::Finish() {
  carry_.Finish([this](const std::uint8_t* d, std::size_t n, bool f) { return Run(d, n, f); });
  return result_;
}

ByteScanResult ByteLineEndingScan::Scan(std::span<const std::uint8_t> bytes, bool stopAtFirstNul) {
  ByteLineEndingScan scan(stopAtFirstNul);
  scan.Run(bytes.data(), bytes.size(), true);
  return scan.result_;
}

std::uint32_t UnitLineEndingScan::UnitAt(const std::uint8_t* p) const {
  std::uint32_t unit = 0;
  if (order_ == ByteOrder::Little) {
    for (std::size_t i = unitSize_; i-- > 0;) unit = (unit << 8) | p[i];
  } else {
    for (std::size_t i = 0; i < unitSize_; ++i) unit = (unit << 8) | p[i];
  }
  return unit;
}

std::size_t UnitLineEndingScan::Run(const std::uint8_t* b, std::size_t n, bool final) {
  const std::size_t w = unitSize_;
  const std::size_t m = n / w;  // whole units; a partial last unit is never examined
  const std::size_t limit = final ? m : (m >= kKeepUnits ? m - kKeepUnits + 1 : 0);
  auto tail = [&](std::size_t back) { return final && m >= back ? m - back : SIZE_MAX; };

  std::size_t u = 0;
  while (u < limit) {
    const std::uint32_t c = UnitAt(b + u * w);
    if (c == kCr && u + 1 < m && UnitAt(b + (u + 1) * w) == kLf) {
      state_ = NoteLineEnd(state_, LineEnding::CrLf, u == tail(3));
      u += 2;
    } else if (c == kCr) {
      state_ = NoteLineEnd(state_, LineEnding::Cr, u == tail(1));
      ++u;
    } else if (c == kLf) {
      state_ = NoteLineEnd(state_, LineEnding::Lf, u == tail(1));
      ++u;
    } else {
      ++u;
    }
  }
  return final ? n : u * w;
}

void UnitLineEndingScan::Feed(std::span<const std::uint8_t> bytes) {
  carry_.Feed(bytes, [this](const std::uint8_t* d, std::size_t n, bool f) { return Run(d, n, f); });
}

LineEnding UnitLineEndingScan::Finish() {
  carry_.Finish([this](const std::uint8_t* d, std::size_t n, bool f) { return Run(d, n, f); });
  return state_;
}

LineEnding UnitLineEndingScan::Scan(std::span<const std::uint8_t> bytes, std::size_t unitSize,
                                    ByteOrder order) {
  UnitLineEndingScan scan(unitSize, order);
  scan.Run(bytes.data(), bytes.size(), true);
  return scan.state_;
}

}  // namespace zentrel
