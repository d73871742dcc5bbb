#pragma once
// Small shared pieces of the list readers.

#include <cstddef>
#include <string>
#include <vector>

#include "glimmet/platform/remote_memory.h"

namespace glimmet::capture {

// The text before the first zero character of a buffer, at most `limit` characters.
inline std::wstring TextBeforeZero(const wchar_t* buffer, std::size_t size, std::size_t limit) {
  std::size_t length = 0;
  while (length < size && buffer[length] != L'\0') ++length;
  return std::wstring(buffer, length < limit ? length : limit);
}

// A remote text block read back whole; empty when the read fails.
inline std::wstring ReadRemoteText(const platform::RemoteBlock& block, std::size_t chars) {
  std::vector<wchar_t> buffer(chars, L'\0');
  if (!block.Read(buffer.data(), chars * sizeof(wchar_t))) return {};
  return TextBeforeZero(buffer.data(), chars, chars);
}

// Makes a remote text block read as empty before a query: a control that writes nothing must
// not leave the previous item's text there.
inline bool ClearRemoteText(platform::RemoteBlock& block) {
  const wchar_t zero = L'\0';
  return block.Write(&zero, sizeof(zero));
}

}  // namespace glimmet::capture
