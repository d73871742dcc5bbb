#pragma once
// Writing a whole buffer through an owned file handle: shared by the writers that replace a file in
// one piece (the settings file, exported lists).

#include <windows.h>

#include <string_view>

#include "zentrel/platform/unique_handle.h"

namespace zentrel {

using FileHandle = platform::FileHandle;

// Writes all of bytes at the file's position; false on the first failed or empty write.
inline bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace zentrel
