#include "zentrel/engine/nkf_dll_guesser.h"

#include <windows.h>

#include <limits>

#include "nkf32_api.h"

namespace zentrel {

std::wstring NkfDllGuesser::Guess(std::span<const std::uint8_t> bytes) {
  // The library takes a 32-bit length; the engine never hands over more than it can hold in one
  // buffer, far below that.
  const DWORD length = bytes.size() > std::numeric_limits<DWORD>::max()
                           ? std::numeric_limits<DWORD>::max()
                           : static_cast<DWORD>(bytes.size());
  char option[] = "-g";
  SetNkfOption(option);
  char sink[1] = {};
  DWORD written = 0;
  NkfConvertSafe(sink, 1, &written, reinterpret_cast<LPCSTR>(bytes.data()), length);
  wchar_t name[256] = {};
  DWORD nameLength = 0;
  GetNkfGuessW(name, 256, &nameLength);
  name[255] = L'\0';
  return name;
}

}  // namespace zentrel
