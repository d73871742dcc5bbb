#include "zentrel/core/line_ending_scan.h"

#include <cstring>

namespace zentrel {

namespace {

constexpr std::uint8_t kNul = 0x00;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kCr = 0x0D;

// Bytes other than NUL, LF and CR only advance the scan; most text bytes lie above CR.
constexpr bool IsPlain(std::uint8_t b) { return b > kCr || (b != kNul && b != kLf && b != kCr); }

// The first position at or after `p` (before `limit`) that is not plain. Text has long runs of
// bytes above CR: eight of them are passed over at a time (a word with no byte below 0x0E).
std::size_t SkipPlain(const std::uint8_t* b, std::size_t p, std::size_t limit) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  while (limit - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, b + p, 8);
    if ((word - kOnes * (kCr + 1)) & ~word & kHigh) break;  // some byte is below 0x0E
    p += 8;
  }
  while (p < limit && IsPlain(b[p])) ++p;
  return p;
}

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
      p = SkipPlain(b, p + 1, limit);
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

namespace {

// The code unit at p in a fixed width and byte order: a separate loop per form lets the compiler
// turn each into plain loads, which matters when a large file runs all four forms side by side.
template <std::size_t W, bool Big>
std::uint32_t UnitAt(const std::uint8_t* p) {
  std::uint32_t unit = 0;
  for (std::size_t i = 0; i < W; ++i) unit = (unit << 8) | p[Big ? i : W - 1 - i];
  return unit;
}

template <std::size_t W, bool Big>
std::size_t RunUnits(LineEnding& state, std::size_t keepUnits, const std::uint8_t* b, std::size_t n,
                     bool final) {
  const std::size_t m = n / W;  // whole units; a partial last unit is never examined
  const std::size_t limit = final ? m : (m >= keepUnits ? m - keepUnits + 1 : 0);
  auto tail = [&](std::size_t back) { return final && m >= back ? m - back : SIZE_MAX; };
  // Only a unit whose least significant byte is CR or LF can be a line end.
  constexpr std::size_t kLow = Big ? W - 1 : 0;

  std::size_t u = 0;
  while (u < limit) {
    const std::uint8_t low = b[u * W + kLow];
    if (low != kCr && low != kLf) {
      ++u;
      continue;
    }
    const std::uint32_t c = UnitAt<W, Big>(b + u * W);
    if (c == kCr && u + 1 < m && UnitAt<W, Big>(b + (u + 1) * W) == kLf) {
      state = NoteLineEnd(state, LineEnding::CrLf, u == tail(3));
      u += 2;
    } else if (c == kCr) {
      state = NoteLineEnd(state, LineEnding::Cr, u == tail(1));
      ++u;
    } else if (c == kLf) {
      state = NoteLineEnd(state, LineEnding::Lf, u == tail(1));
      ++u;
    } else {
      ++u;
    }
  }
  return final ? n : u * W;
}

}  // namespace

std::size_t UnitLineEndingScan::Run(const std::uint8_t* b, std::size_t n, bool final) {
  const bool big = order_ == ByteOrder::Big;
  if (unitSize_ == 4) {
    return big ? RunUnits<4, true>(state_, kKeepUnits, b, n, final)
               : RunUnits<4, false>(state_, kKeepUnits, b, n, final);
  }
  return big ? RunUnits<2, true>(state_, kKeepUnits, b, n, final)
             : RunUnits<2, false>(state_, kKeepUnits, b, n, final);
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
