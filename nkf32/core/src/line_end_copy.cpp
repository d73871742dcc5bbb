#include "line_end_copy.h"

#include <cstring>

namespace nkf::detail {
namespace {

void PutUnit(char32_t u, UnitFormat f, std::vector<std::uint8_t>& out) {
  for (std::size_t k = 0; k < f.size; ++k) {
    std::size_t shift = 8 * (f.bigEndian ? f.size - 1 - k : k);
    out.push_back(static_cast<std::uint8_t>(u >> shift));
  }
}

void PutEol(UnitFormat f, LineEnding ending, std::vector<std::uint8_t>& out) {
  if (ending != LineEnding::Lf) PutUnit('\r', f, out);
  if (ending != LineEnding::Cr) PutUnit('\n', f, out);
}

char32_t UnitAt(const std::uint8_t* p, UnitFormat f) {
  char32_t u = 0;
  for (std::size_t k = 0; k < f.size; ++k) u |= char32_t{p[k]} << (8 * (f.bigEndian ? f.size - 1 - k : k));
  return u;
}

void Append(std::vector<std::uint8_t>& out, const std::uint8_t* p, std::size_t n) {
  if (n) out.insert(out.end(), p, p + n);
}

// CR LF -> LF and CR -> LF on bytes: only CRs need attention, and memchr finds them fast.
void BytesToLf(const std::uint8_t* in, std::size_t n, bool& pendingCr, std::vector<std::uint8_t>& out) {
  std::size_t i = 0;
  if (pendingCr && n) {
    pendingCr = false;
    out.push_back('\n');
    if (in[0] == '\n') i = 1;
  }
  while (i < n) {
    auto* cr = static_cast<const std::uint8_t*>(std::memchr(in + i, '\r', n - i));
    if (!cr) {
      Append(out, in + i, n - i);
      return;
    }
    std::size_t at = static_cast<std::size_t>(cr - in);
    Append(out, in + i, at - i);
    if (at + 1 == n) {
      pendingCr = true;
      return;
    }
    out.push_back('\n');
    i = at + (in[at + 1] == '\n' ? 2 : 1);
  }
}

// The index of the first CR or LF in in[i..n), or n; eight bytes at a time while there is none.
std::size_t FindLineEndByte(const std::uint8_t* in, std::size_t i, std::size_t n) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, in + i, 8);
    const std::uint64_t cr = word ^ (kOnes * '\r'), lf = word ^ (kOnes * '\n');
    if ((((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs) break;  // a zero byte: CR or LF
  }
  for (; i < n; ++i)
    if (in[i] == '\r' || in[i] == '\n') return i;
  return n;
}

// Any line end -> CR LF or CR on bytes, a run of text at a time.
void BytesToEnding(const std::uint8_t* in, std::size_t n, LineEnding ending, bool& pendingCr,
                   std::vector<std::uint8_t>& out) {
  const UnitFormat bytes;
  for (std::size_t i = 0; i <= n;) {
    const std::size_t at = FindLineEndByte(in, i, n);
    if (at > i && pendingCr) {
      pendingCr = false;
      PutEol(bytes, ending, out);
    }
    Append(out, in + i, at - i);
    if (at == n) return;
    if (in[at] == '\r') {
      if (pendingCr) PutEol(bytes, ending, out);
      pendingCr = true;
    } else {
      pendingCr = false;
      PutEol(bytes, ending, out);
    }
    i = at + 1;
  }
}

}  // namespace

void CopyWithLineEnds(const std::uint8_t* in, std::size_t n, UnitFormat f, LineEnding ending, bool& pendingCr,
                      std::vector<std::uint8_t>& out) {
  if (ending == LineEnding::Keep) {
    Append(out, in, n);
    return;
  }
  if (f.size == 1) {
    if (ending == LineEnding::Lf) {
      BytesToLf(in, n, pendingCr, out);
    } else {
      BytesToEnding(in, n, ending, pendingCr, out);
    }
    return;
  }
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < n; i += f.size) {
    char32_t u = f.size == 1 ? in[i] : UnitAt(in + i, f);
    if (u != '\r' && u != '\n') {
      if (pendingCr) {
        pendingCr = false;
        PutEol(f, ending, out);
        runStart = i;
      }
      continue;
    }
    Append(out, in + runStart, i - runStart);
    runStart = i + f.size;
    if (u == '\r') {
      if (pendingCr) PutEol(f, ending, out);
      pendingCr = true;
    } else {
      pendingCr = false;
      PutEol(f, ending, out);
    }
  }
  Append(out, in + runStart, n - runStart);
}

void FlushLineEnd(UnitFormat f, LineEnding ending, bool& pendingCr, std::vector<std::uint8_t>& out) {
  if (!pendingCr) return;
  pendingCr = false;
  PutEol(f, ending, out);
}

}  // namespace nkf::detail
