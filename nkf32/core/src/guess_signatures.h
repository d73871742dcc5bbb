#pragma once
// Known binary file signatures: images, archives, executables, databases, media, PDF.

#include <cstddef>
#include <cstdint>
#include <span>

namespace nkf::guess {

// How many bytes a signature at the start of `head` takes (the bytes that decided it), or 0.
// `head` is the start of the input, kSignatureHead bytes or all of a shorter input.
std::size_t BinarySignatureLength(std::span<const std::uint8_t> head);

inline constexpr std::size_t kSignatureHead = 64;

}  // namespace nkf::guess
