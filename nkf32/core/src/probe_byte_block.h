#pragma once
// The validators' widest path: sixty-four bytes at a time as bit masks (bit i for byte i), so
// that a block of multibyte text is checked with a few word operations instead of a step per
// byte. SSE2 where the compiler has it (every x86-64 target); a byte loop elsewhere.

#include <cstddef>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nkf::guess {

inline constexpr std::size_t kByteBlock = 64;

struct ByteRange {
  std::uint8_t first, last;  // last - first < 255
};

#if defined(__SSE2__)

namespace detail {
inline __m128i InRange(__m128i x, ByteRange r) {
  // Shifted so that the range starts at -128, where one signed comparison bounds it.
  const __m128i shifted = _mm_add_epi8(x, _mm_set1_epi8(static_cast<char>(0x80 - r.first)));
  return _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + (r.last - r.first) + 1)));
}
}  // namespace detail

// The bytes of the block at `p` that lie in any of `ranges`.
template <class... Ranges>
std::uint64_t BytesIn(const std::uint8_t* p, Ranges... ranges) {
  std::uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    __m128i in = _mm_setzero_si128();
    ((in = _mm_or_si128(in, detail::InRange(x, ranges))), ...);
    mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(in))} << (16 * i);
  }
  return mask;
}

// The bytes of the block at `p` with the high bit set.
inline std::uint64_t HighBytes(const std::uint8_t* p) {
  std::uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(x))} << (16 * i);
  }
  return mask;
}

#else

template <class... Ranges>
std::uint64_t BytesIn(const std::uint8_t* p, Ranges... ranges) {
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < kByteBlock; ++i) {
    const bool in = ((static_cast<std::uint8_t>(p[i] - ranges.first) <= ranges.last - ranges.first) || ...);
    mask |= std::uint64_t{in} << i;
  }
  return mask;
}

inline std::uint64_t HighBytes(const std::uint8_t* p) { return BytesIn(p, ByteRange{0x80, 0xFF}); }

#endif

// Pairs read left to right, where a lead byte takes the byte after it whatever that is: of the
// `leads` (bytes that may start a pair), the positions that are second bytes. In a run of
// leads every other byte is a second byte, and so is the byte after a run of odd length; the
// parity of each run comes from one addition, whose carry out is the odd run at the block's
// end. `carry` says whether the block's first byte is a second byte, and is set for the next.
inline std::uint64_t PairSeconds(std::uint64_t leads, std::uint64_t& carry) {
  constexpr std::uint64_t kEvenBits = 0x5555555555555555ull;
  leads &= ~carry;  // a second byte starts no pair
  const std::uint64_t follows = leads << 1 | carry;
  const std::uint64_t oddStarts = leads & ~kEvenBits & ~follows;
  // Adding its start bit to a run clears the run and sets the bit after it: the runs left are
  // those that start on even bits.
  const std::uint64_t evenStarts = oddStarts + leads;
  carry = evenStarts < leads ? 1 : 0;
  return (kEvenBits ^ (evenStarts << 1)) & follows;
}

}  // namespace nkf::guess
